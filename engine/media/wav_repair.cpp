// RIFF/WAVE: find the header anywhere, walk its chunks, and write a clean file with recomputed
// sizes ("fmt " first, "data" last). A missing format chunk can come from a sample recording.

#include "data_repair/output_writer.h"
#include "media/audio_formats.h"

namespace data_repair {

namespace {

constexpr uint64_t kMaxChunkSize = 0xFFFFFFFFull;

bool validChunkId(ByteView buffer, uint64_t pos)
{
    if (!fits(buffer, pos, 4))
        return false;
    for (uint64_t i = pos; i < pos + 4; ++i) {
        if (buffer[i] < 0x20 || buffer[i] > 0x7E)
            return false;
    }
    return true;
}

uint32_t cappedSize(uint64_t length) { return static_cast<uint32_t>(length > kMaxChunkSize ? kMaxChunkSize : length); }

void appendChunk(ByteBuffer& out, const std::string& id, ByteView source, uint64_t pos, uint64_t length)
{
    appendString(out, id);
    appendLe32(out, cappedSize(length));
    appendRange(out, source, pos, length);
    if ((length & 1) != 0)
        appendU8(out, 0);
}

// One chunk as the walk sees it: a view into the buffer, nothing copied.
struct ChunkView {
    uint64_t header = 0;   // position of the id
    std::string id;
    uint64_t declared = 0; // size field
    uint64_t length = 0;   // bytes kept: the declared size, cut to what exists or extended
    bool truncated = false;
    bool extended = false; // a stale data size: the audio runs on to the end of the file
};

enum class WalkStop { End, InvalidMarker, Truncated, DataToEnd };

struct WalkEnd {
    WalkStop why = WalkStop::End;
    uint64_t at = 0; // the invalid marker's position, or where the kept audio ends
};

// Recorders that die leave the data size at 0 or at the value of their last header update, with
// the audio going on after it. The bytes after the declared data end are that audio unless they
// start a chunk: a whole one, or one cut by the end of the file while the RIFF size (written when
// the file was finished) says the file went on past the data chunk.
bool dataSizeIsStale(ByteView buffer, uint64_t next, uint64_t riffEnd)
{
    if (next >= buffer.size())
        return false;
    if (!validChunkId(buffer, next))
        return true;
    if (fits(buffer, next, 8) && readLe32(buffer, next + 4) <= buffer.size() - next - 8)
        return false;
    return riffEnd <= next;
}

uint64_t blockAlignOf(ByteView fmt, uint64_t pos, uint64_t length)
{
    const uint64_t align = length >= 16 ? readLe16(fmt, pos + 12) : 0;
    return align == 0 ? 1 : align;
}

// Sample frames in `length` bytes of audio for the uncompressed formats (PCM, float, A-law, mu-law,
// directly or as the extensible format's sub-format); npos for others, whose frames are not
// whole blocks.
uint64_t uncompressedFrames(ByteView fmt, uint64_t length)
{
    uint16_t tag = fmt.size() >= 2 ? readLe16(fmt, 0) : 0;
    if (tag == 0xFFFE && fmt.size() >= 40)
        tag = readLe16(fmt, 24); // the sub-format GUID starts with the format tag
    if (tag != 1 && tag != 3 && tag != 6 && tag != 7)
        return npos;
    return length / blockAlignOf(fmt, 0, fmt.size());
}

// Walks the chunks after "WAVE" (at r + 12), calling visit for each; stops at an invalid marker,
// after a chunk that overruns the file, or after a data chunk that runs to the end.
// fallbackAlign rounds extended audio when no format chunk came before it.
template <typename Visit>
WalkEnd walkWavChunks(ByteView buffer, uint64_t r, uint64_t fallbackAlign, Visit&& visit)
{
    uint64_t p = r + 12;
    if (!fits(buffer, r, 20))
        return {WalkStop::End, p};
    const uint64_t riffEnd = r + 8 + readLe32(buffer, r + 4);
    uint64_t align = 0;
    while (fits(buffer, p, 8)) {
        if (!validChunkId(buffer, p))
            return {WalkStop::InvalidMarker, p};
        ChunkView chunk;
        chunk.header = p;
        chunk.id = bytesToString(buffer, p, 4);
        chunk.declared = readLe32(buffer, p + 4);
        const uint64_t available = buffer.size() - (p + 8);
        chunk.length = chunk.declared < available ? chunk.declared : available;
        chunk.truncated = chunk.declared > available;
        const uint64_t next = p + 8 + chunk.declared + (chunk.declared & 1);
        if (chunk.id == "fmt ")
            align = blockAlignOf(buffer, p + 8, chunk.length);
        if (chunk.id == "data" && !chunk.truncated && dataSizeIsStale(buffer, next, riffEnd)) {
            const uint64_t unit = align != 0 ? align : fallbackAlign;
            const uint64_t toEnd = available / unit * unit;
            if (toEnd > chunk.declared) {
                chunk.length = toEnd;
                chunk.extended = true;
                visit(chunk);
                return {WalkStop::DataToEnd, p + 8 + toEnd};
            }
        }
        visit(chunk);
        if (chunk.truncated)
            return {WalkStop::Truncated, p};
        p = next;
    }
    return {WalkStop::End, p};
}

} // namespace

uint64_t findRiffWave(ByteView buffer)
{
    for (uint64_t p = findBytes(buffer, "RIFF", 0); p != npos; p = findBytes(buffer, "RIFF", p + 1)) {
        if (matchesAt(buffer, p + 8, "WAVE"))
            return p;
    }
    return npos;
}

bool extractWavFmt(ByteView buffer, WavChunk& out)
{
    const uint64_t r = findRiffWave(buffer);
    if (r == npos)
        return false;
    for (uint64_t p = r + 12; fits(buffer, p, 8);) {
        if (!validChunkId(buffer, p))
            return false;
        const uint64_t size = readLe32(buffer, p + 4);
        if (!fits(buffer, p + 8, size))
            return false;
        if (matchesAt(buffer, p, "fmt ") && size >= 16) {
            out.id = "fmt ";
            out.data = sliceBytes(buffer, p + 8, size);
            out.truncated = false;
            return true;
        }
        p += 8 + size + (size & 1);
    }
    return false;
}

void writeWavChunk(ByteBuffer& out, const WavChunk& chunk)
{
    appendChunk(out, chunk.id, chunk.data, 0, chunk.data.size());
}

RepairResult analyzeWav(const RepairRequest& request, ByteView buffer)
{
    RepairResult result = prepareAudioResult(request, buffer);
    result.format = "wav";
    const uint64_t r = findRiffWave(buffer);
    if (!reportAudioStart(result, r,
                          {"RIFF/WAVE header was not found", 0.98, kAudioWavHeaderNotFound, "WAV header not found",
                           "garbage bytes before RIFF/WAVE header"}))
        return result;
    const uint64_t fromHeader = buffer.size() - r;
    const uint64_t expected = fromHeader <= 8 ? 0 : std::min<uint64_t>(fromHeader - 8, kMaxChunkSize);
    if (readLe32(buffer, r + 4) != expected)
        result.addFinding(IndexDamaged, Warning, "RIFF size does not match available file bytes", r + 4, 4, true, 0.9);

    bool fmtSeen = false;
    bool dataSeen = false;
    const WalkEnd end = walkWavChunks(buffer, r, 1, [&](const ChunkView& chunk) {
        if (chunk.truncated) {
            result.addFinding(Truncated, Warning, "WAV chunk size overruns file and can be clamped: " + chunk.id,
                              chunk.header, chunk.declared, true, 0.9);
            if (chunk.id == "data" && chunk.header + 8 < buffer.size())
                dataSeen = true;
            return;
        }
        if (chunk.extended)
            result.addFinding(IndexDamaged, Warning,
                              "WAV data chunk size is stale; the audio to the end of the file can be kept",
                              chunk.header + 4, 4, true, 0.9);
        fmtSeen = fmtSeen || chunk.id == "fmt ";
        dataSeen = dataSeen || chunk.id == "data";
    });
    if (end.why == WalkStop::InvalidMarker)
        result.addFinding(StructureInvalid, Warning, "invalid WAV chunk marker", end.at, 4, true, 0.82);
    if (!fmtSeen)
        result.addFinding(MetadataMissing, Warning, "WAV fmt chunk is missing and can be borrowed from a sample file", 0,
                          0, !request.sample.path.empty(), 0.9);
    if (!dataSeen) {
        result.addFinding(ScanDataMissing, Error, "WAV data chunk was not found", 0, 0, false, 0.96);
        result.setStatus(RepairStatus::failure(kAudioWavDataNotFound, "WAV data chunk not found"));
        return result;
    }
    result.confidence = result.findings.empty() ? 1.0 : 0.84;
    return result;
}

RepairResult repairWav(const RepairRequest& request, ByteView buffer)
{
    RepairResult result = analyzeWav(request, buffer);
    if (!audioRepairShouldWrite(result, request))
        return result;
    const uint64_t r = findRiffWave(buffer);

    // The last usable format chunk of the file, or one from the sample.
    WavChunk fmt;
    walkWavChunks(buffer, r, 1, [&](const ChunkView& chunk) {
        if (chunk.id == "fmt " && chunk.length >= 16) {
            fmt.id = chunk.id;
            fmt.data = sliceBytes(buffer, chunk.header + 8, chunk.length);
        }
    });
    if (fmt.data.empty() && !request.sample.path.empty()) {
        const InputFile sample = readAudioSample(request);
        if (extractWavFmt(sample.bytes(), fmt) && sample.changedWhileOpen()) {
            fmt = WavChunk{}; // read from a sample being rewritten: not to be trusted
        } else if (!fmt.data.empty()) {
            result.usedReference = true;
            result.addAction("borrow-wav-fmt", "borrowed WAV fmt chunk from sample audio", fmt.data.size());
        }
    }

    bool haveData = false;
    ChunkView data;
    std::vector<ChunkView> others;
    uint64_t truncatedBytes = 0;
    uint64_t extendedBytes = 0;
    const WalkEnd end =
        walkWavChunks(buffer, r, blockAlignOf(fmt.data, 0, fmt.data.size()), [&](const ChunkView& chunk) {
            if (chunk.truncated)
                truncatedBytes += chunk.declared - chunk.length;
            if (chunk.id == "data") {
                data = chunk;
                haveData = true;
            } else if (chunk.id != "RIFF" && chunk.id != "fmt ") {
                others.push_back(chunk);
            }
        });
    if (fmt.data.empty() || !haveData) {
        result.setStatus(RepairStatus::failure(kAudioWavChunksMissing, "WAV repair requires fmt and data chunks"));
        return result;
    }
    // Players read whole sample frames: the bytes of a frame cut short are dropped with the tail.
    const uint64_t partialFrame = data.length % blockAlignOf(fmt.data, 0, fmt.data.size());
    data.length -= partialFrame;
    if (data.extended && data.length > data.declared)
        extendedBytes = data.length - data.declared;
    uint64_t tailBytes = 0;
    // Bytes the walk could not take as a chunk: an invalid marker and what follows it, the stray
    // end of extended audio, or a chunk header cut short by the end of the file.
    if (end.why != WalkStop::Truncated && end.at < buffer.size())
        tailBytes = buffer.size() - end.at;

    // The new headers are written here; chunk payloads are stretches of the input. The RIFF size
    // is known before anything is laid out.
    const auto kept = [&](const ChunkView& chunk) {
        const uint64_t pos = chunk.header + 8;
        return pos < buffer.size() ? std::min<uint64_t>(chunk.length, buffer.size() - pos) : 0;
    };
    ByteBuffer head;
    appendString(head, "RIFF");
    appendLe32(head, 0);
    appendString(head, "WAVE");
    writeWavChunk(head, fmt);
    uint64_t total = head.size() + 8 + kept(data) + (data.length & 1);
    for (const ChunkView& chunk : others)
        total += 8 + kept(chunk) + (chunk.length & 1);
    putLe32(head, 4, cappedSize(total - 8));
    OutputPieces out(buffer);
    // The fact chunk counts the frames of the audio: it follows the audio kept.
    const uint64_t frames = uncompressedFrames(fmt.data, data.length);
    uint64_t factSet = npos;
    others.push_back(data);
    for (const ChunkView& chunk : others) {
        appendString(head, chunk.id);
        appendLe32(head, cappedSize(chunk.length));
        if (chunk.id == "fact" && chunk.length >= 4 && frames != npos && frames <= kMaxChunkSize &&
            readLe32(buffer, chunk.header + 8) != frames) {
            appendLe32(head, static_cast<uint32_t>(frames));
            appendRange(head, buffer, chunk.header + 12, chunk.length - 4);
            if ((chunk.length & 1) != 0)
                appendU8(head, 0);
            factSet = frames;
            continue;
        }
        out.append(std::move(head));
        head.clear();
        out.appendInput(chunk.header + 8, chunk.length);
        if ((chunk.length & 1) != 0)
            appendU8(head, 0);
    }
    out.append(std::move(head));

    if (r > 0)
        result.addAction("trim-wav-prefix", "removed bytes before RIFF/WAVE header", r);
    if (extendedBytes > 0)
        result.addAction("clamp-wav-data", "kept the WAV audio after the stale data chunk size", extendedBytes);
    result.addAction("rewrite-wav-riff", "rewrote RIFF and WAV chunk sizes", out.size());
    if (factSet != npos)
        result.addAction("set-wav-fact-frames", "set the fact chunk's frame count to the audio kept", factSet);
    if (truncatedBytes + tailBytes + partialFrame > 0)
        result.addAction("drop-invalid-wav-tail", "removed invalid or truncated WAV chunk tail",
                         truncatedBytes + tailBytes + partialFrame);
    if (writeRepairedOutput(result, request, out, "wav", "repaired-audio", kAudioWavWrite))
        result.setStatus(RepairStatus::success());
    return result;
}

} // namespace data_repair
