// libavcodec behind the engine's small decoding interface. The decoders log nothing (probing
// damaged data would fill the user's terminal with complaints) and run on the calling thread.

#include "media/media_decoding.h"

#include <cstdarg>
#include <cstring>
#include <limits>
#include <mutex>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/log.h>
#include <libavutil/mem.h>
}

namespace data_repair {

namespace {

// Added to the level of every message logged against our decoder contexts: past the most verbose
// level, so none shows. Decoders also log against their private contexts, which that offset does
// not reach: messages logged on a thread while it runs one of our decoders are dropped, all others
// go to FFmpeg's default logger as before.
constexpr int kQuietLogOffset = 1000;
thread_local int quietDepth = 0;

void filteredLog(void* context, int level, const char* format, va_list args)
{
    if (quietDepth == 0)
        av_log_default_callback(context, level, format, args);
}

struct QuietScope {
    QuietScope()
    {
        static std::once_flag installed;
        std::call_once(installed, [] { av_log_set_callback(filteredLog); });
        ++quietDepth;
    }
    ~QuietScope() { --quietDepth; }
    QuietScope(const QuietScope&) = delete;
    QuietScope& operator=(const QuietScope&) = delete;
};

struct ContextFree {
    void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
};
struct PacketFree {
    void operator()(AVPacket* p) const { av_packet_free(&p); }
};
struct FrameFree {
    void operator()(AVFrame* f) const { av_frame_free(&f); }
};
using Context = std::unique_ptr<AVCodecContext, ContextFree>;
using Packet = std::unique_ptr<AVPacket, PacketFree>;
using Frame = std::unique_ptr<AVFrame, FrameFree>;

Context openDecoder(AVCodecID id, ByteView config, bool strict)
{
    const QuietScope quiet;
    const AVCodec* codec = avcodec_find_decoder(id);
    if (codec == nullptr || config.size() > static_cast<size_t>(std::numeric_limits<int>::max() / 2))
        return nullptr;
    Context context(avcodec_alloc_context3(codec));
    if (!context)
        return nullptr;
    context->log_level_offset = kQuietLogOffset;
    context->thread_count = 1;
    if (strict)
        context->err_recognition = AV_EF_EXPLODE | AV_EF_BITSTREAM | AV_EF_BUFFER;
    if (!config.empty()) {
        context->extradata = static_cast<uint8_t*>(av_mallocz(config.size() + AV_INPUT_BUFFER_PADDING_SIZE));
        if (context->extradata == nullptr)
            return nullptr;
        std::memcpy(context->extradata, config.data(), config.size());
        context->extradata_size = static_cast<int>(config.size());
    }
    if (avcodec_open2(context.get(), codec, nullptr) < 0)
        return nullptr;
    return context;
}

// A packet holding a copy of the bytes (the decoder needs zeroed padding after them).
bool fillPacket(AVPacket* packet, ByteView bytes)
{
    av_packet_unref(packet);
    if (bytes.size() > static_cast<size_t>(std::numeric_limits<int>::max() - AV_INPUT_BUFFER_PADDING_SIZE))
        return false;
    if (av_new_packet(packet, static_cast<int>(bytes.size())) < 0)
        return false;
    if (!bytes.empty())
        std::memcpy(packet->data, bytes.data(), bytes.size());
    return true;
}

} // namespace

struct AacFrameSplitter::State {
    Context context;
    Packet packet{av_packet_alloc()};
    Frame frame{av_frame_alloc()};
};

AacFrameSplitter::AacFrameSplitter(ByteView audioSpecificConfig) : state_(std::make_unique<State>())
{
    if (!audioSpecificConfig.empty() && state_->packet && state_->frame)
        state_->context = openDecoder(AV_CODEC_ID_AAC, audioSpecificConfig, false);
}

AacFrameSplitter::~AacFrameSplitter() = default;

bool AacFrameSplitter::ready() const { return state_->context != nullptr; }

void AacFrameSplitter::split(ByteView bytes, std::vector<uint32_t>& starts, bool& endsAtEnd)
{
    starts.clear();
    endsAtEnd = false;
    if (!ready() || bytes.empty() || !fillPacket(state_->packet.get(), bytes))
        return;
    const QuietScope quiet;
    AVCodecContext* c = state_->context.get();
    AVFrame* frame = state_->frame.get();
    if (avcodec_send_packet(c, state_->packet.get()) < 0) {
        avcodec_flush_buffers(c);
        return;
    }
    // A packet of several frames is decoded frame by frame; each frame carries the bytes of the
    // packet left when it began, which places it.
    const int total = static_cast<int>(bytes.size());
    int status = 0;
    while ((status = avcodec_receive_frame(c, frame)) >= 0) {
        const int left = frame->pkt_size;
        av_frame_unref(frame);
        if (left <= 0 || left > total || (!starts.empty() && total - left <= static_cast<int>(starts.back())))
            break;
        starts.push_back(static_cast<uint32_t>(total - left));
    }
    endsAtEnd = status == AVERROR(EAGAIN) && !starts.empty();
    if (status != AVERROR(EAGAIN))
        avcodec_flush_buffers(c);
}

bool AacFrameSplitter::isOneFrame(ByteView bytes)
{
    std::vector<uint32_t> starts;
    bool endsAtEnd = false;
    split(bytes, starts, endsAtEnd);
    return starts.size() == 1 && endsAtEnd;
}

struct AudioSampleDecoder::State {
    Context context;
    Packet packet{av_packet_alloc()};
    Frame frame{av_frame_alloc()};
};

AudioSampleDecoder::AudioSampleDecoder(Codec codec, ByteView config) : state_(std::make_unique<State>())
{
    if (!config.empty() && state_->packet && state_->frame)
        state_->context = openDecoder(codec == Codec::Aac ? AV_CODEC_ID_AAC : AV_CODEC_ID_ALAC, config, true);
}

AudioSampleDecoder::~AudioSampleDecoder() = default;

bool AudioSampleDecoder::ready() const { return state_->context != nullptr; }

bool AudioSampleDecoder::decodesAlone(ByteView sample)
{
    if (!ready() || sample.empty() || !fillPacket(state_->packet.get(), sample))
        return false;
    const QuietScope quiet;
    AVCodecContext* c = state_->context.get();
    AVFrame* frame = state_->frame.get();
    avcodec_flush_buffers(c);
    if (avcodec_send_packet(c, state_->packet.get()) < 0)
        return false;
    int frames = 0;
    int status = 0;
    while ((status = avcodec_receive_frame(c, frame)) >= 0) {
        const bool sound = frame->nb_samples > 0 && frame->decode_error_flags == 0 &&
                           (frame->flags & AV_FRAME_FLAG_CORRUPT) == 0;
        av_frame_unref(frame);
        if (!sound)
            return false;
        ++frames;
    }
    return status == AVERROR(EAGAIN) && frames == 1;
}

bool videoSamplesDecode(bool hevc, ByteView config, const std::vector<ByteView>& samples)
{
    const QuietScope quiet;
    Context context = openDecoder(hevc ? AV_CODEC_ID_HEVC : AV_CODEC_ID_H264, config, true);
    Packet packet(av_packet_alloc());
    Frame frame(av_frame_alloc());
    if (!context || !packet || !frame || samples.empty())
        return false;
    AVCodecContext* c = context.get();
    uint64_t pictures = 0;
    auto drain = [&]() {
        int status = 0;
        while ((status = avcodec_receive_frame(c, frame.get())) >= 0) {
            const bool damaged = frame->decode_error_flags != 0 || (frame->flags & AV_FRAME_FLAG_CORRUPT) != 0;
            av_frame_unref(frame.get());
            if (damaged)
                return false;
            ++pictures;
        }
        return status == AVERROR(EAGAIN) || status == AVERROR_EOF;
    };
    for (ByteView sample : samples) {
        if (sample.empty() || !fillPacket(packet.get(), sample) || avcodec_send_packet(c, packet.get()) < 0 ||
            !drain())
            return false;
    }
    return avcodec_send_packet(c, nullptr) >= 0 && drain() && pictures > 0;
}

} // namespace data_repair
