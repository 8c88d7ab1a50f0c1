#include "test_support.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sys/wait.h>

namespace test_support {

TempDir::TempDir()
{
    std::random_device rd;
    const auto base = fs::temp_directory_path();
    for (;;) {
        path_ = base / ("korvex-test-" + std::to_string(rd()) + std::to_string(rd()));
        std::error_code ec;
        if (fs::create_directory(path_, ec))
            break;
    }
}

TempDir::~TempDir()
{
    std::error_code ec;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path_, ec);
}

fs::path TempDir::write(const std::string& name, const data_repair::ByteBuffer& bytes) const
{
    const fs::path p = path_ / name;
    fs::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return p;
}

fs::path TempDir::write(const std::string& name, const std::string& text) const
{
    return write(name, data_repair::ByteBuffer(text.begin(), text.end()));
}

data_repair::ByteBuffer readAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return data_repair::ByteBuffer((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

CommandResult run(const std::string& commandLine)
{
    CommandResult result;
    const std::string full = commandLine + " 2>&1";
    FILE* pipe = ::popen(full.c_str(), "r");
    if (pipe == nullptr)
        return result;
    std::array<char, 4096> buffer{};
    size_t n = 0;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        result.output.append(buffer.data(), n);
    const int status = ::pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

std::string quote(const fs::path& path)
{
    std::string out = "'";
    for (char c : path.string()) {
        if (c == '\'')
            out += "'\\''";
        else
            out += c;
    }
    return out + "'";
}

bool toolAvailable(const std::string& tool)
{
    return run("command -v " + tool + " >/dev/null").exitCode == 0;
}

std::string playerComplaints(const fs::path& file)
{
    const auto probe = run("ffprobe -v error " + quote(file));
    const auto decode = run("ffmpeg -nostdin -v error -i " + quote(file) + " -f null -");
    std::string out = probe.output + decode.output;
    if (probe.exitCode != 0 || decode.exitCode != 0)
        out += "[exit status non-zero]";
    return out;
}

data_repair::RepairRequest requestFor(const fs::path& input, int32_t mode)
{
    data_repair::RepairRequest request;
    request.input = data_repair::makeSourceInfo(input.string());
    request.mode = mode;
    return request;
}

bool RecordingProgress::onProgress(const data_repair::ProgressEvent& event)
{
    events.push_back(event);
    return true;
}

bool RecordingProgress::isCancelled()
{
    ++cancelQueries;
    return cancel;
}

fs::path corpusDir() { return fs::path(KORVEX_CORPUS_DIR); }

bool hasFinding(const data_repair::RepairResult& result, const std::string& message,
                const data_repair::Finding** found)
{
    for (const data_repair::Finding& finding : result.findings) {
        if (finding.message == message) {
            if (found != nullptr)
                *found = &finding;
            return true;
        }
    }
    return false;
}

bool hasFindingStartingWith(const data_repair::RepairResult& result, const std::string& messageStart)
{
    for (const data_repair::Finding& finding : result.findings) {
        if (finding.message.rfind(messageStart, 0) == 0)
            return true;
    }
    return false;
}

const data_repair::RepairAction* findAction(const data_repair::RepairResult& result, const std::string& id)
{
    for (const data_repair::RepairAction& action : result.actions) {
        if (action.id == id)
            return &action;
    }
    return nullptr;
}

bool hasAction(const data_repair::RepairResult& result, const std::string& id, uint64_t* amount)
{
    const data_repair::RepairAction* action = findAction(result, id);
    if (action != nullptr && amount != nullptr)
        *amount = action->amount;
    return action != nullptr;
}

data_repair::ByteBuffer concat(std::initializer_list<data_repair::ByteBuffer> parts)
{
    data_repair::ByteBuffer out;
    for (const data_repair::ByteBuffer& part : parts)
        out.insert(out.end(), part.begin(), part.end());
    return out;
}

data_repair::ByteBuffer photoHeadBehindJunk()
{
    const uint8_t header[] = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F', 0x00, 0x01, 0x01, 0x00,
                              0x00, 0x01, 0x00, 0x01, 0x00, 0x00, 0xFF, 0xC0, 0x00, 0x0B, 0x08, 0x00, 0x10,
                              0x00, 0x10, 0x01, 0x01, 0x11, 0x00, 0xFF, 0xDA, 0x00, 0x08, 0x01, 0x01, 0x00,
                              0x00, 0x3F, 0x00};
    data_repair::ByteBuffer bytes(300, 0x5A);
    for (const uint8_t byte : header)
        bytes.push_back(byte);
    return bytes;
}

} // namespace test_support
