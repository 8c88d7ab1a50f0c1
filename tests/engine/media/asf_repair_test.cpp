// ASF analysis and the three repairs (trim, packet rewrite, sample-based header), on synthetic
// files for exact numbers and on real WMV clips judged by ffmpeg.

#include "asf_fixtures.h"

using namespace data_repair;
using namespace asf_fixtures;
using namespace container_fixtures;
using test_support::TempDir;

namespace {

ByteBuffer wmvClip() { return clip("clip.wmv", "-c:v wmv2 -q:v 3 -packet_size 800 -f asf"); }
// Same encoder settings, other picture: a healthy sample from "the same camera".
ByteBuffer wmvSample()
{
    return clip("sample.wmv", "-c:v wmv2 -q:v 3 -packet_size 800 -f asf", "testsrc2=d=2:s=160x120:r=25");
}

RepairRequest requestWithSample(const fs::path& input, const fs::path& sample, int32_t mode = Advanced)
{
    RepairRequest request = test_support::requestFor(input, mode);
    request.sample = makeSourceInfo(sample.string());
    return request;
}

uint64_t firstPacket(const ByteBuffer& asf) { return parseAsfLayout(asf, 0, nullptr, false).firstPacketOffset; }

} // namespace

TEST(AsfRepair, IntactFileIsCopiedAndPrefixTrimmed)
{
    TempDir dir;
    const ByteBuffer asf = SyntheticAsf{}.build();
    const auto path = dir.write("clip.wmv", asf);
    const RepairResult analysis = analyzeAsf(test_support::requestFor(path, Analyze), asf);
    EXPECT_TRUE(analysis.status.ok);
    EXPECT_TRUE(analysis.findings.empty());
    EXPECT_DOUBLE_EQ(analysis.confidence, 0.82);
    EXPECT_EQ(analysis.format, "wmv");

    const RepairResult copy = repairAsf(test_support::requestFor(path), asf);
    ASSERT_TRUE(copy.outputWritten);
    EXPECT_TRUE(copy.actions.empty());
    EXPECT_EQ(readAll(copy.output.path), asf);
    EXPECT_EQ(copy.output.note, "wmv");
    EXPECT_DOUBLE_EQ(copy.confidence, 0.82);

    const ByteBuffer prefixed = concat({garbage(100), asf});
    const auto prefixedPath = dir.write("prefixed.asf", prefixed);
    const RepairResult trimmed = repairAsf(test_support::requestFor(prefixedPath), prefixed);
    ASSERT_EQ(trimmed.findings.size(), 1u);
    EXPECT_EQ(trimmed.findings[0].message, "garbage bytes before ASF header GUID");
    EXPECT_EQ(trimmed.findings[0].category, HeaderDamaged);
    EXPECT_EQ(trimmed.findings[0].length, 100u);
    ASSERT_EQ(trimmed.actions.size(), 1u);
    EXPECT_EQ(trimmed.actions[0].id, "trim-asf-prefix");
    EXPECT_EQ(trimmed.actions[0].amount, 100u);
    EXPECT_EQ(readAll(trimmed.output.path), asf);
    EXPECT_EQ(trimmed.output.note, "asf");

    RepairRequest blocked = test_support::requestFor(prefixedPath);
    blocked.outputDirectory = (dir.write("not-a-folder", std::string("x")) / "sub").string();
    const RepairResult failed = repairAsf(blocked, prefixed);
    EXPECT_EQ(failed.status.code, kVideoAsfWrite);
    EXPECT_FALSE(failed.outputWritten);
    ASSERT_NE(actionWith(failed, "trim-asf-prefix"), nullptr); // what was done so far stays reported
}

TEST(AsfRepair, CutFileKeepsWholePacketsWithRecomputedFields)
{
    TempDir dir;
    const SyntheticAsf asf;
    const ByteBuffer cut = head(asf.build(), asf.packetOffsets()[7] + 30);
    const auto path = dir.write("cut.asf", cut);
    const RepairResult analysis = analyzeAsf(test_support::requestFor(path, Analyze), cut);
    const Finding* object = findingWith(analysis, "ASF object size is invalid or truncated");
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->offset, asf.dataObjectOffset());
    EXPECT_EQ(object->length, 50 + 10 * kPacketSize);
    const Finding* packets = findingWith(analysis, "ASF fixed-size data packets are missing or misaligned");
    ASSERT_NE(packets, nullptr);
    EXPECT_EQ(packets->length, 0u);
    EXPECT_EQ(findingWith(analysis, "ASF packet boundaries can be resynchronized after deleted bytes"), nullptr);

    const RepairResult repaired = repairAsf(test_support::requestFor(path), cut);
    ASSERT_TRUE(repaired.outputWritten);
    const ByteBuffer out = readAll(repaired.output.path);
    EXPECT_EQ(out.size(), asf.firstPacketOffset() + 7 * kPacketSize);
    EXPECT_EQ(readLe64(out, 30 + 56), 7u);
    EXPECT_EQ(readLe64(out, asf.dataObjectOffset() + 40), 7u);
    EXPECT_EQ(readLe64(out, asf.dataObjectOffset() + 16), 7 * kPacketSize + 50);
    EXPECT_EQ(readLe64(out, 30 + 40), out.size());
    EXPECT_EQ(actionWith(repaired, "rewrite-asf-object-sizes")->amount, 7u);
    EXPECT_DOUBLE_EQ(repaired.confidence, 0.88);
    ASSERT_EQ(repaired.notes.size(), 1u);
}

TEST(AsfRepair, DeletedRunIsResynchronised)
{
    TempDir dir;
    const SyntheticAsf asf;
    const ByteBuffer bytes = asf.build();
    const uint64_t k = asf.packetOffsets()[4];
    const ByteBuffer damaged = concat({head(bytes, k + 50), tail(bytes, k + 80)});
    const auto path = dir.write("deleted.asf", damaged);
    const RepairResult repaired = repairAsf(test_support::requestFor(path), damaged);
    ASSERT_NE(findingWith(repaired, "ASF packet boundaries can be resynchronized after deleted bytes"), nullptr);
    ASSERT_TRUE(repaired.outputWritten);
    EXPECT_EQ(actionWith(repaired, "resynchronize-asf-packets")->amount, kPacketSize - 30);
    EXPECT_EQ(actionWith(repaired, "rewrite-asf-object-sizes")->amount, 9u);
    EXPECT_DOUBLE_EQ(repaired.confidence, 0.94);
}

TEST(AsfRepair, TrimNeverCutsTheDataObject)
{
    TempDir dir;
    // Variable packet sizes: no usable packet layout, so the trim road runs on a cut file.
    ByteBuffer bytes = SyntheticAsf{}.build();
    putLe32(bytes, 30 + 96, 4096);
    const ByteBuffer cut = head(bytes, bytes.size() - 300);
    const auto path = dir.write("variable.asf", cut);
    const RepairResult repaired = repairAsf(test_support::requestFor(path), cut);
    ASSERT_TRUE(repaired.outputWritten);
    EXPECT_EQ(readAll(repaired.output.path), cut);
    EXPECT_EQ(actionWith(repaired, "trim-asf-tail"), nullptr);

    // A partial object after a whole data object is trimmed.
    ByteBuffer withIndex = concat({SyntheticAsf{}.build(), kHeaderGuid});
    appendLe64(withIndex, 500);
    withIndex.resize(withIndex.size() + 40, 0);
    const auto indexPath = dir.write("index.asf", withIndex);
    const RepairResult trimmed = repairAsf(test_support::requestFor(indexPath), withIndex);
    ASSERT_TRUE(trimmed.outputWritten);
    EXPECT_EQ(readAll(trimmed.output.path), SyntheticAsf{}.build());
    EXPECT_EQ(actionWith(trimmed, "trim-asf-tail")->amount, 64u);
}

TEST(AsfRepair, MissingHeaderNeedsACompatibleSample)
{
    TempDir dir;
    const SyntheticAsf asf;
    const ByteBuffer healthy = asf.build();
    // The header and part of the first packet are gone.
    const ByteBuffer damaged = tail(healthy, asf.firstPacketOffset() + 70);
    const auto path = dir.write("headless.wmv", damaged);
    const auto sample = dir.write("sample.wmv", healthy);

    struct Case {
        const char* name;
        ByteBuffer sample;
        const char* message;
    };
    SyntheticAsf unusable;
    unusable.errorCorrection = {0x81, 0x00};
    const ByteBuffer aligned = tail(healthy, asf.firstPacketOffset());
    const Case cases[] = {
        {"no sample", {}, "ASF header not found; a compatible normal sample is required"},
        {"sample without layout", garbage(500), "normal sample does not contain a usable ASF header and packet layout"},
        {"sample with other signature", unusable.build(), "damaged file does not contain a compatible run of ASF packets for this sample"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RepairRequest request = test_support::requestFor(path);
        if (!c.sample.empty())
            request.sample = makeSourceInfo(dir.write("candidate.wmv", c.sample).string());
        const RepairResult repaired = repairAsf(request, damaged);
        EXPECT_EQ(repaired.status.code, kVideoAsfNotFound);
        EXPECT_EQ(repaired.status.message, c.message);
        EXPECT_TRUE(repaired.sampleRequired);
        EXPECT_DOUBLE_EQ(repaired.confidence, 0.2);
        ASSERT_EQ(repaired.findings.size(), 1u);
        EXPECT_EQ(repaired.findings[0].severity, Error);
        EXPECT_FALSE(repaired.outputWritten);
    }

    // Packets that start right where the borrowed header ends need no resynchronisation: that
    // is not taken as proof that the sample fits.
    const auto alignedPath = dir.write("aligned.wmv", aligned);
    const RepairResult alignedResult = analyzeAsf(requestWithSample(alignedPath, sample, Analyze), aligned);
    EXPECT_EQ(alignedResult.status.message, "damaged file does not contain a compatible run of ASF packets for this sample");

    const RepairResult analysis = analyzeAsf(requestWithSample(path, sample, Analyze), damaged);
    ASSERT_TRUE(analysis.status.ok) << analysis.status.message;
    ASSERT_EQ(analysis.findings.size(), 1u);
    EXPECT_EQ(analysis.findings[0].message, "ASF header GUID was not found");
    EXPECT_EQ(analysis.findings[0].severity, Warning);
    EXPECT_FALSE(analysis.sampleRequired);
    EXPECT_DOUBLE_EQ(analysis.confidence, 0.55);
    EXPECT_FALSE(analysis.outputWritten);

    const RepairResult repaired = repairAsf(requestWithSample(path, sample), damaged);
    ASSERT_TRUE(repaired.outputWritten) << repaired.status.message;
    EXPECT_TRUE(repaired.usedReference);
    EXPECT_DOUBLE_EQ(repaired.confidence, 0.86);
    EXPECT_EQ(actionWith(repaired, "borrow-compatible-asf-header")->amount, asf.firstPacketOffset());
    EXPECT_EQ(actionWith(repaired, "resynchronize-asf-packets")->amount, kPacketSize - 70);
    EXPECT_EQ(actionWith(repaired, "rewrite-asf-object-sizes")->amount, 9u);
    const ByteBuffer out = readAll(repaired.output.path);
    EXPECT_EQ(out, [&] {
        ByteBuffer expected = concat({head(healthy, asf.firstPacketOffset()), tail(healthy, asf.packetOffsets()[1])});
        putLe64(expected, 30 + 40, expected.size());
        putLe64(expected, 30 + 56, 9);
        putLe64(expected, 30 + 64, (1000 + 3100) * 10000ull);
        putLe64(expected, 30 + 72, 1000 * 10000ull);
        putLe64(expected, asf.dataObjectOffset() + 16, 9 * kPacketSize + 50);
        putLe64(expected, asf.dataObjectOffset() + 40, 9);
        return expected;
    }());

    ByteBuffer joined;
    AsfLayout layout;
    std::string message = "untouched";
    ASSERT_TRUE(joinAsfSampleHeader(damaged, healthy, &joined, &layout, &message));
    EXPECT_EQ(joined, out);
    EXPECT_EQ(message, "untouched");
    EXPECT_EQ(layout.firstPacketOffset, asf.firstPacketOffset());
    EXPECT_EQ(layout.packetRuns.front().offset, asf.firstPacketOffset() + kPacketSize - 70);
}

TEST(AsfRepair, RealWmvDamageRepairsPlay)
{
    REQUIRE_TOOL("ffmpeg");
    const ByteBuffer wmv = wmvClip();
    ASSERT_FALSE(wmv.empty());
    const AsfLayout healthy = parseAsfLayout(wmv, 0, nullptr, false);
    ASSERT_TRUE(healthy.valid);
    ASSERT_GT(healthy.packetCount, 20u);
    const uint64_t first = healthy.firstPacketOffset;
    const uint64_t ps = healthy.packetSize;
    const uint64_t middle = first + (healthy.packetCount / 2) * ps;

    struct Case {
        const char* name;
        ByteBuffer damaged;
        int minFrames;
    };
    const Case cases[] = {
        {"prefix garbage", concat({garbage(333), wmv}), 50},
        {"cut inside the packets", head(wmv, middle + ps / 3), 20},
        {"bytes deleted mid-stream", concat({head(wmv, middle + 100), tail(wmv, middle + 100 + ps / 2)}), 40},
        {"bytes inserted mid-stream", concat({head(wmv, middle), garbage(77), tail(wmv, middle)}), 45},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const auto path = dir.write("camera.wmv", c.damaged);
        const RepairResult repaired = repairAsf(test_support::requestFor(path), c.damaged);
        ASSERT_TRUE(repaired.outputWritten) << repaired.status.message;
        EXPECT_FALSE(repaired.findings.empty());
        const int frames = decodedFrames(repaired.output.path);
        EXPECT_GE(frames, c.minFrames);
        EXPECT_EQ(test_support::run("ffprobe -v error " + test_support::quote(repaired.output.path)).output, "");
    }
}

TEST(AsfRepair, RealWmvWithoutHeaderIsRebuiltFromASampleOfTheSameCamera)
{
    REQUIRE_TOOL("ffmpeg");
    TempDir dir;
    const ByteBuffer wmv = wmvClip();
    const ByteBuffer sampleBytes = wmvSample();
    ASSERT_FALSE(sampleBytes.empty());
    // The camera lost the first part of the file: the header and half of the first packet.
    const uint64_t first = firstPacket(wmv);
    const ByteBuffer damaged = tail(wmv, first + 400);
    const auto path = dir.write("headless.wmv", damaged);
    const auto sample = dir.write("normal.wmv", sampleBytes);
    const RepairResult repaired = repairAsf(requestWithSample(path, sample), damaged);
    ASSERT_TRUE(repaired.outputWritten) << repaired.status.message;
    EXPECT_TRUE(repaired.usedReference);
    EXPECT_GE(decodedFrames(repaired.output.path), 40);
    EXPECT_EQ(test_support::run("ffprobe -v error " + test_support::quote(repaired.output.path)).output, "");
}

TEST(AsfRepair, RewriteNeedsNoMemoryBeyondTheInput)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer reserves more address space than the limit allows";
#else
    TempDir dir;
    SyntheticAsf asf;
    asf.packets = (48u << 20) / kPacketSize;
    asf.declaredPackets = asf.packets + 5; // packets missing: the rewrite road
    const auto path = dir.write("big.asf", asf.build());
    std::string error;
    const ByteBuffer bytes = readFile(path, &error);
    // The child may grow by 16 MiB, too little for a copy of the output: the packets go from the
    // input file and only the header is new.
    const int code = exitCodeWithMemoryHeadroom(16u << 20, [&] {
        const RepairResult result = repairAsf(test_support::requestFor(path), bytes);
        return result.outputWritten && test_support::hasAction(result, "rewrite-asf-object-sizes") ? 0 : 1;
    });
    EXPECT_EQ(code, 0);
    // The same repair written wholly from memory (a copy is not the buffer read for the file).
    const ByteBuffer copy = bytes;
    RepairRequest fromMemory = test_support::requestFor(path);
    fromMemory.outputDirectory = (dir / "memory").string();
    ASSERT_TRUE(repairAsf(fromMemory, copy).outputWritten);
    EXPECT_EQ(test_support::readAll(dir / "big_repaired.asf"), test_support::readAll(dir / "memory" / "big_repaired.asf"));
#endif
}
