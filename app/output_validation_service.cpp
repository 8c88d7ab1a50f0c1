#define KORVEX_TR_CONTEXT "olm::repair::OutputValidationService"
#include "common/ui_tr.h"
#include "common/regular_file.h"

#include "app/output_validation_service.h"

#include "services/office_preview_service.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QXmlStreamReader>
#include <QtEndian>

#include <algorithm>

#include "data_repair/detection.h"

namespace olm::repair::OutputValidationService {

namespace {

OutputValidationResult result(bool valid, const UiText& message) { return {valid, message}; }

// Deeper nesting than any real document has; the reader's own element stack grows with it.
constexpr int kMaxXmlDepth = 1024;

OutputValidationResult validateXml(QFile& file)
{
    // Streamed from the file, so neither the text nor a tree of it is held in memory.
    QXmlStreamReader reader(&file);
    int depth = 0;
    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::StartElement && ++depth > kMaxXmlDepth)
            return result(false, uiTr("XML 解析失败：%1").arg(uiTr("元素嵌套超过 %1 层").arg(kMaxXmlDepth)));
        if (token == QXmlStreamReader::EndElement)
            --depth;
    }
    if (reader.hasError())
        return result(false, uiTr("XML 解析失败：%1").arg(reader.errorString()));
    return result(true, uiTr("文本输出解析成功"));
}

OutputValidationResult validateText(const QString& path, const QString& suffix, qint64 size)
{
    if (size > kTextLimit)
        return result(false, uiTr("文本验证大小超过安全限制"));
    QFile file;
    if (!openRegularFile(file, path))
        return result(false, uiTr("无法读取文本输出"));
    if (suffix == u"xml")
        return validateXml(file);
    const QByteArray bytes = file.readAll();
    if (suffix == u"json") {
        QJsonParseError error{};
        QJsonDocument::fromJson(bytes, &error);
        if (error.error != QJsonParseError::NoError)
            return result(false, uiTr("JSON 解析失败：%1").arg(error.errorString()));
    }
    return result(true, uiTr("文本输出解析成功"));
}

OutputValidationResult validateImage(const QString& path)
{
    QImageReader reader(path);
    if (reader.canRead())
        return result(true, uiTr("图片可由独立解码器读取"));
    return result(false, uiTr("图片解码验证失败：%1").arg(reader.errorString()));
}

bool isAdtsOrMpegSync(const QByteArray& head, unsigned char mask)
{
    return head.size() >= 2 && static_cast<unsigned char>(head.at(0)) == 0xFF
        && (static_cast<unsigned char>(head.at(1)) & mask) == mask;
}

// A hostile output could be made of millions of tiny boxes; real ones have a handful at the top.
constexpr int kMaxTopLevelBoxes = 100000;

// True when the top level of an ISO media file holds a "moov" (or, fragmented, a "moof") box:
// without one no player finds the media, however sound the rest looks. Only box headers are read.
bool hasTopLevelMediaIndex(const QString& path)
{
    QFile file;
    if (!openRegularFile(file, path))
        return false;
    const quint64 size = static_cast<quint64>(file.size());
    quint64 pos = 0;
    for (int boxes = 0; boxes < kMaxTopLevelBoxes && size - pos >= 8; ++boxes) {
        if (!file.seek(static_cast<qint64>(pos)))
            return false;
        const QByteArray header = file.read(16);
        if (header.size() < 8)
            return false;
        const QByteArray type = header.mid(4, 4);
        if (type == "moov" || type == "moof")
            return true;
        quint64 length = qFromBigEndian<quint32>(header.constData());
        if (length == 1 && header.size() == 16)
            length = qFromBigEndian<quint64>(header.constData() + 8);
        if (length < 8 || length > size - pos) // 0 ("to the end") included: nothing follows it
            return false;
        pos += length;
    }
    return false;
}

// The structure rule of a suffix: nullopt when no rule exists for it.
std::optional<bool> structureRule(const QString& suffix, const QString& path, const QByteArray& head, const QByteArray& tail,
                                  bool& officePackage)
{
    officePackage = false;
    // The signatures are the engine's own tests, so output and input are judged alike.
    const data_repair::ByteBuffer start(head.begin(), head.end());
    if (suffix == u"pdf")
        return data_repair::hasPdfSignature(start) && tail.contains("%%EOF");
    if (suffix == u"docx" || suffix == u"xlsx" || suffix == u"pptx" || suffix == u"zip") {
        if (!startsWithBytes(head, "PK")
            || (!tail.contains(QByteArray::fromHex("504b0506")) && !tail.contains(QByteArray::fromHex("504b0606"))))
            return false;
        if (suffix == u"zip")
            return true;
        const QByteArray folder = suffix == u"docx" ? "word/" : suffix == u"xlsx" ? "xl/" : "ppt/";
        officePackage = fileContainsAllMarkers(path, {QByteArray("[Content_Types].xml"), folder});
        return officePackage;
    }
    if (suffix == u"doc" || suffix == u"xls" || suffix == u"ppt")
        return data_repair::hasOleSignature(start);
    if (suffix == u"rtf")
        return data_repair::hasRtfSignature(start);
    if (suffix == u"wav")
        return data_repair::isWaveStart(start);
    if (suffix == u"mp3")
        return startsWithBytes(head, "ID3") || isAdtsOrMpegSync(head, 0xE0);
    if (suffix == u"mp4" || suffix == u"mov" || suffix == u"m4v" || suffix == u"m4a")
        return data_repair::isFtypStart(start) && hasTopLevelMediaIndex(path);
    if (suffix == u"wmv" || suffix == u"wma" || suffix == u"asf")
        return data_repair::hasAsfSignature(start);
    if (suffix == u"ogg")
        return data_repair::isOggStart(start);
    if (suffix == u"aac")
        return isAdtsOrMpegSync(head, 0xF0);
    return std::nullopt;
}

} // namespace

bool startsWithBytes(const QByteArray& bytes, const QByteArray& prefix)
{
    return bytes.size() >= prefix.size() && bytes.startsWith(prefix);
}

bool fileContainsAllMarkers(const QString& path, const QList<QByteArray>& markers)
{
    QFile file;
    if (!openRegularFile(file, path) || file.size() == 0)
        return false;
    QList<bool> found(markers.size(), false);
    qsizetype longest = 0;
    for (const QByteArray& marker : markers)
        longest = std::max(longest, marker.size());
    const qsizetype overlap = longest >= 2 ? longest - 1 : 0;
    QByteArray carried;
    while (true) {
        const QByteArray block = file.read(kScanBlockSize);
        if (block.isEmpty())
            return false;
        const QByteArray window = carried + block;
        bool all = true;
        for (qsizetype i = 0; i < markers.size(); ++i) {
            if (!found[i] && window.contains(markers[i]))
                found[i] = true;
            all = all && found[i];
        }
        if (all)
            return true;
        carried = window.right(std::min(overlap, window.size()));
    }
}

OutputValidationResult validateOutput(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile() || info.size() <= 0)
        return result(false, uiTr("输出文件不存在或为空"));
    const QString suffix = info.suffix().toLower();
    if (suffix == u"txt" || suffix == u"csv" || suffix == u"xml" || suffix == u"json")
        return validateText(path, suffix, info.size());
    static const QStringList imageSuffixes = {QStringLiteral("jpg"), QStringLiteral("jpeg"), QStringLiteral("png"),
                                              QStringLiteral("gif"), QStringLiteral("bmp"),  QStringLiteral("tif"),
                                              QStringLiteral("tiff"), QStringLiteral("webp")};
    if (imageSuffixes.contains(suffix))
        return validateImage(path);

    QFile file;
    if (!openRegularFile(file, path))
        return result(false, uiTr("无法读取输出文件"));
    const QByteArray head = file.read(kWindowSize);
    QByteArray tail = head;
    if (file.size() > kWindowSize) {
        if (!file.seek(file.size() - kWindowSize))
            return result(false, uiTr("无法读取输出文件"));
        tail = file.read(kWindowSize);
    }
    if (suffix == u"raw")
        return result(true, uiTr("RAW 无统一容器结构；已验证恢复数据非空并可在应用内安全预览"));
    bool officePackage = false;
    const std::optional<bool> passed = structureRule(suffix, path, head, tail, officePackage);
    if (!passed)
        return result(false, uiTr("尚未为该格式建立独立验证规则"));
    if (*passed && officePackage) {
        UiText previewError;
        if (!validateOfficePreview(path, &previewError))
            return result(false, uiTr("Office 内部预览验证失败：%1").arg(previewError));
    }
    return *passed ? result(true, uiTr("输出结构验证通过")) : result(false, uiTr("输出结构验证失败"));
}

} // namespace olm::repair::OutputValidationService
