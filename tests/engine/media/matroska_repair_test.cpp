// Matroska and WebM: EBML header recognition, prefix trimming, judged by ffmpeg and mkvinfo.

#include <cstdio>
#include <sstream>

#include "container_fixtures.h"

using namespace data_repair;
using namespace container_fixtures;
using test_support::TempDir;

namespace {

ByteBuffer mkvClip() { return clip("clip.mkv", "-c:v mpeg4 -q:v 4 -f matroska"); }
ByteBuffer webmClip() { return clip("clip.webm", "-c:v libvpx -b:v 200k -deadline realtime -f webm"); }

// A minimal EBML header with the given DocType, followed by nothing else.
ByteBuffer ebmlHeader(const std::string& docType)
{
    ByteBuffer body = {0x42, 0x86, 0x81, 0x01}; // EBMLVersion 1
    appendBytes(body, {0x42, 0x82, static_cast<uint8_t>(0x80 | docType.size())});
    appendString(body, docType);
    ByteBuffer out = {0x1A, 0x45, 0xDF, 0xA3, static_cast<uint8_t>(0x80 | body.size())};
    appendBytes(out, body);
    return out;
}

} // namespace

TEST(Matroska, RecognisesOnlyStructurallySoundHeaders)
{
    struct Case {
        const char* name;
        ByteBuffer bytes;
        bool expected;
    };
    const ByteBuffer bareMagic = concat({garbage(300), ByteBuffer{0x1A, 0x45, 0xDF, 0xA3}, garbage(300, 3)});
    const Case cases[] = {
        {"matroska doctype", concat({garbage(64), ebmlHeader("matroska")}), true},
        {"webm doctype", ebmlHeader("webm"), true},
        {"foreign doctype", ebmlHeader("notmkv"), false},
        {"bare magic inside other data", bareMagic, false},
        {"header cut short", head(ebmlHeader("matroska"), 12), false},
        {"empty", ByteBuffer{}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(hasEbmlMagic(c.bytes), c.expected);
    }
}

TEST(Matroska, GarbagePrefixIsCutEvenWhenItHoldsAStrayMagic)
{
    REQUIRE_TOOL("ffmpeg");
    for (const auto& [name, original] : {std::pair{"clip.mkv", mkvClip()}, std::pair{"clip.webm", webmClip()}}) {
        SCOPED_TRACE(name);
        ASSERT_FALSE(original.empty());
        TempDir dir;
        // The stray magic inside the prefix must not become the cut point.
        const ByteBuffer prefix = concat({garbage(200), ByteBuffer{0x1A, 0x45, 0xDF, 0xA3}, garbage(308, 9)});
        const ByteBuffer damaged = concat({prefix, original});
        const auto path = dir.write(name, damaged);

        const RepairResult analysis = analyzeMatroska(test_support::requestFor(path, Analyze), damaged);
        ASSERT_TRUE(analysis.status.ok);
        ASSERT_EQ(analysis.findings.size(), 1u);
        EXPECT_EQ(analysis.findings[0].message, "garbage bytes before EBML header");
        EXPECT_EQ(analysis.findings[0].length, 512u);
        EXPECT_DOUBLE_EQ(analysis.confidence, 0.78);
        EXPECT_EQ(analysis.format, "mkv");

        const RepairResult repaired = repairMatroska(test_support::requestFor(path), damaged);
        ASSERT_TRUE(repaired.outputWritten) << repaired.status.message;
        EXPECT_EQ(readAll(repaired.output.path), original);
        EXPECT_EQ(fs::path(repaired.output.path).extension(), ".mkv");
        ASSERT_NE(actionWith(repaired, "trim-ebml-prefix"), nullptr);
        EXPECT_EQ(actionWith(repaired, "trim-ebml-prefix")->amount, 512u);
        EXPECT_DOUBLE_EQ(repaired.confidence, 0.8);
        std::string log;
        EXPECT_TRUE(playsCleanly(repaired.output.path, "", &log)) << log;
        EXPECT_EQ(decodedFrames(repaired.output.path), 50);
    }
}

TEST(Matroska, CutOrInsertedFilesComeOutWholeForTheDecoder)
{
    REQUIRE_TOOL("ffmpeg");
    // The WebM clip holds one cluster with audio beside the video; the Matroska clip starts a
    // cluster at every key frame and carries CRC-32 elements.
    const ByteBuffer mkv = mkvClip();
    const ByteBuffer webm = clip("av.webm", "-f lavfi -i sine=d=2 -c:v libvpx -b:v 200k -deadline realtime "
                                            "-c:a libopus -f webm");
    ASSERT_FALSE(mkv.empty());
    ASSERT_FALSE(webm.empty());
    const ByteBuffer clusterId = {0x1F, 0x43, 0xB6, 0x75};
    const uint64_t secondCluster = findBytes(mkv, clusterId, findBytes(mkv, clusterId, 200) + 4);
    const auto insert = [](const ByteBuffer& bytes, size_t at) {
        return concat({head(bytes, at), garbage(4096, 7), tail(bytes, at)});
    };
    struct Case {
        const char* name;
        ByteBuffer damaged;
        const char* action;      // the repair that must be recorded
        double minSeconds;       // decoded video the output must keep
        double maxSeconds;
    };
    const Case cases[] = {
        {"mkv cut at 50 %", head(mkv, mkv.size() / 2), "drop-truncated-matroska-tail", 0.7, 1.3},
        {"mkv cut at 90 %", head(mkv, mkv.size() * 9 / 10), "drop-truncated-matroska-tail", 1.5, 2.0},
        {"mkv with 4 KiB inserted", insert(mkv, mkv.size() / 2), "skip-matroska-stray-bytes", 1.9, 2.0},
        {"mkv with 4 KiB inserted between clusters", insert(mkv, secondCluster),
         "skip-matroska-stray-bytes", 2.0, 2.0},
        {"webm cut at 50 %", head(webm, webm.size() / 2), "drop-truncated-matroska-tail", 0.5, 1.3},
        {"webm cut at 90 %", head(webm, webm.size() * 9 / 10), "drop-truncated-matroska-tail", 1.5, 2.0},
        {"webm with 4 KiB inserted", insert(webm, webm.size() / 2), "skip-matroska-stray-bytes", 1.9, 2.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const auto path = dir.write("damaged.mkv", c.damaged);
        std::string log;
        ASSERT_FALSE(playsCleanly(path, "", &log)); // the damage is real

        const RepairResult analysis = analyzeMatroska(test_support::requestFor(path, Analyze), c.damaged);
        ASSERT_TRUE(analysis.status.ok);
        EXPECT_FALSE(analysis.findings.empty());
        const RepairResult repaired = repairMatroska(test_support::requestFor(path), c.damaged);
        ASSERT_TRUE(repaired.outputWritten) << repaired.status.message;
        EXPECT_NE(actionWith(repaired, c.action), nullptr);
        EXPECT_TRUE(playsCleanly(repaired.output.path, "", &log)) << log;
        const double seconds = decodedFrames(repaired.output.path) / 25.0;
        EXPECT_GE(seconds, c.minSeconds);
        EXPECT_LE(seconds, c.maxSeconds);
        // The duration the file declares ends with the data it holds.
        const auto probe = test_support::run("ffprobe -v error -show_entries format=duration -of csv=p=0 " +
                                             test_support::quote(repaired.output.path));
        EXPECT_LE(std::stod(probe.output), seconds + 0.1) << probe.output;
        if (test_support::toolAvailable("mkvinfo")) {
            const auto info = test_support::run("mkvinfo " + test_support::quote(repaired.output.path));
            EXPECT_EQ(info.exitCode, 0) << info.output;
            EXPECT_EQ(info.output.find("Error"), std::string::npos) << info.output;
        }
    }
}

TEST(Matroska, BrokenBlocksAreSteppedOverInBoundedLooks)
{
    // One cluster of 4 MiB of tiny blocks, one in a hundred naming a track the file lacks: each
    // break makes the walk look for where blocks resume, and each place it looks at reads a bounded
    // run of blocks. Where nothing sound follows, the looks run to the end of the file once.
    const ByteBuffer tracks = {0x16, 0x54, 0xAE, 0x6B, 0x85, 0xAE, 0x83, 0xD7, 0x81, 0x01};
    const auto cluster = [&](int every) {
        ByteBuffer blocks;
        uint64_t broken = 0;
        for (int i = 1; blocks.size() < (4u << 20); ++i) {
            const bool bad = i % every == 0;
            broken += bad;
            appendBytes(blocks, ByteBuffer{0xA3, 0x84, static_cast<uint8_t>(bad ? 0x85 : 0x81), 0x00, 0x00, 0x80});
        }
        ByteBuffer head = {0x1F, 0x43, 0xB6, 0x75, 0x01, 0, 0, 0, 0, 0, 0, 0, 0xE7, 0x81, 0x00};
        putBe64(head, 4, (uint64_t{1} << 56) | (blocks.size() + 3));
        ByteBuffer segment = {0x18, 0x53, 0x80, 0x67, 0x01, 0, 0, 0, 0, 0, 0, 0};
        putBe64(segment, 4, (uint64_t{1} << 56) | (tracks.size() + head.size() + blocks.size()));
        return std::pair{concat({ebmlHeader("matroska"), segment, tracks, head, blocks}), broken};
    };
    TempDir dir;
    for (const int every : {100, 3}) {
        SCOPED_TRACE(every);
        const auto [file, broken] = cluster(every);
        const auto path = dir.write("blocks.mkv", file);
        const RepairResult repaired = repairMatroska(test_support::requestFor(path), file);
        ASSERT_TRUE(repaired.outputWritten) << repaired.status.message;
        const RepairAction* skipped = actionWith(repaired, "skip-matroska-stray-bytes");
        if (every == 3) { // no run of sound blocks anywhere: all of them go
            EXPECT_EQ(skipped, nullptr);
            EXPECT_NE(actionWith(repaired, "drop-truncated-matroska-tail"), nullptr);
            continue;
        }
        ASSERT_NE(skipped, nullptr);
        EXPECT_EQ(skipped->amount, broken * 6);
        EXPECT_EQ(fs::file_size(repaired.output.path), file.size() - broken * 6);
        fs::remove(repaired.output.path);
    }
}

TEST(Matroska, SoundFileIsCopiedUnchanged)
{
    REQUIRE_TOOL("ffmpeg");
    TempDir dir;
    const ByteBuffer original = mkvClip();
    const auto path = dir.write("sound.mkv", original);
    const RepairResult analysis = analyzeMatroska(test_support::requestFor(path, Analyze), original);
    EXPECT_TRUE(analysis.findings.empty());
    const RepairResult repaired = repairMatroska(test_support::requestFor(path), original);
    ASSERT_TRUE(repaired.outputWritten);
    EXPECT_TRUE(repaired.actions.empty());
    EXPECT_TRUE(repaired.notes.empty());
    EXPECT_EQ(readAll(repaired.output.path), original);
}

TEST(Matroska, HeaderOnlyReportsMissingSegmentAndCluster)
{
    TempDir dir;
    const ByteBuffer bytes = ebmlHeader("matroska");
    const auto path = dir.write("header.mkv", bytes);
    const RepairResult repaired = repairMatroska(test_support::requestFor(path), bytes);
    ASSERT_TRUE(repaired.outputWritten);
    const Finding* segment = findingWith(repaired, "Matroska Segment element was not found");
    const Finding* cluster = findingWith(repaired, "Matroska Cluster element was not found");
    ASSERT_NE(segment, nullptr);
    ASSERT_NE(cluster, nullptr);
    EXPECT_EQ(segment->category, MetadataMissing);
    EXPECT_EQ(cluster->category, IndexMissing);
    EXPECT_FALSE(segment->repairable);
    EXPECT_FALSE(cluster->repairable);
    EXPECT_EQ(repaired.notes.size(), 1u);
}

TEST(Matroska, CuesCountOnlyAfterTheHeader)
{
    TempDir dir;
    const ByteBuffer cues = {0x1C, 0x53, 0xBB, 0x6B};
    const ByteBuffer cluster = {0x1F, 0x43, 0xB6, 0x75, 0x80};
    struct Case {
        const char* name;
        ByteBuffer bytes;
        bool noted;
    };
    const Case cases[] = {
        {"cues at the end", concat({garbage(40), ebmlHeader("matroska"), cluster, garbage(500), cues}), false},
        {"cues before the clusters", concat({ebmlHeader("matroska"), cues, cluster, garbage(500)}), false},
        {"cues only in the cut prefix", concat({garbage(40), cues, ebmlHeader("matroska"), cluster, garbage(500)}),
         true},
        {"no cues", concat({ebmlHeader("matroska"), cluster, garbage(500)}), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto path = dir.write(std::string(c.name) + ".mkv", c.bytes);
        const RepairResult repaired = repairMatroska(test_support::requestFor(path), c.bytes);
        ASSERT_TRUE(repaired.outputWritten) << repaired.status.message;
        const bool noted =
            std::find(repaired.notes.begin(), repaired.notes.end(),
                      "Matroska Cues index was not found; players may scan clusters to rebuild seeking") !=
            repaired.notes.end();
        EXPECT_EQ(noted, c.noted);
    }
}

namespace {

struct Packets {
    int video = -1;
    int audio = -1;
};

// Packets per stream as ffprobe reads the file (-1 each when it refuses it).
Packets packetCounts(const fs::path& file)
{
    Packets counts;
    for (auto [kind, count] : {std::pair{"v", &counts.video}, std::pair{"a", &counts.audio}}) {
        const auto probe = test_support::run(std::string("ffprobe -v quiet -count_packets -select_streams ") + kind +
                                             ":0 -show_entries stream=nb_read_packets -of csv=p=0 " +
                                             test_support::quote(file));
        try {
            *count = probe.exitCode == 0 ? std::stoi(probe.output) : -1;
        } catch (...) {
            *count = -1;
        }
    }
    return counts;
}

double declaredSeconds(const fs::path& file)
{
    const auto probe =
        test_support::run("ffprobe -v error -show_entries format=duration -of csv=p=0 " + test_support::quote(file));
    try {
        return std::stod(probe.output);
    } catch (...) {
        return -1;
    }
}

// The end of the last packet ffprobe reads, in seconds.
double lastPacketEnd(const fs::path& file)
{
    const auto probe = test_support::run("ffprobe -v quiet -show_entries packet=pts_time,duration_time -of csv=p=0 " +
                                         test_support::quote(file));
    double end = 0;
    std::istringstream lines(probe.output);
    for (std::string line; std::getline(lines, line);) {
        double pts = 0, duration = 0;
        if (std::sscanf(line.c_str(), "%lf,%lf", &pts, &duration) >= 1)
            end = std::max(end, pts + duration);
    }
    return end;
}

} // namespace

// Twenty seconds of H.264 and AAC, in clusters of two seconds: bytes zeroed or overwritten inside
// a cluster are stepped over to the next block, so the output keeps at least the packets that
// `ffmpeg -c copy` keeps from the damaged file, and its declared duration ends with its last
// packet, whichever way the file was damaged.
TEST(Matroska, DamageInsideClustersIsSteppedOverAndTheDurationFollowsTheBlocksKept)
{
    REQUIRE_TOOL("ffmpeg");
    const std::string av = "-f lavfi -i sine=d=20 -c:v libx264 -preset ultrafast -g 50 -c:a aac -shortest";
    const std::string picture = "testsrc=d=20:s=160x120:r=25";
    const ByteBuffer mkv = clip("av20.mkv", av + " -f matroska", picture);
    // A live recording written to a pipe: unknown Segment size, no Cues and no Duration.
    const ByteBuffer live = clip("live20.mkv", av + " -f matroska -live 1 pipe:1 >", picture);
    ASSERT_FALSE(mkv.empty());
    ASSERT_FALSE(live.empty());
    TempDir dir;
    const Packets original = packetCounts(dir.write("original.mkv", mkv));
    ASSERT_EQ(original.video, 500);

    const ByteBuffer clusterId = {0x1F, 0x43, 0xB6, 0x75};
    std::vector<uint64_t> clusters;
    for (uint64_t at = findBytes(mkv, clusterId, 0); at != npos; at = findBytes(mkv, clusterId, at + 4))
        clusters.push_back(at);
    ASSERT_GE(clusters.size(), 8u);
    const auto overwritten = [](ByteBuffer bytes, uint64_t at, uint64_t length, bool zero) {
        const ByteBuffer noise = garbage(length, 11);
        for (uint64_t i = 0; i < length; ++i)
            bytes[at + i] = zero ? 0 : noise[i];
        return bytes;
    };
    const uint64_t inside = (clusters[4] + clusters[5]) / 2;
    // Some live recorders do not know a cluster's size either: every size field reads "unknown".
    // The clusters follow one another from the first to the end of the file.
    ByteBuffer unknownClusters = live;
    for (uint64_t at = findBytes(live, clusterId, 0); at + 5 < live.size() && matchesAt(live, at, clusterId);) {
        unsigned width = 1;
        while (width < 8 && (live[at + 4] & (0x80u >> (width - 1))) == 0)
            ++width;
        uint64_t size = live[at + 4] & (0xFFu >> width);
        for (unsigned i = 1; i < width; ++i)
            size = (size << 8) | live[at + 4 + i];
        unknownClusters[at + 4] = static_cast<uint8_t>((0xFFu >> width) | (0x80u >> (width - 1)));
        std::fill_n(unknownClusters.begin() + static_cast<long>(at + 5), width - 1, uint8_t{0xFF});
        at += 4 + width + size;
    }
    ASSERT_NE(unknownClusters, live);
    struct Case {
        const char* name;
        ByteBuffer damaged;
        bool decodesCleanly; // damaged pictures kept in blocks that still read make the decoder complain
    };
    const Case cases[] = {
        {"2 KiB zeroed inside a cluster", overwritten(mkv, inside, 2048, true), false},
        {"2 KiB overwritten inside a cluster", overwritten(mkv, inside, 2048, false), false},
        {"4 KiB zeroed over a cluster's start", overwritten(mkv, clusters[5] - 2048, 4096, true), false},
        {"zeroed in two clusters",
         overwritten(overwritten(mkv, inside, 2048, true), (clusters[6] + clusters[7]) / 2, 512, true), false},
        {"cut at 60 %", head(mkv, mkv.size() * 6 / 10), true},
        {"live recording cut at 60 %", head(live, live.size() * 6 / 10), true},
        {"live recording with 2 KiB zeroed", overwritten(live, live.size() / 2, 2048, true), false},
        {"live recording of unknown-size clusters cut at 60 %",
         head(unknownClusters, unknownClusters.size() * 6 / 10), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto path = dir.write("damaged.mkv", c.damaged);
        const auto copied = dir / "copied.mkv";
        test_support::run("ffmpeg -v quiet -y -i " + test_support::quote(path) + " -map 0 -c copy " +
                          test_support::quote(copied));
        const Packets byCopy = packetCounts(copied);
        ASSERT_GT(byCopy.video, 0);

        const RepairResult repaired = repairMatroska(test_support::requestFor(path), c.damaged);
        ASSERT_TRUE(repaired.outputWritten) << repaired.status.message;
        const Packets kept = packetCounts(repaired.output.path);
        EXPECT_GE(kept.video, byCopy.video * 98 / 100);
        EXPECT_LE(kept.video, original.video);
        EXPECT_GE(kept.audio, byCopy.audio * 98 / 100);
        std::string log;
        if (c.decodesCleanly) {
            EXPECT_TRUE(playsCleanly(repaired.output.path, "", &log)) << log;
        }
        // The declared duration ends with the last packet kept.
        const double end = lastPacketEnd(repaired.output.path);
        ASSERT_GT(end, 0);
        EXPECT_NEAR(declaredSeconds(repaired.output.path), end, 0.02 * end);
        if (test_support::toolAvailable("mkvinfo")) {
            const auto info = test_support::run("mkvinfo " + test_support::quote(repaired.output.path));
            EXPECT_EQ(info.exitCode, 0) << info.output;
            EXPECT_EQ(info.output.find("Error"), std::string::npos) << info.output;
        }
        fs::remove(repaired.output.path);
    }
}
