#pragma once

// Whole input files mapped read-only, guarded so that a file cut short while mapped reads as
// zeros past its new end instead of killing the process with SIGBUS.

#include <cstddef>
#include <cstdint>

namespace data_repair::detail {

struct GuardedMapping {
    const uint8_t* data = nullptr;
    size_t size = 0;
    int slot = -1; // the mapping's entry among the guarded ones
};

// Maps `size` bytes of the regular file open at `fd`. False where the file cannot be mapped (file
// system, address space) or the guard cannot take another mapping: the caller reads instead.
bool mapGuarded(int fd, size_t size, GuardedMapping& mapping);
// Unmaps and stops guarding; the mapping is empty afterwards.
void unmapGuarded(GuardedMapping& mapping);
// True once a page of the mapping was lost to the file shrinking (or failing to read) and now
// reads as zeros.
bool mappingLostPages(const GuardedMapping& mapping);

} // namespace data_repair::detail
