// Recovery of a TIFF whose first bytes were deleted: find the surviving IFD near the end of the
// file and work out how many bytes are missing in front of it.

#include <algorithm>

#include "photo/photo_formats.h"

namespace data_repair {

namespace {

constexpr uint64_t kWindow = 8ull * 1024 * 1024;
constexpr uint64_t kMaxPrefix = 64ull * 1024 * 1024;
constexpr uint32_t kMaxDimension = 1000000;
constexpr int32_t kBestScore = 17;
// Total reads of entries, arrays and strings over the whole search. Ordinary files need a tiny
// fraction; crafted files with many IFD-like records sharing huge strip arrays stop here.
constexpr uint64_t kWorkBudget = 1ull << 26;
// Bytes of the missing prefix that need no strip behind them (padding, small tags' data), and how
// much of the prefix each surviving strip byte may vouch for.
constexpr uint64_t kPrefixSlack = 4096;
constexpr uint64_t kPrefixPerPresentByte = 16;

bool isBaselineTag(uint16_t tag)
{
    return tag == 256 || tag == 257 || tag == 258 || tag == 259 || tag == 262 || tag == 273 || tag == 277 ||
           tag == 278 || tag == 279;
}

struct Search {
    ByteView b;
    uint64_t budget = kWorkBudget;
    bool spend(uint64_t units)
    {
        if (units > budget) {
            budget = 0;
            return false;
        }
        budget -= units;
        return true;
    }
};

struct Candidate {
    bool le = true;
    std::vector<IfdEntry> entries;
};

uint64_t entryBytes(const IfdEntry& e) { return static_cast<uint64_t>(e.count) * tiffTypeSize(e.type); }

// The values of a SHORT/LONG entry one at a time, stopping at the first that fails `accept`.
template <typename Accept>
bool eachValue(Search& s, const IfdEntry& e, bool le, uint64_t prefix, Accept accept)
{
    if ((e.type != 3 && e.type != 4) || e.count == 0)
        return false;
    const uint64_t size = tiffTypeSize(e.type);
    const uint64_t bytes = entryBytes(e);
    uint64_t at = e.fieldPos;
    if (bytes > 4) {
        const uint64_t offset = readU32Ordered(s.b, e.fieldPos, le);
        if (offset < prefix || !fits(s.b, offset - prefix, bytes))
            return false;
        at = offset - prefix;
    }
    for (uint64_t i = 0; i < e.count; ++i) {
        if (!s.spend(1))
            return false;
        const uint32_t v = size == 2 ? readU16Ordered(s.b, at + 2 * i, le) : readU32Ordered(s.b, at + 4 * i, le);
        if (!accept(i, v))
            return false;
    }
    return true;
}

uint32_t singleValue(ByteView b, const IfdEntry& e, bool le)
{
    if (e.type == 3 && e.count == 1)
        return readU16Ordered(b, e.fieldPos, le);
    return readU32Ordered(b, e.fieldPos, le);
}

// Score of one prefix length, or 0 when it does not fit the data.
int32_t evaluate(Search& s, const Candidate& c, uint64_t L)
{
    const uint64_t N = s.b.size();
    if (L < 8 || L > kMaxPrefix || N + L > 0xFFFFFFFFull)
        return 0;
    const IfdEntry* width = nullptr;
    const IfdEntry* height = nullptr;
    const IfdEntry* bits = nullptr;
    const IfdEntry* offsets = nullptr;
    const IfdEntry* counts = nullptr;
    const IfdEntry* software = nullptr;
    for (const IfdEntry& e : c.entries) {
        const uint64_t bytes = entryBytes(e);
        if (bytes > 4) {
            const uint64_t offset = readU32Ordered(s.b, e.fieldPos, c.le);
            if (offset < L || !fitsIn(N, offset - L, bytes))
                return 0;
        }
        switch (e.tag) {
        case 256: width = &e; break;
        case 257: height = &e; break;
        case 258: bits = &e; break;
        case 273: offsets = &e; break;
        case 279: counts = &e; break;
        case 305: software = &e; break;
        default: break;
        }
    }
    // Cheap checks first; the arrays are read only for a plausible image.
    if (width == nullptr || height == nullptr)
        return 0;
    const uint32_t w = singleValue(s.b, *width, c.le);
    const uint32_t h = singleValue(s.b, *height, c.le);
    if (w < 1 || w > kMaxDimension || h < 1 || h > kMaxDimension)
        return 0;
    if (offsets == nullptr || counts == nullptr || offsets->count != counts->count)
        return 0;
    int32_t bonus = 0;
    if (bits != nullptr) {
        if (!eachValue(s, *bits, c.le, L, [](uint64_t, uint32_t v) { return v >= 1 && v <= 64; }))
            return 0;
        bonus += 3;
    }
    if (software != nullptr && software->type == 2 && software->count > 4) {
        const uint64_t at = readU32Ordered(s.b, software->fieldPos, c.le) - L;
        if (!s.spend(software->count))
            return 0;
        for (uint64_t i = 0; i < software->count; ++i) {
            const uint8_t ch = s.b[at + i];
            if (ch != 0 && (ch < 32 || ch > 126))
                return 0;
        }
        bonus += 2;
    }
    // Strip table: non-zero counts inside the restored file, strictly increasing offsets, and
    // the last (largest) offset in the surviving data.
    std::vector<uint32_t> stripOffsets;
    uint32_t previous = 0;
    uint32_t last = 0;
    if (!eachValue(s, *offsets, c.le, L, [&](uint64_t i, uint32_t v) {
            if (i > 0 && v <= previous)
                return false;
            previous = v;
            last = v;
            return true;
        }))
        return 0;
    if (last < L)
        return 0;
    // Each strip's end needs its offset again: read it alongside the count.
    const uint64_t offsetsAt = offsets->count * tiffTypeSize(offsets->type) > 4
                                   ? readU32Ordered(s.b, offsets->fieldPos, c.le) - L
                                   : offsets->fieldPos;
    const uint64_t offsetSize = tiffTypeSize(offsets->type);
    uint64_t deleted = 0; // strip bytes the table places in the missing prefix
    uint64_t present = 0; // strip bytes that lie in the data at hand
    if (!eachValue(s, *counts, c.le, L, [&](uint64_t i, uint32_t v) {
            if (v == 0)
                return false;
            const uint64_t off = offsetSize == 2 ? readU16Ordered(s.b, offsetsAt + 2 * i, c.le)
                                                 : readU32Ordered(s.b, offsetsAt + 4 * i, c.le);
            if (off < L)
                deleted += std::min<uint64_t>(v, L - off);
            if (off + v > L)
                present += off + v - std::max(off, L);
            return off + v <= N + L;
        }))
        return 0;
    // The zero-filled prefix must be what the file itself supports: strips the table places in
    // the missing part cover it, and they are not out of all proportion to the strips that
    // survive. Offsets alone would let a few bytes claim a prefix of any size.
    const uint64_t missing = L - 8;
    if (missing > deleted + kPrefixSlack || missing > kPrefixPerPresentByte * present + kPrefixSlack)
        return 0;
    return 12 + bonus;
}

bool readCandidate(Search& s, uint64_t p, bool le, Candidate& c, uint64_t& end, uint64_t& minOffset)
{
    const uint64_t N = s.b.size();
    const uint64_t n = readU16Ordered(s.b, p, le);
    if (n < 6 || n > 256)
        return false;
    end = p + 6 + 12 * n;
    if (end > N)
        return false;
    c.le = le;
    c.entries.clear();
    int baseline = 0;
    uint16_t previousTag = 0;
    minOffset = npos;
    for (uint64_t k = 0; k < n; ++k) {
        if (!s.spend(1))
            return false;
        const uint64_t at = p + 2 + 12 * k;
        IfdEntry e;
        e.tag = readU16Ordered(s.b, at, le);
        e.type = readU16Ordered(s.b, at + 2, le);
        e.count = readU32Ordered(s.b, at + 4, le);
        e.fieldPos = at + 8;
        if (e.tag == 0 || e.tag < previousTag || e.type == 0 || e.type > 13 || e.count == 0)
            return false;
        previousTag = e.tag;
        if (isBaselineTag(e.tag))
            ++baseline;
        if (entryBytes(e) > 4)
            minOffset = std::min<uint64_t>(minOffset, readU32Ordered(s.b, e.fieldPos, le));
        c.entries.push_back(e);
    }
    return baseline >= 7 && minOffset != npos && minOffset >= end + 8;
}

} // namespace

IfdRecovery recoverHeaderlessIfd(ByteView b)
{
    IfdRecovery best;
    const uint64_t N = b.size();
    if (N < 32)
        return best;
    Search search{b};
    const uint64_t start = N > kWindow ? N - kWindow : 0;
    Candidate c;
    for (const bool le : {true, false}) {
        for (uint64_t p = start; p + 6 <= N; ++p) {
            uint64_t end = 0, m = 0;
            if (!readCandidate(search, p, le, c, end, m)) {
                if (search.budget == 0)
                    return best;
                continue;
            }
            for (uint64_t k = 0; k <= 64 && m >= end + k; ++k) {
                const int32_t score = evaluate(search, c, m - end - k);
                if (score > best.score) {
                    best.found = true;
                    best.littleEndian = le;
                    best.ifdOffset = p;
                    best.prefixLength = m - end - k;
                    best.score = score;
                    if (score == kBestScore) // nothing later can beat it
                        return best;
                }
                if (search.budget == 0)
                    return best;
            }
        }
    }
    return best;
}

void rebuildTiffHeader(ByteBuffer& work, const IfdRecovery& ifd, RepairResult& report)
{
    ByteBuffer rebuilt(ifd.prefixLength, 0);
    if (ifd.littleEndian)
        rebuilt[0] = 0x49, rebuilt[1] = 0x49, rebuilt[2] = 0x2A, rebuilt[3] = 0x00;
    else
        rebuilt[0] = 0x4D, rebuilt[1] = 0x4D, rebuilt[2] = 0x00, rebuilt[3] = 0x2A;
    putU32Ordered(rebuilt, 4, static_cast<uint32_t>(ifd.ifdOffset + ifd.prefixLength), ifd.littleEndian);
    appendBytes(rebuilt, work);
    work.swap(rebuilt);
    report.addAction("rebuild-tiff-header-from-ifd",
                     "rebuilt the standard TIFF header from a translated surviving IFD and strip table",
                     ifd.prefixLength);
    report.notes.push_back(
        "bytes deleted before the first surviving TIFF byte were zero-filled; their original pixels cannot be "
        "reconstructed");
}

} // namespace data_repair

