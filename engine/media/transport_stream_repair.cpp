#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

#include "data_repair/checkpoint.h"
#include "data_repair/output_writer.h"
#include "media/container_support.h"

namespace data_repair {

namespace {

inline constexpr uint8_t kTsSync = 0x47;

uint64_t syncPosition(uint64_t packetSize) { return packetSize == 192 ? 4 : 0; }

// A grid counts only when it lines up far more sync bytes than chance: random bytes put 0x47
// in about one slot of 256 on any grid, a real stream in nearly all of them.
bool aboveChance(uint64_t syncCount, uint64_t slotCount) { return syncCount >= 3 && syncCount * 8 >= slotCount; }

// Start of the next packet grid from `from` on: the first slot whose sync byte and those of the
// following two slots (or one, near the end of the file) are all present. npos when none.
uint64_t realignTsGrid(ByteView bytes, uint64_t from, uint64_t n, uint64_t syncAt)
{
    const uint64_t size = bytes.size();
    const uint8_t* data = bytes.data();
    for (uint64_t at = from + syncAt; at < size;) {
        checkpoint(at, size);
        const void* hit = std::memchr(data + at, kTsSync, size - at);
        if (hit == nullptr)
            return npos;
        const uint64_t q = static_cast<uint64_t>(static_cast<const uint8_t*>(hit) - data) - syncAt;
        const uint64_t whole = (size - q) / n;
        if (whole < 2)
            return npos;
        const uint64_t needed = std::min<uint64_t>(whole, 3);
        bool synced = true;
        for (uint64_t k = 1; k < needed && synced; ++k)
            synced = bytes[q + k * n + syncAt] == kTsSync;
        if (synced)
            return q;
        at = q + syncAt + 1;
    }
    return npos;
}

} // namespace

TsLayout detectTsPacketSize(ByteView bytes)
{
    // One pass over the sync bytes fills a histogram per phase for both packet sizes; a slot is
    // counted only when the whole packet lies inside the file.
    std::array<uint64_t, 188> sync188{};
    std::array<uint64_t, 192> sync192{};
    const uint64_t size = bytes.size();
    const uint8_t* data = bytes.data();
    for (uint64_t pos = 0; pos < size;) {
        checkpoint(pos, size);
        const void* hit = std::memchr(data + pos, kTsSync, size - pos);
        if (hit == nullptr)
            break;
        const uint64_t p = static_cast<uint64_t>(static_cast<const uint8_t*>(hit) - data);
        if (size - p >= 188)
            ++sync188[p % 188];
        if (p >= 4 && size - (p - 4) >= 192)
            ++sync192[(p - 4) % 192];
        pos = p + 1;
    }

    TsLayout best;
    auto consider = [&](uint64_t packetSize, const uint64_t* counts) {
        for (uint64_t phase = 0; phase < packetSize && phase < size; ++phase) {
            const uint64_t slots = (size - phase) / packetSize;
            const uint64_t synced = counts[phase];
            if (synced > best.syncCount && aboveChance(synced, slots))
                best = TsLayout{packetSize, phase, slots, synced};
        }
    };
    consider(188, sync188.data());
    consider(192, sync192.data());
    return best;
}

RepairResult analyzeTransportStream(const RepairRequest& request, ByteView bytes)
{
    TsLayout grid;
    return analyzeTransportStreamGrid(request, bytes, grid);
}

RepairResult analyzeTransportStreamGrid(const RepairRequest& request, ByteView bytes, TsLayout& grid)
{
    RepairResult result = prepareVideoResult(request, bytes);
    result.format = ownFormatName(result.format, {"ts", "mts", "m2ts"}, "ts");
    const TsLayout layout = detectTsPacketSize(bytes);
    grid = layout;
    if (layout.packetSize == 0) {
        reportStructureNotFound(result, "MPEG-TS sync packets were not found", kVideoTsNotFound,
                                "MPEG-TS packet alignment not found");
        return result;
    }
    if (layout.phase > 0)
        result.addFinding(IndexDamaged, Warning, "garbage bytes before MPEG-TS packet alignment", 0, layout.phase,
                          true, 0.9);
    if (layout.syncCount < layout.slotCount)
        result.addFinding(Truncated, Warning, "some MPEG-TS packets are out of sync and can be dropped", 0,
                          layout.slotCount - layout.syncCount, true, 0.84);
    result.confidence = layout.syncCount >= 3 ? 0.86 : 0.68;
    return result;
}

RepairResult repairTransportStreamOnGrid(RepairResult result, const RepairRequest& request, ByteView bytes,
                                         const TsLayout& layout)
{
    if (!shouldRepair(result, request))
        return result;
    const uint64_t n = layout.packetSize;
    const uint64_t syncAt = syncPosition(n);
    const uint64_t size = bytes.size();

    buildAndWriteVideo(result, request, bytes, result.format, kVideoTsWrite, 0.86, [&](OutputPieces& out) {
        // Slots are judged by their sync byte. After a slot without one the grid is looked for
        // again, so bytes inserted or lost mid-stream cost only the packets they touched, not
        // everything after them. Runs of good slots are copied from the input in one piece.
        uint64_t runStart = layout.phase;
        uint64_t s = layout.phase;
        // The grid was counted with every whole slot carrying its sync byte: the walk would find
        // no break, and the output is the grid's slots as they stand.
        if (layout.syncCount == layout.slotCount)
            s += layout.slotCount * n;
        while (n <= size - s) {
            checkpoint(s, size);
            if (bytes[s + syncAt] == kTsSync) {
                s += n;
                continue;
            }
            // The search starts inside the slot before the break: when the next packet begins
            // there, bytes were lost from that slot and it is dropped too.
            const bool previousKept = s > runStart;
            const uint64_t next = realignTsGrid(bytes, previousKept ? s - n + 1 : s + 1, n, syncAt);
            const uint64_t keptEnd = next != npos && next < s ? s - n : s;
            out.appendInput(runStart, keptEnd - runStart);
            s = next == npos ? size : next;
            runStart = s;
        }
        out.appendInput(runStart, s - runStart);
        const uint64_t dropped = size - out.size();
        result.addAction("repacketize-ts", "rewrote aligned MPEG-TS packet stream", out.size());
        if (dropped > 0)
            result.addAction("drop-bad-ts-bytes", "dropped garbage, partial or desynchronized TS packet bytes", dropped);
    });
    return result;
}

} // namespace data_repair
