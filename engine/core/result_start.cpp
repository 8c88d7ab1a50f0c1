#include "core/result_start.h"

#include "data_repair/detection.h"
#include "data_repair/output_writer.h"

namespace data_repair {

RepairResult beginResult(const RepairRequest& request, int32_t kind, ByteView bytes)
{
    RepairResult result =
        startResult(request, kind, detectFormatName(pathFromUtf8(request.input.path), bytes), bytes.size());
    result.setStatus(RepairStatus::success());
    return result;
}

bool modeWritesRepairedOutput(int32_t mode, ExtractWrites extract)
{
    if (mode == Analyze)
        return false;
    if (mode == Extract)
        return extract == ExtractWrites::RepairedOutput;
    return true;
}

} // namespace data_repair
