#include <gtest/gtest.h>

#include <initializer_list>

#include "core/iso_box.h"
#include "media/iso_chunk_tables.h"
#include "test_support.h"

using namespace data_repair;
using test_support::concat;

namespace {

ByteBuffer box(std::string_view type, const ByteBuffer& payload) {
    ByteBuffer out;
    appendBe32(out, static_cast<uint32_t>(8 + payload.size()));
    appendString(out, type);
    appendBytes(out, payload);
    return out;
}

ByteBuffer stco(std::initializer_list<uint32_t> entries) {
    ByteBuffer payload(4, 0);
    appendBe32(payload, static_cast<uint32_t>(entries.size()));
    for (uint32_t e : entries) appendBe32(payload, e);
    return box("stco", payload);
}

ByteBuffer co64(std::initializer_list<uint64_t> entries) {
    ByteBuffer payload(4, 0);
    appendBe32(payload, static_cast<uint32_t>(entries.size()));
    for (uint64_t e : entries) appendBe64(payload, e);
    return box("co64", payload);
}

// moov/trak/mdia/minf/stbl/<table>
ByteBuffer moovWith(const ByteBuffer& table) {
    return box("moov", box("trak", box("mdia", box("minf", box("stbl", table)))));
}

// Position of the first entry of the first table of that type.
uint64_t firstEntry(const ByteBuffer& bytes, std::string_view type) {
    return findBytes(bytes, type) + 12;
}

} // namespace

TEST(IsoBoxTest, ParsesHeaderCases) {
    struct Case {
        const char* name;
        ByteBuffer bytes;
        bool valid;
        uint64_t size;
        uint64_t header;
        bool clamped;
    };
    ByteBuffer large;
    appendBe32(large, 1);
    appendString(large, "mdat");
    appendBe64(large, 20);
    appendBe32(large, 0xAABBCCDD);
    ByteBuffer shortLarge = concat({{0, 0, 0, 1}, bytesOf("mdat"), {0, 0, 0, 0}});
    const Case cases[] = {
        {"size zero runs to the limit", concat({{0, 0, 0, 0}, bytesOf("mdat"), ByteBuffer(12, 7)}),
         true, 20, 8, false},
        {"largesize", large, true, 20, 16, false},
        {"largesize with 12 bytes", shortLarge, false, 0, 8, false},
        {"size below header", concat({{0, 0, 0, 4}, bytesOf("free"), ByteBuffer(8, 0)}), false, 0,
         8, false},
        {"zero byte in type", concat({{0, 0, 0, 8}, {'m', 'o', 0, 'v'}}), false, 0, 8, false},
        {"type byte above 0x7E", concat({{0, 0, 0, 8}, {'m', 'o', 0x7F, 'v'}}), false, 0, 8, false},
        {"declares more than remains", concat({{0, 0, 1, 0}, bytesOf("mdat"), ByteBuffer(8, 1)}),
         true, 16, 8, true},
        {"fewer than 8 bytes", ByteBuffer{0, 0, 0, 8, 'f', 'r'}, false, 0, 8, false},
    };
    for (const Case& c : cases) {
        const IsoBox b = parseIsoBox(c.bytes, 0, c.bytes.size());
        EXPECT_EQ(b.valid, c.valid) << c.name;
        EXPECT_EQ(b.size, c.size) << c.name;
        EXPECT_EQ(b.headerSize, c.header) << c.name;
        EXPECT_EQ(b.clamped, c.clamped) << c.name;
    }
    // The type is kept as read even when rejected.
    const ByteBuffer bad = concat({{0, 0, 0, 8}, {'m', 'o', 0, 'v'}});
    EXPECT_EQ(parseIsoBox(bad, 0, 8).type, std::string("mo\0v", 4));
    // A start beyond the limit or the buffer never reads.
    EXPECT_FALSE(parseIsoBox(bad, 9, 100).valid);
    EXPECT_FALSE(parseIsoBox(bad, 0, 4).valid);
}

TEST(IsoBoxTest, ListingStopsAtInvalidOrClampedBox) {
    const ByteBuffer bytes = concat({box("ftyp", ByteBuffer(8, 0)), box("free", {}),
                                     {0, 0, 0, 4, 'b', 'a', 'd', '!'}, box("mdat", {1, 2})});
    const auto list = listIsoBoxes(bytes, 0, bytes.size());
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].type, "ftyp");
    EXPECT_EQ(list[1].offset, 16u);

    const ByteBuffer clamped = concat({box("ftyp", {}), {0, 0, 0x10, 0}, bytesOf("mdat"),
                                       ByteBuffer(40, 0)});
    const auto list2 = listIsoBoxes(clamped, 0, clamped.size());
    ASSERT_EQ(list2.size(), 2u);
    EXPECT_TRUE(list2.back().clamped);
    EXPECT_EQ(list2.back().size, 48u);

    const IsoBox missing = findIsoBox(list, "moov");
    EXPECT_FALSE(missing.valid);
    EXPECT_EQ(missing.headerSize, 8u);
    EXPECT_TRUE(missing.type.empty());
    EXPECT_EQ(findIsoBox(list, "free").offset, 16u);
}

TEST(IsoBoxTest, ContainerSetExcludesFragments) {
    for (const char* t : {"moov", "trak", "mdia", "minf", "stbl", "edts", "dinf", "udta", "meta",
                          "ilst"})
        EXPECT_TRUE(isIsoContainerBox(t)) << t;
    for (const char* t : {"moof", "traf", "mdat", "stco", "MOOV", "moo"})
        EXPECT_FALSE(isIsoContainerBox(t)) << t;
}

TEST(IsoBoxTest, PatchShiftsNestedTablesOnly) {
    ByteBuffer meta(4, 0); // version and flags before the children
    appendBytes(meta, box("ilst", stco({5})));
    ByteBuffer bytes = concat({moovWith(concat({stco({100, 200}), co64({300})})),
                               box("moov", box("meta", meta)),
                               box("moof", box("traf", stco({400})))});
    uint64_t counter = 7;
    EXPECT_EQ(patchIsoChunkOffsets(bytes, 0, bytes.size(), 0, 1000, counter), 0u);
    EXPECT_EQ(counter, 7u + 4u);
    const uint64_t s = firstEntry(bytes, "stco");
    EXPECT_EQ(readBe32(bytes, s), 1100u);
    EXPECT_EQ(readBe32(bytes, s + 4), 1200u);
    EXPECT_EQ(readBe64(bytes, firstEntry(bytes, "co64")), 1300u);
    EXPECT_EQ(readBe32(bytes, findBytes(bytes, "ilst") + 20), 1005u);
    EXPECT_EQ(readBe32(bytes, findBytes(bytes, "traf") + 20), 400u); // not below the set

    // With a non-zero old base, entries below it are not media of the moved range.
    ByteBuffer moved = moovWith(stco({50, 500, 600}));
    uint64_t n = 0;
    EXPECT_EQ(patchIsoChunkOffsets(moved, 0, moved.size(), 500, 40, n), 0u);
    EXPECT_EQ(n, 2u);
    const uint64_t m = firstEntry(moved, "stco");
    EXPECT_EQ(readBe32(moved, m), 50u);
    EXPECT_EQ(readBe32(moved, m + 4), 40u);
    EXPECT_EQ(readBe32(moved, m + 8), 140u);
}

TEST(IsoBoxTest, PatchNeverWrapsAndWideningRescues) {
    const ByteBuffer original = moovWith(concat({stco({0x10, 0xFFFFFF00u, 0xFFFFFFF0u})}));
    ByteBuffer bytes = original;
    uint64_t counter = 0;
    EXPECT_EQ(patchIsoChunkOffsets(bytes, 0, bytes.size(), 0, 0x200, counter), 2u);
    EXPECT_EQ(counter, 0u);
    EXPECT_EQ(bytes, original); // nothing half-patched

    ByteBuffer wide;
    ASSERT_TRUE(widenIsoChunkOffsets(original, wide));
    EXPECT_EQ(wide.size(), original.size() + 12);
    // Every container's size field matches its bytes after the growth.
    IsoBox b = parseIsoBox(wide, 0, wide.size());
    for (const char* t : {"moov", "trak", "mdia", "minf", "stbl", "co64"}) {
        ASSERT_TRUE(b.valid) << t;
        EXPECT_EQ(b.type, t);
        EXPECT_FALSE(b.clamped) << t;
        EXPECT_EQ(b.end(), wide.size());
        b = parseIsoBox(wide, b.payloadStart(), b.end());
    }
    EXPECT_EQ(countIsoChunkOffsets(wide, 0, wide.size()), 3u);
    EXPECT_EQ(patchIsoChunkOffsets(wide, 0, wide.size(), 0, 0x200, counter), 0u);
    EXPECT_EQ(counter, 3u);
    const uint64_t e = firstEntry(wide, "co64");
    EXPECT_EQ(readBe64(wide, e), 0x210u);
    EXPECT_EQ(readBe64(wide, e + 16), 0x1000001F0ull);

    // A 64-bit sum past 2^64 is reported too.
    ByteBuffer big = moovWith(co64({~0ull - 4}));
    EXPECT_EQ(patchIsoChunkOffsets(big, 0, big.size(), 0, 10, counter), 1u);
    EXPECT_EQ(readBe64(big, firstEntry(big, "co64")), ~0ull - 4);
}

TEST(IsoBoxTest, DeepNestingIsBounded) {
    // 200k nested "moov" boxes of 8-byte headers around one table: no stack exhaustion.
    const size_t depth = 200000;
    ByteBuffer bytes;
    const ByteBuffer table = stco({1});
    const uint64_t total = depth * 8 + table.size();
    bytes.reserve(total);
    for (size_t i = 0; i < depth; ++i) {
        appendBe32(bytes, static_cast<uint32_t>(total - i * 8));
        appendString(bytes, "moov");
    }
    appendBytes(bytes, table);
    uint64_t counter = 0;
    EXPECT_EQ(patchIsoChunkOffsets(bytes, 0, bytes.size(), 0, 5, counter), 0u);
    EXPECT_EQ(counter, 0u); // far below the depth limit: treated as a leaf, left alone
    EXPECT_EQ(countIsoChunkOffsets(bytes, 0, bytes.size()), 0u);
    ByteBuffer wide;
    EXPECT_TRUE(widenIsoChunkOffsets(bytes, wide));
    EXPECT_EQ(wide, bytes); // copied as it was
}

namespace {

ByteBuffer words(std::initializer_list<uint32_t> values) {
    ByteBuffer out;
    for (uint32_t v : values) appendBe32(out, v);
    return out;
}

// One track: stsc runs {first chunk, samples per chunk, 1}, stsz (constant or listed sizes), stco.
ByteBuffer tables(const ByteBuffer& stscRuns, uint32_t runs, uint32_t constant, uint32_t count,
                  const ByteBuffer& sizes, const ByteBuffer& offsets) {
    return moovWith(concat({box("stsc", concat({words({0, runs}), stscRuns})),
                            box("stsz", concat({words({0, constant, count}), sizes})), offsets}));
}

} // namespace

TEST(IsoBoxTest, SampleTablesFitTheirMediaRange) {
    struct Case {
        const char* name;
        ByteBuffer moov;
        bool fits;
    };
    const ByteBuffer twoPerChunk = words({1, 2, 1});
    const std::vector<Case> cases = {
        {"all samples inside", tables(twoPerChunk, 1, 0, 4, words({10, 10, 10, 10}), stco({100, 120})), true},
        {"last sample runs past the end", tables(twoPerChunk, 1, 0, 4, words({10, 10, 10, 11}), stco({100, 120})), false},
        {"chunk before the media", tables(twoPerChunk, 1, 0, 2, words({10, 10}), stco({90})), false},
        {"samples left without a chunk", tables(twoPerChunk, 1, 0, 5, words({1, 1, 1, 1, 1}), stco({100, 110})), false},
        {"no sample-to-chunk table", moovWith(concat({box("stsz", words({0, 0, 1, 4})), stco({100})})), false},
        {"empty track", tables({}, 0, 0, 0, {}, stco({})), true},
        // Billions of equal samples are checked chunk by chunk, not one by one.
        {"huge constant-size run", tables(words({1, 0xFFFFFFFFu, 1}), 1, 1, 0xFFFFFFFFu, {}, co64({100})), false},
    };
    for (const Case& c : cases) {
        uint64_t seen = 0;
        EXPECT_EQ(isoSampleTablesFit(c.moov, 100, 140,
                                     [&](const IsoBox&, uint64_t, uint64_t size) {
                                         seen += size;
                                         return true;
                                     }),
                  c.fits)
            << c.name;
        if (c.fits) {
            EXPECT_LE(seen, 40u) << c.name;
        }
    }
    // The same billions fit a range large enough for them, shown to the check as one range.
    const ByteBuffer huge = tables(words({1, 0xFFFFFFFFu, 1}), 1, 1, 0xFFFFFFFFu, {}, co64({100}));
    uint64_t calls = 0;
    EXPECT_TRUE(isoSampleTablesFit(huge, 100, 100 + 0xFFFFFFFFull, [&](const IsoBox&, uint64_t, uint64_t size) {
        ++calls;
        return size == 0xFFFFFFFFull;
    }));
    EXPECT_EQ(calls, 1u);
}
