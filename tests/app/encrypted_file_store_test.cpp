// The sealed result container and its master-key store, on a private configuration folder.

#define KORVEX_TR_CONTEXT "olm::repair::EncryptedFileStore"
#include "common/ui_tr.h"

#include "app/encrypted_file_store.h"
#include "app/incremental_aead.h"
#include "services/session_cache.h"
#include "platform/user_data_protection.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRandomGenerator>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <sodium.h>

#include <memory>

#include <sys/stat.h>

using namespace olm::repair;
namespace store = olm::repair::EncryptedFileStore;

namespace {

QByteArray randomBytes(qsizetype size)
{
    QByteArray bytes(size, '\0');
    randombytes_buf(bytes.data(), static_cast<size_t>(size));
    return bytes;
}

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString text(const char* source) { return uiTr(source).toString(); }

} // namespace

class EncryptedFileStoreTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> profile_;
    QString work_;

    QString configFolder() const
    {
        return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + QStringLiteral("/security");
    }
    QString iniPath() const { return configFolder() + QLatin1Char('/') + QLatin1String(store::kMasterKeyFileName); }

    // Seals `plain` and returns the container's bytes.
    QByteArray seal(const QByteArray& plain)
    {
        const QString source = work_ + QStringLiteral("/plain.bin");
        const QString container = work_ + QStringLiteral("/sealed.drcache");
        if (!writeBytes(source, plain))
            return {};
        UiText error;
        if (!store::encryptFile(source, container, &error)) {
            qWarning() << "sealing failed:" << error;
            return {};
        }
        return readBytes(container);
    }

    // Opens container bytes; returns the error text ("" on success) and leaves the plain bytes in `plain`.
    QString open(const QByteArray& container, QByteArray* plain = nullptr)
    {
        const QString path = work_ + QStringLiteral("/opened.drcache");
        const QString output = work_ + QStringLiteral("/out/plain.bin");
        QFile::remove(output);
        writeBytes(path, container);
        UiText error;
        const bool ok = store::decryptFile(path, output, &error);
        if (!ok && QFile::exists(output))
            return QStringLiteral("output written despite failure");
        if (ok && plain != nullptr)
            *plain = readBytes(output);
        return ok ? QString() : error.toString();
    }

private slots:
    void initTestCase()
    {
        QCoreApplication::setOrganizationName(QStringLiteral("KorvexTests"));
        QCoreApplication::setApplicationName(QStringLiteral("Result Store"));
    }

    // Every test starts with an empty configuration and data location: no key yet.
    void init()
    {
        profile_ = std::make_unique<QTemporaryDir>();
        QVERIFY(profile_->isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(profile_->filePath(QStringLiteral("config"))));
        qputenv("XDG_DATA_HOME", QFile::encodeName(profile_->filePath(QStringLiteral("data"))));
        qputenv("XDG_CACHE_HOME", QFile::encodeName(profile_->filePath(QStringLiteral("cache"))));
        work_ = profile_->filePath(QStringLiteral("work"));
        QVERIFY(QDir().mkpath(work_));
    }

    void firstChunkIsXChaCha20Poly1305AndLaterChunksChain()
    {
        const QByteArray key = randomBytes(32);
        const QByteArray nonce = randomBytes(24);
        const QByteArray ad = randomBytes(66);
        const QByteArray first = randomBytes(1000);
        const QByteArray second = randomBytes(333);
        const auto* k = reinterpret_cast<const unsigned char*>(key.constData());
        const auto* n = reinterpret_cast<const unsigned char*>(nonce.constData());
        const auto* a = reinterpret_cast<const unsigned char*>(ad.constData());

        aead::Context context;
        aead::initX(context, k, n);
        QByteArray c1(first.size(), '\0'), c2(second.size(), '\0');
        unsigned char t1[16], t2[16];
        aead::write(context, reinterpret_cast<unsigned char*>(c1.data()), t1, a, 66,
                    reinterpret_cast<const unsigned char*>(first.constData()), first.size());
        aead::write(context, reinterpret_cast<unsigned char*>(c2.data()), t2, a, 66,
                    reinterpret_cast<const unsigned char*>(second.constData()), second.size());

        // Message 0: XChaCha20-Poly1305-IETF under the same key and nonce.
        QByteArray expected1(first.size(), '\0');
        unsigned char expectedTag1[16];
        crypto_aead_xchacha20poly1305_ietf_encrypt_detached(
            reinterpret_cast<unsigned char*>(expected1.data()), expectedTag1, nullptr,
            reinterpret_cast<const unsigned char*>(first.constData()), first.size(), a, 66, nullptr, n, k);
        QCOMPARE(c1, expected1);
        QCOMPARE(QByteArray(reinterpret_cast<char*>(t1), 16), QByteArray(reinterpret_cast<char*>(expectedTag1), 16));

        // Message 1: ChaCha20-Poly1305-IETF under bytes 32..63 of the first XChaCha20 block.
        unsigned char block[64];
        crypto_stream_xchacha20(block, sizeof block, n, k);
        unsigned char nonce12[12] = {};
        std::memcpy(nonce12 + 4, n + 16, 8);
        QByteArray expected2(second.size(), '\0');
        unsigned char expectedTag2[16];
        crypto_aead_chacha20poly1305_ietf_encrypt_detached(
            reinterpret_cast<unsigned char*>(expected2.data()), expectedTag2, nullptr,
            reinterpret_cast<const unsigned char*>(second.constData()), second.size(), a, 66, nullptr, nonce12,
            block + 32);
        QCOMPARE(c2, expected2);
        QCOMPARE(QByteArray(reinterpret_cast<char*>(t2), 16), QByteArray(reinterpret_cast<char*>(expectedTag2), 16));

        // Opening: message 1 cannot open first; a failed attempt leaves the context usable.
        aead::Context reader;
        aead::initX(reader, k, n);
        QByteArray plain(second.size(), 'x');
        QVERIFY(!aead::read(reader, reinterpret_cast<unsigned char*>(plain.data()), t2, a, 66,
                            reinterpret_cast<const unsigned char*>(c2.constData()), c2.size()));
        QCOMPARE(plain, QByteArray(second.size(), 'x'));
        QByteArray plain1(first.size(), '\0'), plain2(second.size(), '\0');
        QVERIFY(aead::read(reader, reinterpret_cast<unsigned char*>(plain1.data()), t1, a, 66,
                           reinterpret_cast<const unsigned char*>(c1.constData()), c1.size()));
        QVERIFY(aead::read(reader, reinterpret_cast<unsigned char*>(plain2.data()), t2, a, 66,
                           reinterpret_cast<const unsigned char*>(c2.constData()), c2.size()));
        QCOMPARE(plain1, first);
        QCOMPARE(plain2, second);
    }

    void sealsAndOpensAcrossChunkBoundaries_data()
    {
        QTest::addColumn<qint64>("size");
        QTest::newRow("empty") << qint64(0);
        QTest::newRow("one byte") << qint64(1);
        QTest::newRow("exactly 4 MiB") << qint64(store::kChunkSize);
        QTest::newRow("4 MiB + 1") << qint64(store::kChunkSize) + 1;
        QTest::newRow("three chunks") << qint64(store::kChunkSize) * 2 + 12345;
    }

    void sealsAndOpensAcrossChunkBoundaries()
    {
        QFETCH(qint64, size);
        const QByteArray plain = randomBytes(size);
        const QByteArray container = seal(plain);
        QVERIFY(!container.isEmpty());

        QCOMPARE(container.left(8), QByteArray("KRVXSEC2"));
        QCOMPARE(qFromLittleEndian<qint16>(container.constData() + 8), qint16(2));
        QCOMPARE(qFromLittleEndian<qint32>(container.constData() + 10), store::kChunkSize);
        QCOMPARE(qFromLittleEndian<qint64>(container.constData() + 14), size);
        QCOMPARE(qFromLittleEndian<quint32>(container.constData() + 22), 24u);

        // Walk the records: their lengths are min(rest, 4 MiB), at least one record, nothing after.
        qint64 pos = store::kHeaderSize;
        qint64 rest = size;
        int records = 0;
        do {
            const qint32 length = qFromLittleEndian<qint32>(container.constData() + pos);
            QCOMPARE(qint64(length), std::min<qint64>(rest, store::kChunkSize));
            pos += store::kRecordHeaderSize + length;
            rest -= length;
            ++records;
        } while (rest > 0);
        QCOMPARE(pos, qint64(container.size()));
        QCOMPARE(records, size == 0 ? 1 : int((size + store::kChunkSize - 1) / store::kChunkSize));
        if (size == 0)
            QCOMPARE(container.size(), 70);

        QByteArray opened;
        QCOMPARE(open(container, &opened), QString());
        QCOMPARE(opened.size(), plain.size());
        QVERIFY(opened == plain);
        const QFileInfo output(work_ + QStringLiteral("/out/plain.bin"));
        QCOMPARE(output.permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther | QFileDevice::WriteOther),
                 QFileDevice::Permissions());
    }

    void everyHeaderByteIsChecked()
    {
        const QByteArray container = seal(randomBytes(100));
        QVERIFY(!container.isEmpty());
        const QString notContainer = text("临时结果不是 Korvex 加密容器");
        const QString badHeader = text("临时结果加密容器头无效");
        const QString badRecord = text("加密临时结果分块记录无效");
        const QString badTag = text("加密临时结果认证失败，文件可能已损坏或被篡改");
        for (int offset = 0; offset < store::kHeaderSize; ++offset) {
            QByteArray damaged = container;
            damaged[offset] = static_cast<char>(damaged[offset] ^ 0x01);
            const QString error = open(damaged);
            if (offset < 8)
                QCOMPARE(error, notContainer);
            else if (offset < 14 || (offset >= 22 && offset < 26))
                QCOMPARE(error, badHeader);
            else if (offset < 22)
                QVERIFY2(error == badRecord || error == badTag, qPrintable(QString::number(offset) + ": " + error));
            else
                QCOMPARE(error, badTag);
        }
    }

    // Hostile header values are refused before anything is read or allocated for them.
    void hostileHeaderValuesAreRefused()
    {
        const QByteArray container = seal(randomBytes(5));
        QVERIFY(!container.isEmpty());
        const QString badHeader = text("临时结果加密容器头无效");

        // A negative plain size with a record claiming the same negative length.
        QByteArray negative = container;
        qToLittleEndian<qint64>(-5, negative.data() + 14);
        qToLittleEndian<qint32>(-5, negative.data() + store::kHeaderSize);
        QCOMPARE(open(negative), badHeader);

        QByteArray huge = container;
        qToLittleEndian<qint64>(std::numeric_limits<qint64>::max(), huge.data() + 14);
        QCOMPARE(open(huge), text("加密临时结果分块记录无效"));

        QByteArray nonceLength = container;
        qToLittleEndian<quint32>(0xFFFFFFFFu, nonceLength.data() + 22);
        QCOMPARE(open(nonceLength), badHeader);

        QCOMPARE(open(container.left(30)), badHeader);
        QCOMPARE(open(QByteArray("KRVX")), text("临时结果不是 Korvex 加密容器"));
    }

    void damagedRecordsFailWithoutOutput()
    {
        const qint64 size = qint64(store::kChunkSize) * 2 + 10;
        const QByteArray container = seal(randomBytes(size));
        QVERIFY(!container.isEmpty());
        const qint64 record = store::kRecordHeaderSize + store::kChunkSize;
        const QString badTag = text("加密临时结果认证失败，文件可能已损坏或被篡改");

        QByteArray swapped = container;
        swapped.replace(store::kHeaderSize, record, container.mid(store::kHeaderSize + record, record));
        swapped.replace(store::kHeaderSize + record, record, container.mid(store::kHeaderSize, record));
        QCOMPARE(open(swapped), badTag);

        QByteArray tagFlip = container;
        tagFlip[store::kHeaderSize + record + 4] = static_cast<char>(tagFlip[store::kHeaderSize + record + 4] ^ 0x40);
        QCOMPARE(open(tagFlip), badTag);

        QByteArray cipherFlip = container;
        cipherFlip[container.size() - 1] = static_cast<char>(cipherFlip[container.size() - 1] ^ 0x01);
        QCOMPARE(open(cipherFlip), badTag);

        QCOMPARE(open(container.left(container.size() - 3)), text("加密临时结果已被截断"));
        QCOMPARE(open(container.left(store::kHeaderSize + record + 2)), text("加密临时结果分块记录无效"));
        QCOMPARE(open(container + QByteArray("x")), text("加密临时结果完整性检查失败"));

        // A record moved in from another container of the same size fails too.
        const QByteArray other = seal(randomBytes(size));
        QByteArray mixed = container;
        mixed.replace(mixed.size() - 30, 30, other.right(30));
        QCOMPARE(open(mixed), badTag);
    }

    void aFailedOpenKeepsAnExistingOutput()
    {
        const QByteArray container = seal(QByteArray("payload"));
        const QString output = work_ + QStringLiteral("/keep.txt");
        QVERIFY(writeBytes(output, "previous"));
        QByteArray damaged = container;
        damaged[damaged.size() - 1] = static_cast<char>(damaged[damaged.size() - 1] ^ 0x01);
        QVERIFY(writeBytes(work_ + QStringLiteral("/damaged.drcache"), damaged));
        UiText error;
        QVERIFY(!store::decryptFile(work_ + QStringLiteral("/damaged.drcache"), output, &error));
        QCOMPARE(readBytes(output), QByteArray("previous"));
    }

    void twoSealsOfOneFileDiffer()
    {
        const QByteArray plain = randomBytes(4096);
        const QByteArray first = seal(plain);
        const QByteArray second = seal(plain);
        QCOMPARE(first.size(), second.size());
        QVERIFY(first.mid(26, 24) != second.mid(26, 24));
        QVERIFY(first.mid(store::kHeaderSize) != second.mid(store::kHeaderSize));
        QByteArray opened;
        QCOMPARE(open(second, &opened), QString());
        QCOMPARE(opened, plain);
    }

    void missingSourceAndFolderAreReported()
    {
        UiText error;
        QVERIFY(!store::encryptFile(work_ + QStringLiteral("/absent"), work_ + QStringLiteral("/x.drcache"), &error));
        QVERIFY(error.toString().startsWith(text("无法读取待加密修复结果：%1").left(8)));
        QVERIFY(!QFile::exists(work_ + QStringLiteral("/x.drcache")));

        QVERIFY(writeBytes(work_ + QStringLiteral("/p"), "abc"));
        QVERIFY(!store::encryptFile(work_ + QStringLiteral("/p"), work_ + QStringLiteral("/no/such/x.drcache"), &error));
        QVERIFY(error.toString().startsWith(text("无法创建加密临时结果：%1").left(9)));

        QVERIFY(!store::decryptFile(work_ + QStringLiteral("/absent"), work_ + QStringLiteral("/o"), &error));
        QVERIFY(error.toString().startsWith(text("无法读取加密临时结果：%1").left(9)));
        QVERIFY(!store::decryptFile(work_ + QStringLiteral("/p"), work_ + QStringLiteral("/o"), nullptr));
    }

    void firstUseCreatesOnePrivateKey()
    {
        QVERIFY(!QFile::exists(iniPath()));
        QVERIFY(!seal(QByteArray("first")).isEmpty());
        QVERIFY(QFileInfo(configFolder()).isDir());
        QVERIFY(QFile::exists(iniPath()));
        QVERIFY(!QFile::exists(configFolder() + QLatin1Char('/') + QLatin1String(store::kMasterKeyLockFileName)));
        const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup
            | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
        QCOMPARE(QFileInfo(iniPath()).permissions() & others, QFileDevice::Permissions());
        QCOMPARE(QFileInfo(configFolder()).permissions() & others, QFileDevice::Permissions());
        QCOMPARE(QDir(configFolder()).entryList(QDir::Files), QStringList{QLatin1String(store::kMasterKeyFileName)});

        QSettings settings(iniPath(), QSettings::IniFormat);
        QCOMPARE(settings.allKeys(), QStringList{QLatin1String(store::kMasterKeySetting)});
        const QByteArray stored = settings.value(QLatin1String(store::kMasterKeySetting)).toByteArray();
        const std::optional<QByteArray> key = UserDataProtection::unprotect(QByteArray::fromBase64(stored));
        QVERIFY(key.has_value());
        QCOMPARE(key->size(), 32);

        // Later operations use the same key: an earlier container still opens, the value is unchanged.
        const QByteArray container = seal(QByteArray("second"));
        QByteArray opened;
        QCOMPARE(open(container, &opened), QString());
        QCOMPARE(opened, QByteArray("second"));
        QCOMPARE(QSettings(iniPath(), QSettings::IniFormat).value(QLatin1String(store::kMasterKeySetting)).toByteArray(), stored);
    }

    void aKeyThatCanNoLongerOpenIsKeptWhileSealedResultsNeedIt()
    {
        // A result sealed by a running session waits in the cache.
        const QString cached = repairOutputPath()
            + QStringLiteral("/session-00000000-0000-4000-8000-000000000001/00000000-0000-4000-8000-000000000002/result.drcache");
        QVERIFY(QDir().mkpath(QFileInfo(cached).absolutePath()));
        const QByteArray container = seal(QByteArray("sealed before the key was lost"));
        QVERIFY(!container.isEmpty());
        QVERIFY(writeBytes(cached, container));
        const QByteArray before = readBytes(iniPath());
        // The wrapping key goes away: the stored value can never open again.
        QVERIFY(QDir(UserDataProtection::keyFolderPath()).removeRecursively());

        const QString unlockPrefix = text("用户数据保护无法解锁临时结果主密钥（错误 %1）").section(QStringLiteral("%1"), 0, 0);
        QVERIFY(open(container).startsWith(unlockPrefix));
        UiText error;
        QVERIFY(writeBytes(work_ + QStringLiteral("/p"), "abc"));
        QVERIFY(!store::encryptFile(work_ + QStringLiteral("/p"), work_ + QStringLiteral("/new.drcache"), &error));
        QVERIFY(error.toString().startsWith(unlockPrefix));
        QVERIFY(!QFile::exists(work_ + QStringLiteral("/new.drcache")));
        QCOMPARE(readBytes(iniPath()), before);
        QVERIFY(!store::takeMasterKeyReplacedNotice());

        // Once nothing sealed is left, the next seal makes a new key instead of failing for ever,
        // and says so once.
        QVERIFY(QFile::remove(cached));
        QVERIFY(store::encryptFile(work_ + QStringLiteral("/p"), work_ + QStringLiteral("/new.drcache"), &error));
        QVERIFY(readBytes(iniPath()) != before);
        QVERIFY(store::takeMasterKeyReplacedNotice());
        QVERIFY(!store::takeMasterKeyReplacedNotice());
        QByteArray opened;
        QCOMPARE(open(readBytes(work_ + QStringLiteral("/new.drcache")), &opened), QString());
        QCOMPARE(opened, QByteArray("abc"));
        QVERIFY(!seal(QByteArray("later")).isEmpty());
        QVERIFY(!store::takeMasterKeyReplacedNotice());

        // A damaged stored value is treated the same way.
        QSettings settings(iniPath(), QSettings::IniFormat);
        settings.setValue(QLatin1String(store::kMasterKeySetting), randomBytes(80).toBase64());
        settings.sync();
        QVERIFY(writeBytes(cached, container));
        const QByteArray damaged = readBytes(iniPath());
        QVERIFY(!store::encryptFile(work_ + QStringLiteral("/p"), work_ + QStringLiteral("/other.drcache"), &error));
        QCOMPARE(readBytes(iniPath()), damaged);
        QVERIFY(QFile::remove(cached));
        QVERIFY(store::encryptFile(work_ + QStringLiteral("/p"), work_ + QStringLiteral("/other.drcache"), &error));
        QVERIFY(store::takeMasterKeyReplacedNotice());
    }

    void aWrappingKeyOthersCouldReadIsRefusedAndKept()
    {
        const QByteArray container = seal(QByteArray("sealed"));
        QVERIFY(!container.isEmpty());
        const QString keyFile = UserDataProtection::keyFilePath();
        const QByteArray key = readBytes(keyFile);
        const QByteArray stored = readBytes(iniPath());
        QCOMPARE(key.size(), 32);
        QVERIFY(::chmod(QFile::encodeName(keyFile).constData(), 0644) == 0);

        const QString refused = text("用户数据保护密钥文件 %1 的权限不安全（只允许当前用户读写），已拒绝使用").arg(keyFile);
        QCOMPARE(open(container), refused);
        UiText error;
        QVERIFY(writeBytes(work_ + QStringLiteral("/p"), "abc"));
        QVERIFY(!store::encryptFile(work_ + QStringLiteral("/p"), work_ + QStringLiteral("/new.drcache"), &error));
        QCOMPARE(error.toString(), refused);
        QCOMPARE(readBytes(keyFile), key);
        QCOMPARE(readBytes(iniPath()), stored);
        QVERIFY(!store::takeMasterKeyReplacedNotice());

        // Put right by the user, the same key opens the earlier result again.
        QVERIFY(::chmod(QFile::encodeName(keyFile).constData(), 0600) == 0);
        QByteArray opened;
        QCOMPARE(open(container, &opened), QString());
        QCOMPARE(opened, QByteArray("sealed"));
    }

    void aProtectedKeyOfTheWrongLengthIsRefused()
    {
        QVERIFY(QDir().mkpath(configFolder()));
        QSettings settings(iniPath(), QSettings::IniFormat);
        settings.setValue(QLatin1String(store::kMasterKeySetting), UserDataProtection::protect(randomBytes(16)).toBase64());
        settings.sync();
        QVERIFY(writeBytes(work_ + QStringLiteral("/p"), "abc"));
        UiText error;
        QVERIFY(!store::encryptFile(work_ + QStringLiteral("/p"), work_ + QStringLiteral("/c.drcache"), &error));
        QCOMPARE(error.toString(), text("受保护的主密钥长度无效"));
    }

    void anUnreadableKeyStoreIsNeverOverwritten()
    {
        // A key store that exists but cannot be read (here a folder in its place) must not be
        // mistaken for a first use.
        QVERIFY(QDir().mkpath(iniPath()));
        QVERIFY(writeBytes(work_ + QStringLiteral("/p"), "abc"));
        UiText error;
        QVERIFY(!store::encryptFile(work_ + QStringLiteral("/p"), work_ + QStringLiteral("/c.drcache"), &error));
        QCOMPARE(error.toString(), text("无法读取应用私有主密钥存储"));
        QVERIFY(QFileInfo(iniPath()).isDir());
    }

    void aHeldKeyLockFailsAfterWaiting()
    {
        QVERIFY(QDir().mkpath(configFolder()));
        QLockFile other(configFolder() + QLatin1Char('/') + QLatin1String(store::kMasterKeyLockFileName));
        QVERIFY(other.tryLock(0));
        QVERIFY(writeBytes(work_ + QStringLiteral("/p"), "abc"));
        UiText error;
        QVERIFY(!store::encryptFile(work_ + QStringLiteral("/p"), work_ + QStringLiteral("/c.drcache"), &error));
        QCOMPARE(error.toString(), text("无法锁定应用私有主密钥存储"));
    }
};

QTEST_GUILESS_MAIN(EncryptedFileStoreTest)
#include "encrypted_file_store_test.moc"
