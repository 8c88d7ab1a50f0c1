#include "core/ai_enhancer.h"

#include "data_repair/detection.h"
#include "data_repair/file_access.h"

namespace fs = std::filesystem;

namespace data_repair {

namespace {

constexpr int32_t kAiSource = Enhancement;
constexpr int32_t kAiNotConfigured = 50;
constexpr int32_t kAiExternalDisabled = 51;
constexpr int32_t kAiCopyFailed = 52;
constexpr const char* kNotConfigured = "AI enhancement provider is not configured";

} // namespace

RepairResult prepareAiResult(const AiEnhancementRequest& request)
{
    RepairResult result;
    result.setStatus(RepairStatus::success());
    result.input = request.input;
    result.kind = Enhancement;
    result.mode = Repair;
    result.format = lowerExtension(pathFromUtf8(request.input.path));
    result.inputSize = regularFileSize(pathFromUtf8(request.input.path));
    return result;
}

std::string aiEnhancerExecutable(const AiEnhancementRequest& request)
{
    const auto tool = request.tools.find("ai-enhancer");
    return tool != request.tools.end() ? tool->second : std::string("ai-enhancer");
}

std::string buildAiCommand(const AiEnhancementRequest& request, const std::string& outputPath)
{
    return aiEnhancerExecutable(request) + " --input \"" + request.input.path + "\" --profile " + request.profile +
           " --output \"" + outputPath + "\"";
}

RepairResult AiEnhancer::analyze(const AiEnhancementRequest& request, IProgress* progress) const
{
    reportProgress(progress, kAiSource, "analyze", request.input.path, 0, 1);
    RepairResult result = prepareAiResult(request);
    if (!request.provider.empty() || !request.note.empty() || request.dryRun) {
        result.addGeneralFinding(NoDamage, Info, "AI enhancement request is valid", true, 1.0);
        result.confidence = 1.0;
        return result;
    }
    result.setStatus(RepairStatus::failure(kAiNotConfigured, kNotConfigured));
    result.addGeneralFinding(ComponentUnavailable, Error, "configure provider=mock or provider=external", false, 1.0);
    return result;
}

RepairResult AiEnhancer::enhance(const AiEnhancementRequest& request, IProgress* progress) const
{
    reportProgress(progress, kAiSource, "prepare", request.input.path, 0, 2);
    RepairResult result = analyze(request, progress);
    const std::string ext = result.format.empty() ? std::string("bin") : result.format;
    const fs::path out = buildOutputPath(request.input.path, request.outputDirectory, request.outputPath, "_enhanced",
                                         ext, request.overwrite);
    if (!result.status.ok)
        return result;

    if (request.provider == "external" || request.dryRun) {
        result.commands.push_back(buildAiCommand(request, pathToUtf8(out)));
        result.addAction("external-preview", "built external AI enhancement command preview", 1);
        if (!request.dryRun) {
            result.setStatus(RepairStatus::failure(kAiExternalDisabled,
                                                   "external AI enhancement execution is not enabled in the core library"));
            return result;
        }
        result.output = OutputArtifact{pathToUtf8(out), "dry-run-ai-enhancement", ext, 0};
        result.outputWritten = false;
        result.confidence = 0.9;
        return result;
    }
    if (request.provider == "mock" || !request.note.empty()) {
        reportProgress(progress, kAiSource, "enhance", request.input.path, 1, 2);
        std::string error;
        if (out.empty()) {
            result.setStatus(RepairStatus::failure(kAiCopyFailed, kErrNoFreeName));
            return result;
        }
        if (!copyFile(pathFromUtf8(request.input.path), out, request.overwrite, &error)) {
            result.setStatus(RepairStatus::failure(kAiCopyFailed, error));
            return result;
        }
        const uint64_t size = regularFileSize(out);
        result.addAction("mock-enhance", request.note.empty() ? std::string("mock enhancement copied source asset") : request.note,
                         size);
        result.output = makeArtifact(out, "ai-enhanced", ext);
        result.outputSize = result.output.size;
        result.outputWritten = true;
        result.confidence = 0.88;
        return result;
    }
    result.setStatus(RepairStatus::failure(kAiNotConfigured, kNotConfigured));
    return result;
}

} // namespace data_repair
