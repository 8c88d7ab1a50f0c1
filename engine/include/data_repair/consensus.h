#pragma once

// Redundant copies: SHA-256 digests, the family of sibling copies a file belongs to
// ("Contract__1.pdf", "Contract__usb.pdf", ...), and restoring the copy that a clear majority
// of byte-identical siblings agrees on.

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

#include "data_repair/records.h"

namespace data_repair {

class IProgress;

// Running state of one SHA-256 hash (FIPS 180-4).
struct Sha256Context {
    uint32_t h[8];
    uint8_t block[64];
    uint64_t blockFill;
    uint64_t totalBytes;

    Sha256Context();
    void update(const uint8_t* data, uint64_t size);
    // Pads, returns the digest and leaves the context ready for a new message.
    std::array<uint8_t, 32> finish();
};

// 64 lower-case hexadecimal digits.
std::string hexDigest(const std::array<uint8_t, 32>& digest);
// Digest of a whole regular file, read in blocks; "" when it cannot be read completely.
std::string sha256HexOfFile(const std::filesystem::path& path);

struct ConsensusResult {
    bool found = false;
    SourceInfo best;
    std::string familyKey;
    std::string sha256;
    uint64_t topCount = 0;
    uint64_t runnerUp = 0;
    uint64_t hashedFiles = 0;
};

struct ConsensusVote {
    uint64_t count = 0;
    std::string sha256;
};

// "<text before the first __>.<lower-case extension>", or "" when the stem has no "__" past
// its first character.
std::string familyKey(const std::filesystem::path& path);

// Looks at the input's siblings of the same family (one folder level). Found only when at least
// three copies are identical, their content is strictly ahead of the next one and held by more
// than half of the hashed copies. The answer is cached per folder and family for the process.
// With a sink, the hashing asks it every 16 MiB whether to stop: a stopped search finds nothing
// and is not remembered.
ConsensusResult findSiblingConsensus(const std::string& utf8Path, IProgress* progress = nullptr);

// Describes the agreed copy (nothing written).
RepairResult analyzeConsensus(const SourceInfo& input, const ConsensusResult& consensus);
RepairResult analyzeConsensus(const RepairRequest& request, const ConsensusResult& consensus);

// Writes the agreed copy as the input's "_repaired" output. The bytes written are exactly those
// whose digest won the vote: a chosen copy that changed since the vote fails (code 64) and its
// cached answer is forgotten.
// With a sink, the copy asks it every 16 MiB whether to stop; a stopped copy leaves no output and
// ends with status 5.
RepairResult restoreFromConsensus(const RepairRequest& request, const ConsensusResult& consensus,
                                  IProgress* progress = nullptr);

} // namespace data_repair
