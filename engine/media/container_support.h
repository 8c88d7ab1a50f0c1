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

inline constexpr const char* kVideoOutOfMemory = "not enough memory to build the repaired file";

} // namespace data_repair
