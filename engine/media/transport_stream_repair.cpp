#include "media/video_containers.h"

namespace data_repair {

// Placeholder until this container lands.
RepairResult analyzeTransportStream(const RepairRequest& request, const ByteBuffer& bytes)
{
    RepairResult result = prepareVideoResult(request, bytes);
    result.setStatus(RepairStatus::failure(kVideoTsNotFound, "MPEG-TS packet alignment not found"));
    return result;
}

RepairResult repairTransportStream(const RepairRequest& request, const ByteBuffer& bytes) { return analyzeTransportStream(request, bytes); }

TsLayout detectTsPacketSize(const ByteBuffer&) { return {}; }

bool isInList(const std::string& text, const std::vector<std::string>& list)
{
    for (const auto& entry : list)
        if (entry == text)
            return true;
    return false;
}

} // namespace data_repair
