#pragma once

// Cancellation and progress inside long engine work. An engine entry opens a RunScope for the
// caller's sink; reading, writing, hashing and the loops that walk a whole input call
// checkpoint(). After every 16 MiB of work (and every few thousand calls) the checkpoint asks the
// sink whether to stop and, while the run reports progress, tells it how far the run has come.
// Once the caller wants the work stopped, checkpoint() throws OperationCancelled; the entry turns
// it into status 5, and the files the run wrote never reach their names (output_stage.h). The
// exception never leaves the engine.

#include <cstdint>
#include <string>

namespace data_repair {

class IProgress;

// The most work between two questions to the sink.
inline constexpr uint64_t kCheckpointBytes = uint64_t{16} << 20;
inline constexpr uint32_t kCheckpointCalls = 4096;

struct OperationCancelled {};

// The state of one open RunScope; the checkpoints of its thread reach it through activeRun.
struct RunState {
    IProgress* sink = nullptr;
    bool reportsProgress = true;
    int32_t source = 0;
    std::string step;
    std::string path;
    bool reading = true;      // before the input has been read, progress runs from 0 to 50 %
    uint64_t reported = 0;    // per mille of the whole run last told to the sink
    uint64_t last = 0;        // position of the previous checkpoint
    uint64_t work = 0;        // bytes moved over since the last progress report
    uint32_t calls = 0;       // checkpoints since the last question
};

namespace detail {
extern constinit thread_local RunState* activeRun;
void pollRun(RunState& run, uint64_t position, uint64_t total);
} // namespace detail

// `position` of `total` bytes of the current pass over some input (a hash, a read, a write, a
// scan). Positions that go backwards start a new pass. Without an open RunScope it does nothing.
inline void checkpoint(uint64_t position, uint64_t total)
{
    RunState* run = detail::activeRun;
    if (run == nullptr)
        return;
    run->work += position >= run->last ? position - run->last : position;
    run->last = position;
    if (run->work >= kCheckpointBytes || ++run->calls >= kCheckpointCalls)
        detail::pollRun(*run, position, total);
}

// For loops that move a few bytes at a time: a checkpoint near every 64 KiB boundary, so that
// the loop does not pay for one on every byte.
inline void checkpointStep(uint64_t position, uint64_t total)
{
    if ((position & 0xFFFF) < 16)
        checkpoint(position, total);
}

// One engine operation on the calling thread. With a null sink nothing is polled (no progress and
// no cancellation, also for an enclosing run); scopes nest, the innermost one is asked.
class RunScope {
public:
    RunScope(IProgress* sink, int32_t source, std::string path, bool reportsProgress = true);
    ~RunScope();
    RunScope(const RunScope&) = delete;
    RunScope& operator=(const RunScope&) = delete;

private:
    RunState state_;
    RunState* outer_;
};

// Asks the open run's sink now, whatever the distance since the last question: throws
// OperationCancelled once the caller wants the work stopped. The last step before a run's
// outputs take their names.
void checkCancelled();
// Keeps the progress of the open run in step with an event the engine reports itself.
void noteRunStep(IProgress* sink, const std::string& step, uint64_t current, uint64_t total);

} // namespace data_repair
