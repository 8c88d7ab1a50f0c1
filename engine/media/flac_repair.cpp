// FLAC: find the "fLaC" marker, walk the metadata blocks after it, and write a stream that starts
// at the marker and closes its metadata at the last complete block. The audio frames after the
// metadata are carried over unchanged up to the last complete frame: a copy cut inside a frame
// ends there, with the stream info fitted to the audio that is left.

#include <algorithm>
#include <array>
#include <cstring>
#include <string>

#include "data_repair/checkpoint.h"
#include "data_repair/output_writer.h"
#include "media/audio_formats.h"

namespace data_repair {

namespace {

constexpr uint8_t kLastBlockFlag = 0x80;
constexpr uint8_t kInvalidBlockType = 127;
constexpr uint64_t kStreamInfoLength = 34;
// In STREAMINFO's body: the largest block size, the 64 bits that end with the 36-bit total
// sample count, and the MD5 signature of the decoded audio.
constexpr uint64_t kMaxBlockSizeAt = 2;
constexpr uint64_t kTotalSamplesAt = 10;
constexpr uint64_t kTotalSamplesMask = (uint64_t{1} << 36) - 1;
constexpr uint64_t kMd5At = 18;
constexpr uint64_t kMd5Length = 16;

struct FlacBlock {
    uint64_t pos = 0;
    uint8_t type = 0;
    bool last = false;
    uint64_t length = 0; // body length
};

// The block header at p, or false when fewer than 4 bytes remain.
bool readBlock(ByteView buffer, uint64_t p, FlacBlock& block)
{
    if (!fits(buffer, p, 4))
        return false;
    block.pos = p;
    block.type = buffer[p] & 0x7F;
    block.last = (buffer[p] & kLastBlockFlag) != 0;
    block.length = readBe24(buffer, p + 1);
    return true;
}

bool blockUsable(ByteView buffer, const FlacBlock& block)
{
    return block.type != kInvalidBlockType && fits(buffer, block.pos + 4, block.length);
}

// FLAC's CRCs run most significant bit first from 0: CRC-8 (polynomial 0x07) closes a frame
// header, CRC-16 (polynomial 0x8005) a whole frame.
template <typename Crc, unsigned Width>
constexpr std::array<Crc, 256> makeCrcTable(Crc polynomial)
{
    std::array<Crc, 256> table{};
    constexpr Crc top = Crc(Crc{1} << (Width - 1));
    for (unsigned i = 0; i < 256; ++i) {
        Crc r = static_cast<Crc>(i << (Width - 8));
        for (int bit = 0; bit < 8; ++bit)
            r = static_cast<Crc>((r & top) != 0 ? (r << 1) ^ polynomial : r << 1);
        table[i] = r;
    }
    return table;
}

constexpr std::array<uint8_t, 256> kCrc8Table = makeCrcTable<uint8_t, 8>(0x07);

// CRC-16 eight bytes at a time: table k holds the register after a byte followed by k zero
// bytes, so the eight contributions of a block combine by XOR (the whole file is checked).
constexpr std::array<std::array<uint16_t, 256>, 8> makeCrc16Tables()
{
    std::array<std::array<uint16_t, 256>, 8> tables{};
    tables[0] = makeCrcTable<uint16_t, 16>(0x8005);
    for (size_t k = 1; k < tables.size(); ++k) {
        for (size_t i = 0; i < 256; ++i) {
            const uint16_t previous = tables[k - 1][i];
            tables[k][i] = static_cast<uint16_t>((previous << 8) ^ tables[0][previous >> 8]);
        }
    }
    return tables;
}

constexpr std::array<std::array<uint16_t, 256>, 8> kCrc16Tables = makeCrc16Tables();

uint8_t crc8(ByteView buffer, uint64_t pos, uint64_t end)
{
    uint8_t crc = 0;
    for (uint64_t i = pos; i < end; ++i)
        crc = kCrc8Table[crc ^ buffer[i]];
    return crc;
}

// CRC-16 of [pos, end); over a frame including its stored CRC it comes out 0.
uint16_t crc16(ByteView buffer, uint64_t pos, uint64_t end)
{
    const auto& t = kCrc16Tables;
    const uint8_t* b = buffer.data();
    uint16_t crc = 0;
    uint64_t i = pos;
    for (; i + 8 <= end; i += 8) {
        crc = t[7][b[i] ^ (crc >> 8)] ^ t[6][b[i + 1] ^ (crc & 0xFF)] ^ t[5][b[i + 2]] ^ t[4][b[i + 3]] ^
              t[3][b[i + 4]] ^ t[2][b[i + 5]] ^ t[1][b[i + 6]] ^ t[0][b[i + 7]];
    }
    for (; i < end; ++i)
        crc = static_cast<uint16_t>((crc << 8) ^ t[0][(crc >> 8) ^ b[i]]);
    return crc;
}

struct FrameHeader {
    uint64_t length = 0;    // header bytes, its CRC-8 included
    uint64_t blockSize = 0; // samples per channel
    uint64_t number = 0;    // frame number, or sample number in a variable block size stream
    uint8_t variable = 0;   // blocking strategy bit
    uint8_t rateCode = 0;
    uint8_t sampleSizeCode = 0;
    uint8_t channelCode = 0;
    uint16_t rateExtra = 0; // the explicit rate of rate codes 12 to 14
};

// A frame header at pos: sync code, no reserved value, a well-formed coded frame or sample
// number, and a correct CRC-8.
bool readFrameHeader(ByteView buffer, uint64_t pos, FrameHeader& header)
{
    if (!fits(buffer, pos, 6) || buffer[pos] != 0xFF || (buffer[pos + 1] & 0xFE) != 0xF8)
        return false;
    const uint8_t sizeCode = buffer[pos + 2] >> 4;
    const uint8_t rateCode = buffer[pos + 2] & 0x0F;
    const uint8_t channels = buffer[pos + 3] >> 4;
    const uint8_t sampleSizeCode = (buffer[pos + 3] >> 1) & 0x07;
    if (sizeCode == 0 || rateCode == 15 || channels > 10 || sampleSizeCode == 3 || (buffer[pos + 3] & 1) != 0)
        return false;
    const uint8_t variable = buffer[pos + 1] & 1;
    const uint8_t lead = buffer[pos + 4];
    // The coded number is UTF-8 style: the lead byte's leading ones give the length (a frame
    // number takes at most 6 bytes, a sample number at most 7).
    uint64_t ones = 0;
    while (ones < 8 && (lead & (0x80 >> ones)) != 0)
        ++ones;
    if (ones == 1 || ones > (variable != 0 ? 7u : 6u))
        return false;
    const uint64_t extra = ones == 0 ? 0 : ones - 1;
    uint64_t p = pos + 5;
    if (!fits(buffer, p, extra))
        return false;
    uint64_t number = lead & (0x7F >> ones);
    for (uint64_t i = 0; i < extra; ++i) {
        if ((buffer[p + i] & 0xC0) != 0x80)
            return false;
        number = (number << 6) | (buffer[p + i] & 0x3F);
    }
    p += extra;
    uint64_t blockSize = 0;
    if (sizeCode == 1) {
        blockSize = 192;
    } else if (sizeCode <= 5) {
        blockSize = uint64_t{576} << (sizeCode - 2);
    } else if (sizeCode == 6) {
        blockSize = (fits(buffer, p, 1) ? buffer[p] : 0) + uint64_t{1};
        p += 1;
    } else if (sizeCode == 7) {
        blockSize = readBe16(buffer, p) + uint64_t{1};
        p += 2;
    } else {
        blockSize = uint64_t{256} << (sizeCode - 8);
    }
    uint16_t rateExtra = 0;
    if (rateCode == 12) {
        rateExtra = fits(buffer, p, 1) ? buffer[p] : 0;
        p += 1;
    } else if (rateCode == 13 || rateCode == 14) {
        rateExtra = readBe16(buffer, p);
        p += 2;
    }
    if (!fits(buffer, p, 1) || crc8(buffer, pos, p) != buffer[p])
        return false;
    header = {p + 1 - pos, blockSize, number, variable, rateCode, sampleSizeCode, channels, rateExtra};
    return true;
}

// The first frame header in [from, end) (one that agrees with first, when given), or npos.
uint64_t nextFrameHeader(ByteView buffer, uint64_t from, uint64_t end, const FrameHeader* first,
                         FrameHeader& header)
{
    for (uint64_t p = from; p < end; ++p) {
        const void* hit = std::memchr(buffer.data() + p, 0xFF, static_cast<size_t>(end - p));
        if (hit == nullptr)
            return npos;
        p = static_cast<uint64_t>(static_cast<const uint8_t*>(hit) - buffer.data());
        if (!readFrameHeader(buffer, p, header))
            continue;
        if (first == nullptr || (header.variable == first->variable && header.rateCode == first->rateCode &&
                                 header.sampleSizeCode == first->sampleSizeCode))
            return p;
    }
    return npos;
}

// A stretch of the audio that holds no sound frame: a frame failing its CRC-16 (its header,
// checked by CRC-8, still gives its place in the stream), with any bytes inserted after it or
// frames whose headers were lost, up to the next sound header. It is replaced by silent frames
// covering the same samples, or dropped when the headers around it do not tell how many.
struct DamagedSpan {
    uint64_t start = 0;
    uint64_t end = 0;
    FrameHeader like;      // the silent frames take its rate, channels and sample size
    uint64_t position = 0; // first sample (per channel) the span covers
    uint64_t samples = 0;  // samples per channel of silence; 0 when the span is dropped
};

// The audio frames in [from, streamEnd). Frames carry no length: each runs to the next frame
// header (or to the stream's end) and is complete when its closing CRC-16 is right there.
struct FlacFrames {
    uint64_t streamEnd = 0;      // where the frames end: tag blocks after them are kept as they are
    uint64_t completeEnd = npos; // end of the last complete frame; npos when none is complete
    uint64_t samples = 0;        // samples per channel before completeEnd, silence included
    uint64_t blockSize = 0;      // of the first frame: every frame's in a fixed block size stream
    uint64_t maxBlockSize = 0;   // the stream info's largest block size
    std::vector<DamagedSpan> damaged; // spans before completeEnd, in stream order
    // What the complete frames themselves show, for checking and rebuilding the stream info.
    FrameHeader first;                  // the first frame header found (valid when blockSize > 0)
    uint64_t smallestBlock = npos;      // over the complete frames but the last, which may be short
    uint64_t largestBlock = 0;          // over every complete frame
    uint64_t lastBlock = 0;             // of the last complete frame
    uint64_t smallestFrame = npos;      // bytes of the complete frames
    uint64_t largestFrame = 0;
};

// Beyond this many damaged spans (a real recording of a few GiB has fewer frames) the audio is
// treated as ending at the last complete frame, so the list stays a bounded size.
constexpr size_t kMaxDamagedSpans = size_t{1} << 20;

// Samples per channel of each silent frame: the stream's block size, or in a variable block
// size stream the largest one it announces.
uint64_t silenceStep(const FlacFrames& frames, const FrameHeader& like)
{
    return like.variable != 0 ? std::max(like.blockSize, frames.maxBlockSize) : frames.blockSize;
}

uint64_t samplePosition(const FrameHeader& header, uint64_t blockSize)
{
    uint64_t position = header.number;
    if (header.variable == 0 && !checkedMul(header.number, blockSize, position))
        return npos;
    return position;
}

// Samples of silence for a span from a header at `from` up to the sound header at `to`; 0 when
// the two do not agree on a plausible, whole number of frames. A span gets at most one silent
// frame (a dozen bytes or so) per 8 of its bytes, so the output stays within a small multiple of
// the input even where the header after the span lies about its place.
uint64_t spanSamples(uint64_t from, uint64_t to, uint64_t spanBytes, const FrameHeader& like, uint64_t step)
{
    if (from == npos || to == npos || to <= from || (to - from) / step > spanBytes / 8)
        return 0;
    if (like.variable == 0 && (to - from) % step != 0)
        return 0;
    return to - from;
}

FlacFrames scanFlacFrames(ByteView buffer, uint64_t from, uint64_t maxBlockSize)
{
    FlacFrames frames;
    frames.maxBlockSize = maxBlockSize;
    // Some taggers append the tags of MP3 files; the last frame ends where they begin.
    frames.streamEnd = findMp3TrailerStart(buffer, from);
    FrameHeader first;
    uint64_t start = nextFrameHeader(buffer, from, frames.streamEnd, nullptr, first);
    if (start == npos)
        return frames;
    frames.blockSize = first.blockSize;
    frames.first = first;
    const auto positionOf = [&](const FrameHeader& header) { return samplePosition(header, frames.blockSize); };
    // The damage after the last complete frame: all of it lies between two complete frames (or
    // before the first), so it is one stretch of bytes, kept once a later frame is complete.
    DamagedSpan pending;
    bool damage = false;
    if (start > from) {
        // The first frame's header is gone, or bytes were put before it.
        pending = {from, start, first, 0, 0};
        damage = true;
    }
    FrameHeader current = first;
    while (start != npos) {
        checkpoint(start, buffer.size());
        // The shortest frame holds one subframe byte and its CRC-16 after the header.
        const uint64_t minEnd = start + current.length + 3;
        FrameHeader next;
        const uint64_t nextStart = nextFrameHeader(buffer, minEnd, frames.streamEnd, &first, next);
        const uint64_t end = nextStart == npos ? frames.streamEnd : nextStart;
        if (end >= minEnd && crc16(buffer, start, end) == 0) {
            if (damage) {
                if (frames.damaged.size() >= kMaxDamagedSpans)
                    break; // the rest counts as a cut tail
                // Silence from the first damaged frame's place up to this sound frame's.
                pending.samples = spanSamples(pending.position, positionOf(current), pending.end - pending.start,
                                              pending.like, silenceStep(frames, pending.like));
                frames.samples += pending.samples;
                frames.damaged.push_back(pending);
                damage = false;
            }
            if (frames.completeEnd != npos)
                frames.smallestBlock = std::min(frames.smallestBlock, frames.lastBlock);
            frames.lastBlock = current.blockSize;
            frames.largestBlock = std::max(frames.largestBlock, current.blockSize);
            frames.smallestFrame = std::min(frames.smallestFrame, end - start);
            frames.largestFrame = std::max(frames.largestFrame, end - start);
            frames.completeEnd = end;
            frames.samples += current.blockSize;
        } else if (damage) {
            pending.end = end;
        } else {
            pending = {start, end, current, positionOf(current), 0};
            damage = true;
        }
        start = nextStart;
        current = next;
    }
    return frames;
}

// How the audio of a file ends. A copy cut inside a frame leaves bytes after the last complete
// frame; one cut between frames is told by the stream info announcing more samples than the
// frames hold. Without a complete frame nothing can be judged.
struct AudioEnd {
    uint64_t cut = npos;    // from here to the stream's end no frame is complete; npos: none cut
    bool shortened = false; // bytes are cut, or the frames hold fewer samples than announced
};

uint64_t announcedSamples(ByteView buffer, uint64_t streamInfoBody)
{
    return readBe64(buffer, streamInfoBody + kTotalSamplesAt) & kTotalSamplesMask;
}

AudioEnd audioEndOf(const FlacFrames& frames, uint64_t announced)
{
    AudioEnd end;
    if (frames.completeEnd == npos)
        return end;
    if (frames.completeEnd < frames.streamEnd)
        end.cut = frames.completeEnd;
    end.shortened = end.cut != npos || announced > frames.samples;
    return end;
}

uint64_t streamInfoBitsPerSample(ByteView buffer, uint64_t streamInfoBody)
{
    return (((readU8(buffer, streamInfoBody + 12) & 1u) << 4) | (readU8(buffer, streamInfoBody + 13) >> 4)) + 1u;
}

// The fields of a STREAMINFO body.
struct StreamInfo {
    uint64_t minBlock = 0;
    uint64_t maxBlock = 0;
    uint64_t minFrame = 0; // bytes; 0 when unknown
    uint64_t maxFrame = 0;
    uint64_t rate = 0;
    uint64_t channels = 0;
    uint64_t bits = 0;
    uint64_t samples = 0;
    bool md5Set = false;
};

StreamInfo readStreamInfo(ByteView buffer, uint64_t body)
{
    StreamInfo info;
    info.minBlock = readBe16(buffer, body);
    info.maxBlock = readBe16(buffer, body + 2);
    info.minFrame = readBe24(buffer, body + 4);
    info.maxFrame = readBe24(buffer, body + 7);
    const uint64_t packed = readBe64(buffer, body + kTotalSamplesAt);
    info.rate = packed >> 44;
    info.channels = ((packed >> 41) & 7) + 1;
    info.bits = ((packed >> 36) & 31) + 1;
    info.samples = packed & kTotalSamplesMask;
    for (uint64_t i = 0; i < kMd5Length; ++i)
        info.md5Set = info.md5Set || readU8(buffer, body + kMd5At + i) != 0;
    return info;
}

// The sample rate a frame header states, 0 when it defers to the stream info.
uint64_t frameRate(const FrameHeader& header)
{
    static constexpr std::array<uint64_t, 12> kRates = {0,     88200, 176400, 192000, 8000,  16000,
                                                        22050, 24000, 32000,  44100,  48000, 96000};
    if (header.rateCode < kRates.size())
        return kRates[header.rateCode];
    if (header.rateCode == 12)
        return uint64_t{header.rateExtra} * 1000;
    if (header.rateCode == 13)
        return header.rateExtra;
    return uint64_t{header.rateExtra} * 10;
}

// The bits per sample a frame header states, 0 when it defers to the stream info.
uint64_t frameBits(const FrameHeader& header)
{
    static constexpr std::array<uint64_t, 8> kBits = {0, 8, 12, 0, 16, 20, 24, 32};
    return kBits[header.sampleSizeCode & 7];
}

uint64_t frameChannels(const FrameHeader& header) { return header.channelCode < 8 ? header.channelCode + 1u : 2u; }

bool plausibleRate(uint64_t rate) { return rate > 0 && rate <= 655350; }
bool plausibleBits(uint64_t bits) { return bits >= 4; }

// Whether the stream info holds values no stream can have, or values its own complete frames
// contradict (a decoder trusts it over the frames and fails on the audio).
bool streamInfoDamaged(const StreamInfo& info, const FlacFrames& frames)
{
    if (!plausibleRate(info.rate) || !plausibleBits(info.bits) || info.maxBlock < 16 || info.minBlock > info.maxBlock ||
        (info.minFrame != 0 && info.maxFrame != 0 && info.minFrame > info.maxFrame))
        return true;
    if (frames.completeEnd == npos)
        return false;
    const FrameHeader& first = frames.first;
    return frameChannels(first) != info.channels || (frameRate(first) != 0 && frameRate(first) != info.rate) ||
           (frameBits(first) != 0 && frameBits(first) != info.bits) || frames.largestBlock > info.maxBlock;
}

// A STREAMINFO body built from the frames: rate, channels and bits from the first frame header
// (from the old body where the frames defer to it and it is plausible), block and frame sizes and
// the sample count from the walk, MD5 cleared. False when the frames cannot tell a value.
bool rebuildStreamInfo(const StreamInfo& info, const FlacFrames& frames, ByteBuffer& body)
{
    if (frames.completeEnd == npos || frames.samples > kTotalSamplesMask)
        return false;
    const FrameHeader& first = frames.first;
    const uint64_t rate = frameRate(first) != 0 ? frameRate(first) : info.rate;
    const uint64_t bits = frameBits(first) != 0 ? frameBits(first) : info.bits;
    // A fixed block size stream states its block size for every frame; the last may hold fewer.
    const uint64_t maxBlock = first.variable == 0 ? first.blockSize : frames.largestBlock;
    const uint64_t minBlock =
        first.variable == 0 ? first.blockSize : std::min(frames.smallestBlock, frames.lastBlock);
    if (!plausibleRate(rate) || !plausibleBits(bits) || maxBlock > 0xFFFF)
        return false;
    // Silent frames put in for damaged ones have sizes of their own: the frame sizes become unknown.
    const bool sizesKnown = frames.damaged.empty();
    body.clear();
    appendBe16(body, static_cast<uint16_t>(minBlock));
    appendBe16(body, static_cast<uint16_t>(maxBlock));
    appendBe24(body, static_cast<uint32_t>(sizesKnown ? std::min<uint64_t>(frames.smallestFrame, 0xFFFFFF) : 0));
    appendBe24(body, static_cast<uint32_t>(sizesKnown ? std::min<uint64_t>(frames.largestFrame, 0xFFFFFF) : 0));
    appendBe64(body, (rate << 44) | ((frameChannels(first) - 1) << 41) | ((bits - 1) << 36) | frames.samples);
    body.resize(kStreamInfoLength, 0);
    return true;
}

// The frame number or sample number in FLAC's UTF-8 like coding (up to 36 bits).
void appendCodedNumber(ByteBuffer& out, uint64_t value)
{
    if (value < 0x80) {
        appendU8(out, static_cast<uint8_t>(value));
        return;
    }
    unsigned bytes = 2;
    while (bytes < 7 && value >= (uint64_t{1} << (5 * bytes + 1)))
        ++bytes;
    const unsigned shift = 6 * (bytes - 1);
    appendU8(out, static_cast<uint8_t>((0xFF00u >> bytes) | (value >> shift)));
    for (unsigned i = bytes - 1; i-- > 0;)
        appendU8(out, static_cast<uint8_t>(0x80 | ((value >> (6 * i)) & 0x3F)));
}

// One frame of silence: every channel a constant subframe of value 0 (one zero header byte and
// a zero sample, a side channel one bit wider), padded to a byte and closed by the CRC-16.
void appendSilentFrame(ByteBuffer& out, const FrameHeader& like, uint64_t number, uint64_t blockSize,
                       uint64_t streamBits)
{
    static constexpr std::array<uint64_t, 8> kBitsOfCode = {0, 8, 12, 0, 16, 20, 24, 32};
    const uint64_t bits = like.sampleSizeCode == 0 ? streamBits : kBitsOfCode[like.sampleSizeCode & 7];
    const uint64_t start = out.size();
    appendU8(out, 0xFF);
    appendU8(out, static_cast<uint8_t>(0xF8 | like.variable));
    const uint8_t sizeCode = blockSize <= 256 ? 6 : 7;
    appendU8(out, static_cast<uint8_t>((sizeCode << 4) | like.rateCode));
    appendU8(out, static_cast<uint8_t>((like.channelCode << 4) | (like.sampleSizeCode << 1)));
    appendCodedNumber(out, number);
    if (sizeCode == 6)
        appendU8(out, static_cast<uint8_t>(blockSize - 1));
    else
        appendBe16(out, static_cast<uint16_t>(blockSize - 1));
    if (like.rateCode == 12)
        appendU8(out, static_cast<uint8_t>(like.rateExtra));
    else if (like.rateCode == 13 || like.rateCode == 14)
        appendBe16(out, like.rateExtra);
    appendU8(out, crc8(out, start, out.size()));
    // Channel codes 8 to 10 pair a side channel (one bit wider) with a left, right or mid one.
    const uint64_t channels = like.channelCode < 8 ? like.channelCode + 1u : 2u;
    const uint64_t subframeBits = channels * (8 + bits) + (like.channelCode >= 8 ? 1 : 0);
    out.resize(out.size() + (subframeBits + 7) / 8, 0);
    appendBe16(out, crc16(out, start, out.size()));
}

// Silent frames for a span, numbered as the stream numbers its frames; returns how many.
uint64_t appendSilence(ByteBuffer& out, const DamagedSpan& span, const FlacFrames& stream, uint64_t streamBits)
{
    uint64_t frames = 0;
    const uint64_t step = silenceStep(stream, span.like);
    for (uint64_t done = 0; done < span.samples; ++frames) {
        const uint64_t size = std::min(step, span.samples - done);
        const uint64_t position = span.position + done;
        appendSilentFrame(out, span.like, span.like.variable != 0 ? position : position / step, size, streamBits);
        done += size;
    }
    return frames;
}

} // namespace
uint64_t findFlacMarker(ByteView buffer) { return findBytes(buffer, "fLaC", 0); }

namespace {

// What the analysis hands the repair: the frame scan, so the audio is checked once, and the
// stream info body to write in place of a damaged one.
struct FlacScan {
    FlacFrames frames;
    bool rebuilt = false;
    ByteBuffer streamInfo;
};

RepairResult analyzeFlacStream(const RepairRequest& request, ByteView buffer, FlacScan* scanOut)
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
    uint64_t p = m + 4;
    FlacBlock block;
    for (; readBlock(buffer, p, block); ++count) {
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
    FlacFrames frames = scanFlacFrames(buffer, p, readBe16(buffer, m + 8 + kMaxBlockSizeAt));
    const StreamInfo info = readStreamInfo(buffer, m + 8);
    FlacScan scan;
    if (streamInfoDamaged(info, frames)) {
        // Silence for a variable block size stream is cut to its largest block: the walk's own.
        if (frames.completeEnd != npos && frames.first.variable != 0 && !frames.damaged.empty())
            frames = scanFlacFrames(buffer, p, frames.largestBlock);
        if (!rebuildStreamInfo(info, frames, scan.streamInfo)) {
            result.addFinding(HeaderDamaged, Error, "FLAC STREAMINFO is damaged and the audio frames do not tell its values",
                              m + 4, 4 + kStreamInfoLength, false, 0.9);
            result.setStatus(RepairStatus::failure(kAudioFlacStreamInfoMissing, "FLAC STREAMINFO damaged"));
            return result;
        }
        scan.rebuilt = true;
        result.addFinding(HeaderDamaged, Warning, "FLAC STREAMINFO contradicts its audio frames and can be rebuilt from them",
                          m + 4, 4 + kStreamInfoLength, true, 0.85);
    }
    // A damaged stream info's sample count tells nothing about a cut.
    const AudioEnd end = audioEndOf(frames, scan.rebuilt ? 0 : info.samples);
    if (end.cut != npos)
        result.addFinding(Truncated, Warning, "truncated tail after the last complete FLAC frame", end.cut,
                          frames.streamEnd - end.cut, true, 0.88);
    else if (end.shortened)
        result.addFinding(Truncated, Warning, "FLAC audio ends before the samples its stream info announces",
                          frames.streamEnd, 0, true, 0.88);
    for (const DamagedSpan& span : frames.damaged) {
        if (span.samples != 0)
            result.addFinding(ChecksumMismatch, Warning,
                              "damaged FLAC frames can be replaced by silence of the same length", span.start,
                              span.end - span.start, true, 0.86);
        else
            result.addFinding(ChecksumMismatch, Warning, "damaged FLAC bytes of unknown frame length can be removed",
                              span.start, span.end - span.start, true, 0.8);
    }
    result.confidence = result.findings.empty() ? 1.0 : 0.84;
    if (scanOut != nullptr) {
        scan.frames = std::move(frames);
        *scanOut = std::move(scan);
    }
    return result;
}

// After a cut, or with damaged frames replaced or dropped, the stream info still describes the
// whole recording: its sample count is set to the kept audio and its MD5 signature (of audio
// that is gone) cleared, so that checkers and players see the audio that is there. The note
// keeps what it announced.
void fitStreamInfo(ByteBuffer& head, uint64_t keptSamples, RepairResult& result)
{
    const uint64_t at = 8 + kTotalSamplesAt; // "fLaC", the block header, then the body
    const uint64_t packed = readBe64(head, at);
    const uint64_t announced = packed & kTotalSamplesMask;
    if (announced != 0 && announced != keptSamples && keptSamples <= kTotalSamplesMask) {
        putBe64(head, at, (packed & ~kTotalSamplesMask) | keptSamples);
        result.notes.push_back("FLAC stream info announced " + std::to_string(announced) +
                               " samples per channel but the complete frames hold " + std::to_string(keptSamples) +
                               "; the sample count was set to the kept audio");
    }
    const auto md5 = head.begin() + static_cast<std::ptrdiff_t>(8 + kMd5At);
    if (std::any_of(md5, md5 + kMd5Length, [](uint8_t byte) { return byte != 0; })) {
        std::fill(md5, md5 + kMd5Length, uint8_t{0});
        result.notes.push_back("FLAC stream info MD5 signature described the whole recording and was cleared");
    }
}

} // namespace

RepairResult analyzeFlac(const RepairRequest& request, ByteView buffer)
{
    return analyzeFlacStream(request, buffer, nullptr);
}

RepairResult repairFlac(const RepairRequest& request, ByteView buffer)
{
    FlacScan scan;
    RepairResult result = analyzeFlacStream(request, buffer, &scan);
    if (!audioRepairShouldWrite(result, request))
        return result;
    const FlacFrames& frames = scan.frames;
    const uint64_t m = findFlacMarker(buffer);
    // The marker and the metadata blocks are rebuilt; the audio after them is written from the
    // input as it stands, up to the end of the last complete frame.
    ByteBuffer head = bytesOf("fLaC");
    uint64_t p = m + 4;
    uint64_t lastHeader = npos; // position in head of the last kept block's header
    uint64_t lastLength = 0;
    bool lastSeen = false;
    FlacBlock block;
    while (readBlock(buffer, p, block) && blockUsable(buffer, block)) {
        checkpoint(p, buffer.size());
        lastHeader = head.size();
        lastLength = 4 + block.length;
        appendU8(head, block.type); // the flag is set again on the last kept block below
        appendRange(head, buffer, p + 1, 3 + block.length);
        p += 4 + block.length;
        if (block.last) {
            lastSeen = true;
            break;
        }
    }
    if (lastHeader != npos)
        head[lastHeader] |= kLastBlockFlag;
    const AudioEnd end = audioEndOf(frames, scan.rebuilt ? 0 : announcedSamples(buffer, m + 8));
    const uint64_t audioEnd = end.cut == npos ? frames.streamEnd : end.cut;
    if (scan.rebuilt) {
        // The first kept block is the stream info (the analysis checked it): "fLaC", its header,
        // then its body.
        std::copy(scan.streamInfo.begin(), scan.streamInfo.end(), head.begin() + 8);
        result.notes.push_back("FLAC STREAMINFO was damaged and was rebuilt from the audio frames");
        if (readStreamInfo(buffer, m + 8).md5Set)
            result.notes.push_back("FLAC stream info MD5 signature was damaged with the stream info and was cleared");
    } else if (end.shortened || !frames.damaged.empty()) {
        fitStreamInfo(head, frames.samples, result);
    }

    // The audio goes from the input as it stands, with silent frames in place of damaged ones.
    OutputPieces out(buffer);
    out.append(std::move(head));
    const uint64_t streamBits = streamInfoBitsPerSample(buffer, m + 8);
    uint64_t silentFrames = 0, droppedBytes = 0;
    uint64_t at = p;
    for (const DamagedSpan& span : frames.damaged) {
        checkpoint(span.start, buffer.size());
        out.appendInput(at, span.start - at);
        ByteBuffer silence;
        silentFrames += appendSilence(silence, span, frames, streamBits);
        if (span.samples == 0)
            droppedBytes += span.end - span.start;
        out.append(std::move(silence));
        at = span.end;
    }
    out.appendInput(at, audioEnd > at ? audioEnd - at : 0);
    out.appendInput(frames.streamEnd, buffer.size() - frames.streamEnd);

    if (m > 0)
        result.addAction("trim-flac-prefix", "removed bytes before FLAC marker", m);
    if (!lastSeen)
        result.addAction("close-flac-metadata", "marked the last complete FLAC metadata block", lastLength);
    if (scan.rebuilt)
        result.addAction("rebuild-flac-streaminfo", "rebuilt FLAC STREAMINFO from the audio frames", kStreamInfoLength);
    if (silentFrames > 0)
        result.addAction("silence-damaged-flac-frames", "replaced damaged FLAC frames with silence of the same length",
                         silentFrames);
    if (droppedBytes > 0)
        result.addAction("drop-damaged-flac-bytes", "removed damaged FLAC bytes whose frame length is unknown",
                         droppedBytes);
    if (end.cut != npos)
        result.addAction("drop-truncated-flac-tail", "removed incomplete FLAC frame tail",
                         frames.streamEnd - end.cut);
    if (writeRepairedOutput(result, request, out, "flac", "repaired-audio", kAudioFlacWrite))
        result.setStatus(RepairStatus::success());
    return result;
}

} // namespace data_repair
