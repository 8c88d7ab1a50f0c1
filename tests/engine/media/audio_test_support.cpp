#include "audio_test_support.h"

#include <random>

namespace audio_test {

using namespace data_repair;

ByteBuffer encodeTone(const test_support::TempDir& dir, const std::string& name, const std::string& outputArgs,
                      double seconds)
{
    const fs::path out = dir / name;
    const std::string command = "ffmpeg -v error -y -f lavfi -i sine=frequency=440:sample_rate=44100:d=" +
                                std::to_string(seconds) + " " + outputArgs + " " + test_support::quote(out);
    const test_support::CommandResult result = test_support::run(command);
    if (result.exitCode != 0)
        return {};
    return test_support::readAll(out);
}

double decodedSeconds(const fs::path& file, std::string* errors, bool tolerateErrors)
{
    const fs::path raw = file.string() + ".decoded.raw";
    const test_support::CommandResult result =
        test_support::run("ffmpeg -v error -y -i " + test_support::quote(file) + " -f s16le -ac 1 -ar 8000 " +
                          test_support::quote(raw));
    if (errors != nullptr)
        *errors = result.output;
    std::error_code ec;
    const auto bytes = fs::file_size(raw, ec);
    fs::remove(raw, ec);
    if (result.exitCode != 0 || (!result.output.empty() && !tolerateErrors))
        return -1;
    return static_cast<double>(bytes) / 16000.0;
}

RepairResult analyzeAudio(const fs::path& input, int32_t mode)
{
    auto engine = createFileRepairFactory()->createAudioRepair();
    return engine->analyze(test_support::requestFor(input, mode), nullptr);
}

RepairResult repairAudio(const RepairRequest& request)
{
    auto engine = createFileRepairFactory()->createAudioRepair();
    return engine->repair(request, nullptr);
}

RepairResult repairAudio(const fs::path& input, int32_t mode)
{
    return repairAudio(test_support::requestFor(input, mode));
}

ByteBuffer isoBox(const std::string& type, const ByteBuffer& payload)
{
    ByteBuffer out;
    appendBe32(out, static_cast<uint32_t>(8 + payload.size()));
    appendString(out, type);
    appendBytes(out, payload);
    return out;
}

ByteBuffer garbage(size_t size, uint8_t seed)
{
    // Printable-free noise without 0xFF, so it can never hold a frame sync of its own.
    std::mt19937 rng(seed);
    ByteBuffer out(size);
    for (auto& byte : out)
        byte = static_cast<uint8_t>(1 + rng() % 0x1F);
    return out;
}

} // namespace audio_test
