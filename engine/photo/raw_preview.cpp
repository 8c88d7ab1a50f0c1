// Embedded JPEG previews inside camera RAW and TIFF files.

#include <cstring>
#include <map>

#include "data_repair/checkpoint.h"
#include "data_repair/output_writer.h"
#include "photo/photo_formats.h"

namespace data_repair {

namespace {

// Start-of-image candidates tried, and marker segments walked per candidate: bounds that keep
// the search linear on files full of chance FF D8 FF triples.
constexpr int kMaxCandidates = 64;
constexpr int kMaxSegments = 4096;

// First marker (FF followed by a code that is not 00, a restart or a fill byte) at or after a
// position inside entropy-coded data. The answer depends only on the position, so each byte is
// scanned once for all candidates: known stretches are remembered as [from, marker].
class MarkerFinder {
public:
    explicit MarkerFinder(ByteView b) : b_(b) {}

    uint64_t next(uint64_t from)
    {
        auto it = known_.upper_bound(from);
        if (it != known_.begin()) {
            --it;
            if (from >= it->first && from <= it->second)
                return it->second;
        }
        const uint64_t n = b_.size();
        uint64_t p = from;
        uint64_t found = npos;
        while (p + 1 < n) {
            checkpoint(p, n);
            const void* hit = std::memchr(b_.data() + p, 0xFF, n - 1 - p);
            if (hit == nullptr)
                break;
            const uint64_t q = static_cast<uint64_t>(static_cast<const uint8_t*>(hit) - b_.data());
            const uint8_t code = b_[q + 1];
            if (code == 0x00 || (code >= 0xD0 && code <= 0xD7) || code == 0xFF) {
                p = q + 1;
                continue;
            }
            found = q;
            break;
        }
        known_[from] = found;
        return found;
    }

private:
    ByteView b_;
    std::map<uint64_t, uint64_t> known_;
};

// The end (one past EOI) of a complete JPEG starting at j, or npos.
uint64_t jpegEndAt(ByteView b, uint64_t j, MarkerFinder& markers)
{
    const uint64_t n = b.size();
    bool frame = false, quant = false, scan = false;
    uint64_t pos = j + 2;
    for (int segments = 0; segments < kMaxSegments; ++segments) {
        if (pos >= n || b[pos] != 0xFF)
            return npos;
        while (pos < n && b[pos] == 0xFF)
            ++pos;
        if (pos >= n)
            return npos;
        const uint8_t m = b[pos];
        const uint64_t mp = pos - 1;
        if (m == 0x00)
            return npos;
        if (m == 0xD9)
            return (scan && frame && quant) ? pos + 1 : npos;
        if ((m >= 0xD0 && m <= 0xD8) || m == 0x01) {
            pos += 1;
            continue;
        }
        const bool accepted = (m >= 0xE0 && m <= 0xEF) || (m >= 0xC0 && m <= 0xCF && m != 0xC8) || m == 0xDB ||
                              m == 0xDC || m == 0xDD || m == 0xFE || m == 0xDA;
        if (!accepted || !fitsIn(n, pos, 3))
            return npos;
        const uint64_t length = readBe16(b, pos + 1);
        if (length < 2 || !fitsIn(n, mp, length + 2))
            return npos;
        const uint64_t next = mp + length + 2;
        if (m == 0xDB)
            quant = true;
        else if (m >= 0xC0 && m <= 0xCF && m != 0xC4 && m != 0xC8 && m != 0xCC)
            frame = true;
        if (m == 0xDA) {
            scan = true;
            pos = markers.next(next);
            if (pos == npos)
                return npos;
            continue;
        }
        pos = next;
    }
    return npos;
}

} // namespace

JpegSpan findEmbeddedJpegSpan(ByteView b)
{
    MarkerFinder markers(b);
    uint64_t from = 0;
    for (int tried = 0; tried < kMaxCandidates; ++tried) {
        const uint64_t j = findPair(b, 0xFF, 0xD8, from);
        if (j == npos)
            break;
        from = j + 1;
        if (j + 2 >= b.size() || b[j + 2] != 0xFF) {
            --tried; // only FF D8 FF opens a candidate
            continue;
        }
        const uint64_t end = jpegEndAt(b, j, markers);
        if (end != npos)
            return JpegSpan{j, end};
    }
    return {};
}

ByteBuffer findEmbeddedJpeg(ByteView buffer)
{
    const JpegSpan span = findEmbeddedJpegSpan(buffer);
    return span.empty() ? ByteBuffer{} : sliceBytes(buffer, span.begin, span.size());
}

bool extractRawPreview(const RepairRequest& request, ByteView bytes, const JpegSpan& preview,
                       RepairResult& report)
{
    if (preview.empty() || !fits(bytes, preview.begin, preview.size()))
        return false;
    const ByteBuffer jpeg = sliceBytes(bytes, preview.begin, preview.size());
    if (!writeExtraArtifact(report, request, jpeg, "jpg", "raw-embedded-preview", "_preview"))
        return false;
    report.addAction("extract-raw-preview", "extracted embedded JPEG preview from RAW/TIFF container",
                     report.artifacts.back().size);
    return true;
}

} // namespace data_repair
