#pragma once

// Every file the engine writes is made under a temporary name in its destination's folder and
// moved to its final name only once it is complete: a run that fails, is cancelled or is killed
// part-way never leaves a partial file under a final name, and never removes the file an output
// was to replace. While an OutputStage is open on a thread, the files its writers finish wait in
// it until the operation commits them (after its last checks); without one each file is moved
// into place as soon as it is complete.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "data_repair/records.h"

namespace data_repair {

// Creates a new, empty file for writing under a temporary hidden name in the folder that will
// hold `destination` (same file system, so placing it is a rename), with the mode an output
// there gets. Returns the open descriptor and sets `temporary`, or -1 with errno set.
int createTemporaryBeside(const std::filesystem::path& destination, std::filesystem::path& temporary);

// Moves a finished file to its destination. With `replace` an existing file there (or a link,
// which is replaced itself, never written through) gives way; without it an existing destination
// is never touched (renameat2 RENAME_NOREPLACE, or link and unlink where the file system refuses
// that) and the move fails with errno EEXIST. False with errno set on failure.
bool placeFile(const std::filesystem::path& from, const std::filesystem::path& destination, bool replace);

// The files one engine operation finished, waiting for the operation to succeed.
class OutputStage {
public:
    OutputStage();
    // Removes every file that was not committed.
    ~OutputStage();
    OutputStage(const OutputStage&) = delete;
    OutputStage& operator=(const OutputStage&) = delete;

    bool empty() const { return entries_.empty(); }
    // The writers' side: a finished temporary file and where it goes.
    void add(std::filesystem::path temporary, std::filesystem::path destination, bool replace);
    // Where the file meant for `destination` is now, or an empty path when none waits here.
    std::filesystem::path stagedAt(const std::filesystem::path& destination) const;
    // The file meant for `destination` is the operation's main output: failing to place it fails
    // the operation with `writeCode` (a further file that cannot be placed only adds a note).
    void markMainOutput(const std::filesystem::path& destination, int32_t writeCode);

    // Places every file, in the order written, and brings the result's paths in line: a name
    // taken meanwhile (without overwrite) moves on to the next free one; a main output that
    // cannot be placed fails the result with its write code and removes every other file.
    void commit(RepairResult& result);
    // Removes every file that was not committed.
    void discard();

private:
    struct Entry {
        std::filesystem::path temporary;
        std::filesystem::path destination;
        bool replace = false;
        int32_t writeCode = 0; // non-zero for the main output
    };
    std::vector<Entry> entries_;
    OutputStage* outer_;
};

// The stage open on this thread, or null.
OutputStage* activeOutputStage();

} // namespace data_repair
