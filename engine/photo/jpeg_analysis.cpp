// JPEG marker walk and analysis.

#include <cstring>
#include <tuple>
#include <utility>

#include "data_repair/checkpoint.h"
#include "data_repair/detection.h"
#include "photo/photo_formats.h"

namespace data_repair {

namespace {

bool isStandalone(uint8_t m) { return (m >= 0xD0 && m <= 0xD8) || m == 0x01; }

bool isAcceptedSegment(uint8_t m)
{
    return (m >= 0xE0 && m <= 0xEF) || (m >= 0xC0 && m <= 0xCF && m != 0xC8) || m == 0xDB || m == 0xDC ||
           m == 0xDD || m == 0xFE || m == 0xDA;
}

bool isFrameMarker(uint8_t m) { return m >= 0xC0 && m <= 0xCF && m != 0xC4 && m != 0xC8 && m != 0xCC; }

// Without a walked scan header: the last EOI after the first raw SOS pair, or anywhere.
uint64_t eoiWithoutWalk(ByteView b)
{
    const uint64_t n = b.size();
    if (n < 2)
        return npos;
    const uint64_t j = findPair(b, 0xFF, 0xDA);
    if (j != npos && fitsIn(n, j, 4)) {
        const uint64_t length = readBe16(b, j + 2);
        uint64_t start = j + length + 2;
        if (length < 2 || start > n)
            start = j + 2;
        return rfindPair(b, 0xFF, 0xD9, start, n);
    }
    return rfindPair(b, 0xFF, 0xD9, 0, n);
}

// The first marker at or after `from` that is followed by a whole segment ending on another
// marker (or that opens the scan), so a stray FF xx inside damaged payload is passed over.
uint64_t nextValidMarker(ByteView b, uint64_t from)
{
    const uint64_t n = b.size();
    for (uint64_t q = from; q + 4 <= n;) {
        const void* hit = std::memchr(b.data() + q, 0xFF, n - q);
        if (hit == nullptr)
            return npos;
        q = static_cast<uint64_t>(static_cast<const uint8_t*>(hit) - b.data());
        if (q + 4 > n)
            return npos;
        const uint8_t m = b[q + 1];
        if (isAcceptedSegment(m)) {
            const uint64_t length = readBe16(b, q + 2);
            const uint64_t next = q + length + 2;
            if (length >= 2 && next <= n && (m == 0xDA || (next < n && b[next] == 0xFF)))
                return q;
        }
        ++q;
    }
    return npos;
}

// The tables the header walk has seen: which are defined, and which table each frame component
// quantises with.
struct JpegTables {
    uint8_t quantDefined = 0;
    uint8_t huffmanDefined = 0;
    uint8_t componentIds[4] = {};
    uint8_t componentQuant[4] = {};
    int components = 0;
    bool arithmetic = false;
    bool progressive = false;

    // Reads the segment whose marker byte FF sits at mp and whose length field says `length`.
    void read(ByteView b, uint64_t mp, uint64_t length)
    {
        const uint8_t m = b[mp + 1];
        const uint64_t end = mp + 2 + length;
        uint64_t p = mp + 4;
        if (m == 0xDB) {
            while (p < end) {
                const uint8_t pqTq = b[p];
                if ((pqTq & 15) < 4)
                    quantDefined |= static_cast<uint8_t>(1u << (pqTq & 15));
                p += 1 + ((pqTq >> 4) != 0 ? 128 : 64);
            }
        } else if (m == 0xC4) {
            while (p + 17 <= end) {
                const uint8_t tcTh = b[p];
                uint64_t values = 0;
                for (uint64_t i = 1; i <= 16; ++i)
                    values += b[p + i];
                if ((tcTh >> 4) <= 1 && (tcTh & 15) < 4)
                    huffmanDefined |= static_cast<uint8_t>(1u << ((tcTh >> 4) * 4 + (tcTh & 15)));
                p += 17 + values;
            }
        } else if (isFrameMarker(m) && length >= 8) {
            arithmetic = m >= 0xC9;
            progressive = m == 0xC2 || m == 0xC6 || m == 0xCA || m == 0xCE;
            components = 0;
            const uint64_t count = b[mp + 9];
            for (uint64_t i = 0; i < count && components < 4 && mp + 12 + 3 * i < end; ++i, ++components) {
                componentIds[components] = b[mp + 10 + 3 * i];
                componentQuant[components] = b[mp + 12 + 3 * i];
            }
        }
    }

    // The tables a scan header at mp uses that were not defined: quantisation, then Huffman.
    std::pair<uint8_t, uint8_t> undefinedIn(ByteView b, uint64_t mp, uint64_t length) const
    {
        const uint64_t end = mp + 2 + length;
        if (length < 6)
            return {0, 0};
        const uint64_t count = b[mp + 4];
        const uint64_t selection = mp + 5 + 2 * count; // Ss, Se, Ah/Al
        if (selection + 3 > end)
            return {0, 0};
        const bool dcScan = !progressive || b[selection] == 0;
        const bool acScan = !progressive || b[selection] != 0;
        const bool dcFirst = !progressive || (b[selection + 2] >> 4) == 0; // a DC refinement reads no table
        uint8_t quantUsed = 0, huffmanUsed = 0;
        for (uint64_t i = 0; i < count; ++i) {
            const uint8_t id = b[mp + 5 + 2 * i];
            const uint8_t tdTa = b[mp + 6 + 2 * i];
            for (int c = 0; c < components; ++c)
                if (componentIds[c] == id && componentQuant[c] < 4)
                    quantUsed |= static_cast<uint8_t>(1u << componentQuant[c]);
            if (arithmetic)
                continue;
            if (dcScan && dcFirst && (tdTa >> 4) < 4)
                huffmanUsed |= static_cast<uint8_t>(1u << (tdTa >> 4));
            if (acScan && (tdTa & 15) < 4)
                huffmanUsed |= static_cast<uint8_t>(1u << (4 + (tdTa & 15)));
        }
        return {static_cast<uint8_t>(quantUsed & ~quantDefined), static_cast<uint8_t>(huffmanUsed & ~huffmanDefined)};
    }
};

} // namespace

JpegMarkerScan scanJpegMarkers(ByteView b)
{
    JpegMarkerScan s;
    const uint64_t n = b.size();
    const uint64_t i = findPair(b, 0xFF, 0xD8);
    auto finishEoi = [&] {
        // The entropy-coded data never holds FF D9, so the image ends at the last EOI after the
        // scan the walk reached. A raw search for FF DA would first meet the SOS of an EXIF
        // thumbnail inside APP1 and take the thumbnail's EOI for the image's end.
        if (s.scanDataOffset != npos)
            s.eoiOffset = rfindPair(b, 0xFF, 0xD9, s.scanDataOffset, n);
        else
            s.eoiOffset = eoiWithoutWalk(b);
    };
    if (i == npos) {
        s.headerEnd = 0;
        finishEoi();
        return s;
    }
    s.soiOffset = i;
    uint64_t pos = i + 2;
    if (i + 3 >= n) {
        s.headerEnd = std::min(n, pos);
        finishEoi();
        return s;
    }
    uint64_t lastSegment = npos; // the FF of the last segment walked by its length
    JpegTables tables;
    for (;;) {
        if (b[pos] != 0xFF) {
            s.structureError = true;
            // A segment whose length does not land on a marker: report it and go on at the next
            // valid marker, so the tables and scan after it are still found.
            const uint64_t resume = lastSegment == npos ? npos : nextValidMarker(b, pos);
            if (resume != npos) {
                if (s.badMarkerOffset == npos || !s.invalidMarker) {
                    s.badMarkerOffset = lastSegment;
                    s.badMarker = b[lastSegment + 1];
                }
                lastSegment = npos;
                pos = resume;
                continue;
            }
            s.badMarkerOffset = pos;
            s.headerEnd = pos;
            break;
        }
        while (pos < n && b[pos] == 0xFF)
            ++pos;
        if (pos >= n) {
            s.headerEnd = n;
            break;
        }
        const uint8_t m = b[pos];
        const uint64_t mp = pos - 1;
        if (m == 0x00) {
            s.structureError = true;
            s.badMarkerOffset = mp;
            s.badMarker = 0;
            s.headerEnd = mp;
            break;
        }
        if (m == 0xD9) {
            s.headerEnd = pos + 1;
            break;
        }
        if (isStandalone(m)) {
            pos += 1;
            lastSegment = npos;
        } else {
            if (!isAcceptedSegment(m)) {
                s.invalidMarker = true;
                s.badMarkerOffset = mp;
                s.badMarker = m;
            }
            if (pos + 3 > n) {
                s.structureError = true;
                s.badMarkerOffset = mp;
                s.headerEnd = mp;
                break;
            }
            const uint64_t length = readBe16(b, pos + 1);
            if (length < 2 || !fitsIn(n, mp, length + 2)) {
                s.structureError = true;
                s.badMarkerOffset = mp;
                s.badMarker = m;
                s.headerEnd = mp;
                break;
            }
            const uint64_t next = mp + length + 2;
            lastSegment = mp;
            tables.read(b, mp, length);
            if (m == 0xDB)
                s.hasQuantTables = true;
            else if (m == 0xC4)
                s.hasHuffmanTables = true;
            else if (isFrameMarker(m))
                s.hasFrameHeader = true;
            if (m == 0xDA) {
                std::tie(s.undefinedQuantTables, s.undefinedHuffmanTables) = tables.undefinedIn(b, mp, length);
                s.sosOffset = mp;
                s.scanDataOffset = next;
                s.headerEnd = next;
                finishEoi();
                const uint64_t limit = s.eoiOffset == npos ? n : s.eoiOffset;
                for (uint64_t p = next; p + 1 < limit;) {
                    checkpoint(p, limit);
                    const void* hit = std::memchr(b.data() + p, 0xFF, limit - 1 - p);
                    if (hit == nullptr)
                        break;
                    const uint64_t q = static_cast<uint64_t>(static_cast<const uint8_t*>(hit) - b.data());
                    if (b[q + 1] >= 0xD0 && b[q + 1] <= 0xD7)
                        s.lastRestartOffset = q;
                    p = q + 1;
                }
                return s;
            }
            pos = next;
        }
        if (pos + 1 >= n) {
            s.headerEnd = std::min(n, pos);
            break;
        }
    }
    finishEoi();
    return s;
}

uint64_t findJpegEoi(ByteView buffer) { return scanJpegMarkers(buffer).eoiOffset; }

uint64_t findLastMarker(ByteView buffer, uint8_t code)
{
    return rfindPair(buffer, 0xFF, code, 0, buffer.size());
}

std::vector<ByteBuffer> collectJpegSegments(ByteView b, uint8_t code)
{
    std::vector<ByteBuffer> out;
    const uint64_t soi = findPair(b, 0xFF, 0xD8);
    if (soi == npos)
        return out;
    const uint64_t n = b.size();
    uint64_t pos = soi + 2;
    while (fitsIn(n, pos, 4)) {
        checkpointStep(pos, n);
        if (b[pos] != 0xFF) {
            ++pos;
            continue;
        }
        const uint8_t m = b[pos + 1];
        if (m == 0xD9 || m == 0xDA)
            break;
        if (m == 0xFF) { // fill byte before the marker code, as the walk treats it
            ++pos;
            continue;
        }
        if (m == 0x00 || isStandalone(m)) {
            pos += 2;
            continue;
        }
        const uint64_t length = readBe16(b, pos + 2);
        if (length < 2 || !fitsIn(n, pos, length + 2))
            break;
        if (m == code)
            out.push_back(sliceBytes(b, pos, length + 2));
        pos += length + 2;
    }
    return out;
}

bool hasJpegSegment(ByteView buffer, uint8_t code) { return !collectJpegSegments(buffer, code).empty(); }

ByteBuffer jpegSampleHeader(ByteView buffer)
{
    const JpegMarkerScan s = scanJpegMarkers(buffer);
    if (s.soiOffset == npos || s.scanDataOffset == npos || s.soiOffset >= s.scanDataOffset)
        return {};
    return sliceBytes(buffer, s.soiOffset, s.scanDataOffset - s.soiOffset);
}

ByteBuffer graftableSampleHeader(ByteView sample)
{
    const ByteBuffer header = jpegSampleHeader(sample);
    if (header.size() < 2)
        return header;
    ByteBuffer out(header.begin(), header.begin() + 2);
    const uint64_t n = header.size();
    uint64_t pos = 2;
    while (pos < n) {
        if (header[pos] != 0xFF || pos + 1 >= n) {
            appendRange(out, header, pos, n - pos);
            break;
        }
        const uint8_t m = header[pos + 1];
        if (m == 0xFF || isStandalone(m)) {
            appendRange(out, header, pos, m == 0xFF ? 1 : 2);
            pos += m == 0xFF ? 1 : 2;
            continue;
        }
        const uint64_t length = readBe16(header, pos + 2);
        if (length < 2 || !fitsIn(n, pos, length + 2)) {
            appendRange(out, header, pos, n - pos);
            break;
        }
        if (m != 0xE1)
            appendRange(out, header, pos, length + 2);
        pos += length + 2;
    }
    return out;
}

RepairResult analyzeJpeg(const RepairRequest& request, ByteView buffer, SampleFile* sampleOut)
{
    RepairResult result = beginPhotoResult(request, buffer);
    result.format = "jpg";
    const uint64_t n = buffer.size();
    const JpegMarkerScan s = scanJpegMarkers(buffer);
    const bool sampleGiven = !request.sample.path.empty();

    if (s.soiOffset == npos) {
        SampleFile sample = readSample(request);
        const bool usable = !sample.bytes.empty() && !jpegSampleHeader(sample.bytes).empty();
        result.addFinding(HeaderMissing, usable ? Warning : Error, "JPEG SOI marker was not found", 0, 0, usable,
                          0.95);
        result.sampleRequired = !usable;
        if (!usable) {
            const bool readFailed = sample.bytes.empty() && !sample.error.empty() &&
                                    sample.error != "sample file is empty";
            result.setStatus(RepairStatus::failure(kPhotoNotPhoto, readFailed ? sample.error : kJpegNeedsSample));
            return result;
        }
        if (sampleOut != nullptr)
            *sampleOut = std::move(sample);
    } else if (s.soiOffset > 0) {
        result.addFinding(HeaderDamaged, Warning, "garbage bytes before JPEG SOI marker", 0, s.soiOffset, true, 0.98);
    }

    if (s.eoiOffset == npos)
        result.addFinding(TrailerMissing, Warning, "JPEG EOI marker is missing", n, 0, true, 0.9);
    else if (s.eoiOffset + 2 < n)
        result.addFinding(Truncated, Warning, "trailing bytes after JPEG EOI marker", s.eoiOffset + 2,
                          n - s.eoiOffset - 2, true, 0.85);

    auto needsSample = [&](int32_t category, int32_t severity, const char* text, uint64_t offset, uint64_t length,
                           double confidence) {
        result.addFinding(category, severity, text, offset, length, sampleGiven, confidence);
        if (!sampleGiven)
            result.sampleRequired = true;
    };
    if (s.invalidMarker)
        needsSample(InvalidMarker, Warning, "JPEG header contains an unknown or invalid marker", s.badMarkerOffset, 2,
                    0.86);
    if (s.structureError)
        needsSample(StructureInvalid, Warning, "JPEG header segment length or marker stream is invalid",
                    s.badMarkerOffset, 0, 0.86);
    if (!s.hasFrameHeader)
        needsSample(HeaderDamaged, Warning, "JPEG frame header is missing or damaged", 0, 0, 0.82);
    if (!s.hasQuantTables)
        needsSample(MetadataMissing, Warning, "JPEG DQT quantization tables are missing", 0, 0, 0.8);
    if (!s.hasHuffmanTables)
        needsSample(MetadataMissing, Warning, "JPEG DHT Huffman tables are missing", 0, 0, 0.8);
    // Tables missing altogether are reported above; these are single tables a scan refers to.
    if (s.hasQuantTables && s.undefinedQuantTables != 0)
        needsSample(MetadataMissing, Warning, "JPEG scan uses a quantization table that no DQT segment defines",
                    s.sosOffset, 0, 0.85);
    if (s.hasHuffmanTables && s.undefinedHuffmanTables != 0)
        needsSample(MetadataMissing, Warning, "JPEG scan uses a Huffman table that no DHT segment defines", s.sosOffset,
                    0, 0.8);
    if (s.sosOffset == npos)
        needsSample(ScanDataMissing, sampleGiven ? Warning : Error, "JPEG SOS scan marker was not found", 0, 0, 0.9);

    result.confidence = result.findings.empty() ? 1.0 : (sampleGiven ? 0.8 : 0.68);
    return result;
}

} // namespace data_repair
