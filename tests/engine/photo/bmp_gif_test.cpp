// BMP and GIF frame repair, judged by gifsicle, PIL and ImageMagick's identify.

#include "photo_fixtures.h"

using namespace data_repair;
using namespace photo_fixtures;
using test_support::TempDir;
using test_support::quote;
using test_support::readAll;
using test_support::requestFor;
using test_support::run;

namespace {

// A 24x24 GIF from PIL whose palette holds 3B bytes and whose LZW data is noisy.
ByteBuffer makeGif(const TempDir& dir)
{
    const fs::path out = dir / "made.gif";
    const auto r = python("from PIL import Image\nimport random\nrandom.seed(7)\n"
                          "im = Image.new('P', (24, 24))\n"
                          "im.putpalette([59] * 48 + list(range(0, 240)))\n"
                          "im.putdata([random.randrange(0, 96) for _ in range(24 * 24)])\n"
                          "im.save('" + out.string() + "')\n");
    EXPECT_EQ(r.exitCode, 0) << r.output;
    return readAll(out);
}

int pilLoads(const std::string& path)
{
    return python("from PIL import Image\nim = Image.open('" + path + "')\nim.load()\n").exitCode;
}

} // namespace

TEST(PhotoBmp, PrefixAndSizeFieldAreRepaired)
{
    TempDir dir;
    const ByteBuffer bmp = makeBmp();
    ByteBuffer damaged(10, 0x00);
    appendBytes(damaged, bmp);
    putLe32(damaged, 12, static_cast<uint32_t>(damaged.size())); // size field counts the garbage
    const auto path = dir.write("a.bmp", damaged);
    const RepairResult a = analyzeWith(requestFor(path));
    ASSERT_EQ(a.findings.size(), 2u);
    EXPECT_EQ(a.findings[0].category, HeaderDamaged);
    EXPECT_EQ(a.findings[1].category, IndexDamaged);
    const RepairResult r = repairWith(requestFor(path));
    EXPECT_EQ(actionIds(r), (std::vector<std::string>{"trim-bmp-prefix", "repair-bmp-size"}));
    EXPECT_EQ(readAll(r.output.path), bmp);
    EXPECT_DOUBLE_EQ(r.confidence, 0.82);
    if (test_support::toolAvailable("identify")) {
        const auto id = run("identify -regard-warnings " + quote(fs::path(r.output.path)));
        EXPECT_EQ(id.exitCode, 0) << id.output;
    }
    EXPECT_EQ(pilLoads(r.output.path), 0);

    ByteBuffer zeroOffset = bmp;
    putLe32(zeroOffset, 10, 0);
    const RepairResult z = analyzeWith(requestFor(dir.write("z.bmp", zeroOffset)));
    ASSERT_EQ(z.findings.size(), 1u);
    EXPECT_EQ(z.findings[0].category, StructureInvalid);
    EXPECT_FALSE(z.findings[0].repairable);

    ByteBuffer short13 = bytesOf("BM");
    short13.resize(13, 0);
    EXPECT_EQ(analyzeWith(requestFor(dir.write("s.bmp", short13))).status.code, 27);
}

// A cut BMP keeps the rows that survived and is completed with zero rows to the size its header
// declares; a header claiming far more than the file holds is not filled.
TEST(PhotoBmp, CutPixelArrayIsFilledToItsDeclaredSize)
{
    TempDir dir;
    const ByteBuffer bmp = makeBmp(); // 4 rows of 12 bytes, bottom-up
    const ByteBuffer cut = sliceBytes(bmp, 0, bmp.size() - 20);
    const auto path = dir.write("cut.bmp", cut);
    const RepairResult a = analyzeWith(requestFor(path));
    ASSERT_EQ(a.findings.size(), 2u);
    EXPECT_EQ(a.findings[1].category, Truncated);
    EXPECT_FALSE(a.findings[1].repairable);
    EXPECT_EQ(a.findings[1].message, "BMP pixel data is cut short; the upper part of the picture is lost");
    EXPECT_EQ(a.findings[1].length, 20u);
    const RepairResult r = repairWith(requestFor(path));
    ASSERT_TRUE(r.status.ok);
    EXPECT_TRUE(hasAction(r, "fill-bmp-rows"));
    ByteBuffer expected = cut;
    expected.resize(bmp.size(), 0);
    EXPECT_EQ(readAll(r.output.path), expected);
    if (test_support::toolAvailable("identify")) {
        const auto id = run("identify -regard-warnings -format '%w %h' " + quote(fs::path(r.output.path)));
        EXPECT_EQ(id.exitCode, 0) << id.output;
        EXPECT_EQ(id.output, "4 4");
    }

    // Top-down rows (a negative height) lose their lower part.
    ByteBuffer topDown = cut;
    putLe32(topDown, 22, static_cast<uint32_t>(-4));
    const RepairResult t = analyzeWith(requestFor(dir.write("top.bmp", topDown)));
    ASSERT_EQ(t.findings.size(), 2u);
    EXPECT_EQ(t.findings[1].message, "BMP pixel data is cut short; the lower part of the picture is lost");

    // A header claiming a 60000 x 60000 picture in a few bytes: reported, never filled.
    ByteBuffer huge = cut;
    putLe32(huge, 18, 60000);
    putLe32(huge, 22, 60000);
    const auto hugePath = dir.write("huge.bmp", huge);
    const RepairResult h = repairWith(requestFor(hugePath));
    ASSERT_TRUE(h.status.ok);
    EXPECT_FALSE(hasAction(h, "fill-bmp-rows"));
    EXPECT_EQ(readAll(h.output.path).size(), huge.size());

    // A header whose rows times row size pass 2^64 and wrap to about 8 MB: no pixel array of
    // that size is claimed, so nothing is reported missing from it.
    ByteBuffer wrapped = cut;
    putLe32(wrapped, 18, 2147437329u);
    putLe32(wrapped, 22, 1073764984u);
    wrapped[28] = 64;
    wrapped[29] = 0;
    const RepairResult w = analyzeWith(requestFor(dir.write("wrapped.bmp", wrapped)));
    for (const auto& finding : w.findings)
        EXPECT_EQ(finding.message.find("BMP pixel data is cut short"), std::string::npos) << finding.length;
}

TEST(PhotoGif, GarbageAroundAnIntactGifIsRemoved)
{
    REQUIRE_TOOL("gifsicle");
    TempDir dir;
    const ByteBuffer gif = makeGif(dir);
    ASSERT_FALSE(gif.empty());
    ByteBuffer damaged(17, 0x3B); // trailer bytes before the header are no trailer
    appendBytes(damaged, gif);
    appendBytes(damaged, ByteBuffer(100, 0x42));
    const RepairResult r = repairWith(requestFor(dir.write("g.gif", damaged)));
    ASSERT_TRUE(r.status.ok);
    EXPECT_EQ(actionIds(r), (std::vector<std::string>{"trim-gif-tail", "trim-gif-prefix"}));
    EXPECT_EQ(readAll(r.output.path), gif);

    ByteBuffer two(40, 0x01);
    appendBytes(two, gif);
    ByteBuffer other = bytesOf("GIF87a");
    two.insert(two.begin() + 200, other.begin(), other.end());
    EXPECT_EQ(analyzeWith(requestFor(dir.write("two.gif", two))).findings.at(0).length, 40u);
}

// 3B bytes inside the colour table and the LZW data are not the trailer: a cut GIF gets its
// open data block closed and a real trailer, and nothing it still holds is cut away.
TEST(PhotoGif, TruncatedGifIsClosedAtBlockLevel)
{
    REQUIRE_TOOL("gifsicle");
    TempDir dir;
    const ByteBuffer gif = makeGif(dir);
    ASSERT_GT(gif.size(), 100u);
    const ByteBuffer cut = sliceBytes(gif, 0, gif.size() - 30);
    ASSERT_NE(findBytes(cut, ByteBuffer{0x3B}), npos); // stray 3B bytes are present
    const auto path = dir.write("cut.gif", cut);
    const RepairResult a = analyzeWith(requestFor(path));
    ASSERT_EQ(a.findings.size(), 2u);
    EXPECT_EQ(a.findings[0].category, TrailerMissing);
    // The cut fell inside the only picture's data: its lower part is lost, which no repair restores.
    EXPECT_EQ(a.findings[1].category, Truncated);
    EXPECT_FALSE(a.findings[1].repairable);
    EXPECT_EQ(a.findings[1].message, "GIF image data is cut short; the lower part of the picture is lost");
    const RepairResult r = repairWith(requestFor(path));
    ASSERT_TRUE(r.status.ok);
    EXPECT_TRUE(hasAction(r, "append-gif-trailer"));
    EXPECT_FALSE(hasAction(r, "trim-gif-tail"));
    const ByteBuffer out = readAll(r.output.path);
    EXPECT_TRUE(std::equal(cut.begin(), cut.end(), out.begin()));
    EXPECT_EQ(out.back(), 0x3B);
    const auto info = run("gifsicle --info " + quote(fs::path(r.output.path)));
    EXPECT_EQ(info.exitCode, 0) << info.output;
    EXPECT_NE(info.output.find("1 image"), std::string::npos) << info.output;
    EXPECT_EQ(pilLoads(r.output.path), 0);
}
