#include "document/document_repairer.h"

#include <array>

#include "core/result_start.h"
#include "data_repair/detection.h"
#include "data_repair/dispatch_preamble.h"
#include "data_repair/file_access.h"
#include "data_repair/format_rules.h"
#include "data_repair/output_writer.h"
#include "document/document_formats.h"

namespace data_repair {

namespace {

using namespace extensions;

bool startsWithZipLocalHeader(ByteView bytes) { return matchesAt(bytes, 0, "PK\x03\x04"); }
uint64_t findZipLocalHeader(ByteView bytes) { return findBytes(bytes, "PK\x03\x04", 0); }

constexpr std::array<ExtensionList, 1> kTextNames{kText};
constexpr std::array<ExtensionList, 1> kPdfNames{kPdf};
constexpr std::array<ExtensionList, 1> kRtfNames{kRtf};
constexpr std::array<ExtensionList, 1> kOleNames{kOfficeBinary};
constexpr std::array<ExtensionList, 2> kZipNames{kOfficeOpenXml, extensions::kZip};

constexpr std::array<DocumentFormat, 5> kFormats{{
    {"text", kTextNames, nullptr, nullptr, analyzeTextDocument, repairTextDocument},
    {"pdf", kPdfNames, hasPdfSignature, nullptr, analyzePdfDocument, repairPdfDocument},
    {"rtf", kRtfNames, hasRtfSignature, findRtfHeader, analyzeRtfDocument, repairRtfDocument},
    {"ole", kOleNames, hasOleSignature, findOleSignature, analyzeOleDocument, repairOleDocument},
    {"zip", kZipNames, startsWithZipLocalHeader, findZipLocalHeader, analyzeZipDocument, repairZipDocument},
}};
constexpr const DocumentFormat* kTextFormat = &kFormats[0];
constexpr const DocumentFormat* kPdfFormat = &kFormats[1];
constexpr const DocumentFormat* kRtfFormat = &kFormats[2];
constexpr const DocumentFormat* kOleFormat = &kFormats[3];
constexpr const DocumentFormat* kZipFormat = &kFormats[4];

// The first rule that holds wins. A container that starts the file owns everything inside it:
// an embedded RTF object or a stored OLE object later in a .doc or .docx must not take the
// whole file over.
constexpr std::array<FormatRule<DocumentFormat>, 9> kRules{{
    {Clue::Extension, kTextFormat},
    {Clue::Start, kPdfFormat},
    {Clue::Extension, kPdfFormat},
    {Clue::Start, kOleFormat},
    {Clue::Start, kZipFormat},
    {Clue::AnywhereOrExtension, kRtfFormat},
    {Clue::AnywhereAndExtension, kOleFormat},
    {Clue::AnywhereOrExtension, kZipFormat},
    {Clue::AnywhereOrExtension, kOleFormat},
}};

const DocumentFormat* route(const RepairRequest& request, ByteView bytes)
{
    const std::string ext = lowerExtension(pathFromUtf8(request.input.path));
    return firstMatch<DocumentFormat>(kRules, ext, bytes).format;
}

RepairResult unsupportedResult(const RepairRequest& request, ByteView bytes)
{
    RepairResult result = baseDocumentResult(request, bytes);
    result.setStatus(RepairStatus::failure(kDocUnsupported, "unsupported document format"));
    result.addFinding(UnsupportedFormat, Error,
                      "supported document repair formats are PDF, RTF, Word, Excel and PowerPoint documents", 0, 0,
                      false, 1.0);
    return result;
}

} // namespace

std::span<const DocumentFormat> documentFormats() { return kFormats; }

bool isTextDocumentExtension(const std::string& ext) { return isListed(kText, ext); }
bool isOfficeBinaryExtension(const std::string& ext) { return isListed(kOfficeBinary, ext); }
bool isOfficeOpenXmlExtension(const std::string& ext) { return isListed(kOfficeOpenXml, ext); }
bool isWordExtension(const std::string& ext) { return isListed(kWord, ext); }
bool isExcelExtension(const std::string& ext) { return isListed(kExcel, ext); }
bool isPowerPointExtension(const std::string& ext) { return isListed(kPowerPoint, ext); }

uint64_t findOleSignature(ByteView bytes) { return findBytes(bytes, oleSignature(), 0); }
uint64_t findRtfHeader(ByteView bytes) { return findBytes(bytes, "{\\rtf", 0); }
bool containsZipLocalHeader(ByteView bytes) { return findZipLocalHeader(bytes) != npos; }

RepairResult baseDocumentResult(const RepairRequest& request, ByteView bytes)
{
    RepairResult result = beginResult(request, Document, bytes);
    if (result.format == "zip")
        result.kind = Archive;
    return result;
}

bool writeDocumentPreview(const RepairRequest& request, ByteView bytes, const std::string& extension,
                          const std::string& kind, RepairResult& result)
{
    return writeExtraArtifact(result, request, bytes, extension, kind, "_preview");
}

constexpr EntryPreamble kPreamble{Document, baseDocumentResult};

RepairResult DocumentRepairer::analyze(const RepairRequest& request, IProgress* progress) const
{
    return runEntry(request, progress, kPreamble, false, [&](ByteView bytes) {
        const DocumentFormat* format = route(request, bytes);
        return format != nullptr ? format->analyze(request, bytes) : unsupportedResult(request, bytes);
    });
}

RepairResult DocumentRepairer::repair(const RepairRequest& request, IProgress* progress) const
{
    return runEntry(request, progress, kPreamble, true, [&](ByteView bytes) {
        const DocumentFormat* format = route(request, bytes);
        return format != nullptr ? format->repair(request, bytes) : unsupportedResult(request, bytes);
    });
}

} // namespace data_repair
