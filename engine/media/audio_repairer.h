#pragma once

#include "data_repair/repair_interfaces.h"

namespace data_repair {

class AudioRepairer {
public:
    RepairResult analyze(const RepairRequest& request, IProgress* progress) const;
    RepairResult repair(const RepairRequest& request, IProgress* progress) const;
};

} // namespace data_repair
