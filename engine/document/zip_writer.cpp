#include <algorithm>

#include "document/zip_archive.h"

namespace data_repair {

namespace {

constexpr uint64_t kMax32 = 0xFFFFFFFF;
constexpr uint64_t kMax16 = 0xFFFF;
// Flags carried over: encryption (0, 6), deflate options (1, 2) and UTF-8 names (11). The
// descriptor bit is dropped because the fresh headers carry the real CRC and sizes.
constexpr uint16_t kKeptFlags = 0x0001 | 0x0002 | 0x0004 | 0x0040 | 0x0800;

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

ByteBuffer joinExtra(ByteBuffer first, const ByteBuffer& kept)
{
    if (first.size() + kept.size() <= kMax16)
        appendBytes(first, kept);
    return first;
}

uint32_t field32(uint64_t value) { return value >= kMax32 ? static_cast<uint32_t>(kMax32) : static_cast<uint32_t>(value); }

} // namespace

ByteBuffer writeZipArchive(std::vector<ZipEntry> entries, const std::string& format, RepairResult& report)
{
    restoreOoxmlParts(entries, format, report);
    ByteBuffer out;
    uint64_t total = 64;
    for (const auto& e : entries)
        total += 2 * (46 + 28 + e.name.size() + e.extra.size()) + e.payload.size() + 24;
    out.reserve(total);

    std::vector<uint64_t> offsets;
    std::vector<uint16_t> writtenFlags;
    offsets.reserve(entries.size());
    writtenFlags.reserve(entries.size());
    for (auto& e : entries) {
        if (e.method == 0 && !e.encrypted) {
            e.crc32 = zipCrc32(e.payload.data(), e.payload.size());
            e.uncompressedSize = e.payload.size();
        }
        e.compressedSize = e.payload.size();
        uint16_t flags = e.flags & kKeptFlags;
        // Traditional encryption checks the password against the time when the descriptor bit
        // was set, so an encrypted entry keeps its descriptor.
        const bool descriptor = e.encrypted && (e.flags & kZipFlagDescriptor) != 0;
        if (descriptor)
            flags |= kZipFlagDescriptor;
        writtenFlags.push_back(flags);
        const bool zip64Sizes = e.compressedSize >= kMax32 || e.uncompressedSize >= kMax32;
        offsets.push_back(out.size());

        appendLe32(out, 0x04034B50);
        appendLe16(out, versionNeeded(e, zip64Sizes));
        appendLe16(out, flags);
        appendLe16(out, e.method);
        appendLe16(out, e.dosTime);
        appendLe16(out, e.dosDate);
        appendLe32(out, e.crc32);
        appendLe32(out, zip64Sizes ? static_cast<uint32_t>(kMax32) : static_cast<uint32_t>(e.compressedSize));
        appendLe32(out, zip64Sizes ? static_cast<uint32_t>(kMax32) : static_cast<uint32_t>(e.uncompressedSize));
        const ByteBuffer extra = joinExtra(
            zip64Sizes ? zip64Extra({e.uncompressedSize, e.compressedSize}) : ByteBuffer(), e.extra);
        appendLe16(out, static_cast<uint16_t>(e.name.size()));
        appendLe16(out, static_cast<uint16_t>(extra.size()));
        appendString(out, e.name);
        appendBytes(out, extra);
        appendBytes(out, e.payload);
        if (descriptor) {
            appendLe32(out, 0x08074B50);
            appendLe32(out, e.crc32);
            if (zip64Sizes) {
                appendLe64(out, e.compressedSize);
                appendLe64(out, e.uncompressedSize);
            } else {
                appendLe32(out, static_cast<uint32_t>(e.compressedSize));
                appendLe32(out, static_cast<uint32_t>(e.uncompressedSize));
            }
        }
        // The payload now lives in the output; free it as we go (archives can be large).
        ByteBuffer().swap(e.payload);
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
        appendLe32(out, 0x02014B50);
        appendLe16(out, 45);
        appendLe16(out, versionNeeded(e, !wide.empty()));
        appendLe16(out, writtenFlags[i]);
        appendLe16(out, e.method);
        appendLe16(out, e.dosTime);
        appendLe16(out, e.dosDate);
        appendLe32(out, e.crc32);
        appendLe32(out, field32(e.compressedSize));
        appendLe32(out, field32(e.uncompressedSize));
        appendLe16(out, static_cast<uint16_t>(e.name.size()));
        appendLe16(out, static_cast<uint16_t>(extra.size()));
        appendLe16(out, 0);
        appendLe16(out, 0);
        appendLe16(out, 0);
        appendLe32(out, 0);
        appendLe32(out, field32(offsets[i]));
        appendString(out, e.name);
        appendBytes(out, extra);
    }
    const uint64_t directorySize = out.size() - directoryOffset;
    const uint64_t count = entries.size();

    if (count >= kMax16 || directorySize >= kMax32 || directoryOffset >= kMax32) {
        const uint64_t zip64End = out.size();
        appendLe32(out, 0x06064B50);
        appendLe64(out, 44);
        appendLe16(out, 45);
        appendLe16(out, 45);
        appendLe32(out, 0);
        appendLe32(out, 0);
        appendLe64(out, count);
        appendLe64(out, count);
        appendLe64(out, directorySize);
        appendLe64(out, directoryOffset);
        appendLe32(out, 0x07064B50);
        appendLe32(out, 0);
        appendLe64(out, zip64End);
        appendLe32(out, 1);
    }
    appendLe32(out, 0x06054B50);
    appendLe16(out, 0);
    appendLe16(out, 0);
    appendLe16(out, static_cast<uint16_t>(std::min(count, kMax16)));
    appendLe16(out, static_cast<uint16_t>(std::min(count, kMax16)));
    appendLe32(out, field32(directorySize));
    appendLe32(out, field32(directoryOffset));
    appendLe16(out, 0);
    report.addAction("rebuild-zip-directory", "rebuilt ZIP central directory and EOCD", count);
    return out;
}

} // namespace data_repair
