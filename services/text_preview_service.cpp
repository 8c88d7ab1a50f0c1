#include "services/text_preview_service.h"

#include "common/regular_file.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "services/binary_preview_service.h"

#define KORVEX_TR_CONTEXT "olm::repair::TextPreviewService"
#include "common/ui_tr.h"

namespace olm::repair {

namespace {

// Size of the indented form, estimated without building it: every member or element takes a
// line indented by four spaces per level.
qint64 indentedCost(const QJsonValue& value, qint64 depth, qint64 budget)
{
    qint64 cost = 0;
    auto add = [&](qint64 amount) {
        cost += amount;
        return cost <= budget;
    };
    if (value.isArray()) {
        const QJsonArray array = value.toArray();
        for (const QJsonValue& item : array) {
            if (!add(4 * (depth + 1) + 2))
                return cost;
            if (!add(indentedCost(item, depth + 1, budget - cost)))
                return cost;
        }
        add(4 * depth + 2);
    } else if (value.isObject()) {
        const QJsonObject object = value.toObject();
        for (auto it = object.begin(); it != object.end(); ++it) {
            if (!add(4 * (depth + 1) + it.key().size() * 3 + 6))
                return cost;
            if (!add(indentedCost(it.value(), depth + 1, budget - cost)))
                return cost;
        }
        add(4 * depth + 2);
    } else if (value.isString()) {
        add(value.toString().size() * 6 + 2);
    } else {
        add(24);
    }
    return cost;
}

} // namespace

QStringList textDisplayBlocks(const QString& text)
{
    using Service = TextPreviewService;
    QStringList blocks;
    QString current;
    int lines = 0;
    auto add = [&](QStringView piece) {
        if (lines > 0 && (lines >= Service::kBlockLines || current.size() + 1 + piece.size() > Service::kBlockCharacters)) {
            blocks.append(current);
            current.clear();
            lines = 0;
        }
        if (lines > 0)
            current += QLatin1Char('\n');
        current += piece;
        ++lines;
    };
    const QStringView all(text);
    qsizetype start = 0;
    for (;;) {
        const qsizetype feed = all.indexOf(QLatin1Char('\n'), start);
        const qsizetype end = feed < 0 ? all.size() : feed;
        QStringView line = all.sliced(start, end - start);
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.isEmpty())
            add(line);
        while (!line.isEmpty()) {
            qsizetype cut = std::min<qsizetype>(line.size(), Service::kSegmentCharacters);
            // Never between the two halves of a surrogate pair.
            if (cut < line.size() && line.at(cut - 1).isHighSurrogate())
                --cut;
            add(line.first(cut));
            line = line.sliced(cut);
        }
        if (feed < 0)
            break;
        start = feed + 1;
    }
    if (lines > 0)
        blocks.append(current);
    return blocks;
}

TextPreviewService::TextPreviewService(QObject* parent) : QObject(parent)
{
    UiLanguageObserver::attachTo(this, [this] { emit previewChanged(); });
}

QString TextPreviewService::block(int index) const
{
    return index >= 0 && index < blocks_.size() ? blocks_.at(index) : QString();
}

void TextPreviewService::clear()
{
    text_.clear();
    blocks_.clear();
    error_.clear();
    emit previewChanged();
}

void TextPreviewService::fail(const UiText& error)
{
    text_.clear();
    blocks_.clear();
    error_ = error;
    emit previewChanged();
}

void TextPreviewService::load(const QUrl& source)
{
    text_.clear();
    blocks_.clear();
    error_.clear();
    emit previewChanged();

    const QString path = source.isLocalFile() ? source.toLocalFile() : QString();
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists() || !info.isFile())
        return fail(uiTr("预览文件不存在"));
    if (info.size() < 1 || info.size() > kLimitBytes)
        return fail(uiTr("文本文件为空或超过 8 MB 安全预览上限"));
    QFile file;
    if (!openRegularFile(file, path))
        return fail(uiTr("无法读取文本预览文件"));
    // The file may have grown since it was measured: never read past the limit.
    const QByteArray bytes = file.read(kLimitBytes + 1);
    if (bytes.isEmpty() || bytes.size() > kLimitBytes)
        return fail(uiTr("文本文件为空或超过 8 MB 安全预览上限"));

    bool valid = false;
    QString decoded = decodeUtf8Window(bytes, &valid);
    if (!valid)
        return fail(uiTr("文件不是有效的 UTF-8 文本"));

    if (info.suffix().compare(QLatin1String("json"), Qt::CaseInsensitive) == 0) {
        QJsonParseError parseError{};
        const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
        if (parseError.error != QJsonParseError::NoError)
            return fail(uiTr("JSON 解析失败：%1").arg(parseError.errorString()));
        const QJsonValue root = document.isArray() ? QJsonValue(document.array()) : QJsonValue(document.object());
        if (indentedCost(root, 0, kIndentedLimitBytes) <= kIndentedLimitBytes)
            decoded = QString::fromUtf8(document.toJson(QJsonDocument::Indented));
    }
    text_ = decoded;
    blocks_ = textDisplayBlocks(text_);
    emit previewChanged();
}

} // namespace olm::repair
