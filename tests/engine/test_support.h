#pragma once

// Helpers shared by the engine tests: private temporary folders, fixture files, and running the
// independent command-line tools that judge our outputs.

#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

#include "data_repair/engine.h"

namespace test_support {

namespace fs = std::filesystem;

// A fresh folder removed at destruction.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const fs::path& path() const { return path_; }
    fs::path operator/(const std::string& name) const { return path_ / name; }
    fs::path write(const std::string& name, const data_repair::ByteBuffer& bytes) const;
    fs::path write(const std::string& name, const std::string& text) const;

private:
    fs::path path_;
};

data_repair::ByteBuffer readAll(const fs::path& path);

struct CommandResult {
    int exitCode = -1;
    std::string output; // stdout and stderr together
};

// Runs a shell command line (arguments must already be quoted with quote()).
CommandResult run(const std::string& commandLine);
std::string quote(const fs::path& path);
bool toolAvailable(const std::string& tool);
// What ffprobe -v error and a full ffmpeg decode (-f null) say about a media file: empty when
// both are silent and succeed.
std::string playerComplaints(const fs::path& file);

// A request for the given input, writing beside it.
data_repair::RepairRequest requestFor(const fs::path& input, int32_t mode = data_repair::Repair);

// Records every progress event; can be told to report cancellation.
class RecordingProgress : public data_repair::IProgress {
public:
    bool onProgress(const data_repair::ProgressEvent& event) override;
    bool isCancelled() override;
    std::vector<data_repair::ProgressEvent> events;
    bool cancel = false;
    int cancelQueries = 0;
};

fs::path corpusDir();

// Result lookups. Findings match on the whole message, or on its start where the message carries
// a detail (an entry name, an offset) after a fixed text; actions match on their id.
bool hasFinding(const data_repair::RepairResult& result, const std::string& message,
                const data_repair::Finding** found = nullptr);
bool hasFindingStartingWith(const data_repair::RepairResult& result, const std::string& messageStart);
const data_repair::RepairAction* findAction(const data_repair::RepairResult& result, const std::string& id);
bool hasAction(const data_repair::RepairResult& result, const std::string& id, uint64_t* amount = nullptr);

// The start of a photo behind 300 junk bytes: a 16x16 greyscale JPEG up to its scan, whose data
// and end marker the caller adds.
data_repair::ByteBuffer photoHeadBehindJunk();

// The parts one after the other.
data_repair::ByteBuffer concat(std::initializer_list<data_repair::ByteBuffer> parts);

} // namespace test_support

// Skips the test when an independent checker is missing on a developer machine; in CI
// (where the package script installs every checker) a missing tool is a failure.
#define REQUIRE_TOOL(tool)                                                                    \
    do {                                                                                      \
        if (!test_support::toolAvailable(tool)) {                                             \
            if (std::getenv("CI") != nullptr)                                                 \
                FAIL() << "required tool missing: " << (tool);                                \
            GTEST_SKIP() << "tool not installed: " << (tool);                                 \
        }                                                                                     \
    } while (0)
