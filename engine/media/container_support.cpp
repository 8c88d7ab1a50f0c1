#include "media/container_support.h"

#include <new>
#include <stdexcept>

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
    return analysis.status.ok && request.mode != Analyze;
}

bool buildAndWriteVideo(RepairResult& result, const RepairRequest& request, const std::string& extension,
                        int32_t writeCode, double confidence, const std::function<void(ByteBuffer&)>& build)
{
    bool written = false;
    try {
        ByteBuffer output;
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

} // namespace data_repair
