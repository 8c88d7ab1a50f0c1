#pragma once

// The document engine's format handlers behind its dispatch, the report every handler starts
// from, the shared extension sets and byte-signature predicates, and the engine's status codes.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "core/result_start.h"
#include "data_repair/byte_buffer.h"
#include "data_repair/format_extensions.h"
#include "data_repair/repair_interfaces.h"

namespace data_repair {

// Document status codes (read with the result's kind: other engines reuse these numbers).
inline constexpr int32_t kDocUnsupported = 40;
inline constexpr int32_t kDocPdfNoObjects = 41;
inline constexpr int32_t kDocPdfWrite = 42;
inline constexpr int32_t kDocZipNoHeaders = 43;
inline constexpr int32_t kDocZipNoEntries = 44;
inline constexpr int32_t kDocZipWrite = 45;
inline constexpr int32_t kDocOleNoHeader = 46;
inline constexpr int32_t kDocOleTruncated = 47;
inline constexpr int32_t kDocOleWrite = 48;
inline constexpr int32_t kDocRtfNoHeader = 49;
inline constexpr int32_t kDocTextWrite = 50;

// Extension sets (lower-case extension without its dot, compared exactly).
bool isTextDocumentExtension(const std::string& ext);
bool isOfficeBinaryExtension(const std::string& ext);
bool isOfficeOpenXmlExtension(const std::string& ext);
bool isWordExtension(const std::string& ext);
bool isExcelExtension(const std::string& ext);
bool isPowerPointExtension(const std::string& ext);

// Byte-signature predicates over the whole input.
uint64_t findOleSignature(ByteView bytes);
uint64_t findRtfHeader(ByteView bytes);
bool containsZipLocalHeader(ByteView bytes);

// Success, input/sample/mode from the request, detected format, kind Archive for "zip" (else
// Document), input size.
RepairResult baseDocumentResult(const RepairRequest& request, ByteView bytes);

// Writes "<stem>_preview.<ext>" and records it; a failure only adds the writer's text to notes.
bool writeDocumentPreview(const RepairRequest& request, ByteView bytes, const std::string& extension,
                          const std::string& kind, RepairResult& result);

// True for Analyze and Extract, the modes that never write a "_repaired" file.
inline bool modeWritesNoOutput(int32_t mode)
{
    return !modeWritesRepairedOutput(mode, ExtractWrites::PreviewsOnly);
}

RepairResult analyzePdfDocument(const RepairRequest& request, ByteView bytes);
RepairResult repairPdfDocument(const RepairRequest& request, ByteView bytes);
RepairResult analyzeTextDocument(const RepairRequest& request, ByteView bytes);
RepairResult repairTextDocument(const RepairRequest& request, ByteView bytes);
RepairResult analyzeRtfDocument(const RepairRequest& request, ByteView bytes);
RepairResult repairRtfDocument(const RepairRequest& request, ByteView bytes);
RepairResult analyzeOleDocument(const RepairRequest& request, ByteView bytes);
RepairResult repairOleDocument(const RepairRequest& request, ByteView bytes);
RepairResult analyzeZipDocument(const RepairRequest& request, ByteView bytes);
RepairResult repairZipDocument(const RepairRequest& request, ByteView bytes);

// One document format of the dispatch table: its name, the extensions it goes by, its content
// tests and its analyze/repair functions.
using FormatCall = RepairResult (*)(const RepairRequest&, ByteView);
struct DocumentFormat {
    std::string_view name;
    ExtensionSets extensions;
    bool (*start)(ByteView);      // its signature opens the file
    uint64_t (*locate)(ByteView); // its signature further in, npos when none
    FormatCall analyze;
    FormatCall repair;
};
std::span<const DocumentFormat> documentFormats();

} // namespace data_repair
