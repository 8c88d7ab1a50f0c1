#define KORVEX_TR_CONTEXT "olm::repair::EncryptedFileStore"
#include "common/ui_tr.h"

#include "app/encrypted_file_store.h"
#include "app/incremental_aead.h"
#include "common/regular_file.h"
#include "common/save_file_commit.h"
#include "platform/secure_random.h"
#include "platform/user_data_protection.h"
#include "services/session_cache.h"

#include <QDataStream>
#include <QDebug>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>
#include <QtEndian>

#include <sodium.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <vector>

namespace olm::repair::EncryptedFileStore {

namespace {

constexpr qsizetype kKeySize = 32;
constexpr int kStaleLockMs = 30000;
constexpr int kLockWaitMs = 5000;

struct ContainerHeader {
    qint32 chunkSize = kChunkSize;
    qint64 plainSize = 0;
    QByteArray nonce;
};

void setError(UiText* error, const UiText& text)
{
    if (error != nullptr)
        *error = text;
}

void wipe(QByteArray& bytes)
{
    if (!bytes.isEmpty())
        sodium_memzero(bytes.data(), static_cast<size_t>(bytes.size()));
    bytes.clear();
}

// Plain chunks and keys live in buffers that are wiped whenever they are released, so every early
// return leaves nothing behind.
class SecretBuffer {
public:
    explicit SecretBuffer(std::size_t size) : bytes_(std::max<std::size_t>(size, 1)) {}
    ~SecretBuffer() { wipe(); }
    SecretBuffer(const SecretBuffer&) = delete;
    SecretBuffer& operator=(const SecretBuffer&) = delete;
    unsigned char* data() { return bytes_.data(); }
    void wipe() { sodium_memzero(bytes_.data(), bytes_.size()); }

private:
    std::vector<unsigned char> bytes_;
};

class ContextGuard {
public:
    explicit ContextGuard(aead::Context& context) : context_(context) {}
    ~ContextGuard() { aead::wipe(context_); }
    ContextGuard(const ContextGuard&) = delete;
    ContextGuard& operator=(const ContextGuard&) = delete;

private:
    aead::Context& context_;
};

bool cryptoReady()
{
    // Thread-safe and idempotent; picks the fastest primitive implementations.
    return sodium_init() >= 0;
}

bool secureRandomBytes(QByteArray& out, qsizetype size, UiText* error)
{
    out = QByteArray(size, '\0');
    const int status = fillSecureRandom(out.data(), static_cast<std::size_t>(size));
    if (status != 0) {
        wipe(out);
        setError(error, uiTr("系统安全随机数生成失败（状态 %1）").arg(static_cast<unsigned long long>(static_cast<unsigned>(status))));
        return false;
    }
    return true;
}

QString masterKeySettingsPath(UiText* error)
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    const QString folder = base + QStringLiteral("/security");
    if (base.isEmpty() || !QDir().mkpath(folder)) {
        setError(error, uiTr("无法创建应用私有安全配置目录"));
        return {};
    }
    // Keep other accounts out of the folder before anything is stored in it.
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return folder + QLatin1Char('/') + QLatin1String(kMasterKeyFileName);
}

UiText unsafeWrappingKeyText()
{
    return uiTr("用户数据保护密钥文件 %1 的权限不安全（只允许当前用户读写），已拒绝使用").arg(UserDataProtection::keyFilePath());
}

QByteArray createMasterKey(QSettings& settings, const QString& path, UiText* error)
{
    QByteArray key;
    if (!secureRandomBytes(key, kKeySize, error))
        return {};
    int code = 0;
    const QByteArray protectedKey = UserDataProtection::protect(key, &code);
    if (protectedKey.isEmpty()) {
        wipe(key);
        if (code == EPERM) {
            setError(error, unsafeWrappingKeyText());
            return {};
        }
        setError(error, uiTr("用户数据保护无法保护临时结果主密钥（错误 %1）").arg(static_cast<unsigned long long>(static_cast<unsigned>(code))));
        return {};
    }
    settings.setValue(QLatin1String(kMasterKeySetting), protectedKey.toBase64());
    settings.sync();
    if (settings.status() != QSettings::NoError) {
        wipe(key);
        setError(error, uiTr("无法在应用私有设置中保存受保护的主密钥"));
        return {};
    }
    if (!QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        qWarning("Could not restrict the permissions of the result-store key file");
    return key;
}

std::atomic<bool> masterKeyReplaced{false};

// True while any sealed container is left in the cache, of this or another instance: those were
// sealed under the stored master key, which must then not be replaced.
bool sealedResultsRemain()
{
    const QString root = repairOutputPath();
    if (root.isEmpty())
        return false;
    QDirIterator it(root, {QStringLiteral("*.drcache")}, QDir::Files | QDir::Hidden | QDir::NoSymLinks,
                    QDirIterator::Subdirectories);
    return it.hasNext();
}

QByteArray loadOrCreateMasterKey(UiText* error)
{
    const QString path = masterKeySettingsPath(error);
    if (path.isEmpty())
        return {};
    QLockFile lock(QFileInfo(path).absolutePath() + QLatin1Char('/') + QLatin1String(kMasterKeyLockFileName));
    lock.setStaleLockTime(kStaleLockMs);
    if (!lock.tryLock(kLockWaitMs)) {
        setError(error, uiTr("无法锁定应用私有主密钥存储"));
        return {};
    }

    // A key file that exists but cannot be read must never be mistaken for "no key yet": writing a
    // new key over it would make every sealed result of this and other instances unreadable.
    const UiText unreadable = uiTr("无法读取应用私有主密钥存储");
    if (QFileInfo::exists(path)) {
        QFile probe(path);
        if (!probe.open(QIODevice::ReadOnly)) {
            setError(error, unreadable);
            return {};
        }
    }
    QSettings settings(path, QSettings::IniFormat);
    if (settings.status() != QSettings::NoError) {
        setError(error, unreadable);
        return {};
    }
    // Lenient decoding: characters outside the alphabet are skipped.
    const QByteArray blob = QByteArray::fromBase64(settings.value(QLatin1String(kMasterKeySetting)).toByteArray());
    if (blob.isEmpty())
        return createMasterKey(settings, path, error);

    int code = 0;
    std::optional<QByteArray> plain = UserDataProtection::unprotect(blob, &code);
    if (!plain && code == EPERM) {
        // A wrapping key others could read or replace is refused, never silently replaced.
        setError(error, unsafeWrappingKeyText());
        return {};
    }
    // A value that can never open again (its wrapping key is gone, or it is damaged) is replaced
    // once nothing sealed under it is left; while sealed results remain it is kept.
    if (!plain && (code == ENOKEY || code == EBADMSG) && !sealedResultsRemain()) {
        qWarning("The result-store master key can no longer be opened and is replaced");
        QByteArray key = createMasterKey(settings, path, error);
        if (!key.isEmpty())
            masterKeyReplaced.store(true);
        return key;
    }
    if (!plain) {
        setError(error, uiTr("用户数据保护无法解锁临时结果主密钥（错误 %1）").arg(static_cast<unsigned long long>(static_cast<unsigned>(code))));
        return {};
    }
    QByteArray key = std::move(*plain);
    plain.reset();
    if (key.size() != kKeySize) {
        wipe(key);
        setError(error, uiTr("受保护的主密钥长度无效"));
        return {};
    }
    return key;
}

bool deriveFileKey(const QByteArray& nonce, unsigned char (&fileKey)[aead::kKeySize], UiText* error)
{
    QByteArray master = loadOrCreateMasterKey(error);
    if (master.size() != kKeySize) {
        if (!master.isEmpty()) {
            wipe(master);
            setError(error, uiTr("受保护的主密钥长度无效"));
        }
        return false;
    }
    crypto_generichash(fileKey, aead::kKeySize, reinterpret_cast<const unsigned char*>(nonce.constData()),
                       static_cast<unsigned long long>(nonce.size()),
                       reinterpret_cast<const unsigned char*>(master.constData()), kKeySize);
    wipe(master);
    return true;
}

bool initContext(aead::Context& context, const ContainerHeader& header, UiText* error)
{
    unsigned char fileKey[aead::kKeySize];
    if (!deriveFileKey(header.nonce, fileKey, error))
        return false;
    aead::initX(context, fileKey, reinterpret_cast<const unsigned char*>(header.nonce.constData()));
    sodium_memzero(fileKey, sizeof fileKey);
    return true;
}

QByteArray serializeHeader(const ContainerHeader& header)
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream.setByteOrder(QDataStream::LittleEndian);
    stream.writeRawData(kMagic, 8);
    stream << kVersion << header.chunkSize << header.plainSize << static_cast<quint32>(header.nonce.size());
    stream.writeRawData(header.nonce.constData(), static_cast<int>(header.nonce.size()));
    return bytes;
}

QByteArray chunkAssociatedData(const QByteArray& headerBytes, qint64 index, qint64 length)
{
    QByteArray ad = headerBytes;
    char numbers[16];
    qToLittleEndian<qint64>(index, numbers);
    qToLittleEndian<qint64>(length, numbers + 8);
    ad.append(numbers, sizeof numbers);
    return ad;
}

// Every container has at least one record; the division form cannot overflow.
qint64 chunkCount(qint64 plainSize)
{
    const qint64 count = plainSize / kChunkSize + (plainSize % kChunkSize != 0 ? 1 : 0);
    return std::max<qint64>(count, 1);
}

// One plain and one cipher chunk, bounded by the chunk size whatever a header claims, and the
// number of records for the plain size.
struct ChunkBuffers {
    explicit ChunkBuffers(qint64 plainSize)
        : plain(static_cast<std::size_t>(std::min<qint64>(plainSize, kChunkSize))),
          cipher(static_cast<std::size_t>(std::clamp<qint64>(plainSize, 1, kChunkSize))),
          count(chunkCount(plainSize))
    {
    }
    SecretBuffer plain;
    std::vector<unsigned char> cipher;
    qint64 count;
};

qint64 readFully(QIODevice& device, void* buffer, qint64 size)
{
    auto* out = static_cast<char*>(buffer);
    qint64 done = 0;
    while (done < size) {
        const qint64 got = device.read(out + done, size - done);
        if (got <= 0)
            break;
        done += got;
    }
    return done;
}

bool writeFully(QIODevice& device, const void* data, qint64 size)
{
    return size == 0 || device.write(static_cast<const char*>(data), size) == size;
}

// A write that failed because the disk is full or the file reached the system's file-size limit
// (RLIMIT_FSIZE): that errno, else 0. The device keeps only the system's text, so it is compared
// too, for a failure that surfaced at a later flush or commit.
int limitErrorOf(int code, const QString& text)
{
    for (const int known : {ENOSPC, EDQUOT, EFBIG})
        if (code == known || (!text.isEmpty() && text == qt_error_string(known)))
            return known;
    return 0;
}

// Why writing the plain result failed, when a limit the user can act on was hit.
UiText decryptWriteFailure(int limitError, const UiText& otherwise)
{
    switch (limitError) {
    case ENOSPC:
    case EDQUOT: return uiTr("写入解密结果失败：目标磁盘已满");
    case EFBIG: return uiTr("写入解密结果失败：文件大小超过了系统对单个文件的上限");
    default: return otherwise;
    }
}

// Why sealing failed, when the cache's disk or the file-size limit was too small for the result.
UiText sealWriteFailure(int limitError, const UiText& otherwise)
{
    switch (limitError) {
    case ENOSPC:
    case EDQUOT: return uiTr("应用缓存磁盘已满，无法封存修复结果");
    case EFBIG: return uiTr("封存修复结果时文件大小超过了系统对单个文件的上限");
    default: return otherwise;
    }
}

bool readContainerHeader(QIODevice& file, ContainerHeader& header, UiText* error)
{
    char magic[8];
    if (readFully(file, magic, sizeof magic) != sizeof magic || std::memcmp(magic, kMagic, sizeof magic) != 0) {
        setError(error, uiTr("临时结果不是 Korvex 加密容器"));
        return false;
    }
    const UiText invalid = uiTr("临时结果加密容器头无效");
    char fields[18];
    if (readFully(file, fields, sizeof fields) != sizeof fields) {
        setError(error, invalid);
        return false;
    }
    const auto version = qFromLittleEndian<qint16>(fields);
    header.chunkSize = qFromLittleEndian<qint32>(fields + 2);
    header.plainSize = qFromLittleEndian<qint64>(fields + 6);
    const auto nonceSize = qFromLittleEndian<quint32>(fields + 14);
    // The nonce length is checked before any nonce byte is read, and a negative plain size would
    // make every later length computation meaningless: both fail here, before any allocation.
    if (version != kVersion || header.chunkSize != kChunkSize || nonceSize != kNonceSize || header.plainSize < 0) {
        setError(error, invalid);
        return false;
    }
    header.nonce = QByteArray(kNonceSize, '\0');
    if (readFully(file, header.nonce.data(), kNonceSize) != kNonceSize) {
        setError(error, invalid);
        return false;
    }
    return true;
}

} // namespace

bool takeMasterKeyReplacedNotice() { return masterKeyReplaced.exchange(false); }

bool encryptFile(const QString& sourcePath, const QString& containerPath, UiText* error, SealedContainer* sealed,
                 const SealProgress& progress)
{
    QFile source;
    UiText openError;
    // Unbuffered, so no copy of the plain bytes stays in the device's buffer.
    if (!openRegularFile(source, sourcePath, &openError, QIODevice::Unbuffered) || source.size() < 0) {
        setError(error, uiTr("无法读取待加密修复结果：%1").arg(openError.isEmpty() ? UiText(source.errorString()) : openError));
        return false;
    }
    ContainerHeader header;
    header.plainSize = source.size();
    if (!cryptoReady() || !secureRandomBytes(header.nonce, kNonceSize, error))
        return false;
    aead::Context context;
    ContextGuard contextGuard(context);
    if (!initContext(context, header, error))
        return false;

    QSaveFile container(containerPath);
    container.setDirectWriteFallback(false);
    if (!container.open(QIODevice::WriteOnly)) {
        setError(error, uiTr("无法创建加密临时结果：%1").arg(container.errorString()));
        return false;
    }
    // A sealed result is the user's own business, like the plain copies it replaces.
    container.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    const QByteArray headerBytes = serializeHeader(header);
    errno = 0;
    if (headerBytes.size() != kHeaderSize || !writeFully(container, headerBytes.constData(), kHeaderSize)) {
        const int limit = limitErrorOf(errno, container.errorString());
        container.cancelWriting();
        setError(error, sealWriteFailure(limit, uiTr("无法写入加密临时结果头")));
        return false;
    }

    ChunkBuffers buffers(header.plainSize);
    SecretBuffer& plain = buffers.plain;
    std::vector<unsigned char>& cipher = buffers.cipher;
    qint64 done = 0;
    qint64 written = kHeaderSize;
    unsigned char tag[aead::kTagSize] = {};
    for (qint64 index = 0; index < buffers.count; ++index) {
        const qint64 length = std::min<qint64>(header.plainSize - done, kChunkSize);
        if (readFully(source, plain.data(), length) != length) {
            plain.wipe();
            container.cancelWriting();
            setError(error, uiTr("读取待加密修复结果失败：%1").arg(source.errorString()));
            return false;
        }
        const QByteArray ad = chunkAssociatedData(headerBytes, index, length);
        std::memset(tag, 0, sizeof tag);
        aead::write(context, cipher.data(), tag, reinterpret_cast<const unsigned char*>(ad.constData()),
                    static_cast<std::size_t>(ad.size()), plain.data(), static_cast<std::size_t>(length));
        plain.wipe();
        char lengthField[4];
        qToLittleEndian<qint32>(static_cast<qint32>(length), lengthField);
        errno = 0;
        if (!writeFully(container, lengthField, sizeof lengthField) || !writeFully(container, tag, sizeof tag)
            || !writeFully(container, cipher.data(), length)) {
            const int limit = limitErrorOf(errno, container.errorString());
            container.cancelWriting();
            setError(error, sealWriteFailure(limit, uiTr("写入加密临时结果失败")));
            return false;
        }
        done += length;
        written += kRecordHeaderSize + length;
        if (progress && !progress(done, header.plainSize)) {
            container.cancelWriting();
            setError(error, uiTr("写入加密临时结果失败"));
            return false;
        }
    }
    aead::wipe(context);
    QString commitError;
    errno = 0;
    if (!commitSaveFile(container, &commitError)) {
        setError(error, sealWriteFailure(limitErrorOf(errno, commitError),
                                         uiTr("提交加密临时结果失败：%1").arg(commitError)));
        return false;
    }
    if (sealed != nullptr) {
        sealed->size = written;
        sealed->lastTag = QByteArray(reinterpret_cast<const char*>(tag), sizeof tag);
    }
    return true;
}

bool decryptFile(const QString& containerPath, const QString& outputPath, UiText* error,
                 const SealedContainer* expectedSeal, const SealProgress& progress)
{
    QFile file;
    UiText openError;
    if (!openRegularFile(file, containerPath, &openError)) {
        setError(error, uiTr("无法读取加密临时结果：%1").arg(openError));
        return false;
    }
    // Another container put in this one's place (another task's result, sealed under the same
    // master key) would open cleanly: its length is checked first, its last tag at the end.
    const UiText foreign = uiTr("加密临时结果不是本次修复封存的结果，已拒绝使用");
    if (expectedSeal != nullptr && file.size() != expectedSeal->size) {
        setError(error, foreign);
        return false;
    }
    ContainerHeader header;
    if (!readContainerHeader(file, header, error) || !cryptoReady())
        return false;
    const QByteArray headerBytes = serializeHeader(header);
    aead::Context context;
    ContextGuard contextGuard(context);
    if (!initContext(context, header, error))
        return false;

    if (!QDir().mkpath(QFileInfo(outputPath).absolutePath())) {
        setError(error, uiTr("无法创建解密输出目录"));
        return false;
    }
    QSaveFile output(outputPath);
    output.setDirectWriteFallback(false);
    if (!output.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        setError(error, uiTr("无法创建解密输出：%1").arg(output.errorString()));
        return false;
    }
    // Owner-only from the first byte, not only after the commit.
    output.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);

    auto fail = [&](const UiText& text) {
        output.cancelWriting();
        setError(error, text);
        return false;
    };
    ChunkBuffers buffers(header.plainSize);
    SecretBuffer& plain = buffers.plain;
    std::vector<unsigned char>& cipher = buffers.cipher;
    qint64 done = 0;
    unsigned char tag[aead::kTagSize] = {};
    for (qint64 index = 0; index < buffers.count; ++index) {
        const qint64 expected = std::min<qint64>(header.plainSize - done, kChunkSize);
        char lengthField[4];
        if (readFully(file, lengthField, sizeof lengthField) != sizeof lengthField
            || qFromLittleEndian<qint32>(lengthField) != expected)
            return fail(uiTr("加密临时结果分块记录无效"));
        if (readFully(file, tag, sizeof tag) != sizeof tag || readFully(file, cipher.data(), expected) != expected)
            return fail(uiTr("加密临时结果已被截断"));
        const QByteArray ad = chunkAssociatedData(headerBytes, index, expected);
        if (!aead::read(context, plain.data(), tag, reinterpret_cast<const unsigned char*>(ad.constData()),
                        static_cast<std::size_t>(ad.size()), cipher.data(), static_cast<std::size_t>(expected))) {
            plain.wipe();
            return fail(uiTr("加密临时结果认证失败，文件可能已损坏或被篡改"));
        }
        errno = 0;
        const bool written = writeFully(output, plain.data(), expected);
        const int limit = written ? 0 : limitErrorOf(errno, output.errorString());
        plain.wipe();
        if (!written)
            return fail(decryptWriteFailure(limit, uiTr("写入解密结果失败")));
        done += expected;
        if (progress && !progress(done, header.plainSize))
            return fail(uiTr("解密已停止"));
    }
    aead::wipe(context);
    char extra = 0;
    if (done != header.plainSize || file.read(&extra, 1) != 0)
        return fail(uiTr("加密临时结果完整性检查失败"));
    if (expectedSeal != nullptr && QByteArray(reinterpret_cast<const char*>(tag), sizeof tag) != expectedSeal->lastTag)
        return fail(foreign);
    QString commitError;
    errno = 0;
    if (!commitSaveFile(output, &commitError)) {
        setError(error, decryptWriteFailure(limitErrorOf(errno, commitError), uiTr("提交解密结果失败：%1").arg(commitError)));
        return false;
    }
    QFile::setPermissions(outputPath, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return true;
}

} // namespace olm::repair::EncryptedFileStore
