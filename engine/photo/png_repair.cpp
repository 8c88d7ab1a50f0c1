// PNG: chunk walk with CRC checks, chunk-level repair and salvage of a cut pixel stream.

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>

#include "data_repair/checkpoint.h"
#include "data_repair/detection.h"
#include "photo/photo_formats.h"

namespace data_repair {

namespace {

constexpr uint64_t kRawLimit = 0x20000000;
// zlib's length arguments are 32-bit: feed and checksum big runs in pieces.
constexpr uint64_t kZlibPiece = 1u << 30;

using Range = std::pair<uint64_t, uint64_t>; // position, length

uint32_t chunkCrc(ByteView b, uint64_t pos, uint64_t len)
{
    // The CRC covers the type and the data: len + 4 bytes from pos.
    return static_cast<uint32_t>(crc32_z(0, b.data() + pos, static_cast<z_size_t>(len + 4)));
}

bool isCritical(ByteView b, uint64_t typePos) { return b[typePos] >= 'A' && b[typePos] <= 'Z'; }

int samplesPerPixel(int colourType)
{
    switch (colourType) {
    case 0: return 1;
    case 2: return 3;
    case 3: return 1;
    case 4: return 2;
    case 6: return 4;
    default: return 0;
    }
}

enum class StreamState { Complete, NeedInput, DataError, Overrun };

struct StreamOutcome {
    StreamState state = StreamState::NeedInput;
    uint64_t produced = 0;
};

// Receives decoded bytes as they come out of inflate; an empty sink only counts them.
using ByteSink = std::function<bool(const uint8_t* data, uint64_t size)>;

// Inflates the concatenated ranges. Output beyond `limit` bytes is never handed on; with a sink
// the decoded bytes pass through it in small pieces, so memory follows neither the header's claim
// nor the decoded size. A sink that returns false stops the stream as a data error.
StreamOutcome inflateRanges(ByteView b, const std::vector<Range>& ranges, uint64_t limit,
                            const ByteSink& sink)
{
    StreamOutcome outcome;
    z_stream zs{};
    if (inflateInit(&zs) != Z_OK) {
        outcome.state = StreamState::DataError;
        return outcome;
    }
    ByteBuffer window(64 * 1024);
    bool done = false;
    // Runs inflate until the current input is used up and no output is pending.
    auto drain = [&] {
        for (;;) {
            const uint64_t room = limit + 1 - outcome.produced; // one byte more shows an overrun
            zs.next_out = window.data();
            zs.avail_out = static_cast<uInt>(std::min<uint64_t>(window.size(), room));
            const uInt before = zs.avail_out;
            const int ret = inflate(&zs, Z_NO_FLUSH);
            const uint64_t got = before - zs.avail_out;
            bool sinkFailed = false;
            if (sink) {
                const uint64_t keep = std::min(got, limit - std::min(limit, outcome.produced));
                sinkFailed = keep > 0 && !sink(window.data(), keep);
            }
            outcome.produced += got;
            if (sinkFailed) {
                outcome.state = StreamState::DataError;
                done = true;
            } else if (outcome.produced > limit) {
                outcome.state = StreamState::Overrun;
                done = true;
            } else if (ret == Z_STREAM_END) {
                outcome.state = StreamState::Complete;
                done = true;
            } else if (ret != Z_OK && ret != Z_BUF_ERROR) {
                outcome.state = StreamState::DataError;
                done = true;
            }
            if (done || (zs.avail_in == 0 && zs.avail_out != 0) || (ret == Z_BUF_ERROR && got == 0))
                return;
        }
    };
    for (const Range& range : ranges) {
        uint64_t pos = range.first;
        uint64_t left = range.second;
        while (left > 0 && !done) {
            const uint64_t piece = std::min(left, kZlibPiece);
            zs.next_in = const_cast<Bytef*>(b.data() + pos);
            zs.avail_in = static_cast<uInt>(piece);
            drain();
            pos += piece;
            left -= piece;
        }
        if (done)
            break;
    }
    if (!done)
        outcome.state = StreamState::NeedInput;
    inflateEnd(&zs);
    return outcome;
}

// Raw deflate of one run of bytes into `out`. Without `finish` the blocks end on a byte boundary
// and none of them is marked final, so more blocks may follow.
class RawDeflater {
public:
    explicit RawDeflater(int strategy = Z_DEFAULT_STRATEGY)
    {
        ok_ = deflateInit2(&zs_, 1, Z_DEFLATED, -15, 8, strategy) == Z_OK;
    }
    ~RawDeflater()
    {
        if (ok_)
            deflateEnd(&zs_);
    }
    RawDeflater(const RawDeflater&) = delete;
    RawDeflater& operator=(const RawDeflater&) = delete;

    bool add(const uint8_t* data, uint64_t size, ByteBuffer& out) { return run(data, size, Z_NO_FLUSH, out); }
    bool end(bool finish, ByteBuffer& out) { return run(nullptr, 0, finish ? Z_FINISH : Z_SYNC_FLUSH, out); }

private:
    bool run(const uint8_t* data, uint64_t size, int flush, ByteBuffer& out)
    {
        if (!ok_)
            return false;
        uint8_t window[64 * 1024];
        do {
            const uInt piece = static_cast<uInt>(std::min<uint64_t>(size, kZlibPiece));
            zs_.next_in = const_cast<Bytef*>(data);
            zs_.avail_in = piece;
            int ret;
            do {
                zs_.next_out = window;
                zs_.avail_out = sizeof(window);
                ret = deflate(&zs_, flush);
                if (ret == Z_STREAM_ERROR)
                    return false;
                out.insert(out.end(), window, window + (sizeof(window) - zs_.avail_out));
            } while (zs_.avail_out == 0 || zs_.avail_in > 0);
            if (flush == Z_FINISH && ret != Z_STREAM_END)
                return false;
            data += piece;
            size -= piece;
        } while (size > 0);
        return true;
    }
    z_stream zs_{};
    bool ok_ = false;
};

// The zlib stream of `head` followed by `zeros` zero bytes (the missing rows of a salvaged image),
// compressed at a fast level. The zero run costs time by what it compresses to, not by its
// length: one block of compressed zeros is made once and repeated.
using HeadFeeder = std::function<bool(const ByteSink& sink)>;

bool deflateWithZeroTail(const HeadFeeder& feedHead, uint64_t zeros, ByteBuffer& out)
{
    constexpr uint64_t kZeroPiece = 1u << 20;
    out = {0x78, 0x01};
    RawDeflater main;
    uLong adler = adler32_z(0, nullptr, 0);
    const bool fed = feedHead([&](const uint8_t* data, uint64_t size) {
        adler = adler32_z(adler, data, static_cast<z_size_t>(size));
        return main.add(data, size, out);
    });
    if (!fed || !main.end(false, out))
        return false;
    // Blocks made by a fresh stream refer to nothing before them, so they can follow any data.
    if (zeros >= kZeroPiece) {
        const ByteBuffer zeroBlock(kZeroPiece, 0);
        ByteBuffer piece;
        RawDeflater pieceStream(Z_RLE);
        if (!pieceStream.add(zeroBlock.data(), zeroBlock.size(), piece) || !pieceStream.end(false, piece))
            return false;
        for (uint64_t k = zeros / kZeroPiece; k > 0; --k)
            out.insert(out.end(), piece.begin(), piece.end());
    }
    const ByteBuffer rest(zeros % kZeroPiece, 0);
    RawDeflater tail(Z_RLE);
    if (!tail.add(rest.data(), rest.size(), out) || !tail.end(true, out))
        return false;
    // Adler-32 of n zero bytes: the sum stays 1, the running total grows by n.
    const uLong zerosAdler = ((zeros % 65521) << 16) | 1;
    adler = adler32_combine(adler, zerosAdler, static_cast<z_off_t>(zeros));
    appendBe32(out, static_cast<uint32_t>(adler));
    return true;
}

struct ChunkWalk {
    bool sawIhdr = false;
    bool sawIend = false;
    bool dataTruncated = false;
    uint32_t width = 0;
    uint32_t height = 0;
    int depth = 8;
    int colourType = 6;
    int interlace = 0;
    std::vector<Range> pixelData;
    uint64_t pixelBytes = 0;
};

void appendIdat(ByteBuffer& out, ByteView compressed)
{
    // Chunk lengths are limited to 2^31 - 1: long streams go into several IDAT chunks.
    constexpr uint64_t kPiece = 1u << 28;
    uint64_t pos = 0;
    do {
        const uint64_t piece = std::min<uint64_t>(kPiece, compressed.size() - pos);
        appendPngChunk(out, "IDAT", compressed.data() + pos, piece);
        pos += piece;
    } while (pos < compressed.size());
}

void fail24(RepairResult& result, uint64_t pixelBytes)
{
    result.notes.push_back("PNG IDAT stream could not be decoded into a complete image");
    result.addFinding(Truncated, Error, "PNG IDAT stream is not recoverable without an intact redundant copy", 0,
                      pixelBytes, false, 0.98);
    result.setStatus(RepairStatus::failure(kPhotoPngPixels, "PNG pixel stream could not be reconstructed"));
}

// The stream could be salvaged, but not within the memory and time one repair may take.
void failTooLarge(RepairResult& result, uint64_t raw)
{
    const std::string text = "image too large to salvage: " + std::to_string(raw) + " bytes decoded, limit " +
                             std::to_string(kRawLimit);
    result.setStatus(RepairStatus::failure(kPhotoPngTooLarge, text));
}

struct ChunkView {
    uint64_t pos = 0;
    uint64_t len = 0;
    std::string type;
    bool cut = false; // the chunk runs past the end of the input
};

// Visits the chunks after the signature in order; the visitor returns false to stop. A cut
// chunk is the last one visited.
template <typename Visit>
void walkChunks(ByteView b, uint64_t sig, Visit visit)
{
    const uint64_t n = b.size();
    if (n < sig + 20)
        return;
    for (uint64_t pos = sig + 8; n >= pos + 12;) {
        checkpoint(pos, n);
        ChunkView c{pos, readBe32(b, pos), bytesToString(b, pos + 4, 4), false};
        c.cut = pos + c.len + 12 > n;
        if (!visit(c) || c.cut)
            return;
        pos += c.len + 12;
    }
}

} // namespace

uint64_t findPngSignature(ByteView buffer) { return findBytes(buffer, pngSignature(), 0); }

void appendPngChunk(ByteBuffer& output, const std::string& type, const uint8_t* data, uint64_t size)
{
    appendBe32(output, static_cast<uint32_t>(size));
    const uint64_t typePos = output.size();
    appendString(output, type.substr(0, 4));
    output.insert(output.end(), data, data + size);
    uLong crc = crc32_z(0, output.data() + typePos, static_cast<z_size_t>(size + 4));
    appendBe32(output, static_cast<uint32_t>(crc));
}

bool inflatePartial(ByteView compressed, uint64_t expectedSize, ByteBuffer& output, uint64_t& produced)
{
    produced = 0;
    output.clear();
    if (compressed.empty() || expectedSize < 1 || expectedSize > kRawLimit)
        return false;
    const StreamOutcome outcome =
        inflateRanges(compressed, {{0, compressed.size()}}, expectedSize, [&](const uint8_t* data, uint64_t size) {
            output.insert(output.end(), data, data + size);
            return true;
        });
    produced = std::min(outcome.produced, expectedSize);
    return outcome.state == StreamState::Complete || produced > 0;
}

RepairResult analyzePng(const RepairRequest& request, ByteView b)
{
    RepairResult result = beginPhotoResult(request, b);
    result.format = "png";
    const uint64_t n = b.size();
    const uint64_t sig = findPngSignature(b);
    if (sig == npos) {
        result.addFinding(HeaderMissing, Error, "PNG signature is missing", 0, 8, false, 0.95);
        result.setStatus(RepairStatus::failure(kPhotoPngMissing, "unsupported or severely damaged PNG"));
        return result;
    }
    if (sig > 0)
        result.addFinding(HeaderDamaged, Warning, "garbage bytes before PNG signature", 0, sig, true, 0.92);
    bool ihdr = false, idat = false, iend = false;
    walkChunks(b, sig, [&](const ChunkView& c) {
        if (c.cut) {
            result.addFinding(Truncated, Warning, "PNG chunk extends beyond end of file", c.pos, c.len, true, 0.88);
            return false;
        }
        if (readBe32(b, c.pos + c.len + 8) != chunkCrc(b, c.pos + 4, c.len))
            result.addFinding(ChecksumMismatch, isCritical(b, c.pos + 4) ? Warning : Info,
                              "PNG chunk CRC mismatch in " + c.type, c.pos, c.len, true, 0.9);
        ihdr = ihdr || c.type == "IHDR";
        idat = idat || c.type == "IDAT";
        iend = c.type == "IEND";
        return !iend;
    });
    if (!ihdr)
        result.addFinding(HeaderMissing, Error, "PNG IHDR chunk is missing", 8, 0, false, 0.95);
    if (!idat)
        result.addFinding(Truncated, Error, "PNG IDAT chunk is missing", 0, 0, false, 0.95);
    if (!iend)
        result.addFinding(TrailerMissing, Warning, "PNG IEND chunk is missing", n, 0, true, 0.9);
    result.confidence = result.findings.empty() ? 1.0 : 0.74;
    return result;
}

RepairResult repairPng(const RepairRequest& request, ByteView b)
{
    RepairResult result = analyzePng(request, b);
    if (!result.status.ok)
        return result;
    const uint64_t n = b.size();
    const uint64_t sig = findPngSignature(b);
    ByteBuffer out = copyBytes(pngSignature());
    requireWorkingMemory(n + 64);
    out.reserve(n + 64); // the rewrite is at most the input plus an IEND: grown once, not by doubling
    if (sig > 0)
        result.addAction("trim-png-prefix", "removed bytes before PNG signature", sig);

    ChunkWalk walk;
    walkChunks(b, sig, [&](const ChunkView& c) {
        const uint64_t pos = c.pos, len = c.len;
        const std::string& type = c.type;
        if (c.cut) {
            if (type == "IDAT" && pos + 8 + len <= n) {
                // Only the CRC was cut: the data is whole, keep it under a fresh CRC.
                appendPngChunk(out, type, b.data() + pos + 8, len);
                result.addAction("rewrite-crc", "rewrote PNG CRC for " + type, len);
                walk.pixelData.emplace_back(pos + 8, len);
                walk.pixelBytes += len;
                return false;
            }
            if (type == "IDAT" && pos + 8 < n) {
                walk.pixelData.emplace_back(pos + 8, n - pos - 8);
                walk.pixelBytes += n - pos - 8;
                walk.dataTruncated = true;
            }
            result.addAction("drop-truncated-chunk", "dropped truncated PNG chunk " + type, n - pos);
            return false;
        }
        const bool crcOk = readBe32(b, pos + len + 8) == chunkCrc(b, pos + 4, len);
        if (!crcOk && !isCritical(b, pos + 4)) {
            result.addAction("drop-ancillary", "dropped bad ancillary PNG chunk " + type, len);
            return true;
        }
        appendPngChunk(out, type, b.data() + pos + 8, len);
        if (!crcOk)
            result.addAction("rewrite-crc", "rewrote PNG CRC for " + type, len);
        if (type == "IHDR") {
            walk.sawIhdr = true;
            if (len >= 13) {
                walk.width = readBe32(b, pos + 8);
                walk.height = readBe32(b, pos + 12);
                walk.depth = b[pos + 16];
                walk.colourType = b[pos + 17];
                walk.interlace = b[pos + 20];
            }
        } else if (type == "IDAT") {
            walk.pixelData.emplace_back(pos + 8, len);
            walk.pixelBytes += len;
        } else if (type == "IEND") {
            walk.sawIend = true;
            return false;
        }
        return true;
    });
    if (!walk.sawIend) {
        appendPngChunk(out, "IEND", nullptr, 0);
        result.addAction("append-iend", "appended missing PNG IEND chunk", 12);
    }

    // A file with no header or no pixel data would come out as an empty shell.
    if (!walk.sawIhdr || walk.pixelBytes == 0) {
        result.setStatus(RepairStatus::failure(kPhotoPngMissing, "unsupported or severely damaged PNG"));
        return result;
    }

    if (walk.width != 0 && walk.height != 0 && walk.depth == 8) {
        const int spp = samplesPerPixel(walk.colourType);
        uint64_t rowSize = 0, raw = 0;
        const bool sized = spp > 0 && checkedMul(walk.width, static_cast<uint64_t>(spp), rowSize) &&
                           checkedAdd(rowSize, 1, rowSize) && checkedMul(rowSize, walk.height, raw);
        if (!sized) {
            fail24(result, walk.pixelBytes);
            return result;
        }
        // Interlaced rows carry extra filter bytes per pass: the stream only has to end cleanly.
        const bool interlaced = walk.interlace != 0;
        const uint64_t countLimit = interlaced ? raw + 8 * static_cast<uint64_t>(walk.height) + 1024 : raw;
        const StreamOutcome check = inflateRanges(b, walk.pixelData, countLimit, {});
        const bool complete = check.state == StreamState::Complete && (interlaced || check.produced == raw);
        // Input that ran out mid-stream (cut inside a chunk, in a chunk header or between
        // chunks) can be salvaged; a stream that is corrupt where it is present cannot.
        const bool truncated = walk.dataTruncated || (!walk.sawIend && check.state == StreamState::NeedInput);
        if (!complete) {
            if (!truncated || interlaced) {
                fail24(result, walk.pixelBytes);
                return result;
            }
            if (raw > kRawLimit) {
                failTooLarge(result, raw);
                return result;
            }
            const uint64_t produced = std::min(check.produced, raw);
            if (produced < rowSize) {
                fail24(result, walk.pixelBytes);
                return result;
            }
            // The decoded rows pass straight from inflate into deflate; the partly decoded row
            // keeps its bytes and, like every missing row, is completed with zeros (filter 0).
            ByteBuffer compressed;
            const bool rebuiltStream = deflateWithZeroTail(
                [&](const ByteSink& sink) {
                    uint64_t fed = 0;
                    inflateRanges(b, walk.pixelData, produced, [&](const uint8_t* data, uint64_t size) {
                        fed += size;
                        return sink(data, size);
                    });
                    return fed == produced;
                },
                raw - produced, compressed);
            if (!rebuiltStream) {
                fail24(result, walk.pixelBytes);
                return result;
            }
            out.clear();
            out.shrink_to_fit(); // the chunk-by-chunk rewrite is replaced: free it before the rebuild
            ByteBuffer rebuilt = copyBytes(pngSignature());
            rebuilt.reserve(n + compressed.size() + 1024);
            walkChunks(b, sig, [&](const ChunkView& c) {
                if (c.cut || c.type == "IEND")
                    return false;
                const bool crcOk = readBe32(b, c.pos + c.len + 8) == chunkCrc(b, c.pos + 4, c.len);
                // Ancillary chunks the first pass dropped stay dropped.
                if (c.type != "IDAT" && (crcOk || isCritical(b, c.pos + 4)))
                    appendPngChunk(rebuilt, c.type, b.data() + c.pos + 8, c.len);
                return true;
            });
            appendIdat(rebuilt, compressed);
            appendPngChunk(rebuilt, "IEND", nullptr, 0);
            out.swap(rebuilt);
            result.addAction("salvage-truncated-idat",
                             "decoded available PNG scanlines, filled missing rows, and rebuilt IDAT", raw - produced);
            result.addFinding(Truncated, Warning, "PNG image data is cut short; the lower part of the picture is lost",
                              n, raw - produced, false, 0.9);
        }
    }

    if (request.mode == Analyze) {
        result.outputWritten = false;
        return result;
    }
    writePhotoOutput(result, request, out, "png", kPhotoPngWrite);
    return result;
}

} // namespace data_repair
