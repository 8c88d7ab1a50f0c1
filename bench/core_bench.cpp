// Engine core costs per byte: whole-file reading, detection and pattern search.

#include <benchmark/benchmark.h>

#include "bench_support.h"

using namespace data_repair;

static void BM_ReadFile(benchmark::State& state)
{
    const auto path = bench_support::cachedInput("random.bin", state.range(0),
                                                 [](int64_t n) { return bench_support::randomBytes(n); });
    for (auto _ : state) {
        std::string error;
        auto bytes = readFile(path, &error);
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ReadFile) KORVEX_BENCH_SIZES;

static void BM_DetectFileKind(benchmark::State& state)
{
    // No signature and no extension: the transport-stream scan walks the whole buffer.
    ByteBuffer bytes(static_cast<size_t>(state.range(0)), 0x00);
    for (auto _ : state)
        benchmark::DoNotOptimize(detectFileKind("noext", bytes));
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_DetectFileKind) KORVEX_BENCH_SIZES;

static void BM_FindBytesHostile(benchmark::State& state)
{
    // A run of 'A' and a needle that nearly matches everywhere.
    ByteBuffer bytes(static_cast<size_t>(state.range(0)), 'A');
    const std::string needle = "AAAAAAAAAAAAAAAB";
    for (auto _ : state)
        benchmark::DoNotOptimize(findBytes(bytes, needle, 0));
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_FindBytesHostile) KORVEX_BENCH_SIZES;
