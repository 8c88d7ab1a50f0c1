#include "data_repair/checkpoint.h"
#include "data_repair/file_access.h"
#include "data_repair/repair_interfaces.h"

namespace data_repair {

void reportProgress(IProgress* sink, int32_t source, const std::string& step, const std::string& path,
                    uint64_t current, uint64_t total)
{
    if (sink == nullptr)
        return;
    noteRunStep(sink, step, current, total);
    const ProgressEvent event{source, step, path, current, total};
    (void)sink->onProgress(event);
}

bool cancellationRequested(IProgress* sink) { return sink != nullptr && sink->isCancelled(); }

RepairMode parseRepairMode(const std::string& word)
{
    const std::string lowered = toLowerAscii(word);
    if (lowered == "analyze" || lowered == "analyze-only" || lowered == "check")
        return Analyze;
    if (lowered == "advanced" || lowered == "sample")
        return Advanced;
    if (lowered == "extract" || lowered == "extract-only" || lowered == "preview")
        return Extract;
    return Repair;
}

} // namespace data_repair
