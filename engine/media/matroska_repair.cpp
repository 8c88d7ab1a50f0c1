#include <algorithm>
#include <cstring>
#include <vector>

#include "data_repair/checkpoint.h"
#include "data_repair/output_writer.h"
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
constexpr const char* kNoCuesNote = "Matroska Cues index was not found; players may scan clusters to rebuild seeking";

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

namespace {

// Element IDs as read with their length marker.
inline constexpr uint32_t kSegment = 0x18538067;
inline constexpr uint32_t kSeekHead = 0x114D9B74;
inline constexpr uint32_t kInfo = 0x1549A966;
inline constexpr uint32_t kTracks = 0x1654AE6B;
inline constexpr uint32_t kCluster = 0x1F43B675;
inline constexpr uint32_t kCues = 0x1C53BB6B;
inline constexpr uint32_t kTags = 0x1254C367;
inline constexpr uint32_t kChapters = 0x1043A770;
inline constexpr uint32_t kAttachments = 0x1941A469;
inline constexpr uint32_t kVoid = 0xEC;
inline constexpr uint32_t kCrc32 = 0xBF;
inline constexpr uint32_t kTimecode = 0xE7;
inline constexpr uint32_t kSimpleBlock = 0xA3;
inline constexpr uint32_t kBlockGroup = 0xA0;
inline constexpr uint32_t kBlock = 0xA1;
inline constexpr uint32_t kBlockDuration = 0x9B;
inline constexpr uint32_t kTrackEntry = 0xAE;
inline constexpr uint32_t kTrackNumber = 0xD7;
inline constexpr uint32_t kDefaultDuration = 0x23E383;
inline constexpr uint32_t kTimecodeScale = 0x2AD7B1;
inline constexpr uint32_t kDuration = 0x4489;
inline constexpr uint32_t kSeek = 0x4DBB;
inline constexpr uint32_t kSeekId = 0x53AB;
inline constexpr uint32_t kSeekPosition = 0x53AC;
inline constexpr uint32_t kCuePoint = 0xBB;
inline constexpr uint32_t kCueTrackPositions = 0xB7;
inline constexpr uint32_t kCueClusterPosition = 0xF1;
inline constexpr uint32_t kCueRelativePosition = 0xF0;

inline constexpr uint64_t kCrc32Element = 6; // BF 84 and four bytes
inline constexpr uint64_t kDurationElement = 11; // 44 89 88 and an 8-byte float
// Cluster children read to confirm a place to resume at: a false start in foreign bytes fails
// long before, and the look stays bounded.
inline constexpr int kChainLength = 64;
// Edits and kept top-level elements the walk records at most: a file of millions of tiny damaged
// pieces keeps the rest as it stands instead of needing many times its size in records.
inline constexpr size_t kMaxRecords = size_t{4} << 20;

bool isTopLevelId(uint32_t id)
{
    return id == kSeekHead || id == kInfo || id == kTracks || id == kCluster || id == kCues || id == kTags ||
           id == kChapters || id == kAttachments;
}

bool isClusterChildId(uint32_t id)
{
    return id == kTimecode || id == kSimpleBlock || id == kBlockGroup || id == 0xA7 /* Position */ ||
           id == 0xAB /* PrevSize */ || id == 0x5854 /* SilentTracks */ || id == 0xAF /* EncryptedBlock */ ||
           id == kVoid || id == kCrc32;
}

struct Element {
    uint32_t id = 0;
    uint64_t pos = 0;
    uint64_t sizePos = 0;
    uint64_t data = 0;
    uint64_t size = 0;
    unsigned sizeLength = 0;
    bool unknown = false;
    // Past the end of the file when the element was cut; never wraps (sizes stay below 2^56).
    uint64_t end() const { return unknown ? npos : data + size; }
};

// The element header at pos: false when it does not read (or does not fit).
bool readElement(ByteView b, uint64_t pos, Element& element)
{
    uint64_t id = 0, idLength = 0, size = 0, sizeLength = 0;
    bool unknown = false;
    if (!readVint(b, pos, 4, true, id, idLength) || !readVint(b, pos + idLength, 8, false, size, sizeLength, &unknown))
        return false;
    element = Element{static_cast<uint32_t>(id), pos, pos + idLength, pos + idLength + sizeLength, size,
                      static_cast<unsigned>(sizeLength), unknown};
    return true;
}

uint64_t readUnsigned(ByteView b, uint64_t pos, uint64_t length)
{
    if (length > 8 || !fits(b, pos, length))
        return 0;
    uint64_t value = 0;
    for (uint64_t i = 0; i < length; ++i)
        value = (value << 8) | b[pos + i];
    return value;
}

// A size field of `width` bytes; a value the width cannot hold becomes "unknown" (all ones).
ByteBuffer sizeField(uint64_t value, unsigned width)
{
    const uint64_t unknown = (uint64_t{1} << (7 * width)) - 1;
    uint64_t v = std::min(value, unknown) | (uint64_t{1} << (7 * width));
    ByteBuffer out(width);
    for (unsigned i = width; i-- > 0; v >>= 8)
        out[i] = static_cast<uint8_t>(v);
    return out;
}

bool fitsSizeField(uint64_t value, unsigned width) { return value < (uint64_t{1} << (7 * width)) - 1; }

// Where the output differs from the input: [from, to) of the input becomes `bytes` followed by
// input bytes [keepFrom, keepFrom + keepLength).
struct Edit {
    uint64_t from = 0;
    uint64_t to = 0;
    ByteBuffer bytes;
    uint64_t keepFrom = 0;
    uint64_t keepLength = 0;
};

// A Void element of exactly `length` (>= 2) bytes over the input at pos: its body is the input's
// own bytes, which readers skip.
Edit voidOver(uint64_t pos, uint64_t to, uint64_t length)
{
    unsigned width = 1;
    while (width < 8 && !fitsSizeField(length - 1 - width, width))
        ++width;
    Edit edit{pos, to, {static_cast<uint8_t>(kVoid)}, 0, 0};
    appendBytes(edit.bytes, sizeField(length - 1 - width, width));
    edit.keepFrom = pos + edit.bytes.size();
    edit.keepLength = length - edit.bytes.size();
    return edit;
}

// The children of a whole element, each handed to `visit` (stops at the first that does not read).
template <typename Visit>
void forEachChild(ByteView b, const Element& parent, Visit&& visit)
{
    for (uint64_t c = parent.data; c < parent.end();) {
        Element child;
        if (!readElement(b, c, child) || child.unknown || child.end() > parent.end())
            return;
        visit(child);
        c = child.end();
    }
}

struct Track {
    uint64_t number = 0;
    uint64_t defaultDuration = 0; // nanoseconds
};

// What the walk of a Matroska file found and what its repaired copy changes.
struct MatroskaLayout {
    uint64_t start = 0;
    std::vector<Edit> edits;
    uint64_t truncatedAt = npos;   // the incomplete element the file ends inside
    uint64_t truncatedBytes = 0;
    uint64_t strayAt = npos;       // the first run of bytes that holds no element
    uint64_t strayBytes = 0;
    uint64_t voidedBlocks = 0;
    uint64_t sizesSet = 0;
    uint64_t staleEntries = 0;
    bool durationSet = false;
    bool durationAdded = false;
    // The Info element names no duration: a damaged file's repair can add one (a second walk).
    bool durationMissing = false;
    bool hasCues = false;
    bool incomplete = false; // the walk stopped at kMaxRecords; the rest is kept as it stands

    bool live = false; // the Segment's size is unknown: written as a live stream
    bool damaged() const { return truncatedAt != npos || strayAt != npos || voidedBlocks > 0; }
};

class MatroskaWalk {
public:
    // With addDuration, a Duration is added to an Info element that has none.
    MatroskaWalk(ByteView b, bool addDuration) : b_(b), size_(b.size()), addDuration_(addDuration) {}

    // False when no Segment follows the EBML header at `ebml`.
    bool run(uint64_t ebml, MatroskaLayout& layout);

private:
    struct Cluster {
        uint64_t relative = 0;  // position in the repaired Segment's data
        uint64_t data = 0;      // where its data starts in the input
        size_t innerBegin = 0;  // the edits inside its data, in order
        size_t innerEnd = 0;
    };

    uint64_t relative(uint64_t pos) const { return pos - segment_.data - removed_ + added_; }
    bool full() const { return layout_->edits.size() + topLevel_.size() >= kMaxRecords; }
    void edit(Edit e) { layout_->edits.push_back(std::move(e)); }
    void dropTail(uint64_t pos);
    void stepOver(uint64_t from, uint64_t to);
    bool plausibleBlock(const Element& e) const;
    bool plausibleChild(const Element& e) const;
    bool plausibleTopLevel(const Element& e) const;
    bool followsSoundly(uint64_t pos, uint64_t limit) const;
    bool chainHolds(uint64_t pos, uint64_t limit, bool* reachesEnd = nullptr) const;
    uint64_t resync(uint64_t from, bool inCluster, uint64_t anchor = 0, uint64_t limit = npos,
                    bool* overwritten = nullptr) const;
    void replaceStray(uint64_t from, uint64_t to, bool overwritten);
    uint64_t walkCluster(const Element& cluster, size_t& innerEnd);
    bool blockAt(const Cluster& cluster, uint64_t offset) const;
    void noteBlock(uint64_t blockData, uint64_t clusterTime, uint64_t duration);
    void readTracks(const Element& tracks);
    void checkIndex();
    void setDuration();
    void voidCrcOf(const Element& parent);

    ByteView b_;
    uint64_t size_;
    MatroskaLayout* layout_ = nullptr;
    Element segment_;
    uint64_t removed_ = 0; // input bytes the output holds fewer, up to the walk's position
    bool addDuration_ = false;
    uint64_t added_ = 0;          // bytes the output holds more: the added Duration
    uint64_t addedAt_ = npos;     // where in the repaired Segment's data it goes
    std::vector<Track> tracks_;
    std::vector<std::pair<uint64_t, uint32_t>> topLevel_; // kept elements: relative position, ID
    std::vector<Cluster> clusters_;
    std::vector<Element> seekHeads_;
    std::vector<std::pair<Element, uint64_t>> cues_; // with its relative position
    Element info_;
    bool hasInfo_ = false;
    uint64_t scale_ = 1000000; // nanoseconds per timecode unit
    uint64_t lastTime_ = 0;    // end of the last block kept, in timecode units
};

void MatroskaWalk::dropTail(uint64_t pos)
{
    if (layout_->truncatedAt == npos)
        layout_->truncatedAt = pos;
    layout_->truncatedBytes += size_ - pos;
    edit(Edit{pos, size_, {}, 0, 0});
    removed_ += size_ - pos;
}

void MatroskaWalk::stepOver(uint64_t from, uint64_t to)
{
    if (layout_->strayAt == npos)
        layout_->strayAt = from;
    layout_->strayBytes += to - from;
}

// A Block or SimpleBlock: a track the file declares, a time and flags whose reserved bits are
// clear (lacing and the key frame bits are free).
bool MatroskaWalk::plausibleBlock(const Element& e) const
{
    uint64_t track = 0, length = 0;
    if (e.unknown || e.size < 4 || !readVint(b_, e.data, 8, false, track, length) || length + 3 > e.size ||
        !fits(b_, e.data + length, 3))
        return false;
    if (e.id == kSimpleBlock && (b_[e.data + length + 2] & 0x70) != 0)
        return false;
    if (tracks_.empty())
        return track >= 1;
    return std::any_of(tracks_.begin(), tracks_.end(), [&](const Track& t) { return t.number == track; });
}

bool MatroskaWalk::plausibleChild(const Element& e) const
{
    if (!isClusterChildId(e.id) || e.unknown)
        return false;
    switch (e.id) {
    case kSimpleBlock:
    case 0xAF: // EncryptedBlock
        return plausibleBlock(e);
    case kBlockGroup: {
        Element first;
        return e.size >= 6 && readElement(b_, e.data, first) && !first.unknown && first.end() <= e.end() &&
               (first.id != kBlock || plausibleBlock(first));
    }
    case kTimecode:
    case 0xA7: // Position
    case 0xAB: // PrevSize
        return e.size <= 8;
    case kCrc32:
        return e.size == 4;
    default:
        return true;
    }
}

// A top-level element whose first child reads (a Cluster's is its time or a CRC-32).
bool MatroskaWalk::plausibleTopLevel(const Element& e) const
{
    if (!isTopLevelId(e.id))
        return false;
    Element child;
    if (!readElement(b_, e.data, child))
        return e.size > 0 && !e.unknown && e.end() > size_;
    if (e.id == kCluster)
        return child.id == kTimecode || child.id == kCrc32 || child.id == kVoid;
    return !e.unknown;
}

// Whether an element starts at pos as the walk expects, or the cluster (limit) or file ends there.
bool MatroskaWalk::followsSoundly(uint64_t pos, uint64_t limit) const
{
    if (pos == size_ || pos == limit)
        return true;
    Element next;
    if (!readElement(b_, pos, next))
        return false;
    // A cluster may end before its stated size (the walk then ends it there).
    return plausibleChild(next) || (isTopLevelId(next.id) && limit == npos) || plausibleTopLevel(next);
}

// Whether cluster children run from pos to the cluster's end (`limit`, npos when unknown) or the
// file's: at most kChainLength of them are read, so each candidate costs a bounded look.
bool MatroskaWalk::chainHolds(uint64_t pos, uint64_t limit, bool* reachesEnd) const
{
    // Set when the children run exactly to the end, not merely for kChainLength of them.
    bool ended = false;
    const auto holds = [&] {
        if (reachesEnd != nullptr)
            *reachesEnd = ended;
        return true;
    };
    for (int k = 0; k < kChainLength; ++k) {
        ended = true;
        if (pos == size_ || pos == limit)
            return holds();
        ended = false;
        if (limit != npos && pos > limit)
            return false;
        Element e;
        // The file may end inside the cluster only when the cluster runs past the file's end.
        const bool cut = limit == npos || limit > size_;
        if (!readElement(b_, pos, e))
            return cut && size_ - pos < 12 && holds();
        if (limit == npos && isTopLevelId(e.id)) {
            ended = true;
            return holds();
        }
        if (!plausibleChild(e))
            return false;
        if (e.end() > size_)
            return cut && holds();
        pos = e.end();
    }
    return holds();
}

// The first position at or after `from` where the cluster's children start again: a block whose
// children run on to where the cluster then ends, or the next top-level element just there.
// `anchor` is where the stray bytes begin and `limit` the cluster's end as it stands. Bytes put
// into the cluster move its end: dropping [anchor, r) moves it by r - anchor. Bytes overwritten
// (zeroed by a failing disk, say) leave it where it is; with `overwritten` given, that is tried
// second and reported there. Outside a cluster (limit npos, inCluster false) the next top-level
// element is looked for; a Cluster there needs its children to run on to its end.
uint64_t MatroskaWalk::resync(uint64_t from, bool inCluster, uint64_t anchor, uint64_t limit, bool* overwritten) const
{
    const bool tryOverwritten = overwritten != nullptr && inCluster && limit != npos;
    if (overwritten != nullptr)
        *overwritten = false;
    for (uint64_t r = from; r < size_; ++r) {
        checkpointStep(r, size_);
        const uint8_t c = b_[r];
        const bool blockStart = inCluster && (c == kSimpleBlock || c == kBlockGroup);
        if (!blockStart && c != 0x1F && c != 0x1C && c != 0x11 && c != 0x15 && c != 0x16 && c != 0x12 &&
            c != 0x10 && c != 0x19)
            continue;
        Element e;
        if (!readElement(b_, r, e))
            continue;
        const uint64_t end = limit == npos ? npos : limit + (r - anchor);
        if (blockStart) {
            if (!plausibleChild(e))
                continue;
            // Blocks that run on exactly to where a reading puts the cluster's end decide for
            // it; a long run of blocks that holds either way is taken as put-in bytes.
            bool insertedEnds = false, overwrittenEnds = false;
            const bool insertedHolds = chainHolds(r, end, &insertedEnds);
            const bool overwrittenHolds =
                tryOverwritten && r < limit && !insertedEnds && chainHolds(r, limit, &overwrittenEnds);
            if (overwrittenHolds && (overwrittenEnds || !insertedHolds)) {
                *overwritten = true;
                return r;
            }
            if (insertedHolds)
                return r;
        } else if (plausibleTopLevel(e) && (e.id != kCluster || chainHolds(e.data, e.end()))) {
            if (!inCluster || end == npos || r == end)
                return r;
            if (tryOverwritten && r == limit) {
                *overwritten = true;
                return r;
            }
        }
    }
    return npos;
}

// Stray bytes [from, to) inside a cluster. Inserted ones go. Overwritten ones stood for data of
// the cluster: a Void of their length keeps every later position the file records; a single byte,
// too short for a Void, goes.
void MatroskaWalk::replaceStray(uint64_t from, uint64_t to, bool overwritten)
{
    stepOver(from, to);
    if (overwritten && to - from >= 2) {
        edit(voidOver(from, to, to - from));
        return;
    }
    edit(Edit{from, to, {}, 0, 0});
    removed_ += to - from;
}

void MatroskaWalk::noteBlock(uint64_t blockData, uint64_t clusterTime, uint64_t duration)
{
    uint64_t track = 0, length = 0;
    if (!readVint(b_, blockData, 8, false, track, length) || !fits(b_, blockData + length, 2))
        return;
    const auto relativeTime = static_cast<int16_t>(readBe16(b_, blockData + length));
    if (duration == 0) {
        for (const Track& t : tracks_)
            if (t.number == track)
                duration = (t.defaultDuration + scale_ - 1) / scale_; // nanoseconds to scale units
    }
    const int64_t start = static_cast<int64_t>(std::min<uint64_t>(clusterTime, uint64_t{1} << 60)) + relativeTime;
    if (start >= 0)
        lastTime_ = std::max(lastTime_, static_cast<uint64_t>(start) + std::min<uint64_t>(duration, uint64_t{1} << 60));
}

uint64_t MatroskaWalk::walkCluster(const Element& cluster, size_t& innerEnd)
{
    const uint64_t removedBefore = removed_;
    // Where the cluster ends in the input: its stated end, moved on by the bytes found put into it.
    uint64_t inserted = 0;
    const auto limit = [&] { return cluster.unknown ? npos : cluster.end() + inserted; };
    uint64_t clusterTime = 0;
    uint64_t crc = npos;
    bool changed = false;
    uint64_t p = cluster.data;
    while (p < size_ && p < limit() && !full()) {
        checkpoint(p, size_);
        Element e;
        const bool read = readElement(b_, p, e);
        if (read && plausibleTopLevel(e))
            break; // the cluster ends before its stated size, or had none
        if (read && isClusterChildId(e.id) && !e.unknown && e.end() > size_) {
            dropTail(p); // the file ends inside this child
            p = size_;
            changed = true;
            break;
        }
        if (!read || !plausibleChild(e)) {
            if (!read && size_ - p < 12) {
                dropTail(p);
                p = size_;
                changed = true;
                break;
            }
            bool overwritten = false;
            const uint64_t q = resync(p + 1, true, p, limit(), &overwritten);
            changed = true;
            if (q != npos) {
                replaceStray(p, q, overwritten);
                inserted += overwritten ? 0 : q - p;
                p = q;
                continue;
            }
            // The damage runs past the cluster's end: the cluster ends here, and the walk goes on
            // at the next top-level element found whole after it.
            const uint64_t next = cluster.unknown ? npos : resync(p + 1, false);
            if (next == npos) {
                dropTail(p);
                p = size_;
                continue;
            }
            stepOver(p, next);
            edit(Edit{p, next, {}, 0, 0});
            removed_ += next - p;
            p = next;
            break;
        }
        if (!followsSoundly(e.end(), limit())) {
            bool overwritten = false;
            const uint64_t q = resync(e.end(), true, e.end(), limit(), &overwritten);
            if (q == npos) {
                dropTail(p);
                p = size_;
                changed = true;
                break;
            }
            if (!overwritten) {
                // Foreign bytes follow: the child runs into them. It keeps its length as a Void, so
                // that every later position the file records holds again once they are gone.
                stepOver(e.end(), q);
                edit(voidOver(p, q, e.end() - p));
                ++layout_->voidedBlocks;
                removed_ += q - e.end();
                inserted += q - e.end();
                p = q;
                changed = true;
                continue;
            }
            // Overwritten bytes follow a whole child: it stays, they are stepped over next.
        }
        if (e.id == kTimecode) {
            clusterTime = readUnsigned(b_, e.data, e.size);
        } else if (e.id == kSimpleBlock) {
            noteBlock(e.data, clusterTime, 0);
        } else if (e.id == kBlockGroup) {
            uint64_t block = npos, duration = 0;
            for (uint64_t c = e.data; c < e.end();) {
                Element child;
                if (!readElement(b_, c, child) || child.unknown || child.end() > e.end())
                    break;
                if (child.id == kBlock)
                    block = child.data;
                else if (child.id == kBlockDuration)
                    duration = readUnsigned(b_, child.data, child.size);
                c = child.end();
            }
            if (block != npos)
                noteBlock(block, clusterTime, duration);
        } else if (e.id == kCrc32 && p == cluster.data) {
            crc = p;
        }
        p = e.end();
    }
    innerEnd = layout_->edits.size();
    if (!cluster.unknown && !full()) {
        const uint64_t content = p - cluster.data - (removed_ - removedBefore);
        if (content != cluster.size) {
            edit(Edit{cluster.sizePos, cluster.data, sizeField(content, cluster.sizeLength), 0, 0});
            ++layout_->sizesSet;
            changed = true;
        }
    }
    if (changed && crc != npos)
        edit(voidOver(crc, crc + kCrc32Element, kCrc32Element));
    return p;
}

void MatroskaWalk::readTracks(const Element& tracks)
{
    for (uint64_t t = tracks.data; t < tracks.end();) {
        Element entry;
        if (!readElement(b_, t, entry) || entry.unknown || entry.end() > tracks.end())
            return;
        if (entry.id == kTrackEntry) {
            Track track;
            for (uint64_t c = entry.data; c < entry.end();) {
                Element field;
                if (!readElement(b_, c, field) || field.unknown || field.end() > entry.end())
                    break;
                if (field.id == kTrackNumber)
                    track.number = readUnsigned(b_, field.data, field.size);
                else if (field.id == kDefaultDuration)
                    track.defaultDuration = readUnsigned(b_, field.data, field.size);
                c = field.end();
            }
            if (track.number != 0)
                tracks_.push_back(track);
        }
        t = entry.end();
    }
}

void MatroskaWalk::voidCrcOf(const Element& parent)
{
    Element first;
    if (readElement(b_, parent.data, first) && first.id == kCrc32 && first.size == 4)
        edit(voidOver(first.pos, first.end(), kCrc32Element));
}

// Whether a block starts `offset` bytes into the cluster's data as the repaired file holds it.
bool MatroskaWalk::blockAt(const Cluster& cluster, uint64_t offset) const
{
    uint64_t in = cluster.data, out = 0;
    for (size_t i = cluster.innerBegin; i < cluster.innerEnd; ++i) {
        const Edit& edit = layout_->edits[i];
        if (offset < out + (edit.from - in))
            break;
        out += edit.from - in;
        if (offset < out + edit.bytes.size() + edit.keepLength)
            return false; // inside a replaced stretch
        out += edit.bytes.size() + edit.keepLength;
        in = edit.to;
    }
    Element block;
    return readElement(b_, in + (offset - out), block) && (block.id == kSimpleBlock || block.id == kBlockGroup);
}

// SeekHead and Cues entries that name an element the repaired file does not hold where they say
// become Void elements of the same length, so that nothing after them moves.
void MatroskaWalk::checkIndex()
{
    const auto clusterAt = [&](uint64_t relative) -> const Cluster* {
        auto it = std::lower_bound(clusters_.begin(), clusters_.end(), relative,
                                   [](const Cluster& c, uint64_t r) { return c.relative < r; });
        return it != clusters_.end() && it->relative == relative ? &*it : nullptr;
    };
    for (const auto& [cues, at] : cues_) {
        std::vector<Element> stale;
        uint64_t points = 0;
        forEachChild(b_, cues, [&](const Element& point) {
            if (point.id != kCuePoint)
                return;
            ++points;
            bool sound = true;
            forEachChild(b_, point, [&](const Element& positions) {
                if (positions.id != kCueTrackPositions)
                    return;
                uint64_t clusterPosition = npos, relative = npos;
                forEachChild(b_, positions, [&](const Element& field) {
                    if (field.id == kCueClusterPosition)
                        clusterPosition = readUnsigned(b_, field.data, field.size);
                    else if (field.id == kCueRelativePosition)
                        relative = readUnsigned(b_, field.data, field.size);
                });
                const Cluster* cluster = clusterAt(clusterPosition);
                sound = sound && cluster != nullptr && (relative == npos || blockAt(*cluster, relative));
            });
            if (!sound)
                stale.push_back(point);
        });
        if (stale.size() < points || points == 0)
            layout_->hasCues = true;
        if (stale.empty())
            continue;
        layout_->staleEntries += stale.size();
        if (stale.size() == points) {
            edit(voidOver(cues.pos, cues.end(), cues.end() - cues.pos));
            const uint64_t relative = at;
            std::erase_if(topLevel_, [&](const auto& element) { return element.first == relative; });
            continue;
        }
        for (const Element& point : stale)
            edit(voidOver(point.pos, point.end(), point.end() - point.pos));
        voidCrcOf(cues);
    }
    for (const Element& seekHead : seekHeads_) {
        uint64_t stale = 0;
        bool positionsRewritten = false;
        forEachChild(b_, seekHead, [&](const Element& seek) {
            if (seek.id != kSeek)
                return;
            uint64_t id = 0, position = npos;
            forEachChild(b_, seek, [&](const Element& field) {
                if (field.id == kSeekId)
                    id = readUnsigned(b_, field.data, field.size);
                else if (field.id == kSeekPosition)
                    position = readUnsigned(b_, field.data, field.size);
            });
            // Elements after an added Duration sit that much further on.
            const uint64_t moved = addedAt_ != npos && position != npos && position >= addedAt_ ? position + added_
                                                                                              : position;
            auto it = std::lower_bound(topLevel_.begin(), topLevel_.end(), std::pair<uint64_t, uint32_t>{moved, 0});
            if (it != topLevel_.end() && it->first == moved && it->second == id) {
                if (moved != position) {
                    forEachChild(b_, seek, [&](const Element& field) {
                        if (field.id == kSeekPosition && field.size >= 1 && field.size <= 8 &&
                            (field.size == 8 || moved < (uint64_t{1} << (8 * field.size)))) {
                            ByteBuffer value(field.size);
                            for (uint64_t i = field.size, v = moved; i-- > 0; v >>= 8)
                                value[i] = static_cast<uint8_t>(v);
                            edit(Edit{field.data, field.end(), std::move(value), 0, 0});
                            positionsRewritten = true;
                        }
                    });
                }
                return;
            }
            edit(voidOver(seek.pos, seek.end(), seek.end() - seek.pos));
            ++stale;
        });
        if (stale > 0 || positionsRewritten)
            voidCrcOf(seekHead);
        layout_->staleEntries += stale;
    }
}

// A damaged file (cut short, or with blocks lost inside) declares the whole recording's duration,
// and a live-written one often none: it becomes the end of the last block kept (in timecode-scale
// units, as stored).
void MatroskaWalk::setDuration()
{
    if (!hasInfo_)
        return;
    if (addedAt_ != npos) {
        ByteBuffer element = {0x44, 0x89, 0x88};
        const double end = static_cast<double>(lastTime_);
        uint64_t raw = 0;
        std::memcpy(&raw, &end, 8);
        appendBe64(element, raw);
        edit(Edit{info_.sizePos, info_.data, sizeField(info_.size + kDurationElement, info_.sizeLength), 0, 0});
        edit(Edit{info_.end(), info_.end(), std::move(element), 0, 0});
        voidCrcOf(info_);
        layout_->durationAdded = true;
        return;
    }
    if (!layout_->damaged())
        return;
    Element duration;
    bool found = false;
    forEachChild(b_, info_, [&](const Element& field) {
        if (field.id == kDuration && (field.size == 4 || field.size == 8)) {
            duration = field;
            found = true;
        }
    });
    if (!found)
        return;
    const double end = static_cast<double>(lastTime_);
    ByteBuffer value;
    double old = 0;
    if (duration.size == 4) {
        const uint32_t raw = readBe32(b_, duration.data);
        float f = 0;
        std::memcpy(&f, &raw, 4);
        old = f;
        const float updated = static_cast<float>(end);
        uint32_t out = 0;
        std::memcpy(&out, &updated, 4);
        appendBe32(value, out);
    } else {
        const uint64_t raw = readBe64(b_, duration.data);
        std::memcpy(&old, &raw, 8);
        uint64_t out = 0;
        std::memcpy(&out, &end, 8);
        appendBe64(value, out);
    }
    if (!(end < old))
        return;
    edit(Edit{duration.data, duration.end(), std::move(value), 0, 0});
    voidCrcOf(info_);
    layout_->durationSet = true;
}

// In output order; bytes added at a place come before an edit that starts there.
void sortEdits(MatroskaLayout& layout)
{
    std::sort(layout.edits.begin(), layout.edits.end(),
              [](const Edit& a, const Edit& b) { return a.from != b.from ? a.from < b.from : a.to < b.to; });
}

bool MatroskaWalk::run(uint64_t ebml, MatroskaLayout& layout)
{
    layout_ = &layout;
    layout.start = ebml;
    Element header;
    if (!readElement(b_, ebml, header) || header.unknown || header.end() > size_ ||
        !readElement(b_, header.end(), segment_) || segment_.id != kSegment)
        return false;
    layout.live = segment_.unknown;
    uint64_t p = segment_.data;
    while (p < size_) {
        checkpoint(p, size_);
        if (full()) {
            layout.incomplete = true;
            break;
        }
        if (!segment_.unknown && p - segment_.data - removed_ + added_ >= segment_.size)
            break; // past the Segment: whatever follows is kept as it is
        Element e;
        const bool read = readElement(b_, p, e);
        if (read && (e.id == kVoid || e.id == kCrc32 || plausibleTopLevel(e))) {
            if (e.id == kCluster) {
                Cluster cluster{relative(p), e.data, layout.edits.size(), 0};
                const uint64_t end = walkCluster(e, cluster.innerEnd);
                topLevel_.emplace_back(cluster.relative, kCluster);
                clusters_.push_back(cluster);
                p = end;
                continue;
            }
            if (e.unknown)
                break;
            if (e.end() > size_) {
                dropTail(p);
                p = size_;
                break;
            }
            topLevel_.emplace_back(relative(p), e.id);
            if (e.id == kTracks && tracks_.empty())
                readTracks(e);
            else if (e.id == kSeekHead)
                seekHeads_.push_back(e);
            else if (e.id == kCues)
                cues_.emplace_back(e, relative(p));
            else if (e.id == kInfo && !hasInfo_) {
                info_ = e;
                hasInfo_ = true;
                bool duration = false;
                forEachChild(b_, e, [&](const Element& field) {
                    if (field.id == kTimecodeScale && readUnsigned(b_, field.data, field.size) != 0)
                        scale_ = readUnsigned(b_, field.data, field.size);
                    duration = duration || field.id == kDuration;
                });
                layout.durationMissing = !duration;
                if (!duration && addDuration_ && fitsSizeField(e.size + kDurationElement, e.sizeLength)) {
                    addedAt_ = relative(e.end());
                    added_ += kDurationElement;
                }
            }
            p = e.end();
            continue;
        }
        const uint64_t q = resync(p + 1, false);
        if (q == npos) {
            dropTail(p);
            p = size_;
            break;
        }
        stepOver(p, q);
        edit(Edit{p, q, {}, 0, 0});
        removed_ += q - p;
        p = q;
    }
    if (layout.incomplete) {
        sortEdits(layout);
        return true;
    }
    if (!segment_.unknown) {
        const uint64_t content = p - segment_.data - removed_ + added_;
        if (content != segment_.size) {
            edit(Edit{segment_.sizePos, segment_.data, sizeField(content, segment_.sizeLength), 0, 0});
            ++layout.sizesSet;
        }
    }
    checkIndex();
    setDuration();
    sortEdits(layout);
    return true;
}

} // namespace

bool hasEbmlMagic(ByteView bytes) { return findEbmlHeader(bytes, true) != npos; }

namespace {

// The walk of the Segment that follows the EBML header at e; false when none follows it.
bool layOutMatroska(ByteView bytes, uint64_t e, MatroskaLayout& layout)
{
    if (!MatroskaWalk(bytes, false).run(e, layout))
        return false;
    if (!layout.durationMissing || !(layout.damaged() || layout.live) || layout.incomplete)
        return true;
    // A damaged or live-written file without a duration gets one: the walk again, with room made
    // for it.
    MatroskaLayout withDuration;
    if (MatroskaWalk(bytes, true).run(e, withDuration) && !withDuration.incomplete && withDuration.durationAdded)
        layout = std::move(withDuration);
    return true;
}

} // namespace

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
    MatroskaLayout layout;
    if (layOutMatroska(bytes, e, layout)) {
        if (layout.truncatedAt != npos)
            result.addFinding(Truncated, Warning, "Matroska data ends inside an element", layout.truncatedAt,
                              layout.truncatedBytes, true, 0.85);
        if (layout.strayAt != npos)
            result.addFinding(StructureInvalid, Warning, "bytes that hold no Matroska element lie between elements",
                              layout.strayAt, layout.strayBytes, true, 0.8);
        if (layout.staleEntries > 0)
            result.addFinding(IndexDamaged, Warning,
                              "Matroska SeekHead or Cues entries point at data the file does not hold", e, 0, true,
                              0.8);
    }
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
    MatroskaLayout layout;
    if (!layOutMatroska(bytes, e, layout)) {
        // No Segment to walk: the file is kept from its header on.
        const uint64_t cues = rfindBytes(bytes, kCuesId);
        if (cues == npos || cues < e)
            result.notes.push_back(kNoCuesNote);
        writeInputRange(result, request, bytes, e, bytes.size(), "mkv", kVideoMkvWrite, 0.8);
        return result;
    }
    if (layout.truncatedAt != npos)
        result.addAction("drop-truncated-matroska-tail", "dropped the incomplete element the file ends inside",
                         layout.truncatedBytes);
    if (layout.strayAt != npos)
        result.addAction("skip-matroska-stray-bytes", "stepped over bytes between Matroska elements", layout.strayBytes);
    if (layout.voidedBlocks > 0)
        result.addAction("void-damaged-matroska-blocks", "replaced blocks that run into foreign bytes with Void elements",
                         layout.voidedBlocks);
    if (layout.sizesSet > 0)
        result.addAction("set-matroska-sizes", "set Segment and Cluster sizes to the data the file holds",
                         layout.sizesSet);
    if (layout.staleEntries > 0)
        result.addAction("void-stale-matroska-index", "removed SeekHead and Cues entries that point past the data kept",
                         layout.staleEntries);
    if (layout.durationSet || layout.durationAdded)
        result.addAction("set-matroska-duration", "set the duration to the end of the last block kept", 1);
    if (!layout.hasCues)
        result.notes.push_back(kNoCuesNote);
    buildAndWriteVideo(result, request, bytes, "mkv", kVideoMkvWrite, 0.8, [&](OutputPieces& out) {
        uint64_t pos = layout.start;
        for (const Edit& edit : layout.edits) {
            out.appendInput(pos, edit.from - pos);
            if (!edit.bytes.empty())
                out.append(edit.bytes);
            if (edit.keepLength > 0)
                out.appendInput(edit.keepFrom, edit.keepLength);
            pos = edit.to;
        }
        out.appendInput(pos, bytes.size() - pos);
    });
    return result;
}

} // namespace data_repair
