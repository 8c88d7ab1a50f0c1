#include "data_repair/byte_buffer.h"

#include <unistd.h>

#include <new>

#include <algorithm>
#include <cstring>
#include <functional>
#include <iterator>
#include <optional>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__)
#include <immintrin.h>
#endif

#include "data_repair/checkpoint.h"

namespace data_repair {

namespace {

template <unsigned Width>
uint64_t readBig(ByteView b, uint64_t pos)
{
    if (!fits(b, pos, Width))
        return 0;
    uint64_t value = 0;
    for (unsigned i = 0; i < Width; ++i)
        value = (value << 8) | b[pos + i];
    return value;
}

template <unsigned Width>
uint64_t readLittle(ByteView b, uint64_t pos)
{
    if (!fits(b, pos, Width))
        return 0;
    uint64_t value = 0;
    for (unsigned i = 0; i < Width; ++i)
        value |= static_cast<uint64_t>(b[pos + i]) << (8 * i);
    return value;
}

template <unsigned Width>
void putBig(ByteBuffer& b, uint64_t pos, uint64_t value)
{
    if (!fits(b, pos, Width))
        return;
    for (unsigned i = 0; i < Width; ++i)
        b[pos + i] = static_cast<uint8_t>(value >> (8 * (Width - 1 - i)));
}

template <unsigned Width>
void putLittle(ByteBuffer& b, uint64_t pos, uint64_t value)
{
    if (!fits(b, pos, Width))
        return;
    for (unsigned i = 0; i < Width; ++i)
        b[pos + i] = static_cast<uint8_t>(value >> (8 * i));
}

template <unsigned Width>
void appendBig(ByteBuffer& b, uint64_t value)
{
    for (unsigned i = 0; i < Width; ++i)
        b.push_back(static_cast<uint8_t>(value >> (8 * (Width - 1 - i))));
}

template <unsigned Width>
void appendLittle(ByteBuffer& b, uint64_t value)
{
    for (unsigned i = 0; i < Width; ++i)
        b.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// Needles up to this length are found by their first and last bytes, 16 positions at a time,
// each candidate then compared whole: at most this many byte compares per position, so the
// search stays linear even on hostile input. Longer needles go to memmem.
constexpr uint64_t kShortNeedle = 16;

// Candidate starts of a short needle in a block of positions: bit i set where hay[i] is the
// needle's first byte and hay[i + m - 1] its last. 32 positions at a time with AVX2, else 16.
struct Block16 {
    static constexpr unsigned kWidth = 16;
    static uint32_t candidates(const uint8_t* at, uint64_t m, uint8_t first, uint8_t last)
    {
#if defined(__SSE2__)
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + m - 1));
        return static_cast<uint32_t>(
            _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(a, _mm_set1_epi8(static_cast<char>(first))),
                                            _mm_cmpeq_epi8(b, _mm_set1_epi8(static_cast<char>(last))))));
#else
        uint32_t mask = 0;
        for (unsigned i = 0; i < kWidth; ++i)
            mask |= static_cast<uint32_t>(at[i] == first && at[i + m - 1] == last) << i;
        return mask;
#endif
    }
};

// The block loops of both directions, for one block kind; each candidate is compared whole.
template <typename Block>
[[gnu::always_inline]] inline const uint8_t* findBlocks(const uint8_t* hay, uint64_t len, const uint8_t* needle,
                                                         uint64_t m)
{
    const uint64_t starts = len - m + 1; // positions a match can start at
    uint64_t i = 0;
    for (; i + Block::kWidth <= starts; i += Block::kWidth) {
        for (uint32_t mask = Block::candidates(hay + i, m, needle[0], needle[m - 1]); mask != 0; mask &= mask - 1) {
            const uint64_t at = i + static_cast<unsigned>(__builtin_ctz(mask));
            if (std::memcmp(hay + at + 1, needle + 1, m - 2) == 0)
                return hay + at;
        }
    }
    for (; i < starts; ++i) {
        if (hay[i] == needle[0] && hay[i + m - 1] == needle[m - 1] && std::memcmp(hay + i, needle, m) == 0)
            return hay + i;
    }
    return nullptr;
}

template <typename Block>
[[gnu::always_inline]] inline const uint8_t* rfindBlocks(const uint8_t* hay, uint64_t len, const uint8_t* needle,
                                                          uint64_t m)
{
    uint64_t i = len - m + 1; // positions [0, i) are left
    for (; i >= Block::kWidth; i -= Block::kWidth) {
        const uint64_t base = i - Block::kWidth;
        for (uint32_t mask = Block::candidates(hay + base, m, needle[0], needle[m - 1]); mask != 0;) {
            const unsigned bit = 31u - static_cast<unsigned>(__builtin_clz(mask));
            if (std::memcmp(hay + base + bit + 1, needle + 1, m - 2) == 0)
                return hay + base + bit;
            mask &= ~(1u << bit);
        }
    }
    while (i > 0) {
        --i;
        if (hay[i] == needle[0] && hay[i + m - 1] == needle[m - 1] && std::memcmp(hay + i, needle, m) == 0)
            return hay + i;
    }
    return nullptr;
}

#if defined(__x86_64__)
struct Block32 {
    static constexpr unsigned kWidth = 32;
    [[gnu::target("avx2")]] static inline uint32_t candidates(const uint8_t* at, uint64_t m,
                                                                                 uint8_t first, uint8_t last)
    {
        const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at));
        const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at + m - 1));
        const __m256i hit = _mm256_and_si256(_mm256_cmpeq_epi8(a, _mm256_set1_epi8(static_cast<char>(first))),
                                             _mm256_cmpeq_epi8(b, _mm256_set1_epi8(static_cast<char>(last))));
        return static_cast<uint32_t>(_mm256_movemask_epi8(hit));
    }
};

[[gnu::target("avx2")]] const uint8_t* findShortAvx2(const uint8_t* hay, uint64_t len, const uint8_t* needle,
                                                      uint64_t m)
{
    return findBlocks<Block32>(hay, len, needle, m);
}

[[gnu::target("avx2")]] const uint8_t* rfindShortAvx2(const uint8_t* hay, uint64_t len, const uint8_t* needle,
                                                       uint64_t m)
{
    return rfindBlocks<Block32>(hay, len, needle, m);
}

const bool kHaveAvx2 = __builtin_cpu_supports("avx2");
#endif

// First occurrence of a short needle (2 to kShortNeedle bytes) in hay[0, len), or null.
const uint8_t* findShort(const uint8_t* hay, uint64_t len, const uint8_t* needle, uint64_t m)
{
    if (len < m)
        return nullptr;
#if defined(__x86_64__)
    if (kHaveAvx2)
        return findShortAvx2(hay, len, needle, m);
#endif
    return findBlocks<Block16>(hay, len, needle, m);
}

// Last occurrence of a short needle (2 to kShortNeedle bytes) in hay[0, len), or null: the same
// blocks taken from the end, each one's candidates from its highest position down.
const uint8_t* rfindShort(const uint8_t* hay, uint64_t len, const uint8_t* needle, uint64_t m)
{
    if (len < m)
        return nullptr;
#if defined(__x86_64__)
    if (kHaveAvx2)
        return rfindShortAvx2(hay, len, needle, m);
#endif
    return rfindBlocks<Block16>(hay, len, needle, m);
}

const uint8_t* findInWindow(const uint8_t* hay, uint64_t len, const uint8_t* needle, uint64_t m)
{
    if (m == 1)
        return static_cast<const uint8_t*>(std::memchr(hay, needle[0], static_cast<size_t>(len)));
    if (m <= kShortNeedle)
        return findShort(hay, len, needle, m);
    return static_cast<const uint8_t*>(::memmem(hay, static_cast<size_t>(len), needle, static_cast<size_t>(m)));
}

uint64_t findRaw(const uint8_t* hay, uint64_t hayLen, const uint8_t* needle, uint64_t needleLen, uint64_t start)
{
    if (needleLen == 0 || start >= hayLen || needleLen > hayLen - start)
        return npos;
    checkpoint(start, hayLen); // loops that search hit after hit
    // Linear even on hostile repetitive inputs (see findInWindow), and several times faster than
    // a Horspool search on ordinary data.
    // Window by window (overlapping by the needle's length less one), so that a search through
    // a large input can be cancelled. Windows start small and grow, so that a search that hits
    // soon costs little even where memmem checks its whole window first (sanitizers do).
    uint64_t window = 4096;
    for (uint64_t from = start;;) {
        const uint64_t span = std::min<uint64_t>(hayLen - from, window + needleLen - 1);
        const uint8_t* hit = findInWindow(hay + from, span, needle, needleLen);
        if (hit != nullptr)
            return static_cast<uint64_t>(hit - hay);
        if (from + span >= hayLen)
            return npos;
        from += window;
        window = std::min<uint64_t>(window * 2, kCheckpointBytes);
        checkpoint(from, hayLen);
    }
}

uint64_t rfindRaw(const uint8_t* hay, uint64_t hayLen, const uint8_t* needle, uint64_t needleLen, uint64_t end)
{
    // Last occurrence that starts before `end`.
    if (needleLen == 0 || needleLen > hayLen || end == 0)
        return npos;
    std::vector<uint8_t> reversedNeedle;
    std::optional<std::boyer_moore_horspool_searcher<std::vector<uint8_t>::const_iterator>> searcher;
    if (needleLen > kShortNeedle) {
        // Long needles: a forward search over the reversed bytes.
        reversedNeedle.assign(needle, needle + needleLen);
        std::reverse(reversedNeedle.begin(), reversedNeedle.end());
        searcher.emplace(reversedNeedle.cbegin(), reversedNeedle.cend());
    }
    // Starts from `highest` down to `lowest`, one window at a time (see findRaw).
    for (uint64_t highest = std::min<uint64_t>(end - 1, hayLen - needleLen);;) {
        const uint64_t lowest = highest >= kCheckpointBytes ? highest - kCheckpointBytes + 1 : 0;
        const uint64_t regionEnd = highest + needleLen;
        if (needleLen == 1) {
            if (const void* hit = ::memrchr(hay + lowest, needle[0], static_cast<size_t>(regionEnd - lowest)))
                return static_cast<uint64_t>(static_cast<const uint8_t*>(hit) - hay);
        } else if (needleLen <= kShortNeedle) {
            if (const uint8_t* hit = rfindShort(hay + lowest, regionEnd - lowest, needle, needleLen))
                return static_cast<uint64_t>(hit - hay);
        } else {
            const std::reverse_iterator<const uint8_t*> rfirst(hay + regionEnd);
            const std::reverse_iterator<const uint8_t*> rlast(hay + lowest);
            const auto hit = std::search(rfirst, rlast, *searcher);
            // hit points at the needle's last byte counted from the region's end.
            if (hit != rlast)
                return regionEnd - static_cast<uint64_t>(hit - rfirst) - needleLen;
        }
        if (lowest == 0)
            return npos;
        highest = lowest - 1;
        checkpoint(hayLen - highest, hayLen);
    }
}

} // namespace

uint8_t readU8(ByteView b, uint64_t pos) { return static_cast<uint8_t>(readBig<1>(b, pos)); }
uint16_t readBe16(ByteView b, uint64_t pos) { return static_cast<uint16_t>(readBig<2>(b, pos)); }
uint32_t readBe24(ByteView b, uint64_t pos) { return static_cast<uint32_t>(readBig<3>(b, pos)); }
uint32_t readBe32(ByteView b, uint64_t pos) { return static_cast<uint32_t>(readBig<4>(b, pos)); }
uint64_t readBe64(ByteView b, uint64_t pos) { return readBig<8>(b, pos); }
uint16_t readLe16(ByteView b, uint64_t pos) { return static_cast<uint16_t>(readLittle<2>(b, pos)); }
uint32_t readLe24(ByteView b, uint64_t pos) { return static_cast<uint32_t>(readLittle<3>(b, pos)); }
uint32_t readLe32(ByteView b, uint64_t pos) { return static_cast<uint32_t>(readLittle<4>(b, pos)); }
uint64_t readLe64(ByteView b, uint64_t pos) { return readLittle<8>(b, pos); }

std::string bytesToString(ByteView b, uint64_t pos, uint64_t len)
{
    if (!fits(b, pos, len))
        return {};
    return std::string(reinterpret_cast<const char*>(b.data()) + pos, static_cast<size_t>(len));
}

ByteBuffer sliceBytes(ByteView b, uint64_t pos, uint64_t len)
{
    if (pos >= b.size())
        return {};
    const uint64_t n = std::min<uint64_t>(len, b.size() - pos);
    return ByteBuffer(b.begin() + static_cast<std::ptrdiff_t>(pos), b.begin() + static_cast<std::ptrdiff_t>(pos + n));
}

bool matchesAt(ByteView b, uint64_t pos, std::string_view text)
{
    return fits(b, pos, text.size()) && (text.empty() || std::memcmp(b.data() + pos, text.data(), text.size()) == 0);
}

bool matchesAt(ByteView b, uint64_t pos, ByteView bytes)
{
    return fits(b, pos, bytes.size()) && (bytes.empty() || std::memcmp(b.data() + pos, bytes.data(), bytes.size()) == 0);
}

uint64_t findBytes(ByteView hay, ByteView needle, uint64_t start)
{
    return findRaw(hay.data(), hay.size(), needle.data(), needle.size(), start);
}

uint64_t findBytes(ByteView hay, std::string_view needle, uint64_t start)
{
    return findRaw(hay.data(), hay.size(), reinterpret_cast<const uint8_t*>(needle.data()), needle.size(), start);
}

uint64_t rfindBytes(ByteView hay, ByteView needle)
{
    return rfindRaw(hay.data(), hay.size(), needle.data(), needle.size(), npos);
}

uint64_t rfindBytes(ByteView hay, std::string_view needle)
{
    return rfindRaw(hay.data(), hay.size(), reinterpret_cast<const uint8_t*>(needle.data()), needle.size(), npos);
}

uint64_t rfindBytesBefore(ByteView hay, std::string_view needle, uint64_t end)
{
    return rfindRaw(hay.data(), hay.size(), reinterpret_cast<const uint8_t*>(needle.data()), needle.size(), end);
}

void putU8(ByteBuffer& b, uint64_t pos, uint8_t v) { putBig<1>(b, pos, v); }
void putBe16(ByteBuffer& b, uint64_t pos, uint16_t v) { putBig<2>(b, pos, v); }
void putBe32(ByteBuffer& b, uint64_t pos, uint32_t v) { putBig<4>(b, pos, v); }
void putBe64(ByteBuffer& b, uint64_t pos, uint64_t v) { putBig<8>(b, pos, v); }
void putLe16(ByteBuffer& b, uint64_t pos, uint16_t v) { putLittle<2>(b, pos, v); }
void putLe32(ByteBuffer& b, uint64_t pos, uint32_t v) { putLittle<4>(b, pos, v); }
void putLe64(ByteBuffer& b, uint64_t pos, uint64_t v) { putLittle<8>(b, pos, v); }

void appendString(ByteBuffer& b, std::string_view text) { b.insert(b.end(), text.begin(), text.end()); }
void appendBytes(ByteBuffer& b, ByteView other) { appendRange(b, other, 0, other.size()); }

void appendBytes(ByteBuffer& b, std::initializer_list<uint8_t> bytes) { b.insert(b.end(), bytes.begin(), bytes.end()); }

void appendRange(ByteBuffer& b, ByteView other, uint64_t pos, uint64_t len)
{
    if (pos >= other.size())
        return;
    const uint64_t n = std::min<uint64_t>(len, other.size() - pos);
    // Large copies (a whole media payload) go piece by piece, so that they can be cancelled.
    for (uint64_t done = 0; done < n;) {
        const uint64_t piece = std::min<uint64_t>(n - done, kCheckpointBytes);
        const auto first = other.begin() + static_cast<std::ptrdiff_t>(pos + done);
        b.insert(b.end(), first, first + static_cast<std::ptrdiff_t>(piece));
        done += piece;
        if (done < n)
            checkpoint(done, n);
    }
}

void appendU8(ByteBuffer& b, uint8_t v) { b.push_back(v); }
void appendBe16(ByteBuffer& b, uint16_t v) { appendBig<2>(b, v); }
void appendBe24(ByteBuffer& b, uint32_t v) { appendBig<3>(b, v); }
void appendBe32(ByteBuffer& b, uint32_t v) { appendBig<4>(b, v); }
void appendBe64(ByteBuffer& b, uint64_t v) { appendBig<8>(b, v); }
void appendLe16(ByteBuffer& b, uint16_t v) { appendLittle<2>(b, v); }
void appendLe32(ByteBuffer& b, uint32_t v) { appendLittle<4>(b, v); }
void appendLe64(ByteBuffer& b, uint64_t v) { appendLittle<8>(b, v); }

uint64_t workingMemoryLimit()
{
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGESIZE);
    if (pages <= 0 || pageSize <= 0)
        return npos;
    return static_cast<uint64_t>(pages) * static_cast<uint64_t>(pageSize) / 2;
}

void requireWorkingMemory(uint64_t bytes)
{
    if (bytes > workingMemoryLimit())
        throw std::bad_alloc();
}

ByteBuffer copyBytes(ByteView bytes)
{
    requireWorkingMemory(bytes.size());
    ByteBuffer copy;
    copy.reserve(bytes.size());
    appendRange(copy, bytes, 0, bytes.size()); // piece by piece: a long copy can be cancelled
    return copy;
}

void eraseFront(ByteBuffer& b, uint64_t n)
{
    if (n >= b.size()) {
        b.clear();
        return;
    }
    // Moved down piece by piece, front to back (each piece lands below where it was read).
    const uint64_t kept = b.size() - n;
    for (uint64_t done = 0; done < kept;) {
        const uint64_t piece = std::min<uint64_t>(kept - done, kCheckpointBytes);
        std::memmove(b.data() + done, b.data() + n + done, static_cast<size_t>(piece));
        done += piece;
        if (done < kept)
            checkpoint(done, kept);
    }
    b.resize(static_cast<size_t>(kept));
}

ByteBuffer bytesOf(std::string_view text) { return ByteBuffer(text.begin(), text.end()); }

} // namespace data_repair
