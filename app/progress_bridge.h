#pragma once

// Turns the engine's progress events into the controller's percentage and answers the engine's
// cancellation queries from the controller's flag, both through the job's link to its controller
// (app/job_link.h), which outlives the controller. One bridge lives on the job's stack for one
// engine call; the engine's thread never waits for the GUI.

#include "data_repair/repair_interfaces.h"

#include <cstdint>
#include <memory>

namespace olm::repair {

class JobLink;

// Percentage 0..100 of `current` out of `total`: 0 when the total is unknown (0), 100 once the
// current count reaches or passes the total, never wrapped by overflow.
int progressPercent(uint64_t current, uint64_t total);

class ProgressBridge final : public data_repair::IProgress {
public:
    explicit ProgressBridge(std::shared_ptr<JobLink> link) : link(std::move(link)) {}

    // From now on progress belongs to `step` and fills the bar from `from` to `to` percent (the
    // whole bar until this is called). The start of the step is posted at once.
    void beginStep(int step, int from, int to);
    // Posts `current` out of `total` of the current step to the controller as a queued call, when
    // the percentage or the step changed; false once cancellation was asked.
    bool report(uint64_t current, uint64_t total);

    bool onProgress(const data_repair::ProgressEvent& event) override;
    bool isCancelled() override;

private:
    std::shared_ptr<JobLink> link;
    int step = 0;
    int from = 0;
    int to = 100;
    int posted = -1;
};

} // namespace olm::repair
