#include "services/session_cache.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>
#include <QThreadPool>
#include <QUuid>

#include <cerrno>
#include <condition_variable>
#include <mutex>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

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

// Deeper trees are not ours: the cache never nests more than a few levels.
constexpr int kMaxRemovalDepth = 64;

bool isLink(const QString& path)
{
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISLNK(st.st_mode);
}

// A cache folder of ours that lost its write permission (the user or another program took it away)
// is given it back before it is emptied: the decrypted copies inside must go all the same.
void letOwnerEmpty(int folderFd)
{
    struct stat st;
    if (::fstat(folderFd, &st) == 0 && st.st_uid == ::geteuid() && (st.st_mode & S_IRWXU) != S_IRWXU)
        ::fchmod(folderFd, (st.st_mode & 07777) | S_IRWXU);
}

// Removes the entry `name` of the open folder `parentFd` without following any link: a link or
// file is unlinked itself, a folder is opened with O_NOFOLLOW and emptied entry by entry.
bool removeEntryAt(int parentFd, const char* name, int depth)
{
    struct stat st;
    if (::fstatat(parentFd, name, &st, AT_SYMLINK_NOFOLLOW) != 0)
        return errno == ENOENT;
    if (!S_ISDIR(st.st_mode))
        return ::unlinkat(parentFd, name, 0) == 0 || errno == ENOENT;
    if (depth >= kMaxRemovalDepth)
        return false;
    const int fd = ::openat(parentFd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return false;
    letOwnerEmpty(fd);
    DIR* dir = ::fdopendir(fd);
    if (!dir) {
        ::close(fd);
        return false;
    }
    std::vector<std::string> names;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string entryName = entry->d_name;
        if (entryName != "." && entryName != "..")
            names.push_back(entryName);
    }
    bool emptied = true;
    for (const std::string& entryName : names)
        emptied = removeEntryAt(::dirfd(dir), entryName.c_str(), depth + 1) && emptied;
    ::closedir(dir);
    return emptied && (::unlinkat(parentFd, name, AT_REMOVEDIR) == 0 || errno == ENOENT);
}

// Makes one folder 0700; an existing folder stays only when it is a real folder (not a link),
// and is narrowed to 0700.
bool makePrivateFolder(const QString& path)
{
    const QByteArray native = QFile::encodeName(path);
    if (::mkdir(native.constData(), 0700) == 0)
        return true;
    if (errno != EEXIST)
        return false;
    struct stat st;
    if (::lstat(native.constData(), &st) != 0 || !S_ISDIR(st.st_mode))
        return false;
    return (st.st_mode & 0777) == 0700 || ::chmod(native.constData(), 0700) == 0;
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
    if (root.isEmpty() || isLink(root) || !QFileInfo(root).isDir())
        return;
    const QDir dir(root);
    const QStringList names = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& name : names) {
        if (!isCacheFolderName(name))
            continue;
        const QString path = dir.filePath(name);
        // A link under a cache name is never a session: it goes as a link, its target untouched.
        if (isLink(path) || !isSessionInUse(path))
            removeCacheEntry(path);
    }
}

namespace {

enum class ParentState { Opened, Missing, Refused };

// Opens the folder holding `path` inside "repair-output" and names the last part. Every step
// down from the cache folder is opened without following links, so no link on the way can lead
// out of the cache.
ParentState openParentInCache(const QString& path, int* parentFd, QByteArray* name)
{
    if (!isInsideRepairOutput(path))
        return ParentState::Refused;
    const QString root = QDir::fromNativeSeparators(QDir::cleanPath(repairOutputPath()));
    const QStringList parts =
        QDir::fromNativeSeparators(QDir::cleanPath(path)).mid(root.size() + 1).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (parts.isEmpty() || parts.contains(QStringLiteral("..")))
        return ParentState::Refused;
    int fd = ::open(QFile::encodeName(root).constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? ParentState::Missing : ParentState::Refused;
    for (qsizetype i = 0; i + 1 < parts.size(); ++i) {
        const int next = ::openat(fd, QFile::encodeName(parts.at(i)).constData(),
                                  O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        const int openError = errno;
        ::close(fd);
        if (next < 0)
            return openError == ENOENT ? ParentState::Missing : ParentState::Refused;
        fd = next;
    }
    *parentFd = fd;
    *name = QFile::encodeName(parts.constLast());
    return ParentState::Opened;
}

// Removals handed to the background by discardCacheEntry, counted so they can be waited for.
struct PendingRemovals {
    std::mutex mutex;
    std::condition_variable done;
    int count = 0;
};

PendingRemovals& pendingRemovals()
{
    static PendingRemovals pending;
    return pending;
}

} // namespace

bool removeCacheEntry(const QString& path)
{
    int fd = -1;
    QByteArray name;
    switch (openParentInCache(path, &fd, &name)) {
    case ParentState::Missing: return true;
    case ParentState::Refused: return false;
    case ParentState::Opened: break;
    }
    letOwnerEmpty(fd);
    const bool removed = removeEntryAt(fd, name.constData(), 0);
    ::close(fd);
    return removed;
}

bool discardCacheEntry(const QString& path)
{
    int fd = -1;
    QByteArray name;
    switch (openParentInCache(path, &fd, &name)) {
    case ParentState::Missing: return true;
    case ParentState::Refused: return false;
    case ParentState::Opened: break;
    }
    const QByteArray hidden = ".discarded-" + QUuid::createUuid().toString(QUuid::Id128).toLatin1();
    const bool moved = ::renameat(fd, name.constData(), fd, hidden.constData()) == 0;
    const int renameError = errno;
    ::close(fd);
    if (!moved)
        return renameError == ENOENT || removeCacheEntry(path);

    const QString clean = QDir::fromNativeSeparators(QDir::cleanPath(path));
    const QString hiddenPath = clean.left(clean.lastIndexOf(QLatin1Char('/')) + 1) + QString::fromLatin1(hidden);
    PendingRemovals& pending = pendingRemovals();
    {
        const std::lock_guard<std::mutex> lock(pending.mutex);
        ++pending.count;
    }
    QThreadPool::globalInstance()->start([hiddenPath] {
        removeDirectoryWithRetries(hiddenPath);
        PendingRemovals& removals = pendingRemovals();
        const std::lock_guard<std::mutex> lock(removals.mutex);
        if (--removals.count == 0)
            removals.done.notify_all();
    });
    return true;
}

void waitForDiscardedCacheEntries()
{
    PendingRemovals& pending = pendingRemovals();
    std::unique_lock<std::mutex> lock(pending.mutex);
    pending.done.wait(lock, [&pending] { return pending.count == 0; });
}

bool makePrivateCacheFolder(const QString& path)
{
    const QString root = repairOutputPath();
    if (root.isEmpty() || !QDir().mkpath(cacheRootPath()) || !makePrivateFolder(root))
        return false;
    if (!isInsideRepairOutput(path))
        return false;
    const QString cleanRoot = QDir::fromNativeSeparators(QDir::cleanPath(root));
    QString current = cleanRoot;
    const QStringList parts =
        QDir::fromNativeSeparators(QDir::cleanPath(path)).mid(cleanRoot.size() + 1).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        if (part == QStringLiteral(".."))
            return false;
        current += QLatin1Char('/') + part;
        if (!makePrivateFolder(current))
            return false;
    }
    return true;
}

bool removeDirectoryWithRetries(const QString& path)
{
    if (path.isEmpty())
        return true;
    if (!isInsideRepairOutput(path))
        return false;
    static const int delays[] = {20, 40, 60, 80, 100};
    for (int delay : delays) {
        if (removeCacheEntry(path))
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
    if (!makePrivateCacheFolder(directory))
        return handle;
    std::shared_ptr<QLockFile> lock = makeLock(directory);
    if (!lock->tryLock(0)) {
        removeCacheEntry(directory);
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
