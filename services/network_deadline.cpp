#include "services/network_deadline.h"

#include <QNetworkReply>
#include <QTimer>

namespace olm::repair {

void setOverallDeadline(QNetworkReply* reply, int milliseconds)
{
    auto* timer = new QTimer(reply);
    timer->setSingleShot(true);
    QObject::connect(timer, &QTimer::timeout, reply, [reply] {
        if (reply->isRunning())
            reply->abort();
    });
    QObject::connect(reply, &QNetworkReply::finished, timer, &QTimer::stop);
    timer->start(milliseconds);
}

} // namespace olm::repair
