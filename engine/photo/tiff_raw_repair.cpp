// TIFF and camera RAW repair: container fixes without touching image data, and the preview.

#include <algorithm>

#include "data_repair/output_writer.h"
#include "photo/photo_formats.h"

namespace data_repair {

namespace {

constexpr uint64_t kHeaderWindow = 1024 * 1024;
// The most image data a cut TIFF is completed with; directories claiming more are not believed.
constexpr uint64_t kFillLimit = 0x20000000;

// Keeps a preview span valid after the first `removed` bytes were cut (false when it was hit).
bool shiftAfterTrim(JpegSpan& span, uint64_t removed)
{
    if (span.empty())
        return true;
    if (span.begin < removed)
        return false;
    span.begin -= removed;
    span.end -= removed;
    return true;
}

// An analysis writes no output; an extraction's output is the preview it saved, if any.
bool writesNoRepairedOutput(const RepairRequest& request, RepairResult& report)
{
    if (request.mode != Analyze && request.mode != Extract)
        return false;
    if (request.mode == Extract && !report.artifacts.empty()) {
        report.output = report.artifacts.back();
        report.outputSize = report.output.size;
    }
    report.outputWritten = false;
    return true;
}

// The repairs that only cut a prefix and rewrite at most the first IFD offset, with the preview
// where the analysis found it: the output is a stretch of the input (behind at most eight new
// header bytes) and is written from the input file. False, with nothing recorded, when the
// general road is needed.
bool repairByTrim(const RepairRequest& request, ByteView data, const std::string& ext,
                  const TiffRawFacts& facts, RepairResult& report)
{
    if (ext == "cr3")
        return false;
    const JpegSpan& preview = facts.preview;
    uint64_t start = 0;
    ByteBuffer header; // the first eight bytes after start, when the IFD offset is rewritten
    if (facts.tiffHeader != npos) {
        start = facts.tiffHeader;
        if (!preview.empty() && preview.begin < start)
            return false;
        const uint64_t size = data.size() - start;
        const bool le = data[start] == 'I';
        const uint64_t g = readU32Ordered(data, start + 4, le);
        if (!(size >= 8 && g >= 8 && g < size)) {
            const uint64_t limit = std::min<uint64_t>(size, kHeaderWindow);
            for (uint64_t j = 8; j + 6 < limit; j += 2) {
                const uint64_t m = readU16Ordered(data, start + j, le);
                if (m >= 1 && m <= 512 && j + 6 + 12 * m <= size) {
                    if (!preview.empty() && preview.begin - start < 8)
                        return false;
                    header = sliceBytes(data, start, 8);
                    putU32Ordered(header, 4, static_cast<uint32_t>(j), le);
                    break;
                }
            }
        }
        if (start > 0)
            report.addAction("trim-prefix", "removed bytes before TIFF/RAW header", start);
        if (!header.empty())
            report.addAction("repair-ifd-offset", "rewrote invalid TIFF/RAW first IFD offset", 4);
    } else if ((ext == "tif" || ext == "tiff") && facts.ifd.found) {
        return false;
    } else if (facts.rawStart != npos && facts.rawStart > 0) {
        start = facts.rawStart;
        if (!preview.empty() && preview.begin < start)
            return false;
        report.addAction("trim-prefix", "removed bytes before RAW container signature", start);
    } else if (!preview.empty()) {
        report.addAction("preserve-preview-source", "preserved RAW data because embedded JPEG preview is recoverable",
                         data.size());
    }

    extractRawPreview(request, data, preview, report);
    if (writesNoRepairedOutput(request, report))
        return true;
    OutputPieces out(data);
    if (!header.empty()) {
        out.append(std::move(header));
        start += 8;
    }
    out.appendInput(start, data.size() - start);
    // Strips or tiles cut off are completed with zeros, so that decoders read the surviving ones
    // at the picture's own size.
    const uint64_t present = data.size() - (facts.tiffHeader == npos ? 0 : facts.tiffHeader);
    if (facts.tiffHeader != npos && facts.dataEnd > present && facts.dataEnd - present <= kFillLimit) {
        const uint64_t missing = facts.dataEnd - present;
        requireWorkingMemory(missing);
        out.append(ByteBuffer(static_cast<size_t>(missing), 0));
        report.addAction("fill-tiff-data", "filled the missing TIFF image data with zeros", missing);
    }
    const bool untouched = report.actions.empty();
    if (writeRepairedOutput(report, request, out, ext, "repaired-raw-photo", kPhotoRawWrite))
        report.confidence = untouched ? 0.72 : 0.84;
    return true;
}

} // namespace

RepairResult repairTiffRaw(const RepairRequest& request, ByteView data, const std::string& ext)
{
    TiffRawFacts facts;
    RepairResult report = analyzeTiffRaw(request, data, ext, &facts);
    if (!report.status.ok)
        return report;
    if (repairByTrim(request, data, ext, facts, report))
        return report;

    ByteBuffer work = copyBytes(data);
    JpegSpan preview = facts.preview;
    bool previewKnown = true;

    if (ext == "cr3") {
        const uint64_t before = report.actions.size();
        work = repairCr3Boxes(work, report);
        if (report.actions.size() != before)
            previewKnown = false;
    } else if (facts.tiffHeader != npos) {
        const uint64_t h = facts.tiffHeader;
        if (h > 0) {
            eraseFront(work, h);
            report.addAction("trim-prefix", "removed bytes before TIFF/RAW header", h);
            previewKnown = shiftAfterTrim(preview, h);
        }
        const bool le = work[0] == 'I';
        const uint64_t g = readU32Ordered(work, 4, le);
        if (!(work.size() >= 8 && g >= 8 && g < work.size())) {
            const uint64_t limit = std::min<uint64_t>(work.size(), kHeaderWindow);
            for (uint64_t j = 8; j + 6 < limit; j += 2) {
                const uint64_t m = readU16Ordered(work, j, le);
                if (m >= 1 && m <= 512 && j + 6 + 12 * m <= work.size()) {
                    putU32Ordered(work, 4, static_cast<uint32_t>(j), le);
                    report.addAction("repair-ifd-offset", "rewrote invalid TIFF/RAW first IFD offset", 4);
                    if (!preview.empty() && preview.begin < 8)
                        previewKnown = false;
                    break;
                }
            }
        }
    } else if ((ext == "tif" || ext == "tiff") && facts.ifd.found) {
        rebuildTiffHeader(work, facts.ifd, report);
        if (!preview.empty()) {
            preview.begin += facts.ifd.prefixLength;
            preview.end += facts.ifd.prefixLength;
        }
    } else if (facts.rawStart != npos && facts.rawStart > 0) {
        const uint64_t s = facts.rawStart;
        eraseFront(work, s);
        report.addAction("trim-prefix", "removed bytes before RAW container signature", s);
        previewKnown = shiftAfterTrim(preview, s);
    } else if (!preview.empty()) {
        report.addAction("preserve-preview-source", "preserved RAW data because embedded JPEG preview is recoverable",
                         work.size());
    }

    // The preview is always saved when the repaired data holds one: it is often the only
    // picture a damaged RAW still gives.
    if (!previewKnown)
        preview = findEmbeddedJpegSpan(work);
    extractRawPreview(request, work, preview, report);

    if (writesNoRepairedOutput(request, report))
        return report;
    const bool untouched = report.actions.empty();
    if (writeRepairedOutput(report, request, work, ext, "repaired-raw-photo", kPhotoRawWrite))
        report.confidence = untouched ? 0.72 : 0.84;
    return report;
}

} // namespace data_repair
