#include "bench_support.h"

#include <unistd.h>

#include <cstdlib>
#include <map>
#include <random>

namespace bench_support {

namespace fs = std::filesystem;

const fs::path& scratchDir()
{
    static const fs::path dir = [] {
        fs::path p = fs::temp_directory_path() / ("korvex-bench-" + std::to_string(::getpid()));
        fs::create_directories(p / "out");
        std::atexit([] {
            std::error_code ec;
            fs::remove_all(fs::temp_directory_path() / ("korvex-bench-" + std::to_string(::getpid())), ec);
        });
        return p;
    }();
    return dir;
}

fs::path outputDir() { return scratchDir() / "out"; }

void clearOutputs()
{
    std::error_code ec;
    fs::remove_all(outputDir(), ec);
    fs::create_directories(outputDir(), ec);
}

fs::path cachedInput(const std::string& name, int64_t size, const std::function<data_repair::ByteBuffer(int64_t)>& make)
{
    const fs::path path = scratchDir() / (std::to_string(size) + "-" + name);
    if (!fs::exists(path)) {
        std::string error;
        data_repair::writeFile(path, make(size), &error);
    }
    return path;
}

data_repair::ByteBuffer randomBytes(int64_t size, uint64_t seed)
{
    data_repair::ByteBuffer bytes(static_cast<size_t>(size));
    std::mt19937_64 rng(seed);
    size_t i = 0;
    for (; i + 8 <= bytes.size(); i += 8) {
        const uint64_t v = rng();
        for (int k = 0; k < 8; ++k)
            bytes[i + k] = static_cast<uint8_t>(v >> (8 * k));
    }
    for (; i < bytes.size(); ++i)
        bytes[i] = static_cast<uint8_t>(rng());
    return bytes;
}

} // namespace bench_support
