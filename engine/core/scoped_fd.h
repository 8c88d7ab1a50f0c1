#pragma once

// Owns one POSIX file descriptor and closes it when it leaves scope, so an early return or an
// exception (a cancelled copy) never leaks it.

#include <utility>

namespace data_repair {

class ScopedFd {
public:
    ScopedFd() = default;
    explicit ScopedFd(int fd) : fd_(fd) {}
    ~ScopedFd() { close(); }
    ScopedFd(const ScopedFd&) = delete;
    ScopedFd& operator=(const ScopedFd&) = delete;

    int get() const { return fd_; }
    bool isOpen() const { return fd_ >= 0; }
    // Takes over a newly opened descriptor (or -1), closing the one held before.
    void reset(int fd)
    {
        close();
        fd_ = fd;
    }
    // Closes now. False when close reports an error: for a file just written that means its data
    // may not have reached the disk.
    bool close();

private:
    int fd_ = -1;
};

} // namespace data_repair
