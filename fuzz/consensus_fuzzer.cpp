// Builds a folder of sibling copies from the input and runs the consensus search, its analysis
// and restore, and a batch with redundant-copy groups over it.
//
// Input layout: byte 0 holds flags (bit 0 overwrite, bit 1 separate output folder, bit 2 batch
// analysis, bit 3 recursive batch), byte 1 picks one of eight folders (so the process-wide
// cache answers later inputs with earlier folders' votes, as it would after files changed).
// Then up to 24 files, each a name byte (bits 0-1 family prefix, bits 2-4 tag, bits 5-6
// extension, bit 7 in a sub-folder), a length byte (mod 48) and that many content bytes.

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

#include "data_repair/engine.h"

namespace fs = std::filesystem;
using namespace data_repair;

namespace {

const fs::path& baseDir()
{
    static const fs::path dir = [] {
        fs::path p = fs::temp_directory_path() / ("korvex-consensus-fuzz-" + std::to_string(::getpid()));
        fs::create_directories(p);
        return p;
    }();
    return dir;
}

void check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const uint8_t flags = data[0];
    const fs::path folder = baseDir() / ("f" + std::to_string(data[1] % 8));
    std::error_code ec;
    fs::remove_all(folder, ec);
    fs::create_directories(folder / "s", ec);

    static const char* const kPrefix[] = {"a", "A", "b", ""};
    static const char* const kExt[] = {".jpg", ".pdf", "", ".JPG"};
    std::vector<fs::path> files;
    size_t pos = 2;
    while (pos + 1 < size && files.size() < 24) {
        const uint8_t name = data[pos];
        const size_t length = std::min<size_t>(data[pos + 1] % 48, size - pos - 2);
        const std::string fileName = std::string(kPrefix[name & 3]) + "__" + std::to_string((name >> 2) & 7) +
                                     kExt[(name >> 5) & 3];
        const fs::path path = ((name & 0x80) ? folder / "s" : folder) / fileName;
        std::string error;
        if (writeFile(path, ByteBuffer(data + pos + 2, data + pos + 2 + length), &error))
            files.push_back(path);
        pos += 2 + length;
    }
    if (files.empty())
        return 0;

    const fs::path out = (flags & 2) ? folder / "out" : fs::path();
    RepairRequest request;
    request.input = makeSourceInfo(files[0].string());
    request.outputDirectory = out.string();
    request.overwrite = (flags & 1) != 0;

    const ConsensusResult consensus = findSiblingConsensus(files[0].string());
    if (consensus.found) {
        check(consensus.topCount >= 3 && consensus.runnerUp < consensus.topCount);
        check(consensus.topCount * 2 > consensus.hashedFiles);
    }
    (void)analyzeConsensus(request, consensus);
    const RepairResult restored = restoreFromConsensus(request, consensus);
    if (restored.status.ok) // exactly the agreed bytes, never a copy that changed since
        check(sha256HexOfFile(restored.output.path) == consensus.sha256);

    BatchRepairRequest batch;
    batch.roots = {folder.string()};
    batch.outputDirectory = out.string();
    batch.overwrite = request.overwrite;
    batch.recursive = (flags & 8) != 0;
    batch.useConsensus = true;
    batch.mode = Repair;
    const auto engine = createFileRepairFactory()->createBatchRepair();
    const BatchRepairResult result = (flags & 4) ? engine->analyze(batch, nullptr) : engine->repair(batch, nullptr);
    check(result.items.size() == result.total && result.repaired + result.failed <= result.total);
    std::set<std::string> written;
    for (const RepairResult& item : result.items) {
        if (item.outputWritten)
            check(written.insert(item.output.path).second);
        for (const OutputArtifact& artifact : item.artifacts)
            check(written.insert(artifact.path).second);
    }
    fs::remove_all(folder, ec);
    return 0;
}
