// Google sign-in through the system browser. The account service starts the flow and returns the
// identity provider's authorization URL; we check it, open it in the browser, take the browser's
// redirect on a one-shot HTTP listener bound to 127.0.0.1, answer with a small page, and hand code,
// state and redirect URI back to the account service, which completes the exchange.

#include "services/account_service.h"

#define KORVEX_TR_CONTEXT "olm::repair::AccountService"
#include "common/ui_tr.h"

#include <QDesktopServices>
#include <QHostAddress>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QUrlQuery>

namespace olm::repair {

namespace {

// What one loopback connection may send before its request is refused.
constexpr qsizetype kMaxLoopbackRequestBytes = 16384;
constexpr qsizetype kMaxAuthorizationCodeLength = 4096;
// How long the listener stays open after the accepted request, for a browser that retries.
constexpr int kListenerLingerMs = 1000;
// A browser sends its request at once; a connection that stays silent this long is dropped, so
// idle connections cannot hold every slot.
constexpr int kLoopbackIdleMs = 10000;

// The order in which loopback connections arrived, kept on each socket.
constexpr char kArrivalProperty[] = "korvexLoopbackArrival";

// The connection to give up when every slot is taken: the oldest that has sent nothing yet, else
// the oldest of all. A new connection may be the browser's callback and is never the one refused.
QTcpSocket* connectionToDrop(const QHash<QTcpSocket*, QByteArray>& connections)
{
    QTcpSocket* oldest = nullptr;
    QTcpSocket* oldestIdle = nullptr;
    const auto arrival = [](QTcpSocket* socket) { return socket->property(kArrivalProperty).toULongLong(); };
    for (auto it = connections.cbegin(); it != connections.cend(); ++it) {
        if (oldest == nullptr || arrival(it.key()) < arrival(oldest))
            oldest = it.key();
        if (it.value().isEmpty() && (oldestIdle == nullptr || arrival(it.key()) < arrival(oldestIdle)))
            oldestIdle = it.key();
    }
    return oldestIdle != nullptr ? oldestIdle : oldest;
}

} // namespace

QString AccountService::googleAuthorizationHost() { return QStringLiteral("accounts.google.com"); }

QString AccountService::loopbackCallbackPath() { return QStringLiteral("/oauth/google/callback"); }

bool AccountService::startGoogleSignIn()
{
    if (busy_)
        return false;
    if (!backendConfigured()) {
        setStatus(uiTr("线上账号服务地址未配置，未发起 Google 登录"), true);
        return false;
    }
    loopbackServer_.close();
    closeLoopbackConnections();
    loopbackPort_ = 0;
    if (!listenLoopback(0)) {
        setStatus(uiTr("无法建立安全的本机登录回调，请检查防火墙后重试"), true);
        return false;
    }
    oauthRedirectUri_ = QStringLiteral("http://127.0.0.1:%1%2").arg(loopbackPort_).arg(loopbackCallbackPath());
    setBusy(true);
    setOauthPending(true);
    loopbackWatchdog_.start();
    setStatus(uiTr("正在连接 Google 线上登录…"));

    const QJsonObject body{
        {QStringLiteral("locale"), localeName()},
        {QStringLiteral("redirect_uri"), oauthRedirectUri_},
        {QStringLiteral("next"), QStringLiteral("/desktop")},
    };
    const QString sentRedirectUri = oauthRedirectUri_;
    postJson(QStringLiteral("/v1/auth/oauth/google/start"), body, [this, sentRedirectUri](int status, const QJsonObject& reply) {
        // Cancelled (or started again) while the request was out: this reply opens nothing.
        if (!oauthPending_ || oauthRedirectUri_ != sentRedirectUri)
            return;
        if (status < 200 || status > 299) {
            stopOAuth(true);
            setStatus(errorText(status, reply), true);
            return;
        }
        const QUrl authUrl(reply.value(QStringLiteral("auth_url")).toString(), QUrl::TolerantMode);
        const QString state = reply.value(QStringLiteral("state")).toString();
        if (!validateGoogleAuthUrl(authUrl, state, oauthRedirectUri_)) {
            stopOAuth(true);
            setStatus(uiTr("线上 Google 登录服务尚未升级到安全版本（PKCE），已停止授权；请部署最新认证服务后重试"), true);
            return;
        }
        oauthState_ = state;
        oauthTimeoutTimer_.start();
        if (QDesktopServices::openUrl(authUrl)) {
            setStatus(uiTr("请在系统浏览器完成 Google 登录；本窗口会自动接收结果"));
        } else {
            stopOAuth(true);
            setStatus(uiTr("无法打开系统浏览器完成 Google 登录"), true);
        }
    }, false);
    return true;
}

bool AccountService::validateGoogleAuthUrl(const QUrl& url, const QString& state, const QString& redirectUri)
{
    static const QRegularExpression notBase64Url(QStringLiteral("[^A-Za-z0-9_-]"));
    if (!url.isValid() || url.scheme() != QLatin1String("https"))
        return false;
    if (url.host().compare(googleAuthorizationHost(), Qt::CaseInsensitive) != 0)
        return false;
    if (url.path() != QLatin1String("/o/oauth2/v2/auth"))
        return false;
    if (!state.startsWith(QLatin1String("v2.")))
        return false;
    const QUrlQuery query(url);
    const auto value = [&query](const char* key) {
        return query.queryItemValue(QLatin1String(key), QUrl::FullyDecoded);
    };
    const QString challenge = value("code_challenge");
    return value("response_type") == QLatin1String("code") && value("state") == state
        && value("redirect_uri") == redirectUri && value("code_challenge_method") == QLatin1String("S256")
        && challenge.size() == 43 && !notBase64Url.match(challenge).hasMatch();
}

bool AccountService::listenLoopback(quint16 port)
{
    if (!loopbackServer_.listen(QHostAddress(QStringLiteral("127.0.0.1")), port))
        return false;
    loopbackPort_ = loopbackServer_.serverPort();
    return loopbackPort_ != 0;
}

void AccountService::stopOAuth(bool resetBusy)
{
    oauthTimeoutTimer_.stop();
    loopbackWatchdog_.stop();
    loopbackServer_.close();
    closeLoopbackConnections();
    loopbackPort_ = 0;
    oauthState_.clear();
    oauthRedirectUri_.clear();
    setOauthPending(false);
    if (resetBusy)
        setBusy(false);
}

void AccountService::cancelOAuth()
{
    if (!oauthPending_)
        return;
    stopOAuth(true);
    setStatus(uiTr("已取消 Google 登录"));
}

void AccountService::onOauthTimeout()
{
    stopOAuth(true);
    setStatus(uiTr("Google 登录等待超时，请重新发起登录"), true);
}

void AccountService::onLoopbackWatchdog()
{
    if (!oauthPending_ || loopbackPort_ == 0 || loopbackServer_.isListening())
        return;
    // The redirect URI names this port: only the same one will do.
    if (listenLoopback(loopbackPort_))
        return;
    stopOAuth(true);
    setStatus(uiTr("本机 Google 登录回调已中断且无法恢复，请重新发起登录"), true);
}

void AccountService::onLoopbackAcceptError()
{
    if (oauthPending_)
        setStatus(uiTr("本机 Google 登录回调暂时异常，正在自动恢复…"));
}

void AccountService::onLoopbackConnection()
{
    while (QTcpSocket* socket = loopbackServer_.nextPendingConnection()) {
        // Every socket is freed once it is closed, by us or by the peer.
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        if (loopbackRequests_.size() >= kMaxLoopbackConnections) {
            QTcpSocket* dropped = connectionToDrop(loopbackRequests_);
            loopbackRequests_.remove(dropped);
            dropped->disconnect(this);
            dropped->abort();
            dropped->deleteLater();
        }
        static quint64 arrivals = 0;
        socket->setProperty(kArrivalProperty, ++arrivals);
        loopbackRequests_.insert(socket, QByteArray());
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { handleLoopbackRequest(socket); });
        connect(socket, &QObject::destroyed, this, [this, socket] { loopbackRequests_.remove(socket); });
        QTimer::singleShot(kLoopbackIdleMs, socket, [this, socket] {
            if (loopbackRequests_.remove(socket)) {
                socket->disconnect(this);
                socket->abort();
                socket->deleteLater();
            }
        });
    }
}

void AccountService::closeLoopbackConnections()
{
    const QList<QTcpSocket*> sockets = loopbackRequests_.keys();
    loopbackRequests_.clear();
    for (QTcpSocket* socket : sockets) {
        socket->disconnect(this);
        socket->abort();
        socket->deleteLater();
    }
}

void AccountService::answerLoopback(QTcpSocket* socket, bool accepted)
{
    loopbackRequests_.remove(socket);
    socket->disconnect(this);
    socket->write(loopbackHtmlResponse(accepted));
    socket->flush();
    socket->disconnectFromHost();
}

void AccountService::refuseLoopback(QTcpSocket* socket)
{
    loopbackRequests_.remove(socket);
    socket->disconnect(this);
    socket->write(QByteArrayLiteral("HTTP/1.1 400 Bad Request\r\nContent-Type: text/plain; charset=utf-8\r\n"
                                    "Cache-Control: no-store\r\nConnection: close\r\nContent-Length: 11\r\n\r\nBad Request"));
    socket->flush();
    socket->disconnectFromHost();
}

void AccountService::handleLoopbackRequest(QTcpSocket* socket)
{
    auto entry = loopbackRequests_.find(socket);
    if (entry == loopbackRequests_.end())
        return;
    if (!oauthPending_) {
        loopbackRequests_.erase(entry);
        socket->disconnect(this);
        socket->disconnectFromHost();
        return;
    }
    // Never more than one byte past the limit is kept. A request that long is no browser's
    // redirect: it is refused like any other stray request, and the sign-in waits on.
    QByteArray& buffer = entry.value();
    buffer.append(socket->read(kMaxLoopbackRequestBytes + 1 - buffer.size()));
    if (buffer.size() > kMaxLoopbackRequestBytes) {
        refuseLoopback(socket);
        return;
    }
    if (!buffer.contains("\r\n\r\n"))
        return;

    const QString requestLine = QString::fromLatin1(buffer.left(buffer.indexOf("\r\n")));
    const QStringList parts = requestLine.split(QLatin1Char(' '));
    const QUrl target = QUrl::fromEncoded(parts.size() >= 2 ? parts.at(1).toLatin1() : QByteArray(), QUrl::TolerantMode);
    const QUrlQuery query(target);
    const QString code = query.queryItemValue(QStringLiteral("code"), QUrl::FullyDecoded);
    const QString state = query.queryItemValue(QStringLiteral("state"), QUrl::FullyDecoded);
    const QString error = query.queryItemValue(QStringLiteral("error"), QUrl::FullyDecoded);

    // Any program or web page can reach the loopback port; only the browser's redirect knows this
    // sign-in's state. Whatever else arrives (another path, no or a wrong state, the browser's icon
    // request) gets a bare 400 and changes nothing.
    if (target.path() != loopbackCallbackPath() || state.isEmpty() || state != oauthState_) {
        refuseLoopback(socket);
        return;
    }

    static const QRegularExpression whiteSpace(QStringLiteral("\\s"));
    const bool accepted = parts.size() == 3 && parts.at(0) == QLatin1String("GET")
        && (parts.at(2) == QLatin1String("HTTP/1.1") || parts.at(2) == QLatin1String("HTTP/1.0")) && error.isEmpty()
        && !code.isEmpty() && code.size() <= kMaxAuthorizationCodeLength && !whiteSpace.match(code).hasMatch();

    answerLoopback(socket, accepted);
    if (accepted) {
        completeGoogleSignIn(code, state);
        return;
    }
    stopOAuth(true);
    // The provider's error value is text from a request: it is never shown.
    setStatus(error.isEmpty() ? uiTr("Google 登录状态校验失败，请重新发起") : uiTr("Google 未完成授权，请重新发起登录"), true);
}

QByteArray AccountService::loopbackHtmlResponse(bool accepted)
{
    const QString title = accepted ? uiTr("Korvex 授权已返回").toString() : uiTr("Korvex 登录失败").toString();
    const QString message =
        accepted ? uiTr("授权已返回 Korvex，可以关闭此窗口。").toString() : uiTr("授权未完成，请返回 Korvex 重试。").toString();
    const QByteArray body = QByteArrayLiteral("<!doctype html><html><head><meta charset=\"utf-8\"><title>") + title.toUtf8()
        + QByteArrayLiteral("</title><style>body{font-family:system-ui;margin:48px;color:#10261b}.card{max-width:540px;"
                            "padding:28px;border:1px solid #d9e3de;border-radius:14px}</style></head><body><div "
                            "class=\"card\"><h1>")
        + title.toUtf8() + QByteArrayLiteral("</h1><p>") + message.toUtf8() + QByteArrayLiteral("</p></div></body></html>");
    return QByteArrayLiteral("HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=utf-8\r\nCache-Control: no-store\r\n"
                             "Connection: close\r\nContent-Length: ")
        + QByteArray::number(body.size()) + QByteArrayLiteral("\r\n\r\n") + body;
}

void AccountService::completeGoogleSignIn(const QString& code, const QString& state)
{
    oauthTimeoutTimer_.stop();
    loopbackWatchdog_.stop();
    const QString redirectUri = oauthRedirectUri_;
    oauthState_.clear();
    oauthRedirectUri_.clear();
    setOauthPending(false);
    QTimer::singleShot(kListenerLingerMs, this, [this] {
        // A Google sign-in started meanwhile keeps its listener.
        if (oauthPending_)
            return;
        loopbackServer_.close();
        closeLoopbackConnections();
        loopbackPort_ = 0;
    });
    setStatus(uiTr("Google 授权成功，正在建立 Korvex 会话…"));
    const QJsonObject body{
        {QStringLiteral("code"), code},
        {QStringLiteral("state"), state},
        {QStringLiteral("redirect_uri"), redirectUri},
    };
    postJson(QStringLiteral("/v1/auth/oauth/google/callback"), body, forThisSession([this](int status, const QJsonObject& reply) {
        const bool success = status >= 200 && status <= 299;
        if (!success && reply.value(QStringLiteral("code")).toString() == QLatin1String("oauth_exchange_failed")) {
            setBusy(false);
            clearSession(true);
            setStatus(uiTr("Google 已完成授权，但线上服务未能建立会话。授权码可能已过期，或生产环境的 OAuth 客户端配置不一致；请重新发起登录，若仍失败请检查线上认证服务版本与 Google 凭据"), true);
            return;
        }
        applyLoginReply(status, reply);
    }), false);
}

} // namespace olm::repair
