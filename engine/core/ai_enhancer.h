#pragma once

#include <string>

#include "data_repair/repair_interfaces.h"

namespace data_repair {

// Prepares the enhancement of a media asset by an external AI tool. Nothing here enhances or
// starts a process: a request is validated, the external command is previewed, and the "mock"
// provider copies the source to the output name.
class AiEnhancer {
public:
    RepairResult analyze(const AiEnhancementRequest& request, IProgress* progress) const;
    RepairResult enhance(const AiEnhancementRequest& request, IProgress* progress) const;
};

RepairResult prepareAiResult(const AiEnhancementRequest& request);
// EXE --input "IN" --profile PROFILE --output "OUT": a preview for people, never run by a shell.
std::string buildAiCommand(const AiEnhancementRequest& request, const std::string& outputPath);
std::string aiEnhancerExecutable(const AiEnhancementRequest& request);

} // namespace data_repair
