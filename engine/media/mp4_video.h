#pragma once

// The video engine's own containers: ISO base media (MP4, MOV, 3GP ...) and AVI, and the
// dispatch that decides which container a buffer holds.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/iso_box.h"
#include "data_repair/byte_buffer.h"
#include "data_repair/repair_interfaces.h"
#include "media/iso_chunk_tables.h"
#include "media/media_decoding.h"
#include "media/video_containers.h"

namespace data_repair {

class OutputPieces;

enum class VideoContainer { Iso, Avi, Flv, Matroska, Asf, TransportStream, ProgramStream, Klv, Raw };

// What the AVI analysis found and its repair needs: the size the first RIFF should declare and
// whether an idx1 chunk is there.
struct AviLayout {
    uint32_t riffSize = 0;
    bool hasIdx1 = false;
};

struct VideoDispatch {
    VideoContainer container = VideoContainer::Iso;
    uint64_t prefix = 0;          // bytes before the ftyp box (ISO only)
    std::string klvFormat = "mxf"; // default format name of a KLV file
    TsLayout tsGrid;               // filled by the transport stream analysis for its repair
    ProgramStreamLayout psLayout;  // filled by the program stream analysis for its repair
    AviLayout aviLayout;           // filled by the AVI analysis for its repair
};

// Decides the container: fixed-position signatures first, then a structurally checked ftyp box
// anywhere (which also catches a RIFF file carrying ISO media), AVI, the extension, and only
// then the structurally checked signatures found anywhere; ISO base media is the fallback.
VideoDispatch chooseVideoContainer(const std::string& inputPath, ByteView bytes);

// --- ISO base media -------------------------------------------------------------------------

// Top-level boxes from `start`, stepping one byte past any unreadable header.
std::vector<IsoBox> scanTopLevelBoxes(ByteView bytes, uint64_t start = 0);
// The first valid box of that type whose header lies at or after `start`, found by its type
// bytes anywhere; an invalid empty box when none.
IsoBox findIsoBoxAnywhere(ByteView bytes, std::string_view type, uint64_t start = 0);
// Offset of the first plausible "ftyp" box at a position >= 0 found by search, or npos.
uint64_t findFtypOffset(ByteView bytes);

// What the top level of an ISO file holds, gathered without keeping a list of every box.
struct Mp4Layout {
    IsoBox ftyp;
    IsoBox moov;
    IsoBox mdat;
    IsoBox clamped;             // the top-level box that overran the file (at most one: the last)
    bool moovInsideMdat = false; // moov taken from inside an over-sized mdat
    uint64_t mdatCount = 0;
    bool fragmented = false;    // holds "moof" boxes
};
Mp4Layout scanMp4Layout(ByteView bytes, uint64_t start = 0);

// A sample larger than this is not read whole: only its ftyp and moov are fetched.
inline constexpr uint64_t kWholeSampleLimit = 64ull << 20;
// The pieces of a healthy sample clip that a repair may borrow.
struct IsoSampleParts {
    ByteBuffer ftyp;
    ByteBuffer moov;
    uint64_t mdatPayload = 0; // payload start of the sample's first mdat, 0 when none
    std::string error;
};
IsoSampleParts readIsoSampleParts(const std::string& utf8Path);
// The box's bytes when it is valid and inside the buffer, else empty.
ByteBuffer isoBoxBytes(ByteView bytes, const IsoBox& box);
ByteBuffer makeDefaultFtyp();
bool isMp4FamilyFormat(const std::string& format);

// The MP4/MOV analysis of bytes whose ftyp sits at `prefix`.
RepairResult analyzeMp4(const RepairRequest& request, ByteView bytes, uint64_t prefix);
// The MP4/MOV repair, continuing from the analysis; bytes before the ftyp at `prefix` are left out.
RepairResult repairMp4(RepairResult result, const RepairRequest& request, ByteView bytes,
                       uint64_t prefix, IProgress* progress);

// Rebases the chunk offsets of a moov that will be written right after `bytesBefore` bytes and
// right before an mdat header of `mdatHeader` bytes, its payload having been at `oldBase`.
// Tables whose offsets would pass 4 GiB are widened to co64 (the moov then grows). False when no
// form fits; the moov is then unchanged.
bool rebaseMoovBeforeMdat(ByteBuffer& moov, uint64_t oldBase, uint64_t bytesBefore,
                          uint64_t mdatHeader, uint64_t& counter);

// True when the sound samples a moov places in the mdat (its chunk offsets counting the mdat payload
// from `moovBase`) decode as the frames the tables say they are: AAC and ALAC tracks are checked
// sample by sample, at most one in ten may fail. False when the tables do not fit the mdat.
bool moovAudioFitsMedia(ByteView moov, uint64_t moovBase, ByteView bytes, const IsoBox& mdat);

// A moov for this file's own media data, from the tracks of `templateMoov` (a healthy recording
// of the same device) that can be found in it: the first AVC/HEVC video track and the first AAC
// audio track, their samples found in one walk over the mdat, where they may be interleaved.
// Chunk offsets count in `bytes`. Other tracks of the template are left out and named in
// `leftOut`. False when the template has no such track or the mdat holds none of its samples.
// The tables are held to `memoryLimit` bytes (std::bad_alloc beyond it).
struct SampleTableRebuild {
    ByteBuffer moov;
    uint64_t samples = 0;      // of all rebuilt tracks
    uint64_t videoSamples = 0;
    uint64_t audioSamples = 0;
    uint64_t covered = 0;      // mdat bytes the rebuilt tables place samples in
    bool videoTrack = false;   // the template has a video track the walk looked for
    bool videoDecodes = false; // the first and the last pictures decode (true without video)
    bool timingAgrees = true;  // the media shows the sample's frame rate and audio sample rate
    std::vector<std::string> leftOut; // e.g. "audio track (sowt)"
};
bool rebuildSampleTables(ByteView templateMoov, ByteView bytes, const IsoBox& mdat,
                         SampleTableRebuild& rebuilt, uint64_t memoryLimit = workingMemoryLimit());
// A rebuild is written only when its tables place samples in at least 90 % of the mdat, its
// first and last pictures decode and the media keeps the sample's frame and sample rates:
// anything less means the sample is of another recording kind.
bool rebuiltTablesHold(const SampleTableRebuild& rebuilt, ByteView bytes, const IsoBox& mdat);
// Names each track of the sample that the rebuild had to leave out in a note.
void noteTracksLeftOut(RepairResult& result, const SampleTableRebuild& rebuilt);

// The track_ID of a trak, 0 when it has no track header.
uint32_t isoTrackId(ByteView moov, const IsoBox& trak);
// A moov for a fragmented recording from a template moov: the tracks named by `trackIds` with
// their codec settings and tables that list no sample (the fragments carry them), and a
// movie-extends box with each track's defaults (the template's own, else none). Tracks of the
// template not named are named in `leftOut`. False when a named track is not in the template.
bool buildFragmentIndex(ByteView templateMoov, const std::vector<uint32_t>& trackIds, ByteBuffer& moov,
                        std::vector<std::string>& leftOut);

// A fragmented recording (moof + mdat pairs) whose moov is lost, rebuilt from its fragments with
// the sample's moov describing the tracks.
struct FragmentRebuild {
    uint64_t fragments = 0;           // moof boxes kept
    uint64_t samples = 0;             // samples their runs list
    std::vector<std::string> leftOut; // tracks of the sample no fragment holds
    bool droppedTail = false;         // the last fragment was cut short and is left out
};
// Lays out `ftyp`, the new moov and every fragment of `bytes` in `output` and returns true when
// every fragment's tracks are the sample's, every sample lies in the media data, video samples
// are whole NAL units and the first picture decodes, sound frames decode, the tracks keep pace
// and the samples cover at least 90 % of the media data. A last fragment cut short by the end of
// the file is left out. False (output untouched) otherwise.
bool rebuildFragmentedRecording(ByteView sampleMoov, ByteView bytes, ByteView ftyp, OutputPieces& output,
                                FragmentRebuild& rebuilt);
// The decoder of a sound track's samples (AAC or ALAC), null for any other track.
std::unique_ptr<AudioSampleDecoder> soundSampleDecoder(ByteView moov, const IsoBox& trak);

// --- AVI ------------------------------------------------------------------------------------

uint32_t expectedRiffSize(ByteView bytes);
RepairResult analyzeAvi(const RepairRequest& request, ByteView bytes, AviLayout& layout);
// Writes the input with its first RIFF size corrected.
RepairResult repairAvi(RepairResult result, const RepairRequest& request, ByteView bytes, const AviLayout& layout);

} // namespace data_repair
