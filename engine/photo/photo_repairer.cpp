#include "photo/photo_repairer.h"

#include <cstring>

#include "data_repair/checkpoint.h"
#include "data_repair/detection.h"
#include "data_repair/dispatch_preamble.h"
#include "data_repair/file_access.h"
#include "data_repair/output_writer.h"
#include "photo/photo_formats.h"

namespace data_repair {

RepairResult beginPhotoResult(const RepairRequest& request, const ByteBuffer& buffer)
{
    RepairResult result = startResult(request, Photo,
                                      detectFormatName(pathFromUtf8(request.input.path), buffer), buffer.size());
    result.setStatus(RepairStatus::success());
    return result;
}

bool isJpegExtension(const std::string& lowerExt) { return lowerExt == "jpg" || lowerExt == "jpeg"; }

bool isRawTiffExtension(const std::string& e)
{
    static const char* const kSet[] = {"cr3", "cr2", "nef", "nrw", "raf", "dng", "arw", "gpr", "tif", "tiff", "crw"};
    for (const char* item : kSet)
        if (e == item)
            return true;
    return false;
}

void writePhotoOutput(RepairResult& result, const RepairRequest& request, const ByteBuffer& bytes,
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

uint64_t findPair(const ByteBuffer& buffer, uint8_t a, uint8_t b, uint64_t start)
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

uint64_t rfindPair(const ByteBuffer& buffer, uint8_t a, uint8_t b, uint64_t from, uint64_t end)
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
    sample.bytes = readFile(pathFromUtf8(request.sample.path), &sample.error);
    if (sample.bytes.empty() && sample.error.empty())
        sample.error = "sample file is empty";
    return sample;
}

namespace {

enum class PhotoFormat { Jpeg, Png, Gif, Bmp, TiffRaw, OtherContainer, Unknown };

bool isOtherContainer(const ByteBuffer& b)
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
bool plausibleBmpStart(const ByteBuffer& b)
{
    if (b.size() < 26 || !matchesAt(b, 0, "BM"))
        return false;
    const uint32_t offset = readLe32(b, 10);
    const uint32_t info = readLe32(b, 14);
    const bool knownInfo = info == 12 || info == 40 || info == 52 || info == 56 || info == 64 || info == 108 ||
                           info == 124;
    return knownInfo && offset >= 14 + info && offset <= b.size();
}

bool tiffAtStart(const ByteBuffer& b)
{
    return matchesAt(b, 0, ByteBuffer{0x49, 0x49, 0x2A, 0x00}) || matchesAt(b, 0, ByteBuffer{0x4D, 0x4D, 0x00, 0x2A});
}

PhotoFormat choose(const std::string& ext, const ByteBuffer& b, std::string& tiffExt)
{
    tiffExt = ext;
    if (isRawTiffExtension(ext))
        return PhotoFormat::TiffRaw;
    // A complete signature at the very start names the format whatever the extension says
    // (a JPEG saved as .png is common); the loose searches below are for damaged starts.
    if (hasPngSignature(b))
        return PhotoFormat::Png;
    if (b.size() >= 3 && b[0] == 0xFF && b[1] == 0xD8 && b[2] == 0xFF)
        return PhotoFormat::Jpeg;
    if (isGifStart(b))
        return PhotoFormat::Gif;
    if (plausibleBmpStart(b))
        return PhotoFormat::Bmp;
    if (tiffAtStart(b)) {
        tiffExt = "tif";
        return PhotoFormat::TiffRaw;
    }
    if (findPngSignature(b) != npos || ext == "png")
        return PhotoFormat::Png;
    if (isOtherContainer(b))
        return PhotoFormat::OtherContainer;
    if (ext == "gif")
        return PhotoFormat::Gif;
    if (ext == "bmp")
        return PhotoFormat::Bmp;
    if (findPair(b, 0xFF, 0xD8) != npos)
        return PhotoFormat::Jpeg;
    if (isJpegExtension(ext))
        return PhotoFormat::Jpeg;
    if (findGifHeader(b) != npos)
        return PhotoFormat::Gif;
    if (findBmpHeader(b) != npos)
        return PhotoFormat::Bmp;
    return PhotoFormat::Unknown;
}

RepairResult refuse(const RepairRequest& request, const ByteBuffer& buffer, const char* message,
                    const char* findingText)
{
    RepairResult result = beginPhotoResult(request, buffer);
    result.addFinding(UnsupportedFormat, Error, findingText, 0, 0, false, 1.0);
    result.setStatus(RepairStatus::failure(kPhotoNotPhoto, message));
    return result;
}

constexpr EntryPreamble kPreamble{Photo, beginPhotoResult};

RepairResult run(const RepairRequest& request, const ByteBuffer& buffer, bool repairing)
{
    std::string tiffExt;
    switch (choose(lowerExtension(pathFromUtf8(request.input.path)), buffer, tiffExt)) {
    case PhotoFormat::TiffRaw:
        return repairing ? repairTiffRaw(request, buffer, tiffExt) : analyzeTiffRaw(request, buffer, tiffExt);
    case PhotoFormat::Png:
        return repairing ? repairPng(request, buffer) : analyzePng(request, buffer);
    case PhotoFormat::Jpeg:
        return repairing ? repairJpeg(request, buffer) : analyzeJpeg(request, buffer);
    case PhotoFormat::Gif:
        return repairing ? repairGif(request, buffer) : analyzeGif(request, buffer);
    case PhotoFormat::Bmp:
        return repairing ? repairBmp(request, buffer) : analyzeBmp(request, buffer);
    case PhotoFormat::OtherContainer:
        return refuse(request, buffer, "input content is not a photo container",
                      "file extension suggests a photo, but the file signature belongs to another container format");
    case PhotoFormat::Unknown:
        break;
    }
    return refuse(request, buffer, "unsupported photo format",
                  "supported photo repair formats are JPEG, PNG, GIF, BMP, TIFF and RAW camera containers");
}

} // namespace

RepairResult PhotoRepairer::analyze(const RepairRequest& request, IProgress* progress) const
{
    return runEntry(request, progress, kPreamble, false,
                    [&](const ByteBuffer& buffer) { return run(request, buffer, false); });
}

RepairResult PhotoRepairer::repair(const RepairRequest& request, IProgress* progress) const
{
    return runEntry(request, progress, kPreamble, true,
                    [&](const ByteBuffer& buffer) { return run(request, buffer, true); });
}

} // namespace data_repair
