// Session state of the account service: construction, the status text, tokens and user data taken
// from replies, clearing the session, the code countdown, sign-out and going on without an account.
// The REST operations are in account_rest_client.cpp, the Google sign-in in account_google_sign_in.cpp.

#include "services/account_service.h"

#define KORVEX_TR_CONTEXT "olm::repair::AccountService"
#include "common/ui_tr.h"

#include <QJsonValue>
#include <QLocale>
#include <QNetworkReply>
#include <QTcpSocket>
#include <QSettings>

#include <algorithm>
#include <limits>

#ifndef KORVEX_ACCOUNT_API_BASE
#error "KORVEX_ACCOUNT_API_BASE must be defined by the build"
#endif

namespace olm::repair {

namespace {

const QString kEmailKey = QStringLiteral("account/email");
const QString kDisplayNameKey = QStringLiteral("account/displayName");

constexpr int kOauthTimeoutMs = 540000;
constexpr int kDefaultExpiresInSeconds = 900;

// Trimmed, without trailing slashes, parsed leniently: the base may carry a path prefix.
QUrl normalizedApiBase(const QString& text)
{
    QString base = text.trimmed();
    while (base.endsWith(QLatin1Char('/')))
        base.chop(1);
    return QUrl(base, QUrl::TolerantMode);
}

} // namespace

AccountService::AccountService(QObject* parent) : AccountService(QUrl(compiledApiBase(), QUrl::TolerantMode), parent) {}

AccountService::AccountService(const QUrl& apiBase, QObject* parent)
    : QObject(parent), network_(this), refreshTimer_(this), verificationTimer_(this), oauthTimeoutTimer_(this),
      loopbackWatchdog_(this), loopbackServer_(this), apiBase_(normalizedApiBase(apiBase.toString())),
      status_(uiTr("登录为可选项；本机分析、修复和预览无需账号"))
{
    UiLanguageObserver::attachTo(this, [this] {
        emit statusChanged();
        emit loginMethodsChanged();
    });

    QSettings settings;
    email_ = settings.value(kEmailKey).toString();
    displayName_ = settings.value(kDisplayNameKey).toString();

    // Named so that a test can read the intervals that replies set.
    refreshTimer_.setObjectName(QStringLiteral("refreshTimer"));
    verificationTimer_.setObjectName(QStringLiteral("verificationTimer"));
    oauthTimeoutTimer_.setObjectName(QStringLiteral("oauthTimeoutTimer"));
    loopbackWatchdog_.setObjectName(QStringLiteral("loopbackWatchdog"));

    refreshTimer_.setSingleShot(true);
    connect(&refreshTimer_, &QTimer::timeout, this, &AccountService::onRefreshTimer);
    verificationTimer_.setInterval(1000);
    connect(&verificationTimer_, &QTimer::timeout, this, &AccountService::onVerificationTick);
    oauthTimeoutTimer_.setSingleShot(true);
    oauthTimeoutTimer_.setInterval(kOauthTimeoutMs);
    connect(&oauthTimeoutTimer_, &QTimer::timeout, this, &AccountService::onOauthTimeout);
    loopbackWatchdog_.setInterval(1000);
    connect(&loopbackWatchdog_, &QTimer::timeout, this, &AccountService::onLoopbackWatchdog);
    connect(&loopbackServer_, &QTcpServer::newConnection, this, &AccountService::onLoopbackConnection);
    connect(&loopbackServer_, &QTcpServer::acceptError, this, &AccountService::onLoopbackAcceptError);

    // Same-origin redirects only: a bearer token must never follow a redirect to another host.
    network_.setRedirectPolicy(QNetworkRequest::SameOriginRedirectPolicy);

    if (backendConfigured()) {
        refreshToken_ = tokenStore_.loadProtectedRefreshToken();
        // The restore runs from the event loop, after whoever made this object has connected to it.
        if (!refreshToken_.isEmpty())
            QTimer::singleShot(0, this, &AccountService::onRefreshTimer);
    }
}

AccountService::~AccountService()
{
    // Sockets first: their handlers must not run against a half-destroyed service.
    for (auto it = loopbackRequests_.cbegin(); it != loopbackRequests_.cend(); ++it)
        it.key()->disconnect(this);
    // Replies still in flight are never handled.
    for (QNetworkReply* reply : network_.findChildren<QNetworkReply*>())
        reply->disconnect(this);
}

QString AccountService::compiledApiBase() { return QStringLiteral(KORVEX_ACCOUNT_API_BASE); }

bool AccountService::backendConfigured() const
{
    const QString scheme = apiBase_.scheme();
    return apiBase_.isValid() && (scheme == QLatin1String("https") || scheme == QLatin1String("http"));
}

bool AccountService::phoneCodeLoginAvailable() const { return QLocale().name() == QLatin1String("zh_CN"); }

void AccountService::setStatus(const UiText& text, bool isError)
{
    const bool changed = text.toString() != status_.toString() || isError != statusIsError_;
    status_ = text;
    statusIsError_ = isError;
    if (changed)
        emit statusChanged();
}

void AccountService::setBusy(bool busy)
{
    if (busy_ == busy)
        return;
    busy_ = busy;
    emit busyChanged();
}

void AccountService::setOauthPending(bool pending)
{
    if (oauthPending_ == pending)
        return;
    oauthPending_ = pending;
    emit oauthPendingChanged();
}

namespace {

// A token goes into the next request's header line as it is: a line break in it would start a
// header of the server's choosing.
bool hasControlCharacter(const QString& token)
{
    return std::any_of(token.cbegin(), token.cend(), [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7F; });
}

} // namespace

bool AccountService::applyTokens(const QJsonObject& reply, bool persist)
{
    QJsonObject tokens = reply.value(QStringLiteral("tokens")).toObject();
    if (tokens.isEmpty())
        tokens = reply;
    const QString access = tokens.value(QStringLiteral("access_token")).toString();
    const QString refresh = tokens.value(QStringLiteral("refresh_token")).toString();
    if (access.isEmpty() || refresh.isEmpty() || hasControlCharacter(access) || hasControlCharacter(refresh))
        return false;
    accessToken_ = access;
    refreshToken_ = refresh;

    // In 64 bits and capped at what a timer takes: a huge "expires_in" must not wrap into a
    // negative interval, which would refresh in a tight loop.
    const QJsonValue expiresValue = tokens.value(QStringLiteral("expires_in"));
    const qint64 expiresIn = expiresValue.isDouble() ? expiresValue.toInteger(kDefaultExpiresInSeconds) : kDefaultExpiresInSeconds;
    const qint64 delayMs = std::max<qint64>(30, expiresIn - 60) * 1000;
    refreshTimer_.start(static_cast<int>(std::min<qint64>(delayMs, std::numeric_limits<int>::max())));

    if (persist && !tokenStore_.storeProtectedRefreshToken(refreshToken_))
        setStatus(uiTr("已登录，但当前系统不支持安全的持久会话存储"));
    return true;
}

void AccountService::applyUser(const QJsonObject& user)
{
    const QJsonValue emailValue = user.value(QStringLiteral("email"));
    if (emailValue.isString())
        email_ = emailValue.toString();
    displayName_ = user.value(QStringLiteral("display_name")).toString();
    if (displayName_.isEmpty())
        displayName_ = email_;
}

void AccountService::clearSession(bool notify, bool keepStoredToken)
{
    refreshTimer_.stop();
    ++sessionGeneration_;
    const bool wasActive = signedIn_ || !accessToken_.isEmpty() || !refreshToken_.isEmpty();
    signedIn_ = false;
    accessToken_.clear();
    refreshToken_.clear();
    if (!keepStoredToken)
        tokenStore_.removeProtectedRefreshToken();
    if (notify && wasActive) {
        emit accountChanged();
        emit sessionChanged();
    }
}

void AccountService::forgetAccountIdentity()
{
    email_.clear();
    displayName_.clear();
    QSettings settings;
    settings.remove(kEmailKey);
    settings.remove(kDisplayNameKey);
}

void AccountService::onVerificationTick()
{
    if (verificationExpiresIn_ > 0)
        --verificationExpiresIn_;
    if (verificationExpiresIn_ <= 0)
        verificationTimer_.stop();
    emit verificationCodeChanged();
}

void AccountService::onRefreshTimer()
{
    // Another request holds the service: try again shortly rather than let the session lapse.
    if (busy_ && backendConfigured()) {
        refreshTimer_.start(kBusyRefreshRetryMs);
        return;
    }
    refreshSession();
}

void AccountService::signOut()
{
    if (oauthPending_)
        cancelOAuth();
    if (!accessToken_.isEmpty() && backendConfigured())
        postJson(QStringLiteral("/v1/auth/logout"), QJsonObject(), [](int, const QJsonObject&) {}, true);
    clearSession(true);
    forgetAccountIdentity();
    emit accountChanged();
    setStatus(uiTr("已退出登录；本地修复和预览功能不受影响"));
}

void AccountService::skipLogin() { setStatus(uiTr("已选择免登录使用；文件仍完全在本机处理")); }

} // namespace olm::repair
