#pragma once

// One deadline for a whole network request. Qt's transfer time-out starts again with every byte
// received, so a peer that trickles a byte now and then would keep a request open for ever.

class QNetworkReply;

namespace olm::repair {

// Aborts the reply (it then finishes with QNetworkReply::OperationCanceledError) when it has not
// finished within `milliseconds` of this call.
void setOverallDeadline(QNetworkReply* reply, int milliseconds);

} // namespace olm::repair
