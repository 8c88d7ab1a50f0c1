// Video engine costs per byte on MP4 input: the analysis, the ordinary rewrite (moov moved to
// the front, offsets rebased), the corrupt-prefix truncation of a cut fast-start file and the
// sample tables rebuilt for a camera recording (video and sound) that lost its moov.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <utility>

#include "bench_support.h"
#include "data_repair/byte_buffer.h"
#include "data_repair/file_access.h"
#include "media/mp4_video.h"
#include "media/video_repairer.h"

using namespace data_repair;

namespace {

constexpr uint32_t kSampleSize = 4096;
constexpr uint32_t kSamplesPerChunk = 16;

ByteBuffer atom(std::string_view type, const ByteBuffer& payload) {
    ByteBuffer out;
    appendBe32(out, static_cast<uint32_t>(payload.size() + 8));
    appendString(out, type);
    appendBytes(out, payload);
    return out;
}

ByteBuffer joined(std::initializer_list<ByteBuffer> parts) {
    ByteBuffer out;
    for (const auto& p : parts) appendBytes(out, p);
    return out;
}

ByteBuffer words(std::initializer_list<uint32_t> values) {
    ByteBuffer out;
    for (uint32_t v : values) appendBe32(out, v);
    return out;
}

// One AVC video track of fixed-size samples, one NAL unit each, 25 per second.
ByteBuffer videoMoov(uint32_t samples, uint64_t payloadStart) {
    const uint32_t chunks = (samples + kSamplesPerChunk - 1) / kSamplesPerChunk;
    ByteBuffer stco = words({0, chunks});
    for (uint32_t c = 0; c < chunks; ++c)
        appendBe32(stco, static_cast<uint32_t>(payloadStart + uint64_t(c) * kSamplesPerChunk * kSampleSize));
    ByteBuffer avc1 = joined({ByteBuffer(6, 0), {0, 1}, ByteBuffer(16, 0), {0, 160, 0, 120},
                              words({0x480000, 0x480000, 0}), {0, 1}, ByteBuffer(32, 0), {0, 0x18, 0xFF, 0xFF},
                              atom("avcC", {1, 0x42, 0xC0, 0x1E, 0xFF, 0xE0, 0})});
    ByteBuffer stbl = joined({atom("stsd", joined({words({0, 1}), atom("avc1", avc1)})),
                              atom("stts", words({0, 1, samples, 40})),
                              atom("stsc", words({0, 1, 1, kSamplesPerChunk, 1})),
                              atom("stsz", words({0, kSampleSize, samples})), atom("stco", stco)});
    ByteBuffer mdia = joined({atom("mdhd", words({0, 0, 0, 1000, samples * 40, 0x55C40000})),
                              atom("hdlr", joined({words({0, 0}), bytesOf("vide"), ByteBuffer(13, 0)})),
                              atom("minf", atom("stbl", stbl))});
    ByteBuffer trak = joined({atom("tkhd", joined({words({3, 0, 0, 1, 0, samples * 40}), ByteBuffer(60, 0)})),
                              atom("mdia", mdia)});
    return atom("moov", joined({atom("mvhd", joined({words({0, 0, 0, 1000, samples * 40, 0x10000}), ByteBuffer(80, 0)})),
                                atom("trak", trak)}));
}

ByteBuffer movie(int64_t size, bool moovFirst) {
    const uint32_t samples = static_cast<uint32_t>(size / kSampleSize);
    const ByteBuffer ftyp = atom("ftyp", joined({bytesOf("isom"), words({512}), bytesOf("isomavc1")}));
    const uint64_t moovSize = videoMoov(samples, 0).size();
    const uint64_t payloadStart = ftyp.size() + (moovFirst ? moovSize : 0) + 8;
    ByteBuffer out = ftyp;
    const ByteBuffer moov = videoMoov(samples, payloadStart);
    if (moovFirst) appendBytes(out, moov);
    appendBe32(out, static_cast<uint32_t>(uint64_t(samples) * kSampleSize + 8));
    appendString(out, "mdat");
    const ByteBuffer noise = bench_support::randomBytes(kSampleSize, 3);
    for (uint32_t i = 0; i < samples; ++i) {
        const size_t at = out.size();
        appendBytes(out, noise);
        putBe32(out, at, kSampleSize - 4);
    }
    if (!moovFirst) appendBytes(out, moov);
    return out;
}

RepairRequest requestFor(const std::filesystem::path& input, int32_t mode) {
    RepairRequest request;
    request.input = makeSourceInfo(input.string());
    request.mode = mode;
    request.outputDirectory = bench_support::outputDir().string();
    request.overwrite = true;
    return request;
}

} // namespace

static void BM_Mp4Analyze(benchmark::State& state) {
    const auto path = bench_support::cachedInput("moov-last.mp4", state.range(0), [](int64_t n) { return movie(n, false); });
    VideoRepairer engine;
    for (auto _ : state) benchmark::DoNotOptimize(engine.analyze(requestFor(path, Analyze), nullptr));
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_Mp4Analyze) KORVEX_BENCH_SIZES;

static void BM_Mp4RepairFastStart(benchmark::State& state) {
    const auto path = bench_support::cachedInput("moov-last.mp4", state.range(0), [](int64_t n) { return movie(n, false); });
    VideoRepairer engine;
    for (auto _ : state) {
        const RepairResult r = engine.repair(requestFor(path, Repair), nullptr);
        if (!r.outputWritten) state.SkipWithError(r.status.message.c_str());
        bench_support::clearOutputs();
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_Mp4RepairFastStart) KORVEX_BENCH_SIZES;

static void BM_Mp4RepairCutRecording(benchmark::State& state) {
    // A moov-first recording cut at 90%: every sample is walked up to the first missing one.
    const auto path = bench_support::cachedInput("cut.mp4", state.range(0), [](int64_t n) {
        ByteBuffer b = movie(n, true);
        b.resize(b.size() / 10 * 9);
        return b;
    });
    VideoRepairer engine;
    for (auto _ : state) {
        const RepairResult r = engine.repair(requestFor(path, Repair), nullptr);
        if (r.actions.empty() || r.actions[0].id != "truncate-corrupt-video-prefix")
            state.SkipWithError(("truncation not taken: " + (r.actions.empty() ? r.status.message : r.actions[0].id)).c_str());
        bench_support::clearOutputs();
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_Mp4RepairCutRecording) KORVEX_BENCH_SIZES;

// A camera recording of `mib` MiB whose moov was never written (H.264 720p at 12 Mbit/s with
// AAC sound, made by ffmpeg from a 10 s clip repeated by stream copy) and a 3 s healthy sample
// recorded with the same settings. Empty paths when ffmpeg is not there.
static std::pair<std::filesystem::path, std::filesystem::path> lostIndexRecording(int64_t mib)
{
    namespace fs = std::filesystem;
    const fs::path dir = bench_support::scratchDir();
    const fs::path input = dir / ("recording-" + std::to_string(mib) + ".mp4");
    const fs::path sample = dir / "recording-sample.mp4";
    if (fs::exists(input))
        return {input, sample};
    const std::string q = "ffmpeg -nostdin -v error -y ";
    const std::string settings = " -c:v libx264 -preset ultrafast -b:v 12M -maxrate 12M -bufsize 24M -g 30 "
                                 "-pix_fmt yuv420p -c:a aac -b:a 128k ";
    const auto source = [](const char* video, const char* tone, int seconds) {
        const std::string d = std::to_string(seconds);
        return std::string("-f lavfi -i ") + video + "=d=" + d + ":s=1280x720:r=30 -f lavfi -i anoisesrc=d=" + d +
               ":r=48000:a=0.2" + (tone[0] ? std::string(",volume=") + tone : std::string()) + " ";
    };
    const fs::path clip = dir / "recording-clip.mp4";
    if (std::system((q + source("testsrc2", "", 10) + settings + clip.string()).c_str()) != 0 ||
        std::system((q + source("testsrc", "0.5", 3) + settings + sample.string()).c_str()) != 0 ||
        std::system((q + "-stream_loop -1 -i " + clip.string() + " -c copy -fs " + std::to_string(mib << 20) + " " +
                     input.string()).c_str()) != 0)
        return {};
    // ffmpeg writes the moov last: cutting it off leaves ftyp and mdat, as a dead battery does.
    ByteBuffer head(16);
    std::FILE* f = std::fopen(input.string().c_str(), "rb");
    uint64_t at = 0;
    const uint64_t size = fs::file_size(input);
    while (f != nullptr && at + 16 <= size && std::fseek(f, static_cast<long>(at), SEEK_SET) == 0 &&
           std::fread(head.data(), 1, 16, f) == 16 && bytesToString(head, 4, 4) != "moov") {
        const uint64_t length = readBe32(head, 0) == 1 ? readBe64(head, 8) : readBe32(head, 0);
        if (length < 8)
            break;
        at += length;
    }
    if (f != nullptr)
        std::fclose(f);
    fs::resize_file(input, at);
    return {input, sample};
}

static void BM_Mp4RebuildLostIndex(benchmark::State& state) {
    // Both tracks of the recording are found by one walk over its interleaved media data; the
    // figure that matters is the time next to reading the file once (`cat`, from the page cache
    // like the repair).
    const auto [path, sample] = lostIndexRecording(state.range(0) / bench_support::kMiB);
    if (path.empty()) {
        state.SkipWithError("ffmpeg could not make the recording");
        return;
    }
    const std::string cat = "cat " + path.string() + " > /dev/null";
    std::system(cat.c_str()); // warm the page cache
    const auto catStart = std::chrono::steady_clock::now();
    std::system(cat.c_str());
    const double catSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - catStart).count();
    VideoRepairer engine;
    double repairSeconds = 0;
    for (auto _ : state) {
        RepairRequest request = requestFor(path, Advanced);
        request.sample = makeSourceInfo(sample.string());
        const auto start = std::chrono::steady_clock::now();
        const RepairResult r = engine.repair(request, nullptr);
        repairSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        bool rebuilt = false;
        for (const auto& a : r.actions) rebuilt = rebuilt || a.id == "rebuild-sample-tables";
        if (!rebuilt || !r.notes.empty())
            state.SkipWithError(("tables not rebuilt for both tracks: " + r.status.message).c_str());
        bench_support::clearOutputs();
    }
    state.counters["cat_s"] = catSeconds;
    state.counters["ratio_to_cat"] = repairSeconds / static_cast<double>(state.iterations()) / catSeconds;
    std::printf("rebuild of a %lld MiB recording: %.2f x the time of cat (%.3f s)\n",
                static_cast<long long>(state.range(0) / bench_support::kMiB),
                repairSeconds / static_cast<double>(state.iterations()) / catSeconds, catSeconds);
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_Mp4RebuildLostIndex)->Arg(64 * bench_support::kMiB)->Arg(1024 * bench_support::kMiB)
    ->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

static void BM_Mp4RebuildLostIndexTablesOnly(benchmark::State& state) {
    // The walk and the tables alone, on the recording held in memory: the repair above adds
    // writing a file as large as the input.
    const auto [path, sample] = lostIndexRecording(state.range(0) / bench_support::kMiB);
    if (path.empty()) {
        state.SkipWithError("ffmpeg could not make the recording");
        return;
    }
    const std::string cat = "cat " + path.string() + " > /dev/null";
    std::system(cat.c_str());
    const auto catStart = std::chrono::steady_clock::now();
    std::system(cat.c_str());
    const double catSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - catStart).count();
    std::string error;
    const ByteBuffer bytes = readFile(path, &error);
    const Mp4Layout layout = scanMp4Layout(bytes, 0);
    const IsoSampleParts parts = readIsoSampleParts(sample.string());
    double seconds = 0;
    for (auto _ : state) {
        SampleTableRebuild rebuilt;
        const auto start = std::chrono::steady_clock::now();
        const bool ok = rebuildSampleTables(parts.moov, bytes, layout.mdat, rebuilt) &&
                        rebuiltTablesHold(rebuilt, bytes, layout.mdat) && rebuilt.leftOut.empty();
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (!ok) state.SkipWithError("tables not rebuilt for both tracks");
    }
    state.counters["ratio_to_cat"] = seconds / static_cast<double>(state.iterations()) / catSeconds;
    std::printf("tables of a %lld MiB recording rebuilt in %.2f x the time of cat (%.3f s)\n",
                static_cast<long long>(state.range(0) / bench_support::kMiB),
                seconds / static_cast<double>(state.iterations()) / catSeconds, catSeconds);
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_Mp4RebuildLostIndexTablesOnly)->Arg(64 * bench_support::kMiB)->Arg(1024 * bench_support::kMiB)
    ->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
