#include "data_repair/checkpoint.h"
#include "media/container_support.h"

namespace data_repair {

namespace {

inline constexpr uint64_t kFlvHeaderMin = 9;
inline constexpr uint64_t kFlvTagHeader = 11;
// Tag header, tag data and the previous-tag-size word after it.
inline constexpr uint64_t kFlvTagOverhead = kFlvTagHeader + 4;

bool hasFlvHeader(const ByteBuffer& bytes) { return bytes.size() >= kFlvHeaderMin && matchesAt(bytes, 0, "FLV"); }

// The header length the tags start after: the declared DataOffset when it is plausible, else
// the fixed nine bytes of every FLV version.
uint64_t usableDataOffset(const ByteBuffer& bytes)
{
    const uint64_t declared = readBe32(bytes, 5);
    return declared < kFlvHeaderMin || declared >= bytes.size() ? kFlvHeaderMin : declared;
}

} // namespace

RepairResult analyzeFlv(const RepairRequest& request, const ByteBuffer& bytes)
{
    RepairResult result = prepareVideoResult(request, bytes);
    result.format = "flv";
    if (!hasFlvHeader(bytes)) {
        reportStructureNotFound(result, "FLV signature was not found", kVideoFlvNotFound, "FLV signature not found");
        return result;
    }
    const uint64_t declared = readBe32(bytes, 5);
    if (declared < kFlvHeaderMin || declared >= bytes.size())
        result.addFinding(IndexDamaged, Warning, "FLV data offset is invalid", 5, 4, true, 0.9);

    // With a declared offset at or past the end there is nothing to walk.
    uint64_t tags = 0;
    const uint64_t size = bytes.size();
    uint64_t c = std::max<uint64_t>(declared, kFlvHeaderMin);
    if (declared < size && c <= size - 4) {
        for (c += 4; kFlvTagHeader <= size - c;) {
            checkpoint(c, size);
            const uint64_t d = readBe24(bytes, c + 1);
            if (d + kFlvTagOverhead > size - c) {
                result.addFinding(Truncated, Warning, "truncated FLV tag at end of file", c, d, true, 0.86);
                break;
            }
            ++tags;
            c += d + kFlvTagOverhead;
        }
    }
    result.confidence = tags > 0 ? 0.86 : 0.62;
    return result;
}

RepairResult repairFlvFrom(RepairResult result, const RepairRequest& request, const ByteBuffer& bytes)
{
    if (!shouldRepair(result, request))
        return result;
    const uint64_t size = bytes.size();
    const uint64_t h = usableDataOffset(bytes);
    buildAndWriteVideo(result, request, "flv", kVideoFlvWrite, 0.86, [&](ByteBuffer& out) {
        out.reserve(size + 4);
        appendRange(out, bytes, 0, h);
        putBe32(out, 5, static_cast<uint32_t>(h));
        appendBe32(out, 0);
        uint64_t tags = 0;
        uint64_t tail = 0;
        if (size >= h + kFlvTagOverhead) {
            for (uint64_t c = h + 4;;) {
                checkpoint(c, size);
                const uint64_t d = readBe24(bytes, c + 1);
                if (d + kFlvTagOverhead > size - c) {
                    tail = size - c;
                    break;
                }
                // Each previous-tag-size is written afresh from the tag it follows.
                appendRange(out, bytes, c, kFlvTagHeader + d);
                appendBe32(out, static_cast<uint32_t>(kFlvTagHeader + d));
                ++tags;
                c += d + kFlvTagOverhead;
                if (size - c < kFlvTagHeader)
                    break;
            }
        }
        result.addAction("rewrite-flv-tags", "rewrote complete FLV tags and previous-tag-size chain", tags);
        if (tail > 0)
            result.addAction("drop-truncated-flv-tail", "dropped truncated FLV tail bytes", tail);
    });
    return result;
}

} // namespace data_repair
