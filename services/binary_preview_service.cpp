#include "services/binary_preview_service.h"

#include "common/regular_file.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#define KORVEX_TR_CONTEXT "olm::repair::BinaryPreviewService"
#include "common/ui_tr.h"

namespace olm::repair {

BinaryPreviewService::BinaryPreviewService(QObject* parent) : QObject(parent)
{
    UiLanguageObserver::attachTo(this, [this] { emit previewChanged(); });
}

bool BinaryPreviewService::ready() const { return error().isEmpty() && !text().isEmpty(); }

void BinaryPreviewService::clear()
{
    text_.clear();
    error_.clear();
    emit previewChanged();
}

QString decodeUtf8Window(const QByteArray& bytes, bool* valid)
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    QString text = decoder.decode(bytes);
    if (valid != nullptr)
        *valid = !decoder.hasError();
    return text;
}

QString formatHexDump(const QByteArray& bytes)
{
    static const char digits[] = "0123456789abcdef";
    QString out;
    out.reserve(bytes.size() * 5);
    for (qsizetype line = 0; line < bytes.size(); line += 16) {
        out += QStringLiteral("%1  ").arg(line, 8, 16, QLatin1Char('0'));
        const qsizetype count = std::min<qsizetype>(16, bytes.size() - line);
        for (qsizetype i = 0; i < 16; ++i) {
            if (i < count) {
                const auto b = static_cast<unsigned char>(bytes[line + i]);
                out += QLatin1Char(digits[b >> 4]);
                out += QLatin1Char(digits[b & 15]);
                out += QLatin1Char(' ');
            } else {
                out += QStringLiteral("   ");
            }
            if (i == 7)
                out += QLatin1Char(' ');
        }
        out += QStringLiteral(" |");
        for (qsizetype i = 0; i < count; ++i) {
            const auto b = static_cast<unsigned char>(bytes[line + i]);
            out += (b >= 32 && b <= 126) ? QLatin1Char(static_cast<char>(b)) : QLatin1Char('.');
        }
        out += QStringLiteral("|\n");
    }
    return out;
}

void BinaryPreviewService::load(const QUrl& source)
{
    text_.clear();
    error_.clear();
    emit previewChanged();

    const QString path = source.isLocalFile() ? source.toLocalFile() : QString();
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists() || !info.isFile()) {
        error_ = uiTr("安全数据预览文件不存在");
        emit previewChanged();
        return;
    }
    QFile file;
    if (!openRegularFile(file, path)) {
        error_ = uiTr("无法读取安全数据预览文件：%1").arg(file.errorString());
        emit previewChanged();
        return;
    }
    const qint64 size = file.size();
    const QByteArray window = file.read(kWindowBytes);
    if (window.isEmpty() && size > 0) {
        error_ = uiTr("无法读取恢复数据");
        emit previewChanged();
        return;
    }

    // All header values are substituted in one pass, so a file name holding "%2" stays as it is.
    const QString fileName = info.fileName();
    const qint64 windowSize = window.size();
    const bool partial = windowSize < size;
    const UiText rest = partial ? uiTr("（其余内容未显示）") : UiText();
    const UiText header = uiTr("安全数据预览（只读）\n文件：%1\n恢复数据大小：%2 字节\n显示范围：前 %3 字节%4\n\n"
                               "说明：同源冗余副本已经恢复，但恢复出的源基线不符合扩展名所声明的格式。"
                               "下面显示恢复数据本身，不会调用任何第三方软件。\n\n");
    UiText preview(UiText::Segment([header, fileName, size, windowSize, rest] {
        return header.toString().arg(fileName, QString::number(size), QString::number(windowSize), rest.toString());
    }));

    bool valid = false;
    const QString decoded = decodeUtf8Window(window, &valid);
    if (valid && !decoded.isEmpty()) {
        qsizetype readable = 0;
        for (const QChar c : decoded) {
            if (c.unicode() != 0 && (c.isPrint() || c.isSpace()))
                ++readable;
        }
        if (readable * 100 / decoded.size() > 84) {
            qsizetype cut = std::min<qsizetype>(decoded.size(), kExcerptUnits);
            // Never end the excerpt on the first half of a surrogate pair.
            if (cut < decoded.size() && decoded.at(cut - 1).isHighSurrogate())
                --cut;
            const QString excerpt = decoded.left(cut);
            const UiText block = uiTr("可读文本片段：\n----------------\n%1\n----------------\n\n");
            preview = UiText(UiText::Segment([preview, block, excerpt] {
                return preview.toString() + block.toString().arg(excerpt);
            }));
        }
    }
    const UiText heading = uiTr("十六进制数据：\n");
    const QString dump = formatHexDump(window);
    text_ = UiText(UiText::Segment([preview, heading, dump] { return preview.toString() + heading.toString() + dump; }));
    emit previewChanged();
}

} // namespace olm::repair
