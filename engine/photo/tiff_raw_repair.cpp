// TIFF and camera RAW repair: container fixes without touching image data, and the preview.

#include <algorithm>

#include "data_repair/output_writer.h"
#include "photo/photo_formats.h"

namespace data_repair {

namespace {

constexpr uint64_t kHeaderWindow = 1024 * 1024;

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

} // namespace

RepairResult repairTiffRaw(const RepairRequest& request, const ByteBuffer& data, const std::string& ext)
{
    TiffRawFacts facts;
    RepairResult report = analyzeTiffRaw(request, data, ext, &facts);
    if (!report.status.ok)
        return report;

    ByteBuffer work = data;
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
            work.erase(work.begin(), work.begin() + static_cast<std::ptrdiff_t>(h));
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
        work.erase(work.begin(), work.begin() + static_cast<std::ptrdiff_t>(s));
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

    if (request.mode == Analyze) {
        report.outputWritten = false;
        return report;
    }
    if (request.mode == Extract) {
        if (!report.artifacts.empty()) {
            report.output = report.artifacts.back();
            report.outputSize = report.output.size;
        }
        report.outputWritten = false;
        return report;
    }
    const bool untouched = report.actions.empty();
    if (writeRepairedOutput(report, request, work, ext, "repaired-raw-photo", kPhotoRawWrite))
        report.confidence = untouched ? 0.72 : 0.84;
    return report;
}

} // namespace data_repair
