#include "media/video_repairer.h"

#include <array>
#include <string_view>

#include "data_repair/detection.h"
#include "data_repair/dispatch_preamble.h"
#include "data_repair/file_access.h"
#include "data_repair/format_rules.h"
#include "data_repair/output_writer.h"
#include "media/mp4_video.h"
#include "media/video_containers.h"

namespace data_repair {

namespace {

// The calls every table entry makes, whatever its container needs of the dispatch decision.
// An analysis may record in the decision what its repair needs again (the transport stream grid).
using VideoAnalyze = RepairResult (*)(const RepairRequest&, ByteView, VideoDispatch&);
using VideoRepair = RepairResult (*)(RepairResult analysis, const RepairRequest&, ByteView, const VideoDispatch&,
                                     IProgress*);

struct VideoFormat {
    VideoContainer container;
    std::string_view name;
    ExtensionSets extensions;
    bool (*start)(ByteView);      // its signature opens the file
    uint64_t (*locate)(ByteView); // its structurally checked signature further in, npos when none
    VideoAnalyze analyze;
    VideoRepair repair;
};

bool flvAtStart(ByteView b) { return b.size() >= 9 && hasFlvSignature(b); }
bool asfAtStart(ByteView b) { return b.size() >= 16 && hasAsfSignature(b); }
// Transport stream packets aligned to the first byte; found further in: on any phase.
bool alignedTsPackets(ByteView b)
{
    const TsLayout ts = detectTsPacketSize(b);
    return ts.packetSize != 0 && ts.phase == 0;
}
uint64_t findTsPackets(ByteView b) { return detectTsPacketSize(b).packetSize != 0 ? 0 : npos; }
uint64_t findEbmlMagic(ByteView b) { return hasEbmlMagic(b) ? 0 : npos; }
uint64_t findPackStartCode(ByteView b) { return hasPackStartCode(b) ? 0 : npos; }
uint64_t findKlvKey(ByteView b) { return hasKlvKey(b) ? 0 : npos; }

RepairResult analyzeIso(const RepairRequest& r, ByteView b, VideoDispatch& d)
{
    return analyzeMp4(r, b, d.prefix);
}
RepairResult repairIso(RepairResult a, const RepairRequest& r, ByteView b, const VideoDispatch& d, IProgress* p)
{
    return repairMp4(std::move(a), r, b, d.prefix, p);
}
RepairResult analyzeAviAs(const RepairRequest& r, ByteView b, VideoDispatch& d)
{
    return analyzeAvi(r, b, d.aviLayout);
}
RepairResult repairAviAs(RepairResult a, const RepairRequest& r, ByteView b, const VideoDispatch& d, IProgress*)
{
    return repairAvi(std::move(a), r, b, d.aviLayout);
}
RepairResult analyzeKlvAs(const RepairRequest& r, ByteView b, VideoDispatch& d)
{
    return analyzeKlv(r, b, d.klvFormat);
}
RepairResult repairKlvAs(RepairResult a, const RepairRequest& r, ByteView b, const VideoDispatch& d, IProgress*)
{
    return repairKlvFrom(std::move(a), r, b, d.klvFormat);
}
// The transport stream repair walks the packet grid its analysis found, without a second search.
RepairResult analyzeTs(const RepairRequest& r, ByteView b, VideoDispatch& d)
{
    return analyzeTransportStreamGrid(r, b, d.tsGrid);
}
RepairResult repairTs(RepairResult a, const RepairRequest& r, ByteView b, const VideoDispatch& d, IProgress*)
{
    return repairTransportStreamOnGrid(std::move(a), r, b, d.tsGrid);
}
// So does the program stream repair with the pack header and end code its analysis found.
RepairResult analyzePs(const RepairRequest& r, ByteView b, VideoDispatch& d)
{
    return analyzeProgramStreamLayout(r, b, d.psLayout);
}
RepairResult repairPs(RepairResult a, const RepairRequest& r, ByteView b, const VideoDispatch& d, IProgress*)
{
    return repairProgramStreamOnLayout(std::move(a), r, b, d.psLayout);
}
// The containers whose calls need nothing of the decision.
template <RepairResult (*Analyze)(const RepairRequest&, ByteView)>
RepairResult analyzeAs(const RepairRequest& r, ByteView b, VideoDispatch&)
{
    return Analyze(r, b);
}
template <RepairResult (*Repair)(RepairResult, const RepairRequest&, ByteView)>
RepairResult repairAs(RepairResult a, const RepairRequest& r, ByteView b, const VideoDispatch&, IProgress*)
{
    return Repair(std::move(a), r, b);
}

using namespace extensions;

constexpr std::array<ExtensionList, 1> kIsoNames{kIsoMedia};
constexpr std::array<ExtensionList, 1> kAviNames{kAvi};
constexpr std::array<ExtensionList, 1> kFlvNames{kFlv};
constexpr std::array<ExtensionList, 1> kMatroskaNames{kMatroska};
constexpr std::array<ExtensionList, 1> kAsfNames{kAsf};
constexpr std::array<ExtensionList, 1> kTsNames{kTransportStream};
constexpr std::array<ExtensionList, 1> kPsNames{kProgramStream};
constexpr std::array<ExtensionList, 1> kKlvNames{kKlv};
constexpr std::array<ExtensionList, 1> kRawNames{kRawStream};

constexpr std::array<VideoFormat, 9> kFormats{{
    {VideoContainer::Iso, "iso-media", kIsoNames, isFtypStart, findFtypOffset, analyzeIso, repairIso},
    {VideoContainer::Avi, "avi", kAviNames, hasAviSignature, nullptr, analyzeAviAs, repairAviAs},
    {VideoContainer::Flv, "flv", kFlvNames, flvAtStart, nullptr, analyzeAs<analyzeFlv>, repairAs<repairFlvFrom>},
    {VideoContainer::Matroska, "matroska", kMatroskaNames, hasEbmlSignature, findEbmlMagic,
     analyzeAs<analyzeMatroska>, repairAs<repairMatroskaFrom>},
    {VideoContainer::Asf, "asf", kAsfNames, asfAtStart, nullptr, analyzeAs<analyzeAsf>, repairAs<repairAsfFrom>},
    {VideoContainer::TransportStream, "transport-stream", kTsNames, alignedTsPackets, findTsPackets, analyzeTs,
     repairTs},
    {VideoContainer::ProgramStream, "program-stream", kPsNames, hasMpegPackSignature, findPackStartCode,
     analyzePs, repairPs},
    {VideoContainer::Klv, "klv", kKlvNames, hasKlvSignature, findKlvKey, analyzeKlvAs, repairKlvAs},
    {VideoContainer::Raw, "raw-stream", kRawNames, nullptr, nullptr, analyzeAs<analyzeRawStream>,
     repairAs<repairRawStreamFrom>},
}};
constexpr const VideoFormat* kIso = &kFormats[0];
constexpr const VideoFormat* kAviFormat = &kFormats[1];
constexpr const VideoFormat* kFlvFormat = &kFormats[2];
constexpr const VideoFormat* kMatroskaFormat = &kFormats[3];
constexpr const VideoFormat* kAsfFormat = &kFormats[4];
constexpr const VideoFormat* kTsFormat = &kFormats[5];
constexpr const VideoFormat* kPsFormat = &kFormats[6];
constexpr const VideoFormat* kKlvFormat = &kFormats[7];
constexpr const VideoFormat* kRawFormat = &kFormats[8];

// Signatures at fixed positions are near-certain and come first; packets of a nameless file next.
// An ftyp box after other bytes (also inside a RIFF file) is ISO media behind a prefix. The
// extension comes before any search for a signature somewhere inside the file, and those
// searches count only where their structure checks out. AVI goes by its RIFF header alone.
constexpr std::array<FormatRule<VideoFormat>, 21> kRules{{
    {Clue::Start, kIso},
    {Clue::Start, kFlvFormat},
    {Clue::Start, kMatroskaFormat},
    {Clue::Start, kAsfFormat},
    {Clue::Start, kPsFormat},
    {Clue::Start, kKlvFormat},
    {Clue::Start, kTsFormat, true},
    {Clue::Anywhere, kIso},
    {Clue::Start, kAviFormat},
    {Clue::Extension, kFlvFormat},
    {Clue::Extension, kMatroskaFormat},
    {Clue::Extension, kAsfFormat},
    {Clue::Extension, kTsFormat},
    {Clue::Extension, kPsFormat},
    {Clue::Extension, kKlvFormat},
    {Clue::Extension, kRawFormat},
    {Clue::Extension, kIso},
    {Clue::Anywhere, kTsFormat, true},
    {Clue::Anywhere, kMatroskaFormat},
    {Clue::Anywhere, kPsFormat},
    {Clue::Anywhere, kKlvFormat},
}};

const VideoFormat& formatOf(VideoContainer container)
{
    for (const VideoFormat& format : kFormats)
        if (format.container == container)
            return format;
    return *kIso;
}

// A video repair announces no "repair" stage: MP4 reports its own "rewrite" step there.
constexpr EntryPreamble kPreamble{Video, prepareVideoResult, false};

} // namespace

VideoDispatch chooseVideoContainer(const std::string& inputPath, ByteView bytes) {
    const std::string ext = lowerExtension(pathFromUtf8(inputPath));
    const FormatMatch<VideoFormat> match = firstMatch<VideoFormat>(kRules, ext, bytes);
    VideoDispatch d;
    d.container = match.format != nullptr ? match.format->container : VideoContainer::Iso; // ISO is the fallback
    if (d.container == VideoContainer::Iso)
        d.prefix = match.offset;
    if (d.container == VideoContainer::Klv)
        d.klvFormat = ext == "klv" ? "klv" : "mxf";
    return d;
}

RepairResult VideoRepairer::analyze(const RepairRequest& request, IProgress* progress) const {
    return runEntry(request, progress, kPreamble, false, [&](ByteView bytes) {
        VideoDispatch d = chooseVideoContainer(request.input.path, bytes);
        return formatOf(d.container).analyze(request, bytes, d);
    });
}

RepairResult VideoRepairer::repair(const RepairRequest& request, IProgress* progress) const {
    return runEntry(request, progress, kPreamble, true, [&](ByteView bytes) {
        VideoDispatch d = chooseVideoContainer(request.input.path, bytes);
        const VideoFormat& format = formatOf(d.container);
        RepairResult analysis = format.analyze(request, bytes, d);
        if (request.mode == Analyze) return analysis;
        return format.repair(std::move(analysis), request, bytes, d, progress);
    });
}

} // namespace data_repair
