// Sample tables rebuilt from the media data itself, for a recording whose moov was never
// written: the mdat holds H.264/HEVC video as length-prefixed NAL units, interleaved with raw AAC
// audio frames that carry no length at all. One walk over the mdat decides at each position which
// track's data begins there: a picture whose NAL units and slice headers fit the sample's
// parameter sets and the pictures before it, or AAC frames that the decoder accepts one after
// another. A moov from a healthy recording of the same device supplies what the bytes cannot tell
// (codec settings, time scales, frame durations); its tables are replaced by ones that describe
// this file's samples.

#include <algorithm>
#include <array>
#include <bitset>
#include <cmath>
#include <deque>
#include <limits>
#include <map>
#include <memory>
#include <new>
#include <optional>
#include <queue>
#include <tuple>
#include <utility>

#include "data_repair/checkpoint.h"
#include "media/media_decoding.h"
#include "media/mp4_video.h"
#include "media/video_prefix_truncation.h"

namespace data_repair {

namespace {

struct NalUnit {
    uint64_t size = 0; // with its length field
    uint32_t type = 0;
    bool vcl = false;
    bool firstInPicture = false;
    bool sync = false;
    bool startsUnit = false; // a non-VCL unit that opens an access unit (delimiter, parameter set, SEI)
};

class NalReader {
public:
    NalReader(ByteView bytes, uint64_t end, const CodecTrack& track)
        : bytes_(bytes), end_(end), m_(track.nalLengthSize), hevc_(track.hevc)
    {}

    // The unit at `p`, or false when the bytes there cannot be one.
    bool read(uint64_t p, NalUnit& unit) const
    {
        if (p >= end_ || end_ - p <= m_)
            return false;
        uint64_t length = 0;
        for (uint32_t i = 0; i < m_; ++i)
            length = (length << 8) | readU8(bytes_, p + i);
        const uint64_t header = hevc_ ? 2 : 1;
        if (length < header || length > end_ - p - m_)
            return false;
        const uint8_t h0 = readU8(bytes_, p + m_);
        if (h0 & 0x80)
            return false; // forbidden_zero_bit
        unit.size = m_ + length;
        if (hevc_) {
            const uint8_t h1 = readU8(bytes_, p + m_ + 1);
            unit.type = (h0 >> 1) & 0x3F;
            const uint32_t layer = ((h0 & 1u) << 5) | (h1 >> 3);
            if (layer != 0 || (h1 & 7) == 0)
                return false;
            if ((unit.type >= 10 && unit.type <= 15) || (unit.type >= 22 && unit.type <= 31) || unit.type >= 41)
                return false;
            unit.vcl = unit.type < 32;
            unit.sync = unit.type >= 16 && unit.type <= 21;
            unit.startsUnit = (unit.type >= 32 && unit.type <= 35) || unit.type == 39;
            unit.firstInPicture = unit.vcl && length > 2 && (readU8(bytes_, p + m_ + 2) & 0x80) != 0;
        } else {
            unit.type = h0 & 0x1F;
            // Data partitions, auxiliary and extension slices never reach an MP4 recording.
            if (unit.type == 0 || (unit.type >= 2 && unit.type <= 4) || unit.type == 13 || unit.type > 12)
                return false;
            if ((unit.type == 5 || (unit.type >= 7 && unit.type <= 8)) && (h0 & 0x60) == 0)
                return false; // IDR pictures and parameter sets are always references
            unit.vcl = unit.type == 1 || unit.type == 5;
            unit.sync = unit.type == 5;
            unit.startsUnit = unit.type >= 6 && unit.type <= 9;
            // first_mb_in_slice is ue(v): a leading 1 bit codes 0, the start of a picture.
            unit.firstInPicture = unit.vcl && length > 1 && (readU8(bytes_, p + m_ + 1) & 0x80) != 0;
        }
        return true;
    }

private:
    ByteView bytes_;
    uint64_t end_;
    uint32_t m_;
    bool hevc_;
};

// Reads the bits of one NAL unit's payload with its emulation-prevention bytes removed. Reads
// past the end give zeros and mark the reader failed.
class BitReader {
public:
    BitReader(ByteView bytes, uint64_t from, uint64_t to, size_t limit = kMaxHeader)
    {
        int zeros = 0;
        for (uint64_t i = from; i < to && rbsp_.size() < limit; ++i) {
            const uint8_t b = readU8(bytes, i);
            if (zeros >= 2 && b == 3) {
                zeros = 0;
                continue;
            }
            zeros = b == 0 ? zeros + 1 : 0;
            rbsp_.push_back(b);
        }
    }
    uint32_t bits(int n)
    {
        uint32_t v = 0;
        for (int i = 0; i < n; ++i) {
            if (pos_ >= rbsp_.size() * 8) {
                failed_ = true;
                return 0;
            }
            v = (v << 1) | ((rbsp_[pos_ / 8] >> (7 - pos_ % 8)) & 1u);
            ++pos_;
        }
        return v;
    }
    uint32_t ue()
    {
        int zeros = 0;
        while (bits(1) == 0 && !failed_)
            if (++zeros > 31)
                failed_ = true;
        return failed_ ? 0 : ((1u << zeros) - 1 + bits(zeros));
    }
    int32_t se()
    {
        const uint32_t v = ue();
        return (v & 1) ? static_cast<int32_t>((v + 1) / 2) : -static_cast<int32_t>(v / 2);
    }
    bool failed() const { return failed_; }

    // Parameter sets are read up to this many bytes; a slice needs only its first few.
    static constexpr size_t kMaxHeader = 4096;
    static constexpr size_t kSliceHeader = 64;

private:
    ByteBuffer rbsp_;
    uint64_t pos_ = 0;
    bool failed_ = false;
};

// What the picture order of H.264 slices needs from the sequence parameter set.
// The fields H.264 and HEVC video usability information share before their own: aspect ratio,
// overscan, video signal and chroma sample locations.
void skipVuiPictureFields(BitReader& r)
{
    if (r.bits(1) && r.bits(8) == 255)
        r.bits(32); // sample aspect ratio
    if (r.bits(1))
        r.bits(1); // overscan
    if (r.bits(1)) {
        r.bits(4);
        if (r.bits(1))
            r.bits(24); // colour description
    }
    if (r.bits(1)) {
        r.ue();
        r.ue(); // chroma sample locations
    }
}

struct AvcOrder {
    bool valid = false;       // picture order count type 0: orders can be read from slices
    bool headerValid = false; // frame numbers and the picture size are known
    std::bitset<256> pictureSets; // ids of the picture parameter sets the configuration holds
    uint32_t picSizeInMbs = 0;
    bool separateColourPlane = false;
    bool frameMbsOnly = true;
    uint32_t frameNumBits = 0;
    uint32_t pocType = 0;
    uint32_t pocLsbBits = 0;
};

// The fields of a sequence parameter set up to frame_mbs_only_flag, read from `r`.
AvcOrder readAvcSequence(BitReader& r)
{
    AvcOrder order;
    const uint32_t profile = r.bits(8);
    r.bits(16); // constraint flags, level
    r.ue();     // seq_parameter_set_id
    static const std::array<uint32_t, 13> high = {100, 110, 122, 244, 44, 83, 86, 118, 128, 138, 139, 134, 135};
    if (std::find(high.begin(), high.end(), profile) != high.end()) {
        const uint32_t chroma = r.ue();
        if (chroma == 3)
            order.separateColourPlane = r.bits(1) != 0;
        r.ue();
        r.ue();
        r.bits(1);
        if (r.bits(1)) { // scaling matrices: skipped list by list
            for (int i = 0; i < (chroma == 3 ? 12 : 8) && !r.failed(); ++i) {
                if (!r.bits(1))
                    continue;
                int last = 8, next = 8;
                for (int j = 0; j < (i < 6 ? 16 : 64) && next != 0; ++j) {
                    next = (last + r.se() + 256) % 256;
                    last = next == 0 ? last : next;
                }
            }
        }
    }
    order.frameNumBits = r.ue() + 4;
    order.pocType = r.ue();
    if (order.pocType == 0)
        order.pocLsbBits = r.ue() + 4;
    if (order.pocType == 1) { // orders by frame number deltas: left to the decoder
        r.bits(1);
        r.se();
        r.se();
        for (uint32_t n = r.ue(); n > 0 && n < 256 && !r.failed(); --n)
            r.se();
    }
    r.ue();    // max_num_ref_frames
    r.bits(1); // gaps
    const uint64_t width = uint64_t{r.ue()} + 1;
    const uint64_t height = uint64_t{r.ue()} + 1;
    order.frameMbsOnly = r.bits(1) != 0;
    order.picSizeInMbs = static_cast<uint32_t>(std::min<uint64_t>(width * height * (order.frameMbsOnly ? 1 : 2), 1u << 24));
    order.headerValid = !r.failed() && order.frameNumBits <= 16 && order.pocLsbBits <= 16 && order.pocType <= 2;
    order.valid = order.headerValid && order.pocType == 0;
    return order;
}

// Pictures a second as the timing of an H.264 sequence parameter set (its NAL unit payload at
// [from, to)) states them; 0 when it states none.
double avcFrameRate(ByteView bytes, uint64_t from, uint64_t to)
{
    BitReader r(bytes, from, to);
    const AvcOrder order = readAvcSequence(r);
    if (!order.headerValid)
        return 0;
    if (!order.frameMbsOnly)
        r.bits(1); // mb_adaptive_frame_field_flag
    r.bits(1);     // direct_8x8_inference_flag
    if (r.bits(1))
        for (int i = 0; i < 4; ++i)
            r.ue(); // frame cropping
    if (!r.bits(1))
        return 0; // no VUI
    skipVuiPictureFields(r);
    if (!r.bits(1))
        return 0;
    const uint32_t unitsInTick = r.bits(32);
    const uint32_t timeScale = r.bits(32);
    if (r.failed() || unitsInTick == 0 || timeScale == 0)
        return 0;
    return static_cast<double>(timeScale) / (2.0 * unitsInTick); // two fields a frame
}

AvcOrder readAvcOrder(ByteView config)
{
    if (config.size() < 8 || (readU8(config, 5) & 0x1F) == 0)
        return AvcOrder{};
    const uint64_t length = readBe16(config, 6);
    if (length < 4 || 8 + length > config.size())
        return AvcOrder{};
    BitReader r(config, 9, 8 + length); // past the one-byte NAL header
    AvcOrder order = readAvcSequence(r);
    // The picture parameter sets follow the sequence parameter sets.
    uint64_t q = 6;
    for (uint32_t n = readU8(config, 5) & 0x1F; n > 0 && q + 2 <= config.size(); --n)
        q += 2 + readBe16(config, q);
    for (uint32_t n = q < config.size() ? readU8(config, q) : 0; n > 0 && q + 3 <= config.size(); --n) {
        const uint64_t ppsLength = readBe16(config, q + 1);
        if (ppsLength >= 2 && q + 3 + ppsLength <= config.size()) {
            BitReader pps(config, q + 4, q + 3 + ppsLength);
            const uint32_t id = pps.ue();
            if (!pps.failed() && id < 256)
                order.pictureSets.set(id);
        }
        q += 2 + ppsLength;
    }
    return order;
}

// The first fields of a slice header, as far as the parameter sets let them be read.
struct SliceHeader {
    bool ok = false;
    bool first = false; // the first slice (segment) of its picture
    uint32_t sliceType = 0;
    uint32_t pictureSet = 0;
    uint32_t firstMb = 0;
    uint32_t frameNum = 0;
    int64_t pocLsb = -1; // picture order count lsb, -1 when not read
};

SliceHeader readAvcSlice(ByteView bytes, uint64_t p, uint64_t size, uint32_t m, const AvcOrder& order, bool idr)
{
    SliceHeader s;
    BitReader r(bytes, p + m + 1, p + size, BitReader::kSliceHeader);
    s.firstMb = r.ue();
    s.first = s.firstMb == 0;
    s.sliceType = r.ue();
    s.pictureSet = r.ue();
    if (order.headerValid) {
        if (order.separateColourPlane)
            r.bits(2);
        s.frameNum = r.bits(static_cast<int>(order.frameNumBits));
        if (!order.frameMbsOnly && r.bits(1))
            r.bits(1);
        if (idr)
            r.ue();
        if (order.pocType == 0)
            s.pocLsb = r.bits(static_cast<int>(order.pocLsbBits));
    }
    s.ok = !r.failed() && s.sliceType <= 9 && s.pictureSet < 256;
    if (s.pocLsb >= 0 && r.failed())
        s.pocLsb = -1;
    return s;
}

// What the picture order of HEVC slices needs from the sequence and picture parameter sets.
struct HevcSequenceHead {
    uint32_t subLayers = 0;
    bool separateColourPlane = false;
};

// Reads an HEVC sequence parameter set (its NAL unit payload) up to and including the bit
// depths: the profile, tier and level, the picture size and the conformance window.
HevcSequenceHead readHevcSequenceHead(BitReader& r)
{
    HevcSequenceHead head;
    r.bits(4);
    head.subLayers = r.bits(3);
    r.bits(1);
    r.bits(8); // profile_tier_level: general profile, 32 compatibility flags, 48 constraint bits, level
    r.bits(32);
    r.bits(24);
    r.bits(24);
    r.bits(8);
    std::array<bool, 8> profilePresent{}, levelPresent{};
    for (uint32_t i = 0; i < head.subLayers; ++i) {
        profilePresent[i] = r.bits(1) != 0;
        levelPresent[i] = r.bits(1) != 0;
    }
    for (uint32_t i = head.subLayers; head.subLayers > 0 && i < 8; ++i)
        r.bits(2);
    for (uint32_t i = 0; i < head.subLayers; ++i) {
        if (profilePresent[i]) {
            r.bits(32);
            r.bits(32);
            r.bits(24);
        }
        if (levelPresent[i])
            r.bits(8);
    }
    r.ue(); // sps id
    if (r.ue() == 3)
        head.separateColourPlane = r.bits(1) != 0;
    r.ue(); // width
    r.ue(); // height
    if (r.bits(1))
        for (int i = 0; i < 4; ++i)
            r.ue(); // conformance window
    r.ue();
    r.ue(); // bit depths
    return head;
}

struct HevcOrder {
    bool valid = false;
    bool separateColourPlane = false;
    bool outputFlagPresent = false;
    uint32_t extraSliceHeaderBits = 0;
    uint32_t pocLsbBits = 0;
    std::bitset<64> pictureSets; // ids of the picture parameter sets the configuration holds
};

HevcOrder readHevcOrder(ByteView config)
{
    HevcOrder order;
    if (config.size() < 23)
        return order;
    uint64_t sps = npos, spsEnd = 0, pps = npos, ppsEnd = 0;
    uint64_t q = 23;
    for (uint32_t a = readU8(config, 22); a > 0 && q + 3 <= config.size(); --a) {
        const uint32_t type = readU8(config, q) & 0x3F;
        uint32_t count = readBe16(config, q + 1);
        q += 3;
        for (; count > 0 && q + 2 <= config.size(); --count) {
            const uint64_t length = readBe16(config, q);
            q += 2;
            if (q + length > config.size())
                return order;
            if (type == 33 && sps == npos)
                std::tie(sps, spsEnd) = std::pair(q + 2, q + length);
            if (type == 34 && pps == npos)
                std::tie(pps, ppsEnd) = std::pair(q + 2, q + length);
            if (type == 34 && length > 2) {
                BitReader ids(config, q + 2, q + length);
                const uint32_t id = ids.ue();
                if (!ids.failed() && id < 64)
                    order.pictureSets.set(id);
            }
            q += length;
        }
    }
    if (sps == npos || pps == npos)
        return order;
    BitReader r(config, sps, spsEnd);
    order.separateColourPlane = readHevcSequenceHead(r).separateColourPlane;
    order.pocLsbBits = r.ue() + 4;
    BitReader p(config, pps, ppsEnd);
    p.ue();
    p.ue();
    p.bits(1); // dependent slice segments: only first segments are read, which never carry the flag
    order.outputFlagPresent = p.bits(1) != 0;
    order.extraSliceHeaderBits = p.bits(3);
    order.valid = !r.failed() && !p.failed() && order.pocLsbBits <= 16;
    return order;
}

// Pictures a second as the timing of an HEVC video parameter set (its NAL unit payload at
// [from, to)) states them; 0 when it states none.
double hevcFrameRate(ByteView bytes, uint64_t from, uint64_t to)
{
    BitReader r(bytes, from, to);
    r.bits(4); // vps id
    r.bits(2);
    r.bits(6); // max layers
    const uint32_t subLayers = r.bits(3);
    r.bits(1);
    r.bits(16);
    r.bits(8); // profile_tier_level: general profile, 32 compatibility flags, 48 constraint bits, level
    r.bits(32);
    r.bits(24);
    r.bits(24);
    r.bits(8);
    std::array<bool, 8> profilePresent{}, levelPresent{};
    for (uint32_t i = 0; i < subLayers; ++i) {
        profilePresent[i] = r.bits(1) != 0;
        levelPresent[i] = r.bits(1) != 0;
    }
    for (uint32_t i = subLayers; subLayers > 0 && i < 8; ++i)
        r.bits(2);
    for (uint32_t i = 0; i < subLayers; ++i) {
        if (profilePresent[i]) {
            r.bits(32);
            r.bits(32);
            r.bits(24);
        }
        if (levelPresent[i])
            r.bits(8);
    }
    for (uint32_t i = r.bits(1) ? 0 : subLayers; i <= subLayers && !r.failed(); ++i) {
        r.ue();
        r.ue();
        r.ue(); // sub-layer ordering
    }
    const uint32_t maxLayerId = r.bits(6);
    const uint32_t layerSets = r.ue();
    if (r.failed() || layerSets > 1023)
        return 0;
    for (uint32_t i = 1; i <= layerSets && !r.failed(); ++i)
        for (uint32_t j = 0; j <= maxLayerId; ++j)
            r.bits(1);
    if (!r.bits(1))
        return 0;
    const uint32_t unitsInTick = r.bits(32);
    const uint32_t timeScale = r.bits(32);
    if (r.failed() || unitsInTick == 0 || timeScale == 0)
        return 0;
    return static_cast<double>(timeScale) / unitsInTick;
}

// Pictures a second as the VUI of an HEVC sequence parameter set (its NAL unit payload at
// [from, to)) states them; 0 when it states none.
double hevcSequenceFrameRate(ByteView bytes, uint64_t from, uint64_t to)
{
    BitReader r(bytes, from, to);
    const uint32_t subLayers = readHevcSequenceHead(r).subLayers;
    const uint32_t pocLsbBits = r.ue() + 4;
    if (r.failed() || pocLsbBits > 16)
        return 0;
    for (uint32_t i = r.bits(1) ? 0 : subLayers; i <= subLayers && !r.failed(); ++i) {
        r.ue();
        r.ue();
        r.ue(); // sub-layer ordering
    }
    for (int i = 0; i < 6; ++i)
        r.ue(); // coding and transform block sizes, hierarchy depths
    if (r.bits(1) && r.bits(1)) { // scaling list data
        for (int size = 0; size < 4 && !r.failed(); ++size) {
            for (int matrix = 0; matrix < 6; matrix += size == 3 ? 3 : 1) {
                if (!r.bits(1)) {
                    r.ue();
                    continue;
                }
                if (size > 1)
                    r.se();
                for (int k = 0; k < std::min(64, 1 << (4 + (size << 1))) && !r.failed(); ++k)
                    r.se();
            }
        }
    }
    r.bits(1); // amp
    r.bits(1); // sample adaptive offset
    if (r.bits(1)) {
        r.bits(8);
        r.ue();
        r.ue();
        r.bits(1); // pcm
    }
    const uint32_t sets = r.ue();
    if (r.failed() || sets > 64)
        return 0;
    std::array<uint32_t, 65> deltaPocs{};
    for (uint32_t i = 0; i < sets && !r.failed(); ++i) {
        if (i != 0 && r.bits(1)) { // predicted from the set before
            r.bits(1);
            r.ue();
            uint32_t used = 0;
            for (uint32_t j = 0; j <= deltaPocs[i - 1] && !r.failed(); ++j)
                used += (r.bits(1) || r.bits(1)) ? 1 : 0;
            deltaPocs[i] = std::min<uint32_t>(used, 32);
            continue;
        }
        const uint32_t negative = r.ue();
        const uint32_t positive = r.ue();
        if (negative > 16 || positive > 16)
            return 0;
        for (uint32_t j = 0; j < negative + positive; ++j) {
            r.ue();
            r.bits(1);
        }
        deltaPocs[i] = negative + positive;
    }
    if (r.bits(1)) { // long-term pictures
        const uint32_t longTerm = r.ue();
        if (longTerm > 32)
            return 0;
        for (uint32_t i = 0; i < longTerm; ++i) {
            r.bits(static_cast<int>(pocLsbBits));
            r.bits(1);
        }
    }
    r.bits(1); // temporal motion vector prediction
    r.bits(1); // strong intra smoothing
    if (!r.bits(1))
        return 0; // no VUI
    skipVuiPictureFields(r);
    r.bits(3); // neutral chroma, field sequence, frame field info
    if (r.bits(1))
        for (int i = 0; i < 4; ++i)
            r.ue(); // default display window
    if (!r.bits(1))
        return 0;
    const uint32_t unitsInTick = r.bits(32);
    const uint32_t timeScale = r.bits(32);
    if (r.failed() || unitsInTick == 0 || timeScale == 0)
        return 0;
    return static_cast<double>(timeScale) / unitsInTick;
}

// The slice segment header of an HEVC slice; only first segments are read past the parameter set.
SliceHeader readHevcSlice(ByteView bytes, uint64_t p, uint64_t size, uint32_t m, uint32_t type, const HevcOrder& order)
{
    SliceHeader s;
    BitReader r(bytes, p + m + 2, p + size, BitReader::kSliceHeader);
    s.first = r.bits(1) != 0;
    if (type >= 16 && type <= 23)
        r.bits(1); // no_output_of_prior_pics_flag
    s.pictureSet = r.ue();
    if (s.first && order.valid) {
        r.bits(static_cast<int>(order.extraSliceHeaderBits));
        s.sliceType = r.ue();
        if (order.outputFlagPresent)
            r.bits(1);
        if (order.separateColourPlane)
            r.bits(2);
        // IDR pictures carry no order count.
        s.pocLsb = type == 19 || type == 20 ? 0 : r.bits(static_cast<int>(order.pocLsbBits));
    }
    s.ok = !r.failed() && s.sliceType <= 2 && s.pictureSet < 64;
    if (r.failed())
        s.pocLsb = -1;
    return s;
}

// True for the pictures later ones count their order from: H.264 reference pictures; HEVC
// pictures of temporal layer 0 that are not leading or sub-layer non-reference pictures.
bool anchorsOrder(ByteView bytes, uint64_t header, uint32_t type, bool hevc)
{
    if (!hevc)
        return (readU8(bytes, header) & 0x60) != 0;
    const bool layerZero = (readU8(bytes, header + 1) & 7) == 1;
    const bool leading = type >= 6 && type <= 9;
    const bool subLayerNonReference = type <= 14 && type % 2 == 0;
    return layerZero && !leading && !subLayerNonReference;
}


// The samples of one track as the walk finds them, a few bytes each: sizes, chunk offsets and
// the runs of the sample-to-chunk table. Deques grow block by block, never by copying.
struct FoundTrack {
    std::deque<uint32_t> sizes;
    std::deque<uint64_t> chunkOffsets;
    std::deque<std::pair<uint32_t, uint32_t>> chunkRuns; // first chunk (1-based), samples per chunk
    std::deque<uint32_t> syncSamples;                   // 1-based; video only
    std::deque<int16_t> shownShift;                      // presentation rank - decode index; video only
    uint64_t bytes = 0;
    uint32_t openChunk = 0; // samples in the chunk being filled, 0 when none is open

    void add(uint64_t offset, uint32_t size)
    {
        if (openChunk == 0)
            chunkOffsets.push_back(offset);
        ++openChunk;
        sizes.push_back(size);
        bytes += size;
    }
    void closeChunk()
    {
        if (openChunk == 0)
            return;
        if (chunkRuns.empty() || chunkRuns.back().second != openChunk)
            chunkRuns.emplace_back(static_cast<uint32_t>(chunkOffsets.size()), openChunk);
        openChunk = 0;
    }
    uint64_t memory() const
    {
        return sizes.size() * 4 + chunkOffsets.size() * 8 + chunkRuns.size() * 8 + syncSamples.size() * 4 +
               shownShift.size() * 2;
    }
};

// A sample's bytes, kept for the decoding check of the first and last pictures.
using SampleSpan = std::pair<uint64_t, uint32_t>;
// The last picture group is decoded at most this far.
constexpr size_t kCheckedPictures = 3000;
// Pictures are shown at most this many places away from where they are stored.
constexpr size_t kReorderWindow = 64;

// The video track's side of the walk: tells where a picture begins and takes it whole.
class VideoWalk {
public:
    VideoWalk(ByteView bytes, uint64_t end, const CodecTrack& track, uint64_t maxUnit)
        : bytes_(bytes), end_(end), track_(track), reader_(bytes, end, track), maxUnit_(maxUnit),
          avc_(track.hevc ? AvcOrder{} : readAvcOrder(track.config)),
          hevc_(track.hevc ? readHevcOrder(track.config) : HevcOrder{}),
          ordered_(track.hevc ? hevc_.valid : avc_.valid)
    {}

    // True when a picture begins at `p`: units that may open an access unit, then the first slice
    // of a picture whose header fits the parameter sets and the pictures taken before. The first
    // picture must be one a decoder can start from.
    bool pictureAt(uint64_t p) const
    {
        NalUnit unit;
        for (int n = 0; n < 16 && reader_.read(p, unit) && unit.size <= maxUnit_; ++n) {
            if (!unit.vcl) {
                if (!unit.startsUnit)
                    return false;
                p += unit.size;
                continue;
            }
            if (!unit.firstInPicture || (!started_ && !unit.sync))
                return false;
            const SliceHeader s = slice(p, unit);
            return s.ok && s.first && fitsPicture(unit, s);
        }
        return false;
    }

    // Takes the access unit at `p` (pictureAt(p) holds) into `found`; returns where it ends.
    uint64_t take(uint64_t p, FoundTrack& found)
    {
        const uint64_t from = p;
        NalUnit unit;
        bool picture = false, sync = false;
        SliceHeader first;
        while (reader_.read(p, unit) && unit.size <= maxUnit_) {
            if (picture && (unit.startsUnit || unit.firstInPicture || !continues(p, unit, first)))
                break;
            noteTiming(p, unit);
            if (!picture && unit.vcl) {
                picture = true;
                sync = unit.sync;
                first = slice(p, unit);
                notePicture(p, unit, first);
            }
            p += unit.size;
        }
        const uint64_t size = p - from;
        if (!picture || size > 0xFFFFFFFFull) // pictureAt held: cannot happen, but never loop
            return std::max(p, from + 1);
        found.add(from, static_cast<uint32_t>(size));
        found.shownShift.push_back(0);
        const uint64_t index = found.sizes.size() - 1;
        if (sync) {
            found.syncSamples.push_back(static_cast<uint32_t>(index + 1));
            lastGroup_.clear();
        }
        if (firstSample_.second == 0)
            firstSample_ = {from, static_cast<uint32_t>(size)};
        if (lastGroup_.size() < kCheckedPictures)
            lastGroup_.emplace_back(from, static_cast<uint32_t>(size));
        order(found, index);
        return p;
    }

    // Ends the walk: the presentation ranks of the pictures still waiting are settled.
    void finish(FoundTrack& found)
    {
        while (!waiting_.empty())
            settle(found);
        if (!ordered_)
            found.shownShift.clear();
    }

    const SampleSpan& firstSample() const { return firstSample_; }
    // Pictures a second as the stream's own parameter sets state them, 0 when none says.
    double frameRate() const { return frameRate_; }
    const std::vector<SampleSpan>& lastGroup() const { return lastGroup_; }

private:
    SliceHeader slice(uint64_t p, const NalUnit& unit) const
    {
        const uint32_t m = track_.nalLengthSize;
        return track_.hevc ? readHevcSlice(bytes_, p, unit.size, m, unit.type, hevc_)
                           : readAvcSlice(bytes_, p, unit.size, m, avc_, unit.type == 5);
    }

    bool knownSet(uint32_t id) const
    {
        return track_.hevc ? hevc_.pictureSets.none() || hevc_.pictureSets.test(id)
                           : avc_.pictureSets.none() || avc_.pictureSets.test(id);
    }

    // The first slice of a new picture against the parameter sets and the pictures before it.
    bool fitsPicture(const NalUnit& unit, const SliceHeader& s) const
    {
        if (!knownSet(s.pictureSet))
            return false;
        if (track_.hevc) // pictures a decoder starts from are intra coded
            return !hevc_.valid || !unit.sync || s.sliceType == 2;
        if (unit.type == 5) // IDR: intra, frame number 0
            return (s.sliceType % 5 == 2 || s.sliceType % 5 == 4) && (!avc_.headerValid || s.frameNum == 0);
        if (!avc_.headerValid || !started_)
            return true;
        // A picture follows the last reference picture's number by one (a second field, or a
        // picture after non-reference ones, may repeat it).
        const uint32_t wrap = 1u << avc_.frameNumBits;
        return s.frameNum == (prevRefFrameNum_ + 1) % wrap || s.frameNum == prevRefFrameNum_;
    }

    // A unit after the first slice of a picture that still belongs to it.
    bool continues(uint64_t p, const NalUnit& unit, const SliceHeader& first) const
    {
        const uint32_t m = track_.nalLengthSize;
        if (unit.vcl) {
            const SliceHeader s = slice(p, unit);
            if (!s.ok || s.first || !knownSet(s.pictureSet))
                return false;
            return track_.hevc || !avc_.headerValid ||
                   (s.frameNum == first.frameNum && s.firstMb < avc_.picSizeInMbs);
        }
        const uint64_t payload = unit.size - m - (track_.hevc ? 2 : 1);
        if (track_.hevc) {
            if (unit.type == 36 || unit.type == 37)
                return payload == 0; // end of sequence / bitstream
            if (unit.type == 38)
                return payload > 0 && readU8(bytes_, p + m + 2) == 0xFF; // filler
            return unit.type == 40;                                     // suffix SEI
        }
        if (unit.type == 10 || unit.type == 11)
            return payload == 0;
        return unit.type == 12 && payload > 0 && readU8(bytes_, p + m + 1) == 0xFF;
    }

    // Recorders that repeat their parameter sets in the stream carry its timing there.
    void noteTiming(uint64_t p, const NalUnit& unit)
    {
        if (frameRate_ > 0)
            return;
        const uint64_t payload = p + track_.nalLengthSize + (track_.hevc ? 2 : 1);
        if (!track_.hevc && unit.type == 7)
            frameRate_ = avcFrameRate(bytes_, payload, p + unit.size);
        else if (track_.hevc && unit.type == 32)
            frameRate_ = hevcFrameRate(bytes_, payload, p + unit.size);
        else if (track_.hevc && unit.type == 33)
            frameRate_ = hevcSequenceFrameRate(bytes_, payload, p + unit.size);
    }

    void notePicture(uint64_t p, const NalUnit& unit, const SliceHeader& s)
    {
        started_ = true;
        const uint64_t header = p + track_.nalLengthSize;
        if (!track_.hevc && (readU8(bytes_, header) & 0x60) != 0)
            prevRefFrameNum_ = s.frameNum;
        if (!ordered_)
            return;
        if (s.pocLsb < 0) {
            ordered_ = false;
            return;
        }
        // IDR (and, in HEVC, BLA) pictures start the count afresh: each run gets an epoch, so
        // orders only grow from one run to the next.
        const bool idr = track_.hevc ? unit.type >= 16 && unit.type <= 20 : unit.type == 5;
        const int64_t maxLsb = int64_t{1} << (track_.hevc ? hevc_.pocLsbBits : avc_.pocLsbBits);
        if (idr) {
            ++epoch_;
            prevMsb_ = prevLsb_ = 0;
        }
        int64_t msb = prevMsb_;
        if (s.pocLsb < prevLsb_ && prevLsb_ - s.pocLsb >= maxLsb / 2)
            msb += maxLsb;
        else if (s.pocLsb > prevLsb_ && s.pocLsb - prevLsb_ > maxLsb / 2)
            msb -= maxLsb;
        // Stays far from overflow: an epoch never holds more than 2^32 pictures here.
        pictureOrder_ = (epoch_ << 34) + (msb + s.pocLsb + (int64_t{1} << 33));
        if (anchorsOrder(bytes_, header, unit.type, track_.hevc)) {
            prevMsb_ = msb;
            prevLsb_ = s.pocLsb;
        }
    }

    // Presentation ranks from picture orders through a small window: the picture with the lowest
    // order among those waiting is shown next. Reordering deeper than the window (never seen in
    // real streams) gives up composition offsets.
    void order(FoundTrack& found, uint64_t index)
    {
        if (!ordered_)
            return;
        if (pictureOrder_ < lastShown_) {
            ordered_ = false;
            return;
        }
        waiting_.emplace(pictureOrder_, index);
        if (waiting_.size() > kReorderWindow)
            settle(found);
    }
    void settle(FoundTrack& found)
    {
        const auto [shownOrder, index] = waiting_.top();
        waiting_.pop();
        lastShown_ = shownOrder;
        const int64_t shift = static_cast<int64_t>(rank_++) - static_cast<int64_t>(index);
        if (shift < -32768 || shift > 32767) {
            ordered_ = false;
            return;
        }
        if (ordered_)
            found.shownShift[index] = static_cast<int16_t>(shift);
    }

    ByteView bytes_;
    uint64_t end_;
    const CodecTrack& track_;
    NalReader reader_;
    uint64_t maxUnit_;
    AvcOrder avc_;
    HevcOrder hevc_;
    bool ordered_;
    bool started_ = false;
    uint32_t prevRefFrameNum_ = 0;
    int64_t epoch_ = 0, prevMsb_ = 0, prevLsb_ = 0, pictureOrder_ = 0;
    int64_t lastShown_ = std::numeric_limits<int64_t>::min();
    uint64_t rank_ = 0;
    std::priority_queue<std::pair<int64_t, uint64_t>, std::vector<std::pair<int64_t, uint64_t>>, std::greater<>>
        waiting_;
    SampleSpan firstSample_{0, 0};
    std::vector<SampleSpan> lastGroup_;
    double frameRate_ = 0;
};

// What an AAC track of the sample tells: its decoder configuration and frame duration.
struct AacTrack {
    IsoBox trak;
    ByteBuffer config; // AudioSpecificConfig
    uint32_t timescale = 0;
    uint32_t sampleDelta = 1024;
    uint32_t maxFrame = 0; // bytes: 6144 bits for each channel
};

// An MPEG-4 descriptor header at `q` (tag, then a length of up to four 7-bit groups).
bool readDescriptor(ByteView b, uint64_t& q, uint64_t end, uint32_t& tag, uint64_t& length)
{
    if (q >= end)
        return false;
    tag = readU8(b, q++);
    length = 0;
    for (int i = 0; i < 4 && q < end; ++i) {
        const uint8_t v = readU8(b, q++);
        length = (length << 7) | (v & 0x7F);
        if ((v & 0x80) == 0)
            return length <= end - q;
    }
    return false;
}

// The AudioSpecificConfig in an esds box's payload (after its version and flags).
ByteBuffer aacConfig(ByteView b, uint64_t q, uint64_t end)
{
    uint32_t tag = 0;
    uint64_t length = 0;
    if (!readDescriptor(b, q, end, tag, length) || tag != 3 || length < 3)
        return {};
    end = q + length;
    const uint8_t flags = readU8(b, q + 2);
    q += 3;
    if (flags & 0x80)
        q += 2;
    if (flags & 0x40)
        q += 1 + readU8(b, q);
    if (flags & 0x20)
        q += 2;
    if (!readDescriptor(b, q, end, tag, length) || tag != 4 || length < 13)
        return {};
    const uint8_t objectType = readU8(b, q);
    // MPEG-4 audio, or MPEG-2 AAC main, LC and SSR profiles.
    if (objectType != 0x40 && (objectType < 0x66 || objectType > 0x68))
        return {};
    end = q + length;
    q += 13;
    if (!readDescriptor(b, q, end, tag, length) || tag != 5 || length < 2)
        return {};
    return sliceBytes(b, q, length);
}

uint32_t firstSampleDelta(ByteView moov, const IsoBox& trak)
{
    const IsoBox stts = findIsoBoxPath(moov, trak.payloadStart(), trak.end(), {"mdia", "minf", "stbl", "stts"});
    if (!stts.valid || stts.size < 24 || readBe32(moov, stts.payloadStart() + 4) == 0)
        return 0;
    return readBe32(moov, stts.payloadStart() + 12);
}

uint32_t mediaTimescale(ByteView moov, const IsoBox& trak)
{
    const IsoBox mdhd = findIsoBoxPath(moov, trak.payloadStart(), trak.end(), {"mdia", "mdhd"});
    if (!mdhd.valid)
        return 0;
    return readBe32(moov, mdhd.payloadStart() + (readU8(moov, mdhd.payloadStart()) == 1 ? 20 : 12));
}

std::string handlerOf(ByteView moov, const IsoBox& trak)
{
    const IsoBox hdlr = findIsoBoxPath(moov, trak.payloadStart(), trak.end(), {"mdia", "hdlr"});
    return hdlr.valid ? bytesToString(moov, hdlr.payloadStart() + 8, 4) : std::string();
}

std::string entryOf(ByteView moov, const IsoBox& trak)
{
    const IsoBox stsd = findIsoBoxPath(moov, trak.payloadStart(), trak.end(), {"mdia", "minf", "stbl", "stsd"});
    return stsd.valid ? bytesToString(moov, stsd.payloadStart() + 12, 4) : std::string();
}

// The first sound track of the moov whose samples are AAC frames (MP4 and MOV sample entries
// alike: a MOV keeps the esds inside a "wave" box).
bool findAacTrack(ByteView moov, AacTrack& track)
{
    const IsoBox top = parseIsoBox(moov, 0, moov.size());
    if (!top.valid)
        return false;
    bool found = false;
    forEachIsoBox(moov, top.payloadStart(), top.end(), [&](const IsoBox& trak) {
        if (trak.type != "trak" || handlerOf(moov, trak) != "soun" || entryOf(moov, trak) != "mp4a")
            return true;
        const IsoBox stsd = findIsoBoxPath(moov, trak.payloadStart(), trak.end(), {"mdia", "minf", "stbl", "stsd"});
        const uint64_t at = findBytes(moov, "esds", stsd.payloadStart());
        if (at == npos || at < 4 || at >= stsd.end())
            return true;
        const IsoBox esds = parseIsoBox(moov, at - 4, stsd.end());
        if (!esds.valid || esds.size < 12)
            return true;
        ByteBuffer config = aacConfig(moov, esds.payloadStart() + 4, esds.end());
        const uint32_t timescale = mediaTimescale(moov, trak);
        if (config.empty() || timescale == 0)
            return true;
        // audioObjectType (5 bits, 31 escapes to 6 more), frequency index (4, 15 adds 24 bits
        // of rate), channel configuration (4).
        uint64_t bit = (readU8(config, 0) >> 3) == 31 ? 11 : 5;
        bit += ((readBe16(config, bit / 8) >> (12 - bit % 8)) & 0xF) == 15 ? 28 : 4;
        const uint32_t channels = (readBe16(config, bit / 8) >> (12 - bit % 8)) & 0xF;
        track.trak = trak;
        track.config = std::move(config);
        track.timescale = timescale;
        const uint32_t delta = firstSampleDelta(moov, trak);
        track.sampleDelta = delta != 0 ? delta : 1024;
        track.maxFrame = 768 * (channels == 0 || channels == 7 ? 8 : std::max<uint32_t>(channels, 1));
        found = true;
        return false;
    });
    return found;
}

// The audio track's side of the walk: a run of AAC frames, each placed by the decoder.
class AudioWalk {
public:
    AudioWalk(ByteView bytes, uint64_t end, const AacTrack& track)
        : bytes_(bytes), end_(end), maxFrame_(track.maxFrame), splitter_(track.config)
    {}

    bool ready() const { return splitter_.ready(); }

    // The frames that follow one another from `p` up to where `otherStarts` holds or the
    // media data ends, in `frames`; returns the end of the run (`p` when no frame starts there).
    // A frame whose end cannot be placed is left out.
    template <typename OtherStarts>
    uint64_t take(uint64_t p, const OtherStarts& otherStarts, std::vector<SampleSpan>& frames)
    {
        frames.clear();
        uint64_t at = p;
        while (at < end_ && (at == p || !otherStarts(at))) {
            const uint64_t windowEnd = std::min<uint64_t>(end_, at + 4 * uint64_t{maxFrame_});
            bool endsAtEnd = false;
            splitter_.split(bytes_.subspan(static_cast<size_t>(at), static_cast<size_t>(windowEnd - at)), starts_,
                            endsAtEnd);
            const size_t n = starts_.size();
            if (n == 0)
                return at;
            for (size_t k = 0; k + 1 < n; ++k) {
                const uint64_t next = at + starts_[k + 1];
                if (!push(frames, at + starts_[k], next))
                    return at + starts_[k];
                if (otherStarts(next))
                    return next;
            }
            const uint64_t last = at + starts_[n - 1];
            if (endsAtEnd) {
                if (!push(frames, last, windowEnd))
                    return last;
                at = windowEnd;
                continue;
            }
            // The frame after the last one failed: it may have been cut by the window when it
            // could reach past it (a frame is at most maxFrame long).
            if (windowEnd < end_ && n > 1 && last + 2 * uint64_t{maxFrame_} > windowEnd) {
                at = last;
                continue;
            }
            // Where the last frame ends: the next track's data, or the end of the media data.
            const uint64_t limit = std::min<uint64_t>(end_, last + maxFrame_);
            for (uint64_t q = last + 1; q <= limit; ++q) {
                if ((q == end_ || otherStarts(q)) &&
                    splitter_.isOneFrame(bytes_.subspan(static_cast<size_t>(last), static_cast<size_t>(q - last)))) {
                    push(frames, last, q);
                    return q;
                }
            }
            return last;
        }
        return at;
    }

private:
    bool push(std::vector<SampleSpan>& frames, uint64_t from, uint64_t to) const
    {
        if (to <= from || to - from > maxFrame_)
            return false;
        frames.emplace_back(from, static_cast<uint32_t>(to - from));
        return true;
    }

    ByteView bytes_;
    uint64_t end_;
    uint32_t maxFrame_;
    AacFrameSplitter splitter_;
    std::vector<uint32_t> starts_;
};

// After this much damage without a frame, an audio-only walk stops looking for more.
constexpr uint64_t kAudioResyncLimit = 1ull << 20;

// The largest sample of a track in the sample's own tables; 0 when they list none.
uint64_t largestSample(ByteView moov, const IsoBox& trak)
{
    const IsoBox stsz = findIsoBoxPath(moov, trak.payloadStart(), trak.end(), {"mdia", "minf", "stbl", "stsz"});
    if (!stsz.valid || stsz.size < 20)
        return 0;
    const uint64_t payload = stsz.payloadStart();
    const uint32_t constant = readBe32(moov, payload + 4);
    if (constant != 0)
        return constant;
    const uint64_t count = std::min<uint64_t>(readBe32(moov, payload + 8), (stsz.end() - payload - 12) / 4);
    uint64_t largest = 0;
    for (uint64_t i = 0; i < count; ++i)
        largest = std::max<uint64_t>(largest, readBe32(moov, payload + 12 + 4 * i));
    return largest;
}

// Whether the two tracks keep pace at the sample's rates. At every switch from one track's data to
// the other's, the sound found so far lasts about as long as the pictures found so far: recorders
// interleave by time, so the difference stays within a few runs of either track. A frame rate or
// sample rate other than the recording's makes it drift with the length of the recording.
class TrackPace {
public:
    TrackPace(double videoFrame, double audioFrame) : videoFrame_(videoFrame), audioFrame_(audioFrame) {}

    void meet(uint64_t videoSamples, uint64_t audioSamples)
    {
        const double run = std::max(static_cast<double>(videoSamples - lastVideo_) * videoFrame_,
                                    static_cast<double>(audioSamples - lastAudio_) * audioFrame_);
        longestRun_ = std::max(longestRun_, run);
        lastVideo_ = videoSamples;
        lastAudio_ = audioSamples;
        const double video = static_cast<double>(videoSamples) * videoFrame_;
        const double apart = static_cast<double>(audioSamples) * audioFrame_ - video;
        lowest_ = std::min(lowest_, apart);
        highest_ = std::max(highest_, apart);
        elapsed_ = video;
    }

    bool agrees() const
    {
        if (videoFrame_ <= 0 || audioFrame_ <= 0 || highest_ < lowest_)
            return true;
        return highest_ - lowest_ <= std::max(0.03 * elapsed_, 4 * longestRun_);
    }

private:
    double videoFrame_, audioFrame_;
    uint64_t lastVideo_ = 0, lastAudio_ = 0;
    double lowest_ = std::numeric_limits<double>::max();
    double highest_ = std::numeric_limits<double>::lowest();
    double elapsed_ = 0, longestRun_ = 0;
};

struct WalkResult {
    FoundTrack video, audio;
    SampleSpan firstPicture{0, 0};
    std::vector<SampleSpan> lastGroup;
    bool paceAgrees = true;
    double frameRate = 0; // stated by the stream itself, 0 when it states none
};

// Checks that the tables being gathered stay within the memory a repair may hold; the moov
// written from them takes about as much again.
void checkMemory(const WalkResult& w, uint64_t limit)
{
    if ((w.video.memory() + w.audio.memory()) * 2 > limit)
        throw std::bad_alloc();
}

void walkMdat(ByteView bytes, const IsoBox& mdat, const CodecTrack* video, const AacTrack* audio, uint64_t maxUnit,
              uint64_t memoryLimit, WalkResult& w)
{
    const uint64_t end = std::min<uint64_t>(mdat.end(), bytes.size());
    std::optional<VideoWalk> pictures;
    if (video != nullptr)
        pictures.emplace(bytes, end, *video, maxUnit);
    std::optional<AudioWalk> frames;
    if (audio != nullptr)
        frames.emplace(bytes, end, *audio);
    if (frames && !frames->ready())
        frames.reset();
    const auto pictureAt = [&](uint64_t q) { return pictures && pictures->pictureAt(q); };
    std::vector<SampleSpan> run;
    uint64_t counted = 0;
    TrackPace pace(pictures && frames ? static_cast<double>(video->sampleDelta) / video->timescale : 0,
                   pictures && frames ? static_cast<double>(audio->sampleDelta) / audio->timescale : 0);
    int lastTrack = 0; // 1 video, 2 audio
    const auto switchTo = [&](int track) {
        if (lastTrack != 0 && lastTrack != track)
            pace.meet(w.video.sizes.size(), w.audio.sizes.size());
        lastTrack = track;
    };
    for (uint64_t p = mdat.payloadStart(); p < end;) {
        checkpoint(p, end);
        if (pictureAt(p)) {
            switchTo(1);
            w.audio.closeChunk();
            p = pictures->take(p, w.video);
        } else if (const uint64_t q = frames ? frames->take(p, pictureAt, run) : p; q > p && !run.empty()) {
            switchTo(2);
            w.video.closeChunk();
            for (const SampleSpan& f : run)
                w.audio.add(f.first, f.second);
            p = q;
        } else {
            // Neither track: damage. Skipped up to the next picture (or, without video, up to
            // the next AAC frame, within a bound: every try is a decode).
            w.video.closeChunk();
            w.audio.closeChunk();
            const uint64_t from = p++;
            while (p < end && !pictureAt(p)) {
                checkpointStep(p, end);
                if (!pictures && frames) {
                    if (p - from > kAudioResyncLimit) {
                        p = end;
                        break;
                    }
                    if (frames->take(p, pictureAt, run) > p && !run.empty())
                        break;
                }
                ++p;
            }
        }
        const uint64_t samples = w.video.sizes.size() + w.audio.sizes.size();
        if (samples - counted >= 65536) {
            counted = samples;
            checkMemory(w, memoryLimit);
        }
        if (samples >= 0xFFFFFFFFull)
            break;
    }
    w.video.closeChunk();
    w.audio.closeChunk();
    w.paceAgrees = pace.agrees();
    if (pictures) {
        pictures->finish(w.video);
        w.firstPicture = pictures->firstSample();
        w.frameRate = pictures->frameRate();
        w.lastGroup = pictures->lastGroup();
    }
    checkMemory(w, memoryLimit);
}

// --- writing the moov ---------------------------------------------------------------------------

// Boxes written straight into one buffer: a container's size is filled in when it closes.
class BoxWriter {
public:
    explicit BoxWriter(ByteBuffer& out) : out_(out) {}
    void open(std::string_view type)
    {
        open_.push_back(out_.size());
        appendBe32(out_, 0);
        appendString(out_, type);
    }
    // A full box (version 0, flags 0).
    void openFull(std::string_view type)
    {
        open(type);
        appendBe32(out_, 0);
    }
    bool close()
    {
        const uint64_t at = open_.back();
        open_.pop_back();
        if (out_.size() - at > 0xFFFFFFFFull)
            return false;
        putBe32(out_, at, static_cast<uint32_t>(out_.size() - at));
        return true;
    }
    ByteBuffer& out() { return out_; }

private:
    ByteBuffer& out_;
    std::vector<uint64_t> open_;
};

// The tables of one rebuilt track, all frames lasting `delta`.
bool writeTables(BoxWriter& w, const FoundTrack& t, uint32_t delta)
{
    ByteBuffer& out = w.out();
    const uint64_t n = t.sizes.size();
    w.openFull("stts");
    appendBe32(out, n == 0 ? 0 : 1); // a fragmented recording's tables list no sample at all
    if (n != 0) {
        appendBe32(out, static_cast<uint32_t>(n));
        appendBe32(out, delta);
    }
    bool ok = w.close();
    if (!t.shownShift.empty()) {
        // Composition offsets: every picture delayed by the deepest reordering, so none is negative.
        int64_t delay = 0;
        bool reordered = false;
        uint64_t seen = 0;
        for (int16_t s : t.shownShift) {
            delay = std::max<int64_t>(delay, -s);
            reordered = reordered || s != 0;
            checkpoint(++seen, n);
        }
        if (reordered) {
            w.openFull("ctts");
            const uint64_t countAt = out.size();
            appendBe32(out, 0);
            uint32_t runs = 0;
            for (uint64_t i = 0; i < n;) {
                uint64_t j = i;
                while (j < n && t.shownShift[j] == t.shownShift[i])
                    checkpoint(++j, n);
                appendBe32(out, static_cast<uint32_t>(j - i));
                appendBe32(out, static_cast<uint32_t>(std::min<uint64_t>(
                                    static_cast<uint64_t>(t.shownShift[i] + delay) * delta, 0x7FFFFFFF)));
                ++runs;
                i = j;
            }
            putBe32(out, countAt, runs);
            ok = w.close() && ok;
        }
    }
    if (!t.syncSamples.empty() && t.syncSamples.size() != n) {
        w.openFull("stss");
        appendBe32(out, static_cast<uint32_t>(t.syncSamples.size()));
        for (uint32_t s : t.syncSamples) {
            appendBe32(out, s);
            checkpoint(s, n);
        }
        ok = w.close() && ok;
    }
    w.openFull("stsc");
    appendBe32(out, static_cast<uint32_t>(t.chunkRuns.size()));
    for (const auto& [firstChunk, samples] : t.chunkRuns) {
        appendBe32(out, firstChunk);
        appendBe32(out, samples);
        appendBe32(out, 1);
    }
    ok = w.close() && ok;
    w.openFull("stsz");
    appendBe32(out, 0);
    appendBe32(out, static_cast<uint32_t>(n));
    uint64_t i = 0;
    for (uint32_t size : t.sizes) {
        appendBe32(out, size);
        checkpoint(++i, n);
    }
    ok = w.close() && ok;
    const bool wide = !t.chunkOffsets.empty() && t.chunkOffsets.back() > 0xFFFFFFFFull;
    w.openFull(wide ? "co64" : "stco");
    appendBe32(out, static_cast<uint32_t>(t.chunkOffsets.size()));
    uint64_t chunk = 0;
    for (uint64_t offset : t.chunkOffsets) {
        checkpoint(++chunk, t.chunkOffsets.size());
        if (wide)
            appendBe64(out, offset);
        else
            appendBe32(out, static_cast<uint32_t>(offset));
    }
    return w.close() && ok;
}

// Writes a duration field of a copied mvhd, tkhd or mdhd (version 1: 64 bits at `at64`, else 32
// bits at `at32`, saturating) when the box holds it.
void putDuration(ByteBuffer& out, uint64_t box, uint64_t at64, uint64_t at32, uint64_t value)
{
    if (readU8(out, box + 8) == 1) {
        if (fits(out, box + at64, 8))
            putBe64(out, box + at64, value);
    } else if (fits(out, box + at32, 4)) {
        putBe32(out, box + at32, value > 0xFFFFFFFFull ? 0xFFFFFFFFu : static_cast<uint32_t>(value));
    }
}

struct RebuiltTrack {
    const IsoBox* trak = nullptr;
    const FoundTrack* found = nullptr;
    uint32_t delta = 0;
    uint64_t mediaDuration = 0;
    uint64_t movieDuration = 0;
};

// Copies a box of a kept trak with this recording's tables and durations. Tables about the
// sample's own frames (composition offsets, sample groups, dependencies) and its edit list are
// left out: they describe frames this file does not have.
bool copyTrakBox(BoxWriter& w, ByteView moov, const IsoBox& box, const RebuiltTrack& t, int depth)
{
    const bool nested = box.type == "trak" || box.type == "mdia" || box.type == "minf" || box.type == "stbl";
    if (!nested || depth >= kMaxIsoBoxDepth) {
        const uint64_t at = w.out().size();
        appendRange(w.out(), moov, box.offset, box.size);
        if (box.type == "tkhd")
            putDuration(w.out(), at, 36, 28, t.movieDuration);
        if (box.type == "mdhd")
            putDuration(w.out(), at, 32, 24, t.mediaDuration);
        return true;
    }
    w.open(box.type);
    bool ok = true;
    forEachIsoBox(moov, box.payloadStart(), box.end(), [&](const IsoBox& child) {
        static const std::array<std::string_view, 17> dropped = {"edts", "stts", "ctts", "stss", "stsc", "stsz",
                                                                 "stz2", "stco", "co64", "sdtp", "sbgp", "sgpd",
                                                                 "stps", "cslg", "subs", "saiz", "saio"};
        if (std::find(dropped.begin(), dropped.end(), child.type) != dropped.end())
            return true;
        ok = copyTrakBox(w, moov, child, t, depth + 1) && ok;
        if (child.type == "stsd")
            ok = writeTables(w, *t.found, t.delta) && ok;
        return true;
    });
    return w.close() && ok;
}

uint64_t toMovieTime(uint64_t media, uint32_t movieTimescale, uint32_t timescale)
{
    const unsigned __int128 movie = static_cast<unsigned __int128>(media) * movieTimescale / timescale;
    return movie > ~0ull ? ~0ull : static_cast<uint64_t>(movie);
}

uint32_t movieTimescaleOf(ByteView moov)
{
    const IsoBox mvhd = findIsoBoxPath(moov, 0, moov.size(), {"moov", "mvhd"});
    if (!mvhd.valid)
        return 0;
    return readBe32(moov, mvhd.payloadStart() + (readU8(moov, mvhd.payloadStart()) == 1 ? 20 : 12));
}

std::string trackName(ByteView moov, const IsoBox& trak)
{
    const std::string handler = handlerOf(moov, trak);
    const std::string kind = handler == "vide" ? "video" : handler == "soun" ? "audio" : "'" + handler + "'";
    const std::string entry = entryOf(moov, trak);
    return kind + " track" + (entry.empty() ? std::string() : " (" + entry + ")");
}

} // namespace

std::unique_ptr<AudioSampleDecoder> soundSampleDecoder(ByteView moov, const IsoBox& trak)
{
    std::unique_ptr<AudioSampleDecoder> decoder;
    const IsoBox stsd = findIsoBoxPath(moov, trak.payloadStart(), trak.end(), {"mdia", "minf", "stbl", "stsd"});
    const std::string entry = entryOf(moov, trak);
    if (handlerOf(moov, trak) != "soun" || !stsd.valid)
        return decoder;
    const uint64_t from = stsd.payloadStart() + 16;
    const uint64_t at = entry == "mp4a" ? findBytes(moov, "esds", from) : findBytes(moov, "alac", from);
    const IsoBox box = at != npos && at >= 4 && at < stsd.end() ? parseIsoBox(moov, at - 4, stsd.end()) : IsoBox{};
    if (entry == "mp4a" && box.valid && box.size >= 12) {
        const ByteBuffer config = aacConfig(moov, box.payloadStart() + 4, box.end());
        if (!config.empty())
            decoder = std::make_unique<AudioSampleDecoder>(AudioSampleDecoder::Codec::Aac, config);
    } else if (entry == "alac" && box.valid && box.size >= 36) {
        decoder = std::make_unique<AudioSampleDecoder>(AudioSampleDecoder::Codec::Alac,
                                                       sliceBytes(moov, box.offset, box.size));
    }
    if (decoder && !decoder->ready())
        decoder.reset();
    return decoder;
}

bool moovAudioFitsMedia(ByteView moov, uint64_t moovBase, ByteView bytes, const IsoBox& mdat)
{
    const uint64_t payloadEnd = std::min<uint64_t>(mdat.end(), bytes.size());
    uint64_t end = 0;
    if (!mdat.valid || payloadEnd < mdat.payloadStart() || !checkedAdd(moovBase, payloadEnd - mdat.payloadStart(), end))
        return false;
    // One decoder for each sound track whose samples can be told apart: AAC and ALAC with a
    // sample size table (equal sizes come as whole chunks).
    std::map<uint64_t, std::unique_ptr<AudioSampleDecoder>> decoders;
    const auto decoderFor = [&](const IsoBox& trak) -> AudioSampleDecoder* {
        auto found = decoders.find(trak.offset);
        if (found == decoders.end()) {
            const IsoBox stsz =
                findIsoBoxPath(moov, trak.payloadStart(), trak.end(), {"mdia", "minf", "stbl", "stsz"});
            const bool oneByOne = stsz.valid && readBe32(moov, stsz.payloadStart() + 4) == 0;
            found = decoders.emplace(trak.offset, oneByOne ? soundSampleDecoder(moov, trak) : nullptr).first;
        }
        return found->second.get();
    };
    uint64_t checkable = 0;
    if (!isoSampleTablesFit(moov, moovBase, end, [&](const IsoBox& trak, uint64_t, uint64_t) {
            checkable += decoderFor(trak) != nullptr ? 1 : 0;
            return true;
        }))
        return false;
    // Spread over the whole file, a thousand samples tell whether the frames begin where the
    // tables say; damage inside a few frames is no reason to refuse them.
    const uint64_t stride = std::max<uint64_t>(1, checkable / 1000);
    uint64_t seen = 0, checked = 0, failed = 0;
    isoSampleTablesFit(moov, moovBase, end, [&](const IsoBox& trak, uint64_t offset, uint64_t size) {
        AudioSampleDecoder* decoder = decoderFor(trak);
        if (decoder == nullptr || seen++ % stride != 0)
            return true;
        ++checked;
        const uint64_t from = offset - moovBase + mdat.payloadStart();
        if (size == 0 || !decoder->decodesAlone(bytes.subspan(static_cast<size_t>(from), static_cast<size_t>(size))))
            ++failed;
        return true;
    });
    return failed * 10 <= checked;
}

bool rebuildSampleTables(ByteView templateMoov, ByteView bytes, const IsoBox& mdat, SampleTableRebuild& rebuilt,
                         uint64_t memoryLimit)
{
    rebuilt = SampleTableRebuild{};
    const IsoBox top = parseIsoBox(templateMoov, 0, templateMoov.size());
    if (!mdat.valid || !top.valid)
        return false;
    CodecTrack video;
    const bool haveVideo = findCodecTrack(templateMoov, video);
    AacTrack audio;
    const bool haveAudio = findAacTrack(templateMoov, audio);
    const uint32_t movieTimescale = movieTimescaleOf(templateMoov);
    if ((!haveVideo && !haveAudio) || movieTimescale == 0)
        return false;
    // A unit larger than many times the sample's largest picture is not one of this device's.
    const uint64_t maxUnit =
        haveVideo ? std::max<uint64_t>(largestSample(templateMoov, video.trak) * 16, 4ull << 20) : 0;

    WalkResult w;
    walkMdat(bytes, mdat, haveVideo ? &video : nullptr, haveAudio ? &audio : nullptr, maxUnit, memoryLimit, w);
    rebuilt.videoTrack = haveVideo;
    rebuilt.videoSamples = w.video.sizes.size();
    rebuilt.audioSamples = w.audio.sizes.size();
    rebuilt.samples = rebuilt.videoSamples + rebuilt.audioSamples;
    rebuilt.covered = w.video.bytes + w.audio.bytes;
    rebuilt.timingAgrees = w.paceAgrees;
    // Where the stream states its own frame rate, the sample's frame duration must give it.
    if (haveVideo && w.frameRate > 0) {
        const double sampleRate = static_cast<double>(video.timescale) / video.sampleDelta;
        rebuilt.timingAgrees = rebuilt.timingAgrees && std::abs(sampleRate - w.frameRate) <= w.frameRate * 0.01;
    }
    if (rebuilt.samples == 0 || (haveVideo && rebuilt.videoSamples == 0))
        return false;

    // The first picture must decode on its own, and the last picture group from its start.
    if (haveVideo) {
        const auto view = [&](const SampleSpan& s) { return bytes.subspan(static_cast<size_t>(s.first), s.second); };
        std::vector<ByteView> last;
        for (const SampleSpan& s : w.lastGroup)
            last.push_back(view(s));
        rebuilt.videoDecodes = videoSamplesDecode(video.hevc, video.config, {view(w.firstPicture)}) &&
                               videoSamplesDecode(video.hevc, video.config, last);
    } else {
        rebuilt.videoDecodes = true;
    }

    std::vector<RebuiltTrack> kept;
    uint64_t movieDuration = 0;
    const auto keep = [&](const IsoBox& trak, const FoundTrack& found, uint32_t delta, uint32_t timescale) {
        RebuiltTrack t{&trak, &found, delta, 0, 0};
        t.mediaDuration = found.sizes.size() * uint64_t{delta}; // below 2^32 samples of 2^32 ticks
        t.movieDuration = toMovieTime(t.mediaDuration, movieTimescale, timescale);
        movieDuration = std::max(movieDuration, t.movieDuration);
        kept.push_back(t);
    };
    if (haveVideo)
        keep(video.trak, w.video, video.sampleDelta, video.timescale);
    if (haveAudio && !w.audio.sizes.empty())
        keep(audio.trak, w.audio, audio.sampleDelta, audio.timescale);

    uint64_t tables = templateMoov.size();
    for (const RebuiltTrack& t : kept)
        tables += 128 + t.found->sizes.size() * 12 + t.found->chunkOffsets.size() * 8 + t.found->chunkRuns.size() * 12;
    if (tables > memoryLimit)
        throw std::bad_alloc();
    rebuilt.moov.reserve(static_cast<size_t>(tables));
    BoxWriter writer(rebuilt.moov);
    writer.open("moov");
    bool ok = true;
    forEachIsoBox(templateMoov, top.payloadStart(), top.end(), [&](const IsoBox& child) {
        if (child.type == "trak") {
            const auto t = std::find_if(kept.begin(), kept.end(),
                                        [&](const RebuiltTrack& k) { return k.trak->offset == child.offset; });
            if (t != kept.end())
                ok = copyTrakBox(writer, templateMoov, child, *t, 1) && ok;
            else
                rebuilt.leftOut.push_back(trackName(templateMoov, child));
        } else if (child.type != "mvex") {
            const uint64_t at = rebuilt.moov.size();
            appendRange(rebuilt.moov, templateMoov, child.offset, child.size);
            if (child.type == "mvhd")
                putDuration(rebuilt.moov, at, 32, 24, movieDuration);
        }
        return true;
    });
    if (!writer.close() || !ok) {
        rebuilt.moov.clear();
        return false;
    }
    return true;
}

uint32_t isoTrackId(ByteView moov, const IsoBox& trak)
{
    const IsoBox tkhd = findIsoBoxPath(moov, trak.payloadStart(), trak.end(), {"tkhd"});
    if (!tkhd.valid)
        return 0;
    return readBe32(moov, tkhd.payloadStart() + (readU8(moov, tkhd.payloadStart()) == 1 ? 20 : 12));
}

bool buildFragmentIndex(ByteView templateMoov, const std::vector<uint32_t>& trackIds, ByteBuffer& moov,
                        std::vector<std::string>& leftOut)
{
    moov.clear();
    const IsoBox top = parseIsoBox(templateMoov, 0, templateMoov.size());
    if (!top.valid)
        return false;
    const FoundTrack none;
    std::vector<uint32_t> kept;
    std::vector<ByteBuffer> extends; // the template's own track defaults, when it has them
    BoxWriter writer(moov);
    writer.open("moov");
    bool ok = true;
    forEachIsoBox(templateMoov, top.payloadStart(), top.end(), [&](const IsoBox& child) {
        if (child.type == "trak") {
            const uint32_t id = isoTrackId(templateMoov, child);
            if (id != 0 && std::find(trackIds.begin(), trackIds.end(), id) != trackIds.end() &&
                std::find(kept.begin(), kept.end(), id) == kept.end()) {
                ok = copyTrakBox(writer, templateMoov, child, RebuiltTrack{&child, &none, 0, 0, 0}, 1) && ok;
                kept.push_back(id);
            } else {
                leftOut.push_back(trackName(templateMoov, child));
            }
        } else if (child.type == "mvex") {
            forEachIsoBox(templateMoov, child.payloadStart(), child.end(), [&](const IsoBox& trex) {
                if (trex.type == "trex" && trex.size >= 32)
                    extends.push_back(sliceBytes(templateMoov, trex.offset, trex.size));
                return true;
            });
        } else {
            const uint64_t at = moov.size();
            appendRange(moov, templateMoov, child.offset, child.size);
            if (child.type == "mvhd")
                putDuration(moov, at, 32, 24, 0); // the fragments tell how long the recording is
        }
        return true;
    });
    writer.open("mvex");
    for (uint32_t id : kept) {
        const auto own = std::find_if(extends.begin(), extends.end(),
                                      [&](const ByteBuffer& trex) { return readBe32(trex, 12) == id; });
        if (own != extends.end()) {
            appendBytes(moov, *own);
            continue;
        }
        writer.openFull("trex");
        appendBe32(moov, id);
        appendBe32(moov, 1); // first sample description
        appendBe32(moov, 0);
        appendBe32(moov, 0);
        appendBe32(moov, 0);
        ok = writer.close() && ok;
    }
    ok = writer.close() && ok;
    ok = writer.close() && ok;
    if (!ok || kept.size() != trackIds.size()) {
        moov.clear();
        return false;
    }
    return true;
}

bool rebuiltTablesHold(const SampleTableRebuild& rebuilt, ByteView bytes, const IsoBox& mdat)
{
    const uint64_t end = std::min<uint64_t>(mdat.end(), bytes.size());
    const uint64_t payload = end > mdat.payloadStart() ? end - mdat.payloadStart() : 0;
    return rebuilt.videoDecodes && rebuilt.timingAgrees && rebuilt.covered >= payload / 10 * 9;
}

void noteTracksLeftOut(RepairResult& result, const SampleTableRebuild& rebuilt)
{
    for (const std::string& track : rebuilt.leftOut)
        result.notes.push_back("the sample's " + track +
                               " could not be rebuilt from this file's media data and is left out");
}

} // namespace data_repair
