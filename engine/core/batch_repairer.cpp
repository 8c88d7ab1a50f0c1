#include "core/batch_repairer.h"

namespace data_repair {

// Placeholder until batch repair lands.
BatchRepairResult BatchRepairer::analyze(const BatchRepairRequest& request, IProgress* progress) const
{
    return repair(request, progress);
}

BatchRepairResult BatchRepairer::repair(const BatchRepairRequest&, IProgress*) const
{
    BatchRepairResult result;
    result.status = RepairStatus::failure(60, "batch repair is not available in this build");
    return result;
}

} // namespace data_repair
