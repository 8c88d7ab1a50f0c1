#pragma once

// Real clips for the container tests, made with ffmpeg from its test pattern, and the judges
// that check our outputs with ffprobe and a full decode.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <functional>
#include <map>
#include <mutex>
#include <string>

#include "media/video_containers.h"
#include "test_support.h"

namespace container_fixtures {

namespace fs = std::filesystem;
using data_repair::ByteBuffer;
using test_support::readAll;

// Folder that holds the encoded clips for the whole test program.
inline const test_support::TempDir& clipDir()
{
    static const test_support::TempDir dir;
    return dir;
}

// Encodes two seconds of the 160x120 test pattern with the given output options into `name`
// (cached for the program's run); empty when ffmpeg fails. `source` picks the lavfi source so
// that two clips of the same settings can differ in content.
inline ByteBuffer clip(const std::string& name, const std::string& options,
                       const std::string& source = "testsrc=d=2:s=160x120:r=25")
{
    static std::mutex lock;
    static std::map<std::string, ByteBuffer> cache;
    std::lock_guard<std::mutex> guard(lock);
    auto found = cache.find(name);
    if (found != cache.end())
        return found->second;
    const fs::path out = clipDir() / name;
    const auto made = test_support::run("ffmpeg -v error -y -f lavfi -i " + source + " " + options + " " +
                                        test_support::quote(out));
    ByteBuffer bytes = made.exitCode == 0 ? test_support::readAll(out) : ByteBuffer{};
    cache[name] = bytes;
    return bytes;
}

// Frames of the first video stream that a full decode delivers (-1 when the decoder refuses the
// file); `format` forces a demuxer for streams without a container signature.
inline int decodedFrames(const fs::path& file, const std::string& format = "")
{
    const std::string forced = format.empty() ? "" : "-f " + format + " ";
    const auto probe = test_support::run("ffprobe -v quiet " + forced +
                                         "-count_frames -select_streams v:0 -show_entries stream=nb_read_frames "
                                         "-of csv=p=0 " + test_support::quote(file));
    if (probe.exitCode != 0)
        return -1;
    try {
        return std::stoi(probe.output);
    } catch (...) {
        return -1;
    }
}

// True when ffprobe reads the container without a complaint and ffmpeg decodes it to the end
// without an error.
inline bool playsCleanly(const fs::path& file, const std::string& format = "", std::string* log = nullptr)
{
    const std::string forced = format.empty() ? "" : "-f " + format + " ";
    const auto probe = test_support::run("ffprobe -v error " + forced + test_support::quote(file));
    const auto decode = test_support::run("ffmpeg -v error " + forced + "-i " + test_support::quote(file) +
                                          " -f null -");
    if (log != nullptr)
        *log = probe.output + decode.output;
    return probe.exitCode == 0 && decode.exitCode == 0 && probe.output.empty() && decode.output.empty();
}

using test_support::concat;

inline ByteBuffer head(const ByteBuffer& bytes, size_t n) { return ByteBuffer(bytes.begin(), bytes.begin() + std::min(n, bytes.size())); }
inline ByteBuffer tail(const ByteBuffer& bytes, size_t from)
{
    return ByteBuffer(bytes.begin() + std::min(from, bytes.size()), bytes.end());
}

// Deterministic filler bytes that hold no 0x47 and no 00 00 01 run, so they never form a
// container structure by chance.
inline ByteBuffer garbage(size_t n, uint8_t seed = 0x5A)
{
    ByteBuffer out(n);
    uint32_t state = seed * 2654435761u + 1;
    for (auto& byte : out) {
        state = state * 1103515245u + 12345u;
        uint8_t value = static_cast<uint8_t>(state >> 16);
        if (value == 0x47 || value == 0x00 || value == 0x06 || value == 0x1A || value == 0x30)
            value = 0x55;
        byte = value;
    }
    return out;
}

inline const data_repair::Finding* findingWith(const data_repair::RepairResult& result, const std::string& message)
{
    for (const auto& finding : result.findings)
        if (finding.message == message)
            return &finding;
    return nullptr;
}

inline const data_repair::RepairAction* actionWith(const data_repair::RepairResult& result, const std::string& id)
{
    for (const auto& action : result.actions)
        if (action.id == id)
            return &action;
    return nullptr;
}

// Runs body in a child process whose address space may grow by at most headroom bytes and
// returns the child's exit code (-1 when it died). Lets a test see what a repair does when
// memory runs out, without touching the test program itself.
inline int exitCodeWithMemoryHeadroom(uint64_t headroom, const std::function<int()>& body)
{
    const pid_t child = ::fork();
    if (child == 0) {
        std::ifstream statm("/proc/self/statm");
        uint64_t pages = 0;
        statm >> pages;
        const uint64_t limit = pages * static_cast<uint64_t>(::sysconf(_SC_PAGESIZE)) + headroom;
        const rlimit bound{limit, limit};
        ::setrlimit(RLIMIT_AS, &bound);
        ::_exit(body());
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child)
        return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace container_fixtures
