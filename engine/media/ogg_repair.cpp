// Ogg at the page level: find complete pages by their capture pattern, check each page's
// checksum, and write the complete pages only, every checksum recomputed. The codec inside the
// pages is not looked at.

#include <array>

#include "data_repair/output_writer.h"
#include "media/audio_formats.h"

namespace data_repair {

namespace {

constexpr uint64_t kPageHeaderLength = 27;
constexpr uint64_t kChecksumOffset = 22;
constexpr uint64_t kMaxRewrittenPages = 4096;

// Ogg's CRC-32 runs most significant bit first (polynomial 0x04C11DB7, initial value 0, no final
// XOR); zlib's crc32 is the bit-reflected variant and gives different values.
constexpr std::array<uint32_t, 256> makeOggCrcTable()
{
    std::array<uint32_t, 256> table{};
    for (uint32_t i = 0; i < 256; ++i) {
        uint32_t r = i << 24;
        for (int bit = 0; bit < 8; ++bit)
            r = (r & 0x80000000u) != 0 ? (r << 1) ^ 0x04C11DB7u : r << 1;
        table[i] = r;
    }
    return table;
}

constexpr std::array<uint32_t, 256> kOggCrcTable = makeOggCrcTable();

// Length of the complete page at pos, or 0 when no complete version-0 page starts there.
uint64_t completePageLength(ByteView buffer, uint64_t pos)
{
    if (!fits(buffer, pos, kPageHeaderLength) || buffer[pos + 4] != 0)
        return 0;
    const uint64_t segments = buffer[pos + 26];
    if (!fits(buffer, pos + kPageHeaderLength, segments))
        return 0;
    uint64_t length = kPageHeaderLength + segments;
    for (uint64_t i = 0; i < segments; ++i)
        length += buffer[pos + kPageHeaderLength + i];
    return fits(buffer, pos, length) ? length : 0;
}

} // namespace

uint32_t oggPageCrc(ByteView buffer, uint64_t pos, uint64_t length)
{
    uint32_t crc = 0;
    if (!fits(buffer, pos, length))
        return crc;
    const auto feed = [&crc](uint8_t byte) { crc = (crc << 8) ^ kOggCrcTable[((crc >> 24) ^ byte) & 0xFF]; };
    // The checksum field counts as zero bytes while the checksum is computed.
    const bool hasField = length > kChecksumOffset + 3;
    for (uint64_t i = 0; i < length; ++i) {
        if (hasField && i == kChecksumOffset) {
            for (int k = 0; k < 4; ++k)
                feed(0);
            i += 3;
            continue;
        }
        feed(buffer[pos + i]);
    }
    return crc;
}

uint32_t oggPageCrc(ByteView page) { return oggPageCrc(page, 0, page.size()); }

std::vector<OggPage> listOggPages(ByteView buffer)
{
    std::vector<OggPage> pages;
    uint64_t i = findBytes(buffer, "OggS", 0);
    while (i != npos) {
        const uint64_t length = completePageLength(buffer, i);
        if (length == 0) {
            // A damaged or cut page: the pages after it are still worth keeping.
            i = findBytes(buffer, "OggS", i + 1);
            continue;
        }
        pages.push_back({i, length, readLe32(buffer, i + kChecksumOffset) == oggPageCrc(buffer, i, length)});
        i = findBytes(buffer, "OggS", i + length);
    }
    return pages;
}

RepairResult analyzeOgg(const RepairRequest& request, ByteView buffer)
{
    RepairResult result = prepareAudioResult(request, buffer);
    result.format = "ogg";
    const std::vector<OggPage> pages = listOggPages(buffer);
    if (!reportAudioStart(result, pages.empty() ? npos : pages.front().offset,
                          {"Ogg page capture pattern was not found", 0.95, kAudioOggNotFound, "Ogg pages not found",
                           "garbage bytes before first Ogg page"}))
        return result;
    uint64_t expected = pages.front().offset;
    for (const OggPage& page : pages) {
        if (page.offset > expected)
            result.addFinding(StructureInvalid, Warning, "invalid bytes between Ogg pages can be dropped", expected,
                              page.offset - expected, true, 0.84);
        if (!page.checksumValid)
            result.addFinding(ChecksumMismatch, Warning, "Ogg page checksum is invalid", page.offset + kChecksumOffset,
                              4, true, 0.9);
        expected = page.offset + page.length;
    }
    if (expected < buffer.size())
        result.addFinding(Truncated, Warning, "truncated tail after the last complete Ogg page", expected,
                          buffer.size() - expected, true, 0.86);
    result.confidence = result.findings.empty() ? 1.0 : 0.82;
    return result;
}

RepairResult repairOgg(const RepairRequest& request, ByteView buffer)
{
    RepairResult result = analyzeOgg(request, buffer);
    if (!audioRepairShouldWrite(result, request))
        return result;
    const std::vector<OggPage> pages = listOggPages(buffer);
    uint64_t kept = 0;
    uint64_t rewritten = 0;
    for (const OggPage& page : pages) {
        kept += page.length;
        rewritten += page.checksumValid ? 0 : 1;
    }
    const uint64_t dropped = buffer.size() - kept;
    if (dropped > 0)
        result.addAction("rewrite-ogg-pages", "dropped garbage or truncated bytes outside complete Ogg pages", dropped);
    if (rewritten > 0)
        result.addAction("rewrite-ogg-checksum", "rewrote invalid Ogg page checksums", rewritten);
    // Clean pages only: the file is written as it is.
    if (result.actions.empty()) {
        OutputPieces out(buffer);
        out.appendInput(0, buffer.size());
        writeAudioOutput(result, request, out, "ogg", kAudioOggWrite);
        return result;
    }
    // Pages are copied from the input; a page whose checksum is rewritten gets a new header.
    // Past a few thousand such pages the output is built in memory instead, so that a file of
    // tiny broken pages does not cost many times its size in pieces.
    if (rewritten <= kMaxRewrittenPages) {
        OutputPieces out(buffer);
        for (const OggPage& page : pages) {
            if (page.checksumValid) {
                out.appendInput(page.offset, page.length);
                continue;
            }
            const uint64_t headerLength = kPageHeaderLength + buffer[page.offset + 26];
            ByteBuffer header = sliceBytes(buffer, page.offset, headerLength);
            putLe32(header, kChecksumOffset, oggPageCrc(buffer, page.offset, page.length));
            out.append(std::move(header));
            out.appendInput(page.offset + headerLength, page.length - headerLength);
        }
        writeAudioOutput(result, request, out, "ogg", kAudioOggWrite);
        return result;
    }
    ByteBuffer out;
    requireWorkingMemory(kept);
    out.reserve(kept);
    for (const OggPage& page : pages) {
        const uint64_t at = out.size();
        appendRange(out, buffer, page.offset, page.length);
        if (!page.checksumValid)
            putLe32(out, at + kChecksumOffset, oggPageCrc(out, at, page.length));
    }
    writeAudioOutput(result, request, out, "ogg", kAudioOggWrite);
    return result;
}

} // namespace data_repair
