#include "document/document_repairer.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "data_repair/detection.h"
#include "data_repair/dispatch_preamble.h"
#include "data_repair/file_access.h"
#include "data_repair/output_writer.h"
#include "document/document_formats.h"

namespace data_repair {

namespace {

template <size_t N>
bool inSet(const std::string& ext, const std::array<std::string_view, N>& set)
{
    return std::find(set.begin(), set.end(), ext) != set.end();
}

constexpr std::array<std::string_view, 4> kTextExtensions{"txt", "csv", "xml", "json"};
constexpr std::array<std::string_view, 7> kOfficeBinary{"doc", "dot", "xls", "xlt", "ppt", "pps", "pot"};
constexpr std::array<std::string_view, 13> kOfficeOpenXml{"docx", "docm", "dotx", "dotm", "xlsx", "xlsm", "xltx",
                                                          "xltm", "pptx", "pptm", "ppsx", "potx", "potm"};
constexpr std::array<std::string_view, 6> kWord{"doc", "docx", "docm", "dot", "dotx", "dotm"};
constexpr std::array<std::string_view, 6> kExcel{"xls", "xlsx", "xlsm", "xlt", "xltx", "xltm"};
constexpr std::array<std::string_view, 8> kPowerPoint{"ppt", "pptx", "pptm", "pps", "ppsx", "pot", "potx", "potm"};

using FormatCall = RepairResult (*)(const RepairRequest&, const ByteBuffer&);
struct FormatHandler {
    FormatCall analyze;
    FormatCall repair;
};

constexpr FormatHandler kText{analyzeTextDocument, repairTextDocument};
constexpr FormatHandler kPdf{analyzePdfDocument, repairPdfDocument};
constexpr FormatHandler kRtf{analyzeRtfDocument, repairRtfDocument};
constexpr FormatHandler kOle{analyzeOleDocument, repairOleDocument};
constexpr FormatHandler kZip{analyzeZipDocument, repairZipDocument};

// The first rule that holds wins; nullptr means unsupported.
const FormatHandler* route(const std::string& ext, const ByteBuffer& bytes)
{
    if (isTextDocumentExtension(ext))
        return &kText;
    if (bytes.size() >= 5 && matchesAt(bytes, 0, "%PDF-"))
        return &kPdf;
    if (ext == "pdf")
        return &kPdf;
    // A container that starts the file owns everything inside it: an embedded RTF object or a
    // stored OLE object later in a .doc or .docx must not take the whole file over.
    if (hasOleSignature(bytes))
        return &kOle;
    if (matchesAt(bytes, 0, "PK\x03\x04"))
        return &kZip;
    if (findRtfHeader(bytes) != npos || ext == "rtf")
        return &kRtf;
    const uint64_t ole = findOleSignature(bytes);
    if (isOfficeBinaryExtension(ext) && ole != npos)
        return &kOle;
    if (containsZipLocalHeader(bytes) || isOfficeOpenXmlExtension(ext) || ext == "zip")
        return &kZip;
    if (ole != npos || isOfficeBinaryExtension(ext))
        return &kOle;
    return nullptr;
}

RepairResult unsupportedResult(const RepairRequest& request, const ByteBuffer& bytes)
{
    RepairResult result = baseDocumentResult(request, bytes);
    result.setStatus(RepairStatus::failure(kDocUnsupported, "unsupported document format"));
    result.addFinding(UnsupportedFormat, Error,
                      "supported document repair formats are PDF, RTF, Word, Excel and PowerPoint documents", 0, 0,
                      false, 1.0);
    return result;
}

} // namespace

bool isTextDocumentExtension(const std::string& ext) { return inSet(ext, kTextExtensions); }
bool isOfficeBinaryExtension(const std::string& ext) { return inSet(ext, kOfficeBinary); }
bool isOfficeOpenXmlExtension(const std::string& ext) { return inSet(ext, kOfficeOpenXml); }
bool isWordExtension(const std::string& ext) { return inSet(ext, kWord); }
bool isExcelExtension(const std::string& ext) { return inSet(ext, kExcel); }
bool isPowerPointExtension(const std::string& ext) { return inSet(ext, kPowerPoint); }

uint64_t findOleSignature(const ByteBuffer& bytes) { return findBytes(bytes, oleSignature(), 0); }
uint64_t findRtfHeader(const ByteBuffer& bytes) { return findBytes(bytes, "{\\rtf", 0); }
bool containsZipLocalHeader(const ByteBuffer& bytes) { return findBytes(bytes, "PK\x03\x04", 0) != npos; }

RepairResult baseDocumentResult(const RepairRequest& request, const ByteBuffer& bytes)
{
    const std::string format = detectFormatName(pathFromUtf8(request.input.path), bytes);
    RepairResult result = startResult(request, format == "zip" ? Archive : Document, format, bytes.size());
    result.setStatus(RepairStatus::success());
    return result;
}

bool writeDocumentPreview(const RepairRequest& request, const ByteBuffer& bytes, const std::string& extension,
                          const std::string& kind, RepairResult& result)
{
    return writeExtraArtifact(result, request, bytes, extension, kind, "_preview");
}

constexpr EntryPreamble kPreamble{Document, baseDocumentResult};

RepairResult DocumentRepairer::analyze(const RepairRequest& request, IProgress* progress) const
{
    return runEntry(request, progress, kPreamble, false, [&](const ByteBuffer& bytes) {
        const FormatHandler* handler = route(lowerExtension(pathFromUtf8(request.input.path)), bytes);
        return handler != nullptr ? handler->analyze(request, bytes) : unsupportedResult(request, bytes);
    });
}

RepairResult DocumentRepairer::repair(const RepairRequest& request, IProgress* progress) const
{
    return runEntry(request, progress, kPreamble, true, [&](const ByteBuffer& bytes) {
        const FormatHandler* handler = route(lowerExtension(pathFromUtf8(request.input.path)), bytes);
        return handler != nullptr ? handler->repair(request, bytes) : unsupportedResult(request, bytes);
    });
}

} // namespace data_repair
