#include "app/session_cache.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>
#include <QUuid>

namespace olm::repair {

namespace {

const QString kLockName = QStringLiteral(".session.lock");

std::unique_ptr<QLockFile> makeLock(const QString& folder)
{
    auto lock = std::make_unique<QLockFile>(QDir(folder).filePath(kLockName));
    lock->setStaleLockTime(1);
    return lock;
}

bool youngerThanGrace(const QFileInfo& info)
{
    const QDateTime modified = info.lastModified();
    if (!modified.isValid())
        return false;
    return qAbs(modified.secsTo(QDateTime::currentDateTime())) < kSessionGraceSeconds;
}

} // namespace

QString cacheRootPath() { return QStandardPaths::writableLocation(QStandardPaths::CacheLocation); }

QString repairOutputPath()
{
    const QString root = cacheRootPath();
    return root.isEmpty() ? QString() : QDir(root).filePath(QStringLiteral("repair-output"));
}

bool isCacheFolderName(const QString& name)
{
    static const QRegularExpression pattern(QStringLiteral(
        "^(session-)?[0-9a-fA-F]{8}-[0-9a-fA-F]{4}-[0-9a-fA-F]{4}-[0-9a-fA-F]{4}-[0-9a-fA-F]{12}$"));
    return pattern.match(name).hasMatch();
}

bool isSessionInUse(const QString& folderPath)
{
    const QFileInfo folder(folderPath);
    const QFileInfo lockInfo(QDir(folderPath).filePath(kLockName));
    // Another instance creates its folder first and its lock right after: a young folder or a
    // young lock is left alone, so a sweep never takes a session that is still being set up.
    if (youngerThanGrace(folder) || (lockInfo.exists() && youngerThanGrace(lockInfo)))
        return true;
    if (!lockInfo.exists())
        return false;
    auto probe = makeLock(folderPath);
    if (!probe->tryLock(0))
        return true;
    probe->unlock();
    return false;
}

void sweepStaleSessions()
{
    const QString root = repairOutputPath();
    if (root.isEmpty() || !QFileInfo(root).isDir())
        return;
    const QDir dir(root);
    const QStringList names = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& name : names) {
        if (!isCacheFolderName(name))
            continue;
        const QString path = dir.filePath(name);
        if (!isSessionInUse(path))
            QDir(path).removeRecursively();
    }
}

bool removeDirectoryWithRetries(const QString& path)
{
    if (path.isEmpty())
        return true;
    static const int delays[] = {20, 40, 60, 80, 100};
    for (int delay : delays) {
        if (!QFileInfo::exists(path) || QDir(path).removeRecursively())
            return true;
        QThread::msleep(static_cast<unsigned long>(delay));
    }
    return !QFileInfo::exists(path);
}

bool isInsideRepairOutput(const QString& path)
{
    const QString root = QDir::fromNativeSeparators(QDir::cleanPath(cacheRootPath()));
    if (root.isEmpty() || path.isEmpty())
        return false;
    const QString task = QDir::fromNativeSeparators(QDir::cleanPath(path));
    const QString outputRoot = root + QStringLiteral("/repair-output");
    return task.startsWith(outputRoot + QLatin1Char('/'), Qt::CaseSensitive);
}

SessionHandle SessionHandle::create()
{
    SessionHandle handle;
    const QString root = repairOutputPath();
    if (root.isEmpty())
        return handle;
    const QString directory =
        QDir(root).filePath(QStringLiteral("session-%1").arg(QUuid::createUuid().toString(QUuid::WithoutBraces)));
    if (!QDir().mkpath(directory))
        return handle;
    std::shared_ptr<QLockFile> lock = makeLock(directory);
    if (!lock->tryLock(0)) {
        QDir(directory).removeRecursively();
        return handle;
    }
    handle.directory_ = directory;
    handle.lock_ = std::move(lock);
    return handle;
}

void SessionHandle::release()
{
    if (lock_) {
        lock_->unlock();
        lock_.reset();
    }
    if (!directory_.isEmpty()) {
        removeDirectoryWithRetries(directory_);
        directory_.clear();
    }
}

} // namespace olm::repair
