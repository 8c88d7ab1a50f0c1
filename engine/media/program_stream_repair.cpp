#include "data_repair/output_writer.h"
#include "media/container_support.h"
#include "data_repair/detection.h"

namespace data_repair {

namespace {

const ByteBuffer kPackStart = {0x00, 0x00, 0x01, 0xBA};
const ByteBuffer kProgramEnd = {0x00, 0x00, 0x01, 0xB9};

// Length of the pack header at pos when its marker bits are those of an MPEG-2 or MPEG-1 pack,
// else 0.
uint64_t packHeaderLength(ByteView bytes, uint64_t pos)
{
    if (!matchesAt(bytes, pos, kPackStart) || !fits(bytes, pos, 12))
        return 0;
    auto at = [&](uint64_t i) { return bytes[pos + i]; };
    if ((at(4) & 0xC4) == 0x44) {
        if (!fits(bytes, pos, 14) || (at(6) & 0x04) == 0 || (at(8) & 0x04) == 0 || (at(9) & 0x01) == 0 ||
            (at(12) & 0x03) != 0x03)
            return 0;
        return 14 + (at(13) & 0x07);
    }
    if ((at(4) & 0xF1) == 0x21) {
        if ((at(6) & 0x01) == 0 || (at(8) & 0x01) == 0 || (at(9) & 0x80) == 0 || (at(11) & 0x01) == 0)
            return 0;
        return 12;
    }
    return 0;
}

// A pack header that checks out: sound marker bits and the next start code (system header, PES
// packet, another pack or the end code) right where the header says it ends.
bool isPackHeaderAt(ByteView bytes, uint64_t pos)
{
    const uint64_t length = packHeaderLength(bytes, pos);
    if (length == 0)
        return false;
    const uint64_t next = pos + length;
    return fits(bytes, next, 4) && bytes[next] == 0 && bytes[next + 1] == 0 && bytes[next + 2] == 1 &&
           bytes[next + 3] >= 0xB9;
}

uint64_t findPackHeader(ByteView bytes, bool structuralOnly)
{
    return findCheckedPattern(bytes, kPackStart, [&](uint64_t at) { return isPackHeaderAt(bytes, at); },
                              structuralOnly);
}

} // namespace

bool hasPackStartCode(ByteView bytes) { return findPackHeader(bytes, true) != npos; }

RepairResult analyzeProgramStreamLayout(const RepairRequest& request, ByteView bytes, ProgramStreamLayout& layout)
{
    RepairResult result = prepareVideoResult(request, bytes);
    result.format = lowerExtension(pathFromUtf8(request.input.path)) == "mpg" ? "mpg" : "mpeg";
    layout = ProgramStreamLayout{};
    const uint64_t a = findPackHeader(bytes, false);
    if (a == npos) {
        reportStructureNotFound(result, "MPEG program stream pack header was not found", kVideoPsNotFound,
                                "MPEG pack header not found");
        return result;
    }
    layout.packStart = a;
    // The end code closes the stream, so it is looked for from the end; the last one also tells
    // the repair whether one lies after the pack header.
    layout.lastEnd = rfindBytes(bytes, kProgramEnd);
    if (a > 0)
        result.addFinding(HeaderMissing, Warning, "garbage bytes before MPEG pack header", 0, a, true, 0.9);
    if (layout.lastEnd == npos)
        result.addFinding(TrailerMissing, Info, "MPEG program end code is missing", bytes.size(), 0, true, 0.75);
    result.confidence = 0.82;
    return result;
}

RepairResult analyzeProgramStream(const RepairRequest& request, ByteView bytes)
{
    ProgramStreamLayout layout;
    return analyzeProgramStreamLayout(request, bytes, layout);
}

RepairResult repairProgramStreamOnLayout(RepairResult result, const RepairRequest& request, ByteView bytes,
                                         const ProgramStreamLayout& layout)
{
    if (!shouldRepair(result, request))
        return result;
    const uint64_t a = layout.packStart;
    if (a > 0)
        result.addAction("trim-mpeg-prefix", "removed bytes before MPEG pack header", a);
    // Only the kept bytes count: an end code inside the cut prefix does not close the output.
    const bool hasEnd = layout.lastEnd != npos && layout.lastEnd >= a;
    if (!hasEnd)
        result.addAction("append-program-end", "appended MPEG program end code", 4);
    buildAndWriteVideo(result, request, bytes, result.format, kVideoPsWrite, 0.84, [&](OutputPieces& out) {
        out.appendInput(a, bytes.size() - a);
        if (!hasEnd)
            out.append(kProgramEnd);
    });
    return result;
}

} // namespace data_repair
