#pragma once

// The one place where engines write their outputs and record them in a result.

#include <cstdint>
#include <filesystem>
#include <string>

#include "data_repair/byte_buffer.h"
#include "data_repair/records.h"

namespace data_repair {

struct WrittenFile {
    bool ok = false;
    std::filesystem::path path;
    std::string error;
};

// Names the output (buildOutputPath), refuses a path that is the input or the sample, and writes
// the bytes without replacing an existing file unless the request allows it (a name taken in the
// meantime moves on to the next free number). explicitPath empty means derive the name.
WrittenFile writeOutputFile(const RepairRequest& request, const ByteBuffer& bytes, const std::string& suffix,
                            const std::string& extension, const std::string& explicitPath);

// Writes the main "_repaired" output. Success: output, outputSize and outputWritten are set and
// true returned. Failure: status becomes failure(writeCode, the writer's text) and false returned.
bool writeRepairedOutput(RepairResult& result, const RepairRequest& request, const ByteBuffer& bytes,
                         const std::string& extension, const std::string& artifactKind, int32_t writeCode,
                         const std::string& suffix = "_repaired");

// Writes a further file (preview copy, extracted preview) named "<stem><suffix>.<extension>"
// (the request's explicit output path never applies). Success: appended to artifacts,
// previewWritten set. Failure: the writer's text is appended to notes; the status is untouched.
bool writeExtraArtifact(RepairResult& result, const RepairRequest& request, const ByteBuffer& bytes,
                        const std::string& extension, const std::string& artifactKind,
                        const std::string& suffix = "_preview");

// Starts a report: input and sample copied, kind, mode, format and inputSize set.
RepairResult startResult(const RepairRequest& request, int32_t kind, const std::string& format, uint64_t inputSize);

} // namespace data_repair
