#include "media/video_containers.h"

namespace data_repair {

// Placeholder until this container lands.
RepairResult analyzeMatroska(const RepairRequest& request, const ByteBuffer& bytes)
{
    RepairResult result = prepareVideoResult(request, bytes);
    result.setStatus(RepairStatus::failure(kVideoMkvNotFound, "EBML header not found"));
    return result;
}

RepairResult repairMatroska(const RepairRequest& request, const ByteBuffer& bytes) { return analyzeMatroska(request, bytes); }

bool hasEbmlMagic(const ByteBuffer& bytes) { return findBytes(bytes, ByteBuffer{0x1A, 0x45, 0xDF, 0xA3}) != npos; }

} // namespace data_repair
