#include "media/container_support.h"

namespace data_repair {

namespace {

// The earliest start code of either form. Encoders mix the 3- and 4-byte forms (often the
// parameter sets come first with one of them), so cutting at a later 4-byte code would drop
// the stream's first NAL units. A 00 00 01 preceded by 00 is the 4-byte form.
uint64_t firstStartCode(ByteView bytes)
{
    const uint64_t at = findBytes(bytes, ByteBuffer{0x00, 0x00, 0x01});
    if (at != npos && at > 0 && bytes[at - 1] == 0x00)
        return at - 1;
    return at;
}

} // namespace

RepairResult analyzeRawStream(const RepairRequest& request, ByteView bytes)
{
    RepairResult result = prepareVideoResult(request, bytes);
    result.format = ownFormatName(result.format, {"rsv", "h264", "264", "avc", "h265", "265", "hevc"}, "rsv");
    const uint64_t a = firstStartCode(bytes);
    if (a == npos) {
        reportStructureNotFound(result, "raw video start code was not found", kVideoRawNotFound,
                                "raw video start code not found");
        return result;
    }
    if (a > 0)
        result.addFinding(HeaderMissing, Warning, "garbage bytes before raw video start code", 0, a, true, 0.88);
    result.confidence = 0.75;
    return result;
}

RepairResult repairRawStreamFrom(RepairResult result, const RepairRequest& request, ByteView bytes)
{
    if (!shouldRepair(result, request))
        return result;
    const uint64_t a = firstStartCode(bytes);
    if (a > 0)
        result.addAction("trim-raw-prefix", "removed bytes before raw video start code", a);
    writeInputRange(result, request, bytes, a, bytes.size(), result.format, kVideoRawWrite, 0.76);
    return result;
}

} // namespace data_repair
