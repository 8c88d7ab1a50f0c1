// A PDF counts as repaired when Qt PDF (PDFium) loads it, finds at least one page and renders the
// first: a file that only looks like a PDF at its ends (no catalog, no page tree) fails here.
// Qt PDF can be neither stopped nor bounded once it works, so what it would face is judged first:
// a page tree deeper, or a first page drawing more forms, than the limits is not verifiable.

#include "app/output_checker.h"
#include "app/pdf_render_cost.h"

#include "data_repair/detection.h"

#include <QImage>
#include <QPdfDocument>
#include <QSizeF>

namespace olm::repair {

namespace {

constexpr int kRenderEdge = 256; // the first page is rendered this wide (or high) at most

class PdfOutputChecker final : public OutputChecker {
public:
    bool claimsSuffix(const QString& suffix) const override { return suffix == u"pdf"; }

    bool claimsContent(const QByteArray& head) const override
    {
        return data_repair::hasPdfSignature(data_repair::ByteBuffer(head.begin(), head.end()));
    }

    OutputValidationResult check(const OutputFile& file, const ValidationControl& control) const override
    {
        if (!data_repair::hasPdfSignature(data_repair::ByteBuffer(file.head.begin(), file.head.end())))
            return structureFailed();
        switch (assessPdfRenderCost(file.path, file.size, control)) {
        case PdfRenderCost::TooCostly:
            return beyondLimits();
        case PdfRenderCost::Stopped:
            return structureFailed();
        case PdfRenderCost::Bounded:
            break;
        }
        if (control.isCancelled() || file.overTime())
            return control.isCancelled() ? structureFailed() : beyondLimits();
        QPdfDocument document;
        if (document.load(file.path) != QPdfDocument::Error::None || document.pageCount() < 1)
            return structureFailed();
        if (control.isCancelled())
            return structureFailed();
        if (file.overTime())
            return beyondLimits();
        const QSizeF points = document.pagePointSize(0);
        if (points.width() <= 0 || points.height() <= 0)
            return structureFailed();
        const QSize size = points.scaled(kRenderEdge, kRenderEdge, Qt::KeepAspectRatio).toSize().expandedTo(QSize(1, 1));
        const QImage page = document.render(0, size);
        control.report(file.size, file.size);
        return page.isNull() ? structureFailed() : structurePassed();
    }
};

} // namespace

std::unique_ptr<OutputChecker> makePdfOutputChecker() { return std::make_unique<PdfOutputChecker>(); }

} // namespace olm::repair
