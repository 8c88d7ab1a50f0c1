#include <gtest/gtest.h>

#include "data_repair/detection.h"

using namespace data_repair;

namespace {

ByteBuffer hex(std::initializer_list<int> values)
{
    ByteBuffer b;
    for (int v : values)
        b.push_back(static_cast<uint8_t>(v));
    return b;
}

ByteBuffer ftyp(const std::string& brand, const std::string& compatible = "")
{
    ByteBuffer b;
    appendBe32(b, static_cast<uint32_t>(16 + compatible.size()));
    appendString(b, "ftyp");
    appendString(b, brand);
    appendBe32(b, 0);
    appendString(b, compatible);
    return b;
}

ByteBuffer oleWith(const std::string& streamName)
{
    ByteBuffer b{0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    b.resize(512, 0);
    for (char c : streamName) {
        b.push_back(static_cast<uint8_t>(c));
        b.push_back(0);
    }
    return b;
}

struct Case {
    const char* name;
    ByteBuffer bytes;
    FileKind kind;
    const char* format;
};

} // namespace

TEST(Detection, KindAndFormatTable)
{
    const std::vector<Case> cases = {
        {"clip.mp4", {}, Video, "mp4"},
        {"noext", {}, Unknown, "unknown"},
        {"report.docx", hex({'P', 'K', 3, 4, 0, 0}), Document, "docx"},
        {"data.bin", hex({'P', 'K', 3, 4, 0, 0}), Archive, "zip"},
        {"odd.bin", hex({'P', 'K', 3, 8}), Archive, "zip"},
        {"x.bin", oleWith("Workbook"), Document, "xls"},
        {"x.xlsm", oleWith("Workbook"), Document, "xlsm"},
        {"x.bin", oleWith("PowerPoint Document"), Document, "ppt"},
        {"x.bin", oleWith("Nothing"), Document, "doc"},
        {"book.m4a.bin", ftyp("M4B "), Audio, "m4a"},
        {"raw.cr3", ftyp("isom"), Photo, "cr3"},
        {"clip.mov", ftyp("qt  "), Video, "mov"},
        {"clip.weird", ftyp("isom"), Video, "mp4"},
        {"voice.bin", ftyp("isom", "iso2M4A "), Audio, "m4a"},
        {"song.bin", hex({0xFF, 0xFB, 0x90, 0x00}), Audio, "mp3"},
        {"notadts.bin", hex({0xFF, 0xF1, 0x3C, 0x80, 0x01, 0x00, 0x00}), Unknown, "bin"},
        {"photo.jpg", hex({0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}), Photo, "png"},
        {"notes.TXT", bytesOf("hello"), Document, "txt"},
        {"notes.txt", bytesOf("BMxx"), Photo, "bmp"},
        {"pic.jpeg", hex({0xFF, 0xD8, 0xFF}), Photo, "jpeg"},
        {"pic.JPG", hex({0xFF, 0xD8, 0xFF}), Photo, "jpg"},
        {"doc.bin", bytesOf("%PDF-1.7"), Document, "pdf"},
        {"doc.bin", bytesOf("{\\rtf1"), Document, "rtf"},
        {"a.gif", bytesOf("GIF89a"), Photo, "gif"},
        {"a", bytesOf(std::string("RIFF\0\0\0\0WAVE", 12)), Audio, "wav"},
        {"a", bytesOf("fLaC"), Audio, "flac"},
        {"a", bytesOf("OggS"), Audio, "ogg"},
        {"a", bytesOf(std::string("RIFF\0\0\0\0AVI ", 12)), Video, "avi"},
        {"a", hex({0x1A, 0x45, 0xDF, 0xA3}), Video, "mkv"},
        {"a", bytesOf("FLV\x01"), Video, "flv"},
        {"a", hex({0, 0, 1, 0xBA}), Video, "mpeg"},
        {"a", hex({0x06, 0x0E, 0x2B, 0x34}), Video, "mxf"},
        {"clip.mp3", bytesOf(std::string("RIFF\0\0\0\0AVI ", 12)), Audio, "mp3"}, // extension rule comes first
        {"archive.zip", bytesOf("junk"), Archive, "zip"},
        {"clip.wma", bytesOf("junk"), Video, "wma"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(detectFileKind(c.name, c.bytes), c.kind);
        EXPECT_EQ(detectFormatName(c.name, c.bytes), c.format);
    }
}

TEST(Detection, TransportStreamGridDiffersBetweenKindAndName)
{
    // Three 0x47 on one 188-byte grid but not consecutive packets: kind Video, name "mp4".
    ByteBuffer sparse(188 * 6, 0);
    sparse[5] = sparse[5 + 188 * 2] = sparse[5 + 188 * 5] = 0x47;
    EXPECT_EQ(detectFileKind("noext", sparse), Video);
    EXPECT_EQ(detectFormatName("noext", sparse), "mp4");
    ByteBuffer packets(188 * 3, 0);
    packets[0] = packets[188] = packets[376] = 0x47;
    EXPECT_EQ(detectFormatName("noext", packets), "ts");
    ByteBuffer two(188 * 3, 0);
    two[0] = two[188] = 0x47;
    EXPECT_EQ(detectFileKind("noext", two), Unknown);
}

TEST(Detection, SignaturePredicatesNeedTheirFullLength)
{
    EXPECT_FALSE(isFtypStart(bytesOf("\0\0\0\x08" "ftyp")));
    EXPECT_TRUE(isAdtsStart(hex({0xFF, 0xF1, 0x50, 0x80, 0x02, 0x1F, 0xFC})));
    EXPECT_FALSE(isAdtsStart(hex({0xFF, 0xF1, 0x50, 0x80, 0x00, 0x00, 0xFC}))); // frame length < 7
    EXPECT_FALSE(isMpegAudioStart(hex({0xFF, 0xFB, 0xF0, 0x00})));             // bitrate index 15
    EXPECT_FALSE(isMpegAudioStart(hex({0xFF, 0xFB, 0x9C, 0x00})));             // sampling index 3
    EXPECT_TRUE(isMpegAudioStart(bytesOf("ID3")));
    EXPECT_FALSE(isGifStart(bytesOf("GIF88a")));
    EXPECT_EQ(lowerExtension("a.tar.GZ"), "gz");
    EXPECT_EQ(lowerExtension("noext"), "");
    EXPECT_EQ(lowerExtension(".bashrc"), "");
}
