#include "media/video_prefix_truncation.h"

#include "data_repair/output_writer.h"
#include "media/mp4_video.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace data_repair {

namespace {

constexpr uint64_t kMaxSampleCount = 5000000;

bool isVideoSampleEntry(const std::string& type)
{
    return type == "hvc1" || type == "hev1" || type == "avc1" || type == "avc3";
}

uint32_t saturate32(uint64_t value) { return value > 0xFFFFFFFFull ? 0xFFFFFFFFu : static_cast<uint32_t>(value); }

ByteBuffer boxWithBody(std::string_view type, ByteView body)
{
    ByteBuffer out;
    out.reserve(body.size() + 8);
    appendBe32(out, saturate32(body.size() + 8));
    appendString(out, type);
    appendBytes(out, body);
    return out;
}

// A table box rebuilt from the old box's first `headerLength` payload bytes (version, flags and
// any fixed fields), an entry count and the entries.
ByteBuffer tableBox(std::string_view type, ByteView box, uint64_t headerLength, uint64_t count,
                    ByteView entries)
{
    ByteBuffer body;
    appendRange(body, box, 8, headerLength);
    appendBe32(body, static_cast<uint32_t>(count));
    appendBytes(body, entries);
    return boxWithBody(type, body);
}

IsoBox firstChild(ByteView bytes, const IsoBox& parent, std::string_view type)
{
    IsoBox found;
    forEachIsoBox(bytes, parent.payloadStart(), parent.end(), [&](const IsoBox& box) {
        if (box.type != type)
            return true;
        found = box;
        return false;
    });
    return found;
}

// --- sample tables, read in place (never expanded per sample) --------------------------------

struct SampleSizes {
    uint32_t constant = 0;
    uint64_t first = 0;
    uint64_t count = 0;
    uint64_t at(ByteView b, uint64_t i) const { return constant ? constant : readBe32(b, first + 4 * i); }
};

struct ChunkOffsets {
    uint64_t first = 0;
    uint64_t count = 0;
    bool wide = false;
    uint64_t at(ByteView b, uint64_t i) const
    {
        return wide ? readBe64(b, first + 8 * i) : readBe32(b, first + 4 * i);
    }
};

// Entries of a table whose count sits at payload + 4 and entries start at payload + 8.
struct TableRange {
    uint64_t first = 0;
    uint64_t count = 0;
};

TableRange tableRange(ByteView b, const IsoBox& box, uint64_t minSize, uint64_t entrySize)
{
    TableRange t;
    if (!box.valid || box.size < minSize || box.end() < box.payloadStart() + 8)
        return t;
    t.first = box.payloadStart() + 8;
    t.count = std::min<uint64_t>(readBe32(b, box.payloadStart() + 4), (box.end() - t.first) / entrySize);
    return t;
}

SampleSizes readSampleSizes(ByteView b, const IsoBox& stsz)
{
    SampleSizes s;
    if (!stsz.valid || stsz.size < 20 || stsz.end() < stsz.payloadStart() + 12)
        return s;
    const uint64_t p = stsz.payloadStart();
    const uint64_t n = readBe32(b, p + 8);
    if (n > kMaxSampleCount)
        return s;
    s.constant = readBe32(b, p + 4);
    s.first = p + 12;
    s.count = s.constant ? n : std::min<uint64_t>(n, (stsz.end() - s.first) / 4);
    return s;
}

ChunkOffsets readChunkOffsets(ByteView b, const IsoBox& stco, const IsoBox& co64)
{
    ChunkOffsets c;
    if (stco.valid) {
        const TableRange t = tableRange(b, stco, 16, 4);
        c.first = t.first;
        c.count = t.count;
    } else if (co64.valid) {
        const TableRange t = tableRange(b, co64, 16, 8);
        c.first = t.first;
        c.count = t.count;
        c.wide = true;
    }
    return c;
}

// Sample-to-chunk lookups for rising chunk numbers: a cursor that only moves forward, so a walk
// over every chunk costs one pass over the table.
class StscCursor {
public:
    StscCursor(ByteView b, const IsoBox& stsc) : b_(b), t_(tableRange(b, stsc, 16, 12)) {}
    void lookup(uint64_t k, uint32_t& samplesPerChunk, uint32_t& descriptionIndex)
    {
        samplesPerChunk = 0;
        descriptionIndex = 1;
        if (t_.count == 0)
            return;
        while (i_ + 1 < t_.count && firstChunk(i_ + 1) <= k)
            ++i_;
        if (firstChunk(i_) > k)
            return;
        samplesPerChunk = readBe32(b_, t_.first + i_ * 12 + 4);
        descriptionIndex = readBe32(b_, t_.first + i_ * 12 + 8);
    }

private:
    uint64_t firstChunk(uint64_t i) const { return readBe32(b_, t_.first + i * 12); }
    ByteView b_;
    TableRange t_;
    uint64_t i_ = 0;
};

// Sum of the durations of the first n samples, as far as the stts lists them.
uint64_t sumDurations(ByteView b, const IsoBox& stts, uint64_t n)
{
    const TableRange t = tableRange(b, stts, 16, 8);
    uint64_t sum = 0;
    for (uint64_t i = 0; i < t.count && n > 0; ++i) {
        const uint64_t take = std::min<uint64_t>(readBe32(b, t.first + i * 8), n);
        const uint64_t delta = readBe32(b, t.first + i * 8 + 4);
        uint64_t part = 0;
        if (!checkedMul(take, delta, part) || !checkedAdd(sum, part, sum))
            return npos;
        n -= take;
    }
    return sum;
}

// Number of leading samples (at most maxSamples) whose running duration stays <= limit.
uint64_t samplesWithin(ByteView b, const IsoBox& stts, uint64_t limit, uint64_t maxSamples)
{
    const TableRange t = tableRange(b, stts, 16, 8);
    uint64_t sum = 0;
    uint64_t kept = 0;
    for (uint64_t i = 0; i < t.count && kept < maxSamples; ++i) {
        const uint64_t count = std::min<uint64_t>(readBe32(b, t.first + i * 8), maxSamples - kept);
        const uint64_t delta = readBe32(b, t.first + i * 8 + 4);
        const uint64_t fit = delta == 0 ? count : std::min<uint64_t>(count, (limit - sum) / delta);
        kept += fit;
        sum += fit * delta; // <= limit
        if (fit < count)
            break;
    }
    return kept;
}

// --- per-track readers -------------------------------------------------------------------------

struct TrackTables {
    IsoBox trak;
    IsoBox stts, ctts, stss, stsc, stsz, stco, co64;
    std::string handlerType;
    std::string sampleEntryType;
    uint32_t timescale = 0;
};

uint32_t versionedField(ByteView b, const IsoBox& box, uint64_t v1Offset, uint64_t v0Offset)
{
    if (!box.valid)
        return 0;
    const uint64_t p = box.payloadStart();
    const uint64_t at = p + (readU8(b, p) == 1 ? v1Offset : v0Offset);
    return fits(b, at, 4) && at + 4 <= box.end() ? readBe32(b, at) : 0;
}

uint32_t movieTimescale(ByteView moov)
{
    const IsoBox top = parseIsoBox(moov, 0, moov.size());
    if (!top.valid)
        return 0;
    return versionedField(moov, firstChild(moov, top, "mvhd"), 20, 12);
}

IsoBox trakPath(ByteView b, const IsoBox& trak, std::initializer_list<const char*> path)
{
    return findIsoBoxPath(b, trak.payloadStart(), trak.end(), std::vector<std::string>(path.begin(), path.end()));
}

TrackTables readTrack(ByteView b, const IsoBox& trak)
{
    TrackTables t;
    t.trak = trak;
    const IsoBox stbl = trakPath(b, trak, {"mdia", "minf", "stbl"});
    if (stbl.valid) {
        forEachIsoBox(b, stbl.payloadStart(), stbl.end(), [&](const IsoBox& box) {
            const std::array<std::pair<const char*, IsoBox*>, 7> tables = {{{"stts", &t.stts},
                                                                            {"ctts", &t.ctts},
                                                                            {"stss", &t.stss},
                                                                            {"stsc", &t.stsc},
                                                                            {"stsz", &t.stsz},
                                                                            {"stco", &t.stco},
                                                                            {"co64", &t.co64}}};
            for (const auto& [type, slot] : tables)
                if (box.type == type && !slot->valid)
                    *slot = box;
            return true;
        });
        const IsoBox stsd = firstChild(b, stbl, "stsd");
        if (stsd.valid && fits(b, stsd.payloadStart() + 12, 4))
            t.sampleEntryType = bytesToString(b, stsd.payloadStart() + 12, 4);
    }
    t.timescale = versionedField(b, trakPath(b, trak, {"mdia", "mdhd"}), 20, 12);
    const IsoBox hdlr = trakPath(b, trak, {"mdia", "hdlr"});
    if (hdlr.valid && fits(b, hdlr.payloadStart() + 8, 4))
        t.handlerType = bytesToString(b, hdlr.payloadStart() + 8, 4);
    return t;
}

// Length-field size of the NAL units, from the avcC/hvcC box inside the first sample entry.
uint32_t nalLengthSize(ByteView b, const TrackTables& t)
{
    const IsoBox stsd = trakPath(b, t.trak, {"mdia", "minf", "stbl", "stsd"});
    if (!stsd.valid)
        return 0;
    const uint64_t s = stsd.payloadStart();
    if (!fits(b, s, 16) || s + 16 > stsd.end())
        return 0;
    const uint64_t claimed = readBe32(b, s + 8);
    const uint64_t e = std::min<uint64_t>(s + 8 + claimed, stsd.end());
    if (e < s + 24)
        return 0;
    const bool hevc = t.sampleEntryType == "hvc1" || t.sampleEntryType == "hev1";
    const std::string_view wanted = hevc ? "hvcC" : "avcC";
    for (uint64_t q = s + 16; q + 8 <= e; ++q) {
        const uint64_t z = readBe32(b, q);
        if (z < 8 || z > e - q || !matchesAt(b, q + 4, wanted))
            continue;
        return (readU8(b, q + (hevc ? 29 : 12)) & 3) + 1;
    }
    return 0;
}

uint64_t readNalLength(ByteView b, uint64_t pos, uint32_t m)
{
    uint64_t v = 0;
    for (uint32_t i = 0; i < m; ++i)
        v = (v << 8) | readU8(b, pos + i);
    return v;
}

// First corrupt sample (1-based) of a track, 0 when every chunked sample is sound. `budget` is
// shared by all tracks and counts sample and NAL steps; overlapping or repeated chunk ranges
// cannot turn the walk into anything worse than a few passes over the file (exhausted: -1).
uint64_t findFirstCorruptSample(ByteView working, ByteView moov, const TrackTables& t, uint32_t m,
                                int64_t& budget)
{
    const ChunkOffsets chunks = readChunkOffsets(moov, t.stco, t.co64);
    const SampleSizes sizes = readSampleSizes(moov, t.stsz);
    if (m == 0 || chunks.count == 0)
        return 0;
    const uint64_t length = working.size();
    StscCursor stsc(moov, t.stsc);
    uint64_t i = 0;
    for (uint64_t k = 1; k <= chunks.count && i < sizes.count; ++k) {
        uint32_t perChunk = 0, description = 1;
        stsc.lookup(k, perChunk, description);
        if (perChunk == 0)
            return i + 1;
        uint64_t b = chunks.at(moov, k - 1);
        for (uint32_t j = 0; j < perChunk && i < sizes.count; ++j, ++i) {
            if (--budget < 0)
                return 0;
            uint64_t d = 0;
            if (!checkedAdd(b, sizes.at(moov, i), d) || d > length)
                return i + 1;
            for (uint64_t p = b; p < d;) {
                if (--budget < 0)
                    return 0;
                if (d - p < m)
                    return i + 1;
                const uint64_t nal = readNalLength(working, p, m);
                if (nal == 0 || nal > d - p - m)
                    return i + 1;
                p += m + nal;
            }
            b = d;
        }
    }
    return 0;
}

// Assigns the kept samples to their chunks; false when a kept chunk lies outside the mdat
// payload (its bytes would be overwritten or are not in the file at all). In a file cut short
// (the mdat overran it) a track keeps its samples up to the last one wholly inside the file.
bool planKeptChunks(ByteView moov, const TrackTables& t, TrackCut& cut, uint64_t& keptEnd, const IsoBox& mdat)
{
    const ChunkOffsets chunks = readChunkOffsets(moov, t.stco, t.co64);
    const SampleSizes sizes = readSampleSizes(moov, t.stsz);
    StscCursor stsc(moov, t.stsc);
    uint64_t assigned = 0;
    bool fileEnded = false;
    for (uint64_t k = 1; k <= chunks.count && assigned < cut.keptSamples && !fileEnded; ++k) {
        uint32_t perChunk = 0, description = 1;
        stsc.lookup(k, perChunk, description);
        if (perChunk == 0)
            break;
        const uint64_t offset = chunks.at(moov, k - 1);
        uint64_t taken = 0, end = offset;
        while (taken < perChunk && assigned < cut.keptSamples && assigned < sizes.count) {
            uint64_t next = 0;
            if (!checkedAdd(end, sizes.at(moov, assigned), next))
                return false;
            if (next > mdat.end()) {
                if (!mdat.clamped)
                    return false;
                fileEnded = true;
                break;
            }
            end = next;
            ++taken;
            ++assigned;
        }
        if (taken == 0)
            break;
        if (offset < mdat.payloadStart())
            return false;
        cut.samplesPerChunk.push_back(static_cast<uint32_t>(taken));
        cut.sampleDescriptionIndex.push_back(description);
        keptEnd = std::max(keptEnd, end);
    }
    cut.keptChunks = static_cast<uint32_t>(cut.samplesPerChunk.size());
    if (fileEnded)
        cut.keptSamples = static_cast<uint32_t>(assigned);
    // Kept samples without a chunk would leave the tables disagreeing with each other.
    return assigned == cut.keptSamples;
}

// --- writers -------------------------------------------------------------------------------------

ByteBuffer rewriteLeafBox(ByteView box, const TrackCut* cut, uint64_t movieDuration)
{
    const std::string type = bytesToString(box, 4, 4);
    const bool v1 = readU8(box, 8) == 1;
    auto writeDuration = [&](ByteBuffer& out, uint64_t at64, uint64_t at32, uint64_t value) {
        if (out.size() < 32)
            return;
        if (v1)
            putBe64(out, at64, value);
        else
            putBe32(out, at32, saturate32(value));
    };
    if (type == "mvhd") {
        ByteBuffer out = copyBytes(box);
        writeDuration(out, 32, 24, movieDuration);
        return out;
    }
    if (cut == nullptr || !cut->valid)
        return copyBytes(box);
    if (type == "tkhd") {
        ByteBuffer out = copyBytes(box);
        writeDuration(out, 36, 28, cut->trackDuration);
        return out;
    }
    if (type == "mdhd") {
        ByteBuffer out = copyBytes(box);
        writeDuration(out, 32, 24, cut->mediaDuration);
        return out;
    }
    if (type == "elst")
        return rewriteEditList(box, cut->trackDuration);
    if (type == "stts" || type == "ctts")
        return truncateRunTable(box, cut->keptSamples, 4);
    if (type == "sbgp")
        return truncateRunTable(box, cut->keptSamples, v1 ? 12 : 8);
    if (type == "stsz")
        return truncateSampleSizeTable(box, cut->keptSamples);
    if (type == "stco")
        return truncateChunkOffsetTable(box, cut->keptChunks, false);
    if (type == "co64")
        return truncateChunkOffsetTable(box, cut->keptChunks, true);
    if (type == "stss")
        return truncateSyncSampleTable(box, cut->keptSamples);
    if (type == "stsc")
        return rebuildSampleToChunk(box, *cut);
    return copyBytes(box);
}

ByteBuffer rewriteTrakBox(ByteView moov, const IsoBox& box, const TrackCut* cut, int depth)
{
    ByteBuffer body;
    forEachIsoBox(moov, box.payloadStart(), box.end(), [&](const IsoBox& child) {
        const bool nested = child.type == "trak" || child.type == "mdia" || child.type == "minf" ||
                            child.type == "stbl" || child.type == "edts";
        if (nested && depth + 1 < kMaxIsoBoxDepth)
            appendBytes(body, rewriteTrakBox(moov, child, cut, depth + 1));
        else
            appendBytes(body, rewriteLeafBox(isoBoxBytes(moov, child), cut, 0));
        return true;
    });
    return boxWithBody(box.type, body);
}

} // namespace

IsoBox findIsoBoxPath(ByteView bytes, uint64_t start, uint64_t end, const std::vector<std::string>& types)
{
    IsoBox box;
    for (const std::string& type : types) {
        IsoBox found;
        forEachIsoBox(bytes, start, end, [&](const IsoBox& candidate) {
            if (candidate.type != type)
                return true;
            found = candidate;
            return false;
        });
        if (!found.valid)
            return IsoBox{};
        box = found;
        start = box.payloadStart() + (box.type == "meta" ? 4 : 0);
        end = box.end();
    }
    return box;
}

ByteBuffer rewriteEditList(ByteView box, uint64_t duration)
{
    if (box.size() < 16)
        return copyBytes(box);
    const bool v1 = readU8(box, 8) == 1;
    const uint64_t entrySize = v1 ? 20 : 12;
    const uint64_t count = std::min<uint64_t>(readBe32(box, 12), (box.size() - 16) / entrySize);
    if (count == 0)
        return copyBytes(box);
    // A leading empty edit (media time -1) delays the track; the template for the single normal
    // edit is the first entry that plays media.
    auto mediaTimeEmpty = [&](uint64_t i) {
        const uint64_t e = 16 + i * entrySize;
        return v1 ? readBe64(box, e + 8) == ~0ull : readBe32(box, e + 4) == 0xFFFFFFFFu;
    };
    uint64_t normal = 0;
    while (normal < count && mediaTimeEmpty(normal))
        ++normal;
    if (normal == count)
        return copyBytes(box);
    ByteBuffer body;
    appendRange(body, box, 8, 4);
    appendBe32(body, static_cast<uint32_t>(normal + 1));
    appendRange(body, box, 16, normal * entrySize); // the leading empty edits as they were
    const uint64_t e = 16 + normal * entrySize;
    if (v1) {
        appendBe64(body, duration);
        appendRange(body, box, e + 8, 12);
    } else {
        appendBe32(body, saturate32(duration));
        appendRange(body, box, e + 4, 8);
    }
    return boxWithBody("elst", body);
}

ByteBuffer truncateRunTable(ByteView box, uint32_t kept, uint64_t headerLength)
{
    if (box.size() < 12 + headerLength)
        return copyBytes(box);
    const uint64_t count = readBe32(box, 8 + headerLength);
    ByteBuffer entries;
    uint64_t remaining = kept, taken = 0;
    for (uint64_t i = 0, e = 12 + headerLength; i < count && remaining > 0 && fits(box, e, 8); ++i, e += 8) {
        const uint64_t n = std::min<uint64_t>(remaining, readBe32(box, e));
        appendBe32(entries, static_cast<uint32_t>(n));
        appendRange(entries, box, e + 4, 4);
        remaining -= n;
        ++taken;
    }
    return tableBox(bytesToString(box, 4, 4), box, headerLength, taken, entries);
}

ByteBuffer truncateSampleSizeTable(ByteView box, uint32_t kept)
{
    if (box.size() < 20)
        return copyBytes(box);
    const uint32_t constant = readBe32(box, 12);
    uint64_t count = std::min<uint64_t>(readBe32(box, 16), kept);
    if (constant == 0)
        count = std::min<uint64_t>(count, (box.size() - 20) / 4);
    ByteBuffer sizes;
    if (constant == 0)
        appendRange(sizes, box, 20, count * 4);
    return tableBox("stsz", box, 8, count, sizes);
}

ByteBuffer truncateChunkOffsetTable(ByteView box, uint32_t keptChunks, bool wide)
{
    if (box.size() < 16)
        return copyBytes(box);
    const uint64_t width = wide ? 8 : 4;
    const uint64_t count = std::min<uint64_t>({readBe32(box, 12), keptChunks, (box.size() - 16) / width});
    ByteBuffer offsets;
    appendRange(offsets, box, 16, count * width);
    return tableBox(wide ? "co64" : "stco", box, 4, count, offsets);
}

ByteBuffer truncateSyncSampleTable(ByteView box, uint32_t kept)
{
    if (box.size() < 16)
        return copyBytes(box);
    const uint64_t count = std::min<uint64_t>(readBe32(box, 12), (box.size() - 16) / 4);
    ByteBuffer entries;
    uint32_t taken = 0;
    for (uint64_t i = 0; i < count; ++i) {
        const uint32_t sample = readBe32(box, 16 + i * 4);
        if (sample > kept)
            continue;
        appendBe32(entries, sample);
        ++taken;
    }
    return tableBox("stss", box, 4, taken, entries);
}

ByteBuffer rebuildSampleToChunk(ByteView box, const TrackCut& cut)
{
    if (box.size() < 16)
        return copyBytes(box);
    ByteBuffer entries;
    uint32_t count = 0;
    uint32_t lastSamples = 0, lastDescription = 0;
    const size_t chunks = std::min(cut.samplesPerChunk.size(), cut.sampleDescriptionIndex.size());
    for (size_t i = 0; i < chunks; ++i) {
        const uint32_t samples = cut.samplesPerChunk[i];
        const uint32_t description = cut.sampleDescriptionIndex[i];
        if (count > 0 && samples == lastSamples && description == lastDescription)
            continue;
        appendBe32(entries, static_cast<uint32_t>(i + 1));
        appendBe32(entries, samples);
        appendBe32(entries, description);
        lastSamples = samples;
        lastDescription = description;
        ++count;
    }
    return tableBox("stsc", box, 4, count, entries);
}

VideoCutPlan planVideoCut(ByteView working, ByteView moovBytes, const IsoBox& mdat)
{
    VideoCutPlan plan;
    const IsoBox top = parseIsoBox(moovBytes, 0, moovBytes.size());
    const uint32_t movieScale = movieTimescale(moovBytes);
    if (!top.valid || movieScale == 0)
        return plan;

    std::vector<TrackTables> traks;
    forEachIsoBox(moovBytes, top.payloadStart(), top.end(), [&](const IsoBox& box) {
        if (box.type == "trak")
            traks.push_back(readTrack(moovBytes, box));
        return true;
    });

    int64_t budget = static_cast<int64_t>(std::min<uint64_t>(working.size(), 1ull << 60)) * 4 + (1 << 20);
    size_t video = traks.size();
    uint64_t firstCorrupt = 0;
    for (size_t n = 0; n < traks.size(); ++n) {
        const TrackTables& t = traks[n];
        if (t.handlerType != "vide" || !isVideoSampleEntry(t.sampleEntryType))
            continue;
        const uint64_t f = findFirstCorruptSample(working, moovBytes, t, nalLengthSize(moovBytes, t), budget);
        if (budget < 0)
            return plan;
        if (f >= 2) {
            video = n;
            firstCorrupt = f;
            break;
        }
    }
    // A file cut short is cut whatever its tracks hold: every track ends at its last sample
    // inside the file, or sooner where a broken video sample sets the cut.
    if (video == traks.size()) {
        if (!mdat.clamped)
            return plan;
        plan.cutSeconds = HUGE_VAL;
    } else {
        if (traks[video].timescale == 0)
            return plan;
        const uint64_t videoDuration = sumDurations(moovBytes, traks[video].stts, firstCorrupt - 1);
        if (videoDuration == npos)
            return plan;
        plan.firstCorruptSample = static_cast<uint32_t>(firstCorrupt);
        plan.cutSeconds = static_cast<double>(videoDuration) / traks[video].timescale;
    }
    plan.keptEnd = mdat.payloadStart();

    for (size_t n = 0; n < traks.size(); ++n) {
        const TrackTables& t = traks[n];
        TrackCut cut;
        cut.valid = true;
        cut.handlerType = t.handlerType;
        cut.sampleEntryType = t.sampleEntryType;
        cut.timescale = t.timescale;
        if (t.timescale == 0)
            return VideoCutPlan{};
        const SampleSizes sizes = readSampleSizes(moovBytes, t.stsz);
        uint64_t kept = 0;
        if (n == video) {
            kept = firstCorrupt - 1;
        } else {
            const double limit = std::floor(static_cast<double>(t.timescale) * plan.cutSeconds + 0.5);
            const uint64_t limitTicks = limit >= 1.8e19 ? npos : static_cast<uint64_t>(limit);
            kept = samplesWithin(moovBytes, t.stts, limitTicks, sizes.count);
        }
        kept = std::min(kept, sizes.count);
        if (kept == 0)
            return VideoCutPlan{};
        cut.keptSamples = static_cast<uint32_t>(kept);
        if (!planKeptChunks(moovBytes, t, cut, plan.keptEnd, mdat) || cut.keptChunks == 0 || cut.keptSamples == 0)
            return VideoCutPlan{};
        plan.droppedSamples += sizes.count - cut.keptSamples;
        cut.mediaDuration = sumDurations(moovBytes, t.stts, cut.keptSamples);
        if (cut.mediaDuration == npos)
            return VideoCutPlan{};
        const unsigned __int128 scaled = static_cast<unsigned __int128>(cut.mediaDuration) * movieScale / t.timescale;
        cut.trackDuration = scaled > ~0ull ? ~0ull : static_cast<uint64_t>(scaled);
        plan.movieDuration = std::max(plan.movieDuration, cut.trackDuration);
        plan.tracks.push_back(std::move(cut));
    }
    if (plan.keptEnd > mdat.end() || plan.droppedSamples == 0)
        return VideoCutPlan{};

    // Rebuild the moov: traks in order with their cuts, mvhd with the new movie duration.
    ByteBuffer body;
    size_t trakIndex = 0;
    forEachIsoBox(moovBytes, top.payloadStart(), top.end(), [&](const IsoBox& child) {
        if (child.type == "trak" && trakIndex < plan.tracks.size())
            appendBytes(body, rewriteTrakBox(moovBytes, child, &plan.tracks[trakIndex++], 1));
        else
            appendBytes(body, rewriteLeafBox(isoBoxBytes(moovBytes, child), nullptr, plan.movieDuration));
        return true;
    });
    if (body.size() + 8 > 0xFFFFFFFFull)
        return VideoCutPlan{};
    plan.moov = boxWithBody("moov", body);
    plan.found = true;
    return plan;
}

bool moovSamplesFitMedia(ByteView working, ByteView moov, uint64_t moovBase, const IsoBox& mdat,
                         uint64_t* covered)
{
    if (covered != nullptr)
        *covered = 0;
    const uint64_t payloadEnd = std::min<uint64_t>(mdat.end(), working.size());
    if (!mdat.valid || payloadEnd < mdat.payloadStart())
        return false;
    uint64_t end = 0;
    if (!checkedAdd(moovBase, payloadEnd - mdat.payloadStart(), end))
        return false;
    uint64_t lastTrak = npos;
    uint32_t m = 0;
    int64_t budget = static_cast<int64_t>(std::min<uint64_t>(working.size(), 1ull << 60)) * 4 + (1 << 20);
    return isoSampleTablesFit(moov, moovBase, end, [&](const IsoBox& trak, uint64_t offset, uint64_t size) {
        if (covered != nullptr)
            *covered += size;
        if (trak.offset != lastTrak) {
            lastTrak = trak.offset;
            const TrackTables t = readTrack(moov, trak);
            m = t.handlerType == "vide" && isVideoSampleEntry(t.sampleEntryType) ? nalLengthSize(moov, t) : 0;
        }
        if (m == 0)
            return true;
        const uint64_t from = offset - moovBase + mdat.payloadStart();
        const uint64_t to = from + size;
        if (size == 0)
            return false;
        for (uint64_t p = from; p < to;) {
            if (--budget < 0 || to - p < m)
                return false;
            const uint64_t nal = readNalLength(working, p, m);
            if (nal == 0 || nal > to - p - m)
                return false;
            p += m + nal;
        }
        return true;
    });
}

bool findCodecTrack(ByteView moov, CodecTrack& track)
{
    const IsoBox top = parseIsoBox(moov, 0, moov.size());
    if (!top.valid)
        return false;
    bool found = false;
    forEachIsoBox(moov, top.payloadStart(), top.end(), [&](const IsoBox& box) {
        if (box.type != "trak")
            return true;
        const TrackTables t = readTrack(moov, box);
        if (t.handlerType != "vide" || !isVideoSampleEntry(t.sampleEntryType))
            return true;
        const TableRange runs = tableRange(moov, t.stts, 16, 8);
        track.trak = box;
        track.hevc = t.sampleEntryType == "hvc1" || t.sampleEntryType == "hev1";
        track.nalLengthSize = nalLengthSize(moov, t);
        track.timescale = t.timescale;
        track.movieTimescale = movieTimescale(moov);
        track.sampleDelta = runs.count > 0 ? readBe32(moov, runs.first + 4) : 0;
        const IsoBox stsd = trakPath(moov, box, {"mdia", "minf", "stbl", "stsd"});
        const uint64_t at = stsd.valid ? findBytes(moov, track.hevc ? "hvcC" : "avcC", stsd.payloadStart()) : npos;
        if (at != npos && at >= 4 && at < stsd.end()) {
            const IsoBox config = parseIsoBox(moov, at - 4, stsd.end());
            if (config.valid)
                track.config = sliceBytes(moov, config.payloadStart(), config.size - config.headerSize);
        }
        found = true;
        return false;
    });
    return found && track.nalLengthSize != 0 && track.nalLengthSize != 3 && track.timescale != 0 &&
           track.movieTimescale != 0 && track.sampleDelta != 0;
}

bool truncateCorruptVideoPrefix(ByteView working, const IsoBox& ftyp, const IsoBox& moov, const IsoBox& mdat,
                                ByteBuffer& output, VideoCutPlan& plan)
{
    OutputPieces pieces(working);
    if (!truncateCorruptVideoPrefix(working, ftyp, moov, mdat, pieces, plan))
        return false;
    output = pieces.joined();
    return true;
}

bool truncateCorruptVideoPrefix(ByteView working, const IsoBox& ftyp, const IsoBox& moov, const IsoBox& mdat,
                                OutputPieces& output, VideoCutPlan& plan)
{
    plan = VideoCutPlan{};
    if (!ftyp.valid || !moov.valid || !mdat.valid || ftyp.offset != 0 || moov.offset >= mdat.offset || moov.clamped)
        return false;
    const ByteBuffer moovBytes = isoBoxBytes(working, moov);
    plan = planVideoCut(working, moovBytes, mdat);
    if (!plan.found || plan.moov.empty())
        return false;

    const uint64_t before = moov.offset + plan.moov.size();
    const uint64_t newLength = std::clamp<uint64_t>(plan.keptEnd - mdat.offset, mdat.headerSize, mdat.size);
    ByteBuffer newMoov = plan.moov;
    // The mdat stays where it was when the space before it can take the new moov and, if any is
    // left, a "free" box (8 bytes at least). Otherwise (a top level allows no loose bytes, and a
    // rebuilt sample-to-chunk table can make the moov grow) the mdat follows the moov directly
    // and every kept chunk, all inside the mdat payload, moves with it.
    uint64_t gap = before <= mdat.offset ? mdat.offset - before : 0;
    if (before > mdat.offset || gap < 8) {
        gap = 0;
        const uint64_t newPayload = before + mdat.headerSize;
        uint64_t counter = 0;
        if (patchIsoChunkOffsets(newMoov, 8, newMoov.size(), mdat.payloadStart(), newPayload, counter) != 0)
            return false;
    }
    if (gap > 0xFFFFFFFFull)
        return false;
    // Only the boxes in front of the media are new; the kept media stays where the input has it.
    output.appendInput(0, moov.offset);
    ByteBuffer head = std::move(newMoov);
    if (gap >= 8) {
        appendBe32(head, static_cast<uint32_t>(gap));
        appendString(head, "free");
        head.resize(head.size() + (gap - 8), 0);
    }
    // A recording past 4 GiB has a 64-bit size after the header's size field of 1.
    if (mdat.headerSize == 16) {
        appendBe32(head, 1);
        appendString(head, "mdat");
        appendBe64(head, newLength);
    } else {
        appendBe32(head, newLength > 0xFFFFFFFFull ? 0 : static_cast<uint32_t>(newLength));
        appendString(head, "mdat");
    }
    output.append(std::move(head));
    output.appendInput(mdat.payloadStart(), newLength - mdat.headerSize);
    return true;
}

} // namespace data_repair
