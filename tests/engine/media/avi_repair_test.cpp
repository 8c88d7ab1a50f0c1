#include <gtest/gtest.h>

#include "media/mp4_video.h"
#include "media/video_containers.h"
#include "media/video_repairer.h"
#include "mp4_fixtures.h"
#include "test_support.h"

using namespace data_repair;
using test_support::TempDir;
namespace fs = std::filesystem;

namespace {

ByteBuffer riff(std::string_view form, const ByteBuffer& body) {
    ByteBuffer out = bytesOf("RIFF");
    appendLe32(out, static_cast<uint32_t>(body.size() + 4));
    appendString(out, form);
    appendBytes(out, body);
    return out;
}

ByteBuffer chunk(std::string_view id, size_t n) {
    ByteBuffer out = bytesOf(id);
    appendLe32(out, static_cast<uint32_t>(n));
    out.resize(out.size() + n + (n & 1), 0x10);
    return out;
}

} // namespace

TEST(AviRepairTest, SizeFieldAndIndexFindings) {
    TempDir dir;
    const ByteBuffer healthy = riff("AVI ", mp4_fixtures::concat({chunk("LIST", 40), chunk("idx1", 16)}));
    auto input = dir.write("ok.avi", healthy);
    RepairResult r = VideoRepairer().analyze(test_support::requestFor(input, Analyze), nullptr);
    EXPECT_EQ(r.format, "avi");
    EXPECT_TRUE(r.findings.empty());
    EXPECT_DOUBLE_EQ(r.confidence, 1.0);
    r = VideoRepairer().repair(test_support::requestFor(input), nullptr);
    ASSERT_TRUE(r.outputWritten);
    EXPECT_TRUE(r.actions.empty());
    EXPECT_DOUBLE_EQ(r.confidence, 0.82);
    EXPECT_EQ(test_support::readAll(r.output.path), healthy);
    EXPECT_EQ(r.output.note, "avi");

    // Cut after capture, no index: the size is rewritten and the missing index noted.
    ByteBuffer cut = riff("AVI ", mp4_fixtures::concat({chunk("LIST", 40), chunk("movi", 400)}));
    cut.resize(300);
    input = dir.write("cut.avi", cut);
    r = VideoRepairer().analyze(test_support::requestFor(input, Analyze), nullptr);
    ASSERT_EQ(r.findings.size(), 2u);
    EXPECT_EQ(r.findings[0].message, "AVI RIFF size does not match file size");
    EXPECT_EQ(r.findings[1].category, IndexMissing);
    EXPECT_DOUBLE_EQ(r.confidence, 0.78);
    r = VideoRepairer().repair(test_support::requestFor(input), nullptr);
    ASSERT_TRUE(r.outputWritten);
    ASSERT_EQ(r.actions.size(), 1u);
    EXPECT_EQ(r.actions[0].id, "repair-riff-size");
    EXPECT_EQ(r.actions[0].amount, 4u);
    EXPECT_EQ(r.notes, (std::vector<std::string>{"AVI idx1 index is missing; output keeps media chunks and leaves index rebuild to players"}));
    EXPECT_EQ(readLe32(test_support::readAll(r.output.path), 4), 292u);
}

TEST(AviRepairTest, OpenDmlFilesKeepTheirRiffSizes) {
    // "RIFF AVI " followed by "RIFF AVIX": the first size covers only the first RIFF.
    const ByteBuffer first = riff("AVI ", mp4_fixtures::concat({chunk("LIST", 40), chunk("idx1", 16)}));
    const ByteBuffer second = riff("AVIX", chunk("LIST", 100));
    const ByteBuffer file = mp4_fixtures::concat({first, second});
    EXPECT_EQ(expectedRiffSize(file), readLe32(file, 4));
    TempDir dir;
    const auto input = dir.write("big.avi", file);
    EXPECT_TRUE(VideoRepairer().analyze(test_support::requestFor(input, Analyze), nullptr).findings.empty());
    const RepairResult r = VideoRepairer().repair(test_support::requestFor(input), nullptr);
    EXPECT_TRUE(r.actions.empty());
    EXPECT_EQ(test_support::readAll(r.output.path), file);

    // A damaged first size is rewritten only up to the AVIX chunk, never over it.
    ByteBuffer damaged = file;
    putLe32(damaged, 4, 0x7FFFFFFF);
    EXPECT_EQ(expectedRiffSize(damaged), first.size() - 8);
}

TEST(AviRepairTest, RealClipWithWrongSizeStillDecodes) {
    REQUIRE_TOOL("ffmpeg");
    TempDir dir;
    const fs::path clip = dir / "clip.avi";
    ASSERT_TRUE(mp4_fixtures::makeClip(clip, "-c:v mpeg4"));
    ByteBuffer bytes = test_support::readAll(clip);
    putLe32(bytes, 4, 0x10); // an overwritten size field
    const auto input = dir.write("damaged.avi", bytes);
    const RepairResult r = VideoRepairer().repair(test_support::requestFor(input), nullptr);
    ASSERT_TRUE(r.outputWritten);
    EXPECT_EQ(readLe32(test_support::readAll(r.output.path), 4), bytes.size() - 8);
    EXPECT_EQ(mp4_fixtures::playerComplaints(r.output.path), "");
    EXPECT_EQ(mp4_fixtures::decodedFrames(r.output.path), 50);
}
