// FLAC: find the "fLaC" marker, walk the metadata blocks after it, and write a stream that starts
// at the marker and closes its metadata at the last complete block. The audio frames after the
// metadata are carried over unchanged.

#include "data_repair/checkpoint.h"
#include "media/audio_formats.h"

namespace data_repair {

namespace {

constexpr uint8_t kLastBlockFlag = 0x80;
constexpr uint8_t kInvalidBlockType = 127;
constexpr uint64_t kStreamInfoLength = 34;

struct FlacBlock {
    uint64_t pos = 0;
    uint8_t type = 0;
    bool last = false;
    uint64_t length = 0; // body length
};

// The block header at p, or false when fewer than 4 bytes remain.
bool readBlock(const ByteBuffer& buffer, uint64_t p, FlacBlock& block)
{
    if (!fits(buffer, p, 4))
        return false;
    block.pos = p;
    block.type = buffer[p] & 0x7F;
    block.last = (buffer[p] & kLastBlockFlag) != 0;
    block.length = readBe24(buffer, p + 1);
    return true;
}

bool blockUsable(const ByteBuffer& buffer, const FlacBlock& block)
{
    return block.type != kInvalidBlockType && fits(buffer, block.pos + 4, block.length);
}

} // namespace

uint64_t findFlacMarker(const ByteBuffer& buffer) { return findBytes(buffer, "fLaC", 0); }

RepairResult analyzeFlac(const RepairRequest& request, const ByteBuffer& buffer)
{
    RepairResult result = prepareAudioResult(request, buffer);
    result.format = "flac";
    const uint64_t m = findFlacMarker(buffer);
    if (!reportAudioStart(result, m,
                          {"FLAC stream marker was not found", 0.98, kAudioFlacMarkerNotFound, "FLAC marker not found",
                           "garbage bytes before FLAC marker"}))
        return result;

    bool streamInfoSeen = false;
    bool lastSeen = false;
    uint64_t count = 0;
    FlacBlock block;
    for (uint64_t p = m + 4; readBlock(buffer, p, block); ++count) {
        checkpoint(p, buffer.size());
        if (!blockUsable(buffer, block)) {
            result.addFinding(Truncated, Warning, "FLAC metadata block is invalid or truncated", p, block.length, true,
                              0.88);
            break;
        }
        if (count == 0 && (block.type != 0 || block.length != kStreamInfoLength)) {
            result.addFinding(MetadataMissing, Error, "FLAC STREAMINFO metadata block is missing", p, block.length, false,
                              0.95);
            result.setStatus(RepairStatus::failure(kAudioFlacStreamInfoMissing, "FLAC STREAMINFO missing"));
            return result;
        }
        streamInfoSeen = true;
        p += 4 + block.length;
        if (block.last) {
            lastSeen = true;
            break;
        }
    }
    if (!streamInfoSeen) {
        result.setStatus(RepairStatus::failure(kAudioFlacStreamInfoMissing, "FLAC STREAMINFO missing"));
        return result;
    }
    if (!lastSeen)
        result.addFinding(IndexDamaged, Warning, "FLAC metadata did not mark the final metadata block", 0, 0, true,
                          0.82);
    result.confidence = result.findings.empty() ? 1.0 : 0.84;
    return result;
}

RepairResult repairFlac(const RepairRequest& request, const ByteBuffer& buffer)
{
    RepairResult result = analyzeFlac(request, buffer);
    if (!audioRepairShouldWrite(result, request))
        return result;
    const uint64_t m = findFlacMarker(buffer);
    // Marker at the start and metadata closed: the file is written as it is, without a copy.
    if (m == 0 && result.findings.empty()) {
        writeAudioOutput(result, request, buffer, "flac", kAudioFlacWrite);
        return result;
    }
    ByteBuffer out;
    out.reserve(buffer.size() - m);
    appendString(out, "fLaC");
    uint64_t p = m + 4;
    uint64_t lastHeader = npos; // position in out of the last kept block's header
    uint64_t lastLength = 0;
    bool lastSeen = false;
    FlacBlock block;
    while (readBlock(buffer, p, block) && blockUsable(buffer, block)) {
        checkpoint(p, buffer.size());
        lastHeader = out.size();
        lastLength = 4 + block.length;
        appendU8(out, block.type); // the flag is set again on the last kept block below
        appendRange(out, buffer, p + 1, 3 + block.length);
        p += 4 + block.length;
        if (block.last) {
            lastSeen = true;
            break;
        }
    }
    if (lastHeader != npos)
        out[lastHeader] |= kLastBlockFlag;
    appendRange(out, buffer, p, buffer.size() - p);

    if (m > 0)
        result.addAction("trim-flac-prefix", "removed bytes before FLAC marker", m);
    if (!lastSeen)
        result.addAction("close-flac-metadata", "marked the last complete FLAC metadata block", lastLength);
    writeAudioOutput(result, request, out, "flac", kAudioFlacWrite);
    return result;
}

} // namespace data_repair
