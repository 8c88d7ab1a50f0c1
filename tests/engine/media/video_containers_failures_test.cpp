// What every non-ISO container does when its essential structure is missing, and when the
// repaired file cannot be written: the status codes and texts the application reads.


#include "container_fixtures.h"
#include "media/klv_units.h"

using namespace data_repair;
using namespace container_fixtures;
using test_support::TempDir;

namespace {

using Entry = RepairResult (*)(const RepairRequest&, ByteView);

RepairResult repairMxf(const RepairRequest& request, ByteView bytes) { return repairKlv(request, bytes, "mxf"); }

struct Container {
    const char* name;
    Entry repair;
    int32_t notFoundCode;
    const char* notFoundFinding;
    const char* notFoundStatus;
    ByteBuffer missing; // bytes without the container's structure
    ByteBuffer sound;   // smallest bytes the repair writes
    int32_t writeCode;
};

ByteBuffer noise(size_t n)
{
    ByteBuffer out(n);
    uint32_t state = 7;
    for (auto& b : out) {
        state = state * 1664525u + 1013904223u;
        b = static_cast<uint8_t>(state >> 24);
    }
    return out;
}

std::vector<Container> containers()
{
    ByteBuffer ts(188 * 4, 0);
    for (size_t s = 0; s < ts.size(); s += 188)
        ts[s] = 0x47;
    ByteBuffer flv = bytesOf("FLV\x01\x05");
    appendBe32(flv, 9);
    appendBe32(flv, 0);
    const ByteBuffer mkv = {0x1A, 0x45, 0xDF, 0xA3, 0x87, 0x42, 0x82, 0x84, 'w', 'e', 'b', 'm'};
    const ByteBuffer ps = {0x00, 0x00, 0x01, 0xBA, 0x44, 0, 4, 0, 4, 1, 0x01, 0x89, 0xC3, 0xF8, 0x00, 0x00, 0x01, 0xB9};
    ByteBuffer klv = {0x06, 0x0E, 0x2B, 0x34, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 0x01, 0xAA};
    const ByteBuffer raw = {0x00, 0x00, 0x00, 0x01, 0x67};
    return {
        // One megabyte of noise has a 0x47 on about one slot in 256 of every grid.
        {"ts", repairTransportStream, kVideoTsNotFound, "MPEG-TS sync packets were not found",
         "MPEG-TS packet alignment not found", noise(1 << 20), ts, kVideoTsWrite},
        // Eight bytes are one too few for an FLV header.
        {"flv", repairFlv, kVideoFlvNotFound, "FLV signature was not found", "FLV signature not found",
         bytesOf("FLV\x01\x05\0\0\0"), flv, kVideoFlvWrite},
        {"mkv", repairMatroska, kVideoMkvNotFound, "EBML header was not found", "EBML header not found", garbage(2000),
         mkv, kVideoMkvWrite},
        {"mpg", repairProgramStream, kVideoPsNotFound, "MPEG program stream pack header was not found",
         "MPEG pack header not found", garbage(1000), ps, kVideoPsWrite},
        // A label only inside a tail too short for a unit.
        {"mxf", repairMxf, kVideoKlvNotFound, "KLV universal label was not found", "KLV structure not found",
         concat({garbage(40), head(klv, 10)}), klv, kVideoKlvWrite},
        {"rsv", repairRawStream, kVideoRawNotFound, "raw video start code was not found",
         "raw video start code not found", garbage(500), raw, kVideoRawWrite},
    };
}

} // namespace

TEST(VideoContainers, MissingStructureFailsWithTheContainersCodeAndWritesNothing)
{
    TempDir dir;
    for (const auto& c : containers()) {
        SCOPED_TRACE(c.name);
        const auto path = dir.write(std::string("missing.") + c.name, c.missing);
        const RepairResult repaired = c.repair(test_support::requestFor(path), c.missing);
        EXPECT_FALSE(repaired.status.ok);
        EXPECT_EQ(repaired.status.code, c.notFoundCode);
        EXPECT_EQ(repaired.status.message, c.notFoundStatus);
        EXPECT_EQ(repaired.kind, Video);
        ASSERT_EQ(repaired.findings.size(), 1u);
        EXPECT_EQ(repaired.findings[0].message, c.notFoundFinding);
        EXPECT_EQ(repaired.findings[0].category, HeaderMissing);
        EXPECT_EQ(repaired.findings[0].severity, Error);
        EXPECT_FALSE(repaired.findings[0].repairable);
        EXPECT_DOUBLE_EQ(repaired.confidence, 0.0);
        EXPECT_FALSE(repaired.outputWritten);
        EXPECT_TRUE(repaired.actions.empty());
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 6);
}

TEST(VideoContainers, AnalyzeModeNeverWritesAndAnUnwritableOutputGivesTheWriteCode)
{
    TempDir dir;
    const auto blocker = dir.write("not-a-folder", std::string("x"));
    for (const auto& c : containers()) {
        SCOPED_TRACE(c.name);
        const auto path = dir.write(std::string("sound.") + c.name, c.sound);
        const RepairResult analysis = c.repair(test_support::requestFor(path, Analyze), c.sound);
        EXPECT_TRUE(analysis.status.ok) << analysis.status.message;
        EXPECT_FALSE(analysis.outputWritten);

        RepairRequest request = test_support::requestFor(path);
        request.outputDirectory = (blocker / "sub").string();
        const RepairResult failed = c.repair(request, c.sound);
        EXPECT_FALSE(failed.status.ok);
        EXPECT_EQ(failed.status.code, c.writeCode);
        EXPECT_FALSE(failed.status.message.empty());
        EXPECT_FALSE(failed.outputWritten);
        EXPECT_TRUE(failed.output.path.empty());
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 7);
}

TEST(VideoContainers, HostileRepetitionsAreScannedOnce)
{
    // Patterns that could make a search start over at every hit. A quadratic scan of these 4 MiB
    // would take hours and run into the test's time-out; a linear one takes well under a second.
    auto repeated = [](const ByteBuffer& unit) {
        ByteBuffer out;
        while (out.size() < (4u << 20))
            appendBytes(out, unit);
        return out;
    };
    EXPECT_FALSE(hasEbmlMagic(repeated({0x1A, 0x45, 0xDF, 0xA3, 0x9F, 0x42, 0x86, 0x81})));
    EXPECT_FALSE(hasPackStartCode(repeated({0x00, 0x00, 0x01, 0xBA, 0x44, 0x00})));
    const ByteBuffer keys = repeated({0x06, 0x0E, 0x2B, 0x34, 0x88});
    EXPECT_FALSE(hasKlvKey(keys));
    EXPECT_LE(listKlvUnits(keys).size(), keys.size() / 17);
    EXPECT_EQ(detectTsPacketSize(repeated({0x47})).packetSize, 188u);

    TempDir dir;
    // Sync bytes every 94 bytes: half the slots of the winning grid lack theirs, and the grid
    // search after each of them meets a 0x47 at every other slot start.
    ByteBuffer half(4u << 20, 0x00);
    for (size_t s = 0; s < half.size(); s += 94)
        half[s] = 0x47;
    for (size_t s = 188; s < half.size(); s += 188 * 3)
        half[s] = 0x00;
    const auto path = dir.write("hostile.ts", half);
    const RepairResult repaired = repairTransportStream(test_support::requestFor(path), half);
    EXPECT_TRUE(repaired.outputWritten) << repaired.status.message;
}
