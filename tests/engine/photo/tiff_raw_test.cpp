// TIFF and camera RAW: container repair, headerless IFD recovery, CR3 boxes and previews,
// judged by tiffinfo, exiftool and djpeg.

#include "photo_fixtures.h"

using namespace data_repair;
using namespace photo_fixtures;
using test_support::TempDir;
using test_support::quote;
using test_support::readAll;
using test_support::requestFor;
using test_support::run;

namespace {

void expectTiffinfoOk(const std::string& path)
{
    const auto r = run("tiffinfo -D " + quote(fs::path(path)) + " 2>&1");
    EXPECT_EQ(r.exitCode, 0) << r.output;
    EXPECT_EQ(r.output.find("Error"), std::string::npos) << r.output;
}

ByteBuffer box(const std::string& type, const ByteBuffer& payload)
{
    ByteBuffer b;
    appendBe32(b, static_cast<uint32_t>(8 + payload.size()));
    appendString(b, type);
    appendBytes(b, payload);
    return b;
}

} // namespace

// A TIFF cut inside its strips keeps every byte it has and is completed with zeros to the end
// of its last strip; tiffinfo then reads every strip. A directory naming a strip far beyond what
// any file here holds is reported but not filled.
TEST(PhotoTiff, CutStripsAreFilledToTheirDeclaredEnd)
{
    TempDir dir;
    for (const bool le : {true, false}) {
        const TiffLayout t = makeTiff(le, true);
        const uint64_t end = t.firstStrip + 4 * t.stripSize;
        ASSERT_EQ(t.bytes.size(), end);
        const ByteBuffer cut = sliceBytes(t.bytes, 0, end - t.stripSize - 10);
        const auto path = dir.write(le ? "le.tif" : "be.tif", concat({ByteBuffer(137, 0x42), cut}));
        const RepairResult r = repairWith(requestFor(path));
        ASSERT_TRUE(r.status.ok) << r.status.message;
        bool reported = false;
        for (const Finding& f : r.findings)
            reported = reported || (f.category == Truncated && !f.repairable && f.length == t.stripSize + 10 &&
                                    f.message == "TIFF image data is cut short; the lower part of the picture is lost");
        EXPECT_TRUE(reported);
        EXPECT_TRUE(hasAction(r, "fill-tiff-data"));
        ByteBuffer expected = cut;
        expected.resize(end, 0);
        EXPECT_EQ(readAll(r.output.path), expected);
        if (test_support::toolAvailable("tiffinfo")) {
            const auto info = test_support::run("tiffinfo -D " + test_support::quote(fs::path(r.output.path)));
            EXPECT_EQ(info.exitCode, 0) << info.output;
        }
    }

    // The last strip's byte count claims 3 GB.
    TiffLayout hostile = makeTiff(true, true);
    const uint64_t counts = findBytes(hostile.bytes, ByteBuffer{64, 0, 0, 0, 64, 0, 0, 0, 64, 0, 0, 0, 64, 0, 0, 0});
    ASSERT_NE(counts, npos);
    putLe32(hostile.bytes, counts + 12, 0xC0000000u);
    const RepairResult h = repairWith(requestFor(dir.write("hostile.tif", hostile.bytes)));
    ASSERT_TRUE(h.status.ok);
    EXPECT_FALSE(hasAction(h, "fill-tiff-data"));
    EXPECT_EQ(readAll(h.output.path), hostile.bytes);
}

TEST(PhotoTiff, IntactTiffIsWrittenUnchanged)
{
    REQUIRE_TOOL("tiffinfo");
    TempDir dir;
    for (const bool le : {true, false}) {
        const TiffLayout t = makeTiff(le);
        const auto path = dir.write(le ? "le.tif" : "be.tif", t.bytes);
        expectTiffinfoOk(path.string());
        const RepairResult r = repairWith(requestFor(path));
        ASSERT_TRUE(r.status.ok) << r.status.message;
        EXPECT_TRUE(r.actions.empty());
        EXPECT_DOUBLE_EQ(r.confidence, 0.72);
        EXPECT_EQ(r.output.kind, "repaired-raw-photo");
        EXPECT_EQ(readAll(r.output.path), t.bytes);
    }
}

TEST(PhotoTiff, GarbageBeforeANefIsTrimmedAndThePreviewSaved)
{
    REQUIRE_TOOL("djpeg");
    TempDir dir;
    const ByteBuffer preview = encodeJpeg(dir, 24, 16);
    const TiffLayout t = makeTiff(true, false, preview);
    const auto path = dir.write("cam.nef", concat({ByteBuffer(300, 0x77), t.bytes}));
    RepairRequest request = requestFor(path);
    request.writePreview = false; // the preview is saved all the same
    const RepairResult r = repairWith(request);
    ASSERT_TRUE(r.status.ok) << r.status.message;
    EXPECT_EQ(actionIds(r), (std::vector<std::string>{"trim-prefix", "extract-raw-preview"}));
    EXPECT_EQ(r.actions[0].amount, 300u);
    EXPECT_EQ(r.actions[0].description, "removed bytes before TIFF/RAW header");
    EXPECT_DOUBLE_EQ(r.confidence, 0.84);
    EXPECT_EQ(fs::path(r.output.path).filename(), "cam_repaired.nef");
    EXPECT_EQ(readAll(r.output.path), t.bytes);
    ASSERT_EQ(r.artifacts.size(), 1u);
    EXPECT_EQ(r.artifacts[0].kind, "raw-embedded-preview");
    EXPECT_EQ(fs::path(r.artifacts[0].path).filename(), "cam_preview.jpg");
    EXPECT_EQ(readAll(r.artifacts[0].path), preview);
    EXPECT_EQ(djpegSize(r.artifacts[0].path), "24 16");
    if (test_support::toolAvailable("exiftool")) {
        const auto e = run("exiftool -validate -warning " + quote(fs::path(r.output.path)));
        EXPECT_EQ(e.exitCode, 0) << e.output;
    }
}

TEST(PhotoTiff, InvalidFirstIfdOffsetIsPointedAtTheDirectory)
{
    REQUIRE_TOOL("tiffinfo");
    TempDir dir;
    TiffLayout t = makeTiff(false, true);
    putBe32(t.bytes, 4, 0);
    const auto path = dir.write("d.dng", t.bytes);
    const RepairResult a = analyzeWith(requestFor(path));
    bool indexDamaged = false;
    for (const Finding& f : a.findings)
        indexDamaged = indexDamaged || (f.category == IndexDamaged && f.offset == 4);
    EXPECT_TRUE(indexDamaged);
    const RepairResult r = repairWith(requestFor(path));
    uint64_t amount = 0;
    ASSERT_TRUE(hasAction(r, "repair-ifd-offset", &amount));
    EXPECT_EQ(amount, 4u);
    const ByteBuffer out = readAll(r.output.path);
    EXPECT_EQ(readBe32(out, 4), 8u);
    const fs::path asTif = dir / "d_check.tif";
    fs::copy_file(r.output.path, asTif);
    expectTiffinfoOk(asTif.string());
}

TEST(PhotoTiff, HeaderlessTiffIsRebuiltFromItsDirectory)
{
    REQUIRE_TOOL("tiffinfo");
    TempDir dir;
    for (const bool le : {true, false}) {
        const TiffLayout t = makeTiff(le);
        const uint64_t lost = t.firstStrip + t.stripSize + 10; // header, first strip and a bit more
        const ByteBuffer damaged = sliceBytes(t.bytes, lost, t.bytes.size());
        const auto path = dir.write(le ? "h_le.tif" : "h_be.tif", damaged);
        const RepairResult a = analyzeWith(requestFor(path));
        ASSERT_TRUE(a.status.ok);
        bool found = false;
        for (const Finding& f : a.findings)
            found = found || (f.confidence == 0.94 && f.length == lost);
        EXPECT_TRUE(found);
        const RepairResult r = repairWith(requestFor(path));
        ASSERT_TRUE(r.status.ok);
        uint64_t amount = 0;
        ASSERT_TRUE(hasAction(r, "rebuild-tiff-header-from-ifd", &amount));
        EXPECT_EQ(amount, lost);
        ASSERT_EQ(r.notes.size(), 1u);
        const ByteBuffer out = readAll(r.output.path);
        ASSERT_EQ(out.size(), t.bytes.size());
        EXPECT_TRUE(std::equal(out.begin() + static_cast<std::ptrdiff_t>(lost), out.end(),
                               t.bytes.begin() + static_cast<std::ptrdiff_t>(lost)));
        EXPECT_EQ(sliceBytes(out, 0, 8), sliceBytes(t.bytes, 0, 8));
        expectTiffinfoOk(r.output.path);
    }
}

// Many IFD-like records that all point at the same huge strip arrays: the search is bounded
// in total work, so this returns instead of running for hours.
TEST(PhotoTiff, HostileHeaderlessSearchEnds)
{
    TempDir dir;
    const uint32_t arrayCount = 200000;
    ByteBuffer b(16, 0);
    const uint32_t prefix = 64;
    const uint32_t offsetsAt = static_cast<uint32_t>(b.size());
    for (uint32_t i = 0; i < arrayCount; ++i)
        appendLe32(b, prefix + 16 + i * 4);
    const uint32_t countsAt = static_cast<uint32_t>(b.size());
    for (uint32_t i = 0; i < arrayCount; ++i)
        appendLe32(b, i == arrayCount - 1 ? 0 : 1); // the very last count fails, after all the reading
    for (int record = 0; record < 2000; ++record) {
        appendLe16(b, 9);
        const uint16_t tags[] = {256, 257, 258, 259, 262, 273, 277, 278, 279};
        for (const uint16_t tag : tags) {
            appendLe16(b, tag);
            const bool array = tag == 273 || tag == 279;
            appendLe16(b, array ? 4 : 3);
            appendLe32(b, array ? arrayCount : 1);
            appendLe32(b, tag == 273 ? offsetsAt + prefix : tag == 279 ? countsAt + prefix : 16);
        }
        appendLe32(b, 0);
    }
    const auto path = dir.write("hostile.tif", b);
    const RepairResult r = analyzeWith(requestFor(path));
    EXPECT_EQ(r.status.code, 24);
}

// A few hundred bytes whose only IFD points 64 MiB further on: the offsets fit the data, but
// nothing in the file stands for the prefix they imply, so no zero-filled 64 MiB file is made.
TEST(PhotoTiff, HeaderlessPrefixNeedsEvidenceInTheFile)
{
    TempDir dir;
    const uint32_t claimed = (64u << 20) - 1024;
    for (const bool stripInPrefix : {false, true}) {
        // IFD at 0 (ends at 114), out-of-line data from 122: bits, [offsets, counts,] the strip.
        ByteBuffer b;
        const uint32_t bitsAt = 122;
        const uint32_t arraysAt = bitsAt + 6;
        const uint32_t stripAt = stripInPrefix ? arraysAt + 16 : arraysAt;
        appendLe16(b, 9);
        auto entry = [&](uint16_t tag, uint16_t type, uint32_t count, uint32_t value) {
            appendLe16(b, tag), appendLe16(b, type), appendLe32(b, count), appendLe32(b, value);
        };
        entry(256, 3, 1, 4), entry(257, 3, 1, 4), entry(258, 3, 3, claimed + bitsAt);
        entry(259, 3, 1, 1), entry(262, 3, 1, 2);
        // With a strip in the prefix, that one strip alone claims to fill all of it.
        entry(273, 4, stripInPrefix ? 2 : 1, claimed + (stripInPrefix ? arraysAt : stripAt));
        entry(277, 3, 1, 3), entry(278, 4, 1, 4);
        entry(279, 4, stripInPrefix ? 2 : 1, stripInPrefix ? claimed + arraysAt + 8 : 48);
        appendLe32(b, 0);
        b.resize(bitsAt, 0);
        appendLe16(b, 8), appendLe16(b, 8), appendLe16(b, 8);
        if (stripInPrefix) {
            appendLe32(b, 8), appendLe32(b, claimed + stripAt);
            appendLe32(b, claimed - 8), appendLe32(b, 48);
        }
        b.resize(stripAt + 48, 0x80);
        const auto path = dir.write(stripInPrefix ? "claim_strip.tif" : "claim.tif", b);
        const RepairResult a = analyzeWith(requestFor(path));
        EXPECT_EQ(a.status.code, 24) << stripInPrefix;
        const RepairResult r = repairWith(requestFor(path));
        EXPECT_EQ(r.status.code, 24) << stripInPrefix;
        EXPECT_FALSE(r.outputWritten);
        EXPECT_FALSE(hasAction(r, "rebuild-tiff-header-from-ifd"));
    }
}

// Intact RAF and CRW files keep their headers: the TIFF header of their embedded EXIF is not
// the container's start.
TEST(PhotoRaw, IntactRafAndCrwAreKeptWhole)
{
    REQUIRE_TOOL("cjpeg");
    TempDir dir;
    const ByteBuffer preview = withExifThumbnail(encodeJpeg(dir, 32, 24), encodeJpeg(dir, 8, 8));
    ByteBuffer raf = bytesOf("FUJIFILMCCD-RAW 0201FF383501");
    raf.resize(0x94, 0);
    putBe32(raf, 0x54, 0x94);
    putBe32(raf, 0x58, static_cast<uint32_t>(preview.size()));
    appendBytes(raf, preview);
    appendBytes(raf, ByteBuffer(500, 0x5A));

    ByteBuffer crw = {'I', 'I', 0x1A, 0, 0, 0};
    appendString(crw, "HEAPCCDR");
    crw.resize(0x40, 0);
    appendBytes(crw, preview);
    appendBytes(crw, ByteBuffer(300, 0x11));

    for (const auto& [name, bytes] : {std::pair<std::string, ByteBuffer>{"f.raf", raf}, {"c.crw", crw}}) {
        const auto path = dir.write(name, bytes);
        const RepairResult a = analyzeWith(requestFor(path));
        ASSERT_TRUE(a.status.ok);
        ASSERT_EQ(a.findings.size(), 1u) << name << ": " << a.findings.back().message;
        EXPECT_EQ(a.findings[0].category, PreviewFound);
        const RepairResult r = repairWith(requestFor(path));
        ASSERT_TRUE(r.status.ok);
        EXPECT_FALSE(hasAction(r, "trim-prefix")) << name;
        EXPECT_EQ(readAll(r.output.path), bytes) << name;
        ASSERT_EQ(r.artifacts.size(), 1u);
        EXPECT_EQ(readAll(r.artifacts[0].path), preview);
    }

    // Garbage in front of a CRW: the cut keeps its byte order mark and header length.
    const auto shifted = dir.write("g.crw", concat({ByteBuffer(50, 0x33), crw}));
    const RepairResult g = repairWith(requestFor(shifted));
    uint64_t amount = 0;
    ASSERT_TRUE(hasAction(g, "trim-prefix", &amount));
    EXPECT_EQ(amount, 50u);
    EXPECT_EQ(readAll(g.output.path), crw);
}

// Chance FF D8 FF triples before the preview and FF D9 pairs after it: the preview is the
// walkable JPEG, ending at its own EOI.
TEST(PhotoRaw, PreviewSearchSkipsFalseStartsAndStopsAtItsOwnEnd)
{
    REQUIRE_TOOL("exiftool");
    TempDir dir;
    const ByteBuffer preview = encodeJpeg(dir, 40, 30);
    ByteBuffer raw = bytesOf("no header here");
    for (int i = 0; i < 20; ++i)
        appendBytes(raw, ByteBuffer{0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 0x01, 0x02});
    appendBytes(raw, preview);
    for (int i = 0; i < 20; ++i)
        appendBytes(raw, ByteBuffer{0x10, 0xFF, 0xD9, 0x20});
    const auto path = dir.write("p.raf", raw);
    RepairRequest request = requestFor(path, Extract);
    const RepairResult r = repairWith(request);
    ASSERT_TRUE(r.status.ok) << r.status.message;
    EXPECT_EQ(actionIds(r), (std::vector<std::string>{"preserve-preview-source", "extract-raw-preview"}));
    EXPECT_FALSE(r.outputWritten);
    EXPECT_TRUE(r.previewWritten);
    EXPECT_EQ(r.output.kind, "raw-embedded-preview");
    EXPECT_EQ(readAll(r.output.path), preview);
    EXPECT_FALSE(fs::exists(dir / "p_repaired.raf"));
    const auto e = run("exiftool -s3 -ImageSize " + quote(fs::path(r.output.path)));
    EXPECT_NE(e.output.find("40x30"), std::string::npos) << e.output;
}

TEST(PhotoRaw, NothingRecoverableFails)
{
    TempDir dir;
    const RepairResult r = repairWith(requestFor(dir.write("n.nef", ByteBuffer(4000, 0x21))));
    EXPECT_EQ(r.status.code, 24);
    EXPECT_DOUBLE_EQ(r.confidence, 0.2);
    ASSERT_EQ(r.findings.size(), 2u);
    EXPECT_EQ(r.findings[1].severity, Error);
    EXPECT_FALSE(r.findings[1].repairable);
    // Mode Extract on a RAW without preview: no output at all.
    const RepairResult x = repairWith(requestFor(dir.write("t.dng", makeTiff(true).bytes), Extract));
    ASSERT_TRUE(x.status.ok);
    EXPECT_FALSE(x.outputWritten);
    EXPECT_TRUE(x.output.path.empty());
}

TEST(PhotoCr3, BoxWalkRepairs)
{
    TempDir dir;
    const ByteBuffer ftyp = box("ftyp", bytesOf("crx \0\0\0\1crx isom"));
    const ByteBuffer moov = box("moov", ByteBuffer(40, 0x01));
    const ByteBuffer mdat = box("mdat", ByteBuffer(400, 0x02));
    const ByteBuffer cr3 = concat({ftyp, moov, mdat});

    struct Case {
        std::string name;
        ByteBuffer input;
        std::vector<std::string> actions;
        ByteBuffer expected;
    };
    ByteBuffer clamped = sliceBytes(cr3, 0, cr3.size() - 100);
    ByteBuffer clampedExpected = clamped;
    putBe32(clampedExpected, ftyp.size() + moov.size(), 308);
    ByteBuffer big = concat({ftyp, moov});
    appendBe32(big, 1);
    appendString(big, "mdat");
    appendBe64(big, 0xFFFFFFFFFFFFFFF0ull); // a size that would wrap the walk's arithmetic
    appendBytes(big, ByteBuffer(64, 3));
    ByteBuffer small = concat({ftyp, moov});
    appendBe32(small, 5);
    appendString(small, "junk");
    appendBytes(small, ByteBuffer(20, 0));
    // Box types are never examined: a type outside printable ASCII is copied like any other.
    const ByteBuffer binaryType = concat({ftyp, moov, ByteBuffer{0, 0, 0, 12, 0x00, 0x7F, 0xFF, 0x01, 9, 9, 9, 9}});
    const std::vector<Case> cases = {
        {"prefix", concat({ByteBuffer(512, 0x09), cr3}), {"trim-prefix"}, cr3},
        {"binary-type", binaryType, {}, binaryType},
        {"clamp", clamped, {"clamp-box-size"}, clampedExpected},
        {"big", big, {}, big},
        {"small", small, {"drop-invalid-box"}, concat({ftyp, moov})},
        {"tail", concat({cr3, ByteBuffer{1, 2, 3}}), {}, cr3},
    };
    for (const Case& c : cases) {
        const RepairResult r = repairWith(requestFor(dir.write(c.name + ".cr3", c.input)));
        ASSERT_TRUE(r.status.ok) << c.name << ": " << r.status.message;
        EXPECT_EQ(actionIds(r), c.actions) << c.name;
        EXPECT_EQ(readAll(r.output.path), c.expected) << c.name;
    }
    // The clamp reports how far the declared size overran the file.
    EXPECT_EQ(repairWith(requestFor(dir / "clamp.cr3")).actions.at(0).amount, 100u);
    const RepairResult trim = repairWith(requestFor(dir / "prefix.cr3"));
    EXPECT_EQ(trim.actions.at(0).amount, 512u);
    EXPECT_EQ(trim.actions.at(0).description, "removed bytes before CR3 ISO-BMFF ftyp box");
}
