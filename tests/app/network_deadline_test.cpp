// A server that answers one byte at a time keeps no request open for ever: feedback and account
// calls end with a failure once their whole-request deadline has passed.

#include <QSettings>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "services/account_service.h"
#include "services/settings_service.h"
#include "settings_store_fixture.h"

using namespace olm::repair;

namespace {

// Answers every request with a header promising a large body, then one byte a second: each byte
// comes well inside any time-out between bytes.
class TricklingServer : public QObject {
public:
    bool start()
    {
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, socket, [socket] {
                    socket->readAll();
                    if (socket->property("answering").toBool())
                        return;
                    socket->setProperty("answering", true);
                    socket->write("HTTP/1.1 200 OK\r\nContent-Type: application/json\r\nContent-Length: 1000000\r\n\r\n{");
                    auto* drip = new QTimer(socket);
                    connect(drip, &QTimer::timeout, socket, [socket] { socket->write(" "); });
                    drip->start(1000);
                });
            }
        });
        return server_.listen(QHostAddress::LocalHost);
    }
    QUrl base() const { return QUrl(QStringLiteral("http://127.0.0.1:%1/api").arg(server_.serverPort())); }

private:
    QTcpServer server_;
};

} // namespace

class NetworkDeadlineTest : public QObject {
    Q_OBJECT

private:
    SettingsStoreFixture store_;
    QTemporaryDir dataDir_;

private slots:
    void initTestCase()
    {
        QVERIFY(store_.setUp(QStringLiteral("Network Deadline Test")));
        QVERIFY(dataDir_.isValid());
        qputenv("XDG_DATA_HOME", dataDir_.path().toUtf8());
    }

    void tricklingRepliesEndAtTheirDeadline()
    {
        TricklingServer server;
        QVERIFY(server.start());

        // Both run at once; each must end by itself, long before the test gives up on it.
        SettingsService settings;
        QSignalSpy feedback(&settings, &SettingsService::feedbackFinished);
        settings.submitFeedback(server.base(), QStringLiteral("The preview stays grey."), false);
        QVERIFY(settings.feedbackBusy());
        AccountService account(server.base());
        QVERIFY(account.signInWithPassword(QStringLiteral("user@example.com"), QStringLiteral("secret-pass")));
        QVERIFY(account.isBusy());

        constexpr int kGiveUpMs = 120000;
        QVERIFY(QTest::qWaitFor([&] { return !feedback.isEmpty() && !account.isBusy(); }, kGiveUpMs));
        QCOMPARE(feedback.first().at(0).toString(), QStringLiteral("error"));
        QVERIFY(!settings.feedbackBusy());
        QVERIFY(!account.isSignedIn());
        QVERIFY(!account.status().isEmpty());
    }
};

QTEST_GUILESS_MAIN(NetworkDeadlineTest)
#include "network_deadline_test.moc"
