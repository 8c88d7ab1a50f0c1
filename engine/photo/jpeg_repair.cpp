// JPEG repair: prefix trim, sample header graft, end-of-stream repair, table borrowing and the
// APP1 preview.

#include "data_repair/output_writer.h"
#include "photo/photo_formats.h"

namespace data_repair {

void extractApp1Preview(const RepairRequest& request, ByteView buffer, RepairResult& result)
{
    if (!request.writePreview)
        return;
    const uint64_t e = findPair(buffer, 0xFF, 0xE1);
    if (e == npos || e + 4 >= buffer.size())
        return;
    const uint64_t length = readBe16(buffer, e + 2);
    if (length <= 1 || !fitsIn(buffer.size(), e, length + 2))
        return;
    const ByteBuffer payload = sliceBytes(buffer, e + 4, length - 2);
    const uint64_t a = findPair(payload, 0xFF, 0xD8);
    const uint64_t z = rfindPair(payload, 0xFF, 0xD9, 0, payload.size());
    if (a == npos || z == npos || a >= z)
        return;
    const ByteBuffer preview = sliceBytes(payload, a, z + 2 - a);
    if (writeExtraArtifact(result, request, preview, "jpg", "embedded-preview", "_preview"))
        result.addAction("extract-preview", "extracted embedded JPEG preview from APP1 metadata", preview.size());
}

namespace {

// The output's first bytes, up to where an APP1 segment starting at `app1` can end (a segment
// length is 16 bits): the preview extraction sees the same segment in it as in the whole output.
ByteBuffer outputHeadFor(ByteView buffer, uint64_t keep, bool endAppended, uint64_t app1)
{
    const uint64_t outputSize = keep + (endAppended ? 2 : 0);
    const uint64_t length = std::min<uint64_t>(outputSize, app1 + 0x10001);
    ByteBuffer head = sliceBytes(buffer, 0, std::min(length, keep));
    if (length > keep) {
        appendBe16(head, 0xFFD9);
        head.resize(static_cast<size_t>(length));
    }
    return head;
}

// A photo that starts at its SOI with its frame and scan headers whole, repaired without a
// sample: the output is the input up to a cut, with at most an end marker added, so it is
// written from the input file instead of a copy. The cut lies past the scan header, so the
// headers the final check looks for are the ones found here. False when the general road is
// needed.
bool repairPlainJpeg(const RepairRequest& request, ByteView buffer, RepairResult& result)
{
    if (!request.sample.path.empty() || request.mode == Analyze || request.mode == Extract)
        return false;
    const JpegMarkerScan s = scanJpegMarkers(buffer);
    if (s.soiOffset != 0 || s.sosOffset == npos || !s.hasFrameHeader)
        return false;
    OutputPieces out(buffer);
    uint64_t keep = buffer.size();
    const bool appendEnd = s.eoiOffset == npos;
    if (appendEnd) {
        const uint64_t r = s.lastRestartOffset;
        if (r != npos && r + 2 < buffer.size()) {
            keep = r + 2;
            result.addAction("truncate-to-restart", "truncated JPEG stream to the last safe restart marker",
                             buffer.size() - keep);
        }
        out.appendInput(0, keep);
        out.append(ByteBuffer{0xFF, 0xD9});
        result.addAction("append-eoi", "appended missing JPEG EOI marker", 2);
    } else {
        keep = std::min<uint64_t>(s.eoiOffset + 2, buffer.size());
        if (keep < buffer.size())
            result.addAction("trim-trailing", "removed bytes after JPEG EOI marker", buffer.size() - keep);
        out.appendInput(0, keep);
    }
    // The appended end marker holds no FF E1, so the output's first APP1 is the input's when it
    // starts before the cut.
    const uint64_t app1 = request.writePreview ? findPair(buffer, 0xFF, 0xE1) : npos;
    if (app1 != npos && app1 + 1 < keep)
        extractApp1Preview(request, outputHeadFor(buffer, keep, appendEnd, app1), result);
    writePhotoOutput(result, request, out, "jpg", kPhotoJpegWrite);
    return true;
}

} // namespace

RepairResult repairJpeg(const RepairRequest& request, ByteView buffer)
{
    SampleFile sample;
    RepairResult result = analyzeJpeg(request, buffer, &sample);
    if (!result.status.ok)
        return result;
    if (repairPlainJpeg(request, buffer, result))
        return result;

    ByteBuffer work = copyBytes(buffer);
    if (!sample.given)
        sample = readSample(request);
    ByteBuffer header;
    if (sample.given) {
        if (sample.bytes.empty())
            result.notes.push_back(sample.error);
        else
            header = graftableSampleHeader(sample.bytes);
    }
    bool grafted = false;

    const uint64_t soi = findPair(work, 0xFF, 0xD8);
    if (soi != npos && soi > 0) {
        eraseFront(work, soi);
        result.addAction("trim-prefix", "removed bytes before JPEG SOI marker", soi);
    } else if (soi == npos && !header.empty()) {
        ByteBuffer grown = header;
        const uint64_t last = findLastMarker(buffer, 0xD9);
        appendRange(grown, buffer, 0, last == npos ? buffer.size() : last);
        appendBe16(grown, 0xFFD9);
        work.swap(grown);
        grafted = true;
        result.usedReference = true;
        result.addAction("borrow-sample-header", "rebuilt missing JPEG header and SOS marker from same-format sample",
                         header.size());
        result.notes.push_back("the sample restores JPEG decoding metadata only; deleted entropy-coded pixels cannot "
                               "be reconstructed and visible corruption may remain");
    }

    JpegMarkerScan s = scanJpegMarkers(work);
    if (!header.empty() && (s.invalidMarker || s.structureError || s.sosOffset == npos || !s.hasFrameHeader)) {
        uint64_t f = s.scanDataOffset;
        if (f == npos) {
            if (s.headerEnd != npos && s.headerEnd < work.size())
                f = s.headerEnd;
            else
                f = s.soiOffset == npos ? 0 : s.soiOffset + 2;
        }
        uint64_t g = rfindPair(work, 0xFF, 0xD9, f, work.size());
        if (g == npos)
            g = work.size();
        if (f < g) {
            ByteBuffer rebuilt = header;
            appendRange(rebuilt, work, f, g - f);
            if (rebuilt.size() < 2 || rebuilt[rebuilt.size() - 2] != 0xFF || rebuilt.back() != 0xD9)
                appendBe16(rebuilt, 0xFFD9);
            work.swap(rebuilt);
            grafted = true;
            result.usedReference = true;
            result.addAction("rebuild-header-from-sample",
                             "rebuilt damaged JPEG header, frame metadata, and SOS marker from sample file",
                             header.size());
        }
        s = scanJpegMarkers(work);
    }

    if (s.eoiOffset == npos) {
        const uint64_t r = s.lastRestartOffset;
        if (r != npos && r + 2 < work.size()) {
            const uint64_t cut = work.size() - r - 2;
            work.resize(r + 2);
            result.addAction("truncate-to-restart", "truncated JPEG stream to the last safe restart marker", cut);
        }
        appendBe16(work, 0xFFD9);
        result.addAction("append-eoi", "appended missing JPEG EOI marker", 2);
    } else if (s.eoiOffset + 2 < work.size()) {
        const uint64_t cut = work.size() - s.eoiOffset - 2;
        work.resize(s.eoiOffset + 2);
        result.addAction("trim-trailing", "removed bytes after JPEG EOI marker", cut);
    }

    // The sample's tables go in before the file's own, so a table the file does define keeps its own.
    const bool lacksDqt = !hasJpegSegment(work, 0xDB) || s.undefinedQuantTables != 0;
    const bool lacksDht = !hasJpegSegment(work, 0xC4) || s.undefinedHuffmanTables != 0;
    if ((lacksDqt || lacksDht) && !sample.bytes.empty()) {
        std::vector<ByteBuffer> tables;
        if (lacksDqt)
            tables = collectJpegSegments(sample.bytes, 0xDB);
        if (lacksDht)
            for (ByteBuffer& segment : collectJpegSegments(sample.bytes, 0xC4))
                tables.push_back(std::move(segment));
        if (!tables.empty()) {
            const uint64_t start = findPair(work, 0xFF, 0xD8);
            uint64_t q = 0;
            if (start != npos) {
                q = start + 2;
                while (fitsIn(work.size(), q, 4) && work[q] == 0xFF && work[q + 1] >= 0xE0 && work[q + 1] <= 0xEF) {
                    const uint64_t length = readBe16(work, q + 2);
                    if (length < 2 || !fitsIn(work.size(), q, length + 2))
                        break;
                    q += length + 2;
                }
            }
            ByteBuffer merged;
            appendRange(merged, work, 0, q);
            for (ByteView segment : tables)
                appendBytes(merged, segment);
            appendRange(merged, work, q, work.size() - q);
            work.swap(merged);
            result.usedReference = true;
            result.addAction("borrow-sample-tables", "borrowed missing JPEG tables from sample file", tables.size());
        }
    }

    // Closing a file that has no frame or scan header leaves nothing a decoder can show.
    const JpegMarkerScan final = scanJpegMarkers(work);
    if (final.sosOffset == npos || !final.hasFrameHeader) {
        result.sampleRequired = true;
        result.setStatus(RepairStatus::failure(
            kPhotoNotPhoto, "JPEG frame or scan header is missing; a compatible normal sample is required"));
        return result;
    }

    // A grafted header comes without the sample's APP1, and a preview is never taken from
    // anything but the user's own metadata.
    if (!grafted)
        extractApp1Preview(request, work, result);

    if (request.mode == Analyze || request.mode == Extract) {
        result.outputWritten = false;
        return result;
    }
    writePhotoOutput(result, request, work, "jpg", kPhotoJpegWrite);
    return result;
}

} // namespace data_repair
