#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "data_repair/records.h"

namespace data_repair {

// Implemented by the caller: progress sink and cancellation query, called synchronously on
// the engine's (the caller's) thread.
class IProgress {
public:
    virtual ~IProgress() = default;
    // Returns true to go on; the engine does not act on the answer.
    virtual bool onProgress(const ProgressEvent& event) = 0;
    virtual bool isCancelled() = 0;
};

struct AiEnhancementRequest {
    SourceInfo input;
    std::string profile;
    std::string outputDirectory;
    std::string outputPath;
    bool overwrite = false;
    std::string provider;
    std::string note;
    std::map<std::string, std::string> tools;
    bool dryRun = false;
};

struct BatchRepairRequest {
    std::vector<std::string> roots;
    std::vector<std::string> includeGlobs;
    std::vector<std::string> excludeGlobs;
    SourceInfo sample;
    std::string outputDirectory;
    int32_t mode = Repair;
    bool recursive = false;
    bool writePreview = false;
    bool overwrite = false;
    bool usePhotoSample = false;
    bool useConsensus = false;
};

struct BatchRepairResult {
    RepairStatus status;
    std::vector<RepairResult> items;
    uint64_t total = 0;
    uint64_t repaired = 0;
    uint64_t failed = 0;
    uint64_t repairedBytes = 0;
    std::vector<std::string> warnings;
};

class IVideoRepair {
public:
    virtual ~IVideoRepair() = default;
    virtual RepairResult analyze(const RepairRequest& request, IProgress* progress) = 0;
    virtual RepairResult repair(const RepairRequest& request, IProgress* progress) = 0;
};

class IAudioRepair {
public:
    virtual ~IAudioRepair() = default;
    virtual RepairResult analyze(const RepairRequest& request, IProgress* progress) = 0;
    virtual RepairResult repair(const RepairRequest& request, IProgress* progress) = 0;
};

class IPhotoRepair {
public:
    virtual ~IPhotoRepair() = default;
    virtual RepairResult analyze(const RepairRequest& request, IProgress* progress) = 0;
    virtual RepairResult repair(const RepairRequest& request, IProgress* progress) = 0;
};

class IDocumentRepair {
public:
    virtual ~IDocumentRepair() = default;
    virtual RepairResult analyze(const RepairRequest& request, IProgress* progress) = 0;
    virtual RepairResult repair(const RepairRequest& request, IProgress* progress) = 0;
};

class IBatchRepair {
public:
    virtual ~IBatchRepair() = default;
    virtual BatchRepairResult analyze(const BatchRepairRequest& request, IProgress* progress) = 0;
    virtual BatchRepairResult repair(const BatchRepairRequest& request, IProgress* progress) = 0;
};

class IAiEnhancement {
public:
    virtual ~IAiEnhancement() = default;
    virtual RepairResult analyze(const AiEnhancementRequest& request, IProgress* progress) = 0;
    virtual RepairResult enhance(const AiEnhancementRequest& request, IProgress* progress) = 0;
};

class IFileRepairFactory {
public:
    virtual ~IFileRepairFactory() = default;
    virtual std::unique_ptr<IVideoRepair> createVideoRepair() = 0;
    virtual std::unique_ptr<IAudioRepair> createAudioRepair() = 0;
    virtual std::unique_ptr<IPhotoRepair> createPhotoRepair() = 0;
    virtual std::unique_ptr<IDocumentRepair> createDocumentRepair() = 0;
    virtual std::unique_ptr<IAiEnhancement> createAiEnhancement() = 0;
    virtual std::unique_ptr<IBatchRepair> createBatchRepair() = 0;
};

std::unique_ptr<IFileRepairFactory> createFileRepairFactory();

// Sends one event to the sink (nothing with a null sink); the sink's answer is ignored.
void reportProgress(IProgress* sink, int32_t source, const std::string& step, const std::string& path,
                    uint64_t current, uint64_t total);
// True when the sink exists and reports cancellation.
bool cancellationRequested(IProgress* sink);
// "analyze"/"analyze-only"/"check" -> Analyze, "advanced"/"sample" -> Advanced,
// "extract"/"extract-only"/"preview" -> Extract, anything else -> Repair (ASCII case-insensitive).
RepairMode parseRepairMode(const std::string& word);

} // namespace data_repair
