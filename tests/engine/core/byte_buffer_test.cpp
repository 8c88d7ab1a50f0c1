#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <random>

#include "data_repair/byte_buffer.h"

using namespace data_repair;

namespace {
ByteBuffer tenBytes() { return ByteBuffer{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}; }
} // namespace

TEST(ByteBuffer, ReadersYieldZeroWhenTheFieldDoesNotFit)
{
    const ByteBuffer b = tenBytes();
    EXPECT_EQ(readBe32(b, 6), 0x06070809u);
    EXPECT_EQ(readBe32(b, 7), 0u);
    EXPECT_EQ(readBe32(b, 11), 0u);
    EXPECT_EQ(readBe32(b, npos), 0u);
    EXPECT_EQ(readBe32(b, npos - 2), 0u); // would wrap if pos + 4 were computed
    EXPECT_EQ(readLe16(b, 8), 0x0908u);
    EXPECT_EQ(readLe16(b, 9), 0u);
    EXPECT_EQ(readBe16(b, 0), 0x0001u);
    EXPECT_EQ(readBe24(b, 7), 0x070809u);
    EXPECT_EQ(readLe24(b, 8), 0u);
    EXPECT_EQ(readBe64(b, 2), 0x0203040506070809ull);
    EXPECT_EQ(readBe64(b, 3), 0u);
    EXPECT_EQ(readU8(b, 9), 9u);
    EXPECT_EQ(readU8(b, 10), 0u);
    const ByteBuffer high{0x01, 0, 0, 0, 0, 0, 0, 0x80};
    EXPECT_EQ(readLe64(high, 0), (1ull << 63) + 1);
    EXPECT_EQ(readLe32(ByteBuffer{0xFF, 0xFF, 0xFF, 0xFF}, 0), 0xFFFFFFFFu);
}

TEST(ByteBuffer, WritersNeverWritePartlyAndNeverGrow)
{
    ByteBuffer b = tenBytes();
    putBe32(b, 7, 0xAABBCCDD);
    EXPECT_EQ(b, tenBytes());
    putBe32(b, npos - 1, 1);
    putLe64(b, 3, 1);
    putBe64(b, 5, 1);
    EXPECT_EQ(b, tenBytes());
    putBe32(b, 6, 0xAABBCCDD);
    EXPECT_EQ(b.size(), 10u);
    EXPECT_EQ(b[6], 0xAA);
    EXPECT_EQ(b[9], 0xDD);
    putLe16(b, 0, 0x1234);
    EXPECT_EQ(b[0], 0x34);
    EXPECT_EQ(b[1], 0x12);
}

TEST(ByteBuffer, SliceClampsButTextNeedsTheWholeRange)
{
    const ByteBuffer b = tenBytes();
    EXPECT_EQ(sliceBytes(b, 8, 100), (ByteBuffer{8, 9}));
    EXPECT_TRUE(sliceBytes(b, 10, 1).empty());
    EXPECT_TRUE(sliceBytes(b, npos, npos).empty());
    EXPECT_EQ(sliceBytes(b, 2, npos).size(), 8u);
    EXPECT_EQ(bytesToString(b, 8, 3), "");
    EXPECT_EQ(bytesToString(b, 10, 0), "");
    EXPECT_EQ(bytesToString(bytesOf("hello"), 1, 3), "ell");
    EXPECT_EQ(bytesToString(b, 1, npos), "");
}

TEST(ByteBuffer, FindAndReverseFind)
{
    const ByteBuffer hay = bytesOf("abcXYabcXY");
    EXPECT_EQ(findBytes(hay, "XY", 0), 3u);
    EXPECT_EQ(findBytes(hay, "XY", 4), 8u);
    EXPECT_EQ(findBytes(hay, "XY", 9), npos);   // needle longer than what is left
    EXPECT_EQ(findBytes(hay, "XY", 10), npos);  // start == size
    EXPECT_EQ(findBytes(hay, "", 0), npos);     // empty needle
    EXPECT_EQ(findBytes(hay, "abcXYabcXYz", 0), npos);
    EXPECT_EQ(rfindBytes(hay, "abc"), 5u);
    EXPECT_EQ(rfindBytes(hay, "XY"), 8u);       // at the very end
    EXPECT_EQ(rfindBytes(hay, ""), npos);
    EXPECT_EQ(rfindBytes(hay, "zz"), npos);
    EXPECT_EQ(rfindBytes(bytesOf("ab"), "abc"), npos);
    EXPECT_EQ(rfindBytesBefore(hay, "abc", 5), 0u);
    EXPECT_EQ(rfindBytesBefore(hay, "abc", 6), 5u);
    EXPECT_EQ(rfindBytesBefore(hay, "abc", 0), npos);
}

TEST(ByteBuffer, FindMatchesAPlainLeftToRightSearch)
{
    // Small alphabets make near-matches common; lengths cross the short-needle limit, starts and
    // sizes cross the search's window boundaries and its 16-position blocks.
    std::mt19937 random(7);
    for (int round = 0; round < 400; ++round) {
        const int alphabet = 2 + static_cast<int>(random() % 3);
        const size_t size = round % 4 == 0 ? 9000 + random() % 3000 : random() % 200;
        ByteBuffer hay(size);
        for (auto& byte : hay)
            byte = static_cast<uint8_t>('a' + random() % alphabet);
        const size_t length = 1 + random() % 20;
        ByteBuffer needle(length);
        for (auto& byte : needle)
            byte = static_cast<uint8_t>('a' + random() % alphabet);
        if (size > length && random() % 2 == 0) // a sure hit somewhere
            std::copy(needle.begin(), needle.end(),
                      hay.begin() + static_cast<std::ptrdiff_t>(random() % (size - length)));
        const uint64_t start = size == 0 ? 0 : random() % (size + 1);
        const auto plain =
            std::search(hay.begin() + static_cast<std::ptrdiff_t>(start), hay.end(), needle.begin(), needle.end());
        const uint64_t expected = plain == hay.end() ? npos : static_cast<uint64_t>(plain - hay.begin());
        ASSERT_EQ(findBytes(hay, needle, start), expected) << "round " << round;

        // Backwards: the last match that starts before `start` (or anywhere).
        const std::string text(hay.begin(), hay.end());
        const std::string word(needle.begin(), needle.end());
        const size_t last = text.rfind(word);
        ASSERT_EQ(rfindBytes(hay, word), last == std::string::npos ? npos : last) << "round " << round;
        const size_t before = start == 0 ? std::string::npos : text.rfind(word, start - 1);
        ASSERT_EQ(rfindBytesBefore(hay, word, start), before == std::string::npos ? npos : before)
            << "round " << round;
    }
}

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

TEST(ByteBuffer, BackwardSearchFindsTheLastOccurrenceWhereverItLies)
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
        // Markers far from the end, the search coming from there.
        {"a MiB before the end, straddling", withMarkers(big, {100, big - kMiB - 2}), big - kMiB - 2},
        {"ending two MiB before the end", withMarkers(big, {big - 2 * kMiB - 4}), big - 2 * kMiB - 4},
        {"starting a MiB before the end", withMarkers(big, {big - kMiB}), big - kMiB},
        {"overlapping repeats", withMarkers(big, {big - 8, big - 4}, '1'), big - 4},
        {"exactly the needle", withMarkers(4, {0}), 0},
        {"shorter than the needle", ByteBuffer{'d', 'x', '1'}, npos},
        {"empty", ByteBuffer{}, npos},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(rfindBytes(c.bytes, std::string_view("idx1")), c.expected);
    }
    EXPECT_EQ(rfindBytes(withMarkers(100, {4}), std::string_view()), npos);
}

TEST(ByteBuffer, SearchStaysLinearOnRepetitiveInput)
{
    // 8 MiB of 'A' against a near-match needle: a naive search would take billions of steps.
    const ByteBuffer hay(8 << 20, 'A');
    const std::string needle(64, 'A');
    EXPECT_EQ(findBytes(hay, needle + "B", 0), npos);
    EXPECT_EQ(rfindBytes(hay, "B" + needle), npos);
    EXPECT_EQ(rfindBytes(hay, needle), hay.size() - needle.size());
}

TEST(ByteBuffer, AppendersGrowAtTheEnd)
{
    ByteBuffer b;
    appendString(b, "ab");
    appendBe16(b, 0x0102);
    appendBe24(b, 0x030405);
    appendBe32(b, 0x06070809);
    appendLe16(b, 0x0B0A);
    appendLe32(b, 0x0F0E0D0C);
    appendU8(b, 0x10);
    appendBe64(b, 0x1112131415161718ull);
    appendLe64(b, 0x201F1E1D1C1B1A19ull);
    appendBytes(b, ByteBuffer{0x21});
    appendRange(b, ByteBuffer{0x22, 0x23, 0x24}, 1, 100);
    appendRange(b, ByteBuffer{0x22}, 5, 1);
    ByteBuffer expected = bytesOf("ab");
    for (uint8_t v = 1; v <= 0x24; ++v)
        if (v != 0x22)
            expected.push_back(v);
    EXPECT_EQ(b, expected);
}

TEST(ByteBuffer, CheckedArithmeticRefusesWrapping)
{
    uint64_t out = 0;
    EXPECT_TRUE(checkedAdd(1, 2, out));
    EXPECT_EQ(out, 3u);
    EXPECT_FALSE(checkedAdd(npos, 1, out));
    EXPECT_FALSE(checkedMul(1ull << 40, 1ull << 40, out));
    EXPECT_TRUE(fitsIn(10, 10, 0));
    EXPECT_FALSE(fitsIn(10, 11, 0));
    EXPECT_FALSE(fitsIn(10, 2, npos));
}
