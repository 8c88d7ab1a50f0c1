#pragma once

// Cryptographically strong random bytes from the operating system's generator.

#include <cstddef>

namespace olm::repair {

// Fills `size` bytes of `buffer` from the kernel generator (getrandom). Returns 0 when the buffer
// is filled, otherwise the system error number; a buffer that could not be filled is zeroed.
int fillSecureRandom(void* buffer, std::size_t size);

} // namespace olm::repair
