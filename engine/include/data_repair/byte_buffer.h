#pragma once

// Bounds-checked access to whole files held as byte vectors. Readers yield 0 or an empty value
// when the field does not fit, in-place writers skip a write that does not fit, appenders grow
// the buffer. "Fits" means pos <= size and size - pos >= width; positions never wrap.

#include <cstdint>
#include <initializer_list>
#include <limits>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace data_repair {

using ByteBuffer = std::vector<uint8_t>;
// Bytes held elsewhere (a buffer, or the input file mapped read-only), read but never changed.
using ByteView = std::span<const uint8_t>;

// The most a repair holds in memory of its own for one copy of the input: half of physical
// memory. The input itself may be larger (it is mapped, not copied).
uint64_t workingMemoryLimit();
// Throws std::bad_alloc (the entries' "not enough memory" failure) for a working copy of more
// than workingMemoryLimit() bytes, before anything is allocated or touched.
void requireWorkingMemory(uint64_t bytes);
// A working copy of viewed bytes, for the repairs that change them in place.
ByteBuffer copyBytes(ByteView bytes);
// Removes the first n bytes (all when n is at least the size), moving the rest down in pieces
// so that removing a short prefix from a large buffer can be cancelled.
void eraseFront(ByteBuffer& b, uint64_t n);

inline constexpr uint64_t npos = std::numeric_limits<uint64_t>::max();

// True when [pos, pos + len) lies inside a buffer of the given size (no overflow).
constexpr bool fitsIn(uint64_t size, uint64_t pos, uint64_t len) noexcept {
    return pos <= size && len <= size - pos;
}
inline bool fits(ByteView buffer, uint64_t pos, uint64_t len) noexcept {
    return fitsIn(buffer.size(), pos, len);
}

// Checked arithmetic for untrusted sizes and offsets: false when the result would wrap.
inline bool checkedAdd(uint64_t a, uint64_t b, uint64_t& out) noexcept {
    return !__builtin_add_overflow(a, b, &out);
}
inline bool checkedMul(uint64_t a, uint64_t b, uint64_t& out) noexcept {
    return !__builtin_mul_overflow(a, b, &out);
}

uint8_t readU8(ByteView buffer, uint64_t pos);
uint16_t readBe16(ByteView buffer, uint64_t pos);
uint32_t readBe24(ByteView buffer, uint64_t pos);
uint32_t readBe32(ByteView buffer, uint64_t pos);
uint64_t readBe64(ByteView buffer, uint64_t pos);
uint16_t readLe16(ByteView buffer, uint64_t pos);
uint32_t readLe24(ByteView buffer, uint64_t pos);
uint32_t readLe32(ByteView buffer, uint64_t pos);
uint64_t readLe64(ByteView buffer, uint64_t pos);

// The len bytes at pos as text; empty unless all of them exist (never shortened).
std::string bytesToString(ByteView buffer, uint64_t pos, uint64_t len);
// The bytes at pos, len clamped to what exists; empty when pos >= size.
ByteBuffer sliceBytes(ByteView buffer, uint64_t pos, uint64_t len);
// True when the bytes at pos equal the text exactly (false when they do not fit).
bool matchesAt(ByteView buffer, uint64_t pos, std::string_view text);
bool matchesAt(ByteView buffer, uint64_t pos, ByteView bytes);

// First occurrence at or after start; npos when empty needle, start >= size, no room or none.
uint64_t findBytes(ByteView haystack, ByteView needle, uint64_t start = 0);
uint64_t findBytes(ByteView haystack, std::string_view needle, uint64_t start = 0);
// Last occurrence in the whole haystack; npos when empty, longer than the haystack, or absent.
uint64_t rfindBytes(ByteView haystack, ByteView needle);
uint64_t rfindBytes(ByteView haystack, std::string_view needle);
// Last occurrence that starts before `end` (exclusive); npos when none.
uint64_t rfindBytesBefore(ByteView haystack, std::string_view needle, uint64_t end);

void putU8(ByteBuffer& buffer, uint64_t pos, uint8_t value);
void putBe16(ByteBuffer& buffer, uint64_t pos, uint16_t value);
void putBe32(ByteBuffer& buffer, uint64_t pos, uint32_t value);
void putBe64(ByteBuffer& buffer, uint64_t pos, uint64_t value);
void putLe16(ByteBuffer& buffer, uint64_t pos, uint16_t value);
void putLe32(ByteBuffer& buffer, uint64_t pos, uint32_t value);
void putLe64(ByteBuffer& buffer, uint64_t pos, uint64_t value);

void appendString(ByteBuffer& buffer, std::string_view text);
void appendBytes(ByteBuffer& buffer, ByteView other);
void appendBytes(ByteBuffer& buffer, std::initializer_list<uint8_t> bytes);
// Appends [pos, pos + len) of other, clamped to what exists.
void appendRange(ByteBuffer& buffer, ByteView other, uint64_t pos, uint64_t len);
void appendU8(ByteBuffer& buffer, uint8_t value);
void appendBe16(ByteBuffer& buffer, uint16_t value);
void appendBe24(ByteBuffer& buffer, uint32_t value);
void appendBe32(ByteBuffer& buffer, uint32_t value);
void appendBe64(ByteBuffer& buffer, uint64_t value);
void appendLe16(ByteBuffer& buffer, uint16_t value);
void appendLe32(ByteBuffer& buffer, uint32_t value);
void appendLe64(ByteBuffer& buffer, uint64_t value);

ByteBuffer bytesOf(std::string_view text);

} // namespace data_repair
