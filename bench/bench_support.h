#pragma once

// Generated inputs for the benchmarks, written once per size into a scratch folder.

#include <cstdint>
#include <filesystem>
#include <functional>

#include "data_repair/engine.h"

namespace bench_support {

inline constexpr int64_t kMiB = 1024 * 1024;

// Scratch folder for benchmark inputs and outputs (removed at exit).
const std::filesystem::path& scratchDir();

// Writes the file made by `make` for this size once and returns its path.
std::filesystem::path cachedInput(const std::string& name, int64_t size,
                                  const std::function<data_repair::ByteBuffer(int64_t)>& make);

// Deterministic pseudo-random bytes.
data_repair::ByteBuffer randomBytes(int64_t size, uint64_t seed = 1);

// Removes everything a run wrote into the output folder.
void clearOutputs();
std::filesystem::path outputDir();

} // namespace bench_support

// The sizes every engine benchmark runs at: 1, 64 and 512 MiB.
#define KORVEX_BENCH_SIZES ->Arg(1 * bench_support::kMiB)->Arg(64 * bench_support::kMiB)->Arg(512 * bench_support::kMiB)->Unit(benchmark::kMillisecond)->UseRealTime()
