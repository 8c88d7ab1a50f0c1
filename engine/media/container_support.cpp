#include "media/container_support.h"

#include "data_repair/output_writer.h"

#include <new>
#include <stdexcept>

#include "core/result_start.h"

namespace data_repair {

std::string ownFormatName(const std::string& detected, std::initializer_list<std::string_view> own,
                          const std::string& fallback)
{
    for (std::string_view name : own)
        if (detected == name)
            return detected;
    return fallback;
}

bool shouldRepair(const RepairResult& analysis, const RepairRequest& request)
{
    return analysis.status.ok && modeWritesRepairedOutput(request.mode, ExtractWrites::RepairedOutput);
}

namespace {

template <typename Output, typename Build>
bool buildAndWrite(RepairResult& result, const RepairRequest& request, const std::string& extension,
                   int32_t writeCode, double confidence, Output& output, const Build& build)
{
    bool written = false;
    try {
        build(output);
        written = writeVideoOutput(result, request, output, extension, writeCode);
    } catch (const std::bad_alloc&) {
        result.setStatus(RepairStatus::failure(writeCode, kVideoOutOfMemory));
        return false;
    } catch (const std::length_error&) {
        result.setStatus(RepairStatus::failure(writeCode, kVideoOutOfMemory));
        return false;
    }
    if (written)
        result.confidence = confidence;
    return written;
}

} // namespace

bool buildAndWriteVideo(RepairResult& result, const RepairRequest& request, const std::string& extension,
                        int32_t writeCode, double confidence, const std::function<void(ByteBuffer&)>& build)
{
    ByteBuffer output;
    return buildAndWrite(result, request, extension, writeCode, confidence, output, build);
}

bool buildAndWriteVideo(RepairResult& result, const RepairRequest& request, ByteView input,
                        const std::string& extension, int32_t writeCode, double confidence,
                        const std::function<void(OutputPieces&)>& build)
{
    OutputPieces output(input);
    return buildAndWrite(result, request, extension, writeCode, confidence, output, build);
}

void reportStructureNotFound(RepairResult& result, const std::string& finding, int32_t code, const std::string& status)
{
    result.addFinding(HeaderMissing, Error, finding, 0, 0, false, 0.95);
    result.setStatus(RepairStatus::failure(code, status));
}

uint64_t findCheckedPattern(ByteView bytes, ByteView pattern,
                            const std::function<bool(uint64_t)>& check, bool structuralOnly)
{
    const uint64_t first = findBytes(bytes, pattern);
    for (uint64_t at = first; at != npos; at = findBytes(bytes, pattern, at + 1))
        if (check(at))
            return at;
    return structuralOnly ? npos : first;
}

bool writeInputRange(RepairResult& result, const RepairRequest& request, ByteView bytes, uint64_t begin,
                     uint64_t end, const std::string& extension, int32_t writeCode, double confidence)
{
    return buildAndWriteVideo(result, request, bytes, extension, writeCode, confidence,
                              [&](OutputPieces& out) { out.appendInput(begin, end - begin); });
}

} // namespace data_repair
