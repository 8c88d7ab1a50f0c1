#pragma once

// The optional online account: sign-in with an e-mail or phone verification code, with e-mail and
// password, or with Google through the system browser; registration, password reset, session
// refresh, device registration, sign-out and account deletion. It talks compact JSON to the maker's
// account service; every outcome reaches the user through the one translatable `status` text.
// Nothing of the local repair work depends on it.
//
// Only the refresh token is kept on disk, protected for the current user (account_token_store.h);
// the access token lives in memory. GUI thread only: timers, replies and loopback sockets all
// deliver there.

#include "common/ui_text.h"
#include "services/account_token_store.h"

#include <QHash>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QObject>
#include <QString>
#include <QTcpServer>
#include <QTimer>
#include <QUrl>
#include <QtQml/qqmlregistration.h>

#include <functional>

class QTcpSocket;
class QNetworkReply;

namespace olm::repair {

class AccountService : public QObject {
    Q_OBJECT
    QML_ELEMENT

    Q_PROPERTY(bool signedIn READ isSignedIn NOTIFY accountChanged)
    Q_PROPERTY(bool backendConfigured READ backendConfigured CONSTANT)
    Q_PROPERTY(QUrl apiBaseUrl READ apiBaseUrl CONSTANT)
    Q_PROPERTY(bool busy READ isBusy NOTIFY busyChanged)
    Q_PROPERTY(bool oauthPending READ isOauthPending NOTIFY oauthPendingChanged)
    Q_PROPERTY(bool phoneCodeLoginAvailable READ phoneCodeLoginAvailable NOTIFY loginMethodsChanged)
    Q_PROPERTY(QString email READ email NOTIFY accountChanged)
    Q_PROPERTY(QString displayName READ displayName NOTIFY accountChanged)
    Q_PROPERTY(QString status READ status NOTIFY statusChanged)
    // The status text reports a failure (shown in the error style, never as a success).
    Q_PROPERTY(bool statusIsError READ statusIsError NOTIFY statusChanged)
    Q_PROPERTY(int verificationExpiresIn READ verificationExpiresIn NOTIFY verificationCodeChanged)

public:
    // The compiled account service base (KORVEX_ACCOUNT_API_BASE).
    explicit AccountService(QObject* parent = nullptr);
    // The same service against another base; the one above delegates here.
    explicit AccountService(const QUrl& apiBase, QObject* parent = nullptr);
    ~AccountService() override;

    // The compiled base as text, before trimming.
    static QString compiledApiBase();
    // The identity provider's authorization host that a Google authorization URL must name.
    static QString googleAuthorizationHost();
    // The loopback path the browser is sent back to.
    static QString loopbackCallbackPath();

    bool isSignedIn() const { return signedIn_; }
    bool backendConfigured() const;
    QUrl apiBaseUrl() const { return apiBase_; }
    bool isBusy() const { return busy_; }
    bool isOauthPending() const { return oauthPending_; }
    bool phoneCodeLoginAvailable() const;
    QString email() const { return email_; }
    QString displayName() const { return displayName_; }
    QString status() const { return status_.toString(); }
    bool statusIsError() const { return statusIsError_; }
    int verificationExpiresIn() const { return verificationExpiresIn_; }
    // Bound port of the Google sign-in listener, 0 when closed.
    quint16 loopbackPort() const { return loopbackPort_; }

    Q_INVOKABLE bool requestVerificationCode(const QString& identifier);
    Q_INVOKABLE bool requestPasswordResetCode(const QString& email);
    Q_INVOKABLE bool signIn(const QString& identifier, const QString& verificationCode);
    Q_INVOKABLE bool signInWithPassword(const QString& email, const QString& password);
    Q_INVOKABLE bool registerWithPassword(const QString& email, const QString& password, const QString& displayName);
    Q_INVOKABLE bool resetPassword(const QString& email, const QString& verificationCode, const QString& newPassword);
    Q_INVOKABLE bool startGoogleSignIn();
    Q_INVOKABLE void cancelOAuth();
    Q_INVOKABLE bool refreshSession();
    Q_INVOKABLE bool deleteAccount();
    Q_INVOKABLE void signOut();
    Q_INVOKABLE void skipLogin();

    // Identifier rules of the sign-in forms.
    static QString normalizedIdentifier(const QString& text);
    static bool isEmailAddress(const QString& text);
    bool isValidIdentifier(const QString& text) const;

    // True only for an https URL on the authorization host and path that carries an S256 code
    // challenge, the start reply's "v2." state and the expected redirect URI.
    static bool validateGoogleAuthUrl(const QUrl& url, const QString& state, const QString& redirectUri);
    // The complete answer sent to the browser on the loopback listener.
    static QByteArray loopbackHtmlResponse(bool accepted);

    // A refresh that falls while another request is in flight is tried again after this delay.
    static constexpr int kBusyRefreshRetryMs = 5000;
    // Account replies larger than this are abandoned as a failure.
    static constexpr qint64 kMaxReplyBytes = 1024 * 1024;
    // Open loopback connections waiting for their request; more are closed at once.
    static constexpr int kMaxLoopbackConnections = 16;

signals:
    void accountChanged();
    void sessionChanged();
    void busyChanged();
    void oauthPendingChanged();
    void statusChanged();
    void verificationCodeChanged();
    void loginMethodsChanged();

private:
    using ReplyCallback = std::function<void(int status, const QJsonObject& reply)>;

    // Session state.
    void setStatus(const UiText& text, bool isError = false);
    void setBusy(bool busy);
    void setOauthPending(bool pending);
    // Drops the session. The stored refresh token goes too unless `keepStoredToken` (a refresh
    // that failed for a reason that says nothing about the token's validity).
    void clearSession(bool notify, bool keepStoredToken = false);
    bool applyTokens(const QJsonObject& reply, bool persist);
    void applyUser(const QJsonObject& user);
    void forgetAccountIdentity();
    void onVerificationTick();
    void onRefreshTimer();

    // REST client.
    QUrl endpointUrl(const QString& path) const;
    QNetworkRequest jsonRequest(const QString& path, bool bearer) const;
    void postJson(const QString& path, const QJsonObject& body, ReplyCallback callback, bool bearer);
    void handleReply(QNetworkReply* reply, ReplyCallback callback);
    UiText errorText(int status, const QJsonObject& reply) const;
    static QString localeName();
    // The common start of a user-started request: refused while busy, then with a status for bad
    // input or an unconfigured service; else busy, with the progress text.
    bool beginRequest(bool inputValid, const UiText& invalidText, const UiText& unconfiguredText, const UiText& progressText);
    bool beginCodeRequest(const QString& identifier, const QString& purpose);
    void applyLoginReply(int status, const QJsonObject& reply);
    void registerDevice();
    // Wraps a reply callback so that a reply to a request of an earlier session (one that was
    // cleared or signed out meanwhile) only ends the busy state.
    ReplyCallback forThisSession(ReplyCallback callback);

    // Google sign-in.
    void stopOAuth(bool resetBusy);
    bool listenLoopback(quint16 port);
    void onLoopbackConnection();
    void onLoopbackAcceptError();
    void onLoopbackWatchdog();
    void onOauthTimeout();
    void handleLoopbackRequest(QTcpSocket* socket);
    void closeLoopbackConnections();
    void answerLoopback(QTcpSocket* socket, bool accepted);
    // Answers a request that is not this sign-in's callback with a bare 400 and closes it.
    void refuseLoopback(QTcpSocket* socket);
    void completeGoogleSignIn(const QString& code, const QString& state);

    QNetworkAccessManager network_;
    RefreshTokenStore tokenStore_;
    QTimer refreshTimer_;
    QTimer verificationTimer_;
    QTimer oauthTimeoutTimer_;
    QTimer loopbackWatchdog_;
    QTcpServer loopbackServer_;
    QUrl apiBase_;
    bool signedIn_ = false;
    bool busy_ = false;
    bool oauthPending_ = false;
    QString email_;
    QString displayName_;
    QString accessToken_;
    QString refreshToken_;
    QString oauthState_;
    QString oauthRedirectUri_;
    quint16 loopbackPort_ = 0;
    UiText status_;
    bool statusIsError_ = false;
    int verificationExpiresIn_ = 0;

    // Bumped whenever the session is cleared; replies carry the value they were sent under.
    quint64 sessionGeneration_ = 0;
    // Loopback connections still waiting for their request line, with what they sent so far.
    QHash<QTcpSocket*, QByteArray> loopbackRequests_;
};

} // namespace olm::repair
