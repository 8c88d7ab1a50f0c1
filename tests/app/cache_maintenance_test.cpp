#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>

#include "services/session_cache.h"
#include "cache_fixtures.h"
#include "services/cache_maintenance.h"
#include "services/diagnostics_log.h"

using namespace olm::repair;

using namespace cache_fixtures;

class CacheMaintenanceTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() { QDir(repairOutputPath()).removeRecursively(); }
    void cleanupTestCase() { QDir(repairOutputPath()).removeRecursively(); }

    void trimsOldestFirstAndSparesTheUnsavedResult()
    {
        const QDateTime now = QDateTime::currentDateTimeUtc();
        const QString oldest = makeSession(QStringLiteral("session-00000000-0000-4000-8000-000000000001"), 300 * MiB, now.addDays(-3));
        const QString middle = makeSession(QStringLiteral("session-00000000-0000-4000-8000-000000000002"), 200 * MiB, now.addDays(-2));
        const QString newest = makeSession(QStringLiteral("00000000-0000-4000-8000-0000000000AB"), 100 * MiB, now.addDays(-1));
        const QString ignored = makeSession(QStringLiteral("session-1"), 1 * MiB, now.addDays(-9));

        const TrimOutcome spared = trimCacheToLimit(512 * MiB, oldest + QStringLiteral("/task/result.drcache"));
        QCOMPARE(spared.removed, 1);
        QCOMPARE(spared.total, 400 * MiB);
        QVERIFY(!spared.overLimit);
        QVERIFY(QFileInfo::exists(oldest));
        QVERIFY(!QFileInfo::exists(middle));
        QVERIFY(QFileInfo::exists(newest));
        QVERIFY(QFileInfo::exists(ignored));

        const TrimOutcome plain = trimCacheToLimit(300 * MiB, QString());
        QCOMPARE(plain.removed, 1);
        QVERIFY(!QFileInfo::exists(oldest));

        const TrimOutcome allProtected = trimCacheToLimit(0, newest + QStringLiteral("/task/x"));
        QCOMPARE(allProtected.removed, 0);
        QVERIFY(allProtected.overLimit);
    }

    void trimAndExpiryRemoveLinksAsLinks()
    {
        // Links under cache names to a large folder of the user's, dated long ago.
        QTemporaryDir home;
        const QString documents = home.filePath(QStringLiteral("Documents"));
        QVERIFY(QDir().mkpath(documents));
        QFile big(documents + QStringLiteral("/film.mkv"));
        QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(900 * MiB));
        big.close();
        QVERIFY(QDir().mkpath(repairOutputPath()));
        const QDateTime old = QDateTime::currentDateTimeUtc().addDays(-30);
        const auto oldLink = [&](const QString& name) {
            const QString link = QDir(repairOutputPath()).filePath(name);
            QFile::link(documents, link);
            struct timespec times[2] = {{old.toSecsSinceEpoch(), 0}, {old.toSecsSinceEpoch(), 0}};
            ::utimensat(AT_FDCWD, QFile::encodeName(link).constData(), times, AT_SYMLINK_NOFOLLOW);
            return link;
        };
        const QString first = oldLink(QStringLiteral("session-00000000-0000-4000-8000-0000000000c1"));
        const QString second = oldLink(QStringLiteral("00000000-0000-4000-8000-0000000000c2"));
        const QString real = makeSession(QStringLiteral("session-00000000-0000-4000-8000-0000000000c3"), 10 * MiB, old);

        // A link counts for nothing and is never looked into.
        qint64 scanned = 0;
        for (const CacheSession& s : scanCacheSessions(QString()))
            scanned += s.size;
        QCOMPARE(scanned, 10 * MiB);
        QVERIFY(!QFileInfo::exists(documents + QStringLiteral("/.session.lock")));

        const TrimOutcome trimmed = trimCacheToLimit(0, QString());
        QCOMPARE(trimmed.removed, 3);
        QVERIFY(!QFileInfo(first).isSymLink());
        QVERIFY(!QFileInfo::exists(real));
        QCOMPARE(QFileInfo(documents + QStringLiteral("/film.mkv")).size(), 900 * MiB);

        QVERIFY(!QFileInfo(second).isSymLink());
        const QString third = oldLink(QStringLiteral("session-00000000-0000-4000-8000-0000000000c4"));
        const ExpiryOutcome expired = removeExpiredSessions(QDateTime::currentDateTimeUtc().addDays(-7), QString());
        QCOMPARE(expired.removed, 1);
        QVERIFY(!QFileInfo(third).isSymLink());
        QCOMPARE(QFileInfo(documents + QStringLiteral("/film.mkv")).size(), 900 * MiB);
    }

    void protectionMatchesWholeFolderNamesOnly()
    {
        const QDateTime old = QDateTime::currentDateTimeUtc().addDays(-3);
        const QString a = makeSession(QStringLiteral("session-00000000-0000-4000-8000-00000000000a"), 10, old);
        const QString sibling = makeSession(QStringLiteral("session-00000000-0000-4000-8000-00000000000A"), 10, old);
        const QList<CacheSession> sessions = scanCacheSessions(a + QStringLiteral("/task/result.drcache"));
        QCOMPARE(sessions.size(), 2);
        for (const CacheSession& s : sessions)
            QCOMPARE(s.isProtected, s.path == a);
        Q_UNUSED(sibling);
    }

    void heldSessionsAreNeverTrimmed()
    {
        SessionHandle live = SessionHandle::create();
        QVERIFY(live.isValid());
        setTime(live.directory(), QDateTime::currentDateTimeUtc().addDays(-30));
        setTime(live.directory() + QStringLiteral("/.session.lock"), QDateTime::currentDateTimeUtc().addDays(-30));
        const ExpiryOutcome outcome = removeExpiredSessions(QDateTime::currentDateTimeUtc().addDays(-7), QString());
        QCOMPARE(outcome.removed, 0);
        QCOMPARE(outcome.protectedCount, 1);
        QVERIFY(QFileInfo::exists(live.directory()));
        live.release();
    }

    void expiryCutoffIsStrict()
    {
        const QDateTime cutoff = QDateTime::currentDateTimeUtc().addDays(-7);
        const QString exact = makeSession(QStringLiteral("session-00000000-0000-4000-8000-000000000010"), 1, cutoff);
        const QString older = makeSession(QStringLiteral("session-00000000-0000-4000-8000-000000000011"), 1, cutoff.addMSecs(-1));
        const ExpiryOutcome outcome = removeExpiredSessions(cutoff, QString());
        QCOMPARE(outcome.removed, 1);
        QVERIFY(QFileInfo::exists(exact));
        QVERIFY(!QFileInfo::exists(older));
    }

    void diagnosticsLinesAndNames()
    {
        QFile::remove(diagnosticsFilePath());
        QCoreApplication::setApplicationVersion(QStringLiteral("1.0.4.0"));
        QVERIFY(!appendDiagnosticEvent(QString(65, QLatin1Char('a'))));
        for (const QString& bad : {QString(), QStringLiteral("a b"), QStringLiteral("a/b"), QStringLiteral("a:b"),
                                   QStringLiteral("état")})
            QVERIFY(!appendDiagnosticEvent(bad));
        QCOMPARE(diagnosticsFileSize(), 0);
        QVERIFY(appendDiagnosticEvent(QStringLiteral("diagnostics.enabled")));
        QVERIFY(appendDiagnosticEvent(QStringLiteral("workflow.PreviewReady")));
        QFile file(diagnosticsFilePath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        QCOMPARE(lines.size(), 3);
        QVERIFY(lines[0].startsWith("{\"applicationVersion\":\"1.0.4.0\",\"event\":\"diagnostics.enabled\",\"timestampUtc\":\""));
        const QJsonObject second = QJsonDocument::fromJson(lines[1]).object();
        QCOMPARE(second.value(QStringLiteral("event")).toString(), QStringLiteral("workflow.PreviewReady"));
        QVERIFY(QDateTime::fromString(second.value(QStringLiteral("timestampUtc")).toString(), Qt::ISODateWithMs).isValid());
        QVERIFY(second.value(QStringLiteral("timestampUtc")).toString().endsWith(QLatin1Char('Z')));
        QVERIFY(diagnosticsFileSize() > 0);
        QFile::remove(diagnosticsFilePath());
    }
};

QTEST_GUILESS_MAIN(CacheMaintenanceTest)
#include "cache_maintenance_test.moc"
