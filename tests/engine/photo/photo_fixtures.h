#pragma once

// Small photo fixtures built in the tests: JPEGs encoded by cjpeg, PNG, GIF, BMP, TIFF and RAW
// look-alikes written byte by byte.

#include <zlib.h>

#include <string>
#include <vector>

#include "data_repair/engine.h"
#include "test_support.h"

namespace photo_fixtures {

using data_repair::ByteBuffer;
namespace fs = std::filesystem;

// Encodes a w x h colour gradient with cjpeg (extra options such as "-restart 1").
ByteBuffer encodeJpeg(const test_support::TempDir& dir, int w, int h, const std::string& options = "");
// Inserts an EXIF APP1 right after SOI that carries `thumbnail` as its IFD1 JPEG.
ByteBuffer withExifThumbnail(const ByteBuffer& jpeg, const ByteBuffer& thumbnail);
// Position of the first FF xx marker pair, or npos.
uint64_t findMarker(const ByteBuffer& b, uint8_t code, uint64_t from = 0);
// Byte sequence without the segment (marker + length + payload) that starts at pos.
ByteBuffer withoutSegment(const ByteBuffer& b, uint64_t pos);
// Image width and height as djpeg decodes them ("" when it fails); exit code in *exitCode.
std::string djpegSize(const fs::path& file, int* exitCode = nullptr);

// PNG pieces.
ByteBuffer pngChunk(const std::string& type, const ByteBuffer& data);
ByteBuffer ihdr(uint32_t w, uint32_t h, int depth, int colourType, int interlace);
// Raw (filtered with filter 0) scanlines of a deterministic image, Adam7 layout when interlaced.
ByteBuffer rawImage(uint32_t w, uint32_t h, int bytesPerPixel, bool interlaced);
ByteBuffer zlibCompress(const ByteBuffer& raw, int level = 9);
ByteBuffer zlibDecompress(const ByteBuffer& data, uint64_t expected);
// Signature, IHDR, `extra` chunks, the compressed stream split into IDATs of `idatSize`, IEND.
ByteBuffer makePng(uint32_t w, uint32_t h, int depth, int colourType, int interlace, uint64_t idatSize,
                   const std::vector<ByteBuffer>& extra = {});
// All IDAT data of a PNG, concatenated.
ByteBuffer idatData(const ByteBuffer& png);
int countChunks(const ByteBuffer& png, const std::string& type);

// A 4x4 24-bit BMP.
ByteBuffer makeBmp();

// TIFF: a 16x16 8-bit grey image in four strips, the IFD after the strips (or right after the
// header with ifdFirst), out-of-line arrays directly after the IFD.
struct TiffLayout {
    ByteBuffer bytes;
    uint64_t ifdOffset = 0;
    uint64_t firstStrip = 0;
    uint64_t stripSize = 0;
};
TiffLayout makeTiff(bool littleEndian, bool ifdFirst = false, const ByteBuffer& blobAfterStrips = {});

// Runs a python script with the system python (which carries PIL).
test_support::CommandResult python(const std::string& script);

data_repair::RepairResult repairWith(const data_repair::RepairRequest& request);
data_repair::RepairResult analyzeWith(const data_repair::RepairRequest& request);
using test_support::concat;
using test_support::hasAction;
std::vector<std::string> actionIds(const data_repair::RepairResult& result);

} // namespace photo_fixtures
