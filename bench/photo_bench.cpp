// Photo engine costs per byte: analyze and repair of JPEG, PNG and TIFF inputs, and the hostile
// inputs whose work must stay linear (headerless IFD search, RAW preview search).

#include <benchmark/benchmark.h>

#include <zlib.h>

#include <fstream>
#include <string>

#include "bench_support.h"

using namespace data_repair;

namespace {

// The photo sizes: 1, 64 and 256 MiB.
#define PHOTO_SIZES ->Arg(1 * bench_support::kMiB)->Arg(64 * bench_support::kMiB)->Arg(256 * bench_support::kMiB)->Unit(benchmark::kMillisecond)->UseRealTime()
// The hostile shapes whose cost must follow the data present: 1, 8 and 64 MiB.
#define HOSTILE_SIZES ->Arg(1 * bench_support::kMiB)->Arg(8 * bench_support::kMiB)->Arg(64 * bench_support::kMiB)->Unit(benchmark::kMillisecond)->UseRealTime()

// Peak resident memory of this process in bytes since the last reset (Linux).
uint64_t statusKiB(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field, 0) == 0)
            return std::stoull(line.substr(std::string(field).size()));
    return 0;
}
void resetPeakMemory() { std::ofstream("/proc/self/clear_refs") << "5"; }

ByteBuffer jpegHeader(uint16_t w, uint16_t h)
{
    ByteBuffer b = {0xFF, 0xD8};
    appendBe16(b, 0xFFDB), appendBe16(b, 67), appendU8(b, 0);
    for (int i = 0; i < 64; ++i)
        appendU8(b, 1);
    appendBe16(b, 0xFFC0), appendBe16(b, 11), appendU8(b, 8), appendBe16(b, h), appendBe16(b, w), appendU8(b, 1);
    appendU8(b, 1), appendU8(b, 0x11), appendU8(b, 0);
    for (uint8_t cls : {0x00, 0x10}) {
        appendBe16(b, 0xFFC4), appendBe16(b, 20), appendU8(b, cls), appendU8(b, 1);
        for (int i = 0; i < 15; ++i)
            appendU8(b, 0);
        appendU8(b, 0);
    }
    appendBe16(b, 0xFFDD), appendBe16(b, 4), appendBe16(b, 64);
    appendBe16(b, 0xFFDA), appendBe16(b, 8), appendU8(b, 1), appendU8(b, 1), appendU8(b, 0), appendU8(b, 0);
    appendU8(b, 63), appendU8(b, 0);
    return b;
}

// A JPEG cut short: header, entropy data with restart markers every 4 KiB, no EOI.
ByteBuffer truncatedJpeg(int64_t size)
{
    ByteBuffer b = jpegHeader(4096, 4096);
    ByteBuffer noise = bench_support::randomBytes(size);
    for (uint8_t& c : noise)
        if (c == 0xFF)
            c = 0xFE;
    for (int64_t i = 4096, k = 0; i + 1 < size; i += 4096, ++k)
        noise[i] = 0xFF, noise[i + 1] = static_cast<uint8_t>(0xD0 + (k & 7));
    appendBytes(b, noise);
    return b;
}

ByteBuffer pngChunk(const char* type, const uint8_t* data, uint64_t size)
{
    ByteBuffer c;
    appendBe32(c, static_cast<uint32_t>(size));
    appendString(c, type);
    c.insert(c.end(), data, data + size);
    appendBe32(c, static_cast<uint32_t>(crc32_z(0, c.data() + 4, size + 4)));
    return c;
}

// An RGBA PNG of noisy pixels (stored about as large as its raw size) that lost its IEND.
ByteBuffer pngWithoutEnd(int64_t size)
{
    const uint32_t width = 4096;
    const uint64_t row = 1 + 4ull * width;
    const uint32_t height = static_cast<uint32_t>(std::max<int64_t>(1, size / static_cast<int64_t>(row)));
    ByteBuffer raw = bench_support::randomBytes(static_cast<int64_t>(row * height), 3);
    for (uint64_t y = 0; y < height; ++y)
        raw[y * row] = 0;
    uLongf zsize = compressBound(raw.size());
    ByteBuffer z(zsize);
    compress2(z.data(), &zsize, raw.data(), raw.size(), 1);
    ByteBuffer b = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    ByteBuffer ihdr;
    appendBe32(ihdr, width), appendBe32(ihdr, height);
    appendU8(ihdr, 8), appendU8(ihdr, 6), appendU8(ihdr, 0), appendU8(ihdr, 0), appendU8(ihdr, 0);
    appendBytes(b, pngChunk("IHDR", ihdr.data(), ihdr.size()));
    for (uint64_t pos = 0; pos < zsize; pos += 1 << 20)
        appendBytes(b, pngChunk("IDAT", z.data() + pos, std::min<uint64_t>(1 << 20, zsize - pos)));
    return b;
}

// A TIFF behind 300 bytes of garbage: strips of 1 MiB, the IFD at the end.
ByteBuffer prefixedTiff(int64_t size)
{
    ByteBuffer b(300, 0x42);
    const uint64_t strips = std::max<int64_t>(1, size / bench_support::kMiB);
    const uint64_t stripSize = static_cast<uint64_t>(size) / strips;
    appendString(b, "II");
    appendLe16(b, 42);
    const uint64_t ifdAt = 8 + strips * stripSize;
    appendLe32(b, static_cast<uint32_t>(ifdAt));
    appendBytes(b, bench_support::randomBytes(static_cast<int64_t>(strips * stripSize), 5));
    const uint64_t arrays = ifdAt + 2 + 9 * 12 + 4;
    appendLe16(b, 9);
    auto entry = [&](uint16_t tag, uint16_t type, uint32_t count, uint32_t value) {
        appendLe16(b, tag), appendLe16(b, type), appendLe32(b, count), appendLe32(b, value);
    };
    entry(256, 4, 1, 1024), entry(257, 4, 1, static_cast<uint32_t>(strips * (stripSize / 1024)));
    entry(258, 3, 1, 8), entry(259, 3, 1, 1), entry(262, 3, 1, 1);
    entry(273, 4, static_cast<uint32_t>(strips), static_cast<uint32_t>(strips == 1 ? 8 : arrays));
    entry(277, 3, 1, 1), entry(278, 4, 1, static_cast<uint32_t>(stripSize / 1024));
    entry(279, 4, static_cast<uint32_t>(strips),
          static_cast<uint32_t>(strips == 1 ? stripSize : arrays + 4 * strips));
    appendLe32(b, 0);
    if (strips > 1) {
        for (uint64_t i = 0; i < strips; ++i)
            appendLe32(b, static_cast<uint32_t>(8 + i * stripSize));
        for (uint64_t i = 0; i < strips; ++i)
            appendLe32(b, static_cast<uint32_t>(stripSize));
    }
    return b;
}

// A headerless ".tif" full of IFD-like records that share strip arrays of a million entries.
ByteBuffer hostileHeaderless(int64_t size)
{
    ByteBuffer b(16, 0);
    const uint32_t arrayCount = static_cast<uint32_t>(std::min<int64_t>(1 << 20, size / 16));
    const uint32_t prefix = 64;
    const uint32_t offsetsAt = static_cast<uint32_t>(b.size());
    for (uint32_t i = 0; i < arrayCount; ++i)
        appendLe32(b, prefix + 16 + i);
    const uint32_t countsAt = static_cast<uint32_t>(b.size());
    for (uint32_t i = 0; i < arrayCount; ++i)
        appendLe32(b, i + 1 == arrayCount ? 0 : 1);
    while (static_cast<int64_t>(b.size()) + 118 <= size) {
        appendLe16(b, 9);
        for (const uint16_t tag : {256, 257, 258, 259, 262, 273, 277, 278, 279}) {
            const bool array = tag == 273 || tag == 279;
            appendLe16(b, tag), appendLe16(b, array ? 4 : 3), appendLe32(b, array ? arrayCount : 1);
            appendLe32(b, tag == 273 ? offsetsAt + prefix : tag == 279 ? countsAt + prefix : 16);
        }
        appendLe32(b, 0);
    }
    b.resize(static_cast<size_t>(size), 0);
    return b;
}

// A ".nef" with no header whose every few KiB hold a JPEG header with a scan that never ends.
ByteBuffer hostilePreviews(int64_t size)
{
    ByteBuffer b;
    const ByteBuffer header = jpegHeader(64, 64);
    while (static_cast<int64_t>(b.size()) < size) {
        appendBytes(b, header);
        b.resize(b.size() + 8192, 0x00);
    }
    b.resize(static_cast<size_t>(size));
    return b;
}

// One zlib stream fed piece by piece from `next` (which fills a block and returns its length,
// 0 at the end), so a large decoded image is never held.
ByteBuffer deflateStream(const std::function<uint64_t(ByteBuffer&)>& next, int level)
{
    z_stream zs{};
    deflateInit(&zs, level);
    ByteBuffer block(1 << 20), out, window(1 << 16);
    int flush = Z_NO_FLUSH;
    do {
        const uint64_t got = next(block);
        flush = got == 0 ? Z_FINISH : Z_NO_FLUSH;
        zs.next_in = block.data();
        zs.avail_in = static_cast<uInt>(got);
        do {
            zs.next_out = window.data();
            zs.avail_out = static_cast<uInt>(window.size());
            deflate(&zs, flush);
            out.insert(out.end(), window.begin(), window.end() - zs.avail_out);
        } while (zs.avail_out == 0);
    } while (flush != Z_FINISH);
    deflateEnd(&zs);
    return out;
}

ByteBuffer pngStart(uint32_t width, uint32_t height)
{
    ByteBuffer b = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    ByteBuffer ihdr;
    appendBe32(ihdr, width), appendBe32(ihdr, height);
    appendU8(ihdr, 8), appendU8(ihdr, 6), appendU8(ihdr, 0), appendU8(ihdr, 0), appendU8(ihdr, 0);
    appendBytes(b, pngChunk("IHDR", ihdr.data(), ihdr.size()));
    return b;
}

// A cut PNG whose stream inflates about eightfold, under a header claiming 8192 x 16000 RGBA
// (524 MB): the salvage decodes, recompresses and zero-fills rows for every input byte.
ByteBuffer denseCutPng(int64_t size)
{
    ByteBuffer noise = bench_support::randomBytes(1 << 20, 11);
    uint64_t left = static_cast<uint64_t>(size) * 6; // about what `size` compressed bytes decode to
    uint64_t phase = 0;
    const ByteBuffer z = deflateStream(
        [&](ByteBuffer& block) {
            const uint64_t got = std::min<uint64_t>(left, block.size());
            for (uint64_t i = 0; i < got; ++i) // one noisy byte in eight
                block[i] = (i & 7) == 0 ? noise[(phase + i) % noise.size()] : 0;
            phase += got;
            left -= got;
            return got;
        },
        1);
    ByteBuffer b = pngStart(8192, 16000);
    appendBytes(b, pngChunk("IDAT", z.data(), z.size()));
    b.resize(b.size() - 16); // cut inside the stream
    return b;
}

// A PNG of `size` bytes (an ancillary chunk of filler) whose header claims 8192 x 16000 RGBA
// over a stream cut after two rows: the missing 524 MB of rows must cost next to nothing.
ByteBuffer claimCutPng(int64_t size)
{
    ByteBuffer b = pngStart(8192, 16000);
    const ByteBuffer filler = bench_support::randomBytes(std::max<int64_t>(0, size - 200), 13);
    appendBytes(b, pngChunk("zfIl", filler.data(), filler.size()));
    const ByteBuffer rows(2 * (1 + 4 * 8192), 0);
    uLongf zsize = compressBound(rows.size());
    ByteBuffer z(zsize);
    compress2(z.data(), &zsize, rows.data(), rows.size(), 9);
    appendBytes(b, pngChunk("IDAT", z.data(), zsize - 4)); // the stream lacks its checksum
    return b;
}

// A headerless ".tif" of `size` bytes ending in a directory whose offsets imply a 64 MiB prefix
// that no strip in the file stands for.
ByteBuffer claimHeaderless(int64_t size)
{
    const uint32_t claimed = (64u << 20) - 1024;
    ByteBuffer b(static_cast<size_t>(std::max<int64_t>(0, size - 176)), 0);
    const uint32_t ifd = static_cast<uint32_t>(b.size());
    appendLe16(b, 9);
    auto entry = [&](uint16_t tag, uint16_t type, uint32_t count, uint32_t value) {
        appendLe16(b, tag), appendLe16(b, type), appendLe32(b, count), appendLe32(b, value);
    };
    entry(256, 3, 1, 4), entry(257, 3, 1, 4), entry(258, 3, 3, claimed + ifd + 122);
    entry(259, 3, 1, 1), entry(262, 3, 1, 2), entry(273, 4, 1, claimed + ifd + 128);
    entry(277, 3, 1, 3), entry(278, 4, 1, 4), entry(279, 4, 1, 48);
    appendLe32(b, 0);
    b.resize(ifd + 122, 0);
    appendLe16(b, 8), appendLe16(b, 8), appendLe16(b, 8);
    b.resize(ifd + 176, 0x80);
    return b;
}

void runPhoto(benchmark::State& state, const char* name, const std::function<ByteBuffer(int64_t)>& make,
              bool repair)
{
    const auto path = bench_support::cachedInput(name, state.range(0), make);
    RepairRequest request;
    request.input = makeSourceInfo(path.string());
    request.outputDirectory = bench_support::outputDir().string();
    request.overwrite = true;
    auto engine = createFileRepairFactory()->createPhotoRepair();
    resetPeakMemory();
    const uint64_t baseKiB = statusKiB("VmRSS:");
    for (auto _ : state) {
        RepairResult r = repair ? engine->repair(request, nullptr) : engine->analyze(request, nullptr);
        benchmark::DoNotOptimize(r.status.ok);
        state.PauseTiming();
        bench_support::clearOutputs();
        state.ResumeTiming();
    }
    const auto inputBytes = static_cast<int64_t>(std::filesystem::file_size(path));
    state.SetBytesProcessed(state.iterations() * inputBytes);
    // Memory the calls took beyond what the process held before, per input byte.
    const uint64_t peakKiB = statusKiB("VmHWM:");
    const double grownBytes = 1024.0 * static_cast<double>(peakKiB > baseKiB ? peakKiB - baseKiB : 0);
    state.counters["peak_MiB"] = grownBytes / bench_support::kMiB;
    state.counters["peak_per_byte"] = grownBytes / static_cast<double>(inputBytes);
}

} // namespace

static void BM_JpegAnalyze(benchmark::State& s) { runPhoto(s, "cut.jpg", truncatedJpeg, false); }
static void BM_JpegRepair(benchmark::State& s) { runPhoto(s, "cut.jpg", truncatedJpeg, true); }
static void BM_PngAnalyze(benchmark::State& s) { runPhoto(s, "noend.png", pngWithoutEnd, false); }
static void BM_PngRepair(benchmark::State& s) { runPhoto(s, "noend.png", pngWithoutEnd, true); }
static void BM_TiffAnalyze(benchmark::State& s) { runPhoto(s, "prefixed.tif", prefixedTiff, false); }
static void BM_TiffRepair(benchmark::State& s) { runPhoto(s, "prefixed.tif", prefixedTiff, true); }
static void BM_HostileHeaderlessTiff(benchmark::State& s) { runPhoto(s, "hostile.tif", hostileHeaderless, false); }
static void BM_HostileRawPreviews(benchmark::State& s) { runPhoto(s, "hostile.nef", hostilePreviews, true); }
BENCHMARK(BM_JpegAnalyze) PHOTO_SIZES;
BENCHMARK(BM_JpegRepair) PHOTO_SIZES;
BENCHMARK(BM_PngAnalyze) PHOTO_SIZES;
BENCHMARK(BM_PngRepair) PHOTO_SIZES;
BENCHMARK(BM_TiffAnalyze) PHOTO_SIZES;
BENCHMARK(BM_TiffRepair) PHOTO_SIZES;
BENCHMARK(BM_HostileHeaderlessTiff) PHOTO_SIZES;
BENCHMARK(BM_HostileRawPreviews) PHOTO_SIZES;

static void BM_HostilePngDenseCut(benchmark::State& s) { runPhoto(s, "dense.png", denseCutPng, true); }
static void BM_HostilePngClaim(benchmark::State& s) { runPhoto(s, "claim.png", claimCutPng, true); }
static void BM_HostileHeaderlessClaim(benchmark::State& s) { runPhoto(s, "claim.tif", claimHeaderless, true); }
BENCHMARK(BM_HostilePngDenseCut) HOSTILE_SIZES;
BENCHMARK(BM_HostilePngClaim) HOSTILE_SIZES;
BENCHMARK(BM_HostileHeaderlessClaim) HOSTILE_SIZES;
