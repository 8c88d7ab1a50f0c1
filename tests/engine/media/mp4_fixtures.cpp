#include "mp4_fixtures.h"

#include <cstdlib>

using namespace data_repair;

namespace mp4_fixtures {

namespace {

ByteBuffer zeros(size_t n) { return ByteBuffer(n, 0); }

ByteBuffer be32s(std::initializer_list<uint32_t> values) {
    ByteBuffer out;
    for (uint32_t v : values) appendBe32(out, v);
    return out;
}

uint64_t totalDuration(const Track& t) { return uint64_t(t.delta) * t.sizes.size(); }

ByteBuffer sampleEntry(const Track& t) {
    if (t.handler != "vide") {
        ByteBuffer e = concat({zeros(6), {0, 1}, zeros(8), {0, 2, 0, 16}, zeros(4), be32s({48000u << 16})});
        return box(t.entry, e);
    }
    ByteBuffer visual = concat({zeros(6), {0, 1}, zeros(16), {0, 160, 0, 120}, be32s({0x480000, 0x480000, 0}),
                                {0, 1}, zeros(32), {0, 0x18, 0xFF, 0xFF}});
    const bool hevc = t.entry == "hvc1" || t.entry == "hev1";
    ByteBuffer config;
    if (hevc) {
        config = zeros(23);
        config[0] = 1;
        config[21] = 0xFF; // lengthSizeMinusOne = 3
        appendBytes(visual, box("hvcC", config));
    } else {
        config = {1, 0x42, 0xC0, 0x1E, 0xFF, 0xE0, 0x00};
        appendBytes(visual, box("avcC", config));
    }
    return box(t.entry, visual);
}

ByteBuffer trak(const Track& t, uint32_t id, uint32_t movieScale, const std::vector<uint64_t>& chunkOffsets) {
    const uint64_t dur = totalDuration(t);
    const uint32_t movieDur = static_cast<uint32_t>(dur * movieScale / t.timescale);
    ByteBuffer tkhd = concat({be32s({3, 0, 0, id, 0, movieDur}), zeros(8), zeros(8), zeros(36), be32s({160u << 16, 120u << 16})});
    ByteBuffer mdhd = concat({be32s({0, 0, 0, t.timescale, static_cast<uint32_t>(dur)}), {0x55, 0xC4, 0, 0}});
    ByteBuffer hdlr = concat({be32s({0, 0}), bytesOf(t.handler), zeros(12), {0}});
    ByteBuffer stsd = concat({be32s({0, 1}), sampleEntry(t)});
    ByteBuffer stts = be32s({0, 1, static_cast<uint32_t>(t.sizes.size()), t.delta});
    ByteBuffer stsc = be32s({0});
    {
        ByteBuffer entries;
        uint32_t count = 0, last = 0;
        for (size_t i = 0; i < t.samplesPerChunk.size(); ++i) {
            if (count > 0 && t.samplesPerChunk[i] == last) continue;
            appendBytes(entries, be32s({static_cast<uint32_t>(i + 1), t.samplesPerChunk[i], 1}));
            last = t.samplesPerChunk[i];
            ++count;
        }
        appendBe32(stsc, count);
        appendBytes(stsc, entries);
    }
    ByteBuffer stsz = be32s({0, 0, static_cast<uint32_t>(t.sizes.size())});
    for (uint32_t s : t.sizes) appendBe32(stsz, s);
    ByteBuffer offsets = be32s({0, static_cast<uint32_t>(chunkOffsets.size())});
    for (uint64_t o : chunkOffsets) {
        if (t.co64)
            appendBe64(offsets, o);
        else
            appendBe32(offsets, static_cast<uint32_t>(o));
    }
    ByteBuffer stbl = concat({box("stsd", stsd), box("stts", stts)});
    if (!t.sync.empty()) {
        ByteBuffer stss = be32s({0, static_cast<uint32_t>(t.sync.size())});
        for (uint32_t s : t.sync) appendBe32(stss, s);
        appendBytes(stbl, box("stss", stss));
    }
    appendBytes(stbl, concat({box("stsc", stsc), box("stsz", stsz), box(t.co64 ? "co64" : "stco", offsets)}));
    ByteBuffer minf = box("minf", concat({box(t.handler == "vide" ? "vmhd" : "smhd", zeros(12)), box("stbl", stbl)}));
    ByteBuffer mdia = box("mdia", concat({box("mdhd", mdhd), box("hdlr", hdlr), minf}));
    ByteBuffer body = box("tkhd", tkhd);
    if (t.editList) appendBytes(body, box("edts", box("elst", be32s({0, 1, movieDur, 0, 0x10000}))));
    appendBytes(body, mdia);
    return box("trak", body);
}

ByteBuffer moov(const Movie& m, const std::vector<std::vector<uint64_t>>& offsets) {
    uint64_t longest = 0;
    for (const Track& t : m.tracks) longest = std::max(longest, totalDuration(t) * 1000 / t.timescale);
    ByteBuffer mvhd = concat({be32s({0, 0, 0, 1000, static_cast<uint32_t>(longest), 0x10000}), {1, 0}, zeros(10),
                              zeros(36), zeros(24), be32s({static_cast<uint32_t>(m.tracks.size() + 1)})});
    ByteBuffer body = box("mvhd", mvhd);
    for (size_t i = 0; i < m.tracks.size(); ++i)
        appendBytes(body, trak(m.tracks[i], static_cast<uint32_t>(i + 1), 1000, offsets[i]));
    return box("moov", body);
}

// Chunk offsets relative to the mdat payload, and the payload itself.
std::vector<std::vector<uint64_t>> layout(const Movie& m, ByteBuffer* payload) {
    std::vector<std::vector<uint64_t>> offsets(m.tracks.size());
    uint64_t pos = 0;
    for (size_t ti = 0; ti < m.tracks.size(); ++ti) {
        const Track& t = m.tracks[ti];
        size_t sample = 0;
        for (uint32_t perChunk : t.samplesPerChunk) {
            offsets[ti].push_back(pos);
            for (uint32_t j = 0; j < perChunk && sample < t.sizes.size(); ++j, ++sample) {
                const uint32_t size = t.sizes[sample];
                if (payload != nullptr) {
                    if (t.handler == "vide") {
                        appendBe32(*payload, size - 4);
                        payload->insert(payload->end(), size - 4, static_cast<uint8_t>(0x41 + sample % 20));
                    } else {
                        payload->insert(payload->end(), size, 0x21);
                    }
                }
                pos += size;
            }
        }
    }
    return offsets;
}

std::vector<std::vector<uint64_t>> shifted(std::vector<std::vector<uint64_t>> offsets, uint64_t by) {
    for (auto& track : offsets)
        for (auto& o : track) o += by;
    return offsets;
}

} // namespace

ByteBuffer buildMovie(const Movie& movie) {
    ByteBuffer payload;
    const auto relative = layout(movie, &payload);
    const ByteBuffer head = ftyp();
    const uint64_t moovSize = moov(movie, relative).size();
    const uint64_t payloadStart = head.size() + (movie.moovFirst ? moovSize : 0) + 8;
    const ByteBuffer moovBytes = moov(movie, shifted(relative, payloadStart));
    const ByteBuffer mdat = box("mdat", payload);
    return movie.moovFirst ? concat({head, moovBytes, mdat}) : concat({head, mdat, moovBytes});
}

uint64_t samplePosition(const ByteBuffer& file, const Movie& movie, size_t track, size_t index) {
    const uint64_t mdat = findBytes(file, "mdat") + 4;
    uint64_t pos = mdat;
    for (size_t ti = 0; ti < movie.tracks.size(); ++ti)
        for (size_t i = 0; i < movie.tracks[ti].sizes.size(); ++i) {
            if (ti == track && i == index) return pos;
            pos += movie.tracks[ti].sizes[i];
        }
    return pos;
}

bool makeClip(const test_support::fs::path& out, const std::string& extraArgs, double seconds) {
    const std::string cmd = "ffmpeg -nostdin -v error -y -f lavfi -i testsrc=d=" + std::to_string(seconds) +
                            ":s=160x120:r=25 " + extraArgs + " " + test_support::quote(out);
    return test_support::run(cmd).exitCode == 0;
}

int decodedFrames(const test_support::fs::path& file) {
    const auto r = test_support::run("ffprobe -v error -select_streams v:0 -count_frames -show_entries "
                                     "stream=nb_read_frames -of csv=p=0 " + test_support::quote(file));
    if (r.exitCode != 0) return -1;
    return std::atoi(r.output.c_str());
}

} // namespace mp4_fixtures
