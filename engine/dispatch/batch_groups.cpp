#include "dispatch/batch_repairer.h"
#include "core/sibling_consensus.h"
#include "data_repair/consensus.h"
#include "data_repair/detection.h"
#include "data_repair/file_access.h"

namespace fs = std::filesystem;

namespace data_repair {

std::map<std::string, ConsensusGroup> groupRedundantCopies(const std::vector<fs::path>& workList)
{
    // Copies vote as they do beside a single input: regular files that are not links.
    std::map<std::string, std::vector<CopyVersion>> families;
    for (const fs::path& path : workList) {
        const std::string key = familyKey(path);
        if (key.empty())
            continue;
        if (std::optional<CopyVersion> member = copyVersion(path))
            families[key].push_back(std::move(*member));
    }
    std::map<std::string, ConsensusGroup> groups;
    for (const auto& [key, members] : families) {
        const MajorityWinner winner = decideMajority(tallyCopies(members));
        if (!winner.found)
            continue;
        groups[key] = ConsensusGroup{winner.first, winner.sha256, winner.topCount, winner.runnerUp,
                                     winner.hashedFiles};
    }
    return groups;
}

RepairResult restoreConsensusExemplar(const fs::path& item, const ConsensusGroup& group,
                                      const BatchRepairRequest& request, BatchOutputNames& names)
{
    RepairResult result;
    result.setStatus(RepairStatus::success());
    result.input = makeSourceInfo(pathToUtf8(item));
    result.sample = makeSourceInfo(pathToUtf8(group.exemplar));
    result.mode = request.mode;
    result.inputSize = regularFileSize(item);

    std::string error;
    const ByteBuffer head = readFileHead(group.exemplar, kDetectionHeadBytes, &error);
    if (head.empty() && !error.empty()) {
        result.setStatus(RepairStatus::failure(kConsensusUnreadable, error));
        return result;
    }
    result.kind = detectFileKind(group.exemplar, head);
    result.format = detectFormatName(group.exemplar, head);

    const std::string ext = lowerExtension(item);
    // The unnumbered name; the batch's names decide which number is free.
    const fs::path candidate = buildOutputPath(pathToUtf8(item), request.outputDirectory, "", "_repaired", ext, true);
    const PlacedCopy placed = copyVerifiedToFreeName(group.exemplar, group.sha256, request.overwrite, item,
                                                     [&] { return names.claim(candidate); });
    const RepairStatus copied = placedCopyStatus(
        placed, RepairStatus::failure(kConsensusUnreadable, "the exemplar changed after the copies were compared"));
    if (!copied.ok) {
        result.setStatus(copied);
        return result;
    }
    names.markWritten(placed.path);
    const double confidence = consensusConfidence(group.topCount, group.runnerUp);
    result.addFinding(StructureInvalid, Info,
                      "restored from an explicit redundant-copy consensus " +
                          consensusCountsText(group.topCount, group.runnerUp),
                      0, 0, true, confidence);
    result.addAction("restore-consensus-exemplar",
                     "copied the unambiguous modal redundant replica into a new output file", placed.copy.bytes);
    result.output = makeArtifact(placed.path, "consensus-restored-copy", ext);
    result.outputSize = result.output.size;
    result.usedReference = true;
    result.outputWritten = true;
    result.confidence = confidence;
    return result;
}

} // namespace data_repair
