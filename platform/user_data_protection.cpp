#include "platform/user_data_protection.h"

#include "platform/secure_random.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <sodium.h>

#include <array>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace olm::repair::UserDataProtection {

namespace {

constexpr std::size_t kKeySize = crypto_aead_xchacha20poly1305_ietf_KEYBYTES;
constexpr std::size_t kNonceSize = crypto_aead_xchacha20poly1305_ietf_NPUBBYTES;
constexpr std::size_t kTagSize = crypto_aead_xchacha20poly1305_ietf_ABYTES;
constexpr char kMagic[] = {'K', 'X', 'D', 'P', '\x01'};
constexpr std::size_t kMagicSize = sizeof kMagic;
constexpr char kKeyFileName[] = "wrapping.key";

struct WrappingKey {
    std::array<unsigned char, kKeySize> bytes{};
    ~WrappingKey() { sodium_memzero(bytes.data(), bytes.size()); }
};

// The user's id is authenticated with every value: a value and key file copied into another
// account still fail there.
QByteArray associatedData()
{
    return QByteArray(kMagic, kMagicSize) + QByteArray("uid:") + QByteArray::number(static_cast<qulonglong>(::geteuid()));
}

QByteArray keyPath() { return QFile::encodeName(keyFilePath()); }

// Creates the key folder (0700) or tightens an existing one we own.
int prepareKeyFolder()
{
    const QString folder = keyFolderPath();
    if (folder.isEmpty())
        return ENOENT;
    const QString parent = QFileInfo(folder).absolutePath();
    if (!QDir().mkpath(parent))
        return EACCES;
    const QByteArray native = QFile::encodeName(folder);
    if (::mkdir(native.constData(), 0700) != 0 && errno != EEXIST)
        return errno;
    struct stat info {};
    if (::lstat(native.constData(), &info) != 0)
        return errno;
    if (!S_ISDIR(info.st_mode) || info.st_uid != ::geteuid())
        return EPERM;
    if ((info.st_mode & 0777) != 0700 && ::chmod(native.constData(), 0700) != 0)
        return errno;
    return 0;
}

// Reads the wrapping key. ENOENT when there is none yet; any other failure means a key exists
// that must not be replaced.
int readWrappingKey(WrappingKey& key)
{
    const QByteArray path = keyPath();
    const int fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return errno;
    struct stat info {};
    int result = 0;
    if (::fstat(fd, &info) != 0)
        result = errno;
    else if (!S_ISREG(info.st_mode) || info.st_uid != ::geteuid() || (info.st_mode & 077) != 0)
        result = EPERM; // a key others could have read no longer protects anything
    else if (info.st_size != static_cast<off_t>(kKeySize))
        result = EINVAL;
    std::size_t got = 0;
    while (result == 0 && got < kKeySize) {
        const ssize_t n = ::read(fd, key.bytes.data() + got, kKeySize - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            result = n < 0 ? errno : EINVAL;
            break;
        }
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    if (result != 0)
        sodium_memzero(key.bytes.data(), key.bytes.size());
    return result;
}

int writeAll(int fd, const unsigned char* data, std::size_t size)
{
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd, data + done, size - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : EIO;
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

// Makes a new wrapping key and publishes it with link(), which never replaces a file: when another
// process published one first, that one is read and used.
int createWrappingKey(WrappingKey& key)
{
    if (const int folder = prepareKeyFolder(); folder != 0)
        return folder;
    if (const int random = fillSecureRandom(key.bytes.data(), key.bytes.size()); random != 0)
        return random;

    std::array<unsigned char, 8> suffix{};
    if (const int random = fillSecureRandom(suffix.data(), suffix.size()); random != 0)
        return random;
    const QByteArray finalPath = keyPath();
    const QByteArray tempPath = finalPath + ".new-" + QByteArray(reinterpret_cast<const char*>(suffix.data()), 8).toHex();
    const int fd = ::open(tempPath.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return errno;
    int result = writeAll(fd, key.bytes.data(), key.bytes.size());
    if (result == 0 && ::fsync(fd) != 0)
        result = errno;
    if (::close(fd) != 0 && result == 0)
        result = errno;
    if (result == 0 && ::link(tempPath.constData(), finalPath.constData()) != 0)
        result = errno;
    ::unlink(tempPath.constData());
    if (result == EEXIST)
        return readWrappingKey(key);
    if (result != 0)
        sodium_memzero(key.bytes.data(), key.bytes.size());
    return result;
}

void setCode(int* errorCode, int value)
{
    if (errorCode != nullptr)
        *errorCode = value;
}

} // namespace

QString keyFolderPath()
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (base.isEmpty())
        return {};
    return base + QStringLiteral("/korvex-data-protection");
}

QString keyFilePath()
{
    const QString folder = keyFolderPath();
    return folder.isEmpty() ? QString() : folder + QLatin1Char('/') + QLatin1String(kKeyFileName);
}

QByteArray protect(const QByteArray& plain, int* errorCode)
{
    if (sodium_init() < 0) {
        setCode(errorCode, ENOSYS);
        return {};
    }
    WrappingKey key;
    int status = readWrappingKey(key);
    if (status == ENOENT)
        status = createWrappingKey(key);
    if (status != 0) {
        setCode(errorCode, status);
        return {};
    }

    QByteArray blob(static_cast<qsizetype>(kMagicSize + kNonceSize) + plain.size() + static_cast<qsizetype>(kTagSize), '\0');
    auto* out = reinterpret_cast<unsigned char*>(blob.data());
    std::copy(kMagic, kMagic + kMagicSize, out);
    unsigned char* nonce = out + kMagicSize;
    if (const int random = fillSecureRandom(nonce, kNonceSize); random != 0) {
        setCode(errorCode, random);
        return {};
    }
    const QByteArray ad = associatedData();
    unsigned long long sealedSize = 0;
    crypto_aead_xchacha20poly1305_ietf_encrypt(nonce + kNonceSize, &sealedSize,
                                               reinterpret_cast<const unsigned char*>(plain.constData()),
                                               static_cast<unsigned long long>(plain.size()),
                                               reinterpret_cast<const unsigned char*>(ad.constData()),
                                               static_cast<unsigned long long>(ad.size()), nullptr, nonce,
                                               key.bytes.data());
    return blob;
}

std::optional<QByteArray> unprotect(const QByteArray& blob, int* errorCode)
{
    if (sodium_init() < 0) {
        setCode(errorCode, ENOSYS);
        return std::nullopt;
    }
    const auto minimum = static_cast<qsizetype>(kMagicSize + kNonceSize + kTagSize);
    if (blob.size() < minimum || !blob.startsWith(QByteArray(kMagic, kMagicSize))) {
        setCode(errorCode, EBADMSG);
        return std::nullopt;
    }
    WrappingKey key;
    // Opening never creates a key: a value sealed under a key that is gone cannot open anyway.
    if (const int status = readWrappingKey(key); status != 0) {
        setCode(errorCode, status == ENOENT ? ENOKEY : status);
        return std::nullopt;
    }
    const auto* in = reinterpret_cast<const unsigned char*>(blob.constData());
    const unsigned char* nonce = in + kMagicSize;
    const auto sealedSize = static_cast<unsigned long long>(blob.size()) - kMagicSize - kNonceSize;
    QByteArray plain(static_cast<qsizetype>(sealedSize - kTagSize), '\0');
    const QByteArray ad = associatedData();
    unsigned long long plainSize = 0;
    if (crypto_aead_xchacha20poly1305_ietf_decrypt(reinterpret_cast<unsigned char*>(plain.data()), &plainSize, nullptr,
                                                   nonce + kNonceSize, sealedSize,
                                                   reinterpret_cast<const unsigned char*>(ad.constData()),
                                                   static_cast<unsigned long long>(ad.size()), nonce,
                                                   key.bytes.data())
        != 0) {
        sodium_memzero(plain.data(), static_cast<size_t>(plain.size()));
        setCode(errorCode, EBADMSG);
        return std::nullopt;
    }
    return plain;
}

} // namespace olm::repair::UserDataProtection
