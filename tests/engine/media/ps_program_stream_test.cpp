// MPEG program streams: pack header recognition, prefix trimming and the end code, judged by
// ffmpeg.

#include "container_fixtures.h"

using namespace data_repair;
using namespace container_fixtures;
using test_support::TempDir;

namespace {

ByteBuffer mpeg2Clip() { return clip("clip2.mpg", "-c:v mpeg2video -q:v 4 -f vob"); }
ByteBuffer mpeg1Clip() { return clip("clip1.mpg", "-c:v mpeg1video -q:v 4 -f mpeg"); }
const ByteBuffer kEnd = {0x00, 0x00, 0x01, 0xB9};

} // namespace

TEST(ProgramStream, RecognisesOnlyPackHeadersFollowedByAStartCode)
{
    REQUIRE_TOOL("ffmpeg");
    const ByteBuffer stray = concat({garbage(100), ByteBuffer{0x00, 0x00, 0x01, 0xBA}, garbage(100, 4)});
    EXPECT_FALSE(hasPackStartCode(stray));
    EXPECT_FALSE(hasPackStartCode(ByteBuffer{}));
    EXPECT_FALSE(hasPackStartCode(head(mpeg2Clip(), 14)));
    EXPECT_TRUE(hasPackStartCode(concat({stray, mpeg2Clip()})));
    EXPECT_TRUE(hasPackStartCode(mpeg1Clip()));
}

TEST(ProgramStream, PrefixIsCutAtTheRealPackAndTheEndCodeAppended)
{
    REQUIRE_TOOL("ffmpeg");
    for (const auto& [name, original] : {std::pair{"two.mpg", mpeg2Clip()}, std::pair{"one.mpeg", mpeg1Clip()}}) {
        SCOPED_TRACE(name);
        ASSERT_FALSE(original.empty());
        TempDir dir;
        const ByteBuffer prefix = concat({garbage(150), ByteBuffer{0x00, 0x00, 0x01, 0xBA}, garbage(146, 8)});
        const ByteBuffer damaged = concat({prefix, original});
        const auto path = dir.write(name, damaged);
        const RepairResult analysis = analyzeProgramStream(test_support::requestFor(path, Analyze), damaged);
        ASSERT_TRUE(analysis.status.ok);
        const Finding* garbageFinding = findingWith(analysis, "garbage bytes before MPEG pack header");
        ASSERT_NE(garbageFinding, nullptr);
        EXPECT_EQ(garbageFinding->length, 300u);
        const Finding* end = findingWith(analysis, "MPEG program end code is missing");
        ASSERT_NE(end, nullptr);
        EXPECT_EQ(end->offset, damaged.size());
        EXPECT_EQ(end->severity, Info);
        EXPECT_DOUBLE_EQ(analysis.confidence, 0.82);

        const RepairResult repaired = repairProgramStream(test_support::requestFor(path), damaged);
        ASSERT_TRUE(repaired.outputWritten) << repaired.status.message;
        EXPECT_EQ(readAll(repaired.output.path), concat({original, kEnd}));
        EXPECT_EQ(actionWith(repaired, "trim-mpeg-prefix")->amount, 300u);
        EXPECT_EQ(actionWith(repaired, "append-program-end")->amount, 4u);
        EXPECT_DOUBLE_EQ(repaired.confidence, 0.84);
        std::string log;
        EXPECT_TRUE(playsCleanly(repaired.output.path, "", &log)) << log;
        EXPECT_EQ(decodedFrames(repaired.output.path), 50);
    }
}

TEST(ProgramStream, EndCodeRulesAndOutputNames)
{
    TempDir dir;
    // A tiny stream: one MPEG-2 pack header then the end code.
    const ByteBuffer pack = {0x00, 0x00, 0x01, 0xBA, 0x44, 0, 4, 0, 4, 1, 0x01, 0x89, 0xC3, 0xF8};
    const ByteBuffer closed = concat({pack, kEnd});
    const auto closedPath = dir.write("closed.vob", closed);
    const RepairResult copy = repairProgramStream(test_support::requestFor(closedPath), closed);
    ASSERT_TRUE(copy.outputWritten);
    EXPECT_TRUE(copy.findings.empty());
    EXPECT_TRUE(copy.actions.empty());
    EXPECT_EQ(readAll(copy.output.path), closed);
    EXPECT_EQ(copy.output.note, "mpeg");

    // The only end code lies in the cut prefix: present for the analysis, appended by the repair.
    const ByteBuffer early = concat({kEnd, garbage(20), pack, ByteBuffer{0x00, 0x00, 0x01, 0xE0}});
    const auto earlyPath = dir.write("early.mpg", early);
    const RepairResult repaired = repairProgramStream(test_support::requestFor(earlyPath), early);
    ASSERT_TRUE(repaired.outputWritten);
    EXPECT_EQ(findingWith(repaired, "MPEG program end code is missing"), nullptr);
    ASSERT_NE(actionWith(repaired, "append-program-end"), nullptr);
    EXPECT_EQ(repaired.format, "mpg");
    EXPECT_EQ(fs::path(repaired.output.path).extension(), ".mpg");
}

TEST(ProgramStream, CutStreamStillDecodes)
{
    REQUIRE_TOOL("ffmpeg");
    TempDir dir;
    const ByteBuffer original = mpeg2Clip();
    const ByteBuffer damaged = head(original, original.size() / 2 + 333);
    const auto path = dir.write("cut.mpeg", damaged);
    const RepairResult repaired = repairProgramStream(test_support::requestFor(path), damaged);
    ASSERT_TRUE(repaired.outputWritten);
    EXPECT_GT(decodedFrames(repaired.output.path), 15);
}
