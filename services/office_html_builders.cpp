#define KORVEX_TR_CONTEXT "olm::repair::OfficePreviewService"
#include "common/ui_tr.h"

#include "services/office_html_builders.h"

#include <QMap>
#include <QXmlStreamReader>

namespace olm::repair {

namespace {

const QString kPageTemplate = QStringLiteral(
    "<html><head><style>body{font-family:'Microsoft YaHei UI','Segoe UI',sans-serif;color:#24382f;font-size:14px;"
    "line-height:1.7;margin:34px 42px;background:#fff;}p{margin:0 0 12px 0;white-space:pre-wrap;}"
    "table{border-collapse:collapse;width:100%;font-size:12px;}td,th{border:1px solid #d9e2dd;padding:6px 8px;"
    "vertical-align:top;white-space:nowrap;}th{background:#edf7f1;color:#087a40;position:sticky;top:0;}"
    "h2{color:#10261b;margin-top:0;}%1</style></head><body>%2</body></html>");
const QString kSheetCss = QStringLiteral("body{margin:24px;}");
const QString kSlideCss = QStringLiteral(
    "body{background:#eef2f0;margin:26px;}.slide{background:#fff;min-height:360px;padding:38px 46px;"
    "box-shadow:0 2px 10px #ccd5d0;}.number{color:#087a40;font-size:12px;margin-bottom:24px;}"
    ".slide p{font-size:20px;line-height:1.5;margin:0 0 18px;}.slide .empty{color:#78877f;font-size:14px;}");

// Collects literal HTML and translatable pieces in order; the page is assembled when shown.
// Bodies are concatenated, never run through arg(), so a "%1" in a document stays as it is.
class PageBody {
public:
    void add(const QString& literal) { pending_ += literal; }
    void add(const UiText& text)
    {
        flush();
        parts_.append(text);
    }
    UiText build()
    {
        flush();
        const QList<UiText> parts = parts_;
        return UiText(UiText::Segment([parts] {
            QString text;
            for (const UiText& part : parts)
                text += part.toString();
            return text;
        }));
    }

private:
    void flush()
    {
        if (!pending_.isEmpty())
            parts_.append(UiText(pending_));
        pending_.clear();
    }
    QList<UiText> parts_;
    QString pending_;
};

QString readWholeText(QXmlStreamReader& reader)
{
    return reader.readElementText(QXmlStreamReader::IncludeChildElements);
}

// Column of a cell reference ("AB12" -> 27): its leading ASCII letters only. Anything past the
// shown columns is out of range at once, so a long run of letters cannot overflow.
int columnOfReference(const QString& reference)
{
    int value = 0;
    for (const QChar ch : reference) {
        const char16_t c = ch.unicode();
        int letter = 0;
        if (c >= u'A' && c <= u'Z')
            letter = c - u'A' + 1;
        else if (c >= u'a' && c <= u'z')
            letter = c - u'a' + 1;
        else
            break;
        value = value * 26 + letter;
        if (value > kSheetMaxColumns)
            return kSheetMaxColumns; // beyond the last shown column
    }
    return value - 1;
}

// At most `room` characters of `text` (never half a surrogate pair), with an ellipsis when cut.
QString shortened(const QString& text, qsizetype room)
{
    if (text.size() <= room)
        return text;
    qsizetype cut = std::max<qsizetype>(0, room);
    if (cut > 0 && text.at(cut - 1).isHighSurrogate())
        --cut;
    return text.left(cut) + QChar(0x2026);
}

} // namespace

UiText wrapHtmlPage(const UiText& body, const QString& extraCss)
{
    return UiText(UiText::Segment([body, extraCss] { return kPageTemplate.arg(extraCss, body.toString()); }));
}

namespace {

// Puts paragraphs on pages one by one, so that reading can stop once the last page is full.
class DocxPager {
public:
    // False once the last page is full: later paragraphs are never shown.
    bool add(const QString& paragraph)
    {
        QStringView rest(paragraph);
        // A paragraph longer than a page is split into pieces of at most a page.
        do {
            qsizetype cut = std::min<qsizetype>(rest.size(), kDocxPageCharacters);
            if (cut < rest.size() && rest.at(cut - 1).isHighSurrogate())
                --cut;
            if (!place(rest.first(cut)))
                return false;
            rest = rest.sliced(cut);
        } while (!rest.isEmpty());
        return true;
    }

    QList<UiText> finish()
    {
        if (!body_.isEmpty() && pages_.size() < kDocxMaxPages)
            pages_.append(wrapHtmlPage(UiText(body_), QString()));
        if (pages_.isEmpty())
            pages_.append(wrapHtmlPage(uiTr("<p style='color:#78877f'>文档中没有可显示的文本内容。</p>"), QString()));
        return pages_;
    }

private:
    // A piece goes on the current page unless its text or its markup would take the page over its
    // bound; a blank paragraph counts as one character.
    bool place(QStringView piece)
    {
        if (pages_.size() >= kDocxMaxPages)
            return false;
        const QString markup = QStringLiteral("<p>") +
            (piece.isEmpty() ? QStringLiteral("&nbsp;") : piece.toString().toHtmlEscaped()) + QStringLiteral("</p>");
        const qint64 weight = std::max<qint64>(1, piece.size());
        if (!body_.isEmpty() && (weight + running_ > kDocxPageCharacters || body_.size() + markup.size() > kDocxPageMarkup)) {
            pages_.append(wrapHtmlPage(UiText(body_), QString()));
            body_.clear();
            running_ = 0;
            if (pages_.size() >= kDocxMaxPages)
                return false;
        }
        body_ += markup;
        running_ += weight;
        return true;
    }

    QList<UiText> pages_;
    QString body_;
    qint64 running_ = 0;
};

} // namespace

QList<UiText> paginateDocxHtml(const QStringList& paragraphs)
{
    DocxPager pager;
    for (const QString& paragraph : paragraphs) {
        if (!pager.add(paragraph))
            break;
    }
    return pager.finish();
}

QList<UiText> parseDocxParagraphs(const QByteArray& documentXml, UiText& error)
{
    QXmlStreamReader reader(documentXml);
    DocxPager pager;
    QString current;
    bool inParagraph = false;
    bool full = false;
    // Reading stops once the last page is full: nothing after it would be shown.
    while (!full && !reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement()) {
            const QStringView name = reader.name();
            if (name == u"p") {
                if (inParagraph)
                    full = !pager.add(current);
                current.clear();
                inParagraph = true;
            } else if (name == u"t") {
                current += readWholeText(reader);
                // readElementText consumed the end of "t"; nothing else to do here.
            } else if (name == u"tab") {
                current += QLatin1Char('\t');
            } else if (name == u"br" || name == u"cr") {
                current += QLatin1Char('\n');
            }
        } else if (reader.isEndElement() && reader.name() == u"p") {
            full = !pager.add(current);
            current.clear();
            inParagraph = false;
        }
    }
    if (reader.hasError()) {
        error = uiTr("DOCX XML 解析失败：%1").arg(reader.errorString());
        return {};
    }
    if (inParagraph && !full)
        pager.add(current);
    return pager.finish();
}

QStringList parseSharedStrings(const QByteArray& xml, UiText& error)
{
    if (xml.isEmpty())
        return {};
    QXmlStreamReader reader(xml);
    QStringList table;
    QString current;
    bool inItem = false;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement()) {
            if (reader.name() == u"si") {
                current.clear();
                inItem = true;
            } else if (reader.name() == u"t" && inItem) {
                current += readWholeText(reader);
            }
        } else if (reader.isEndElement() && reader.name() == u"si") {
            table.append(current);
            current.clear();
            inItem = false;
        }
    }
    if (reader.hasError()) {
        error = uiTr("XLSX 共享字符串解析失败：%1").arg(reader.errorString());
        return {};
    }
    return table;
}

QString spreadsheetColumnName(int column)
{
    QString name;
    while (column > 0) {
        name.prepend(QChar(u'A' + (column - 1) % 26));
        column = (column - 1) / 26;
    }
    return name;
}

SheetGrid parseWorksheet(const QByteArray& sheetXml, const QStringList& sharedStrings, UiText& error)
{
    QXmlStreamReader reader(sheetXml);
    QMap<int, QMap<int, UiText>> grid;
    // 64-bit so that a crafted row number (r="2147483647", or r="-2147483648") cannot overflow.
    qint64 row = -1;
    int column = -1;
    QString cellType;
    QString cellText;
    qsizetype room = kSheetPageCharacters;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement()) {
            const QStringView name = reader.name();
            if (name == u"row") {
                bool ok = false;
                const int r = reader.attributes().value(QLatin1String("r")).toInt(&ok, 10);
                row = ok ? qint64(r) - 1 : row + 1;
            } else if (name == u"c") {
                column = columnOfReference(reader.attributes().value(QLatin1String("r")).toString());
                cellType = reader.attributes().value(QLatin1String("t")).toString();
                cellText.clear();
            } else if (name == u"v" || (name == u"t" && cellType == u"inlineStr")) {
                cellText += readWholeText(reader);
            }
        } else if (reader.isEndElement() && reader.name() == u"c") {
            if (row >= 0 && row < kSheetMaxRows && column >= 0 && column < kSheetMaxColumns) {
                const QString* text = &cellText;
                bool valid = true;
                if (cellType == u"s") {
                    bool ok = false;
                    const int index = cellText.toInt(&ok, 10);
                    valid = ok && index >= 0 && index < sharedStrings.size();
                    if (valid)
                        text = &sharedStrings.at(index);
                }
                const qsizetype take = std::min<qsizetype>(kSheetCellCharacters, room);
                const QString shown = shortened(*text, take);
                room -= std::min(take, text->size());
                grid[int(row)][column] = valid ? UiText(shown) : uiTr("[无效共享字符串]");
            }
        }
    }
    if (reader.hasError()) {
        error = uiTr("XLSX 工作表解析失败：%1").arg(reader.errorString());
        return {};
    }

    SheetGrid shown;
    shown.rows = grid.isEmpty() ? 1 : grid.lastKey() + 1;
    shown.columns = 1;
    for (const auto& cells : grid) {
        if (!cells.isEmpty())
            shown.columns = std::max(shown.columns, cells.lastKey() + 1);
    }
    shown.cells = QList<UiText>(qsizetype(shown.rows) * shown.columns);
    for (auto row = grid.constBegin(); row != grid.constEnd(); ++row) {
        for (auto cell = row->constBegin(); cell != row->constEnd(); ++cell)
            shown.cells[qsizetype(row.key()) * shown.columns + cell.key()] = cell.value();
    }
    return shown;
}

UiText renderWorksheetHtml(const QByteArray& sheetXml, const QStringList& sharedStrings, const UiText& title, UiText& error)
{
    const SheetGrid grid = parseWorksheet(sheetXml, sharedStrings, error);
    if (!error.isEmpty())
        return {};
    return renderWorksheetHtml(grid, title);
}

UiText renderWorksheetHtml(const SheetGrid& grid, const UiText& title)
{
    const int lastRow = grid.rows - 1;
    const int lastColumn = grid.columns - 1;
    PageBody body;
    body.add(QStringLiteral("<h2>"));
    body.add(title.toHtmlEscaped());
    body.add(QStringLiteral("</h2><table><tr><th>#</th>"));
    for (int c = 1; c <= lastColumn + 1; ++c)
        body.add(QStringLiteral("<th>") + spreadsheetColumnName(c) + QStringLiteral("</th>"));
    body.add(QStringLiteral("</tr>"));
    for (int i = 0; i <= lastRow; ++i) {
        body.add(QStringLiteral("<tr><th>") + QString::number(i + 1) + QStringLiteral("</th>"));
        for (int c = 0; c <= lastColumn; ++c) {
            body.add(QStringLiteral("<td>"));
            const UiText& cell = grid.cell(i, c);
            if (!cell.isEmpty())
                body.add(cell.toHtmlEscaped());
            body.add(QStringLiteral("</td>"));
        }
        body.add(QStringLiteral("</tr>"));
    }
    body.add(QStringLiteral("</table>"));
    return wrapHtmlPage(body.build(), kSheetCss);
}

UiText renderSlideHtml(const QByteArray& slideXml, int slideNumber, UiText& error)
{
    QXmlStreamReader reader(slideXml);
    QStringList runs;
    qsizetype room = kSlidePageCharacters;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.name() == u"t") {
            const QString run = readWholeText(reader).trimmed();
            if (!run.isEmpty() && room > 0) {
                runs.append(shortened(run, room));
                room -= std::min(room, run.size());
            }
        }
    }
    if (reader.hasError()) {
        error = uiTr("PPTX 幻灯片解析失败：%1").arg(reader.errorString());
        return {};
    }
    PageBody body;
    body.add(uiTr("<div class='slide'><div class='number'>幻灯片 %1</div>").arg(slideNumber));
    for (const QString& run : runs)
        body.add(QStringLiteral("<p>") + run.toHtmlEscaped() + QStringLiteral("</p>"));
    if (runs.isEmpty())
        body.add(uiTr("<p class='empty'>此页没有可显示的文本内容。</p>"));
    body.add(QStringLiteral("</div>"));
    return wrapHtmlPage(body.build(), kSlideCss);
}

} // namespace olm::repair
