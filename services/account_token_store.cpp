#include "services/account_token_store.h"

#include "platform/user_data_protection.h"

#include <QCryptographicHash>
#include <QSettings>
#include <QSysInfo>
#include <QUuid>

namespace olm::repair {

namespace {
const QString kProtectedRefreshTokenKey = QStringLiteral("account/protectedRefreshToken");
const QString kDeviceLocalIdKey = QStringLiteral("device/localId");
} // namespace

bool RefreshTokenStore::storeProtectedRefreshToken(const QString& token) const
{
    if (token.isEmpty()) {
        removeProtectedRefreshToken();
        return true;
    }
    const QByteArray blob = UserDataProtection::protect(token.toUtf8());
    if (blob.isEmpty())
        return false;
    QSettings().setValue(kProtectedRefreshTokenKey, blob.toBase64());
    return true;
}

QString RefreshTokenStore::loadProtectedRefreshToken() const
{
    const QByteArray blob = QByteArray::fromBase64(QSettings().value(kProtectedRefreshTokenKey).toByteArray());
    if (blob.isEmpty())
        return {};
    const std::optional<QByteArray> plain = UserDataProtection::unprotect(blob);
    if (!plain) {
        removeProtectedRefreshToken();
        return {};
    }
    return QString::fromUtf8(*plain);
}

void RefreshTokenStore::removeProtectedRefreshToken() const { QSettings().remove(kProtectedRefreshTokenKey); }

QString deviceFingerprint()
{
    QByteArray identity = QSysInfo::machineUniqueId();
    if (identity.isEmpty()) {
        QSettings settings;
        identity = settings.value(kDeviceLocalIdKey).toByteArray();
        if (identity.isEmpty()) {
            identity = QUuid::createUuid().toString(QUuid::WithoutBraces).toLatin1();
            settings.setValue(kDeviceLocalIdKey, identity);
        }
    }
    return QString::fromLatin1(
        QCryptographicHash::hash(QByteArrayLiteral("korvex.file_repair:") + identity, QCryptographicHash::Sha256).toHex());
}

} // namespace olm::repair
