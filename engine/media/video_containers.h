#pragma once

// The video engine's containers behind its dispatch. Every analyzer takes the request and the
// whole input and returns a result; each repairer continues from its container's analysis.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "data_repair/byte_buffer.h"
#include "data_repair/repair_interfaces.h"

namespace data_repair {

class OutputPieces;

// Video status codes.
inline constexpr int32_t kVideoNoPayload = 30;
inline constexpr int32_t kVideoMp4Write = 31;
inline constexpr int32_t kVideoAviWrite = 32;
inline constexpr int32_t kVideoTsNotFound = 33;
inline constexpr int32_t kVideoTsWrite = 34;
inline constexpr int32_t kVideoFlvNotFound = 35;
inline constexpr int32_t kVideoFlvWrite = 36;
inline constexpr int32_t kVideoMkvNotFound = 37;
inline constexpr int32_t kVideoMkvWrite = 38;
inline constexpr int32_t kVideoAsfNotFound = 39;
inline constexpr int32_t kVideoAsfWrite = 40;
inline constexpr int32_t kVideoPsNotFound = 41;
inline constexpr int32_t kVideoPsWrite = 42;
inline constexpr int32_t kVideoKlvNotFound = 43;
inline constexpr int32_t kVideoKlvWrite = 44;
inline constexpr int32_t kVideoRawNotFound = 45;
inline constexpr int32_t kVideoRawWrite = 46;
inline constexpr int32_t kVideoMp4SampleNeeded = 47;
inline constexpr int32_t kVideoMp4SampleMismatch = 48;

// Starting result of every video analyzer: success, kind Video, detected format, input size.
RepairResult prepareVideoResult(const RepairRequest& request, ByteView bytes);

// Writes a repaired video ("_repaired", kind "repaired-video", note = extension) and records it;
// on failure the status becomes writeCode with the writer's text.
bool writeVideoOutput(RepairResult& result, const RepairRequest& request, ByteView bytes,
                      const std::string& extension, int32_t writeCode);
bool writeVideoOutput(RepairResult& result, const RepairRequest& request, const OutputPieces& pieces,
                      const std::string& extension, int32_t writeCode);

// Each "...From" repair continues from the container's own analysis of the same bytes (the
// dispatch has just computed it); the plain forms analyze first.
RepairResult analyzeAsf(const RepairRequest& request, ByteView bytes);
RepairResult repairAsfFrom(RepairResult analysis, const RepairRequest& request, ByteView bytes);
RepairResult analyzeMatroska(const RepairRequest& request, ByteView bytes);
RepairResult repairMatroskaFrom(RepairResult analysis, const RepairRequest& request, ByteView bytes);
RepairResult analyzeFlv(const RepairRequest& request, ByteView bytes);
RepairResult repairFlvFrom(RepairResult analysis, const RepairRequest& request, ByteView bytes);
RepairResult analyzeKlv(const RepairRequest& request, ByteView bytes, const std::string& defaultFormat);
RepairResult repairKlvFrom(RepairResult analysis, const RepairRequest& request, ByteView bytes,
                       const std::string& defaultFormat);
// Where a program stream's first pack header and last end code lie (npos when none).
struct ProgramStreamLayout {
    uint64_t packStart = npos;
    uint64_t lastEnd = npos;
};
RepairResult analyzeProgramStream(const RepairRequest& request, ByteView bytes);
// The analysis hands what it found to the repair, which then does not search the input again.
RepairResult analyzeProgramStreamLayout(const RepairRequest& request, ByteView bytes, ProgramStreamLayout& layout);
RepairResult repairProgramStreamOnLayout(RepairResult analysis, const RepairRequest& request, ByteView bytes,
                                         const ProgramStreamLayout& layout);
RepairResult analyzeRawStream(const RepairRequest& request, ByteView bytes);
RepairResult repairRawStreamFrom(RepairResult analysis, const RepairRequest& request, ByteView bytes);
// The packet grid of a transport stream: packet size (0 when none), the offset of the first
// packet, and how many of the grid's whole slots there are and carry a sync byte.
struct TsLayout {
    uint64_t packetSize = 0;
    uint64_t phase = 0;
    uint64_t slotCount = 0;
    uint64_t syncCount = 0;
};
RepairResult analyzeTransportStream(const RepairRequest& request, ByteView bytes);
// The analysis handing the grid it found to the repair, which then does not search the whole
// input for it again.
RepairResult analyzeTransportStreamGrid(const RepairRequest& request, ByteView bytes, TsLayout& grid);
RepairResult repairTransportStreamOnGrid(RepairResult analysis, const RepairRequest& request, ByteView bytes,
                                         const TsLayout& grid);

inline RepairResult repairAsf(const RepairRequest& request, ByteView bytes)
{
    return repairAsfFrom(analyzeAsf(request, bytes), request, bytes);
}
inline RepairResult repairMatroska(const RepairRequest& request, ByteView bytes)
{
    return repairMatroskaFrom(analyzeMatroska(request, bytes), request, bytes);
}
inline RepairResult repairFlv(const RepairRequest& request, ByteView bytes)
{
    return repairFlvFrom(analyzeFlv(request, bytes), request, bytes);
}
inline RepairResult repairKlv(const RepairRequest& request, ByteView bytes, const std::string& defaultFormat)
{
    return repairKlvFrom(analyzeKlv(request, bytes, defaultFormat), request, bytes, defaultFormat);
}
inline RepairResult repairProgramStream(const RepairRequest& request, ByteView bytes)
{
    ProgramStreamLayout layout;
    RepairResult analysis = analyzeProgramStreamLayout(request, bytes, layout);
    return repairProgramStreamOnLayout(std::move(analysis), request, bytes, layout);
}
inline RepairResult repairRawStream(const RepairRequest& request, ByteView bytes)
{
    return repairRawStreamFrom(analyzeRawStream(request, bytes), request, bytes);
}
inline RepairResult repairTransportStream(const RepairRequest& request, ByteView bytes)
{
    TsLayout grid;
    RepairResult analysis = analyzeTransportStreamGrid(request, bytes, grid);
    return repairTransportStreamOnGrid(std::move(analysis), request, bytes, grid);
}

// Container recognisers the dispatch uses. The "anywhere" ones accept a hit only when the
// structure there checks out.
bool hasEbmlMagic(ByteView bytes);
bool hasPackStartCode(ByteView bytes);
bool hasKlvKey(ByteView bytes);

TsLayout detectTsPacketSize(ByteView bytes);

} // namespace data_repair
