#pragma once

// ZIP salvage: the reader that walks local headers, the writer that builds a fresh archive, and
// the Office Open XML parts restored in between.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "data_repair/byte_buffer.h"
#include "data_repair/records.h"

namespace data_repair {

class InputWindow;
class OutputPieces;

// One salvaged entry; the writer and the restoration use the same record.
struct ZipEntry {
    std::string name;          // bytes exactly as stored (no character-set conversion)
    uint16_t method = 0;
    uint16_t flags = 0;        // general-purpose flags of the local header
    uint16_t versionNeeded = 20;
    uint32_t crc32 = 0;
    uint64_t compressedSize = 0;
    uint64_t uncompressedSize = 0;
    uint16_t dosTime = 0;
    uint16_t dosDate = 0;
    bool encrypted = false;
    ByteBuffer extra;          // local extra field, kept for encrypted entries (AES keeps its keys there)
    ByteBuffer payload;
    // The payload where it stands in the input, for entries read from it: not copied into
    // `payload`, so the archive is written from the input file. The input must outlive the entry.
    std::span<const uint8_t> stored;
    // The local header's bytes as read, for entries read from the input (the header stands right
    // before `stored`): where the writer would write the same bytes, header and payload are copied
    // as one stretch of the input.
    ByteBuffer localHeader;
    // crc32 and uncompressedSize are settled (stored entries the reader checked): the writer need
    // not read the payload again. crc32 is the payload's own, or the recorded one where `damaged`.
    bool crcSettled = false;
    // The stored payload fails the CRC its records give, and keeps that CRC so that readers see
    // the damage.
    bool damaged = false;
};

// The entry's payload bytes: the view into the input, or the bytes it holds itself.
inline std::span<const uint8_t> zipPayload(const ZipEntry& entry)
{
    return entry.stored.empty() ? std::span<const uint8_t>(entry.payload) : entry.stored;
}

inline constexpr uint16_t kZipFlagEncrypted = 0x0001;
inline constexpr uint16_t kZipFlagDescriptor = 0x0008;

// zlib CRC-32 (initial value 0) over any length.
uint32_t zipCrc32(const uint8_t* data, uint64_t length);
// The same continued from the CRC of the bytes before.
uint32_t zipCrc32(uint32_t crcSoFar, const uint8_t* data, uint64_t length);

// The CRC of [pos, pos + length) of an input, read through the window at most 1 MiB at a time;
// the last read goes on `readAhead` bytes further, for what the caller reads next.
uint32_t zipCrc32Of(InputWindow& input, uint64_t pos, uint64_t length, uint64_t readAhead = 0);

// CRC-32s of stretches of an input, computed by helper threads while the caller goes on (on one
// processor, at once). The caller waits only when it asks for a CRC not yet known, and is asked
// whether to stop while it waits; the helpers are stopped and joined when this ends.
class BackgroundCrc {
public:
    explicit BackgroundCrc(const InputWindow& input);
    ~BackgroundCrc();
    BackgroundCrc(const BackgroundCrc&) = delete;
    BackgroundCrc& operator=(const BackgroundCrc&) = delete;

    // Starts the CRC of [pos, pos + length), which lies inside the input; returns its ticket.
    size_t add(uint64_t pos, uint64_t length);
    // Whether the ticket's CRC is known, without waiting.
    bool ready(size_t ticket);
    uint32_t crc(size_t ticket);

private:
    struct State;
    std::unique_ptr<State> state_;
};

// Salvages the entries from the first local header on, without the central directory. Findings
// go to the report when one is given. The entries' payloads are views into `data`.
std::vector<ZipEntry> readZipEntries(ByteView data, RepairResult* report);

// Position of the last end-of-central-directory signature at or after `from`, or npos.
uint64_t findLastZipEndRecord(ByteView data, uint64_t from = 0);

// Smallest position at or after start where a local header, central directory header, end
// record or data descriptor signature begins; npos when none.
uint64_t findNextZipRecord(ByteView data, uint64_t start);

// A fresh archive: local headers and payloads, central directory and end record, ZIP64 records
// where sizes, offsets or the count do not fit. Restores missing OOXML parts first.
ByteBuffer writeZipArchive(std::vector<ZipEntry> entries, const std::string& format, RepairResult& report);
// The same laid out as pieces: payloads read from the input stay stretches of it.
void writeZipArchive(std::vector<ZipEntry> entries, const std::string& format, RepairResult& report,
                     OutputPieces& out);

bool hasZipEntry(const std::vector<ZipEntry>& entries, const std::string& name);
ZipEntry makeStoredZipEntry(const std::string& name, const std::string& text);
std::vector<std::string> ooxmlCorePartNames(const std::string& format);
void restoreOoxmlParts(std::vector<ZipEntry>& entries, const std::string& format, RepairResult& report);
// [Content_Types].xml for the given part names and the document's own extension.
std::string buildContentTypes(const std::vector<std::string>& partNames, const std::string& format);

} // namespace data_repair
