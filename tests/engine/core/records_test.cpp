#include <gtest/gtest.h>

#include "data_repair/engine.h"

using namespace data_repair;

TEST(Records, DefaultResultReadsAsUnsetFailure)
{
    const RepairResult result;
    EXPECT_FALSE(result.status.ok);
    EXPECT_EQ(result.status.code, 0);
    EXPECT_EQ(result.kind, Unknown);
    EXPECT_EQ(result.mode, Repair);
    EXPECT_EQ(result.confidence, 0.0);
    EXPECT_FALSE(result.usedReference || result.sampleRequired || result.outputWritten || result.previewWritten);
    const RepairRequest request;
    EXPECT_EQ(request.mode, Repair);
    EXPECT_FALSE(request.overwrite);
    EXPECT_FALSE(request.writePreview);
}

TEST(Records, FindingArgumentOrderPutsRepairableBeforeConfidence)
{
    RepairResult result;
    result.addFinding(Truncated, Error, "cut", 10, 20, true, 0.25);
    result.addGeneralFinding(HeaderMissing, Warning, "gone", false, 0.5);
    ASSERT_EQ(result.findings.size(), 2u);
    EXPECT_TRUE(result.findings[0].repairable);
    EXPECT_DOUBLE_EQ(result.findings[0].confidence, 0.25);
    EXPECT_EQ(result.findings[0].offset, 10u);
    EXPECT_EQ(result.findings[0].length, 20u);
    EXPECT_EQ(result.findings[1].offset, 0u);
    EXPECT_EQ(result.findings[1].length, 0u);
    EXPECT_FALSE(result.findings[1].repairable);
}

TEST(Records, SourceInfoKeepsPathAndNameAsGiven)
{
    const SourceInfo info = makeSourceInfo("/tmp/some dir/photo.JPG");
    EXPECT_EQ(info.path, "/tmp/some dir/photo.JPG");
    EXPECT_EQ(info.fileName, "photo.JPG");
    EXPECT_TRUE(info.label.empty());
    EXPECT_EQ(makeSourceInfo("/tmp/\xE7\x85\xA7\xE7\x89\x87.jpg").fileName, "\xE7\x85\xA7\xE7\x89\x87.jpg");
}

TEST(Records, ArtifactOfMissingFileOrFolderHasSizeZero)
{
    EXPECT_EQ(makeArtifact("/nonexistent/korvex/file.bin", "k", "bin").size, 0u);
    const OutputArtifact folder = makeArtifact("/tmp", "k", "n");
    EXPECT_EQ(folder.size, 0u);
    EXPECT_EQ(folder.kind, "k");
    EXPECT_EQ(folder.note, "n");
}

TEST(Records, FindingsBeyondTheCapAreSummedUpInOneFinding)
{
    // One junk byte after each of 90,000 pages: memory follows the cap, not the damage.
    RepairResult result;
    const uint64_t total = 90003;
    for (uint64_t i = 0; i < total; ++i) {
        const bool last = i == total - 1;
        result.addFinding(StructureInvalid, last ? Error : Warning, "junk byte between pages", i, 1,
                          last, 0.5);
    }
    ASSERT_EQ(result.findings.size(), kMaxFindings + 1);
    EXPECT_EQ(result.omittedFindings, total - kMaxFindings);
    EXPECT_EQ(result.findings[kMaxFindings - 1].message, "junk byte between pages");
    const Finding& summary = result.findings.back();
    EXPECT_EQ(summary.message, "89003 more findings not listed");
    EXPECT_EQ(summary.category, StructureInvalid);
    EXPECT_EQ(summary.offset, kMaxFindings); // where the first left-out finding was
    EXPECT_EQ(summary.severity, Error);      // the worst of those left out
    EXPECT_TRUE(summary.repairable);         // any of them repairable

    RepairResult exact;
    for (size_t i = 0; i < kMaxFindings; ++i)
        exact.addGeneralFinding(Truncated, Info, "gap", false, 1.0);
    EXPECT_EQ(exact.findings.size(), kMaxFindings);
    EXPECT_EQ(exact.omittedFindings, 0u);
}
