#include "photo/photo_repairer.h"

#include "data_repair/output_writer.h"

namespace data_repair {

// Placeholder until the photo engine lands: every operation fails plainly.
static RepairResult unavailable(const RepairRequest& request)
{
    RepairResult result = startResult(request, Photo, "", 0);
    result.setStatus(RepairStatus::failure(1, "photo repair is not available in this build"));
    return result;
}

RepairResult PhotoRepairer::analyze(const RepairRequest& request, IProgress*) const { return unavailable(request); }
RepairResult PhotoRepairer::repair(const RepairRequest& request, IProgress*) const { return unavailable(request); }

} // namespace data_repair
