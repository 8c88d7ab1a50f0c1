// Raw H.264 and HEVC elementary streams: the cut at the first start code, judged by ffmpeg.

#include "container_fixtures.h"

using namespace data_repair;
using namespace container_fixtures;
using test_support::TempDir;

namespace {

ByteBuffer h264Clip() { return clip("clip.h264", "-c:v libx264 -preset ultrafast -f h264"); }
ByteBuffer hevcClip() { return clip("clip.hevc", "-c:v libx265 -preset ultrafast -x265-params log-level=none -f hevc"); }

} // namespace

TEST(RawStream, CutsAtTheEarliestStartCodeOfEitherForm)
{
    TempDir dir;
    struct Case {
        const char* name;
        ByteBuffer bytes;
        uint64_t cut;
    };
    ByteBuffer mixed = garbage(600);
    mixed[10] = 0x00, mixed[11] = 0x00, mixed[12] = 0x01, mixed[13] = 0x67;
    mixed[500] = 0x00, mixed[501] = 0x00, mixed[502] = 0x00, mixed[503] = 0x01;
    ByteBuffer fourByte = garbage(100);
    fourByte[40] = 0x00, fourByte[41] = 0x00, fourByte[42] = 0x00, fourByte[43] = 0x01;
    const Case cases[] = {
        // The 3-byte code at 10 opens the stream's first NAL unit; it must survive.
        {"3-byte code before a 4-byte one", mixed, 10},
        {"4-byte code", fourByte, 40},
        {"starts with a start code", tail(fourByte, 40), 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto path = dir.write("stream.rsv", c.bytes);
        auto request = test_support::requestFor(path);
        request.overwrite = true;
        const RepairResult repaired = repairRawStream(request, c.bytes);
        ASSERT_TRUE(repaired.outputWritten) << repaired.status.message;
        EXPECT_EQ(readAll(repaired.output.path), tail(c.bytes, c.cut));
        EXPECT_EQ(repaired.findings.empty(), c.cut == 0);
        EXPECT_EQ(actionWith(repaired, "trim-raw-prefix") == nullptr, c.cut == 0);
        EXPECT_DOUBLE_EQ(repaired.confidence, 0.76);
        EXPECT_EQ(repaired.output.note, "rsv");
    }
}

TEST(RawStream, GarbageBeforeRealStreamsIsCutAndTheDecoderGetsEveryFrame)
{
    REQUIRE_TOOL("ffmpeg");
    struct Case {
        const char* name;
        ByteBuffer stream;
        const char* demuxer;
    };
    const Case cases[] = {{"h264", h264Clip(), "h264"}, {"hevc", hevcClip(), "hevc"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_FALSE(c.stream.empty());
        TempDir dir;
        const ByteBuffer damaged = concat({garbage(777), c.stream});
        const auto path = dir.write("camera.rsv", damaged);
        const RepairResult analysis = analyzeRawStream(test_support::requestFor(path, Analyze), damaged);
        ASSERT_TRUE(analysis.status.ok);
        ASSERT_EQ(analysis.findings.size(), 1u);
        EXPECT_EQ(analysis.findings[0].message, "garbage bytes before raw video start code");
        EXPECT_EQ(analysis.findings[0].length, 777u);
        EXPECT_DOUBLE_EQ(analysis.confidence, 0.75);

        const RepairResult repaired = repairRawStream(test_support::requestFor(path), damaged);
        ASSERT_TRUE(repaired.outputWritten);
        EXPECT_EQ(readAll(repaired.output.path), c.stream);
        std::string log;
        EXPECT_TRUE(playsCleanly(repaired.output.path, c.demuxer, &log)) << log;
        EXPECT_EQ(decodedFrames(repaired.output.path, c.demuxer), 50);
    }
}

TEST(RawStream, OutputNameStaysAnElementaryStreamName)
{
    TempDir dir;
    const ByteBuffer bytes = {0x00, 0x00, 0x00, 0x01, 0x67, 0x42};
    for (const auto& [name, extension] : {std::pair{"a.h264", ".h264"}, std::pair{"b.rsv", ".rsv"}, std::pair{"c.mov", ".rsv"}}) {
        SCOPED_TRACE(name);
        const auto path = dir.write(name, bytes);
        const RepairResult repaired = repairRawStream(test_support::requestFor(path), bytes);
        ASSERT_TRUE(repaired.outputWritten);
        EXPECT_EQ(fs::path(repaired.output.path).extension(), extension);
    }
}
