#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QtTest>

#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include "services/session_cache.h"

using namespace olm::repair;

namespace {

// Moves a path's modification time into the past, as if it were left by an earlier run.
void age(const QString& path, int seconds = 3600)
{
    struct timeval times[2];
    ::gettimeofday(&times[0], nullptr);
    times[0].tv_sec -= seconds;
    times[1] = times[0];
    ::utimes(QFile::encodeName(path).constData(), times);
}

QString makeFolder(const QString& name, bool withLock, bool old)
{
    const QString path = QDir(repairOutputPath()).filePath(name);
    QDir().mkpath(path);
    if (withLock) {
        QFile lock(QDir(path).filePath(QStringLiteral(".session.lock")));
        lock.open(QIODevice::WriteOnly);
        lock.write("99999999\nnot-running\nother-host\n");
        lock.close();
        if (old)
            age(lock.fileName());
    }
    if (old)
        age(path);
    return path;
}

// A link at `linkPath` to `target`, itself dated an hour back (the link, not what it points at).
bool makeOldLink(const QString& target, const QString& linkPath)
{
    if (!QFile::link(target, linkPath))
        return false;
    struct timespec times[2];
    ::clock_gettime(CLOCK_REALTIME, &times[0]);
    times[0].tv_sec -= 3600;
    times[1] = times[0];
    return ::utimensat(AT_FDCWD, QFile::encodeName(linkPath).constData(), times, AT_SYMLINK_NOFOLLOW) == 0;
}

// Someone's documents outside the cache: a folder with a file and a sub-folder.
QString makeDocuments(const QTemporaryDir& home)
{
    const QString documents = home.filePath(QStringLiteral("Documents"));
    QDir().mkpath(documents + QStringLiteral("/letters"));
    QFile file(documents + QStringLiteral("/letters/contract.txt"));
    file.open(QIODevice::WriteOnly);
    file.write("signed");
    return documents;
}

bool documentsIntact(const QString& documents)
{
    QFile file(documents + QStringLiteral("/letters/contract.txt"));
    return file.open(QIODevice::ReadOnly) && file.readAll() == "signed";
}

int mode(const QString& path)
{
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? static_cast<int>(st.st_mode & 07777) : -1;
}

} // namespace

class SessionCacheTest : public QObject {
    Q_OBJECT

    // A link left in place of the cache folder by a failed run is removed as a link.
    static void clearCache()
    {
        if (QFileInfo(repairOutputPath()).isSymLink())
            QFile::remove(repairOutputPath());
        QDir(repairOutputPath()).removeRecursively();
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() { clearCache(); }
    void cleanupTestCase() { clearCache(); }

    void sessionHoldsItsLockUntilReleased()
    {
        SessionHandle first = SessionHandle::create();
        QVERIFY(first.isValid());
        QVERIFY(QFileInfo(first.directory()).fileName().startsWith(QStringLiteral("session-")));
        QVERIFY(isCacheFolderName(QFileInfo(first.directory()).fileName()));
        age(first.directory());
        age(QDir(first.directory()).filePath(QStringLiteral(".session.lock")));

        // A second instance's sweep leaves the held session alone.
        sweepStaleSessions();
        QVERIFY(QFileInfo::exists(first.directory()));
        QVERIFY(isSessionInUse(first.directory()));
        SessionHandle second = SessionHandle::create();
        QVERIFY(second.isValid());
        QVERIFY(second.directory() != first.directory());

        const QString dir = first.directory();
        first.release();
        QVERIFY(!QFileInfo::exists(dir));
        first.release(); // nothing left to do
        second.release();
    }

    void sweepRemovesWhatNoInstanceHolds()
    {
        const QString crashed = makeFolder(QStringLiteral("session-0e2f5a40-1b2c-4d3e-8f90-aabbccddeeff"), true, true);
        const QString unlocked = makeFolder(QStringLiteral("session-1e2f5a40-1b2c-4d3e-8f90-aabbccddeeff"), false, true);
        const QString bareTask = makeFolder(QStringLiteral("2e2f5a40-1b2c-4d3e-8f90-aabbccddeeff"), false, true);
        const QString keep = makeFolder(QStringLiteral("keep-me"), false, true);
        sweepStaleSessions();
        QVERIFY(!QFileInfo::exists(crashed));
        QVERIFY(!QFileInfo::exists(unlocked));
        QVERIFY(!QFileInfo::exists(bareTask));
        QVERIFY(QFileInfo::exists(keep));
    }

    void sweepNeverTakesASessionBeingSetUp()
    {
        // Another instance has just made its folder and not yet its lock.
        const QString fresh = makeFolder(QStringLiteral("session-3e2f5a40-1b2c-4d3e-8f90-aabbccddeeff"), false, false);
        sweepStaleSessions();
        QVERIFY(QFileInfo::exists(fresh));
    }

    void onlyTaskFoldersInsideTheCacheCountAsOurs()
    {
        QVERIFY(isInsideRepairOutput(QDir(repairOutputPath()).filePath(QStringLiteral("session-x/task"))));
        QVERIFY(!isInsideRepairOutput(repairOutputPath()));
        QVERIFY(!isInsideRepairOutput(QStringLiteral("/tmp/elsewhere/task")));
        QVERIFY(!isInsideRepairOutput(repairOutputPath() + QStringLiteral("-other/task")));
        QVERIFY(!isInsideRepairOutput(QString()));
    }

    void removalsNeverFollowLinksOutOfTheCache()
    {
        QTemporaryDir home;
        const QString documents = makeDocuments(home);
        QDir().mkpath(repairOutputPath());
        // Links under session and task names, old enough to be swept.
        const QString sessionLink = QDir(repairOutputPath()).filePath(QStringLiteral("session-4e2f5a40-1b2c-4d3e-8f90-aabbccddeeff"));
        const QString taskLink = QDir(repairOutputPath()).filePath(QStringLiteral("5e2f5a40-1b2c-4d3e-8f90-aabbccddeeff"));
        QVERIFY(makeOldLink(documents, sessionLink));
        QVERIFY(makeOldLink(documents + QStringLiteral("/letters"), taskLink));
        // A stale session whose task folder holds links to the documents.
        const QString crashed = makeFolder(QStringLiteral("session-7e2f5a40-1b2c-4d3e-8f90-aabbccddeeff/task"), false, false);
        QVERIFY(QFile::link(documents, crashed + QStringLiteral("/work")));
        QVERIFY(QFile::link(documents + QStringLiteral("/letters/contract.txt"), crashed + QStringLiteral("/input.txt")));
        age(crashed);
        age(QFileInfo(crashed).absolutePath());

        sweepStaleSessions();
        for (const QString& link : {sessionLink, taskLink})
            QVERIFY2(!QFileInfo(link).isSymLink() && !QFileInfo::exists(link), qPrintable(link));
        QVERIFY(!QFileInfo::exists(QFileInfo(crashed).absolutePath()));
        QVERIFY(documentsIntact(documents));
        // The probe of a session's lock never wrote into the linked folder either.
        QVERIFY(!QFileInfo::exists(documents + QStringLiteral("/.session.lock")));

        // A link on the way down is never walked through, and nothing outside the cache is removed.
        const QString linkedSession = QDir(repairOutputPath()).filePath(QStringLiteral("session-8e2f5a40-1b2c-4d3e-8f90-aabbccddeeff"));
        QVERIFY(QFile::link(documents, linkedSession));
        QVERIFY(!removeCacheEntry(linkedSession + QStringLiteral("/letters")));
        QVERIFY(!removeDirectoryWithRetries(linkedSession + QStringLiteral("/letters")));
        QVERIFY(!removeCacheEntry(documents));
        QVERIFY(!removeDirectoryWithRetries(documents));
        QVERIFY(removeCacheEntry(linkedSession));
        QVERIFY(documentsIntact(documents));
    }

    void aLinkInPlaceOfTheCacheFolderIsNeverEntered()
    {
        QTemporaryDir home;
        const QString documents = makeDocuments(home);
        const QString victim = documents + QStringLiteral("/9e2f5a40-1b2c-4d3e-8f90-aabbccddeeff");
        QVERIFY(QDir().mkpath(victim));
        age(victim);
        QDir(repairOutputPath()).removeRecursively();
        QVERIFY(QDir().mkpath(cacheRootPath()));
        QVERIFY(QFile::link(documents, repairOutputPath()));

        sweepStaleSessions();
        QVERIFY(!removeCacheEntry(repairOutputPath() + QStringLiteral("/9e2f5a40-1b2c-4d3e-8f90-aabbccddeeff")));
        QVERIFY(QFileInfo(victim).isDir());
        QVERIFY(documentsIntact(documents));
        // No session can be made through the link either.
        QVERIFY(!SessionHandle::create().isValid());
        QVERIFY(QFile::remove(repairOutputPath()));
    }

    void cacheFoldersAreTheUsersOnly()
    {
        // Made under a wide mask, and over an existing "repair-output" left open to others.
        QVERIFY(QDir().mkpath(repairOutputPath()));
        QVERIFY(::chmod(QFile::encodeName(repairOutputPath()).constData(), 0755) == 0);
        const mode_t oldMask = ::umask(0);
        SessionHandle session = SessionHandle::create();
        ::umask(oldMask);
        QVERIFY(session.isValid());
        QCOMPARE(mode(repairOutputPath()), 0700);
        QCOMPARE(mode(session.directory()), 0700);
        const QString task = QDir(session.directory()).filePath(QStringLiteral("ae2f5a40-1b2c-4d3e-8f90-aabbccddeeff/work"));
        QVERIFY(makePrivateCacheFolder(task));
        QCOMPARE(mode(task), 0700);
        QCOMPARE(mode(QFileInfo(task).absolutePath()), 0700);
        QVERIFY(!makePrivateCacheFolder(QStringLiteral("/tmp/elsewhere/task")));
        session.release();
    }

    // A discarded task is gone from its place at once and its files are removed afterwards,
    // under the same rules: never through a link, never outside the cache.
    void discardedEntriesLeaveAtOnceAndAreRemovedLater()
    {
        SessionHandle session = SessionHandle::create();
        QVERIFY(session.isValid());
        const QString task = QDir(session.directory()).filePath(QStringLiteral("be2f5a40-1b2c-4d3e-8f90-aabbccddeeff"));
        QVERIFY(makePrivateCacheFolder(task + QStringLiteral("/preview")));
        QFile result(task + QStringLiteral("/result.drcache"));
        QVERIFY(result.open(QIODevice::WriteOnly) && result.write(QByteArray(1 << 20, 'r')) == (1 << 20));
        result.close();
        QTemporaryDir home;
        const QString documents = makeDocuments(home);
        QVERIFY(QFile::link(documents, task + QStringLiteral("/preview/documents")));

        QVERIFY(discardCacheEntry(task));
        QVERIFY(!QFileInfo::exists(task));
        waitForDiscardedCacheEntries();
        QCOMPARE(QDir(session.directory()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
                 QStringList{QStringLiteral(".session.lock")});
        QVERIFY(documentsIntact(documents));

        QVERIFY(discardCacheEntry(task)); // already gone
        QVERIFY(!discardCacheEntry(documents));
        QVERIFY(documentsIntact(documents));
        session.release();
    }

    void removeWithRetries()
    {
        QVERIFY(removeDirectoryWithRetries(QString()));
        const QString path = makeFolder(QStringLiteral("keep-me/inner"), false, false);
        QVERIFY(removeDirectoryWithRetries(path));
        QVERIFY(!QFileInfo::exists(path));
        QVERIFY(removeDirectoryWithRetries(path));
    }
};

QTEST_GUILESS_MAIN(SessionCacheTest)
#include "session_cache_test.moc"
