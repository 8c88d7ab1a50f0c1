#define KORVEX_TR_CONTEXT "olm::repair::OutputValidationService"
#include "common/ui_tr.h"
#include "common/regular_file.h"

#include "app/output_validation_service.h"

#include "app/output_checker.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QXmlStreamReader>
#include <QtEndian>

#include <algorithm>

#include "data_repair/detection.h"
#include "data_repair/format_extensions.h"

namespace olm::repair {

OutputValidationResult structurePassed() { return {true, uiTr("输出结构验证通过")}; }
OutputValidationResult structureFailed() { return {false, uiTr("输出结构验证失败")}; }
OutputValidationResult unreadableOutput() { return {false, uiTr("无法读取输出文件")}; }
OutputValidationResult beyondLimits() { return {false, uiTr("输出无法在限制范围内完成验证")}; }

namespace {

// Where XmlStreamCheck's token scanner stands.
enum XmlScan { InText, AfterLess, AfterBang, InTag, InComment, InInstruction, InDeclaration, InCData };

} // namespace

bool XmlStreamCheck::tokensWithinBound(qsizetype from)
{
    static constexpr char kCData[] = "[CDATA[";
    for (qsizetype i = from; i < pending_.size(); ++i) {
        const char c = pending_[i];
        ++tokenBytes_;
        switch (scanState_) {
        case InText:
            if (c == '<') {
                scanState_ = AfterLess;
                tokenBytes_ = 1;
                tokenStart_ = i;
            }
            break;
        case AfterLess:
            scanState_ = c == '!' ? AfterBang : c == '?' ? InInstruction : InTag;
            markerMatched_ = 0;
            quote_ = 0;
            if (c == '>') {
                scanState_ = InText;
                endMarkup(i);
            }
            break;
        case AfterBang:
            // "<!--" opens a comment, "<![CDATA[" a CDATA section, anything else a declaration.
            if (markerMatched_ == 0 && c == '-') {
                markerMatched_ = -1;
            } else if (markerMatched_ == -1) {
                scanState_ = c == '-' ? InComment : InDeclaration;
                markerMatched_ = 0;
            } else if (markerMatched_ >= 0 && c == kCData[markerMatched_]) {
                if (++markerMatched_ == int(sizeof(kCData)) - 1) {
                    scanState_ = InCData;
                    markerMatched_ = 0;
                }
            } else {
                scanState_ = InDeclaration;
                markerMatched_ = 0;
                if (c == '>') {
                    scanState_ = InText;
                    endMarkup(i);
                }
            }
            break;
        case InTag:
        case InDeclaration:
            if (quote_ != 0) {
                if (c == quote_)
                    quote_ = 0;
            } else if (c == '"' || c == '\'') {
                quote_ = c;
            } else if (scanState_ == InDeclaration && c == '[') {
                ++markerMatched_; // an internal subset, whose declarations hold '>'
            } else if (scanState_ == InDeclaration && c == ']') {
                markerMatched_ = std::max(0, markerMatched_ - 1);
            } else if (c == '>' && markerMatched_ == 0) {
                scanState_ = InText;
                endMarkup(i);
            }
            break;
        case InComment:
        case InCData: {
            const char dash = scanState_ == InComment ? '-' : ']';
            if (c == '>' && markerMatched_ >= 2) {
                scanState_ = InText;
                endMarkup(i);
            } else {
                markerMatched_ = c == dash ? std::min(markerMatched_ + 1, 2) : 0;
            }
            break;
        }
        case InInstruction:
            if (c == '>' && markerMatched_ == 1) {
                scanState_ = InText;
                endMarkup(i);
            } else {
                markerMatched_ = c == '?' ? 1 : 0;
            }
            break;
        }
        if (tokenBytes_ > kMaxTokenBytes)
            return false;
    }
    return true;
}

void XmlStreamCheck::endMarkup(qsizetype at)
{
    scanState_ = InText;
    tokenBytes_ = 0;
    tokenStart_ = at + 1;
}

void XmlStreamCheck::feed(const QByteArray& bytes)
{
    if (!error_.isEmpty() || ended_)
        return;
    const qsizetype from = pending_.size();
    pending_.append(bytes);
    if (!tokensWithinBound(from)) {
        overLimit_ = true;
        error_ = beyondLimits().message;
        pending_.clear();
        return;
    }
    // The reader is handed whole tokens only, in large pieces: a token cut between two pieces
    // would be read again from its start with every piece that follows.
    if (tokenStart_ >= kPieceBytes) {
        reader_.addData(pending_.left(tokenStart_));
        pending_.remove(0, tokenStart_);
        tokenStart_ = 0;
        readAvailable();
    }
}

void XmlStreamCheck::flushPending()
{
    if (pending_.isEmpty())
        return;
    reader_.addData(pending_);
    pending_.clear();
    tokenStart_ = 0;
    readAvailable();
}

void XmlStreamCheck::readAvailable()
{
    while (!reader_.atEnd()) {
        const QXmlStreamReader::TokenType token = reader_.readNext();
        if (token == QXmlStreamReader::StartElement && ++depth_ > kMaxDepth) {
            error_ = uiTr("元素嵌套超过 %1 层").arg(kMaxDepth);
            return;
        }
        if (token == QXmlStreamReader::EndElement)
            --depth_;
        if (token == QXmlStreamReader::EndDocument)
            ended_ = true;
    }
    // A document cut between two pieces waits for the next one.
    if (reader_.hasError() && reader_.error() != QXmlStreamReader::PrematureEndOfDocumentError)
        error_ = UiText(reader_.errorString());
}

bool XmlStreamCheck::finish()
{
    if (error_.isEmpty() && !ended_)
        flushPending();
    if (error_.isEmpty() && !ended_) {
        // Nothing more comes: what is still open is an error now.
        reader_.addData(QByteArray());
        readAvailable();
        if (error_.isEmpty() && !ended_)
            error_ = UiText(reader_.hasError() ? reader_.errorString() : QStringLiteral("premature end of document"));
    }
    return error_.isEmpty();
}

} // namespace olm::repair

namespace olm::repair::OutputValidationService {

namespace {

OutputValidationResult result(bool valid, const UiText& message) { return {valid, message}; }

OutputValidationResult validateXml(QFile& file, const ValidationControl& control)
{
    // Streamed from the file, so neither the text nor a tree of it is held in memory.
    XmlStreamCheck xml;
    while (true) {
        if (control.isCancelled())
            return result(false, uiTr("无法读取文本输出"));
        const QByteArray block = file.read(kScanBlockSize);
        if (block.isEmpty())
            break;
        xml.feed(block);
        if (xml.overLimit())
            return beyondLimits();
    }
    if (!xml.finish())
        return result(false, uiTr("XML 解析失败：%1").arg(xml.error()));
    return result(true, uiTr("文本输出解析成功"));
}

OutputValidationResult validateText(const QString& path, const QString& suffix, qint64 size, const ValidationControl& control)
{
    if (size > kTextLimit)
        return result(false, uiTr("文本验证大小超过安全限制"));
    QFile file;
    if (!openRegularFile(file, path))
        return result(false, uiTr("无法读取文本输出"));
    if (suffix == u"xml")
        return validateXml(file, control);
    const QByteArray bytes = file.readAll();
    if (suffix == u"json") {
        QJsonParseError error{};
        QJsonDocument::fromJson(bytes, &error);
        if (error.error != QJsonParseError::NoError)
            return result(false, uiTr("JSON 解析失败：%1").arg(error.errorString()));
    }
    return result(true, uiTr("文本输出解析成功"));
}

// The formats no decoder library here reads keep their signature rules: Office binary documents
// (compound files) and RTF; ".raw" is only known to be non-empty.
class SignatureOutputChecker final : public OutputChecker {
public:
    bool claimsSuffix(const QString& suffix) const override
    {
        return suffix == u"rtf" || suffix == u"raw"
            || data_repair::isListed(data_repair::extensions::kOfficeBinary, suffix.toStdString());
    }

    bool claimsContent(const QByteArray& head) const override
    {
        const data_repair::ByteBuffer start(head.begin(), head.end());
        return data_repair::hasOleSignature(start) || data_repair::hasRtfSignature(start);
    }

    OutputValidationResult check(const OutputFile& file, const ValidationControl&) const override
    {
        if (file.suffix == u"raw")
            return result(true, uiTr("RAW 无统一容器结构；已验证恢复数据非空并可在应用内安全预览"));
        const data_repair::ByteBuffer start(file.head.begin(), file.head.end());
        const bool passed = file.suffix == u"rtf" ? data_repair::hasRtfSignature(start) : data_repair::hasOleSignature(start);
        return passed ? structurePassed() : structureFailed();
    }
};

const std::vector<std::unique_ptr<OutputChecker>>& checkers()
{
    static const std::vector<std::unique_ptr<OutputChecker>> all = [] {
        std::vector<std::unique_ptr<OutputChecker>> list;
        list.push_back(makeImageOutputChecker());
        list.push_back(makeCameraRawOutputChecker());
        list.push_back(makeMediaOutputChecker());
        list.push_back(makePdfOutputChecker());
        list.push_back(makeZipPackageOutputChecker());
        list.push_back(std::make_unique<SignatureOutputChecker>());
        return list;
    }();
    return all;
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

OutputValidationResult validateOutput(const QString& path, const ValidationControl& control)
{
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile() || info.size() <= 0)
        return result(false, uiTr("输出文件不存在或为空"));
    const QString suffix = info.suffix().toLower();
    if (data_repair::isListed(data_repair::extensions::kText, suffix.toStdString()))
        return validateText(path, suffix, info.size(), control);

    QFile file;
    if (!openRegularFile(file, path))
        return unreadableOutput();
    const OutputFile output{path, suffix, info.size(), file.read(kWindowSize), QDeadlineTimer(checkTimeBudget(info.size()))};
    file.close();
    // The suffix names the kind; content decides only for a suffix no checker knows.
    for (const auto& checker : checkers())
        if (checker->claimsSuffix(suffix))
            return checker->check(output, control);
    for (const auto& checker : checkers())
        if (checker->claimsContent(output.head))
            return checker->check(output, control);
    return result(false, uiTr("尚未为该格式建立独立验证规则"));
}

} // namespace olm::repair::OutputValidationService
