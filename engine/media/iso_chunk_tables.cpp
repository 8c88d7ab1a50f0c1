#include "media/iso_chunk_tables.h"

#include <algorithm>

namespace data_repair {

namespace {

// Visits the chunk-offset tables below the container set, depth-limited. `visit` gets the table
// box and whether it is 64-bit; returning false stops the whole walk.
template <typename Visit>
bool walkChunkOffsetTables(ByteView buffer, uint64_t start, uint64_t limit, int depth, Visit& visit)
{
    bool keepGoing = true;
    forEachIsoBox(buffer, start, limit, [&](const IsoBox& box) {
        if (box.type == "stco" || box.type == "co64") {
            if (!visit(box, box.type == "co64"))
                keepGoing = false;
        } else if (isIsoContainerBox(box.type) && depth + 1 < kMaxIsoBoxDepth) {
            uint64_t childStart = box.payloadStart() + (box.type == "meta" ? 4 : 0);
            if (childStart <= box.end() && !walkChunkOffsetTables(buffer, childStart, box.end(), depth + 1, visit))
                keepGoing = false;
        }
        return keepGoing;
    });
    return keepGoing;
}

// Entry layout of one table: first entry position and how many whole entries the box holds.
struct TableEntries {
    uint64_t first = 0;
    uint64_t count = 0;
};

TableEntries tableEntries(ByteView buffer, const IsoBox& box, bool wide)
{
    TableEntries entries;
    const uint64_t payload = box.payloadStart();
    if (box.end() < payload || box.end() - payload <= 7)
        return entries;
    const uint64_t declared = readBe32(buffer, payload + 4);
    entries.first = payload + 8;
    const uint64_t room = (box.end() - entries.first) / (wide ? 8 : 4);
    entries.count = std::min(declared, room);
    return entries;
}

} // namespace

uint64_t patchIsoChunkOffsets(ByteBuffer& buffer, uint64_t start, uint64_t limit, uint64_t oldBase, uint64_t newBase,
                              uint64_t& counter)
{
    // First pass: find entries whose new value would not fit, so nothing is half-patched.
    uint64_t unfit = 0;
    auto check = [&](const IsoBox& box, bool wide) {
        const TableEntries entries = tableEntries(buffer, box, wide);
        for (uint64_t i = 0; i < entries.count; ++i) {
            const uint64_t m = wide ? readBe64(buffer, entries.first + i * 8) : readBe32(buffer, entries.first + i * 4);
            if (oldBase != 0 && m < oldBase)
                continue;
            uint64_t value = 0;
            if (!checkedAdd(newBase, m - oldBase, value) || (!wide && value > 0xFFFFFFFFull))
                ++unfit;
        }
        return true;
    };
    walkChunkOffsetTables(buffer, start, limit, 0, check);
    if (unfit != 0)
        return unfit;

    auto patch = [&](const IsoBox& box, bool wide) {
        const TableEntries entries = tableEntries(buffer, box, wide);
        for (uint64_t i = 0; i < entries.count; ++i) {
            const uint64_t pos = entries.first + i * (wide ? 8 : 4);
            const uint64_t m = wide ? readBe64(buffer, pos) : readBe32(buffer, pos);
            if (oldBase != 0 && m < oldBase)
                continue;                                   // not media of the moved range
            const uint64_t value = newBase + (m - oldBase); // checked in the first pass
            if (wide)
                putBe64(buffer, pos, value);
            else
                putBe32(buffer, pos, static_cast<uint32_t>(value));
            ++counter;
        }
        return true;
    };
    walkChunkOffsetTables(buffer, start, limit, 0, patch);
    return 0;
}

void forEachIsoChunkOffset(ByteView buffer, uint64_t start, uint64_t limit,
                           const std::function<bool(uint64_t)>& visit)
{
    auto each = [&](const IsoBox& box, bool wide) {
        const TableEntries entries = tableEntries(buffer, box, wide);
        for (uint64_t i = 0; i < entries.count; ++i) {
            const uint64_t value =
                wide ? readBe64(buffer, entries.first + i * 8) : readBe32(buffer, entries.first + i * 4);
            if (!visit(value))
                return false;
        }
        return true;
    };
    walkChunkOffsetTables(buffer, start, limit, 0, each);
}

namespace {

IsoBox childOf(ByteView moov, const IsoBox& parent, std::string_view type)
{
    IsoBox found;
    forEachIsoBox(moov, parent.payloadStart(), parent.end(), [&](const IsoBox& box) {
        if (box.type != type)
            return true;
        found = box;
        return false;
    });
    return found;
}

bool trakSamplesFit(ByteView moov, const IsoBox& trak, uint64_t first, uint64_t end,
                    const IsoSampleCheck& sample)
{
    IsoBox stbl = trak;
    for (const char* type : {"mdia", "minf", "stbl"}) {
        stbl = childOf(moov, stbl, type);
        if (!stbl.valid)
            return true; // a trak without sample tables places nothing
    }
    const IsoBox stsz = childOf(moov, stbl, "stsz");
    const IsoBox stsc = childOf(moov, stbl, "stsc");
    IsoBox offsets = childOf(moov, stbl, "stco");
    const bool wide = !offsets.valid;
    if (wide)
        offsets = childOf(moov, stbl, "co64");
    if (!stsz.valid || stsz.end() < stsz.payloadStart() + 12)
        return false;
    const uint64_t constant = readBe32(moov, stsz.payloadStart() + 4);
    uint64_t sampleCount = readBe32(moov, stsz.payloadStart() + 8);
    if (constant == 0)
        sampleCount = std::min<uint64_t>(sampleCount, (stsz.end() - stsz.payloadStart() - 12) / 4);
    if (sampleCount == 0)
        return true;
    if (!stsc.valid || !offsets.valid)
        return false;
    const TableEntries chunks = tableEntries(moov, offsets, wide);
    const TableEntries runs = tableEntries(moov, stsc, true);
    const uint64_t runCount = std::min<uint64_t>(runs.count, (stsc.end() - runs.first) / 12);
    uint64_t run = 0;
    uint64_t placed = 0;
    for (uint64_t k = 1; k <= chunks.count && placed < sampleCount; ++k) {
        while (run + 1 < runCount && readBe32(moov, runs.first + (run + 1) * 12) <= k)
            ++run;
        if (runCount == 0 || readBe32(moov, runs.first + run * 12) > k)
            return false;
        const uint64_t perChunk = readBe32(moov, runs.first + run * 12 + 4);
        uint64_t at = wide ? readBe64(moov, chunks.first + (k - 1) * 8) : readBe32(moov, chunks.first + (k - 1) * 4);
        if (constant != 0) {
            // Equal sizes (PCM audio counts every sample, billions of them): the chunk is checked,
            // and shown to `sample`, as one range.
            const uint64_t n = std::min(perChunk, sampleCount - placed);
            uint64_t length = 0, next = 0;
            if (at < first || !checkedMul(n, constant, length) || !checkedAdd(at, length, next) || next > end)
                return false;
            if (sample && !sample(trak, at, length))
                return false;
            placed += n;
            continue;
        }
        for (uint64_t j = 0; j < perChunk && placed < sampleCount; ++j, ++placed) {
            const uint64_t size = constant != 0 ? constant : readBe32(moov, stsz.payloadStart() + 12 + placed * 4);
            uint64_t next = 0;
            if (at < first || !checkedAdd(at, size, next) || next > end)
                return false;
            if (sample && !sample(trak, at, size))
                return false;
            at = next;
        }
    }
    return placed == sampleCount;
}

} // namespace

bool isoSampleTablesFit(ByteView moov, uint64_t first, uint64_t end, const IsoSampleCheck& sample)
{
    const IsoBox top = parseIsoBox(moov, 0, moov.size());
    if (!top.valid || top.type != "moov")
        return false;
    bool fits = true;
    forEachIsoBox(moov, top.payloadStart(), top.end(), [&](const IsoBox& box) {
        if (box.type == "trak")
            fits = trakSamplesFit(moov, box, first, end, sample);
        return fits;
    });
    return fits;
}

uint64_t countIsoChunkOffsets(ByteView buffer, uint64_t start, uint64_t limit)
{
    uint64_t total = 0;
    auto count = [&](const IsoBox& box, bool wide) {
        total += tableEntries(buffer, box, wide).count;
        return true;
    };
    walkChunkOffsetTables(buffer, start, limit, 0, count);
    return total;
}

namespace {

// Appends `box` (a valid box of `source`) to `out` with its tables widened; false on a size that
// no longer fits a 32-bit header.
bool appendWidened(ByteView source, const IsoBox& box, int depth, ByteBuffer& out)
{
    if (box.type == "stco") {
        const TableEntries entries = tableEntries(source, box, false);
        const uint64_t payload = box.payloadStart();
        const uint64_t size = 16 + entries.count * 8;
        if (size > 0xFFFFFFFFull)
            return false;
        appendBe32(out, static_cast<uint32_t>(size));
        appendString(out, "co64");
        appendRange(out, source, payload, 4); // version and flags
        appendBe32(out, static_cast<uint32_t>(entries.count));
        for (uint64_t i = 0; i < entries.count; ++i)
            appendBe64(out, readBe32(source, entries.first + i * 4));
        return true;
    }
    if (!isIsoContainerBox(box.type) || depth + 1 >= kMaxIsoBoxDepth) {
        appendRange(out, source, box.offset, box.size);
        if (box.clamped || readBe32(source, box.offset) == 0) {
            // The declared size said more (or "to the end"); write what was actually copied.
            const uint64_t at = out.size() - box.size;
            if (box.headerSize == 16)
                putBe64(out, at + 8, box.size);
            else if (box.size <= 0xFFFFFFFFull)
                putBe32(out, at, static_cast<uint32_t>(box.size));
            else
                return false;
        }
        return true;
    }
    const uint64_t at = out.size();
    appendRange(out, source, box.offset, box.headerSize);
    uint64_t childStart = box.payloadStart();
    if (box.type == "meta") {
        appendRange(out, source, childStart, 4);
        childStart += 4;
    }
    uint64_t pos = childStart;
    bool ok = true;
    if (childStart <= box.end()) {
        forEachIsoBox(source, childStart, box.end(), [&](const IsoBox& child) {
            ok = appendWidened(source, child, depth + 1, out);
            pos = child.end();
            return ok;
        });
    }
    if (!ok)
        return false;
    if (pos < box.end())
        appendRange(out, source, pos, box.end() - pos); // unparsed tail bytes
    const uint64_t size = out.size() - at;
    if (box.headerSize == 16) {
        putBe64(out, at + 8, size);
    } else {
        if (size > 0xFFFFFFFFull)
            return false;
        putBe32(out, at, static_cast<uint32_t>(size));
    }
    return true;
}

} // namespace

bool widenIsoChunkOffsets(ByteView box, ByteBuffer& out)
{
    out.clear();
    const IsoBox top = parseIsoBox(box, 0, box.size());
    if (!top.valid || !appendWidened(box, top, 0, out)) {
        out.clear();
        return false;
    }
    return true;
}

} // namespace data_repair
