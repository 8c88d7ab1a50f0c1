#include "document/document_repairer.h"

#include "data_repair/output_writer.h"

namespace data_repair {

// Placeholder until the document engine lands: every operation fails plainly.
static RepairResult unavailable(const RepairRequest& request)
{
    RepairResult result = startResult(request, Document, "", 0);
    result.setStatus(RepairStatus::failure(1, "document repair is not available in this build"));
    return result;
}

RepairResult DocumentRepairer::analyze(const RepairRequest& request, IProgress*) const { return unavailable(request); }
RepairResult DocumentRepairer::repair(const RepairRequest& request, IProgress*) const { return unavailable(request); }

} // namespace data_repair
