#include "app/progress_bridge.h"

#include "app/job_link.h"

namespace olm::repair {

int progressPercent(uint64_t current, uint64_t total)
{
    if (total == 0)
        return 0;
    if (current >= total)
        return 100;
    // current < total here, so the quotient is below 100; the product needs more than 64 bits.
    __extension__ typedef unsigned __int128 Wide;
    return static_cast<int>(static_cast<Wide>(current) * 100 / total);
}

void ProgressBridge::beginStep(int newStep, int newFrom, int newTo)
{
    step = newStep;
    from = newFrom;
    to = newTo;
    posted = -1;
    report(0, 1);
}

bool ProgressBridge::report(uint64_t current, uint64_t total)
{
    const int percent = from + progressPercent(current, total) * (to - from) / 100;
    if (percent != posted) {
        posted = percent;
        link->postProgress(percent, step);
    }
    return !link->isCancelRequested();
}

bool ProgressBridge::onProgress(const data_repair::ProgressEvent& event)
{
    return report(event.current, event.total);
}

bool ProgressBridge::isCancelled()
{
    return link->isCancelRequested();
}

} // namespace olm::repair
