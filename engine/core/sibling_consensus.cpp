#include "core/sibling_consensus.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <map>
#include <mutex>
#include <set>
#include <utility>

#include "core/scoped_fd.h"
#include "data_repair/checkpoint.h"
#include "data_repair/consensus.h"
#include "data_repair/detection.h"
#include "data_repair/file_access.h"
#include "data_repair/output_stage.h"

namespace fs = std::filesystem;

namespace data_repair {

namespace {

constexpr const char* kNoConsensus = "no unambiguous sibling consensus was found";
constexpr const char* kChosenCopyChanged = "the chosen copy changed after its siblings were compared";

// The one state the engine keeps between calls: each folder and family is hashed once per
// process, for as long as its members stay the files they were (same names, files, sizes and
// modification times). The mutex is held only to look an answer up or to store one, never while
// scanning.
struct CachedConsensus {
    std::vector<CopyVersion> members;
    ConsensusResult result;
};
struct ConsensusCache {
    std::mutex mutex;
    std::map<std::string, CachedConsensus> entries;
};

ConsensusCache& consensusCache()
{
    static ConsensusCache cache;
    return cache;
}

// The folder as the cache knows it: absolute and lexically normal, without a trailing separator
// (empty for an input without a folder part).
fs::path normalFolder(const fs::path& parent)
{
    if (parent.empty())
        return {};
    std::error_code ec;
    fs::path folder = fs::absolute(parent, ec);
    if (ec)
        folder = parent;
    std::string text = pathToUtf8(folder.lexically_normal());
    while (text.size() > 1 && text.back() == '/')
        text.pop_back();
    return pathFromUtf8(text);
}

std::string cacheKey(const fs::path& folder, const std::string& key) { return pathToUtf8(folder) + "\n" + key; }

// Forgets every cached answer that chose this content for this family, so that the next search
// looks at the folder again instead of pointing at a copy that no longer holds it.
void forgetConsensus(const ConsensusResult& consensus)
{
    ConsensusCache& cache = consensusCache();
    const std::lock_guard<std::mutex> lock(cache.mutex);
    std::erase_if(cache.entries, [&](const auto& entry) {
        const ConsensusResult& cached = entry.second.result;
        return cached.found && cached.familyKey == consensus.familyKey && cached.sha256 == consensus.sha256;
    });
}

bool writeAllBytes(int fd, const uint8_t* data, size_t size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

RepairResult unexpectedFailure(const SourceInfo& input, const char* what)
{
    RepairResult result;
    result.input = input;
    result.setStatus(RepairStatus::failure(kStatusReadFailed, std::string("unexpected engine error: ") + what));
    return result;
}

} // namespace

FolderListing listFolderSorted(const fs::path& folder)
{
    FolderListing listing;
    std::error_code ec;
    fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec);
    if (ec)
        return listing;
    while (it != fs::directory_iterator()) {
        listing.entries.push_back(*it);
        it.increment(ec);
        if (ec) {
            listing.advanceFailed = true;
            break;
        }
    }
    std::sort(listing.entries.begin(), listing.entries.end(),
              [](const fs::directory_entry& a, const fs::directory_entry& b) {
                  return a.path().filename().native() < b.path().filename().native();
              });
    return listing;
}

void DigestTally::add(const std::string& digest, const fs::path& path)
{
    Entry& entry = byDigest[digest];
    if (entry.count == 0)
        entry.first = path;
    ++entry.count;
    ++hashedFiles;
}

void DigestTally::addSingle()
{
    ++singles;
    ++hashedFiles;
}

std::optional<CopyVersion> copyVersion(const fs::path& path)
{
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_size < 0)
        return std::nullopt;
    return CopyVersion{path,
                       static_cast<uint64_t>(st.st_size),
                       static_cast<uint64_t>(st.st_dev),
                       static_cast<uint64_t>(st.st_ino),
                       static_cast<int64_t>(st.st_mtim.tv_sec),
                       static_cast<int64_t>(st.st_mtim.tv_nsec)};
}

DigestTally tallyCopies(const std::vector<CopyVersion>& members)
{
    // Hard links are one file under several names: it votes once, under its first name.
    std::vector<const CopyVersion*> files;
    std::set<std::pair<uint64_t, uint64_t>> seen;
    for (const CopyVersion& member : members) {
        if (seen.emplace(member.device, member.inode).second)
            files.push_back(&member);
    }
    std::map<uint64_t, uint64_t> membersOfSize;
    for (const CopyVersion* file : files)
        ++membersOfSize[file->size];
    DigestTally tally;
    for (const CopyVersion* file : files) {
        const CopyVersion& member = *file;
        // Links are refused when opened too: a member swapped for one since it was listed.
        if (membersOfSize[member.size] < 2) {
            if (canOpenRegular(member.path, ReadLinks::Refuse))
                tally.addSingle();
            continue;
        }
        const std::string digest = sha256HexOfFile(member.path, ReadLinks::Refuse);
        if (!digest.empty())
            tally.add(digest, member.path);
    }
    return tally;
}

MajorityWinner decideMajority(const DigestTally& tally)
{
    std::vector<ConsensusVote> votes;
    for (const auto& [digest, entry] : tally.byDigest)
        votes.push_back({entry.count, digest});
    for (uint64_t i = 0; i < tally.singles && i < 2; ++i)
        votes.push_back({1, {}}); // only the first two votes decide
    std::stable_sort(votes.begin(), votes.end(),
                     [](const ConsensusVote& a, const ConsensusVote& b) { return a.count > b.count; });
    MajorityWinner winner;
    if (votes.empty() || votes[0].count < 3)
        return winner;
    const uint64_t runnerUp = votes.size() > 1 ? votes[1].count : 0;
    if (runnerUp >= votes[0].count || votes[0].count * 2 <= tally.hashedFiles)
        return winner;
    winner.found = true;
    winner.sha256 = votes[0].sha256;
    winner.first = tally.byDigest.at(votes[0].sha256).first;
    winner.topCount = votes[0].count;
    winner.runnerUp = runnerUp;
    winner.hashedFiles = tally.hashedFiles;
    return winner;
}

double consensusConfidence(uint64_t topCount, uint64_t runnerUp)
{
    if (runnerUp == 0 || topCount == 0)
        return 1.0;
    return 1.0 - static_cast<double>(runnerUp) / static_cast<double>(topCount);
}

std::string consensusCountsText(uint64_t topCount, uint64_t runnerUp)
{
    return "(" + std::to_string(topCount) + " identical copies, runner-up " + std::to_string(runnerUp) + ")";
}

VerifiedCopy copyVerified(const fs::path& source, const std::string& expectedDigest, const fs::path& destination,
                          bool replaceExisting)
{
    VerifiedCopy copy;
    std::error_code ec;
    if (destination.has_parent_path())
        fs::create_directories(destination.parent_path(), ec); // a failure shows at the open below
    if (!replaceExisting && pathTaken(destination)) {
        copy.failure = CopyFailure::Exists;
        copy.error = kErrOutputExists;
        return copy;
    }

    // The copy is made under a temporary name, created only once the source has given its first
    // bytes (or proved empty) so that an unreadable source leaves nothing behind, and takes the
    // destination's name only once complete and verified.
    ScopedFd out;
    fs::path target;
    auto openTarget = [&] {
        out.reset(createTemporaryBeside(destination, target));
        if (out.isOpen())
            return true;
        copy.failure = CopyFailure::Write;
        copy.error = kErrOpenOutput;
        return false;
    };
    Sha256Context context;
    std::string readError;
    auto copyBlock = [&](const uint8_t* data, size_t size) {
        if (!out.isOpen() && !openTarget())
            return false;
        context.update(data, size);
        if (!writeAllBytes(out.get(), data, size)) {
            copy.failure = CopyFailure::Write;
            copy.error = kErrWriteOutput;
            return false;
        }
        copy.bytes += size;
        return true;
    };
    bool ok = false;
    try {
        ok = readFileBlocks(source, copyBlock, &readError, ReadLinks::Refuse);
        if (ok && !out.isOpen())
            ok = openTarget();
        if (!ok && copy.failure == CopyFailure::None) {
            copy.failure = CopyFailure::Read;
            copy.error = readError;
        }
        if (out.isOpen() && !out.close() && ok) {
            ok = false;
            copy.failure = CopyFailure::Write;
            copy.error = kErrWriteOutput;
        }
        if (ok && hexDigest(context.finish()) != expectedDigest) {
            ok = false;
            copy.failure = CopyFailure::Mismatch;
        }
        // A caller that stopped the work meanwhile gets no output.
        if (ok)
            checkCancelled();
    } catch (...) {
        out.close();
        if (!target.empty())
            ::unlink(target.c_str());
        throw;
    }
    if (ok && !placeFile(target, destination, replaceExisting)) {
        ok = false;
        const bool exists = !replaceExisting && errno == EEXIST;
        copy.failure = exists ? CopyFailure::Exists : CopyFailure::Write;
        copy.error = exists ? kErrOutputExists : kErrWriteOutput;
    }
    if (!ok && !target.empty())
        ::unlink(target.c_str());
    return copy;
}

PlacedCopy copyVerifiedToFreeName(const fs::path& source, const std::string& expectedDigest, bool replaceExisting,
                                  const fs::path& protectedPath, const std::function<fs::path()>& nextName)
{
    PlacedCopy placed;
    for (int attempt = 0; attempt < 16; ++attempt) {
        placed.path = nextName();
        if (placed.path.empty())
            break;
        if (sameFile(placed.path, source) || sameFile(placed.path, protectedPath)) {
            placed.copy.failure = CopyFailure::Write;
            placed.copy.error = kErrOutputIsSource;
            return placed;
        }
        placed.copy = copyVerified(source, expectedDigest, placed.path, replaceExisting);
        if (placed.copy.failure != CopyFailure::Exists)
            return placed;
    }
    placed.copy.failure = CopyFailure::Write;
    placed.copy.error = kErrNoFreeName;
    return placed;
}

RepairStatus placedCopyStatus(const PlacedCopy& placed, const RepairStatus& mismatchStatus)
{
    switch (placed.copy.failure) {
    case CopyFailure::None:
        return RepairStatus::success();
    case CopyFailure::Read:
        return RepairStatus::failure(kConsensusUnreadable, placed.copy.error);
    case CopyFailure::Mismatch:
        return mismatchStatus;
    default:
        return RepairStatus::failure(kConsensusCopyFailed, placed.copy.error);
    }
}

std::string familyKey(const fs::path& path)
{
    const std::string stem = pathToUtf8(path.stem());
    const size_t mark = stem.find("__");
    if (mark == std::string::npos || mark == 0)
        return {};
    return stem.substr(0, mark) + "." + lowerExtension(path);
}

ConsensusResult findSiblingConsensus(const std::string& utf8Path, IProgress* progress)
{
    RunScope run(progress, Unknown, utf8Path, false);
    try {
        const fs::path input = pathFromUtf8(utf8Path);
        const std::string key = familyKey(input);
        if (key.empty())
            return {};
        const fs::path parent = normalFolder(input.parent_path());
        const std::string slot = cacheKey(parent, key);

        // The copies are the regular files of the input's own folder, never links (which could
        // bring in files from anywhere); one level, in name order.
        std::vector<CopyVersion> members;
        // An input without a folder part has no folder to list: no entries, no consensus.
        const FolderListing listing = parent.empty() ? FolderListing{} : listFolderSorted(parent);
        for (const fs::directory_entry& entry : listing.entries) {
            if (familyKey(entry.path()) != key)
                continue;
            if (std::optional<CopyVersion> member = copyVersion(entry.path()))
                members.push_back(std::move(*member));
        }

        ConsensusCache& cache = consensusCache();
        {
            const std::lock_guard<std::mutex> lock(cache.mutex);
            const auto found = cache.entries.find(slot);
            if (found != cache.entries.end() && found->second.members == members)
                return found->second.result;
        }

        const DigestTally tally = tallyCopies(members);
        ConsensusResult result;
        const MajorityWinner winner = decideMajority(tally);
        if (winner.found) {
            result.found = true;
            result.best = makeSourceInfo(pathToUtf8(winner.first));
            result.familyKey = key;
            result.sha256 = winner.sha256;
            result.topCount = winner.topCount;
            result.runnerUp = winner.runnerUp;
            result.hashedFiles = winner.hashedFiles;
        }
        const std::lock_guard<std::mutex> lock(cache.mutex);
        cache.entries[slot] = CachedConsensus{std::move(members), result};
        return result;
    } catch (const OperationCancelled&) {
        return {}; // an unfinished scan is never cached
    } catch (...) {
        return {};
    }
}

RepairResult analyzeConsensus(const SourceInfo& input, const ConsensusResult& consensus)
{
    try {
        RepairResult result;
        result.input = input;
        result.sample = consensus.best;
        result.mode = Analyze;
        result.inputSize = regularFileSize(pathFromUtf8(input.path));
        if (!consensus.found) {
            result.setStatus(RepairStatus::failure(kConsensusMissing, kNoConsensus));
            return result;
        }
        const fs::path best = pathFromUtf8(consensus.best.path);
        std::string error;
        const ByteBuffer head = readFileHead(best, kDetectionHeadBytes, &error);
        if (head.empty() && !error.empty()) {
            result.setStatus(RepairStatus::failure(kConsensusUnreadable, error));
            return result;
        }
        result.setStatus(RepairStatus::success());
        result.status.message = "redundant-copy consensus is available";
        result.kind = detectFileKind(best, head);
        result.format = detectFormatName(best, head);
        const double confidence = consensusConfidence(consensus.topCount, consensus.runnerUp);
        result.addFinding(StructureInvalid, Warning,
                          "unambiguous sibling consensus available " +
                              consensusCountsText(consensus.topCount, consensus.runnerUp),
                          0, 0, true, confidence);
        result.confidence = confidence;
        result.usedReference = true;
        return result;
    } catch (const std::exception& error) {
        return unexpectedFailure(input, error.what());
    }
}

RepairResult analyzeConsensus(const RepairRequest& request, const ConsensusResult& consensus)
{
    return analyzeConsensus(request.input, consensus);
}

RepairResult restoreFromConsensus(const RepairRequest& request, const ConsensusResult& consensus,
                                  IProgress* progress)
{
    RunScope run(progress, Unknown, request.input.path, false);
    RepairResult result;
    try {
        result = analyzeConsensus(request.input, consensus);
        result.mode = request.mode;
        if (!result.status.ok)
            return result;
        const fs::path input = pathFromUtf8(request.input.path);
        const fs::path best = pathFromUtf8(consensus.best.path);
        const std::string ext = lowerExtension(input);
        const PlacedCopy placed = copyVerifiedToFreeName(best, consensus.sha256, request.overwrite, input, [&] {
            return buildOutputPath(request.input.path, request.outputDirectory, request.outputPath, "_repaired", ext,
                                   request.overwrite);
        });
        if (placed.copy.failure == CopyFailure::Mismatch)
            forgetConsensus(consensus);
        const RepairStatus copied = placedCopyStatus(placed, RepairStatus::failure(kConsensusMissing, kChosenCopyChanged));
        if (!copied.ok) {
            result.setStatus(copied);
            return result;
        }
        result.addAction("restore-sibling-consensus",
                         "restored the unambiguous modal redundant copy into a new output file",
                         regularFileSize(placed.path));
        result.output = makeArtifact(placed.path, "consensus-restored-copy", ext);
        result.outputSize = result.output.size;
        result.outputWritten = true;
        result.setStatus(RepairStatus::success());
        result.status.message = "restored from redundant-copy consensus";
        return result;
    } catch (const OperationCancelled&) {
        result.setStatus(RepairStatus::failure(kStatusCancelled, "restore from redundant copies cancelled"));
        return result;
    } catch (const std::exception& error) {
        return unexpectedFailure(request.input, error.what());
    }
}

} // namespace data_repair
