#include "services/cache_maintenance.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

#include <sys/stat.h>

#include "services/session_cache.h"

namespace olm::repair {

namespace {

QString slashPath(const QString& path) { return QDir::fromNativeSeparators(QDir::cleanPath(path)); }

bool holdsProtectedFile(const QString& folder, const QString& protectedFilePath)
{
    if (protectedFilePath.isEmpty())
        return false;
    const QString p = slashPath(protectedFilePath);
    const QString d = slashPath(folder);
    return p == d || p.startsWith(d + QLatin1Char('/'));
}

} // namespace

qint64 directorySize(const QString& path)
{
    qint64 total = 0;
    QDirIterator it(path, QDir::Files | QDir::NoSymLinks, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const qint64 size = it.fileInfo().size();
        if (size > 0)
            total += size;
    }
    return total;
}

QList<CacheSession> scanCacheSessions(const QString& protectedFilePath)
{
    QList<CacheSession> sessions;
    const QString root = repairOutputPath();
    if (root.isEmpty())
        return sessions;
    const QDir dir(root);
    const QStringList names = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& name : names) {
        if (!isCacheFolderName(name))
            continue;
        CacheSession session;
        session.path = dir.filePath(name);
        struct stat st;
        if (::lstat(QFile::encodeName(session.path).constData(), &st) == 0 && S_ISLNK(st.st_mode)) {
            // A link under a cache name holds nothing of ours: never measured, probed or
            // followed, and dated by the link itself.
            session.time = QDateTime::fromSecsSinceEpoch(st.st_mtim.tv_sec, Qt::UTC);
            sessions.append(session);
            continue;
        }
        const QFileInfo created(QDir(session.path).filePath(QStringLiteral(".created")));
        const QFileInfo folder(session.path);
        session.time = (created.exists() ? created.lastModified() : folder.lastModified()).toUTC();
        session.size = directorySize(session.path);
        session.isProtected = isSessionInUse(session.path) || holdsProtectedFile(session.path, protectedFilePath);
        sessions.append(session);
    }
    return sessions;
}

TrimOutcome trimCacheToLimit(qint64 limitBytes, const QString& protectedFilePath)
{
    QList<CacheSession> sessions = scanCacheSessions(protectedFilePath);
    TrimOutcome outcome;
    for (const CacheSession& s : sessions)
        outcome.total += s.size;
    if (outcome.total <= limitBytes)
        return outcome;
    // Oldest first; an unknown time sorts before every known one.
    std::stable_sort(sessions.begin(), sessions.end(), [](const CacheSession& a, const CacheSession& b) {
        if (!a.time.isValid() || !b.time.isValid())
            return !a.time.isValid() && b.time.isValid();
        return a.time < b.time;
    });
    for (const CacheSession& s : sessions) {
        if (outcome.total <= limitBytes)
            break;
        if (s.isProtected)
            continue;
        if (removeCacheEntry(s.path)) {
            ++outcome.removed;
            outcome.total = std::max<qint64>(0, outcome.total - s.size);
        }
    }
    outcome.overLimit = outcome.total > limitBytes;
    return outcome;
}

ExpiryOutcome removeExpiredSessions(const QDateTime& cutoffUtc, const QString& protectedFilePath)
{
    ExpiryOutcome outcome;
    for (const CacheSession& s : scanCacheSessions(protectedFilePath)) {
        if (s.isProtected) {
            ++outcome.protectedCount;
            continue;
        }
        if (s.time.isValid() && s.time < cutoffUtc && removeCacheEntry(s.path))
            ++outcome.removed;
    }
    return outcome;
}

} // namespace olm::repair
