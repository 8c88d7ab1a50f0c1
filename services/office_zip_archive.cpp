#define KORVEX_TR_CONTEXT "olm::repair::OfficePreviewService"
#include "common/ui_tr.h"
#include "common/regular_file.h"

#include "services/office_zip_archive.h"

#include <QtEndian>

#include <zlib.h>

#include <algorithm>
#include <utility>

namespace olm::repair {

namespace {

constexpr qint64 kLocalHeaderSize = 30;
constexpr quint32 kLocalSignature = 0x04034B50;

quint16 le16(const char* p) { return qFromLittleEndian<quint16>(p); }
quint32 le32(const char* p) { return qFromLittleEndian<quint32>(p); }

// The preview reads no ZIP64, checks no overlap and is not cancelled: those faults never reach it,
// and are named as the nearest fault it does see.
UiText directoryError(ZipDirectoryFault fault)
{
    switch (fault) {
    case ZipDirectoryFault::None:
        break;
    case ZipDirectoryFault::EndUnreadable:
        return uiTr("Office 容器目录定位失败");
    case ZipDirectoryFault::NoEndRecord:
        return uiTr("Office 容器缺少 ZIP 中央目录");
    case ZipDirectoryFault::Spanned:
    case ZipDirectoryFault::Zip64:
    case ZipDirectoryFault::Zip64EndInvalid:
        return uiTr("不支持分卷或 ZIP64 Office 容器");
    case ZipDirectoryFault::TooManyEntries:
    case ZipDirectoryFault::DirectoryOutOfRange:
        return uiTr("Office 容器条目过多，已阻止预览");
    case ZipDirectoryFault::DirectoryUnreadable:
        return uiTr("Office 中央目录不可读取");
    case ZipDirectoryFault::RecordInvalid:
    case ZipDirectoryFault::Overlapping:
    case ZipDirectoryFault::Cancelled:
        return uiTr("Office 中央目录结构无效");
    case ZipDirectoryFault::Zip64Entry:
    case ZipDirectoryFault::Zip64ExtraInvalid:
        return uiTr("不支持 ZIP64 Office 条目");
    case ZipDirectoryFault::RecordTruncated:
        return uiTr("Office 中央目录条目被截断");
    case ZipDirectoryFault::NameInvalid:
        return uiTr("Office 容器包含非法条目名");
    }
    return {};
}

} // namespace

OfficeZipArchive::OfficeZipArchive(const QString& path) : path_(path) {}

bool OfficeZipArchive::readDirectory(UiText& error)
{
    if (!openRegularFile(file_, path_)) {
        error = uiTr("Office 容器不可读取");
        return false;
    }
    const qint64 size = file_.size();
    if (size < kZipEndRecordSize || size > kMaxContainerSize) {
        error = uiTr("Office 容器长度不在安全范围内");
        return false;
    }
    ZipDirectoryOptions options;
    options.maxEntries = kMaxEntries;
    options.entriesOnDiskMatchTotal = true;
    options.refuseNulInNames = true;
    ZipDirectory directory = readZipDirectory(file_, size, options);
    if (directory.fault != ZipDirectoryFault::None) {
        error = directoryError(directory.fault);
        return false;
    }
    entries_ = std::move(directory.entries);
    return true;
}

QByteArray OfficeZipArchive::readEntry(const QString& name, UiText& error, bool optional)
{
    const auto it = std::find_if(entries_.cbegin(), entries_.cend(), [&](const ZipDirectoryEntry& e) { return e.name == name; });
    if (it == entries_.cend()) {
        if (!optional)
            error = uiTr("Office 容器缺少必要条目：%1").arg(name);
        return {};
    }
    const ZipDirectoryEntry& entry = *it;
    if ((entry.flags & 0x0001) != 0) {
        error = uiTr("不预览加密的 Office XML");
        return {};
    }
    if (entry.uncompressedSize > kMaxEntrySize || entry.compressedSize > kMaxCompressedSize
        || extractedBytes_ + qint64(entry.uncompressedSize) > kMaxExtractedPerArchive) {
        error = uiTr("Office XML 超出安全预览限制");
        return {};
    }
    if (!file_.seek(entry.localHeaderOffset)) {
        error = uiTr("Office XML 定位失败：%1").arg(name);
        return {};
    }
    const QByteArray local = file_.read(kLocalHeaderSize);
    if (local.size() != kLocalHeaderSize || le32(local.constData()) != kLocalSignature
        || le16(local.constData() + 8) != entry.method) {
        error = uiTr("Office XML 本地条目结构无效：%1").arg(name);
        return {};
    }
    const qint64 dataStart = qint64(entry.localHeaderOffset) + kLocalHeaderSize + qint64(le16(local.constData() + 26))
        + qint64(le16(local.constData() + 28));
    if (dataStart + qint64(entry.compressedSize) > file_.size() || !file_.seek(dataStart)) {
        error = uiTr("Office XML 数据范围无效：%1").arg(name);
        return {};
    }
    const QByteArray compressed = file_.read(entry.compressedSize);
    if (compressed.size() != qint64(entry.compressedSize)) {
        error = uiTr("Office XML 数据被截断：%1").arg(name);
        return {};
    }

    QByteArray data;
    if (entry.method == 0) {
        if (entry.compressedSize != entry.uncompressedSize) {
            error = uiTr("Office 存储条目长度不一致：%1").arg(name);
            return {};
        }
        data = compressed;
    } else if (entry.method == 8) {
        // One inflate into exactly the declared size: a stream that would grow beyond it fails.
        // The buffer has one spare byte so the output pointer is never null for an empty entry.
        data = QByteArray(qsizetype(entry.uncompressedSize) + 1, '\0');
        z_stream stream{};
        bool ok = inflateInit2(&stream, -MAX_WBITS) == Z_OK;
        if (ok) {
            stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(compressed.constData()));
            stream.avail_in = static_cast<uInt>(compressed.size());
            stream.next_out = reinterpret_cast<Bytef*>(data.data());
            stream.avail_out = static_cast<uInt>(entry.uncompressedSize);
            ok = inflate(&stream, Z_FINISH) == Z_STREAM_END && stream.total_out == entry.uncompressedSize;
            inflateEnd(&stream);
        }
        if (!ok) {
            error = uiTr("Office XML DEFLATE 解压失败：%1").arg(name);
            return {};
        }
        data.truncate(qsizetype(entry.uncompressedSize));
    } else {
        error = uiTr("Office XML 使用不支持的压缩方法：%1").arg(static_cast<unsigned long long>(entry.method));
        return {};
    }
    const uLong crc = ::crc32(0L, reinterpret_cast<const Bytef*>(data.constData()), static_cast<uInt>(data.size()));
    if (crc != entry.crc32) {
        error = uiTr("Office XML CRC 校验失败：%1").arg(name);
        return {};
    }
    extractedBytes_ += data.size();
    return data;
}

int zipEntryNumber(const QString& name)
{
    static const QRegularExpression number(QStringLiteral("(\\d+)\\.xml$"));
    const QRegularExpressionMatch match = number.match(name);
    if (!match.hasMatch())
        return 0;
    bool ok = false;
    const int value = match.captured(1).toInt(&ok, 10);
    return ok ? value : 0;
}

QStringList listEntriesMatching(const OfficeZipArchive& archive, const QRegularExpression& expression)
{
    QStringList names;
    for (const ZipDirectoryEntry& entry : archive.entries()) {
        if (expression.match(entry.name).hasMatch())
            names.append(entry.name);
    }
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) { return zipEntryNumber(a) < zipEntryNumber(b); });
    return names;
}

} // namespace olm::repair
