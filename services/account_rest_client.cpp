// The account service's REST calls: one request form, one reply reader, one table of error texts,
// and every operation with its input checks, progress text, request body and reply handling.

#include "services/account_service.h"
#include "services/network_deadline.h"

#define KORVEX_TR_CONTEXT "olm::repair::AccountService"
#include "common/ui_tr.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QLocale>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QRegularExpression>
#include <QSettings>
#include <QSysInfo>

#include <memory>

namespace olm::repair {

namespace {

// Both the time-out between bytes and the deadline of the whole request.
constexpr int kTransferTimeoutMs = 30000;
// In UTF-16 code units, as typed.
constexpr qsizetype kMinimumPasswordLength = 8;

bool isSuccess(int status) { return status >= 200 && status <= 299; }

QString normalizedEmail(const QString& text) { return text.trimmed().toLower(); }

} // namespace

QUrl AccountService::endpointUrl(const QString& path) const
{
    return QUrl(apiBase_.toString() + path, QUrl::TolerantMode);
}

QString AccountService::localeName() { return QLocale().name().replace(QLatin1Char('_'), QLatin1Char('-')); }

QNetworkRequest AccountService::jsonRequest(const QString& path, bool bearer) const
{
    QNetworkRequest request(endpointUrl(path));
    request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/json"));
    request.setRawHeader("Accept", "application/json");
    request.setTransferTimeout(kTransferTimeoutMs);
    if (bearer && !accessToken_.isEmpty())
        request.setRawHeader("Authorization", "Bearer " + accessToken_.toUtf8());
    return request;
}

void AccountService::postJson(const QString& path, const QJsonObject& body, ReplyCallback callback, bool bearer)
{
    QNetworkReply* reply = network_.post(jsonRequest(path, bearer), QJsonDocument(body).toJson(QJsonDocument::Compact));
    handleReply(reply, std::move(callback));
}

void AccountService::handleReply(QNetworkReply* reply, ReplyCallback callback)
{
    // A reply never holds more than the cap plus one byte: a larger body is abandoned as a
    // failure instead of being gathered on the GUI thread.
    reply->setReadBufferSize(kMaxReplyBytes + 1);
    setOverallDeadline(reply, kTransferTimeoutMs);
    auto oversized = std::make_shared<bool>(false);
    connect(reply, &QNetworkReply::readyRead, this, [reply, oversized] {
        if (reply->bytesAvailable() > kMaxReplyBytes && !*oversized) {
            *oversized = true;
            reply->abort();
        }
    });
    connect(reply, &QNetworkReply::finished, this, [this, reply, oversized, callback = std::move(callback)] {
        int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        const QByteArray body = *oversized ? QByteArray() : reply->read(kMaxReplyBytes + 1);
        QJsonObject object;
        if (*oversized || body.size() > kMaxReplyBytes) {
            status = 0; // no message: shown as a failed request
        } else {
            const QJsonDocument document = QJsonDocument::fromJson(body);
            if (document.isObject())
                object = document.object();
            if (status == 0)
                object.insert(QStringLiteral("message"), reply->errorString());
        }
        reply->deleteLater();
        callback(status, object);
    });
}

AccountService::ReplyCallback AccountService::forThisSession(ReplyCallback callback)
{
    return [this, generation = sessionGeneration_, callback = std::move(callback)](int status, const QJsonObject& reply) {
        if (generation != sessionGeneration_) {
            // The session this request belonged to was signed out meanwhile.
            setBusy(false);
            return;
        }
        callback(status, reply);
    };
}

UiText AccountService::errorText(int status, const QJsonObject& reply) const
{
    const QString message = reply.value(QStringLiteral("message")).toString();
    if (!message.isEmpty())
        return UiText(message);
    switch (status) {
    case 0:
        return uiTr("网络请求失败");
    case 404:
        return uiTr("线上账号服务暂未部署此功能");
    case 429:
        return uiTr("请求过于频繁，请稍后再试");
    case 401:
        return uiTr("登录信息无效或已过期");
    default:
        return uiTr("线上账号服务暂时不可用");
    }
}

QString AccountService::normalizedIdentifier(const QString& text)
{
    static const QRegularExpression separators(QStringLiteral("[\\s\\-()]"));
    QString identifier = text.trimmed();
    if (identifier.contains(QLatin1Char('@')))
        return identifier.toLower();
    return identifier.remove(separators);
}

bool AccountService::isEmailAddress(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^[A-Z0-9._%+\\-]+@[A-Z0-9.\\-]+\\.[A-Z]{2,}$"),
        QRegularExpression::CaseInsensitiveOption);
    return pattern.match(text.trimmed()).hasMatch();
}

bool AccountService::isValidIdentifier(const QString& text) const
{
    static const QRegularExpression phone(QStringLiteral("^\\+?[0-9]{6,20}$"));
    if (isEmailAddress(text))
        return true;
    return phoneCodeLoginAvailable() && phone.match(normalizedIdentifier(text)).hasMatch();
}

bool AccountService::requestVerificationCode(const QString& identifier)
{
    return beginCodeRequest(identifier, QStringLiteral("login"));
}

bool AccountService::requestPasswordResetCode(const QString& email)
{
    if (!isEmailAddress(email)) {
        setStatus(uiTr("密码重置仅支持有效邮箱地址"), true);
        return false;
    }
    return beginCodeRequest(email, QStringLiteral("password_reset"));
}

bool AccountService::beginRequest(bool inputValid, const UiText& invalidText, const UiText& unconfiguredText, const UiText& progressText)
{
    if (busy_)
        return false;
    if (!inputValid) {
        setStatus(invalidText, true);
        return false;
    }
    if (!backendConfigured()) {
        setStatus(unconfiguredText, true);
        return false;
    }
    setBusy(true);
    setStatus(progressText);
    return true;
}

bool AccountService::beginCodeRequest(const QString& identifier, const QString& purpose)
{
    const bool passwordReset = purpose == QLatin1String("password_reset");
    if (!beginRequest(isValidIdentifier(identifier),
            phoneCodeLoginAvailable() ? uiTr("请输入有效的邮箱或带国家区号的手机号码") : uiTr("请输入有效的邮箱地址"),
            uiTr("线上账号服务地址未配置，未发送验证码"),
            passwordReset ? uiTr("正在发送密码重置验证码…") : uiTr("正在通过线上服务发送验证码…")))
        return false;
    const bool byEmail = isEmailAddress(identifier);
    const QJsonObject body{
        {QStringLiteral("identifier"), normalizedIdentifier(identifier)},
        {QStringLiteral("purpose"), purpose},
        {QStringLiteral("locale"), localeName()},
    };
    postJson(QStringLiteral("/v1/auth/code/send"), body, [this, byEmail](int status, const QJsonObject& reply) {
        setBusy(false);
        if (!isSuccess(status)) {
            setStatus(errorText(status, reply), true);
            return;
        }
        verificationExpiresIn_ = reply.value(QStringLiteral("expires_in")).toInt(0);
        if (verificationExpiresIn_ > 0)
            verificationTimer_.start();
        emit verificationCodeChanged();
        setStatus(byEmail ? uiTr("验证码已发送，请检查邮箱") : uiTr("验证码已发送，请检查短信"));
    }, false);
    return true;
}

bool AccountService::signIn(const QString& identifier, const QString& verificationCode)
{
    if (!beginRequest(isValidIdentifier(identifier) && !verificationCode.trimmed().isEmpty(),
            phoneCodeLoginAvailable() ? uiTr("请输入有效的邮箱/手机号码和验证码") : uiTr("请输入有效的邮箱和验证码"),
            uiTr("线上账号服务地址未配置，未执行登录"), uiTr("正在通过线上服务验证账号…")))
        return false;
    const QJsonObject body{
        {QStringLiteral("identifier"), normalizedIdentifier(identifier)},
        {QStringLiteral("code"), verificationCode.trimmed()},
        {QStringLiteral("purpose"), QStringLiteral("login")},
        {QStringLiteral("locale"), localeName()},
        {QStringLiteral("remember"), true},
    };
    postJson(QStringLiteral("/v1/auth/code/login"), body,
        forThisSession([this](int status, const QJsonObject& reply) { applyLoginReply(status, reply); }), false);
    return true;
}

bool AccountService::signInWithPassword(const QString& email, const QString& password)
{
    if (!beginRequest(isEmailAddress(email) && !password.isEmpty(), uiTr("请输入有效邮箱和密码"),
            uiTr("线上账号服务地址未配置，未执行登录"), uiTr("正在通过线上服务验证密码…")))
        return false;
    const QJsonObject body{
        {QStringLiteral("email"), normalizedEmail(email)},
        {QStringLiteral("password"), password},
        {QStringLiteral("remember"), true},
    };
    postJson(QStringLiteral("/v1/auth/login"), body,
        forThisSession([this](int status, const QJsonObject& reply) { applyLoginReply(status, reply); }), false);
    return true;
}

bool AccountService::registerWithPassword(const QString& email, const QString& password, const QString& displayName)
{
    if (!beginRequest(isEmailAddress(email) && password.size() >= kMinimumPasswordLength, uiTr("注册需要有效邮箱和至少 8 位密码"),
            uiTr("线上账号服务地址未配置，未执行注册"), uiTr("正在创建线上账号…")))
        return false;
    const QJsonObject body{
        {QStringLiteral("email"), normalizedEmail(email)},
        {QStringLiteral("password"), password},
        {QStringLiteral("display_name"), displayName.trimmed()},
    };
    postJson(QStringLiteral("/v1/auth/register"), body,
        forThisSession([this](int status, const QJsonObject& reply) { applyLoginReply(status, reply); }), false);
    return true;
}

bool AccountService::resetPassword(const QString& email, const QString& verificationCode, const QString& newPassword)
{
    if (!beginRequest(isEmailAddress(email) && !verificationCode.trimmed().isEmpty() && newPassword.size() >= kMinimumPasswordLength,
            uiTr("请输入有效邮箱、验证码和至少 8 位新密码"), uiTr("线上账号服务地址未配置，未重置密码"),
            uiTr("正在重置密码并撤销旧设备会话…")))
        return false;
    const QJsonObject body{
        {QStringLiteral("email"), normalizedEmail(email)},
        {QStringLiteral("code"), verificationCode.trimmed()},
        {QStringLiteral("new_password"), newPassword},
    };
    postJson(QStringLiteral("/v1/auth/password/reset"), body, [this](int status, const QJsonObject& reply) {
        setBusy(false);
        if (!isSuccess(status)) {
            setStatus(errorText(status, reply), true);
            return;
        }
        // The server revoked every device session, this one included.
        clearSession(true);
        setStatus(uiTr("密码已重置，所有旧设备会话已撤销，请使用新密码登录"));
    }, false);
    return true;
}

void AccountService::applyLoginReply(int status, const QJsonObject& reply)
{
    if (isSuccess(status) && applyTokens(reply, false)) {
        applyUser(reply.value(QStringLiteral("user")).toObject());
        registerDevice();
        return;
    }
    setBusy(false);
    clearSession(true);
    setStatus(isSuccess(status) ? uiTr("登录响应缺少有效令牌") : errorText(status, reply), true);
}

void AccountService::registerDevice()
{
    const QJsonObject body{
        {QStringLiteral("device_fingerprint"), deviceFingerprint()},
        {QStringLiteral("device_name"), QSysInfo::machineHostName()},
        {QStringLiteral("platform"), QSysInfo::productType()},
        {QStringLiteral("app_version"), QCoreApplication::applicationVersion()},
    };
    postJson(QStringLiteral("/v1/devices/register"), body, forThisSession([this](int status, const QJsonObject& reply) {
        setBusy(false);
        if (isSuccess(status) && applyTokens(reply, true)) {
            signedIn_ = true;
            QSettings settings;
            settings.setValue(QStringLiteral("account/email"), email_);
            settings.setValue(QStringLiteral("account/displayName"), displayName_);
            emit accountChanged();
            emit sessionChanged();
            setStatus(uiTr("已登录线上账号"));
            return;
        }
        clearSession(true);
        setStatus(isSuccess(status) ? uiTr("设备注册响应无效，请重新登录")
                                    : uiTr("设备注册失败：%1").arg(errorText(status, reply)), true);
    }), true);
}

bool AccountService::refreshSession()
{
    if (busy_ || !backendConfigured())
        return false;
    if (refreshToken_.isEmpty())
        refreshToken_ = tokenStore_.loadProtectedRefreshToken();
    if (refreshToken_.isEmpty())
        return false;
    setBusy(true);
    setStatus(uiTr("正在恢复安全会话…"));
    const QJsonObject body{{QStringLiteral("refresh_token"), refreshToken_}};
    postJson(QStringLiteral("/v1/auth/refresh"), body, forThisSession([this](int status, const QJsonObject& reply) {
        setBusy(false);
        if (isSuccess(status) && applyTokens(reply, true)) {
            const bool wasSignedIn = signedIn_;
            signedIn_ = true;
            if (!wasSignedIn)
                emit accountChanged();
            emit sessionChanged();
            setStatus(uiTr("安全会话已恢复"));
            return;
        }
        // Only a definite rejection makes the stored token worthless; after a network failure or
        // a server fault the next start can still restore the session with it.
        const bool rejected = isSuccess(status) || status == 400 || status == 401 || status == 403;
        clearSession(true, !rejected);
        setStatus(isSuccess(status) ? uiTr("会话刷新响应无效，请重新登录") : errorText(status, reply), true);
    }), false);
    return true;
}

bool AccountService::deleteAccount()
{
    if (busy_ || !signedIn_ || accessToken_.isEmpty() || !backendConfigured()) {
        setStatus(uiTr("请先登录后再删除账号"), true);
        return false;
    }
    setBusy(true);
    setStatus(uiTr("正在永久删除账号…"));
    const QJsonObject body{{QStringLiteral("confirmation"), QStringLiteral("DELETE")}};
    QNetworkReply* reply = network_.sendCustomRequest(jsonRequest(QStringLiteral("/v1/me"), true), "DELETE",
        QJsonDocument(body).toJson(QJsonDocument::Compact));
    handleReply(reply, forThisSession([this](int status, const QJsonObject& reply) {
        setBusy(false);
        if (!isSuccess(status)) {
            setStatus(uiTr("账号删除失败：%1").arg(errorText(status, reply)), true);
            return;
        }
        clearSession(false);
        forgetAccountIdentity();
        emit accountChanged();
        emit sessionChanged();
        setStatus(uiTr("账号及身份信息已永久删除"));
    }));
    return true;
}

} // namespace olm::repair
