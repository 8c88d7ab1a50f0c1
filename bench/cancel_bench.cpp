// Time from a cancel request to the engine's return on a 1 GiB input: a clip whose index follows
// 1 GiB of media (left sparse), analysed or repaired quickly. The sink asks to stop at a chosen
// moment (a quarter into reading the input, or when the rewritten clip starts to be built); the
// time measured is from that moment to the return, the longest a user waits after "cancel".

#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <fstream>

#include "bench_support.h"

using namespace data_repair;
namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

constexpr uint64_t kMedia = 1ull << 30;

const fs::path& largeClip()
{
    static const fs::path path = [] {
        const fs::path file = bench_support::scratchDir() / "cancel-1gib.mp4";
        ByteBuffer head = bytesOf(std::string("\0\0\0\x14" "ftyp" "isom\0\0\x02\0" "isom", 20));
        appendBe32(head, static_cast<uint32_t>(8 + kMedia));
        appendString(head, "mdat");
        {
            std::ofstream out(file, std::ios::binary);
            out.write(reinterpret_cast<const char*>(head.data()), static_cast<std::streamsize>(head.size()));
        }
        fs::resize_file(file, head.size() + kMedia);
        std::ofstream out(file, std::ios::binary | std::ios::app);
        out.write("\0\0\0\x08moov", 8);
        return file;
    }();
    return path;
}

enum Moment { QuarterRead, Rewrite };

class StopAt final : public IProgress {
public:
    explicit StopAt(Moment moment) : moment_(moment) {}
    bool onProgress(const ProgressEvent& event) override
    {
        const bool due = moment_ == QuarterRead ? event.step == "read" && event.total > 0 &&
                                                      event.current * 1000 / event.total >= 125
                                                : event.step == "rewrite";
        if (due && !stop_.load()) {
            stoppedAt = Clock::now();
            stop_.store(true);
        }
        return true;
    }
    bool isCancelled() override { return stop_.load(); }
    Clock::time_point stoppedAt;

private:
    Moment moment_;
    std::atomic<bool> stop_{false};
};

void cancelToReturn(benchmark::State& state, bool analyze, Moment moment)
{
    RepairRequest request;
    request.input = makeSourceInfo(largeClip().string());
    request.mode = analyze ? Analyze : Repair;
    request.outputDirectory = bench_support::outputDir().string();
    auto engine = createFileRepairFactory()->createVideoRepair();
    for (auto _ : state) {
        StopAt sink(moment);
        const RepairResult result = analyze ? engine->analyze(request, &sink) : engine->repair(request, &sink);
        const auto returned = Clock::now();
        if (result.status.code != kStatusCancelled || !sink.isCancelled()) {
            state.SkipWithError("the run was not cancelled");
            break;
        }
        state.SetIterationTime(std::chrono::duration<double>(returned - sink.stoppedAt).count());
        bench_support::clearOutputs();
    }
}

} // namespace

static void BM_CancelAnalysisWhileReading(benchmark::State& state) { cancelToReturn(state, true, QuarterRead); }
BENCHMARK(BM_CancelAnalysisWhileReading)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

static void BM_CancelRepairWhileReading(benchmark::State& state) { cancelToReturn(state, false, QuarterRead); }
BENCHMARK(BM_CancelRepairWhileReading)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

static void BM_CancelRepairWhileRewriting(benchmark::State& state) { cancelToReturn(state, false, Rewrite); }
BENCHMARK(BM_CancelRepairWhileRewriting)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
