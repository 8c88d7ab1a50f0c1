#include "document/ole_repair.h"

#include <algorithm>
#include <string_view>

#include "data_repair/detection.h"
#include "data_repair/output_writer.h"
#include "document/document_formats.h"

namespace data_repair {

namespace {

constexpr uint64_t kHeaderSize = 512;
constexpr uint32_t kNoSector = 0xFFFFFFFF;

// Shift 12 means 4096-byte sectors, anything else 512. A version-4 file pads its header to a
// whole 4096-byte sector, so sector n starts at (n + 1) sector sizes from the signature in both
// versions.
uint64_t sectorSize(uint16_t shift) { return shift == 12 ? 4096 : 512; }

bool byteOrderOk(ByteView b, uint64_t a) { return readU8(b, a + 28) == 0xFE && readU8(b, a + 29) == 0xFF; }

ByteBuffer utf16le(std::string_view text, bool summaryPrefix)
{
    ByteBuffer out;
    if (summaryPrefix) {
        out.push_back(0x05);
        out.push_back(0x00);
    }
    for (char c : text) {
        out.push_back(static_cast<uint8_t>(c));
        out.push_back(0);
    }
    return out;
}

} // namespace

std::vector<std::string> scanOleStreamNames(ByteView bytes)
{
    struct Pattern {
        const char* name;
        bool summaryPrefix;
    };
    static const Pattern patterns[] = {
        {"WordDocument", false}, {"Workbook", false}, {"Book", false},
        {"PowerPoint Document", false}, {"Pictures", false}, {"SummaryInformation", true},
        {"DocumentSummaryInformation", true},
    };
    std::vector<std::string> names;
    for (const auto& pattern : patterns) {
        if (findBytes(bytes, utf16le(pattern.name, pattern.summaryPrefix), 0) != npos)
            names.emplace_back(pattern.name);
    }
    return names;
}

std::vector<std::string> readOleDirectoryNames(ByteView bytes)
{
    const uint64_t a = findOleSignature(bytes);
    if (a == npos || !fits(bytes, a, kHeaderSize))
        return scanOleStreamNames(bytes);
    const uint32_t directorySector = readLe32(bytes, a + 48);
    if (directorySector == kNoSector)
        return scanOleStreamNames(bytes);
    const uint64_t size = sectorSize(readLe16(bytes, a + 30));
    uint64_t start = 0;
    if (!checkedAdd(a + size, static_cast<uint64_t>(directorySector) * size, start) || !fits(bytes, start, 128))
        return scanOleStreamNames(bytes);
    const uint64_t windowEnd = std::min<uint64_t>(bytes.size(), start + 8 * size);
    std::vector<std::string> names;
    for (uint64_t entry = start; entry + 128 <= windowEnd; entry += 128) {
        const uint16_t length = readLe16(bytes, entry + 64);
        if (length < 2 || length > 64)
            continue;
        std::string name;
        const unsigned units = std::min<unsigned>(length / 2 - 1, 31);
        for (unsigned i = 0; i < units; ++i) {
            const uint8_t low = bytes[entry + 2 * i];
            const uint8_t high = bytes[entry + 2 * i + 1];
            if (high == 0 && low >= 0x20 && low <= 0x7E)
                name += static_cast<char>(low);
        }
        if (!name.empty())
            names.push_back(name);
    }
    return names.empty() ? scanOleStreamNames(bytes) : names;
}

std::string expectedOleStream(const std::string& format)
{
    if (isWordExtension(format))
        return "WordDocument";
    if (isExcelExtension(format))
        return "Workbook";
    if (isPowerPointExtension(format))
        return "PowerPoint Document";
    return {};
}

bool hasExpectedStreamName(const std::vector<std::string>& names, const std::string& expected)
{
    return std::any_of(names.begin(), names.end(), [&](const std::string& name) {
        return name == expected || (expected == "Workbook" && name == "Book");
    });
}

RepairResult analyzeOleDocument(const RepairRequest& request, ByteView bytes)
{
    RepairResult result = baseDocumentResult(request, bytes);
    result.kind = Document;
    if (!isOfficeBinaryExtension(result.format)) {
        const std::string ext = lowerExtension(pathFromUtf8(request.input.path));
        result.format = isOfficeBinaryExtension(ext) ? ext : "doc";
    }
    const uint64_t a = findOleSignature(bytes);
    if (a == npos) {
        result.addFinding(HeaderMissing, Error, "Office binary/OLE header was not found", 0, 0, false, 0.96);
        result.setStatus(RepairStatus::failure(kDocOleNoHeader, "unsupported or severely damaged Office binary document"));
        return result;
    }
    if (a > 0)
        result.addFinding(HeaderDamaged, Warning, "garbage bytes before Office binary/OLE header", 0, a, true, 0.94);
    if (!fits(bytes, a, kHeaderSize)) {
        result.addFinding(Truncated, Error, "Office binary/OLE header is truncated", a, kHeaderSize, false, 0.95);
        result.setStatus(RepairStatus::failure(kDocOleTruncated, "truncated Office binary header"));
        return result;
    }
    if (!byteOrderOk(bytes, a))
        result.addFinding(HeaderDamaged, Warning, "Office binary byte-order marker is damaged", a + 28, 2, true, 0.82);
    const uint16_t shift = readLe16(bytes, a + 30);
    if (shift != 9 && shift != 12)
        result.addFinding(HeaderDamaged, Warning, "Office binary sector size field is invalid", a + 30, 2, true, 0.78);
    const auto names = readOleDirectoryNames(bytes);
    const std::string expected = expectedOleStream(result.format);
    if (!expected.empty() && !hasExpectedStreamName(names, expected))
        result.addFinding(MetadataMissing, Warning, "expected Office stream was not located: " + expected, 0, 0, false, 0.68);
    if (!names.empty())
        result.addFinding(PreviewFound, Info, "Office binary directory streams are recoverable", 0, names.size(), true, 0.84);
    const uint64_t span = bytes.size() - a;
    if (span > kHeaderSize && span % sectorSize(shift) != 0)
        result.addFinding(Truncated, Warning, "Office binary file ends on a partial sector", bytes.size(), 0, true, 0.76);
    result.confidence = result.findings.empty() ? 1.0 : 0.72;
    return result;
}

RepairResult repairOleDocument(const RepairRequest& request, ByteView bytes)
{
    RepairResult result = analyzeOleDocument(request, bytes);
    if (!result.status.ok)
        return result;
    const uint64_t a = findOleSignature(bytes);
    ByteBuffer body = copyBytes(bytes.subspan(static_cast<size_t>(a)));
    if (a > 0)
        result.addAction("trim-prefix", "removed bytes before Office binary/OLE header", a);
    if (!byteOrderOk(body, 0)) {
        putU8(body, 28, 0xFE);
        putU8(body, 29, 0xFF);
        result.addAction("repair-byte-order", "restored Office binary byte-order marker", 2);
    }
    const uint16_t shift = readLe16(body, 30);
    if (shift != 9 && shift != 12) {
        // A version-4 file addresses 4096-byte sectors; 512 would misplace every sector.
        putLe16(body, 30, readLe16(body, 26) == 4 ? 12 : 9);
        result.addAction("repair-sector-size", "restored Office binary sector size field", 2);
    }
    if (readLe16(body, 32) != 6) {
        putLe16(body, 32, 6);
        result.addAction("repair-mini-sector-size", "restored Office binary mini-sector size field", 2);
    }
    const uint64_t size = sectorSize(readLe16(body, 30));
    if (body.size() > kHeaderSize && body.size() % size != 0) {
        const uint64_t padding = size - body.size() % size;
        body.insert(body.end(), static_cast<size_t>(padding), 0);
        result.addAction("pad-partial-sector", "padded Office binary file to a complete sector boundary", padding);
    }
    const auto names = readOleDirectoryNames(body);
    if (request.writePreview)
        writeDocumentPreview(request, body, result.format, "document-preview", result);
    if (modeWritesNoOutput(request.mode))
        return result;
    if (writeRepairedOutput(result, request, body, result.format, "repaired-office-binary-document", kDocOleWrite))
        result.confidence = hasExpectedStreamName(names, expectedOleStream(result.format)) ? 0.78 : 0.62;
    return result;
}

} // namespace data_repair
