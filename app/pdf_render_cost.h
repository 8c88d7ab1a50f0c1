#pragma once

// What rendering the first page of a PDF would cost, judged from its objects before Qt PDF loads it:
// the depth of the page tree (a renderer walks it recursively) and the number of form drawings the
// first page expands to (a form may draw another form many times, and so on down a chain, which
// doubles the work with every level). Qt PDF can be neither bounded nor stopped once it renders.

#include "app/output_validation_service.h"

#include <QString>

namespace olm::repair {

enum class PdfRenderCost {
    Bounded,   // within the limits, or nothing found that says otherwise
    TooCostly, // deeper, or more drawings, than a check renders
    Stopped,   // a stop was asked
};

inline constexpr int kMaxPageTreeDepth = 128;
inline constexpr qint64 kMaxFormDrawings = 65536;

PdfRenderCost assessPdfRenderCost(const QString& path, qint64 size, const ValidationControl& control);

} // namespace olm::repair
