#pragma once

// Reading the box (atom) structure of ISO base media files (MP4, MOV, M4A, CR3) held in memory.
// Nothing here reads files or reports findings; every read is bounds-checked, and every walk into
// nested boxes stops at kMaxIsoBoxDepth so hostile nesting cannot exhaust the stack.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "data_repair/byte_buffer.h"

namespace data_repair {

// Real files nest a handful of levels (moov/trak/mdia/minf/stbl/stco is six); deeper containers
// are treated as leaves.
inline constexpr int kMaxIsoBoxDepth = 32;

// The parsed header of one box.
struct IsoBox {
    std::string type;       // the four type bytes as read, also when the box is rejected
    uint64_t offset = 0;    // buffer position of the size field
    uint64_t size = 0;      // total length including the header, after clamping; 0 when invalid
    uint64_t headerSize = 8; // 8, or 16 with a 64-bit largesize
    bool valid = false;
    bool clamped = false;   // the declared size ran past the end of the range and was cut

    uint64_t payloadStart() const { return offset + headerSize; }
    uint64_t end() const { return offset + size; }
};

// The box beginning at `start`, reading no further than `limit` (exclusive, lowered to the
// buffer size). Size 0 runs to the limit; size 1 takes a 64-bit largesize.
// A type byte outside printable ASCII makes the box invalid (type kept, size 0).
IsoBox parseIsoBox(ByteView buffer, uint64_t start, uint64_t limit);

// The same header rules without looking at the type, for walks that copy boxes whatever they
// are called (CR3 top level).
IsoBox parseIsoBoxAnyType(ByteView buffer, uint64_t start, uint64_t limit);

// Calls `visit` for each box of one level from `start` up to `limit`, without collecting them;
// stops at the first invalid header, after a clamped box, or when `visit` returns false.
void forEachIsoBox(ByteView buffer, uint64_t start, uint64_t limit,
                   const std::function<bool(const IsoBox&)>& visit);

// The boxes of one level, in buffer order (same stopping rule as forEachIsoBox).
std::vector<IsoBox> listIsoBoxes(ByteView buffer, uint64_t start, uint64_t limit);

// A copy of the first box of the list with that type, or an invalid empty box (headerSize 8).
IsoBox findIsoBox(const std::vector<IsoBox>& list, std::string_view type);

// True for the ten container types whose payload the chunk-offset walk enters:
// moov trak mdia minf stbl edts dinf udta meta ilst.
bool isIsoContainerBox(std::string_view type);

} // namespace data_repair
