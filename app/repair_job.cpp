#include "app/repair_job.h"

#include "app/encrypted_file_store.h"
#include "app/engine_texts.h"
#include "app/job_link.h"
#include "app/output_validation_service.h"
#include "app/progress_bridge.h"
#include "common/regular_file.h"
#include "common/save_file_commit.h"
#include "services/cache_maintenance.h"
#include "services/session_cache.h"

#include "data_repair/consensus.h"
#include "data_repair/engine.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QSaveFile>
#include <QStorageInfo>
#include <QUuid>

#include <algorithm>
#include <cstdio>

#define KORVEX_TR_CONTEXT "olm::repair::RepairWorkflowController"
#include "common/ui_tr.h"

namespace olm::repair {

namespace {

using OperationResult = RepairOperationResult;

constexpr uint64_t kHeadBytes = 1048576;
constexpr qint64 kCopyChunkBytes = 1048576;
constexpr qint64 kEngineHeadroomBytes = 67108864; // room for the engine's output beside the copies
constexpr int kLongPathUnits = 240;

QMutex providerMutex;
RepairFactoryProvider& providerSlot()
{
    static RepairFactoryProvider provider;
    return provider;
}

std::unique_ptr<data_repair::IFileRepairFactory> makeFactory()
{
    QMutexLocker locker(&providerMutex);
    const RepairFactoryProvider& provider = providerSlot();
    return provider ? provider() : data_repair::createFileRepairFactory();
}

std::filesystem::path fsPath(const QString& path) { return data_repair::pathFromUtf8(path.toStdString()); }

QString fromUtf8(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

UiText categoryText(int kind)
{
    switch (kind) {
    case data_repair::Video: return uiTr("视频");
    case data_repair::Audio: return uiTr("音频");
    case data_repair::Photo: return uiTr("图片");
    case data_repair::Document: return uiTr("文档");
    case data_repair::Archive: return uiTr("压缩容器");
    default: return uiTr("未知");
    }
}

UiText severityText(int severity)
{
    switch (severity) {
    case data_repair::Warning: return uiTr("警告");
    case data_repair::Error: return uiTr("错误");
    default: return uiTr("信息");
    }
}

data_repair::RepairResult dispatchRepairEngine(data_repair::IFileRepairFactory& factory, int kind,
                                               const data_repair::RepairRequest& request, bool analyze,
                                               data_repair::IProgress* sink)
{
    auto run = [&](auto repairer) {
        if (!repairer) {
            data_repair::RepairResult missing;
            missing.status = data_repair::RepairStatus::failure(1, "repair engine is not available in this build");
            return missing;
        }
        return analyze ? repairer->analyze(request, sink) : repairer->repair(request, sink);
    };
    switch (kind) {
    case data_repair::Video: return run(factory.createVideoRepair());
    case data_repair::Audio: return run(factory.createAudioRepair());
    case data_repair::Photo: return run(factory.createPhotoRepair());
    default: return run(factory.createDocumentRepair());
    }
}

bool writeCreationStamp(const QString& taskDirectory)
{
    QFile stamp(QDir(taskDirectory).filePath(QStringLiteral(".created")));
    if (!stamp.open(QIODevice::WriteOnly | QIODevice::Truncate, QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        return false;
    const QByteArray text = QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toUtf8();
    const bool written = stamp.write(text) >= 1;
    stamp.close();
    return written;
}

bool enoughCacheSpace(const QString& taskDirectory, qint64 required)
{
    const QStorageInfo storage(taskDirectory);
    return storage.isValid() && storage.isReady() && storage.bytesAvailable() >= required;
}

// The kinds whose engines can rebuild a file from a healthy sample (the advanced repair).
bool hasAdvancedRepair(int kind)
{
    return kind == data_repair::Photo || kind == data_repair::Video || kind == data_repair::Audio;
}

// Everything in the work folder but the files still to be sealed: the private copies and the
// engine's other outputs would otherwise sit beside the sealed containers and double the peak.
void removeWorkEntriesExcept(const QString& workDirectory, const QStringList& keep)
{
    QStringList kept;
    for (const QString& path : keep)
        kept.append(QFileInfo(path).absoluteFilePath());
    const QDir work(workDirectory);
    for (const QString& name : work.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        const QString path = work.filePath(name);
        if (!kept.contains(QFileInfo(path).absoluteFilePath()))
            removeCacheEntry(path);
    }
}

// After sealing, the plain preview is what the controller would decrypt from its container at
// once: it is moved into the task's "preview" folder here, off the GUI thread. Empty when it could
// not be moved; the controller then decrypts the container.
QString placePreview(const QString& taskDirectory, const QString& plainPreview, const QString& fileName)
{
    const QString folder = QDir(taskDirectory).filePath(QStringLiteral("preview"));
    if (!makePrivateCacheFolder(folder))
        return QString();
    const QString target = QDir(folder).filePath(QFileInfo(fileName).fileName());
    if (::rename(QFile::encodeName(plainPreview).constData(), QFile::encodeName(target).constData()) != 0) {
        removeCacheEntry(folder);
        return QString();
    }
    QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return target;
}

OperationResult& fail(OperationResult& result, const UiText& error)
{
    result.ok = false;
    result.error = error;
    return result;
}

// A warning is listed once, however often the engine gives it.
void addWarning(OperationResult& result, const UiText& warning)
{
    if (!result.warnings.contains(warning))
        result.warnings.append(warning);
}

// A working copy that failed because its source is no regular file (a pipe or device put in its
// place) says so; other failures keep the copy's own text.
UiText copyFailure(const UiText& copyText, const UiText& openError)
{
    return openError.isEmpty() ? copyText : openError;
}

// Findings listed one by one. A hostile file can carry millions of small faults (one per gap between
// Ogg pages, say); every read of the list builds and translates it anew, so the rest is summed up in
// one entry instead.
constexpr qsizetype kListedFindings = static_cast<qsizetype>(data_repair::kMaxFindings);

void takeEngineReport(OperationResult& result, const data_repair::RepairResult& engine)
{
    qsizetype omitted = 0;
    int omittedSeverity = 0;
    for (const data_repair::Finding& finding : engine.findings) {
        if (finding.repairable)
            result.repairable = true;
        if (result.findings.size() >= kListedFindings) {
            // The engine's own summary of what it left out stands for all of those findings.
            const bool engineSummary = engine.omittedFindings > 0 && &finding == &engine.findings.back();
            omitted += engineSummary ? static_cast<qsizetype>(engine.omittedFindings) : 1;
            omittedSeverity = std::max(omittedSeverity, static_cast<int>(finding.severity));
            continue;
        }
        QVariantMap entry;
        entry.insert(QStringLiteral("severity"), QVariant::fromValue(severityText(finding.severity)));
        entry.insert(QStringLiteral("severityCode"), static_cast<int>(finding.severity));
        entry.insert(QStringLiteral("message"), QVariant::fromValue(findingUserMessage(finding)));
        entry.insert(QStringLiteral("subject"), QVariant::fromValue(findingSubject(finding)));
        entry.insert(QStringLiteral("technicalMessage"), fromUtf8(finding.message));
        entry.insert(QStringLiteral("repairable"), finding.repairable);
        result.findings.append(entry);
    }
    if (omitted > 0) {
        QVariantMap entry;
        entry.insert(QStringLiteral("severity"), QVariant::fromValue(severityText(omittedSeverity)));
        entry.insert(QStringLiteral("severityCode"), omittedSeverity);
        entry.insert(QStringLiteral("message"),
                     QVariant::fromValue(uiTr("另有 %1 项同类发现未逐条列出").arg(static_cast<long long>(omitted))));
        entry.insert(QStringLiteral("subject"), QString());
        entry.insert(QStringLiteral("technicalMessage"), QStringLiteral("%1 more findings not listed").arg(omitted));
        entry.insert(QStringLiteral("repairable"), false);
        result.findings.append(entry);
    }
    for (const data_repair::RepairAction& action : engine.actions) {
        QVariantMap entry;
        entry.insert(QStringLiteral("name"), fromUtf8(action.id));
        entry.insert(QStringLiteral("message"), fromUtf8(action.description));
        result.actions.append(entry);
    }
    for (const std::string& note : engine.notes)
        addWarning(result, engineNoteUserMessage(note));
    result.sampleRequired = engine.sampleRequired;
}

// Damage a repair found and could not mend stays in its output: the user is warned of it.
void takeOutputWarnings(OperationResult& result, const data_repair::RepairResult& engine)
{
    for (const data_repair::Finding& finding : engine.findings)
        if (finding.severity >= data_repair::Warning && !finding.repairable)
            addWarning(result, findingUserMessage(finding));
}

// A cut picture that still decodes to its full size, the missing part filled in, is the best that
// exists of it. It is accepted when the engine found the input cut short (its end missing, or data
// lost that no repair brings back; bytes left over after the end are no cut): the cut and what it
// cost are the warnings the user decides on.
bool acceptCutPicture(OperationResult& result, const data_repair::RepairResult& engine, const OutputValidationResult& verdict)
{
    if (verdict.valid || verdict.loss.isEmpty())
        return false;
    QList<UiText> cuts;
    for (const data_repair::Finding& finding : engine.findings)
        if (finding.category == data_repair::TrailerMissing || (finding.category == data_repair::Truncated && !finding.repairable))
            cuts.append(findingUserMessage(finding));
    if (cuts.isEmpty())
        return false;
    for (const UiText& cut : cuts)
        addWarning(result, cut);
    addWarning(result, verdict.loss);
    result.validationMessage = UiText::translated("olm::repair::OutputValidationService", "图片可由独立解码器读取");
    result.formatValid = true;
    return true;
}

// For an image output the engine may have listed an image it extracted; that one is previewed.
QString choosePreview(const data_repair::RepairResult& engine, const QString& outputPath)
{
    if (!isImageSuffix(outputPath))
        return outputPath;
    for (const data_repair::OutputArtifact& artifact : engine.artifacts) {
        const QString path = fromUtf8(artifact.path);
        if (!path.isEmpty() && QFileInfo::exists(path) && isImageSuffix(path))
            return path;
    }
    return outputPath;
}

// Before the output is validated and sealed: what the engine left beside it goes, and the sealed
// containers (the size of the plain files) must fit the cache's disk, and older sessions make room
// for them under the user's cache limit. Fails the result when the disk has no room.
void checkRoomToSeal(OperationResult& result, const QString& workDirectory, const QString& taskDirectory,
                     qint64 cacheLimitBytes)
{
    removeWorkEntriesExcept(workDirectory, {result.outputPath, result.previewPath});
    const QFileInfo output(result.outputPath);
    const QFileInfo preview(result.previewPath);
    const qint64 plain = output.size() + (output.absoluteFilePath() == preview.absoluteFilePath() ? 0 : preview.size());
    const qint64 sealed = plain + (plain / EncryptedFileStore::kChunkSize + 2) * EncryptedFileStore::kRecordHeaderSize
                          + 2 * EncryptedFileStore::kHeaderSize;
    if (cacheLimitBytes > 0)
        trimCacheToLimit(std::max<qint64>(0, cacheLimitBytes - plain - sealed), QString());
    if (!enoughCacheSpace(taskDirectory, sealed))
        fail(result, uiTr("应用缓存磁盘空间不足，无法封存修复结果（需要 %1）").arg(formatByteSize(sealed)));
}

void sealResult(OperationResult& result, const QString& taskDirectory, ProgressBridge& bridge)
{
    if (result.outputPath.isEmpty() || result.previewPath.isEmpty()) {
        fail(result, uiTr("修复核心未返回可加密的结果文件"));
        return;
    }
    const QFileInfo output(result.outputPath);
    const QFileInfo preview(result.previewPath);
    result.outputName = output.fileName();
    result.previewFileName = preview.fileName();
    result.outputSize = output.size();
    const QString resultContainer = QDir(taskDirectory).filePath(QStringLiteral("result.drcache"));
    const bool samePreview = output.absoluteFilePath() == preview.absoluteFilePath();
    const QString previewContainer =
        samePreview ? resultContainer : QDir(taskDirectory).filePath(QStringLiteral("preview.drcache"));
    UiText storeError;
    const qint64 total = result.outputSize + (samePreview ? 0 : preview.size());
    const auto progress = [&bridge, total](qint64 offset) {
        return [&bridge, total, offset](qint64 done, qint64) {
            return bridge.report(static_cast<uint64_t>(offset + done), static_cast<uint64_t>(std::max<qint64>(total, 1)));
        };
    };
    bool sealed = EncryptedFileStore::encryptFile(result.outputPath, resultContainer, &storeError, &result.resultSeal,
                                                  progress(0));
    result.previewSeal = result.resultSeal;
    if (sealed && !samePreview)
        sealed = EncryptedFileStore::encryptFile(result.previewPath, previewContainer, &storeError, &result.previewSeal,
                                                 progress(result.outputSize));
    if (EncryptedFileStore::takeMasterKeyReplacedNotice())
        result.warnings.append(uiTr("保护临时结果的主密钥已无法解锁，已自动换用新的主密钥"));
    if (sealed) {
        result.outputPath = resultContainer;
        result.previewPath = previewContainer;
    } else {
        fail(result, uiTr("无法安全加密临时修复结果：%1").arg(storeError));
    }
}

} // namespace

void setRepairFactoryProvider(RepairFactoryProvider provider)
{
    QMutexLocker locker(&providerMutex);
    providerSlot() = std::move(provider);
}

bool isImageSuffix(const QString& path)
{
    static const QStringList suffixes = {QStringLiteral("jpg"), QStringLiteral("jpeg"), QStringLiteral("png"),
                                         QStringLiteral("bmp"), QStringLiteral("gif"),  QStringLiteral("tif"),
                                         QStringLiteral("tiff"), QStringLiteral("webp")};
    return suffixes.contains(QFileInfo(path).suffix().toLower());
}

bool needsPrivateWorkingCopy(const QString& path)
{
    if (path.isEmpty())
        return false;
    const QString native = QDir::toNativeSeparators(path);
    if (native.size() >= kLongPathUnits)
        return true;
    for (const QChar unit : native)
        if (unit.unicode() > 0x7F)
            return true;
    return false;
}

QString privateCopyPath(const QString& workDirectory, const QString& baseName, const QString& copiedFile)
{
    const QString name = QFileInfo(copiedFile).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString entry = dot < 0 ? baseName : baseName + name.mid(dot);
    return QDir(workDirectory).filePath(entry);
}

bool copyDeviceToPrivateWorkingCopy(QIODevice& source, qint64 expectedSize, const QString& destination,
                                    const std::function<bool()>& cancelled)
{
    QSaveFile target(destination);
    target.setDirectWriteFallback(false);
    if (!target.open(QIODevice::WriteOnly))
        return false;
    // Working copies of the user's files are readable by the user only.
    target.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QByteArray chunk;
    qint64 copied = 0;
    // The copy ends at the size measured when the source was opened: a source that gives nothing
    // before that (it shrank, or reports no error while reading nothing) fails instead of looping
    // or leaving a short copy for the engine.
    while (copied < expectedSize) {
        if (cancelled && cancelled()) {
            target.cancelWriting();
            return false;
        }
        chunk = source.read(qMin(kCopyChunkBytes, expectedSize - copied));
        if (chunk.isEmpty() || target.write(chunk) != chunk.size()) {
            target.cancelWriting();
            return false;
        }
        copied += chunk.size();
    }
    return commitSaveFile(target);
}

bool copyToPrivateWorkingCopy(const QString& source, const QString& destination,
                               const std::function<bool()>& cancelled, UiText* error)
{
    QFile input;
    UiText openError;
    bool notRegular = false;
    if (!openRegularFile(input, source, &openError, QIODevice::NotOpen, &notRegular)) {
        if (notRegular && error != nullptr)
            *error = openError;
        return false;
    }
    return copyDeviceToPrivateWorkingCopy(input, input.size(), destination, cancelled);
}

namespace {

// The first bytes of the input, read through Qt so that a failure carries the file's own error
// text (not the engine's fixed English one); empty with *error set when it cannot be read. The
// identity of the file read is kept, so a repair can tell whether it is still the file analysed.
data_repair::ByteBuffer readFileHead(const QString& path, qint64 limit, UiText* error, FileIdentity* identity)
{
    QFile file;
    if (!openRegularFile(file, path, error))
        return {};
    *identity = fileIdentity(file);
    const QByteArray bytes = file.read(limit);
    if (bytes.isEmpty() && file.size() > 0 && file.error() != QFileDevice::NoError) {
        *error = file.errorString();
        return {};
    }
    return data_repair::ByteBuffer(bytes.begin(), bytes.end());
}

// The job's road up to its result; every step that reads or writes whole files asks the link
// whether to stop (runRepairOperation turns a stop into a cancelled result).
OperationResult runJobSteps(const std::shared_ptr<JobLink>& link, const QString& inputPath, const QString& samplePath,
                            const QString& sessionDirectory, bool analyze, const QString& mode,
                            const FileIdentity& analyzedInput, qint64 cacheLimitBytes)
{
    OperationResult result;
    result.analysisOnly = analyze;
    if (link->isCancelRequested())
        return result;
    ProgressBridge bridge(link);
    const auto cancelled = [&link] { return link->isCancelRequested(); };
    // A repair's bar is shared: the engine fills most of it, validation and sealing the rest.
    constexpr int kRebuildEnd = 80;
    constexpr int kValidateEnd = 95;
    if (!analyze)
        bridge.beginStep(RepairStep::Rebuild, 0, kRebuildEnd);

    UiText readError;
    const data_repair::ByteBuffer head = readFileHead(inputPath, kHeadBytes, &readError, &result.inputIdentity);
    if (!readError.isEmpty())
        return fail(result, uiTr("无法读取输入文件：%1").arg(readError));
    // A repair works from its analysis: a file put in the input's place since then (or changed)
    // is not repaired under findings that were made for another one.
    const UiText inputReplaced = uiTr("输入文件在分析后已被更改或替换，请重新分析后再修复");
    if (!analyze && analyzedInput.valid && !result.inputIdentity.matches(analyzedInput)) {
        result.inputChanged = true;
        return fail(result, inputReplaced);
    }

    data_repair::ConsensusResult consensus = data_repair::findSiblingConsensus(inputPath.toStdString(), &bridge);
    if (cancelled())
        return result; // a stopped search found nothing; the kind is not worth detecting now
    int kind = data_repair::Unknown;
    if (consensus.found) {
        // Kind detection looks at the head only, so the agreed copy is not read whole.
        const std::filesystem::path chosen = data_repair::pathFromUtf8(consensus.best.path);
        std::string chosenError;
        kind = data_repair::detectFileKind(chosen, data_repair::readFileHead(chosen, kHeadBytes, &chosenError));
    } else {
        kind = data_repair::detectFileKind(fsPath(inputPath), head);
    }
    result.category = categoryText(kind);
    if (!consensus.found && (kind == data_repair::Archive || kind == data_repair::Unknown))
        return fail(result, uiTr("该文件格式尚未列入首发修复白名单"));

    data_repair::RepairRequest request;
    request.mode = data_repair::parseRepairMode(mode.toStdString());
    request.writePreview = !analyze;
    request.overwrite = false;

    if (sessionDirectory.isEmpty())
        return fail(result, uiTr("系统未提供可写的应用缓存目录"));
    const QString taskDirectory =
        QDir(sessionDirectory).filePath(QUuid::createUuid().toString(QUuid::WithoutBraces));
    const QString workDirectory = QDir(taskDirectory).filePath(QStringLiteral("work"));
    if (!makePrivateCacheFolder(workDirectory))
        return fail(result, uiTr("无法创建私有修复缓存目录"));
    result.taskDirectory = taskDirectory;
    if (!writeCreationStamp(taskDirectory))
        return fail(result, uiTr("无法登记私有修复缓存任务"));

    const bool copyInput = needsPrivateWorkingCopy(inputPath);
    const bool copySample = !samplePath.isEmpty() && needsPrivateWorkingCopy(samplePath);
    const QString consensusPath = consensus.found ? fromUtf8(consensus.best.path) : QString();
    const bool copyConsensus = !consensusPath.isEmpty() && needsPrivateWorkingCopy(consensusPath);

    if (cancelled())
        return result;
    if (!analyze || copyInput || copySample || copyConsensus) {
        const qint64 inputSize = QFileInfo(inputPath).size();
        const qint64 sampleSize = samplePath.isEmpty() ? 0 : QFileInfo(samplePath).size();
        const qint64 consensusSize = consensusPath.isEmpty() ? 0 : QFileInfo(consensusPath).size();
        // A repair holds its output beside the sealed copy of it (about twice the output, which
        // is about the input's size), and the private copies until sealing starts.
        const qint64 copies = (copyInput ? inputSize : 0) + (copySample ? sampleSize : 0) + (copyConsensus ? consensusSize : 0);
        const qint64 output = analyze ? 0 : std::max(inputSize, consensusSize);
        const qint64 required = copies + (analyze ? inputSize + kEngineHeadroomBytes : 2 * (output + kEngineHeadroomBytes));
        const qint64 cacheNeed = std::max(copies + output, 2 * output);
        // Older sessions no running instance holds make room for this one. A job larger than the
        // limit still runs: like an unsaved result, the running job is never what gets trimmed.
        if (!analyze && cacheLimitBytes > 0)
            trimCacheToLimit(std::max<qint64>(0, cacheLimitBytes - cacheNeed), QString());
        if (!enoughCacheSpace(taskDirectory, required))
            return fail(result, uiTr("应用缓存磁盘空间不足；长路径工作副本和修复输出均已计入预检"));
    }

    QString workingInput = inputPath;
    if (copyInput) {
        workingInput = privateCopyPath(workDirectory, QStringLiteral("input"), inputPath);
        UiText copyError;
        if (!copyToPrivateWorkingCopy(inputPath, workingInput, cancelled, &copyError))
            return fail(result, copyFailure(uiTr("无法为 Windows 长路径创建私有工作副本"), copyError));
    }
    QString workingSample = samplePath;
    if (copySample) {
        workingSample = privateCopyPath(workDirectory, QStringLiteral("sample"), samplePath);
        UiText copyError;
        if (!copyToPrivateWorkingCopy(samplePath, workingSample, cancelled, &copyError))
            return fail(result, copyFailure(uiTr("无法为长路径样本创建私有工作副本"), copyError));
    }
    if (copyConsensus) {
        const QString copy = privateCopyPath(workDirectory, QStringLiteral("consensus"), consensusPath);
        UiText copyError;
        if (!copyToPrivateWorkingCopy(consensusPath, copy, cancelled, &copyError))
            return fail(result, copyFailure(uiTr("无法为同源一致副本创建短路径工作副本"), copyError));
        consensus.best = data_repair::makeSourceInfo(copy.toStdString());
    }

    request.input = data_repair::makeSourceInfo(workingInput.toStdString());
    if (!workingSample.isEmpty())
        request.sample = data_repair::makeSourceInfo(workingSample.toStdString());
    request.outputDirectory = workDirectory.toStdString();

    data_repair::RepairResult engine;
    if (consensus.found) {
        const data_repair::RepairRequest consensusRequest = request;
        engine = analyze ? data_repair::analyzeConsensus(consensusRequest, consensus)
                         : data_repair::restoreFromConsensus(consensusRequest, consensus, &bridge);
    } else {
        std::unique_ptr<data_repair::IFileRepairFactory> factory = makeFactory();
        engine = dispatchRepairEngine(*factory, kind, request, analyze, &bridge);
    }

    result.ok = engine.status.ok;
    result.error = engineErrorUserMessage(engine.status.message);
    takeEngineReport(result, engine);
    // A quick repair that failed leaves the repair with a healthy sample to try, where there is one.
    if (!analyze && !result.ok && !consensus.found && request.mode != data_repair::Advanced && hasAdvancedRepair(kind))
        result.advancedRepairOffered = true;

    if (!analyze && result.ok && engine.outputWritten && !engine.output.path.empty() && !cancelled()) {
        result.outputPath = fromUtf8(engine.output.path);
        result.previewPath = choosePreview(engine, result.outputPath);
        takeOutputWarnings(result, engine);
        checkRoomToSeal(result, workDirectory, taskDirectory, cacheLimitBytes);
    }
    if (!analyze && result.ok && !result.outputPath.isEmpty() && !cancelled()) {
        bridge.beginStep(RepairStep::Validate, kRebuildEnd, kValidateEnd);
        ValidationControl control;
        control.cancelled = cancelled;
        control.progress = [&bridge](qint64 done, qint64 total) {
            bridge.report(static_cast<uint64_t>(std::max<qint64>(done, 0)), static_cast<uint64_t>(std::max<qint64>(total, 1)));
        };
        const OutputValidationResult verdict = OutputValidationService::validateOutput(result.outputPath, control);
        result.validationMessage = verdict.message;
        result.formatValid = verdict.valid;
        if (!verdict.valid && !acceptCutPicture(result, engine, verdict)) {
            if (!consensus.found) {
                fail(result, uiTr("核心生成了输出，但独立格式验证未通过"));
            } else {
                // The agreed copy's bytes are the result even when they do not look like their suffix.
                result.previewKindOverride = QStringLiteral("binary");
                result.validationMessage =
                    uiTr("同源副本已精确恢复；源基线与扩展名声明不匹配（%1），已切换为安全数据预览").arg(verdict.message);
                result.warnings.append(
                    uiTr("格式完整性未通过，保存前请确认：结果保留恢复出的原始字节，不代表扩展名所声明的文件结构可用。"));
            }
        }
    }

    if (!analyze && result.ok && !fileIdentity(inputPath).matches(result.inputIdentity)) {
        // Changed while the engine read it: the output mixes two files.
        result.inputChanged = true;
        fail(result, inputReplaced);
    }
    if (!analyze && result.ok && !cancelled()) {
        bridge.beginStep(RepairStep::Seal, kValidateEnd, 100);
        const QString plainPreview = result.previewPath;
        sealResult(result, taskDirectory, bridge);
        if (result.ok && !cancelled())
            result.decryptedPreviewPath = placePreview(taskDirectory, plainPreview, result.previewFileName);
        // The plain output and the private copies never outlive the sealing step.
        removeCacheEntry(workDirectory);
    }
    return result;
}

} // namespace

OperationResult runRepairOperation(const std::shared_ptr<JobLink>& link, const QString& inputPath,
                                   const QString& samplePath, const QString& sessionDirectory, bool analyze,
                                   const QString& mode, const FileIdentity& analyzedInput, qint64 cacheLimitBytes)
{
    OperationResult result =
        runJobSteps(link, inputPath, samplePath, sessionDirectory, analyze, mode, analyzedInput, cacheLimitBytes);
    // However the road ended, a cancellation asked for meanwhile is what the user is told.
    if (link->isCancelRequested()) {
        result.cancelled = true;
        result.ok = false;
    }
    return result;
}

} // namespace olm::repair
