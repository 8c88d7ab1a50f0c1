#include "media/video_repairer.h"

#include "data_repair/output_writer.h"

namespace data_repair {

// Placeholder until the video engine lands: every operation fails plainly.
static RepairResult unavailable(const RepairRequest& request)
{
    RepairResult result = startResult(request, Video, "", 0);
    result.setStatus(RepairStatus::failure(1, "video repair is not available in this build"));
    return result;
}

RepairResult VideoRepairer::analyze(const RepairRequest& request, IProgress*) const { return unavailable(request); }
RepairResult VideoRepairer::repair(const RepairRequest& request, IProgress*) const { return unavailable(request); }

} // namespace data_repair
