#pragma once

// What a running job shares with its controller: the cancellation flag, a way to post progress to
// the controller, and, when the controller goes away while the job still runs, the session folder
// the job is writing in. The controller never waits for a job: a job it leaves behind stops at its
// next check, and once it has returned it removes the session (kept locked until then). The link
// knows the controller only as the object whose thread takes the progress and its callback.

#include "services/session_cache.h"

#include <QMutex>
#include <QObject>

#include <atomic>
#include <functional>
#include <memory>

namespace olm::repair {

// The steps of a repair the progress shows: the engine rebuilding the file, the independent
// validation of its output, and sealing the result in the task folder.
namespace RepairStep {
inline constexpr int Rebuild = 0;
inline constexpr int Validate = 1;
inline constexpr int Seal = 2;
} // namespace RepairStep

class JobLink {
public:
    using ProgressReceiver = std::function<void(int percent, int step)>;

    // `applyProgress` runs in `controller`'s thread, only while the controller has not abandoned
    // the link.
    JobLink(QObject* controller, ProgressReceiver applyProgress)
        : controller_(controller), applyProgress_(std::move(applyProgress))
    {
    }

    // Any thread. Sequentially consistent, as the controller's cancel and start expect.
    bool isCancelRequested() const { return cancelRequested_.load(); }
    void setCancelRequested(bool requested) { cancelRequested_.exchange(requested); }

    // Job thread: hands the percentage and the step to the controller's progress receiver by a
    // queued call, or drops them when the controller is gone. Never waits for the GUI thread.
    void postProgress(int percent, int step = RepairStep::Rebuild);

    // GUI thread, before the job is started.
    void jobStarted();
    // Job thread, once the job has returned. A job whose controller is gone releases the session it
    // was given (its folder with every task folder in it goes).
    void jobReturned();
    // GUI thread, when the controller shuts down: no more progress reaches it. True when a job still
    // runs: it now holds `session` and removes it when it returns. False when none runs: the caller
    // releases the session itself. A second call changes nothing and returns true.
    bool abandon(const SessionHandle& session);

private:
    mutable QMutex mutex_;
    QObject* controller_;
    const ProgressReceiver applyProgress_;
    bool abandoned_ = false;
    bool running_ = false;
    SessionHandle orphanedSession_;
    std::atomic<bool> cancelRequested_{false};
};

} // namespace olm::repair
