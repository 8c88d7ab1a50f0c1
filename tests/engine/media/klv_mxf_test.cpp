// KLV streams and MXF files: unit listing with BER lengths, resumption after damage, rewritten
// unit sequence, judged by ffmpeg.


#include "container_fixtures.h"
#include "media/klv_units.h"

using namespace data_repair;
using namespace container_fixtures;
using test_support::TempDir;

namespace {

ByteBuffer mxfClip() { return clip("clip.mxf", "-c:v mpeg2video -q:v 4 -f mxf"); }

ByteBuffer key(uint8_t tag = 0x01)
{
    return {0x06, 0x0E, 0x2B, 0x34, 0x01, 0x02, 0x01, 0x01, 0x0D, 0x01, 0x03, 0x01, 0x15, 0x01, 0x05, tag};
}

ByteBuffer unit(size_t valueSize, uint8_t tag = 0x01)
{
    ByteBuffer out = key(tag);
    if (valueSize < 0x80) {
        out.push_back(static_cast<uint8_t>(valueSize));
    } else {
        out.push_back(0x83);
        appendBe24(out, static_cast<uint32_t>(valueSize));
    }
    out.insert(out.end(), valueSize, tag);
    return out;
}

// Offset of the n-th unit of a healthy file (n counted from 0).
uint64_t nthUnit(const ByteBuffer& bytes, size_t n) { return listKlvUnits(bytes).at(n).offset; }

} // namespace

TEST(Klv, ListsUnitsWithShortAndLongLengths)
{
    const ByteBuffer longUnit = concat({key(), ByteBuffer{0x83, 0x00, 0x01, 0x00}, ByteBuffer(256, 0xAA)});
    const ByteBuffer bytes = concat({unit(3), longUnit, unit(0)});
    const auto units = listKlvUnits(bytes);
    ASSERT_EQ(units.size(), 3u);
    EXPECT_EQ(units[0].size, 20u);
    EXPECT_EQ(units[1].offset, 20u);
    EXPECT_EQ(units[1].size, 16u + 4u + 256u);
    EXPECT_EQ(units[2].size, 17u);
}

TEST(Klv, HugeLengthsNeitherWrapNorLoop)
{
    // 0x88 and a length that, added to the 25 header bytes, wraps to zero.
    const ByteBuffer wrap = concat({key(), ByteBuffer{0x88, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xE7}, unit(2)});
    const ByteBuffer allOnes = concat({key(), ByteBuffer{0x88, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}});
    // A length that wrapped would loop for ever; the test's time-out would catch it.
    const auto units = listKlvUnits(wrap);
    ASSERT_EQ(units.size(), 1u); // only the intact unit behind the broken one
    EXPECT_EQ(units[0].offset, 25u);
    EXPECT_TRUE(listKlvUnits(allOnes).empty());
    EXPECT_EQ(klvUnitSizeAt(wrap, 0), 0u);
}

TEST(Klv, ResumesAfterDamagedUnitsAndSkipsForeignBytes)
{
    struct Case {
        const char* name;
        ByteBuffer bytes;
        std::vector<uint64_t> offsets;
    };
    ByteBuffer indefinite = unit(4, 2);
    indefinite[16] = 0x80;
    ByteBuffer tooLong = unit(4, 3);
    tooLong[16] = 0x89;
    const Case cases[] = {
        {"indefinite length in the middle", concat({unit(5), indefinite, unit(6), unit(7)}), {0, 43, 66}},
        {"0x89 length in the middle", concat({unit(5), tooLong, unit(6)}), {0, 43}},
        {"foreign bytes between units", concat({unit(5), garbage(9), unit(6)}), {0, 31}},
        {"stray label before the first unit", concat({ByteBuffer{0x06, 0x0E, 0x2B, 0x34, 0xFF}, garbage(30), unit(5), unit(6)}), {35, 57}},
        {"cut last unit", concat({unit(5), head(unit(40), 30)}), {0}},
        {"label only inside a short tail", concat({garbage(40), head(key(), 10)}), {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<uint64_t> offsets;
        for (const auto& u : listKlvUnits(c.bytes))
            offsets.push_back(u.offset);
        EXPECT_EQ(offsets, c.offsets);
    }
}

TEST(Klv, RecognisesOnlyUnitsFollowedByAnotherKey)
{
    EXPECT_FALSE(hasKlvKey(concat({garbage(50), ByteBuffer{0x06, 0x0E, 0x2B, 0x34}, garbage(50, 2)})));
    EXPECT_FALSE(hasKlvKey(concat({garbage(50), unit(3), garbage(50, 2)})));
    EXPECT_TRUE(hasKlvKey(concat({garbage(50), unit(3), unit(4)})));
}

TEST(Klv, OutputNameIsAKlvOrMxfName)
{
    TempDir dir;
    const ByteBuffer bytes = concat({unit(3), unit(4)});
    struct Case {
        const char* name;
        const char* fallback;
        const char* extension;
    };
    const Case cases[] = {{"a.mxf", "mxf", ".mxf"}, {"b.klv", "klv", ".klv"}, {"c.mov", "mxf", ".mxf"}, {"d", "mxf", ".mxf"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto path = dir.write(c.name, bytes);
        const RepairResult repaired = repairKlv(test_support::requestFor(path), bytes, c.fallback);
        ASSERT_TRUE(repaired.outputWritten) << repaired.status.message;
        EXPECT_EQ(fs::path(repaired.output.path).extension(), c.extension);
        EXPECT_EQ(readAll(repaired.output.path), bytes);
        EXPECT_EQ(actionWith(repaired, "rewrite-klv-units")->amount, 2u);
        EXPECT_DOUBLE_EQ(repaired.confidence, 0.84);
    }
}

TEST(Klv, MxfWithPrefixGarbagePlaysAfterRepair)
{
    REQUIRE_TOOL("ffmpeg");
    TempDir dir;
    const ByteBuffer mxf = mxfClip();
    ASSERT_FALSE(mxf.empty());
    EXPECT_TRUE(hasKlvKey(mxf));
    const ByteBuffer damaged = concat({garbage(321), mxf});
    const auto path = dir.write("camera.mxf", damaged);
    const RepairResult analysis = analyzeKlv(test_support::requestFor(path, Analyze), damaged, "mxf");
    ASSERT_TRUE(analysis.status.ok);
    ASSERT_EQ(analysis.findings.size(), 1u);
    EXPECT_EQ(analysis.findings[0].message, "garbage bytes before first KLV unit");
    EXPECT_EQ(analysis.findings[0].length, 321u);
    EXPECT_DOUBLE_EQ(analysis.confidence, 0.82);

    const RepairResult repaired = repairKlv(test_support::requestFor(path), damaged, "mxf");
    ASSERT_TRUE(repaired.outputWritten);
    EXPECT_EQ(readAll(repaired.output.path), mxf);
    std::string log;
    EXPECT_TRUE(playsCleanly(repaired.output.path, "", &log)) << log;
    EXPECT_EQ(decodedFrames(repaired.output.path), 50);
}

TEST(Klv, MxfKeepsTheFramesAfterADamagedUnit)
{
    REQUIRE_TOOL("ffmpeg");
    TempDir dir;
    const ByteBuffer mxf = mxfClip();
    // Break the length of a unit in the body: the units after it must survive.
    const auto units = listKlvUnits(mxf);
    ASSERT_GT(units.size(), 40u);
    ByteBuffer damaged = mxf;
    const uint64_t broken = nthUnit(mxf, units.size() / 2);
    damaged[broken + 16] = 0x80;
    const auto path = dir.write("broken.mxf", damaged);
    const RepairResult repaired = repairKlv(test_support::requestFor(path), damaged, "mxf");
    ASSERT_TRUE(repaired.outputWritten);
    EXPECT_EQ(actionWith(repaired, "rewrite-klv-units")->amount, units.size() - 1);
    EXPECT_GT(decodedFrames(repaired.output.path), 40);

    const ByteBuffer cut = head(mxf, mxf.size() * 3 / 4);
    const auto cutPath = dir.write("cut.mxf", cut);
    const RepairResult trimmed = repairKlv(test_support::requestFor(cutPath), cut, "mxf");
    ASSERT_TRUE(trimmed.outputWritten);
    EXPECT_GT(decodedFrames(trimmed.output.path), 25);
}
