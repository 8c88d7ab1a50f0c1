#pragma once

// The one object through which the interface drives the repair of one file: select the damaged
// file (and a healthy sample), analyse, repair quickly or with the sample, preview the sealed
// result, save it under a free name, reveal it, export a report, cancel, discard or reset.
//
// One engine job at a time runs on the global thread pool (app/repair_job.h). The job shares only
// its link (the atomic cancellation flag and queued progress calls, app/job_link.h) and the
// OperationResult it returns; the controller never waits for it, not even when it is destroyed.
// Results stay encrypted in this instance's session folder (services/session_cache.h) until the
// user saves them.
// Every property, invokable and signal is for the GUI thread.

#include "app/job_link.h"
#include "app/repair_operation_result.h"
#include "common/ui_text.h"
#include "services/session_cache.h"

#include <QFutureWatcher>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QVariant>
#include <QtQml/qqmlregistration.h>

#include <atomic>
#include <memory>

namespace olm::repair {

// The values of RepairWorkflowController::state, compared as exact strings by the pages and the
// diagnostics log.
namespace WorkflowState {
inline const QString Idle = QStringLiteral("Idle");
inline const QString FileSelected = QStringLiteral("FileSelected");
inline const QString Analyzing = QStringLiteral("Analyzing");
inline const QString AnalysisCompleted = QStringLiteral("AnalysisCompleted");
inline const QString Repairing = QStringLiteral("Repairing");
inline const QString PreviewReady = QStringLiteral("PreviewReady");
inline const QString Saved = QStringLiteral("Saved");
inline const QString Failed = QStringLiteral("Failed");
inline const QString Cancelled = QStringLiteral("Cancelled");
} // namespace WorkflowState

// The same values for QML as the singleton WorkflowState ("WorkflowState.failed"), so the pages
// compare against names instead of repeating the strings. Read through the type, not through a
// controller instance, so a page also works against a stand-in controller.
class WorkflowStateNames : public QObject {
    Q_OBJECT
    QML_NAMED_ELEMENT(WorkflowState)
    QML_SINGLETON

    Q_PROPERTY(QString idle MEMBER idle_ CONSTANT)
    Q_PROPERTY(QString fileSelected MEMBER fileSelected_ CONSTANT)
    Q_PROPERTY(QString analyzing MEMBER analyzing_ CONSTANT)
    Q_PROPERTY(QString analysisCompleted MEMBER analysisCompleted_ CONSTANT)
    Q_PROPERTY(QString repairing MEMBER repairing_ CONSTANT)
    Q_PROPERTY(QString previewReady MEMBER previewReady_ CONSTANT)
    Q_PROPERTY(QString saved MEMBER saved_ CONSTANT)
    Q_PROPERTY(QString failed MEMBER failed_ CONSTANT)
    Q_PROPERTY(QString cancelled MEMBER cancelled_ CONSTANT)

public:
    using QObject::QObject;

private:
    const QString idle_ = WorkflowState::Idle;
    const QString fileSelected_ = WorkflowState::FileSelected;
    const QString analyzing_ = WorkflowState::Analyzing;
    const QString analysisCompleted_ = WorkflowState::AnalysisCompleted;
    const QString repairing_ = WorkflowState::Repairing;
    const QString previewReady_ = WorkflowState::PreviewReady;
    const QString saved_ = WorkflowState::Saved;
    const QString failed_ = WorkflowState::Failed;
    const QString cancelled_ = WorkflowState::Cancelled;
};

class RepairWorkflowController : public QObject {
    Q_OBJECT
    QML_ELEMENT

    // The order of these declarations is the order QML and the meta-object system see.
    Q_PROPERTY(QString state READ state NOTIFY stateChanged)
    Q_PROPERTY(QString inputPath READ inputPath NOTIFY inputChanged)
    Q_PROPERTY(QString inputName READ inputName NOTIFY inputChanged)
    Q_PROPERTY(QString inputSizeText READ inputSizeText NOTIFY inputChanged)
    Q_PROPERTY(QString samplePath READ samplePath NOTIFY inputChanged)
    Q_PROPERTY(QString category READ category NOTIFY resultChanged)
    Q_PROPERTY(QString status READ status NOTIFY statusChanged)
    Q_PROPERTY(QString validationMessage READ validationMessage NOTIFY resultChanged)
    Q_PROPERTY(bool formatValid READ formatValid NOTIFY resultChanged)
    Q_PROPERTY(QString repairability READ repairability NOTIFY resultChanged)
    Q_PROPERTY(QString outputPath READ outputPath NOTIFY resultChanged)
    Q_PROPERTY(QString outputName READ outputName NOTIFY resultChanged)
    Q_PROPERTY(QString outputSizeText READ outputSizeText NOTIFY resultChanged)
    Q_PROPERTY(QString previewKind READ previewKind NOTIFY resultChanged)
    Q_PROPERTY(QUrl previewUrl READ previewUrl NOTIFY resultChanged)
    Q_PROPERTY(bool previewAvailable READ previewAvailable NOTIFY resultChanged)
    Q_PROPERTY(bool hasUnsavedResult READ hasUnsavedResult NOTIFY stateChanged)
    Q_PROPERTY(bool saved READ saved NOTIFY stateChanged)
    Q_PROPERTY(int progress READ progress NOTIFY progressChanged)
    // Which step of a repair the progress belongs to (RepairStep in app/job_link.h): 0 the engine
    // rebuilds the file, 1 its output is validated, 2 the result is sealed.
    Q_PROPERTY(int repairStep READ repairStep NOTIFY progressChanged)
    Q_PROPERTY(bool busy READ busy NOTIFY busyChanged)
    Q_PROPERTY(bool canAnalyze READ canAnalyze NOTIFY stateChanged)
    Q_PROPERTY(bool canRepair READ canRepair NOTIFY stateChanged)
    Q_PROPERTY(bool canSave READ canSave NOTIFY stateChanged)
    Q_PROPERTY(QVariantList findings READ findings NOTIFY resultChanged)
    Q_PROPERTY(QVariantList actions READ actions NOTIFY resultChanged)
    Q_PROPERTY(QStringList warnings READ warnings NOTIFY resultChanged)
    // The last analysis found damage that only a healthy sample of the same device can mend.
    Q_PROPERTY(bool sampleRequired READ sampleRequired NOTIFY sampleRequiredChanged)

public:
    // What one job hands back to the controller (app/repair_operation_result.h).
    using OperationResult = RepairOperationResult;

    explicit RepairWorkflowController(QObject* parent = nullptr);
    ~RepairWorkflowController() override;

    QString state() const { return state_; }
    QString inputPath() const { return inputPath_; }
    QString inputName() const;
    QString inputSizeText() const;
    QString samplePath() const { return samplePath_; }
    QString category() const { return category_.toString(); }
    QString status() const { return status_.toString(); }
    QString validationMessage() const { return validationMessage_.toString(); }
    bool formatValid() const { return formatValid_; }
    QString repairability() const { return repairability_.toString(); }
    QString outputPath() const { return outputPath_; }
    QString outputName() const;
    QString outputSizeText() const;
    QString previewKind() const;
    QUrl previewUrl() const;
    bool previewAvailable() const;
    bool hasUnsavedResult() const;
    bool saved() const;
    int progress() const { return progress_; }
    int repairStep() const { return repairStep_; }
    bool busy() const { return busy_; }
    bool canAnalyze() const;
    bool canRepair() const;
    bool canSave() const;
    QVariantList findings() const;
    QVariantList actions() const;
    QStringList warnings() const;
    bool sampleRequired() const { return sampleRequired_; }

    Q_INVOKABLE void selectInput(const QUrl& url);
    Q_INVOKABLE void selectSample(const QUrl& url);
    Q_INVOKABLE void clearSample();
    Q_INVOKABLE void analyze();
    Q_INVOKABLE void repair(const QString& mode = QStringLiteral("quick"));
    // Checks the folder and starts writing the result there off the GUI thread (busy meanwhile,
    // with progress); true when the save was started, saveFinished then tells how it ended.
    Q_INVOKABLE bool saveResult(const QUrl& directoryUrl);
    Q_INVOKABLE bool exportReport(const QUrl& directoryUrl);
    // True when the plain preview is there. Otherwise its decryption is started off the GUI thread
    // (false now); resultChanged announces the preview once it is ready.
    Q_INVOKABLE bool preparePreview();
    Q_INVOKABLE void releasePreview();
    Q_INVOKABLE void cancel();
    Q_INVOKABLE void discardUnsavedResult();
    Q_INVOKABLE void reset();
    Q_INVOKABLE void revealResult();

    // For the running job and its progress bridge: the cancellation flag (any thread), the link a
    // job keeps to the controller, and the percentage, delivered by queued calls (GUI thread).
    bool isCancelRequested() const { return link_->isCancelRequested(); }
    const std::shared_ptr<JobLink>& jobLink() const { return link_; }
    void applyProgress(int percent, int step = RepairStep::Rebuild);

    // This instance's session folder and the current task folder (empty when there is none).
    QString sessionDirectory() const { return session_.directory(); }
    QString taskDirectory() const { return taskDirectory_; }

signals:
    void stateChanged();
    void inputChanged();
    void statusChanged();
    void progressChanged();
    void busyChanged();
    void resultChanged();
    void sampleRequiredChanged();
    // A save that saveResult started has ended: `saved` is true in "Saved", false when it failed
    // (the status says why; the cached result is kept).
    void saveFinished(bool saved);

private:
    // What a save on the worker hands back: the final path, or the reason it failed.
    struct SaveOutcome {
        QString target;
        int systemError = 0;
        UiText storeError;
    };
    void onSaveFinished();
    // What a preview decryption on the worker hands back.
    struct PreviewOutcome {
        QString target;
        QString taskDirectory;
        std::shared_ptr<std::atomic<bool>> stop;
        bool ok = false;
        UiText error;
    };
    void onPreviewPrepared();
    bool analysisStands() const;
    void start(bool analyze, const QString& mode);
    void setState(const QString& state);
    void setStatus(const UiText& status);
    void setProgress(int value);
    void clearResult();
    // What a repair added on top of its analysis (kept by a discard: category, findings, warnings).
    void clearRepairOutput();
    void setSampleRequired(bool required);
    void onOperationFinished();
    void removeTaskDirectory();
    void removeDecryptedPreview();
    void shutdownSession();
    bool preparePreviewFile(UiText* error = nullptr);
    QString savedResultName() const;
    QVariantMap buildReport() const;

    QString state_ = WorkflowState::Idle;
    QString inputPath_;
    QString samplePath_;
    UiText category_;
    UiText status_;
    UiText validationMessage_;
    QString previewKindOverride_;
    bool formatValid_ = false;
    UiText repairability_;
    QString outputPath_;
    QString decryptedPreviewPath_;
    QString previewPath_;
    QString outputName_;
    QString previewFileName_;
    qint64 outputSize_ = 0;
    QString taskDirectory_;
    // What the job sealed into the result and preview containers: any other container found in
    // their place is refused.
    EncryptedFileStore::SealedContainer resultSeal_;
    EncryptedFileStore::SealedContainer previewSeal_;
    // The input file the last analysis read; a repair runs only on that same file.
    FileIdentity analyzedInput_;
    SessionHandle session_;
    int progress_ = 0;
    int repairStep_ = RepairStep::Rebuild;
    bool busy_ = false;
    QVariantList findings_;
    QVariantList actions_;
    QList<UiText> warnings_;
    bool sampleRequired_ = false;
    std::shared_ptr<JobLink> link_ = std::make_shared<JobLink>(this, [this](int percent, int step) { applyProgress(percent, step); });
    QFutureWatcher<OperationResult> watcher_;
    QFutureWatcher<SaveOutcome> saveWatcher_;
    QFutureWatcher<PreviewOutcome> previewWatcher_;
    // Set to stop the preview decryption under way; a new one gets a new flag.
    std::shared_ptr<std::atomic<bool>> previewStop_;
};

// A value holding a UiText becomes its current text; maps and lists are resolved element by element
// at any depth; everything else is returned unchanged. QML and JSON then only see strings.
QVariant resolveUiTextVariant(const QVariant& value);

// A URL from QML as a path: a local file URL gives its local path, any other URL its full text
// (which then fails the existence checks).
QString pathFromUrl(const QUrl& url);

// Runs one job in the calling thread through the controller's link, as a started job would
// (app/repair_job.h).
RepairOperationResult runRepairOperation(RepairWorkflowController* controller, const QString& inputPath,
                                         const QString& samplePath, const QString& sessionDirectory, bool analyze,
                                         const QString& mode, const FileIdentity& analyzedInput = {});

} // namespace olm::repair
