#include "media/asf_repair.h"

#include "data_repair/checkpoint.h"
#include "data_repair/detection.h"
#include "data_repair/file_access.h"
#include "data_repair/output_writer.h"
#include "media/container_support.h"

namespace data_repair {

namespace {

// Only the sample's header and first packets are used; a huge "sample" is not read whole.
inline constexpr uint64_t kSampleReadLimit = 64ull * 1024 * 1024;

inline constexpr const char* kNeedSample = "ASF header not found; a compatible normal sample is required";
inline constexpr const char* kSampleNoLayout = "normal sample does not contain a usable ASF header and packet layout";
inline constexpr const char* kSampleBadSignature = "normal sample ASF packet signature is not usable";
inline constexpr const char* kNoCompatibleRun =
    "damaged file does not contain a compatible run of ASF packets for this sample";

// The header region of a healthy sample and what is needed to walk foreign packets with it.
struct BorrowedAsfHeader {
    ByteBuffer region; // header object up to and including the data object's 50-byte header
    uint64_t fileProperties = 0;
    uint64_t dataObject = 0;
    uint64_t packetSize = 0;
    uint64_t declaredPacketCount = 0;
    uint64_t declaredDataObjectSize = 0;
    AsfPacketSignature signature;
};

// The chain of top-level objects from the header on.
struct AsfObjectChain {
    uint64_t objects = 0;
    uint64_t end = 0; // end of the last whole object
    bool broken = false;
    uint64_t brokenOffset = 0;
    uint64_t brokenSize = 0;
    bool dataObjectWhole = false;
};

std::string asfFormatName(const RepairRequest& request)
{
    const std::string ext = lowerExtension(pathFromUtf8(request.input.path));
    return ext == "wmv" || ext == "wma" ? ext : "asf";
}

AsfObjectChain walkAsfObjects(ByteView bytes, uint64_t h)
{
    AsfObjectChain chain;
    const uint64_t size = bytes.size();
    if (!fitsIn(size, h, kAsfObjectHeaderSize))
        return chain;
    for (uint64_t o = h;;) {
        const uint64_t s = readLe64(bytes, o + 16);
        if (s < kAsfObjectHeaderSize || s > size - o) {
            chain.broken = true;
            chain.brokenOffset = o;
            chain.brokenSize = s;
            break;
        }
        ++chain.objects;
        chain.end = o + s;
        if (matchesAt(bytes, o, asfDataObjectGuid()))
            chain.dataObjectWhole = true;
        if (size - chain.end < kAsfObjectHeaderSize)
            break;
        o = chain.end;
    }
    return chain;
}

bool hasPacketDamage(const AsfLayout& layout, uint64_t size)
{
    if (!layout.valid)
        return false;
    return layout.declaredDataObjectSize < kAsfDataObjectHeaderSize || layout.dataObjectOffset > size ||
           layout.declaredDataObjectSize > size - layout.dataObjectOffset || layout.resyncCount > 0 ||
           layout.packetCount != layout.declaredPacketCount;
}

bool borrowAsfHeader(ByteView sample, BorrowedAsfHeader& header, std::string* message)
{
    const uint64_t s = findAsfHeaderGuid(sample);
    const AsfLayout layout = parseAsfLayout(sample, s, nullptr, false);
    if (!layout.valid || s >= layout.firstPacketOffset || layout.firstPacketOffset > sample.size()) {
        if (message != nullptr)
            *message = kSampleNoLayout;
        return false;
    }
    header.signature = readAsfPacketSignature(sample, layout.firstPacketOffset);
    if (!header.signature.usable) {
        if (message != nullptr)
            *message = kSampleBadSignature;
        return false;
    }
    header.region = sliceBytes(sample, s, layout.firstPacketOffset - s);
    header.fileProperties = layout.filePropertiesOffset - s;
    header.dataObject = layout.dataObjectOffset - s;
    header.packetSize = layout.packetSize;
    header.declaredPacketCount = layout.declaredPacketCount;
    header.declaredDataObjectSize = layout.declaredDataObjectSize;
    return true;
}

// Walks the damaged file's packets as if the borrowed header stood in front of it. The packets
// are looked up in the damaged bytes directly (offsets of `walk` are damaged-file offsets), so
// no joined copy of the whole file is made.
bool matchBorrowedHeader(ByteView damaged, const BorrowedAsfHeader& header, AsfLayout& walk,
                         std::string* message)
{
    walkAsfPackets(damaged, 0, header.packetSize, header.signature, npos, walk);
    // At least one resynchronisation: the header's remains before the first surviving packet.
    if (walk.packetCount >= 3 && walk.resyncCount >= 1)
        return true;
    if (message != nullptr)
        *message = kNoCompatibleRun;
    return false;
}

// The layout of the joined file (borrowed region, then the damaged file) from a walk.
AsfLayout joinedLayout(const BorrowedAsfHeader& header, const AsfLayout& walk)
{
    AsfLayout layout = walk;
    const uint64_t shift = header.region.size();
    layout.headerOffset = 0;
    layout.filePropertiesOffset = header.fileProperties;
    layout.dataObjectOffset = header.dataObject;
    layout.firstPacketOffset = shift;
    layout.packetSize = static_cast<uint32_t>(header.packetSize);
    layout.declaredPacketCount = header.declaredPacketCount;
    layout.declaredDataObjectSize = header.declaredDataObjectSize;
    for (auto& run : layout.packetRuns)
        run.offset += shift;
    layout.valid = layout.packetCount > 0;
    return layout;
}

// The latest packet end time of the runs, 0 when no packet says one.
uint64_t lastPacketEnd(ByteView packetSource, const std::vector<AsfPacketRun>& runs, uint64_t packetSize)
{
    uint64_t lastEnd = 0;
    for (const auto& run : runs) {
        for (uint64_t i = 0; i < run.count; ++i) {
            checkpoint(run.offset + i * packetSize, packetSource.size());
            uint64_t endTime = 0;
            if (asfPacketEndTime(packetSource, run.offset + i * packetSize, packetSize, endTime))
                lastEnd = std::max(lastEnd, endTime);
        }
    }
    return lastEnd;
}

// Recomputes the size, count and duration fields of a header region (F and D are the file
// properties and data object offsets inside it) for a file of `total` bytes.
void patchAsfHeader(ByteBuffer& out, uint64_t total, uint64_t F, uint64_t D, uint64_t lastEnd, uint64_t packetCount,
                    uint64_t packetSize)
{
    putLe64(out, F + 40, total);
    putLe64(out, F + 56, packetCount);
    if (lastEnd > 0) {
        // Durations are in 100-ns units; the preroll (milliseconds) comes from the header as it is.
        const uint64_t preroll = readLe64(out, F + 80);
        uint64_t playMs = 0, play = 0;
        if (checkedAdd(lastEnd, preroll, playMs) && checkedMul(playMs, 10000, play))
            putLe64(out, F + 64, play);
        putLe64(out, F + 72, lastEnd * 10000);
    }
    putLe64(out, D + 16, packetCount * packetSize + kAsfDataObjectHeaderSize);
    putLe64(out, D + 40, packetCount);
}

// Header region [begin, end) of headerSource, then the packets of runs from packetSource, with
// the size, count and duration fields recomputed. F and D are the file properties and data
// object offsets inside the region.
void buildAsfOutput(ByteBuffer& out, ByteView headerSource, uint64_t begin, uint64_t end, uint64_t F,
                    uint64_t D, ByteView packetSource, const std::vector<AsfPacketRun>& runs,
                    uint64_t packetCount, uint64_t packetSize)
{
    out.clear();
    out.reserve(end - begin + packetCount * packetSize);
    appendRange(out, headerSource, begin, end - begin);
    for (const auto& run : runs)
        appendRange(out, packetSource, run.offset, run.count * packetSize);
    patchAsfHeader(out, out.size(), F, D, lastPacketEnd(packetSource, runs, packetSize), packetCount, packetSize);
}

// The same file as buildAsfOutput with the packets copied from the input file: the fields it
// recomputes all lie inside the header region, so only that region is new bytes.
void buildAsfPieces(OutputPieces& out, ByteView headerSource, uint64_t begin, uint64_t end, uint64_t F,
                    uint64_t D, const std::vector<AsfPacketRun>& runs, uint64_t packetCount, uint64_t packetSize)
{
    ByteView input = out.input();
    ByteBuffer header = sliceBytes(headerSource, begin, end - begin);
    uint64_t total = header.size();
    for (const auto& run : runs)
        if (run.offset < input.size())
            total += std::min<uint64_t>(run.count * packetSize, input.size() - run.offset);
    patchAsfHeader(header, total, F, D, lastPacketEnd(input, runs, packetSize), packetCount, packetSize);
    out.append(std::move(header));
    for (const auto& run : runs)
        out.appendInput(run.offset, run.count * packetSize);
}

ByteBuffer readAsfSample(const RepairRequest& request, std::string& message)
{
    if (request.sample.path.empty())
        return {};
    return readFileHead(pathFromUtf8(request.sample.path), kSampleReadLimit, &message);
}

} // namespace

bool joinAsfSampleHeader(ByteView damaged, ByteView sample, ByteBuffer* joined, AsfLayout* layout,
                         std::string* message)
{
    BorrowedAsfHeader header;
    AsfLayout walk;
    if (!borrowAsfHeader(sample, header, message) || !matchBorrowedHeader(damaged, header, walk, message))
        return false;
    if (joined != nullptr)
        buildAsfOutput(*joined, header.region, 0, header.region.size(), header.fileProperties, header.dataObject,
                       damaged, walk.packetRuns, walk.packetCount, header.packetSize);
    if (layout != nullptr)
        *layout = joinedLayout(header, walk);
    return true;
}

ByteBuffer rewriteAsfPackets(ByteView bytes, const AsfLayout& layout)
{
    ByteBuffer out;
    buildAsfOutput(out, bytes, layout.headerOffset, layout.firstPacketOffset,
                   layout.filePropertiesOffset - layout.headerOffset, layout.dataObjectOffset - layout.headerOffset,
                   bytes, layout.packetRuns, layout.packetCount, layout.packetSize);
    return out;
}

RepairResult analyzeAsf(const RepairRequest& request, ByteView bytes)
{
    RepairResult result = prepareVideoResult(request, bytes);
    result.format = asfFormatName(request);
    const uint64_t size = bytes.size();
    const uint64_t h = findAsfHeaderGuid(bytes);
    if (h == npos) {
        bool compatible = false;
        std::string message;
        const ByteBuffer sample = readAsfSample(request, message);
        if (!sample.empty())
            compatible = joinAsfSampleHeader(bytes, sample, nullptr, nullptr, &message);
        result.addFinding(HeaderMissing, compatible ? Warning : Error, "ASF header GUID was not found", 0, 0,
                          compatible, 0.95);
        result.sampleRequired = !compatible;
        if (!compatible) {
            result.setStatus(RepairStatus::failure(kVideoAsfNotFound, message.empty() ? kNeedSample : message));
            result.confidence = 0.2;
        } else {
            result.confidence = 0.55;
        }
        return result;
    }

    if (h > 0)
        result.addFinding(HeaderDamaged, Warning, "garbage bytes before ASF header GUID", 0, h, true, 0.9);
    const AsfObjectChain chain = walkAsfObjects(bytes, h);
    if (chain.broken)
        result.addFinding(Truncated, Warning, "ASF object size is invalid or truncated", chain.brokenOffset,
                          chain.brokenSize, true, 0.86);
    if (chain.objects == 0)
        result.addFinding(IndexDamaged, Warning, "ASF object table could not be walked", 0, 0, true, 0.75);
    const AsfLayout layout = parseAsfLayout(bytes, h, nullptr, false);
    if (hasPacketDamage(layout, size)) {
        result.addFinding(Truncated, Warning, "ASF fixed-size data packets are missing or misaligned",
                          layout.firstPacketOffset, layout.skippedBytes, true, 0.94);
        if (layout.resyncCount > 0)
            result.addFinding(IndexDamaged, Warning, "ASF packet boundaries can be resynchronized after deleted bytes",
                              layout.firstPacketOffset, layout.resyncCount, true, 0.96);
    }
    result.confidence = chain.objects > 0 ? 0.82 : 0.6;
    return result;
}

RepairResult repairAsfFrom(RepairResult result, const RepairRequest& request, ByteView bytes)
{
    if (!shouldRepair(result, request))
        return result;
    const std::string extension = result.format.empty() || result.format == "unknown" ? "asf" : result.format;
    const uint64_t size = bytes.size();
    const uint64_t h = findAsfHeaderGuid(bytes);

    if (h == npos) {
        std::string message;
        BorrowedAsfHeader header;
        AsfLayout walk;
        bool compatible = false;
        {
            // Only the borrowed header outlives this block; the sample's bytes are released
            // before the output is built.
            const ByteBuffer sample = readAsfSample(request, message);
            compatible = !sample.empty() && borrowAsfHeader(sample, header, &message) &&
                         matchBorrowedHeader(bytes, header, walk, &message);
        }
        if (!compatible) {
            result.setStatus(RepairStatus::failure(kVideoAsfNotFound,
                                                   message.empty() ? "compatible normal ASF sample is required" : message));
            return result;
        }
        result.addAction("borrow-compatible-asf-header",
                         "restored ASF stream metadata from a structurally compatible normal sample", header.region.size());
        result.addAction("resynchronize-asf-packets",
                         "located complete surviving ASF packets and discarded partial packet fragments", walk.skippedBytes);
        result.addAction("rewrite-asf-object-sizes", "updated ASF duration, file size, data object length and packet counts",
                         walk.packetCount);
        result.usedReference = true;
        result.notes.push_back(
            "deleted header metadata was restored from the selected compatible sample; missing media packets remain omitted");
        buildAndWriteVideo(result, request, bytes, extension, kVideoAsfWrite, 0.86, [&](OutputPieces& out) {
            buildAsfPieces(out, header.region, 0, header.region.size(), header.fileProperties, header.dataObject,
                           walk.packetRuns, walk.packetCount, header.packetSize);
        });
        return result;
    }

    const AsfLayout layout = parseAsfLayout(bytes, h, nullptr, false);
    if (hasPacketDamage(layout, size)) {
        result.addAction("resynchronize-asf-packets", "discarded partial packets and restored fixed ASF packet boundaries",
                         layout.skippedBytes);
        result.addAction("rewrite-asf-object-sizes", "updated ASF file size, data object length and packet counts",
                         layout.packetCount);
        result.notes.push_back("damaged ASF packets were omitted; playback contains a short gap at the deleted region");
        buildAndWriteVideo(result, request, bytes, extension, kVideoAsfWrite, layout.resyncCount > 0 ? 0.94 : 0.88,
                           [&](OutputPieces& out) {
                               buildAsfPieces(out, bytes, layout.headerOffset, layout.firstPacketOffset,
                                              layout.filePropertiesOffset - layout.headerOffset,
                                              layout.dataObjectOffset - layout.headerOffset, layout.packetRuns,
                                              layout.packetCount, layout.packetSize);
                           });
        return result;
    }

    // Trim: bytes before the header and a partial object after the last whole one. The data
    // object, or whatever object the chain broke on before it was complete, is never cut: a
    // cut file keeps every byte of media it still has.
    const AsfObjectChain chain = walkAsfObjects(bytes, h);
    uint64_t end = size;
    if (chain.objects > 0 && (!chain.broken || chain.dataObjectWhole))
        end = chain.end;
    if (h > 0)
        result.addAction("trim-asf-prefix", "removed bytes before ASF header GUID", h);
    if (end < size)
        result.addAction("trim-asf-tail", "removed truncated ASF tail bytes", size - end);
    writeInputRange(result, request, bytes, h, end, extension, kVideoAsfWrite, 0.82);
    return result;
}

} // namespace data_repair
