// FLAC: marker search, metadata block walk and closing, judged by `flac -t` and ffmpeg.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <sstream>

#include "audio_test_support.h"
#include "media/audio_formats.h"

using namespace data_repair;
using namespace audio_test;

namespace {

ByteBuffer block(uint8_t type, bool last, const ByteBuffer& body)
{
    ByteBuffer out{static_cast<uint8_t>(type | (last ? 0x80 : 0))};
    appendBe24(out, static_cast<uint32_t>(body.size()));
    appendBytes(out, body);
    return out;
}

// A STREAMINFO body a decoder accepts: 4096-sample blocks, 44.1 kHz, stereo, 16 bits.
ByteBuffer soundStreamInfo()
{
    ByteBuffer body;
    appendBe16(body, 4096);
    appendBe16(body, 4096);
    appendBe24(body, 0);
    appendBe24(body, 0);
    appendBe64(body, (uint64_t{44100} << 44) | (uint64_t{1} << 41) | (uint64_t{15} << 36));
    body.resize(34, 0);
    return body;
}

// Position just after the last metadata block of a sound FLAC file.
uint64_t metadataEnd(const ByteBuffer& flac)
{
    uint64_t p = 4;
    while (p + 4 <= flac.size()) {
        const bool last = (flac[p] & 0x80) != 0;
        p += 4 + readBe24(flac, p + 1);
        if (last)
            break;
    }
    return p;
}

} // namespace

TEST(FlacRepair, MarkerAndStreamInfoFailures)
{
    test_support::TempDir dir;
    const RepairResult noMarker = analyzeAudio(dir.write("a.flac", garbage(400)));
    EXPECT_EQ(noMarker.status.code, 78);
    ASSERT_EQ(noMarker.findings.size(), 1u);
    EXPECT_EQ(noMarker.findings[0].category, HeaderMissing);
    EXPECT_DOUBLE_EQ(noMarker.findings[0].confidence, 0.98);

    const RepairResult shortInfo =
        analyzeAudio(dir.write("b.flac", concat({bytesOf("fLaC"), block(0, true, ByteBuffer(33, 1)), garbage(50)})));
    EXPECT_EQ(shortInfo.status.code, 79);
    const Finding* found = nullptr;
    ASSERT_TRUE(hasFinding(shortInfo, "FLAC STREAMINFO metadata block is missing", &found));
    EXPECT_EQ(found->offset, 4u);
    EXPECT_EQ(found->length, 33u);

    const RepairResult nothing = analyzeAudio(dir.write("c.flac", concat({bytesOf("fLaC"), ByteBuffer(3, 0)})));
    EXPECT_EQ(nothing.status.code, 79);
    EXPECT_FALSE(hasFinding(nothing, "FLAC STREAMINFO metadata block is missing"));
}

TEST(FlacRepair, InvalidBlockAfterStreamInfoIsFencedOff)
{
    test_support::TempDir dir;
    const ByteBuffer frames = concat({ByteBuffer{0x7F, 0x00, 0x00, 0x10}, garbage(40)}); // type 127
    const ByteBuffer file = concat({bytesOf("fLaC"), block(0, false, soundStreamInfo()), frames});
    const auto input = dir.write("d.flac", file);
    const RepairResult result = repairAudio(input);
    ASSERT_TRUE(result.status.ok) << result.status.message;
    const Finding* found = nullptr;
    ASSERT_TRUE(hasFinding(result, "FLAC metadata block is invalid or truncated", &found));
    EXPECT_EQ(found->offset, 42u);
    EXPECT_TRUE(hasFinding(result, "FLAC metadata did not mark the final metadata block"));
    EXPECT_DOUBLE_EQ(result.confidence, 0.84);
    uint64_t amount = 0;
    ASSERT_TRUE(hasAction(result, "close-flac-metadata", &amount));
    EXPECT_EQ(amount, 38u);
    const ByteBuffer out = test_support::readAll(result.output.path);
    ASSERT_EQ(out.size(), file.size());
    EXPECT_EQ(out[4], 0x80);                               // STREAMINFO now closes the metadata
    EXPECT_EQ(ByteBuffer(out.begin() + 42, out.end()), frames); // the bad block's bytes stay after it
}

TEST(FlacRepair, RealFlacWithGarbageOpenMetadataOrCut)
{
    REQUIRE_TOOL("ffmpeg");
    REQUIRE_TOOL("flac");
    test_support::TempDir dir;
    const ByteBuffer intact = encodeTone(dir, "tone.flac", "-c:a flac -f flac");
    ASSERT_FALSE(intact.empty());
    ASSERT_EQ(test_support::run("flac -s -t " + test_support::quote(dir / "tone.flac")).exitCode, 0);

    const RepairResult clean = repairAudio(dir / "tone.flac");
    ASSERT_TRUE(clean.status.ok);
    EXPECT_TRUE(clean.findings.empty());
    EXPECT_EQ(test_support::readAll(clean.output.path), intact);

    // Garbage in front, and the last-block flag lost: the player would read frames as metadata.
    ByteBuffer open = intact;
    const uint64_t end = metadataEnd(intact);
    for (uint64_t p = 4; p < end; p += 4 + readBe24(open, p + 1))
        open[p] &= 0x7F;
    const auto input = dir.write("open.flac", concat({garbage(321), open}));
    const RepairResult result = repairAudio(input);
    ASSERT_TRUE(result.status.ok) << result.status.message;
    uint64_t amount = 0;
    ASSERT_TRUE(hasAction(result, "trim-flac-prefix", &amount));
    EXPECT_EQ(amount, 321u);
    EXPECT_TRUE(hasAction(result, "close-flac-metadata"));
    EXPECT_EQ(test_support::readAll(result.output.path), intact);
    const auto check = test_support::run("flac -s -t " + test_support::quote(result.output.path));
    EXPECT_EQ(check.exitCode, 0) << check.output;

    // Cut in the middle of the audio, behind garbage: the frames that exist decode, and the
    // partial last frame is gone, so the decoder has nothing to complain about.
    const ByteBuffer cut(intact.begin(), intact.begin() + static_cast<long>(intact.size() / 2));
    const double intactPart = decodedSeconds(dir.write("intact-part.flac", cut), nullptr, true);
    ASSERT_GT(intactPart, 0.5);
    const RepairResult cutResult = repairAudio(dir.write("cut.flac", concat({garbage(10), cut})));
    ASSERT_TRUE(cutResult.status.ok) << cutResult.status.message;
    const auto probe = test_support::run("ffprobe -v error " + test_support::quote(cutResult.output.path));
    EXPECT_EQ(probe.output, "");
    std::string errors;
    const double seconds = decodedSeconds(cutResult.output.path, &errors);
    EXPECT_DOUBLE_EQ(seconds, intactPart) << errors;
}

namespace {

struct AnalysedFrame {
    uint64_t offset = 0;
    uint64_t bytes = 0;
    uint64_t samples = 0;
};

// The frames of a FLAC file as the reference decoder's analysis lists them.
std::vector<AnalysedFrame> referenceFrames(const test_support::TempDir& dir, const fs::path& flac)
{
    const fs::path ana = dir / "frames.ana";
    if (test_support::run("flac -s -f -a -o " + test_support::quote(ana) + " " + test_support::quote(flac)).exitCode !=
        0)
        return {};
    std::vector<AnalysedFrame> frames;
    const ByteBuffer text = test_support::readAll(ana);
    std::istringstream lines(std::string(text.begin(), text.end()));
    for (std::string line; std::getline(lines, line);) {
        unsigned long long offset = 0, bits = 0, samples = 0;
        if (std::sscanf(line.c_str(), "frame=%*u offset=%llu bits=%llu blocksize=%llu", &offset, &bits, &samples) == 3)
            frames.push_back({offset, bits / 8, samples});
    }
    return frames;
}

// Three seconds of stereo tone encoded by the reference encoder into dir/tone.flac; empty when a
// tool failed.
ByteBuffer encodeFlacTone(const test_support::TempDir& dir)
{
    if (encodeTone(dir, "tone.wav", "-ac 2 -c:a pcm_s16le -fflags +bitexact -f wav").empty())
        return {};
    const auto encoded = test_support::run("flac -s -o " + test_support::quote(dir / "tone.flac") + " " +
                                           test_support::quote(dir / "tone.wav"));
    return encoded.exitCode == 0 ? test_support::readAll(dir / "tone.flac") : ByteBuffer{};
}

uint64_t metaflacSamples(const fs::path& flac)
{
    const auto result = test_support::run("metaflac --show-total-samples " + test_support::quote(flac));
    return result.exitCode == 0 ? std::stoull(result.output) : 0;
}

} // namespace

TEST(FlacRepair, CutCopyEndsAtTheLastCompleteFrame)
{
    REQUIRE_TOOL("ffmpeg");
    REQUIRE_TOOL("flac");
    REQUIRE_TOOL("metaflac");
    test_support::TempDir dir;
    const ByteBuffer intact = encodeFlacTone(dir);
    ASSERT_FALSE(intact.empty());
    const std::vector<AnalysedFrame> frames = referenceFrames(dir, dir / "tone.flac");
    ASSERT_GT(frames.size(), 20u);
    const uint64_t announced = metaflacSamples(dir / "tone.flac");
    ASSERT_EQ(announced, 3u * 44100);

    struct Case {
        const char* name;
        uint64_t cutAt;
        const char* finding;
    };
    const uint64_t tenth = intact.size() * 9 / 10;
    const AnalysedFrame* partial = nullptr;
    for (const AnalysedFrame& frame : frames) {
        if (frame.offset + frame.bytes > tenth) {
            partial = &frame;
            break;
        }
    }
    ASSERT_NE(partial, nullptr);
    ASSERT_GT(tenth, partial->offset);
    for (const Case& c : {Case{"inside a frame", tenth, "truncated tail after the last complete FLAC frame"},
                          Case{"between frames", frames[20].offset,
                               "FLAC audio ends before the samples its stream info announces"}}) {
        // Every frame that ends before the cut is kept, and nothing else.
        uint64_t keptSamples = 0;
        uint64_t keptEnd = 0;
        for (const AnalysedFrame& frame : frames) {
            if (frame.offset + frame.bytes <= c.cutAt) {
                keptSamples += frame.samples;
                keptEnd = frame.offset + frame.bytes;
            }
        }
        const ByteBuffer cut(intact.begin(), intact.begin() + static_cast<long>(c.cutAt));
        const auto input = dir.write("cut.flac", cut);
        const RepairResult analysed = analyzeAudio(input);
        ASSERT_TRUE(analysed.status.ok) << c.name;
        const Finding* found = nullptr;
        ASSERT_TRUE(hasFinding(analysed, c.finding, &found)) << c.name;
        EXPECT_EQ(found->category, Truncated) << c.name;
        EXPECT_EQ(found->offset, keptEnd) << c.name;
        EXPECT_EQ(found->length, c.cutAt - keptEnd) << c.name;
        EXPECT_LT(analysed.confidence, 1.0) << c.name;

        const RepairResult result = repairAudio(input);
        ASSERT_TRUE(result.status.ok) << c.name << ": " << result.status.message;
        const auto check = test_support::run("flac -s -t " + test_support::quote(result.output.path));
        EXPECT_EQ(check.exitCode, 0) << c.name << ": " << check.output;
        EXPECT_EQ(metaflacSamples(result.output.path), keptSamples) << c.name;
        // The kept frames are the input's own bytes; only the stream info changed.
        const ByteBuffer out = test_support::readAll(result.output.path);
        ASSERT_EQ(out.size(), keptEnd) << c.name;
        EXPECT_TRUE(std::equal(out.begin() + static_cast<long>(frames[0].offset), out.end(),
                               cut.begin() + static_cast<long>(frames[0].offset)))
            << c.name;
        std::string errors;
        EXPECT_NEAR(decodedSeconds(result.output.path, &errors), static_cast<double>(keptSamples) / 44100, 0.001)
            << c.name << ": " << errors;
        ASSERT_FALSE(result.notes.empty()) << c.name;
        EXPECT_NE(result.notes[0].find(std::to_string(announced)), std::string::npos) << result.notes[0];
    }
}

TEST(FlacRepair, TagsAfterTheAudioAreNoCut)
{
    REQUIRE_TOOL("ffmpeg");
    REQUIRE_TOOL("flac");
    test_support::TempDir dir;
    const ByteBuffer intact = encodeFlacTone(dir);
    ASSERT_FALSE(intact.empty());
    // Tags some taggers append after the last frame.
    ByteBuffer tagged = intact;
    ByteBuffer id3v1 = bytesOf("TAGa field recording");
    id3v1.resize(128, 0);
    appendBytes(tagged, id3v1);
    const RepairResult result = repairAudio(dir.write("tagged.flac", tagged));
    ASSERT_TRUE(result.status.ok);
    EXPECT_TRUE(result.findings.empty());
    EXPECT_TRUE(result.actions.empty());
    EXPECT_EQ(test_support::readAll(result.output.path), tagged);
}

// Recordings from both encoders, damaged in the middle or cut: every output passes `flac -t` and
// decodes without a complaint; damaged frames become silence of their own length, so the
// recording keeps its duration, and every frame around them is kept byte for byte.
TEST(FlacRepair, DamagedFramesBecomeSilenceAndOutputsPassTheDecoders)
{
    REQUIRE_TOOL("ffmpeg");
    REQUIRE_TOOL("flac");
    REQUIRE_TOOL("metaflac");
    test_support::TempDir dir;
    struct Recording {
        const char* name;
        ByteBuffer bytes;
        double rate;
    };
    std::vector<Recording> recordings;
    recordings.push_back({"flac 16-bit", encodeFlacTone(dir), 44100});
    const ByteBuffer wide = encodeTone(dir, "tone24.flac",
                                       "-ar 48000 -ac 2 -c:a flac -sample_fmt s32 -bits_per_raw_sample 24 -f flac");
    recordings.push_back({"ffmpeg 24-bit", wide, 48000});

    std::mt19937 rng(30);
    ByteBuffer inserted(4096);
    for (auto& byte : inserted)
        byte = static_cast<uint8_t>(rng());

    for (const Recording& recording : recordings) {
        ASSERT_FALSE(recording.bytes.empty()) << recording.name;
        const auto original = dir.write("original.flac", recording.bytes);
        const std::vector<AnalysedFrame> frames = referenceFrames(dir, original);
        ASSERT_GT(frames.size(), 20u) << recording.name;
        const uint64_t total = metaflacSamples(original);
        const size_t k = frames.size() / 2;
        const AnalysedFrame& hit = frames[k];

        struct Case {
            const char* name;
            ByteBuffer bytes;
            uint64_t silentFrames;  // frames replaced by silence
            uint64_t headUpTo;      // the output holds the input's frames up to here
            uint64_t keptSamples;   // samples per channel of the output
            uint64_t tailFrom;      // the input from here on is the output's end, byte for byte
            uint64_t inputShift;    // bytes the input has beyond the original before tailFrom
        };
        std::vector<Case> cases;
        ByteBuffer flipped = recording.bytes;
        for (uint64_t i = 0; i < 16; ++i)
            flipped[hit.offset + hit.bytes / 2 + i] ^= 0xA5;
        cases.push_back({"16 flipped bytes", flipped, 1, hit.offset, total, frames[k + 1].offset, 0});
        ByteBuffer insideFrame = recording.bytes;
        insideFrame.insert(insideFrame.begin() + static_cast<long>(hit.offset + hit.bytes / 3), inserted.begin(),
                           inserted.end());
        cases.push_back({"4 KiB inside a frame", insideFrame, 1, hit.offset, total, frames[k + 1].offset, inserted.size()});
        ByteBuffer betweenFrames = recording.bytes;
        betweenFrames.insert(betweenFrames.begin() + static_cast<long>(hit.offset), inserted.begin(),
                             inserted.end());
        // The frame before the inserted bytes no longer ends at a frame header: it goes with them.
        cases.push_back({"4 KiB between frames", betweenFrames, 1, frames[k - 1].offset, total,
                         frames[k].offset + inserted.size(), 0});
        ByteBuffer lostHeader = recording.bytes;
        lostHeader[hit.offset + 1] ^= 0x40; // the sync code: the frame's start cannot be found
        // The frame before runs on into it: both become silence.
        cases.push_back({"frame header lost", lostHeader, 2, frames[k - 1].offset, total, frames[k + 1].offset, 0});
        // Bytes before the first frame stand for no samples at all: they go.
        ByteBuffer beforeFirst = recording.bytes;
        beforeFirst.insert(beforeFirst.begin() + static_cast<long>(frames[0].offset), inserted.begin(),
                           inserted.end());
        cases.push_back({"4 KiB before the first frame", beforeFirst, 0, frames[0].offset, total, frames[0].offset,
                         inserted.size()});
        const uint64_t cutAt = frames[frames.size() * 7 / 10].offset + 100;
        uint64_t keptSamples = 0;
        for (const AnalysedFrame& frame : frames)
            keptSamples += frame.offset + frame.bytes <= cutAt ? frame.samples : 0;
        cases.push_back({"cut inside a frame", sliceBytes(recording.bytes, 0, cutAt), 0, 0, keptSamples, npos, 0});

        for (const Case& c : cases) {
            const std::string what = std::string(recording.name) + ", " + c.name;
            const auto input = dir.write("damaged.flac", c.bytes);
            const RepairResult result = repairAudio(input);
            ASSERT_TRUE(result.status.ok) << what << ": " << result.status.message;
            uint64_t silent = 0;
            EXPECT_EQ(hasAction(result, "silence-damaged-flac-frames", &silent), c.silentFrames > 0) << what;
            EXPECT_EQ(silent, c.silentFrames) << what;
            EXPECT_EQ(hasFinding(result, "damaged FLAC frames can be replaced by silence of the same length"),
                      c.silentFrames > 0)
                << what;
            const bool dropped = c.silentFrames == 0 && c.tailFrom != npos;
            uint64_t droppedBytes = 0;
            EXPECT_EQ(hasAction(result, "drop-damaged-flac-bytes", &droppedBytes), dropped) << what;
            EXPECT_EQ(hasFinding(result, "damaged FLAC bytes of unknown frame length can be removed"), dropped) << what;
            EXPECT_EQ(droppedBytes, dropped ? inserted.size() : 0) << what;
            const auto check = test_support::run("flac -s -t " + test_support::quote(result.output.path));
            EXPECT_EQ(check.exitCode, 0) << what << ": " << check.output;
            EXPECT_EQ(test_support::playerComplaints(result.output.path), "") << what;
            EXPECT_EQ(metaflacSamples(result.output.path), c.keptSamples) << what;
            std::string errors;
            EXPECT_NEAR(decodedSeconds(result.output.path, &errors), static_cast<double>(c.keptSamples) / recording.rate,
                        0.001)
                << what << ": " << errors;
            const ByteBuffer out = test_support::readAll(result.output.path);
            if (c.tailFrom != npos) {
                // The frames before the damage are where they were, and those after it follow
                // the silence unchanged.
                EXPECT_TRUE(std::equal(out.begin() + static_cast<long>(frames[0].offset),
                                       out.begin() + static_cast<long>(c.headUpTo),
                                       c.bytes.begin() + static_cast<long>(frames[0].offset)))
                    << what;
                const uint64_t tail = c.bytes.size() - (c.tailFrom + c.inputShift);
                ASSERT_GT(out.size(), tail) << what;
                EXPECT_TRUE(std::equal(out.end() - static_cast<long>(tail), out.end(),
                                       c.bytes.end() - static_cast<long>(tail)))
                    << what;
            }
        }
    }
}

namespace {

// STREAMINFO's packed word after the frame sizes: rate (20 bits), channels - 1 (3), bits - 1
// (5), total samples (36). Fields left at -1 keep their value.
void packStreamInfo(ByteBuffer& flac, int64_t rate, int64_t channels, int64_t bits)
{
    const uint64_t at = 8 + 10;
    uint64_t packed = readBe64(flac, at);
    if (rate >= 0)
        packed = (packed & ~(uint64_t{0xFFFFF} << 44)) | (static_cast<uint64_t>(rate) << 44);
    if (channels >= 0)
        packed = (packed & ~(uint64_t{7} << 41)) | (static_cast<uint64_t>(channels - 1) << 41);
    if (bits >= 0)
        packed = (packed & ~(uint64_t{31} << 36)) | (static_cast<uint64_t>(bits - 1) << 36);
    putBe64(flac, at, packed);
}

std::string metaflacField(const fs::path& flac, const std::string& option)
{
    const auto result = test_support::run("metaflac " + option + " " + test_support::quote(flac));
    std::string value = result.exitCode == 0 ? result.output : std::string();
    while (!value.empty() && (value.back() == '\n' || value.back() == '\r'))
        value.pop_back();
    return value;
}

} // namespace

// A damaged stream info is rebuilt from the frames: the reference decoder checks every frame
// against it, so the output must state the rate, channels, bits and length the audio has.
TEST(FlacRepair, DamagedStreamInfoIsRebuiltFromTheFrames)
{
    REQUIRE_TOOL("ffmpeg");
    REQUIRE_TOOL("flac");
    REQUIRE_TOOL("metaflac");
    test_support::TempDir dir;
    const ByteBuffer intact = encodeFlacTone(dir);
    ASSERT_FALSE(intact.empty());
    const std::vector<AnalysedFrame> frames = referenceFrames(dir, dir / "tone.flac");
    ASSERT_GT(frames.size(), 20u);
    const uint64_t total = metaflacSamples(dir / "tone.flac");
    ASSERT_EQ(total, 3u * 44100);

    struct Case {
        const char* name;
        ByteBuffer bytes;
        uint64_t samples; // per channel in the output
    };
    std::vector<Case> cases;
    const auto damaged = [&](auto&& change) {
        ByteBuffer bytes = intact;
        change(bytes);
        return bytes;
    };
    cases.push_back({"impossible rate", damaged([](ByteBuffer& b) { packStreamInfo(b, 143105, -1, -1); }), total});
    cases.push_back({"three channels", damaged([](ByteBuffer& b) { packStreamInfo(b, -1, 3, -1); }), total});
    cases.push_back({"27 bits", damaged([](ByteBuffer& b) { packStreamInfo(b, -1, -1, 27); }), total});
    cases.push_back({"minimum block above maximum", damaged([](ByteBuffer& b) {
                         putBe16(b, 8, 8192);
                         putBe16(b, 10, 1024);
                     }),
                     total});
    cases.push_back({"every field at once", damaged([](ByteBuffer& b) {
                         packStreamInfo(b, 143105, 3, 27);
                         putBe16(b, 8, 8192);
                         putBe16(b, 10, 1024);
                     }),
                     total});
    cases.push_back({"zeroed body", damaged([](ByteBuffer& b) { std::fill(b.begin() + 8, b.begin() + 8 + 34, 0); }),
                     total});
    // Damaged and cut inside a frame: the count comes from the frames kept.
    const uint64_t cutAt = frames[frames.size() / 2].offset + 50;
    uint64_t keptSamples = 0;
    for (const AnalysedFrame& frame : frames)
        keptSamples += frame.offset + frame.bytes <= cutAt ? frame.samples : 0;
    cases.push_back({"damaged and cut", damaged([&](ByteBuffer& b) {
                         packStreamInfo(b, 143105, 3, 27);
                         b.resize(cutAt);
                     }),
                     keptSamples});

    for (const Case& c : cases) {
        const auto input = dir.write("damaged.flac", c.bytes);
        const RepairResult analysed = analyzeAudio(input);
        ASSERT_TRUE(analysed.status.ok) << c.name << ": " << analysed.status.message;
        const Finding* found = nullptr;
        ASSERT_TRUE(hasFinding(analysed, "FLAC STREAMINFO contradicts its audio frames and can be rebuilt from them",
                               &found))
            << c.name;
        EXPECT_EQ(found->category, HeaderDamaged) << c.name;
        EXPECT_FALSE(hasFinding(analysed, "FLAC audio ends before the samples its stream info announces")) << c.name;

        const RepairResult result = repairAudio(input);
        ASSERT_TRUE(result.status.ok) << c.name << ": " << result.status.message;
        EXPECT_TRUE(hasAction(result, "rebuild-flac-streaminfo")) << c.name;
        const auto check = test_support::run("flac -s -t " + test_support::quote(result.output.path));
        EXPECT_EQ(check.exitCode, 0) << c.name << ": " << check.output;
        EXPECT_EQ(test_support::playerComplaints(result.output.path), "") << c.name;
        const fs::path out = result.output.path;
        EXPECT_EQ(metaflacField(out, "--show-sample-rate"), "44100") << c.name;
        EXPECT_EQ(metaflacField(out, "--show-channels"), "2") << c.name;
        EXPECT_EQ(metaflacField(out, "--show-bps"), "16") << c.name;
        EXPECT_EQ(metaflacField(out, "--show-min-blocksize"), "4096") << c.name;
        EXPECT_EQ(metaflacField(out, "--show-max-blocksize"), "4096") << c.name;
        EXPECT_EQ(metaflacSamples(out), c.samples) << c.name;
        EXPECT_EQ(metaflacField(out, "--show-md5sum"), std::string(32, '0')) << c.name;
        std::string errors;
        EXPECT_NEAR(decodedSeconds(out, &errors), static_cast<double>(c.samples) / 44100,
                    0.02 * static_cast<double>(c.samples) / 44100)
            << c.name << ": " << errors;
        // The note tells the MD5 signature went, where the damaged body still had one.
        const bool md5 = std::any_of(c.bytes.begin() + 8 + 18, c.bytes.begin() + 8 + 34, [](uint8_t b) { return b != 0; });
        std::vector<std::string> notes = {"FLAC STREAMINFO was damaged and was rebuilt from the audio frames"};
        if (md5)
            notes.push_back("FLAC stream info MD5 signature was damaged with the stream info and was cleared");
        EXPECT_EQ(result.notes, notes) << c.name;
    }

    // Nothing after the damaged stream info to rebuild it from: the repair fails as for a lost one.
    ByteBuffer bare = sliceBytes(intact, 0, frames[0].offset);
    packStreamInfo(bare, 0, -1, -1);
    const RepairResult bareResult = repairAudio(dir.write("bare.flac", bare));
    EXPECT_FALSE(bareResult.status.ok);
    EXPECT_EQ(bareResult.status.code, kAudioFlacStreamInfoMissing);
    EXPECT_FALSE(bareResult.outputWritten);
    EXPECT_TRUE(hasFinding(bareResult, "FLAC STREAMINFO is damaged and the audio frames do not tell its values"));
}
