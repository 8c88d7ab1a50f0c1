#include "data_repair/checkpoint.h"
#include "data_repair/output_writer.h"
#include "media/container_support.h"

namespace data_repair {

namespace {

inline constexpr uint64_t kFlvHeaderMin = 9;
inline constexpr uint64_t kFlvTagHeader = 11;
// Tag header, tag data and the previous-tag-size word after it.
inline constexpr uint64_t kFlvTagOverhead = kFlvTagHeader + 4;

bool hasFlvHeader(ByteView bytes) { return bytes.size() >= kFlvHeaderMin && matchesAt(bytes, 0, "FLV"); }

// The header length the tags start after: the declared DataOffset when it is plausible, else
// the fixed nine bytes of every FLV version.
uint64_t usableDataOffset(ByteView bytes)
{
    const uint64_t declared = readBe32(bytes, 5);
    return declared < kFlvHeaderMin || declared >= bytes.size() ? kFlvHeaderMin : declared;
}

} // namespace

RepairResult analyzeFlv(const RepairRequest& request, ByteView bytes)
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

namespace {

// More rewritten previous-tag-sizes than this and the output is built in memory: each one would
// be a piece of its own, and a file of tiny broken tags would cost many times its size in pieces.
inline constexpr uint64_t kMaxRewrittenSizes = 4096;

// Thrown when the pieces would need more rewritten sizes than kMaxRewrittenSizes.
struct TooManyRewrittenSizes {};

// Where the repaired file goes: into memory or into pieces (unchanged stretches copied from the
// input); pieces stop at kMaxRewrittenSizes rewritten sizes.
struct FlvSink {
    ByteView input;
    ByteBuffer* bytes = nullptr;
    OutputPieces* pieces = nullptr;
    uint64_t rewritten = 0;

    void keep(uint64_t pos, uint64_t length)
    {
        if (bytes != nullptr)
            appendRange(*bytes, input, pos, length);
        else if (pieces != nullptr)
            pieces->appendInput(pos, length);
    }
    void add(ByteBuffer fresh)
    {
        if (bytes != nullptr)
            appendBytes(*bytes, fresh);
        else if (pieces != nullptr)
            pieces->append(std::move(fresh));
    }
    // A 32-bit word the output holds at the input's `pos`: kept when the input already says it.
    void word(uint64_t pos, uint32_t value)
    {
        if (fits(input, pos, 4) && readBe32(input, pos) == value) {
            keep(pos, 4);
            return;
        }
        if (++rewritten > kMaxRewrittenSizes && pieces != nullptr)
            throw TooManyRewrittenSizes{};
        ByteBuffer fresh;
        appendBe32(fresh, value);
        add(std::move(fresh));
    }
};

struct FlvTagCount {
    uint64_t tags = 0;
    uint64_t tail = 0;
};

// The header with its data offset set to h, then every complete tag with its previous-tag-size
// written afresh from the tag it follows.
FlvTagCount layOutFlv(ByteView bytes, uint64_t h, FlvSink& sink)
{
    const uint64_t size = bytes.size();
    FlvTagCount count;
    ByteBuffer header = sliceBytes(bytes, 0, kFlvHeaderMin);
    putBe32(header, 5, static_cast<uint32_t>(h));
    sink.add(std::move(header));
    sink.keep(kFlvHeaderMin, h - kFlvHeaderMin);
    sink.word(h, 0);
    if (size >= h + kFlvTagOverhead) {
        for (uint64_t c = h + 4;;) {
            checkpoint(c, size);
            const uint64_t d = readBe24(bytes, c + 1);
            if (d + kFlvTagOverhead > size - c) {
                count.tail = size - c;
                break;
            }
            sink.keep(c, kFlvTagHeader + d);
            sink.word(c + kFlvTagHeader + d, static_cast<uint32_t>(kFlvTagHeader + d));
            ++count.tags;
            c += d + kFlvTagOverhead;
            if (size - c < kFlvTagHeader)
                break;
        }
    }
    return count;
}

} // namespace

RepairResult repairFlvFrom(RepairResult result, const RepairRequest& request, ByteView bytes)
{
    if (!shouldRepair(result, request))
        return result;
    const uint64_t h = usableDataOffset(bytes);
    const auto note = [&](const FlvTagCount& count) {
        result.addAction("rewrite-flv-tags", "rewrote complete FLV tags and previous-tag-size chain", count.tags);
        if (count.tail > 0)
            result.addAction("drop-truncated-flv-tail", "dropped truncated FLV tail bytes", count.tail);
    };
    // One walk lays out the pieces; only a file with too many sizes to rewrite is walked again,
    // into memory. Nothing has been written or noted when the pieces give up.
    try {
        buildAndWriteVideo(result, request, bytes, "flv", kVideoFlvWrite, 0.86, [&](OutputPieces& out) {
            FlvSink sink{bytes, nullptr, &out};
            note(layOutFlv(bytes, h, sink));
        });
        return result;
    } catch (const TooManyRewrittenSizes&) {
    }
    buildAndWriteVideo(result, request, "flv", kVideoFlvWrite, 0.86, [&](ByteBuffer& out) {
        requireWorkingMemory(bytes.size());
        out.reserve(bytes.size() + 4);
        FlvSink sink{bytes, &out};
        note(layOutFlv(bytes, h, sink));
    });
    return result;
}

} // namespace data_repair
