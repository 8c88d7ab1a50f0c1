// JPEG analysis and repair, judged by djpeg and jpeginfo.

#include <filesystem>

#include "photo/photo_formats.h"
#include "photo_fixtures.h"

using namespace data_repair;
using namespace photo_fixtures;
using test_support::TempDir;
using test_support::readAll;
using test_support::requestFor;

namespace {

} // namespace

TEST(PhotoJpeg, IntactFileIsCopiedUnchanged)
{
    REQUIRE_TOOL("cjpeg");
    TempDir dir;
    const ByteBuffer jpeg = encodeJpeg(dir, 32, 24);
    const auto path = dir.write("a.jpeg", jpeg);
    const RepairResult r = repairWith(requestFor(path));
    ASSERT_TRUE(r.status.ok) << r.status.message;
    EXPECT_TRUE(r.actions.empty());
    EXPECT_DOUBLE_EQ(r.confidence, 0.95);
    EXPECT_EQ(r.format, "jpg");
    EXPECT_EQ(fs::path(r.output.path).filename(), "a_repaired.jpg");
    EXPECT_EQ(readAll(r.output.path), jpeg);
    EXPECT_TRUE(r.artifacts.empty());
}

TEST(PhotoJpeg, GarbagePrefixIsTrimmed)
{
    REQUIRE_TOOL("djpeg");
    TempDir dir;
    const ByteBuffer jpeg = encodeJpeg(dir, 32, 24);
    const auto path = dir.write("a.jpg", concat({ByteBuffer(100, 0x41), jpeg}));
    const RepairResult analysis = analyzeWith(requestFor(path));
    ASSERT_FALSE(analysis.findings.empty());
    EXPECT_EQ(analysis.findings[0].message, "garbage bytes before JPEG SOI marker");
    EXPECT_EQ(analysis.findings[0].length, 100u);
    const RepairResult r = repairWith(requestFor(path));
    ASSERT_TRUE(r.status.ok);
    EXPECT_EQ(actionIds(r), std::vector<std::string>{"trim-prefix"});
    EXPECT_DOUBLE_EQ(r.confidence, 0.82);
    EXPECT_EQ(readAll(r.output.path), jpeg);
    int code = -1;
    EXPECT_EQ(djpegSize(r.output.path, &code), "32 24");
    EXPECT_EQ(code, 0);
}

// A camera JPEG cut short keeps its main image: the EXIF thumbnail's own SOS and EOI inside
// APP1 must not be taken for the end of the file.
TEST(PhotoJpeg, TruncatedExifJpegKeepsItsMainImage)
{
    REQUIRE_TOOL("djpeg");
    TempDir dir;
    const ByteBuffer main = encodeJpeg(dir, 96, 64);
    const ByteBuffer thumb = encodeJpeg(dir, 8, 8);
    const ByteBuffer exif = withExifThumbnail(main, thumb);
    const ByteBuffer cut(exif.begin(), exif.begin() + static_cast<std::ptrdiff_t>(exif.size() * 6 / 10));
    const auto path = dir.write("camera.jpg", cut);

    const RepairResult analysis = analyzeWith(requestFor(path));
    bool eoiMissing = false, trailing = false;
    for (const Finding& f : analysis.findings) {
        eoiMissing = eoiMissing || f.message == "JPEG EOI marker is missing";
        trailing = trailing || f.message == "trailing bytes after JPEG EOI marker";
    }
    EXPECT_TRUE(eoiMissing);
    EXPECT_FALSE(trailing);

    RepairRequest request = requestFor(path);
    request.writePreview = true;
    const RepairResult r = repairWith(request);
    ASSERT_TRUE(r.status.ok) << r.status.message;
    EXPECT_FALSE(hasAction(r, "trim-trailing"));
    EXPECT_TRUE(hasAction(r, "append-eoi"));
    const ByteBuffer out = readAll(r.output.path);
    EXPECT_EQ(out.size(), cut.size() + 2);
    EXPECT_EQ(djpegSize(r.output.path), "96 64"); // the main image, not the 8x8 thumbnail
    // The thumbnail still comes out as the preview, byte for byte.
    ASSERT_EQ(r.artifacts.size(), 1u);
    EXPECT_EQ(r.artifacts[0].kind, "embedded-preview");
    EXPECT_EQ(readAll(r.artifacts[0].path), thumb);
    EXPECT_TRUE(hasAction(r, "extract-preview"));
}

TEST(PhotoJpeg, LostEndIsCutAtTheLastRestartMarker)
{
    REQUIRE_TOOL("jpeginfo");
    TempDir dir;
    const ByteBuffer jpeg = encodeJpeg(dir, 64, 64, "-restart 1");
    const ByteBuffer cut(jpeg.begin(), jpeg.begin() + static_cast<std::ptrdiff_t>(jpeg.size() * 7 / 10));
    const auto path = dir.write("r.jpg", cut);
    const RepairResult r = repairWith(requestFor(path));
    ASSERT_TRUE(r.status.ok);
    EXPECT_EQ(actionIds(r), (std::vector<std::string>{"truncate-to-restart", "append-eoi"}));
    const ByteBuffer out = readAll(r.output.path);
    ASSERT_GE(out.size(), 4u);
    EXPECT_EQ(out[out.size() - 4], 0xFF);
    EXPECT_GE(out[out.size() - 3], 0xD0);
    EXPECT_LE(out[out.size() - 3], 0xD7);
    EXPECT_EQ(djpegSize(r.output.path), "64 64");
}

TEST(PhotoJpeg, MissingHeaderWithoutSampleAsksForOne)
{
    TempDir dir;
    const auto path = dir.write("h.jpg", ByteBuffer(64, 0x12));
    const RepairResult r = repairWith(requestFor(path));
    EXPECT_EQ(r.status.code, 20);
    EXPECT_NE(r.status.message.find("compatible normal sample is required"), std::string::npos);
    EXPECT_TRUE(r.sampleRequired);

    RepairRequest unreadable = requestFor(path);
    unreadable.sample = makeSourceInfo((dir / "absent.jpg").string());
    const RepairResult u = analyzeWith(unreadable);
    EXPECT_EQ(u.status.code, 20);
    EXPECT_EQ(u.status.message, "failed to open input file");
}

// A graft restores decoding metadata; the sample's EXIF (its date, position, serial and
// thumbnail) is not carried into the user's file, and no preview comes from it.
TEST(PhotoJpeg, GraftedSampleHeaderLeavesTheSamplesExifBehind)
{
    REQUIRE_TOOL("djpeg");
    TempDir dir;
    const ByteBuffer original = encodeJpeg(dir, 48, 32);
    const ByteBuffer sample = withExifThumbnail(original, encodeJpeg(dir, 8, 8));
    const uint64_t sos = findMarker(original, 0xDA);
    const uint64_t scanData = sos + 2 + readBe16(original, sos + 2);
    const ByteBuffer headless(original.begin() + static_cast<std::ptrdiff_t>(scanData), original.end());
    const auto path = dir.write("lost.jpg", headless);
    RepairRequest request = requestFor(path);
    request.sample = makeSourceInfo(dir.write("sample.jpg", sample).string());
    request.writePreview = true;

    const RepairResult r = repairWith(request);
    ASSERT_TRUE(r.status.ok) << r.status.message;
    EXPECT_TRUE(hasAction(r, "borrow-sample-header"));
    EXPECT_FALSE(hasAction(r, "extract-preview"));
    EXPECT_TRUE(r.artifacts.empty());
    EXPECT_TRUE(r.usedReference);
    ASSERT_EQ(r.notes.size(), 1u);
    const ByteBuffer out = readAll(r.output.path);
    EXPECT_EQ(findBytes(out, "Exif"), npos);
    EXPECT_EQ(findMarker(out, 0xE1), npos);
    EXPECT_EQ(out, original); // the same encoder's header without the APP1 is the original header
    EXPECT_EQ(djpegSize(r.output.path), "48 32");
}

TEST(PhotoJpeg, MissingHuffmanTablesAreBorrowedFromTheSample)
{
    REQUIRE_TOOL("djpeg");
    TempDir dir;
    const ByteBuffer jpeg = encodeJpeg(dir, 32, 32);
    ByteBuffer damaged = jpeg;
    int removed = 0;
    for (uint64_t p; (p = findMarker(damaged, 0xC4)) != npos; ++removed)
        damaged = withoutSegment(damaged, p);
    ASSERT_GT(removed, 0);
    const auto path = dir.write("t.jpg", damaged);

    const RepairResult alone = repairWith(requestFor(path));
    EXPECT_TRUE(alone.sampleRequired);

    RepairRequest request = requestFor(path);
    request.sample = makeSourceInfo(dir.write("s.jpg", jpeg).string());
    request.overwrite = true;
    const RepairResult r = repairWith(request);
    ASSERT_TRUE(r.status.ok);
    uint64_t amount = 0;
    ASSERT_TRUE(hasAction(r, "borrow-sample-tables", &amount));
    EXPECT_EQ(amount, static_cast<uint64_t>(removed));
    int code = -1;
    EXPECT_EQ(djpegSize(r.output.path, &code), "32 32");
    EXPECT_EQ(code, 0);

    // A sample larger than memory: the tables are taken from its head.
    const auto huge = dir.write("huge.jpg", jpeg);
    std::error_code ec;
    std::filesystem::resize_file(huge, 64ull << 30, ec);
    if (ec)
        GTEST_SKIP() << "no sparse files here: " << ec.message();
    request.sample = makeSourceInfo(huge.string());
    const RepairResult fromHuge = repairWith(request);
    ASSERT_TRUE(fromHuge.status.ok) << fromHuge.status.message;
    EXPECT_TRUE(hasAction(fromHuge, "borrow-sample-tables"));
    EXPECT_EQ(djpegSize(fromHuge.output.path), "32 32");
}

// One table of several taken out: the scan refers to a table nothing defines, which djpeg cannot
// decode. The analysis names it and asks for a sample, whose table the repair then borrows; the
// file's own other tables stay.
TEST(PhotoJpeg, ScanUsingAnUndefinedTableNeedsASample)
{
    REQUIRE_TOOL("djpeg");
    struct Case {
        uint8_t marker;
        const char* finding;
    };
    for (const Case c : {Case{0xDB, "JPEG scan uses a quantization table that no DQT segment defines"},
                         Case{0xC4, "JPEG scan uses a Huffman table that no DHT segment defines"}}) {
        TempDir dir;
        const ByteBuffer jpeg = encodeJpeg(dir, 32, 32);
        const uint64_t first = findMarker(jpeg, c.marker);
        ASSERT_NE(first, npos);
        const ByteBuffer damaged = withoutSegment(jpeg, first);
        ASSERT_NE(findMarker(damaged, c.marker), npos) << c.finding; // the other tables are still there
        const auto path = dir.write("t.jpg", damaged);
        if (c.marker == 0xDB) {
            int code = -1;
            EXPECT_EQ(djpegSize(path, &code), "") << "djpeg decodes a file without quantization table 0";
        }

        const RepairResult a = analyzeWith(requestFor(path));
        ASSERT_TRUE(a.status.ok);
        EXPECT_TRUE(a.sampleRequired) << c.finding;
        bool named = false;
        for (const Finding& f : a.findings)
            named = named || (f.message == c.finding && f.category == MetadataMissing && f.severity == Warning);
        EXPECT_TRUE(named) << c.finding;

        RepairRequest request = requestFor(path);
        request.sample = makeSourceInfo(dir.write("s.jpg", jpeg).string());
        const RepairResult r = repairWith(request);
        ASSERT_TRUE(r.status.ok) << r.status.message;
        EXPECT_TRUE(hasAction(r, "borrow-sample-tables")) << c.finding;
        int code = -1;
        EXPECT_EQ(djpegSize(r.output.path, &code), "32 32") << c.finding;
        EXPECT_EQ(code, 0) << c.finding;
    }

    // An intact file names no table as missing.
    TempDir dir;
    const RepairResult intact = analyzeWith(requestFor(dir.write("i.jpg", encodeJpeg(dir, 16, 16, "-progressive"))));
    EXPECT_TRUE(intact.findings.empty());
}

TEST(PhotoJpeg, EmptySampleGivesAPlainNote)
{
    REQUIRE_TOOL("cjpeg");
    TempDir dir;
    const ByteBuffer jpeg = encodeJpeg(dir, 16, 16);
    const auto path = dir.write("t.jpg", withoutSegment(jpeg, findMarker(jpeg, 0xC4)));
    RepairRequest request = requestFor(path);
    request.sample = makeSourceInfo(dir.write("empty.jpg", ByteBuffer{}).string());
    const RepairResult r = repairWith(request);
    ASSERT_FALSE(r.notes.empty());
    EXPECT_EQ(r.notes[0], "sample file is empty");
}

// SOI and EOI alone decode to nothing: the repair says so instead of writing a shell.
TEST(PhotoJpeg, NothingDecodableIsAFailure)
{
    TempDir dir;
    const auto path = dir.write("e.jpg", ByteBuffer{0xFF, 0xD8, 0xFF, 0xD9});
    const RepairResult a = analyzeWith(requestFor(path));
    ASSERT_TRUE(a.status.ok);
    EXPECT_DOUBLE_EQ(a.confidence, 0.68);
    ASSERT_EQ(a.findings.size(), 4u);
    EXPECT_EQ(a.findings[3].severity, Error);
    for (const Finding& f : a.findings)
        EXPECT_FALSE(f.repairable);
    const RepairResult r = repairWith(requestFor(path));
    EXPECT_EQ(r.status.code, 20);
    EXPECT_NE(r.status.message.find("compatible normal sample is required"), std::string::npos);
    EXPECT_FALSE(r.outputWritten);
    EXPECT_FALSE(fs::exists(dir / "e_repaired.jpg"));
}

TEST(PhotoJpeg, MarkerWalkEdgeCases)
{
    struct Case {
        ByteBuffer bytes;
        bool invalid;
        bool structure;
        uint64_t bad;
    };
    const std::vector<Case> cases = {
        {{0xFF, 0xD8, 0xFF, 0xFF, 0xFF, 0xDB, 0x00, 0x02, 0xFF, 0xD9}, false, false, npos}, // fill bytes
        {{0xFF, 0xD8, 0xFF, 0xDE, 0x00, 0x02, 0xFF, 0xD9}, true, false, 2},                 // unknown marker
        {{0xFF, 0xD8, 0xFF, 0xF0, 0x00, 0x02, 0xFF, 0xD9}, true, false, 2},
        {{0xFF, 0xD8, 0xFF, 0x00, 0xFF, 0xD9}, false, true, 2},                             // FF 00
        {{0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x40, 0x00}, false, true, 2},                       // overlong
        {{0xFF, 0xD8, 0xFF, 0x01, 0xFF, 0xD0, 0xFF, 0xD9}, false, false, npos},             // no-length
        {{0xFF}, false, false, npos},
        {{}, false, false, npos},
    };
    // Two EOIs after the scan: the later one ends the image.
    const ByteBuffer twoEoi = {0xFF, 0xD8, 0xFF, 0xDA, 0x00, 0x02, 0x11, 0xFF, 0xD9, 0x22, 0xFF, 0xD9, 0x33};
    EXPECT_EQ(findJpegEoi(twoEoi), 10u);
    EXPECT_EQ(findLastMarker(ByteBuffer{0xFF}, 0xD9), npos);
    for (const Case& c : cases) {
        const JpegMarkerScan s = scanJpegMarkers(c.bytes);
        EXPECT_EQ(s.invalidMarker, c.invalid);
        EXPECT_EQ(s.structureError, c.structure);
        EXPECT_EQ(s.badMarkerOffset, c.bad);
    }
}

TEST(PhotoJpeg, ExtractModeWritesOnlyThePreview)
{
    REQUIRE_TOOL("cjpeg");
    TempDir dir;
    const ByteBuffer thumb = encodeJpeg(dir, 8, 8);
    const auto path = dir.write("x.jpg", withExifThumbnail(encodeJpeg(dir, 32, 32), thumb));
    RepairRequest request = requestFor(path, Extract);
    request.writePreview = true;
    request.outputPath = (dir / "elsewhere" / "chosen.jpg").string();
    const RepairResult r = repairWith(request);
    ASSERT_TRUE(r.status.ok);
    EXPECT_FALSE(r.outputWritten);
    ASSERT_EQ(r.artifacts.size(), 1u);
    EXPECT_EQ(fs::path(r.artifacts[0].path).filename(), "x_preview.jpg");
    EXPECT_EQ(readAll(r.artifacts[0].path), thumb);
    EXPECT_FALSE(fs::exists(dir / "x_repaired.jpg"));
}

// A segment whose length is a few bytes short does not hide the tables and scan after it: the
// walk picks up at the next marker, reports that segment, and the file that djpeg decodes is
// repaired, not refused.
TEST(PhotoJpeg, MisstatedSegmentLengthIsSteppedOver)
{
    REQUIRE_TOOL("cjpeg");
    REQUIRE_TOOL("djpeg");
    TempDir dir;
    const ByteBuffer intact = encodeJpeg(dir, 40, 24);
    ASSERT_EQ(readBe16(intact, 2), 0xFFE0u);
    // Decoded pixels as djpeg writes them (its warnings go elsewhere).
    const auto pixelsOf = [&](const fs::path& jpeg) {
        const fs::path ppm = dir / (jpeg.stem().string() + ".ppm");
        test_support::run("djpeg -pnm -outfile " + test_support::quote(ppm) + " " + test_support::quote(jpeg));
        return fs::exists(ppm) ? readAll(ppm) : ByteBuffer{};
    };
    const ByteBuffer pixels = pixelsOf(dir.write("ok.jpg", intact));
    ASSERT_FALSE(pixels.empty());

    ByteBuffer shortApp0 = intact;
    putBe16(shortApp0, 4, static_cast<uint16_t>(readBe16(intact, 4) - 2));
    // A comment after APP0 whose length stops inside its text.
    const uint64_t afterApp0 = 4 + readBe16(intact, 4);
    const std::string text = "scanned by hand";
    ByteBuffer comment = {0xFF, 0xFE};
    appendBe16(comment, static_cast<uint16_t>(2 + text.size() - 3));
    appendString(comment, text);
    ByteBuffer shortComment = sliceBytes(intact, 0, afterApp0);
    appendBytes(shortComment, comment);
    appendRange(shortComment, intact, afterApp0, intact.size() - afterApp0);

    const struct {
        const char* name;
        ByteBuffer bytes;
        uint64_t segment;
    } cases[] = {{"app0.jpg", shortApp0, 2}, {"com.jpg", shortComment, afterApp0}};
    for (const auto& c : cases) {
        const auto path = dir.write(c.name, c.bytes);
        const JpegMarkerScan s = scanJpegMarkers(c.bytes);
        EXPECT_TRUE(s.structureError) << c.name;
        EXPECT_EQ(s.badMarkerOffset, c.segment) << c.name;
        EXPECT_TRUE(s.hasQuantTables && s.hasHuffmanTables && s.hasFrameHeader) << c.name;
        EXPECT_NE(s.sosOffset, npos) << c.name;

        const RepairResult a = analyzeWith(requestFor(path));
        ASSERT_EQ(a.findings.size(), 1u) << c.name;
        EXPECT_EQ(a.findings[0].category, StructureInvalid);
        EXPECT_EQ(a.findings[0].offset, c.segment);

        const RepairResult r = repairWith(requestFor(path));
        ASSERT_TRUE(r.status.ok) << c.name << ": " << r.status.message;
        ASSERT_TRUE(r.outputWritten);
        EXPECT_TRUE(pixelsOf(r.output.path) == pixels) << c.name;
    }
}
