#include "dispatch/batch_repairer.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <string_view>

#include "core/sibling_consensus.h"
#include "data_repair/checkpoint.h"
#include "data_repair/consensus.h"
#include "data_repair/detection.h"
#include "data_repair/file_access.h"
#include "data_repair/format_extensions.h"
#include "data_repair/output_stage.h"
#include "document/document_formats.h"
#include "document/document_repairer.h"
#include "media/audio_formats.h"
#include "media/audio_repairer.h"
#include "media/video_containers.h"
#include "media/video_repairer.h"
#include "photo/photo_formats.h"
#include "photo/photo_repairer.h"

namespace fs = std::filesystem;

namespace data_repair {

namespace {

constexpr int32_t kBatchSource = 6;
constexpr int32_t kBatchUnsupported = 60;
constexpr int32_t kBatchPartlyRepaired = 61;

std::string normalKey(const fs::path& path)
{
    std::error_code ec;
    const fs::path absolute = fs::absolute(path, ec);
    return pathToUtf8((ec ? path : absolute).lexically_normal());
}

// A fresh hidden folder beside the final outputs (same file system, so moving is a rename).
fs::path makeStagingFolder(const fs::path& finalFolder)
{
    static std::atomic<uint64_t> counter{0};
    std::error_code ec;
    if (!finalFolder.empty())
        fs::create_directories(finalFolder, ec);
    for (int attempt = 0; attempt < 8; ++attempt) {
        const fs::path staging = finalFolder / (".korvex-batch-" + std::to_string(::getpid()) + "-" +
                                                std::to_string(counter.fetch_add(1)));
        if (fs::create_directory(staging, ec) && !ec)
            return staging;
    }
    return {};
}

// Walks one root folder in name order, pre-order like a recursive directory walk. A listing
// that breaks off keeps the entries read before the break and ends the root's walk.
void walkRoot(const std::string& rootText, const fs::path& root, const BatchRepairRequest& request,
              std::vector<fs::path>& workList, std::vector<std::string>& warnings)
{
    struct Frame {
        std::vector<fs::directory_entry> entries;
        size_t next = 0;
    };
    auto broken = [&](const FolderListing& listing) {
        if (!listing.advanceFailed)
            return false;
        for (const fs::directory_entry& entry : listing.entries)
            addBatchPath(workList, entry.path(), request);
        warnings.push_back("skipped unreadable path under: " + rootText);
        return true;
    };
    FolderListing listing = listFolderSorted(root);
    if (broken(listing))
        return;
    std::vector<Frame> stack;
    stack.push_back(Frame{std::move(listing.entries)});
    while (!stack.empty()) {
        Frame& frame = stack.back();
        if (frame.next >= frame.entries.size()) {
            stack.pop_back();
            continue;
        }
        const fs::directory_entry entry = frame.entries[frame.next++];
        addBatchPath(workList, entry.path(), request);
        std::error_code ec;
        // Links to folders are never followed: no cycles, no walking out of the tree.
        if (!request.recursive || entry.is_symlink(ec) || !entry.is_directory(ec))
            continue;
        FolderListing inner = listFolderSorted(entry.path());
        if (broken(inner))
            return;
        stack.push_back(Frame{std::move(inner.entries)});
    }
}

RepairResult unsupportedItem(const RepairRequest& itemRequest, int32_t mode)
{
    RepairResult result;
    result.input = itemRequest.input;
    result.kind = Unknown;
    result.mode = mode;
    result.setStatus(RepairStatus::failure(kBatchUnsupported, "unsupported file in batch"));
    result.addFinding(UnsupportedFormat, Error, "batch repair supports video, audio, photo, document and archive formats",
                      0, 0, false, 1.0);
    return result;
}

template <typename Engine>
RepairResult runEngine(const RepairRequest& itemRequest, int32_t mode, IProgress* progress)
{
    const Engine engine;
    return mode == Analyze ? engine.analyze(itemRequest, progress) : engine.repair(itemRequest, progress);
}

// The write failure of the engine that made the output, for a staged output that cannot take
// its final name: to the caller this is that engine's own write failing.
int32_t engineWriteCode(const RepairResult& result)
{
    const std::string& f = result.format;
    auto any = [&](std::initializer_list<std::string_view> names) {
        return std::find(names.begin(), names.end(), f) != names.end();
    };
    auto named = [&](ExtensionList list) { return isListed(list, f); };
    switch (result.kind) {
    case Photo:
        if (named(extensions::kJpeg))
            return kPhotoJpegWrite;
        if (f == "png")
            return kPhotoPngWrite;
        if (f == "gif")
            return kPhotoGifWrite;
        return f == "bmp" ? kPhotoBmpWrite : kPhotoRawWrite;
    case Audio:
        if (f == "aac")
            return kAudioAacWrite;
        if (f == "ogg")
            return kAudioOggWrite;
        if (f == "wav")
            return kAudioWavWrite;
        if (f == "flac")
            return kAudioFlacWrite;
        return f == "m4a" ? kAudioM4aWrite : kAudioMp3Write;
    case Video:
        if (f == "avi")
            return kVideoAviWrite;
        if (named(extensions::kTransportStream))
            return kVideoTsWrite;
        if (f == "flv")
            return kVideoFlvWrite;
        // The Matroska and raw-stream repairs also keep format names no extension list routes
        // to them (a WebM file, an elementary stream named by its codec).
        if (named(extensions::kMatroska) || f == "webm")
            return kVideoMkvWrite;
        if (named(extensions::kAsf))
            return kVideoAsfWrite;
        if (named(extensions::kProgramStream))
            return kVideoPsWrite;
        if (named(extensions::kKlv))
            return kVideoKlvWrite;
        if (named(extensions::kRawStream) || any({"h264", "264", "avc", "h265", "265", "hevc"}))
            return kVideoRawWrite;
        return kVideoMp4Write;
    case Document:
    case Archive:
        if (f == "pdf")
            return kDocPdfWrite;
        if (result.output.kind == "repaired-office-binary-document")
            return kDocOleWrite;
        if (result.output.kind == "repaired-text-document" || f == "rtf")
            return kDocTextWrite;
        return kDocZipWrite;
    default:
        return kConsensusCopyFailed;
    }
}

void recordOutputs(const RepairResult& result, BatchOutputNames& names)
{
    if (result.outputWritten && !result.output.path.empty())
        names.markWritten(pathFromUtf8(result.output.path));
    for (const OutputArtifact& artifact : result.artifacts)
        names.markWritten(pathFromUtf8(artifact.path));
}

// Runs the item's engine. The first item of an output folder and stem lets its engine name the
// outputs; a later one writes into a staging folder and its outputs take the batch's next free
// names, so no item replaces another's output.
RepairResult processRoutedItem(const fs::path& item, const BatchRepairRequest& request, IProgress* progress,
                               BatchOutputNames& names)
{
    const fs::path finalFolder = batchOutputFolder(item, request);
    if (names.firstForStem(finalFolder, item)) {
        RepairResult result = routeBatchItem(item, request, request.mode, progress);
        recordOutputs(result, names);
        return result;
    }
    BatchRepairRequest staged = request;
    staged.overwrite = false;
    const fs::path staging = makeStagingFolder(finalFolder);
    if (staging.empty()) {
        // Without a staging folder the engine still never replaces anything.
        RepairResult result = routeBatchItem(item, staged, request.mode, progress);
        recordOutputs(result, names);
        return result;
    }
    staged.outputDirectory = pathToUtf8(staging);
    RepairResult result = routeBatchItem(item, staged, request.mode, progress);
    adoptStagedOutputs(result, finalFolder, names, request.overwrite);
    std::error_code ec;
    fs::remove_all(staging, ec);
    return result;
}

} // namespace

bool BatchOutputNames::usable(const fs::path& path) const
{
    if (written_.count(normalKey(path)) != 0)
        return false;
    return overwrite_ || !pathTaken(path);
}

fs::path BatchOutputNames::claim(const fs::path& candidate)
{
    if (usable(candidate))
        return candidate;
    const std::string stem = pathToUtf8(candidate.stem());
    const std::string ext = pathToUtf8(candidate.extension());
    const fs::path folder = candidate.parent_path();
    int& next = nextNumber_[normalKey(candidate)];
    if (next == 0)
        next = 1;
    // A number skipped here stays unusable for the rest of the batch (taken on disk, or written
    // by this batch), so the next call starts where this one stopped.
    for (; next <= 9999; ++next) {
        const fs::path path = folder / pathFromUtf8(stem + "_" + std::to_string(next) + ext);
        if (usable(path))
            return path;
    }
    return {};
}

void BatchOutputNames::markWritten(const fs::path& path) { written_.insert(normalKey(path)); }

bool BatchOutputNames::firstForStem(const fs::path& folder, const fs::path& item)
{
    return stems_.insert(normalKey(folder) + "\n" + outputStem(item)).second;
}

fs::path batchOutputFolder(const fs::path& item, const BatchRepairRequest& request)
{
    return request.outputDirectory.empty() ? item.parent_path() : pathFromUtf8(request.outputDirectory);
}

void adoptStagedOutputs(RepairResult& result, const fs::path& finalFolder, BatchOutputNames& names, bool overwrite)
{
    const fs::path input = pathFromUtf8(result.input.path);
    const fs::path sample = pathFromUtf8(result.sample.path);
    auto adopt = [&](OutputArtifact& artifact, std::string& error) {
        const fs::path staged = pathFromUtf8(artifact.path);
        for (int attempt = 0; attempt < 16; ++attempt) {
            const fs::path out = names.claim(finalFolder / staged.filename());
            if (out.empty())
                break;
            if (sameFile(out, input) || sameFile(out, sample)) {
                names.markWritten(out); // a source is never replaced: skip the name
                continue;
            }
            const bool moved = placeFile(staged, out, overwrite);
            if (moved) {
                names.markWritten(out);
                artifact.path = pathToUtf8(out);
                return true;
            }
            if (errno != EEXIST) {
                error = kErrWriteOutput;
                return false;
            }
        }
        error = kErrNoFreeName;
        return false;
    };

    std::string error;
    if (result.outputWritten && !result.output.path.empty() && !adopt(result.output, error)) {
        result.setStatus(RepairStatus::failure(engineWriteCode(result), error));
        result.output = OutputArtifact{};
        result.outputSize = 0;
        result.outputWritten = false;
    }
    std::vector<OutputArtifact> kept;
    for (OutputArtifact& artifact : result.artifacts) {
        if (adopt(artifact, error))
            kept.push_back(artifact);
        else
            result.notes.push_back(error);
    }
    result.artifacts = std::move(kept);
    result.previewWritten = result.previewWritten && !result.artifacts.empty();
}

bool passesNameFilter(const fs::path& candidate, const BatchRepairRequest& request)
{
    const std::string name = pathToUtf8(candidate.filename());
    auto anyMatch = [&](const std::vector<std::string>& patterns) {
        for (const std::string& pattern : patterns)
            if (matchesGlob(pattern, name))
                return true;
        return false;
    };
    if (!request.includeGlobs.empty() && !anyMatch(request.includeGlobs))
        return false;
    return !anyMatch(request.excludeGlobs);
}

void addBatchPath(std::vector<fs::path>& workList, const fs::path& candidate, const BatchRepairRequest& request)
{
    std::error_code ec;
    if (!request.sample.path.empty()) {
        const fs::path sample = pathFromUtf8(request.sample.path);
        const bool bothExist = fs::exists(candidate, ec) && fs::exists(sample, ec);
        if (bothExist ? sameFile(candidate, sample) : normalKey(candidate) == normalKey(sample))
            return;
    }
    if (!fs::is_regular_file(candidate, ec))
        return;
    if (passesNameFilter(candidate, request))
        workList.push_back(candidate);
}

// The photo formats whose repairs can borrow from a sample (GIF and BMP take none).
bool isSamplePhotoExtension(const fs::path& path)
{
    static constexpr std::array<ExtensionList, 3> kSample{extensions::kJpeg, extensions::kPng, extensions::kTiffRaw};
    return isListedIn(kSample, lowerExtension(path));
}

std::string photoExtensionFamily(const fs::path& path)
{
    const std::string ext = lowerExtension(path);
    if (isListed(extensions::kJpeg, ext))
        return "jpeg";
    if (ext == "tif" || ext == "tiff")
        return "tiff";
    return ext;
}

RepairRequest buildItemRequest(const fs::path& item, const BatchRepairRequest& request, int32_t mode, int32_t kind)
{
    RepairRequest itemRequest;
    itemRequest.input = makeSourceInfo(pathToUtf8(item));
    itemRequest.outputDirectory = request.outputDirectory;
    itemRequest.mode = mode;
    itemRequest.writePreview = request.writePreview;
    itemRequest.overwrite = request.overwrite;
    const fs::path sample = pathFromUtf8(request.sample.path);
    if (kind == Photo && request.usePhotoSample && !request.sample.path.empty() && isSamplePhotoExtension(sample) &&
        photoExtensionFamily(item) == photoExtensionFamily(sample))
        itemRequest.sample = request.sample;
    return itemRequest;
}

RepairResult routeBatchItem(const fs::path& item, const BatchRepairRequest& request, int32_t mode,
                            IProgress* progress)
{
    FileKind kind = Unknown;
    {
        // The engine reads the item itself; classifying needs only its head, the same head the
        // application classifies from. A read error is the engine's to report.
        std::string ignored;
        kind = detectFileKind(item, readFileHead(item, kDetectionHeadBytes, &ignored));
    }
    const RepairRequest itemRequest = buildItemRequest(item, request, mode, kind);
    switch (kind) {
    case Video:
        return runEngine<VideoRepairer>(itemRequest, mode, progress);
    case Audio:
        return runEngine<AudioRepairer>(itemRequest, mode, progress);
    case Photo:
        return runEngine<PhotoRepairer>(itemRequest, mode, progress);
    case Document:
    case Archive:
        return runEngine<DocumentRepairer>(itemRequest, mode, progress);
    default:
        return unsupportedItem(itemRequest, mode);
    }
}

BatchRepairResult BatchRepairer::analyze(const BatchRepairRequest& request, IProgress* progress) const
{
    BatchRepairRequest analysis = request;
    analysis.mode = Analyze;
    return repair(analysis, progress);
}

BatchRepairResult BatchRepairer::repair(const BatchRepairRequest& request, IProgress* progress) const
{
    BatchRepairResult result;
    result.status = RepairStatus::success();
    if (request.roots.empty()) {
        result.status = RepairStatus::failure(kStatusReadFailed, "batch repair requires at least one root");
        return result;
    }

    std::vector<fs::path> workList;
    for (const std::string& rootText : request.roots) {
        const fs::path root = pathFromUtf8(rootText);
        std::error_code ec;
        const fs::file_status status = fs::status(root, ec);
        if (ec || !fs::exists(status)) {
            result.warnings.push_back("root does not exist: " + rootText);
            continue;
        }
        if (fs::is_regular_file(status))
            addBatchPath(workList, root, request);
        else
            walkRoot(rootText, root, request, workList, result.warnings);
    }
    result.total = workList.size();

    // The hashing of the groups and the copies of their exemplars ask the sink as they go.
    RunScope run(progress, kBatchSource, "", false);
    std::map<std::string, ConsensusGroup> groups;
    try {
        if (request.useConsensus)
            groups = groupRedundantCopies(workList);
    } catch (const OperationCancelled&) {
        groups.clear(); // the loop below stops at its first question
    }
    BatchOutputNames names(request.overwrite);
    for (uint64_t i = 0; i < result.total; ++i) {
        if (cancellationRequested(progress)) {
            result.status = RepairStatus::failure(kStatusCancelled, "batch repair cancelled");
            break;
        }
        const fs::path& item = workList[i];
        reportProgress(progress, kBatchSource, "batch", pathToUtf8(item), i, result.total);
        const auto group = groups.find(familyKey(item));
        RepairResult itemResult;
        try {
            if (group != groups.end()) {
                names.firstForStem(batchOutputFolder(item, request), item);
                itemResult = restoreConsensusExemplar(item, group->second, request, names);
            } else {
                itemResult = processRoutedItem(item, request, progress, names);
            }
        } catch (const OperationCancelled&) {
            itemResult = RepairResult{};
            itemResult.setStatus(RepairStatus::failure(kStatusCancelled, "batch repair cancelled"));
        } catch (const std::exception& error) {
            // One item that exhausts memory fails alone; the batch and its other results go on.
            itemResult = RepairResult{};
            itemResult.input = makeSourceInfo(pathToUtf8(item));
            itemResult.mode = request.mode;
            itemResult.setStatus(RepairStatus::failure(kStatusInternalFailure, std::string("unexpected engine error: ") + error.what()));
        }
        if (itemResult.status.code == kStatusCancelled && cancellationRequested(progress)) {
            // The item stopped part-way left nothing behind; the batch stops with it.
            result.status = RepairStatus::failure(kStatusCancelled, "batch repair cancelled");
            break;
        }
        if (!itemResult.status.ok) {
            ++result.failed;
        } else if (itemResult.outputWritten) {
            ++result.repaired;
            result.repairedBytes += itemResult.outputSize;
        }
        result.items.push_back(std::move(itemResult));
    }
    reportProgress(progress, kBatchSource, "batch-complete", "", result.total, result.total);
    if (result.failed > 0) {
        result.status = RepairStatus::failure(result.repaired > 0 ? kBatchPartlyRepaired : kBatchUnsupported,
                                              "batch completed with " + std::to_string(result.failed) +
                                                  " failed item(s) out of " + std::to_string(result.total));
    }
    return result;
}

} // namespace data_repair
