#include <algorithm>
#include <set>
#include <string_view>

#include "data_repair/file_access.h"
#include "document/document_formats.h"
#include "document/zip_archive.h"

namespace data_repair {

namespace {

constexpr const char* kXmlDecl = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
constexpr const char* kContentTypesNs = "http://schemas.openxmlformats.org/package/2006/content-types";
constexpr const char* kPackageRelsNs = "http://schemas.openxmlformats.org/package/2006/relationships";
constexpr const char* kOfficeDocumentRel =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument";
constexpr const char* kRelationshipsNs = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
constexpr const char* kWorksheetRel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet";
constexpr const char* kSlideRel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/slide";
constexpr const char* kWordNs = "http://schemas.openxmlformats.org/wordprocessingml/2006/main";
constexpr const char* kSheetNs = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
constexpr const char* kPresentationNs = "http://schemas.openxmlformats.org/presentationml/2006/main";
constexpr const char* kDrawingNs = "http://schemas.openxmlformats.org/drawingml/2006/main";

constexpr const char* kOfficeType = "application/vnd.openxmlformats-officedocument.";

std::string familyKey(const std::string& format)
{
    if (isWordExtension(format))
        return "docx";
    if (isExcelExtension(format))
        return "xlsx";
    if (isPowerPointExtension(format))
        return "pptx";
    return {};
}

std::string corePart(const std::string& key)
{
    if (key == "docx")
        return "word/document.xml";
    if (key == "xlsx")
        return "xl/workbook.xml";
    return "ppt/presentation.xml";
}

// The main part's content type differs for macro-enabled, template and show files.
std::string mainContentType(const std::string& format)
{
    static const std::vector<std::pair<std::string_view, std::string_view>> types = {
        {"docm", "application/vnd.ms-word.document.macroEnabled.main+xml"},
        {"dotx", "application/vnd.openxmlformats-officedocument.wordprocessingml.template.main+xml"},
        {"dotm", "application/vnd.ms-word.template.macroEnabledTemplate.main+xml"},
        {"xlsm", "application/vnd.ms-excel.sheet.macroEnabled.main+xml"},
        {"xltx", "application/vnd.openxmlformats-officedocument.spreadsheetml.template.main+xml"},
        {"xltm", "application/vnd.ms-excel.template.macroEnabled.main+xml"},
        {"pptm", "application/vnd.ms-powerpoint.presentation.macroEnabled.main+xml"},
        {"ppsx", "application/vnd.openxmlformats-officedocument.presentationml.slideshow.main+xml"},
        {"potx", "application/vnd.openxmlformats-officedocument.presentationml.template.main+xml"},
        {"potm", "application/vnd.ms-powerpoint.template.macroEnabled.main+xml"},
    };
    for (const auto& [ext, type] : types) {
        if (format == ext)
            return std::string(type);
    }
    const std::string key = familyKey(format);
    if (key == "docx")
        return std::string(kOfficeType) + "wordprocessingml.document.main+xml";
    if (key == "xlsx")
        return std::string(kOfficeType) + "spreadsheetml.sheet.main+xml";
    return std::string(kOfficeType) + "presentationml.presentation.main+xml";
}

// name = prefix + optional digits + suffix
bool matchesNumbered(const std::string& name, std::string_view prefix, std::string_view suffix)
{
    if (name.size() < prefix.size() + suffix.size() || name.compare(0, prefix.size(), prefix) != 0 ||
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
        return false;
    for (size_t i = prefix.size(); i < name.size() - suffix.size(); ++i) {
        if (name[i] < '0' || name[i] > '9')
            return false;
    }
    return true;
}

// Content types of the well-known parts; empty when the extension's default applies.
std::string knownPartType(const std::string& name)
{
    struct Pattern {
        std::string_view prefix;
        std::string_view suffix;
        std::string_view type; // after "application/vnd.openxmlformats-officedocument." unless it has a '/'
    };
    static const std::vector<Pattern> patterns = {
        {"docProps/core", ".xml", "application/vnd.openxmlformats-package.core-properties+xml"},
        {"docProps/app", ".xml", "extended-properties+xml"},
        {"docProps/custom", ".xml", "custom-properties+xml"},
        {"word/styles", ".xml", "wordprocessingml.styles+xml"},
        {"word/settings", ".xml", "wordprocessingml.settings+xml"},
        {"word/webSettings", ".xml", "wordprocessingml.webSettings+xml"},
        {"word/fontTable", ".xml", "wordprocessingml.fontTable+xml"},
        {"word/numbering", ".xml", "wordprocessingml.numbering+xml"},
        {"word/footnotes", ".xml", "wordprocessingml.footnotes+xml"},
        {"word/endnotes", ".xml", "wordprocessingml.endnotes+xml"},
        {"word/comments", ".xml", "wordprocessingml.comments+xml"},
        {"word/header", ".xml", "wordprocessingml.header+xml"},
        {"word/footer", ".xml", "wordprocessingml.footer+xml"},
        {"word/theme/theme", ".xml", "theme+xml"},
        {"xl/worksheets/sheet", ".xml", "spreadsheetml.worksheet+xml"},
        {"xl/chartsheets/sheet", ".xml", "spreadsheetml.chartsheet+xml"},
        {"xl/styles", ".xml", "spreadsheetml.styles+xml"},
        {"xl/sharedStrings", ".xml", "spreadsheetml.sharedStrings+xml"},
        {"xl/calcChain", ".xml", "spreadsheetml.calcChain+xml"},
        {"xl/tables/table", ".xml", "spreadsheetml.table+xml"},
        {"xl/comments", ".xml", "spreadsheetml.comments+xml"},
        {"xl/drawings/drawing", ".xml", "drawing+xml"},
        {"xl/theme/theme", ".xml", "theme+xml"},
        {"xl/charts/chart", ".xml", "drawingml.chart+xml"},
        {"word/charts/chart", ".xml", "drawingml.chart+xml"},
        {"ppt/charts/chart", ".xml", "drawingml.chart+xml"},
        {"ppt/slides/slide", ".xml", "presentationml.slide+xml"},
        {"ppt/slideLayouts/slideLayout", ".xml", "presentationml.slideLayout+xml"},
        {"ppt/slideMasters/slideMaster", ".xml", "presentationml.slideMaster+xml"},
        {"ppt/notesSlides/notesSlide", ".xml", "presentationml.notesSlide+xml"},
        {"ppt/notesMasters/notesMaster", ".xml", "presentationml.notesMaster+xml"},
        {"ppt/handoutMasters/handoutMaster", ".xml", "presentationml.handoutMaster+xml"},
        {"ppt/presProps", ".xml", "presentationml.presProps+xml"},
        {"ppt/viewProps", ".xml", "presentationml.viewProps+xml"},
        {"ppt/tableStyles", ".xml", "presentationml.tableStyles+xml"},
        {"ppt/theme/theme", ".xml", "theme+xml"},
    };
    for (const auto& pattern : patterns) {
        if (matchesNumbered(name, pattern.prefix, pattern.suffix)) {
            if (pattern.type.find('/') != std::string_view::npos)
                return std::string(pattern.type);
            return std::string(kOfficeType) + std::string(pattern.type);
        }
    }
    return {};
}

std::string defaultType(const std::string& ext, bool hasVbaProject)
{
    static const std::vector<std::pair<std::string_view, std::string_view>> types = {
        {"rels", "application/vnd.openxmlformats-package.relationships+xml"},
        {"xml", "application/xml"},
        {"png", "image/png"},
        {"jpeg", "image/jpeg"},
        {"jpg", "image/jpeg"},
        {"gif", "image/gif"},
        {"bmp", "image/bmp"},
        {"tif", "image/tiff"},
        {"tiff", "image/tiff"},
        {"svg", "image/svg+xml"},
        {"emf", "image/x-emf"},
        {"wmf", "image/x-wmf"},
        {"vml", "application/vnd.openxmlformats-officedocument.vmlDrawing"},
        {"xlsx", "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet"},
        {"docx", "application/vnd.openxmlformats-officedocument.wordprocessingml.document"},
        {"pptx", "application/vnd.openxmlformats-officedocument.presentationml.presentation"},
        {"odttf", "application/vnd.openxmlformats-officedocument.obfuscatedFont"},
        {"mp4", "video/mp4"},
        {"wav", "audio/wav"},
        {"mp3", "audio/mpeg"},
    };
    if (ext == "bin")
        return hasVbaProject ? "application/vnd.ms-office.vbaProject"
                             : "application/vnd.openxmlformats-officedocument.oleObject";
    for (const auto& [e, type] : types) {
        if (ext == e)
            return std::string(type);
    }
    return "application/octet-stream";
}

std::string escapeXml(const std::string& text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c; break;
        }
    }
    return out;
}

std::string partExtension(const std::string& name)
{
    const size_t slash = name.rfind('/');
    const size_t dot = name.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash) || dot + 1 == name.size())
        return {};
    return toLowerAscii(name.substr(dot + 1));
}

std::string override(const std::string& name, const std::string& type)
{
    return "<Override PartName=\"/" + escapeXml(name) + "\" ContentType=\"" + type + "\"/>";
}

std::string packageRelationships(const std::string& key)
{
    return std::string(kXmlDecl) + "<Relationships xmlns=\"" + kPackageRelsNs + "\"><Relationship Id=\"rId1\" Type=\"" +
           kOfficeDocumentRel + "\" Target=\"" + corePart(key) + "\"/></Relationships>";
}

std::string partRelationships(const char* type, const char* target)
{
    return std::string(kXmlDecl) + "<Relationships xmlns=\"" + kPackageRelsNs + "\"><Relationship Id=\"rId1\" Type=\"" +
           type + "\" Target=\"" + target + "\"/></Relationships>";
}

} // namespace

bool hasZipEntry(const std::vector<ZipEntry>& entries, const std::string& name)
{
    return std::any_of(entries.begin(), entries.end(), [&](const ZipEntry& e) { return e.name == name; });
}

ZipEntry makeStoredZipEntry(const std::string& name, const std::string& text)
{
    ZipEntry entry;
    entry.name = name;
    entry.payload.assign(text.begin(), text.end());
    entry.compressedSize = entry.uncompressedSize = entry.payload.size();
    entry.crc32 = zipCrc32(entry.payload.data(), entry.payload.size());
    return entry;
}

std::vector<std::string> ooxmlCorePartNames(const std::string& format)
{
    const std::string key = familyKey(format);
    if (key == "docx")
        return {"word/document.xml"};
    if (key == "xlsx")
        return {"xl/workbook.xml", "xl/worksheets/sheet1.xml"};
    if (key == "pptx")
        return {"ppt/presentation.xml", "ppt/slides/slide1.xml"};
    return {};
}

std::string buildContentTypes(const std::vector<std::string>& partNames, const std::string& format)
{
    const std::string core = corePart(familyKey(format));
    const bool hasVba = std::any_of(partNames.begin(), partNames.end(), [](const std::string& name) {
        return name.size() >= 15 && name.compare(name.size() - 15, 15, "vbaProject.bin") == 0;
    });
    std::string defaults = "<Default Extension=\"rels\" ContentType=\"" + defaultType("rels", false) +
                           "\"/><Default Extension=\"xml\" ContentType=\"application/xml\"/>";
    std::set<std::string> typedExtensions{"rels", "xml"};
    std::string overrides = override(core, mainContentType(format));
    for (const auto& name : partNames) {
        if (name.empty() || name.back() == '/' || name == "[Content_Types].xml" || name == core)
            continue;
        const std::string known = knownPartType(name);
        const std::string ext = partExtension(name);
        if (!known.empty())
            overrides += override(name, known);
        else if (ext.empty())
            overrides += override(name, "application/octet-stream");
        else if (typedExtensions.insert(ext).second)
            defaults += "<Default Extension=\"" + escapeXml(ext) + "\" ContentType=\"" + defaultType(ext, hasVba) + "\"/>";
    }
    return std::string(kXmlDecl) + "<Types xmlns=\"" + kContentTypesNs + "\">" + defaults + overrides + "</Types>";
}

void restoreOoxmlParts(std::vector<ZipEntry>& entries, const std::string& format, RepairResult& report)
{
    const std::string key = familyKey(format);
    if (key.empty())
        return;
    struct Restored {
        std::string name;
        std::string text;
        const char* action;
        const char* description;
    };
    std::vector<Restored> parts;
    auto add = [&](std::string name, std::string text, const char* action, const char* description) {
        if (!hasZipEntry(entries, name))
            parts.push_back(Restored{std::move(name), std::move(text), action, description});
    };
    add("_rels/.rels", packageRelationships(key), "restore-relationships", "restored minimal OOXML package relationships");
    if (key == "docx") {
        add("word/document.xml",
            std::string(kXmlDecl) + "<w:document xmlns:w=\"" + kWordNs +
                "\"><w:body><w:p><w:r><w:t>Recovered Word document shell</w:t></w:r></w:p></w:body></w:document>",
            "restore-word-root", "restored minimal Word document body");
    } else if (key == "xlsx") {
        add("xl/workbook.xml",
            std::string(kXmlDecl) + "<workbook xmlns=\"" + kSheetNs + "\" xmlns:r=\"" + kRelationshipsNs +
                "\"><sheets><sheet name=\"Recovered\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>",
            "restore-excel-workbook", "restored minimal Excel workbook");
        add("xl/_rels/workbook.xml.rels", partRelationships(kWorksheetRel, "worksheets/sheet1.xml"),
            "restore-excel-relationships", "restored minimal Excel workbook relationships");
        add("xl/worksheets/sheet1.xml",
            std::string(kXmlDecl) + "<worksheet xmlns=\"" + kSheetNs + "\"><sheetData/></worksheet>",
            "restore-excel-sheet", "restored minimal Excel worksheet");
    } else {
        // notesSz and the group-shape properties are required by the PresentationML schema.
        add("ppt/presentation.xml",
            std::string(kXmlDecl) + "<p:presentation xmlns:p=\"" + kPresentationNs + "\" xmlns:r=\"" + kRelationshipsNs +
                "\"><p:sldIdLst><p:sldId id=\"256\" r:id=\"rId1\"/></p:sldIdLst>"
                "<p:notesSz cx=\"6858000\" cy=\"9144000\"/></p:presentation>",
            "restore-ppt-presentation", "restored minimal PowerPoint presentation");
        add("ppt/_rels/presentation.xml.rels", partRelationships(kSlideRel, "slides/slide1.xml"),
            "restore-ppt-relationships", "restored minimal PowerPoint relationships");
        add("ppt/slides/slide1.xml",
            std::string(kXmlDecl) + "<p:sld xmlns:p=\"" + kPresentationNs + "\" xmlns:a=\"" + kDrawingNs +
                "\"><p:cSld><p:spTree><p:nvGrpSpPr><p:cNvPr id=\"1\" name=\"\"/><p:cNvGrpSpPr/><p:nvPr/>"
                "</p:nvGrpSpPr><p:grpSpPr/></p:spTree></p:cSld></p:sld>",
            "restore-ppt-slide", "restored minimal PowerPoint slide");
    }

    if (!hasZipEntry(entries, "[Content_Types].xml")) {
        // Typed from every part the package will hold, restored ones included: a part without a
        // content type makes the whole package unreadable to Office.
        std::vector<std::string> names;
        names.reserve(entries.size() + parts.size());
        for (const auto& e : entries)
            names.push_back(e.name);
        for (const auto& part : parts)
            names.push_back(part.name);
        entries.push_back(makeStoredZipEntry("[Content_Types].xml", buildContentTypes(names, format)));
        report.addAction("restore-content-types", "restored minimal OOXML [Content_Types].xml", 1);
    }
    for (auto& part : parts) {
        entries.push_back(makeStoredZipEntry(part.name, part.text));
        report.addAction(part.action, part.description, 1);
    }
}

} // namespace data_repair
