// The user-scope protection of small secrets and its wrapping key file.

#include "platform/secure_random.h"
#include "platform/user_data_protection.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <memory>

using namespace olm::repair;

class UserDataProtectionTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> profile_;

    QString keyFile() const { return UserDataProtection::keyFolderPath() + QStringLiteral("/wrapping.key"); }
    static QFileDevice::Permissions othersMask()
    {
        return QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther
            | QFileDevice::WriteOther | QFileDevice::ExeOther;
    }

private slots:
    void init()
    {
        profile_ = std::make_unique<QTemporaryDir>();
        QVERIFY(profile_->isValid());
        qputenv("XDG_DATA_HOME", QFile::encodeName(profile_->filePath(QStringLiteral("data"))));
    }

    void randomBytesAreFilled()
    {
        QByteArray a(64, '\0'), b(64, '\0');
        QCOMPARE(fillSecureRandom(a.data(), a.size()), 0);
        QCOMPARE(fillSecureRandom(b.data(), b.size()), 0);
        QVERIFY(a != b);
        QVERIFY(a != QByteArray(64, '\0'));
    }

    void protectsAndUnprotectsWithAPrivateKeyFile()
    {
        QVERIFY(!QFile::exists(keyFile()));
        const QByteArray secret("refresh-token-0123456789");
        int code = -1;
        const QByteArray blob = UserDataProtection::protect(secret, &code);
        QVERIFY(!blob.isEmpty());
        QVERIFY(!blob.contains(secret));
        QVERIFY(UserDataProtection::protect(secret) != blob);

        QCOMPARE(QFileInfo(keyFile()).size(), 32);
        QCOMPARE(QFileInfo(keyFile()).permissions() & othersMask(), QFileDevice::Permissions());
        QCOMPARE(QFileInfo(UserDataProtection::keyFolderPath()).permissions() & othersMask(), QFileDevice::Permissions());
        QCOMPARE(QDir(UserDataProtection::keyFolderPath()).entryList(QDir::Files), QStringList{QStringLiteral("wrapping.key")});

        const std::optional<QByteArray> opened = UserDataProtection::unprotect(blob);
        QVERIFY(opened.has_value());
        QCOMPARE(*opened, secret);
        const std::optional<QByteArray> empty = UserDataProtection::unprotect(UserDataProtection::protect(QByteArray()));
        QVERIFY(empty.has_value() && empty->isEmpty());
    }

    void damagedValuesDoNotOpen()
    {
        const QByteArray blob = UserDataProtection::protect(QByteArray("secret"));
        for (int i = 0; i < blob.size(); ++i) {
            QByteArray damaged = blob;
            damaged[i] = static_cast<char>(damaged[i] ^ 0x20);
            int code = 0;
            QVERIFY2(!UserDataProtection::unprotect(damaged, &code).has_value(), qPrintable(QString::number(i)));
            QCOMPARE(code, EBADMSG);
        }
        QVERIFY(!UserDataProtection::unprotect(blob.left(blob.size() - 1)).has_value());
        QVERIFY(!UserDataProtection::unprotect(QByteArray()).has_value());
    }

    // Another account has another wrapping key: a value from there does not open here.
    void aValueUnderAnotherKeyDoesNotOpen()
    {
        const QByteArray blob = UserDataProtection::protect(QByteArray("secret"));
        QVERIFY(QDir(UserDataProtection::keyFolderPath()).removeRecursively());
        int code = 0;
        QVERIFY(!UserDataProtection::unprotect(blob, &code).has_value());
        QCOMPARE(code, ENOKEY);
        QVERIFY(!QFile::exists(keyFile())); // opening never creates a key

        QVERIFY(!UserDataProtection::protect(QByteArray("other")).isEmpty());
        QVERIFY(!UserDataProtection::unprotect(blob, &code).has_value());
        QCOMPARE(code, EBADMSG);
    }

    void anExposedOrDamagedKeyFileIsRefusedAndKept()
    {
        const QByteArray blob = UserDataProtection::protect(QByteArray("secret"));
        QFile key(keyFile());
        const QByteArray keyBytes = [&] { QFile f(keyFile()); f.open(QIODevice::ReadOnly); return f.readAll(); }();
        QVERIFY(key.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther));
        int code = 0;
        QVERIFY(!UserDataProtection::unprotect(blob, &code).has_value());
        QCOMPARE(code, EPERM);
        QVERIFY(UserDataProtection::protect(QByteArray("x"), &code).isEmpty());
        QCOMPARE(code, EPERM);

        QVERIFY(key.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner));
        QVERIFY(key.open(QIODevice::WriteOnly | QIODevice::Append));
        key.write("!");
        key.close();
        QVERIFY(UserDataProtection::protect(QByteArray("x"), &code).isEmpty());
        QCOMPARE(code, EINVAL);
        QCOMPARE(QFileInfo(keyFile()).size(), 33); // kept as it is, never replaced
        QVERIFY(keyBytes.size() == 32);
    }
};

QTEST_GUILESS_MAIN(UserDataProtectionTest)
#include "user_data_protection_test.moc"
