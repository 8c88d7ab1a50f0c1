#pragma once

// Pieces shared by the sibling-copy consensus and the batch's redundant-copy groups.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "data_repair/byte_buffer.h"
#include "data_repair/records.h"

namespace data_repair {

// Status codes of restoring from redundant copies.
inline constexpr int32_t kConsensusUnreadable = 62; // the chosen copy could not be read
inline constexpr int32_t kConsensusCopyFailed = 63; // the output could not be written
inline constexpr int32_t kConsensusMissing = 64;    // no clear majority, or it no longer holds

// Bytes of a chosen copy read to tell its kind and format: the application detects a file's
// kind from the same head, so both agree, and a copy is never held whole just to name it.
inline constexpr uint64_t kDetectionHeadBytes = 1u << 20;

// Whether a link at the path is read through (Follow) or refused like a FIFO (Refuse): a copy
// that votes must be a file of its own folder, never a link to a file elsewhere.
enum class ReadLinks { Follow, Refuse };

// Feeds a regular file (FIFOs and devices refused without blocking) to the sink block by block.
// False with readFile's texts when it cannot be opened, a read fails or the file ends before its
// measured size; false with an empty text when the sink stopped.
bool readFileBlocks(const std::filesystem::path& path, const std::function<bool(const uint8_t*, size_t)>& sink,
                    std::string* error, ReadLinks links = ReadLinks::Follow);
// True when the path opens for reading as readFileBlocks would open it.
bool canOpenRegular(const std::filesystem::path& path, ReadLinks links);
// sha256HexOfFile with the given handling of links.
std::string sha256HexOfFile(const std::filesystem::path& path, ReadLinks links);

// One folder level, sorted by name so that results never depend on the file system's order.
// Folders that cannot be opened (or deny access) give no entries; advanceFailed tells that the
// listing broke off part-way (the entries before the break are kept).
struct FolderListing {
    std::vector<std::filesystem::directory_entry> entries;
    bool advanceFailed = false;
};
FolderListing listFolderSorted(const std::filesystem::path& folder);

// Contents of one family counted by digest; the first path seen represents each digest. A member
// whose size no other member has holds a content of its own and is counted without its digest.
struct DigestTally {
    struct Entry {
        uint64_t count = 0;
        std::filesystem::path first;
    };
    std::map<std::string, Entry> byDigest;
    uint64_t singles = 0;
    uint64_t hashedFiles = 0; // members counted, singles included
    void add(const std::string& digest, const std::filesystem::path& path);
    void addSingle();
};

// A member of a family as found on disk: a regular file that is not a link, and what tells its
// version apart (a file replaced, rewritten, cut or grown has another).
struct CopyVersion {
    std::filesystem::path path;
    uint64_t size = 0;
    uint64_t device = 0;
    uint64_t inode = 0;
    int64_t modifiedSeconds = 0;
    int64_t modifiedNanoseconds = 0;
    bool operator==(const CopyVersion&) const = default;
};
// The version of the file at `path`, or nothing when it is a link, is not a regular file or is
// gone.
std::optional<CopyVersion> copyVersion(const std::filesystem::path& path);
// Counts the members' contents. Members are grouped by size first: only a size that two or more
// members share is read and hashed; a member of a size of its own is only opened. A member that
// cannot be read (or has become a link) does not count, and hard links to one file count once.
DigestTally tallyCopies(const std::vector<CopyVersion>& members);

struct MajorityWinner {
    bool found = false;
    std::string sha256;
    std::filesystem::path first;
    uint64_t topCount = 0;
    uint64_t runnerUp = 0;
    uint64_t hashedFiles = 0;
};

// At least three identical copies, strictly ahead of the runner-up and more than half of the
// hashed copies: a few duplicates among many distinct files named alike never win.
MajorityWinner decideMajority(const DigestTally& tally);
double consensusConfidence(uint64_t topCount, uint64_t runnerUp);
// "(N identical copies, runner-up M)"
std::string consensusCountsText(uint64_t topCount, uint64_t runnerUp);

// Copies source to destination block by block while hashing what it read, so the output holds
// exactly the bytes whose digest is checked. A digest other than the expected one removes the
// output. Without replaceExisting the destination is created exclusively (Exists when taken);
// with it the copy goes to a temporary file that replaces the destination once verified.
enum class CopyFailure { None, Read, Write, Exists, Mismatch };
struct VerifiedCopy {
    CopyFailure failure = CopyFailure::None;
    std::string error;
    uint64_t bytes = 0;
};
VerifiedCopy copyVerified(const std::filesystem::path& source, const std::string& expectedDigest,
                          const std::filesystem::path& destination, bool replaceExisting);

// Copies source (verified as above) to the name nextName gives; a name taken in the meantime
// moves on to the next one. An empty name means none is free; a name that is the source or one
// of the protected paths is refused. Either way the failure is Write with the reason.
struct PlacedCopy {
    VerifiedCopy copy;
    std::filesystem::path path;
};
PlacedCopy copyVerifiedToFreeName(const std::filesystem::path& source, const std::string& expectedDigest,
                                  bool replaceExisting, const std::filesystem::path& protectedPath,
                                  const std::function<std::filesystem::path()>& nextName);
// Success, or the copy's failure: 62 when the source could not be read, 63 when the output could
// not be written, mismatchStatus when the source no longer holds the agreed content.
RepairStatus placedCopyStatus(const PlacedCopy& placed, const RepairStatus& mismatchStatus);

} // namespace data_repair
