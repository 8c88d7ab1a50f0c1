#pragma once

// How every family entry starts its report, and which modes write the "_repaired" file.

#include <cstdint>

#include "data_repair/byte_buffer.h"
#include "data_repair/records.h"

namespace data_repair {

// The report of an entry that has read its input: input, sample, kind and mode from the request,
// the format detected from the path and the bytes, the input size, and success until a step fails.
RepairResult beginResult(const RepairRequest& request, int32_t kind, ByteView bytes);

// What Extract makes of a family's input.
enum class ExtractWrites {
    PreviewsOnly,   // documents: previews and parts come out, no repaired copy
    RepairedOutput, // audio and video: the extracted stream is the repaired file itself
};

// Analyze never writes the "_repaired" file; Repair and Advanced always do; Extract does only in a
// family whose extract is the repaired file.
bool modeWritesRepairedOutput(int32_t mode, ExtractWrites extract);

} // namespace data_repair
