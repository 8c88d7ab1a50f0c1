#pragma once

// KLV units (SMPTE universal-label key, BER length, value) as MXF files and raw KLV streams
// hold them.

#include <cstdint>
#include <functional>
#include <vector>

#include "data_repair/byte_buffer.h"

namespace data_repair {

struct KlvUnit {
    uint64_t offset = 0; // first byte of the key
    uint64_t size = 0;   // key, length field and value
};

// Size of the complete unit whose key starts at a; 0 when there is no key there, the length is
// unusable or the value runs past the end of the buffer.
uint64_t klvUnitSizeAt(ByteView bytes, uint64_t a);

// Calls visit for every complete unit in file order, passing over bytes between units and
// resuming after damaged ones. Linear in the buffer size.
void forEachKlvUnit(ByteView bytes, const std::function<void(const KlvUnit&)>& visit);
std::vector<KlvUnit> listKlvUnits(ByteView bytes);

} // namespace data_repair
