#include "app/progress_bridge.h"

#include "app/repair_workflow_controller.h"

#include <QMetaObject>

#include <limits>

namespace olm::repair {

int progressPercent(uint64_t current, uint64_t total)
{
    if (total == 0)
        return 0;
    if (current >= total)
        return 100;
    // current < total here, so the quotient is below 100; only the multiplication can overflow,
    // and for counts that large the total divided by 100 is still exact enough.
    if (current <= std::numeric_limits<uint64_t>::max() / 100)
        return static_cast<int>(current * 100 / total);
    const uint64_t percent = current / (total / 100);
    return static_cast<int>(percent > 99 ? 99 : percent);
}

bool ProgressBridge::onProgress(const data_repair::ProgressEvent& event)
{
    const int percent = progressPercent(event.current, event.total);
    RepairWorkflowController* target = controller;
    QMetaObject::invokeMethod(target, [target, percent] { target->applyProgress(percent); }, Qt::QueuedConnection);
    return !controller->isCancelRequested();
}

bool ProgressBridge::isCancelled()
{
    return controller->isCancelRequested();
}

} // namespace olm::repair
