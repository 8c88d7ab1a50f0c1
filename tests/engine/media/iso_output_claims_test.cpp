// ISO media repairs (MP4, MOV, M4A) that report success must write what they claim: every output is
// read back by ffmpeg/ffprobe and compared with the recording before the damage. Where the input
// cannot be mended truthfully the repair fails plainly with its family's code and writes nothing.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "media/audio_formats.h"
#include "media/audio_repairer.h"
#include "media/video_containers.h"
#include "media/video_repairer.h"
#include "test_support.h"

using namespace data_repair;
using test_support::TempDir;
namespace fs = std::filesystem;

namespace {

enum class Damage {
    MoovCutOff, // the recording stopped before its index was written (moov at the end)
    MoovZeroed, // the index at the start was overwritten with zeros
    MoovFreed,  // the index at the start was marked as free space
    CutAt90,    // the file ends after 90 % of its bytes
    MoovCutOffMediaSplit, // no index, and the media data stored in two boxes
};

struct ClaimCase {
    const char* name;
    const char* extension;
    const char* recording; // ffmpeg arguments for the recording (inputs and encoders)
    const char* sample;    // for the healthy sample, empty for a quick repair
    Damage damage;
    int32_t failureCode; // the code a plain failure must carry
    bool mustSucceed;    // the repair has everything it needs: a failure is a fault too
};

constexpr const char* kVideo30 = "-f lavfi -i testsrc=d=10:s=160x120:r=30 ";
constexpr const char* kH264 = "-c:v libx264 -preset ultrafast -pix_fmt yuv420p -g 30 ";

const ClaimCase kCases[] = {
    // The sample's index is of another recording of nearly the same length: it must not be
    // borrowed as it is, its codec settings may still serve a rebuild.
    {"m4a_sample_of_another_recording", "m4a", "-f lavfi -i sine=f=440:d=10 -c:a aac -b:a 64k",
     "-f lavfi -i sine=f=1250:d=9.6 -c:a aac -b:a 64k", Damage::MoovCutOff, kAudioM4aSampleMismatch, false},
    {"m4a_same_settings_sample", "m4a", "-f lavfi -i sine=f=440:d=10 -c:a aac -b:a 64k",
     "-f lavfi -i sine=f=880:d=4 -c:a aac -b:a 64k", Damage::MoovCutOff, 0, true},
    {"alac_m4a_cut_at_90", "m4a",
     "-f lavfi -i sine=f=440:d=4:sample_rate=44100 -f lavfi -i anoisesrc=d=4:a=0.05 -filter_complex amix "
     "-c:a alac -movflags +faststart",
     "", Damage::CutAt90, kAudioM4aWrite, true},
    {"h264_aac48_sample_aac44", "mp4",
     "-f lavfi -i testsrc=d=10:s=160x120:r=30 -f lavfi -i sine=f=440:d=10:sample_rate=48000 "
     "-c:v libx264 -preset ultrafast -pix_fmt yuv420p -g 30 -c:a aac -b:a 64k",
     "-f lavfi -i testsrc2=d=4:s=160x120:r=30 -f lavfi -i sine=f=880:d=4:sample_rate=44100 "
     "-c:v libx264 -preset ultrafast -pix_fmt yuv420p -g 30 -c:a aac -b:a 64k",
     Damage::MoovCutOff, kVideoMp4SampleMismatch, false},
    {"h264_aac48_same_settings_sample", "mp4",
     "-f lavfi -i testsrc=d=10:s=160x120:r=30 -f lavfi -i sine=f=440:d=10:sample_rate=48000 "
     "-c:v libx264 -preset ultrafast -pix_fmt yuv420p -g 30 -c:a aac -b:a 64k",
     "-f lavfi -i testsrc2=d=4:s=160x120:r=30 -f lavfi -i sine=f=880:d=4:sample_rate=48000 "
     "-c:v libx264 -preset ultrafast -pix_fmt yuv420p -g 30 -c:a aac -b:a 64k",
     Damage::MoovCutOff, 0, true},
    // An index rebuilt from the first media box alone would leave half the recording out.
    {"h264_aac_media_in_two_boxes", "mp4",
     "-f lavfi -i testsrc=d=10:s=160x120:r=30 -f lavfi -i sine=f=440:d=10:sample_rate=48000 "
     "-c:v libx264 -preset ultrafast -pix_fmt yuv420p -g 30 -c:a aac -b:a 64k",
     "-f lavfi -i testsrc2=d=4:s=160x120:r=30 -f lavfi -i sine=f=880:d=4:sample_rate=48000 "
     "-c:v libx264 -preset ultrafast -pix_fmt yuv420p -g 30 -c:a aac -b:a 64k",
     Damage::MoovCutOffMediaSplit, kVideoMp4SampleMismatch, false},
    {"h264_30fps_sample_60fps", "mp4",
     "-f lavfi -i testsrc=d=10:s=160x120:r=30 -f lavfi -i sine=f=440:d=10:sample_rate=48000 "
     "-c:v libx264 -preset ultrafast -pix_fmt yuv420p -g 30 -c:a aac -b:a 64k",
     "-f lavfi -i testsrc2=d=4:s=160x120:r=60 -f lavfi -i sine=f=880:d=4:sample_rate=48000 "
     "-c:v libx264 -preset ultrafast -pix_fmt yuv420p -g 30 -c:a aac -b:a 64k",
     Damage::MoovCutOff, kVideoMp4SampleMismatch, false},
    // Video alone: the stream's own parameter sets (repeated before every key picture, as cameras
    // write them) state the frame rate.
    {"h264_stream_30fps_sample_60fps", "mp4",
     "-f lavfi -i testsrc=d=10:s=160x120:r=30 -c:v libx264 -preset ultrafast -pix_fmt yuv420p -g 30 "
     "-x264-params repeat-headers=1",
     "-f lavfi -i testsrc2=d=4:s=160x120:r=60 -c:v libx264 -preset ultrafast -pix_fmt yuv420p -g 30 "
     "-x264-params repeat-headers=1",
     Damage::MoovCutOff, kVideoMp4SampleMismatch, false},
    {"h264_stream_30fps_same_settings_sample", "mp4",
     "-f lavfi -i testsrc=d=10:s=160x120:r=30 -c:v libx264 -preset ultrafast -pix_fmt yuv420p -g 30 "
     "-x264-params repeat-headers=1",
     "-f lavfi -i testsrc2=d=4:s=160x120:r=30 -c:v libx264 -preset ultrafast -pix_fmt yuv420p -g 30 "
     "-x264-params repeat-headers=1",
     Damage::MoovCutOff, 0, true},
    {"hevc_stream_30fps_sample_60fps", "mp4",
     "-f lavfi -i testsrc=d=10:s=160x120:r=30 -c:v libx265 -preset ultrafast -pix_fmt yuv420p -tag:v hvc1 "
     "-x265-params log-level=error:keyint=30:repeat-headers=1",
     "-f lavfi -i testsrc2=d=4:s=160x120:r=60 -c:v libx265 -preset ultrafast -pix_fmt yuv420p -tag:v hvc1 "
     "-x265-params log-level=error:keyint=30:repeat-headers=1",
     Damage::MoovCutOff, kVideoMp4SampleMismatch, false},
    {"hevc_stream_30fps_same_settings_sample", "mp4",
     "-f lavfi -i testsrc=d=10:s=160x120:r=30 -c:v libx265 -preset ultrafast -pix_fmt yuv420p -tag:v hvc1 "
     "-x265-params log-level=error:keyint=30:repeat-headers=1",
     "-f lavfi -i testsrc2=d=4:s=160x120:r=30 -c:v libx265 -preset ultrafast -pix_fmt yuv420p -tag:v hvc1 "
     "-x265-params log-level=error:keyint=30:repeat-headers=1",
     Damage::MoovCutOff, 0, true},
    {"fragmented_h264_aac_moov_lost", "mp4",
     "-f lavfi -i testsrc=d=10:s=160x120:r=30 -f lavfi -i sine=f=440:d=10:sample_rate=48000 "
     "-c:v libx264 -preset ultrafast -pix_fmt yuv420p -g 30 -c:a aac -b:a 64k -movflags frag_keyframe+empty_moov",
     "-f lavfi -i testsrc2=d=4:s=160x120:r=30 -f lavfi -i sine=f=880:d=4:sample_rate=48000 "
     "-c:v libx264 -preset ultrafast -pix_fmt yuv420p -g 30 -c:a aac -b:a 64k -movflags frag_keyframe+empty_moov",
     Damage::MoovZeroed, kVideoMp4SampleMismatch, true},
    {"fragmented_m4a_moov_lost", "m4a",
     "-f lavfi -i sine=f=440:d=10 -c:a aac -b:a 64k -movflags frag_keyframe+empty_moov -frag_duration 1000000",
     "-f lavfi -i sine=f=880:d=4 -c:a aac -b:a 64k -movflags frag_keyframe+empty_moov -frag_duration 1000000",
     Damage::MoovFreed, kAudioM4aSampleMismatch, true},
    // A plain recording of the same settings stands in for the index of a fragmented one.
    {"fragmented_h264_moov_lost_plain_sample", "mp4",
     "-f lavfi -i testsrc=d=10:s=160x120:r=30 -c:v libx264 -preset ultrafast -pix_fmt yuv420p -g 30 "
     "-movflags frag_keyframe+empty_moov",
     "-f lavfi -i testsrc2=d=4:s=160x120:r=30 -c:v libx264 -preset ultrafast -pix_fmt yuv420p -g 30",
     Damage::MoovZeroed, kVideoMp4SampleMismatch, true},
};

bool record(const fs::path& out, const std::string& args) {
    return test_support::run("ffmpeg -nostdin -v error -y " + args + " " + test_support::quote(out)).exitCode == 0;
}

ByteBuffer damage(const ByteBuffer& good, Damage how) {
    const uint64_t moov = findBytes(good, "moov") - 4;
    const uint64_t moovSize = readBe32(good, moov);
    switch (how) {
    case Damage::MoovCutOff:
        return sliceBytes(good, 0, moov);
    case Damage::MoovZeroed: {
        ByteBuffer out = good;
        std::fill(out.begin() + static_cast<std::ptrdiff_t>(moov),
                  out.begin() + static_cast<std::ptrdiff_t>(moov + moovSize), 0);
        return out;
    }
    case Damage::MoovFreed: {
        ByteBuffer out = good;
        std::copy_n("free", 4, out.begin() + static_cast<std::ptrdiff_t>(moov + 4));
        return out;
    }
    case Damage::CutAt90:
        return sliceBytes(good, 0, good.size() * 9 / 10);
    case Damage::MoovCutOffMediaSplit: {
        const uint64_t mdat = findBytes(good, "mdat") - 4;
        const uint64_t half = mdat + 8 + (moov - mdat - 8) / 2;
        ByteBuffer out = sliceBytes(good, 0, half);
        putBe32(out, mdat, static_cast<uint32_t>(half - mdat));
        appendBe32(out, static_cast<uint32_t>(moov - half + 8));
        appendString(out, "mdat");
        appendRange(out, good, half, moov - half);
        return out;
    }
    }
    return good;
}

// Per stream, in order: kind, duration as the index states it, and packets ffprobe reads.
struct Stream {
    std::string kind;
    double seconds = 0;
    long packets = 0;
};

std::vector<Stream> streams(const fs::path& file) {
    const auto r = test_support::run("ffprobe -v error -count_packets -show_entries "
                                     "stream=codec_type,duration,nb_read_packets -of csv=p=0 " +
                                     test_support::quote(file) + " 2>/dev/null");
    std::vector<Stream> out;
    std::istringstream lines(r.output);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line);
        Stream s;
        std::string seconds, packets;
        if (std::getline(fields, s.kind, ',') && std::getline(fields, seconds, ',') && std::getline(fields, packets)) {
            s.seconds = std::atof(seconds.c_str());
            s.packets = std::atol(packets.c_str());
            out.push_back(s);
        }
    }
    return out;
}

// Seconds of sound the decoder really gets out of the file.
double decodedAudioSeconds(const fs::path& file) {
    const fs::path raw = file.string() + ".raw";
    test_support::run("ffmpeg -nostdin -v quiet -y -i " + test_support::quote(file) + " -map 0:a:0 -f s16le -ac 1 -ar 8000 " +
                      test_support::quote(raw));
    std::error_code ec;
    const auto bytes = fs::file_size(raw, ec);
    fs::remove(raw, ec);
    return ec ? -1 : static_cast<double>(bytes) / 16000.0;
}

class IsoOutputClaims : public ::testing::TestWithParam<ClaimCase> {};

} // namespace

TEST_P(IsoOutputClaims, SuccessHoldsWhatItClaimsOrFailsPlainly) {
    REQUIRE_TOOL("ffmpeg");
    REQUIRE_TOOL("ffprobe");
    const ClaimCase& c = GetParam();
    TempDir dir;
    const fs::path good = dir / (std::string("good.") + c.extension);
    ASSERT_TRUE(record(good, c.recording));
    const fs::path input = dir.write(std::string("damaged.") + c.extension, damage(test_support::readAll(good), c.damage));
    const fs::path out = dir / "out";
    fs::create_directories(out);
    auto request = test_support::requestFor(input, *c.sample != '\0' ? Advanced : Repair);
    request.outputDirectory = out.string();
    if (*c.sample != '\0') {
        const fs::path sample = dir / (std::string("sample.") + c.extension);
        ASSERT_TRUE(record(sample, c.sample));
        request.sample = makeSourceInfo(sample.string());
    }
    const bool audio = std::string(c.extension) == "m4a";
    const RepairResult r =
        audio ? AudioRepairer().repair(request, nullptr) : VideoRepairer().repair(request, nullptr);
    if (!r.status.ok) {
        EXPECT_FALSE(c.mustSucceed) << r.status.code << " " << r.status.message;
        EXPECT_EQ(r.status.code, c.failureCode) << r.status.message;
        EXPECT_FALSE(r.outputWritten);
        EXPECT_TRUE(fs::is_empty(out));
        return;
    }
    ASSERT_TRUE(r.outputWritten);
    const std::string complaints = test_support::playerComplaints(r.output.path);
    EXPECT_EQ(complaints.substr(0, 600), "");
    const auto before = streams(good);
    const auto after = streams(r.output.path);
    ASSERT_EQ(after.size(), before.size());
    for (size_t i = 0; i < after.size(); ++i) {
        SCOPED_TRACE(after[i].kind);
        EXPECT_EQ(after[i].kind, before[i].kind);
        if (c.damage == Damage::CutAt90) {
            // What is left of a cut file: the index claims just what decodes, and that is most of it.
            const double held = decodedAudioSeconds(r.output.path);
            EXPECT_NEAR(after[i].seconds, held, held * 0.02);
            EXPECT_GT(held, before[i].seconds * 0.8);
            continue;
        }
        EXPECT_NEAR(after[i].seconds, before[i].seconds, before[i].seconds * 0.02);
        EXPECT_NEAR(static_cast<double>(after[i].packets), static_cast<double>(before[i].packets),
                    before[i].packets * 0.02);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, IsoOutputClaims, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A fragmented recording that lost its index and was cut short: the fragments before the cut one
// come back whole; a sample that cannot describe every fragment's track is refused.
TEST(IsoFragmentRebuild, CutRecordingKeepsItsWholeFragmentsAndForeignTracksAreRefused) {
    REQUIRE_TOOL("ffmpeg");
    REQUIRE_TOOL("ffprobe");
    TempDir dir;
    const std::string fragmented = " -c:v libx264 -preset ultrafast -pix_fmt yuv420p -g 15 -c:a aac -b:a 64k "
                                   "-movflags frag_keyframe+empty_moov";
    const fs::path good = dir / "good.mp4";
    const fs::path sample = dir / "sample.mp4";
    const fs::path silent = dir / "silent.mp4";
    ASSERT_TRUE(record(good, "-f lavfi -i testsrc=d=10:s=160x120:r=30 -f lavfi -i sine=f=440:d=10" + fragmented));
    ASSERT_TRUE(record(sample, "-f lavfi -i testsrc2=d=3:s=160x120:r=30 -f lavfi -i sine=f=880:d=3" + fragmented));
    ASSERT_TRUE(record(silent, "-f lavfi -i testsrc2=d=3:s=160x120:r=30 -c:v libx264 -preset ultrafast "
                               "-pix_fmt yuv420p -g 15 -movflags frag_keyframe+empty_moov"));
    const ByteBuffer lost = damage(test_support::readAll(good), Damage::MoovZeroed);
    const fs::path cut = dir.write("cut.mp4", sliceBytes(lost, 0, lost.size() * 97 / 100));
    const fs::path whole = dir.write("whole.mp4", lost);

    auto request = test_support::requestFor(cut, Advanced);
    request.sample = makeSourceInfo(sample.string());
    const RepairResult r = VideoRepairer().repair(request, nullptr);
    ASSERT_TRUE(r.status.ok) << r.status.message;
    EXPECT_NE(std::find_if(r.notes.begin(), r.notes.end(),
                           [](const std::string& n) { return n.find("cut short") != std::string::npos; }),
              r.notes.end());
    const std::string complaints = test_support::playerComplaints(r.output.path);
    EXPECT_EQ(complaints.substr(0, 600), "");
    const auto before = streams(good);
    const auto after = streams(r.output.path);
    ASSERT_EQ(after.size(), before.size());
    for (size_t i = 0; i < after.size(); ++i) {
        EXPECT_GE(after[i].packets * 10, before[i].packets * 9) << after[i].kind;
        EXPECT_LT(after[i].packets, before[i].packets) << after[i].kind;
    }

    // The sample has no sound track for the recording's audio fragments.
    const fs::path out = dir / "refused";
    fs::create_directories(out);
    auto refused = test_support::requestFor(whole, Advanced);
    refused.sample = makeSourceInfo(silent.string());
    refused.outputDirectory = out.string();
    const RepairResult f = VideoRepairer().repair(refused, nullptr);
    EXPECT_FALSE(f.status.ok);
    EXPECT_EQ(f.status.code, kVideoMp4SampleMismatch);
    EXPECT_FALSE(f.outputWritten);
    EXPECT_TRUE(fs::is_empty(out));
}

// Damaged fragment headers (run counts, flags, offsets) are read with every bound checked: the
// repair either rebuilds what still fits or fails with the mismatch code.
TEST(IsoFragmentRebuild, DamagedFragmentHeadersNeverBreakTheRepair) {
    REQUIRE_TOOL("ffmpeg");
    TempDir dir;
    const std::string fragmented = " -c:v libx264 -preset ultrafast -pix_fmt yuv420p -g 5 -c:a aac -b:a 16k "
                                   "-movflags frag_keyframe+empty_moov";
    const fs::path good = dir / "good.mp4";
    const fs::path sample = dir / "sample.mp4";
    ASSERT_TRUE(record(good, "-f lavfi -i testsrc=d=2:s=64x48:r=10 -f lavfi -i sine=d=2:sample_rate=8000" + fragmented));
    ASSERT_TRUE(record(sample, "-f lavfi -i testsrc2=d=1:s=64x48:r=10 -f lavfi -i sine=d=1:sample_rate=8000" + fragmented));
    const ByteBuffer lost = damage(test_support::readAll(good), Damage::MoovZeroed);
    std::vector<uint64_t> moofs;
    for (uint64_t at = findBytes(lost, "moof"); at != npos; at = findBytes(lost, "moof", at + 1)) moofs.push_back(at - 4);
    ASSERT_FALSE(moofs.empty());
    uint32_t state = 2024;
    const auto next = [&] { return (state = state * 1103515245u + 12345u) >> 8; };
    for (int round = 0; round < 40; ++round) {
        SCOPED_TRACE(round);
        ByteBuffer bytes = lost;
        for (int k = 0; k < 6; ++k) {
            const uint64_t moof = moofs[next() % moofs.size()];
            const uint64_t span = std::min<uint64_t>(readBe32(bytes, moof), 400);
            bytes[moof + 8 + next() % (span - 8)] = static_cast<uint8_t>(next());
        }
        const fs::path input = dir.write("damaged.mp4", bytes);
        auto request = test_support::requestFor(input, Advanced);
        request.sample = makeSourceInfo(sample.string());
        request.overwrite = true;
        const RepairResult r = VideoRepairer().repair(request, nullptr);
        if (!r.status.ok) {
            EXPECT_EQ(r.status.code, kVideoMp4SampleMismatch) << r.status.message;
        }
        EXPECT_EQ(r.status.ok, r.outputWritten);
    }
}
