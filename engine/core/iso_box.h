#pragma once

// Reading the box (atom) structure of ISO base media files (MP4, MOV, M4A, CR3) held in memory,
// and rebasing the chunk-offset tables of a box tree after its media data has moved. Nothing
// here reads files or reports findings; every read and write is bounds-checked, and every walk
// into nested boxes stops at kMaxIsoBoxDepth so hostile nesting cannot exhaust the stack.

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
IsoBox parseIsoBox(const ByteBuffer& buffer, uint64_t start, uint64_t limit);

// The same header rules without looking at the type, for walks that copy boxes whatever they
// are called (CR3 top level).
IsoBox parseIsoBoxAnyType(const ByteBuffer& buffer, uint64_t start, uint64_t limit);

// Calls `visit` for each box of one level from `start` up to `limit`, without collecting them;
// stops at the first invalid header, after a clamped box, or when `visit` returns false.
void forEachIsoBox(const ByteBuffer& buffer, uint64_t start, uint64_t limit,
                   const std::function<bool(const IsoBox&)>& visit);

// The boxes of one level, in buffer order (same stopping rule as forEachIsoBox).
std::vector<IsoBox> listIsoBoxes(const ByteBuffer& buffer, uint64_t start, uint64_t limit);

// A copy of the first box of the list with that type, or an invalid empty box (headerSize 8).
IsoBox findIsoBox(const std::vector<IsoBox>& list, std::string_view type);

// True for the ten container types whose payload the chunk-offset walk enters:
// moov trak mdia minf stbl edts dinf udta meta ilst.
bool isIsoContainerBox(std::string_view type);

// Rewrites every "stco"/"co64" entry m found between start and limit (below the container set,
// to kMaxIsoBoxDepth) as newBase + (m - oldBase); with a non-zero oldBase, entries below it are
// left alone. `counter` is raised by the number of entries rewritten.
// An offset is never wrapped or capped: when any entry would not fit its field (a 32-bit "stco"
// past 4 GiB, or a 64-bit sum past 2^64), nothing at all is written and the number of such
// entries is returned, so the caller can widen the tables (widenIsoChunkOffsets) or give up.
// Returns 0 when every entry was rebased.
uint64_t patchIsoChunkOffsets(ByteBuffer& buffer, uint64_t start, uint64_t limit, uint64_t oldBase,
                              uint64_t newBase, uint64_t& counter);

// Calls `visit` with every chunk-offset entry below the container set in [start, limit)
// (depth-limited), in buffer order; stops when it returns false.
void forEachIsoChunkOffset(const ByteBuffer& buffer, uint64_t start, uint64_t limit,
                           const std::function<bool(uint64_t)>& visit);

// Counts the chunk-offset entries below the container set in [start, limit) (depth-limited).
uint64_t countIsoChunkOffsets(const ByteBuffer& buffer, uint64_t start, uint64_t limit);

// Places the samples of every "trak" of a complete "moov" (its own bytes, starting at 0) through
// its stsc, stsz and stco/co64 tables and checks them against media data whose payload is, in the
// moov's offset values, [first, end): true when every listed sample lies inside it and every
// sample the stsz counts sits in a chunk. `sample`, when given, sees each placed sample (the trak
// box, the sample's offset and size; a chunk of equal-sized samples as one range) and can reject
// it, so a caller can check the bytes too. Work is bounded by the tables' own length.
using IsoSampleCheck = std::function<bool(const IsoBox& trak, uint64_t offset, uint64_t size)>;
bool isoSampleTablesFit(const ByteBuffer& moov, uint64_t first, uint64_t end, const IsoSampleCheck& sample = {});

// Rebuilds one complete box (e.g. a "moov", given as its own bytes starting at 0) with every
// "stco" turned into an equivalent "co64" and the size field of every enclosing container grown
// to match. Returns false (and leaves `out` empty) when a grown 32-bit size would not fit.
bool widenIsoChunkOffsets(const ByteBuffer& box, ByteBuffer& out);

} // namespace data_repair
