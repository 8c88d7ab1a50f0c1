// M4A (ISO base media holding audio): read the top-level boxes, and write "ftyp", "moov", "mdat"
// with the chunk offsets rebased to where the media data lands. A missing "ftyp" is replaced by
// a default one; a missing "moov" can come from a sample recording.

#include <algorithm>

#include "data_repair/output_writer.h"
#include "media/audio_formats.h"
#include "media/mp4_video.h"
#include "media/iso_chunk_tables.h"
#include "media/video_prefix_truncation.h"

namespace data_repair {

namespace {

constexpr uint64_t kMax32 = 0xFFFFFFFFull;

constexpr int kMaxStartCandidates = 16;

// What the repair needs from the top level, gathered without holding the box list (a file of
// tiny boxes would otherwise cost many times its size).
struct M4aLayout {
    uint64_t start = 0; // where the file really begins (after garbage written in front of it)
    IsoBox ftyp;
    IsoBox moov;
    IsoBox mdat;
    IsoBox clamped;          // the box that ran past the end (only the last box can)
    bool moovUsable = false; // a cut "moov" would swallow what follows it: never used
    uint64_t mdatCount = 0;
    bool fragmented = false;
};

M4aLayout summarizeM4a(ByteView buffer, uint64_t start)
{
    M4aLayout layout;
    layout.start = start;
    forEachIsoBox(buffer, start, buffer.size(), [&](const IsoBox& box) {
        if (box.type == "ftyp" && !layout.ftyp.valid)
            layout.ftyp = box;
        if (box.type == "moov" && !layout.moov.valid)
            layout.moov = box;
        if (box.type == "mdat") {
            if (!layout.mdat.valid)
                layout.mdat = box;
            ++layout.mdatCount;
        }
        layout.fragmented = layout.fragmented || box.type == "moof";
        if (box.clamped)
            layout.clamped = box;
        return true;
    });
    layout.moovUsable = layout.moov.valid && !layout.moov.clamped;
    return layout;
}

// Bytes written in front of a file push its "ftyp" away from the start: the first "ftyp" that
// heads a box run reaching the media data is taken as the real start. A run from 0 that already
// reaches the media data needs no search (an "ftyp" found later would lie inside it).
M4aLayout readM4aLayout(ByteView buffer)
{
    const M4aLayout fromZero = summarizeM4a(buffer, 0);
    if (fromZero.mdat.valid)
        return fromZero;
    M4aLayout fallback;
    bool haveFallback = false;
    int candidates = 0;
    for (uint64_t a = findBytes(buffer, "ftyp", 4); a != npos && candidates < kMaxStartCandidates;
         a = findBytes(buffer, "ftyp", a + 1)) {
        if (!parseIsoBox(buffer, a - 4, buffer.size()).valid)
            continue;
        ++candidates;
        M4aLayout layout = summarizeM4a(buffer, a - 4);
        if (layout.mdat.valid)
            return layout;
        if (!haveFallback) {
            fallback = layout;
            haveFallback = true;
        }
    }
    return haveFallback ? fallback : fromZero;
}

// A copied box is written with a header that states exactly the bytes written: a clamped or
// "to the end" size is replaced, and a length past 32 bits takes a 64-bit largesize.
uint64_t outputHeaderSize(const IsoBox& box) { return box.headerSize == 16 || box.size > kMax32 ? 16 : 8; }

void appendBoxHeader(ByteBuffer& out, const IsoBox& box)
{
    const uint64_t payload = box.size - box.headerSize;
    if (outputHeaderSize(box) == 16) {
        appendBe32(out, 1);
        appendString(out, box.type);
        appendBe64(out, payload + 16);
    } else {
        appendBe32(out, static_cast<uint32_t>(payload + 8));
        appendString(out, box.type);
    }
}

ByteBuffer boxBytes(ByteView source, const IsoBox& box)
{
    ByteBuffer out;
    appendBoxHeader(out, box);
    appendRange(out, source, box.payloadStart(), box.size - box.headerSize);
    return out;
}

// A box of the input with its new header; the payload is copied from the input file.
void appendBoxPieces(OutputPieces& out, const IsoBox& box)
{
    ByteBuffer header;
    appendBoxHeader(header, box);
    out.append(std::move(header));
    out.appendInput(box.payloadStart(), box.size - box.headerSize);
}

// Rebases the chunk offsets of a "moov" copy so that media at oldBase moves to the position
// newBaseFor(moov length) gives. A table that would pass 4 GiB is widened to 64-bit entries
// first (which makes the moov longer, so the new base is computed again); false when even that
// does not fit.
template <typename NewBase>
bool rebaseMoov(ByteBuffer& moov, uint64_t oldBase, NewBase&& newBaseFor, uint64_t& rewritten)
{
    const IsoBox top = parseIsoBox(moov, 0, moov.size());
    if (patchIsoChunkOffsets(moov, top.headerSize, moov.size(), oldBase, newBaseFor(moov.size()), rewritten) == 0)
        return true;
    ByteBuffer wide;
    if (!widenIsoChunkOffsets(moov, wide))
        return false;
    const IsoBox wideTop = parseIsoBox(wide, 0, wide.size());
    if (patchIsoChunkOffsets(wide, wideTop.headerSize, wide.size(), oldBase, newBaseFor(wide.size()), rewritten) != 0)
        return false;
    moov = std::move(wide);
    return true;
}

RepairResult failM4a(RepairResult result, int32_t code, const std::string& why)
{
    result.setStatus(RepairStatus::failure(code, why));
    return result;
}

RepairResult refuseLayout(RepairResult result, const std::string& why) { return failM4a(std::move(result), kAudioM4aWrite, why); }

// Several "mdat" boxes, or movie fragments: the media is spread over the whole file, so every
// top-level box is kept in its order behind the new "ftyp" (and a borrowed "moov"), and the
// chunk offsets move by the one distance all the media moved.
bool writeSpreadLayout(ByteView buffer, const M4aLayout& layout, ByteView ftyp, ByteBuffer moov,
                       bool moovBorrowed, uint64_t oldBase, RepairResult& result, OutputPieces& out)
{
    const auto keep = [&](const IsoBox& box) {
        if (box.offset == layout.ftyp.offset && layout.ftyp.valid)
            return false;
        return !(box.offset == layout.moov.offset && layout.moov.valid && (moovBorrowed || !layout.moovUsable));
    };
    // Output payload position of each media box relative to the start of the kept run.
    uint64_t runPos = 0;
    uint64_t firstMdatRun = npos;
    int64_t mdatShiftInRun = 0;
    bool evenShift = true;
    forEachIsoBox(buffer, layout.start, buffer.size(), [&](const IsoBox& box) {
        if (!keep(box))
            return true;
        if (box.type == "mdat") {
            const uint64_t outPayload = runPos + outputHeaderSize(box);
            const int64_t shift =
                static_cast<int64_t>(outPayload) - static_cast<int64_t>(box.payloadStart() - layout.start);
            if (firstMdatRun == npos) {
                firstMdatRun = outPayload;
                mdatShiftInRun = shift;
            } else if (shift != mdatShiftInRun) {
                evenShift = false;
            }
        }
        runPos += box.size - box.headerSize + outputHeaderSize(box);
        return true;
    });
    if (!evenShift || firstMdatRun == npos)
        return false;
    uint64_t rewritten = 0;
    if (moovBorrowed) {
        const uint64_t fixed = ftyp.size();
        if (!rebaseMoov(moov, oldBase, [&](uint64_t moovLength) { return fixed + moovLength + firstMdatRun; },
                        rewritten))
            return false;
    }
    const uint64_t before = ftyp.size() + (moovBorrowed ? moov.size() : 0);
    // The file's own "moov" stays in the run: its length must not change, so no widening.
    ByteBuffer ownMoov;
    if (!moovBorrowed && layout.moovUsable) {
        ownMoov = boxBytes(buffer, layout.moov);
        const uint64_t from = layout.mdat.payloadStart() - layout.start;
        const uint64_t to = before + firstMdatRun;
        if (from != to) {
            const IsoBox top = parseIsoBox(ownMoov, 0, ownMoov.size());
            if (patchIsoChunkOffsets(ownMoov, top.headerSize, ownMoov.size(), from, to, rewritten) != 0)
                return false;
        }
    }
    if (rewritten > 0)
        result.addAction("patch-m4a-chunk-offsets", "rewrote M4A stco/co64 chunk offsets", rewritten);
    out.append(ByteBuffer(ftyp.begin(), ftyp.end()));
    if (moovBorrowed)
        out.append(std::move(moov));
    forEachIsoBox(buffer, layout.start, buffer.size(), [&](const IsoBox& box) {
        if (!keep(box))
            return true;
        if (!ownMoov.empty() && box.offset == layout.moov.offset)
            out.append(std::move(ownMoov));
        else
            appendBoxPieces(out, box);
        return true;
    });
    return true;
}

} // namespace

ByteBuffer buildDefaultM4aFtyp()
{
    ByteBuffer ftyp;
    appendBe32(ftyp, 28);
    appendString(ftyp, "ftyp");
    appendString(ftyp, "M4A ");
    appendBe32(ftyp, 0);
    appendString(ftyp, "M4A ");
    appendString(ftyp, "mp42");
    appendString(ftyp, "isom");
    return ftyp;
}

RepairResult analyzeM4a(const RepairRequest& request, ByteView buffer)
{
    RepairResult result = prepareAudioResult(request, buffer);
    result.format = "m4a";
    const M4aLayout layout = readM4aLayout(buffer);
    if (layout.start > 0)
        result.addFinding(HeaderDamaged, Warning, "garbage bytes before M4A ftyp atom", 0, layout.start, true, 0.9);
    if (!layout.ftyp.valid)
        result.addFinding(HeaderMissing, Warning, "M4A ftyp atom is missing", 0, 0, true, 0.8);
    if (!layout.moovUsable)
        result.addFinding(MetadataMissing, Warning, "M4A moov atom is missing; a sample file can provide metadata", 0, 0,
                          !request.sample.path.empty(), 0.9);
    if (!layout.mdat.valid) {
        result.addFinding(ScanDataMissing, Error, "M4A mdat audio payload atom was not found", 0, 0, false, 0.96);
        result.setStatus(RepairStatus::failure(kAudioM4aMdatNotFound, "M4A mdat atom not found"));
        return result;
    }
    if (layout.clamped.valid)
        result.addFinding(Truncated, Warning, "M4A atom size overran file and can be clamped: " + layout.clamped.type,
                          layout.clamped.offset, layout.clamped.size, true, 0.84);
    if (layout.moovUsable && layout.mdat.offset < layout.moov.offset)
        result.addFinding(IndexDamaged, Info, "M4A moov atom can be moved before mdat", layout.moov.offset,
                          layout.moov.size, true, 0.7);
    result.confidence = result.findings.empty() ? 1.0 : 0.78;
    return result;
}

RepairResult repairM4a(const RepairRequest& request, ByteView buffer)
{
    RepairResult result = analyzeM4a(request, buffer);
    if (!audioRepairShouldWrite(result, request))
        return result;
    const M4aLayout layout = readM4aLayout(buffer);
    // Chunk offsets count from the real start of the file, not from garbage before it.
    uint64_t oldBase = layout.mdat.payloadStart() - layout.start;
    if (layout.start > 0)
        result.addAction("trim-m4a-prefix", "removed bytes before M4A ftyp atom", layout.start);

    ByteBuffer ftyp;
    if (layout.ftyp.valid) {
        ftyp = boxBytes(buffer, layout.ftyp);
    } else {
        ftyp = buildDefaultM4aFtyp();
        result.addAction("inject-m4a-ftyp", "injected default M4A ftyp atom", ftyp.size());
    }
    // Where the audio data lies, counted from the file's real start, for checking a moov's tables.
    const uint64_t payloadLength = std::min<uint64_t>(layout.mdat.end(), buffer.size()) - layout.mdat.payloadStart();
    const bool spread = layout.mdatCount > 1 || layout.fragmented;
    // A borrowed moov must also describe nearly all of the data (a shorter take's index fits the
    // start of it and would cut the rest off), and its frames must begin where its tables say.
    const auto fitsAudio = [&](ByteView candidate, uint64_t base, bool whole) {
        uint64_t covered = 0;
        return spread || (isoSampleTablesFit(candidate, base, base + payloadLength,
                                             [&](const IsoBox&, uint64_t, uint64_t size) {
                                                 covered += size;
                                                 return true;
                                             }) &&
                          (!whole || (covered >= payloadLength / 10 * 9 &&
                                      moovAudioFitsMedia(candidate, base, buffer, layout.mdat))));
    };
    ByteBuffer moov;
    if (layout.moovUsable)
        moov = boxBytes(buffer, layout.moov);
    IsoBox mdat = layout.mdat;
    // A file cut short keeps its own index, ending at the last whole sample of each track still
    // inside it; tables that point past the end would claim sound the file no longer holds.
    if (!moov.empty() && mdat.clamped && !spread) {
        IsoBox working = mdat;
        working.offset -= layout.start;
        const VideoCutPlan plan = planVideoCut(buffer.subspan(static_cast<size_t>(layout.start)), moov, working);
        if (plan.found && !plan.moov.empty()) {
            moov = plan.moov;
            mdat.size = std::max(plan.keptEnd + layout.start, mdat.payloadStart()) - mdat.offset;
            mdat.clamped = false;
            result.addAction("truncate-cut-sample-tables",
                             "rewrote M4A sample tables to end at the last sample inside the file",
                             plan.droppedSamples);
        }
    }
    const bool haveSample = !request.sample.path.empty();
    // The file's own moov is kept whenever its tables still fit its audio data; a sample only
    // stands in for what is missing or no longer fits.
    if (!moov.empty() && haveSample && request.mode == Advanced && !fitsAudio(moov, oldBase, false)) {
        result.notes.push_back("the file's own moov atom does not fit its audio data; the sample is used instead");
        moov.clear();
    }
    if (moov.empty() && !haveSample)
        return failM4a(result, kAudioM4aSampleNeeded,
                       "M4A moov atom is missing; a healthy sample file recorded by the same device is needed to "
                       "rebuild it");
    bool moovBorrowed = false;
    if (moov.empty()) {
        ByteBuffer sampleFtyp;
        ByteBuffer borrowed;
        uint64_t sampleBase = 0;
        if (regularFileSize(pathFromUtf8(request.sample.path)) > kWholeSampleLimit) {
            // Only the boxes needed are read from a large sample, wherever they lie in it.
            IsoSampleParts parts = readIsoSampleParts(request.sample.path);
            sampleFtyp = std::move(parts.ftyp);
            borrowed = std::move(parts.moov);
            sampleBase = parts.mdatPayload;
        } else {
            const InputFile opened = readAudioSample(request);
            const ByteView sample = opened.bytes();
            const M4aLayout reference = readM4aLayout(sample);
            if (reference.ftyp.valid)
                sampleFtyp = boxBytes(sample, reference.ftyp);
            sampleBase = reference.mdat.valid ? reference.mdat.payloadStart() - reference.start : 0;
            if (reference.moovUsable)
                borrowed = boxBytes(sample, reference.moov);
            if (opened.changedWhileOpen())
                borrowed.clear();
        }
        if (!sampleFtyp.empty() && !layout.ftyp.valid) {
            ftyp = std::move(sampleFtyp);
            result.usedReference = true;
            result.addAction("borrow-m4a-ftyp", "borrowed ftyp atom from sample audio", ftyp.size());
        }
        const std::string mismatch = "the sample file does not match this recording: its M4A moov atom does not fit "
                                     "the audio data and the sample tables could not be rebuilt from it";
        if (layout.fragmented) {
            // Movie fragments carry their own tables: the sample only describes the track, and
            // every fragment is kept, or nothing is written.
            FragmentRebuild fragments;
            OutputPieces rebuiltOut(buffer);
            if (borrowed.empty() || layout.start != 0 ||
                !rebuildFragmentedRecording(borrowed, buffer, ftyp, rebuiltOut, fragments))
                return failM4a(result, kAudioM4aSampleMismatch, mismatch);
            result.usedReference = true;
            result.addAction("rebuild-fragment-index",
                             "rebuilt the M4A moov atom for the movie fragments using the sample's codec settings",
                             fragments.fragments);
            if (fragments.droppedTail)
                result.notes.push_back("the last movie fragment was cut short by the end of the file and is left out");
            writeAudioOutput(result, request, rebuiltOut, "m4a", kAudioM4aWrite);
            return result;
        }
        if (spread) // several media boxes: a borrowed index cannot be checked against all of them
            return failM4a(result, kAudioM4aSampleMismatch, mismatch);
        // An index that does not fit stands in for the codec settings: the frame tables are
        // rebuilt from this file's own AAC frames.
        SampleTableRebuild rebuilt;
        if (!borrowed.empty() && !spread && !fitsAudio(borrowed, sampleBase, true) &&
            rebuildSampleTables(borrowed, buffer, layout.mdat, rebuilt) &&
            rebuiltTablesHold(rebuilt, buffer, layout.mdat)) {
            moov = std::move(rebuilt.moov);
            oldBase = layout.mdat.payloadStart();
            result.addAction("rebuild-m4a-sample-tables",
                             "rebuilt M4A sample tables from the audio data using the sample's codec settings",
                             rebuilt.samples);
            noteTracksLeftOut(result, rebuilt);
        } else if (borrowed.empty() || !fitsAudio(borrowed, sampleBase, true)) {
            return failM4a(result, kAudioM4aSampleMismatch,
                           "the sample file does not match this recording: its M4A moov atom does not fit the audio "
                           "data and the sample tables could not be rebuilt from it");
        } else {
            moov = std::move(borrowed);
            oldBase = sampleBase;
            result.addAction("borrow-m4a-moov", "borrowed moov atom from sample audio", moov.size());
        }
        moovBorrowed = true;
        result.usedReference = true;
    }

    // Box headers, ftyp and moov are new bytes; box payloads are copied from the input file.
    OutputPieces out(buffer);
    if (layout.mdatCount > 1 || layout.fragmented) {
        if (!writeSpreadLayout(buffer, layout, ftyp, moov, moovBorrowed, oldBase, result, out))
            return refuseLayout(result, "M4A chunk offsets cannot follow the media data of this layout");
    } else {
        {
            const uint64_t mdatHeader = outputHeaderSize(layout.mdat);
            uint64_t rewritten = 0;
            if (!rebaseMoov(moov, oldBase,
                            [&](uint64_t moovLength) { return ftyp.size() + moovLength + mdatHeader; }, rewritten))
                return refuseLayout(result, "M4A chunk offsets do not fit after moving the media data");
            if (rewritten > 0)
                result.addAction("patch-m4a-chunk-offsets", "rewrote M4A stco/co64 chunk offsets", rewritten);
            out.append(std::move(ftyp));
            out.append(std::move(moov));
        }
        appendBoxPieces(out, mdat);
    }
    result.addAction("rewrite-m4a-atoms", "rewrote M4A atom layout as ftyp/moov/mdat", out.size());
    writeAudioOutput(result, request, out, "m4a", kAudioM4aWrite);
    return result;
}

} // namespace data_repair
