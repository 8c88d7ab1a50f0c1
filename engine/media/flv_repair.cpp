#include "media/video_containers.h"

namespace data_repair {

// Placeholder until this container lands.
RepairResult analyzeFlv(const RepairRequest& request, const ByteBuffer& bytes)
{
    RepairResult result = prepareVideoResult(request, bytes);
    result.setStatus(RepairStatus::failure(kVideoFlvNotFound, "FLV signature not found"));
    return result;
}

RepairResult repairFlv(const RepairRequest& request, const ByteBuffer& bytes) { return analyzeFlv(request, bytes); }

} // namespace data_repair
