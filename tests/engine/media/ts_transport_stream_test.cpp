// MPEG transport streams: packet grid detection, analysis and repacketizing, judged by ffmpeg.

#include "container_fixtures.h"

using namespace data_repair;
using namespace container_fixtures;
using test_support::TempDir;

namespace {

ByteBuffer tsClip() { return clip("clip.ts", "-c:v mpeg2video -q:v 4 -f mpegts"); }
ByteBuffer m2tsClip() { return clip("clip.m2ts", "-c:v mpeg2video -q:v 4 -f mpegts -mpegts_m2ts_mode 1"); }

// A grid with a sync byte at every 188th position starting at `phase`, `count` times.
ByteBuffer syncGrid(size_t size, size_t phase, size_t count)
{
    ByteBuffer bytes(size, 0x00);
    for (size_t i = 0; i < count && phase + i * 188 < size; ++i)
        bytes[phase + i * 188] = 0x47;
    return bytes;
}

} // namespace

TEST(TransportStream, DetectsBothPacketSizesOnCleanStreams)
{
    REQUIRE_TOOL("ffmpeg");
    const ByteBuffer ts = tsClip();
    ASSERT_FALSE(ts.empty());
    const TsLayout plain = detectTsPacketSize(ts);
    EXPECT_EQ(plain.packetSize, 188u);
    EXPECT_EQ(plain.phase, 0u);
    EXPECT_EQ(plain.slotCount, ts.size() / 188);
    EXPECT_EQ(plain.syncCount, plain.slotCount);

    const ByteBuffer m2ts = m2tsClip();
    ASSERT_FALSE(m2ts.empty());
    const TsLayout timed = detectTsPacketSize(m2ts);
    EXPECT_EQ(timed.packetSize, 192u);
    EXPECT_EQ(timed.phase, 0u);
    EXPECT_EQ(timed.syncCount, m2ts.size() / 192);
}

TEST(TransportStream, GridMustStandFarAboveChance)
{
    struct Case {
        const char* name;
        ByteBuffer bytes;
        uint64_t expectedSize;
    };
    // Pseudo-random bytes hold a 0x47 in about one slot of 256 on every grid.
    ByteBuffer noise(1 << 20);
    uint32_t state = 7;
    for (auto& b : noise) {
        state = state * 1664525u + 1013904223u;
        b = static_cast<uint8_t>(state >> 24);
    }
    const Case cases[] = {
        {"single sync byte", syncGrid(188 * 4, 0, 1), 0},
        {"two sync bytes", syncGrid(188 * 4, 0, 2), 0},
        {"one megabyte of noise", noise, 0},
        {"three of four slots", syncGrid(188 * 4, 0, 3), 188},
        {"empty", ByteBuffer{}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(detectTsPacketSize(c.bytes).packetSize, c.expectedSize);
    }

}

TEST(TransportStream, CleanStreamIsCopiedUnchanged)
{
    REQUIRE_TOOL("ffmpeg");
    TempDir dir;
    const ByteBuffer ts = tsClip();
    const auto path = dir.write("clean.ts", ts);
    const RepairResult analysis = analyzeTransportStream(test_support::requestFor(path, Analyze), ts);
    EXPECT_TRUE(analysis.status.ok);
    EXPECT_TRUE(analysis.findings.empty());
    EXPECT_DOUBLE_EQ(analysis.confidence, 0.86);
    EXPECT_EQ(analysis.format, "ts");
    EXPECT_FALSE(analysis.outputWritten);

    const RepairResult repaired = repairTransportStream(test_support::requestFor(path), ts);
    ASSERT_TRUE(repaired.outputWritten) << repaired.status.message;
    EXPECT_EQ(readAll(repaired.output.path), ts);
    EXPECT_EQ(repaired.output.kind, "repaired-video");
    EXPECT_EQ(repaired.output.note, "ts");
    ASSERT_EQ(repaired.actions.size(), 1u);
    EXPECT_EQ(repaired.actions[0].id, "repacketize-ts");
    EXPECT_EQ(repaired.actions[0].amount, ts.size());
    EXPECT_DOUBLE_EQ(repaired.confidence, 0.86);
}

TEST(TransportStream, PrefixGarbageAndCutTailAreDroppedAndThePlayerAcceptsTheRest)
{
    REQUIRE_TOOL("ffmpeg");
    TempDir dir;
    const ByteBuffer ts = tsClip();
    const size_t cut = ts.size() - 100; // inside the last packet
    const ByteBuffer damaged = concat({garbage(100), head(ts, cut)});
    const auto path = dir.write("damaged.ts", damaged);

    const RepairResult analysis = analyzeTransportStream(test_support::requestFor(path, Analyze), damaged);
    ASSERT_TRUE(analysis.status.ok);
    const Finding* prefix = findingWith(analysis, "garbage bytes before MPEG-TS packet alignment");
    ASSERT_NE(prefix, nullptr);
    EXPECT_EQ(prefix->category, IndexDamaged);
    EXPECT_EQ(prefix->length, 100u);
    EXPECT_EQ(findingWith(analysis, "some MPEG-TS packets are out of sync and can be dropped"), nullptr);

    const RepairResult repaired = repairTransportStream(test_support::requestFor(path), damaged);
    ASSERT_TRUE(repaired.outputWritten) << repaired.status.message;
    const ByteBuffer out = readAll(repaired.output.path);
    EXPECT_EQ(out, head(ts, cut / 188 * 188));
    const RepairAction* drop = actionWith(repaired, "drop-bad-ts-bytes");
    ASSERT_NE(drop, nullptr);
    EXPECT_EQ(drop->amount, 100u + cut % 188);
    EXPECT_GT(decodedFrames(repaired.output.path), 40);
}

TEST(TransportStream, InsertedAndLostBytesCostOnlyThePacketsTheyTouch)
{
    REQUIRE_TOOL("ffmpeg");
    TempDir dir;
    const ByteBuffer ts = tsClip();
    const size_t third = (ts.size() / 188 / 3) * 188;
    // 37 foreign bytes inside one packet, then 20 bytes lost from another one further on.
    const ByteBuffer damaged = concat({head(ts, third + 50), garbage(37), ByteBuffer(ts.begin() + third + 50, ts.begin() + 2 * third + 90),
                                       tail(ts, 2 * third + 110)});
    const auto path = dir.write("inserted.ts", damaged);
    const RepairResult analysis = analyzeTransportStream(test_support::requestFor(path, Analyze), damaged);
    ASSERT_TRUE(analysis.status.ok);
    EXPECT_NE(findingWith(analysis, "some MPEG-TS packets are out of sync and can be dropped"), nullptr);

    const RepairResult repaired = repairTransportStream(test_support::requestFor(path), damaged);
    ASSERT_TRUE(repaired.outputWritten) << repaired.status.message;
    const ByteBuffer out = readAll(repaired.output.path);
    // The packet that took the insertion keeps its length (its last 37 bytes go); the packet
    // that lost bytes is dropped whole; every other packet is there unchanged.
    EXPECT_EQ(out.size(), ts.size() - 188);
    EXPECT_EQ(head(out, third), head(ts, third));
    EXPECT_EQ(tail(out, out.size() - (ts.size() - 2 * third - 188)), tail(ts, 2 * third + 188));
    EXPECT_EQ(actionWith(repaired, "drop-bad-ts-bytes")->amount, damaged.size() - out.size());
    EXPECT_GE(decodedFrames(repaired.output.path), 47);
}

TEST(TransportStream, OutputKeepsOnlyTransportStreamExtensions)
{
    REQUIRE_TOOL("ffmpeg");
    TempDir dir;
    const ByteBuffer m2ts = m2tsClip();
    struct Case {
        const char* name;
        const char* extension;
    };
    // An extension-less M2TS is detected as "mp4" by the generic sniffing; its packets must not
    // be written under a foreign container's name.
    const Case cases[] = {{"clip.mts", "mts"}, {"clip.m2ts", "m2ts"}, {"clip", "ts"}, {"clip.TS", "ts"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto path = dir.write(c.name, m2ts);
        const RepairResult repaired = repairTransportStream(test_support::requestFor(path), m2ts);
        ASSERT_TRUE(repaired.outputWritten) << repaired.status.message;
        EXPECT_EQ(repaired.format, c.extension);
        EXPECT_EQ(fs::path(repaired.output.path).extension().string(), std::string(".") + c.extension);
        EXPECT_EQ(readAll(repaired.output.path), m2ts);
    }
}

TEST(TransportStream, RepairNeedsNoMemoryBeyondTheInput)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer reserves more address space than the limit allows";
#else
    TempDir dir;
    // 64 MiB of clean packets with a stretch of garbage in the middle; the child may grow by
    // 16 MiB, too little for a copy of the output: the kept packets go from the input file.
    ByteBuffer ts((64u << 20) / 188 * 188, 0x00);
    for (size_t s = 0; s + 188 <= ts.size(); s += 188)
        ts[s] = 0x47;
    ts.insert(ts.begin() + 188 * 1000 + 5, 300, 0x55);
    const auto path = dir.write("big.ts", ts);
    std::string error;
    const ByteBuffer bytes = readFile(path, &error);
    const int code = exitCodeWithMemoryHeadroom(16u << 20, [&] {
        const RepairResult result = repairTransportStream(test_support::requestFor(path), bytes);
        return result.outputWritten ? 0 : 1;
    });
    EXPECT_EQ(code, 0);
    // The same bytes as a repair that writes everything from memory (a copy of the buffer read
    // is not taken for the file): the packets around the garbage are dropped, the rest kept.
    const ByteBuffer copy = bytes;
    RepairRequest fromMemory = test_support::requestFor(path);
    fromMemory.outputDirectory = (dir / "memory").string();
    ASSERT_TRUE(repairTransportStream(fromMemory, copy).outputWritten);
    const ByteBuffer written = test_support::readAll(dir / "big_repaired.ts");
    const ByteBuffer expected = test_support::readAll(dir / "memory" / "big_repaired.ts");
    EXPECT_LT(written.size(), bytes.size());
    EXPECT_EQ(written.size(), expected.size());
    EXPECT_TRUE(written == expected);
#endif
}
