#include "core/ai_enhancer.h"

namespace data_repair {

// Placeholder until AI enhancement requests land.
static RepairResult unavailable(const AiEnhancementRequest& request)
{
    RepairResult result;
    result.input = request.input;
    result.kind = Enhancement;
    result.setStatus(RepairStatus::failure(50, "AI enhancement provider is not configured"));
    return result;
}

RepairResult AiEnhancer::analyze(const AiEnhancementRequest& request, IProgress*) const { return unavailable(request); }
RepairResult AiEnhancer::enhance(const AiEnhancementRequest& request, IProgress*) const { return unavailable(request); }

} // namespace data_repair
