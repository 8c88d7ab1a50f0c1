// ASF object and packet layout: header objects, packet acceptance, resynchronisation.

#include "asf_fixtures.h"

using namespace data_repair;
using namespace asf_fixtures;
using container_fixtures::concat;
using container_fixtures::garbage;
using container_fixtures::head;
using container_fixtures::tail;

TEST(AsfLayout, ReadsObjectsAndEveryPacketOfAnIntactFile)
{
    const SyntheticAsf asf;
    const ByteBuffer bytes = asf.build();
    EXPECT_EQ(findAsfHeaderGuid(bytes), 0u);
    const AsfLayout layout = parseAsfLayout(bytes, 0, nullptr, false);
    ASSERT_TRUE(layout.valid);
    EXPECT_EQ(layout.filePropertiesOffset, 30u);
    EXPECT_EQ(layout.dataObjectOffset, asf.dataObjectOffset());
    EXPECT_EQ(layout.firstPacketOffset, asf.firstPacketOffset());
    EXPECT_EQ(layout.packetSize, kPacketSize);
    EXPECT_EQ(layout.declaredPacketCount, asf.packets);
    EXPECT_EQ(packetOffsets(layout), asf.packetOffsets());
    EXPECT_EQ(layout.resyncCount, 0u);
    EXPECT_EQ(layout.skippedBytes, 0u);

    const AsfPacketSignature signature = readAsfPacketSignature(bytes, layout.firstPacketOffset);
    EXPECT_TRUE(signature.usable);
    EXPECT_TRUE(signature.hasErrorCorrection);
    EXPECT_EQ(signature.bytes, (ByteBuffer{0x82, 0x00, 0x00}));
}

TEST(AsfLayout, GivesUpOnUnusableHeaders)
{
    struct Case {
        const char* name;
        std::function<void(SyntheticAsf&)> change;
        std::function<void(ByteBuffer&)> patch;
    };
    const Case cases[] = {
        {"header size 29", {}, [](ByteBuffer& b) { putLe64(b, 16, 29); }},
        {"header size past the end", {}, [](ByteBuffer& b) { putLe64(b, 16, b.size() + 1); }},
        {"no file properties", {}, [](ByteBuffer& b) { b[30] ^= 0xFF; }},
        {"file properties past the header", {}, [](ByteBuffer& b) { putLe64(b, 16, 30 + 103); }},
        {"variable packet size", {}, [](ByteBuffer& b) { putLe32(b, 30 + 96, 999); }},
        {"packet size 0", {}, [](ByteBuffer& b) { putLe32(b, 30 + 92, 0), putLe32(b, 30 + 96, 0); }},
        {"packet size above 16 MiB", {}, [](ByteBuffer& b) { putLe32(b, 30 + 92, 0x1000001), putLe32(b, 30 + 96, 0x1000001); }},
        {"declared count above 100 million", [](SyntheticAsf& a) { a.declaredPackets = 100000001; }, {}},
        {"declared count 0", [](SyntheticAsf& a) { a.declaredPackets = 0; }, {}},
        {"first packet signature unusable", [](SyntheticAsf& a) { a.errorCorrection = {0x80}; }, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SyntheticAsf asf;
        if (c.change)
            c.change(asf);
        ByteBuffer bytes = asf.build();
        if (c.patch)
            c.patch(bytes);
        EXPECT_FALSE(parseAsfLayout(bytes, 0, nullptr, false).valid);
    }
    SyntheticAsf zero;
    zero.declaredPackets = 0;
    const AsfLayout ignoring = parseAsfLayout(zero.build(), 0, nullptr, true);
    EXPECT_TRUE(ignoring.valid);
    EXPECT_EQ(ignoring.packetCount, zero.packets);
    EXPECT_FALSE(parseAsfLayout(ByteBuffer{}, npos, nullptr, false).valid);
}

TEST(AsfLayout, PacketAcceptanceRules)
{
    struct Case {
        const char* name;
        std::function<void(ByteBuffer&, uint64_t)> patch;
        bool accepted;
    };
    // Synthetic packets: EC 82 00 00, length-type flags at +3, property flags, then the fields.
    const Case cases[] = {
        {"intact", [](ByteBuffer&, uint64_t) {}, true},
        {"packet length equal to the packet size",
         [](ByteBuffer& b, uint64_t p) { b[p + 3] = 0x40, putLe16(b, p + 5, kPacketSize), putLe32(b, p + 7, 0), putLe16(b, p + 11, 60000); }, true},
        {"packet length of another size",
         [](ByteBuffer& b, uint64_t p) { b[p + 3] = 0x40, putLe16(b, p + 5, kPacketSize - 1), putLe32(b, p + 7, 0), putLe16(b, p + 11, 10); }, false},
        {"duration 60000", [](ByteBuffer& b, uint64_t p) { putLe16(b, p + 9, 60000); }, true},
        {"duration 60001", [](ByteBuffer& b, uint64_t p) { putLe16(b, p + 9, 60001); }, false},
        {"zero-length error correction", [](ByteBuffer& b, uint64_t p) { b[p] = 0x80; }, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const SyntheticAsf asf;
        ByteBuffer bytes = asf.build();
        const uint64_t p = asf.packetOffsets()[2];
        c.patch(bytes, p);
        EXPECT_EQ(isValidAsfPacket(bytes, p, kPacketSize), c.accepted);
    }
    // Another error-correction signature is refused even when the packet is sound.
    const SyntheticAsf asf;
    ByteBuffer bytes = asf.build();
    bytes[asf.packetOffsets()[4] + 1] = 0x07;
    EXPECT_TRUE(isValidAsfPacket(bytes, asf.packetOffsets()[4], kPacketSize));
    const AsfLayout layout = parseAsfLayout(bytes, 0, nullptr, false);
    const auto offsets = packetOffsets(layout);
    EXPECT_EQ(std::count(offsets.begin(), offsets.end(), asf.packetOffsets()[4]), 0);
}

TEST(AsfLayout, ResynchronisesAfterDeletedInsertedAndLongDamage)
{
    const SyntheticAsf asf;
    const ByteBuffer bytes = asf.build();
    const auto good = asf.packetOffsets();
    const uint64_t k = good[3];

    // Bytes deleted inside packet 3: it is cut and dropped; the next packet starts 40 bytes early.
    const ByteBuffer deleted = concat({head(bytes, k + 60), tail(bytes, k + 100)});
    AsfLayout layout = parseAsfLayout(deleted, 0, nullptr, true);
    std::vector<uint64_t> expected = {good[0], good[1], good[2]};
    for (size_t i = 4; i < good.size(); ++i)
        expected.push_back(good[i] - 40);
    EXPECT_EQ(packetOffsets(layout), expected);
    EXPECT_EQ(layout.resyncCount, 1u);
    EXPECT_EQ(layout.skippedBytes, kPacketSize - 40);

    // Bytes inserted between packets: nothing of the packet before them is lost.
    const ByteBuffer inserted = concat({head(bytes, good[4]), garbage(70), tail(bytes, good[4])});
    layout = parseAsfLayout(inserted, 0, nullptr, true);
    EXPECT_EQ(layout.packetCount, asf.packets);
    EXPECT_EQ(layout.resyncCount, 1u);
    EXPECT_EQ(layout.skippedBytes, 70u);

    // Damage longer than a packet: the packets after it are still found.
    ByteBuffer overwritten = bytes;
    std::fill(overwritten.begin() + static_cast<long>(good[3]), overwritten.begin() + static_cast<long>(good[5] + 100), 0xEE);
    layout = parseAsfLayout(overwritten, 0, nullptr, false);
    EXPECT_EQ(layout.packetCount, asf.packets - 3);
    EXPECT_EQ(layout.resyncCount, 1u);
    EXPECT_EQ(layout.skippedBytes, 3 * kPacketSize);

    // A cut inside the last packet keeps every whole packet without a resynchronisation.
    const ByteBuffer cut = head(bytes, good.back() + 10);
    layout = parseAsfLayout(cut, 0, nullptr, false);
    EXPECT_EQ(layout.packetCount, asf.packets - 1);
    EXPECT_EQ(layout.resyncCount, 0u);
}

TEST(AsfLayout, RewriteRecomputesSizesCountsAndDurations)
{
    const SyntheticAsf asf;
    const ByteBuffer cut = head(asf.build(), asf.packetOffsets()[6] + 5);
    const AsfLayout layout = parseAsfLayout(cut, 0, nullptr, false);
    ASSERT_EQ(layout.packetCount, 6u);
    const ByteBuffer out = rewriteAsfPackets(cut, layout);
    ASSERT_EQ(out.size(), asf.firstPacketOffset() + 6 * kPacketSize);
    EXPECT_EQ(readLe64(out, 30 + 40), out.size());
    EXPECT_EQ(readLe64(out, 30 + 56), 6u);
    // Packet 5 ends at 500 + 100 ms; the preroll is 3100 ms.
    EXPECT_EQ(readLe64(out, 30 + 64), (600u + 3100u) * 10000u);
    EXPECT_EQ(readLe64(out, 30 + 72), 600u * 10000u);
    EXPECT_EQ(readLe64(out, asf.dataObjectOffset() + 16), 6 * kPacketSize + 50);
    EXPECT_EQ(readLe64(out, asf.dataObjectOffset() + 40), 6u);

    SyntheticAsf timeless;
    timeless.timed = false;
    const ByteBuffer still = head(timeless.build(), timeless.packetOffsets()[6]);
    const ByteBuffer kept = rewriteAsfPackets(still, parseAsfLayout(still, 0, nullptr, false));
    EXPECT_EQ(readLe64(kept, 30 + 64), kOriginalPlayDuration);
    EXPECT_EQ(readLe64(kept, 30 + 72), kOriginalSendDuration);
    EXPECT_EQ(readLe64(kept, 30 + 56), 6u);
}
