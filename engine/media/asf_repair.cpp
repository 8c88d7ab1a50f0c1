#include "media/video_containers.h"

namespace data_repair {

// Placeholder until this container lands.
RepairResult analyzeAsf(const RepairRequest& request, const ByteBuffer& bytes)
{
    RepairResult result = prepareVideoResult(request, bytes);
    result.setStatus(RepairStatus::failure(kVideoAsfNotFound, "ASF header not found; a compatible normal sample is required"));
    return result;
}

RepairResult repairAsf(const RepairRequest& request, const ByteBuffer& bytes) { return analyzeAsf(request, bytes); }

} // namespace data_repair
