// A fragmented recording (moof + mdat pairs, as cameras and live encoders write them) whose moov
// is lost. Every fragment carries its own sample tables (track fragment runs), so only what the
// moov alone says is missing: the tracks, their codec settings and time scales. A sample
// recording of the same device supplies them; the fragments are checked against it and kept,
// all of them, with their base offsets moved along with them.

#include <algorithm>
#include <limits>
#include <utility>

#include "data_repair/checkpoint.h"
#include "data_repair/output_writer.h"
#include "media/mp4_video.h"
#include "media/video_prefix_truncation.h"

namespace data_repair {

namespace {

// Sound samples decoded for the check: all of the first ones, then one in this many.
constexpr uint64_t kSoundChecksInFull = 300;
constexpr uint64_t kSoundCheckStride = 16;

struct FragmentTrack {
    uint32_t id = 0;
    uint32_t timescale = 0;
    bool video = false;
    bool sound = false;
    uint32_t defaultDuration = 0; // the sample's own track defaults, 0 when it has none
    uint32_t defaultSize = 0;
    std::unique_ptr<AudioSampleDecoder> decoder;
    bool seen = false;
    uint64_t decodeTime = 0; // ticks of the samples walked so far
};

uint32_t mediaTimescaleOf(ByteView moov, const IsoBox& trak)
{
    const IsoBox mdhd = findIsoBoxPath(moov, trak.payloadStart(), trak.end(), {"mdia", "mdhd"});
    if (!mdhd.valid)
        return 0;
    return readBe32(moov, mdhd.payloadStart() + (readU8(moov, mdhd.payloadStart()) == 1 ? 20 : 12));
}

// Whole NAL units with length fields of `m` bytes fill [from, to) exactly.
bool wholeNalUnits(ByteView bytes, uint64_t from, uint64_t to, uint32_t m, int64_t& budget)
{
    for (uint64_t p = from; p < to;) {
        if (--budget < 0 || to - p < m)
            return false;
        uint64_t length = 0;
        for (uint32_t i = 0; i < m; ++i)
            length = (length << 8) | readU8(bytes, p + i);
        if (length == 0 || length > to - p - m)
            return false;
        p += m + length;
    }
    return from < to;
}

// The top-level box whose payload holds [from, from + size), or npos.
size_t boxHolding(const std::vector<IsoBox>& boxes, uint64_t from, uint64_t size)
{
    const auto after = std::upper_bound(boxes.begin(), boxes.end(), from,
                                        [](uint64_t at, const IsoBox& box) { return at < box.offset; });
    if (after == boxes.begin())
        return npos;
    const IsoBox& box = *(after - 1);
    if (box.type != "mdat" || from < box.payloadStart() || from > box.end() || size > box.end() - from)
        return npos;
    return static_cast<size_t>(after - 1 - boxes.begin());
}

// The rebuild over `bytes`; `lostMedia` bytes of media data after them count against the 90 %.
bool rebuildFragments(ByteView sampleMoov, ByteView bytes, uint64_t lostMedia, ByteView ftyp, OutputPieces& output,
                      FragmentRebuild& rebuilt)
{
    rebuilt = FragmentRebuild{};
    const IsoBox top = parseIsoBox(sampleMoov, 0, sampleMoov.size());
    if (!top.valid)
        return false;

    // The sample's tracks, with what checking their fragments needs.
    std::vector<FragmentTrack> tracks;
    CodecTrack codec;
    const bool haveVideo = findCodecTrack(sampleMoov, codec);
    forEachIsoBox(sampleMoov, top.payloadStart(), top.end(), [&](const IsoBox& trak) {
        if (trak.type != "trak")
            return true;
        FragmentTrack t;
        t.id = isoTrackId(sampleMoov, trak);
        t.timescale = mediaTimescaleOf(sampleMoov, trak);
        t.video = haveVideo && trak.offset == codec.trak.offset;
        t.decoder = soundSampleDecoder(sampleMoov, trak);
        t.sound = t.decoder != nullptr;
        if (t.id != 0 && t.timescale != 0)
            tracks.push_back(std::move(t));
        return true;
    });
    const IsoBox mvex = findIsoBoxPath(sampleMoov, top.payloadStart(), top.end(), {"mvex"});
    if (mvex.valid) {
        forEachIsoBox(sampleMoov, mvex.payloadStart(), mvex.end(), [&](const IsoBox& trex) {
            if (trex.type != "trex" || trex.size < 32)
                return true;
            const uint32_t id = readBe32(sampleMoov, trex.payloadStart() + 4);
            for (FragmentTrack& t : tracks) {
                if (t.id == id) {
                    t.defaultDuration = readBe32(sampleMoov, trex.payloadStart() + 12);
                    t.defaultSize = readBe32(sampleMoov, trex.payloadStart() + 16);
                }
            }
            return true;
        });
    }

    // Every box from the first fragment on; a closing random-access index (absolute offsets of
    // the fragments) is left out, players find the fragments without it.
    const std::vector<IsoBox> all = scanTopLevelBoxes(bytes);
    const auto firstMoof = std::find_if(all.begin(), all.end(), [](const IsoBox& b) { return b.type == "moof"; });
    if (firstMoof == all.end())
        return false;
    std::vector<IsoBox> kept(firstMoof, all.end());
    if (!kept.empty() && kept.back().type == "mfra")
        kept.pop_back();

    // Where each kept box lands behind the new ftyp and moov is known only once the moov is
    // built, but only the distance each box moves matters: the same for all boxes up to a gap.
    std::vector<uint64_t> outputAt(kept.size());
    uint64_t at = 0, media = 0;
    for (size_t i = 0; i < kept.size(); ++i) {
        outputAt[i] = at;
        at += kept[i].size;
        if (kept[i].type == "mdat")
            media += kept[i].size - kept[i].headerSize;
    }
    const auto moved = [&](size_t i) { return static_cast<int64_t>(outputAt[i]) - static_cast<int64_t>(kept[i].offset); };

    int64_t budget = static_cast<int64_t>(std::min<uint64_t>(bytes.size(), 1ull << 60)) * 4 + (1 << 20);
    uint64_t covered = 0, soundSeen = 0, soundChecked = 0, soundFailed = 0;
    std::pair<uint64_t, uint32_t> firstPicture{0, 0};
    double lowest = std::numeric_limits<double>::max(), highest = std::numeric_limits<double>::lowest();
    double elapsed = 0, longestSample = 0;
    std::vector<uint32_t> trackIds;
    for (size_t i = 0; i < kept.size(); ++i) {
        const IsoBox& moof = kept[i];
        if (moof.type != "moof")
            continue;
        ++rebuilt.fragments;
        double videoStart = -1, soundStart = -1;
        uint64_t previousEnd = moof.offset;
        bool firstTraf = true;
        bool ok = true;
        forEachIsoBox(bytes, moof.payloadStart(), moof.end(), [&](const IsoBox& traf) {
            if (traf.type != "traf")
                return true;
            const IsoBox tfhd = findIsoBoxPath(bytes, traf.payloadStart(), traf.end(), {"tfhd"});
            if (!tfhd.valid || tfhd.size < 16)
                return ok = false;
            const uint32_t flags = readBe32(bytes, tfhd.payloadStart()) & 0xFFFFFF;
            const uint32_t id = readBe32(bytes, tfhd.payloadStart() + 4);
            const auto track = std::find_if(tracks.begin(), tracks.end(), [&](const FragmentTrack& t) { return t.id == id; });
            if (track == tracks.end())
                return ok = false; // a track the sample cannot describe
            if (std::find(trackIds.begin(), trackIds.end(), id) == trackIds.end())
                trackIds.push_back(id);
            uint64_t q = tfhd.payloadStart() + 8;
            uint64_t base = (flags & 0x20000) != 0 || firstTraf ? moof.offset : previousEnd;
            if (flags & 0x1) {
                base = readBe64(bytes, q); // counted from the start of the file
                q += 8;
            }
            if (flags & 0x2)
                q += 4;
            uint32_t duration = track->defaultDuration, size = track->defaultSize;
            if (flags & 0x8) {
                duration = readBe32(bytes, q);
                q += 4;
            }
            if (flags & 0x10)
                size = readBe32(bytes, q);
            firstTraf = false;
            const IsoBox tfdt = findIsoBoxPath(bytes, traf.payloadStart(), traf.end(), {"tfdt"});
            if (tfdt.valid && tfdt.size >= 16)
                track->decodeTime = readU8(bytes, tfdt.payloadStart()) == 1 ? readBe64(bytes, tfdt.payloadStart() + 4)
                                                                            : readBe32(bytes, tfdt.payloadStart() + 4);
            const double start = static_cast<double>(track->decodeTime) / track->timescale;
            if (track->video)
                videoStart = start;
            else if (track->sound)
                soundStart = start;
            uint64_t pos = base;
            forEachIsoBox(bytes, traf.payloadStart(), traf.end(), [&](const IsoBox& trun) {
                if (trun.type != "trun" || !ok)
                    return ok;
                if (trun.size < 16)
                    return ok = false;
                const uint32_t runFlags = readBe32(bytes, trun.payloadStart()) & 0xFFFFFF;
                const uint64_t count = readBe32(bytes, trun.payloadStart() + 4);
                uint64_t r = trun.payloadStart() + 8;
                if (runFlags & 0x1) {
                    pos = base + static_cast<uint64_t>(static_cast<int64_t>(static_cast<int32_t>(readBe32(bytes, r))));
                    r += 4;
                }
                if (runFlags & 0x4)
                    r += 4;
                const uint64_t entry = 4 * (((runFlags >> 8) & 1) + ((runFlags >> 9) & 1) + ((runFlags >> 10) & 1) +
                                            ((runFlags >> 11) & 1));
                if (entry != 0 && count > (trun.end() - std::min(r, trun.end())) / entry)
                    return ok = false;
                for (uint64_t n = 0; n < count; ++n) {
                    checkpoint(std::min<uint64_t>(pos, bytes.size()), bytes.size());
                    uint64_t sampleDuration = duration, sampleSize = size;
                    if (runFlags & 0x100) {
                        sampleDuration = readBe32(bytes, r);
                        r += 4;
                    }
                    if (runFlags & 0x200) {
                        sampleSize = readBe32(bytes, r);
                        r += 4;
                    }
                    r += 4 * (((runFlags >> 10) & 1) + ((runFlags >> 11) & 1));
                    const size_t holder = boxHolding(kept, pos, sampleSize);
                    if (sampleSize == 0 || sampleDuration == 0 || holder == npos || moved(holder) != moved(i))
                        return ok = false;
                    if (track->video) {
                        if (!wholeNalUnits(bytes, pos, pos + sampleSize, codec.nalLengthSize, budget))
                            return ok = false;
                        if (firstPicture.second == 0)
                            firstPicture = {pos, static_cast<uint32_t>(sampleSize)};
                    } else if (track->sound && (soundSeen++ < kSoundChecksInFull || soundSeen % kSoundCheckStride == 0)) {
                        ++soundChecked;
                        if (!track->decoder->decodesAlone(
                                bytes.subspan(static_cast<size_t>(pos), static_cast<size_t>(sampleSize))))
                            ++soundFailed;
                    }
                    longestSample = std::max(longestSample, static_cast<double>(sampleDuration) / track->timescale);
                    track->decodeTime += sampleDuration;
                    covered += sampleSize;
                    ++rebuilt.samples;
                    pos += sampleSize;
                }
                return true;
            });
            previousEnd = pos;
            return ok;
        });
        if (!ok)
            return false;
        // A fragment's tracks start together: a time scale other than the recording's makes
        // them drift apart fragment by fragment.
        if (videoStart >= 0 && soundStart >= 0) {
            lowest = std::min(lowest, soundStart - videoStart);
            highest = std::max(highest, soundStart - videoStart);
            elapsed = videoStart;
        }
    }
    if (trackIds.empty() || covered < (media + lostMedia) / 10 * 9 || soundFailed * 10 > soundChecked)
        return false;
    if (highest >= lowest && highest - lowest > std::max(0.03 * elapsed, 4 * longestSample))
        return false;
    if (haveVideo && firstPicture.second != 0 &&
        !videoSamplesDecode(codec.hevc, codec.config,
                            {bytes.subspan(static_cast<size_t>(firstPicture.first), firstPicture.second)}))
        return false;

    ByteBuffer moov;
    if (!buildFragmentIndex(sampleMoov, trackIds, moov, rebuilt.leftOut))
        return false;
    const uint64_t before = ftyp.size() + moov.size();
    output.append(ByteBuffer(ftyp.begin(), ftyp.end()));
    output.append(std::move(moov));
    for (size_t i = 0; i < kept.size(); ++i) {
        const IsoBox& box = kept[i];
        if (box.type != "moof") {
            if (box.clamped) {
                // The box that overran the file says what it holds.
                ByteBuffer header = sliceBytes(bytes, box.offset, box.headerSize);
                if (box.headerSize == 16)
                    putBe64(header, 8, box.size);
                else
                    putBe32(header, 0, box.size > 0xFFFFFFFFull ? 0 : static_cast<uint32_t>(box.size));
                output.append(std::move(header));
                output.appendInput(box.payloadStart(), box.size - box.headerSize);
            } else {
                output.appendInput(box.offset, box.size);
            }
            continue;
        }
        // Absolute base offsets follow their fragment to its new place.
        ByteBuffer fragment = sliceBytes(bytes, box.offset, box.size);
        const uint64_t shift = before + outputAt[i] - box.offset;
        forEachIsoBox(fragment, 8, fragment.size(), [&](const IsoBox& traf) {
            if (traf.type != "traf")
                return true;
            const IsoBox tfhd = findIsoBoxPath(fragment, traf.payloadStart(), traf.end(), {"tfhd"});
            if (tfhd.valid && (readBe32(fragment, tfhd.payloadStart()) & 0x1) != 0)
                putBe64(fragment, tfhd.payloadStart() + 8, readBe64(fragment, tfhd.payloadStart() + 8) + shift);
            return true;
        });
        output.append(std::move(fragment));
    }
    return true;
}

} // namespace

bool rebuildFragmentedRecording(ByteView sampleMoov, ByteView bytes, ByteView ftyp, OutputPieces& output,
                                FragmentRebuild& rebuilt)
{
    if (rebuildFragments(sampleMoov, bytes, 0, ftyp, output, rebuilt))
        return true;
    // A recording cut short ends inside its last fragment, whose runs list samples the file no
    // longer holds: the fragments before it are kept when they still hold nearly all the media.
    const std::vector<IsoBox> all = scanTopLevelBoxes(bytes);
    if (all.empty() || !all.back().clamped)
        return false;
    const auto last = std::find_if(all.rbegin(), all.rend(), [](const IsoBox& b) { return b.type == "moof"; });
    if (last == all.rend())
        return false;
    uint64_t lost = 0;
    for (auto box = all.rbegin(); box != last; ++box)
        if (box->type == "mdat")
            lost += box->size - box->headerSize;
    if (!rebuildFragments(sampleMoov, bytes.subspan(0, static_cast<size_t>(last->offset)), lost, ftyp, output, rebuilt))
        return false;
    rebuilt.droppedTail = true;
    return true;
}

} // namespace data_repair
