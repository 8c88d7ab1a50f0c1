#include "core/result_start.h"
#include "data_repair/output_writer.h"
#include "media/video_containers.h"

namespace data_repair {

RepairResult prepareVideoResult(const RepairRequest& request, ByteView bytes)
{
    return beginResult(request, Video, bytes);
}

bool writeVideoOutput(RepairResult& result, const RepairRequest& request, ByteView bytes,
                      const std::string& extension, int32_t writeCode)
{
    return writeRepairedOutputAndSucceed(result, request, bytes, extension, "repaired-video", writeCode);
}

bool writeVideoOutput(RepairResult& result, const RepairRequest& request, const OutputPieces& pieces,
                      const std::string& extension, int32_t writeCode)
{
    return writeRepairedOutputAndSucceed(result, request, pieces, extension, "repaired-video", writeCode);
}

} // namespace data_repair
