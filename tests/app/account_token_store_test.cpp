// The refresh token kept sealed in the settings store, and the device fingerprint.

#include <QCoreApplication>
#include <QRegularExpression>
#include <QSettings>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QtTest>

#include "services/account_token_store.h"

using olm::repair::RefreshTokenStore;

namespace {
const QString kTokenKey = QStringLiteral("account/protectedRefreshToken");
const QString kLocalIdKey = QStringLiteral("device/localId");
} // namespace

class AccountTokenStoreTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir storeDir_;
    QTemporaryDir dataDir_;
    QTemporaryDir otherDataDir_;

private slots:
    void initTestCase()
    {
        QVERIFY(storeDir_.isValid() && dataDir_.isValid() && otherDataDir_.isValid());
        QCoreApplication::setOrganizationName(QStringLiteral("KorvexTests"));
        QCoreApplication::setApplicationName(QStringLiteral("Account Token Store Test"));
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, storeDir_.path());
    }

    void init()
    {
        QSettings().clear();
        qputenv("XDG_DATA_HOME", dataDir_.path().toUtf8());
    }

    void storedTokenIsSealedAndReadBack()
    {
        const RefreshTokenStore store;
        const QString token = QStringLiteral("refresh-令牌-0123456789");
        QVERIFY(store.storeProtectedRefreshToken(token));
        const QByteArray stored = QSettings().value(kTokenKey).toByteArray();
        QVERIFY(!stored.isEmpty());
        // Base64 text of a blob that does not show the token.
        QCOMPARE(QByteArray::fromBase64(stored).toBase64(), stored);
        QVERIFY(!QByteArray::fromBase64(stored).contains(token.toUtf8()));
        QVERIFY(!QByteArray::fromBase64(stored).contains("refresh-"));
        QCOMPARE(store.loadProtectedRefreshToken(), token);
        QCOMPARE(RefreshTokenStore().loadProtectedRefreshToken(), token); // stateless

        QVERIFY(store.storeProtectedRefreshToken(QString()));
        QVERIFY(!QSettings().contains(kTokenKey));
        QCOMPARE(store.loadProtectedRefreshToken(), QString());
    }

    void tokenOfAnotherKeyStoreIsDropped()
    {
        const RefreshTokenStore store;
        QVERIFY(store.storeProtectedRefreshToken(QStringLiteral("refresh-1")));
        // Another user's key store: the value cannot be opened and is removed.
        qputenv("XDG_DATA_HOME", otherDataDir_.path().toUtf8());
        QCOMPARE(store.loadProtectedRefreshToken(), QString());
        QVERIFY(!QSettings().contains(kTokenKey));
    }

    void damagedValueIsDropped()
    {
        const RefreshTokenStore store;
        QVERIFY(store.storeProtectedRefreshToken(QStringLiteral("refresh-1")));
        QByteArray blob = QByteArray::fromBase64(QSettings().value(kTokenKey).toByteArray());
        blob[blob.size() - 1] = char(blob.at(blob.size() - 1) ^ 0x01);
        QSettings().setValue(kTokenKey, blob.toBase64());
        QCOMPARE(store.loadProtectedRefreshToken(), QString());
        QVERIFY(!QSettings().contains(kTokenKey));
    }

    void deviceFingerprint()
    {
        const QString fingerprint = olm::repair::deviceFingerprint();
        QVERIFY(QRegularExpression(QStringLiteral("^[0-9a-f]{64}$")).match(fingerprint).hasMatch());
        QCOMPARE(olm::repair::deviceFingerprint(), fingerprint);
        const QByteArray machine = QSysInfo::machineUniqueId();
        if (!machine.isEmpty()) {
            QCOMPARE(fingerprint, QString::fromLatin1(QCryptographicHash::hash("korvex.file_repair:" + machine,
                                      QCryptographicHash::Sha256).toHex()));
            QVERIFY(!QSettings().contains(kLocalIdKey));
        } else {
            // The substitute identity is made once and kept.
            const QByteArray localId = QSettings().value(kLocalIdKey).toByteArray();
            QVERIFY(QRegularExpression(QStringLiteral("^[0-9a-f-]{36}$")).match(QString::fromLatin1(localId)).hasMatch());
            QCOMPARE(fingerprint, QString::fromLatin1(QCryptographicHash::hash("korvex.file_repair:" + localId,
                                      QCryptographicHash::Sha256).toHex()));
        }
    }
};

QTEST_MAIN(AccountTokenStoreTest)
#include "account_token_store_test.moc"
