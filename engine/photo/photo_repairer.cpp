#include "photo/photo_repairer.h"

#include <array>
#include <cstring>

#include "core/result_start.h"
#include "data_repair/checkpoint.h"
#include "data_repair/detection.h"
#include "data_repair/dispatch_preamble.h"
#include "data_repair/file_access.h"
#include "data_repair/format_rules.h"
#include "data_repair/output_writer.h"
#include "photo/photo_formats.h"

namespace data_repair {

RepairResult beginPhotoResult(const RepairRequest& request, ByteView buffer)
{
    return beginResult(request, Photo, buffer);
}

bool isJpegExtension(const std::string& lowerExt) { return isListed(extensions::kJpeg, lowerExt); }

bool isRawTiffExtension(const std::string& e) { return isListed(extensions::kTiffRaw, e); }

namespace {

template <typename Output>
void writePhotoOutputOf(RepairResult& result, const RepairRequest& request, const Output& bytes,
                        const std::string& extension, int32_t writeCode)
{
    const bool untouched = result.actions.empty();
    if (writeRepairedOutput(result, request, bytes, extension, "repaired-photo", writeCode)) {
        // PNG gets its own pair of confidences; the others share 0.96 / 0.82.
        if (extension == "png")
            result.confidence = untouched ? 0.96 : 0.8;
        else if (extension == "jpg")
            result.confidence = untouched ? 0.95 : 0.82;
        else
            result.confidence = untouched ? 0.96 : 0.82;
    }
}

} // namespace

void writePhotoOutput(RepairResult& result, const RepairRequest& request, ByteView bytes,
                      const std::string& extension, int32_t writeCode)
{
    writePhotoOutputOf(result, request, bytes, extension, writeCode);
}

void writePhotoOutput(RepairResult& result, const RepairRequest& request, const OutputPieces& pieces,
                      const std::string& extension, int32_t writeCode)
{
    writePhotoOutputOf(result, request, pieces, extension, writeCode);
}

uint64_t findPair(ByteView buffer, uint8_t a, uint8_t b, uint64_t start)
{
    const uint64_t n = buffer.size();
    if (n < 2)
        return npos;
    for (uint64_t i = start; i + 1 < n;) {
        checkpoint(i, n);
        const void* hit = std::memchr(buffer.data() + i, a, n - 1 - i);
        if (hit == nullptr)
            return npos;
        const uint64_t p = static_cast<uint64_t>(static_cast<const uint8_t*>(hit) - buffer.data());
        if (buffer[p + 1] == b)
            return p;
        i = p + 1;
    }
    return npos;
}

uint64_t rfindPair(ByteView buffer, uint8_t a, uint8_t b, uint64_t from, uint64_t end)
{
    if (end > buffer.size())
        end = buffer.size();
    if (end < 2 || from >= end - 1)
        return npos;
    for (uint64_t p = end - 1; p-- > from;) {
        checkpointStep(end - p, end);
        if (buffer[p] == a && buffer[p + 1] == b)
            return p;
    }
    return npos;
}

SampleFile readSample(const RepairRequest& request)
{
    SampleFile sample;
    if (request.sample.path.empty())
        return sample;
    sample.given = true;
    // Only the sample's header is borrowed: a large sample is read as far as the limit.
    sample.bytes = readFileHead(pathFromUtf8(request.sample.path), kPhotoSampleHeadLimit, &sample.error);
    if (sample.bytes.empty() && sample.error.empty())
        sample.error = "sample file is empty";
    return sample;
}

namespace {

bool isOtherContainer(ByteView b)
{
    const uint64_t n = b.size();
    if (n >= 4 && b[0] == 'P' && b[1] == 'K' && (b[2] == 3 || b[2] == 5 || b[2] == 7) &&
        (b[3] == 4 || b[3] == 6 || b[3] == 8))
        return true;
    if (n >= 5 && matchesAt(b, 0, "%PDF-"))
        return true;
    return n > 11 && (matchesAt(b, 4, "ftyp") || matchesAt(b, 0, "RIFF"));
}

// A BMP file header followed by a known info-header size and a pixel offset inside the file.
bool plausibleBmpStart(ByteView b)
{
    if (b.size() < 26 || !matchesAt(b, 0, "BM"))
        return false;
    const uint32_t offset = readLe32(b, 10);
    const uint32_t info = readLe32(b, 14);
    const bool knownInfo = info == 12 || info == 40 || info == 52 || info == 56 || info == 64 || info == 108 ||
                           info == 124;
    return knownInfo && offset >= 14 + info && offset <= b.size();
}

bool tiffAtStart(ByteView b)
{
    return matchesAt(b, 0, ByteBuffer{0x49, 0x49, 0x2A, 0x00}) || matchesAt(b, 0, ByteBuffer{0x4D, 0x4D, 0x00, 0x2A});
}

bool jpegAtStart(ByteView b) { return b.size() >= 3 && b[0] == 0xFF && b[1] == 0xD8 && b[2] == 0xFF; }
uint64_t findJpegSoi(ByteView b) { return findPair(b, 0xFF, 0xD8); }

RepairResult refuse(const RepairRequest& request, ByteView buffer, const char* message,
                    const char* findingText)
{
    RepairResult result = beginPhotoResult(request, buffer);
    result.addFinding(UnsupportedFormat, Error, findingText, 0, 0, false, 1.0);
    result.setStatus(RepairStatus::failure(kPhotoNotPhoto, message));
    return result;
}

RepairResult analyzeJpegAs(const RepairRequest& r, ByteView b, const std::string&)
{
    return analyzeJpeg(r, b);
}
RepairResult repairJpegAs(const RepairRequest& r, ByteView b, const std::string&) { return repairJpeg(r, b); }
RepairResult analyzePngAs(const RepairRequest& r, ByteView b, const std::string&) { return analyzePng(r, b); }
RepairResult repairPngAs(const RepairRequest& r, ByteView b, const std::string&) { return repairPng(r, b); }
RepairResult analyzeGifAs(const RepairRequest& r, ByteView b, const std::string&) { return analyzeGif(r, b); }
RepairResult repairGifAs(const RepairRequest& r, ByteView b, const std::string&) { return repairGif(r, b); }
RepairResult analyzeBmpAs(const RepairRequest& r, ByteView b, const std::string&) { return analyzeBmp(r, b); }
RepairResult repairBmpAs(const RepairRequest& r, ByteView b, const std::string&) { return repairBmp(r, b); }
RepairResult analyzeTiffRawAs(const RepairRequest& r, ByteView b, const std::string& ext)
{
    return analyzeTiffRaw(r, b, ext);
}

RepairResult refuseOtherContainer(const RepairRequest& request, ByteView buffer, const std::string&)
{
    return refuse(request, buffer, "input content is not a photo container",
                  "file extension suggests a photo, but the file signature belongs to another container format");
}

using namespace extensions;

constexpr std::array<ExtensionList, 1> kJpegNames{kJpeg};
constexpr std::array<ExtensionList, 1> kPngNames{kPng};
constexpr std::array<ExtensionList, 1> kGifNames{kGif};
constexpr std::array<ExtensionList, 1> kBmpNames{kBmp};
constexpr std::array<ExtensionList, 1> kTiffRawNames{kTiffRaw};

constexpr std::array<PhotoFormat, 6> kFormats{{
    {"jpeg", kJpegNames, jpegAtStart, findJpegSoi, "jpg", analyzeJpegAs, repairJpegAs},
    {"png", kPngNames, hasPngSignature, findPngSignature, "png", analyzePngAs, repairPngAs},
    {"gif", kGifNames, isGifStart, findGifHeader, "gif", analyzeGifAs, repairGifAs},
    {"bmp", kBmpNames, plausibleBmpStart, findBmpHeader, "bmp", analyzeBmpAs, repairBmpAs},
    {"tiff-raw", kTiffRawNames, tiffAtStart, nullptr, "tif", analyzeTiffRawAs, repairTiffRaw},
    {"other-container", {}, isOtherContainer, nullptr, "", refuseOtherContainer, refuseOtherContainer},
}};
constexpr const PhotoFormat* kJpegFormat = &kFormats[0];
constexpr const PhotoFormat* kPngFormat = &kFormats[1];
constexpr const PhotoFormat* kGifFormat = &kFormats[2];
constexpr const PhotoFormat* kBmpFormat = &kFormats[3];
constexpr const PhotoFormat* kTiffRawFormat = &kFormats[4];
constexpr const PhotoFormat* kOtherContainer = &kFormats[5];

// The RAW/TIFF names come first: their containers hold JPEG previews and TIFF structure that
// would otherwise claim them. Then a complete signature at the very start names the format
// whatever the extension says (a JPEG saved as .png is common); the searches after it are for
// damaged starts.
constexpr std::array<FormatRule<PhotoFormat>, 14> kRules{{
    {Clue::Extension, kTiffRawFormat},
    {Clue::Start, kPngFormat},
    {Clue::Start, kJpegFormat},
    {Clue::Start, kGifFormat},
    {Clue::Start, kBmpFormat},
    {Clue::Start, kTiffRawFormat},
    {Clue::AnywhereOrExtension, kPngFormat},
    {Clue::Start, kOtherContainer},
    {Clue::Extension, kGifFormat},
    {Clue::Extension, kBmpFormat},
    {Clue::Anywhere, kJpegFormat},
    {Clue::Extension, kJpegFormat},
    {Clue::Anywhere, kGifFormat},
    {Clue::Anywhere, kBmpFormat},
}};

constexpr EntryPreamble kPreamble{Photo, beginPhotoResult};

RepairResult run(const RepairRequest& request, ByteView buffer, bool repairing)
{
    const std::string ext = lowerExtension(pathFromUtf8(request.input.path));
    const FormatMatch<PhotoFormat> match = firstMatch<PhotoFormat>(kRules, ext, buffer);
    if (match.format == nullptr)
        return refuse(request, buffer, "unsupported photo format",
                      "supported photo repair formats are JPEG, PNG, GIF, BMP, TIFF and RAW camera containers");
    const std::string formatExt = match.clue == Clue::Extension ? ext : std::string(match.format->contentExtension);
    return repairing ? match.format->repair(request, buffer, formatExt)
                     : match.format->analyze(request, buffer, formatExt);
}

} // namespace

std::span<const PhotoFormat> photoFormats() { return kFormats; }

RepairResult PhotoRepairer::analyze(const RepairRequest& request, IProgress* progress) const
{
    return runEntry(request, progress, kPreamble, false,
                    [&](ByteView buffer) { return run(request, buffer, false); });
}

RepairResult PhotoRepairer::repair(const RepairRequest& request, IProgress* progress) const
{
    return runEntry(request, progress, kPreamble, true,
                    [&](ByteView buffer) { return run(request, buffer, true); });
}

} // namespace data_repair
