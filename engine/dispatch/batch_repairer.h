#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "data_repair/repair_interfaces.h"

namespace data_repair {

class BatchRepairer {
public:
    BatchRepairResult analyze(const BatchRepairRequest& request, IProgress* progress) const;
    BatchRepairResult repair(const BatchRepairRequest& request, IProgress* progress) const;
};

// Output names handed out within one batch. A name one item wrote is never given to another,
// even with overwrite (which still replaces files of earlier runs), and the search for a free
// number resumes where it last stopped, so many same-named items cost linear time.
class BatchOutputNames {
public:
    explicit BatchOutputNames(bool overwrite) : overwrite_(overwrite) {}
    // The candidate or its first usable "<stem>_<n><ext>"; empty when all 9999 are used.
    std::filesystem::path claim(const std::filesystem::path& candidate);
    void markWritten(const std::filesystem::path& path);
    // True the first time an output folder and stem come up: only such an item's engine may
    // choose its own names; later ones could land on the same names.
    bool firstForStem(const std::filesystem::path& folder, const std::filesystem::path& item);

private:
    bool usable(const std::filesystem::path& path) const;
    bool overwrite_;
    std::set<std::string> written_;
    std::map<std::string, int> nextNumber_;
    std::set<std::string> stems_;
};

// The folder an item's outputs go to.
std::filesystem::path batchOutputFolder(const std::filesystem::path& item, const BatchRepairRequest& request);

// Moves the outputs an engine wrote into a private staging folder to their final folder under
// names claimed for this batch, and points the result at them.
void adoptStagedOutputs(RepairResult& result, const std::filesystem::path& finalFolder, BatchOutputNames& names,
                        bool overwrite);

bool passesNameFilter(const std::filesystem::path& candidate, const BatchRepairRequest& request);
void addBatchPath(std::vector<std::filesystem::path>& workList, const std::filesystem::path& candidate,
                  const BatchRepairRequest& request);
bool isSamplePhotoExtension(const std::filesystem::path& path);
std::string photoExtensionFamily(const std::filesystem::path& path);
RepairRequest buildItemRequest(const std::filesystem::path& item, const BatchRepairRequest& request, int32_t mode,
                               int32_t kind);
RepairResult routeBatchItem(const std::filesystem::path& item, const BatchRepairRequest& request, int32_t mode,
                            IProgress* progress);

// One family of redundant copies in the work list with a clear majority.
struct ConsensusGroup {
    std::filesystem::path exemplar;
    std::string sha256;
    uint64_t topCount = 0;
    uint64_t runnerUp = 0;
    uint64_t hashedFiles = 0;
};

std::map<std::string, ConsensusGroup> groupRedundantCopies(const std::vector<std::filesystem::path>& workList);
RepairResult restoreConsensusExemplar(const std::filesystem::path& item, const ConsensusGroup& group,
                                      const BatchRepairRequest& request, BatchOutputNames& names);

} // namespace data_repair
