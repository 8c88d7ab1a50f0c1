// Feeds arbitrary names and bytes to detection and to every engine's analyze and repair.
//
// Input layout: byte 0 picks the engine and the mode, then a file extension up to the first
// 0x00 byte (at most 8 bytes), then the file content. When bit 6 of byte 0 is set, the content
// is split in two at its middle: the first half is the input, the second a sample file.

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "data_repair/engine.h"

namespace fs = std::filesystem;
using namespace data_repair;

namespace {

class CountingProgress : public IProgress {
public:
    bool onProgress(const ProgressEvent&) override { return true; }
    bool isCancelled() override { return cancel; }
    bool cancel = false;
};

const fs::path& workDir()
{
    static const fs::path dir = [] {
        fs::path p = fs::temp_directory_path() / ("korvex-fuzz-" + std::to_string(::getpid()));
        fs::create_directories(p);
        return p;
    }();
    return dir;
}

std::string cleanExtension(const uint8_t* data, size_t size, size_t& used)
{
    std::string ext;
    used = 0;
    while (used < size && used < 8 && data[used] != 0) {
        const char c = static_cast<char>(data[used]);
        ext += (c == '/' || c == '\\') ? '_' : c;
        ++used;
    }
    if (used < size && data[used] == 0)
        ++used;
    return ext;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const uint8_t selector = data[0];
    size_t used = 0;
    const std::string ext = cleanExtension(data + 1, size - 1, used);
    const uint8_t* content = data + 1 + used;
    const size_t contentSize = size - 1 - used;

    ByteBuffer input(content, content + contentSize);
    ByteBuffer sample;
    const bool withSample = (selector & 0x40) != 0;
    if (withSample) {
        const size_t half = contentSize / 2;
        sample.assign(content + half, content + contentSize);
        input.resize(half);
    }

    const fs::path inputPath = workDir() / ("input." + ext);
    (void)detectFileKind(inputPath, input);
    (void)detectFormatName(inputPath, input);

    std::error_code ec;
    fs::remove_all(workDir(), ec);
    fs::create_directories(workDir() / "out", ec);
    std::string error;
    if (!writeFile(inputPath, input, &error))
        return 0;

    RepairRequest request;
    request.input = makeSourceInfo(inputPath.string());
    request.outputDirectory = (workDir() / "out").string();
    request.writePreview = (selector & 0x20) != 0;
    request.mode = (selector >> 2) & 3;
    if (withSample) {
        const fs::path samplePath = workDir() / ("sample." + ext);
        if (writeFile(samplePath, sample, &error))
            request.sample = makeSourceInfo(samplePath.string());
    }

    CountingProgress progress;
    progress.cancel = (selector & 0x80) != 0 && (selector & 0x10) != 0;
    auto factory = createFileRepairFactory();
    switch (selector & 3) {
    case 0: {
        auto engine = factory->createDocumentRepair();
        (void)engine->analyze(request, &progress);
        (void)engine->repair(request, &progress);
        break;
    }
    case 1: {
        auto engine = factory->createPhotoRepair();
        (void)engine->analyze(request, &progress);
        (void)engine->repair(request, &progress);
        break;
    }
    case 2: {
        auto engine = factory->createAudioRepair();
        (void)engine->analyze(request, &progress);
        (void)engine->repair(request, &progress);
        break;
    }
    default: {
        auto engine = factory->createVideoRepair();
        (void)engine->analyze(request, &progress);
        (void)engine->repair(request, &progress);
        break;
    }
    }
    fs::remove_all(workDir(), ec);
    return 0;
}
