#pragma once

// Small ISO base media files built byte by byte for the video tests, and real clips made and
// judged by ffmpeg/ffprobe.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "data_repair/byte_buffer.h"
#include "test_support.h"

namespace mp4_fixtures {

using data_repair::ByteBuffer;

inline ByteBuffer box(std::string_view type, const ByteBuffer& payload) {
    ByteBuffer out;
    data_repair::appendBe32(out, static_cast<uint32_t>(8 + payload.size()));
    data_repair::appendString(out, type);
    data_repair::appendBytes(out, payload);
    return out;
}

using test_support::concat;

inline ByteBuffer ftyp() {
    return box("ftyp", concat({data_repair::bytesOf("isom"), {0, 0, 2, 0}, data_repair::bytesOf("isomiso2")}));
}

// One synthetic track: every sample is one NAL unit with a 4-byte length field.
struct Track {
    std::string handler = "vide";
    std::string entry = "avc1";
    uint32_t timescale = 1000;
    uint32_t delta = 40;
    std::vector<uint32_t> sizes;              // sample sizes (>= 5 each for video)
    std::vector<uint32_t> samplesPerChunk;    // chunk layout, summing to sizes.size()
    std::vector<uint32_t> sync;               // stss entries, empty for none
    bool editList = false;
    bool co64 = false;
};

struct Movie {
    std::vector<Track> tracks;
    bool moovFirst = true;
};

// Builds ftyp + moov + mdat (or ftyp + mdat + moov) with chunk offsets pointing at the samples;
// the samples of all tracks are laid out chunk by chunk, track after track.
ByteBuffer buildMovie(const Movie& movie);

// Position in the built file of the first byte of sample `index` (0-based) of track `track`.
uint64_t samplePosition(const ByteBuffer& file, const Movie& movie, size_t track, size_t index);

// ffmpeg helpers.
bool makeClip(const test_support::fs::path& out, const std::string& extraArgs, double seconds = 2.0);
// Frames ffmpeg decodes from the file's first video stream; -1 when it cannot open it.
int decodedFrames(const test_support::fs::path& file);
using test_support::playerComplaints;

} // namespace mp4_fixtures
