#pragma once

#include "data_repair/repair_interfaces.h"

namespace data_repair {

class PhotoRepairer {
public:
    RepairResult analyze(const RepairRequest& request, IProgress* progress) const;
    RepairResult repair(const RepairRequest& request, IProgress* progress) const;
};

} // namespace data_repair
