#pragma once

// The questions only a real decoder can answer about coded media, asked of FFmpeg's libavcodec:
// where raw AAC frames end (they carry no length of their own), and whether video samples decode.
// Every libavcodec call of the engine lives behind this header.

#include <cstdint>
#include <memory>
#include <vector>

#include "data_repair/byte_buffer.h"

namespace data_repair {

// Raw AAC frames (as an MP4 "mp4a" track stores them) decoded one after another from a run of
// bytes, with the AudioSpecificConfig of the track.
class AacFrameSplitter {
public:
    explicit AacFrameSplitter(ByteView audioSpecificConfig);
    ~AacFrameSplitter();
    AacFrameSplitter(const AacFrameSplitter&) = delete;
    AacFrameSplitter& operator=(const AacFrameSplitter&) = delete;

    // False when the configuration is not one the decoder takes.
    bool ready() const;

    // Decodes frames from the start of `bytes` until one fails or the bytes run out. `starts`
    // receives the offset of each frame that decoded; a frame's end is the next one's start, and
    // the last one's is known only when `endsAtEnd` (it used up the bytes, bar zero padding).
    void split(ByteView bytes, std::vector<uint32_t>& starts, bool& endsAtEnd);
    // True when the bytes are exactly one frame the decoder accepts.
    bool isOneFrame(ByteView bytes);

private:
    struct State;
    std::unique_ptr<State> state_;
};

// Single audio samples as an MP4 track stores them (AAC with its AudioSpecificConfig, ALAC with its
// "alac" configuration box), each decoded on its own.
class AudioSampleDecoder {
public:
    enum class Codec { Aac, Alac };
    AudioSampleDecoder(Codec codec, ByteView config);
    ~AudioSampleDecoder();
    AudioSampleDecoder(const AudioSampleDecoder&) = delete;
    AudioSampleDecoder& operator=(const AudioSampleDecoder&) = delete;

    bool ready() const;
    // True when the bytes decode without an error into exactly one frame of sound.
    bool decodesAlone(ByteView sample);

private:
    struct State;
    std::unique_ptr<State> state_;
};

// The coded video samples of one track (H.264 with an avcC, HEVC with an hvcC configuration)
// fed to the decoder in the order given: true when every one decodes without an error and at
// least one picture comes out.
bool videoSamplesDecode(bool hevc, ByteView config, const std::vector<ByteView>& samples);

} // namespace data_repair
