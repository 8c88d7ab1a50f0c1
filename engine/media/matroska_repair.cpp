#include "media/container_support.h"

namespace data_repair {

namespace {

const ByteBuffer kEbmlMagic = {0x1A, 0x45, 0xDF, 0xA3};
const ByteBuffer kSegmentId = {0x18, 0x53, 0x80, 0x67};
const ByteBuffer kClusterId = {0x1F, 0x43, 0xB6, 0x75};
const ByteBuffer kCuesId = {0x1C, 0x53, 0xBB, 0x6B};
inline constexpr uint32_t kDocTypeId = 0x4282;
// Real EBML headers hold a handful of short elements (versions, limits, DocType); the bounds keep
// the check at a constant cost per candidate.
inline constexpr uint64_t kMaxHeaderBody = 512;
inline constexpr int kMaxHeaderChildren = 32;

// An EBML variable-length integer at pos: its length comes from the leading zero bits of the
// first byte. IDs keep the length marker, sizes drop it; an all-ones size means "unknown".
bool readVint(ByteView bytes, uint64_t pos, unsigned maxLength, bool keepMarker, uint64_t& value,
              uint64_t& length, bool* unknown = nullptr)
{
    if (!fits(bytes, pos, 1))
        return false;
    const uint8_t first = bytes[pos];
    unsigned n = 1;
    while (n <= 8 && (first & (0x80u >> (n - 1))) == 0)
        ++n;
    if (n > maxLength || !fits(bytes, pos, n))
        return false;
    uint64_t v = keepMarker ? first : (first & (0xFFu >> n));
    bool allOnes = v == (0xFFu >> n);
    for (unsigned i = 1; i < n; ++i) {
        v = (v << 8) | bytes[pos + i];
        allOnes = allOnes && bytes[pos + i] == 0xFF;
    }
    if (unknown != nullptr)
        *unknown = !keepMarker && allOnes;
    value = v;
    length = n;
    return true;
}

// True when an EBML header element starts at pos whose DocType names Matroska or WebM.
bool isMatroskaHeaderAt(ByteView bytes, uint64_t pos)
{
    if (!matchesAt(bytes, pos, kEbmlMagic))
        return false;
    uint64_t bodySize = 0, sizeLength = 0;
    bool unknown = false;
    if (!readVint(bytes, pos + 4, 8, false, bodySize, sizeLength, &unknown) || unknown || bodySize > kMaxHeaderBody)
        return false;
    const uint64_t body = pos + 4 + sizeLength;
    if (!fits(bytes, body, bodySize))
        return false;
    const uint64_t end = body + bodySize;
    uint64_t child = body;
    for (int i = 0; i < kMaxHeaderChildren && child < end; ++i) {
        uint64_t id = 0, idLength = 0, size = 0, length = 0;
        if (!readVint(bytes, child, 4, true, id, idLength) ||
            !readVint(bytes, child + idLength, 8, false, size, length, &unknown) || unknown)
            return false;
        const uint64_t value = child + idLength + length;
        if (value > end || size > end - value)
            return false;
        if (id == kDocTypeId) {
            std::string docType = bytesToString(bytes, value, size);
            while (!docType.empty() && docType.back() == '\0')
                docType.pop_back();
            return docType == "matroska" || docType == "webm";
        }
        child = value + size;
    }
    return false;
}

uint64_t findEbmlHeader(ByteView bytes, bool structuralOnly)
{
    return findCheckedPattern(bytes, kEbmlMagic, [&](uint64_t at) { return isMatroskaHeaderAt(bytes, at); },
                              structuralOnly);
}

} // namespace

bool hasEbmlMagic(ByteView bytes) { return findEbmlHeader(bytes, true) != npos; }

RepairResult analyzeMatroska(const RepairRequest& request, ByteView bytes)
{
    RepairResult result = prepareVideoResult(request, bytes);
    result.format = "mkv";
    const uint64_t e = findEbmlHeader(bytes, false);
    if (e == npos) {
        reportStructureNotFound(result, "EBML header was not found", kVideoMkvNotFound, "EBML header not found");
        return result;
    }
    if (e > 0)
        result.addFinding(HeaderMissing, Warning, "garbage bytes before EBML header", 0, e, true, 0.9);
    if (findBytes(bytes, kSegmentId, e) == npos)
        result.addFinding(MetadataMissing, Warning, "Matroska Segment element was not found", e, 0, false, 0.7);
    if (findBytes(bytes, kClusterId, e) == npos)
        result.addFinding(IndexMissing, Warning, "Matroska Cluster element was not found", e, 0, false, 0.7);
    result.confidence = 0.78;
    return result;
}

RepairResult repairMatroskaFrom(RepairResult result, const RepairRequest& request, ByteView bytes)
{
    if (!shouldRepair(result, request))
        return result;
    const uint64_t e = findEbmlHeader(bytes, false);
    if (e > 0)
        result.addAction("trim-ebml-prefix", "removed bytes before EBML header", e);
    // Cues usually close the file: looked for from the end, they are found at once.
    const uint64_t cues = rfindBytes(bytes, kCuesId);
    if (cues == npos || cues < e)
        result.notes.push_back("Matroska Cues index was not found; players may scan clusters to rebuild seeking");
    writeInputRange(result, request, bytes, e, bytes.size(), "mkv", kVideoMkvWrite, 0.8);
    return result;
}

} // namespace data_repair
