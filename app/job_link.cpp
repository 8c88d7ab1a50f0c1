#include "app/job_link.h"

#include <QMetaObject>

namespace olm::repair {

void JobLink::postProgress(int percent, int step)
{
    // The lock keeps the controller from being destroyed while the call is posted; calls posted
    // earlier are dropped with the controller's event queue.
    const QMutexLocker locker(&mutex_);
    QObject* target = controller_;
    if (target == nullptr)
        return;
    QMetaObject::invokeMethod(target, [apply = applyProgress_, percent, step] { apply(percent, step); }, Qt::QueuedConnection);
}

void JobLink::jobStarted()
{
    const QMutexLocker locker(&mutex_);
    running_ = true;
}

void JobLink::jobReturned()
{
    SessionHandle orphaned;
    {
        const QMutexLocker locker(&mutex_);
        running_ = false;
        std::swap(orphaned, orphanedSession_);
    }
    orphaned.release();
}

bool JobLink::abandon(const SessionHandle& session)
{
    const QMutexLocker locker(&mutex_);
    if (abandoned_)
        return true;
    abandoned_ = true;
    controller_ = nullptr;
    if (!running_)
        return false;
    orphanedSession_ = session;
    return true;
}

} // namespace olm::repair
