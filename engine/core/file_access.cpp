#include "data_repair/file_access.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>
#include <mutex>
#include <new>
#include <system_error>
#include <thread>
#include <utility>

#include "core/mapped_input.h"
#include "data_repair/checkpoint.h"
#include "data_repair/output_stage.h"
#include "data_repair/records.h"

namespace fs = std::filesystem;

namespace data_repair {

namespace {

void setError(std::string* error, const std::string& text)
{
    if (error != nullptr)
        *error = text;
}


// Whole files are held in memory: for large ones, ask for huge pages before the buffer is first
// touched, so filling it costs a few hundred page faults instead of one per 4 KiB.
void adviseHugePages(void* data, size_t size)
{
#ifdef MADV_HUGEPAGE
    constexpr uintptr_t kHuge = 2u << 20;
    if (size < 4 * kHuge || data == nullptr)
        return;
    const auto begin = (reinterpret_cast<uintptr_t>(data) + kHuge - 1) & ~(kHuge - 1);
    const auto end = (reinterpret_cast<uintptr_t>(data) + size) & ~(kHuge - 1);
    if (end > begin)
        (void)::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#else
    (void)data;
    (void)size;
#endif
}

// Huge pages, then every page faulted in by one call instead of one fault per page as the
// buffer is first filled (kernels without MADV_POPULATE_WRITE fault them as before).
void prepareLargeBuffer(void* data, size_t size)
{
    adviseHugePages(data, size);
#ifndef MADV_POPULATE_WRITE
    constexpr int MADV_POPULATE_WRITE = 23;
#endif
    constexpr size_t kPage = 4096;
    if (data == nullptr || size < (8u << 20))
        return;
    const auto begin = (reinterpret_cast<uintptr_t>(data) + kPage - 1) & ~(kPage - 1);
    const auto end = (reinterpret_cast<uintptr_t>(data) + size) & ~(kPage - 1);
    if (end > begin)
        (void)::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_POPULATE_WRITE);
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }
    int release()
    {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }

private:
    int fd_;
};

// Opens a regular file for reading without blocking on FIFOs or devices.
int openRegularForReading(const fs::path& path, uint64_t& size, struct stat* status = nullptr)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return -1;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size < 0) {
        ::close(fd);
        return -1;
    }
    size = static_cast<uint64_t>(st.st_size);
    if (status != nullptr)
        *status = st;
    return fd;
}

// An input for the readers: anything but a regular file fails with the same text.
int openInput(const fs::path& path, uint64_t& size, struct stat* status, std::string* error)
{
    const int fd = openRegularForReading(path, size, status);
    if (fd < 0)
        setError(error, kErrOpenInput);
    return fd;
}

// Whole-file reads still in use, so that the writer can tell whether a buffer it is given is
// the file's content as read (same file, size and modification time as before the read). A
// record outlives nothing it describes: a freed buffer's address may come back for another
// buffer (a patched working copy of the same size, say), so each entry forgets the reads its
// thread made once it returns (ReadScope).
struct ReadRecord {
    const uint8_t* data = nullptr;
    uint64_t size = 0;
    dev_t device = 0;
    ino_t inode = 0;
    struct timespec modified {};
    std::thread::id reader;
    int mappedFd = -1; // the file held open by the InputFile that mapped it
};

std::mutex readsMutex;
std::array<ReadRecord, 16> reads;
size_t nextRead = 0;

bool sameVersion(const ReadRecord& record, const struct stat& st)
{
    return record.device == st.st_dev && record.inode == st.st_ino &&
           record.size == static_cast<uint64_t>(st.st_size) && record.modified.tv_sec == st.st_mtim.tv_sec &&
           record.modified.tv_nsec == st.st_mtim.tv_nsec;
}

void rememberRead(std::span<const uint8_t> bytes, const struct stat& before, int mappedFd = -1)
{
    if (bytes.empty() || bytes.size() != static_cast<uint64_t>(before.st_size))
        return;
    const std::lock_guard lock(readsMutex);
    reads[nextRead++ % reads.size()] = ReadRecord{bytes.data(),   bytes.size(),  before.st_dev, before.st_ino,
                                                  before.st_mtim, std::this_thread::get_id(), mappedFd};
}

// The bytes at `data` are going away (an input unmapped or freed): their address may come back
// for other bytes.
void forgetRead(const uint8_t* data)
{
    if (data == nullptr)
        return;
    const std::lock_guard lock(readsMutex);
    for (ReadRecord& record : reads) {
        if (record.data == data)
            record = ReadRecord{};
    }
}

void forgetReadsOfThisThread()
{
    const std::lock_guard lock(readsMutex);
    for (ReadRecord& record : reads) {
        if (record.reader == std::this_thread::get_id())
            record = ReadRecord{};
    }
}

// The whole read that `bytes` lies in (the file's content from its first byte), when that read
// filled it from the file open at `fd` and the file has not changed since; empty otherwise.
// `mapped` tells whether those bytes are a mapping of the file.
std::span<const uint8_t> readFrom(std::span<const uint8_t> bytes, int fd, bool* mapped = nullptr)
{
    struct stat st {};
    if (bytes.empty() || ::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
        return {};
    const std::lock_guard lock(readsMutex);
    const auto found = std::find_if(reads.begin(), reads.end(), [&](const ReadRecord& r) {
        return r.data != nullptr && r.reader == std::this_thread::get_id() && bytes.data() >= r.data &&
               bytes.size() <= r.size && static_cast<uint64_t>(bytes.data() - r.data) <= r.size - bytes.size() &&
               sameVersion(r, st);
    });
    if (found == reads.end())
        return {};
    if (mapped != nullptr)
        *mapped = found->mappedFd >= 0;
    return {found->data, static_cast<size_t>(found->size)};
}

ByteBuffer readOpened(int fd, uint64_t size, std::string* error)
{
    if (size > workingMemoryLimit()) {
        setError(error, kErrInputTooLarge);
        return {};
    }
    ByteBuffer bytes;
    try {
        bytes.reserve(static_cast<size_t>(size));
        prepareLargeBuffer(bytes.data(), static_cast<size_t>(size));
        bytes.resize(static_cast<size_t>(size));
    } catch (const std::bad_alloc&) {
        setError(error, kErrInputTooLarge);
        return {};
    } catch (const std::length_error&) {
        setError(error, kErrInputTooLarge);
        return {};
    }
    uint64_t done = 0;
    while (done < size) {
        // In pieces, so that a running operation can be cancelled while a large file is read.
        const uint64_t piece = std::min<uint64_t>(size - done, kCheckpointBytes);
        const ssize_t n = ::read(fd, bytes.data() + done, static_cast<size_t>(piece));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += static_cast<uint64_t>(n);
        checkpoint(done, size);
    }
    if (done < size) {
        // A file that shrank, or a medium that failed part-way: keep only real bytes.
        bytes.resize(static_cast<size_t>(done));
        setError(error, kErrShortRead);
    }
    return bytes;
}

// A finished temporary file goes to the operation's stage when one is open, else into place
// now. False (the file removed, errno kept) when it cannot be placed.
bool placeOrStage(const fs::path& temporary, const fs::path& destination, bool replace)
{
    if (OutputStage* stage = activeOutputStage()) {
        stage->add(temporary, destination, replace);
        return true;
    }
    if (placeFile(temporary, destination, replace))
        return true;
    const int failure = errno;
    ::unlink(temporary.c_str());
    errno = failure;
    return false;
}

ssize_t systemCopyRange(int in, off_t* inOffset, int out, off_t* outOffset, size_t length, unsigned flags)
{
    return ::copy_file_range(in, inOffset, out, outOffset, length, flags);
}

ssize_t systemWrite(int fd, const void* data, size_t length) { return ::write(fd, data, length); }

// One output being written: the position over all parts drives the checkpoints. Short parts (new
// bytes and short stretches of the input alike) are gathered into one buffer of bounded size and
// written together; long ones go out on their own, from the input file where they can.
struct OutputStream {
    int fd = -1;
    uint64_t done = 0;
    uint64_t total = 0;
    int input = -1;                   // the input file, while parts may be copied from it
    const uint8_t* inputData = nullptr;
    uint64_t inputSize = 0;
    bool inputMapped = false;         // short parts of a mapped input are read from the file
    ByteBuffer gathered{};            // short parts not written yet, at most kOutputGatherBytes

    bool write(const uint8_t* data, uint64_t size)
    {
        uint64_t written = 0;
        while (written < size) {
            const size_t piece = static_cast<size_t>(std::min<uint64_t>(size - written, kCheckpointBytes));
            const ssize_t n = detail::writeOut(fd, data + written, piece);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return false;
            written += static_cast<uint64_t>(n);
            done += static_cast<uint64_t>(n);
            checkpoint(done, total);
        }
        return true;
    }

    bool flush()
    {
        const bool ok = write(gathered.data(), gathered.size());
        gathered.clear();
        return ok;
    }

    // A part inside the input buffer goes from file to file; what the file systems cannot copy
    // that way (or what is no longer in the file) is written from memory.
    bool put(std::span<const uint8_t> part)
    {
        if (part.empty())
            return true;
        if (part.size() < kKernelCopyMinimum) {
            if (gathered.size() + part.size() > kOutputGatherBytes && !flush())
                return false;
            if (gathered.capacity() == 0) // once per output, no larger than the output
                gathered.reserve(static_cast<size_t>(std::min<uint64_t>(kOutputGatherBytes, total - done)));
            const size_t at = gathered.size();
            gathered.resize(at + part.size());
            if (!readInput(part, gathered.data() + at))
                std::memcpy(gathered.data() + at, part.data(), part.size());
            return true;
        }
        if (!flush())
            return false;
        uint64_t copied = 0;
        if (input >= 0 && part.data() >= inputData && part.data() + part.size() <= inputData + inputSize) {
            const auto offset = static_cast<uint64_t>(part.data() - inputData);
            while (copied < part.size()) {
                auto from = static_cast<off_t>(offset + copied);
                const size_t piece = static_cast<size_t>(std::min<uint64_t>(part.size() - copied, kCheckpointBytes));
                const ssize_t n = detail::copyRange(input, &from, fd, nullptr, piece, 0);
                if (n < 0 && errno == EINTR)
                    continue;
                if (n < 0 && errno != EXDEV && errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP)
                    return false;
                if (n <= 0) {
                    input = -1; // not for this pair of files: the rest of the output from memory
                    break;
                }
                copied += static_cast<uint64_t>(n);
                done += static_cast<uint64_t>(n);
                checkpoint(done, total);
            }
        }
        return write(part.data() + copied, part.size() - copied);
    }

    // A short part of a mapped input, read from the file: first touching a mapping's pages can
    // cost several times reading them. False where that is not so or the file falls short.
    bool readInput(std::span<const uint8_t> part, uint8_t* to) const
    {
        if (input < 0 || !inputMapped || part.data() < inputData || part.data() + part.size() > inputData + inputSize)
            return false;
        const auto offset = static_cast<uint64_t>(part.data() - inputData);
        for (size_t got = 0; got < part.size();) {
            const ssize_t n = ::pread(input, to + got, part.size() - got, static_cast<off_t>(offset + got));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return false;
            got += static_cast<size_t>(n);
        }
        return true;
    }

    // Below this a part is gathered and written from memory; from it on, it goes out on its own.
    static constexpr uint64_t kKernelCopyMinimum = 64 * 1024;
    static_assert(kKernelCopyMinimum <= kOutputGatherBytes);
};

// Copies the first `size` bytes of one open file to another, inside the kernel where the file
// systems allow it. 0, or the error code of the failure (EIO when the source ended early).
int copyOpenFile(int in, int out, uint64_t size)
{
    uint64_t done = 0;
    bool kernelCopy = true;
    std::vector<uint8_t> buffer;
    while (done < size) {
        const size_t piece = static_cast<size_t>(std::min<uint64_t>(size - done, kCheckpointBytes));
        ssize_t n = -1;
        if (kernelCopy) {
            n = detail::copyRange(in, nullptr, out, nullptr, piece, 0);
            if (n < 0 && (errno == EXDEV || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP)) {
                kernelCopy = false; // not for this pair of files: plain reads and writes
                continue;
            }
        } else {
            buffer.resize(std::min<size_t>(piece, size_t{1} << 20));
            n = ::read(in, buffer.data(), buffer.size());
            OutputStream sink{.fd = out, .done = done, .total = size};
            if (n > 0 && !sink.write(buffer.data(), static_cast<uint64_t>(n)))
                return errno != 0 ? errno : EIO;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0)
            return EIO; // the source shrank while being copied
        done += static_cast<uint64_t>(n);
        checkpoint(done, size);
    }
    return 0;
}

int systemClone(int out, int in)
{
#ifdef FICLONE
    return ::ioctl(out, FICLONE, in);
#else
    (void)out;
    (void)in;
    errno = EOPNOTSUPP;
    return -1;
#endif
}

// True when the output open at `fd` now shares the blocks of the source's copy of the same bytes.
bool cloned(int fd, const InputSource* source, uint64_t size)
{
    if (source == nullptr || source->sameBytes.empty() || size == 0)
        return false;
    uint64_t copySize = 0;
    FileDescriptor copy(openRegularForReading(source->sameBytes, copySize));
    return copy.get() >= 0 && copySize == size && detail::cloneFile(fd, copy.get()) == 0;
}

bool writeParts(const fs::path& path, const ByteParts& parts, std::string* error, bool replaceExisting,
                const InputSource* source = nullptr)
{
    std::error_code ec;
    if (path.has_parent_path())
        fs::create_directories(path.parent_path(), ec); // a failure shows at the open below

    if (replaceExisting) {
        // Only a regular file (or a link, which is replaced itself) may be replaced; a folder,
        // device or pipe at the destination is never swapped for a file.
        std::error_code statusError;
        const auto existing = fs::symlink_status(path, statusError).type();
        if (existing != fs::file_type::not_found && existing != fs::file_type::regular &&
            existing != fs::file_type::symlink) {
            setError(error, kErrOpenOutput);
            return false;
        }
    } else if (pathTaken(path)) {
        setError(error, kErrOutputExists);
        return false;
    }
    // Written beside the destination and moved into place only once complete.
    fs::path target;
    const int fd = createTemporaryBeside(path, target);
    if (fd < 0) {
        setError(error, kErrOpenOutput);
        return false;
    }
    OutputStream out;
    out.fd = fd;
    for (const std::span<const uint8_t> part : parts)
        out.total += part.size();
    uint64_t inputSize = 0;
    FileDescriptor input(source != nullptr && !source->bytes.empty()
                             ? openRegularForReading(source->path, inputSize)
                             : -1);
    const std::span<const uint8_t> wholeRead =
        input.get() >= 0 ? readFrom(source->bytes, input.get(), &out.inputMapped) : std::span<const uint8_t>();
    if (!wholeRead.empty()) {
        out.input = input.get();
        out.inputData = wholeRead.data();
        out.inputSize = wholeRead.size();
    }
    bool written = true;
    try {
        if (!cloned(fd, source, out.total)) {
            for (const std::span<const uint8_t> part : parts)
                written = written && out.put(part);
            written = written && out.flush();
        }
    } catch (...) {
        // A cancelled write leaves nothing half-written behind.
        ::close(fd);
        ::unlink(target.c_str());
        throw;
    }
    const bool closed = ::close(fd) == 0;
    if (!written || !closed) {
        ::unlink(target.c_str());
        setError(error, kErrWriteOutput);
        return false;
    }
    if (placeOrStage(target, path, replaceExisting))
        return true;
    setError(error, !replaceExisting && errno == EEXIST ? kErrOutputExists : kErrWriteOutput);
    return false;
}

} // namespace

ReadScope::ReadScope() { forgetReadsOfThisThread(); }

ReadScope::~ReadScope() { forgetReadsOfThisThread(); }

ByteBuffer readFile(const fs::path& path, std::string* error)
{
    uint64_t size = 0;
    struct stat before {};
    FileDescriptor fd(openInput(path, size, &before, error));
    if (fd.get() < 0)
        return {};
    ByteBuffer bytes = readOpened(fd.get(), size, error);
    rememberRead(bytes, before);
    return bytes;
}

InputFile::~InputFile() { release(); }

InputFile::InputFile(InputFile&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)),
      mappingSlot_(std::exchange(other.mappingSlot_, -1)), buffer_(std::move(other.buffer_)),
      fd_(std::exchange(other.fd_, -1)), openedSize_(other.openedSize_),
      openedModifiedSeconds_(other.openedModifiedSeconds_), openedModifiedNanoseconds_(other.openedModifiedNanoseconds_)
{
}

InputFile& InputFile::operator=(InputFile&& other) noexcept
{
    if (this != &other) {
        release();
        data_ = std::exchange(other.data_, nullptr);
        size_ = std::exchange(other.size_, 0);
        mappingSlot_ = std::exchange(other.mappingSlot_, -1);
        buffer_ = std::move(other.buffer_);
        fd_ = std::exchange(other.fd_, -1);
        openedSize_ = other.openedSize_;
        openedModifiedSeconds_ = other.openedModifiedSeconds_;
        openedModifiedNanoseconds_ = other.openedModifiedNanoseconds_;
    }
    return *this;
}

void InputFile::release()
{
    forgetRead(data_);
    if (mappingSlot_ >= 0) {
        detail::GuardedMapping mapping{data_, size_, mappingSlot_};
        detail::unmapGuarded(mapping);
    }
    data_ = nullptr;
    size_ = 0;
    mappingSlot_ = -1;
    buffer_ = ByteBuffer{};
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

bool InputFile::shrankWhileMapped() const
{
    return detail::mappingLostPages(detail::GuardedMapping{data_, size_, mappingSlot_});
}

bool InputFile::changedWhileOpen() const
{
    if (shrankWhileMapped())
        return true;
    struct stat now {};
    if (fd_ < 0 || ::fstat(fd_, &now) != 0)
        return false;
    return static_cast<uint64_t>(now.st_size) != openedSize_ || now.st_mtim.tv_sec != openedModifiedSeconds_ ||
           now.st_mtim.tv_nsec != openedModifiedNanoseconds_;
}

InputFile openInputFile(const fs::path& path, std::string* error)
{
    uint64_t size = 0;
    struct stat before {};
    FileDescriptor fd(openInput(path, size, &before, error));
    if (fd.get() < 0)
        return {};
    InputFile file;
    if (size == 0)
        return file;
    // Page-cache pages are not the process's memory: a mapping is not held to the limit on reads.
    detail::GuardedMapping mapping;
    if (size <= std::numeric_limits<size_t>::max() &&
        detail::mapGuarded(fd.get(), static_cast<size_t>(size), mapping)) {
        file.data_ = mapping.data;
        file.size_ = mapping.size;
        file.mappingSlot_ = mapping.slot;
    } else {
        file.buffer_ = readOpened(fd.get(), size, error);
        file.data_ = file.buffer_.data();
        file.size_ = file.buffer_.size();
    }
    rememberRead(file.bytes(), before, file.mappingSlot_ >= 0 ? fd.get() : -1);
    file.openedSize_ = size;
    file.openedModifiedSeconds_ = before.st_mtim.tv_sec;
    file.openedModifiedNanoseconds_ = before.st_mtim.tv_nsec;
    file.fd_ = fd.release();
    return file;
}

InputWindow::InputWindow(ByteView input, uint64_t window) : input_(input), window_(std::max<uint64_t>(window, 1))
{
    if (input.empty())
        return;
    const std::lock_guard lock(readsMutex);
    for (const ReadRecord& record : reads) {
        if (record.data == input.data() && record.size == input.size() && record.mappedFd >= 0 &&
            record.reader == std::this_thread::get_id()) {
            fd_ = ::fcntl(record.mappedFd, F_DUPFD_CLOEXEC, 0);
            break;
        }
    }
}

InputWindow::InputWindow(const InputWindow& source, uint64_t window)
    : input_(source.input_), window_(std::max<uint64_t>(window, 1))
{
    if (source.fd_ >= 0)
        fd_ = ::fcntl(source.fd_, F_DUPFD_CLOEXEC, 0);
}

InputWindow::~InputWindow()
{
    if (fd_ >= 0)
        ::close(fd_);
}

ByteView InputWindow::view(uint64_t pos, uint64_t length)
{
    if (pos >= input_.size())
        return {};
    length = std::min<uint64_t>(length, input_.size() - pos);
    if (fd_ < 0)
        return input_.subspan(static_cast<size_t>(pos), static_cast<size_t>(length));
    if (pos < start_ || pos + length > start_ + filled_) {
        const uint64_t want = std::min<uint64_t>(std::max(window_, length), input_.size() - pos);
        if (buffer_.size() < want)
            buffer_.resize(static_cast<size_t>(want));
        uint64_t got = 0;
        while (got < want) {
            const ssize_t n = ::pread(fd_, buffer_.data() + got, static_cast<size_t>(want - got),
                                      static_cast<off_t>(pos + got));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            got += static_cast<uint64_t>(n);
        }
        // What the file no longer holds comes from the mapping, as it would have without the window.
        if (got < want)
            std::memcpy(buffer_.data() + got, input_.data() + pos + got, static_cast<size_t>(want - got));
        start_ = pos;
        filled_ = want;
    }
    return ByteView(buffer_).subspan(static_cast<size_t>(pos - start_), static_cast<size_t>(length));
}

ByteBuffer readFileHead(const fs::path& path, uint64_t maxBytes, std::string* error)
{
    uint64_t size = 0;
    FileDescriptor fd(openInput(path, size, nullptr, error));
    if (fd.get() < 0)
        return {};
    return readOpened(fd.get(), std::min(size, maxBytes), error);
}

bool writeFile(const fs::path& path, const ByteBuffer& bytes, std::string* error, bool replaceExisting)
{
    return writeParts(path, {std::span<const uint8_t>(bytes)}, error, replaceExisting);
}

bool writeFile(const fs::path& path, const ByteParts& parts, std::string* error, bool replaceExisting,
               const InputSource* source)
{
    return writeParts(path, parts, error, replaceExisting, source);
}

namespace detail {
WriteFunction writeOut = systemWrite;
CopyRangeFunction copyRange = systemCopyRange;
CloneFunction cloneFile = systemClone;
} // namespace detail

bool writeTextFile(const fs::path& path, const std::string& text, std::string* error, bool replaceExisting)
{
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    return writeParts(path, {std::span<const uint8_t>(bytes, text.size())}, error, replaceExisting);
}

bool copyFile(const fs::path& source, const fs::path& destination, bool overwrite, std::string* error)
{
    auto fail = [&](int code) {
        setError(error, code != 0 ? std::generic_category().message(code) : std::string(kErrCopy));
        return false;
    };
    if (sameFile(source, destination)) {
        setError(error, kErrOutputIsSource);
        return false;
    }
    std::error_code ec;
    if (destination.has_parent_path())
        fs::create_directories(destination.parent_path(), ec); // a failure shows below
    if (overwrite) {
        // A link at the destination is replaced itself; a folder, device or pipe never is.
        const auto existing = fs::symlink_status(destination, ec).type();
        if (existing != fs::file_type::not_found && existing != fs::file_type::regular &&
            existing != fs::file_type::symlink)
            return fail(EISDIR);
    } else if (pathTaken(destination)) {
        return fail(EEXIST);
    }
    uint64_t size = 0;
    FileDescriptor in(openRegularForReading(source, size));
    if (in.get() < 0)
        return fail(errno != 0 ? errno : ENOENT);
    // The copy is made beside the destination, which it replaces only once complete.
    fs::path target;
    FileDescriptor out(createTemporaryBeside(destination, target));
    if (out.get() < 0)
        return fail(errno);
    int failure = 0;
    try {
        failure = copyOpenFile(in.get(), out.get(), size);
    } catch (...) {
        // A cancelled copy leaves nothing behind.
        ::close(out.release());
        ::unlink(target.c_str());
        throw;
    }
    if (::close(out.release()) != 0 && failure == 0)
        failure = errno != 0 ? errno : EIO;
    if (failure != 0) {
        ::unlink(target.c_str());
        return fail(failure);
    }
    if (!placeOrStage(target, destination, overwrite))
        return fail(errno);
    return true;
}

uint64_t regularFileSize(const fs::path& path)
{
    std::error_code ec;
    if (!fs::is_regular_file(path, ec))
        return 0;
    const auto size = fs::file_size(path, ec);
    return ec ? 0 : static_cast<uint64_t>(size);
}

bool pathTaken(const fs::path& path)
{
    // A name an output of the running operation waits for is taken as well.
    if (const OutputStage* stage = activeOutputStage(); stage != nullptr && !stage->stagedAt(path).empty())
        return true;
    std::error_code ec;
    const auto status = fs::symlink_status(path, ec);
    // Anything the query cannot rule out (access denied, ...) counts as taken.
    return status.type() != fs::file_type::not_found;
}

bool sameFile(const fs::path& a, const fs::path& b)
{
    if (a.empty() || b.empty())
        return false;
    std::error_code ec;
    const bool same = fs::equivalent(a, b, ec);
    return !ec && same;
}

std::string outputStem(const fs::path& path)
{
    const std::string stem = pathToUtf8(path.stem());
    return stem.empty() ? std::string("repaired") : stem;
}

fs::path nextFreeOutputPath(const fs::path& candidate, bool overwrite)
{
    if (overwrite || !pathTaken(candidate))
        return candidate;
    const std::string stem = pathToUtf8(candidate.stem());
    const std::string ext = pathToUtf8(candidate.extension());
    const fs::path folder = candidate.parent_path();
    for (int n = 1; n <= 9999; ++n) {
        const fs::path next = folder / pathFromUtf8(stem + "_" + std::to_string(n) + ext);
        if (!pathTaken(next))
            return next;
    }
    return {};
}

fs::path buildOutputPath(const std::string& inputPath, const std::string& outputDirectory,
                         const std::string& explicitOutputPath, const std::string& suffix,
                         const std::string& extension, bool overwrite)
{
    if (!explicitOutputPath.empty())
        return nextFreeOutputPath(pathFromUtf8(explicitOutputPath), overwrite);
    const fs::path input = pathFromUtf8(inputPath);
    const fs::path folder = outputDirectory.empty() ? input.parent_path() : pathFromUtf8(outputDirectory);
    const std::string extText = extension.empty() ? pathToUtf8(input.extension()) : "." + extension;
    const std::string name = outputStem(input) + suffix + extText;
    return nextFreeOutputPath(folder / pathFromUtf8(name), overwrite);
}

bool matchesGlob(const std::string& patternIn, const std::string& nameIn)
{
    const std::string pattern = toLowerAscii(patternIn);
    const std::string name = toLowerAscii(nameIn);
    size_t p = 0;
    size_t n = 0;
    size_t starPattern = std::string::npos;
    size_t starName = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starPattern = p++;
            starName = n;
        } else if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
            ++p;
            ++n;
        } else if (starPattern != std::string::npos) {
            p = starPattern + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

std::string toLowerAscii(std::string text)
{
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

} // namespace data_repair
