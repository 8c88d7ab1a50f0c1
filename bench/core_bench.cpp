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

static void BM_FindBytesAbsent(benchmark::State& state)
{
    // Random bytes without the word, as a search through compressed streams for a keyword goes.
    ByteBuffer bytes(static_cast<size_t>(state.range(0)));
    uint32_t x = 2463534242u;
    for (auto& b : bytes) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        b = static_cast<uint8_t>(x);
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(findBytes(bytes, "/Catalog!", 0));
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_FindBytesAbsent)->Arg(256 << 10)->Arg(256 << 20);
