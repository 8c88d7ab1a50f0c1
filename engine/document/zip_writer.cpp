#include <algorithm>

#include "data_repair/output_writer.h"
#include "document/zip_archive.h"

namespace data_repair {

namespace {

constexpr uint64_t kMax32 = 0xFFFFFFFF;
constexpr uint64_t kMax16 = 0xFFFF;
// Flags carried over: encryption (0, 6), deflate options (1, 2) and UTF-8 names (11). The
// descriptor bit is dropped because the fresh headers carry the real CRC and sizes.
constexpr uint16_t kKeptFlags = 0x0001 | 0x0002 | 0x0004 | 0x0040 | 0x0800;
constexpr uint16_t kZipFlagUtf8 = 0x0800;
constexpr uint16_t kMadeOnVfat = 14 << 8;

uint16_t versionNeeded(const ZipEntry& entry, bool zip64)
{
    uint16_t version = (entry.versionNeeded > 20 && entry.versionNeeded <= 63) ? entry.versionNeeded : 20;
    return zip64 ? std::max<uint16_t>(version, 45) : version;
}

// ZIP64 extended information: only the fields whose 32-bit slot reads FFFFFFFF, in this order.
ByteBuffer zip64Extra(const std::vector<uint64_t>& values)
{
    ByteBuffer extra;
    if (values.empty())
        return extra;
    appendLe16(extra, 0x0001);
    appendLe16(extra, static_cast<uint16_t>(8 * values.size()));
    for (uint64_t v : values)
        appendLe64(extra, v);
    return extra;
}

ByteBuffer joinExtra(ByteBuffer first, ByteView kept)
{
    if (first.size() + kept.size() <= kMax16)
        appendBytes(first, kept);
    return first;
}

uint32_t field32(uint64_t value) { return value >= kMax32 ? static_cast<uint32_t>(kMax32) : static_cast<uint32_t>(value); }

// The archive as it is laid out: headers gather in `head`; a payload that is a stretch of the
// input becomes a piece of its own, any other is copied into `head`.
struct ArchiveOut {
    OutputPieces& pieces;
    ByteBuffer head;

    uint64_t size() const { return pieces.size() + head.size(); }
    bool inInput(std::span<const uint8_t> bytes) const
    {
        const ByteView input = pieces.input();
        return !input.empty() && bytes.data() >= input.data() && bytes.data() + bytes.size() <= input.data() + input.size();
    }
    void stretch(std::span<const uint8_t> bytes)
    {
        finish();
        pieces.appendInput(static_cast<uint64_t>(bytes.data() - pieces.input().data()), bytes.size());
    }
    void payload(std::span<const uint8_t> bytes)
    {
        if (!bytes.empty() && inInput(bytes))
            stretch(bytes);
        else
            head.insert(head.end(), bytes.begin(), bytes.end());
    }
    // A local header and its payload. Where the input holds the same header bytes right before
    // the payload, both are one stretch of the input, which joins the stretch of the entry before.
    void entry(const ByteBuffer& header, const ZipEntry& e, std::span<const uint8_t> bytes)
    {
        const ByteView input = pieces.input();
        if (!e.localHeader.empty() && e.localHeader == header && e.payload.empty() && inInput(e.stored) &&
            static_cast<uint64_t>(e.stored.data() - input.data()) >= header.size()) {
            stretch(std::span<const uint8_t>(e.stored.data() - header.size(), header.size() + e.stored.size()));
            return;
        }
        appendBytes(head, header);
        payload(bytes);
    }
    void finish()
    {
        pieces.append(std::move(head));
        head = ByteBuffer();
    }
};

} // namespace

ByteBuffer writeZipArchive(std::vector<ZipEntry> entries, const std::string& format, RepairResult& report)
{
    static const ByteBuffer noInput;
    OutputPieces pieces(noInput);
    writeZipArchive(std::move(entries), format, report, pieces);
    return pieces.joined();
}

void writeZipArchive(std::vector<ZipEntry> entries, const std::string& format, RepairResult& report,
                     OutputPieces& pieces)
{
    restoreOoxmlParts(entries, format, report);
    ArchiveOut out{pieces, {}};

    std::vector<uint64_t> offsets;
    std::vector<uint16_t> writtenFlags;
    ByteBuffer header;
    offsets.reserve(entries.size());
    writtenFlags.reserve(entries.size());
    for (auto& e : entries) {
        const std::span<const uint8_t> payload = zipPayload(e);
        if (e.method == 0 && !e.encrypted && !e.crcSettled) {
            e.crc32 = zipCrc32(payload.data(), payload.size());
            e.uncompressedSize = payload.size();
        }
        e.compressedSize = payload.size();
        uint16_t flags = e.flags & kKeptFlags;
        // Traditional encryption checks the password against the time when the descriptor bit
        // was set, so an encrypted entry keeps its descriptor.
        const bool descriptor = e.encrypted && (e.flags & kZipFlagDescriptor) != 0;
        if (descriptor)
            flags |= kZipFlagDescriptor;
        writtenFlags.push_back(flags);
        const bool zip64Sizes = e.compressedSize >= kMax32 || e.uncompressedSize >= kMax32;
        offsets.push_back(out.size());

        header.clear();
        appendLe32(header, 0x04034B50);
        appendLe16(header, versionNeeded(e, zip64Sizes));
        appendLe16(header, flags);
        appendLe16(header, e.method);
        appendLe16(header, e.dosTime);
        appendLe16(header, e.dosDate);
        appendLe32(header, e.crc32);
        appendLe32(header, zip64Sizes ? static_cast<uint32_t>(kMax32) : static_cast<uint32_t>(e.compressedSize));
        appendLe32(header, zip64Sizes ? static_cast<uint32_t>(kMax32) : static_cast<uint32_t>(e.uncompressedSize));
        const ByteBuffer extra = joinExtra(
            zip64Sizes ? zip64Extra({e.uncompressedSize, e.compressedSize}) : ByteBuffer(), e.extra);
        appendLe16(header, static_cast<uint16_t>(e.name.size()));
        appendLe16(header, static_cast<uint16_t>(extra.size()));
        appendString(header, e.name);
        appendBytes(header, extra);
        out.entry(header, e, payload);
        if (descriptor) {
            appendLe32(out.head, 0x08074B50);
            appendLe32(out.head, e.crc32);
            if (zip64Sizes) {
                appendLe64(out.head, e.compressedSize);
                appendLe64(out.head, e.uncompressedSize);
            } else {
                appendLe32(out.head, static_cast<uint32_t>(e.compressedSize));
                appendLe32(out.head, static_cast<uint32_t>(e.uncompressedSize));
            }
        }
        // A payload of its own now lives in the output; free it as we go (archives can be large).
        ByteBuffer().swap(e.payload);
        e.stored = {};
        ByteBuffer().swap(e.localHeader);
    }

    const uint64_t directoryOffset = out.size();
    for (size_t i = 0; i < entries.size(); ++i) {
        const ZipEntry& e = entries[i];
        std::vector<uint64_t> wide;
        if (e.uncompressedSize >= kMax32)
            wide.push_back(e.uncompressedSize);
        if (e.compressedSize >= kMax32)
            wide.push_back(e.compressedSize);
        if (offsets[i] >= kMax32)
            wide.push_back(offsets[i]);
        const ByteBuffer extra = joinExtra(zip64Extra(wide), e.extra);
        appendLe32(out.head, 0x02014B50);
        // Made on MS-DOS, Info-ZIP's unzip reads a name in the OEM code page even when its UTF-8
        // flag is set; made on VFAT (whose attributes mean the same) it takes the name as it is.
        appendLe16(out.head, (e.flags & kZipFlagUtf8) != 0 ? kMadeOnVfat | 45 : 45);
        appendLe16(out.head, versionNeeded(e, !wide.empty()));
        appendLe16(out.head, writtenFlags[i]);
        appendLe16(out.head, e.method);
        appendLe16(out.head, e.dosTime);
        appendLe16(out.head, e.dosDate);
        appendLe32(out.head, e.crc32);
        appendLe32(out.head, field32(e.compressedSize));
        appendLe32(out.head, field32(e.uncompressedSize));
        appendLe16(out.head, static_cast<uint16_t>(e.name.size()));
        appendLe16(out.head, static_cast<uint16_t>(extra.size()));
        appendLe16(out.head, 0);
        appendLe16(out.head, 0);
        appendLe16(out.head, 0);
        appendLe32(out.head, 0);
        appendLe32(out.head, field32(offsets[i]));
        appendString(out.head, e.name);
        appendBytes(out.head, extra);
    }
    const uint64_t directorySize = out.size() - directoryOffset;
    const uint64_t count = entries.size();

    if (count >= kMax16 || directorySize >= kMax32 || directoryOffset >= kMax32) {
        const uint64_t zip64End = out.size();
        appendLe32(out.head, 0x06064B50);
        appendLe64(out.head, 44);
        appendLe16(out.head, 45);
        appendLe16(out.head, 45);
        appendLe32(out.head, 0);
        appendLe32(out.head, 0);
        appendLe64(out.head, count);
        appendLe64(out.head, count);
        appendLe64(out.head, directorySize);
        appendLe64(out.head, directoryOffset);
        appendLe32(out.head, 0x07064B50);
        appendLe32(out.head, 0);
        appendLe64(out.head, zip64End);
        appendLe32(out.head, 1);
    }
    appendLe32(out.head, 0x06054B50);
    appendLe16(out.head, 0);
    appendLe16(out.head, 0);
    appendLe16(out.head, static_cast<uint16_t>(std::min(count, kMax16)));
    appendLe16(out.head, static_cast<uint16_t>(std::min(count, kMax16)));
    appendLe32(out.head, field32(directorySize));
    appendLe32(out.head, field32(directoryOffset));
    appendLe16(out.head, 0);
    out.finish();
    report.addAction("rebuild-zip-directory", "rebuilt ZIP central directory and EOCD", count);
}

} // namespace data_repair
