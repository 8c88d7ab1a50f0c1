#pragma once

// Session-cache fixtures for tests: folders under "repair-output" with sparse files and chosen times.

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QString>

#include <sys/time.h>

#include "services/session_cache.h"

namespace cache_fixtures {

inline constexpr qint64 MiB = 1048576;

// Sets a path's access and modification time, to the millisecond.
inline void setTime(const QString& path, const QDateTime& when)
{
    struct timeval times[2];
    times[0].tv_sec = when.toSecsSinceEpoch();
    times[0].tv_usec = static_cast<suseconds_t>((when.toMSecsSinceEpoch() % 1000) * 1000);
    times[1] = times[0];
    ::utimes(QFile::encodeName(path).constData(), times);
}

// A cache folder <repair-output>/<name>/task/result.drcache of `bytes` (sparse: costs no disk),
// the folder dated `when`.
inline QString makeSession(const QString& name, qint64 bytes, const QDateTime& when)
{
    const QString path = QDir(olm::repair::repairOutputPath()).filePath(name);
    QDir().mkpath(path + QStringLiteral("/task"));
    QFile data(path + QStringLiteral("/task/result.drcache"));
    data.open(QIODevice::WriteOnly);
    data.resize(bytes);
    data.close();
    setTime(path, when);
    return path;
}

} // namespace cache_fixtures
