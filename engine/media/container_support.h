#pragma once

// Small pieces every non-ISO video container shares: the output name, the gate between analysis
// and repair, and building plus writing the repaired bytes.

#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

#include "media/video_containers.h"

namespace data_repair {

// The detected format name when it is one of the container's own names, else the fallback: an
// output never carries the extension of a foreign container.
std::string ownFormatName(const std::string& detected, std::initializer_list<std::string_view> own,
                          const std::string& fallback);

// A repair goes on only from a successful analysis and when the request asks for more than it.
bool shouldRepair(const RepairResult& analysis, const RepairRequest& request);

// Builds the repaired bytes and writes them as the main output; on success the confidence becomes
// `confidence`. Running out of memory while building fails with the container's write code
// instead of escaping the engine; findings, actions and notes gathered so far stay.
bool buildAndWriteVideo(RepairResult& result, const RepairRequest& request, const std::string& extension,
                        int32_t writeCode, double confidence, const std::function<void(ByteBuffer&)>& build);
// The same for a file laid out as new bytes and stretches of `input` (the buffer read from the
// request's input), which are copied from the input file.
bool buildAndWriteVideo(RepairResult& result, const RepairRequest& request, ByteView input,
                        const std::string& extension, int32_t writeCode, double confidence,
                        const std::function<void(OutputPieces&)>& build);

// The container's essential structure is missing: one Error finding and the failure status. The
// result's confidence stays as it was set up.
void reportStructureNotFound(RepairResult& result, const std::string& finding, int32_t code,
                             const std::string& status);

// First occurrence of pattern at which check holds; when none does, npos if structuralOnly, else
// the first bare occurrence (a file that came to its container by its extension, with the
// structure there damaged). Each occurrence is checked once.
uint64_t findCheckedPattern(ByteView bytes, ByteView pattern,
                            const std::function<bool(uint64_t)>& check, bool structuralOnly);


// Writes bytes [begin, end) of the input as the repaired file.
bool writeInputRange(RepairResult& result, const RepairRequest& request, ByteView bytes, uint64_t begin,
                     uint64_t end, const std::string& extension, int32_t writeCode, double confidence);

inline constexpr const char* kVideoOutOfMemory = "not enough memory to build the repaired file";

} // namespace data_repair
