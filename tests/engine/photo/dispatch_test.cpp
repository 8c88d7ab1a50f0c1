// Entry and format choice of the photo engine.

#include "photo_fixtures.h"

using namespace data_repair;
using namespace photo_fixtures;
using test_support::RecordingProgress;
using test_support::TempDir;
using test_support::readAll;
using test_support::requestFor;

TEST(PhotoDispatch, ContainerAndExtensionRules)
{
    TempDir dir;
    const ByteBuffer zip = {'P', 'K', 3, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    // "png" wins over the container test; ".jpg" does not.
    EXPECT_EQ(analyzeWith(requestFor(dir.write("z.png", zip))).status.code, 22);
    const RepairResult jpg = analyzeWith(requestFor(dir.write("z.jpg", zip)));
    EXPECT_EQ(jpg.status.code, 20);
    EXPECT_EQ(jpg.status.message, "input content is not a photo container");
    ASSERT_EQ(jpg.findings.size(), 1u);
    EXPECT_EQ(jpg.findings[0].category, UnsupportedFormat);
    EXPECT_EQ(jpg.confidence, 0.0);

    ByteBuffer riff13 = bytesOf("RIFF");
    riff13.resize(13, 0);
    EXPECT_EQ(analyzeWith(requestFor(dir.write("r13.jpg", riff13))).status.message,
              "input content is not a photo container");
    ByteBuffer riff11 = bytesOf("RIFF");
    riff11.resize(11, 0);
    EXPECT_NE(analyzeWith(requestFor(dir.write("r11.jpg", riff11))).status.message.find("sample"), std::string::npos);

    const RepairResult unknown = analyzeWith(requestFor(dir.write("x.dat", ByteBuffer(40, 0x11))));
    EXPECT_EQ(unknown.status.code, 20);
    EXPECT_EQ(unknown.status.message, "unsupported photo format");

    // The RAW/TIFF extension set wins over everything.
    ByteBuffer pngInTif = copyBytes(pngSignature());
    pngInTif.resize(64, 0);
    const RepairResult tif = analyzeWith(requestFor(dir.write("x.tif", pngInTif)));
    EXPECT_EQ(tif.format, "tif");
    EXPECT_EQ(tif.status.code, 24);
}

// A complete signature at offset 0 names the format whatever the extension or stray bytes say.
TEST(PhotoDispatch, SignatureAtStartDecides)
{
    REQUIRE_TOOL("cjpeg");
    TempDir dir;
    const ByteBuffer jpeg = encodeJpeg(dir, 16, 16);
    const RepairResult asPng = repairWith(requestFor(dir.write("photo.png", jpeg)));
    ASSERT_TRUE(asPng.status.ok) << asPng.status.message;
    EXPECT_EQ(asPng.format, "jpg");
    EXPECT_EQ(readAll(asPng.output.path), jpeg);

    ByteBuffer gif = bytesOf("GIF89a");
    const ByteBuffer screen = {4, 0, 4, 0, 0x80, 0, 0, 0xFF, 0xD8, 0, 0, 0, 0};
    appendBytes(gif, screen);
    appendU8(gif, 0x3B);
    const RepairResult asJpg = analyzeWith(requestFor(dir.write("g.jpg", gif)));
    EXPECT_EQ(asJpg.format, "gif");

    const RepairResult tiff = analyzeWith(requestFor(dir.write("t.jpg", makeTiff(true).bytes)));
    EXPECT_EQ(tiff.format, "tif");
    EXPECT_TRUE(tiff.status.ok);
}

TEST(PhotoDispatch, ReadFailureAndCancellation)
{
    TempDir dir;
    RepairRequest missing = requestFor(dir / "none.jpg", Repair);
    const RepairResult a = analyzeWith(missing);
    EXPECT_EQ(a.status.code, 2);
    EXPECT_EQ(a.mode, Analyze);
    EXPECT_EQ(a.kind, Photo);
    EXPECT_EQ(repairWith(missing).mode, Repair);

    RecordingProgress progress;
    progress.cancel = true;
    const auto engine = createFileRepairFactory()->createPhotoRepair();
    const RepairResult c = engine->repair(requestFor(dir.write("c.jpg", ByteBuffer{0xFF, 0xD8})), &progress);
    EXPECT_EQ(c.status.code, 5);
    EXPECT_EQ(c.status.message, "photo repair cancelled");
    for (const ProgressEvent& e : progress.events)
        EXPECT_NE(e.step, "repair");
    ASSERT_FALSE(progress.events.empty());
    EXPECT_EQ(progress.events[0].step, "read");
    EXPECT_EQ(progress.events[0].source, Photo);
}

TEST(PhotoDispatch, TinyInputsNeverCrash)
{
    TempDir dir;
    for (const std::string ext : {"jpg", "png", "gif", "bmp", "tif", "cr3", "raf", "dat"}) {
        for (const ByteBuffer& bytes : {ByteBuffer{}, ByteBuffer{0xFF}, ByteBuffer{0xFF, 0xD8}, ByteBuffer{'B', 'M'}}) {
            const auto path = dir.write("t." + ext, bytes);
            RepairRequest request = requestFor(path);
            request.overwrite = true;
            (void)analyzeWith(request);
            (void)repairWith(request);
        }
    }
}
