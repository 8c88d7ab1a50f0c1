// SettingsService's feedback: validation, the request it posts to a fake service on 127.0.0.1,
// the outcomes, the request id kept across retries, and copying and exporting the report.

#include <QClipboard>
#include <QGuiApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSettings>
#include <QSignalSpy>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QtTest>

#include "fake_account_server.h"
#include "services/settings_service.h"
#include "settings_store_fixture.h"

using olm::repair::SettingsService;

namespace {

const QString kFeedbackPath = QStringLiteral("/v1/feedback");
const QString kTicket = QStringLiteral("FR-0123456789abcdef0123456789abcdef");

FakeResponse ticketReply(int status, const QString& id)
{
    return FakeResponse::json(status, {{QStringLiteral("id"), id}});
}

} // namespace

class SettingsServiceFeedbackTest : public QObject {
    Q_OBJECT

private:
    SettingsStoreFixture store_;

    // Submits and waits for the outcome: {result, ticket}.
    static QStringList submit(SettingsService& service, const QUrl& base, const QString& message, bool includeSystem = false)
    {
        QSignalSpy finished(&service, &SettingsService::feedbackFinished);
        service.submitFeedback(base, message, includeSystem);
        if (finished.isEmpty() && !finished.wait(20000))
            return {QStringLiteral("timeout")};
        return {finished.at(0).at(0).toString(), finished.at(0).at(1).toString()};
    }

private slots:
    void initTestCase()
    {
        QVERIFY(store_.setUp(QStringLiteral("Settings Feedback Test")));
    }

    void init() { QSettings().clear(); }

    void systemInfoHasFiveLines()
    {
        SettingsService service;
        service.setLanguage(QStringLiteral("fr-FR"));
        const QString expected = QStringLiteral("Korvex File Repair 1.0.4.0\nQt: %1\nOS: %2 %3\nArchitecture: %4\nLanguage: fr-FR")
                                     .arg(QString::fromLatin1(qVersion()), QSysInfo::productType(),
                                          QSysInfo::productVersion(), QSysInfo::currentCpuArchitecture());
        QCOMPARE(service.feedbackSystemInfo(), expected);
    }

    void endpointKeepsTheBaseAndDropsTrailingSlashes_data()
    {
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("endpoint");
        QTest::newRow("slash") << "https://h.example/api/" << "https://h.example/api/v1/feedback";
        QTest::newRow("slashes") << "https://h.example/a//" << "https://h.example/a/v1/feedback";
        QTest::newRow("no path") << "https://h.example" << "https://h.example/v1/feedback";
        QTest::newRow("port kept") << "http://127.0.0.1:8443/api" << "http://127.0.0.1:8443/api/v1/feedback";
    }

    void endpointKeepsTheBaseAndDropsTrailingSlashes()
    {
        QFETCH(QString, base);
        QFETCH(QString, endpoint);
        QCOMPARE(SettingsService::feedbackEndpoint(QUrl(base)).toString(), endpoint);
    }

    // Refused at once: "error", no busy change, nothing sent.
    void invalidSubmissionsAreRefusedAtOnce_data()
    {
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("message");
        const QString ok = QStringLiteral("Die Vorschau bleibt leer");
        QTest::newRow("spaces only") << "" << QStringLiteral("   \n\t ");
        QTest::newRow("6001 characters") << "" << QString(6001, QLatin1Char('x'));
        QTest::newRow("http elsewhere") << "http://192.0.2.1:%1/api" << ok;
        QTest::newRow("user name") << "http://user@127.0.0.1:%1/api" << ok;
        QTest::newRow("query") << "http://127.0.0.1:%1/api?x=1" << ok;
        QTest::newRow("fragment") << "http://127.0.0.1:%1/api#f" << ok;
        QTest::newRow("ftp") << "ftp://127.0.0.1:%1/api" << ok;
        QTest::newRow("not a url") << "http://[::1" << ok;
    }

    void invalidSubmissionsAreRefusedAtOnce()
    {
        QFETCH(QString, base);
        QFETCH(QString, message);
        FakeAccountServer server;
        QVERIFY(server.start());
        const QUrl url = base.isEmpty() ? server.baseUrl() : QUrl(base.contains(QStringLiteral("%1")) ? base.arg(server.baseUrl().port()) : base);
        SettingsService service;
        QSignalSpy busy(&service, &SettingsService::feedbackBusyChanged);
        QSignalSpy finished(&service, &SettingsService::feedbackFinished);
        service.submitFeedback(url, message, false);
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished.at(0).at(0).toString(), QStringLiteral("error"));
        QCOMPARE(finished.at(0).at(1).toString(), QString());
        QCOMPARE(busy.count(), 0);
        QTest::qWait(50);
        QCOMPARE(server.requests().size(), 0);
    }

    void submittedReportCarriesTheFieldsAndTheTicket()
    {
        FakeAccountServer server;
        QVERIFY(server.start());
        server.on("POST", kFeedbackPath, ticketReply(201, kTicket));
        SettingsService service;
        service.setLanguage(QStringLiteral("ja-JP"));
        QSignalSpy busy(&service, &SettingsService::feedbackBusyChanged);

        const QString message = QStringLiteral("  保存に失敗しました  \n");
        QSignalSpy finished(&service, &SettingsService::feedbackFinished);
        service.submitFeedback(server.baseUrl(), message, true);
        QVERIFY(service.feedbackBusy());
        // A second submission while the first is in flight is dropped without a word.
        service.submitFeedback(server.baseUrl(), QStringLiteral("other"), false);
        QVERIFY(finished.wait(20000));
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished.at(0).at(0).toString(), QStringLiteral("submitted"));
        QCOMPARE(finished.at(0).at(1).toString(), kTicket);
        QVERIFY(!service.feedbackBusy());
        QCOMPARE(busy.count(), 2);
        QCOMPARE(server.count(kFeedbackPath), 1);

        const FakeRequest request = server.last(kFeedbackPath);
        QCOMPARE(request.header("Content-Type"), QByteArray("application/json"));
        QVERIFY(request.header("Authorization").isEmpty());
        const QJsonObject body = request.json();
        QCOMPARE(body.keys(), (QStringList{"channel", "contact", "locale", "message", "product_id", "request_id", "technical_info"}));
        QCOMPARE(body.value(QStringLiteral("channel")).toString(), QStringLiteral("desktop"));
        QCOMPARE(body.value(QStringLiteral("contact")).toString(), QString());
        QCOMPARE(body.value(QStringLiteral("locale")).toString(), QStringLiteral("ja-JP"));
        QCOMPARE(body.value(QStringLiteral("message")).toString(), QStringLiteral("保存に失敗しました"));
        QCOMPARE(body.value(QStringLiteral("product_id")).toString(), QStringLiteral("korvex.file_repair"));
        QCOMPARE(body.value(QStringLiteral("technical_info")).toString(), service.feedbackSystemInfo());
        const QRegularExpression uuid(QStringLiteral("^[0-9a-f]{8}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{12}$"));
        QVERIFY(uuid.match(body.value(QStringLiteral("request_id")).toString()).hasMatch());
        // Compact JSON, keys in order.
        QVERIFY(request.body.startsWith("{\"channel\":\"desktop\",\"contact\":\"\",\"locale\":\"ja-JP\","));
        QCOMPARE(service.lastFeedbackRequestId(), body.value(QStringLiteral("request_id")).toString());
        QVERIFY(!service.lastFeedbackPayload().contains("request_id"));
    }

    void outcomes_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("drop");
        QTest::addColumn<QString>("result");
        QTest::newRow("201 with ticket") << 201 << QByteArray("{\"id\":\"" + kTicket.toLatin1() + "\"}") << false << "submitted";
        QTest::newRow("200 with ticket") << 200 << QByteArray("{\"id\":\"" + kTicket.toLatin1() + "\"}") << false << "error";
        QTest::newRow("upper-case hex") << 201 << QByteArray("{\"id\":\"FR-0123456789ABCDEF0123456789abcdef\"}") << false << "error";
        QTest::newRow("id missing") << 201 << QByteArray("{}") << false << "error";
        QTest::newRow("not json") << 201 << QByteArray("FR-0123456789abcdef0123456789abcdef") << false << "error";
        QTest::newRow("429 even with an id") << 429 << QByteArray("{\"id\":\"" + kTicket.toLatin1() + "\"}") << false << "limited";
        QTest::newRow("server error") << 500 << QByteArray("{}") << false << "error";
        QTest::newRow("redirect not followed") << 302 << QByteArray("{}") << false << "error";
        QTest::newRow("connection dropped") << 201 << QByteArray() << true << "error";
        QByteArray big = "{\"id\":\"" + kTicket.toLatin1() + "\",\"pad\":\"";
        big.append(QByteArray(70000, 'p')).append("\"}");
        QTest::newRow("reply over 64 KiB") << 201 << big << false << "error";
    }

    void outcomes()
    {
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(bool, drop);
        QFETCH(QString, result);
        FakeAccountServer server;
        QVERIFY(server.start());
        FakeResponse response{status, body};
        response.dropConnection = drop;
        server.on("POST", kFeedbackPath, response);
        SettingsService service;
        const QStringList outcome = submit(service, server.baseUrl(), QStringLiteral("Preview stays empty"));
        QCOMPARE(outcome.value(0), result);
        QCOMPARE(outcome.value(1), result == QLatin1String("submitted") ? kTicket : QString());
        QVERIFY(!service.feedbackBusy());
    }

    void retriesKeepTheRequestIdAndChangesGetANewOne()
    {
        FakeAccountServer server;
        QVERIFY(server.start());
        server.on("POST", kFeedbackPath, FakeResponse::json(503, {}));
        SettingsService service;
        auto lastId = [&server] { return server.last(kFeedbackPath).json().value(QStringLiteral("request_id")).toString(); };

        QCOMPARE(submit(service, server.baseUrl(), QStringLiteral("crash on open")).value(0), QStringLiteral("error"));
        const QString first = lastId();
        // The same report again (surrounding spaces do not make another report).
        QCOMPARE(submit(service, server.baseUrl(), QStringLiteral(" crash on open ")).value(0), QStringLiteral("error"));
        QCOMPARE(lastId(), first);

        QStringList ids{first};
        submit(service, server.baseUrl(), QStringLiteral("crash on opem"));
        ids << lastId();
        submit(service, server.baseUrl(), QStringLiteral("crash on opem"), true);
        ids << lastId();
        service.setLanguage(QStringLiteral("de-DE"));
        submit(service, server.baseUrl(), QStringLiteral("crash on opem"), true);
        ids << lastId();
        QCOMPARE(QSet<QString>(ids.begin(), ids.end()).size(), 4);
        QCOMPARE(server.count(kFeedbackPath), 5);
    }

    void localhostByNameIsAccepted()
    {
        FakeAccountServer server;
        QVERIFY(server.start());
        server.on("POST", kFeedbackPath, ticketReply(201, kTicket));
        SettingsService service;
        QUrl base = server.baseUrl();
        base.setHost(QStringLiteral("localhost"));
        const QStringList outcome = submit(service, base, QStringLiteral("hello"));
        // localhost may resolve to ::1 first, where nothing listens; either way the base passed
        // validation and a request was attempted.
        QVERIFY2(outcome.value(0) == QLatin1String("submitted") || outcome.value(0) == QLatin1String("error"), qPrintable(outcome.join(',')));
        QVERIFY(!service.lastFeedbackRequestId().isEmpty());
    }

    void copyPutsTheTextOnTheClipboard()
    {
        SettingsService service;
        QVERIFY(!service.copyFeedback(QStringLiteral("   ")));
        QVERIFY(!service.copyFeedback(QString(32001, QLatin1Char('a'))));
        const QString text = QStringLiteral(" 反馈内容\n\nline ");
        QVERIFY(service.copyFeedback(text));
        QCOMPARE(QGuiApplication::clipboard()->text(), text);
        QVERIFY(service.copyFeedback(QString(32000, QLatin1Char('a'))));
    }

    void saveWritesUtf8AtomicallyToLocalFilesOnly()
    {
        QTemporaryDir dir;
        SettingsService service;
        const QString path = dir.filePath(QStringLiteral("feedback.txt"));
        const QString text = QStringLiteral("反馈内容\n\nÜberprüfung");
        QVERIFY(service.saveFeedback(QUrl::fromLocalFile(path), text));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), text.toUtf8()); // no byte-order mark
        file.close();

        QVERIFY(service.saveFeedback(QUrl::fromLocalFile(path), QString(32000, QLatin1Char('b'))));
        QCOMPARE(QFileInfo(path).size(), 32000);
        QVERIFY(!service.saveFeedback(QUrl::fromLocalFile(path), QString(32001, QLatin1Char('c'))));
        QVERIFY(!service.saveFeedback(QUrl::fromLocalFile(path), QStringLiteral(" \n")));
        QVERIFY(!service.saveFeedback(QUrl(QStringLiteral("file://server/share/feedback.txt")), text));
        QVERIFY(!service.saveFeedback(QUrl(QStringLiteral("https://example.com/feedback.txt")), text));
        QCOMPARE(QFileInfo(path).size(), 32000);

        // A folder in the way: the save fails and nothing is left half-written.
        const QString blocked = dir.filePath(QStringLiteral("blocked.txt"));
        QVERIFY(QDir().mkpath(blocked));
        QVERIFY(!service.saveFeedback(QUrl::fromLocalFile(blocked), text));
        QVERIFY(QFileInfo(blocked).isDir());
    }
};

QTEST_MAIN(SettingsServiceFeedbackTest)
#include "settings_service_feedback_test.moc"
