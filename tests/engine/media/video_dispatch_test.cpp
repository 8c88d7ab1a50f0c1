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

ByteBuffer riffAvi(size_t bodySize) {
    ByteBuffer b = bytesOf("RIFF");
    appendLe32(b, static_cast<uint32_t>(bodySize + 4));
    appendString(b, "AVI ");
    b.resize(12 + bodySize, 0x11);
    return b;
}

ByteBuffer pseudoRandom(size_t n, uint32_t seed) {
    ByteBuffer b(n);
    for (auto& c : b) {
        seed = seed * 1664525u + 1013904223u;
        c = static_cast<uint8_t>(seed >> 24);
    }
    return b;
}

} // namespace

TEST(VideoDispatchTest, FixedSignaturesAndExtensionsComeBeforeSearches) {
    const ByteBuffer mp4 = concat({ftyp(), box("mdat", ByteBuffer(16, 1))});
    ByteBuffer ebmlInside = concat({ByteBuffer(16, 0), {0x1A, 0x45, 0xDF, 0xA3}, ByteBuffer(20, 0)});
    ByteBuffer flv = concat({bytesOf("FLV"), {1, 5, 0, 0, 0, 9}, ByteBuffer(20, 0)});
    ByteBuffer asf = copyBytes(asfHeaderGuid());
    asf.resize(64, 0);
    ByteBuffer ftypInAvi = riffAvi(200);
    const ByteBuffer inner = concat({ftyp(), box("free", {})});
    std::copy(inner.begin(), inner.end(), ftypInAvi.begin() + 40);
    // A chance "ftyp" with a nonsense size inside other media does not make it MP4.
    ByteBuffer chanceFtyp = concat({ByteBuffer(64, 0x33), {0, 0, 0, 9}, bytesOf("ftyp"), ByteBuffer(64, 0x33)});

    struct Case {
        const char* name;
        std::string path;
        ByteBuffer bytes;
        VideoContainer want;
        uint64_t prefix;
    };
    const Case cases[] = {
        {"ftyp at 4 wins over a .ts name", "/x/clip.ts", mp4, VideoContainer::Iso, 0},
        {"ftyp behind garbage", "/x/clip.mp4", concat({ByteBuffer(7, 0xEE), mp4}), VideoContainer::Iso, 7},
        {"ftyp box inside a RIFF file", "/x/clip.avi", ftypInAvi, VideoContainer::Iso, 40},
        {"AVI", "/x/clip.avi", riffAvi(100), VideoContainer::Avi, 0},
        {"FLV signature", "/x/a.bin", flv, VideoContainer::Flv, 0},
        {"ASF GUID under a .mkv name", "/x/a.mkv", asf, VideoContainer::Asf, 0},
        {"wmv extension beats EBML bytes inside", "/x/a.wmv", ebmlInside, VideoContainer::Asf, 0},
        {"mov extension beats EBML bytes inside", "/x/a.mov", ebmlInside, VideoContainer::Iso, 0},
        {"mpg extension", "/x/a.mpg", ByteBuffer(32, 0), VideoContainer::ProgramStream, 0},
        {"klv extension", "/x/a.klv", ByteBuffer(32, 0), VideoContainer::Klv, 0},
        {"rsv extension", "/x/a.rsv", ByteBuffer(32, 0), VideoContainer::Raw, 0},
        {"m2ts extension", "/x/a.m2ts", ByteBuffer(32, 0), VideoContainer::TransportStream, 0},
        {"chance ftyp stays out", "/x/a.mp4", chanceFtyp, VideoContainer::Iso, 0},
        {"nothing known", "/x/a.mp4", ByteBuffer(32, 0), VideoContainer::Iso, 0},
    };
    for (const Case& c : cases) {
        const VideoDispatch d = chooseVideoContainer(c.path, c.bytes);
        EXPECT_EQ(d.container, c.want) << c.name;
        EXPECT_EQ(d.prefix, c.prefix) << c.name;
    }
    EXPECT_EQ(chooseVideoContainer("/x/a.klv", ByteBuffer(32, 0)).klvFormat, "klv");
    EXPECT_EQ(chooseVideoContainer("/x/a.mxf", ByteBuffer(32, 0)).klvFormat, "mxf");
}

TEST(VideoDispatchTest, RandomDataFindsNoFtypPrefix) {
    // 4 MiB of noise with "ftyp" planted where its size makes no sense: no ISO prefix.
    ByteBuffer noise = pseudoRandom(4 << 20, 7);
    for (size_t at = 1000; at + 8 < noise.size(); at += 100000) {
        noise[at] = 0x00;
        noise[at + 1] = 0x40;
        std::copy_n("ftyp", 4, noise.begin() + static_cast<long>(at) + 4);
    }
    EXPECT_EQ(findFtypOffset(noise), npos);
}

TEST(VideoEntryTest, ReadFailureCancelAndAnalyzeMode) {
    TempDir dir;
    VideoRepairer engine;
    test_support::RecordingProgress progress;

    auto missing = test_support::requestFor(dir / "missing.mp4", Advanced);
    RepairResult r = engine.analyze(missing, &progress);
    EXPECT_EQ(r.status.code, kStatusReadFailed);
    EXPECT_EQ(r.mode, Analyze);
    EXPECT_EQ(r.kind, Video);
    r = engine.repair(missing, &progress);
    EXPECT_EQ(r.status.code, kStatusReadFailed);
    EXPECT_EQ(r.mode, Advanced);

    const auto input = dir.write("clip.mp4", concat({ftyp(), box("moov", {}), box("mdat", ByteBuffer(8, 1))}));
    progress.cancel = true;
    r = engine.repair(test_support::requestFor(input), &progress);
    EXPECT_EQ(r.status.code, kStatusCancelled);
    EXPECT_EQ(r.status.message, "video repair cancelled");
    EXPECT_EQ(r.kind, Video);
    EXPECT_EQ(r.format, "mp4");
    EXPECT_TRUE(r.findings.empty());

    progress.cancel = false;
    progress.events.clear();
    const RepairResult analysis = engine.analyze(test_support::requestFor(input, Analyze), &progress);
    ASSERT_EQ(progress.events.size(), 2u);
    EXPECT_EQ(progress.events[0].step, "read");
    EXPECT_EQ(progress.events[1].step, "analyze");
    r = engine.repair(test_support::requestFor(input, Analyze), &progress);
    EXPECT_FALSE(r.outputWritten);
    EXPECT_EQ(r.findings.size(), analysis.findings.size());
    EXPECT_EQ(r.status.ok, analysis.status.ok);
    size_t files = 0;
    for (const auto& e : test_support::fs::directory_iterator(dir.path())) files += e.is_regular_file() ? 1 : 0;
    EXPECT_EQ(files, 1u);

    // An empty file is analysed as ISO media with nothing in it.
    const auto empty = dir.write("empty.mp4", ByteBuffer{});
    r = engine.analyze(test_support::requestFor(empty, Analyze), nullptr);
    EXPECT_EQ(r.status.code, kVideoNoPayload);
    EXPECT_EQ(r.findings.size(), 3u);
}

namespace {
// Answers "stop" from the first report on.
struct StopAtOnce : IProgress {
    bool onProgress(const ProgressEvent&) override { return true; }
    bool isCancelled() override { return true; }
};
} // namespace

TEST(VideoEntryTest, HugeInputsAreTakenAndCanBeStoppedAndHugeSamplesAreNotReadWhole) {
    TempDir dir;
    const auto huge = dir.write("huge.mp4", ByteBuffer{});
    std::error_code ec;
    test_support::fs::resize_file(huge, 1ull << 40, ec); // a sparse terabyte
    if (ec) GTEST_SKIP() << "no sparse files here: " << ec.message();
    // Far larger than memory, yet not refused: the user may stop the long work.
    StopAtOnce stop;
    RepairResult r = VideoRepairer().analyze(test_support::requestFor(huge, Analyze), &stop);
    EXPECT_EQ(r.status.code, kStatusCancelled) << r.status.message;
    r = VideoRepairer().repair(test_support::requestFor(huge), &stop);
    EXPECT_EQ(r.status.code, kStatusCancelled) << r.status.message;

    // The same terabyte as a sample: only box headers are read from it.
    const auto input = dir.write("lost.mp4", concat({ftyp(), box("mdat", ByteBuffer(64, 1))}));
    auto request = test_support::requestFor(input);
    request.sample = makeSourceInfo(huge.string());
    r = VideoRepairer().repair(request, nullptr);
    EXPECT_EQ(r.status.code, kVideoMp4SampleMismatch) << r.status.message; // zeros hold no moov
    EXPECT_FALSE(r.outputWritten);
}
