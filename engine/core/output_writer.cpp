#include "data_repair/output_writer.h"

#include <algorithm>

#include "data_repair/file_access.h"

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
    result.output = makeArtifact(written.path, artifactKind, extension);
    result.outputSize = result.output.size;
    result.outputWritten = true;
    return true;
}

} // namespace

void OutputPieces::append(ByteBuffer bytes)
{
    if (bytes.empty())
        return;
    size_ += bytes.size();
    owned_.push_back(std::move(bytes));
    parts_.emplace_back(owned_.back());
}

void OutputPieces::appendInput(uint64_t pos, uint64_t length)
{
    if (pos >= input_->size() || length == 0)
        return;
    const uint64_t n = std::min<uint64_t>(length, input_->size() - pos);
    size_ += n;
    const uint8_t* at = input_->data() + pos;
    // A stretch that goes on where the last one ended joins it: one copy, one part.
    if (!parts_.empty() && parts_.back().data() >= input_->data() &&
        parts_.back().data() < input_->data() + input_->size() && parts_.back().data() + parts_.back().size() == at) {
        parts_.back() = std::span<const uint8_t>(parts_.back().data(), parts_.back().size() + static_cast<size_t>(n));
        return;
    }
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

WrittenFile writeOutputFile(const RepairRequest& request, const ByteBuffer& bytes, const std::string& suffix,
                            const std::string& extension, const std::string& explicitPath)
{
    return writeOutputFile(request, ByteParts{std::span<const uint8_t>(bytes)}, suffix, extension, explicitPath);
}

WrittenFile writeOutputFile(const RepairRequest& request, const ByteParts& bytes, const std::string& suffix,
                            const std::string& extension, const std::string& explicitPath, const ByteBuffer* input,
                            const std::filesystem::path& sameBytes)
{
    WrittenFile written;
    const InputSource source{pathFromUtf8(request.input.path),
                             input != nullptr ? std::span<const uint8_t>(*input) : std::span<const uint8_t>(),
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
                      input != nullptr || !sameBytes.empty() ? &source : nullptr)) {
            noteRunOutput(path);
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
    WrittenFile written = writeOutputFile(request, pieces.parts(), suffix, extension, explicitPath, &pieces.input(),
                                          pieces.writtenTo());
    if (written.ok)
        pieces.setWrittenTo(written.path);
    return written;
}

bool writeRepairedOutput(RepairResult& result, const RepairRequest& request, const OutputPieces& pieces,
                         const std::string& extension, const std::string& artifactKind, int32_t writeCode,
                         const std::string& suffix)
{
    const WrittenFile written = writeOutputFile(request, pieces, suffix, extension, request.outputPath);
    return recordRepairedOutput(result, written, extension, artifactKind, writeCode);
}

bool writeRepairedOutput(RepairResult& result, const RepairRequest& request, const ByteBuffer& bytes,
                         const std::string& extension, const std::string& artifactKind, int32_t writeCode,
                         const std::string& suffix)
{
    return writeRepairedOutput(result, request, ByteParts{std::span<const uint8_t>(bytes)}, extension, artifactKind,
                               writeCode, suffix);
}

bool writeRepairedOutput(RepairResult& result, const RepairRequest& request, const ByteParts& bytes,
                         const std::string& extension, const std::string& artifactKind, int32_t writeCode,
                         const std::string& suffix, const ByteBuffer* input)
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

bool writeExtraArtifact(RepairResult& result, const RepairRequest& request, const ByteBuffer& bytes,
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
