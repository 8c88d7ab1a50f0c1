#include "data_repair/output_stage.h"

#include <fcntl.h>
#include <signal.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <random>

#include "data_repair/file_access.h"

namespace fs = std::filesystem;

namespace data_repair {

namespace {

constinit thread_local OutputStage* activeStage = nullptr;

// An output inside a folder that only its owner can enter (a task folder) stays private to the
// owner as well; elsewhere outputs keep the usual readable mode.
mode_t outputMode(const fs::path& folder)
{
    struct stat st {};
    if (::stat(folder.c_str(), &st) == 0 && (st.st_mode & (S_IRWXG | S_IRWXO)) == 0)
        return 0600;
    return 0644;
}

// A file-size limit (ulimit -f) must fail a write with EFBIG, as a full disk fails it, instead
// of killing the process with SIGXFSZ. Asked before every file (the program may have restored
// the default since); a handler the program installed itself is left alone.
void ignoreFileSizeSignal()
{
    struct sigaction current {};
    if (::sigaction(SIGXFSZ, nullptr, &current) != 0 || (current.sa_flags & SA_SIGINFO) != 0 ||
        current.sa_handler != SIG_DFL)
        return;
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    ::sigaction(SIGXFSZ, &ignore, nullptr);
}

void renameIn(RepairResult& result, const std::string& from, const std::string& to)
{
    if (result.output.path == from)
        result.output.path = to;
    for (OutputArtifact& artifact : result.artifacts)
        if (artifact.path == from)
            artifact.path = to;
}

} // namespace

int createTemporaryBeside(const fs::path& destination, fs::path& temporary)
{
    ignoreFileSizeSignal();
    static thread_local std::mt19937_64 rng{std::random_device{}()};
    const fs::path folder = destination.has_parent_path() ? destination.parent_path() : fs::path(".");
    const mode_t mode = outputMode(folder);
    for (int attempt = 0; attempt < 16; ++attempt) {
        char name[40];
        std::snprintf(name, sizeof name, ".korvex-%016llx.part", static_cast<unsigned long long>(rng()));
        // The same short name whatever the destination's length: a name that fits as the output
        // never fails as the temporary.
        const fs::path candidate = destination.has_parent_path() ? folder / name : fs::path(name);
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, mode);
        if (fd >= 0) {
            temporary = candidate;
            return fd;
        }
        if (errno != EEXIST)
            return -1;
    }
    return -1;
}

bool placeFile(const fs::path& from, const fs::path& destination, bool replace)
{
    if (replace)
        return ::rename(from.c_str(), destination.c_str()) == 0;
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, destination.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP)
        return false;
    // A file system without the no-replace rename: a hard link never replaces either.
    if (::link(from.c_str(), destination.c_str()) != 0)
        return false;
    ::unlink(from.c_str());
    return true;
}

OutputStage::OutputStage() : outer_(activeStage) { activeStage = this; }

OutputStage::~OutputStage()
{
    discard();
    activeStage = outer_;
}

void OutputStage::add(fs::path temporary, fs::path destination, bool replace)
{
    entries_.push_back(Entry{std::move(temporary), std::move(destination), replace, 0});
}

fs::path OutputStage::stagedAt(const fs::path& destination) const
{
    for (const Entry& entry : entries_)
        if (entry.destination == destination)
            return entry.temporary;
    return {};
}

void OutputStage::markMainOutput(const fs::path& destination, int32_t writeCode)
{
    for (Entry& entry : entries_)
        if (entry.destination == destination)
            entry.writeCode = writeCode;
}

void OutputStage::commit(RepairResult& result)
{
    // The main output first: when it cannot be placed, nothing else is.
    std::stable_partition(entries_.begin(), entries_.end(), [](const Entry& e) { return e.writeCode != 0; });
    while (!entries_.empty()) {
        const Entry entry = entries_.front();
        entries_.erase(entries_.begin());
        fs::path placed = entry.destination;
        bool ok = false;
        bool nameLeft = true;
        for (int attempt = 0; attempt < 16 && !placed.empty(); ++attempt) {
            if (placeFile(entry.temporary, placed, entry.replace)) {
                ok = true;
                break;
            }
            if (errno != EEXIST || entry.replace)
                break;
            // Taken since the name was chosen: the next free one.
            placed = nextFreeOutputPath(entry.destination, false);
            nameLeft = !placed.empty();
        }
        const std::string destination = pathToUtf8(entry.destination);
        if (ok) {
            renameIn(result, destination, pathToUtf8(placed));
            continue;
        }
        ::unlink(entry.temporary.c_str());
        const std::string error = nameLeft ? kErrWriteOutput : kErrNoFreeName;
        if (entry.writeCode != 0) {
            result.setStatus(RepairStatus::failure(entry.writeCode, error));
            result.output = OutputArtifact{};
            result.outputSize = 0;
            result.outputWritten = false;
            discard();
            result.artifacts.clear();
            result.previewWritten = false;
            return;
        }
        std::erase_if(result.artifacts, [&](const OutputArtifact& a) { return a.path == destination; });
        result.notes.push_back(error);
        result.previewWritten = result.previewWritten && !result.artifacts.empty();
    }
}

void OutputStage::discard()
{
    for (const Entry& entry : entries_)
        ::unlink(entry.temporary.c_str());
    entries_.clear();
}

OutputStage* activeOutputStage() { return activeStage; }

} // namespace data_repair
