#include "media/video_containers.h"

namespace data_repair {

// Placeholder until this container lands.
RepairResult analyzeKlv(const RepairRequest& request, const ByteBuffer& bytes, const std::string&)
{
    RepairResult result = prepareVideoResult(request, bytes);
    result.setStatus(RepairStatus::failure(kVideoKlvNotFound, "KLV structure not found"));
    return result;
}

RepairResult repairKlv(const RepairRequest& request, const ByteBuffer& bytes, const std::string& defaultFormat)
{
    return analyzeKlv(request, bytes, defaultFormat);
}

bool hasKlvKey(const ByteBuffer& bytes) { return findBytes(bytes, ByteBuffer{0x06, 0x0E, 0x2B, 0x34}) != npos; }

} // namespace data_repair
