#define KORVEX_TR_CONTEXT "olm::repair::OfficePreviewService"
#include "common/ui_tr.h"

#include "services/office_preview_service.h"

#include "services/office_html_builders.h"
#include "services/office_zip_archive.h"

#include <QFileInfo>
#include <QQmlEngine>
#include <QRegularExpression>

namespace olm::repair {

OfficePreviewService::OfficePreviewService(QObject* parent) : QObject(parent)
{
    // None in a worker thread (output validation): only a GUI-thread service follows the language.
    UiLanguageObserver::attachTo(this, [this] {
        builtPages_.clear();
        for (OfficeSheetModel* sheet : std::as_const(sheets_))
            sheet->retranslate();
        emit previewChanged();
    });
}

QString OfficePreviewService::page(int index) const
{
    if (index < 0 || index >= pages_.size())
        return {};
    if (builtPages_.size() != pages_.size())
        builtPages_ = QStringList(pages_.size(), QString());
    QString& built = builtPages_[index];
    if (built.isNull())
        built = pages_.at(index).toString();
    return built;
}

OfficeSheetModel* OfficePreviewService::sheet(int index) const
{
    return index >= 0 && index < sheets_.size() ? sheets_.at(index) : nullptr;
}

QStringList OfficePreviewService::pages() const
{
    for (int i = 0; i < pages_.size(); ++i)
        page(i);
    return builtPages_;
}

bool OfficePreviewService::ready() const { return !pages_.isEmpty() && error_.toString().isEmpty(); }

void OfficePreviewService::reset()
{
    kind_.clear();
    title_.clear();
    pages_.clear();
    builtPages_.clear();
    releaseSheets();
    error_.clear();
    limitation_.clear();
}

void OfficePreviewService::releaseSheets()
{
    // A view may still hold a table until it reads the next one: it goes once control returns.
    for (OfficeSheetModel* sheet : std::as_const(sheets_))
        sheet->deleteLater();
    sheets_.clear();
}

void OfficePreviewService::clear()
{
    reset();
    emit previewChanged();
}

void OfficePreviewService::load(const QUrl& source)
{
    reset();
    emit previewChanged();

    const QString path = source.isLocalFile() ? source.toLocalFile() : QString();
    const QFileInfo info(path);
    title_ = info.fileName();
    const QString suffix = info.suffix().toLower();
    if (path.isEmpty() || !info.exists() || !info.isFile()) {
        error_ = uiTr("预览文件不存在");
    } else if (info.size() < 1 || info.size() > kMaxFileSize) {
        error_ = uiTr("Office 文件大小超出安全预览范围（最大 256 MB）");
    } else if (suffix != u"docx" && suffix != u"xlsx" && suffix != u"pptx") {
        error_ = uiTr("内部 Office 预览仅支持 DOCX、XLSX 和 PPTX");
    } else {
        kind_ = suffix;
        OfficeZipArchive archive(path);
        if (archive.readDirectory(error_)) {
            if (kind_ == u"docx")
                loadDocx(archive);
            else if (kind_ == u"xlsx")
                loadXlsx(archive);
            else
                loadPptx(archive);
            if (error_.isEmpty() && pages_.isEmpty())
                error_ = uiTr("Office 文档中没有可安全显示的页面");
        }
    }
    emit previewChanged();
}

void OfficePreviewService::appendPages(OfficeZipArchive& archive, const QStringList& entries, int limit,
                                       const std::function<UiText(const QByteArray&, int)>& render)
{
    // Pages are numbered by their position in the sorted list, not by the numbers in the names.
    for (int i = 0; error_.isEmpty() && i < std::min<int>(int(entries.size()), limit); ++i) {
        const QByteArray xml = archive.readEntry(entries.at(i), error_);
        if (!error_.isEmpty())
            break;
        const UiText page = render(xml, i + 1);
        if (!error_.isEmpty())
            break;
        pages_.append(page);
    }
}

void OfficePreviewService::loadDocx(OfficeZipArchive& archive)
{
    const QByteArray document = archive.readEntry(QStringLiteral("word/document.xml"), error_);
    if (error_.isEmpty())
        pages_ = parseDocxParagraphs(document, error_);
    limitation_ = uiTr("安全只读预览：显示正文文本；复杂浮动版式、批注、宏和嵌入对象不执行。");
}

void OfficePreviewService::loadXlsx(OfficeZipArchive& archive)
{
    const QByteArray sharedXml = archive.readEntry(QStringLiteral("xl/sharedStrings.xml"), error_, true);
    QStringList shared;
    if (error_.isEmpty())
        shared = parseSharedStrings(sharedXml, error_);
    static const QRegularExpression sheetName(QStringLiteral("^xl/worksheets/sheet\\d+\\.xml$"));
    const QStringList sheets = listEntriesMatching(archive, sheetName);
    appendPages(archive, sheets, kMaxSheets, [&](const QByteArray& xml, int position) {
        SheetGrid grid = parseWorksheet(xml, shared, error_);
        if (!error_.isEmpty())
            return UiText();
        const UiText title = uiTr("工作表 %1").arg(position);
        UiText page = renderWorksheetHtml(grid, title);
        auto* model = new OfficeSheetModel(std::move(grid), title, this);
        // QML reads it through a method call, which would otherwise hand it to the script engine.
        QQmlEngine::setObjectOwnership(model, QQmlEngine::CppOwnership);
        sheets_.append(model);
        return page;
    });
    limitation_ = uiTr("安全只读预览：最多显示 8 个工作表、每表 200 行 × 30 列；公式不计算、外链和宏不执行。");
}

void OfficePreviewService::loadPptx(OfficeZipArchive& archive)
{
    static const QRegularExpression slideName(QStringLiteral("^ppt/slides/slide\\d+\\.xml$"));
    const QStringList slides = listEntriesMatching(archive, slideName);
    appendPages(archive, slides, kMaxSlides,
                [&](const QByteArray& xml, int position) { return renderSlideHtml(xml, position, error_); });
    limitation_ = uiTr("安全只读预览：显示每页可提取文本；动画、音视频、宏和外部链接不执行。");
}

bool validateOfficePreview(const QString& path, UiText* error)
{
    OfficePreviewService service;
    service.load(QUrl::fromLocalFile(path));
    if (error != nullptr)
        *error = service.errorText();
    return service.errorText().toString().isEmpty() && service.pageCount() > 0;
}

} // namespace olm::repair
