#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QtTest>

#include <sys/time.h>

#include "app/session_cache.h"

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

} // namespace

class SessionCacheTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() { QDir(repairOutputPath()).removeRecursively(); }
    void cleanupTestCase() { QDir(repairOutputPath()).removeRecursively(); }

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
