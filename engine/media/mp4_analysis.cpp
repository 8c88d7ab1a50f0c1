#include <functional>

#include "data_repair/checkpoint.h"
#include "media/mp4_video.h"
#include "media/video_containers.h"

namespace data_repair {

namespace {

// Walks the top level from `start`; an unreadable header is stepped over one byte at a time.
// A clamped box reaches the end of the buffer and so ends the walk.
void forEachTopLevelBox(ByteView bytes, uint64_t start, const std::function<void(const IsoBox&)>& visit)
{
    // Where no box starts, the next candidate is the next position whose type field is
    // printable: found without parsing a box at every byte of a long damaged stretch.
    const auto typeAt = [&](uint64_t pos) {
        for (uint64_t i = 4; i < 8; ++i) {
            if (bytes[pos + i] < 0x20 || bytes[pos + i] > 0x7E)
                return false;
        }
        return true;
    };
    uint64_t q = start;
    while (fits(bytes, q, 8)) {
        checkpoint(q, bytes.size());
        if (!typeAt(q)) {
            ++q;
            continue;
        }
        const IsoBox box = parseIsoBox(bytes, q, bytes.size());
        if (!box.valid) {
            ++q;
            continue;
        }
        visit(box);
        if (box.end() <= q)
            return;
        q = box.end();
    }
}

bool printableBytes(ByteView bytes, uint64_t pos, uint64_t len)
{
    if (!fits(bytes, pos, len))
        return false;
    for (uint64_t i = 0; i < len; ++i)
        if (bytes[pos + i] < 0x20 || bytes[pos + i] > 0x7E)
            return false;
    return true;
}

// An "ftyp" found by search is taken only when it looks like one: a whole box of a major brand,
// a minor version and whole compatible brands (a few KiB at most), followed by the end of the
// file or another readable box. A chance "ftyp" inside other media rarely passes all of that.
bool plausibleFtyp(ByteView bytes, uint64_t pos)
{
    const IsoBox box = parseIsoBox(bytes, pos, bytes.size());
    if (!box.valid || box.type != "ftyp" || box.clamped || box.headerSize != 8)
        return false;
    if (box.size < 16 || box.size > 4096 || (box.size - 8) % 4 != 0)
        return false;
    if (!printableBytes(bytes, pos + 8, 4))
        return false;
    if (box.end() == bytes.size())
        return true;
    return parseIsoBox(bytes, box.end(), bytes.size()).valid;
}

} // namespace

std::vector<IsoBox> scanTopLevelBoxes(ByteView bytes, uint64_t start)
{
    std::vector<IsoBox> boxes;
    forEachTopLevelBox(bytes, start, [&](const IsoBox& box) { boxes.push_back(box); });
    return boxes;
}

IsoBox findIsoBoxAnywhere(ByteView bytes, std::string_view type, uint64_t start)
{
    uint64_t from = start > npos - 4 ? npos : start + 4;
    while (from < bytes.size()) {
        const uint64_t a = findBytes(bytes, type, from);
        if (a == npos)
            break;
        const IsoBox box = parseIsoBox(bytes, a - 4, bytes.size());
        if (box.valid && box.type == type)
            return box;
        from = a + 1;
    }
    return IsoBox{};
}

uint64_t findFtypOffset(ByteView bytes)
{
    uint64_t from = 4;
    while (from < bytes.size()) {
        const uint64_t a = findBytes(bytes, "ftyp", from);
        if (a == npos)
            break;
        if (plausibleFtyp(bytes, a - 4))
            return a - 4;
        from = a + 1;
    }
    return npos;
}

Mp4Layout scanMp4Layout(ByteView bytes, uint64_t start)
{
    Mp4Layout layout;
    forEachTopLevelBox(bytes, start, [&](const IsoBox& box) {
        if (box.type == "ftyp" && !layout.ftyp.valid)
            layout.ftyp = box;
        if (box.type == "moov" && !layout.moov.valid)
            layout.moov = box;
        if (box.type == "mdat") {
            if (!layout.mdat.valid)
                layout.mdat = box;
            ++layout.mdatCount;
        }
        if (box.type == "moof")
            layout.fragmented = true;
        if (box.clamped)
            layout.clamped = box;
    });
    // A size field that swallowed the rest of the file may hide the moov inside the mdat.
    if (!layout.moov.valid && layout.mdat.valid && layout.mdat.clamped) {
        const IsoBox found = findIsoBoxAnywhere(bytes, "moov", layout.mdat.payloadStart() + 1);
        if (found.valid && found.offset > layout.mdat.payloadStart()) {
            layout.moov = found;
            layout.moovInsideMdat = true;
        }
    }
    return layout;
}

RepairResult analyzeMp4(const RepairRequest& request, ByteView bytes, uint64_t prefix)
{
    RepairResult result = prepareVideoResult(request, bytes);
    if (prefix >= 1 && prefix != npos)
        result.addFinding(HeaderDamaged, Warning, "garbage bytes before MP4/MOV ftyp atom", 0, prefix, true, 0.9);
    const uint64_t base = (prefix == npos) ? 0 : prefix;
    const Mp4Layout layout = scanMp4Layout(bytes, base);
    // Offsets after the prefix finding count from the ftyp, as in the trimmed output.
    if (layout.moovInsideMdat)
        result.addFinding(IndexDamaged, Warning, "moov atom was found inside an over-sized mdat range",
                          layout.moov.offset - base, layout.moov.size, true, 0.86);
    if (!layout.ftyp.valid)
        result.addGeneralFinding(HeaderMissing, Warning, "MP4/MOV ftyp atom is missing or not at a valid boundary",
                                 true, 0.75);
    if (!layout.mdat.valid) {
        result.addGeneralFinding(Truncated, Error, "MP4/MOV mdat media payload atom was not found", false, 0.95);
        result.setStatus(RepairStatus::failure(kVideoNoPayload, "video media payload was not found"));
    }
    if (!layout.moov.valid) {
        const bool haveSample = !request.sample.path.empty();
        result.addGeneralFinding(IndexDamaged, Warning, "MP4/MOV moov metadata atom was not found", haveSample, 0.9);
        result.sampleRequired = !haveSample;
    }
    if (layout.clamped.valid)
        result.addFinding(Truncated, Warning,
                          "top-level atom size overran file and can be clamped: " + layout.clamped.type,
                          layout.clamped.offset - base, layout.clamped.size, true, 0.8);
    if (layout.moov.valid && layout.mdat.valid && layout.mdat.offset < layout.moov.offset)
        result.addFinding(IndexDamaged, Info, "moov atom is after mdat and can be moved for fast-start playback",
                          layout.moov.offset - base, layout.moov.size, true, 0.7);
    result.confidence = result.findings.empty() ? 1.0 : 0.7;
    return result;
}

} // namespace data_repair
