#include <fstream>

#include "data_repair/file_access.h"
#include "data_repair/output_writer.h"
#include "media/mp4_video.h"
#include "media/video_containers.h"
#include "media/video_prefix_truncation.h"

namespace data_repair {

namespace {

// A moov larger than this is not a plausible sample-table box.
constexpr uint64_t kMaxSampleMoov = 512ull << 20;

} // namespace

// Small samples are read whole and scanned like the damaged file; big ones are walked box header
// by box header from disk so that a multi-gigabyte sample does not have to sit in memory.
IsoSampleParts readIsoSampleParts(const std::string& utf8Path)
{
    IsoSampleParts parts;
    const auto path = pathFromUtf8(utf8Path);
    const uint64_t size = regularFileSize(path);
    if (size <= kWholeSampleLimit) {
        const ByteBuffer sample = readFile(path, &parts.error);
        const Mp4Layout layout = scanMp4Layout(sample, 0);
        parts.ftyp = isoBoxBytes(sample, layout.ftyp);
        if (!layout.moov.clamped)
            parts.moov = isoBoxBytes(sample, layout.moov);
        parts.mdatPayload = layout.mdat.valid ? layout.mdat.payloadStart() : 0;
        return parts;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        parts.error = kErrOpenInput;
        return parts;
    }
    auto readAt = [&](uint64_t pos, uint64_t len, ByteBuffer& out) {
        out.assign(len, 0);
        in.clear();
        in.seekg(static_cast<std::streamoff>(pos));
        in.read(reinterpret_cast<char*>(out.data()), static_cast<std::streamsize>(len));
        return static_cast<uint64_t>(in.gcount()) == len;
    };
    ByteBuffer header;
    for (uint64_t pos = 0; pos + 8 <= size;) {
        if (!readAt(pos, std::min<uint64_t>(16, size - pos), header))
            break;
        const IsoBox box = parseIsoBox(header, 0, header.size());
        if (!box.valid)
            break;
        uint64_t length = readBe32(header, 0);
        if (length == 1)
            length = readBe64(header, 8);
        const bool toEnd = length == 0;
        if (toEnd)
            length = size - pos;
        // A media box cut short by the end of the sample still tells where the media starts.
        if (box.type == "mdat" && parts.mdatPayload == 0)
            parts.mdatPayload = pos + box.headerSize;
        if (length < box.headerSize || length > size - pos)
            break;
        // A box copied out of the sample carries its real size: "to the end of the file" would
        // take in whatever follows it in the output.
        auto copyBox = [&](ByteBuffer& out) {
            if (!readAt(pos, length, out) || (toEnd && length > 0xFFFFFFFFull))
                out.clear();
            else if (toEnd)
                putBe32(out, 0, static_cast<uint32_t>(length));
        };
        if (box.type == "ftyp" && parts.ftyp.empty() && length <= 4096)
            copyBox(parts.ftyp);
        if (box.type == "moov" && parts.moov.empty() && length <= kMaxSampleMoov)
            copyBox(parts.moov);
        pos += length;
    }
    return parts;
}

namespace {

// Appends the mdat with a size field that says exactly what is copied (the input's may have
// overrun the file or swallowed the moov). It is the last box, so above 4 GiB an 8-byte header
// says "to the end of the file".
void appendMdat(ByteBuffer& head, OutputPieces& out, ByteView bytes, const IsoBox& mdat)
{
    const uint64_t at = head.size();
    appendRange(head, bytes, mdat.offset, mdat.headerSize);
    if (mdat.headerSize == 16)
        putBe64(head, at + 8, mdat.size);
    else
        putBe32(head, at, mdat.size > 0xFFFFFFFFull ? 0 : static_cast<uint32_t>(mdat.size));
    out.append(std::move(head));
    out.appendInput(mdat.offset + mdat.headerSize, mdat.size - mdat.headerSize);
}

// True when every chunk offset of the moov points into the mdat's payload (an mdat that overran
// the file counts as reaching on), so the mdat alone carries all the media.
bool chunksInsideMdat(ByteView bytes, const IsoBox& moov, const IsoBox& mdat)
{
    bool inside = true;
    forEachIsoChunkOffset(bytes, moov.payloadStart(), moov.end(), [&](uint64_t offset) {
        inside = offset >= mdat.payloadStart() && (mdat.clamped || offset < mdat.end());
        return inside;
    });
    return inside;
}

// Writes the trimmed file with its own box order: the only safe road for fragmented files,
// several mdats, chunks outside the mdat, or offsets that no longer fit once the moov moves.
RepairResult writeKeptLayout(RepairResult result, const RepairRequest& request, ByteView bytes,
                             const Mp4Layout& layout, const std::string& extension)
{
    OutputPieces output(bytes);
    const IsoBox& box = layout.clamped;
    if (box.valid && box.offset < bytes.size()) {
        // Only the header of the box that overran the file changes.
        ByteBuffer header = sliceBytes(bytes, box.offset, box.headerSize);
        if (box.headerSize == 16)
            putBe64(header, 8, box.size);
        else
            putBe32(header, 0, box.size > 0xFFFFFFFFull ? 0 : static_cast<uint32_t>(box.size));
        output.appendInput(0, box.offset);
        const uint64_t headerEnd = box.offset + header.size();
        output.append(std::move(header));
        output.appendInput(headerEnd, bytes.size() - std::min<uint64_t>(headerEnd, bytes.size()));
    } else {
        output.appendInput(0, bytes.size());
    }
    result.notes.push_back("kept the original atom layout because the media is not held in a single mdat atom");
    writeVideoOutput(result, request, output, extension, kVideoMp4Write);
    return result;
}

} // namespace

ByteBuffer isoBoxBytes(ByteView bytes, const IsoBox& box)
{
    if (!box.valid || box.offset >= bytes.size())
        return {};
    return sliceBytes(bytes, box.offset, box.size);
}

ByteBuffer makeDefaultFtyp()
{
    ByteBuffer out;
    appendBe32(out, 24);
    appendString(out, "ftyp");
    appendString(out, "isom");
    appendBe32(out, 512);
    appendString(out, "isom");
    appendString(out, "iso2");
    return out;
}

bool isMp4FamilyFormat(const std::string& format)
{
    return format == "mov" || format == "mp4" || format == "3gp" || format == "insv" || format == "m4v";
}

bool rebaseMoovBeforeMdat(ByteBuffer& moov, uint64_t oldBase, uint64_t bytesBefore, uint64_t mdatHeader,
                          uint64_t& counter)
{
    const IsoBox top = parseIsoBox(moov, 0, moov.size());
    if (!top.valid)
        return false;
    uint64_t patched = 0;
    if (patchIsoChunkOffsets(moov, top.headerSize, moov.size(), oldBase, bytesBefore + moov.size() + mdatHeader,
                             patched) == 0) {
        counter += patched;
        return true;
    }
    // Some 32-bit offsets would pass 4 GiB: turn the tables into co64 and rebase against the
    // grown moov.
    ByteBuffer wide;
    if (!widenIsoChunkOffsets(moov, wide))
        return false;
    patched = 0;
    if (patchIsoChunkOffsets(wide, top.headerSize, wide.size(), oldBase, bytesBefore + wide.size() + mdatHeader,
                             patched) != 0)
        return false;
    moov.swap(wide);
    counter += patched;
    return true;
}

RepairResult repairMp4(RepairResult result, const RepairRequest& request, ByteView bytes, uint64_t prefix,
                       IProgress* progress)
{
    if (prefix >= 1 && prefix != npos && prefix <= bytes.size()) {
        bytes = bytes.subspan(static_cast<size_t>(prefix));
        result.addAction("trim-mp4-prefix", "removed bytes before MP4/MOV ftyp atom", prefix);
    }
    const std::string extension = isMp4FamilyFormat(result.format) ? result.format : "mp4";
    Mp4Layout layout = scanMp4Layout(bytes, 0);
    IsoBox mdat = layout.mdat;
    IsoBox moov = layout.moov;
    if (layout.moovInsideMdat) {
        mdat.size = moov.offset - mdat.offset;
        mdat.clamped = false;
        result.addAction("split-clamped-mdat", "split moov atom out of an over-sized mdat range", moov.size);
    }
    // A moov cut short by the end of the file would swallow whatever follows it.
    if (moov.clamped)
        moov = IsoBox{};
    if (!mdat.valid) {
        result.setStatus(RepairStatus::failure(kVideoNoPayload, "video media payload was not found"));
        return result;
    }

    VideoCutPlan plan;
    if (OutputPieces output(bytes); truncateCorruptVideoPrefix(bytes, layout.ftyp, moov, mdat, output, plan)) {
        if (plan.firstCorruptSample != 0)
            result.addAction("truncate-corrupt-video-prefix",
                             "rewrote MP4 sample tables to stop before the first corrupt video sample",
                             plan.firstCorruptSample);
        else
            result.addAction("truncate-cut-sample-tables",
                             "rewrote MP4 sample tables to end at the last sample inside the file",
                             plan.droppedSamples);
        if (plan.keptEnd < mdat.end())
            result.addAction("trim-corrupt-mdat-tail", "removed media data after the last referenced playable sample",
                             mdat.end() - plan.keptEnd);
        if (writeVideoOutput(result, request, output, extension, kVideoMp4Write))
            result.confidence = 0.86;
        return result;
    }

    // With a sample at hand the file's own moov still wins, unless its tables place samples
    // outside its media data (moved without its offsets, overwritten in part, from another take).
    // Damage inside the frames is no reason to drop it: the truncation above deals with that.
    const bool haveSample = !request.sample.path.empty();
    if (moov.valid && haveSample && request.mode == Advanced && !layout.fragmented && layout.mdatCount == 1 &&
        !isoSampleTablesFit(isoBoxBytes(bytes, moov), mdat.payloadStart(), mdat.end())) {
        result.notes.push_back("the file's own moov atom does not fit its media data; the sample is used instead");
        moov = IsoBox{};
    }
    const bool ownMoovUsable = moov.valid && !layout.moovInsideMdat;
    if (ownMoovUsable && (layout.fragmented || layout.mdatCount > 1 || !chunksInsideMdat(bytes, moov, mdat))) {
        reportProgress(progress, Video, "rewrite", request.input.path, 1, 2);
        return writeKeptLayout(std::move(result), request, bytes, layout, extension);
    }

    ByteBuffer ftypBytes = isoBoxBytes(bytes, layout.ftyp);
    ByteBuffer moovBytes = isoBoxBytes(bytes, moov);
    bool ownMoov = !moovBytes.empty();
    const uint64_t oldBase = mdat.payloadStart();
    if (ftypBytes.empty()) {
        ftypBytes = makeDefaultFtyp();
        result.addAction("inject-ftyp", "injected default MP4 ftyp atom", 24);
    }
    if (moovBytes.empty() && !haveSample) {
        result.setStatus(
            RepairStatus::failure(kVideoMp4SampleNeeded, "MP4/MOV moov index is missing; a healthy sample file "
                                                         "recorded by the same device is needed to rebuild it"));
        return result;
    }
    if (moovBytes.empty()) {
        IsoSampleParts sample = readIsoSampleParts(request.sample.path);
        if (!sample.ftyp.empty() && !layout.ftyp.valid) {
            ftypBytes = std::move(sample.ftyp);
            result.addAction("borrow-sample-ftyp", "borrowed ftyp atom from sample video", ftypBytes.size());
            result.usedReference = true;
        }
        if (layout.fragmented) {
            // The fragments hold the sample tables: they are all kept, or none of this is written.
            FragmentRebuild rebuilt;
            OutputPieces output(bytes);
            if (sample.moov.empty() || !rebuildFragmentedRecording(sample.moov, bytes, ftypBytes, output, rebuilt)) {
                if (sample.moov.empty() && !sample.error.empty())
                    result.notes.push_back(sample.error);
                result.setStatus(RepairStatus::failure(
                    kVideoMp4SampleMismatch,
                    "the sample file does not match this recording: its moov index does not fit the media data and "
                    "the sample tables could not be rebuilt from it"));
                return result;
            }
            result.usedReference = true;
            result.addAction("rebuild-fragment-index",
                             "rebuilt the MP4 moov atom for the movie fragments using the sample's codec settings",
                             rebuilt.fragments);
            if (rebuilt.droppedTail)
                result.notes.push_back("the last movie fragment was cut short by the end of the file and is left out");
            for (const std::string& track : rebuilt.leftOut)
                result.notes.push_back("the sample's " + track + " is not in this recording's fragments and is left out");
            reportProgress(progress, Video, "rewrite", request.input.path, 1, 2);
            if (writeVideoOutput(result, request, output, extension, kVideoMp4Write))
                result.confidence = 0.6;
            return result;
        }
        // Every media box counts: an index of the first of several would leave the others out.
        uint64_t allMedia = mdat.end() - mdat.payloadStart();
        if (layout.mdatCount > 1) {
            allMedia = 0;
            for (const IsoBox& box : scanTopLevelBoxes(bytes))
                if (box.type == "mdat")
                    allMedia += box.size - box.headerSize;
        }
        uint64_t counter = 0, covered = 0;
        SampleTableRebuild rebuilt;
        if (sample.moov.empty()) {
            if (!sample.error.empty())
                result.notes.push_back(sample.error);
        } else if (moovSamplesFitMedia(bytes, sample.moov, sample.mdatPayload, mdat, &covered) &&
                   covered >= allMedia / 10 * 9) {
            // A moov of a shorter take of the same scene can fit the start of the media data
            // and would drop the rest: it must describe nearly all of it.
            if (rebaseMoovBeforeMdat(sample.moov, sample.mdatPayload, ftypBytes.size(), mdat.headerSize, counter)) {
                moovBytes = std::move(sample.moov);
                result.addAction("borrow-sample-moov", "borrowed and patched moov atom from sample video", counter);
                result.confidence = counter != 0 ? 0.78 : 0.64;
            }
        } else if (rebuildSampleTables(sample.moov, bytes, mdat, rebuilt) && rebuiltTablesHold(rebuilt, bytes, mdat) &&
                   rebuilt.covered >= allMedia / 10 * 9 &&
                   rebaseMoovBeforeMdat(rebuilt.moov, oldBase, ftypBytes.size(), mdat.headerSize, counter)) {
            moovBytes = std::move(rebuilt.moov);
            result.addAction("rebuild-sample-tables",
                             "rebuilt MP4 sample tables from the media data using the sample's codec settings",
                             rebuilt.samples);
            noteTracksLeftOut(result, rebuilt);
            result.confidence = 0.6;
        }
        if (moovBytes.empty()) {
            result.setStatus(RepairStatus::failure(
                kVideoMp4SampleMismatch,
                "the sample file does not match this recording: its moov index does not fit the media data and the "
                "sample tables could not be rebuilt from it"));
            return result;
        }
        ownMoov = false;
        result.usedReference = true;
    }
    reportProgress(progress, Video, "rewrite", request.input.path, 1, 2);
    if (ownMoov) {
        uint64_t counter = 0;
        if (!rebaseMoovBeforeMdat(moovBytes, oldBase, ftypBytes.size(), mdat.headerSize, counter))
            return writeKeptLayout(std::move(result), request, bytes, layout, extension); // needs no shift
        if (counter != 0)
            result.addAction("patch-chunk-offsets", "rewrote stco/co64 sample chunk offsets", counter);
    }
    ByteBuffer head = std::move(ftypBytes);
    appendBytes(head, moovBytes);
    ByteBuffer().swap(moovBytes);
    OutputPieces output(bytes);
    appendMdat(head, output, bytes, mdat);
    if (writeVideoOutput(result, request, output, extension, kVideoMp4Write) && moov.valid &&
        layout.mdat.offset < moov.offset) {
        result.addAction("fast-start-reorder", "rewrote atom order as ftyp/moov/mdat", output.size());
    }
    return result;
}

} // namespace data_repair
