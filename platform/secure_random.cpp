#include "platform/secure_random.h"

#include <sodium.h>

#include <cerrno>
#include <sys/random.h>

namespace olm::repair {

int fillSecureRandom(void* buffer, std::size_t size)
{
    auto* out = static_cast<unsigned char*>(buffer);
    std::size_t filled = 0;
    while (filled < size) {
        // getrandom hands out at most 32 MiB per call and may be interrupted by a signal.
        const ssize_t got = ::getrandom(out + filled, size - filled, 0);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            const int error = errno;
            sodium_memzero(out, size);
            return error;
        }
        filled += static_cast<std::size_t>(got);
    }
    return 0;
}

} // namespace olm::repair
