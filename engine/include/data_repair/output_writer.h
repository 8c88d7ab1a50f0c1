#pragma once

// The one place where engines write their outputs and record them in a result.

#include <cstdint>
#include <deque>
#include <filesystem>
#include <new>
#include <stdexcept>
#include <string>
#include <utility>

#include "data_repair/byte_buffer.h"
#include "data_repair/file_access.h"
#include "data_repair/checkpoint.h"
#include "data_repair/records.h"

namespace data_repair {

struct WrittenFile {
    bool ok = false;
    std::filesystem::path path;
    std::string error;
};

// An output that is mostly its input: new bytes (kept here) and stretches of the input buffer, in
// order. The writer copies the stretches from the input file instead of from memory, so the
// output is never put together whole. `input` must be the unchanged buffer readFile returned for
// the request's input, and outlive the pieces.
class OutputPieces {
public:
    explicit OutputPieces(ByteView input) : input_(input) {}
    OutputPieces(const OutputPieces&) = delete;
    OutputPieces& operator=(const OutputPieces&) = delete;

    void append(ByteBuffer bytes);
    // Bytes [pos, pos + length) of the input, cut at its end like appendRange. A stretch that
    // starts where the previous piece (a stretch too) ended extends it.
    void appendInput(uint64_t pos, uint64_t length);
    const ByteParts& parts() const { return parts_; }
    ByteView input() const { return input_; }
    // The last file these pieces were written to: a further copy clones it where it can.
    const std::filesystem::path& writtenTo() const { return writtenTo_; }
    void setWrittenTo(std::filesystem::path path) const { writtenTo_ = std::move(path); }
    uint64_t size() const { return size_; }
    // The whole output in memory, for callers that must hold it.
    ByteBuffer joined() const;

private:
    // A stretch of the input shorter than this is copied beside the new bytes once it can no
    // longer grow: standing alone it would cost about as much as its bytes, and a file of
    // millions of tiny chunks must not need a part list larger than itself.
    static constexpr uint64_t kTinyStretch = 64;
    // New bytes shorter than this are copied into blocks of kBlock bytes, filled one after the
    // other; longer ones are kept as they come.
    static constexpr uint64_t kSmallNew = 16 * 1024;
    static constexpr uint64_t kBlock = 64 * 1024;

    bool isInputPart(std::span<const uint8_t> part) const;
    void appendToBlock(const uint8_t* data, uint64_t length);
    void gatherTinyLastPart();

    ByteView input_;
    std::deque<ByteBuffer> owned_; // a deque never moves what it holds
    ByteBuffer* block_ = nullptr;  // the block being filled; never grows past its first capacity
    ByteParts parts_;
    uint64_t size_ = 0;
    mutable std::filesystem::path writtenTo_;
};

// Names the output (buildOutputPath), refuses a path that is the input or the sample, and writes
// the bytes without replacing an existing file unless the request allows it (a name taken in the
// meantime moves on to the next free number). explicitPath empty means derive the name.
WrittenFile writeOutputFile(const RepairRequest& request, ByteView bytes, const std::string& suffix,
                            const std::string& extension, const std::string& explicitPath);
// `input`, when given, is the unchanged buffer readFile returned for request.input: parts inside
// it are copied from the input file; `sameBytes` names a file already holding the same bytes
// (see InputSource).
WrittenFile writeOutputFile(const RepairRequest& request, const ByteParts& bytes, const std::string& suffix,
                            const std::string& extension, const std::string& explicitPath,
                            ByteView input = {}, const std::filesystem::path& sameBytes = {});
WrittenFile writeOutputFile(const RepairRequest& request, const OutputPieces& pieces, const std::string& suffix,
                            const std::string& extension, const std::string& explicitPath);

// Writes the main "_repaired" output. Success: output, outputSize and outputWritten are set and
// true returned. Failure: status becomes failure(writeCode, the writer's text) and false returned.
bool writeRepairedOutput(RepairResult& result, const RepairRequest& request, ByteView bytes,
                         const std::string& extension, const std::string& artifactKind, int32_t writeCode,
                         const std::string& suffix = "_repaired");
bool writeRepairedOutput(RepairResult& result, const RepairRequest& request, const ByteParts& bytes,
                         const std::string& extension, const std::string& artifactKind, int32_t writeCode,
                         const std::string& suffix = "_repaired", ByteView input = {});
bool writeRepairedOutput(RepairResult& result, const RepairRequest& request, const OutputPieces& pieces,
                         const std::string& extension, const std::string& artifactKind, int32_t writeCode,
                         const std::string& suffix = "_repaired");

// Writes the main output as writeRepairedOutput does and, once it is written, marks the result a
// success: the step every family's repair ends with.
template <typename Output>
bool writeRepairedOutputAndSucceed(RepairResult& result, const RepairRequest& request, const Output& output,
                                   const std::string& extension, const std::string& artifactKind, int32_t writeCode)
{
    if (!writeRepairedOutput(result, request, output, extension, artifactKind, writeCode))
        return false;
    result.setStatus(RepairStatus::success());
    return true;
}

// Writes a further file (preview copy, extracted preview) named "<stem><suffix>.<extension>"
// (the request's explicit output path never applies). Success: appended to artifacts,
// previewWritten set. Failure: the writer's text is appended to notes; the status is untouched.
bool writeExtraArtifact(RepairResult& result, const RepairRequest& request, ByteView bytes,
                        const std::string& extension, const std::string& artifactKind,
                        const std::string& suffix = "_preview");
bool writeExtraArtifact(RepairResult& result, const RepairRequest& request, const OutputPieces& pieces,
                        const std::string& extension, const std::string& artifactKind,
                        const std::string& suffix = "_preview");

// Starts a report: input and sample copied, kind, mode, format and inputSize set.
RepairResult startResult(const RepairRequest& request, int32_t kind, const std::string& format, uint64_t inputSize);

// The result of an entry that stops before any format work (unreadable input, memory exhausted):
// only the input, kind, mode and the failure status are set.
RepairResult entryFailure(const RepairRequest& request, int32_t kind, int32_t mode, int32_t code,
                          const std::string& message);

inline constexpr const char* kErrOutOfMemory = "not enough memory to process the file";

// "video repair cancelled", "audio repair cancelled", ... by the engine's kind.
std::string cancelledMessage(int32_t kind);

// Runs an engine entry so that an allocation failure (a file too large for memory together with
// its working copies) comes back as a failure result with code 2, never as an exception. Batch
// repair calls the engine objects directly, past the factory's own guard, so each entry uses it.
template <typename Work>
RepairResult guardAllocation(const RepairRequest& request, int32_t kind, int32_t mode, Work&& work)
{
    try {
        return work();
    } catch (const std::bad_alloc&) {
        return entryFailure(request, kind, mode, 2, kErrOutOfMemory);
    } catch (const std::length_error&) {
        return entryFailure(request, kind, mode, 2, kErrOutOfMemory);
    }
}

// The same for an entry given the caller's sink: the run's checkpoints ask it, and a cancellation
// comes back as status 5 (the files the run staged never take their names).
template <typename Work>
RepairResult guardAllocation(const RepairRequest& request, int32_t kind, int32_t mode, IProgress* progress,
                             Work&& work)
{
    RunScope run(progress, kind, request.input.path);
    try {
        return guardAllocation(request, kind, mode, std::forward<Work>(work));
    } catch (const OperationCancelled&) {
        return entryFailure(request, kind, mode, kStatusCancelled, cancelledMessage(kind));
    }
}

} // namespace data_repair
