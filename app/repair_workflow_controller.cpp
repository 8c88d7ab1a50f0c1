#include "app/repair_workflow_controller.h"

#include "app/repair_job.h"
#include "services/settings_service.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>

#define KORVEX_TR_CONTEXT "olm::repair::RepairWorkflowController"
#include "common/ui_tr.h"

namespace olm::repair {

namespace {

bool isExistingRegularFile(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() && info.isFile();
}

// A name whose bytes are not UTF-8 reaches us with the bytes replaced (by the dialog's listing or
// by the URL's decoding), so the file cannot be found under that name: say why, not "missing".
bool hasUnreadableName(const QUrl& url, const QString& path)
{
    if (path.contains(QChar::ReplacementCharacter))
        return true;
    if (!url.isLocalFile())
        return false;
    const QByteArray bytes = QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
    return QString::fromUtf8(bytes).toUtf8() != bytes;
}

} // namespace

QString pathFromUrl(const QUrl& url)
{
    return url.isLocalFile() ? url.toLocalFile() : url.toString();
}

QVariant resolveUiTextVariant(const QVariant& value)
{
    if (value.metaType() == QMetaType::fromType<UiText>())
        return value.value<UiText>().toString();
    if (value.metaType() == QMetaType::fromType<QVariantMap>()) {
        QVariantMap map = value.toMap();
        for (auto it = map.begin(); it != map.end(); ++it)
            it.value() = resolveUiTextVariant(it.value());
        return map;
    }
    if (value.metaType() == QMetaType::fromType<QVariantList>()) {
        QVariantList list = value.toList();
        for (QVariant& element : list)
            element = resolveUiTextVariant(element);
        return list;
    }
    return value;
}

RepairWorkflowController::RepairWorkflowController(QObject* parent)
    : QObject(parent), status_(uiTr("请选择需要分析的文件"))
{
    UiLanguageObserver::attachTo(this, [this] {
        emit resultChanged();
        emit statusChanged();
        emit inputChanged();
    });
    sweepStaleSessions();
    session_ = SessionHandle::create();
    connect(&watcher_, &QFutureWatcher<OperationResult>::finished, this,
            &RepairWorkflowController::onOperationFinished);
    connect(&saveWatcher_, &QFutureWatcher<SaveOutcome>::finished, this, &RepairWorkflowController::onSaveFinished);
    connect(&previewWatcher_, &QFutureWatcher<PreviewOutcome>::finished, this,
            &RepairWorkflowController::onPreviewPrepared);
    if (QCoreApplication* app = QCoreApplication::instance())
        connect(app, &QCoreApplication::aboutToQuit, this, &RepairWorkflowController::shutdownSession,
                Qt::DirectConnection);
}

RepairWorkflowController::~RepairWorkflowController()
{
    shutdownSession();
    watcher_.disconnect(this);
    watcher_.setFuture(QFuture<OperationResult>());
    saveWatcher_.disconnect(this);
    saveWatcher_.setFuture(QFuture<SaveOutcome>());
    previewWatcher_.disconnect(this);
    previewWatcher_.setFuture(QFuture<PreviewOutcome>());
}

QString RepairWorkflowController::inputName() const { return QFileInfo(inputPath_).fileName(); }

QString RepairWorkflowController::inputSizeText() const
{
    return formatByteSize(inputPath_.isEmpty() ? 0 : QFileInfo(inputPath_).size());
}

QString RepairWorkflowController::outputName() const
{
    // A result waiting in the cache is shown under the name it will be saved as, not under the
    // name of the engine's working file.
    if (hasUnsavedResult())
        return savedResultName();
    return outputName_.isEmpty() ? QFileInfo(outputPath_).fileName() : outputName_;
}

QString RepairWorkflowController::outputSizeText() const
{
    if (outputName_.isEmpty())
        return formatByteSize(outputPath_.isEmpty() ? 0 : QFileInfo(outputPath_).size());
    return formatByteSize(outputSize_);
}

QString RepairWorkflowController::previewKind() const
{
    if (decryptedPreviewPath_.isEmpty())
        return QStringLiteral("none");
    if (!previewKindOverride_.isEmpty())
        return previewKindOverride_;
    if (isImageSuffix(decryptedPreviewPath_))
        return QStringLiteral("image");
    static const QList<QPair<QStringList, QString>> kinds = {
        {{"mp4", "m4v", "mov", "wmv"}, QStringLiteral("video")},
        {{"mp3", "m4a", "ogg", "wav", "wma", "aac"}, QStringLiteral("audio")},
        {{"pdf"}, QStringLiteral("pdf")},
        {{"docx", "xlsx", "pptx"}, QStringLiteral("office")},
        {{"txt", "csv", "xml", "json", "rtf"}, QStringLiteral("text")},
        {{"raw"}, QStringLiteral("binary")},
    };
    const QString suffix = QFileInfo(decryptedPreviewPath_).suffix().toLower();
    for (const auto& [suffixes, kind] : kinds)
        if (suffixes.contains(suffix))
            return kind;
    return QStringLiteral("unsupported");
}

QUrl RepairWorkflowController::previewUrl() const { return QUrl::fromLocalFile(decryptedPreviewPath_); }

bool RepairWorkflowController::previewAvailable() const
{
    return !decryptedPreviewPath_.isEmpty() && QFileInfo::exists(decryptedPreviewPath_);
}

bool RepairWorkflowController::hasUnsavedResult() const { return state_ == WorkflowState::PreviewReady; }
bool RepairWorkflowController::saved() const { return state_ == WorkflowState::Saved; }
bool RepairWorkflowController::canAnalyze() const { return !busy_ && !inputPath_.isEmpty(); }
bool RepairWorkflowController::canRepair() const { return !busy_ && analysisStands(); }

// A repair the user stopped leaves the analysis it started from standing: the same repair (with
// the same sample) can start again without a new analysis. A stopped analysis leaves none.
bool RepairWorkflowController::analysisStands() const
{
    return state_ == WorkflowState::AnalysisCompleted || (state_ == WorkflowState::Cancelled && analyzedInput_.valid);
}

bool RepairWorkflowController::canSave() const
{
    return !busy_ && state_ == WorkflowState::PreviewReady && !outputPath_.isEmpty();
}

QVariantList RepairWorkflowController::findings() const { return resolveUiTextVariant(findings_).toList(); }
QVariantList RepairWorkflowController::actions() const { return resolveUiTextVariant(actions_).toList(); }

QStringList RepairWorkflowController::warnings() const
{
    QStringList texts;
    texts.reserve(warnings_.size());
    for (const UiText& warning : warnings_)
        texts.append(warning.toString());
    return texts;
}

void RepairWorkflowController::selectInput(const QUrl& url)
{
    if (busy_)
        return;
    const QString path = pathFromUrl(url);
    if (isExistingRegularFile(path)) {
        inputPath_ = QFileInfo(path).absoluteFilePath();
        samplePath_.clear();
        removeTaskDirectory();
        clearResult();
        setState(WorkflowState::FileSelected);
        setStatus(uiTr("已选择 %1；原文件将保持只读").arg(QFileInfo(path).fileName()));
        emit inputChanged();
        return;
    }
    // An unsaved result stays saveable (and guarded at quit) when a wrong file is dropped on it.
    if (state_ != WorkflowState::PreviewReady)
        setState(WorkflowState::Failed);
    setStatus(hasUnreadableName(url, path) ? uiTr("所选文件的名称包含无法识别的字符；请重命名文件后再试")
                                           : uiTr("所选文件不存在或不是普通文件"));
}

void RepairWorkflowController::selectSample(const QUrl& url)
{
    if (busy_)
        return;
    const QString path = pathFromUrl(url);
    if (!isExistingRegularFile(path)) {
        setStatus(hasUnreadableName(url, path) ? uiTr("所选样本文件的名称包含无法识别的字符；请重命名文件后再试")
                                               : uiTr("所选样本文件不存在或不是普通文件"));
        return;
    }
    const QString absolute = QFileInfo(path).absoluteFilePath();
    if (absolute == inputPath_) {
        setStatus(uiTr("样本文件不能与待修复文件相同"));
        return;
    }
    const bool reanalyze = !inputPath_.isEmpty() && (state_ == WorkflowState::Failed || state_ == WorkflowState::Cancelled
                                                     || state_ == WorkflowState::AnalysisCompleted);
    samplePath_ = absolute;
    setStatus(uiTr("已选择样本文件：%1").arg(QFileInfo(path).fileName()));
    emit inputChanged();
    if (reanalyze) {
        setState(WorkflowState::FileSelected);
        analyze();
    }
}

void RepairWorkflowController::clearSample()
{
    if (busy_ || samplePath_.isEmpty())
        return;
    const bool reanalyze = !inputPath_.isEmpty() && analysisStands();
    samplePath_.clear();
    setStatus(uiTr("已移除样本文件"));
    emit inputChanged();
    if (reanalyze) {
        setState(WorkflowState::FileSelected);
        analyze();
    }
}

void RepairWorkflowController::analyze() { start(true, QStringLiteral("analyze")); }

void RepairWorkflowController::repair(const QString& mode) { start(false, mode); }

void RepairWorkflowController::start(bool analyze, const QString& mode)
{
    if (analyze && (busy_ || inputPath_.isEmpty()))
        return;
    if (!analyze && !canRepair()) {
        setStatus(uiTr("请先完成分析，再启动修复"));
        return;
    }
    link_->setCancelRequested(false);
    busy_ = true;
    emit busyChanged();
    emit stateChanged();
    setProgress(0);
    if (repairStep_ != RepairStep::Rebuild) {
        repairStep_ = RepairStep::Rebuild;
        emit progressChanged();
    }
    setState(analyze ? WorkflowState::Analyzing : WorkflowState::Repairing);
    setStatus(analyze ? uiTr("正在只读分析文件结构…") : uiTr("正在私有缓存中生成修复结果…"));

    const QString input = inputPath_;
    const QString sample = samplePath_;
    const QString session = session_.directory();
    const FileIdentity analyzedInput = analyzedInput_;
    const std::shared_ptr<JobLink> link = link_;
    const qint64 cacheLimitBytes = qint64(SettingsService::storedCacheLimitMb()) * 1048576;
    link->jobStarted();
    watcher_.setFuture(QtConcurrent::run(QThreadPool::globalInstance(), [link, input, sample, session, analyze, mode,
                                                                         analyzedInput, cacheLimitBytes] {
        OperationResult result =
            runRepairOperation(link, input, sample, session, analyze, mode, analyzedInput, cacheLimitBytes);
        link->jobReturned();
        return result;
    }));
}

void RepairWorkflowController::cancel()
{
    if (!busy_)
        return;
    link_->setCancelRequested(true);
    setStatus(uiTr("正在安全取消…"));
}

void RepairWorkflowController::applyProgress(int percent, int step)
{
    if (repairStep_ != step && state_ == WorkflowState::Repairing) {
        repairStep_ = step;
        emit progressChanged();
    }
    setProgress(qBound(0, percent, 100));
    // Progress that was posted before the engine saw the flag must not hide the cancel feedback.
    if (link_->isCancelRequested())
        return;
    if (state_ == WorkflowState::PreviewReady && busy_)
        setStatus(uiTr("正在保存修复结果…（%1%）").arg(progress_));
    else if (state_ == WorkflowState::Analyzing)
        setStatus(uiTr("正在只读分析文件结构…"));
    else if (state_ == WorkflowState::Repairing && repairStep_ == RepairStep::Validate)
        setStatus(uiTr("正在独立验证修复结果…"));
    else if (state_ == WorkflowState::Repairing && repairStep_ == RepairStep::Seal)
        setStatus(uiTr("正在加密封存修复结果…"));
    else if (state_ == WorkflowState::Repairing)
        setStatus(uiTr("正在私有缓存中生成修复结果…"));
}

void RepairWorkflowController::onOperationFinished()
{
    const OperationResult result = watcher_.future().resultCount() > 0 ? watcher_.result() : OperationResult();
    busy_ = false;
    emit busyChanged();

    category_ = result.category;
    findings_ = result.findings;
    actions_ = result.actions;
    warnings_ = result.warnings;
    validationMessage_ = result.validationMessage;
    previewKindOverride_ = result.previewKindOverride;
    formatValid_ = result.formatValid;
    if (result.advancedRepairOffered && !result.cancelled)
        setSampleRequired(true);
    if (result.analysisOnly) {
        setSampleRequired(result.sampleRequired && !result.cancelled);
        repairability_ = result.repairable && !sampleRequired_ ? uiTr("检测到可尝试修复的问题")
                                                               : uiTr("未确认存在可自动修复的问题");
    }

    removeDecryptedPreview();
    outputPath_ = result.outputPath;
    previewPath_ = result.previewPath;
    outputName_ = result.outputName;
    previewFileName_ = result.previewFileName;
    outputSize_ = result.outputSize;
    taskDirectory_ = result.taskDirectory;
    resultSeal_ = result.resultSeal;
    previewSeal_ = result.previewSeal;
    // The job set the preview up off the GUI thread; a copy it could not place is decrypted here.
    decryptedPreviewPath_ = result.ok && !result.cancelled && !result.analysisOnly ? result.decryptedPreviewPath : QString();
    if (result.analysisOnly)
        analyzedInput_ = result.ok && !result.cancelled ? result.inputIdentity : FileIdentity();

    if (result.cancelled) {
        setState(WorkflowState::Cancelled);
        setStatus(uiTr("任务已取消，原文件未被修改"));
    } else if (result.inputChanged) {
        // The analysis was of another file: it no longer stands, and the file is analysed anew.
        analyzedInput_ = FileIdentity();
        removeTaskDirectory();
        clearResult();
        setState(WorkflowState::FileSelected);
        setStatus(result.error);
    } else if (!result.ok) {
        setState(WorkflowState::Failed);
        setStatus(result.error.toString().isEmpty() ? uiTr("操作失败") : result.error);
    } else if (result.analysisOnly) {
        setState(WorkflowState::AnalysisCompleted);
        setStatus(sampleRequired_ ? uiTr("文件关键头部已缺失，请进入高级修复并选择兼容的正常样本")
                                  : uiTr("分析完成，可以在私有缓存中尝试修复"));
    } else {
        UiText error;
        if (preparePreviewFile(&error)) {
            setProgress(100);
            setState(WorkflowState::PreviewReady);
            setStatus(formatValid_ ? uiTr("修复完成并通过独立验证；结果可预览但尚未保存")
                                   : uiTr("同源数据已恢复；格式声明异常，结果可安全预览但尚未保存"));
            emit resultChanged();
            emit stateChanged();
            return;
        }
        setState(WorkflowState::Failed);
        setStatus(uiTr("修复结果已加密，但无法生成受控预览：%1").arg(error));
    }
    removeTaskDirectory();
    emit resultChanged();
    emit stateChanged();
}

void RepairWorkflowController::discardUnsavedResult()
{
    if (busy_ || state_ != WorkflowState::PreviewReady)
        return;
    removeTaskDirectory();
    clearRepairOutput();
    setState(WorkflowState::AnalysisCompleted);
    setStatus(uiTr("已丢弃未保存结果，可以重新选择修复方式"));
    emit resultChanged();
}

void RepairWorkflowController::reset()
{
    if (busy_)
        return;
    removeTaskDirectory();
    inputPath_.clear();
    samplePath_.clear();
    clearResult();
    setState(WorkflowState::Idle);
    setStatus(uiTr("请选择需要分析的文件"));
    emit inputChanged();
}

void RepairWorkflowController::setState(const QString& state)
{
    if (state_ == state)
        return;
    state_ = state;
    emit stateChanged();
}

void RepairWorkflowController::setStatus(const UiText& status)
{
    const bool changed = status_.toString() != status.toString();
    status_ = status;
    if (changed)
        emit statusChanged();
}

void RepairWorkflowController::setProgress(int value)
{
    if (progress_ == value)
        return;
    progress_ = value;
    emit progressChanged();
}

void RepairWorkflowController::clearRepairOutput()
{
    resultSeal_ = {};
    previewSeal_ = {};
    outputPath_.clear();
    decryptedPreviewPath_.clear();
    previewPath_.clear();
    outputName_.clear();
    previewFileName_.clear();
    outputSize_ = 0;
    previewKindOverride_.clear();
    formatValid_ = false;
    validationMessage_.clear();
    actions_.clear();
}

void RepairWorkflowController::setSampleRequired(bool required)
{
    if (sampleRequired_ == required)
        return;
    sampleRequired_ = required;
    emit sampleRequiredChanged();
}

void RepairWorkflowController::clearResult()
{
    clearRepairOutput();
    analyzedInput_ = FileIdentity();
    setSampleRequired(false);
    category_.clear();
    repairability_.clear();
    findings_.clear();
    warnings_.clear();
    setProgress(0);
    emit resultChanged();
}

void RepairWorkflowController::removeDecryptedPreview()
{
    // A preview still being decrypted is stopped; its outcome is then thrown away.
    if (previewStop_) {
        previewStop_->store(true);
        previewStop_.reset();
    }
    if ((state_ == WorkflowState::PreviewReady || !previewPath_.isEmpty()) && !decryptedPreviewPath_.isEmpty()) {
        decryptedPreviewPath_.clear();
        emit resultChanged();
    }
    // Off the GUI thread: a decrypted preview or a sealed result can be gigabytes.
    if (!taskDirectory_.isEmpty())
        discardCacheEntry(QDir(taskDirectory_).filePath(QStringLiteral("preview")));
}

void RepairWorkflowController::removeTaskDirectory()
{
    removeDecryptedPreview();
    if (!taskDirectory_.isEmpty() && isInsideRepairOutput(taskDirectory_))
        discardCacheEntry(taskDirectory_);
    taskDirectory_.clear();
}

void RepairWorkflowController::shutdownSession()
{
    // A running job is not waited for (quitting never freezes the window): it stops at its next
    // check and removes the session, which it keeps locked until then, once it has returned.
    link_->setCancelRequested(true);
    removeTaskDirectory();
    if (!link_->abandon(session_))
        session_.release();
    session_ = SessionHandle();
}

RepairOperationResult runRepairOperation(RepairWorkflowController* controller, const QString& inputPath,
                                         const QString& samplePath, const QString& sessionDirectory, bool analyze,
                                         const QString& mode, const FileIdentity& analyzedInput)
{
    return runRepairOperation(controller->jobLink(), inputPath, samplePath, sessionDirectory, analyze, mode,
                              analyzedInput);
}

} // namespace olm::repair
