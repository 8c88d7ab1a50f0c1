#pragma once

// What one analysis or repair job hands back to the workflow (a plain value, copied between the
// job's thread and the GUI thread).

#include "app/encrypted_file_store.h"
#include "common/regular_file.h"
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
    FileIdentity inputIdentity; // the input file the job read
    bool inputChanged = false;  // a repair found another file (or a changed one) than its analysis read
    EncryptedFileStore::SealedContainer resultSeal;  // what was sealed into the result container
    EncryptedFileStore::SealedContainer previewSeal; // and into the preview's (the result's own when they are one)
    QString decryptedPreviewPath; // the plain preview, set up in the task's "preview" folder by the job
    bool advancedRepairOffered = false; // a quick repair failed where a repair with a sample may still succeed
};

} // namespace olm::repair
