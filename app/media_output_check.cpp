// Recordings are judged by FFmpeg's own demuxers and decoders, as a player would open them: the
// container must open, every packet is read (demuxing is linear and cheap), and a bounded set of
// frames per stream is decoded. Outputs up to 64 MiB are decoded whole; larger ones at their first
// and last seconds and at key frames spread over the file.
// The work follows the file's size, not what it claims: an ISO index that claims more samples than
// the file holds is refused before FFmpeg builds it, probing is bounded, and the pixels decoded and
// the time taken have a budget; past it the output is not verifiable within the limits.

#include "app/media_index_claims.h"
#include "app/output_checker.h"
#include "app/supported_files.h"

#include "data_repair/detection.h"
#include "data_repair/format_extensions.h"

#include <QFile>
#include <QtEndian>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/avutil.h>
#include <libavutil/log.h>
#include <libavutil/mathematics.h>
}

#include <algorithm>
#include <array>
#include <deque>
#include <string_view>

namespace olm::repair {

namespace {

constexpr qint64 kDecodeAllLimit = 67108864;           // 64 MiB: decoded whole up to this size
constexpr int64_t kEdgeWindow = 2 * AV_TIME_BASE;       // first and last seconds decoded
constexpr int kSpreadPoints = 32;                       // key frames decoded across a large file
constexpr int kAudioRunPackets = 8;                     // packets decoded at each spread point of audio
constexpr int kWarmUpPackets = 2;                       // audio packets after a jump whose errors are forgiven
constexpr qint64 kTailBytes = 33554432;                 // packets kept for the last seconds, per stream
constexpr int kIoBufferSize = 65536;
// Larger frames are refused, not allocated: the largest picture any level of H.264, HEVC, VP9 or
// AV1 allows (8192 x 4352). One such frame is also the longest a decoder call runs between two
// looks at the stop flag.
constexpr int64_t kMaxFramePixels = 35651584;
constexpr int64_t kMaxProbePixels = 4096LL * 4096LL;    // frames probing decodes
// The pixels (and sound samples) a check may decode: this allowance plus this many per byte of the
// file. Real recordings need far less (1080p at 100 kbit/s is about 4000 a byte); a key frame
// repeated by thousands of skipped frames of a few bytes needs millions.
constexpr int64_t kDecodeAllowance = 2LL << 30;
constexpr int64_t kDecodedPerByte = 4096;
// Probing reads and decodes no more than this to learn the streams.
constexpr int64_t kProbeBytes = 5LL << 20;
constexpr int64_t kProbeMicroseconds = 5 * AV_TIME_BASE;
constexpr int kMaxIndexBytes = 1 << 20;
constexpr int kMaxListedStreams = 1024;
// The claimed duration may run past the last packet by this much (2 %, at least one second).
constexpr int64_t kDurationSlack = AV_TIME_BASE;
constexpr int kDurationSlackPercent = 2;

// The demuxers a repaired recording may be opened with; anything else (playlists, concat lists,
// image sequences) is never tried.
constexpr const char* kDemuxers = "mov,mp4,m4a,matroska,webm,avi,flv,asf,mpegts,mpeg,mxf,mp3,aac,flac,ogg,wav,h264,hevc";

bool isMediaSuffix(const QString& suffix)
{
    const std::string ext = suffix.toStdString();
    return data_repair::isListedIn(data_repair::extensions::kAudioKind, ext)
        || data_repair::isListedIn(data_repair::extensions::kVideoKind, ext)
        || data_repair::isListed(kContentRoutedMediaSuffixes, ext);
}

// --- The format chunk of a WAV file, checked before FFmpeg (which accepts nonsense rates) ---

bool waveFormatIsSane(const QByteArray& head)
{
    if (head.size() < 12 || !head.startsWith("RIFF") || head.mid(8, 4) != "WAVE")
        return false;
    qsizetype pos = 12;
    while (head.size() - pos >= 8) {
        const QByteArray id = head.mid(pos, 4);
        const quint32 length = qFromLittleEndian<quint32>(head.constData() + pos + 4);
        if (id == "fmt ") {
            if (length < 16 || head.size() - pos - 8 < 16)
                return false;
            const char* f = head.constData() + pos + 8;
            const quint16 tag = qFromLittleEndian<quint16>(f);
            const quint16 channels = qFromLittleEndian<quint16>(f + 2);
            const quint32 rate = qFromLittleEndian<quint32>(f + 4);
            const quint32 byteRate = qFromLittleEndian<quint32>(f + 8);
            const quint16 blockAlign = qFromLittleEndian<quint16>(f + 12);
            const quint16 bits = qFromLittleEndian<quint16>(f + 14);
            constexpr quint32 kMaxRate = 1536000;
            if (channels == 0 || rate == 0 || rate > kMaxRate || blockAlign == 0)
                return false;
            // PCM, float and the extensible form state whole samples: the fields must agree.
            if (tag == 1 || tag == 3 || tag == 0xFFFE) {
                const quint32 expectedAlign = quint32(channels) * ((quint32(bits) + 7) / 8);
                return bits != 0 && blockAlign == expectedAlign && quint64(byteRate) == quint64(rate) * blockAlign;
            }
            return true;
        }
        // Chunks are padded to an even length.
        const qint64 next = qint64(pos) + 8 + qint64(length) + (length & 1);
        if (next > head.size())
            return false;
        pos = static_cast<qsizetype>(next);
    }
    return false;
}

// --- Reading the file through Qt, so FFmpeg opens nothing by name ---

struct FileSource {
    QFile file;
    qint64 size = 0;
    const ValidationControl* control = nullptr;
};

int readSource(void* opaque, uint8_t* buffer, int size)
{
    auto* source = static_cast<FileSource*>(opaque);
    const qint64 read = source->file.read(reinterpret_cast<char*>(buffer), size);
    if (read < 0)
        return AVERROR(EIO);
    return read == 0 ? AVERROR_EOF : static_cast<int>(read);
}

int64_t seekSource(void* opaque, int64_t offset, int whence)
{
    auto* source = static_cast<FileSource*>(opaque);
    whence &= ~AVSEEK_FORCE;
    if (whence == AVSEEK_SIZE)
        return source->size;
    int64_t target = -1;
    if (whence == SEEK_SET)
        target = offset;
    else if (whence == SEEK_CUR)
        target = source->file.pos() + offset;
    else if (whence == SEEK_END)
        target = source->size + offset;
    if (target < 0 || !source->file.seek(target))
        return AVERROR(EINVAL);
    return target;
}

// A stop, or the end of the check's time, ends any FFmpeg call that reads.
struct CheckLimits {
    const OutputFile* file = nullptr;
    const ValidationControl* control = nullptr;
    bool overTime = false;

    bool mustStop()
    {
        overTime = overTime || file->overTime();
        return overTime || control->isCancelled();
    }
};

int interruptCheck(void* opaque) { return static_cast<CheckLimits*>(opaque)->mustStop() ? 1 : 0; }

bool isIsoStart(const QByteArray& head)
{
    if (data_repair::isFtypStart(data_repair::ByteBuffer(head.begin(), head.end())))
        return true;
    const QByteArray type = head.mid(4, 4);
    return type == "moov" || type == "mdat" || type == "free" || type == "skip" || type == "wide" || type == "pnot";
}

// Nested files (references, playlists) are never opened.
int refuseNestedOpen(AVFormatContext*, AVIOContext**, const char*, int, AVDictionary**) { return AVERROR(EPERM); }

// --- Decoder errors come as log lines too (concealed damage is only logged): they are counted
// for the validation running on this thread ---

thread_local long long* decoderErrorCount = nullptr;

void logCallback(void* object, int level, const char*, va_list)
{
    if (decoderErrorCount == nullptr || level > AV_LOG_ERROR || object == nullptr)
        return;
    const AVClass* avClass = *static_cast<AVClass**>(object);
    if (avClass == nullptr)
        return;
    const AVClassCategory category = avClass->get_category ? avClass->get_category(object) : avClass->category;
    if (category == AV_CLASS_CATEGORY_DECODER)
        ++*decoderErrorCount;
}

// --- One stream's decoder and what was seen of it ---

struct StreamCheck {
    AVStream* stream = nullptr;
    AVCodecContext* decoder = nullptr;
    bool video = false;
    long long packets = 0;
    long long frames = 0;
    long long errors = 0;
    int64_t firstTime = AV_NOPTS_VALUE;
    bool inHead = true;        // still inside the first seconds
    bool running = false;      // packets were sent since the last flush
    int spreadPending = 0;     // packets still to decode at the current spread point
    int warmUp = 0;            // packets after a jump whose errors are forgiven
    // The last seconds: the run before the current one and the current one, each from a key frame.
    std::deque<AVPacket*> previousRun;
    std::deque<AVPacket*> currentRun;
    qint64 tailBytes = 0;

    ~StreamCheck()
    {
        clearTail();
        avcodec_free_context(&decoder);
    }
    void clearRun(std::deque<AVPacket*>& run)
    {
        for (AVPacket*& packet : run)
            av_packet_free(&packet);
        run.clear();
    }
    void clearTail()
    {
        clearRun(previousRun);
        clearRun(currentRun);
        tailBytes = 0;
    }
};

int64_t packetTime(const AVPacket* packet, const AVStream* stream)
{
    const int64_t ts = packet->pts != AV_NOPTS_VALUE ? packet->pts : packet->dts;
    if (ts == AV_NOPTS_VALUE)
        return AV_NOPTS_VALUE;
    return av_rescale_q(ts, stream->time_base, AV_TIME_BASE_Q);
}

class MediaCheck {
public:
    MediaCheck(const OutputFile& file, const ValidationControl& control)
        : file_(file), control_(control), limits_{&file, &control, false},
          decodeBudget_(kDecodeAllowance + kDecodedPerByte * std::max<int64_t>(file.size, 0))
    {
    }

    ~MediaCheck()
    {
        streams_.clear();
        av_frame_free(&frame_);
        avformat_close_input(&format_);
        if (io_ != nullptr) {
            av_freep(&io_->buffer);
            avio_context_free(&io_);
        }
    }

    OutputValidationResult run()
    {
        // FFmpeg logs through one process-wide callback, which a media framework loaded later may
        // have taken over: ours is put back for every check. It counts the decoder errors of the
        // check running on the calling thread and prints nothing.
        av_log_set_callback(logCallback);
        decoderErrorCount = &logErrors_;
        const bool passed = open() && readAll();
        decoderErrorCount = nullptr;
        if (control_.isCancelled())
            return structureFailed();
        if (overBudget_ || limits_.overTime)
            return beyondLimits();
        return passed ? structurePassed() : structureFailed();
    }

private:
    bool open()
    {
        source_.file.setFileName(file_.path);
        if (!source_.file.open(QIODevice::ReadOnly))
            return false;
        source_.size = source_.file.size();
        source_.control = &control_;
        auto* buffer = static_cast<unsigned char*>(av_malloc(kIoBufferSize));
        if (buffer == nullptr)
            return false;
        io_ = avio_alloc_context(buffer, kIoBufferSize, 0, &source_, readSource, nullptr, seekSource);
        format_ = avformat_alloc_context();
        frame_ = av_frame_alloc();
        if (io_ == nullptr || format_ == nullptr || frame_ == nullptr) {
            if (io_ == nullptr)
                av_free(buffer);
            return false;
        }
        format_->pb = io_;
        format_->flags |= AVFMT_FLAG_CUSTOM_IO;
        format_->interrupt_callback.callback = interruptCheck;
        format_->interrupt_callback.opaque = &limits_;
        format_->io_open = refuseNestedOpen;
        format_->format_whitelist = av_strdup(kDemuxers);
        format_->probesize = kProbeBytes;
        format_->max_analyze_duration = kProbeMicroseconds;
        format_->max_index_size = kMaxIndexBytes;
        // Streams cost little until they are probed: a demuxer may list this many, and more than the
        // check decodes are found not verifiable below, before any is probed.
        format_->max_streams = kMaxListedStreams;
        if (avformat_open_input(&format_, "", nullptr, nullptr) < 0)
            return false; // format_ is freed and set to null on failure
        if (format_->nb_streams > unsigned(kMaxCheckedTracks)) {
            overBudget_ = true;
            return false;
        }
        // Probing decodes a few frames per stream, with no stop between them: on one thread and
        // only of a modest size (the stream's own size is known from its headers; larger frames
        // are decoded below, one at a time).
        std::vector<AVDictionary*> probeOptions(format_->nb_streams, nullptr);
        for (AVDictionary*& options : probeOptions) {
            av_dict_set(&options, "threads", "1", 0);
            av_dict_set_int(&options, "max_pixels", kMaxProbePixels, 0);
        }
        const int probed = avformat_find_stream_info(format_, probeOptions.empty() ? nullptr : probeOptions.data());
        for (AVDictionary*& options : probeOptions)
            av_dict_free(&options);
        if (probed < 0)
            return false;
        if (format_->nb_streams > unsigned(kMaxCheckedTracks)) {
            overBudget_ = true;
            return false;
        }
        for (unsigned i = 0; i < format_->nb_streams; ++i) {
            AVStream* stream = format_->streams[i];
            const AVMediaType type = stream->codecpar->codec_type;
            if ((type != AVMEDIA_TYPE_AUDIO && type != AVMEDIA_TYPE_VIDEO)
                || (stream->disposition & AV_DISPOSITION_ATTACHED_PIC) != 0)
                continue;
            auto check = std::make_unique<StreamCheck>();
            check->stream = stream;
            check->video = type == AVMEDIA_TYPE_VIDEO;
            // A stream without a decoder in this build is demuxed (its timing counts) but not decoded.
            if (const AVCodec* codec = avcodec_find_decoder(stream->codecpar->codec_id)) {
                check->decoder = avcodec_alloc_context3(codec);
                if (check->decoder == nullptr || avcodec_parameters_to_context(check->decoder, stream->codecpar) < 0)
                    return false;
                check->decoder->pkt_timebase = stream->time_base;
                check->decoder->thread_count = 1; // decoder errors are counted on this thread
                check->decoder->max_pixels = kMaxFramePixels;
                if (avcodec_open2(check->decoder, codec, nullptr) < 0)
                    return false;
            }
            byIndex_.resize(format_->nb_streams, nullptr);
            byIndex_[i] = check.get();
            streams_.push_back(std::move(check));
        }
        return !streams_.empty();
    }

    // Sends one packet (null: drains) and takes every frame it gives. Errors on a warm-up packet,
    // and its frames, are not counted.
    void decode(StreamCheck& s, const AVPacket* packet)
    {
        if (s.decoder == nullptr)
            return;
        const bool counted = s.warmUp == 0;
        if (packet != nullptr && s.warmUp > 0)
            --s.warmUp;
        const long long logBefore = logErrors_;
        s.running = packet != nullptr;
        for (int attempt = 0; attempt < 2; ++attempt) {
            const int sent = avcodec_send_packet(s.decoder, packet);
            if (sent < 0 && sent != AVERROR(EAGAIN) && sent != AVERROR_EOF && counted)
                ++s.errors;
            while (true) {
                const int received = avcodec_receive_frame(s.decoder, frame_);
                if (received == AVERROR(EAGAIN) || received == AVERROR_EOF)
                    break;
                if (received < 0) {
                    if (counted)
                        ++s.errors;
                    break;
                }
                const bool corrupt = frame_->decode_error_flags != 0 || (frame_->flags & AV_FRAME_FLAG_CORRUPT) != 0;
                if (counted)
                    corrupt ? ++s.errors : ++s.frames;
                decoded_ += s.video ? int64_t(frame_->width) * frame_->height
                                    : int64_t(frame_->nb_samples) * std::max(frame_->ch_layout.nb_channels, 1);
                av_frame_unref(frame_);
            }
            if (sent != AVERROR(EAGAIN))
                break;
        }
        if (counted)
            s.errors += logErrors_ - logBefore;
        logErrors_ = logBefore;
    }

    // Ends a run of decoding: the frames the decoder still holds are taken, then it starts afresh.
    void finishRun(StreamCheck& s)
    {
        if (s.decoder == nullptr || !s.running)
            return;
        decode(s, nullptr);
        avcodec_flush_buffers(s.decoder);
        s.running = false;
    }

    void startJump(StreamCheck& s)
    {
        finishRun(s);
        s.warmUp = s.video ? 0 : kWarmUpPackets;
    }

    void keepForTail(StreamCheck& s, const AVPacket* packet, int64_t time)
    {
        const bool key = (packet->flags & AV_PKT_FLAG_KEY) != 0;
        if (key && !s.currentRun.empty()) {
            const int64_t runStart = packetTime(s.currentRun.front(), s.stream);
            if (runStart == AV_NOPTS_VALUE || time == AV_NOPTS_VALUE || time - runStart >= kEdgeWindow) {
                s.clearRun(s.previousRun);
                s.previousRun.swap(s.currentRun);
                s.tailBytes = 0;
                for (const AVPacket* kept : s.previousRun)
                    s.tailBytes += kept->size;
            }
        }
        if (s.currentRun.empty() && !key)
            return; // a run starts at a key frame
        if (s.tailBytes + packet->size > kTailBytes) {
            s.clearTail(); // a run too long to keep: the last seconds start at the next key frame
            return;
        }
        if (AVPacket* copy = av_packet_clone(packet)) {
            s.currentRun.push_back(copy);
            s.tailBytes += packet->size;
        }
    }

    void handlePacket(StreamCheck& s, const AVPacket* packet, bool decodeAll)
    {
        ++s.packets;
        const int64_t time = packetTime(packet, s.stream);
        if ((packet->flags & AV_PKT_FLAG_CORRUPT) == 0 && time != AV_NOPTS_VALUE) {
            const int64_t duration = packet->duration > 0
                ? av_rescale_q(packet->duration, s.stream->time_base, AV_TIME_BASE_Q) : 0;
            if (s.firstTime == AV_NOPTS_VALUE || time < s.firstTime)
                s.firstTime = time;
            lastEnd_ = lastEnd_ == AV_NOPTS_VALUE ? time + duration : std::max(lastEnd_, time + duration);
        }
        if (s.decoder == nullptr)
            return;
        if (decodeAll) {
            decode(s, packet);
            return;
        }
        if (s.inHead) {
            if (time == AV_NOPTS_VALUE || s.firstTime == AV_NOPTS_VALUE || time - s.firstTime < kEdgeWindow) {
                decode(s, packet);
                return;
            }
            s.inHead = false;
            finishRun(s);
        }
        keepForTail(s, packet, time);
        if (s.spreadPending > 0) {
            const bool key = (packet->flags & AV_PKT_FLAG_KEY) != 0;
            if (!s.running && !key)
                return; // a spread point starts at a key frame
            decode(s, packet);
            if (--s.spreadPending == 0)
                finishRun(s);
        }
    }

    bool readAll()
    {
        AVPacket* packet = av_packet_alloc();
        if (packet == nullptr)
            return false;
        const bool decodeAll = file_.size <= kDecodeAllLimit;
        const auto withinBudget = [this] {
            if (decoded_ > decodeBudget_)
                overBudget_ = true;
            return !overBudget_ && !limits_.mustStop();
        };
        // A hostile index can announce far more packets than bytes; real files never come near this.
        const long long maxPackets = file_.size / 4 + 100000;
        long long packets = 0;
        int nextSpread = 1;
        while (withinBudget() && packets < maxPackets) {
            const int read = av_read_frame(format_, packet);
            if (read < 0)
                break; // the end, or data that no longer reads: the duration test judges what is left
            ++packets;
            const qint64 position = source_.file.pos();
            if (!decodeAll && nextSpread <= kSpreadPoints && position >= file_.size * nextSpread / (kSpreadPoints + 1)) {
                ++nextSpread;
                for (auto& s : streams_) {
                    if (!s->inHead && s->decoder != nullptr) {
                        startJump(*s);
                        s->spreadPending = s->video ? 1 : kAudioRunPackets;
                    }
                }
            }
            if (packet->stream_index >= 0 && static_cast<size_t>(packet->stream_index) < byIndex_.size())
                if (StreamCheck* s = byIndex_[static_cast<size_t>(packet->stream_index)])
                    handlePacket(*s, packet, decodeAll);
            av_packet_unref(packet);
            if ((packets & 63) == 0)
                control_.report(position, file_.size);
        }
        av_packet_free(&packet);
        if (!withinBudget())
            return false;

        for (auto& s : streams_) {
            finishRun(*s);
            if (!decodeAll && !s->inHead && s->decoder != nullptr) {
                startJump(*s);
                for (std::deque<AVPacket*>* run : {&s->previousRun, &s->currentRun})
                    for (const AVPacket* kept : *run)
                        if (withinBudget())
                            decode(*s, kept);
                finishRun(*s);
            }
        }
        if (!withinBudget())
            return false;
        control_.report(file_.size, file_.size);
        return verdict();
    }

    bool verdict() const
    {
        bool decodedAny = false;
        for (const auto& s : streams_) {
            if (s->decoder == nullptr || s->packets == 0)
                continue;
            if (s->errors > 0 || s->frames == 0)
                return false;
            decodedAny = true;
        }
        if (!decodedAny)
            return false;
        // The length the container claims must be there: an index that runs past the data is a
        // recording that stops early in every player.
        if (format_->duration != AV_NOPTS_VALUE && format_->duration > 0
            && format_->duration_estimation_method != AVFMT_DURATION_FROM_BITRATE && lastEnd_ != AV_NOPTS_VALUE) {
            int64_t start = format_->start_time;
            if (start == AV_NOPTS_VALUE) {
                start = INT64_MAX;
                for (const auto& s : streams_)
                    if (s->firstTime != AV_NOPTS_VALUE)
                        start = std::min(start, s->firstTime);
            }
            if (start != INT64_MAX) {
                const int64_t covered = lastEnd_ - start;
                const int64_t slack = std::max(kDurationSlack, format_->duration / 100 * kDurationSlackPercent);
                if (format_->duration - covered > slack)
                    return false;
            }
        }
        return true;
    }

    const OutputFile& file_;
    const ValidationControl& control_;
    CheckLimits limits_;
    const int64_t decodeBudget_;
    int64_t decoded_ = 0;
    bool overBudget_ = false;
    FileSource source_;
    AVIOContext* io_ = nullptr;
    AVFormatContext* format_ = nullptr;
    AVFrame* frame_ = nullptr;
    std::vector<std::unique_ptr<StreamCheck>> streams_;
    std::vector<StreamCheck*> byIndex_;
    int64_t lastEnd_ = AV_NOPTS_VALUE;
    long long logErrors_ = 0;
};

class MediaOutputChecker final : public OutputChecker {
public:
    bool claimsSuffix(const QString& suffix) const override { return isMediaSuffix(suffix); }

    bool claimsContent(const QByteArray& head) const override
    {
        const data_repair::ByteBuffer bytes(head.begin(), head.end());
        const bool transportStream = head.size() > 188 && head.at(0) == 0x47 && head.at(188) == 0x47;
        return data_repair::isFtypStart(bytes) || data_repair::isWaveStart(bytes) || data_repair::isFlacStart(bytes)
            || data_repair::isOggStart(bytes) || data_repair::hasAviSignature(bytes)
            || data_repair::hasEbmlSignature(bytes) || data_repair::hasFlvSignature(bytes)
            || data_repair::hasAsfSignature(bytes) || data_repair::hasMpegPackSignature(bytes)
            || data_repair::hasKlvSignature(bytes) || transportStream;
    }

    OutputValidationResult check(const OutputFile& file, const ValidationControl& control) const override
    {
        if ((file.suffix == u"wav" || file.head.startsWith("RIFF")) && file.head.mid(8, 4) == "WAVE"
            && !waveFormatIsSane(file.head))
            return structureFailed();
        if (isIsoStart(file.head)) {
            switch (readIsoIndexClaims(file.path, file.size, control)) {
            case IndexClaims::Broken:
                return structureFailed();
            case IndexClaims::TooMany:
                return beyondLimits();
            case IndexClaims::Fit:
                break;
            }
        }
        MediaCheck media(file, control);
        return media.run();
    }
};

} // namespace

std::unique_ptr<OutputChecker> makeMediaOutputChecker() { return std::make_unique<MediaOutputChecker>(); }

} // namespace olm::repair
