#include <gtest/gtest.h>

#include "media/mp4_video.h"
#include "media/video_containers.h"
#include "media/video_repairer.h"
#include "mp4_fixtures.h"
#include "test_support.h"

using namespace data_repair;
using namespace mp4_fixtures;
using test_support::TempDir;

namespace {

RepairResult analyzeBytes(const ByteBuffer& bytes, const std::string& sample = "") {
    TempDir dir;
    auto request = test_support::requestFor(dir.write("clip.mp4", bytes), Analyze);
    if (!sample.empty()) request.sample = makeSourceInfo(sample);
    return VideoRepairer().analyze(request, nullptr);
}

std::vector<std::string> messages(const RepairResult& r) {
    std::vector<std::string> out;
    for (const auto& f : r.findings) out.push_back(f.message);
    return out;
}

} // namespace

TEST(Mp4AnalysisTest, HealthyFileHasNoFinding) {
    const RepairResult r = analyzeBytes(concat({ftyp(), box("moov", {}), box("mdat", ByteBuffer(16, 1))}));
    EXPECT_TRUE(r.status.ok);
    EXPECT_TRUE(r.findings.empty());
    EXPECT_DOUBLE_EQ(r.confidence, 1.0);
}

TEST(Mp4AnalysisTest, MissingMdatAndPrefixOffsets) {
    const ByteBuffer file = concat({ftyp(), box("moov", ByteBuffer(8, 0))});
    RepairResult r = analyzeBytes(file);
    EXPECT_EQ(r.status.code, kVideoNoPayload);
    EXPECT_EQ(r.status.message, "video media payload was not found");
    ASSERT_EQ(r.findings.size(), 1u);
    EXPECT_EQ(r.findings[0].message, "MP4/MOV mdat media payload atom was not found");
    EXPECT_EQ(r.findings[0].severity, Error);
    EXPECT_FALSE(r.findings[0].repairable);
    EXPECT_DOUBLE_EQ(r.confidence, 0.7);

    // Three bytes of garbage, then an mdat that overran the file: offsets count from the ftyp.
    const ByteBuffer cut = concat({{1, 2, 3}, ftyp(), box("moov", {}), {0, 0, 1, 0}, bytesOf("mdat"), ByteBuffer(40, 0)});
    r = analyzeBytes(cut);
    ASSERT_EQ(r.findings.size(), 2u);
    EXPECT_EQ(r.findings[0].message, "garbage bytes before MP4/MOV ftyp atom");
    EXPECT_EQ(r.findings[0].category, HeaderDamaged);
    EXPECT_EQ(r.findings[0].length, 3u);
    EXPECT_EQ(r.findings[1].message, "top-level atom size overran file and can be clamped: mdat");
    EXPECT_EQ(r.findings[1].offset, ftyp().size() + 8);
    EXPECT_EQ(r.findings[1].length, 48u);
}

TEST(Mp4AnalysisTest, MoovInsideOversizedMdat) {
    const ByteBuffer moov = box("moov", box("mvhd", ByteBuffer(100, 0)));
    ByteBuffer file = concat({ftyp(), {0, 0x10, 0, 0}, bytesOf("mdat"), ByteBuffer(64, 7), moov});
    const RepairResult r = analyzeBytes(file);
    EXPECT_EQ(messages(r), (std::vector<std::string>{"moov atom was found inside an over-sized mdat range",
                                                     "top-level atom size overran file and can be clamped: mdat",
                                                     "moov atom is after mdat and can be moved for fast-start playback"}));
    EXPECT_EQ(r.findings[0].offset, ftyp().size() + 8 + 64);
    EXPECT_DOUBLE_EQ(r.findings[0].confidence, 0.86);
    EXPECT_EQ(r.findings[2].severity, Info);
}

TEST(Mp4AnalysisTest, MissingMoovAsksForSample) {
    const ByteBuffer file = concat({box("free", {}), box("mdat", ByteBuffer(16, 1))});
    RepairResult r = analyzeBytes(file);
    EXPECT_EQ(messages(r), (std::vector<std::string>{"MP4/MOV ftyp atom is missing or not at a valid boundary",
                                                     "MP4/MOV moov metadata atom was not found"}));
    EXPECT_FALSE(r.findings[1].repairable);
    EXPECT_TRUE(r.sampleRequired);
    r = analyzeBytes(file, "/nonexistent/sample.mp4");
    EXPECT_TRUE(r.findings[1].repairable);
    EXPECT_FALSE(r.sampleRequired);
}

TEST(Mp4AnalysisTest, DamagedBytesBetweenBoxesAreSteppedOver) {
    const ByteBuffer file = concat({ftyp(), {0xFF, 0xFF, 0xFF, 0xFF, 0x01, 0x02, 0x03}, box("moov", {}),
                                    box("mdat", ByteBuffer(8, 0))});
    EXPECT_TRUE(analyzeBytes(file).findings.empty());
    const auto boxes = scanTopLevelBoxes(file);
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[1].type, "moov");
}

TEST(Mp4AnalysisTest, ManyTinyBoxesScanInLinearTimeAndSmallMemory) {
    // 16 MiB of 8-byte "free" boxes: the layout scan keeps no per-box list.
    ByteBuffer file = ftyp();
    const ByteBuffer freeBox = box("free", {});
    file.reserve(16 << 20);
    while (file.size() + 8 <= (16u << 20) - 16) appendBytes(file, freeBox);
    appendBytes(file, box("mdat", ByteBuffer(8, 1)));
    const Mp4Layout layout = scanMp4Layout(file);
    EXPECT_TRUE(layout.mdat.valid);
    EXPECT_FALSE(layout.moov.valid);
}
