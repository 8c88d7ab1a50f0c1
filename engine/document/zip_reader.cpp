#include <zlib.h>

#include <algorithm>
#include <array>
#include <deque>
#include <functional>
#include <optional>

#include "data_repair/checkpoint.h"
#include "data_repair/file_access.h"
#include "document/zip_archive.h"

namespace data_repair {

namespace {

constexpr uint32_t kLocalSig = 0x04034B50;
constexpr uint32_t kDescriptorSig = 0x08074B50;
constexpr uint32_t kMax32 = 0xFFFFFFFF;
// Candidate boundaries tried per data-descriptor entry before falling back to the first one.
constexpr int kMaxCandidates = 64;

bool isRecordPair(uint8_t a, uint8_t b)
{
    return (a == 1 && b == 2) || (a == 3 && b == 4) || (a == 5 && b == 6) || (a == 7 && b == 8);
}

// Record signature positions, so that "the next record after X" costs a binary search instead of
// four searches to the end of the file per entry. They are found window by window, only as far
// as a question needs: archives whose headers carry their sizes never ask, and a boundary found
// right after an entry costs one window.
class RecordIndex {
public:
    // Windows of 64 KiB: a boundary right after an entry (a folder's, say) is found in the first.
    explicit RecordIndex(ByteView data) : input_(data, 64 << 10) {}
    uint64_t nextRecord(uint64_t from) { return next(records_, from); }
    uint64_t nextLocal(uint64_t from) { return next(locals_, from); }
    // Record signatures in file order from the first at or after `from`: record(first + k).
    size_t firstRecordAtOrAfter(uint64_t from)
    {
        nextRecord(from);
        return static_cast<size_t>(std::lower_bound(records_.begin(), records_.end(), from) - records_.begin());
    }
    uint64_t record(size_t k)
    {
        while (k >= records_.size() && to_ < input_.size())
            extend();
        return k < records_.size() ? records_[k] : npos;
    }

private:
    uint64_t next(const std::vector<uint64_t>& list, uint64_t from)
    {
        // Questions move forward through the file: the lists start over where one leaves them.
        if (from < from_ || from > to_) {
            records_.clear();
            locals_.clear();
            from_ = to_ = from;
        }
        for (;;) {
            const auto it = std::lower_bound(list.begin(), list.end(), from);
            if (it != list.end())
                return *it;
            if (to_ >= input_.size())
                return npos;
            extend();
        }
    }
    // Adds the signatures that start in the next window.
    void extend()
    {
        checkpoint(to_, input_.size());
        const uint64_t end = std::min(to_ + input_.windowSize(), input_.size());
        const ByteView bytes = input_.view(to_, end - to_ + 3);
        for (uint64_t q = findBytes(bytes, "PK", 0); q != npos && to_ + q < end; q = findBytes(bytes, "PK", q + 1)) {
            if (!fits(bytes, q, 4))
                break;
            if (isRecordPair(bytes[q + 2], bytes[q + 3])) {
                records_.push_back(to_ + q);
                if (bytes[q + 2] == 3)
                    locals_.push_back(to_ + q);
            }
        }
        to_ = end;
    }

    InputWindow input_;
    uint64_t from_ = 0; // the lists hold every signature in [from_, to_)
    uint64_t to_ = 0;
    std::vector<uint64_t> records_;
    std::vector<uint64_t> locals_;
};

// Where a raw deflate stream starting at pos ends, with the CRC and size of what it inflates to.
struct InflateExtent {
    bool ok = false;
    uint64_t consumed = 0;
    uint64_t produced = 0;
    uint32_t crc = 0;
};

InflateExtent inflateExtent(InputWindow& data, uint64_t pos, uint64_t& budget)
{
    InflateExtent extent;
    z_stream stream{};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK)
        return extent;
    std::array<uint8_t, 64 * 1024> out{};
    uLong crc = ::crc32(0L, Z_NULL, 0);
    uint64_t offset = pos;
    int status = Z_OK;
    while (status == Z_OK && budget > 0) {
        if (stream.avail_in == 0) {
            if (offset >= data.size())
                break;
            const uint64_t chunk = std::min<uint64_t>({data.size() - offset, data.windowSize(), 1u << 30, budget});
            stream.next_in = const_cast<Bytef*>(data.view(offset, chunk).data());
            stream.avail_in = static_cast<uInt>(chunk);
            offset += chunk;
            budget -= chunk;
        }
        stream.next_out = out.data();
        stream.avail_out = static_cast<uInt>(out.size());
        status = inflate(&stream, Z_NO_FLUSH);
        const uInt produced = static_cast<uInt>(out.size()) - stream.avail_out;
        crc = ::crc32(crc, out.data(), produced);
        extent.produced += produced;
        if (status == Z_BUF_ERROR && stream.avail_in == 0)
            status = Z_OK; // wants more input
    }
    if (status == Z_STREAM_END) {
        extent.ok = true;
        extent.consumed = stream.total_in;
        extent.crc = static_cast<uint32_t>(crc);
    }
    inflateEnd(&stream);
    return extent;
}

// A data descriptor: signed or not, with 32- or 64-bit sizes.
struct Descriptor {
    bool found = false;
    uint32_t crc = 0;
    uint64_t compressed = 0;
    uint64_t uncompressed = 0;
    uint64_t length = 0;
};

// Every form a descriptor starting at `at` could have (`at`: 24 bytes from there where the file
// has them), the wide ones first when the header announced ZIP64 sizes.
std::array<Descriptor, 4> descriptorForms(ByteView at, bool wideFirst)
{
    const bool signature = readLe32(at, 0) == kDescriptorSig;
    const Descriptor signed32{signature && fits(at, 0, 16), readLe32(at, 4), readLe32(at, 8), readLe32(at, 12), 16};
    const Descriptor signed64{signature && fits(at, 0, 24), readLe32(at, 4), readLe64(at, 8), readLe64(at, 16), 24};
    const Descriptor plain32{fits(at, 0, 12), readLe32(at, 0), readLe32(at, 4), readLe32(at, 8), 12};
    const Descriptor plain64{fits(at, 0, 20), readLe32(at, 0), readLe64(at, 4), readLe64(at, 12), 20};
    if (wideFirst)
        return {signed64, signed32, plain64, plain32};
    return {signed32, signed64, plain32, plain64};
}

// What the central directory says of the entries, where an end record near the end of the data
// leads to one. Nothing in it is trusted on its own: an entry is only taken where its local header
// and the bytes after its payload agree.
class CentralDirectory {
public:
    struct Entry {
        uint64_t offset = 0; // of the local header, as the directory counts
        uint32_t crc = 0;
        uint64_t compressed = 0;
        uint64_t uncompressed = 0;
        uint16_t method = 0;
        std::string name;
    };

    explicit CentralDirectory(const InputWindow& source)
    {
        InputWindow input(source, 64 << 10);
        const uint64_t n = input.size();
        const uint64_t tail = std::min<uint64_t>(n, (64 << 10) + 22);
        const ByteView bytes = input.view(n - tail, tail);
        const uint64_t at = rfindBytes(bytes, "PK\x05\x06");
        if (at == npos || !fits(bytes, at, 22))
            return;
        uint64_t size = readLe32(bytes, at + 12);
        uint64_t offset = readLe32(bytes, at + 16);
        uint64_t directoryEnd = n - tail + at;
        if (readLe16(bytes, at + 10) == 0xFFFF || size == kMax32 || offset == kMax32) {
            // ZIP64: the locator right before the end record, the ZIP64 end record before it.
            if (directoryEnd < 20 + 56 || readLe32(input.view(directoryEnd - 20, 4), 0) != 0x07064B50)
                return;
            const uint64_t record = directoryEnd - 20 - 56;
            const ByteView wide = input.view(record, 56);
            if (readLe32(wide, 0) != 0x06064B50 || !fits(wide, 0, 56))
                return;
            size = readLe64(wide, 40);
            offset = readLe64(wide, 48);
            directoryEnd = record;
        }
        if (size > directoryEnd)
            return;
        const uint64_t start = directoryEnd - size;
        shift_ = start - offset; // modulo 2^64: bytes before the archive, or missing from its front
        for (uint64_t p = start; p + 46 <= directoryEnd;) {
            checkpoint(p, n);
            ByteView header = input.view(p, 46);
            if (readLe32(header, 0) != 0x02014B50)
                break;
            const uint64_t nameLength = readLe16(header, 28);
            const uint64_t extraLength = readLe16(header, 30);
            const uint64_t length = 46 + nameLength + extraLength + readLe16(header, 32);
            if (p + length > directoryEnd)
                break;
            header = input.view(p, 46 + nameLength + extraLength);
            Entry entry;
            entry.method = readLe16(header, 10);
            entry.crc = readLe32(header, 16);
            entry.compressed = readLe32(header, 20);
            entry.uncompressed = readLe32(header, 24);
            entry.offset = readLe32(header, 42);
            entry.name = bytesToString(header, 46, nameLength);
            readWideFields(header.subspan(static_cast<size_t>(46 + nameLength)), entry);
            entries_.push_back(std::move(entry));
            p += length;
        }
        const auto byOffset = [](const Entry& a, const Entry& b) { return a.offset < b.offset; };
        if (!std::is_sorted(entries_.begin(), entries_.end(), byOffset))
            std::stable_sort(entries_.begin(), entries_.end(), byOffset);
    }

    // The entry of the local header at `pos` named `name`: where the directory places it, counting
    // the bytes before the archive, or where it stands (the entries before bytes that were
    // inserted), or null.
    const Entry* find(uint64_t pos, std::string_view name) const
    {
        for (const uint64_t offset : {pos - shift_, pos}) {
            const auto it = std::lower_bound(entries_.begin(), entries_.end(), offset,
                                             [](const Entry& e, uint64_t value) { return e.offset < value; });
            for (auto at = it; at != entries_.end() && at->offset == offset; ++at) {
                if (at->name == name)
                    return &*at;
            }
        }
        return nullptr;
    }

private:
    // The ZIP64 extended information fills the fields that read FFFFFFFF, in this order.
    static void readWideFields(ByteView extra, Entry& entry)
    {
        for (uint64_t p = 0; p + 4 <= extra.size();) {
            const uint16_t size = readLe16(extra, p + 2);
            if (p + 4 + size > extra.size())
                return;
            if (readLe16(extra, p) == 0x0001) {
                uint64_t q = p + 4;
                for (uint64_t* field : {&entry.uncompressed, &entry.compressed, &entry.offset}) {
                    if (*field == kMax32 && q + 8 <= p + 4 + size) {
                        *field = readLe64(extra, q);
                        q += 8;
                    }
                }
                return;
            }
            p += 4 + size;
        }
    }

    std::vector<Entry> entries_;
    uint64_t shift_ = 0;
};

// The ZIP64 extended-information record of a local header's extra field (`data`) fills the
// fields that read FFFFFFFF.
void readZip64Sizes(ByteView data, uint64_t& c, uint64_t& u)
{
    uint64_t p = 0;
    const uint64_t end = data.size();
    while (p + 4 <= end) {
        const uint16_t id = readLe16(data, p);
        const uint16_t size = readLe16(data, p + 2);
        if (p + 4 + size > end)
            return;
        if (id == 0x0001) {
            uint64_t q = p + 4;
            if (u == kMax32 && q + 8 <= p + 4 + size) {
                u = readLe64(data, q);
                q += 8;
            }
            if (c == kMax32 && q + 8 <= p + 4 + size)
                c = readLe64(data, q);
            return;
        }
        p += 4 + size;
    }
}

// The local extra field without its ZIP64 record (the writer makes a fresh one when needed).
ByteBuffer extraWithoutZip64(ByteView data)
{
    ByteBuffer kept;
    uint64_t p = 0;
    const uint64_t end = data.size();
    while (p + 4 <= end) {
        const uint16_t size = readLe16(data, p + 2);
        if (p + 4 + size > end)
            break;
        if (readLe16(data, p) != 0x0001)
            appendRange(kept, data, p, 4 + size);
        p += 4 + size;
    }
    return kept;
}

// Whether another record of an entry than the one its CRC was taken from gives the CRC its data
// has (`actual`).
using Vouch = std::function<bool(const ZipEntry& entry, uint32_t actual)>;

// Settles a stored entry's CRC once its data's is known. Where the recorded CRC disagrees and no
// other record of the entry vouches for the data, the data is what is damaged: the entry keeps the
// recorded CRC, so that readers still see the damage, and is marked damaged. Returns the mismatch.
std::optional<Finding> settleStoredCrc(ZipEntry& entry, uint32_t recorded, uint32_t actual, uint64_t offset,
                                       const Vouch& vouch)
{
    entry.crcSettled = true;
    entry.crc32 = actual;
    if (recorded == 0 || recorded == actual)
        return std::nullopt;
    const bool dataSound = vouch(entry, actual);
    if (!dataSound) {
        entry.crc32 = recorded;
        entry.damaged = true;
    }
    return Finding{ChecksumMismatch, Warning, "ZIP stored entry CRC mismatch: " + entry.name, offset, 4, 0.92, dataSound};
}

// The walk's findings in the order it makes them. A stored entry's CRC computed in the background
// holds its place until it is known, with the findings after it waiting behind it; then the entry
// takes its CRC, and a mismatch becomes a finding in that place.
class WalkFindings {
public:
    WalkFindings(RepairResult* report, BackgroundCrc& crcs, std::vector<ZipEntry>& entries, Vouch vouch)
        : report_(report), crcs_(crcs), entries_(entries), vouch_(std::move(vouch))
    {}

    void add(int32_t category, int32_t severity, std::string message, uint64_t offset, uint64_t length, bool repairable,
             double confidence)
    {
        if (report_ == nullptr)
            return;
        if (waiting_.empty())
            report_->addFinding(category, severity, std::move(message), offset, length, repairable, confidence);
        else
            waiting_.push_back(
                Item{Finding{category, severity, std::move(message), offset, length, confidence, repairable}});
    }

    // The CRC of entries[entry], the entry about to be added, compared with `expected` once known.
    void addCrcCheck(size_t entry, size_t ticket, uint32_t expected, uint64_t offset)
    {
        Item item;
        item.check = true;
        item.entry = entry;
        item.ticket = ticket;
        item.expected = expected;
        item.finding.offset = offset;
        waiting_.push_back(std::move(item));
    }

    // Passes on what no longer waits; past a bound, or with `all`, waits for the CRCs.
    void flush(bool all)
    {
        while (!waiting_.empty() && waiting_.front().entry < entries_.size()) {
            Item& item = waiting_.front();
            if (item.check && !all && waiting_.size() <= kMaxWaiting && !crcs_.ready(item.ticket))
                return;
            if (item.check) {
                const auto mismatch = settleStoredCrc(entries_[item.entry], item.expected, crcs_.crc(item.ticket),
                                                      item.finding.offset, vouch_);
                if (mismatch && report_ != nullptr)
                    report_->addFinding(mismatch->category, mismatch->severity, mismatch->message, mismatch->offset,
                                        mismatch->length, mismatch->repairable, mismatch->confidence);
            } else {
                Finding& f = item.finding;
                report_->addFinding(f.category, f.severity, std::move(f.message), f.offset, f.length, f.repairable,
                                    f.confidence);
            }
            waiting_.pop_front();
        }
    }

private:
    static constexpr size_t kMaxWaiting = 4096;
    struct Item {
        Finding finding;
        bool check = false;
        size_t entry = 0;
        size_t ticket = 0;
        uint32_t expected = 0;
    };

    RepairResult* report_;
    BackgroundCrc& crcs_;
    std::vector<ZipEntry>& entries_;
    Vouch vouch_;
    std::deque<Item> waiting_;
};

// The list of entries is made at about its size once instead of growing through copies of
// itself, but never larger than one entry per KiB of input (and a thousand) ahead of what it holds.
size_t boundedEntryCount(uint64_t count, uint64_t inputSize)
{
    return static_cast<size_t>(std::min<uint64_t>(count, inputSize / 1024 + 1024));
}

// The number of entries an end record in the last 64 KiB gives; 0 without one.
size_t expectedEntryCount(InputWindow& input)
{
    const uint64_t n = input.size();
    const uint64_t tail = std::min<uint64_t>(n, (64 << 10) + 22);
    const ByteView bytes = input.view(n - tail, tail);
    const uint64_t at = rfindBytes(bytes, "PK\x05\x06");
    if (at == npos || !fits(bytes, at, 22))
        return 0;
    return boundedEntryCount(readLe16(bytes, at + 10), n);
}

} // namespace

uint64_t findNextZipRecord(ByteView data, uint64_t start)
{
    uint64_t best = npos;
    for (const char* sig : {"PK\x03\x04", "PK\x01\x02", "PK\x05\x06", "PK\x07\x08"})
        best = std::min(best, findBytes(data, std::string_view(sig, 4), start));
    return best;
}

std::vector<ZipEntry> readZipEntries(ByteView data, RepairResult* report)
{
    std::vector<ZipEntry> entries;
    // The input is read through windows (see InputWindow). Headers, signatures and descriptors
    // come through a small one, so that a payload whose size can be taken as it stands is never
    // read; a stored payload is read once, for its CRC, together with the header after it; a
    // deflate stream that must be followed to its end is read window by window. Only where a
    // header's sizes cannot be taken as they stand are record signatures looked for.
    constexpr uint64_t kHeaderWindow = 1 << 9;
    // A stored payload at least this long is read and checked by a helper thread instead.
    constexpr uint64_t kBackgroundCrcBytes = 16 << 10;
    // Without an end record to give their number, the list of entries is sized after this many.
    constexpr size_t kEstimateAfter = 256;
    InputWindow input(data, kHeaderWindow);
    InputWindow stream(data);
    RecordIndex index(data);
    BackgroundCrc crcs(input);
    const uint64_t n = data.size();
    const auto recordAt = [&](uint64_t pos) {
        const ByteView sig = input.view(pos, 4);
        return sig.size() == 4 && sig[0] == 'P' && sig[1] == 'K' && isRecordPair(sig[2], sig[3]);
    };
    // The descriptor after a payload ending at payloadEnd: the form that gives the payload's
    // length and after which the next record begins (or the data ends).
    const auto closing = [&](uint64_t payloadEnd, uint64_t length, const std::array<Descriptor, 4>& forms) {
        for (const Descriptor& d : forms) {
            if (d.found && d.compressed == length && (payloadEnd + d.length == n || recordAt(payloadEnd + d.length)))
                return d;
        }
        return Descriptor{};
    };
    const auto descriptorAfter = [&](uint64_t payloadEnd, uint64_t length, bool wideFirst) {
        return closing(payloadEnd, length, descriptorForms(input.view(payloadEnd, 24), wideFirst));
    };
    // The central directory is read only when an entry needs it.
    std::optional<CentralDirectory> directory;
    const auto centralEntry = [&](uint64_t headerPos, const std::string& name) {
        if (!directory)
            directory.emplace(input);
        return directory->find(headerPos, name);
    };
    const auto vouch = [&](const ZipEntry& entry, uint32_t actual) {
        if (readLe32(entry.localHeader, 14) == actual)
            return true;
        const auto headerPos = static_cast<uint64_t>(entry.stored.data() - data.data()) - entry.localHeader.size();
        const CentralDirectory::Entry* listed = centralEntry(headerPos, entry.name);
        return listed != nullptr && listed->crc == actual;
    };
    WalkFindings findings(report, crcs, entries, vouch);
    entries.reserve(expectedEntryCount(input));
    const auto nextLocal = [&](uint64_t from) {
        const ByteView sig = input.view(from, 4);
        return sig.size() == 4 && readLe32(sig, 0) == kLocalSig ? from : index.nextLocal(from);
    };
    // A stored payload read here is read together with the header after it.
    const auto crcOf = [&](uint64_t pos, uint64_t length) { return zipCrc32Of(input, pos, length, kHeaderWindow); };
    // Inflating to find where a stream ends is bounded in total, so hostile archives stay linear.
    uint64_t inflateBudget = 2 * n + (1u << 20);
    uint64_t p = nextLocal(0);
    while (p != npos) {
        checkpoint(p, n);
        if (!fitsIn(n, p, 30))
            break;
        ByteView header = input.view(p, 30);
        const uint16_t flags = readLe16(header, 6);
        const uint16_t method = readLe16(header, 8);
        const uint32_t headerCrc = readLe32(header, 14);
        uint64_t c = readLe32(header, 18);
        uint64_t u = readLe32(header, 22);
        const uint64_t nameLength = readLe16(header, 26);
        const uint64_t extraLength = readLe16(header, 28);
        if (nameLength == 0 || !fitsIn(n, p + 30, nameLength + extraLength)) {
            findings.add(Truncated, Warning, "ZIP local file header is truncated", p, 30, true, 0.8);
            p = index.nextLocal(p + 1);
            continue;
        }
        header = input.view(p, 30 + nameLength + extraLength);
        ZipEntry entry;
        entry.localHeader.assign(header.begin(), header.end());
        entry.name = bytesToString(header, 30, nameLength);
        entry.method = method;
        entry.flags = flags;
        entry.versionNeeded = readLe16(header, 4);
        entry.dosTime = readLe16(header, 10);
        entry.dosDate = readLe16(header, 12);
        entry.encrypted = (flags & kZipFlagEncrypted) != 0;
        const ByteView extra = header.subspan(static_cast<size_t>(30 + nameLength));
        const bool zip64 = c == kMax32 || u == kMax32;
        if (zip64)
            readZip64Sizes(extra, c, u);
        if (entry.encrypted)
            entry.extra = extraWithoutZip64(extra);
        const uint64_t dataStart = p + 30 + nameLength + extraLength;
        const bool withDescriptor = (flags & kZipFlagDescriptor) != 0;
        uint64_t end = 0;
        const bool declaredFits = checkedAdd(dataStart, c, end) && end <= n;
        if (!declaredFits && end == 0)
            end = npos; // the declared size does not even fit 64 bits
        uint64_t size = c;
        uint64_t usize = u;
        uint32_t crc = headerCrc;
        uint64_t recordEnd = end;
        std::optional<uint32_t> declaredCrc;  // of the declared range, once computed
        std::optional<size_t> declaredTicket; // ... or while a helper computes it

        if (withDescriptor || c == 0 || !declaredFits) {
            bool settled = false;
            // Sizes and CRC that another record of the entry gives and the bytes bear out: then
            // nothing was repaired. Otherwise the boundary found stands for the lost sizes.
            bool confirmed = false;
            const auto take = [&](uint64_t payloadEnd, const Descriptor& d) {
                settled = true;
                confirmed = withDescriptor;
                end = payloadEnd;
                recordEnd = payloadEnd + d.length;
                size = payloadEnd - dataStart;
                crc = d.crc;
                usize = d.uncompressed;
            };
            // The central directory's entry, where its payload ends in a descriptor that agrees
            // with it, or right at the next record.
            if (const CentralDirectory::Entry* listed = centralEntry(p, entry.name);
                listed != nullptr && listed->method == method && fitsIn(n, dataStart, listed->compressed)) {
                const uint64_t payloadEnd = dataStart + listed->compressed;
                Descriptor d = withDescriptor ? descriptorAfter(payloadEnd, listed->compressed, zip64) : Descriptor{};
                if (!d.found || d.crc != listed->crc || d.uncompressed != listed->uncompressed)
                    d = Descriptor{payloadEnd == n || recordAt(payloadEnd), listed->crc, listed->compressed,
                                   listed->uncompressed, 0};
                if (d.found)
                    take(payloadEnd, d);
            }
            if (!settled && method == 8 && !entry.encrypted) {
                // A deflate stream knows where it ends: take the exact end, CRC and size.
                const InflateExtent extent = inflateExtent(stream, dataStart, inflateBudget);
                if (extent.ok) {
                    const uint64_t payloadEnd = dataStart + extent.consumed;
                    Descriptor d = withDescriptor ? descriptorAfter(payloadEnd, extent.consumed, zip64) : Descriptor{};
                    const bool agrees = d.found && d.crc == extent.crc && d.uncompressed == extent.produced;
                    take(payloadEnd, Descriptor{true, extent.crc, extent.consumed, extent.produced, d.length});
                    confirmed = agrees;
                }
            }
            if (!settled) {
                // The next record signature is the boundary; with a data descriptor, only one that
                // a descriptor of the payload's length ends at or starts at (a payload can hold
                // the bytes "PK").
                uint64_t fallback = npos;
                const size_t first = index.firstRecordAtOrAfter(dataStart);
                for (size_t k = first; k < first + kMaxCandidates && !settled; ++k) {
                    // Past the last record, the end of the data: a descriptor without signature
                    // may end an archive cut before its directory.
                    const uint64_t record = index.record(k);
                    const uint64_t g = record == npos ? n : record;
                    if (fallback == npos)
                        fallback = record;
                    if (!withDescriptor)
                        break;
                    // A signed descriptor at g, or an unsigned one ending there: one read for all.
                    const uint64_t from = g - std::min<uint64_t>(g - dataStart, 20);
                    const ByteView around = input.view(from, g + 24 - from);
                    constexpr std::array<uint64_t, 3> kBacks{0, 12, 20};
                    std::array<std::array<Descriptor, 4>, 3> forms{};
                    size_t places = 0;
                    for (; places < kBacks.size() && g >= from + kBacks[places]; ++places) {
                        const uint64_t at = g - kBacks[places] - from;
                        forms[places] = descriptorForms(at < around.size() ? around.subspan(at) : ByteView(), zip64);
                    }
                    for (size_t i = 0; i < places && !settled; ++i) {
                        const uint64_t payloadEnd = g - kBacks[i];
                        const Descriptor d = closing(payloadEnd, payloadEnd - dataStart, forms[i]);
                        if (d.found)
                            take(payloadEnd, d);
                    }
                    if (record == npos)
                        break;
                }
                if (!settled && fallback != npos) {
                    settled = true;
                    end = recordEnd = fallback;
                    size = end - dataStart;
                    if (method == 0)
                        usize = size;
                }
            }
            if (settled && !confirmed && size != c)
                findings.add(IndexDamaged, Warning, "ZIP entry size was repaired from package boundary: " + entry.name,
                             p + 18, 4, true, 0.86);
        } else if (method == 0 && c > 0) {
            // Trust the declared range when it checks out; only otherwise may a signature inside
            // the bytes (a nested archive, an image) mark where the entry really ended. The CRC
            // is needed below anyway: computed here, it reads the next header with the data.
            if (!entry.encrypted && c >= kBackgroundCrcBytes)
                declaredTicket = crcs.add(dataStart, c);
            else if (!entry.encrypted)
                declaredCrc = crcOf(dataStart, c);
            bool trusted = end == n || recordAt(end);
            if (!trusted && !entry.encrypted && headerCrc != 0) {
                if (!declaredCrc)
                    declaredCrc = crcs.crc(*declaredTicket);
                trusted = *declaredCrc == headerCrc;
            }
            const uint64_t g = trusted ? npos : index.nextRecord(dataStart + 1);
            if (g != npos && g < end) {
                end = recordEnd = g;
                size = usize = g - dataStart;
                findings.add(IndexDamaged, Warning,
                             "ZIP entry declared size crossed into the next package record: " + entry.name, p + 18, 4,
                             true, 0.88);
            }
        }
        if (end == npos || end > n) {
            findings.add(Truncated, Warning, "ZIP entry payload is truncated: " + entry.name, dataStart, size, true,
                         0.82);
            end = n;
            recordEnd = n;
        }
        entry.stored = std::span<const uint8_t>(data).subspan(static_cast<size_t>(dataStart),
                                                              static_cast<size_t>(end - dataStart));
        entry.compressedSize = end - dataStart;
        entry.uncompressedSize = method == 0 && !entry.encrypted ? entry.compressedSize : usize;
        entry.crc32 = crc;
        if (method != 0 && method != 8)
            findings.add(UnsupportedFormat, Info,
                         "ZIP entry uses an uncommon compression method preserved as-is: " + entry.name, p + 8, 2,
                         false, 0.7);
        if (method == 0 && !entry.encrypted) {
            // The declared range's CRC, when it was computed and the range stood, is not computed again.
            const bool sameRange = end == dataStart + c;
            std::optional<uint32_t> actual = sameRange ? declaredCrc : std::nullopt;
            std::optional<size_t> ticket = sameRange && !actual ? declaredTicket : std::nullopt;
            if (!actual && !ticket) {
                if (entry.stored.size() >= kBackgroundCrcBytes)
                    ticket = crcs.add(dataStart, entry.stored.size());
                else
                    actual = crcOf(dataStart, entry.stored.size());
            }
            if (actual) {
                if (auto mismatch = settleStoredCrc(entry, crc, *actual, p + 14, vouch))
                    findings.add(mismatch->category, mismatch->severity, std::move(mismatch->message), mismatch->offset,
                                 mismatch->length, mismatch->repairable, mismatch->confidence);
            } else {
                findings.addCrcCheck(entries.size(), *ticket, crc, p + 14);
            }
            if ((c != 0 && c != entry.compressedSize) || (u != 0 && u != entry.stored.size()))
                findings.add(IndexDamaged, Warning,
                             "ZIP stored entry size fields do not match recovered payload: " + entry.name, p + 18, 8,
                             true, 0.9);
        }
        if (entry.encrypted)
            findings.add(Encrypted, Warning, "ZIP entry is encrypted and cannot be content-repaired: " + entry.name, p,
                         entry.compressedSize, false, 0.95);
        entries.push_back(std::move(entry));
        if (entries.size() == kEstimateAfter && entries.capacity() < 2 * kEstimateAfter)
            // No end record said how many entries there are: the first ones tell.
            entries.reserve(boundedEntryCount(kEstimateAfter * n / std::max<uint64_t>(recordEnd, 1), n));
        findings.flush(false);
        p = nextLocal(std::max(recordEnd, p + 1));
    }
    findings.flush(true);
    return entries;
}

uint64_t findLastZipEndRecord(ByteView data, uint64_t from)
{
    // From the end, window by window (see InputWindow); each window reaches three bytes into the
    // one after it, so a signature across the seam is found.
    InputWindow input(data);
    for (uint64_t end = data.size(); end > from;) {
        const uint64_t start = end - from > input.windowSize() ? end - input.windowSize() : from;
        checkpoint(data.size() - end, data.size());
        const uint64_t at = rfindBytes(input.view(start, end - start + 3), "PK\x05\x06");
        if (at != npos)
            return start + at;
        end = start;
    }
    return npos;
}

} // namespace data_repair
