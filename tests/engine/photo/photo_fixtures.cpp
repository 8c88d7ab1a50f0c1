#include "photo_fixtures.h"

#include <fstream>

namespace photo_fixtures {

using namespace data_repair;
using test_support::quote;
using test_support::run;

ByteBuffer encodeJpeg(const test_support::TempDir& dir, int w, int h, const std::string& options)
{
    std::string ppm = "P6\n" + std::to_string(w) + " " + std::to_string(h) + "\n255\n";
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            ppm += static_cast<char>((x * 255) / (w > 1 ? w - 1 : 1));
            ppm += static_cast<char>((y * 255) / (h > 1 ? h - 1 : 1));
            ppm += static_cast<char>(((x + y) * 37) & 0xFF);
        }
    static int counter = 0;
    const std::string stem = "enc" + std::to_string(++counter);
    const fs::path in = dir.write(stem + ".ppm", ppm);
    const fs::path out = dir / (stem + ".jpg");
    const auto r = run("cjpeg -quality 90 " + options + " -outfile " + quote(out) + " " + quote(in));
    EXPECT_EQ(r.exitCode, 0) << r.output;
    return test_support::readAll(out);
}

ByteBuffer withExifThumbnail(const ByteBuffer& jpeg, const ByteBuffer& thumbnail)
{
    ByteBuffer tiff = {'I', 'I', 0x2A, 0, 8, 0, 0, 0};
    appendLe16(tiff, 0);  // IFD0: no entries
    appendLe32(tiff, 14); // next IFD: IFD1
    appendLe16(tiff, 2);
    const uint32_t thumbAt = 14 + 2 + 24 + 4;
    appendLe16(tiff, 0x0201), appendLe16(tiff, 4), appendLe32(tiff, 1), appendLe32(tiff, thumbAt);
    appendLe16(tiff, 0x0202), appendLe16(tiff, 4), appendLe32(tiff, 1),
        appendLe32(tiff, static_cast<uint32_t>(thumbnail.size()));
    appendLe32(tiff, 0);
    appendBytes(tiff, thumbnail);
    ByteBuffer app1 = {0xFF, 0xE1};
    appendBe16(app1, static_cast<uint16_t>(2 + 6 + tiff.size()));
    appendString(app1, std::string("Exif\0\0", 6));
    appendBytes(app1, tiff);
    ByteBuffer out = {0xFF, 0xD8};
    appendBytes(out, app1);
    out.insert(out.end(), jpeg.begin() + 2, jpeg.end());
    return out;
}

uint64_t findMarker(const ByteBuffer& b, uint8_t code, uint64_t from)
{
    for (uint64_t i = from; i + 1 < b.size(); ++i)
        if (b[i] == 0xFF && b[i + 1] == code)
            return i;
    return npos;
}

ByteBuffer withoutSegment(const ByteBuffer& b, uint64_t pos)
{
    const uint64_t length = readBe16(b, pos + 2);
    ByteBuffer out(b.begin(), b.begin() + static_cast<std::ptrdiff_t>(pos));
    out.insert(out.end(), b.begin() + static_cast<std::ptrdiff_t>(pos + 2 + length), b.end());
    return out;
}

std::string djpegSize(const fs::path& file, int* exitCode)
{
    const auto r = run("djpeg -pnm " + quote(file) + " 2>/dev/null | head -c 20 | head -2 | tail -1");
    const auto status = run("djpeg -pnm " + quote(file) + " >/dev/null 2>&1");
    if (exitCode != nullptr)
        *exitCode = status.exitCode;
    std::string size = r.output;
    while (!size.empty() && (size.back() == '\n' || size.back() == '\r'))
        size.pop_back();
    return size;
}

ByteBuffer pngChunk(const std::string& type, const ByteBuffer& data)
{
    ByteBuffer out;
    appendBe32(out, static_cast<uint32_t>(data.size()));
    appendString(out, type);
    appendBytes(out, data);
    const uLong crc = crc32(0, out.data() + 4, static_cast<uInt>(data.size() + 4));
    appendBe32(out, static_cast<uint32_t>(crc));
    return out;
}

ByteBuffer ihdr(uint32_t w, uint32_t h, int depth, int colourType, int interlace)
{
    ByteBuffer d;
    appendBe32(d, w);
    appendBe32(d, h);
    appendU8(d, static_cast<uint8_t>(depth));
    appendU8(d, static_cast<uint8_t>(colourType));
    appendU8(d, 0);
    appendU8(d, 0);
    appendU8(d, static_cast<uint8_t>(interlace));
    return d;
}

ByteBuffer rawImage(uint32_t w, uint32_t h, int bpp, bool interlaced)
{
    ByteBuffer raw;
    auto pixel = [&](uint32_t x, uint32_t y) {
        for (int c = 0; c < bpp; ++c)
            raw.push_back(static_cast<uint8_t>((x * 7 + y * 13 + c * 61) & 0xFF));
    };
    if (!interlaced) {
        for (uint32_t y = 0; y < h; ++y) {
            raw.push_back(0);
            for (uint32_t x = 0; x < w; ++x)
                pixel(x, y);
        }
        return raw;
    }
    const int passes[7][4] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                              {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
    for (const auto& p : passes) {
        for (uint32_t y = static_cast<uint32_t>(p[1]); y < h; y += static_cast<uint32_t>(p[3])) {
            if (static_cast<uint32_t>(p[0]) >= w)
                break;
            raw.push_back(0);
            for (uint32_t x = static_cast<uint32_t>(p[0]); x < w; x += static_cast<uint32_t>(p[2]))
                pixel(x, y);
        }
    }
    return raw;
}

ByteBuffer zlibCompress(const ByteBuffer& raw, int level)
{
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    ByteBuffer out(size);
    EXPECT_EQ(compress2(out.data(), &size, raw.data(), static_cast<uLong>(raw.size()), level), Z_OK);
    out.resize(size);
    return out;
}

ByteBuffer zlibDecompress(const ByteBuffer& data, uint64_t expected)
{
    ByteBuffer out(expected + 16);
    uLongf size = static_cast<uLongf>(out.size());
    if (uncompress(out.data(), &size, data.data(), static_cast<uLong>(data.size())) != Z_OK)
        return {};
    out.resize(size);
    return out;
}

ByteBuffer makePng(uint32_t w, uint32_t h, int depth, int colourType, int interlace, uint64_t idatSize,
                   const std::vector<ByteBuffer>& extra)
{
    const int spp = colourType == 2 ? 3 : colourType == 4 ? 2 : colourType == 6 ? 4 : 1;
    const ByteBuffer z = zlibCompress(rawImage(w, h, spp * depth / 8, interlace != 0));
    ByteBuffer png = copyBytes(pngSignature());
    appendBytes(png, pngChunk("IHDR", ihdr(w, h, depth, colourType, interlace)));
    for (const ByteBuffer& chunk : extra)
        appendBytes(png, chunk);
    for (uint64_t pos = 0; pos < z.size(); pos += idatSize)
        appendBytes(png, pngChunk("IDAT", sliceBytes(z, pos, idatSize)));
    appendBytes(png, pngChunk("IEND", {}));
    return png;
}

ByteBuffer idatData(const ByteBuffer& png)
{
    ByteBuffer out;
    uint64_t pos = 8;
    while (pos + 12 <= png.size()) {
        const uint64_t len = readBe32(png, pos);
        if (matchesAt(png, pos + 4, "IDAT"))
            appendRange(out, png, pos + 8, len);
        pos += len + 12;
    }
    return out;
}

int countChunks(const ByteBuffer& png, const std::string& type)
{
    int count = 0;
    uint64_t pos = 8;
    while (pos + 12 <= png.size()) {
        const uint64_t len = readBe32(png, pos);
        count += matchesAt(png, pos + 4, type) ? 1 : 0;
        pos += len + 12;
    }
    return count;
}

ByteBuffer makeBmp()
{
    const uint32_t rowSize = 12; // 4 pixels x 3 bytes, already a multiple of 4
    ByteBuffer b;
    appendString(b, "BM");
    appendLe32(b, 54 + rowSize * 4);
    appendLe32(b, 0);
    appendLe32(b, 54);
    appendLe32(b, 40);
    appendLe32(b, 4);
    appendLe32(b, 4);
    appendLe16(b, 1);
    appendLe16(b, 24);
    appendLe32(b, 0);
    appendLe32(b, rowSize * 4);
    appendLe32(b, 2835);
    appendLe32(b, 2835);
    appendLe32(b, 0);
    appendLe32(b, 0);
    for (int i = 0; i < 48; ++i)
        appendU8(b, static_cast<uint8_t>(i * 5));
    return b;
}

TiffLayout makeTiff(bool le, bool ifdFirst, const ByteBuffer& blob)
{
    auto put16 = [&](ByteBuffer& b, uint16_t v) { le ? appendLe16(b, v) : appendBe16(b, v); };
    auto put32 = [&](ByteBuffer& b, uint32_t v) { le ? appendLe32(b, v) : appendBe32(b, v); };
    const uint32_t stripSize = 64; // 4 rows of 16 pixels
    const uint16_t entries = 10;
    const uint32_t ifdSize = 2 + 12 * entries + 4;
    const std::string software = "KorvexTest 1.0";
    const uint32_t arraysSize = 16 + 16 + static_cast<uint32_t>(software.size() + 1);

    TiffLayout t;
    t.stripSize = stripSize;
    const uint32_t stripsAt = ifdFirst ? 8 + ifdSize + arraysSize : 8;
    const uint32_t blobAt = stripsAt + 4 * stripSize;
    const uint32_t ifdAt = ifdFirst ? 8 : blobAt + static_cast<uint32_t>(blob.size());
    const uint32_t arraysAt = ifdAt + ifdSize;
    t.ifdOffset = ifdAt;
    t.firstStrip = stripsAt;

    ByteBuffer ifd;
    put16(ifd, entries);
    auto entry = [&](uint16_t tag, uint16_t type, uint32_t count, uint32_t value) {
        put16(ifd, tag);
        put16(ifd, type);
        put32(ifd, count);
        if (type == 3 && count == 1) {
            put16(ifd, static_cast<uint16_t>(value));
            put16(ifd, 0);
        } else {
            put32(ifd, value);
        }
    };
    entry(256, 3, 1, 16);
    entry(257, 3, 1, 16);
    entry(258, 3, 1, 8);
    entry(259, 3, 1, 1);
    entry(262, 3, 1, 1);
    entry(273, 4, 4, arraysAt);
    entry(277, 3, 1, 1);
    entry(278, 3, 1, 4);
    entry(279, 4, 4, arraysAt + 16);
    entry(305, 2, static_cast<uint32_t>(software.size() + 1), arraysAt + 32);
    put32(ifd, 0);
    ByteBuffer arrays;
    for (uint32_t i = 0; i < 4; ++i)
        put32(arrays, stripsAt + i * stripSize);
    for (uint32_t i = 0; i < 4; ++i)
        put32(arrays, stripSize);
    appendString(arrays, software);
    appendU8(arrays, 0);

    ByteBuffer strips;
    for (uint32_t i = 0; i < 4 * stripSize; ++i)
        strips.push_back(static_cast<uint8_t>((i * 3) & 0xFF));

    ByteBuffer& b = t.bytes;
    if (le)
        b = {'I', 'I', 0x2A, 0};
    else
        b = {'M', 'M', 0, 0x2A};
    put32(b, ifdAt);
    if (ifdFirst) {
        appendBytes(b, ifd);
        appendBytes(b, arrays);
        appendBytes(b, strips);
        appendBytes(b, blob);
    } else {
        appendBytes(b, strips);
        appendBytes(b, blob);
        appendBytes(b, ifd);
        appendBytes(b, arrays);
    }
    return t;
}

test_support::CommandResult python(const std::string& script)
{
    const std::string interpreter = fs::exists("/usr/bin/python3") ? "/usr/bin/python3" : "python3";
    return run(interpreter + " -c " + quote(fs::path(script)));
}

RepairResult repairWith(const RepairRequest& request)
{
    return createFileRepairFactory()->createPhotoRepair()->repair(request, nullptr);
}

RepairResult analyzeWith(const RepairRequest& request)
{
    return createFileRepairFactory()->createPhotoRepair()->analyze(request, nullptr);
}

std::vector<std::string> actionIds(const RepairResult& result)
{
    std::vector<std::string> ids;
    for (const RepairAction& a : result.actions)
        ids.push_back(a.id);
    return ids;
}

} // namespace photo_fixtures
