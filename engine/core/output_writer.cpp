#include "data_repair/output_writer.h"

#include <algorithm>

#include "data_repair/file_access.h"
#include "data_repair/output_stage.h"

namespace fs = std::filesystem;

namespace data_repair {

namespace {

bool recordRepairedOutput(RepairResult& result, const WrittenFile& written, const std::string& extension,
                          const std::string& artifactKind, int32_t writeCode)
{
    if (!written.ok) {
        result.setStatus(RepairStatus::failure(writeCode, written.error));
        return false;
    }
    if (OutputStage* stage = activeOutputStage())
        stage->markMainOutput(written.path, writeCode);
    result.output = makeArtifact(written.path, artifactKind, extension);
    result.outputSize = result.output.size;
    result.outputWritten = true;
    return true;
}

} // namespace

bool OutputPieces::isInputPart(std::span<const uint8_t> part) const
{
    return !input_.empty() && part.data() >= input_.data() && part.data() < input_.data() + input_.size();
}

void OutputPieces::appendToBlock(const uint8_t* data, uint64_t length)
{
    if (block_ == nullptr || block_->capacity() - block_->size() < length) {
        block_ = &owned_.emplace_back();
        block_->reserve(static_cast<size_t>(std::max(kBlock, length)));
    }
    const uint8_t* at = block_->data() + block_->size();
    block_->insert(block_->end(), data, data + length); // within its capacity: nothing moves
    // Bytes that go on where the last part ended in the same block join it.
    if (!parts_.empty() && !isInputPart(parts_.back()) && parts_.back().data() + parts_.back().size() == at &&
        parts_.back().data() >= block_->data()) {
        parts_.back() = std::span<const uint8_t>(parts_.back().data(), parts_.back().size() + static_cast<size_t>(length));
        return;
    }
    parts_.push_back(std::span<const uint8_t>(at, static_cast<size_t>(length)));
}

// A tiny stretch of the input stays a part of its own only while a following stretch may still
// join it; once something else follows, its bytes are copied beside the new bytes.
void OutputPieces::gatherTinyLastPart()
{
    if (parts_.empty() || !isInputPart(parts_.back()) || parts_.back().size() >= kTinyStretch)
        return;
    const std::span<const uint8_t> last = parts_.back();
    parts_.pop_back();
    appendToBlock(last.data(), last.size());
}

void OutputPieces::append(ByteBuffer bytes)
{
    if (bytes.empty())
        return;
    gatherTinyLastPart();
    size_ += bytes.size();
    if (bytes.size() < kSmallNew) {
        appendToBlock(bytes.data(), bytes.size());
        return;
    }
    parts_.emplace_back(owned_.emplace_back(std::move(bytes)));
}

void OutputPieces::appendInput(uint64_t pos, uint64_t length)
{
    if (pos >= input_.size() || length == 0)
        return;
    const uint64_t n = std::min<uint64_t>(length, input_.size() - pos);
    size_ += n;
    const uint8_t* at = input_.data() + pos;
    // A stretch that goes on where the last one ended joins it: one copy, one part.
    if (!parts_.empty() && isInputPart(parts_.back()) && parts_.back().data() + parts_.back().size() == at) {
        parts_.back() = std::span<const uint8_t>(parts_.back().data(), parts_.back().size() + static_cast<size_t>(n));
        return;
    }
    gatherTinyLastPart();
    parts_.push_back(std::span<const uint8_t>(at, static_cast<size_t>(n)));
}

ByteBuffer OutputPieces::joined() const
{
    ByteBuffer out;
    out.reserve(static_cast<size_t>(size_));
    for (const std::span<const uint8_t> part : parts_)
        out.insert(out.end(), part.begin(), part.end());
    return out;
}

WrittenFile writeOutputFile(const RepairRequest& request, ByteView bytes, const std::string& suffix,
                            const std::string& extension, const std::string& explicitPath)
{
    return writeOutputFile(request, ByteParts{std::span<const uint8_t>(bytes)}, suffix, extension, explicitPath);
}

WrittenFile writeOutputFile(const RepairRequest& request, const ByteParts& bytes, const std::string& suffix,
                            const std::string& extension, const std::string& explicitPath, ByteView input,
                            const std::filesystem::path& sameBytes)
{
    WrittenFile written;
    const InputSource source{pathFromUtf8(request.input.path),
                             input,
                             sameBytes};
    // A name can be taken between choosing it and creating it: move on to the next free one.
    for (int attempt = 0; attempt < 16; ++attempt) {
        const fs::path path = buildOutputPath(request.input.path, request.outputDirectory, explicitPath, suffix,
                                              extension, request.overwrite);
        if (path.empty()) {
            written.error = kErrNoFreeName;
            return written;
        }
        if (sameFile(path, pathFromUtf8(request.input.path)) ||
            (!request.sample.path.empty() && sameFile(path, pathFromUtf8(request.sample.path)))) {
            written.error = kErrOutputIsSource;
            return written;
        }
        std::string error;
        if (writeFile(path, bytes, &error, request.overwrite,
                      !input.empty() || !sameBytes.empty() ? &source : nullptr)) {
            written.ok = true;
            written.path = path;
            return written;
        }
        if (error != kErrOutputExists) {
            written.error = error;
            return written;
        }
    }
    written.error = kErrNoFreeName;
    return written;
}

WrittenFile writeOutputFile(const RepairRequest& request, const OutputPieces& pieces, const std::string& suffix,
                            const std::string& extension, const std::string& explicitPath)
{
    WrittenFile written = writeOutputFile(request, pieces.parts(), suffix, extension, explicitPath, pieces.input(),
                                          pieces.writtenTo());
    if (written.ok) {
        // Where the bytes are now: a file still waiting for its run to end is under its
        // temporary name.
        const OutputStage* stage = activeOutputStage();
        const fs::path staged = stage != nullptr ? stage->stagedAt(written.path) : fs::path();
        pieces.setWrittenTo(staged.empty() ? written.path : staged);
    }
    return written;
}

bool writeRepairedOutput(RepairResult& result, const RepairRequest& request, const OutputPieces& pieces,
                         const std::string& extension, const std::string& artifactKind, int32_t writeCode,
                         const std::string& suffix)
{
    const WrittenFile written = writeOutputFile(request, pieces, suffix, extension, request.outputPath);
    return recordRepairedOutput(result, written, extension, artifactKind, writeCode);
}

bool writeRepairedOutput(RepairResult& result, const RepairRequest& request, ByteView bytes,
                         const std::string& extension, const std::string& artifactKind, int32_t writeCode,
                         const std::string& suffix)
{
    return writeRepairedOutput(result, request, ByteParts{std::span<const uint8_t>(bytes)}, extension, artifactKind,
                               writeCode, suffix);
}

bool writeRepairedOutput(RepairResult& result, const RepairRequest& request, const ByteParts& bytes,
                         const std::string& extension, const std::string& artifactKind, int32_t writeCode,
                         const std::string& suffix, ByteView input)
{
    const WrittenFile written = writeOutputFile(request, bytes, suffix, extension, request.outputPath, input);
    return recordRepairedOutput(result, written, extension, artifactKind, writeCode);
}

namespace {

template <typename Bytes>
bool writeExtra(RepairResult& result, const RepairRequest& request, const Bytes& bytes, const std::string& extension,
                const std::string& artifactKind, const std::string& suffix)
{
    const WrittenFile written = writeOutputFile(request, bytes, suffix, extension, std::string());
    if (!written.ok) {
        result.notes.push_back(written.error);
        return false;
    }
    result.artifacts.push_back(makeArtifact(written.path, artifactKind, extension));
    result.previewWritten = true;
    return true;
}

} // namespace

bool writeExtraArtifact(RepairResult& result, const RepairRequest& request, ByteView bytes,
                        const std::string& extension, const std::string& artifactKind, const std::string& suffix)
{
    return writeExtra(result, request, bytes, extension, artifactKind, suffix);
}

bool writeExtraArtifact(RepairResult& result, const RepairRequest& request, const OutputPieces& pieces,
                        const std::string& extension, const std::string& artifactKind, const std::string& suffix)
{
    return writeExtra(result, request, pieces, extension, artifactKind, suffix);
}

RepairResult startResult(const RepairRequest& request, int32_t kind, const std::string& format, uint64_t inputSize)
{
    RepairResult result;
    result.input = request.input;
    result.sample = request.sample;
    result.kind = kind;
    result.mode = request.mode;
    result.format = format;
    result.inputSize = inputSize;
    return result;
}

std::string cancelledMessage(int32_t kind)
{
    switch (kind) {
    case Video: return "video repair cancelled";
    case Audio: return "audio repair cancelled";
    case Photo: return "photo repair cancelled";
    default: return "document repair cancelled";
    }
}

RepairResult entryFailure(const RepairRequest& request, int32_t kind, int32_t mode, int32_t code,
                          const std::string& message)
{
    RepairResult result;
    result.input = request.input;
    result.kind = kind;
    result.mode = mode;
    result.setStatus(RepairStatus::failure(code, message));
    return result;
}

} // namespace data_repair
