// Repairs of large files next to `cp` of the same file: for each input the analysis, the repair
// (with a preview, as the application asks), `cat` and `cp` run in a child process of their own
// (so that the peak memory of each is its own); the analysis is printed as a ratio to `cat`, the
// repair's time and memory as ratios to `cp` and to the input size. "alone" is the same repair
// without the preview copy: one output file, as `cp` writes one.
//
// Each figure is the median of RUNS runs (default 3); the digest of the repaired output lets two
// builds be checked for identical outputs. Inputs come from make_ratio_inputs.sh.
// With --peers, the tool a user would otherwise reach for runs too where it is installed (ffmpeg
// stream copy for MP4/TS, `zip -FF`, `qpdf`, and mp3val on a copy, its time including that copy),
// printed as our repair alone over the peer's time.
// Usage: copy_ratio_bench [--runs N] [--peers] FILE... (outputs go to a scratch folder beside the
// first file and are removed after each run).

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

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

RepairResult runEngine(const fs::path& input, const fs::path& outDir, int32_t mode, bool preview = true)
{
    const auto factory = createFileRepairFactory();
    RepairRequest request;
    request.input = makeSourceInfo(input.string());
    request.mode = mode;
    request.outputDirectory = outDir.string();
    request.overwrite = true;
    request.writePreview = preview && mode != Analyze; // as the application asks for repairs
    const std::string ext = toLowerAscii(input.extension().string());
    if (ext == ".mp4" || ext == ".ts" || ext == ".mov" || ext == ".flv" || ext == ".avi" || ext == ".mpg")
        return mode == Analyze ? factory->createVideoRepair()->analyze(request, nullptr)
                               : factory->createVideoRepair()->repair(request, nullptr);
    if (ext == ".wav" || ext == ".mp3" || ext == ".flac" || ext == ".m4a" || ext == ".ogg")
        return mode == Analyze ? factory->createAudioRepair()->analyze(request, nullptr)
                               : factory->createAudioRepair()->repair(request, nullptr);
    return mode == Analyze ? factory->createDocumentRepair()->analyze(request, nullptr)
                           : factory->createDocumentRepair()->repair(request, nullptr);
}

template <typename Work>
Run median(int runs, Work work)
{
    std::vector<Run> all;
    for (int i = 0; i < runs; ++i)
        all.push_back(work());
    std::sort(all.begin(), all.end(), [](const Run& a, const Run& b) { return a.seconds < b.seconds; });
    Run mid = all[all.size() / 2];
    for (const Run& r : all)
        mid.ok = mid.ok && r.ok;
    return mid;
}

// The peer's command for an input, or empty where there is none (or it is not installed).
std::string peerCommand(const fs::path& input, const fs::path& outDir)
{
    const std::string ext = toLowerAscii(input.extension().string());
    const auto quoted = [](const fs::path& path) {
        std::string text = "'";
        text += path.string();
        return text + "'";
    };
    const std::string in = quoted(input);
    const std::string out = quoted(outDir / ("peer" + ext));
    const auto have = [](const char* tool) {
        return std::system((std::string("command -v ") + tool + " > /dev/null 2>&1").c_str()) == 0;
    };
    if ((ext == ".mp4" || ext == ".ts") && have("ffmpeg"))
        return "ffmpeg -v quiet -nostdin -y -i " + in + " -map 0 -c copy " + out;
    if (ext == ".zip" && have("zip"))
        // A cut archive makes it ask whether the archive is on one disk: it is.
        return "echo y | zip -FF " + in + " --out " + out + " > /dev/null";
    if (ext == ".pdf" && have("qpdf"))
        return "qpdf " + in + " " + out + "; test $? -ne 2";
    if (ext == ".mp3" && have("mp3val"))
        return "cp " + in + " " + out + " && mp3val " + out + " -f -nb > /dev/null";
    return {};
}

std::string repairedDigest(const fs::path& dir)
{
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(dir, ec)) {
        if (entry.path().filename().string().find("_repaired") != std::string::npos)
            return sha256HexOfFile(entry.path()).substr(0, 16);
    }
    return "-";
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
    int runs = 3;
    int first = 1;
    bool peers = false;
    for (;;) {
        if (argc > first + 1 && std::string(argv[first]) == "--runs") {
            runs = std::max(1, std::atoi(argv[first + 1]));
            first += 2;
        } else if (argc > first && std::string(argv[first]) == "--peers") {
            peers = true;
            ++first;
        } else {
            break;
        }
    }
    if (argc <= first) {
        std::fprintf(stderr, "usage: %s [--runs N] [--peers] FILE...\n", argv[0]);
        return 2;
    }
    const fs::path outDir = fs::path(argv[first]).parent_path() / "ratio-out";
    std::printf("%-18s %6s %6s %6s %8s %7s %7s %9s %7s %8s %7s %10s %8s %8s %s\n", "input", "MiB", "cat s", "cp s",
                "analyze", "/cat", "repair", "repair/cp", "alone", "alone/cp", "peer s", "alone/peer", "peak/in",
                "result", "output sha256");
    for (int i = first; i < argc; ++i) {
        const fs::path input = argv[i];
        const double inMiB = static_cast<double>(regularFileSize(input)) / (1024.0 * 1024.0);
        const Run copy = median(runs, [&] {
            clear(outDir);
            return inChild([&] {
                const std::string command = "cp '" + input.string() + "' '" + (outDir / "copy").string() + "'";
                return std::system(command.c_str()) == 0;
            });
        });
        const Run cat = median(runs, [&] {
            return inChild([&] { return std::system(("cat '" + input.string() + "' > /dev/null").c_str()) == 0; });
        });
        const Run analysis = median(runs, [&] {
            clear(outDir);
            return inChild([&] { return runEngine(input, outDir, Analyze).status.ok; });
        });
        std::string digest;
        const Run repair = median(runs, [&] {
            clear(outDir);
            const Run run = inChild([&] {
                const RepairResult r = runEngine(input, outDir, Repair);
                if (!r.outputWritten)
                    std::fprintf(stderr, "%s: %s\n", input.filename().c_str(), r.status.message.c_str());
                return r.outputWritten;
            });
            digest = repairedDigest(outDir);
            return run;
        });
        const Run alone = median(runs, [&] {
            clear(outDir);
            return inChild([&] { return runEngine(input, outDir, Repair, false).outputWritten; });
        });
        Run peer;
        const std::string peerRun = peers ? peerCommand(input, outDir) : std::string();
        if (!peerRun.empty()) {
            peer = median(runs, [&] {
                clear(outDir);
                return inChild([&] { return std::system(peerRun.c_str()) == 0; });
            });
        }
        clear(outDir);
        char peerText[2][32] = {"-", "-"};
        if (peer.ok && peer.seconds > 0) {
            std::snprintf(peerText[0], sizeof peerText[0], "%.2f", peer.seconds);
            std::snprintf(peerText[1], sizeof peerText[1], "%.2f", alone.seconds / peer.seconds);
        }
        std::printf("%-18s %6.0f %6.2f %6.2f %8.2f %7.1f %7.2f %9.1f %7.2f %8.1f %7s %10s %8.2f %8s %s\n",
                    input.filename().c_str(), inMiB, cat.seconds, copy.seconds, analysis.seconds,
                    analysis.seconds / cat.seconds, repair.seconds, repair.seconds / copy.seconds, alone.seconds,
                    alone.seconds / copy.seconds, peerText[0], peerText[1], repair.peakMiB / inMiB,
                    repair.ok && alone.ok ? "written" : "FAILED", digest.c_str());
        std::fflush(stdout);
    }
    std::error_code ec;
    fs::remove_all(outDir, ec);
    return 0;
}
