#pragma once

#include "data_repair/repair_interfaces.h"

namespace data_repair {

class AiEnhancer {
public:
    RepairResult analyze(const AiEnhancementRequest& request, IProgress* progress) const;
    RepairResult enhance(const AiEnhancementRequest& request, IProgress* progress) const;
};

} // namespace data_repair
