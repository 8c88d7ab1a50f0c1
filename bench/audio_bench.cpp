// Audio engine costs per byte: analyze and repair of MP3, FLAC and WAV files (whole-file entry
// including the read and, for repairs, the write), and mp3val fixing the same MP3 for scale.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <random>

#include "bench_support.h"
#include "media/audio_formats.h"
#include "media/audio_repairer.h"

using namespace data_repair;

namespace {

// MPEG-1 Layer III frames of 417 bytes with random payload, and every MiB a stretch of 1000
// noise bytes the scanner must resynchronise over.
ByteBuffer makeMp3(int64_t size)
{
    const ByteBuffer noise = bench_support::randomBytes(1000, 7);
    ByteBuffer payload = bench_support::randomBytes(413 * 64, 3);
    ByteBuffer out;
    out.reserve(static_cast<size_t>(size));
    uint64_t frame = 0;
    uint64_t nextNoise = 1 << 20;
    while (out.size() + 417 <= static_cast<uint64_t>(size)) {
        if (out.size() >= nextNoise && out.size() + 1000 + 417 <= static_cast<uint64_t>(size)) {
            appendBytes(out, noise);
            nextNoise += 1 << 20;
        }
        appendBytes(out, ByteBuffer{0xFF, 0xFB, 0x90, 0x64});
        appendRange(out, payload, (frame++ % 64) * 413, 413);
    }
    return out;
}

ByteBuffer makeFlac(int64_t size)
{
    ByteBuffer out = bytesOf("fLaC");
    out.push_back(0x00); // STREAMINFO, more blocks follow
    appendBe24(out, 34);
    // 4096-sample blocks of 44.1 kHz stereo 16-bit audio: values a decoder accepts.
    appendBe16(out, 4096);
    appendBe16(out, 4096);
    out.resize(out.size() + 6, 0);
    appendBe64(out, (uint64_t{44100} << 44) | (uint64_t{1} << 41) | (uint64_t{15} << 36));
    out.resize(out.size() + 16, 0x10);
    out.push_back(0x81); // PADDING, last block
    appendBe24(out, 1024);
    out.resize(out.size() + 1024, 0);
    const ByteBuffer frames = bench_support::randomBytes(size - static_cast<int64_t>(out.size()), 5);
    appendBytes(out, frames);
    return out;
}

// The same frames without noise: a healthy stream, and a copy of it cut inside its last frame.
ByteBuffer makeCleanMp3(int64_t size)
{
    ByteBuffer payload = bench_support::randomBytes(413 * 64, 3);
    ByteBuffer out;
    out.reserve(static_cast<size_t>(size));
    for (uint64_t frame = 0; out.size() + 417 <= static_cast<uint64_t>(size); ++frame) {
        appendBytes(out, ByteBuffer{0xFF, 0xFB, 0x90, 0x64});
        appendRange(out, payload, (frame % 64) * 413, 413);
    }
    return out;
}

ByteBuffer makeCutMp3(int64_t size)
{
    ByteBuffer out = makeCleanMp3(size);
    out.resize(out.size() - 200);
    return out;
}

// MSB-first CRCs from 0 as FLAC frames carry them: CRC-8 (0x07) of the header, CRC-16 (0x8005)
// of the frame.
uint32_t flacCrc(const ByteBuffer& bytes, uint64_t from, unsigned width, uint32_t polynomial)
{
    const uint32_t top = 1u << (width - 1);
    const uint32_t mask = width == 32 ? ~0u : (1u << width) - 1;
    uint32_t crc = 0;
    for (uint64_t i = from; i < bytes.size(); ++i) {
        crc ^= static_cast<uint32_t>(bytes[i]) << (width - 8);
        for (int bit = 0; bit < 8; ++bit)
            crc = ((crc & top) != 0 ? (crc << 1) ^ polynomial : crc << 1) & mask;
    }
    return crc;
}

// FLAC frames of 4096 stereo 16-bit samples at 44.1 kHz holding about 8 KiB of random payload,
// each closed with correct CRCs, after a STREAMINFO announcing them all.
ByteBuffer makeFlacFrames(int64_t size)
{
    constexpr uint64_t kPayload = 8000;
    const uint64_t frameCount = static_cast<uint64_t>(size) / (kPayload + 12);
    ByteBuffer out = bytesOf("fLaC");
    out.push_back(0x80); // STREAMINFO, last block
    appendBe24(out, 34);
    appendBe16(out, 4096);
    appendBe16(out, 4096);
    out.resize(out.size() + 6, 0);
    appendBe64(out, (uint64_t{44100} << 44) | (uint64_t{1} << 41) | (uint64_t{15} << 36) | frameCount * 4096);
    out.resize(out.size() + 16, 0x5A); // MD5
    const ByteBuffer payload = bench_support::randomBytes(kPayload * 64, 11);
    out.reserve(static_cast<size_t>(size));
    for (uint64_t frame = 0; frame < frameCount; ++frame) {
        const uint64_t start = out.size();
        appendBytes(out, ByteBuffer{0xFF, 0xF8, 0xC9, 0x18});
        // The frame number, coded UTF-8 style.
        if (frame < 0x80) {
            out.push_back(static_cast<uint8_t>(frame));
        } else {
            int extra = frame < 0x800 ? 1 : frame < 0x10000 ? 2 : frame < 0x200000 ? 3 : 4;
            out.push_back(static_cast<uint8_t>((0xFF00 >> (extra + 1)) | (frame >> (6 * extra))));
            for (int k = extra - 1; k >= 0; --k)
                out.push_back(static_cast<uint8_t>(0x80 | ((frame >> (6 * k)) & 0x3F)));
        }
        ByteBuffer header(out.begin() + static_cast<long>(start), out.end());
        out.push_back(static_cast<uint8_t>(flacCrc(header, 0, 8, 0x07)));
        appendRange(out, payload, (frame % 64) * kPayload, kPayload);
        const uint32_t crc = flacCrc(out, start, 16, 0x8005);
        appendBe16(out, static_cast<uint16_t>(crc));
    }
    return out;
}

ByteBuffer makeCutFlac(int64_t size)
{
    ByteBuffer out = makeFlacFrames(size);
    out.resize(out.size() - 4000);
    return out;
}

// The same frames damaged every MiB: 16 bytes flipped inside one frame, and 4 KiB of noise put
// inside the next one (the scan replaces both with silence).
ByteBuffer makeDamagedFlac(int64_t size)
{
    const ByteBuffer noise = bench_support::randomBytes(4096, 13);
    ByteBuffer clean = makeFlacFrames(size - size / bench_support::kMiB * 4096);
    ByteBuffer out;
    out.reserve(static_cast<size_t>(size));
    uint64_t from = 0;
    for (uint64_t at = bench_support::kMiB; at + 20000 < clean.size(); at += bench_support::kMiB) {
        for (uint64_t i = 0; i < 16; ++i)
            clean[at + i] ^= 0xA5;
        appendRange(out, clean, from, at + 10000 - from);
        appendBytes(out, noise);
        from = at + 10000;
    }
    appendRange(out, clean, from, clean.size() - from);
    return out;
}

// A WAV whose recorder died: data size 0, the audio runs to the end of the file.
ByteBuffer makeWav(int64_t size)
{
    ByteBuffer out = bytesOf("RIFF");
    appendLe32(out, 0);
    appendString(out, "WAVEfmt ");
    appendLe32(out, 16);
    appendLe16(out, 1);
    appendLe16(out, 2);
    appendLe32(out, 44100);
    appendLe32(out, 44100 * 4);
    appendLe16(out, 4);
    appendLe16(out, 16);
    appendString(out, "data");
    appendLe32(out, 0);
    const ByteBuffer audio = bench_support::randomBytes(size - static_cast<int64_t>(out.size()), 9);
    appendBytes(out, audio);
    return out;
}

RepairRequest requestFor(const std::filesystem::path& input, int32_t mode)
{
    RepairRequest request;
    request.input = makeSourceInfo(input.string());
    request.mode = mode;
    request.outputDirectory = bench_support::outputDir().string();
    request.overwrite = true;
    return request;
}

void runEngine(benchmark::State& state, const char* name, ByteBuffer (*make)(int64_t), int32_t mode)
{
    const auto path = bench_support::cachedInput(name, state.range(0), make);
    const RepairRequest request = requestFor(path, mode);
    const AudioRepairer engine;
    for (auto _ : state) {
        RepairResult result = mode == Analyze ? engine.analyze(request, nullptr) : engine.repair(request, nullptr);
        if (!result.status.ok)
            state.SkipWithError(result.status.message.c_str());
        benchmark::DoNotOptimize(result.findings.data());
    }
    bench_support::clearOutputs();
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

} // namespace

static void BM_AnalyzeMp3(benchmark::State& state) { runEngine(state, "noisy.mp3", makeMp3, Analyze); }
BENCHMARK(BM_AnalyzeMp3) KORVEX_BENCH_SIZES;
static void BM_RepairMp3(benchmark::State& state) { runEngine(state, "noisy.mp3", makeMp3, Repair); }
BENCHMARK(BM_RepairMp3) KORVEX_BENCH_SIZES;
static void BM_AnalyzeFlac(benchmark::State& state) { runEngine(state, "stream.flac", makeFlac, Analyze); }
BENCHMARK(BM_AnalyzeFlac) KORVEX_BENCH_SIZES;
static void BM_RepairFlac(benchmark::State& state) { runEngine(state, "stream.flac", makeFlac, Repair); }
BENCHMARK(BM_RepairFlac) KORVEX_BENCH_SIZES;
// A cut copy costs what the healthy file costs: the kept audio is written from the input.
static void BM_RepairMp3Healthy(benchmark::State& state) { runEngine(state, "clean.mp3", makeCleanMp3, Repair); }
BENCHMARK(BM_RepairMp3Healthy) KORVEX_BENCH_SIZES;
static void BM_RepairMp3Cut(benchmark::State& state) { runEngine(state, "cut.mp3", makeCutMp3, Repair); }
BENCHMARK(BM_RepairMp3Cut) KORVEX_BENCH_SIZES;
static void BM_RepairFlacHealthy(benchmark::State& state) { runEngine(state, "frames.flac", makeFlacFrames, Repair); }
BENCHMARK(BM_RepairFlacHealthy) KORVEX_BENCH_SIZES;
static void BM_RepairFlacCut(benchmark::State& state) { runEngine(state, "cut.flac", makeCutFlac, Repair); }
BENCHMARK(BM_RepairFlacCut) KORVEX_BENCH_SIZES;
static void BM_AnalyzeWav(benchmark::State& state) { runEngine(state, "unfinished.wav", makeWav, Analyze); }
BENCHMARK(BM_AnalyzeWav) KORVEX_BENCH_SIZES;
static void BM_RepairWav(benchmark::State& state) { runEngine(state, "unfinished.wav", makeWav, Repair); }
BENCHMARK(BM_RepairWav) KORVEX_BENCH_SIZES;

// The format work alone on a buffer already in memory: no read, no write, so the scan's own
// cost per byte shows (fresh memory for a whole file is slow to fault in on some machines).
static void runInMemory(benchmark::State& state, ByteBuffer (*make)(int64_t),
                        RepairResult (*analyze)(const RepairRequest&, ByteView))
{
    const ByteBuffer bytes = make(state.range(0));
    RepairRequest request;
    request.input = makeSourceInfo("memory.bin");
    request.mode = Analyze;
    for (auto _ : state) {
        RepairResult result = analyze(request, bytes);
        if (!result.status.ok)
            state.SkipWithError(result.status.message.c_str());
        benchmark::DoNotOptimize(result.findings.data());
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
static void BM_AnalyzeMp3InMemory(benchmark::State& state) { runInMemory(state, makeMp3, analyzeMp3); }
BENCHMARK(BM_AnalyzeMp3InMemory) KORVEX_BENCH_SIZES;
static void BM_AnalyzeFlacInMemory(benchmark::State& state) { runInMemory(state, makeFlac, analyzeFlac); }
BENCHMARK(BM_AnalyzeFlacInMemory) KORVEX_BENCH_SIZES;
static void BM_AnalyzeFlacFramesInMemory(benchmark::State& state) { runInMemory(state, makeFlacFrames, analyzeFlac); }
BENCHMARK(BM_AnalyzeFlacFramesInMemory) KORVEX_BENCH_SIZES;
// The frame walk over damaged frames, up to 1 GiB: the time per byte stays the same.
static void BM_AnalyzeDamagedFlacInMemory(benchmark::State& state)
{
    runInMemory(state, makeDamagedFlac, analyzeFlac);
}
BENCHMARK(BM_AnalyzeDamagedFlacInMemory)
    ->Arg(64 * bench_support::kMiB)
    ->Arg(256 * bench_support::kMiB)
    ->Arg(1024 * bench_support::kMiB)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
static void BM_RepairDamagedFlac(benchmark::State& state) { runEngine(state, "damaged.flac", makeDamagedFlac, Repair); }
BENCHMARK(BM_RepairDamagedFlac)
    ->Arg(64 * bench_support::kMiB)
    ->Arg(1024 * bench_support::kMiB)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
static void BM_AnalyzeWavInMemory(benchmark::State& state) { runInMemory(state, makeWav, analyzeWav); }
BENCHMARK(BM_AnalyzeWavInMemory) KORVEX_BENCH_SIZES;

// Building the repaired MP3 stream (every kept frame copied) in memory.
static void BM_ScanMp3KeepInMemory(benchmark::State& state)
{
    const ByteBuffer bytes = makeMp3(state.range(0));
    for (auto _ : state) {
        FrameScan scan = scanFrameStream(bytes, 0, 0, isMpegAudioHeader);
        benchmark::DoNotOptimize(scan.kept.data());
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ScanMp3KeepInMemory) KORVEX_BENCH_SIZES;

// mp3val rewriting the same MP3 in place (on a fresh copy each time), for comparison.
static void BM_Mp3valFix(benchmark::State& state)
{
    if (std::system("command -v mp3val > /dev/null 2>&1") != 0) {
        state.SkipWithError("mp3val not installed");
        return;
    }
    const auto path = bench_support::cachedInput("noisy.mp3", state.range(0), makeMp3);
    const auto copy = bench_support::outputDir() / "mp3val.mp3";
    const std::string command = "mp3val -f -nb '" + copy.string() + "' > /dev/null 2>&1";
    for (auto _ : state) {
        state.PauseTiming();
        std::string error;
        copyFile(path, copy, true, &error);
        state.ResumeTiming();
        benchmark::DoNotOptimize(std::system(command.c_str()));
    }
    bench_support::clearOutputs();
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_Mp3valFix) KORVEX_BENCH_SIZES;
