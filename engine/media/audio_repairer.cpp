#include "media/audio_repairer.h"

#include "data_repair/output_writer.h"

namespace data_repair {

// Placeholder until the audio engine lands: every operation fails plainly.
static RepairResult unavailable(const RepairRequest& request)
{
    RepairResult result = startResult(request, Audio, "", 0);
    result.setStatus(RepairStatus::failure(1, "audio repair is not available in this build"));
    return result;
}

RepairResult AudioRepairer::analyze(const RepairRequest& request, IProgress*) const { return unavailable(request); }
RepairResult AudioRepairer::repair(const RepairRequest& request, IProgress*) const { return unavailable(request); }

} // namespace data_repair
