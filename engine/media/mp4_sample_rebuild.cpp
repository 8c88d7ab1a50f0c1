// Sample tables rebuilt from the media data itself: the mdat of an H.264/HEVC recording is a run
// of length-prefixed NAL units, so its frames can be found and counted without any index. A moov
// from a healthy recording of the same device supplies what the bytes cannot tell (codec
// settings, time scale, frame duration); its own tables are replaced by ones that describe this
// file's frames.

#include <algorithm>
#include <array>
#include <tuple>
#include <utility>

#include "data_repair/checkpoint.h"
#include "media/mp4_video.h"
#include "media/video_prefix_truncation.h"

namespace data_repair {

namespace {

// A resynchronisation after bytes that are not video needs this many well-formed NAL units in a
// row before it believes it found the next video chunk.
constexpr int kResyncChain = 3;

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
            if ((unit.type >= 22 && unit.type <= 31) || (unit.type >= 41 && unit.type <= 47))
                return false;
            unit.vcl = unit.type < 32;
            unit.sync = unit.type >= 16 && unit.type <= 21;
            unit.startsUnit =
                (unit.type >= 32 && unit.type <= 35) || unit.type == 39 || (unit.type >= 41 && unit.type <= 44);
            unit.firstInPicture = unit.vcl && length > 2 && (readU8(bytes_, p + m_ + 2) & 0x80) != 0;
        } else {
            unit.type = h0 & 0x1F;
            if (unit.type == 0 || unit.type == 13 || (unit.type >= 16 && unit.type <= 18) || unit.type > 21)
                return false;
            unit.vcl = unit.type >= 1 && unit.type <= 5;
            unit.sync = unit.type == 5;
            unit.startsUnit = (unit.type >= 6 && unit.type <= 9) || unit.type == 14 || unit.type == 15;
            // first_mb_in_slice is ue(v): a leading 1 bit codes 0, the start of a picture.
            unit.firstInPicture = unit.vcl && length > 1 && (readU8(bytes_, p + m_ + 1) & 0x80) != 0;
        }
        return true;
    }

    // True when an access unit can start at `p` and enough units follow it, or the units up to
    // the next bytes that are not video (or the end of the media data) hold a picture: the test
    // for the start of the next video chunk after other bytes. A chunk may hold a single frame.
    bool chainStartsAt(uint64_t p) const
    {
        NalUnit unit;
        if (!read(p, unit) || !(unit.startsUnit || unit.firstInPicture))
            return false;
        bool picture = unit.vcl;
        for (int n = 1; n < kResyncChain; ++n) {
            p += unit.size;
            if (p == end_)
                return true;
            if (!read(p, unit))
                return picture;
            picture = picture || unit.vcl;
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
struct AvcOrder {
    bool valid = false;
    bool separateColourPlane = false;
    bool frameMbsOnly = true;
    uint32_t frameNumBits = 0;
    uint32_t pocType = 0;
    uint32_t pocLsbBits = 0;
};

AvcOrder readAvcOrder(ByteView config)
{
    AvcOrder order;
    if (config.size() < 8 || (readU8(config, 5) & 0x1F) == 0)
        return order;
    const uint64_t length = readBe16(config, 6);
    if (length < 4 || 8 + length > config.size())
        return order;
    BitReader r(config, 9, 8 + length); // past the one-byte NAL header
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
    if (order.pocType == 1)
        return order; // orders by frame number deltas: left to the decoder
    r.ue();           // max_num_ref_frames
    r.bits(1);        // gaps
    r.ue();           // width
    r.ue();           // height
    order.frameMbsOnly = r.bits(1) != 0;
    order.valid = !r.failed() && order.frameNumBits <= 16 && order.pocLsbBits <= 16;
    return order;
}

// The picture order count lsb of the slice at `p` (type 0 only), or -1.
int64_t slicePocLsb(ByteView bytes, uint64_t p, uint64_t size, uint32_t m, const AvcOrder& order, bool idr)
{
    BitReader r(bytes, p + m + 1, p + size, BitReader::kSliceHeader);
    r.ue(); // first_mb_in_slice
    r.ue(); // slice_type
    r.ue(); // pic_parameter_set_id
    if (order.separateColourPlane)
        r.bits(2);
    r.bits(static_cast<int>(order.frameNumBits));
    if (!order.frameMbsOnly && r.bits(1))
        r.bits(1);
    if (idr)
        r.ue();
    const uint32_t lsb = r.bits(static_cast<int>(order.pocLsbBits));
    return r.failed() ? -1 : lsb;
}

// What the picture order of HEVC slices needs from the sequence and picture parameter sets.
struct HevcOrder {
    bool valid = false;
    bool separateColourPlane = false;
    bool outputFlagPresent = false;
    uint32_t extraSliceHeaderBits = 0;
    uint32_t pocLsbBits = 0;
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
            q += length;
        }
    }
    if (sps == npos || pps == npos)
        return order;
    BitReader r(config, sps, spsEnd);
    r.bits(4);
    const uint32_t subLayers = r.bits(3);
    r.bits(1);
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
    r.ue(); // sps id
    if (r.ue() == 3)
        order.separateColourPlane = r.bits(1) != 0;
    r.ue(); // width
    r.ue(); // height
    if (r.bits(1))
        for (int i = 0; i < 4; ++i)
            r.ue(); // conformance window
    r.ue();
    r.ue(); // bit depths
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

// The picture order count lsb of the first slice segment of a picture at `p`, or -1.
int64_t hevcPocLsb(ByteView bytes, uint64_t p, uint64_t size, uint32_t m, uint32_t type,
                   const HevcOrder& order)
{
    if (type == 19 || type == 20)
        return 0; // IDR pictures carry none
    BitReader r(bytes, p + m + 2, p + size, BitReader::kSliceHeader);
    r.bits(1); // first_slice_segment_in_pic_flag
    if (type >= 16 && type <= 23)
        r.bits(1);
    r.ue(); // slice_pic_parameter_set_id
    r.bits(static_cast<int>(order.extraSliceHeaderBits));
    r.ue(); // slice_type
    if (order.outputFlagPresent)
        r.bits(1);
    if (order.separateColourPlane)
        r.bits(2);
    const uint32_t lsb = r.bits(static_cast<int>(order.pocLsbBits));
    return r.failed() ? -1 : lsb;
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

struct FoundSamples {
    std::vector<uint32_t> sizes;
    std::vector<uint32_t> syncSamples;  // 1-based
    std::vector<uint64_t> chunkOffsets; // in the damaged file
    std::vector<uint32_t> samplesPerChunk;
    std::vector<int64_t> order; // picture order count of each sample (H.264 with B-frames), or empty
    uint64_t skippedBytes = 0;
};

// Walks the mdat payload unit by unit, grouping units into access units; bytes that do not parse
// as units (interleaved audio, damage) end a chunk and are skipped up to the next access unit.
bool findSamples(ByteView bytes, const IsoBox& mdat, const CodecTrack& track, FoundSamples& found)
{
    const uint64_t end = std::min<uint64_t>(mdat.end(), bytes.size());
    const NalReader reader(bytes, end, track);
    uint64_t p = mdat.payloadStart();
    uint64_t unitStart = npos, unitEnd = 0;
    bool unitHasVcl = false, unitSync = false;
    bool chunkOpen = false;
    // Picture order (H.264, count type 0): pictures shown in another order than stored (B-frames)
    // need composition offsets. Orders restart at every IDR picture, so each run gets an epoch.
    const AvcOrder avc = track.hevc ? AvcOrder{} : readAvcOrder(track.config);
    const HevcOrder hevc = track.hevc ? readHevcOrder(track.config) : HevcOrder{};
    bool ordered = track.hevc ? hevc.valid : avc.valid && avc.pocType == 0;
    int64_t unitOrder = -1, epoch = 0, prevMsb = 0, prevLsb = 0;
    auto closeUnit = [&]() -> bool {
        if (unitStart == npos)
            return true;
        if (unitHasVcl) {
            if (unitEnd - unitStart > 0xFFFFFFFFull)
                return false;
            if (!chunkOpen) {
                found.chunkOffsets.push_back(unitStart);
                found.samplesPerChunk.push_back(0);
                chunkOpen = true;
            }
            found.sizes.push_back(static_cast<uint32_t>(unitEnd - unitStart));
            if (ordered) {
                ordered = unitOrder >= 0;
                found.order.push_back(unitOrder);
            }
            ++found.samplesPerChunk.back();
            if (unitSync)
                found.syncSamples.push_back(static_cast<uint32_t>(found.sizes.size()));
        } else {
            // Units without a picture (a trailing SEI, say) are kept out of the tables.
            chunkOpen = false;
        }
        unitStart = npos;
        unitHasVcl = unitSync = false;
        unitOrder = -1;
        return found.sizes.size() < 0xFFFFFFFFull;
    };
    while (p < end) {
        checkpoint(p, end);
        NalUnit unit;
        if (!reader.read(p, unit)) {
            if (!closeUnit())
                return false;
            chunkOpen = false;
            const uint64_t from = p;
            while (p < end && !reader.chainStartsAt(p)) {
                checkpointStep(p, end);
                ++p;
            }
            found.skippedBytes += p - from;
            continue;
        }
        if (unitStart != npos && unitHasVcl && (unit.startsUnit || unit.firstInPicture))
            if (!closeUnit())
                return false;
        if (unitStart == npos)
            unitStart = p;
        if (ordered && unit.vcl && !unitHasVcl) {
            // IDR (and, in HEVC, BLA) pictures start the count afresh.
            const bool idr = track.hevc ? unit.type >= 16 && unit.type <= 20 : unit.type == 5;
            const int64_t lsb = track.hevc ? hevcPocLsb(bytes, p, unit.size, track.nalLengthSize, unit.type, hevc)
                                           : slicePocLsb(bytes, p, unit.size, track.nalLengthSize, avc, idr);
            if (lsb >= 0) {
                const int64_t maxLsb = int64_t{1} << (track.hevc ? hevc.pocLsbBits : avc.pocLsbBits);
                if (idr) {
                    ++epoch;
                    prevMsb = prevLsb = 0;
                }
                int64_t msb = prevMsb;
                if (lsb < prevLsb && prevLsb - lsb >= maxLsb / 2)
                    msb += maxLsb;
                else if (lsb > prevLsb && lsb - prevLsb > maxLsb / 2)
                    msb -= maxLsb;
                // Stays far from overflow: an epoch never holds more than 2^32 pictures here.
                unitOrder = (epoch << 34) + (msb + lsb + (int64_t{1} << 33));
                if (anchorsOrder(bytes, p + track.nalLengthSize, unit.type, track.hevc)) {
                    prevMsb = msb;
                    prevLsb = lsb;
                }
            }
        }
        unitHasVcl = unitHasVcl || unit.vcl;
        unitSync = unitSync || unit.sync;
        p += unit.size;
        unitEnd = p;
    }
    if (!closeUnit() || found.sizes.empty())
        return false;
    if (!ordered)
        found.order.clear();
    return true;
}

// Composition offsets (in frames) from the picture orders: each sample is shown at its rank in
// presentation order, everything delayed by the largest reordering so that no offset is negative.
// Empty when pictures are shown in the order they are stored.
std::vector<uint64_t> compositionOffsets(const std::vector<int64_t>& order)
{
    std::vector<size_t> shown(order.size());
    for (size_t i = 0; i < shown.size(); ++i)
        shown[i] = i;
    std::stable_sort(shown.begin(), shown.end(), [&](size_t a, size_t b) { return order[a] < order[b]; });
    std::vector<int64_t> rank(order.size());
    int64_t delay = 0;
    bool reordered = false;
    for (size_t k = 0; k < shown.size(); ++k) {
        rank[shown[k]] = static_cast<int64_t>(k);
        delay = std::max<int64_t>(delay, static_cast<int64_t>(shown[k]) - static_cast<int64_t>(k));
        reordered = reordered || shown[k] != k;
    }
    if (!reordered)
        return {};
    std::vector<uint64_t> offsets(order.size());
    for (size_t i = 0; i < order.size(); ++i)
        offsets[i] = static_cast<uint64_t>(rank[i] - static_cast<int64_t>(i) + delay);
    return offsets;
}

ByteBuffer boxOf(std::string_view type, ByteView body)
{
    ByteBuffer out;
    appendBe32(out, static_cast<uint32_t>(body.size() + 8));
    appendString(out, type);
    appendBytes(out, body);
    return out;
}

// A full box (version 0, flags 0) holding a count and the entries.
ByteBuffer tableOf(std::string_view type, uint64_t count, ByteView entries, ByteView before = {})
{
    ByteBuffer body;
    appendBe32(body, 0);
    appendBytes(body, before);
    appendBe32(body, static_cast<uint32_t>(count));
    appendBytes(body, entries);
    return boxOf(type, body);
}

ByteBuffer sampleTables(const FoundSamples& found, uint32_t delta)
{
    ByteBuffer out, entries;
    appendBe32(entries, static_cast<uint32_t>(found.sizes.size()));
    appendBe32(entries, delta);
    appendBytes(out, tableOf("stts", 1, entries));
    const std::vector<uint64_t> offsets = compositionOffsets(found.order);
    if (!offsets.empty()) {
        entries.clear();
        uint64_t runs = 0;
        for (size_t i = 0; i < offsets.size();) {
            size_t j = i;
            while (j < offsets.size() && offsets[j] == offsets[i])
                ++j;
            appendBe32(entries, static_cast<uint32_t>(j - i));
            appendBe32(entries, static_cast<uint32_t>(std::min<uint64_t>(offsets[i] * delta, 0x7FFFFFFF)));
            ++runs;
            i = j;
        }
        appendBytes(out, tableOf("ctts", runs, entries));
    }
    if (found.syncSamples.size() != found.sizes.size()) {
        entries.clear();
        for (uint32_t s : found.syncSamples)
            appendBe32(entries, s);
        appendBytes(out, tableOf("stss", found.syncSamples.size(), entries));
    }
    entries.clear();
    uint64_t runs = 0;
    for (size_t k = 0; k < found.samplesPerChunk.size(); ++k) {
        if (k > 0 && found.samplesPerChunk[k] == found.samplesPerChunk[k - 1])
            continue;
        appendBe32(entries, static_cast<uint32_t>(k + 1));
        appendBe32(entries, found.samplesPerChunk[k]);
        appendBe32(entries, 1);
        ++runs;
    }
    appendBytes(out, tableOf("stsc", runs, entries));
    entries.clear();
    for (uint32_t size : found.sizes)
        appendBe32(entries, size);
    ByteBuffer constantSize;
    appendBe32(constantSize, 0);
    appendBytes(out, tableOf("stsz", found.sizes.size(), entries, constantSize));
    entries.clear();
    const bool wide = !found.chunkOffsets.empty() && found.chunkOffsets.back() > 0xFFFFFFFFull;
    for (uint64_t offset : found.chunkOffsets) {
        if (wide)
            appendBe64(entries, offset);
        else
            appendBe32(entries, static_cast<uint32_t>(offset));
    }
    appendBytes(out, tableOf(wide ? "co64" : "stco", found.chunkOffsets.size(), entries));
    return out;
}

void putDuration(ByteBuffer& box, uint64_t at64, uint64_t at32, uint64_t value)
{
    if (box.size() < 36)
        return;
    if (readU8(box, 8) == 1)
        putBe64(box, at64, value);
    else
        putBe32(box, at32, value > 0xFFFFFFFFull ? 0xFFFFFFFFu : static_cast<uint32_t>(value));
}

struct Durations {
    uint64_t media = 0;
    uint64_t movie = 0;
};

// Copies a box of the kept video trak, with the tables and durations of this recording. Tables
// about the sample's own frames (composition offsets, sample groups, dependencies) and its edit
// list are left out: they describe frames this file does not have.
ByteBuffer copyTrakBox(ByteView moov, const IsoBox& box, ByteView tables, const Durations& d,
                       int depth)
{
    const bool nested = box.type == "trak" || box.type == "mdia" || box.type == "minf" || box.type == "stbl";
    if (!nested || depth >= kMaxIsoBoxDepth) {
        ByteBuffer out = isoBoxBytes(moov, box);
        if (box.type == "tkhd")
            putDuration(out, 36, 28, d.movie);
        if (box.type == "mdhd")
            putDuration(out, 32, 24, d.media);
        return out;
    }
    ByteBuffer body;
    forEachIsoBox(moov, box.payloadStart(), box.end(), [&](const IsoBox& child) {
        static const std::vector<std::string_view> dropped = {"edts", "stts", "ctts", "stss", "stsc", "stsz",
                                                              "stz2", "stco", "co64", "sdtp", "sbgp", "sgpd",
                                                              "stps", "cslg", "subs", "saiz", "saio"};
        if (std::find(dropped.begin(), dropped.end(), child.type) != dropped.end())
            return true;
        appendBytes(body, copyTrakBox(moov, child, tables, d, depth + 1));
        if (child.type == "stsd")
            appendBytes(body, tables);
        return true;
    });
    return boxOf(box.type, body);
}

} // namespace

bool rebuildSampleTables(ByteView templateMoov, ByteView bytes, const IsoBox& mdat,
                         SampleTableRebuild& rebuilt)
{
    rebuilt = SampleTableRebuild{};
    CodecTrack track;
    if (!mdat.valid || !findCodecTrack(templateMoov, track))
        return false;
    FoundSamples found;
    if (!findSamples(bytes, mdat, track, found))
        return false;
    Durations d;
    if (!checkedMul(found.sizes.size(), track.sampleDelta, d.media))
        return false;
    const unsigned __int128 movie = static_cast<unsigned __int128>(d.media) * track.movieTimescale / track.timescale;
    d.movie = movie > ~0ull ? ~0ull : static_cast<uint64_t>(movie);
    const ByteBuffer tables = sampleTables(found, track.sampleDelta);

    const IsoBox top = parseIsoBox(templateMoov, 0, templateMoov.size());
    ByteBuffer body;
    bool otherTracks = false;
    forEachIsoBox(templateMoov, top.payloadStart(), top.end(), [&](const IsoBox& child) {
        if (child.type == "trak") {
            if (child.offset == track.trak.offset)
                appendBytes(body, copyTrakBox(templateMoov, child, tables, d, 1));
            else
                otherTracks = true;
        } else if (child.type != "mvex") {
            ByteBuffer copy = isoBoxBytes(templateMoov, child);
            if (child.type == "mvhd")
                putDuration(copy, 32, 24, d.movie);
            appendBytes(body, copy);
        }
        return true;
    });
    if (body.size() + 8 > 0xFFFFFFFFull)
        return false;
    rebuilt.moov = boxOf("moov", body);
    rebuilt.samples = found.sizes.size();
    rebuilt.videoOnly = otherTracks;
    return true;
}

} // namespace data_repair
