#include "data_repair/output_writer.h"
#include "document/document_formats.h"
#include "document/zip_archive.h"

namespace data_repair {

namespace {

// Damaged entries named in the note; the rest are counted.
constexpr size_t kListedDamaged = 20;

// The analysis, keeping the salvaged entries for the repair: reading them twice would hold two
// copies of every payload next to the input.
RepairResult analyzeZip(const RepairRequest& request, ByteView bytes, std::vector<ZipEntry>& entries)
{
    RepairResult result = baseDocumentResult(request, bytes);
    const uint64_t first = findBytes(bytes, "PK\x03\x04", 0);
    if (first == npos) {
        result.addFinding(HeaderMissing, Error, "ZIP local file headers were not found", 0, 0, false, 0.95);
        result.setStatus(RepairStatus::failure(kDocZipNoHeaders, "unsupported or severely damaged ZIP/OOXML document"));
        return result;
    }
    // Bytes before the first entry are no part of the package (readers call them extra bytes).
    if (first > 0)
        result.addFinding(HeaderDamaged, Warning, "garbage bytes before ZIP local file header", 0, first, true, 0.9);
    entries = readZipEntries(bytes, &result);
    if (entries.empty()) {
        result.addFinding(Truncated, Error, "no recoverable ZIP entries were found", 0, 0, false, 0.95);
        result.setStatus(RepairStatus::failure(kDocZipNoEntries, "no recoverable ZIP entries"));
        return result;
    }
    // Entries whose data fails its CRC are written with the recorded CRC, so that readers report
    // them: say which, as their data cannot be mended here.
    std::string damaged;
    size_t damagedCount = 0;
    for (const ZipEntry& entry : entries) {
        if (!entry.damaged)
            continue;
        if (++damagedCount <= kListedDamaged)
            damaged += (damaged.empty() ? "" : ", ") + entry.name;
    }
    if (damagedCount > kListedDamaged)
        damaged += " and " + std::to_string(damagedCount - kListedDamaged) + " more";
    if (damagedCount > 0)
        result.notes.push_back("ZIP entries whose data fails its CRC keep the recorded CRC, so that readers report "
                               "them damaged; they may require manual recovery: " + damaged);
    // The end record follows the entries: a signature inside an entry's data is not one.
    const std::span<const uint8_t> last = entries.back().stored;
    const uint64_t afterEntries = static_cast<uint64_t>(last.data() + last.size() - bytes.data());
    if (findLastZipEndRecord(bytes, afterEntries) == npos)
        result.addFinding(IndexDamaged, Warning, "ZIP EOCD record is missing", bytes.size(), 0, true, 0.92);
    if (isOfficeOpenXmlExtension(result.format)) {
        if (!hasZipEntry(entries, "[Content_Types].xml"))
            result.addFinding(MetadataMissing, Warning, "OOXML package content types are missing", 0, 0, true, 0.85);
        if (!hasZipEntry(entries, "_rels/.rels"))
            result.addFinding(MetadataMissing, Warning, "OOXML package root relationships are missing", 0, 0, true, 0.85);
    }
    for (const auto& part : ooxmlCorePartNames(result.format)) {
        if (!hasZipEntry(entries, part))
            result.addFinding(MetadataMissing, Warning, "OOXML core part is missing: " + part, 0, 0, true, 0.78);
    }
    result.confidence = result.findings.empty() ? 1.0 : 0.76;
    return result;
}

} // namespace

RepairResult analyzeZipDocument(const RepairRequest& request, ByteView bytes)
{
    std::vector<ZipEntry> entries;
    return analyzeZip(request, bytes, entries);
}

RepairResult repairZipDocument(const RepairRequest& request, ByteView bytes)
{
    std::vector<ZipEntry> entries;
    RepairResult result = analyzeZip(request, bytes, entries);
    if (!result.status.ok)
        return result;
    // The archive is written from its entries on: what stood before the first is left out.
    const uint64_t first = findBytes(bytes, "PK\x03\x04", 0);
    if (first > 0)
        result.addAction("trim-prefix", "removed bytes before ZIP local file header", first);
    OutputPieces archive(bytes);
    writeZipArchive(std::move(entries), result.format, result, archive);
    const std::string extension = (result.format.empty() || result.format == "unknown") ? "zip" : result.format;
    const bool archiveKind = result.kind == Archive;
    double confidence = 0.82;
    for (const char* restored : {"restore-ppt-presentation", "restore-ppt-slide"}) {
        for (const auto& action : result.actions) {
            if (action.id == restored && confidence > 0.7) {
                result.notes.push_back("restored presentation has no slide master; PowerPoint may still offer to repair it");
                confidence = 0.7;
            }
        }
    }
    // Written as writeDocumentPreview would, but from the pieces.
    if (request.writePreview)
        writeExtraArtifact(result, request, archive, extension, archiveKind ? "archive-preview" : "document-preview");
    if (modeWritesNoOutput(request.mode))
        return result;
    if (writeRepairedOutput(result, request, archive, extension, archiveKind ? "repaired-archive" : "repaired-document",
                            kDocZipWrite))
        result.confidence = confidence;
    return result;
}

} // namespace data_repair
