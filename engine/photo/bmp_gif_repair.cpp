// BMP and GIF: frame-level repair (prefix, size field, trailer); pixel data is never decoded.

#include <algorithm>

#include "data_repair/checkpoint.h"
#include "data_repair/file_access.h"
#include "photo/photo_formats.h"

namespace data_repair {

namespace {

uint32_t saturated32(uint64_t value) { return value > 0xFFFFFFFFull ? 0xFFFFFFFFu : static_cast<uint32_t>(value); }

// Where a walk of the GIF block structure ended.
struct GifWalk {
    uint64_t trailer = npos;     // the trailer byte met at block level
    uint64_t strayByte = npos;   // a byte at block level that starts no block
    bool inSubBlocks = false;    // the data ran out inside a data sub-block chain
    uint64_t missingInBlock = 0; // bytes the cut sub-block still lacks
    uint64_t images = 0;         // image descriptors met, the cut one included
    bool cutInBlock = false;     // the data ran out inside a block, not between two
    bool cutInImage = false;     // ... inside an image's descriptor or data
};

// Follows the blocks (header, screen descriptor, colour tables, extensions, images and their
// data sub-blocks). A 3B byte inside a colour table or LZW data is not the trailer.
GifWalk walkGif(ByteView b, uint64_t a)
{
    GifWalk w;
    const uint64_t n = b.size();
    if (!fitsIn(n, a, 13))
        return w;
    const uint8_t screenFlags = b[a + 10];
    uint64_t pos = a + 13;
    if (screenFlags & 0x80)
        pos += 3ull << ((screenFlags & 7) + 1);
    auto subBlocks = [&]() -> bool {
        for (;;) {
            checkpoint(pos, n);
            if (pos >= n) {
                w.inSubBlocks = true;
                return false;
            }
            const uint64_t size = b[pos];
            if (size == 0) {
                ++pos;
                return true;
            }
            if (!fitsIn(n, pos + 1, size)) {
                w.inSubBlocks = true;
                w.missingInBlock = pos + 1 + size - n;
                return false;
            }
            pos += 1 + size;
        }
    };
    while (pos < n) {
        checkpoint(pos, n);
        const uint8_t introducer = b[pos];
        if (introducer == 0x3B) {
            w.trailer = pos;
            return w;
        }
        if (introducer == 0x21) {
            pos += 2;
            if (pos > n || !subBlocks()) {
                w.cutInBlock = true;
                return w;
            }
        } else if (introducer == 0x2C) {
            ++w.images;
            w.cutInBlock = w.cutInImage = true;
            if (!fitsIn(n, pos, 10))
                return w;
            const uint8_t flags = b[pos + 9];
            pos += 10;
            if (flags & 0x80)
                pos += 3ull << ((flags & 7) + 1);
            pos += 1; // LZW minimum code size
            if (pos > n || !subBlocks())
                return w;
            w.cutInBlock = w.cutInImage = false;
        } else {
            w.strayByte = pos;
            return w;
        }
    }
    return w;
}

// The common start of the BMP and GIF analyses: the report, the header probe and its failure.
uint64_t locateHeader(RepairResult& result, const std::string& name, uint64_t a, int32_t code)
{
    result.format = toLowerAscii(name);
    if (a == npos) {
        result.addFinding(HeaderMissing, Error, name + " header was not found", 0, 0, false, 0.95);
        result.setStatus(RepairStatus::failure(code, "unsupported or severely damaged " + name));
    } else if (a > 0) {
        result.addFinding(HeaderDamaged, Warning, "garbage bytes before " + name + " header", 0, a, true, 0.9);
    }
    return a;
}

} // namespace

namespace {

// The rows of an uncompressed BMP: where its pixel array ends (from the header's start; 0 when
// the header does not tell: a core header, compressed rows or no size) and its row order.
struct BmpRows {
    uint64_t end = 0;
    uint64_t stride = 0;
    bool topDown = false;
};

BmpRows bmpRows(ByteView b, uint64_t a)
{
    BmpRows rows;
    if (!fitsIn(b.size(), a, 54) || readLe32(b, a + 14) < 40)
        return rows;
    const uint32_t compression = readLe32(b, a + 30);
    const int64_t width = static_cast<int32_t>(readLe32(b, a + 18));
    const int64_t height = static_cast<int32_t>(readLe32(b, a + 22));
    const uint64_t bits = readLe16(b, a + 28);
    if ((compression != 0 && compression != 3) || width <= 0 || height == 0 || bits == 0 || bits > 64)
        return rows;
    const uint64_t stride = (static_cast<uint64_t>(width) * bits + 31) / 32 * 4;
    uint64_t array = 0, end = 0;
    if (!checkedMul(stride, static_cast<uint64_t>(height < 0 ? -height : height), array)
        || !checkedAdd(readLe32(b, a + 10), array, end))
        return rows; // a header no file can answer
    rows.stride = stride;
    rows.topDown = height < 0;
    rows.end = end;
    return rows;
}

// The most pixel data a cut BMP is completed to; a header claiming more is not believed.
constexpr uint64_t kBmpFillLimit = 0x20000000;

} // namespace

uint64_t findBmpHeader(ByteView buffer)
{
    const uint64_t p = findBytes(buffer, "BM", 0);
    if (p == npos || !fits(buffer, p, 14))
        return npos;
    return p;
}

uint64_t findGifHeader(ByteView buffer)
{
    return std::min(findBytes(buffer, "GIF87a", 0), findBytes(buffer, "GIF89a", 0));
}

RepairResult analyzeBmp(const RepairRequest& request, ByteView b)
{
    RepairResult result = beginPhotoResult(request, b);
    const uint64_t a = locateHeader(result, "BMP", findBmpHeader(b), kPhotoBmpMissing);
    if (a == npos)
        return result;
    const uint64_t n = b.size();
    if (readLe32(b, a + 2) != saturated32(n - a))
        result.addFinding(IndexDamaged, Warning, "BMP file size field does not match recovered bytes", a + 2, 4, true,
                          0.88);
    const uint64_t d = readLe32(b, a + 10);
    if (d < 14 || d > n - a)
        result.addFinding(StructureInvalid, Warning, "BMP pixel data offset is outside the recovered file", a + 10, 4,
                          false, 0.72);
    else if (const BmpRows rows = bmpRows(b, a); rows.end > n - a)
        // Rows are stored from the bottom up unless the height is negative.
        result.addFinding(Truncated, Warning,
                          rows.topDown ? "BMP pixel data is cut short; the lower part of the picture is lost"
                                       : "BMP pixel data is cut short; the upper part of the picture is lost",
                          n, rows.end - (n - a), false, 0.9);
    result.confidence = result.findings.empty() ? 1.0 : 0.78;
    return result;
}

RepairResult repairBmp(const RepairRequest& request, ByteView b)
{
    RepairResult result = analyzeBmp(request, b);
    if (!result.status.ok || request.mode == Analyze)
        return result;
    const uint64_t a = findBmpHeader(b);
    ByteBuffer work = copyBytes(b.subspan(static_cast<size_t>(a)));
    if (a > 0)
        result.addAction("trim-bmp-prefix", "removed bytes before BMP header", a);
    // A cut pixel array is completed with zero rows, so that every decoder shows the rows
    // that survived at the picture's own size; at least one whole row must have survived.
    const BmpRows rows = bmpRows(b, a);
    const uint64_t pixels = readLe32(b, a + 10);
    if (rows.end > work.size() && rows.end <= kBmpFillLimit && work.size() >= pixels + rows.stride) {
        requireWorkingMemory(rows.end);
        const uint64_t missing = rows.end - work.size();
        work.resize(static_cast<size_t>(rows.end), 0);
        result.addAction("fill-bmp-rows", "filled the missing BMP rows with zeros", missing);
    }
    const uint32_t length = saturated32(work.size());
    if (work.size() > 5 && readLe32(work, 2) != length) {
        putLe32(work, 2, length);
        result.addAction("repair-bmp-size", "rewrote BMP file size field", 4);
    }
    writePhotoOutput(result, request, work, "bmp", kPhotoBmpWrite);
    return result;
}

RepairResult analyzeGif(const RepairRequest& request, ByteView b)
{
    RepairResult result = beginPhotoResult(request, b);
    const uint64_t a = locateHeader(result, "GIF", findGifHeader(b), kPhotoGifMissing);
    if (a == npos)
        return result;
    const GifWalk w = walkGif(b, a);
    if (w.trailer == npos) {
        result.addFinding(TrailerMissing, Warning, "GIF trailer byte is missing", b.size(), 0, true, 0.86);
        // Cut inside a block: what followed is gone, the rest of the first picture or the frames.
        if (w.strayByte == npos && w.cutInBlock)
            result.addFinding(Truncated, Warning,
                              w.cutInImage && w.images == 1
                                  ? "GIF image data is cut short; the lower part of the picture is lost"
                                  : "GIF data is cut short; the frames after the cut are lost",
                              b.size(), 0, false, 0.86);
    }
    result.confidence = result.findings.empty() ? 1.0 : 0.78;
    return result;
}

RepairResult repairGif(const RepairRequest& request, ByteView b)
{
    RepairResult result = analyzeGif(request, b);
    if (!result.status.ok || request.mode == Analyze)
        return result;
    const uint64_t n = b.size();
    const uint64_t a = findGifHeader(b);
    const GifWalk w = walkGif(b, a);
    ByteBuffer work;
    if (w.trailer != npos) {
        appendRange(work, b, a, w.trailer + 1 - a);
        if (w.trailer + 1 < n)
            result.addAction("trim-gif-tail", "removed bytes after GIF trailer", n - w.trailer - 1);
    } else if (w.strayByte != npos) {
        // Bytes at block level that open no block are not image data: the trailer goes there.
        appendRange(work, b, a, w.strayByte - a);
        appendU8(work, 0x3B);
        result.addAction("append-gif-trailer", "appended missing GIF trailer byte", 1);
        result.addAction("trim-gif-tail", "removed bytes after GIF trailer", n - w.strayByte);
    } else {
        appendRange(work, b, a, n - a);
        if (w.inSubBlocks) {
            // Pad the cut sub-block and end its chain so that the trailer stands at block level.
            work.insert(work.end(), w.missingInBlock, 0);
            appendU8(work, 0x00);
            result.addAction("close-gif-block", "closed the cut GIF data block", w.missingInBlock + 1);
        }
        appendU8(work, 0x3B);
        result.addAction("append-gif-trailer", "appended missing GIF trailer byte", 1);
    }
    if (a > 0)
        result.addAction("trim-gif-prefix", "removed bytes before GIF header", a);
    writePhotoOutput(result, request, work, "gif", kPhotoGifWrite);
    return result;
}

} // namespace data_repair
