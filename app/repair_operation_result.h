#pragma once

// What one analysis or repair job hands back to the workflow (a plain value, copied between the
// job's thread and the GUI thread).

#include "common/ui_text.h"

#include <QList>
#include <QString>
#include <QVariant>

namespace olm::repair {

struct RepairOperationResult {
    bool ok = false;
    bool analysisOnly = false;
    bool cancelled = false;
    UiText category;
    UiText error;
    QString outputPath;       // after sealing: the "result.drcache" container
    QString previewPath;      // after sealing: the preview's container
    QString outputName;       // plain file name of the engine's output
    QString previewFileName;  // plain file name of the preview source
    qint64 outputSize = 0;
    QString taskDirectory;
    UiText validationMessage;
    QString previewKindOverride;
    bool formatValid = false;
    bool repairable = false;
    QVariantList findings;    // FindingEntry maps ("severity", "severityCode", "message", "technicalMessage", "repairable")
    QVariantList actions;     // ActionEntry maps ("name", "message")
    QList<UiText> warnings;
    bool sampleRequired = false;
};

} // namespace olm::repair
