#include "core/mapped_input.h"

#include <signal.h>
#include <sys/mman.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <mutex>

#include "data_repair/file_access.h"

namespace data_repair {

namespace {

// A mapped page past the end of a file that shrank raises SIGBUS when touched. The handler finds
// the page among the live input mappings without taking a lock, so each entry is atomics only.
struct Guarded {
    enum State : int { Free = 0, Busy = 1, Live = 2 };
    std::atomic<int> state{Free};
    std::atomic<uintptr_t> begin{0};
    std::atomic<uintptr_t> end{0};
    std::atomic<bool> lostPages{false};
};
static_assert(std::atomic<int>::is_always_lock_free && std::atomic<uintptr_t>::is_always_lock_free &&
              std::atomic<bool>::is_always_lock_free);

// More inputs than this open at once are read into memory instead.
std::array<Guarded, 64> guarded;
struct sigaction previousBusAction {};
uintptr_t pageSize = 4096;

// What happened before this handler was installed: the previous handler runs, or a default (or
// ignored) SIGBUS gets the default action back, so that the access faults again and kills.
void passOn(int signal, siginfo_t* info, void* context)
{
    if ((previousBusAction.sa_flags & SA_SIGINFO) != 0 && previousBusAction.sa_sigaction != nullptr) {
        previousBusAction.sa_sigaction(signal, info, context);
        return;
    }
    if (previousBusAction.sa_handler == SIG_DFL || previousBusAction.sa_handler == SIG_IGN) {
        struct sigaction fallback {};
        fallback.sa_handler = SIG_DFL;
        sigemptyset(&fallback.sa_mask);
        ::sigaction(SIGBUS, &fallback, nullptr);
        return;
    }
    previousBusAction.sa_handler(signal);
}

void onBusError(int signal, siginfo_t* info, void* context)
{
    const int savedErrno = errno;
    // Only a fault on an address; a SIGBUS sent by kill() carries no address to look at.
    if (info != nullptr && info->si_code == BUS_ADRERR) {
        const auto address = reinterpret_cast<uintptr_t>(info->si_addr);
        for (Guarded& entry : guarded) {
            if (entry.state.load(std::memory_order_acquire) != Guarded::Live ||
                address < entry.begin.load(std::memory_order_relaxed) ||
                address >= entry.end.load(std::memory_order_relaxed))
                continue;
            // The lost page reads as zeros from now on; the access is retried on return.
            void* page = reinterpret_cast<void*>(address & ~(pageSize - 1));
            if (::mmap(page, pageSize, PROT_READ, MAP_FIXED | MAP_PRIVATE | MAP_ANONYMOUS, -1, 0) != MAP_FAILED) {
                entry.lostPages.store(true, std::memory_order_relaxed);
                errno = savedErrno;
                return;
            }
            break;
        }
    }
    errno = savedErrno;
    passOn(signal, info, context);
}

bool installHandler()
{
    static std::once_flag once;
    static bool installed = false;
    std::call_once(once, [] {
        const long page = ::sysconf(_SC_PAGESIZE);
        if (page > 0)
            pageSize = static_cast<uintptr_t>(page);
        if (::sigaction(SIGBUS, nullptr, &previousBusAction) != 0)
            return;
        struct sigaction action {};
        action.sa_sigaction = onBusError;
        action.sa_flags = SA_SIGINFO | SA_ONSTACK | SA_RESTART;
        sigemptyset(&action.sa_mask);
        // A runtime that keeps SIGBUS to itself (a sanitizer told to) may accept the call and
        // ignore it: only a handler seen in place guards mappings.
        struct sigaction now {};
        installed = ::sigaction(SIGBUS, &action, nullptr) == 0 && ::sigaction(SIGBUS, nullptr, &now) == 0 &&
                    (now.sa_flags & SA_SIGINFO) != 0 && now.sa_sigaction == onBusError;
    });
    return installed;
}

int guard(uintptr_t begin, uintptr_t end)
{
    for (size_t i = 0; i < guarded.size(); ++i) {
        int expected = Guarded::Free;
        if (!guarded[i].state.compare_exchange_strong(expected, Guarded::Busy))
            continue;
        guarded[i].begin.store(begin, std::memory_order_relaxed);
        guarded[i].end.store(end, std::memory_order_relaxed);
        guarded[i].lostPages.store(false, std::memory_order_relaxed);
        guarded[i].state.store(Guarded::Live, std::memory_order_release);
        return static_cast<int>(i);
    }
    return -1;
}

void* systemMap(void* address, size_t length, int protection, int flags, int fd, off_t offset)
{
    return ::mmap(address, length, protection, flags, fd, offset);
}

} // namespace

namespace detail {

MapFunction mapFile = systemMap;

bool mapGuarded(int fd, size_t size, GuardedMapping& mapping)
{
    mapping = GuardedMapping{};
    if (size == 0 || !installHandler())
        return false;
    // Private: nothing done to these pages can ever reach the file. Never written, they stay the
    // page cache's own pages, so the mapping costs no memory of the process and no copy.
    void* data = mapFile(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
    if (data == MAP_FAILED || data == nullptr)
        return false;
    const auto begin = reinterpret_cast<uintptr_t>(data);
    const int slot = guard(begin, begin + size);
    if (slot < 0) {
        ::munmap(data, size);
        return false;
    }
    // Inputs are mostly walked from start to end: the kernel reads further ahead on a fault.
    (void)::madvise(data, size, MADV_SEQUENTIAL);
    mapping = GuardedMapping{static_cast<const uint8_t*>(data), size, slot};
    return true;
}

void unmapGuarded(GuardedMapping& mapping)
{
    if (mapping.data == nullptr)
        return;
    Guarded& entry = guarded[static_cast<size_t>(mapping.slot)];
    entry.state.store(Guarded::Busy);
    ::munmap(const_cast<uint8_t*>(mapping.data), mapping.size);
    entry.begin.store(0, std::memory_order_relaxed);
    entry.end.store(0, std::memory_order_relaxed);
    entry.state.store(Guarded::Free, std::memory_order_release);
    mapping = GuardedMapping{};
}

bool mappingLostPages(const GuardedMapping& mapping)
{
    return mapping.slot >= 0 && guarded[static_cast<size_t>(mapping.slot)].lostPages.load();
}

} // namespace detail

} // namespace data_repair
