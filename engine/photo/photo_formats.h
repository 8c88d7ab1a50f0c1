#pragma once

// The photo engine's format workers and the helpers they share. Every worker takes the request
// and the whole input, returns a RepairResult and never throws on damaged input.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "data_repair/byte_buffer.h"
#include "data_repair/format_extensions.h"
#include "data_repair/records.h"

namespace data_repair {

class OutputPieces;

// Photo status codes. 24 and 25 each carry two meanings (PNG or GIF, and RAW), told apart by the
// result's format. The numbers belong to results already given out and stay; each meaning has
// its own name.
inline constexpr int32_t kPhotoNotPhoto = 20;
inline constexpr int32_t kPhotoJpegWrite = 21;
inline constexpr int32_t kPhotoPngMissing = 22;
inline constexpr int32_t kPhotoPngWrite = 23;
inline constexpr int32_t kPhotoPngPixels = 24;
inline constexpr int32_t kPhotoRawNothing = 24;
inline constexpr int32_t kPhotoGifMissing = 25;
inline constexpr int32_t kPhotoRawWrite = 25;
inline constexpr int32_t kPhotoGifWrite = 26;
inline constexpr int32_t kPhotoBmpMissing = 27;
inline constexpr int32_t kPhotoBmpWrite = 28;
inline constexpr int32_t kPhotoPngTooLarge = 29;

inline constexpr const char* kJpegNeedsSample =
    "JPEG header is missing; a compatible normal sample is required";

// --- shared ------------------------------------------------------------------------------------

RepairResult beginPhotoResult(const RepairRequest& request, ByteView buffer);
bool isJpegExtension(const std::string& lowerExt);
bool isRawTiffExtension(const std::string& lowerExt);
// Writes the main "_repaired" output of the JPEG, PNG, BMP and GIF repairers (kind
// "repaired-photo", note = extension word) and sets the confidence on success.
void writePhotoOutput(RepairResult& result, const RepairRequest& request, ByteView bytes,
                      const std::string& extension, int32_t writeCode);
void writePhotoOutput(RepairResult& result, const RepairRequest& request, const OutputPieces& pieces,
                      const std::string& extension, int32_t writeCode);
// The first position at or after start where a byte pair occurs; npos when none.
uint64_t findPair(ByteView buffer, uint8_t a, uint8_t b, uint64_t start = 0);
// The last position p in [from, end) with buffer[p] = a and buffer[p + 1] = b (p + 1 < end).
uint64_t rfindPair(ByteView buffer, uint8_t a, uint8_t b, uint64_t from, uint64_t end);

// Reads the sample named by the request, at most its first kPhotoSampleHeadLimit bytes. An empty
// result carries the text to show the user.
inline constexpr uint64_t kPhotoSampleHeadLimit = 64ull << 20;
struct SampleFile {
    bool given = false;
    ByteBuffer bytes;
    std::string error;
};
SampleFile readSample(const RepairRequest& request);

// --- JPEG --------------------------------------------------------------------------------------

struct JpegMarkerScan {
    uint64_t soiOffset = npos;
    uint64_t eoiOffset = npos;
    uint64_t sosOffset = npos;
    uint64_t scanDataOffset = npos;
    uint64_t headerEnd = npos;
    uint64_t lastRestartOffset = npos;
    uint64_t badMarkerOffset = npos;
    uint8_t badMarker = 0;
    bool hasQuantTables = false;
    bool hasHuffmanTables = false;
    // Tables the first scan uses that no DQT or DHT before it defines: bit n for quantisation
    // table n; bit n for DC and bit 4 + n for AC Huffman table n.
    uint8_t undefinedQuantTables = 0;
    uint8_t undefinedHuffmanTables = 0;
    bool hasFrameHeader = false;
    bool structureError = false;
    bool invalidMarker = false;
};

JpegMarkerScan scanJpegMarkers(ByteView buffer);
uint64_t findJpegEoi(ByteView buffer);
uint64_t findLastMarker(ByteView buffer, uint8_t code);
std::vector<ByteBuffer> collectJpegSegments(ByteView buffer, uint8_t code);
bool hasJpegSegment(ByteView buffer, uint8_t code);
ByteBuffer jpegSampleHeader(ByteView buffer);
// The sample header without its APP1 segments: a borrowed header must not carry another
// photo's EXIF (date, position, camera serial, thumbnail) into the user's file.
ByteBuffer graftableSampleHeader(ByteView sample);

RepairResult analyzeJpeg(const RepairRequest& request, ByteView buffer, SampleFile* sampleOut = nullptr);
RepairResult repairJpeg(const RepairRequest& request, ByteView buffer);
void extractApp1Preview(const RepairRequest& request, ByteView buffer, RepairResult& result);

// A complete JPEG stream inside a larger buffer: [begin, end). Empty when begin == end.
struct JpegSpan {
    uint64_t begin = 0;
    uint64_t end = 0;
    bool empty() const { return end <= begin; }
    uint64_t size() const { return end - begin; }
};
// Looks for a walkable embedded JPEG (SOI, frame, DQT, SOS, entropy data, EOI) at the first
// bounded number of SOI candidates; the span ends at the candidate's own EOI.
JpegSpan findEmbeddedJpegSpan(ByteView buffer);
ByteBuffer findEmbeddedJpeg(ByteView buffer);

// --- PNG, BMP, GIF -----------------------------------------------------------------------------

uint64_t findPngSignature(ByteView buffer);
void appendPngChunk(ByteBuffer& output, const std::string& type, const uint8_t* data, uint64_t size);
bool inflatePartial(ByteView compressed, uint64_t expectedSize, ByteBuffer& output, uint64_t& produced);
RepairResult analyzePng(const RepairRequest& request, ByteView buffer);
RepairResult repairPng(const RepairRequest& request, ByteView buffer);

uint64_t findBmpHeader(ByteView buffer);
uint64_t findGifHeader(ByteView buffer);
RepairResult analyzeBmp(const RepairRequest& request, ByteView buffer);
RepairResult repairBmp(const RepairRequest& request, ByteView buffer);
RepairResult analyzeGif(const RepairRequest& request, ByteView buffer);
RepairResult repairGif(const RepairRequest& request, ByteView buffer);

// --- TIFF and camera RAW -----------------------------------------------------------------------

struct IfdRecovery {
    bool found = false;
    bool littleEndian = true;
    uint64_t ifdOffset = 0;
    uint64_t prefixLength = 0;
    int32_t score = 0;
};

struct IfdEntry {
    uint16_t tag = 0;
    uint16_t type = 0;
    uint32_t count = 0;
    uint32_t value = 0; // the raw value field read in file order
    uint64_t fieldPos = 0;
};

uint64_t tiffTypeSize(uint16_t type);
uint16_t readU16Ordered(ByteView buffer, uint64_t pos, bool littleEndian);
uint32_t readU32Ordered(ByteView buffer, uint64_t pos, bool littleEndian);
void putU32Ordered(ByteBuffer& buffer, uint64_t pos, uint32_t value, bool littleEndian);
uint64_t findTiffHeader(ByteView buffer);
uint64_t findRawSignature(ByteView buffer);
uint64_t findCr3Ftyp(ByteView buffer);
bool readIfdValues(ByteView buffer, const IfdEntry& entry, bool littleEndian, uint64_t prefixLength,
                   std::vector<uint32_t>& values);

IfdRecovery recoverHeaderlessIfd(ByteView buffer);
// Puts back the zero-filled prefix and a header pointing at the recovered IFD.
void rebuildTiffHeader(ByteBuffer& work, const IfdRecovery& ifd, RepairResult& report);

ByteBuffer repairCr3Boxes(ByteView data, RepairResult& report);

// What the TIFF/RAW analysis found, handed on to the repair so nothing is searched twice.
struct TiffRawFacts {
    std::string ext;
    JpegSpan preview;
    uint64_t tiffHeader = npos;
    uint64_t rawStart = npos; // start of a RAF/CRW container (the signature or its CRW header)
    bool rawFirst = false;    // the RAW container starts before any TIFF header found
    uint64_t cr3Start = npos;
    IfdRecovery ifd;
    // Where the image data the TIFF directories name ends, from the TIFF header; 0 when unknown.
    uint64_t dataEnd = 0;
};
// The end of the strips and tiles that the directories of a TIFF (starting at its header) name:
// the first directories of the chain and their SubIFDs. 0 when none can be read.
uint64_t tiffImageDataEnd(ByteView tiff);
RepairResult analyzeTiffRaw(const RepairRequest& request, ByteView data, const std::string& ext,
                            TiffRawFacts* facts = nullptr);
RepairResult repairTiffRaw(const RepairRequest& request, ByteView data, const std::string& ext);
bool extractRawPreview(const RepairRequest& request, ByteView bytes, const JpegSpan& preview,
                       RepairResult& report);

// --- dispatch table ----------------------------------------------------------------------------

// `ext` is the extension the format goes by: the file's own when its name chose the entry, else
// the entry's contentExtension.
using PhotoCall = RepairResult (*)(const RepairRequest&, ByteView, const std::string& ext);
struct PhotoFormat {
    std::string_view name;
    ExtensionSets extensions;
    bool (*start)(ByteView);      // its signature opens the file
    uint64_t (*locate)(ByteView); // its signature further in, npos when none
    std::string_view contentExtension;
    PhotoCall analyze;
    PhotoCall repair;
};
// The photo formats; the last entry refuses other containers (a ZIP, PDF, ISO or RIFF file
// named like a photo) and goes by no extension.
std::span<const PhotoFormat> photoFormats();

} // namespace data_repair
