#pragma once

// Keeping the private repair cache in bounds: measuring it, trimming the oldest sessions past a
// size limit, and removing sessions older than a cutoff. Sessions that a running instance holds,
// and the one holding the current unsaved result, are never touched.

#include <QDateTime>
#include <QList>
#include <QString>

namespace olm::repair {

struct CacheSession {
    QString path;
    QDateTime time; // UTC; invalid when unknown
    qint64 size = 0;
    bool isProtected = false;
};

// Bytes of the regular files below a folder (links not followed).
qint64 directorySize(const QString& path);

// The cache folders directly under "repair-output" (sessions and bare task folders).
QList<CacheSession> scanCacheSessions(const QString& protectedFilePath);

struct TrimOutcome {
    int removed = 0;
    qint64 total = 0;      // bytes left in the scanned sessions
    bool overLimit = false;
};

// Removes the oldest unprotected sessions while the total exceeds limitBytes.
TrimOutcome trimCacheToLimit(qint64 limitBytes, const QString& protectedFilePath);

struct ExpiryOutcome {
    int removed = 0;
    int protectedCount = 0;
};

// Removes unprotected sessions whose time is strictly earlier than cutoffUtc.
ExpiryOutcome removeExpiredSessions(const QDateTime& cutoffUtc, const QString& protectedFilePath);

} // namespace olm::repair
