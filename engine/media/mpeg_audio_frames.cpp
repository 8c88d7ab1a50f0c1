// MP3 and raw AAC (ADTS) streams: sequences of self-delimiting frames. One scanner walks either
// kind with a header test, keeps every complete frame and counts what it drops.

#include <array>
#include <cstring>

#include "data_repair/checkpoint.h"
#include "data_repair/output_writer.h"
#include "media/audio_formats.h"

namespace data_repair {

namespace {

// Bitrates in kbit/s by bitrate index (ISO/IEC 11172-3 and 13818-3); index 0 (free format) and
// 15 are never accepted.
constexpr std::array<uint32_t, 15> kMpeg1Layer1{0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448};
constexpr std::array<uint32_t, 15> kMpeg1Layer2{0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384};
constexpr std::array<uint32_t, 15> kMpeg1Layer3{0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320};
constexpr std::array<uint32_t, 15> kMpeg2Layer1{0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256};
constexpr std::array<uint32_t, 15> kMpeg2Layer23{0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160};

// A candidate only starts a stream when the frame after it begins with a header too, or when it
// ends the stream: a lone header-like pattern turns up every few KiB in any compressed data.
bool confirmedFrame(ByteView buffer, uint64_t pos, FrameHeaderTest test, uint64_t end)
{
    const uint64_t length = test(buffer, pos);
    if (length == 0 || !fitsIn(end, pos, length))
        return false;
    return pos + length == end || test(buffer, pos + length) != 0;
}

uint64_t streamEndOf(ByteView buffer, uint64_t streamEnd)
{
    return streamEnd > buffer.size() ? buffer.size() : streamEnd;
}

// "LYRICS200" closes a Lyrics3 v2 block: six decimal digits before it give the length of the
// block from "LYRICSBEGIN" up to those digits.
uint64_t lyrics3Start(ByteView buffer, uint64_t floor, uint64_t end)
{
    if (end < floor || end - floor < 15 + 11 || !matchesAt(buffer, end - 9, "LYRICS200"))
        return npos;
    uint64_t size = 0;
    for (uint64_t i = end - 15; i < end - 9; ++i) {
        const uint8_t digit = buffer[i];
        if (digit < '0' || digit > '9')
            return npos;
        size = size * 10 + (digit - '0');
    }
    if (size + 15 > end - floor || !matchesAt(buffer, end - 15 - size, "LYRICSBEGIN"))
        return npos;
    return end - 15 - size;
}

// An APE tag ends with a 32-byte footer "APETAGEX"; its size counts the items and the footer,
// and flag bit 31 says a 32-byte header precedes the items.
uint64_t apeTagStart(ByteView buffer, uint64_t floor, uint64_t end)
{
    if (end < floor || end - floor < 32 || !matchesAt(buffer, end - 32, "APETAGEX"))
        return npos;
    const uint64_t size = readLe32(buffer, end - 32 + 12);
    const uint32_t flags = readLe32(buffer, end - 32 + 20);
    const uint64_t total = size + ((flags & 0x80000000u) != 0 ? 32 : 0);
    if (size < 32 || total > end - floor)
        return npos;
    return end - total;
}

} // namespace

uint64_t isAdtsHeader(ByteView buffer, uint64_t pos)
{
    if (!fits(buffer, pos, 7) || buffer[pos] != 0xFF || (buffer[pos + 1] & 0xF6) != 0xF0)
        return 0;
    if (((buffer[pos + 2] >> 2) & 0x0F) == 15)
        return 0;
    const uint64_t length = (static_cast<uint64_t>(buffer[pos + 3] & 0x03) << 11) |
                            (static_cast<uint64_t>(buffer[pos + 4]) << 3) | (buffer[pos + 5] >> 5);
    const bool protectionAbsent = (buffer[pos + 1] & 0x01) != 0;
    return length >= (protectionAbsent ? 7u : 9u) ? length : 0;
}

uint64_t isMpegAudioHeader(ByteView buffer, uint64_t pos)
{
    if (!fits(buffer, pos, 4) || buffer[pos] != 0xFF || buffer[pos + 1] <= 0xDF)
        return 0;
    const uint8_t b1 = buffer[pos + 1];
    const uint8_t b2 = buffer[pos + 2];
    const int version = (b1 >> 3) & 3; // 3 MPEG-1, 2 MPEG-2, 0 MPEG-2.5
    const int layer = (b1 >> 1) & 3;   // 3 Layer I, 2 Layer II, 1 Layer III
    if (version == 1 || layer == 0)
        return 0;
    const int bitrateIndex = b2 >> 4;
    const int rateIndex = (b2 >> 2) & 3;
    if (bitrateIndex == 0 || bitrateIndex == 15 || rateIndex == 3)
        return 0;
    const uint64_t padding = (b2 >> 1) & 1;
    static constexpr std::array<uint64_t, 3> kRates{44100, 48000, 32000};
    uint64_t rate = kRates[static_cast<size_t>(rateIndex)];
    if (version == 2)
        rate /= 2;
    else if (version == 0)
        rate /= 4;
    const bool mpeg1 = version == 3;
    uint64_t bitrate = 0;
    if (layer == 3)
        bitrate = (mpeg1 ? kMpeg1Layer1 : kMpeg2Layer1)[static_cast<size_t>(bitrateIndex)];
    else if (layer == 2)
        bitrate = (mpeg1 ? kMpeg1Layer2 : kMpeg2Layer23)[static_cast<size_t>(bitrateIndex)];
    else
        bitrate = (mpeg1 ? kMpeg1Layer3 : kMpeg2Layer23)[static_cast<size_t>(bitrateIndex)];
    uint64_t length = 0;
    if (layer == 3)
        length = (12000 * bitrate / rate + padding) * 4;
    else if (layer == 2 || mpeg1)
        length = 144000 * bitrate / rate + padding;
    else
        length = 72000 * bitrate / rate + padding;
    return bitrate > 0 && length > 3 ? length : 0;
}

uint64_t findFirstFrame(ByteView buffer, uint64_t start, FrameHeaderTest test, uint64_t end)
{
    end = streamEndOf(buffer, end);
    // Every header begins with 0xFF: jump from one such byte to the next.
    for (uint64_t p = start; p < end; ++p) {
        checkpoint(p, end);
        const void* hit = std::memchr(buffer.data() + p, 0xFF, static_cast<size_t>(end - p));
        if (hit == nullptr)
            return npos;
        p = static_cast<uint64_t>(static_cast<const uint8_t*>(hit) - buffer.data());
        if (confirmedFrame(buffer, p, test, end))
            return p;
    }
    return npos;
}

FrameScan scanFrameStream(ByteView buffer, uint64_t start, uint64_t keptPrefixLength, FrameHeaderTest test,
                          uint64_t streamEnd, bool keepBytes, uint64_t keptPrefixAt)
{
    FrameScan scan;
    const uint64_t end = streamEndOf(buffer, streamEnd);
    scan.trailerLength = buffer.size() - end;
    if (keepBytes && keptPrefixLength > 0 && fits(buffer, keptPrefixAt, keptPrefixLength))
        appendRange(scan.kept, buffer, keptPrefixAt, keptPrefixLength);
    uint64_t c = findFirstFrame(buffer, start, test, end);
    if (c == npos) {
        scan.truncatedTail = start < end ? end - start : 0;
    } else {
        scan.garbagePrefix = c - start;
        if (keepBytes)
            scan.kept.reserve(scan.kept.size() + (end - c) + scan.trailerLength);
        while (c < end) {
            checkpoint(c, end);
            const uint64_t length = test(buffer, c);
            if (length != 0) {
                if (!fitsIn(end, c, length)) {
                    scan.truncatedTail = end - c;
                    break;
                }
                if (keepBytes)
                    appendRange(scan.kept, buffer, c, length);
                ++scan.frameCount;
                c += length;
                continue;
            }
            const uint64_t next = findFirstFrame(buffer, c + 1, test, end);
            if (next == npos) {
                scan.truncatedTail = end - c;
                break;
            }
            scan.skippedBetween += next - c;
            c = next;
        }
    }
    if (keepBytes)
        appendRange(scan.kept, buffer, end, scan.trailerLength);
    return scan;
}

namespace {

Id3v2Tag id3v2TagAt(ByteView buffer, uint64_t pos)
{
    Id3v2Tag tag;
    if (!fits(buffer, pos, 10) || !matchesAt(buffer, pos, "ID3"))
        return tag;
    uint64_t size = 0;
    for (uint64_t i = pos + 6; i < pos + 10; ++i) {
        if ((buffer[i] & 0x80) != 0) {
            tag.invalid = true;
            return tag;
        }
        size = (size << 7) | buffer[i];
    }
    const uint64_t total = size + ((buffer[pos + 5] & 0x10) != 0 ? 20 : 10);
    if (!fits(buffer, pos, total)) {
        tag.invalid = true;
        return tag;
    }
    tag.total = total;
    return tag;
}

} // namespace

Id3v2Tag readId3v2Size(ByteView buffer) { return id3v2TagAt(buffer, 0); }

uint64_t findMp3TrailerStart(ByteView buffer, uint64_t floor)
{
    uint64_t end = buffer.size();
    if (end >= floor && end - floor >= 128 && matchesAt(buffer, end - 128, "TAG"))
        end -= 128;
    // An APE tag and a Lyrics3 block may both stand before the ID3v1 tag, in either order.
    for (int round = 0; round < 2; ++round) {
        if (const uint64_t lyrics = lyrics3Start(buffer, floor, end); lyrics != npos)
            end = lyrics;
        if (const uint64_t ape = apeTagStart(buffer, floor, end); ape != npos)
            end = ape;
    }
    return end;
}

void addFrameStreamFindings(RepairResult& result, const FrameScan& scan, const std::string& label)
{
    if (scan.garbagePrefix > 0)
        result.addFinding(HeaderDamaged, Warning, "garbage bytes before first " + label + " frame", 0,
                          scan.garbagePrefix, true, 0.9);
    if (scan.skippedBetween > 0)
        result.addFinding(StructureInvalid, Warning, "invalid bytes between " + label + " frames can be dropped", 0,
                          scan.skippedBetween, true, 0.85);
    if (scan.truncatedTail > 0)
        result.addFinding(Truncated, Warning, "truncated tail after the last complete " + label + " frame", 0,
                          scan.truncatedTail, true, 0.88);
}

namespace {

struct StreamFormat {
    const char* name;
    const char* label;
    FrameHeaderTest test;
    int32_t notFoundCode;
    const char* notFoundFinding;
    const char* notFoundStatus;
    int32_t writeCode;
    const char* trimId;
    const char* trimText;
    const char* resyncId;
    const char* resyncText;
    const char* tailId;
    const char* tailText;
};

const StreamFormat kAac{"aac",
                        "AAC ADTS",
                        isAdtsHeader,
                        kAudioAacNotFound,
                        "AAC ADTS frames were not found",
                        "AAC ADTS frames not found",
                        kAudioAacWrite,
                        "trim-aac-prefix",
                        "removed garbage before first AAC ADTS frame",
                        "resync-aac-frames",
                        "dropped invalid bytes and resynchronized AAC ADTS frames",
                        "drop-truncated-aac-tail",
                        "removed incomplete AAC ADTS frame tail"};

const StreamFormat kMp3{"mp3",
                        "MP3",
                        isMpegAudioHeader,
                        kAudioMp3NotFound,
                        "MP3 audio frames were not found",
                        "MP3 frames not found",
                        kAudioMp3Write,
                        "trim-mp3-prefix",
                        "removed garbage or invalid ID3 bytes before first MP3 frame",
                        "resync-mp3-frames",
                        "dropped invalid bytes and resynchronized MP3 frame stream",
                        "drop-truncated-mp3-tail",
                        "removed incomplete MP3 frame tail"};

// Where the scan of a format starts and which tag it keeps in front of the first frame.
struct ScanPlan {
    uint64_t start = 0;
    uint64_t tagAt = 0;          // the kept ID3v2 tag: [tagAt, tagAt + tagLength)
    uint64_t tagLength = 0;
    uint64_t leadingGarbage = 0; // bytes before a kept tag that does not stand at 0
    bool invalidId3 = false;
};

// Bytes written in front of a tagged MP3 push its ID3v2 tag away from 0: a valid tag that ends
// exactly where the first frame begins is still the file's own tag and is kept.
void findDisplacedId3(ByteView buffer, uint64_t streamEnd, ScanPlan& plan)
{
    const uint64_t first = findFirstFrame(buffer, 0, isMpegAudioHeader, streamEnd);
    if (first == npos)
        return;
    // Only the bytes before the first frame can hold it.
    for (uint64_t h = 1; h < first; ++h) {
        checkpointStep(h, first);
        if (buffer[h] != 'I' || !matchesAt(buffer, h, "ID3"))
            continue;
        const Id3v2Tag tag = id3v2TagAt(buffer, h);
        if (!tag.invalid && h + tag.total == first) {
            plan.start = first;
            plan.tagAt = h;
            plan.tagLength = tag.total;
            plan.leadingGarbage = h;
            return;
        }
    }
}

ScanPlan planScan(const StreamFormat& format, ByteView buffer, uint64_t streamEnd)
{
    ScanPlan plan;
    if (&format != &kMp3)
        return plan;
    const Id3v2Tag tag = readId3v2Size(buffer);
    plan.invalidId3 = tag.invalid;
    plan.start = tag.total;
    plan.tagLength = tag.total;
    if (tag.total == 0 && !tag.invalid)
        findDisplacedId3(buffer, streamEnd, plan);
    return plan;
}

uint64_t streamEndFor(const StreamFormat& format, ByteView buffer)
{
    // Tag blocks at the end (ID3v1 and its companions) belong to the file, not to the damage.
    return &format == &kMp3 ? findMp3TrailerStart(buffer, 0) : buffer.size();
}

FrameScan runScan(const StreamFormat& format, ByteView buffer, const ScanPlan& plan, uint64_t streamEnd,
                  bool keepBytes)
{
    FrameScan scan =
        scanFrameStream(buffer, plan.start, plan.tagLength, format.test, streamEnd, keepBytes, plan.tagAt);
    scan.garbagePrefix += plan.leadingGarbage;
    return scan;
}

RepairResult analyzeStream(const StreamFormat& format, const RepairRequest& request, ByteView buffer,
                           FrameScan* scanOut, ScanPlan* planOut, uint64_t* streamEndOut)
{
    RepairResult result = prepareAudioResult(request, buffer);
    result.format = format.name;
    const uint64_t streamEnd = streamEndFor(format, buffer);
    const ScanPlan plan = planScan(format, buffer, streamEnd);
    if (plan.invalidId3)
        result.addFinding(HeaderDamaged, Warning, "invalid ID3v2 tag will be skipped", 0, 10, true, 0.9);
    // The analysis only counts; a repair that has to change something scans again keeping bytes.
    FrameScan scan = runScan(format, buffer, plan, streamEnd, false);
    if (scan.frameCount == 0) {
        result.addFinding(ScanDataMissing, Error, format.notFoundFinding, 0, 0, false, 0.96);
        result.setStatus(RepairStatus::failure(format.notFoundCode, format.notFoundStatus));
        return result;
    }
    addFrameStreamFindings(result, scan, format.label);
    result.confidence = result.findings.empty() ? 1.0 : 0.84;
    if (scanOut != nullptr)
        *scanOut = scan;
    if (planOut != nullptr)
        *planOut = plan;
    if (streamEndOut != nullptr)
        *streamEndOut = streamEnd;
    return result;
}

RepairResult repairStream(const StreamFormat& format, const RepairRequest& request, ByteView buffer)
{
    FrameScan scan;
    ScanPlan plan;
    uint64_t streamEnd = 0;
    RepairResult result = analyzeStream(format, request, buffer, &scan, &plan, &streamEnd);
    if (!audioRepairShouldWrite(result, request))
        return result;
    const uint64_t trimmed = scan.garbagePrefix + (plan.invalidId3 ? 10 : 0);
    if (trimmed > 0)
        result.addAction(format.trimId, format.trimText, trimmed);
    if (scan.skippedBetween > 0)
        result.addAction(format.resyncId, format.resyncText, scan.skippedBetween);
    if (scan.truncatedTail > 0)
        result.addAction(format.tailId, format.tailText, scan.truncatedTail);
    // Without resynchronisation the kept frames are one stretch of the input: the tag, that
    // stretch and the trailer are written from the input as they stand, without a copy.
    if (scan.skippedBetween == 0) {
        const uint64_t framesStart = plan.start + (scan.garbagePrefix - plan.leadingGarbage);
        const uint64_t framesEnd = streamEnd - scan.truncatedTail;
        const ByteParts parts{inputRange(buffer, plan.tagAt, plan.tagLength),
                              inputRange(buffer, framesStart, framesEnd - framesStart),
                              inputRange(buffer, streamEnd, scan.trailerLength)};
        if (writeRepairedOutput(result, request, parts, format.name, "repaired-audio", format.writeCode, "_repaired",
                                buffer))
            result.setStatus(RepairStatus::success());
        return result;
    }
    const FrameScan kept = runScan(format, buffer, plan, streamEnd, true);
    writeAudioOutput(result, request, kept.kept, format.name, format.writeCode);
    return result;
}

} // namespace

RepairResult analyzeAac(const RepairRequest& request, ByteView buffer)
{
    return analyzeStream(kAac, request, buffer, nullptr, nullptr, nullptr);
}

RepairResult repairAac(const RepairRequest& request, ByteView buffer)
{
    return repairStream(kAac, request, buffer);
}

RepairResult analyzeMp3(const RepairRequest& request, ByteView buffer)
{
    return analyzeStream(kMp3, request, buffer, nullptr, nullptr, nullptr);
}

RepairResult repairMp3(const RepairRequest& request, ByteView buffer)
{
    return repairStream(kMp3, request, buffer);
}

} // namespace data_repair
