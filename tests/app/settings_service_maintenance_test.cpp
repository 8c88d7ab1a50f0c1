// SettingsService's cache trimming, cache expiry and diagnostics log: statuses, size texts, signals
// and the events it records, over a real cache folder and log file.

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include "services/session_cache.h"
#include "cache_fixtures.h"
#include "services/diagnostics_log.h"
#include "services/settings_service.h"
#include "settings_store_fixture.h"

using namespace olm::repair;
using namespace cache_fixtures;

namespace {

QString sessionName(int n) { return QStringLiteral("session-00000000-0000-4000-8000-%1").arg(n, 12, 10, QLatin1Char('0')); }

QStringList loggedEvents()
{
    QFile file(diagnosticsFilePath());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList events;
    for (const QByteArray& line : file.readAll().split('\n')) {
        if (!line.isEmpty())
            events << QJsonDocument::fromJson(line).object().value(QStringLiteral("event")).toString();
    }
    return events;
}

} // namespace

class SettingsServiceMaintenanceTest : public QObject {
    Q_OBJECT

private:
    SettingsStoreFixture store_;

private slots:
    void initTestCase()
    {
        QVERIFY(store_.setUp(QStringLiteral("Settings Maintenance Test")));
        QStandardPaths::setTestModeEnabled(true);
    }

    void init()
    {
        QSettings().clear();
        QDir(repairOutputPath()).removeRecursively();
        QFile::remove(diagnosticsFilePath());
        QDir(diagnosticsFilePath()).removeRecursively();
    }

    void cleanupTestCase()
    {
        QDir(repairOutputPath()).removeRecursively();
        QFile::remove(diagnosticsFilePath());
    }

    // The cache of 600 MiB under a 512 MiB limit: the oldest session goes, unless it holds the
    // unsaved result; then the next oldest goes and the walk stops.
    void enforceCacheLimit_data()
    {
        QTest::addColumn<int>("protectedSession"); // 0 = none
        QTest::addColumn<QList<int>>("survivors");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("sizeText");
        QTest::newRow("oldest goes") << 0 << QList<int>{2, 3} << QStringLiteral("已清理 1 个旧任务，缓存已回到 512 MB 上限内")
                                     << QStringLiteral("300.0 MB");
        QTest::newRow("unsaved result spared") << 1 << QList<int>{1, 3}
                                               << QStringLiteral("已清理 1 个旧任务，缓存已回到 512 MB 上限内")
                                               << QStringLiteral("400.0 MB");
    }

    void enforceCacheLimit()
    {
        QFETCH(int, protectedSession);
        QFETCH(QList<int>, survivors);
        QFETCH(QString, status);
        QFETCH(QString, sizeText);
        const QDateTime now = QDateTime::currentDateTimeUtc();
        const qint64 sizes[] = {300 * MiB, 200 * MiB, 100 * MiB};
        QStringList paths;
        for (int n = 1; n <= 3; ++n)
            paths << makeSession(sessionName(n), sizes[n - 1], now.addDays(n - 5));

        SettingsService service;
        QCOMPARE(service.cacheSizeText(), QStringLiteral("600.0 MB"));
        QSignalSpy cache(&service, &SettingsService::cacheChanged);
        const QString unsaved =
            protectedSession == 0 ? QString() : paths[protectedSession - 1] + QStringLiteral("/task/result.drcache");
        service.enforceCacheLimit(unsaved);
        for (int n = 1; n <= 3; ++n)
            QCOMPARE(QFileInfo::exists(paths[n - 1]), survivors.contains(n));
        QCOMPARE(service.status(), status);
        QCOMPARE(service.cacheSizeText(), sizeText);
        QCOMPARE(cache.count(), 1);
    }

    void enforceCacheLimitStatuses()
    {
        const QDateTime old = QDateTime::currentDateTimeUtc().addDays(-2);
        const QString only = makeSession(sessionName(1), 200 * MiB, old);
        SettingsService service;
        service.setCacheLimitMb(256);

        // Within the limit: nothing goes.
        service.enforceCacheLimit();
        QCOMPARE(service.status(), QStringLiteral("缓存占用未超过 256 MB 上限"));
        QVERIFY(QFileInfo::exists(only));

        // Over the limit with every session protected: nothing goes, and the status says so.
        service.setCacheLimitMb(128);
        service.enforceCacheLimit(only + QStringLiteral("/task"));
        QCOMPARE(service.status(), QStringLiteral("已清理 0 个旧任务；当前未保存结果受保护，缓存暂时超过上限"));
        QVERIFY(QFileInfo::exists(only));

        // A session another instance holds is not removed either.
        QLockFile held(only + QStringLiteral("/.session.lock"));
        QVERIFY(held.tryLock(0));
        service.enforceCacheLimit();
        QCOMPARE(service.status(), QStringLiteral("已清理 0 个旧任务；当前未保存结果受保护，缓存暂时超过上限"));
        QVERIFY(QFileInfo::exists(only));
        held.unlock();
    }

    void clearExpiredCacheRemovesOnlyOldUnprotectedSessions()
    {
        const QDateTime now = QDateTime::currentDateTimeUtc();
        const QString expired = makeSession(sessionName(1), 10 * MiB, now.addDays(-7).addSecs(-1));
        const QString recent = makeSession(sessionName(2), 10 * MiB, now.addDays(-7).addSecs(60));
        const QString unsaved = makeSession(sessionName(3), 10 * MiB, now.addDays(-30));
        const QString oldButHeld = makeSession(sessionName(4), 10 * MiB, now.addDays(-30));
        const QString foreign = makeSession(QStringLiteral("temp"), 10 * MiB, now.addDays(-30));
        QLockFile held(oldButHeld + QStringLiteral("/.session.lock"));
        QVERIFY(held.tryLock(0));

        SettingsService service;
        service.setDiagnosticsEnabled(true);
        QCOMPARE(service.cacheSizeText(), QStringLiteral("50.0 MB"));
        service.clearExpiredCache(unsaved + QStringLiteral("/task/result.drcache"));

        QVERIFY(!QFileInfo::exists(expired));
        QVERIFY(QFileInfo::exists(recent));
        QVERIFY(QFileInfo::exists(unsaved));
        QVERIFY(QFileInfo::exists(oldButHeld));
        QVERIFY(QFileInfo::exists(foreign));
        QCOMPARE(service.status(), QStringLiteral("已清理 1 个过期任务缓存；2 个当前任务受到保护"));
        QCOMPARE(service.cacheSizeText(), QStringLiteral("40.0 MB"));
        QCOMPARE(loggedEvents().last(), QStringLiteral("cache.expired_cleared"));
        held.unlock();
    }

    void clearExpiredCacheRecordsNothingWhileDiagnosticsAreOff()
    {
        SettingsService service;
        service.clearExpiredCache();
        QCOMPARE(service.status(), QStringLiteral("已清理 0 个过期任务缓存；0 个当前任务受到保护"));
        QVERIFY(!QFileInfo::exists(diagnosticsFilePath()));
        QCOMPARE(service.cacheSizeText(), QStringLiteral("0 B"));
    }

    void diagnosticsSwitchFramesTheLog()
    {
        SettingsService service;
        QCOMPARE(service.diagnosticsPath(), diagnosticsFilePath());
        QVERIFY(service.diagnosticsPath().endsWith(QStringLiteral("/diagnostics/events.jsonl")));
        QCOMPARE(service.diagnosticsSizeText(), QStringLiteral("0 B"));
        QSignalSpy size(&service, &SettingsService::diagnosticsChanged);
        QSignalSpy settings(&service, &SettingsService::settingsChanged);

        // Off: nothing is written, the size text stays.
        service.recordDiagnosticEvent(QStringLiteral("workflow.Analyzing"));
        QVERIFY(!QFileInfo::exists(diagnosticsFilePath()));
        QCOMPARE(size.count(), 0);

        service.setDiagnosticsEnabled(true);
        QCOMPARE(settings.count(), 1);
        QCOMPARE(service.status(), QStringLiteral("已启用本地匿名诊断日志；日志不会自动上传"));
        service.recordDiagnosticEvent(QStringLiteral("workflow.PreviewReady"));
        service.recordDiagnosticEvent(QStringLiteral("workflow/../x")); // dropped silently
        service.recordDiagnosticEvent(QString(65, QLatin1Char('a')));
        service.setDiagnosticsEnabled(false);
        QCOMPARE(service.status(), QStringLiteral("已关闭本地匿名诊断日志"));
        QCOMPARE(QSettings().value(QStringLiteral("privacy/diagnosticsEnabled")).toBool(), false);

        QCOMPARE(loggedEvents(), (QStringList{QStringLiteral("diagnostics.enabled"), QStringLiteral("workflow.PreviewReady"),
                                             QStringLiteral("diagnostics.disabled")}));
        const qint64 bytes = QFileInfo(diagnosticsFilePath()).size();
        QCOMPARE(service.diagnosticsSizeText(), formatByteSize(bytes));
        QCOMPARE(size.count(), 3);

        // Switching to the value it has does nothing at all.
        service.setDiagnosticsEnabled(false);
        QCOMPARE(settings.count(), 2);
        QCOMPARE(loggedEvents().size(), 3);
    }

    void resetSwitchesDiagnosticsOffWithoutAnEventAndKeepsTheLog()
    {
        SettingsService service;
        service.setDiagnosticsEnabled(true);
        const qint64 before = QFileInfo(diagnosticsFilePath()).size();
        service.resetDefaults();
        QVERIFY(!service.diagnosticsEnabled());
        QCOMPARE(QFileInfo(diagnosticsFilePath()).size(), before);
        QCOMPARE(loggedEvents(), QStringList{QStringLiteral("diagnostics.enabled")});
    }

    void clearDiagnosticDataReportsItsOutcome()
    {
        SettingsService service;
        // Nothing to clear still reads as cleared.
        service.clearDiagnosticData();
        QCOMPARE(service.status(), QStringLiteral("本地匿名诊断日志已清除"));

        service.setDiagnosticsEnabled(true);
        QVERIFY(service.diagnosticsSizeText() != QStringLiteral("0 B"));
        QSignalSpy size(&service, &SettingsService::diagnosticsChanged);
        service.clearDiagnosticData();
        QVERIFY(!QFileInfo::exists(diagnosticsFilePath()));
        QCOMPARE(service.diagnosticsSizeText(), QStringLiteral("0 B"));
        QCOMPARE(size.count(), 1);
        QCOMPARE(service.status(), QStringLiteral("本地匿名诊断日志已清除"));
        QVERIFY(service.diagnosticsEnabled()); // the switch is left alone

        // A folder where the log should be cannot be deleted as a file (works as root too).
        QVERIFY(QDir().mkpath(diagnosticsFilePath() + QStringLiteral("/inside")));
        service.clearDiagnosticData();
        QCOMPARE(service.status(), QStringLiteral("无法清除本地诊断日志，请稍后重试"));
        // ... and recording into it fails silently.
        const QString statusBefore = service.status();
        service.recordDiagnosticEvent(QStringLiteral("workflow.Saved"));
        QCOMPARE(service.status(), statusBefore);
    }
};

QTEST_GUILESS_MAIN(SettingsServiceMaintenanceTest)
#include "settings_service_maintenance_test.moc"
