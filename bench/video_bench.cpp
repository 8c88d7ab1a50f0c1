// Video engine costs per byte on MP4 input: the analysis, the ordinary rewrite (moov moved to
// the front, offsets rebased), the corrupt-prefix truncation of a cut fast-start file and the
// sample tables rebuilt for a recording that lost its moov.

#include <benchmark/benchmark.h>

#include "bench_support.h"
#include "data_repair/byte_buffer.h"
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

static void BM_Mp4RebuildLostIndex(benchmark::State& state) {
    // A recording whose moov was never written, repaired with a short healthy clip of the same
    // settings: every frame is found by walking the NAL units of the media data.
    const auto sample = bench_support::cachedInput("sample.mp4", bench_support::kMiB / 2, [](int64_t n) { return movie(n, true); });
    const auto path = bench_support::cachedInput("no-moov.mp4", state.range(0), [](int64_t n) {
        ByteBuffer b = movie(n, false);
        b.resize(findBytes(b, "moov") - 4);
        // Frames of slices: an IDR picture each second, the others predicted.
        const uint64_t payload = findBytes(b, "mdat") + 4;
        for (uint64_t at = payload, i = 0; at + kSampleSize <= b.size(); at += kSampleSize, ++i) {
            b[at + 4] = i % 25 == 0 ? 0x65 : 0x41;
            b[at + 5] = 0x88;
        }
        return b;
    });
    VideoRepairer engine;
    for (auto _ : state) {
        RepairRequest request = requestFor(path, Advanced);
        request.sample = makeSourceInfo(sample.string());
        const RepairResult r = engine.repair(request, nullptr);
        bool rebuilt = false;
        for (const auto& a : r.actions) rebuilt = rebuilt || a.id == "rebuild-sample-tables";
        if (!rebuilt) state.SkipWithError(("tables not rebuilt: " + r.status.message).c_str());
        bench_support::clearOutputs();
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_Mp4RebuildLostIndex) KORVEX_BENCH_SIZES->Arg(1024 * bench_support::kMiB);
