// Repairs of large files next to `cp` of the same file: for each input the analysis, the repair
// and a copy run in a child process of their own (so that the peak memory of each is its own),
// and the repair's time and memory are printed as ratios to the copy's and to the input size.
//
// Inputs come from make_ratio_inputs.sh. Usage: copy_ratio_bench FILE... (outputs go to a
// scratch folder beside the first file and are removed after each run).

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "data_repair/engine.h"

using namespace data_repair;
namespace fs = std::filesystem;

namespace {

struct Run {
    double seconds = -1;
    double peakMiB = 0;
    bool ok = false;
};

// Runs `work` in a child; its exit status says whether it succeeded.
template <typename Work>
Run inChild(Work work)
{
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(work() ? 0 : 1);
    int status = 0;
    struct rusage usage {};
    if (pid < 0 || ::wait4(pid, &status, 0, &usage) != pid)
        return {};
    Run run;
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.peakMiB = static_cast<double>(usage.ru_maxrss) / 1024.0;
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return run;
}

RepairResult runEngine(const fs::path& input, const fs::path& outDir, int32_t mode)
{
    const auto factory = createFileRepairFactory();
    RepairRequest request;
    request.input = makeSourceInfo(input.string());
    request.mode = mode;
    request.outputDirectory = outDir.string();
    request.overwrite = true;
    const std::string ext = toLowerAscii(input.extension().string());
    if (ext == ".mp4" || ext == ".ts" || ext == ".mov")
        return mode == Analyze ? factory->createVideoRepair()->analyze(request, nullptr)
                               : factory->createVideoRepair()->repair(request, nullptr);
    if (ext == ".wav" || ext == ".mp3" || ext == ".flac")
        return mode == Analyze ? factory->createAudioRepair()->analyze(request, nullptr)
                               : factory->createAudioRepair()->repair(request, nullptr);
    return mode == Analyze ? factory->createDocumentRepair()->analyze(request, nullptr)
                           : factory->createDocumentRepair()->repair(request, nullptr);
}

void clear(const fs::path& dir)
{
    std::error_code ec;
    fs::remove_all(dir, ec);
    fs::create_directories(dir, ec);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FILE...\n", argv[0]);
        return 2;
    }
    const fs::path outDir = fs::path(argv[1]).parent_path() / "ratio-out";
    std::printf("%-18s %8s %8s %8s %8s %9s %9s %s\n", "input", "MiB", "cp s", "analyze", "repair", "repair/cp",
                "peak/in", "result");
    for (int i = 1; i < argc; ++i) {
        const fs::path input = argv[i];
        const double inMiB = static_cast<double>(regularFileSize(input)) / (1024.0 * 1024.0);
        clear(outDir);
        const Run copy = inChild([&] {
            const std::string command = "cp '" + input.string() + "' '" + (outDir / "copy").string() + "'";
            return std::system(command.c_str()) == 0;
        });
        clear(outDir);
        const Run analysis = inChild([&] { return runEngine(input, outDir, Analyze).status.ok; });
        std::string message;
        const Run repair = inChild([&] {
            const RepairResult r = runEngine(input, outDir, Repair);
            if (!r.outputWritten)
                std::fprintf(stderr, "%s: %s\n", input.filename().c_str(), r.status.message.c_str());
            return r.outputWritten;
        });
        clear(outDir);
        std::printf("%-18s %8.0f %8.2f %8.2f %8.2f %9.1f %9.2f %s\n", input.filename().c_str(), inMiB, copy.seconds,
                    analysis.seconds, repair.seconds, repair.seconds / copy.seconds, repair.peakMiB / inMiB,
                    repair.ok ? "written" : "NOT WRITTEN");
        std::fflush(stdout);
    }
    std::error_code ec;
    fs::remove_all(outDir, ec);
    return 0;
}
