// TIFF and camera RAW analysis and the small TIFF primitives shared by the RAW code.

#include <algorithm>

#include "photo/photo_formats.h"

namespace data_repair {

namespace {
constexpr uint64_t kHeaderWindow = 1024 * 1024;
}

uint64_t tiffTypeSize(uint16_t type)
{
    static const uint8_t kSizes[14] = {0, 1, 1, 2, 4, 8, 1, 1, 2, 4, 8, 4, 8, 4};
    return type < 14 ? kSizes[type] : 0;
}

uint16_t readU16Ordered(ByteView b, uint64_t pos, bool littleEndian)
{
    return littleEndian ? readLe16(b, pos) : readBe16(b, pos);
}

uint32_t readU32Ordered(ByteView b, uint64_t pos, bool littleEndian)
{
    return littleEndian ? readLe32(b, pos) : readBe32(b, pos);
}

void putU32Ordered(ByteBuffer& b, uint64_t pos, uint32_t value, bool littleEndian)
{
    if (!fits(b, pos, 4))
        return;
    if (littleEndian)
        putLe32(b, pos, value);
    else
        putBe32(b, pos, value);
}

uint64_t findTiffHeader(ByteView b)
{
    const uint64_t limit = std::min<uint64_t>(b.size(), kHeaderWindow);
    for (uint64_t p = 0; p + 8 <= limit; ++p) {
        if ((b[p] == 0x49 && b[p + 1] == 0x49 && b[p + 2] == 0x2A && b[p + 3] == 0x00) ||
            (b[p] == 0x4D && b[p + 1] == 0x4D && b[p + 2] == 0x00 && b[p + 3] == 0x2A))
            return p;
    }
    return npos;
}

uint64_t findRawSignature(ByteView b)
{
    const uint64_t raf = findBytes(b, "FUJIFILMCCD-RAW", 0);
    return raf != npos ? raf : findBytes(b, "HEAPCCDR", 0);
}

uint64_t findCr3Ftyp(ByteView b)
{
    const uint64_t f = findBytes(b, "ftyp", 0);
    return (f == npos || f < 4) ? npos : f - 4;
}

bool readIfdValues(ByteView b, const IfdEntry& entry, bool le, uint64_t prefixLength,
                   std::vector<uint32_t>& values)
{
    values.clear();
    if ((entry.type != 3 && entry.type != 4) || entry.count == 0)
        return false;
    const uint64_t size = tiffTypeSize(entry.type);
    const uint64_t bytes = static_cast<uint64_t>(entry.count) * size;
    uint64_t at = entry.fieldPos;
    if (bytes > 4) {
        const uint64_t offset = readU32Ordered(b, entry.fieldPos, le);
        if (offset < prefixLength || !fits(b, offset - prefixLength, bytes))
            return false;
        at = offset - prefixLength;
    } else if (!fits(b, at, 4)) {
        return false;
    }
    values.reserve(entry.count);
    for (uint64_t i = 0; i < entry.count; ++i)
        values.push_back(size == 2 ? readU16Ordered(b, at + 2 * i, le) : readU32Ordered(b, at + 4 * i, le));
    return true;
}

uint64_t tiffImageDataEnd(ByteView t)
{
    if (t.size() < 8)
        return 0;
    const bool le = t[0] == 'I';
    std::vector<uint64_t> directories{readU32Ordered(t, 4, le)};
    uint64_t end = 0;
    std::vector<uint32_t> offsets, counts, subs;
    for (size_t visited = 0; visited < directories.size() && visited < 32; ++visited) {
        const uint64_t ifd = directories[visited];
        if (ifd < 8 || !fits(t, ifd, 2))
            continue;
        const uint64_t entries = readU16Ordered(t, ifd, le);
        if (entries == 0 || !fits(t, ifd + 2, entries * 12))
            continue;
        offsets.clear();
        counts.clear();
        for (uint64_t i = 0; i < entries; ++i) {
            const uint64_t at = ifd + 2 + 12 * i;
            const IfdEntry entry{readU16Ordered(t, at, le), readU16Ordered(t, at + 2, le), readU32Ordered(t, at + 4, le),
                                 readU32Ordered(t, at + 8, le), at + 8};
            if (entry.tag == 273 || entry.tag == 324)
                readIfdValues(t, entry, le, 0, offsets);
            else if (entry.tag == 279 || entry.tag == 325)
                readIfdValues(t, entry, le, 0, counts);
            else if (entry.tag == 330 && readIfdValues(t, entry, le, 0, subs))
                for (size_t k = 0; k < subs.size() && k < 8; ++k)
                    directories.push_back(subs[k]);
        }
        if (visited < 8 && fits(t, ifd + 2 + entries * 12, 4))
            if (const uint64_t next = readU32Ordered(t, ifd + 2 + entries * 12, le); next != 0)
                directories.push_back(next);
        for (size_t k = 0; k < offsets.size() && k < counts.size(); ++k)
            end = std::max<uint64_t>(end, static_cast<uint64_t>(offsets[k]) + counts[k]);
    }
    return end;
}

namespace {

// The start of a RAF or CRW container. A CRW opens with its byte order mark and header length;
// the "HEAPCCDR" signature stands 6 bytes in, so those 6 bytes belong to the file.
uint64_t rawContainerStart(ByteView b)
{
    const uint64_t s = findRawSignature(b);
    if (s != npos && s >= 6 && matchesAt(b, s, "HEAPCCDR") &&
        (matchesAt(b, s - 6, "II") || matchesAt(b, s - 6, "MM")))
        return s - 6;
    return s;
}

} // namespace

RepairResult analyzeTiffRaw(const RepairRequest& request, ByteView data, const std::string& ext,
                            TiffRawFacts* factsOut)
{
    TiffRawFacts facts;
    facts.ext = ext;
    RepairResult result = beginPhotoResult(request, data);
    result.format = ext;
    facts.preview = findEmbeddedJpegSpan(data);
    const bool hasPreview = !facts.preview.empty();
    const uint64_t h = findTiffHeader(data);
    if ((ext == "tif" || ext == "tiff") && h == npos)
        facts.ifd = recoverHeaderlessIfd(data);
    facts.rawStart = rawContainerStart(data);
    // A RAF or CRW carries EXIF blocks with their own TIFF headers after its signature: a TIFF
    // header that follows the RAW container's start is not the file's own header.
    facts.rawFirst = facts.rawStart != npos && (h == npos || facts.rawStart <= h);
    facts.tiffHeader = facts.rawFirst ? npos : h;
    facts.cr3Start = ext == "cr3" ? findCr3Ftyp(data) : npos;

    if (hasPreview)
        result.addFinding(PreviewFound, Info, "embedded JPEG preview is recoverable from RAW/TIFF container", 0,
                          facts.preview.size(), true, 0.9);
    else
        result.addFinding(PreviewMissing, Warning, "no embedded JPEG preview was found in RAW/TIFF container", 0, 0,
                          false, 0.7);

    if (ext == "cr3") {
        if (facts.cr3Start == npos)
            result.addFinding(HeaderMissing, hasPreview ? Warning : Error, "CR3 ISO-BMFF ftyp box was not found", 0, 0,
                              hasPreview, 0.85);
        else if (facts.cr3Start > 0)
            result.addFinding(HeaderDamaged, Warning, "garbage bytes before CR3 ftyp box", 0, facts.cr3Start, true,
                              0.92);
    } else if (facts.tiffHeader != npos) {
        const uint64_t th = facts.tiffHeader;
        if (th > 0)
            result.addFinding(HeaderDamaged, Warning, "garbage bytes before TIFF/RAW header", 0, th, true, 0.92);
        const bool le = data[th] == 'I';
        const uint64_t e = readU32Ordered(data, th + 4, le);
        const bool valid = fits(data, th, 8) && e >= 8 && th + e < data.size();
        if (!valid)
            result.addFinding(IndexDamaged, Warning, "TIFF/RAW first IFD offset is invalid", th + 4, 4, true, 0.82);
        facts.dataEnd = valid ? tiffImageDataEnd(data.subspan(static_cast<size_t>(th))) : 0;
        if (facts.dataEnd > data.size() - th)
            result.addFinding(Truncated, Warning, "TIFF image data is cut short; the lower part of the picture is lost",
                              data.size(), facts.dataEnd - (data.size() - th), false, 0.88);
    } else if (facts.ifd.found) {
        result.addFinding(HeaderMissing, Warning,
                          "TIFF header is missing but a complete translated IFD and strip table survive", 0,
                          facts.ifd.prefixLength, true, 0.94);
    } else if (facts.rawStart != npos) {
        if (facts.rawStart > 0)
            result.addFinding(HeaderDamaged, Warning, "garbage bytes before RAW container signature", 0,
                              facts.rawStart, true, 0.88);
    } else {
        result.addFinding(HeaderMissing, hasPreview ? Warning : Error, "RAW/TIFF container header was not found", 0, 0,
                          hasPreview || !request.sample.path.empty(), 0.82);
    }

    if (!hasPreview && h == npos && facts.rawStart == npos && !facts.ifd.found && facts.cr3Start == npos) {
        result.setStatus(RepairStatus::failure(kPhotoRawNothing,
                                               "no recoverable RAW/TIFF structure or embedded preview found"));
        result.confidence = 0.2;
    } else {
        result.previewWritten = false;
        result.confidence = hasPreview ? 0.84 : 0.62;
    }
    if (factsOut != nullptr)
        *factsOut = std::move(facts);
    return result;
}

} // namespace data_repair
