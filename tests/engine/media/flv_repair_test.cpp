// FLV: header and tag-chain analysis, rebuilt previous-tag-size chain, judged by ffmpeg.

#include "container_fixtures.h"

using namespace data_repair;
using namespace container_fixtures;
using test_support::TempDir;

namespace {

ByteBuffer flvClip() { return clip("clip.flv", "-c:v flv1 -q:v 4 -f flv"); }

// Offset of the last tag (found by walking the healthy clip's chain).
uint64_t lastTagOffset(const ByteBuffer& flv)
{
    uint64_t c = 13, last = 13;
    while (c + 11 <= flv.size()) {
        last = c;
        c += readBe24(flv, c + 1) + 15;
    }
    return last;
}

} // namespace

TEST(Flv, CleanFileIsRewrittenIdentically)
{
    REQUIRE_TOOL("ffmpeg");
    TempDir dir;
    const ByteBuffer flv = flvClip();
    ASSERT_FALSE(flv.empty());
    const auto path = dir.write("clean.flv", flv);
    const RepairResult analysis = analyzeFlv(test_support::requestFor(path, Analyze), flv);
    EXPECT_TRUE(analysis.status.ok);
    EXPECT_TRUE(analysis.findings.empty());
    EXPECT_DOUBLE_EQ(analysis.confidence, 0.86);

    const RepairResult repaired = repairFlv(test_support::requestFor(path), flv);
    ASSERT_TRUE(repaired.outputWritten) << repaired.status.message;
    EXPECT_EQ(readAll(repaired.output.path), flv);
    EXPECT_EQ(repaired.output.note, "flv");
    ASSERT_EQ(repaired.actions.size(), 1u);
    EXPECT_EQ(repaired.actions[0].id, "rewrite-flv-tags");
    EXPECT_GT(repaired.actions[0].amount, 50u);
    EXPECT_DOUBLE_EQ(repaired.confidence, 0.86);
}

TEST(Flv, CutLastTagIsDroppedAndTheRestPlays)
{
    REQUIRE_TOOL("ffmpeg");
    TempDir dir;
    const ByteBuffer flv = flvClip();
    const uint64_t last = lastTagOffset(flv);
    const ByteBuffer damaged = head(flv, last + 20);
    const auto path = dir.write("cut.flv", damaged);
    const RepairResult analysis = analyzeFlv(test_support::requestFor(path, Analyze), damaged);
    const Finding* cut = findingWith(analysis, "truncated FLV tag at end of file");
    ASSERT_NE(cut, nullptr);
    EXPECT_EQ(cut->offset, last);
    EXPECT_EQ(cut->length, readBe24(flv, last + 1));

    const RepairResult repaired = repairFlv(test_support::requestFor(path), damaged);
    ASSERT_TRUE(repaired.outputWritten) << repaired.status.message;
    EXPECT_EQ(readAll(repaired.output.path), head(flv, last));
    const RepairAction* tail = actionWith(repaired, "drop-truncated-flv-tail");
    ASSERT_NE(tail, nullptr);
    EXPECT_EQ(tail->amount, 20u);
    std::string log;
    EXPECT_TRUE(playsCleanly(repaired.output.path, "", &log)) << log;
    EXPECT_GE(decodedFrames(repaired.output.path), 45);
}

TEST(Flv, BrokenDataOffsetFallsBackToNineBytes)
{
    REQUIRE_TOOL("ffmpeg");
    TempDir dir;
    const ByteBuffer flv = flvClip();
    struct Case {
        const char* name;
        uint32_t offset;
        double confidence;
    };
    const Case cases[] = {{"zero", 0, 0.86}, {"beyond the end", 0x7FFFFFFF, 0.62}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ByteBuffer damaged = flv;
        putBe32(damaged, 5, c.offset);
        const auto path = dir.write(std::string(c.name) + ".flv", damaged);
        const RepairResult analysis = analyzeFlv(test_support::requestFor(path, Analyze), damaged);
        const Finding* offset = findingWith(analysis, "FLV data offset is invalid");
        ASSERT_NE(offset, nullptr);
        EXPECT_EQ(offset->offset, 5u);
        EXPECT_EQ(offset->length, 4u);
        EXPECT_DOUBLE_EQ(analysis.confidence, c.confidence);
        const RepairResult repaired = repairFlv(test_support::requestFor(path), damaged);
        ASSERT_TRUE(repaired.outputWritten);
        EXPECT_EQ(readAll(repaired.output.path), flv);
    }
}

TEST(Flv, HeaderOnlyAndShortTails)
{
    TempDir dir;
    // Header, PreviousTagSize0, one 3-byte script tag, its back-pointer, then 7 stray bytes.
    ByteBuffer flv = bytesOf("FLV\x01\x05");
    appendBe32(flv, 9);
    appendBe32(flv, 0);
    const ByteBuffer tag = {18, 0, 0, 3, 0, 0, 0, 0, 0, 0, 0, 'a', 'b', 'c'};
    appendBytes(flv, tag);
    appendBe32(flv, 14);
    const ByteBuffer withStray = concat({flv, ByteBuffer(7, 0xEE)});
    const auto path = dir.write("stray.flv", withStray);
    const RepairResult repaired = repairFlv(test_support::requestFor(path), withStray);
    ASSERT_TRUE(repaired.outputWritten);
    EXPECT_TRUE(repaired.findings.empty());
    EXPECT_EQ(readAll(repaired.output.path), flv);
    EXPECT_EQ(actionWith(repaired, "drop-truncated-flv-tail"), nullptr);

    const ByteBuffer headerOnly = head(flv, 12);
    const auto headerPath = dir.write("header.flv", headerOnly);
    const RepairResult rebuilt = repairFlv(test_support::requestFor(headerPath), headerOnly);
    ASSERT_TRUE(rebuilt.outputWritten);
    EXPECT_EQ(readAll(rebuilt.output.path), head(flv, 13));
    ASSERT_NE(actionWith(rebuilt, "rewrite-flv-tags"), nullptr);
    EXPECT_EQ(actionWith(rebuilt, "rewrite-flv-tags")->amount, 0u);
    EXPECT_DOUBLE_EQ(rebuilt.confidence, 0.86);
}

TEST(Flv, WrongBackPointersAreRewrittenHoweverManyThereAre)
{
    // Tiny script tags whose previous-tag-size words all read zero: a few of them are patched
    // into the copied input, thousands make the repair build the file in memory instead. Both
    // must give the same chain and report it once.
    TempDir dir;
    for (const uint64_t tags : {uint64_t{3}, uint64_t{6000}}) {
        SCOPED_TRACE(tags);
        ByteBuffer damaged = bytesOf("FLV\x01\x05");
        appendBe32(damaged, 9);
        appendBe32(damaged, 0);
        ByteBuffer expected = damaged;
        const ByteBuffer tag = {18, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 'x'};
        for (uint64_t i = 0; i < tags; ++i) {
            appendBytes(damaged, tag);
            appendBe32(damaged, 0);
            appendBytes(expected, tag);
            appendBe32(expected, static_cast<uint32_t>(tag.size()));
        }
        const auto path = dir.write("chain" + std::to_string(tags) + ".flv", damaged);
        const RepairResult repaired = repairFlv(test_support::requestFor(path), damaged);
        ASSERT_TRUE(repaired.outputWritten) << repaired.status.message;
        EXPECT_EQ(readAll(repaired.output.path), expected);
        ASSERT_EQ(repaired.actions.size(), 1u);
        EXPECT_EQ(repaired.actions[0].id, "rewrite-flv-tags");
        EXPECT_EQ(repaired.actions[0].amount, tags);
    }
}
