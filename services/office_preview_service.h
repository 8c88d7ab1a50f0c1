#pragma once

// Safe read-only previews of DOCX, XLSX and PPTX files as a short list of HTML pages, and of each
// worksheet also as a table model. Nothing active in the document is run: the container is read
// with a bounded reader of our own and only plain text reaches the pages.

#include "common/ui_text.h"
#include "services/office_sheet_model.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QtQml/qqmlregistration.h>

#include <functional>

namespace olm::repair {

class OfficeZipArchive;

class OfficePreviewService : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QString kind READ kind NOTIFY previewChanged)
    Q_PROPERTY(QString title READ title NOTIFY previewChanged)
    Q_PROPERTY(QStringList pages READ pages NOTIFY previewChanged)
    Q_PROPERTY(int pageCount READ pageCount NOTIFY previewChanged)
    Q_PROPERTY(bool ready READ ready NOTIFY previewChanged)
    Q_PROPERTY(QString error READ error NOTIFY previewChanged)
    Q_PROPERTY(QString limitation READ limitation NOTIFY previewChanged)

public:
    static constexpr qint64 kMaxFileSize = 268435456; // 256 MiB
    static constexpr int kMaxSheets = 8;
    static constexpr int kMaxSlides = 100;

    explicit OfficePreviewService(QObject* parent = nullptr);

    QString kind() const { return kind_; }
    QString title() const { return title_; }
    QStringList pages() const;
    // One page's text, built at its first read and kept until the pages or the language change.
    Q_INVOKABLE QString page(int index) const;
    // The table of a worksheet page (XLSX only), owned by the service until the next load or
    // clear; null for any other page.
    Q_INVOKABLE olm::repair::OfficeSheetModel* sheet(int index) const;
    int pageCount() const { return static_cast<int>(pages_.size()); }
    bool ready() const;
    QString error() const { return error_.toString(); }
    QString limitation() const { return limitation_.toString(); }
    UiText errorText() const { return error_; }

    Q_INVOKABLE void load(const QUrl& source);
    Q_INVOKABLE void clear();

signals:
    void previewChanged();

private:
    void reset();
    void loadDocx(OfficeZipArchive& archive);
    void loadXlsx(OfficeZipArchive& archive);
    void loadPptx(OfficeZipArchive& archive);
    void appendPages(OfficeZipArchive& archive, const QStringList& entries, int limit,
                     const std::function<UiText(const QByteArray&, int)>& render);
    void releaseSheets();

    QString kind_;
    QString title_;
    QList<UiText> pages_;
    mutable QStringList builtPages_; // a null entry is not built yet
    QList<OfficeSheetModel*> sheets_; // one per page of a workbook
    UiText error_;
    UiText limitation_;
};

// True when the preview of the file at `path` builds at least one page without error; otherwise
// false with the preview's error in `error` (when given). Safe on any thread.
bool validateOfficePreview(const QString& path, UiText* error = nullptr);

} // namespace olm::repair
