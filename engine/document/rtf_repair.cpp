#include "data_repair/checkpoint.h"
#include "data_repair/output_writer.h"
#include "document/document_formats.h"

namespace data_repair {

namespace {

// Final brace depth from the header on; a brace right after an unescaped backslash is text.
// 64-bit: a body of nothing but "{" still counts exactly.
int64_t braceDepth(ByteView bytes, uint64_t from)
{
    int64_t depth = 0;
    bool escaped = false;
    for (uint64_t i = from; i < bytes.size(); ++i) {
        checkpointStep(i, bytes.size());
        const uint8_t c = bytes[i];
        if (!escaped) {
            if (c == '{')
                ++depth;
            else if (c == '}')
                --depth;
        }
        escaped = escaped ? false : c == '\\';
    }
    return depth;
}

} // namespace

RepairResult analyzeRtfDocument(const RepairRequest& request, ByteView bytes)
{
    RepairResult result = baseDocumentResult(request, bytes);
    result.format = "rtf";
    result.kind = Document;
    const uint64_t header = findRtfHeader(bytes);
    if (header == npos) {
        result.addFinding(HeaderMissing, Error, "RTF header was not found", 0, 0, false, 0.95);
        result.setStatus(RepairStatus::failure(kDocRtfNoHeader, "unsupported or severely damaged RTF"));
        return result;
    }
    if (header > 0)
        result.addFinding(HeaderDamaged, Warning, "garbage bytes before RTF header", 0, header, true, 0.9);
    const int64_t depth = braceDepth(bytes, header);
    if (depth > 0)
        result.addFinding(TrailerMissing, Warning, "RTF closing brace is missing", bytes.size(), 0, true, 0.88);
    else if (depth < 0)
        result.addFinding(StructureInvalid, Warning, "RTF brace nesting is inconsistent", bytes.size(), 0, false, 0.72);
    result.confidence = result.findings.empty() ? 1.0 : 0.78;
    return result;
}

RepairResult repairRtfDocument(const RepairRequest& request, ByteView bytes)
{
    RepairResult result = analyzeRtfDocument(request, bytes);
    if (!result.status.ok || request.mode == Analyze)
        return result;
    const uint64_t header = findRtfHeader(bytes);
    ByteBuffer body = copyBytes(bytes.subspan(static_cast<size_t>(header)));
    if (header > 0)
        result.addAction("trim-rtf-prefix", "removed bytes before RTF header", header);
    const int64_t depth = braceDepth(body, 0);
    if (depth > 0) {
        body.insert(body.end(), static_cast<size_t>(depth), '}');
        result.addAction("append-rtf-braces", "appended missing RTF closing braces", static_cast<uint64_t>(depth));
    }
    if (request.writePreview)
        writeDocumentPreview(request, body, "rtf", "document-preview", result);
    if (request.mode == Extract)
        return result;
    if (writeRepairedOutput(result, request, body, "rtf", "repaired-document", kDocTextWrite))
        result.confidence = result.actions.empty() ? 0.96 : 0.82;
    return result;
}

} // namespace data_repair
