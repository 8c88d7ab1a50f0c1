// MP3 and AAC ADTS frame streams: header tests, the ID3 rules, resynchronisation and the tag
// blocks at the end, judged by ffmpeg decoding the repaired files.

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "audio_test_support.h"
#include "media/audio_formats.h"

using namespace data_repair;
using namespace audio_test;

namespace {

// MPEG-1 Layer III, 128 kbit/s, 44.1 kHz, no padding: 144000 * 128 / 44100 = 417 bytes.
ByteBuffer mp3Frame(uint8_t fill = 0x11)
{
    ByteBuffer frame(417, fill);
    frame[0] = 0xFF;
    frame[1] = 0xFB;
    frame[2] = 0x90;
    frame[3] = 0x64;
    return frame;
}

ByteBuffer mp3Frames(int count)
{
    ByteBuffer out;
    for (int i = 0; i < count; ++i)
        out = concat({out, mp3Frame()});
    return out;
}

// Byte positions of the encoded packets as ffprobe sees them (independent of our scanner).
std::vector<uint64_t> packetPositions(const fs::path& file)
{
    const auto result = test_support::run("ffprobe -v error -show_entries packet=pos -of csv=p=0 " +
                                          test_support::quote(file));
    std::vector<uint64_t> positions;
    std::istringstream lines(result.output);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && std::isdigit(static_cast<unsigned char>(line[0])))
            positions.push_back(std::strtoull(line.c_str(), nullptr, 10));
    }
    return positions;
}

} // namespace

TEST(Mp3Frames, HeaderTestsFollowTheBitrateAndLengthRules)
{
    struct Case {
        ByteBuffer header;
        uint64_t mpegLength;
        uint64_t adtsLength;
    };
    const std::vector<Case> cases = {
        {{0xFF, 0xFB, 0x90, 0x64}, 417, 0},                      // MPEG-1 L3 128k 44.1k
        {{0xFF, 0xFB, 0x92, 0x64}, 418, 0},                      // same, padded
        {{0xFF, 0xFD, 0x90, 0x64}, 522, 0},                      // MPEG-1 L2 160k: 144000*160/44100
        {{0xFF, 0xFF, 0x90, 0x64}, 312, 0},                      // MPEG-1 L1 288k: (12000*288/44100)*4
        {{0xFF, 0xF3, 0x90, 0x64}, 261, 0},                      // MPEG-2 L3 80k 22.05k: 72000*80/22050
        {{0xFF, 0xE3, 0x90, 0x64}, 522, 0},                      // MPEG-2.5 L3 80k 11.025k
        {{0xFF, 0xFB, 0x00, 0x64}, 0, 0},                        // free format
        {{0xFF, 0xFB, 0xF0, 0x64}, 0, 0},                        // bitrate index 15
        {{0xFF, 0xFB, 0x9C, 0x64}, 0, 0},                        // sample-rate index 3
        {{0xFF, 0xEB, 0x90, 0x64}, 0, 0},                        // reserved version
        {{0xFF, 0xF1, 0x50, 0x80, 0x00, 0xFF, 0xFC}, 0, 7},      // ADTS, no CRC, length 7
        {{0xFF, 0xF0, 0x50, 0x80, 0x01, 0x1F, 0xFC}, 0, 0},      // ADTS, CRC, length 8: too short
        {{0xFF, 0xF0, 0x50, 0x80, 0x01, 0x3F, 0xFC}, 0, 9},      // ADTS, CRC, length 9
        {{0xFF, 0xF1, 0x7C, 0x80, 0x10, 0x1F, 0xFC}, 0, 0},      // sampling index 15
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        ByteBuffer bytes = cases[i].header;
        bytes.resize(16, 0);
        EXPECT_EQ(isMpegAudioHeader(bytes, 0), cases[i].mpegLength) << "case " << i;
        EXPECT_EQ(isAdtsHeader(bytes, 0), cases[i].adtsLength) << "case " << i;
    }
    EXPECT_EQ(isMpegAudioHeader(ByteBuffer{0xFF, 0xFB, 0x90}, 0), 0u);
}

TEST(Mp3Frames, Id3v2TagRules)
{
    ByteBuffer tag = {'I', 'D', '3', 4, 0, 0x00, 0, 0, 1, 0}; // 128 bytes of tag body
    tag.resize(10 + 128, 0);
    EXPECT_EQ(readId3v2Size(concat({tag, mp3Frames(2)})).total, 138u);

    ByteBuffer footer = tag;
    footer[5] = 0x10;
    footer.resize(10 + 128 + 10, 0);
    const ByteBuffer withFooter = concat({footer, mp3Frames(3)});
    EXPECT_EQ(readId3v2Size(withFooter).total, 148u);
    const FrameScan scan = scanFrameStream(withFooter, 148, 148, isMpegAudioHeader);
    EXPECT_EQ(scan.frameCount, 3u);
    EXPECT_EQ(scan.garbagePrefix, 0u);
    EXPECT_EQ(scan.kept, withFooter);

    ByteBuffer badSize = tag;
    badSize[7] = 0x80;
    EXPECT_TRUE(readId3v2Size(badSize).invalid);
    ByteBuffer tooLong = tag;
    tooLong[7] = 0x7F;
    EXPECT_TRUE(readId3v2Size(tooLong).invalid);
}

TEST(Mp3Frames, InvalidId3TagIsSkippedAndCountedInTheTrim)
{
    test_support::TempDir dir;
    ByteBuffer tag = {'I', 'D', '3', 4, 0, 0, 0x7F, 0x7F, 0x7F, 0x7F}; // claims far more than exists
    tag.resize(40, 0x01);
    const auto input = dir.write("bad-id3.mp3", concat({tag, mp3Frames(4)}));
    const RepairResult result = repairAudio(input);
    ASSERT_TRUE(result.status.ok) << result.status.message;
    EXPECT_TRUE(hasFinding(result, "invalid ID3v2 tag will be skipped"));
    EXPECT_TRUE(hasFinding(result, "garbage bytes before first MP3 frame"));
    EXPECT_DOUBLE_EQ(result.confidence, 0.84);
    uint64_t trimmed = 0;
    ASSERT_TRUE(hasAction(result, "trim-mp3-prefix", &trimmed));
    EXPECT_EQ(trimmed, 40u + 10u);
    EXPECT_EQ(test_support::readAll(result.output.path), mp3Frames(4));
}

TEST(Mp3Frames, LoneHeaderPatternIsNotAStreamStart)
{
    // A header-like pattern in the junk whose "next frame" is junk again must not be taken for
    // the start of the stream; clean streams keep the same counts.
    ByteBuffer junk = garbage(600);
    junk[100] = 0xFF;
    junk[101] = 0xFB;
    junk[102] = 0x90;
    junk[103] = 0x64;
    const ByteBuffer stream = concat({junk, mp3Frames(5)});
    FrameScan scan = scanFrameStream(stream, 0, 0, isMpegAudioHeader);
    EXPECT_EQ(scan.garbagePrefix, 600u);
    EXPECT_EQ(scan.frameCount, 5u);
    EXPECT_EQ(scan.skippedBetween, 0u);

    // Between frames likewise: the fake header inside the noise is skipped over.
    const ByteBuffer middle = concat({mp3Frames(2), junk, mp3Frames(2)});
    scan = scanFrameStream(middle, 0, 0, isMpegAudioHeader);
    EXPECT_EQ(scan.frameCount, 4u);
    EXPECT_EQ(scan.skippedBetween, 600u);

    // Random bytes named .mp3 are not an MP3.
    test_support::TempDir dir;
    ByteBuffer random(256 * 1024);
    uint32_t state = 12345;
    for (auto& byte : random) {
        state = state * 1103515245u + 12345u;
        byte = static_cast<uint8_t>(state >> 16);
    }
    const RepairResult result = repairAudio(dir.write("noise.mp3", random));
    EXPECT_FALSE(result.status.ok);
    EXPECT_EQ(result.status.code, 70);
    EXPECT_FALSE(result.outputWritten);
}

TEST(Mp3Frames, ScannerCountsGapsAndTails)
{
    // A frame that runs past the end is the truncated tail; junk after the last frame without a
    // further header is the tail too, not a gap.
    ByteBuffer cut = mp3Frames(3);
    cut.resize(cut.size() - 100);
    FrameScan scan = scanFrameStream(cut, 0, 0, isMpegAudioHeader);
    EXPECT_EQ(scan.frameCount, 2u);
    EXPECT_EQ(scan.truncatedTail, 317u);

    scan = scanFrameStream(concat({mp3Frames(3), garbage(50)}), 0, 0, isMpegAudioHeader);
    EXPECT_EQ(scan.frameCount, 3u);
    EXPECT_EQ(scan.truncatedTail, 50u);
    EXPECT_EQ(scan.skippedBetween, 0u);
}

TEST(Mp3Frames, FinalTagBlocksAreNeitherDamageNorStripped)
{
    test_support::TempDir dir;
    ByteBuffer id3v1(128, ' ');
    id3v1[0] = 'T';
    id3v1[1] = 'A';
    id3v1[2] = 'G';
    // APE tag: items then a 32-byte footer whose size counts items + footer.
    ByteBuffer ape(20, 'x');
    ByteBuffer apeFooter = bytesOf("APETAGEX");
    appendLe32(apeFooter, 2000);
    appendLe32(apeFooter, 52);
    appendLe32(apeFooter, 1);
    appendLe32(apeFooter, 0);
    apeFooter.resize(32, 0);
    ByteBuffer lyrics = bytesOf("LYRICSBEGININD00002");
    appendString(lyrics, "10");
    ByteBuffer lyricsEnd = bytesOf("000021LYRICS200");
    ASSERT_EQ(lyrics.size(), 21u);

    struct Case {
        const char* name;
        ByteBuffer tail;
    };
    const std::vector<Case> cases = {
        {"id3v1", id3v1},
        {"ape+id3v1", concat({ape, apeFooter, id3v1})},
        {"lyrics3+id3v1", concat({lyrics, lyricsEnd, id3v1})},
        {"ape", concat({ape, apeFooter})},
    };
    for (const Case& c : cases) {
        const ByteBuffer file = concat({mp3Frames(6), c.tail});
        const auto input = dir.write(std::string(c.name) + ".mp3", file);
        const RepairResult result = repairAudio(input);
        ASSERT_TRUE(result.status.ok) << c.name << ": " << result.status.message;
        EXPECT_TRUE(result.findings.empty()) << c.name << ": " << result.findings.front().message;
        EXPECT_DOUBLE_EQ(result.confidence, 1.0) << c.name;
        EXPECT_TRUE(result.actions.empty()) << c.name;
        EXPECT_EQ(test_support::readAll(result.output.path), file) << c.name;
    }
}

TEST(Mp3Frames, RealStreamsWithGarbageNoiseAndCutDecodeLikeTheIntactPart)
{
    REQUIRE_TOOL("ffmpeg");
    struct Case {
        const char* name;
        const char* args;
        const char* label;
        const char* prefix; // action id stem: "mp3" or "aac"
        uint64_t tagBytes;  // the final ID3v1 tag, cut away with the tail
    };
    const Case cases[] = {
        {"tone.mp3", "-c:a libmp3lame -b:a 128k -write_id3v1 1 -f mp3", "MP3", "mp3", 128},
        {"tone.aac", "-c:a aac -b:a 96k -f adts", "AAC ADTS", "aac", 0},
    };
    test_support::TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ByteBuffer intact = encodeTone(dir, c.name, c.args);
        ASSERT_FALSE(intact.empty());
        const double intactSeconds = decodedSeconds(dir / c.name);
        ASSERT_GT(intactSeconds, 2.9);

        // A clean file, its tags included, is left exactly as it is.
        const RepairResult clean = repairAudio(dir / c.name);
        ASSERT_TRUE(clean.status.ok) << clean.status.message;
        EXPECT_TRUE(clean.findings.empty());
        EXPECT_DOUBLE_EQ(clean.confidence, 1.0);
        EXPECT_EQ(test_support::readAll(clean.output.path), intact);

        // Noise at a packet boundary in the middle, garbage in front, the tail cut.
        const std::vector<uint64_t> packets = packetPositions(dir / c.name);
        ASSERT_GT(packets.size(), 60u);
        const long split = static_cast<long>(packets[50]);
        const ByteBuffer damaged =
            concat({garbage(777), ByteBuffer(intact.begin(), intact.begin() + split), garbage(3000, 9),
                    ByteBuffer(intact.begin() + split, intact.end() - static_cast<long>(c.tagBytes) - 150)});
        const auto input = dir.write(std::string("damaged-") + c.name, damaged);
        const RepairResult result = repairAudio(input);
        ASSERT_TRUE(result.status.ok) << result.status.message;
        const std::string label = c.label;
        EXPECT_TRUE(hasFinding(result, "invalid bytes between " + label + " frames can be dropped"));
        EXPECT_TRUE(hasFinding(result, "truncated tail after the last complete " + label + " frame"));
        EXPECT_DOUBLE_EQ(result.confidence, 0.84);
        const std::string stem = c.prefix;
        uint64_t amount = 0;
        EXPECT_TRUE(hasAction(result, "trim-" + stem + "-prefix", &amount));
        EXPECT_EQ(amount, 777u);
        EXPECT_TRUE(hasAction(result, "resync-" + stem + "-frames", &amount));
        EXPECT_EQ(amount, 3000u);
        EXPECT_TRUE(hasAction(result, "drop-truncated-" + stem + "-tail"));
        EXPECT_EQ(result.output.kind, "repaired-audio");
        EXPECT_EQ(result.output.note, stem);
        // An ID3v2 tag behind the garbage is still the file's own and stays in front.
        const ByteBuffer repaired = test_support::readAll(result.output.path);
        EXPECT_EQ(matchesAt(repaired, 0, "ID3"), matchesAt(intact, 0, "ID3"));

        const auto probe = test_support::run("ffprobe -v error " + test_support::quote(result.output.path));
        EXPECT_EQ(probe.exitCode, 0);
        EXPECT_EQ(probe.output, "");
        std::string errors;
        EXPECT_NEAR(decodedSeconds(result.output.path, &errors), intactSeconds, 0.1) << errors;
    }
}

TEST(Mp3Frames, CutStreamComesBackAsTheInputUpToItsLastCompleteFrame)
{
    REQUIRE_TOOL("ffmpeg");
    test_support::TempDir dir;
    const ByteBuffer intact = encodeTone(dir, "tone.mp3", "-c:a libmp3lame -b:a 128k -f mp3");
    ASSERT_FALSE(intact.empty());
    ASSERT_TRUE(matchesAt(intact, 0, "ID3"));
    const std::vector<uint64_t> packets = packetPositions(dir / "tone.mp3");
    ASSERT_GT(packets.size(), 100u);
    // Cut in the middle of packet 100: the frames before it are the repaired stream.
    const uint64_t partial = packets[100];
    const ByteBuffer kept(intact.begin(), intact.begin() + static_cast<long>(partial));
    const ByteBuffer cut(intact.begin(), intact.begin() + static_cast<long>(partial + 200));

    struct Case {
        const char* name;
        ByteBuffer prefix; // written before the file, pushing its ID3v2 tag away from 0
    };
    for (const Case& c : {Case{"cut", {}}, Case{"garbage and cut", garbage(500)}}) {
        const RepairResult result = repairAudio(dir.write(std::string(c.name) + ".mp3", concat({c.prefix, cut})));
        ASSERT_TRUE(result.status.ok) << c.name << ": " << result.status.message;
        uint64_t amount = 0;
        ASSERT_TRUE(hasAction(result, "drop-truncated-mp3-tail", &amount)) << c.name;
        EXPECT_EQ(amount, 200u) << c.name;
        EXPECT_EQ(test_support::readAll(result.output.path), kept) << c.name;
        const auto probe = test_support::run("ffprobe -v error " + test_support::quote(result.output.path));
        EXPECT_EQ(probe.output, "") << c.name;
    }
}
