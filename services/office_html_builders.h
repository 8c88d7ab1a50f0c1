#pragma once

// Builders of the read-only HTML pages of the Office preview: only text reaches a page, every text
// from the document is HTML-escaped, and translatable pieces are translated each time a page is
// shown.

#include "common/ui_text.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace olm::repair {

inline constexpr int kDocxPageCharacters = 6000;
// Body markup of one page: escaping and paragraph tags make it larger than its text, and blank
// paragraphs have no text at all.
inline constexpr int kDocxPageMarkup = 32768;
inline constexpr int kDocxMaxPages = 200;
inline constexpr int kSheetMaxRows = 200;
inline constexpr int kSheetMaxColumns = 30;
// Text shown on a sheet page, per cell and in all: one shared string may fill every cell.
inline constexpr int kSheetCellCharacters = 1000;
inline constexpr int kSheetPageCharacters = 60000;
// Text shown on a slide page.
inline constexpr int kSlidePageCharacters = 6000;

// The shown part of one worksheet: rows 1..rows and columns A.. of `columns`, at least one of each,
// row by row; a cell that holds nothing is empty.
struct SheetGrid {
    int rows = 1;
    int columns = 1;
    QList<UiText> cells = QList<UiText>(1);

    const UiText& cell(int row, int column) const { return cells.at(qsizetype(row) * columns + column); }
};

UiText wrapHtmlPage(const UiText& body, const QString& extraCss);

QList<UiText> parseDocxParagraphs(const QByteArray& documentXml, UiText& error);
QList<UiText> paginateDocxHtml(const QStringList& paragraphs);
QStringList parseSharedStrings(const QByteArray& xml, UiText& error);
SheetGrid parseWorksheet(const QByteArray& sheetXml, const QStringList& sharedStrings, UiText& error);
UiText renderWorksheetHtml(const SheetGrid& grid, const UiText& title);
UiText renderWorksheetHtml(const QByteArray& sheetXml, const QStringList& sharedStrings, const UiText& title, UiText& error);
UiText renderSlideHtml(const QByteArray& slideXml, int slideNumber, UiText& error);

// Spreadsheet column letters of a 1-based column number: 1 -> A, 27 -> AA.
QString spreadsheetColumnName(int column);

} // namespace olm::repair
