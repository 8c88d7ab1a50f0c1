#pragma once

#include "data_repair/repair_interfaces.h"

namespace data_repair {

class BatchRepairer {
public:
    BatchRepairResult analyze(const BatchRepairRequest& request, IProgress* progress) const;
    BatchRepairResult repair(const BatchRepairRequest& request, IProgress* progress) const;
};

} // namespace data_repair
