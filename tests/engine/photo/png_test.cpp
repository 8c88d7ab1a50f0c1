// PNG chunk repair and pixel-stream salvage, judged by pngcheck and a row-by-row decode.

#include "media/container_fixtures.h"
#include "photo_fixtures.h"

using namespace data_repair;
using namespace photo_fixtures;
using test_support::TempDir;
using test_support::quote;
using test_support::readAll;
using test_support::requestFor;
using test_support::run;

namespace {

void expectPngcheckOk(const std::string& path)
{
    const auto r = run("pngcheck " + quote(fs::path(path)));
    EXPECT_EQ(r.exitCode, 0) << r.output;
}

ByteBuffer corruptCrcOf(ByteBuffer png, const std::string& type)
{
    const uint64_t at = findBytes(png, type);
    const uint64_t len = readBe32(png, at - 4);
    png[at + 4 + len] ^= 0x55;
    return png;
}

ByteBuffer head(const ByteBuffer& b, uint64_t n) { return sliceBytes(b, 0, n); }

// Offset of the n-th chunk of a type (the length field).
uint64_t chunkAt(const ByteBuffer& png, const std::string& type, int nth)
{
    uint64_t pos = 8;
    while (pos + 12 <= png.size()) {
        if (matchesAt(png, pos + 4, type) && nth-- == 0)
            return pos;
        pos += readBe32(png, pos) + 12;
    }
    return npos;
}

// A zlib stream of `zeros` zero bytes, made without holding them (Z_RLE is fast on zeros).
ByteBuffer compressedZeros(uint64_t zeros)
{
    z_stream zs{};
    EXPECT_EQ(deflateInit2(&zs, 9, Z_DEFLATED, 15, 8, Z_RLE), Z_OK);
    const ByteBuffer block(1 << 20, 0);
    ByteBuffer out;
    uint8_t window[1 << 16];
    int ret = Z_OK;
    do {
        const uint64_t piece = std::min<uint64_t>(zeros, block.size());
        zeros -= piece;
        zs.next_in = const_cast<Bytef*>(block.data());
        zs.avail_in = static_cast<uInt>(piece);
        do {
            zs.next_out = window;
            zs.avail_out = sizeof(window);
            ret = deflate(&zs, zeros == 0 ? Z_FINISH : Z_NO_FLUSH);
            out.insert(out.end(), window, window + (sizeof(window) - zs.avail_out));
        } while (zs.avail_out == 0);
    } while (zeros > 0);
    EXPECT_EQ(ret, Z_STREAM_END);
    deflateEnd(&zs);
    return out;
}

// Size of a complete zlib stream's output (npos when it does not end), counted in pieces; the
// number of non-zero bytes in *nonZero.
uint64_t inflatedSize(const ByteBuffer& z, uint64_t* nonZero)
{
    z_stream zs{};
    EXPECT_EQ(inflateInit(&zs), Z_OK);
    zs.next_in = const_cast<Bytef*>(z.data());
    zs.avail_in = static_cast<uInt>(z.size());
    uint8_t window[1 << 16];
    uint64_t total = 0;
    int ret = Z_OK;
    *nonZero = 0;
    while (ret == Z_OK) {
        zs.next_out = window;
        zs.avail_out = sizeof(window);
        ret = inflate(&zs, Z_NO_FLUSH);
        const uint64_t got = sizeof(window) - zs.avail_out;
        total += got;
        *nonZero += static_cast<uint64_t>(std::count_if(window, window + got, [](uint8_t c) { return c != 0; }));
    }
    inflateEnd(&zs);
    return ret == Z_STREAM_END ? total : npos;
}

// Signature, IHDR of an 8-bit RGBA image and one IDAT holding `idat`, cut `cut` bytes short.
ByteBuffer cutRgbaPng(uint32_t w, uint32_t h, const ByteBuffer& idat, uint64_t cut)
{
    ByteBuffer png = copyBytes(pngSignature());
    appendBytes(png, pngChunk("IHDR", ihdr(w, h, 8, 6, 0)));
    appendBytes(png, pngChunk("IDAT", idat));
    return head(png, png.size() - cut);
}

} // namespace

TEST(PhotoPng, IntactAndChunkLevelRepairs)
{
    REQUIRE_TOOL("pngcheck");
    TempDir dir;
    const ByteBuffer text = pngChunk("tEXt", bytesOf(std::string("Comment\0hello", 13)));
    const ByteBuffer png = makePng(20, 10, 8, 6, 0, 1 << 20, {text});

    const RepairResult intact = repairWith(requestFor(dir.write("ok.png", png)));
    ASSERT_TRUE(intact.status.ok);
    EXPECT_TRUE(intact.actions.empty());
    EXPECT_DOUBLE_EQ(intact.confidence, 0.96);
    EXPECT_EQ(readAll(intact.output.path), png);

    const auto badText = dir.write("text.png", corruptCrcOf(png, "tEXt"));
    const RepairResult a = analyzeWith(requestFor(badText));
    ASSERT_EQ(a.findings.size(), 1u);
    EXPECT_EQ(a.findings[0].severity, Info);
    EXPECT_DOUBLE_EQ(a.confidence, 0.74);
    const RepairResult r = repairWith(requestFor(badText));
    EXPECT_EQ(actionIds(r), std::vector<std::string>{"drop-ancillary"});
    EXPECT_DOUBLE_EQ(r.confidence, 0.8);
    EXPECT_EQ(countChunks(readAll(r.output.path), "tEXt"), 0);
    expectPngcheckOk(r.output.path);

    const auto badHeader = dir.write("ihdr.png", corruptCrcOf(png, "IHDR"));
    EXPECT_EQ(analyzeWith(requestFor(badHeader)).findings.at(0).severity, Warning);
    const RepairResult h = repairWith(requestFor(badHeader));
    EXPECT_EQ(actionIds(h), std::vector<std::string>{"rewrite-crc"});
    EXPECT_EQ(readAll(h.output.path), png);

    ByteBuffer prefixed(33, 0x20);
    appendBytes(prefixed, head(png, png.size() - 12)); // garbage in front, IEND gone
    const RepairResult p = repairWith(requestFor(dir.write("pre.png", prefixed)));
    EXPECT_EQ(actionIds(p), (std::vector<std::string>{"trim-png-prefix", "append-iend"}));
    EXPECT_EQ(readAll(p.output.path), png);
    expectPngcheckOk(p.output.path);
}

TEST(PhotoPng, CutInTheLastIdatIsSalvagedRowByRow)
{
    REQUIRE_TOOL("pngcheck");
    TempDir dir;
    const uint32_t w = 40, h = 30;
    const ByteBuffer raw = rawImage(w, h, 4, false);
    // Stored deflate (level 0) so that a cut maps onto whole rows of surviving data.
    ByteBuffer png = copyBytes(pngSignature());
    appendBytes(png, pngChunk("IHDR", ihdr(w, h, 8, 6, 0)));
    const ByteBuffer z = zlibCompress(raw, 0);
    for (uint64_t pos = 0; pos < z.size(); pos += 1000)
        appendBytes(png, pngChunk("IDAT", sliceBytes(z, pos, 1000)));
    appendBytes(png, pngChunk("IEND", {}));
    const uint64_t last = chunkAt(png, "IDAT", 3);
    ASSERT_NE(last, npos);
    const ByteBuffer cut = head(png, last + 8 + 300);
    const RepairResult r = repairWith(requestFor(dir.write("cut.png", cut)));
    ASSERT_TRUE(r.status.ok) << r.status.message;
    EXPECT_EQ(actionIds(r),
              (std::vector<std::string>{"drop-truncated-chunk", "append-iend", "salvage-truncated-idat"}));
    const ByteBuffer out = readAll(r.output.path);
    EXPECT_EQ(countChunks(out, "IDAT"), 1);
    expectPngcheckOk(r.output.path);
    const ByteBuffer decoded = zlibDecompress(idatData(out), raw.size());
    ASSERT_EQ(decoded.size(), raw.size());
    const uint64_t rowSize = 1 + w * 4;
    uint64_t salvaged = 0;
    ASSERT_TRUE(hasAction(r, "salvage-truncated-idat", &salvaged));
    const uint64_t produced = raw.size() - salvaged;
    const uint64_t fullRows = produced / rowSize;
    EXPECT_GT(fullRows, 0u);
    EXPECT_TRUE(std::equal(raw.begin(), raw.begin() + static_cast<std::ptrdiff_t>(fullRows * rowSize), decoded.begin()));
    for (uint64_t i = ((produced + rowSize - 1) / rowSize) * rowSize; i < decoded.size(); ++i)
        ASSERT_EQ(decoded[i], 0) << i;
}

// Cuts that leave the data whole or end exactly between chunks.
TEST(PhotoPng, CutsAtChunkEdges)
{
    REQUIRE_TOOL("pngcheck");
    TempDir dir;
    const ByteBuffer png = makePng(64, 48, 8, 2, 0, 100);
    const ByteBuffer idat = idatData(png);
    const uint64_t iend = chunkAt(png, "IEND", 0);

    // Only IEND and two bytes of the last IDAT's CRC are gone: every pixel is still there.
    const RepairResult crcCut = repairWith(requestFor(dir.write("crc.png", head(png, iend - 2))));
    ASSERT_TRUE(crcCut.status.ok) << crcCut.status.message;
    EXPECT_FALSE(hasAction(crcCut, "salvage-truncated-idat"));
    EXPECT_EQ(idatData(readAll(crcCut.output.path)), idat);
    expectPngcheckOk(crcCut.output.path);

    // Cut exactly between two IDAT chunks, and inside a chunk header.
    const uint64_t third = chunkAt(png, "IDAT", 6);
    for (const uint64_t length : {third, third + 5}) {
        const RepairResult r = repairWith(requestFor(dir.write("edge" + std::to_string(length) + ".png", head(png, length))));
        ASSERT_TRUE(r.status.ok) << length << ": " << r.status.message;
        EXPECT_TRUE(hasAction(r, "salvage-truncated-idat"));
        expectPngcheckOk(r.output.path);
    }
}

TEST(PhotoPng, DroppedAncillaryChunkStaysDroppedAfterSalvage)
{
    REQUIRE_TOOL("pngcheck");
    TempDir dir;
    const ByteBuffer text = pngChunk("tEXt", bytesOf(std::string("Comment\0broken", 14)));
    ByteBuffer png = corruptCrcOf(makePng(32, 32, 8, 0, 0, 60, {text}), "tEXt");
    const ByteBuffer cut = head(png, chunkAt(png, "IDAT", 2) + 50);
    const RepairResult r = repairWith(requestFor(dir.write("anc.png", cut)));
    ASSERT_TRUE(r.status.ok) << r.status.message;
    EXPECT_TRUE(hasAction(r, "drop-ancillary"));
    EXPECT_TRUE(hasAction(r, "salvage-truncated-idat"));
    EXPECT_EQ(countChunks(readAll(r.output.path), "tEXt"), 0);
    expectPngcheckOk(r.output.path);
}

TEST(PhotoPng, InterlacedImagesAreNotRefused)
{
    REQUIRE_TOOL("pngcheck");
    TempDir dir;
    const ByteBuffer png = makePng(33, 17, 8, 6, 1, 1 << 20);
    const RepairResult intact = repairWith(requestFor(dir.write("i.png", png)));
    ASSERT_TRUE(intact.status.ok) << intact.status.message;
    EXPECT_TRUE(intact.actions.empty());
    const RepairResult noEnd = repairWith(requestFor(dir.write("n.png", head(png, png.size() - 12))));
    ASSERT_TRUE(noEnd.status.ok) << noEnd.status.message;
    EXPECT_EQ(actionIds(noEnd), std::vector<std::string>{"append-iend"});
    expectPngcheckOk(noEnd.output.path);
    // A cut interlaced stream has no row-wise salvage.
    const RepairResult cut = repairWith(requestFor(dir.write("c.png", head(png, png.size() - 40))));
    EXPECT_EQ(cut.status.code, 24);
}

TEST(PhotoPng, UnrecoverableStreamsFail)
{
    TempDir dir;
    // Cut before one full row decodes.
    const ByteBuffer wide = makePng(2000, 4, 8, 6, 0, 1 << 20);
    const RepairResult early = repairWith(requestFor(dir.write("early.png", head(wide, 33 + 8 + 20))));
    EXPECT_EQ(early.status.code, 24);
    EXPECT_EQ(early.status.message, "PNG pixel stream could not be reconstructed");
    ASSERT_FALSE(early.notes.empty());
    EXPECT_EQ(early.notes.back(), "PNG IDAT stream could not be decoded into a complete image");
    EXPECT_FALSE(fs::exists(dir / "early_repaired.png"));

    // A header claiming 0x20000001 raw bytes over a small intact stream.
    ByteBuffer huge = copyBytes(pngSignature());
    appendBytes(huge, pngChunk("IHDR", ihdr(0x20000000, 1, 8, 0, 0)));
    appendBytes(huge, pngChunk("IDAT", zlibCompress(ByteBuffer(100, 0))));
    appendBytes(huge, pngChunk("IEND", {}));
    EXPECT_EQ(repairWith(requestFor(dir.write("huge.png", huge))).status.code, 24);

    // No pixel data at all: nothing to write.
    ByteBuffer shell = copyBytes(pngSignature());
    appendBytes(shell, pngChunk("IHDR", ihdr(4, 4, 8, 0, 0)));
    appendBytes(shell, pngChunk("IEND", {}));
    const auto shellPath = dir.write("shell.png", shell);
    EXPECT_TRUE(analyzeWith(requestFor(shellPath)).status.ok);
    const RepairResult s = repairWith(requestFor(shellPath));
    EXPECT_EQ(s.status.code, 22);
    EXPECT_FALSE(s.outputWritten);
}

TEST(PhotoPng, SixteenBitCutKeepsChunksWithoutSalvage)
{
    TempDir dir;
    const ByteBuffer png = makePng(16, 16, 16, 2, 0, 300);
    const ByteBuffer cut = head(png, chunkAt(png, "IDAT", 1) + 100);
    const RepairResult r = repairWith(requestFor(dir.write("deep.png", cut)));
    ASSERT_TRUE(r.status.ok) << r.status.message;
    EXPECT_FALSE(hasAction(r, "salvage-truncated-idat"));
    EXPECT_EQ(countChunks(readAll(r.output.path), "IDAT"), 1);
}

// Salvage works in memory set by the compressed data: the decoded image is never held whole, and
// rows missing after the cut are never materialised, whatever the header claims.
TEST(PhotoPng, SalvageMemoryFollowsTheDataPresent)
{
    REQUIRE_TOOL("pngcheck");
    TempDir dir;
    struct Shape {
        const char* name;
        uint32_t w, h;
        uint64_t decodedZeros; // bytes the cut stream still decodes to
    };
    const Shape shapes[] = {
        {"claim.png", 8192, 16000, 2 * (1 + 8192 * 4)}, // a tiny file claiming a 524 MB image
        {"dense.png", 2048, 8192, 7000ull * (1 + 2048 * 4)}, // 57 MB of rows from a few KB of data
    };
    for (const Shape& shape : shapes) {
        const uint64_t raw = static_cast<uint64_t>(shape.h) * (1 + shape.w * 4ull);
        // Cut inside the stream's final bytes: every row given stays decodable.
        const ByteBuffer z = compressedZeros(shape.decodedZeros);
        const auto path = dir.write(shape.name, cutRgbaPng(shape.w, shape.h, head(z, z.size() - 8), 6));
        const auto salvage = [&] {
            try {
                const RepairResult r = repairWith(requestFor(path));
                return r.status.ok && hasAction(r, "salvage-truncated-idat") ? 0 : 10;
            } catch (...) {
                return 11;
            }
        };
#if defined(__SANITIZE_ADDRESS__)
        ASSERT_EQ(salvage(), 0) << shape.name; // address space limits do not apply here
#else
        ASSERT_EQ(container_fixtures::exitCodeWithMemoryHeadroom(24ull << 20, salvage), 0) << shape.name;
#endif
        const fs::path out = dir / (fs::path(shape.name).stem().string() + "_repaired.png");
        expectPngcheckOk(out.string());
        uint64_t nonZero = 0;
        EXPECT_EQ(inflatedSize(idatData(readAll(out)), &nonZero), raw) << shape.name;
        EXPECT_EQ(nonZero, 0u) << shape.name;
    }
}

// A cut image too large to salvage is refused for that reason, not as a broken stream.
TEST(PhotoPng, CutImageOverTheSalvageLimitSaysSo)
{
    TempDir dir;
    const uint32_t w = 16384, h = 8193; // (1 + 4 * 16384) * 8193 = 536,944,641 bytes
    const ByteBuffer z = compressedZeros(3 * (1 + 4ull * w));
    const RepairResult r = repairWith(requestFor(dir.write("big.png", cutRgbaPng(w, h, z, 20))));
    EXPECT_EQ(r.status.code, 29);
    EXPECT_EQ(r.status.message, "image too large to salvage: 536944641 bytes decoded, limit 536870912");
    EXPECT_FALSE(r.outputWritten);
    EXPECT_FALSE(fs::exists(dir / "big_repaired.png"));
}
