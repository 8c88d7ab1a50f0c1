// Searching for a marker from the end of a file.

#include <gtest/gtest.h>

#include <string>

#include "data_repair/byte_buffer.h"
#include "media/container_support.h"

using namespace data_repair;

namespace {

// size bytes of filler with "idx1" written at each of `at`.
ByteBuffer withMarkers(uint64_t size, std::initializer_list<uint64_t> at, uint8_t filler = 'x')
{
    ByteBuffer bytes(size, filler);
    for (const uint64_t pos : at)
        for (uint64_t i = 0; i < 4; ++i)
            bytes[pos + i] = static_cast<uint8_t>("idx1"[i]);
    return bytes;
}

} // namespace

TEST(FindLastBytes, FindsTheLastOccurrenceWhereverItLies)
{
    constexpr uint64_t kMiB = uint64_t{1} << 20;
    const uint64_t big = 3 * kMiB + 123;
    struct Case {
        const char* name;
        ByteBuffer bytes;
        uint64_t expected;
    };
    const Case cases[] = {
        {"none", withMarkers(5000, {}), npos},
        {"only at the start", withMarkers(big, {0}), 0},
        {"at the very end", withMarkers(big, {big - 4}), big - 4},
        {"several: the last wins", withMarkers(5000, {10, 2000, 4000}), 4000},
        // Markers across the places where the search moves on from one stretch to the next.
        {"straddling a stretch boundary", withMarkers(big, {100, big - kMiB - 2}), big - kMiB - 2},
        {"ending on a stretch boundary", withMarkers(big, {big - 2 * kMiB - 4}), big - 2 * kMiB - 4},
        {"starting on a stretch boundary", withMarkers(big, {big - kMiB}), big - kMiB},
        {"overlapping repeats", withMarkers(big, {big - 8, big - 4}, '1'), big - 4},
        {"exactly the needle", withMarkers(4, {0}), 0},
        {"shorter than the needle", ByteBuffer{'d', 'x', '1'}, npos},
        {"empty", ByteBuffer{}, npos},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(findLastBytes(c.bytes, std::string_view("idx1")), c.expected);
    }
    EXPECT_EQ(findLastBytes(withMarkers(100, {4}), std::string_view()), npos);
}
