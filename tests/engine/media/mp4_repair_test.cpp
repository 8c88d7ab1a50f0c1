#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "media/mp4_video.h"
#include "media/video_containers.h"
#include "media/video_repairer.h"
#include "mp4_fixtures.h"
#include "test_support.h"

using namespace data_repair;
using namespace mp4_fixtures;
using test_support::TempDir;
namespace fs = std::filesystem;

namespace {

const char* kX264 = "-c:v libx264 -preset ultrafast -pix_fmt yuv420p -g 25";

RepairResult repairFile(const fs::path& input, int32_t mode = Repair, const fs::path& sample = {}) {
    auto request = test_support::requestFor(input, mode);
    if (!sample.empty()) request.sample = makeSourceInfo(sample.string());
    return VideoRepairer().repair(request, nullptr);
}

std::vector<std::string> actionIds(const RepairResult& r) {
    std::vector<std::string> ids;
    for (const auto& a : r.actions) ids.push_back(a.id);
    return ids;
}

uint64_t actionAmount(const RepairResult& r, const std::string& id) {
    for (const auto& a : r.actions)
        if (a.id == id) return a.amount;
    return npos;
}

// Every top-level box of the output is whole and together they cover the file exactly.
void expectTidyTopLevel(const ByteBuffer& out, const std::vector<std::string>& order) {
    const auto boxes = listIsoBoxes(out, 0, out.size());
    std::vector<std::string> types;
    uint64_t end = 0;
    for (const auto& b : boxes) {
        types.push_back(b.type);
        EXPECT_FALSE(b.clamped) << b.type;
        end = b.end();
    }
    EXPECT_EQ(types, order);
    EXPECT_EQ(end, out.size());
}

class Mp4RepairClipTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!test_support::toolAvailable("ffmpeg") || !test_support::toolAvailable("ffprobe")) {
            if (std::getenv("CI") != nullptr) FAIL() << "required tool missing: ffmpeg";
            GTEST_SKIP() << "tool not installed: ffmpeg";
        }
    }
    TempDir dir;
};

} // namespace

TEST_F(Mp4RepairClipTest, MoovAfterMdatIsMovedToTheFront) {
    const fs::path clip = dir / "clip.mp4";
    ASSERT_TRUE(makeClip(clip, kX264));
    const ByteBuffer original = test_support::readAll(clip);
    const RepairResult r = repairFile(clip);
    ASSERT_TRUE(r.status.ok) << r.status.message;
    ASSERT_TRUE(r.outputWritten);
    EXPECT_EQ(actionIds(r), (std::vector<std::string>{"patch-chunk-offsets", "fast-start-reorder"}));
    const ByteBuffer out = test_support::readAll(r.output.path);
    EXPECT_EQ(actionAmount(r, "fast-start-reorder"), out.size());
    EXPECT_EQ(r.output.kind, "repaired-video");
    EXPECT_EQ(r.output.note, "mp4");
    expectTidyTopLevel(out, {"ftyp", "moov", "mdat"});
    EXPECT_EQ(playerComplaints(r.output.path), "");
    EXPECT_EQ(decodedFrames(r.output.path), 50);
    EXPECT_EQ(test_support::readAll(clip), original); // the input is never changed
}

TEST_F(Mp4RepairClipTest, GarbagePrefixInsertedBytesAndOverwrittenFtyp) {
    const fs::path clip = dir / "clip.mov";
    ASSERT_TRUE(makeClip(clip, kX264));
    const ByteBuffer good = test_support::readAll(clip);
    const uint64_t moovAt = findBytes(good, "moov") - 4;

    ByteBuffer prefixed(1000, 0x5A);
    appendBytes(prefixed, good);
    ByteBuffer inserted = sliceBytes(good, 0, moovAt);
    appendBytes(inserted, ByteBuffer{0xFF, 0xFE, 0x00, 0x13, 0x99, 0x00, 0x01});
    appendRange(inserted, good, moovAt, npos);
    ByteBuffer overwritten = good;
    std::fill_n(overwritten.begin(), readBe32(good, 0), 0); // the ftyp box is zeroed

    struct Case {
        const char* name;
        ByteBuffer bytes;
        std::vector<std::string> actions;
    };
    const Case cases[] = {
        {"prefix", prefixed, {"trim-mp4-prefix", "patch-chunk-offsets", "fast-start-reorder"}},
        {"inserted", inserted, {"patch-chunk-offsets", "fast-start-reorder"}},
        {"overwritten ftyp", overwritten, {"inject-ftyp", "patch-chunk-offsets", "fast-start-reorder"}},
    };
    for (const Case& c : cases) {
        TempDir local;
        const auto input = local.write("damaged.mov", c.bytes);
        const RepairResult r = repairFile(input);
        ASSERT_TRUE(r.status.ok) << c.name << ": " << r.status.message;
        EXPECT_EQ(actionIds(r), c.actions) << c.name;
        EXPECT_EQ(fs::path(r.output.path).extension(), ".mov") << c.name;
        EXPECT_EQ(playerComplaints(r.output.path), "") << c.name;
        EXPECT_EQ(decodedFrames(r.output.path), 50) << c.name;
    }
}

TEST_F(Mp4RepairClipTest, MoovSwallowedByOversizedMdatIsSplitOut) {
    const fs::path clip = dir / "clip.mp4";
    ASSERT_TRUE(makeClip(clip, kX264));
    ByteBuffer bytes = test_support::readAll(clip);
    const uint64_t mdatAt = findBytes(bytes, "mdat") - 4;
    putBe32(bytes, mdatAt, 0x7FFFFFF0); // far past the end of the file
    const auto input = dir.write("swallowed.mp4", bytes);
    const RepairResult r = repairFile(input);
    ASSERT_TRUE(r.status.ok) << r.status.message;
    EXPECT_EQ(actionIds(r), (std::vector<std::string>{"split-clamped-mdat", "patch-chunk-offsets", "fast-start-reorder"}));
    const ByteBuffer out = test_support::readAll(r.output.path);
    expectTidyTopLevel(out, {"ftyp", "moov", "mdat"});
    EXPECT_EQ(playerComplaints(r.output.path), "");
    EXPECT_EQ(decodedFrames(r.output.path), 50);
}

TEST_F(Mp4RepairClipTest, LostMoovIsBorrowedFromASampleClip) {
    const fs::path clip = dir / "clip.mp4";
    const fs::path sample = dir / "sample.mp4";
    ASSERT_TRUE(makeClip(clip, kX264));
    ASSERT_TRUE(makeClip(sample, kX264));
    const ByteBuffer good = test_support::readAll(clip);
    // The camera stopped before it wrote the moov.
    const auto input = dir.write("lost.mp4", sliceBytes(good, 0, findBytes(good, "moov") - 4));

    // Without a sample nothing unplayable is written: the failure says a sample is needed.
    RepairResult r = repairFile(input);
    EXPECT_FALSE(r.status.ok);
    EXPECT_EQ(r.status.code, kVideoMp4SampleNeeded);
    EXPECT_FALSE(r.outputWritten);

    r = repairFile(input, Repair, sample);
    ASSERT_TRUE(r.status.ok) << r.status.message;
    EXPECT_EQ(actionIds(r), (std::vector<std::string>{"borrow-sample-moov"}));
    EXPECT_GT(actionAmount(r, "borrow-sample-moov"), 0u);
    EXPECT_TRUE(r.usedReference);
    EXPECT_DOUBLE_EQ(r.confidence, 0.78);
    EXPECT_EQ(playerComplaints(r.output.path), "");
    EXPECT_EQ(decodedFrames(r.output.path), 50);

    // Advanced mode keeps the file's own boxes while they fit its media data.
    const RepairResult advanced = repairFile(clip, Advanced, sample);
    ASSERT_TRUE(advanced.status.ok);
    EXPECT_EQ(actionIds(advanced), (std::vector<std::string>{"patch-chunk-offsets", "fast-start-reorder"}));
    EXPECT_FALSE(advanced.usedReference);
    EXPECT_EQ(decodedFrames(advanced.output.path), 50);

    // An unreadable sample gives nothing to rebuild from: a plain failure with its read error noted.
    r = repairFile(input, Repair, dir / "no-such-sample.mp4");
    EXPECT_EQ(r.status.code, kVideoMp4SampleMismatch);
    EXPECT_EQ(r.notes.size(), 1u);
    EXPECT_FALSE(r.outputWritten);
}

TEST_F(Mp4RepairClipTest, FragmentedFileKeepsItsFragments) {
    const fs::path clip = dir / "frag.mp4";
    ASSERT_TRUE(makeClip(clip, std::string(kX264) + " -movflags frag_keyframe+empty_moov"));
    ByteBuffer bytes(333, 0x42);
    appendBytes(bytes, test_support::readAll(clip));
    const auto input = dir.write("frag-prefixed.mp4", bytes);
    const RepairResult r = repairFile(input);
    ASSERT_TRUE(r.status.ok) << r.status.message;
    EXPECT_EQ(actionIds(r), (std::vector<std::string>{"trim-mp4-prefix"}));
    EXPECT_EQ(playerComplaints(r.output.path), "");
    EXPECT_EQ(decodedFrames(r.output.path), 50);
}

TEST_F(Mp4RepairClipTest, CutFastStartRecordingStopsBeforeTheFirstBrokenFrame) {
    const fs::path clip = dir / "faststart.mp4";
    ASSERT_EQ(test_support::run("ffmpeg -nostdin -v error -y -f lavfi -i testsrc=d=2:s=160x120:r=25 -f lavfi -i "
                                "sine=d=2 " + std::string(kX264) + " -c:a aac -shortest -movflags +faststart " +
                                test_support::quote(clip)).exitCode, 0);
    const ByteBuffer good = test_support::readAll(clip);
    const uint64_t mdatAt = findBytes(good, "mdat") - 4;
    const auto input = dir.write("cut.mp4", sliceBytes(good, 0, mdatAt + (good.size() - mdatAt) * 6 / 10));
    const RepairResult r = repairFile(input);
    ASSERT_TRUE(r.status.ok) << r.status.message;
    ASSERT_EQ(actionIds(r).front(), "truncate-corrupt-video-prefix");
    EXPECT_DOUBLE_EQ(r.confidence, 0.86);
    const uint64_t firstBroken = actionAmount(r, "truncate-corrupt-video-prefix");
    EXPECT_GT(firstBroken, 10u);
    EXPECT_LT(firstBroken, 50u);
    EXPECT_EQ(playerComplaints(r.output.path), "");
    EXPECT_EQ(decodedFrames(r.output.path), static_cast<int>(firstBroken - 1));
    const ByteBuffer out = test_support::readAll(r.output.path);
    const auto boxes = listIsoBoxes(out, 0, out.size());
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.back().type, "mdat");
    EXPECT_FALSE(boxes.back().clamped);
    EXPECT_EQ(boxes.back().end(), out.size());
}

TEST(Mp4RebaseTest, OffsetsPast4GiBWidenTheTablesInsteadOfWrapping) {
    // A moov of a camera file near 4 GiB whose mdat payload moves up by the moov's size.
    Movie m;
    m.tracks = {Track{}};
    m.tracks[0].sizes = {20, 20};
    m.tracks[0].samplesPerChunk = {1, 1};
    const ByteBuffer file = buildMovie(m);
    const Mp4Layout layout = scanMp4Layout(file);
    ByteBuffer moov = isoBoxBytes(file, layout.moov);
    const uint64_t stco = findBytes(moov, "stco") + 12;
    putBe32(moov, stco, 0x20);
    putBe32(moov, stco + 4, 0xFFFFFF00u);
    const uint64_t before = moov.size();
    uint64_t counter = 0;
    ASSERT_TRUE(rebaseMoovBeforeMdat(moov, 0x20, 24, 8, counter));
    EXPECT_EQ(counter, 2u);
    EXPECT_EQ(moov.size(), before + 8); // two entries widened to 64 bits
    const uint64_t co64 = findBytes(moov, "co64");
    ASSERT_NE(co64, npos);
    const uint64_t newBase = 24 + moov.size() + 8;
    EXPECT_EQ(readBe64(moov, co64 + 12), newBase);
    EXPECT_EQ(readBe64(moov, co64 + 20), 0xFFFFFF00ull - 0x20 + newBase);
    expectTidyTopLevel(moov, {"moov"});
}

TEST(Mp4LayoutRepairTest, CutMoovAndSeveralMdatsKeepTheMedia) {
    TempDir dir;
    // The moov was cut by the end of the file: it is not used, and no box claims bytes it lacks.
    const ByteBuffer cutMoov = concat({ftyp(), box("mdat", ByteBuffer(40, 1)), {0, 0, 1, 0}, bytesOf("moov"), ByteBuffer(30, 0)});
    RepairResult r = repairFile(dir.write("cut.mp4", cutMoov));
    EXPECT_EQ(r.status.code, kVideoMp4SampleNeeded);
    EXPECT_FALSE(r.outputWritten);

    // Two mdats, each holding a chunk: the file is not restructured into one that lost the second.
    Movie m;
    m.tracks = {Track{}};
    m.tracks[0].sizes = {20, 20};
    m.tracks[0].samplesPerChunk = {1, 1};
    m.moovFirst = true;
    ByteBuffer file = buildMovie(m);
    const Mp4Layout layout = scanMp4Layout(file);
    // Split the mdat payload into two mdat boxes; the second chunk moves 8 bytes on.
    ByteBuffer two = sliceBytes(file, 0, layout.mdat.offset);
    appendBytes(two, box("mdat", sliceBytes(file, layout.mdat.payloadStart(), 20)));
    appendBytes(two, box("mdat", sliceBytes(file, layout.mdat.payloadStart() + 20, 20)));
    putBe32(two, findBytes(two, "stco") + 16, readBe32(two, findBytes(two, "stco") + 16) + 8);
    r = repairFile(dir.write("two.mp4", two));
    ASSERT_TRUE(r.status.ok);
    EXPECT_EQ(test_support::readAll(r.output.path), two);
    EXPECT_EQ(r.notes, (std::vector<std::string>{"kept the original atom layout because the media is not held in a single mdat atom"}));
}

namespace {

struct Packet {
    int stream = 0;
    double end = 0;  // presentation end, seconds
    uint64_t pos = 0;
    uint64_t size = 0;
};

std::vector<Packet> packets(const fs::path& file) {
    const auto r = test_support::run("ffprobe -v error -show_entries packet=stream_index,pts_time,duration_time,size,pos "
                                     "-of csv=p=0 " + test_support::quote(file));
    std::vector<Packet> out;
    std::istringstream lines(r.output);
    for (std::string line; std::getline(lines, line);) {
        Packet p;
        double pts = 0, duration = 0;
        unsigned long long size = 0, pos = 0;
        if (std::sscanf(line.c_str(), "%d,%lf,%lf,%llu,%llu", &p.stream, &pts, &duration, &size, &pos) != 5) continue;
        p.end = pts + duration;
        p.size = size;
        p.pos = pos;
        out.push_back(p);
    }
    return out;
}

double claimedSeconds(const fs::path& file) {
    const auto r = test_support::run("ffprobe -v error -show_entries format=duration -of csv=p=0 " +
                                     test_support::quote(file));
    return r.exitCode == 0 ? std::atof(r.output.c_str()) : -1;
}

} // namespace

// Recordings whose moov precedes the media, cut anywhere in the media: the sample tables end at
// the last sample inside the file and every duration follows, so the length the file claims is
// the length it plays, and the decoder finds nothing missing.
TEST_F(Mp4RepairClipTest, CutFastStartRecordingsClaimOnlyTheMediaTheyHold) {
    struct Case {
        const char* name;
        std::string args;
        const char* extension;
        int percent;  // of the media data kept
    };
    const std::string fastStart = " -shortest -movflags +faststart";
    const std::vector<Case> cases = {
        {"H.264 and AAC at 60 %", std::string(kX264) + " -c:a aac" + fastStart, "mp4", 60},
        {"H.264 and AAC at 97 %", std::string(kX264) + " -c:a aac" + fastStart, "mp4", 97},
        // B-frames: composition offsets and an edit list that delays the video.
        {"H.264 with B-frames at 45 %", "-c:v libx264 -preset veryfast -bf 3 -pix_fmt yuv420p -c:a aac" + fastStart,
         "mp4", 45},
        {"MPEG-4 part 2 and AAC at 50 %", "-c:v mpeg4 -g 25 -c:a aac" + fastStart, "mp4", 50},
        {"MOV, H.264 and PCM at 30 %", std::string(kX264) + " -c:a pcm_s16le" + fastStart, "mov", 30},
    };
    for (const Case& c : cases) {
        const fs::path clip = dir / (std::string("whole.") + c.extension);
        ASSERT_EQ(test_support::run("ffmpeg -nostdin -v error -y -f lavfi -i testsrc=d=10:s=320x240:r=25 -f lavfi -i "
                                    "sine=d=10 " + c.args + " " + test_support::quote(clip)).exitCode, 0) << c.name;
        const ByteBuffer whole = test_support::readAll(clip);
        const uint64_t mdatAt = findBytes(whole, "mdat") - 4;
        ASSERT_LT(findBytes(whole, "moov"), mdatAt) << c.name;
        const uint64_t cutAt = mdatAt + (whole.size() - mdatAt) * c.percent / 100;
        // What the cut copy still holds: the leading packets of each stream that lie inside it.
        int videoFrames = 0;
        double heldEnd = 0;
        std::vector<bool> ended(2, false);
        for (const Packet& p : packets(clip)) {
            if (p.stream > 1 || ended[p.stream]) continue;
            if (p.pos + p.size > cutAt) {
                ended[p.stream] = true;
                continue;
            }
            videoFrames += p.stream == 0 ? 1 : 0;
            heldEnd = std::max(heldEnd, p.end);
        }
        const auto input = dir.write(std::string("cut.") + c.extension, sliceBytes(whole, 0, cutAt));
        ASSERT_GT(claimedSeconds(input), 9.9) << c.name;

        const RepairResult r = repairFile(input);
        ASSERT_TRUE(r.status.ok) << c.name << ": " << r.status.message;
        EXPECT_TRUE(test_support::findAction(r, "truncate-corrupt-video-prefix") ||
                    test_support::findAction(r, "truncate-cut-sample-tables"))
            << c.name;
        EXPECT_EQ(playerComplaints(r.output.path), "") << c.name;
        EXPECT_EQ(decodedFrames(r.output.path), videoFrames) << c.name;
        double playedEnd = 0;
        for (const Packet& p : packets(r.output.path)) playedEnd = std::max(playedEnd, p.end);
        const double claimed = claimedSeconds(r.output.path);
        EXPECT_NEAR(claimed, playedEnd, 0.05) << c.name;
        EXPECT_LE(claimed, heldEnd + 0.05) << c.name;
        EXPECT_GE(claimed, videoFrames / 25.0 - 0.05) << c.name;
        // The repaired file reads as whole: no box runs past its end.
        const ByteBuffer out = test_support::readAll(r.output.path);
        const auto boxes = listIsoBoxes(out, 0, out.size());
        ASSERT_FALSE(boxes.empty()) << c.name;
        EXPECT_EQ(boxes.back().type, "mdat") << c.name;
        EXPECT_FALSE(boxes.back().clamped) << c.name;
        EXPECT_EQ(boxes.back().end(), out.size()) << c.name;
    }
}
