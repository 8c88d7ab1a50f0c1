#pragma once

// The private repair cache: "repair-output" in the user's cache location holds one session
// folder per running instance ("session-<uuid>", kept alive by its ".session.lock"), and each
// job gets a task folder inside its session.

#include <QLockFile>
#include <QString>

#include <memory>

namespace olm::repair {

QString cacheRootPath();
// The cache location joined with "repair-output"; empty when there is no cache location.
QString repairOutputPath();

// True for the folder names under "repair-output" that belong to the cache: a session folder or
// a bare task folder (a UUID). Other names are never touched.
bool isCacheFolderName(const QString& name);

// True when the folder's lock is held by a running instance, or the folder is too young to judge:
// a folder made in the last few seconds may be an instance between creating it and its lock.
bool isSessionInUse(const QString& folderPath);

// Removes cache folders under "repair-output" that no running instance holds.
void sweepStaleSessions();

// Removes a folder tree inside "repair-output", retrying for up to about 300 ms; an empty path
// counts as removed. Paths outside the cache are never removed.
bool removeDirectoryWithRetries(const QString& path);

// Removes a file, folder tree or link inside "repair-output" without following links: a link
// is removed as a link and nothing outside the cache folder is touched. True when nothing is
// left at the path; false (and nothing removed) for a path outside the cache.
bool removeCacheEntry(const QString& path);

// Like removeCacheEntry, but the caller does not wait for the removal of a large tree: the entry
// is renamed at once to a hidden name in the same folder (so nothing is left at the path) and
// removed on a background thread. Where it cannot be renamed it is removed here. True when
// nothing is left at the path; false for a path outside the cache.
bool discardCacheEntry(const QString& path);

// Returns once every removal that discardCacheEntry handed to the background has ended.
void waitForDiscardedCacheEntries();

// Creates a folder inside "repair-output" and the folders on the way, each readable by the
// user only (0700); fails on a link or a non-folder in the way.
bool makePrivateCacheFolder(const QString& path);

// True when `path` lies inside "repair-output" of the current cache location.
bool isInsideRepairOutput(const QString& path);

// One instance's session: its folder and the lock that marks it alive.
class SessionHandle {
public:
    // Creates "session-<uuid>" and takes its lock; on any failure the handle has no directory.
    static SessionHandle create();

    const QString& directory() const { return directory_; }
    bool isValid() const { return !directory_.isEmpty(); }
    // Unlocks and removes the session folder (with retries). Safe to call twice.
    void release();

private:
    QString directory_;
    std::shared_ptr<QLockFile> lock_;
};

inline constexpr int kSessionGraceSeconds = 10;

} // namespace olm::repair
