#include "media/video_containers.h"

namespace data_repair {

// Placeholder until this container lands.
RepairResult analyzeRawStream(const RepairRequest& request, const ByteBuffer& bytes)
{
    RepairResult result = prepareVideoResult(request, bytes);
    result.setStatus(RepairStatus::failure(kVideoRawNotFound, "raw video start code not found"));
    return result;
}

RepairResult repairRawStream(const RepairRequest& request, const ByteBuffer& bytes) { return analyzeRawStream(request, bytes); }

} // namespace data_repair
