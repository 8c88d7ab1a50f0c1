#include "services/zip_directory.h"

#include <QByteArray>
#include <QtEndian>

#include <algorithm>
#include <utility>

namespace olm::repair {

namespace {

constexpr qint64 kMaxCommentSize = 65535;
constexpr qint64 kDirectoryRecordSize = 46;
constexpr qint64 kZip64LocatorSize = 20;
constexpr qint64 kZip64EndSize = 56;
constexpr quint32 kEndSignature = 0x06054B50;
constexpr quint32 kZip64EndSignature = 0x06064B50;
constexpr quint32 kZip64LocatorSignature = 0x07064B50;
constexpr quint32 kDirectorySignature = 0x02014B50;
constexpr quint16 kZip64ExtraId = 0x0001;
constexpr quint16 kUtf8NameFlag = 0x0800;

quint16 le16(const char* p) { return qFromLittleEndian<quint16>(p); }
quint32 le32(const char* p) { return qFromLittleEndian<quint32>(p); }
quint64 le64(const char* p) { return qFromLittleEndian<quint64>(p); }

// `length` bytes at `offset`, or fewer when they are not all inside the file.
QByteArray readAt(QFile& file, qint64 size, qint64 offset, qint64 length)
{
    if (offset < 0 || length < 0 || offset > size || length > size - offset || !file.seek(offset))
        return {};
    return file.read(length);
}

// Fields saturated at 0xFFFFFFFF take their values from the ZIP64 extra field, in order.
bool applyZip64Extra(ZipDirectoryEntry& entry, const QByteArray& extra)
{
    const bool wantsSize = entry.uncompressedSize == 0xFFFFFFFFu;
    const bool wantsCompressed = entry.compressedSize == 0xFFFFFFFFu;
    const bool wantsOffset = entry.localHeaderOffset == 0xFFFFFFFFu;
    if (!wantsSize && !wantsCompressed && !wantsOffset)
        return true;
    qsizetype pos = 0;
    while (extra.size() - pos >= 4) {
        const quint16 id = le16(extra.constData() + pos);
        const quint16 length = le16(extra.constData() + pos + 2);
        if (extra.size() - pos - 4 < length)
            return false;
        if (id == kZip64ExtraId) {
            const char* field = extra.constData() + pos + 4;
            qsizetype left = length;
            for (auto [wanted, target] : {std::pair{wantsSize, &entry.uncompressedSize},
                                          std::pair{wantsCompressed, &entry.compressedSize},
                                          std::pair{wantsOffset, &entry.localHeaderOffset}}) {
                if (!wanted)
                    continue;
                if (left < 8)
                    return false;
                *target = le64(field);
                field += 8;
                left -= 8;
            }
            return true;
        }
        pos += 4 + length;
    }
    return false;
}

ZipDirectory refused(ZipDirectoryFault fault) { return ZipDirectory{fault, {}}; }

} // namespace

ZipDirectory readZipDirectory(QFile& file, qint64 size, const ZipDirectoryOptions& options)
{
    if (size < kZipEndRecordSize)
        return refused(ZipDirectoryFault::NoEndRecord);
    const qint64 tailSize = std::min<qint64>(size, kZipEndRecordSize + kMaxCommentSize);
    const QByteArray tail = readAt(file, size, size - tailSize, tailSize);
    if (tail.size() != tailSize)
        return refused(ZipDirectoryFault::EndUnreadable);

    qint64 found = -1;
    for (qint64 p = tailSize - kZipEndRecordSize; p >= 0; --p) {
        const char* record = tail.constData() + p;
        if (le32(record) == kEndSignature && p + kZipEndRecordSize + le16(record + 20) == tailSize) {
            found = p;
            break;
        }
    }
    if (found < 0)
        return refused(ZipDirectoryFault::NoEndRecord);
    const char* end = tail.constData() + found;
    const quint16 entriesOnDisk = le16(end + 8);
    quint64 total = le16(end + 10);
    quint64 directorySize = le32(end + 12);
    quint64 directoryOffset = le32(end + 16);
    if (le16(end + 4) != 0 || le16(end + 6) != 0 || (options.entriesOnDiskMatchTotal && entriesOnDisk != total))
        return refused(ZipDirectoryFault::Spanned);
    if (total == 0xFFFF || directorySize == 0xFFFFFFFFu || directoryOffset == 0xFFFFFFFFu) {
        if (!options.zip64)
            return refused(ZipDirectoryFault::Zip64);
        const qint64 endOffset = size - tailSize + found;
        const QByteArray locator = readAt(file, size, endOffset - kZip64LocatorSize, kZip64LocatorSize);
        if (locator.size() != kZip64LocatorSize || le32(locator.constData()) != kZip64LocatorSignature)
            return refused(ZipDirectoryFault::Zip64EndInvalid);
        const quint64 recordOffset = le64(locator.constData() + 8);
        const QByteArray record = recordOffset > quint64(size) ? QByteArray() : readAt(file, size, qint64(recordOffset), kZip64EndSize);
        if (record.size() != kZip64EndSize || le32(record.constData()) != kZip64EndSignature)
            return refused(ZipDirectoryFault::Zip64EndInvalid);
        total = le64(record.constData() + 32);
        directorySize = le64(record.constData() + 40);
        directoryOffset = le64(record.constData() + 48);
    }
    if (options.maxEntries && total > *options.maxEntries)
        return refused(ZipDirectoryFault::TooManyEntries);
    // Compared without sums: two large fields must not wrap around into a small value.
    if (directoryOffset > quint64(size) || directorySize > quint64(size) - directoryOffset
        || (options.recordsWithinDirectory && total > directorySize / kDirectoryRecordSize))
        return refused(ZipDirectoryFault::DirectoryOutOfRange);
    if (!file.seek(qint64(directoryOffset)))
        return refused(ZipDirectoryFault::DirectoryUnreadable);

    const qint64 recordBound = options.recordsWithinDirectory ? qint64(directoryOffset + directorySize) : size;
    ZipDirectory directory;
    // Every record takes at least its fixed part of the file: a count beyond that cannot be real.
    directory.entries.reserve(qsizetype(std::min<quint64>(total, quint64(size) / kDirectoryRecordSize)));
    quint64 compressedTotal = 0;
    for (quint64 i = 0; i < total; ++i) {
        const QByteArray record = file.read(kDirectoryRecordSize);
        if (record.size() != kDirectoryRecordSize || le32(record.constData()) != kDirectorySignature)
            return refused(ZipDirectoryFault::RecordInvalid);
        const char* r = record.constData();
        ZipDirectoryEntry entry;
        entry.flags = le16(r + 8);
        entry.method = le16(r + 10);
        entry.crc32 = le32(r + 16);
        entry.compressedSize = le32(r + 20);
        entry.uncompressedSize = le32(r + 24);
        entry.localHeaderOffset = le32(r + 42);
        if (!options.zip64
            && (entry.compressedSize == 0xFFFFFFFFu || entry.uncompressedSize == 0xFFFFFFFFu
                || entry.localHeaderOffset == 0xFFFFFFFFu))
            return refused(ZipDirectoryFault::Zip64Entry);
        const qint64 nameSize = le16(r + 28), extraSize = le16(r + 30), commentSize = le16(r + 32);
        if (file.pos() + nameSize + extraSize + commentSize > recordBound)
            return refused(ZipDirectoryFault::RecordTruncated);
        const QByteArray name = file.read(nameSize);
        const QByteArray extra = file.read(extraSize);
        if (name.size() != nameSize || extra.size() != extraSize || !file.seek(file.pos() + commentSize))
            return refused(ZipDirectoryFault::RecordTruncated);
        if (options.zip64 && !applyZip64Extra(entry, extra))
            return refused(ZipDirectoryFault::Zip64ExtraInvalid);
        if (options.refuseOverlap) {
            if (entry.compressedSize > quint64(size) - compressedTotal)
                return refused(ZipDirectoryFault::Overlapping);
            compressedTotal += entry.compressedSize;
        }
        entry.name = (entry.flags & kUtf8NameFlag) != 0 ? QString::fromUtf8(name) : QString::fromLatin1(name);
        if (options.refuseNulInNames && entry.name.contains(QChar(u'\0')))
            return refused(ZipDirectoryFault::NameInvalid);
        directory.entries.append(std::move(entry));
        if ((i & 1023) == 0 && options.cancelled && options.cancelled())
            return refused(ZipDirectoryFault::Cancelled);
    }
    return directory;
}

} // namespace olm::repair
