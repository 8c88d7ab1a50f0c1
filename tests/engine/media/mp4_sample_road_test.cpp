// The advanced repair with a healthy sample, on real clips made by ffmpeg and damaged in the
// common ways: the sample only stands in for what the damaged file lacks, a borrowed index must
// fit the media data, and where it does not the frames are found in the media data itself.

#include <gtest/gtest.h>

#include <algorithm>
#include <new>
#include <sstream>
#include <utility>
#include <vector>

#include "media/audio_formats.h"
#include "media/audio_repairer.h"
#include "media/mp4_video.h"
#include "media/video_containers.h"
#include "media/video_repairer.h"
#include "mp4_fixtures.h"
#include "test_support.h"

using namespace data_repair;
using namespace mp4_fixtures;
using test_support::TempDir;
using test_support::hasAction;
namespace fs = std::filesystem;

namespace {

constexpr int kFrames = 100; // 4 s at 25 frames per second

struct ClipKind {
    const char* name;
    const char* extension;
    const char* codec; // encoder arguments
    bool audio;        // an AAC track beside the video
    bool video;
};

const ClipKind kKinds[] = {
    {"h264-aac-mp4", "mp4", "-c:v libx264 -preset ultrafast -pix_fmt yuv420p -g 25", true, true},
    {"h264-aac-mov", "mov", "-c:v libx264 -preset ultrafast -pix_fmt yuv420p -g 25", true, true},
    {"h264-mp4", "mp4", "-c:v libx264 -preset ultrafast -pix_fmt yuv420p -g 25", false, true},
    // B-frames: pictures are stored out of the order they are shown in.
    {"h264-bframes-aac-mp4", "mp4", "-c:v libx264 -preset medium -bf 3 -pix_fmt yuv420p -g 50", true, true},
    {"hevc-aac-mp4", "mp4",
     "-c:v libx265 -preset ultrafast -x265-params log-level=error -pix_fmt yuv420p -g 25 -tag:v hvc1", true, true},
    {"aac-m4a", "m4a", "", true, false},
};

// A clip of `seconds` from one of two sources, so that the sample shares the settings but not the
// content or the length of the damaged recording.
bool makeRecording(const fs::path& out, const ClipKind& kind, double seconds, bool other) {
    const std::string d = std::to_string(seconds);
    std::string cmd = "ffmpeg -nostdin -v error -y";
    if (kind.video) cmd += std::string(" -f lavfi -i ") + (other ? "testsrc2" : "testsrc") + "=d=" + d + ":s=160x120:r=25";
    if (kind.audio) cmd += " -f lavfi -i sine=f=" + std::string(other ? "880" : "440") + ":d=" + d;
    if (kind.video) cmd += std::string(" ") + kind.codec;
    if (kind.audio) cmd += " -c:a aac -b:a 64k";
    cmd += " " + test_support::quote(out);
    return test_support::run(cmd).exitCode == 0;
}

enum class Damage { AppendedBytes, Prefix, BitFlips, MoovCutOff, MoovOverwritten, MoovMoved };

// The recordings ffmpeg writes keep the moov after the mdat, as a camera does.
ByteBuffer damage(const ByteBuffer& good, Damage how) {
    const uint64_t moov = findBytes(good, "moov") - 4;
    const uint64_t moovSize = readBe32(good, moov);
    switch (how) {
    case Damage::AppendedBytes: {
        ByteBuffer out = good;
        for (int i = 0; i < 777; ++i) out.push_back(static_cast<uint8_t>(i * 37 + 11));
        return out;
    }
    case Damage::Prefix: {
        ByteBuffer out(300, 0x5A);
        appendBytes(out, good);
        return out;
    }
    case Damage::BitFlips: {
        // A few flipped bits in the second half of the media data.
        ByteBuffer out = good;
        const uint64_t mdat = findBytes(good, "mdat") + 4;
        for (uint64_t at = mdat + (moov - mdat) / 2; at < moov; at += (moov - mdat) / 7) out[at] ^= 0x24;
        return out;
    }
    case Damage::MoovCutOff:
        return sliceBytes(good, 0, moov);
    case Damage::MoovOverwritten: {
        ByteBuffer out = good;
        for (uint64_t i = 0; i < moovSize; ++i) out[moov + i] = static_cast<uint8_t>(i * 131 + 7);
        return out;
    }
    case Damage::MoovMoved: {
        // Moved in front of the mdat by a tool that did not rebase the chunk offsets.
        const uint64_t ftypEnd = readBe32(good, 0);
        ByteBuffer out = sliceBytes(good, 0, ftypEnd);
        appendRange(out, good, moov, moovSize);
        appendRange(out, good, ftypEnd, moov - ftypEnd);
        return out;
    }
    }
    return good;
}

RepairResult repairWith(const fs::path& input, int32_t mode, const fs::path& sample, bool video) {
    auto request = test_support::requestFor(input, mode);
    if (!sample.empty()) request.sample = makeSourceInfo(sample.string());
    return video ? VideoRepairer().repair(request, nullptr) : AudioRepairer().repair(request, nullptr);
}

// The decoded pictures of the first video stream, in the order a player shows them.
std::string shownFrames(const fs::path& file) {
    const auto r = test_support::run("ffmpeg -nostdin -v error -i " + test_support::quote(file) +
                                     " -map 0:v:0 -f framemd5 - | grep -v '^#' | cut -d, -f6");
    return r.exitCode == 0 ? r.output : "";
}

int decodedAudioFrames(const fs::path& file) {
    const auto r = test_support::run("ffprobe -v error -select_streams a:0 -count_frames -show_entries "
                                     "stream=nb_read_frames -of csv=p=0 " + test_support::quote(file));
    return r.exitCode == 0 ? std::atoi(r.output.c_str()) : -1;
}

// Each stream's kind and duration in seconds, as ffprobe reads them from the index.
std::vector<std::pair<std::string, double>> streamDurations(const fs::path& file) {
    const auto r = test_support::run("ffprobe -v error -show_entries stream=codec_type,duration -of csv=p=0 " +
                                     test_support::quote(file));
    std::vector<std::pair<std::string, double>> out;
    std::istringstream lines(r.output);
    for (std::string line; std::getline(lines, line);) {
        const auto comma = line.find(',');
        if (comma != std::string::npos) out.emplace_back(line.substr(0, comma), std::atof(line.c_str() + comma + 1));
    }
    return out;
}

struct MediaHeader {
    int version;
    uint32_t timescale;
    uint64_t duration;
};

// Every mdhd of the file (the 32-byte version 0 box, or version 1).
std::vector<MediaHeader> mediaHeaders(const ByteBuffer& file) {
    std::vector<MediaHeader> out;
    for (uint64_t at = findBytes(file, "mdhd"); at != npos; at = findBytes(file, "mdhd", at + 1)) {
        const uint64_t payload = at + 4;
        if (readU8(file, payload) == 1)
            out.push_back({1, readBe32(file, payload + 20), readBe64(file, payload + 24)});
        else
            out.push_back({0, readBe32(file, payload + 12), readBe32(file, payload + 16)});
    }
    return out;
}

class Mp4SampleRoadTest : public ::testing::TestWithParam<ClipKind> {
protected:
    void SetUp() override {
        if (!test_support::toolAvailable("ffmpeg") || !test_support::toolAvailable("ffprobe")) {
            if (std::getenv("CI") != nullptr) FAIL() << "required tool missing: ffmpeg";
            GTEST_SKIP() << "tool not installed: ffmpeg";
        }
        const ClipKind& kind = GetParam();
        good = dir / (std::string("good.") + kind.extension);
        sample = dir / (std::string("sample.") + kind.extension);
        ASSERT_TRUE(makeRecording(good, kind, 4.0, false));
        ASSERT_TRUE(makeRecording(sample, kind, 3.0, true));
    }
    fs::path write(const char* name, const ByteBuffer& bytes) {
        return dir.write(std::string(name) + "." + GetParam().extension, bytes);
    }
    TempDir dir;
    fs::path good, sample;
};

} // namespace

TEST_P(Mp4SampleRoadTest, IntactIndexIsKeptInTheAdvancedRepair) {
    const ClipKind& kind = GetParam();
    const ByteBuffer goodBytes = test_support::readAll(good);
    for (Damage how : {Damage::AppendedBytes, Damage::Prefix, Damage::BitFlips}) {
        SCOPED_TRACE(static_cast<int>(how));
        const fs::path input = write("damaged", damage(goodBytes, how));
        const RepairResult quick = repairWith(input, Repair, {}, kind.video);
        ASSERT_TRUE(quick.status.ok) << quick.status.message;
        const fs::path quickOut = dir / (std::string("quick.") + kind.extension);
        fs::rename(quick.output.path, quickOut);
        const RepairResult advanced = repairWith(input, Advanced, sample, kind.video);
        ASSERT_TRUE(advanced.status.ok) << advanced.status.message;
        EXPECT_FALSE(advanced.usedReference);
        EXPECT_FALSE(hasAction(advanced, "borrow-sample-moov") || hasAction(advanced, "borrow-m4a-moov"));
        // As playable as the quick repair: the same frames decode from both.
        if (kind.video) {
            EXPECT_EQ(decodedFrames(advanced.output.path), decodedFrames(quickOut));
            if (how != Damage::BitFlips) {
                EXPECT_EQ(decodedFrames(advanced.output.path), kFrames);
            }
        } else {
            EXPECT_EQ(decodedAudioFrames(advanced.output.path), decodedAudioFrames(quickOut));
        }
        if (how != Damage::BitFlips) {
            EXPECT_EQ(playerComplaints(advanced.output.path), "");
        }
        fs::remove(advanced.output.path);
    }
}

TEST_P(Mp4SampleRoadTest, LostIndexComesBackWithEveryTrackFromTheMediaData) {
    const ClipKind& kind = GetParam();
    const ByteBuffer goodBytes = test_support::readAll(good);
    const int videoFrames = kind.video ? decodedFrames(good) : 0;
    const int audioFrames = kind.audio ? decodedAudioFrames(good) : 0;
    if (kind.video) {
        ASSERT_EQ(videoFrames, kFrames);
        const std::string frames = shownFrames(good);
        ASSERT_EQ(std::count(frames.begin(), frames.end(), '\n'), kFrames);
    }
    const auto goodDurations = streamDurations(good);
    for (Damage how : {Damage::MoovCutOff, Damage::MoovOverwritten, Damage::MoovMoved}) {
        SCOPED_TRACE(static_cast<int>(how));
        const fs::path input = write("damaged", damage(goodBytes, how));
        if (how != Damage::MoovMoved) {
            // Without a sample nothing unplayable is written: the user is told a sample is needed.
            const RepairResult quick = repairWith(input, Repair, {}, kind.video);
            EXPECT_FALSE(quick.status.ok);
            EXPECT_EQ(quick.status.code, kind.video ? kVideoMp4SampleNeeded : kAudioM4aSampleNeeded);
            EXPECT_FALSE(quick.outputWritten);
        }
        const RepairResult r = repairWith(input, Advanced, sample, kind.video);
        ASSERT_TRUE(r.status.ok) << r.status.message;
        EXPECT_TRUE(hasAction(r, kind.video ? "rebuild-sample-tables" : "rebuild-m4a-sample-tables"));
        EXPECT_TRUE(r.usedReference);
        for (const std::string& note : r.notes) // no track of the sample was left out
            EXPECT_EQ(note.find("left out"), std::string::npos) << note;
        EXPECT_EQ(playerComplaints(r.output.path), "");
        if (kind.video) {
            EXPECT_EQ(decodedFrames(r.output.path), videoFrames);
            // The same pictures, shown in the recorded order.
            EXPECT_EQ(shownFrames(r.output.path), shownFrames(good));
        }
        if (kind.audio) {
            EXPECT_GE(decodedAudioFrames(r.output.path) * 100, audioFrames * 99);
        }
        // Every stream lasts as long as the recording's own index said, within 2 %.
        const auto durations = streamDurations(r.output.path);
        ASSERT_EQ(durations.size(), goodDurations.size());
        for (size_t i = 0; i < durations.size(); ++i) {
            EXPECT_EQ(durations[i].first, goodDurations[i].first);
            EXPECT_NEAR(durations[i].second, goodDurations[i].second, goodDurations[i].second * 0.02)
                << durations[i].first;
        }
        // The media header of each track carries the rebuilt duration, also the short version 0
        // box ffmpeg writes.
        const auto headers = mediaHeaders(test_support::readAll(r.output.path));
        ASSERT_EQ(headers.size(), goodDurations.size());
        for (size_t i = 0; i < headers.size(); ++i) {
            EXPECT_EQ(headers[i].version, 0);
            ASSERT_NE(headers[i].timescale, 0u);
            EXPECT_NEAR(static_cast<double>(headers[i].duration) / headers[i].timescale, goodDurations[i].second,
                        goodDurations[i].second * 0.02);
        }
        fs::remove(r.output.path);
    }
}

INSTANTIATE_TEST_SUITE_P(Clips, Mp4SampleRoadTest, ::testing::ValuesIn(kKinds),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             for (char& c : name)
                                 if (c == '-') c = '_';
                             return name;
                         });

TEST(Mp4SampleRoad, SampleOfAnotherCodecFailsWithItsOwnCode) {
    if (!test_support::toolAvailable("ffmpeg")) GTEST_SKIP() << "tool not installed: ffmpeg";
    TempDir dir;
    const fs::path good = dir / "good.mp4";
    const fs::path sample = dir / "sample.mp4";
    ASSERT_TRUE(makeRecording(good, kKinds[2], 2.0, false));
    // An MPEG-4 part 2 sample: no NAL units to find, so no index can be rebuilt from it.
    ASSERT_TRUE(test_support::run("ffmpeg -nostdin -v error -y -f lavfi -i testsrc2=d=1:s=160x120:r=25 -c:v mpeg4 " +
                                  test_support::quote(sample)).exitCode == 0);
    const ByteBuffer bytes = test_support::readAll(good);
    const fs::path input = dir.write("lost.mp4", damage(bytes, Damage::MoovCutOff));
    const RepairResult r = repairWith(input, Advanced, sample, true);
    EXPECT_FALSE(r.status.ok);
    EXPECT_EQ(r.status.code, kVideoMp4SampleMismatch);
    EXPECT_NE(r.status.message.find("does not match this recording"), std::string::npos);
    EXPECT_FALSE(r.outputWritten);
}

// Media data the sample's tracks cannot describe is refused with the mismatch code, and nothing
// is written: bytes that are no media at all, and video of another codec than the sample's.
TEST(Mp4SampleRoad, MediaDataOfAnotherKindFailsAndWritesNothing) {
    if (!test_support::toolAvailable("ffmpeg")) GTEST_SKIP() << "tool not installed: ffmpeg";
    TempDir dir;
    const fs::path sample = dir / "sample.mp4";
    const fs::path hevc = dir / "hevc.mp4";
    ASSERT_TRUE(makeRecording(sample, kKinds[0], 2.0, true));
    ASSERT_TRUE(makeRecording(hevc, kKinds[4], 2.0, false));
    ByteBuffer noise(300000);
    uint32_t state = 12345;
    for (uint8_t& b : noise) b = static_cast<uint8_t>((state = state * 1103515245u + 12345u) >> 24);
    const ByteBuffer random = concat({ftyp(), box("mdat", noise)});
    const struct {
        const char* name;
        ByteBuffer bytes;
    } cases[] = {
        {"random", random},
        {"hevc-with-h264-sample", damage(test_support::readAll(hevc), Damage::MoovCutOff)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path out = dir / "out";
        fs::create_directories(out);
        const fs::path input = dir.write(std::string(c.name) + ".mp4", c.bytes);
        auto request = test_support::requestFor(input, Advanced);
        request.sample = makeSourceInfo(sample.string());
        request.outputDirectory = out.string();
        const RepairResult r = VideoRepairer().repair(request, nullptr);
        EXPECT_FALSE(r.status.ok);
        EXPECT_EQ(r.status.code, kVideoMp4SampleMismatch) << r.status.message;
        EXPECT_FALSE(r.outputWritten);
        EXPECT_TRUE(fs::is_empty(out));
    }
}

// A sample track whose data cannot be told apart in this recording (MP3 sound here) is named
// in a note and left out; the video comes back whole.
TEST(Mp4SampleRoad, TrackThatCannotBeRebuiltIsNamed) {
    if (!test_support::toolAvailable("ffmpeg")) GTEST_SKIP() << "tool not installed: ffmpeg";
    TempDir dir;
    const ClipKind mp3 = {"h264-mp3-mp4", "mp4", "-c:v libx264 -preset ultrafast -pix_fmt yuv420p -g 25", false, true};
    const fs::path good = dir / "good.mp4";
    const fs::path sample = dir / "sample.mp4";
    const auto make = [&](const fs::path& out, const char* source, const char* tone) {
        return test_support::run(std::string("ffmpeg -nostdin -v error -y -f lavfi -i ") + source +
                                 "=d=4:s=160x120:r=25 -f lavfi -i sine=f=" + tone + ":d=4:sample_rate=16000 " + mp3.codec +
                                 " -c:a libmp3lame -b:a 8k " + test_support::quote(out)).exitCode == 0;
    };
    ASSERT_TRUE(make(good, "testsrc", "440"));
    ASSERT_TRUE(make(sample, "testsrc2", "880"));
    const fs::path input = dir.write("lost.mp4", damage(test_support::readAll(good), Damage::MoovCutOff));
    const RepairResult r = repairWith(input, Advanced, sample, true);
    ASSERT_TRUE(r.status.ok) << r.status.message;
    ASSERT_EQ(r.notes.size(), 1u);
    EXPECT_NE(r.notes[0].find("audio track (mp4a)"), std::string::npos) << r.notes[0];
    EXPECT_EQ(decodedFrames(r.output.path), kFrames);
    EXPECT_EQ(playerComplaints(r.output.path), "");
}

// The tables grow with the samples found; past the working-memory limit the rebuild stops with
// the engine's out-of-memory failure instead of taking more.
TEST(Mp4SampleRoad, TablesAreHeldToTheWorkingMemoryLimit) {
    if (!test_support::toolAvailable("ffmpeg")) GTEST_SKIP() << "tool not installed: ffmpeg";
    TempDir dir;
    const fs::path good = dir / "good.mp4";
    const fs::path sample = dir / "sample.mp4";
    ASSERT_TRUE(makeRecording(good, kKinds[0], 2.0, false));
    ASSERT_TRUE(makeRecording(sample, kKinds[0], 1.0, true));
    const ByteBuffer bytes = damage(test_support::readAll(good), Damage::MoovCutOff);
    const Mp4Layout layout = scanMp4Layout(bytes, 0);
    const IsoSampleParts parts = readIsoSampleParts(sample.string());
    SampleTableRebuild rebuilt;
    ASSERT_TRUE(rebuildSampleTables(parts.moov, bytes, layout.mdat, rebuilt));
    EXPECT_EQ(rebuilt.videoSamples, 50u);
    EXPECT_GT(rebuilt.audioSamples, 80u);
    EXPECT_THROW(rebuildSampleTables(parts.moov, bytes, layout.mdat, rebuilt, 1024), std::bad_alloc);
}
