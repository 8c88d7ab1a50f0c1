#include "data_repair/checkpoint.h"

#include <algorithm>

#include "data_repair/repair_interfaces.h"

namespace data_repair {

namespace detail {

constinit thread_local RunState* activeRun = nullptr;

void pollRun(RunState& run, uint64_t position, uint64_t total)
{
    run.calls = 0;
    if (run.sink->isCancelled())
        throw OperationCancelled{};
    // Progress only after real distance: a small input sends no more events than its entry does.
    if (run.work < kCheckpointBytes)
        return;
    run.work = 0;
    if (!run.reportsProgress || total == 0)
        return;
    const uint64_t done = std::min(position, total);
    const uint64_t pass = static_cast<uint64_t>(static_cast<double>(done) / static_cast<double>(total) * 500.0);
    // The engine's own last event (current/total) stays the floor; the run never reaches 100 % here.
    const uint64_t perMille = std::min<uint64_t>(run.reading ? pass : 500 + pass, 999);
    if (perMille / 10 <= run.reported / 10)
        return;
    run.reported = perMille;
    const ProgressEvent event{run.source, run.step, run.path, perMille, 1000};
    (void)run.sink->onProgress(event);
}

} // namespace detail

RunScope::RunScope(IProgress* sink, int32_t source, std::string path, bool reportsProgress)
    : outer_(detail::activeRun)
{
    state_.sink = sink;
    state_.source = source;
    state_.path = std::move(path);
    state_.reportsProgress = reportsProgress;
    detail::activeRun = sink != nullptr ? &state_ : nullptr;
}

RunScope::~RunScope() { detail::activeRun = outer_; }

void checkCancelled()
{
    RunState* run = detail::activeRun;
    if (run != nullptr && run->sink->isCancelled())
        throw OperationCancelled{};
}

void noteRunStep(IProgress* sink, const std::string& step, uint64_t current, uint64_t total)
{
    RunState* run = detail::activeRun;
    if (run == nullptr || run->sink != sink)
        return;
    run->step = step;
    run->reading = step == "read";
    if (total != 0)
        run->reported = std::max(run->reported, std::min<uint64_t>(current, total) * 1000 / total);
}

} // namespace data_repair
