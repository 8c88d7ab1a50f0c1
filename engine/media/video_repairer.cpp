#include "media/video_repairer.h"

#include "data_repair/detection.h"
#include "data_repair/dispatch_preamble.h"
#include "data_repair/file_access.h"
#include "data_repair/output_writer.h"
#include "media/mp4_video.h"
#include "media/video_containers.h"

namespace data_repair {

namespace {

const std::vector<std::string> kTsExtensions = {"mts", "m2ts", "ts"};
const std::vector<std::string> kIsoExtensions = {"mp4", "mov", "m4v", "3gp", "insv"};

bool hasFtypAt4(const ByteBuffer& bytes) { return bytes.size() >= 12 && matchesAt(bytes, 4, "ftyp"); }

VideoDispatch make(VideoContainer container, uint64_t prefix = 0) {
    VideoDispatch d;
    d.container = container;
    d.prefix = prefix;
    return d;
}


RepairResult analyzeVideoBuffer(const RepairRequest& request, const ByteBuffer& bytes, const VideoDispatch& d) {
    switch (d.container) {
    case VideoContainer::Avi: return analyzeAvi(request, bytes);
    case VideoContainer::Flv: return analyzeFlv(request, bytes);
    case VideoContainer::Matroska: return analyzeMatroska(request, bytes);
    case VideoContainer::Asf: return analyzeAsf(request, bytes);
    case VideoContainer::TransportStream: return analyzeTransportStream(request, bytes);
    case VideoContainer::ProgramStream: return analyzeProgramStream(request, bytes);
    case VideoContainer::Klv: return analyzeKlv(request, bytes, d.klvFormat);
    case VideoContainer::Raw: return analyzeRawStream(request, bytes);
    case VideoContainer::Iso: break;
    }
    return analyzeMp4(request, bytes, d.prefix);
}

// A video repair announces no "repair" stage: MP4 reports its own "rewrite" step there.
constexpr EntryPreamble kPreamble{Video, prepareVideoResult, false};

} // namespace

VideoDispatch chooseVideoContainer(const std::string& inputPath, const ByteBuffer& bytes) {
    const std::string ext = lowerExtension(pathFromUtf8(inputPath));
    // Signatures at fixed positions are near-certain and come first.
    if (hasFtypAt4(bytes)) return make(VideoContainer::Iso);
    if (bytes.size() >= 9 && hasFlvSignature(bytes)) return make(VideoContainer::Flv);
    if (hasEbmlSignature(bytes)) return make(VideoContainer::Matroska);
    if (bytes.size() >= 16 && hasAsfSignature(bytes)) return make(VideoContainer::Asf);
    if (hasMpegPackSignature(bytes)) return make(VideoContainer::ProgramStream);
    if (hasKlvSignature(bytes)) {
        VideoDispatch d = make(VideoContainer::Klv);
        d.klvFormat = ext == "klv" ? "klv" : "mxf";
        return d;
    }
    if (ext.empty()) {
        const TsLayout ts = detectTsPacketSize(bytes);
        if (ts.packetSize != 0 && ts.phase == 0) return make(VideoContainer::TransportStream);
    }
    // An ftyp box after other bytes (also inside a RIFF file): ISO media behind a prefix.
    const uint64_t ftyp = findFtypOffset(bytes);
    if (ftyp != npos) return make(VideoContainer::Iso, ftyp);
    if (hasAviSignature(bytes)) return make(VideoContainer::Avi);
    // The extension next, before any search for a signature somewhere inside the file.
    if (ext == "flv") return make(VideoContainer::Flv);
    if (ext == "mkv") return make(VideoContainer::Matroska);
    if (ext == "asf" || ext == "wmv" || ext == "wma") return make(VideoContainer::Asf);
    if (isInList(ext, kTsExtensions)) return make(VideoContainer::TransportStream);
    if (ext == "mpeg" || ext == "mpg") return make(VideoContainer::ProgramStream);
    if (ext == "mxf" || ext == "klv") {
        VideoDispatch d = make(VideoContainer::Klv);
        d.klvFormat = ext == "klv" ? "klv" : "mxf";
        return d;
    }
    if (ext == "rsv") return make(VideoContainer::Raw);
    if (isInList(ext, kIsoExtensions)) return make(VideoContainer::Iso);
    if (ext.empty() && detectTsPacketSize(bytes).packetSize != 0) return make(VideoContainer::TransportStream);
    // Signatures found anywhere count only where their structure checks out.
    if (hasEbmlMagic(bytes)) return make(VideoContainer::Matroska);
    if (hasPackStartCode(bytes)) return make(VideoContainer::ProgramStream);
    if (hasKlvKey(bytes)) return make(VideoContainer::Klv);
    return make(VideoContainer::Iso);
}

RepairResult VideoRepairer::analyze(const RepairRequest& request, IProgress* progress) const {
    return runEntry(request, progress, kPreamble, false, [&](const ByteBuffer& bytes) {
        return analyzeVideoBuffer(request, bytes, chooseVideoContainer(request.input.path, bytes));
    });
}

RepairResult VideoRepairer::repair(const RepairRequest& request, IProgress* progress) const {
    return runEntry(request, progress, kPreamble, true, [&](ByteBuffer& bytes) {
        const VideoDispatch d = chooseVideoContainer(request.input.path, bytes);
        RepairResult analysis = analyzeVideoBuffer(request, bytes, d);
        if (request.mode == Analyze) return analysis;
        switch (d.container) {
        case VideoContainer::Iso: return repairMp4(std::move(analysis), request, bytes, d.prefix, progress);
        case VideoContainer::Avi: return repairAvi(std::move(analysis), request, bytes);
        case VideoContainer::Flv: return repairFlvFrom(std::move(analysis), request, bytes);
        case VideoContainer::Matroska: return repairMatroskaFrom(std::move(analysis), request, bytes);
        case VideoContainer::Asf: return repairAsfFrom(std::move(analysis), request, bytes);
        case VideoContainer::TransportStream: return repairTransportStreamFrom(std::move(analysis), request, bytes);
        case VideoContainer::ProgramStream: return repairProgramStreamFrom(std::move(analysis), request, bytes);
        case VideoContainer::Klv: return repairKlvFrom(std::move(analysis), request, bytes, d.klvFormat);
        case VideoContainer::Raw: return repairRawStreamFrom(std::move(analysis), request, bytes);
        }
        return analysis;
    });
}

} // namespace data_repair
