// The account service against a fake account service on 127.0.0.1: every REST operation with its
// request, its reply handling and its status text; session refresh on time, while busy and on
// failure; sign-out, deletion and the stored session across a restart.

#include <QCoreApplication>
#include <QLocale>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <limits>
#include <memory>

#include "fake_account_server.h"
#include "services/account_service.h"

using olm::repair::AccountService;

Q_DECLARE_METATYPE(FakeResponse)

namespace {

const QString kEmailKey = QStringLiteral("account/email");
const QString kDisplayNameKey = QStringLiteral("account/displayName");
const QString kTokenKey = QStringLiteral("account/protectedRefreshToken");

QTimer* timer(AccountService& service, const char* name) { return service.findChild<QTimer*>(QLatin1String(name)); }

// Runs the event loop until the service is idle again.
bool waitIdle(AccountService& service, int timeoutMs = 10000)
{
    return QTest::qWaitFor([&service] { return !service.isBusy(); }, timeoutMs);
}

} // namespace

class AccountServiceTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir storeDir_;
    QTemporaryDir dataDir_;
    std::unique_ptr<FakeAccountServer> server_;

    std::unique_ptr<AccountService> makeService() { return std::make_unique<AccountService>(server_->baseUrl()); }

    // Signs in with e-mail and password and waits for the device registration to finish.
    void signInWithPassword(AccountService& service)
    {
        QVERIFY(service.signInWithPassword(QStringLiteral("user@example.com"), QStringLiteral("secret-pass")));
        QVERIFY(waitIdle(service));
        QVERIFY(service.isSignedIn());
    }

private slots:
    void initTestCase()
    {
        QVERIFY(storeDir_.isValid() && dataDir_.isValid());
        QCoreApplication::setOrganizationName(QStringLiteral("KorvexTests"));
        QCoreApplication::setApplicationName(QStringLiteral("Account Service Test"));
        QCoreApplication::setApplicationVersion(QStringLiteral("1.0.4.0"));
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, storeDir_.path());
        // The protection key store of this run.
        qputenv("XDG_DATA_HOME", dataDir_.path().toUtf8());
        QLocale::setDefault(QLocale(QStringLiteral("en_US")));
    }

    void init()
    {
        QSettings().clear();
        QLocale::setDefault(QLocale(QStringLiteral("en_US")));
        server_ = std::make_unique<FakeAccountServer>();
        QVERIFY(server_->start());
    }

    void cleanup() { server_.reset(); }

    void baseUrlIsTrimmedAndCompiledDefaultIsHttps()
    {
        AccountService trimmed(QUrl(QStringLiteral("http://127.0.0.1:9/api//")));
        QCOMPARE(trimmed.apiBaseUrl(), QUrl(QStringLiteral("http://127.0.0.1:9/api")));
        QVERIFY(trimmed.backendConfigured());
        QVERIFY(!trimmed.isSignedIn());
        QVERIFY(!trimmed.status().isEmpty());

        AccountService compiled;
        QCOMPARE(compiled.apiBaseUrl().scheme(), QStringLiteral("https"));
        QVERIFY(compiled.backendConfigured());
        QCOMPARE(compiled.apiBaseUrl().toString(), AccountService::compiledApiBase());
    }

    void unconfiguredBackendRefusesEveryOperation()
    {
        AccountService service(QUrl(QStringLiteral("ftp://127.0.0.1/api")));
        QVERIFY(!service.backendConfigured());
        const QString email = QStringLiteral("user@example.com");
        struct Case { std::function<bool()> call; QString status; };
        const QList<Case> cases = {
            {[&] { return service.requestVerificationCode(email); }, QStringLiteral("线上账号服务地址未配置，未发送验证码")},
            {[&] { return service.signIn(email, QStringLiteral("123456")); }, QStringLiteral("线上账号服务地址未配置，未执行登录")},
            {[&] { return service.signInWithPassword(email, QStringLiteral("x")); }, QStringLiteral("线上账号服务地址未配置，未执行登录")},
            {[&] { return service.registerWithPassword(email, QStringLiteral("12345678"), {}); }, QStringLiteral("线上账号服务地址未配置，未执行注册")},
            {[&] { return service.resetPassword(email, QStringLiteral("1"), QStringLiteral("12345678")); }, QStringLiteral("线上账号服务地址未配置，未重置密码")},
            {[&] { return service.startGoogleSignIn(); }, QStringLiteral("线上账号服务地址未配置，未发起 Google 登录")},
            {[&] { return service.deleteAccount(); }, QStringLiteral("请先登录后再删除账号")},
        };
        for (const Case& c : cases) {
            QVERIFY(!c.call());
            QCOMPARE(service.status(), c.status);
        }
        QVERIFY(!service.refreshSession());
        QVERIFY(!service.isBusy());
    }

    void identifierRules()
    {
        QCOMPARE(AccountService::normalizedIdentifier(QStringLiteral("  User@Example.COM ")), QStringLiteral("user@example.com"));
        QCOMPARE(AccountService::normalizedIdentifier(QStringLiteral(" +86 (138) 0013-8000 ")), QStringLiteral("+8613800138000"));
        AccountService service(server_->baseUrl());
        const QString phone = QStringLiteral("+86 (138) 0013-8000");
        QVERIFY(!service.phoneCodeLoginAvailable());
        QVERIFY(!service.isValidIdentifier(phone));
        QVERIFY(service.isValidIdentifier(QStringLiteral(" A.B+c@sub.example.org ")));
        QVERIFY(!service.isValidIdentifier(QStringLiteral("a@b.c")));
        QLocale::setDefault(QLocale(QStringLiteral("zh_CN")));
        QVERIFY(service.phoneCodeLoginAvailable());
        QVERIFY(service.isValidIdentifier(phone));
        QVERIFY(service.isValidIdentifier(QStringLiteral("123456")));
        QVERIFY(!service.isValidIdentifier(QStringLiteral("12345")));
        QVERIFY(!service.isValidIdentifier(QString(21, QLatin1Char('1'))));
        QVERIFY(service.isValidIdentifier(QString(20, QLatin1Char('1'))));
    }

    void codeSignInRegistersTheDeviceAndRemembersTheAccount()
    {
        server_->on("POST", QStringLiteral("/v1/auth/code/send"), FakeResponse::json(200, {{QStringLiteral("expires_in"), 2}}));
        auto service = makeService();
        QSignalSpy countdown(service.get(), &AccountService::verificationCodeChanged);
        QVERIFY(service->requestVerificationCode(QStringLiteral("  User@Example.COM ")));
        QVERIFY(service->isBusy());
        QCOMPARE(service->status(), QStringLiteral("正在通过线上服务发送验证码…"));
        QVERIFY(!service->requestVerificationCode(QStringLiteral("user@example.com"))); // busy
        QVERIFY(waitIdle(*service));
        QCOMPARE(service->status(), QStringLiteral("验证码已发送，请检查邮箱"));
        const QJsonObject send = server_->last(QStringLiteral("/v1/auth/code/send")).json();
        QCOMPARE(send.value(QStringLiteral("identifier")).toString(), QStringLiteral("user@example.com"));
        QCOMPARE(send.value(QStringLiteral("purpose")).toString(), QStringLiteral("login"));
        QCOMPARE(send.value(QStringLiteral("locale")).toString(), QStringLiteral("en-US"));
        QCOMPARE(service->verificationExpiresIn(), 2);
        QVERIFY(timer(*service, "verificationTimer")->isActive());
        // From 2 to 0 in two ticks, one signal each, then the countdown stops.
        QTRY_COMPARE_WITH_TIMEOUT(service->verificationExpiresIn(), 0, 5000);
        QCOMPARE(countdown.count(), 3);
        QVERIFY(!timer(*service, "verificationTimer")->isActive());

        server_->deviceExpiresIn = 3600;
        QSignalSpy account(service.get(), &AccountService::accountChanged);
        QSignalSpy session(service.get(), &AccountService::sessionChanged);
        QVERIFY(service->signIn(QStringLiteral("User@Example.com"), QStringLiteral(" 123456 ")));
        QVERIFY(waitIdle(*service));
        QVERIFY(service->isSignedIn());
        QCOMPARE(account.count(), 1);
        QCOMPARE(session.count(), 1);
        QCOMPARE(service->status(), QStringLiteral("已登录线上账号"));
        QVERIFY(!service->statusIsError());
        const QJsonObject login = server_->last(QStringLiteral("/v1/auth/code/login")).json();
        QCOMPARE(login, (QJsonObject{{QStringLiteral("identifier"), QStringLiteral("user@example.com")},
                             {QStringLiteral("code"), QStringLiteral("123456")}, {QStringLiteral("purpose"), QStringLiteral("login")},
                             {QStringLiteral("locale"), QStringLiteral("en-US")}, {QStringLiteral("remember"), true}}));
        QVERIFY(server_->last(QStringLiteral("/v1/auth/code/login")).header("Authorization").isEmpty());

        // The device registration carries the bearer token of the sign-in reply.
        const FakeRequest device = server_->last(QStringLiteral("/v1/devices/register"));
        QCOMPARE(device.header("Authorization"), QByteArray("Bearer access-1"));
        QCOMPARE(device.header("Content-Type"), QByteArray("application/json"));
        QCOMPARE(device.header("Accept"), QByteArray("application/json"));
        const QJsonObject deviceBody = device.json();
        QCOMPARE(deviceBody.value(QStringLiteral("device_fingerprint")).toString(), olm::repair::deviceFingerprint());
        QCOMPARE(deviceBody.value(QStringLiteral("app_version")).toString(), QStringLiteral("1.0.4.0"));
        QCOMPARE(deviceBody.value(QStringLiteral("platform")).toString(), QSysInfo::productType());
        QCOMPARE(deviceBody.value(QStringLiteral("device_name")).toString(), QSysInfo::machineHostName());

        QCOMPARE(service->email(), QStringLiteral("user@example.com"));
        QCOMPARE(service->displayName(), QStringLiteral("Code User"));
        QSettings settings;
        QCOMPARE(settings.value(kEmailKey).toString(), QStringLiteral("user@example.com"));
        QCOMPARE(settings.value(kDisplayNameKey).toString(), QStringLiteral("Code User"));
        QVERIFY(!settings.value(kTokenKey).toByteArray().isEmpty());
        QCOMPARE(timer(*service, "refreshTimer")->interval(), 3540 * 1000);
    }

    void inputChecksRefuseWithoutARequest_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QString>("email");
        QTest::addColumn<QString>("secret");
        QTest::addColumn<QString>("status");
        QTest::newRow("code request, no address") << "code" << "not-an-address" << "" << "请输入有效的邮箱地址";
        QTest::newRow("code sign-in, blank code") << "signIn" << "user@example.com" << "   " << "请输入有效的邮箱和验证码";
        QTest::newRow("password sign-in, empty password") << "password" << "user@example.com" << "" << "请输入有效邮箱和密码";
        QTest::newRow("password sign-in, bad address") << "password" << "user@" << "secret" << "请输入有效邮箱和密码";
        QTest::newRow("register, 7 characters") << "register" << "user@example.com" << "1234567" << "注册需要有效邮箱和至少 8 位密码";
        QTest::newRow("reset, 7 characters") << "reset" << "user@example.com" << "1234567" << "请输入有效邮箱、验证码和至少 8 位新密码";
        QTest::newRow("reset code, phone number") << "resetCode" << "+8613800138000" << "" << "密码重置仅支持有效邮箱地址";
    }

    void inputChecksRefuseWithoutARequest()
    {
        QFETCH(QString, operation);
        QFETCH(QString, email);
        QFETCH(QString, secret);
        QFETCH(QString, status);
        auto service = makeService();
        bool sent = true;
        if (operation == QLatin1String("code"))
            sent = service->requestVerificationCode(email);
        else if (operation == QLatin1String("signIn"))
            sent = service->signIn(email, secret);
        else if (operation == QLatin1String("password"))
            sent = service->signInWithPassword(email, secret);
        else if (operation == QLatin1String("register"))
            sent = service->registerWithPassword(email, secret, {});
        else if (operation == QLatin1String("reset"))
            sent = service->resetPassword(email, QStringLiteral("123456"), secret);
        else
            sent = service->requestPasswordResetCode(email);
        QVERIFY(!sent);
        QCOMPARE(service->status(), status);
        QVERIFY(!service->isBusy());
        QTest::qWait(50);
        QCOMPARE(server_->requests().size(), 0);
    }

    void passwordSignInAndRegistrationSendTheTypedValues()
    {
        auto service = makeService();
        QVERIFY(service->signInWithPassword(QStringLiteral("  Mixed@Example.COM "), QStringLiteral(" pass word ")));
        QCOMPARE(service->status(), QStringLiteral("正在通过线上服务验证密码…"));
        QVERIFY(waitIdle(*service));
        QVERIFY(service->isSignedIn());
        const QJsonObject login = server_->last(QStringLiteral("/v1/auth/login")).json();
        QCOMPARE(login.value(QStringLiteral("email")).toString(), QStringLiteral("mixed@example.com"));
        QCOMPARE(login.value(QStringLiteral("password")).toString(), QStringLiteral(" pass word "));
        QCOMPARE(login.value(QStringLiteral("remember")).toBool(), true);
        service->signOut();

        // Registration signs in; an empty display name falls back to the e-mail.
        QVERIFY(service->registerWithPassword(QStringLiteral("New@Example.com "), QStringLiteral("12345678"), QStringLiteral("   ")));
        QCOMPARE(service->status(), QStringLiteral("正在创建线上账号…"));
        QVERIFY(waitIdle(*service));
        QVERIFY(service->isSignedIn());
        const QJsonObject reg = server_->last(QStringLiteral("/v1/auth/register")).json();
        QCOMPARE(reg, (QJsonObject{{QStringLiteral("email"), QStringLiteral("new@example.com")},
                           {QStringLiteral("password"), QStringLiteral("12345678")}, {QStringLiteral("display_name"), QString()}}));
        QCOMPARE(service->displayName(), QStringLiteral("new@example.com"));
    }

    void passwordResetEndsTheSession()
    {
        auto service = makeService();
        signInWithPassword(*service);
        // A reset code needs an e-mail, and that check comes before the busy check.
        QVERIFY(service->requestPasswordResetCode(QStringLiteral("user@example.com")));
        QCOMPARE(service->status(), QStringLiteral("正在发送密码重置验证码…"));
        QVERIFY(!service->requestPasswordResetCode(QStringLiteral("+8613800138000")));
        QCOMPARE(service->status(), QStringLiteral("密码重置仅支持有效邮箱地址"));
        QVERIFY(waitIdle(*service));
        QCOMPARE(server_->last(QStringLiteral("/v1/auth/code/send")).json().value(QStringLiteral("purpose")).toString(),
            QStringLiteral("password_reset"));

        QSignalSpy session(service.get(), &AccountService::sessionChanged);
        QVERIFY(service->resetPassword(QStringLiteral(" User@Example.com"), QStringLiteral(" 654321 "), QStringLiteral("new password")));
        QCOMPARE(service->status(), QStringLiteral("正在重置密码并撤销旧设备会话…"));
        QVERIFY(waitIdle(*service));
        QCOMPARE(server_->last(QStringLiteral("/v1/auth/password/reset")).json(),
            (QJsonObject{{QStringLiteral("email"), QStringLiteral("user@example.com")}, {QStringLiteral("code"), QStringLiteral("654321")},
                {QStringLiteral("new_password"), QStringLiteral("new password")}}));
        QVERIFY(!service->isSignedIn());
        QCOMPARE(session.count(), 1);
        QCOMPARE(service->status(), QStringLiteral("密码已重置，所有旧设备会话已撤销，请使用新密码登录"));
        QVERIFY(!QSettings().contains(kTokenKey));
    }

    void failureRepliesShowTheirText_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("text");
        QTest::newRow("401") << 401 << QByteArray("{}") << "登录信息无效或已过期";
        QTest::newRow("404") << 404 << QByteArray("not json") << "线上账号服务暂未部署此功能";
        QTest::newRow("429") << 429 << QByteArray("{}") << "请求过于频繁，请稍后再试";
        QTest::newRow("503") << 503 << QByteArray("{}") << "线上账号服务暂时不可用";
        QTest::newRow("server message as given") << 400 << QByteArray(R"({"message":"<b>账号已锁定</b>"})") << "<b>账号已锁定</b>";
        QTest::newRow("2xx without tokens") << 200 << QByteArray(R"({"tokens":{"access_token":"a"}})") << "登录响应缺少有效令牌";
    }

    void failureRepliesShowTheirText()
    {
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(QString, text);
        server_->on("POST", QStringLiteral("/v1/auth/login"), FakeResponse{status, body});
        auto service = makeService();
        QSignalSpy busy(service.get(), &AccountService::busyChanged);
        QVERIFY(service->signInWithPassword(QStringLiteral("user@example.com"), QStringLiteral("pw")));
        QVERIFY(waitIdle(*service));
        QCOMPARE(service->status(), text);
        QVERIFY(service->statusIsError());
        QVERIFY(!service->isSignedIn());
        QCOMPARE(busy.count(), 2);
        QCOMPARE(server_->count(QStringLiteral("/v1/devices/register")), 0);
    }

    void networkFailureAndOversizedReplyAreFailures()
    {
        server_->on("POST", QStringLiteral("/v1/auth/login"), FakeResponse{200, {}, 0, true});
        auto service = makeService();
        QVERIFY(service->signInWithPassword(QStringLiteral("user@example.com"), QStringLiteral("pw")));
        QVERIFY(waitIdle(*service));
        // Status 0 shows the network layer's own text.
        QVERIFY(!service->status().isEmpty());
        QVERIFY(service->status() != QStringLiteral("正在通过线上服务验证密码…"));
        QVERIFY(!service->isSignedIn());

        // A body past 1 MiB is abandoned even though it would hold valid tokens.
        QJsonObject huge = server_->loginReply(QStringLiteral("user@example.com"));
        huge.insert(QStringLiteral("padding"), QString(AccountService::kMaxReplyBytes, QLatin1Char('x')));
        server_->on("POST", QStringLiteral("/v1/auth/login"), FakeResponse::json(200, huge));
        QVERIFY(service->signInWithPassword(QStringLiteral("user@example.com"), QStringLiteral("pw")));
        QVERIFY(waitIdle(*service));
        QCOMPARE(service->status(), QStringLiteral("网络请求失败"));
        QVERIFY(service->statusIsError());
        QVERIFY(!service->isSignedIn());
        QCOMPARE(server_->count(QStringLiteral("/v1/devices/register")), 0);

        // Just below the cap is read.
        QJsonObject fits = server_->loginReply(QStringLiteral("user@example.com"));
        fits.insert(QStringLiteral("padding"), QString(AccountService::kMaxReplyBytes - 4096, QLatin1Char('x')));
        server_->on("POST", QStringLiteral("/v1/auth/login"), FakeResponse::json(200, fits));
        QVERIFY(service->signInWithPassword(QStringLiteral("user@example.com"), QStringLiteral("pw")));
        QVERIFY(waitIdle(*service));
        QVERIFY(service->isSignedIn());
    }

    void deviceRegistrationFailures()
    {
        auto service = makeService();
        server_->on("POST", QStringLiteral("/v1/devices/register"), FakeResponse::json(200, {{QStringLiteral("ok"), true}}));
        QVERIFY(service->signInWithPassword(QStringLiteral("user@example.com"), QStringLiteral("pw")));
        QVERIFY(waitIdle(*service));
        QVERIFY(!service->isSignedIn());
        QCOMPARE(service->status(), QStringLiteral("设备注册响应无效，请重新登录"));
        QSettings settings;
        QVERIFY(!settings.contains(kEmailKey));
        QVERIFY(!settings.contains(kTokenKey));

        server_->on("POST", QStringLiteral("/v1/devices/register"), FakeResponse::json(503, {}));
        QVERIFY(service->signInWithPassword(QStringLiteral("user@example.com"), QStringLiteral("pw")));
        QVERIFY(waitIdle(*service));
        QVERIFY(!service->isSignedIn());
        QCOMPARE(service->status(), QStringLiteral("设备注册失败：线上账号服务暂时不可用"));
        QVERIFY(service->statusIsError());
    }

    // A token goes into the next request's headers: one with a line break or another control
    // character is no valid token, and no request carries it.
    void tokensWithControlCharactersAreRefused_data()
    {
        QTest::addColumn<QString>("access");
        QTest::addColumn<QString>("refresh");
        QTest::newRow("CR LF in the access token") << "access-1\r\nX-Injected: 1" << "refresh-1";
        QTest::newRow("LF in the refresh token") << "access-1" << "refresh-1\nX-Injected: 1";
        QTest::newRow("NUL") << QStringLiteral("access-1") + QChar(0) << "refresh-1";
        QTest::newRow("DEL") << QStringLiteral("access-1") + QChar(0x7F) << "refresh-1";
    }

    void tokensWithControlCharactersAreRefused()
    {
        QFETCH(QString, access);
        QFETCH(QString, refresh);
        const QJsonObject reply{{QStringLiteral("access_token"), access}, {QStringLiteral("refresh_token"), refresh},
                                {QStringLiteral("expires_in"), 900},
                                {QStringLiteral("user"), QJsonObject{{QStringLiteral("email"), QStringLiteral("user@example.com")}}}};
        server_->on("POST", QStringLiteral("/v1/auth/login"), FakeResponse::json(200, reply));
        auto service = makeService();
        QVERIFY(service->signInWithPassword(QStringLiteral("user@example.com"), QStringLiteral("secret-pass")));
        QVERIFY(waitIdle(*service));
        QVERIFY(!service->isSignedIn());
        QCOMPARE(service->status(), QStringLiteral("登录响应缺少有效令牌"));
        for (const FakeRequest& request : server_->requests())
            QVERIFY2(!request.headers.contains("x-injected") && request.path != QLatin1String("/v1/devices/register"),
                     qPrintable(request.path));
        QVERIFY(!QSettings().contains(kTokenKey));
    }

    void refreshDelayFollowsExpiry_data()
    {
        QTest::addColumn<QJsonValue>("expiresIn");
        QTest::addColumn<int>("delayMs");
        QTest::newRow("0") << QJsonValue(0) << 30000;
        QTest::newRow("60") << QJsonValue(60) << 30000;
        QTest::newRow("90") << QJsonValue(90) << 30000;
        QTest::newRow("missing") << QJsonValue(QJsonValue::Undefined) << 840000;
        QTest::newRow("text") << QJsonValue(QStringLiteral("3600")) << 840000;
        QTest::newRow("3600") << QJsonValue(3600) << 3540000;
        QTest::newRow("past 32-bit milliseconds") << QJsonValue(10000000000.0) << std::numeric_limits<int>::max();
        QTest::newRow("just past 32-bit milliseconds") << QJsonValue(2147544) << std::numeric_limits<int>::max();
    }

    void refreshDelayFollowsExpiry()
    {
        QFETCH(QJsonValue, expiresIn);
        QFETCH(int, delayMs);
        QJsonObject tokens{{QStringLiteral("access_token"), QStringLiteral("access-x")},
            {QStringLiteral("refresh_token"), QStringLiteral("refresh-x")}};
        if (!expiresIn.isUndefined())
            tokens.insert(QStringLiteral("expires_in"), expiresIn);
        // Top-level tokens are used when "tokens" is an empty object.
        tokens.insert(QStringLiteral("tokens"), QJsonObject());
        server_->on("POST", QStringLiteral("/v1/devices/register"), FakeResponse::json(200, tokens));
        auto service = makeService();
        signInWithPassword(*service);
        QTimer* refresh = timer(*service, "refreshTimer");
        QVERIFY(refresh->isActive());
        QCOMPARE(refresh->interval(), delayMs);
    }

    void storedSessionSurvivesARestart()
    {
        {
            auto service = makeService();
            signInWithPassword(*service);
        }
        QSettings settings;
        QVERIFY(!settings.value(kTokenKey).toByteArray().isEmpty());
        // The stored value is the protected blob, never the token itself.
        QVERIFY(!QByteArray::fromBase64(settings.value(kTokenKey).toByteArray()).contains("refresh-2"));

        auto restarted = makeService();
        QCOMPARE(restarted->email(), QStringLiteral("user@example.com"));
        QCOMPARE(restarted->displayName(), QStringLiteral("Password User"));
        QVERIFY(!restarted->isSignedIn());
        QVERIFY(!restarted->isBusy());
        QTRY_VERIFY(restarted->isBusy());
        QCOMPARE(restarted->status(), QStringLiteral("正在恢复安全会话…"));
        QSignalSpy account(restarted.get(), &AccountService::accountChanged);
        QVERIFY(waitIdle(*restarted));
        QVERIFY(restarted->isSignedIn());
        QCOMPARE(account.count(), 1);
        QCOMPARE(restarted->status(), QStringLiteral("安全会话已恢复"));
        QCOMPARE(server_->last(QStringLiteral("/v1/auth/refresh")).json().value(QStringLiteral("refresh_token")).toString(),
            QStringLiteral("refresh-2"));
        // The refreshed token replaces the stored one.
        QCOMPARE(olm::repair::RefreshTokenStore().loadProtectedRefreshToken(), QStringLiteral("refresh-3"));
    }

    void refreshRunsOnTime()
    {
        auto service = makeService();
        signInWithPassword(*service);
        QSignalSpy session(service.get(), &AccountService::sessionChanged);
        QSignalSpy account(service.get(), &AccountService::accountChanged);
        timer(*service, "refreshTimer")->start(10);
        QTRY_COMPARE(server_->count(QStringLiteral("/v1/auth/refresh")), 1);
        QVERIFY(waitIdle(*service));
        QVERIFY(service->isSignedIn());
        QCOMPARE(session.count(), 1);
        QCOMPARE(account.count(), 0); // was signed in already
        QCOMPARE(timer(*service, "refreshTimer")->interval(), 840000);
    }

    void refreshWhileBusyIsRescheduled()
    {
        server_->on("POST", QStringLiteral("/v1/auth/code/send"), FakeResponse{200, "{}", 400});
        auto service = makeService();
        signInWithPassword(*service);
        QVERIFY(service->requestVerificationCode(QStringLiteral("user@example.com")));
        QTimer* refresh = timer(*service, "refreshTimer");
        refresh->start(0);
        QTRY_COMPARE(refresh->interval(), AccountService::kBusyRefreshRetryMs);
        QVERIFY(refresh->isActive());
        QVERIFY(!service->refreshSession()); // refused while busy, without a status
        QVERIFY(waitIdle(*service));
        QCOMPARE(server_->count(QStringLiteral("/v1/auth/refresh")), 0);
        refresh->start(0);
        QTRY_COMPARE(server_->count(QStringLiteral("/v1/auth/refresh")), 1);
        QVERIFY(waitIdle(*service));
        QVERIFY(service->isSignedIn());
    }

    void refreshFailureKeepsTheStoredTokenUnlessRejected_data()
    {
        QTest::addColumn<FakeResponse>("response");
        QTest::addColumn<bool>("kept");
        QTest::addColumn<QString>("text");
        QTest::newRow("network failure") << FakeResponse{200, {}, 0, true} << true << QString();
        QTest::newRow("503") << FakeResponse::json(503, {}) << true << "线上账号服务暂时不可用";
        QTest::newRow("500 with message") << FakeResponse::json(500, {{QStringLiteral("message"), QStringLiteral("down")}}) << true << "down";
        QTest::newRow("400") << FakeResponse::json(400, {}) << false << "线上账号服务暂时不可用";
        QTest::newRow("401") << FakeResponse::json(401, {}) << false << "登录信息无效或已过期";
        QTest::newRow("403") << FakeResponse::json(403, {}) << false << "线上账号服务暂时不可用";
        QTest::newRow("200 without tokens") << FakeResponse::json(200, {}) << false << "会话刷新响应无效，请重新登录";
    }

    void refreshFailureKeepsTheStoredTokenUnlessRejected()
    {
        QFETCH(FakeResponse, response);
        QFETCH(bool, kept);
        QFETCH(QString, text);
        auto service = makeService();
        signInWithPassword(*service);
        const QString stored = olm::repair::RefreshTokenStore().loadProtectedRefreshToken();
        QVERIFY(!stored.isEmpty());
        server_->on("POST", QStringLiteral("/v1/auth/refresh"), response);
        QSignalSpy session(service.get(), &AccountService::sessionChanged);
        QVERIFY(service->refreshSession());
        QVERIFY(waitIdle(*service));
        QVERIFY(!service->isSignedIn());
        QCOMPARE(session.count(), 1);
        QVERIFY(!timer(*service, "refreshTimer")->isActive());
        if (!text.isEmpty())
            QCOMPARE(service->status(), text);
        QCOMPARE(olm::repair::RefreshTokenStore().loadProtectedRefreshToken(), kept ? stored : QString());
        // The e-mail stays shown; only sign-out forgets it.
        QCOMPARE(service->email(), QStringLiteral("user@example.com"));
    }

    void replyAfterSignOutChangesNothing()
    {
        auto service = makeService();
        signInWithPassword(*service);
        server_->on("POST", QStringLiteral("/v1/auth/refresh"), [this](const FakeRequest&) {
            FakeResponse response = FakeResponse::json(200, {{QStringLiteral("tokens"), server_->tokens()}});
            response.delayMs = 300;
            return response;
        });
        QVERIFY(service->refreshSession());
        QTRY_COMPARE(server_->count(QStringLiteral("/v1/auth/refresh")), 1);
        service->signOut();
        QVERIFY(waitIdle(*service));
        QTest::qWait(50);
        QVERIFY(!service->isSignedIn());
        QVERIFY(!QSettings().contains(kTokenKey));
        QVERIFY(!timer(*service, "refreshTimer")->isActive());
        QCOMPARE(service->status(), QStringLiteral("已退出登录；本地修复和预览功能不受影响"));

        // The same for a sign-in whose device registration answers late.
        server_->on("POST", QStringLiteral("/v1/devices/register"), [this](const FakeRequest&) {
            FakeResponse response = FakeResponse::json(200, server_->tokens());
            response.delayMs = 300;
            return response;
        });
        QVERIFY(service->signInWithPassword(QStringLiteral("user@example.com"), QStringLiteral("pw")));
        QTRY_COMPARE(server_->count(QStringLiteral("/v1/devices/register")), 1);
        service->signOut();
        QVERIFY(waitIdle(*service));
        QVERIFY(!service->isSignedIn());
        QVERIFY(!QSettings().contains(kTokenKey));
        QVERIFY(!QSettings().contains(kEmailKey));
    }

    void signOutForgetsTheAccount()
    {
        auto service = makeService();
        signInWithPassword(*service);
        QSignalSpy account(service.get(), &AccountService::accountChanged);
        QSignalSpy session(service.get(), &AccountService::sessionChanged);
        service->signOut();
        QVERIFY(!service->isSignedIn());
        QCOMPARE(account.count(), 2);
        QCOMPARE(session.count(), 1);
        QCOMPARE(service->email(), QString());
        QCOMPARE(service->displayName(), QString());
        QSettings settings;
        QVERIFY(!settings.contains(kEmailKey) && !settings.contains(kDisplayNameKey) && !settings.contains(kTokenKey));
        QTRY_COMPARE(server_->count(QStringLiteral("/v1/auth/logout")), 1);
        const FakeRequest logout = server_->last(QStringLiteral("/v1/auth/logout"));
        QVERIFY(logout.header("Authorization").startsWith("Bearer access-"));
        QCOMPARE(logout.body, QByteArray("{}"));

        // Signed out already: no request, but the same clean-up and texts.
        settings.setValue(kEmailKey, QStringLiteral("left@example.com"));
        auto fresh = makeService();
        QCOMPARE(fresh->email(), QStringLiteral("left@example.com"));
        QSignalSpy freshAccount(fresh.get(), &AccountService::accountChanged);
        fresh->signOut();
        QCOMPARE(freshAccount.count(), 1);
        QCOMPARE(fresh->email(), QString());
        QVERIFY(!QSettings().contains(kEmailKey));
        QCOMPARE(fresh->status(), QStringLiteral("已退出登录；本地修复和预览功能不受影响"));
        QTest::qWait(100);
        QCOMPARE(server_->count(QStringLiteral("/v1/auth/logout")), 1);
    }

    void deletion()
    {
        auto service = makeService();
        QVERIFY(!service->deleteAccount());
        QCOMPARE(service->status(), QStringLiteral("请先登录后再删除账号"));
        signInWithPassword(*service);

        server_->on("DELETE", QStringLiteral("/v1/me"), FakeResponse::json(500, {{QStringLiteral("message"), QStringLiteral("try later")}}));
        QVERIFY(service->deleteAccount());
        QCOMPARE(service->status(), QStringLiteral("正在永久删除账号…"));
        QVERIFY(!service->deleteAccount()); // busy
        QCOMPARE(service->status(), QStringLiteral("请先登录后再删除账号"));
        QVERIFY(waitIdle(*service));
        QCOMPARE(service->status(), QStringLiteral("账号删除失败：try later"));
        QVERIFY(service->isSignedIn());

        server_->on("DELETE", QStringLiteral("/v1/me"), FakeResponse{204, {}});
        QSignalSpy account(service.get(), &AccountService::accountChanged);
        QSignalSpy session(service.get(), &AccountService::sessionChanged);
        QVERIFY(service->deleteAccount());
        QVERIFY(waitIdle(*service));
        const FakeRequest request = server_->last(QStringLiteral("/v1/me"));
        QCOMPARE(request.method, QByteArray("DELETE"));
        QCOMPARE(request.body, QByteArray(R"({"confirmation":"DELETE"})"));
        QVERIFY(request.header("Authorization").startsWith("Bearer access-"));
        QCOMPARE(service->status(), QStringLiteral("账号及身份信息已永久删除"));
        QVERIFY(!service->isSignedIn());
        QCOMPARE(account.count(), 1);
        QCOMPARE(session.count(), 1);
        QCOMPARE(service->email(), QString());
        QSettings settings;
        QVERIFY(!settings.contains(kEmailKey) && !settings.contains(kTokenKey));
    }

    void statusSignalsOnlyOnChangeAndFollowsTheLanguage()
    {
        auto service = makeService();
        QSignalSpy status(service.get(), &AccountService::statusChanged);
        QSignalSpy methods(service.get(), &AccountService::loginMethodsChanged);
        service->skipLogin();
        service->skipLogin();
        QCOMPARE(status.count(), 1);
        QCOMPARE(service->status(), QStringLiteral("已选择免登录使用；文件仍完全在本机处理"));
        QEvent change(QEvent::LanguageChange);
        QCoreApplication::sendEvent(QCoreApplication::instance(), &change);
        QCOMPARE(status.count(), 2);
        QCOMPARE(methods.count(), 1);
    }
};

QTEST_MAIN(AccountServiceTest)
#include "account_service_test.moc"
