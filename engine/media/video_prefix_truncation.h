#pragma once

// Cutting an MP4/MOV whose moov describes more video than the file still holds intact: the
// H.264/HEVC samples are walked through their NAL length fields, every track is cut at the
// presentation time of the first broken video sample, and the sample tables, edit lists and
// durations are rewritten to match. The mdat keeps its place, so kept data never moves.

#include <cstdint>
#include <string>
#include <vector>

#include "core/iso_box.h"
#include "data_repair/byte_buffer.h"

namespace data_repair {
class OutputPieces;
}

namespace data_repair {

struct TrackCut {
    bool valid = false;
    std::string handlerType;
    std::string sampleEntryType;
    uint32_t timescale = 0;
    uint32_t keptSamples = 0;
    uint32_t keptChunks = 0;
    uint64_t mediaDuration = 0;
    uint64_t trackDuration = 0;
    std::vector<uint32_t> samplesPerChunk;
    std::vector<uint32_t> sampleDescriptionIndex;
};

struct VideoCutPlan {
    bool found = false;
    std::vector<TrackCut> tracks;
    ByteBuffer moov;
    uint64_t keptEnd = 0;
    uint64_t movieDuration = 0;
    double cutSeconds = 0.0;
    uint32_t firstCorruptSample = 0; // 0 when the file was cut short with every kept sample sound
    uint64_t droppedSamples = 0;     // samples of all tracks the rewritten tables leave out
};

// Lays out the truncated file in `output` (new boxes and the kept stretches of `working`) and
// returns true, or declines (false) when any needed piece is missing; `plan` receives the plan
// either way.
bool truncateCorruptVideoPrefix(ByteView working, const IsoBox& ftyp, const IsoBox& moov,
                                const IsoBox& mdat, OutputPieces& output, VideoCutPlan& plan);
// The same, with the whole truncated file built in memory.
bool truncateCorruptVideoPrefix(ByteView working, const IsoBox& ftyp, const IsoBox& moov,
                                const IsoBox& mdat, ByteBuffer& output, VideoCutPlan& plan);

VideoCutPlan planVideoCut(ByteView working, ByteView moovBytes, const IsoBox& mdat);

// True when the moov's tables place every sample inside the mdat payload and every AVC/HEVC
// sample parses as a whole number of length-prefixed NAL units there. `moovBase` is the chunk
// offset value the moov uses for the first payload byte of `mdat` (a borrowed moov still counts
// from its own file).
// `covered`, when given, receives the bytes the samples take up.
bool moovSamplesFitMedia(ByteView working, ByteView moov, uint64_t moovBase, const IsoBox& mdat,
                         uint64_t* covered = nullptr);

// The first AVC/HEVC video track of a moov, with what a rebuild of its tables needs.
struct CodecTrack {
    IsoBox trak;
    bool hevc = false;
    uint32_t nalLengthSize = 0;  // 1, 2 or 4
    uint32_t timescale = 0;      // of the track's media
    uint32_t movieTimescale = 0;
    uint32_t sampleDelta = 0;    // duration of one frame, from the first stts run
    ByteBuffer config;           // the avcC/hvcC payload (parameter sets), empty when not found
};
bool findCodecTrack(ByteView moov, CodecTrack& track);

// The box reached by following the types from [start, end) ("meta" children start 4 bytes in).
IsoBox findIsoBoxPath(ByteView bytes, uint64_t start, uint64_t end,
                      const std::vector<std::string>& types);

// Table writers; each takes one whole box and returns the rewritten box (unchanged when it is
// too short to hold what it states).
ByteBuffer rewriteEditList(ByteView box, uint64_t duration);
ByteBuffer truncateRunTable(ByteView box, uint32_t kept, uint64_t headerLength);
ByteBuffer truncateSampleSizeTable(ByteView box, uint32_t kept);
ByteBuffer truncateChunkOffsetTable(ByteView box, uint32_t keptChunks, bool wide);
ByteBuffer truncateSyncSampleTable(ByteView box, uint32_t kept);
ByteBuffer rebuildSampleToChunk(ByteView box, const TrackCut& cut);

} // namespace data_repair
