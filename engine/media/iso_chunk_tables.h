#pragma once

// The sample tables of ISO base media files (MP4, MOV, M4A) held in memory: rebasing the
// chunk-offset tables of a box tree after its media data has moved, widening them to 64 bits,
// and checking that the tables place every sample inside the media data. Every read and write is
// bounds-checked and every walk into nested boxes stops at kMaxIsoBoxDepth.

#include <cstdint>
#include <functional>

#include "core/iso_box.h"
#include "data_repair/byte_buffer.h"

namespace data_repair {

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
void forEachIsoChunkOffset(ByteView buffer, uint64_t start, uint64_t limit,
                           const std::function<bool(uint64_t)>& visit);

// Counts the chunk-offset entries below the container set in [start, limit) (depth-limited).
uint64_t countIsoChunkOffsets(ByteView buffer, uint64_t start, uint64_t limit);

// Places the samples of every "trak" of a complete "moov" (its own bytes, starting at 0) through
// its stsc, stsz and stco/co64 tables and checks them against media data whose payload is, in the
// moov's offset values, [first, end): true when every listed sample lies inside it and every
// sample the stsz counts sits in a chunk. `sample`, when given, sees each placed sample (the trak
// box, the sample's offset and size; a chunk of equal-sized samples as one range) and can reject
// it, so a caller can check the bytes too. Work is bounded by the tables' own length.
using IsoSampleCheck = std::function<bool(const IsoBox& trak, uint64_t offset, uint64_t size)>;
bool isoSampleTablesFit(ByteView moov, uint64_t first, uint64_t end, const IsoSampleCheck& sample = {});

// Rebuilds one complete box (e.g. a "moov", given as its own bytes starting at 0) with every
// "stco" turned into an equivalent "co64" and the size field of every enclosing container grown
// to match. Returns false (and leaves `out` empty) when a grown 32-bit size would not fit.
bool widenIsoChunkOffsets(ByteView box, ByteBuffer& out);

} // namespace data_repair
