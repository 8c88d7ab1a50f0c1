#include "data_repair/output_writer.h"
#include "media/container_support.h"
#include "media/mp4_video.h"
#include "media/video_containers.h"

namespace data_repair {

namespace {

// OpenDML files larger than about 1 GiB continue in further "RIFF....AVIX" chunks after the
// first RIFF, whose size covers only itself. Returns the offset of the first such chunk, or npos.
uint64_t findAvixRiff(ByteView bytes)
{
    for (uint64_t from = 20; from < bytes.size();) {
        const uint64_t a = findBytes(bytes, "AVIX", from);
        if (a == npos)
            return npos;
        const uint64_t riff = a - 8;
        if (riff % 2 == 0 && matchesAt(bytes, riff, "RIFF") && readLe32(bytes, riff + 4) >= 4)
            return riff;
        from = a + 1;
    }
    return npos;
}

uint32_t riffSizeFor(uint64_t end)
{
    return end <= 8 ? 0 : (end - 8 > 0xFFFFFFFFull ? 0xFFFFFFFFu : static_cast<uint32_t>(end - 8));
}

// True when the first RIFF's declared end lands exactly on an AVIX RIFF: a healthy OpenDML file.
bool endsAtAvix(ByteView bytes)
{
    const uint64_t declared = readLe32(bytes, 4);
    const uint64_t end = 8 + declared + (declared & 1);
    return fits(bytes, end, 12) && matchesAt(bytes, end, "RIFF") && matchesAt(bytes, end + 8, "AVIX");
}

// The size the first RIFF should declare: up to the first AVIX RIFF in an OpenDML file, else the
// whole file.
uint32_t wantedRiffSize(ByteView bytes)
{
    if (endsAtAvix(bytes))
        return readLe32(bytes, 4);
    const uint64_t avix = findAvixRiff(bytes);
    return riffSizeFor(avix == npos ? bytes.size() : avix);
}

} // namespace

uint32_t expectedRiffSize(ByteView bytes) { return wantedRiffSize(bytes); }

RepairResult analyzeAvi(const RepairRequest& request, ByteView bytes, AviLayout& layout)
{
    RepairResult result = prepareVideoResult(request, bytes);
    result.format = "avi";
    layout.riffSize = expectedRiffSize(bytes);
    // The index follows the media it lists: looked for from the end, it is found at once.
    layout.hasIdx1 = rfindBytes(bytes, "idx1") != npos;
    if (readLe32(bytes, 4) != layout.riffSize)
        result.addFinding(IndexDamaged, Warning, "AVI RIFF size does not match file size", 4, 4, true, 0.9);
    if (!layout.hasIdx1)
        result.addGeneralFinding(IndexMissing, Info, "AVI idx1 index chunk was not found; player may rebuild it", true,
                                 0.65);
    result.confidence = result.findings.empty() ? 1.0 : 0.78;
    return result;
}

RepairResult repairAvi(RepairResult result, const RepairRequest& request, ByteView bytes, const AviLayout& layout)
{
    // Only the RIFF size can change: the rest of the file is copied from the input as it is.
    OutputPieces output(bytes);
    const uint32_t expected = layout.riffSize;
    if (readLe32(bytes, 4) != expected) {
        ByteBuffer head = sliceBytes(bytes, 0, 8);
        putLe32(head, 4, expected);
        output.append(std::move(head));
        output.appendInput(8, bytes.size());
        result.addAction("repair-riff-size", "rewrote AVI RIFF size field", 4);
    } else {
        output.appendInput(0, bytes.size());
    }
    if (!layout.hasIdx1)
        result.notes.push_back(
            "AVI idx1 index is missing; output keeps media chunks and leaves index rebuild to players");
    if (writeVideoOutput(result, request, output, "avi", kVideoAviWrite))
        result.confidence = 0.82;
    return result;
}

} // namespace data_repair
