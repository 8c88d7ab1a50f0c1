// Transport stream, ASF and Matroska analysis and repair per byte at 1, 64 and 512 MiB (Matroska
// also at 1 GiB), next to ffmpeg remuxing the same file with "-c copy" as the yardstick.
//
// Inputs are a real clip encoded once with ffmpeg whose packets (clusters for Matroska) are
// repeated up to the size, then damaged the way the repairs expect: garbage before the first
// packet and a run of bytes inserted (TS, Matroska) or deleted (ASF) in the middle, and the
// Matroska file cut at 90 % inside a cluster.

#include <benchmark/benchmark.h>

#include <cstdlib>

#include "bench_support.h"
#include "media/asf_layout.h"
#include "media/video_containers.h"

using namespace data_repair;
namespace fs = std::filesystem;

namespace {

ByteBuffer encodeClip(const std::string& name, const std::string& options)
{
    const fs::path out = bench_support::scratchDir() / name;
    if (!fs::exists(out)) {
        const std::string command = "ffmpeg -v error -y -f lavfi -i testsrc=d=4:s=320x240:r=25 " + options + " '" +
                                    out.string() + "'";
        if (std::system(command.c_str()) != 0)
            return {};
    }
    std::string error;
    return readFile(out, &error);
}

void insertGarbage(ByteBuffer& bytes, uint64_t at, uint64_t count)
{
    ByteBuffer junk(count, 0x55);
    bytes.insert(bytes.begin() + static_cast<long>(at), junk.begin(), junk.end());
}

ByteBuffer makeTs(int64_t size, bool damaged)
{
    const ByteBuffer clip = encodeClip("bench.ts", "-c:v mpeg2video -q:v 2 -f mpegts");
    if (clip.empty())
        return {};
    ByteBuffer out;
    out.reserve(static_cast<size_t>(size) + 200);
    while (out.size() + clip.size() <= static_cast<uint64_t>(size))
        out.insert(out.end(), clip.begin(), clip.end());
    out.insert(out.end(), clip.begin(), clip.begin() + static_cast<long>((size - static_cast<int64_t>(out.size())) / 188 * 188));
    if (damaged) {
        insertGarbage(out, out.size() / 2 / 188 * 188 + 60, 37);
        insertGarbage(out, 0, 100);
    }
    return out;
}

ByteBuffer makeAsf(int64_t size, bool damaged)
{
    const ByteBuffer clip = encodeClip("bench.wmv", "-c:v wmv2 -q:v 2 -f asf");
    const AsfLayout layout = parseAsfLayout(clip, 0, nullptr, false);
    if (!layout.valid)
        return {};
    const uint64_t ps = layout.packetSize;
    const ByteBuffer packets = sliceBytes(clip, layout.firstPacketOffset, layout.packetCount * ps);
    ByteBuffer out = sliceBytes(clip, 0, layout.firstPacketOffset);
    out.reserve(static_cast<size_t>(size) + 200);
    while (out.size() + ps <= static_cast<uint64_t>(size))
        out.insert(out.end(), packets.begin(), packets.begin() + static_cast<long>(std::min<uint64_t>(packets.size(), (size - out.size()) / ps * ps)));
    const uint64_t count = (out.size() - layout.firstPacketOffset) / ps;
    putLe64(out, layout.filePropertiesOffset + 40, out.size());
    putLe64(out, layout.filePropertiesOffset + 56, count);
    putLe64(out, layout.dataObjectOffset + 16, count * ps + 50);
    putLe64(out, layout.dataObjectOffset + 40, count);
    if (damaged) {
        // Delete 100 bytes inside a packet in the middle.
        const uint64_t middle = layout.firstPacketOffset + count / 2 * ps + 200;
        out.erase(out.begin() + static_cast<long>(middle), out.begin() + static_cast<long>(middle + 100));
        insertGarbage(out, 0, 100);
    }
    return out;
}

// The clip's header (EBML header, Segment, SeekHead, Info, Tracks, Tags) and then its clusters
// again and again, under a Segment whose size covers them all.
ByteBuffer makeMkv(int64_t size, bool damaged)
{
    const ByteBuffer clip = encodeClip("bench.mkv", "-c:v mpeg4 -q:v 2 -g 25 -f matroska");
    const ByteBuffer clusterId = {0x1F, 0x43, 0xB6, 0x75};
    const uint64_t first = findBytes(clip, clusterId);
    const uint64_t cues = rfindBytes(clip, ByteBuffer{0x1C, 0x53, 0xBB, 0x6B});
    const uint64_t segment = findBytes(clip, ByteBuffer{0x18, 0x53, 0x80, 0x67});
    if (first == npos || cues == npos || segment == npos || cues < first || clip[segment + 4] != 0x01)
        return {};
    ByteBuffer out = sliceBytes(clip, 0, first);
    out.reserve(static_cast<size_t>(size) + 8192);
    while (out.size() + (cues - first) <= static_cast<uint64_t>(size))
        out.insert(out.end(), clip.begin() + static_cast<long>(first), clip.begin() + static_cast<long>(cues));
    putBe64(out, segment + 4, (out.size() - segment - 12) | (uint64_t{1} << 56));
    if (damaged) {
        out.resize(out.size() * 9 / 10);
        insertGarbage(out, out.size() / 2, 4096);
        insertGarbage(out, 0, 100);
    }
    return out;
}

// "damaged.*" inputs go to our repairs; ffmpeg gets the healthy "clean.*" files of the same size
// (its ASF demuxer refuses a file with bytes before the header).
fs::path input(const std::string& name, benchmark::State& state)
{
    const bool damaged = name.rfind("damaged", 0) == 0;
    const auto endsWith = [&](const std::string& suffix) {
        return name.size() > suffix.size() && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0;
    };
    return bench_support::cachedInput(name, state.range(0), [&](int64_t size) {
        if (endsWith(".ts"))
            return makeTs(size, damaged);
        return endsWith(".mkv") ? makeMkv(size, damaged) : makeAsf(size, damaged);
    });
}

RepairRequest requestFor(const fs::path& path, int32_t mode)
{
    RepairRequest request;
    request.input = makeSourceInfo(path.string());
    request.mode = mode;
    request.outputDirectory = bench_support::outputDir().string();
    request.overwrite = true;
    return request;
}

template <typename AnalyzeFn>
void runAnalyze(benchmark::State& state, const std::string& name, AnalyzeFn analyze)
{
    const fs::path path = input(name, state);
    std::string error;
    const ByteBuffer bytes = readFile(path, &error);
    if (bytes.empty()) {
        state.SkipWithError("input could not be made (is ffmpeg installed?)");
        return;
    }
    const RepairRequest request = requestFor(path, Analyze);
    for (auto _ : state) {
        RepairResult result = analyze(request, bytes);
        benchmark::DoNotOptimize(result.findings.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
}

// A repair as a user runs it: the file is read, repaired and the output written.
template <typename RepairFn>
void runRepair(benchmark::State& state, const std::string& name, RepairFn repair)
{
    const fs::path path = input(name, state);
    const RepairRequest request = requestFor(path, Repair);
    for (auto _ : state) {
        std::string error;
        const ByteBuffer bytes = readFile(path, &error);
        RepairResult result = repair(request, bytes);
        if (!result.outputWritten) {
            state.SkipWithError(result.status.message.c_str());
            return;
        }
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(fs::file_size(path)));
    bench_support::clearOutputs();
}

void runFfmpegCopy(benchmark::State& state, const std::string& name, const std::string& format)
{
    const fs::path path = input(name, state);
    const fs::path out = bench_support::outputDir() / ("copy." + format);
    const std::string command = "ffmpeg -v quiet -y -i '" + path.string() + "' -c copy -f " + format + " '" +
                                out.string() + "'";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("ffmpeg failed");
            return;
        }
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(fs::file_size(path)));
    bench_support::clearOutputs();
}

} // namespace

static void BM_TsAnalyze(benchmark::State& state) { runAnalyze(state, "damaged.ts", analyzeTransportStream); }
BENCHMARK(BM_TsAnalyze) KORVEX_BENCH_SIZES;
static void BM_TsRepair(benchmark::State& state) { runRepair(state, "damaged.ts", repairTransportStream); }
BENCHMARK(BM_TsRepair) KORVEX_BENCH_SIZES;
static void BM_TsFfmpegCopy(benchmark::State& state) { runFfmpegCopy(state, "clean.ts", "mpegts"); }
BENCHMARK(BM_TsFfmpegCopy) KORVEX_BENCH_SIZES;

static void BM_AsfAnalyze(benchmark::State& state) { runAnalyze(state, "damaged.wmv", analyzeAsf); }
BENCHMARK(BM_AsfAnalyze) KORVEX_BENCH_SIZES;
static void BM_AsfRepair(benchmark::State& state) { runRepair(state, "damaged.wmv", repairAsf); }
BENCHMARK(BM_AsfRepair) KORVEX_BENCH_SIZES;
static void BM_AsfFfmpegCopy(benchmark::State& state) { runFfmpegCopy(state, "clean.wmv", "asf"); }
BENCHMARK(BM_AsfFfmpegCopy) KORVEX_BENCH_SIZES;

static void BM_MkvAnalyze(benchmark::State& state) { runAnalyze(state, "damaged.mkv", analyzeMatroska); }
BENCHMARK(BM_MkvAnalyze) KORVEX_BENCH_SIZES->Arg(1024 * bench_support::kMiB);
static void BM_MkvRepair(benchmark::State& state) { runRepair(state, "damaged.mkv", repairMatroska); }
BENCHMARK(BM_MkvRepair) KORVEX_BENCH_SIZES->Arg(1024 * bench_support::kMiB);
static void BM_MkvFfmpegCopy(benchmark::State& state) { runFfmpegCopy(state, "clean.mkv", "matroska"); }
BENCHMARK(BM_MkvFfmpegCopy) KORVEX_BENCH_SIZES->Arg(1024 * bench_support::kMiB);
