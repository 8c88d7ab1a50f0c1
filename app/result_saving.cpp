// Previews, saving, revealing and the repair report of RepairWorkflowController, with the file
// helpers they share.

#include "app/result_saving.h"

#include "app/encrypted_file_store.h"
#include "app/repair_workflow_controller.h"
#include "platform/file_manager.h"

#include "data_repair/file_access.h"
#include "data_repair/records.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStorageInfo>
#include <QThreadPool>
#include <QUuid>
#include <QtConcurrent/QtConcurrentRun>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#define KORVEX_TR_CONTEXT "olm::repair::RepairWorkflowController"
#include "common/ui_tr.h"

namespace olm::repair {

namespace {

// A name is free only when the system says it does not exist; any other failure to look (a name
// too long, a folder that cannot be searched) ends the search instead of counting as taken.
enum class NameState { Free, Taken, Unknown };

NameState nameState(const QString& path, int* failure)
{
    struct stat st;
    if (::lstat(QFile::encodeName(path).constData(), &st) == 0)
        return NameState::Taken;
    if (errno == ENOENT)
        return NameState::Free;
    *failure = errno;
    return NameState::Unknown;
}

// The name itself and then "(2)" up to "(10000)": as many numbered names as the engine tries.
constexpr int kMaxNameCandidates = 10000;

void setErrorText(QString* error, int code)
{
    if (error)
        *error = qt_error_string(code);
}

// The longest file name the system takes, in bytes of its encoding.
constexpr qsizetype kMaxNameBytes = NAME_MAX;

// `text` with whole characters taken from its end until it takes at most `bytes` bytes.
QString shortenedTo(QString text, qsizetype bytes)
{
    while (!text.isEmpty() && QFile::encodeName(text).size() > bytes) {
        text.chop(1);
        if (!text.isEmpty() && text.back().isHighSurrogate())
            text.chop(1);
    }
    return text;
}

// Room for the longest number a free name may get: " (10000)".
constexpr qsizetype kNumberBytes = 8;

// `stem` + `tail`; a name too long for the system (made from a long input name, it could never be
// saved) gets its stem shortened until the name and its numbered forms fit.
QString withFittingStem(const QString& stem, const QString& tail)
{
    const qsizetype tailBytes = QFile::encodeName(tail).size();
    if (QFile::encodeName(stem).size() + tailBytes <= kMaxNameBytes)
        return stem + tail;
    return shortenedTo(stem, kMaxNameBytes - tailBytes - kNumberBytes) + tail;
}

// The n-th candidate name: n = 1 is the name itself, then "base (n).suffix", the base shortened
// where the number would make the name too long.
QString candidatePath(const QString& folder, const QString& fileName, int n)
{
    if (n <= 1)
        return QDir(folder).filePath(fileName);
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    const QString number = QStringLiteral(" (%1)").arg(n);
    const QString suffix = dot < 0 ? QString() : fileName.mid(dot);
    const QString base = shortenedTo(dot < 0 ? fileName : fileName.left(dot),
                                     kMaxNameBytes - QFile::encodeName(number + suffix).size());
    return QDir(folder).filePath(base + number + suffix);
}

enum class MoveOutcome { Moved, Taken, Failed };

// Never replaces what stands at `to`: the kernel refuses the rename, or the hard link, when it
// exists, so a file that appeared after the name was chosen is kept.
MoveOutcome moveWithoutReplacing(const QString& from, const QString& to)
{
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) == 0)
        return MoveOutcome::Moved;
    if (errno == EEXIST)
        return MoveOutcome::Taken;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP)
        return MoveOutcome::Failed;
    // A file system without the no-replace rename: a hard link is created only on a free name.
    if (::link(source.constData(), target.constData()) != 0)
        return errno == EEXIST ? MoveOutcome::Taken : MoveOutcome::Failed;
    ::unlink(source.constData());
    return MoveOutcome::Moved;
}

// The save folder must be the user's: anything inside the cache is deleted with the task or by
// a later sweep, although the status would say the result was saved.
bool isInsideCache(const QString& folder)
{
    const QString cache = repairOutputPath();
    if (cache.isEmpty())
        return false;
    const QString canonicalCache = QFileInfo(cache).canonicalFilePath();
    for (const QString& path : {QDir::cleanPath(QFileInfo(folder).absoluteFilePath()), QFileInfo(folder).canonicalFilePath()}) {
        if (path.isEmpty())
            continue;
        if (path == QDir::cleanPath(cache) || isInsideRepairOutput(path))
            return true;
        if (!canonicalCache.isEmpty() && (path == canonicalCache || path.startsWith(canonicalCache + QLatin1Char('/'))))
            return true;
    }
    return false;
}

// 0 when a new file of `size` bytes can be made in the folder; else the system's reason: the
// folder refuses new files (read-only, no permission, a name too long for it) or has no room.
int folderWriteError(const QString& folder, qint64 size)
{
    const QByteArray probe = QFile::encodeName(partialFilePath(folder));
    const int fd = ::open(probe.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return errno;
    ::close(fd);
    ::unlink(probe.constData());
    const QStorageInfo storage(folder);
    if (storage.isValid() && storage.isReady() && storage.bytesAvailable() < size)
        return ENOSPC;
    return 0;
}

// Why a save failed, in words the user can act on: the common system reasons by name, else the
// store's own text (a damaged or tampered result, one that is not this repair's).
UiText saveFailureReason(int systemError, const UiText& storeError)
{
    switch (systemError) {
    case 0: break;
    case ENOSPC:
    case EDQUOT: return uiTr("目标磁盘空间不足");
    case EFBIG: return uiTr("文件大小超过了系统对单个文件的上限");
    case ENAMETOOLONG: return uiTr("文件名或路径过长");
    case EACCES:
    case EPERM:
    case EROFS: return uiTr("目标文件夹不可写");
    default: return UiText(qt_error_string(systemError));
    }
    return storeError;
}

// The mode of a file the user creates: read and write for everyone less the process's umask.
// The kernel reports the mask; only where it does not is it read by setting it and back.
mode_t userFileMode()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
            if (!line.startsWith("Umask:"))
                continue;
            bool ok = false;
            const uint mask = line.mid(6).trimmed().toUInt(&ok, 8);
            if (ok && mask <= 0777)
                return static_cast<mode_t>(0666 & ~mask);
        }
    }
    const mode_t mask = ::umask(0077);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

QString uniqueOutputPath(const QString& folder, const QString& fileName, QString* error)
{
    for (int n = 1; n <= kMaxNameCandidates; ++n) {
        const QString candidate = candidatePath(folder, fileName, n);
        int failure = 0;
        switch (nameState(candidate, &failure)) {
        case NameState::Free: return candidate;
        case NameState::Taken: continue;
        case NameState::Unknown: setErrorText(error, failure); return QString();
        }
    }
    setErrorText(error, EEXIST);
    return QString();
}

QString moveToFreeOutputPath(const QString& sourcePath, const QString& folder, const QString& fileName, QString* error,
                             int* systemError)
{
    for (int n = 1; n <= kMaxNameCandidates; ++n) {
        const QString candidate = candidatePath(folder, fileName, n);
        int failure = 0;
        const NameState state = nameState(candidate, &failure);
        if (state == NameState::Unknown) {
            if (systemError)
                *systemError = failure;
            setErrorText(error, failure);
            return QString();
        }
        if (state == NameState::Taken)
            continue;
        switch (moveWithoutReplacing(sourcePath, candidate)) {
        case MoveOutcome::Moved: return candidate;
        case MoveOutcome::Taken: continue;
        case MoveOutcome::Failed:
            if (systemError)
                *systemError = errno;
            setErrorText(error, errno);
            return QString();
        }
    }
    if (systemError)
        *systemError = EEXIST;
    setErrorText(error, EEXIST);
    return QString();
}

QString partialFilePath(const QString& folder)
{
    // Short and independent of the final name, so a final name near the system's limit still fits.
    return QDir(folder).filePath(
        QStringLiteral(".korvex-%1.part").arg(QUuid::createUuid().toString(QUuid::Id128)));
}

QString writeNewFile(const QString& folder, const QByteArray& bytes, QString* error)
{
    const QString path = partialFilePath(folder);
    const QByteArray native = QFile::encodeName(path);
    // Created here and now: never an existing file, never through a link.
    const int fd = ::open(native.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0) {
        setErrorText(error, errno);
        return QString();
    }
    int failure = 0;
    for (qsizetype done = 0; done < bytes.size() && failure == 0;) {
        const ssize_t n = ::write(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (n > 0)
            done += n;
        else if (n < 0 && errno != EINTR)
            failure = errno;
        else if (n == 0)
            failure = EIO;
    }
    if (failure == 0 && ::fsync(fd) != 0 && errno != EINVAL && errno != EROFS)
        failure = errno;
    if (::close(fd) != 0 && failure == 0)
        failure = errno;
    if (failure != 0) {
        ::unlink(native.constData());
        setErrorText(error, failure);
        return QString();
    }
    return path;
}

bool writeJsonFile(const QString& path, const QVariantMap& map, QString* error)
{
    const QByteArray bytes = QJsonDocument(QJsonObject::fromVariantMap(map)).toJson(QJsonDocument::Indented);
    const QString partial = writeNewFile(QFileInfo(path).absolutePath(), bytes, error);
    if (partial.isEmpty())
        return false;
    const MoveOutcome outcome = moveWithoutReplacing(partial, path);
    const int failure = outcome == MoveOutcome::Taken ? EEXIST : errno;
    if (outcome == MoveOutcome::Moved)
        return true;
    QFile::remove(partial);
    setErrorText(error, failure);
    return false;
}

bool RepairWorkflowController::preparePreviewFile(UiText* error)
{
    if (state_ == WorkflowState::Saved) {
        decryptedPreviewPath_ = outputPath_;
        return QFileInfo::exists(decryptedPreviewPath_);
    }
    if (!decryptedPreviewPath_.isEmpty() && QFileInfo::exists(decryptedPreviewPath_))
        return true;
    if (taskDirectory_.isEmpty() || previewPath_.isEmpty() || previewFileName_.isEmpty()) {
        if (error)
            *error = uiTr("缺少加密预览元数据");
        return false;
    }
    removeDecryptedPreview();
    const QString previewFolder = QDir(taskDirectory_).filePath(QStringLiteral("preview"));
    const QString target = QDir(previewFolder).filePath(QFileInfo(previewFileName_).fileName());
    makePrivateCacheFolder(previewFolder);
    if (EncryptedFileStore::decryptFile(previewPath_, target, error, &previewSeal_)) {
        decryptedPreviewPath_ = target;
        return true;
    }
    removeCacheEntry(previewFolder);
    return false;
}

bool RepairWorkflowController::preparePreview()
{
    if (state_ != WorkflowState::PreviewReady)
        return saved() && QFileInfo::exists(decryptedPreviewPath_);
    if (!decryptedPreviewPath_.isEmpty() && QFileInfo::exists(decryptedPreviewPath_))
        return true;
    if (previewStop_)
        return false; // already being decrypted
    if (taskDirectory_.isEmpty() || previewPath_.isEmpty() || previewFileName_.isEmpty()) {
        setStatus(uiTr("无法解密受控预览：%1").arg(uiTr("缺少加密预览元数据")));
        emit resultChanged();
        return false;
    }
    removeDecryptedPreview();
    // A large preview takes seconds to decrypt: on the pool, into a staging folder of its own in the
    // task, stopped by a new job, a discard, a release or quitting (removeDecryptedPreview). Only
    // while this result still stands is it moved to its place in "preview" (a rename, here).
    const QString staging = QDir(taskDirectory_).filePath(
        QStringLiteral(".preview-%1").arg(QUuid::createUuid().toString(QUuid::Id128)));
    const QString container = previewPath_;
    const EncryptedFileStore::SealedContainer seal = previewSeal_;
    const auto stop = std::make_shared<std::atomic<bool>>(false);
    previewStop_ = stop;
    PreviewOutcome pending;
    pending.target = QDir(staging).filePath(QFileInfo(previewFileName_).fileName());
    pending.taskDirectory = taskDirectory_;
    pending.stop = stop;
    previewWatcher_.setFuture(QtConcurrent::run(QThreadPool::globalInstance(), [pending, container, seal, staging] {
        PreviewOutcome outcome = pending;
        const auto progress = [&outcome](qint64, qint64) { return !outcome.stop->load(); };
        outcome.ok = !outcome.stop->load() && makePrivateCacheFolder(staging)
                     && EncryptedFileStore::decryptFile(container, outcome.target, &outcome.error, &seal, progress);
        if (!outcome.ok)
            removeCacheEntry(staging);
        return outcome;
    }));
    return false;
}

void RepairWorkflowController::onPreviewPrepared()
{
    const PreviewOutcome outcome = previewWatcher_.future().resultCount() > 0 ? previewWatcher_.result() : PreviewOutcome();
    const QString staging = QFileInfo(outcome.target).absolutePath();
    const bool current = outcome.stop && outcome.stop == previewStop_ && state_ == WorkflowState::PreviewReady
                         && outcome.taskDirectory == taskDirectory_;
    if (!current) {
        // Stopped or overtaken meanwhile: what it wrote goes.
        if (!outcome.target.isEmpty())
            discardCacheEntry(staging);
        return;
    }
    previewStop_.reset();
    const QString previewFolder = QDir(taskDirectory_).filePath(QStringLiteral("preview"));
    const QString target = QDir(previewFolder).filePath(QFileInfo(outcome.target).fileName());
    UiText error = outcome.error;
    if (outcome.ok) {
        if (makePrivateCacheFolder(previewFolder)
            && ::rename(QFile::encodeName(outcome.target).constData(), QFile::encodeName(target).constData()) == 0)
            decryptedPreviewPath_ = target;
        else
            error = UiText(qt_error_string(errno));
    }
    discardCacheEntry(staging);
    if (decryptedPreviewPath_.isEmpty())
        setStatus(uiTr("无法解密受控预览：%1").arg(error));
    emit resultChanged();
}

void RepairWorkflowController::releasePreview()
{
    if (state_ != WorkflowState::PreviewReady)
        return;
    removeDecryptedPreview();
    emit resultChanged();
}

QString RepairWorkflowController::savedResultName() const
{
    const QString outputFile = outputName_.isEmpty() ? QFileInfo(outputPath_).fileName() : outputName_;
    QString suffix = QFileInfo(outputFile).suffix();
    if (suffix.isEmpty())
        suffix = QFileInfo(inputPath_).suffix();
    const QString tail = QStringLiteral("_repaired") + (suffix.isEmpty() ? QString() : QLatin1Char('.') + suffix);
    return withFittingStem(QFileInfo(inputPath_).completeBaseName(), tail);
}

bool RepairWorkflowController::saveResult(const QUrl& directoryUrl)
{
    if (busy_ || state_ != WorkflowState::PreviewReady || outputPath_.isEmpty())
        return false;
    const QString folder = pathFromUrl(directoryUrl);
    if (folder.isEmpty() || !QDir(folder).exists() || !QFileInfo(folder).isWritable() || isInsideCache(folder)) {
        setStatus(uiTr("目标目录不存在或不可写"));
        return false;
    }
    const int systemError = folderWriteError(folder, outputSize_);
    if (systemError != 0) {
        setStatus(uiTr("保存失败，缓存结果仍保留：%1").arg(saveFailureReason(systemError, UiText())));
        return false;
    }
    // Decrypting a large result takes seconds: it runs on the pool with the job's link (its stop
    // flag and progress), and the window stays responsive. The result is decrypted beside its final
    // name and moved there only when complete, to a name still free at that moment; only the
    // container this repair sealed is opened.
    link_->setCancelRequested(false);
    busy_ = true;
    emit busyChanged();
    emit stateChanged();
    setProgress(0);
    setStatus(uiTr("正在保存修复结果…（%1%）").arg(0));
    const QString container = outputPath_;
    const EncryptedFileStore::SealedContainer seal = resultSeal_;
    const QString name = savedResultName();
    const std::shared_ptr<JobLink> link = link_;
    link->jobStarted();
    saveWatcher_.setFuture(QtConcurrent::run(QThreadPool::globalInstance(), [link, container, seal, folder, name] {
        SaveOutcome outcome;
        const QString partial = partialFilePath(folder);
        const auto progress = [&link](qint64 done, qint64 total) {
            link->postProgress(static_cast<int>(total > 0 ? done * 100 / total : 100), RepairStep::Rebuild);
            return !link->isCancelRequested();
        };
        // Owner-only while it is written; whole, it takes the mode of any file the user saves.
        if (EncryptedFileStore::decryptFile(container, partial, &outcome.storeError, &seal, progress)) {
            if (::chmod(QFile::encodeName(partial).constData(), userFileMode()) == 0)
                outcome.target = moveToFreeOutputPath(partial, folder, name, nullptr, &outcome.systemError);
            else
                outcome.systemError = errno;
        }
        if (outcome.target.isEmpty())
            QFile::remove(partial);
        link->jobReturned();
        return outcome;
    }));
    return true;
}

void RepairWorkflowController::onSaveFinished()
{
    const SaveOutcome outcome = saveWatcher_.future().resultCount() > 0 ? saveWatcher_.result() : SaveOutcome();
    busy_ = false;
    emit busyChanged();
    emit stateChanged();
    if (outcome.target.isEmpty()) {
        setStatus(uiTr("保存失败，缓存结果仍保留：%1").arg(saveFailureReason(outcome.systemError, outcome.storeError)));
        emit saveFinished(false);
        return;
    }
    const QString target = outcome.target;
    removeTaskDirectory();
    outputPath_ = target;
    decryptedPreviewPath_ = target;
    previewPath_.clear();
    outputName_ = QFileInfo(target).fileName();
    previewFileName_ = outputName_;
    outputSize_ = QFileInfo(target).size();
    setProgress(100);
    setState(WorkflowState::Saved);
    setStatus(uiTr("已安全保存：%1").arg(target));
    emit resultChanged();
    emit saveFinished(true);
}

void RepairWorkflowController::revealResult()
{
    if (state_ != WorkflowState::Saved || outputPath_.isEmpty())
        return;
    revealInFileManager(outputPath_);
}

QVariantMap RepairWorkflowController::buildReport() const
{
    QVariantMap report;
    report.insert(QStringLiteral("schemaVersion"), 1);
    report.insert(QStringLiteral("createdAtUtc"), QDateTime::currentDateTimeUtc().toString(Qt::ISODate));
    report.insert(QStringLiteral("applicationVersion"), QCoreApplication::applicationVersion());
    report.insert(QStringLiteral("inputName"), QFileInfo(inputPath_).fileName());
    report.insert(QStringLiteral("inputSize"), QFileInfo(inputPath_).size());
    report.insert(QStringLiteral("category"), category_.toString());
    report.insert(QStringLiteral("workflowState"), state_);
    report.insert(QStringLiteral("repairability"), repairability_.toString());
    report.insert(QStringLiteral("validation"), validationMessage_.toString());
    report.insert(QStringLiteral("formatValid"), formatValid_);
    report.insert(QStringLiteral("previewKind"), previewKind());
    report.insert(QStringLiteral("findings"), findings());
    report.insert(QStringLiteral("actions"), actions());
    report.insert(QStringLiteral("warnings"), warnings());
    return report;
}

bool RepairWorkflowController::exportReport(const QUrl& directoryUrl)
{
    if (busy_ || inputPath_.isEmpty() || state_ == WorkflowState::Idle || state_ == WorkflowState::FileSelected)
        return false;
    const QString folder = pathFromUrl(directoryUrl);
    if (folder.isEmpty() || !QDir(folder).exists()) {
        setStatus(uiTr("报告目录不存在"));
        return false;
    }
    // Written completely under a new hidden name first, then moved to the first free report name
    // without ever replacing what stands there.
    const QByteArray bytes = QJsonDocument(QJsonObject::fromVariantMap(buildReport())).toJson(QJsonDocument::Indented);
    QString error;
    QString path;
    const QString partial = writeNewFile(folder, bytes, &error);
    if (!partial.isEmpty()) {
        path = moveToFreeOutputPath(
            partial, folder, withFittingStem(QFileInfo(inputPath_).completeBaseName(), QStringLiteral("_repair_report.json")),
            &error);
        if (path.isEmpty())
            QFile::remove(partial);
    }
    if (path.isEmpty()) {
        setStatus(uiTr("报告导出失败：%1").arg(error));
        return false;
    }
    setStatus(uiTr("已导出不含完整文件路径的修复报告：%1").arg(path));
    return true;
}

} // namespace olm::repair
