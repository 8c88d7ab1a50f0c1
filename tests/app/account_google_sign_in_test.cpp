// Google sign-in of the account service: the authorization URL check, the browser played by the
// test (the URL handler captures what would open), and the loopback listener fed good, forged,
// split, oversized and idle requests.

#include <QCoreApplication>
#include <QDesktopServices>
#include <QLocale>
#include <QSettings>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <memory>

#include "fake_account_server.h"
#include "services/account_service.h"

using olm::repair::AccountService;

namespace {

const QString kRefused = QStringLiteral("Google 登录状态校验失败，请重新发起");

// Connections the listener accepted and has not freed yet.
qsizetype listenerSockets(AccountService& service) { return service.findChild<QTcpServer*>()->findChildren<QTcpSocket*>().size(); }

bool waitIdle(AccountService& service, int timeoutMs = 10000)
{
    return QTest::qWaitFor([&service] { return !service.isBusy(); }, timeoutMs);
}

// One connection to the loopback listener: sends bytes and gathers the answer until the listener
// closes the connection.
struct BrowserConnection {
    QTcpSocket socket;
    QByteArray answer;

    bool open(quint16 port)
    {
        QObject::connect(&socket, &QTcpSocket::readyRead, [this] { answer += socket.readAll(); });
        socket.connectToHost(QHostAddress(QStringLiteral("127.0.0.1")), port);
        return socket.waitForConnected(5000);
    }
    void send(const QByteArray& bytes)
    {
        socket.write(bytes);
        socket.flush();
    }
    bool waitClosed(int timeoutMs = 5000)
    {
        return QTest::qWaitFor([this] { return socket.state() == QAbstractSocket::UnconnectedState; }, timeoutMs);
    }
};

QByteArray callbackRequest(const QString& query, const QByteArray& method = "GET", const QByteArray& version = "HTTP/1.1",
    const QByteArray& path = "/oauth/google/callback")
{
    return method + ' ' + path + '?' + query.toUtf8() + ' ' + version + "\r\nHost: 127.0.0.1\r\n\r\n";
}

} // namespace

class AccountGoogleSignInTest : public QObject {
    Q_OBJECT

public slots:
    // The system browser, played by the test.
    void openBrowser(const QUrl& url) { openedUrls_.append(url); }

private:
    QTemporaryDir storeDir_;
    QTemporaryDir dataDir_;
    std::unique_ptr<FakeAccountServer> server_;
    QList<QUrl> openedUrls_;

    std::unique_ptr<AccountService> makeService() { return std::make_unique<AccountService>(server_->baseUrl()); }

    // Starts a Google sign-in and waits until the browser was asked to open the authorization URL.
    void startAndOpenBrowser(AccountService& service)
    {
        openedUrls_.clear();
        QVERIFY(service.startGoogleSignIn());
        QVERIFY(service.isBusy());
        QVERIFY(service.isOauthPending());
        QVERIFY(service.loopbackPort() != 0);
        QCOMPARE(service.status(), QStringLiteral("正在连接 Google 线上登录…"));
        QTRY_COMPARE(openedUrls_.size(), 1);
        QCOMPARE(service.status(), QStringLiteral("请在系统浏览器完成 Google 登录；本窗口会自动接收结果"));
    }

    QString goodQuery() const { return QStringLiteral("code=%1&state=%2&scope=email").arg(server_->googleCode, server_->googleState); }

private slots:
    void initTestCase()
    {
        QVERIFY(storeDir_.isValid() && dataDir_.isValid());
        QCoreApplication::setOrganizationName(QStringLiteral("KorvexTests"));
        QCoreApplication::setApplicationName(QStringLiteral("Account Google Test"));
        QCoreApplication::setApplicationVersion(QStringLiteral("1.0.4.0"));
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, storeDir_.path());
        qputenv("XDG_DATA_HOME", dataDir_.path().toUtf8());
        QLocale::setDefault(QLocale(QStringLiteral("en_US")));
    }

    void init()
    {
        QSettings().clear();
        openedUrls_.clear();
        QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "openBrowser");
        server_ = std::make_unique<FakeAccountServer>();
        QVERIFY(server_->start());
    }

    void cleanup()
    {
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        server_.reset();
    }

    void authorizationUrlCheck_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("valid");
        QTest::newRow("as issued") << "" << true;
        QTest::newRow("host in capitals") << "host=ACCOUNTS.GOOGLE.COM" << true;
        QTest::newRow("http") << "scheme=http" << false;
        QTest::newRow("other host") << "host=accounts.google.com.evil.example" << false;
        QTest::newRow("other path") << "path=/o/oauth2/auth" << false;
        QTest::newRow("state without v2.") << "state=v1.abc" << false;
        QTest::newRow("plain challenge method") << "code_challenge_method=plain" << false;
        QTest::newRow("42-character challenge") << "code_challenge=" + QString(42, QLatin1Char('a')) << false;
        QTest::newRow("44-character challenge") << "code_challenge=" + QString(44, QLatin1Char('a')) << false;
        QTest::newRow("challenge with '+'") << "code_challenge=" + QString(42, QLatin1Char('a')) + "+" << false;
        QTest::newRow("token response type") << "response_type=token" << false;
        QTest::newRow("other redirect") << "redirect_uri=http://127.0.0.1:1/oauth/google/callback" << false;
    }

    void authorizationUrlCheck()
    {
        QFETCH(QString, change);
        QFETCH(bool, valid);
        const QString redirect = QStringLiteral("http://127.0.0.1:5555/oauth/google/callback");
        QUrl url = server_->googleAuthUrl(redirect);
        QString state = server_->googleState;
        const QString key = change.section(QLatin1Char('='), 0, 0);
        const QString value = change.section(QLatin1Char('='), 1);
        if (key == QLatin1String("scheme"))
            url.setScheme(value);
        else if (key == QLatin1String("host"))
            url.setHost(value);
        else if (key == QLatin1String("path"))
            url.setPath(value);
        else if (!key.isEmpty()) {
            QUrlQuery query(url);
            query.removeQueryItem(key);
            query.addQueryItem(key, QString::fromLatin1(QUrl::toPercentEncoding(value)));
            url.setQuery(query);
            if (key == QLatin1String("state"))
                state = value;
        }
        QCOMPARE(AccountService::validateGoogleAuthUrl(url, state, redirect), valid);
    }

    void signInThroughTheBrowser()
    {
        auto service = makeService();
        startAndOpenBrowser(*service);
        const quint16 port = service->loopbackPort();
        const QString redirect = QStringLiteral("http://127.0.0.1:%1/oauth/google/callback").arg(port);
        const QJsonObject start = server_->last(QStringLiteral("/v1/auth/oauth/google/start")).json();
        QCOMPARE(start, (QJsonObject{{QStringLiteral("locale"), QStringLiteral("en-US")},
                             {QStringLiteral("redirect_uri"), redirect}, {QStringLiteral("next"), QStringLiteral("/desktop")}}));
        QCOMPARE(openedUrls_.first().host(), QStringLiteral("accounts.google.com"));
        QVERIFY(service->findChild<QTimer*>(QStringLiteral("oauthTimeoutTimer"))->isActive());

        // The browser comes back with the code, split over two writes.
        BrowserConnection browser;
        QVERIFY(browser.open(port));
        const QByteArray request = callbackRequest(goodQuery());
        browser.send(request.left(20));
        QTest::qWait(50);
        QVERIFY(browser.answer.isEmpty());
        browser.send(request.mid(20));
        QVERIFY(browser.waitClosed());
        QCOMPARE(browser.answer, AccountService::loopbackHtmlResponse(true));
        QVERIFY(browser.answer.startsWith("HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=utf-8\r\nCache-Control: no-store\r\n"
                                          "Connection: close\r\nContent-Length: "));
        QVERIFY(browser.answer.contains("<h1>Korvex 授权已返回</h1><p>授权已返回 Korvex，可以关闭此窗口。</p>"));
        QVERIFY(!service->isOauthPending());

        // A second request while the listener lingers is closed without an answer.
        BrowserConnection late;
        QVERIFY(late.open(port));
        late.send(callbackRequest(goodQuery()));
        QVERIFY(late.waitClosed());
        QVERIFY(late.answer.isEmpty());

        QVERIFY(waitIdle(*service));
        QVERIFY(service->isSignedIn());
        QCOMPARE(service->email(), QStringLiteral("google.user@example.com"));
        QCOMPARE(service->displayName(), QStringLiteral("Google User"));
        QCOMPARE(server_->last(QStringLiteral("/v1/auth/oauth/google/callback")).json(),
            (QJsonObject{{QStringLiteral("code"), server_->googleCode}, {QStringLiteral("state"), server_->googleState},
                {QStringLiteral("redirect_uri"), redirect}}));
        QCOMPARE(server_->count(QStringLiteral("/v1/devices/register")), 1);
        // The listener closes a second after the accepted request.
        QTRY_COMPARE(service->loopbackPort(), quint16(0));
        QTcpSocket probe;
        probe.connectToHost(QHostAddress(QStringLiteral("127.0.0.1")), port);
        QVERIFY(!probe.waitForConnected(1000) || probe.waitForDisconnected(1000));
    }

    void strayRequestsAreIgnored_data()
    {
        QTest::addColumn<QByteArray>("request");
        const QString state = QStringLiteral("v2.fake-state-0123456789");
        const QString good = QStringLiteral("code=good-code&state=") + state;
        QTest::newRow("wrong state") << callbackRequest(QStringLiteral("code=good-code&state=v2.other"));
        QTest::newRow("missing state") << callbackRequest(QStringLiteral("code=good-code"));
        QTest::newRow("error without state")
            << callbackRequest(QStringLiteral("error=Your%20Korvex%20licence%20has%20expired.%20Call%20%2B1-555-0100"));
        QTest::newRow("error with markup") << callbackRequest(QStringLiteral("error=%3Cimg%20src%3Dx%3E&state=v2.other"));
        QTest::newRow("other path with the state") << callbackRequest(good, "GET", "HTTP/1.1", "/oauth/google/callback/");
        QTest::newRow("favicon") << QByteArray("GET /favicon.ico HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
        QTest::newRow("two spaces") << QByteArray("GET  /oauth/google/callback?" + good.toUtf8() + " HTTP/1.1\r\n\r\n");
        QTest::newRow("16385 bytes without a blank line") << QByteArray("GET /oauth/google/callback?x=" + QByteArray(16385 - 29, 'x'));
    }

    // Requests any local program or web page can send: a plain 400, the sign-in goes on untouched
    // and the browser's real callback still completes it.
    void strayRequestsAreIgnored()
    {
        QFETCH(QByteArray, request);
        auto service = makeService();
        startAndOpenBrowser(*service);
        const QString waiting = service->status();
        const quint16 port = service->loopbackPort();
        BrowserConnection stray;
        QVERIFY(stray.open(port));
        stray.send(request);
        QVERIFY(stray.waitClosed());
        QVERIFY2(stray.answer.startsWith("HTTP/1.1 400 Bad Request\r\n"), stray.answer.left(80).constData());
        QVERIFY(!stray.answer.contains("<html"));
        QCOMPARE(service->status(), waiting);
        QVERIFY(service->isOauthPending());
        QCOMPARE(service->loopbackPort(), port);

        BrowserConnection browser;
        QVERIFY(browser.open(port));
        browser.send(callbackRequest(goodQuery()));
        QVERIFY(browser.waitClosed());
        QCOMPARE(browser.answer, AccountService::loopbackHtmlResponse(true));
        QVERIFY(waitIdle(*service));
        QVERIFY(service->isSignedIn());
    }

    void badCallbacksWithTheStateEndTheSignIn_data()
    {
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<QString>("status");
        const QString state = QStringLiteral("v2.fake-state-0123456789");
        const QString good = QStringLiteral("code=good-code&state=") + state;
        QTest::newRow("POST") << callbackRequest(good, "POST") << kRefused;
        QTest::newRow("HTTP/2") << callbackRequest(good, "GET", "HTTP/2") << kRefused;
        QTest::newRow("code with a blank") << callbackRequest(QStringLiteral("code=good%20code&state=") + state) << kRefused;
        QTest::newRow("code of 4097 characters")
            << callbackRequest(QStringLiteral("code=%1&state=%2").arg(QString(4097, QLatin1Char('c')), state)) << kRefused;
        // The provider's error text comes from the request and is never shown.
        QTest::newRow("provider error")
            << callbackRequest(QStringLiteral("error=Call%20%2B1-555-0100&state=") + state)
            << QStringLiteral("Google 未完成授权，请重新发起登录");
    }

    void badCallbacksWithTheStateEndTheSignIn()
    {
        QFETCH(QByteArray, request);
        QFETCH(QString, status);
        auto service = makeService();
        startAndOpenBrowser(*service);
        BrowserConnection browser;
        QVERIFY(browser.open(service->loopbackPort()));
        browser.send(request);
        QVERIFY(browser.waitClosed());
        QCOMPARE(browser.answer, AccountService::loopbackHtmlResponse(false));
        QCOMPARE(service->status(), status);
        QVERIFY(!service->isBusy());
        QVERIFY(!service->isOauthPending());
        QCOMPARE(service->loopbackPort(), quint16(0));
        QCOMPARE(server_->count(QStringLiteral("/v1/auth/oauth/google/callback")), 0);
    }

    void exactlyTheLimitStillWaits()
    {
        auto service = makeService();
        startAndOpenBrowser(*service);
        const QString waiting = service->status();
        BrowserConnection browser;
        QVERIFY(browser.open(service->loopbackPort()));
        browser.send("GET /oauth/google/callback?x=" + QByteArray(16384 - 29, 'x'));
        QTest::qWait(200);
        QVERIFY(service->isOauthPending());
        QCOMPARE(browser.socket.state(), QAbstractSocket::ConnectedState);
        browser.send("y");
        QVERIFY(browser.waitClosed());
        QVERIFY(browser.answer.startsWith("HTTP/1.1 400 Bad Request\r\n"));
        QCOMPARE(service->status(), waiting);
        QVERIFY(service->isOauthPending());
    }

    void loopbackConnectionsAreCappedAndFreed()
    {
        auto service = makeService();
        startAndOpenBrowser(*service);
        const int extra = 4;
        std::vector<std::unique_ptr<BrowserConnection>> idle;
        for (int i = 0; i < AccountService::kMaxLoopbackConnections + extra; ++i) {
            idle.push_back(std::make_unique<BrowserConnection>());
            QVERIFY(idle.back()->open(service->loopbackPort()));
        }
        // Past the cap the oldest idle connections are closed at once; the newer ones wait.
        QTRY_COMPARE(std::count_if(idle.begin(), idle.end(),
                         [](const auto& c) { return c->socket.state() == QAbstractSocket::UnconnectedState; }),
            extra);
        for (int i = 0; i < extra; ++i)
            QCOMPARE(idle[i]->socket.state(), QAbstractSocket::UnconnectedState);
        QCOMPARE(listenerSockets(*service), qsizetype(AccountService::kMaxLoopbackConnections));

        // Cancelling closes every waiting connection and frees its socket.
        service->cancelOAuth();
        QCOMPARE(service->status(), QStringLiteral("已取消 Google 登录"));
        QVERIFY(!service->isBusy());
        for (const auto& connection : idle)
            QVERIFY(connection->waitClosed());
        QTRY_COMPARE(listenerSockets(*service), qsizetype(0));

        // An answered connection is freed too.
        startAndOpenBrowser(*service);
        BrowserConnection browser;
        QVERIFY(browser.open(service->loopbackPort()));
        browser.send(callbackRequest(goodQuery()));
        QVERIFY(browser.waitClosed());
        QTRY_COMPARE(listenerSockets(*service), qsizetype(0));
        QVERIFY(waitIdle(*service));
    }

    void idleConnectionsCannotKeepTheBrowserOut()
    {
        auto service = makeService();
        startAndOpenBrowser(*service);
        // Every slot held by a silent connection.
        std::vector<std::unique_ptr<BrowserConnection>> idle;
        for (int i = 0; i < AccountService::kMaxLoopbackConnections; ++i) {
            idle.push_back(std::make_unique<BrowserConnection>());
            QVERIFY(idle.back()->open(service->loopbackPort()));
        }
        QTRY_COMPARE(listenerSockets(*service), qsizetype(AccountService::kMaxLoopbackConnections));

        // The browser's callback still gets through; the oldest silent connection made room.
        BrowserConnection browser;
        QVERIFY(browser.open(service->loopbackPort()));
        browser.send(callbackRequest(goodQuery()));
        QVERIFY(browser.waitClosed());
        QCOMPARE(browser.answer, AccountService::loopbackHtmlResponse(true));
        QTRY_COMPARE(idle.front()->socket.state(), QAbstractSocket::UnconnectedState);
        QVERIFY(waitIdle(*service));
        QVERIFY(service->isSignedIn());
    }

    void badStartRepliesNeverOpenTheBrowser()
    {
        auto service = makeService();
        server_->googleState = QStringLiteral("v1.old-service");
        QVERIFY(service->startGoogleSignIn());
        QVERIFY(waitIdle(*service));
        QCOMPARE(service->status(),
            QStringLiteral("线上 Google 登录服务尚未升级到安全版本（PKCE），已停止授权；请部署最新认证服务后重试"));
        QVERIFY(openedUrls_.isEmpty());
        QCOMPARE(service->loopbackPort(), quint16(0));

        server_->on("POST", QStringLiteral("/v1/auth/oauth/google/start"), FakeResponse::json(404, {}));
        QVERIFY(service->startGoogleSignIn());
        QVERIFY(waitIdle(*service));
        QCOMPARE(service->status(), QStringLiteral("线上账号服务暂未部署此功能"));
        QVERIFY(!service->isOauthPending());
    }

    void browserThatDoesNotOpen()
    {
        // A handler the toolkit cannot call: opening fails as without a browser.
        QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "noSuchMethod");
        QTest::ignoreMessage(QtWarningMsg, "QMetaObject::invokeMethod: No such method AccountGoogleSignInTest::noSuchMethod(QUrl)");
        auto service = makeService();
        QVERIFY(service->startGoogleSignIn());
        QVERIFY(waitIdle(*service));
        QCOMPARE(service->status(), QStringLiteral("无法打开系统浏览器完成 Google 登录"));
        QVERIFY(!service->isOauthPending());
        QVERIFY(!service->findChild<QTimer*>(QStringLiteral("oauthTimeoutTimer"))->isActive());
    }

    void cancelledWhileStartingOpensNothing()
    {
        server_->on("POST", QStringLiteral("/v1/auth/oauth/google/start"), [this](const FakeRequest& r) {
            const QString redirectUri = r.json().value(QStringLiteral("redirect_uri")).toString();
            FakeResponse response = FakeResponse::json(200, {{QStringLiteral("auth_url"), server_->googleAuthUrl(redirectUri).toString()},
                                                                {QStringLiteral("state"), server_->googleState}});
            response.delayMs = 300;
            return response;
        });
        auto service = makeService();
        QVERIFY(service->startGoogleSignIn());
        QTRY_COMPARE(server_->count(QStringLiteral("/v1/auth/oauth/google/start")), 1);
        // Signing out during the sign-in cancels it first, then signs out.
        QStringList texts;
        connect(service.get(), &AccountService::statusChanged, this, [&] { texts << service->status(); });
        service->signOut();
        QCOMPARE(texts, (QStringList{QStringLiteral("已取消 Google 登录"), QStringLiteral("已退出登录；本地修复和预览功能不受影响")}));
        QVERIFY(!service->isBusy());
        QTest::qWait(600);
        QVERIFY(openedUrls_.isEmpty());
        QVERIFY(!service->isOauthPending());
        QCOMPARE(service->status(), QStringLiteral("已退出登录；本地修复和预览功能不受影响"));
    }

    void exchangeFailure()
    {
        auto service = makeService();
        server_->googleCode = QStringLiteral("another-code");
        startAndOpenBrowser(*service);
        BrowserConnection browser;
        QVERIFY(browser.open(service->loopbackPort()));
        browser.send(callbackRequest(QStringLiteral("code=expired-code&state=") + server_->googleState));
        QVERIFY(browser.waitClosed());
        QCOMPARE(browser.answer, AccountService::loopbackHtmlResponse(true));
        QVERIFY(waitIdle(*service));
        QVERIFY(service->status().startsWith(QStringLiteral("Google 已完成授权，但线上服务未能建立会话。")));
        QVERIFY(!service->isSignedIn());

        // Any other failure reads as a failed sign-in.
        server_->on("POST", QStringLiteral("/v1/auth/oauth/google/callback"), FakeResponse::json(429, {}));
        startAndOpenBrowser(*service);
        BrowserConnection again;
        QVERIFY(again.open(service->loopbackPort()));
        again.send(callbackRequest(goodQuery()));
        QVERIFY(again.waitClosed());
        QVERIFY(waitIdle(*service));
        QCOMPARE(service->status(), QStringLiteral("请求过于频繁，请稍后再试"));
    }

    void timeoutAndWatchdog()
    {
        auto service = makeService();
        startAndOpenBrowser(*service);
        // The listener is lost: the watchdog opens it again on the port the redirect URI names.
        const quint16 port = service->loopbackPort();
        QTcpServer* listener = service->findChild<QTcpServer*>();
        QVERIFY(listener);
        listener->close();
        QTRY_VERIFY_WITH_TIMEOUT(listener->isListening(), 30000);
        QCOMPARE(listener->serverPort(), port);
        QVERIFY(service->isOauthPending());

        // The port is taken by someone else meanwhile: the sign-in ends.
        listener->close();
        QTcpServer squatter;
        QVERIFY(squatter.listen(QHostAddress(QStringLiteral("127.0.0.1")), port));
        QTRY_VERIFY_WITH_TIMEOUT(!service->isOauthPending(), 30000);
        QCOMPARE(service->status(), QStringLiteral("本机 Google 登录回调已中断且无法恢复，请重新发起登录"));
        QVERIFY(!service->isBusy());
        squatter.close();

        // No browser answer in time.
        startAndOpenBrowser(*service);
        service->findChild<QTimer*>(QStringLiteral("oauthTimeoutTimer"))->start(20);
        QTRY_VERIFY(!service->isOauthPending());
        QCOMPARE(service->status(), QStringLiteral("Google 登录等待超时，请重新发起登录"));
        QCOMPARE(service->loopbackPort(), quint16(0));
        QVERIFY(!service->isBusy());
    }
};

QTEST_MAIN(AccountGoogleSignInTest)
#include "account_google_sign_in_test.moc"
