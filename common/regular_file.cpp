#include "common/regular_file.h"

#define KORVEX_TR_CONTEXT "olm::repair"
#include "common/ui_tr.h"

#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace olm::repair {

namespace {

void setError(UiText* error, const UiText& text)
{
    if (error != nullptr)
        *error = text;
}

FileIdentity identityOf(const struct stat& st)
{
    FileIdentity identity;
    identity.valid = true;
    identity.device = st.st_dev;
    identity.inode = st.st_ino;
    identity.size = static_cast<qint64>(st.st_size);
    identity.modifiedSeconds = static_cast<qint64>(st.st_mtim.tv_sec);
    identity.modifiedNanoseconds = static_cast<qint64>(st.st_mtim.tv_nsec);
    return identity;
}

} // namespace

bool openRegularFile(QFile& file, const QString& path, UiText* error, QIODevice::OpenMode extraMode, bool* notRegular)
{
    if (notRegular != nullptr)
        *notRegular = false;
    const QString name = QFileInfo(path).fileName();
    // O_NONBLOCK: opening a pipe without a writer (or a device) returns at once instead of waiting.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        setError(error, UiText(qt_error_string(errno)));
        return false;
    }
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        if (notRegular != nullptr)
            *notRegular = true;
        setError(error, uiTr("“%1”不是普通文件（可能是管道、设备或文件夹），未读取").arg(name));
        return false;
    }
    // A regular file never blocks; the flag is taken off so reads behave as usual.
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly | extraMode, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        setError(error, UiText(file.errorString()));
        return false;
    }
    return true;
}

bool FileIdentity::matches(const FileIdentity& other) const
{
    return valid && other.valid && device == other.device && inode == other.inode && size == other.size
        && modifiedSeconds == other.modifiedSeconds && modifiedNanoseconds == other.modifiedNanoseconds;
}

FileIdentity fileIdentity(const QFile& openFile)
{
    struct stat st;
    if (openFile.handle() < 0 || ::fstat(openFile.handle(), &st) != 0)
        return {};
    return identityOf(st);
}

FileIdentity fileIdentity(const QString& path)
{
    struct stat st;
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &st) != 0)
        return {};
    return identityOf(st);
}

} // namespace olm::repair
