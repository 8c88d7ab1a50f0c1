// Ogg: page listing, the page checksum, and repairs judged by ogginfo and ffmpeg decoding.

#include <gtest/gtest.h>

#include "audio_test_support.h"
#include "media/audio_formats.h"

using namespace data_repair;
using namespace audio_test;

namespace {

struct Encoded {
    const char* name;
    const char* args;
};
const Encoded kCodecs[] = {{"vorbis.ogg", "-c:a libvorbis -f ogg"}, {"opus.ogg", "-c:a libopus -f ogg"}};

// Page starts as the bytes say, walked by the header fields (independent of our listing).
std::vector<uint64_t> pageStarts(const ByteBuffer& ogg)
{
    std::vector<uint64_t> starts;
    uint64_t p = 0;
    while (p + 27 <= ogg.size() && matchesAt(ogg, p, "OggS")) {
        starts.push_back(p);
        uint64_t length = 27 + ogg[p + 26];
        for (uint64_t i = 0; i < ogg[p + 26]; ++i)
            length += ogg[p + 27 + i];
        p += length;
    }
    EXPECT_EQ(p, ogg.size());
    return starts;
}

test_support::CommandResult ogginfo(const std::string& path)
{
    return test_support::run("ogginfo " + test_support::quote(path));
}

} // namespace

TEST(OggRepair, ChecksumMatchesEveryPageAnEncoderWrote)
{
    REQUIRE_TOOL("ffmpeg");
    test_support::TempDir dir;
    for (const Encoded& codec : kCodecs) {
        const ByteBuffer ogg = encodeTone(dir, codec.name, codec.args);
        ASSERT_FALSE(ogg.empty()) << codec.name;
        const std::vector<OggPage> pages = listOggPages(ogg);
        ASSERT_EQ(pages.size(), pageStarts(ogg).size()) << codec.name;
        for (const OggPage& page : pages) {
            EXPECT_TRUE(page.checksumValid) << codec.name << " page at " << page.offset;
            EXPECT_EQ(oggPageCrc(sliceBytes(ogg, page.offset, page.length)), readLe32(ogg, page.offset + 22));
        }
        // A clean file: no finding, the repaired copy is the input.
        const RepairResult clean = repairAudio(dir / codec.name);
        ASSERT_TRUE(clean.status.ok) << codec.name;
        EXPECT_TRUE(clean.findings.empty()) << codec.name;
        EXPECT_DOUBLE_EQ(clean.confidence, 1.0);
        EXPECT_EQ(test_support::readAll(clean.output.path), ogg) << codec.name;
    }
}

TEST(OggRepair, BadChecksumGarbageAndNoiseBetweenPages)
{
    REQUIRE_TOOL("ffmpeg");
    REQUIRE_TOOL("ogginfo");
    test_support::TempDir dir;
    for (const Encoded& codec : kCodecs) {
        const ByteBuffer ogg = encodeTone(dir, codec.name, codec.args);
        const std::vector<uint64_t> starts = pageStarts(ogg);
        ASSERT_GE(starts.size(), 4u) << codec.name;
        const double intactSeconds = decodedSeconds(dir / codec.name);

        ByteBuffer damaged = ogg;
        damaged[starts[2] + 22] ^= 0x5A; // stored checksum of the third page
        const uint64_t split = starts[3];
        damaged = concat({garbage(99), ByteBuffer(damaged.begin(), damaged.begin() + static_cast<long>(split)),
                          garbage(1234, 4), ByteBuffer(damaged.begin() + static_cast<long>(split), damaged.end())});
        const auto input = dir.write(std::string("damaged-") + codec.name, damaged);
        const RepairResult result = repairAudio(input);
        ASSERT_TRUE(result.status.ok) << result.status.message;
        const Finding* found = nullptr;
        ASSERT_TRUE(hasFinding(result, "Ogg page checksum is invalid", &found)) << codec.name;
        EXPECT_EQ(found->offset, 99 + starts[2] + 22);
        EXPECT_EQ(found->length, 4u);
        ASSERT_TRUE(hasFinding(result, "invalid bytes between Ogg pages can be dropped", &found));
        EXPECT_EQ(found->length, 1234u);
        EXPECT_TRUE(hasFinding(result, "garbage bytes before first Ogg page"));
        EXPECT_DOUBLE_EQ(result.confidence, 0.82);
        uint64_t amount = 0;
        ASSERT_TRUE(hasAction(result, "rewrite-ogg-pages", &amount));
        EXPECT_EQ(amount, 99u + 1234u);
        ASSERT_TRUE(hasAction(result, "rewrite-ogg-checksum", &amount));
        EXPECT_EQ(amount, 1u);
        EXPECT_EQ(test_support::readAll(result.output.path), ogg) << codec.name;
        const auto info = ogginfo(result.output.path);
        EXPECT_EQ(info.exitCode, 0) << info.output;
        EXPECT_NEAR(decodedSeconds(result.output.path), intactSeconds, 0.001);
    }
}

TEST(OggRepair, PagesAfterABrokenPageAreStillFound)
{
    REQUIRE_TOOL("ffmpeg");
    test_support::TempDir dir;
    const ByteBuffer ogg = encodeTone(dir, "opus.ogg", "-c:a libopus -f ogg");
    const std::vector<uint64_t> starts = pageStarts(ogg);
    ASSERT_GE(starts.size(), 6u);
    const double intactSeconds = decodedSeconds(dir / "opus.ogg");

    // A page in the middle whose header was hit: its version byte is no longer 0.
    ByteBuffer damaged = ogg;
    const uint64_t broken = starts[starts.size() / 2];
    damaged[broken + 4] = 1;
    const auto input = dir.write("broken.ogg", damaged);
    const RepairResult result = repairAudio(input);
    ASSERT_TRUE(result.status.ok) << result.status.message;
    const std::vector<OggPage> pages = listOggPages(damaged);
    EXPECT_EQ(pages.size(), starts.size() - 1);
    EXPECT_EQ(pages.back().offset, starts.back());
    const Finding* found = nullptr;
    ASSERT_TRUE(hasFinding(result, "invalid bytes between Ogg pages can be dropped", &found));
    EXPECT_EQ(found->offset, broken);
    EXPECT_FALSE(hasFinding(result, "truncated tail after the last complete Ogg page"));
    // Only the broken page's audio is missing from the decoded result.
    const uint64_t brokenLength = starts[starts.size() / 2 + 1] - broken;
    EXPECT_EQ(test_support::readAll(result.output.path).size(), ogg.size() - brokenLength);
    std::string errors;
    const double seconds = decodedSeconds(result.output.path, &errors, true);
    EXPECT_GT(seconds, intactSeconds * 0.6) << errors;
    EXPECT_LT(seconds, intactSeconds);
}

TEST(OggRepair, CutTailAndNoPages)
{
    test_support::TempDir dir;
    const RepairResult none = analyzeAudio(dir.write("none.ogg", garbage(100)));
    EXPECT_EQ(none.status.code, 74);
    EXPECT_EQ(none.status.message, "Ogg pages not found");

    REQUIRE_TOOL("ffmpeg");
    const ByteBuffer ogg = encodeTone(dir, "vorbis.ogg", "-c:a libvorbis -f ogg");
    const std::vector<uint64_t> starts = pageStarts(ogg);
    const ByteBuffer cut(ogg.begin(), ogg.end() - 300);
    const auto input = dir.write("cut.ogg", cut);
    const RepairResult result = repairAudio(input);
    ASSERT_TRUE(result.status.ok);
    const Finding* found = nullptr;
    ASSERT_TRUE(hasFinding(result, "truncated tail after the last complete Ogg page", &found));
    EXPECT_EQ(found->offset, starts.back());
    EXPECT_EQ(test_support::readAll(result.output.path), ByteBuffer(ogg.begin(), ogg.begin() + starts.back()));
    std::string errors;
    EXPECT_GT(decodedSeconds(result.output.path, &errors), 1.0) << errors;
}
