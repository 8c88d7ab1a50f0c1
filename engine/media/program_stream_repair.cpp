#include "media/video_containers.h"

namespace data_repair {

// Placeholder until this container lands.
RepairResult analyzeProgramStream(const RepairRequest& request, const ByteBuffer& bytes)
{
    RepairResult result = prepareVideoResult(request, bytes);
    result.setStatus(RepairStatus::failure(kVideoPsNotFound, "MPEG pack header not found"));
    return result;
}

RepairResult repairProgramStream(const RepairRequest& request, const ByteBuffer& bytes) { return analyzeProgramStream(request, bytes); }

bool hasPackStartCode(const ByteBuffer& bytes) { return findBytes(bytes, ByteBuffer{0x00, 0x00, 0x01, 0xBA}) != npos; }

} // namespace data_repair
