#pragma once

// The audio engine's format handlers. Every handler works on the whole file held in memory and
// returns a RepairResult; a repairer always runs its own analyzer first (see audio_repairer.cpp).

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "data_repair/byte_buffer.h"
#include "data_repair/file_access.h"
#include "data_repair/format_extensions.h"
#include "data_repair/records.h"

namespace data_repair {

class OutputPieces;

// Audio status codes (0, 2 and 5 are the engine-wide ones). 74 and 75 each carry two meanings
// (Ogg and WAV), told apart by the result's format. The numbers belong to results already given
// out and stay; each meaning has its own name.
inline constexpr int32_t kAudioMp3NotFound = 70;
inline constexpr int32_t kAudioMp3Write = 71;
inline constexpr int32_t kAudioAacNotFound = 72;
inline constexpr int32_t kAudioAacWrite = 73;
inline constexpr int32_t kAudioOggNotFound = 74;
inline constexpr int32_t kAudioWavHeaderNotFound = 74;
inline constexpr int32_t kAudioOggWrite = 75;
inline constexpr int32_t kAudioWavDataNotFound = 75;
inline constexpr int32_t kAudioWavChunksMissing = 76;
inline constexpr int32_t kAudioWavWrite = 77;
inline constexpr int32_t kAudioFlacMarkerNotFound = 78;
inline constexpr int32_t kAudioFlacStreamInfoMissing = 79;
inline constexpr int32_t kAudioFlacWrite = 80;
inline constexpr int32_t kAudioM4aMdatNotFound = 81;
inline constexpr int32_t kAudioM4aWrite = 82;
inline constexpr int32_t kAudioUnsupported = 83;
inline constexpr int32_t kAudioM4aSampleNeeded = 84;
inline constexpr int32_t kAudioM4aSampleMismatch = 85;

// ---- the dispatch table (audio_repairer.cpp) ----
using AudioCall = RepairResult (*)(const RepairRequest&, ByteView);
struct AudioFormat {
    std::string_view name; // also the format name detection reports for its content
    ExtensionSets extensions;
    bool (*start)(ByteView); // the signature detection recognises it by
    AudioCall analyze;
    AudioCall repair;
};
std::span<const AudioFormat> audioFormats();

// ---- shared by every handler (audio_repairer.cpp) ----
std::string chooseAudioFormat(const std::string& sniffedName, const std::string& extension);
RepairResult prepareAudioResult(const RepairRequest& request, ByteView buffer);
RepairResult reportUnsupportedAudio(const RepairRequest& request, ByteView buffer);
// Where a format's stream begins, as the analysis reports it.
struct AudioStartTexts {
    const char* missingFinding; // HeaderMissing error when there is no start at all
    double missingConfidence;
    int32_t missingCode;
    const char* missingStatus;
    const char* garbageFinding; // HeaderDamaged warning for the bytes before the start
};
// Records the outcome for a stream start at `start` (npos: none); false when the analysis ends.
bool reportAudioStart(RepairResult& result, uint64_t start, const AudioStartTexts& texts);
// True when the repair should go on: the analysis succeeded and the mode asks for an output.
bool audioRepairShouldWrite(const RepairResult& analysis, const RepairRequest& request);
// Writes the "_repaired" output; a failure sets the format's write code and the writer's text.
bool writeAudioOutput(RepairResult& result, const RepairRequest& request, ByteView bytes,
                      const std::string& extension, int32_t writeCode);
bool writeAudioOutput(RepairResult& result, const RepairRequest& request, const ByteParts& parts,
                      const std::string& extension, int32_t writeCode);
bool writeAudioOutput(RepairResult& result, const RepairRequest& request, const OutputPieces& pieces,
                      const std::string& extension, int32_t writeCode);
// A view of [pos, pos + length) of the input, cut to what exists.
std::span<const uint8_t> inputRange(ByteView buffer, uint64_t pos, uint64_t length);
// The request's sample file, opened whole like an input (mapped: the headers a repair borrows are
// found wherever they lie in it, at no cost in memory); empty when there is none or it cannot be
// opened. A sample that changed while open (changedWhileOpen) lends nothing.
InputFile readAudioSample(const RepairRequest& request);

// ---- MPEG audio and ADTS frame streams (mpeg_audio_frames.cpp) ----
// Length in bytes of the frame whose header starts at pos, or 0 when no frame starts there.
using FrameHeaderTest = uint64_t (*)(ByteView buffer, uint64_t pos);

struct FrameScan {
    ByteBuffer kept;             // kept prefix, every complete frame, then the kept trailer
    uint64_t frameCount = 0;
    uint64_t garbagePrefix = 0;  // bytes between the scan start and the first frame
    uint64_t skippedBetween = 0; // bytes dropped by resynchronisation
    uint64_t truncatedTail = 0;  // bytes before the trailer that hold no complete frame
    uint64_t trailerLength = 0;  // tag blocks at the end, kept unchanged
};

uint64_t isAdtsHeader(ByteView buffer, uint64_t pos);
uint64_t isMpegAudioHeader(ByteView buffer, uint64_t pos);
// First position p >= start (below end) where a confirmed frame starts: the frame fits before
// end and is followed by another header or ends exactly at end. npos when none.
uint64_t findFirstFrame(ByteView buffer, uint64_t start, FrameHeaderTest test, uint64_t end);
// Frames are looked for in [start, streamEnd); the bytes from streamEnd on are a trailer that is
// kept as it is. streamEnd npos means the end of the buffer. Without keepBytes only the counts
// are filled. The kept prefix is [keptPrefixAt, keptPrefixAt + keptPrefixLength).
FrameScan scanFrameStream(ByteView buffer, uint64_t start, uint64_t keptPrefixLength, FrameHeaderTest test,
                          uint64_t streamEnd = npos, bool keepBytes = true, uint64_t keptPrefixAt = 0);
struct Id3v2Tag {
    uint64_t total = 0;
    bool invalid = false;
};
Id3v2Tag readId3v2Size(ByteView buffer);
// Start of the tag blocks that end an MP3 (ID3v1 "TAG", and an APE tag or Lyrics3 block before
// it), at or after `floor`; the buffer length when there are none.
uint64_t findMp3TrailerStart(ByteView buffer, uint64_t floor);
void addFrameStreamFindings(RepairResult& result, const FrameScan& scan, const std::string& label);
RepairResult analyzeAac(const RepairRequest& request, ByteView buffer);
RepairResult repairAac(const RepairRequest& request, ByteView buffer);
RepairResult analyzeMp3(const RepairRequest& request, ByteView buffer);
RepairResult repairMp3(const RepairRequest& request, ByteView buffer);

// ---- FLAC (flac_repair.cpp) ----
uint64_t findFlacMarker(ByteView buffer);
RepairResult analyzeFlac(const RepairRequest& request, ByteView buffer);
RepairResult repairFlac(const RepairRequest& request, ByteView buffer);

// ---- Ogg (ogg_repair.cpp) ----
struct OggPage {
    uint64_t offset = 0;
    uint64_t length = 0;
    bool checksumValid = false;
};
std::vector<OggPage> listOggPages(ByteView buffer);
// The page checksum over [pos, pos + length), the checksum field itself counted as zero.
uint32_t oggPageCrc(ByteView buffer, uint64_t pos, uint64_t length);
uint32_t oggPageCrc(ByteView page);
RepairResult analyzeOgg(const RepairRequest& request, ByteView buffer);
RepairResult repairOgg(const RepairRequest& request, ByteView buffer);

// ---- WAV (wav_repair.cpp) ----
struct WavChunk {
    std::string id;
    ByteBuffer data;
    bool truncated = false;
};
uint64_t findRiffWave(ByteView buffer);
bool extractWavFmt(ByteView buffer, WavChunk& out);
void writeWavChunk(ByteBuffer& out, const WavChunk& chunk);
RepairResult analyzeWav(const RepairRequest& request, ByteView buffer);
RepairResult repairWav(const RepairRequest& request, ByteView buffer);

// ---- M4A (m4a_repair.cpp) ----
ByteBuffer buildDefaultM4aFtyp();
RepairResult analyzeM4a(const RepairRequest& request, ByteView buffer);
RepairResult repairM4a(const RepairRequest& request, ByteView buffer);

} // namespace data_repair
