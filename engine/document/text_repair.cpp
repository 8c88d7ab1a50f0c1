#include "document/text_repair.h"

#include <algorithm>

#include "data_repair/checkpoint.h"
#include "data_repair/detection.h"
#include "data_repair/output_writer.h"
#include "document/document_formats.h"

namespace data_repair {

namespace {

constexpr const char* kReplacement = "\xEF\xBF\xBD";

enum class TextEncoding { Utf8, Utf16, Legacy };

// Length of the allowed character at i (1-4), or 0 when the byte must be replaced.
unsigned allowedLength(const uint8_t* b, uint64_t n, uint64_t i)
{
    const uint8_t c = b[i];
    if (c == 0x09 || c == 0x0A || c == 0x0D || (c >= 0x20 && c <= 0x7F))
        return 1;
    unsigned length = 0;
    uint32_t value = 0;
    uint32_t minimum = 0;
    if (c >= 0xC2 && c <= 0xDF) {
        length = 2, value = c & 0x1F, minimum = 0x80;
    } else if (c >= 0xE0 && c <= 0xEF) {
        length = 3, value = c & 0x0F, minimum = 0x800;
    } else if (c >= 0xF0 && c <= 0xF4) {
        length = 4, value = c & 0x07, minimum = 0x10000;
    } else {
        return 0;
    }
    if (!fitsIn(n, i, length))
        return 0;
    for (unsigned k = 1; k < length; ++k) {
        if ((b[i + k] & 0xC0) != 0x80)
            return 0;
        value = (value << 6) | (b[i + k] & 0x3F);
    }
    if (value < minimum || (value >= 0xD800 && value < 0xE000) || value > 0x10FFFF)
        return 0;
    return length;
}

void appendUtf8(std::string& out, uint32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

bool hasUtf16Bom(ByteView b)
{
    return b.size() >= 2 && ((b[0] == 0xFF && b[1] == 0xFE) || (b[0] == 0xFE && b[1] == 0xFF));
}

// Control bytes that text in any code page holds only as damage. NUL is left out: a zero-filled
// block says nothing about the encoding of the text around it.
bool isStrayControl(uint8_t c)
{
    return (c < 0x20 && c != 0x00 && c != 0x09 && c != 0x0A && c != 0x0C && c != 0x0D && c != 0x1A) || c == 0x7F;
}

bool isAsciiLetter(uint8_t c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Places where the bytes break the shape of a single-byte code page: accented letters stand alone
// or in pairs inside Latin words, and Cyrillic, Greek or Hebrew words are whole runs of high bytes
// between spaces and punctuation. A long high run glued to a Latin letter breaks both.
uint64_t singleByteViolations(ByteView b)
{
    uint64_t violations = 0;
    for (uint64_t i = 0; i < b.size();) {
        if (b[i] < 0x80) {
            ++i;
            continue;
        }
        uint64_t end = i;
        while (end < b.size() && b[end] >= 0x80)
            ++end;
        if (end - i > 3 && ((i > 0 && isAsciiLetter(b[i - 1])) || (end < b.size() && isAsciiLetter(b[end]))))
            ++violations;
        i = end;
    }
    return violations;
}

// Places where the bytes break the shape of a double-byte code page (GBK, Big5, Shift-JIS, EUC):
// every high byte leads a pair whose second byte is 40-7E or 80-FE.
uint64_t doubleByteViolations(ByteView b)
{
    uint64_t violations = 0;
    for (uint64_t i = 0; i < b.size();) {
        const uint8_t c = b[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        const bool lead = c != 0x80 && c != 0xFF && i + 1 < b.size();
        const uint8_t trail = lead ? b[i + 1] : 0;
        if (lead && ((trail >= 0x40 && trail <= 0x7E) || (trail >= 0x80 && trail <= 0xFE))) {
            i += 2;
        } else {
            ++violations;
            ++i;
        }
    }
    return violations;
}

// Text in a legacy code page (GBK, Windows-1252...) is not damaged UTF-8: replacing its bytes
// would destroy it. It is told apart by most of its non-ASCII bytes failing to decode while the
// file as a whole keeps the shape of one single- or double-byte code page. A block of random
// bytes in UTF-8 or ASCII text fails to decode too, but brings control bytes and breaks both
// shapes; a little such damage inside real legacy text is tolerated.
bool looksLikeLegacyEncoding(ByteView b)
{
    uint64_t nonAscii = 0;
    uint64_t invalid = 0;
    uint64_t controls = 0;
    for (uint64_t i = 0; i < b.size();) {
        checkpointStep(i, b.size());
        if (b[i] < 0x80) {
            controls += isStrayControl(b[i]) ? 1 : 0;
            ++i;
            continue;
        }
        const unsigned length = allowedLength(b.data(), b.size(), i);
        if (length == 0) {
            ++nonAscii;
            ++invalid;
            ++i;
        } else {
            nonAscii += length;
            i += length;
        }
    }
    if (invalid <= 3 || 2 * invalid <= nonAscii)
        return false;
    constexpr uint64_t kTolerance = 32; // one fault per this many undecodable bytes
    if (controls * kTolerance > invalid)
        return false;
    return std::min(singleByteViolations(b), doubleByteViolations(b)) * kTolerance <= invalid;
}

// What sanitising makes of some bytes, without making it: the size of the text, the bytes it
// replaces, and the U+FFFE and U+FFFF it keeps (which XML forbids).
struct SanitizedSize {
    uint64_t bytes = 0;
    uint64_t replacements = 0;
    uint64_t xmlNonCharacters = 0;
};

SanitizedSize measureSanitized(ByteView bytes)
{
    SanitizedSize size;
    const uint64_t n = bytes.size();
    for (uint64_t i = 0; i < n;) {
        checkpointStep(i, n);
        const unsigned length = allowedLength(bytes.data(), n, i);
        if (length == 0) {
            size.bytes += 3;
            ++size.replacements;
            ++i;
            continue;
        }
        if (length == 3 && bytes[i] == 0xEF && bytes[i + 1] == 0xBF && (bytes[i + 2] == 0xBE || bytes[i + 2] == 0xBF))
            ++size.xmlNonCharacters;
        size.bytes += length;
        i += length;
    }
    return size;
}

struct TextReading {
    TextEncoding encoding = TextEncoding::Utf8;
    std::string text;
    uint64_t replacements = 0;
};

// The text as it will be written (building it only when `build` is set; an analysis needs only
// the counts).
TextReading readText(ByteView bytes, const std::string& format, bool build)
{
    TextReading reading;
    if (hasUtf16Bom(bytes)) {
        reading.encoding = TextEncoding::Utf16;
        uint64_t lost = 0;
        const std::string utf8 = transcodeUtf16(bytes, &lost);
        reading.text = sanitizeUtf8(ByteView(reinterpret_cast<const uint8_t*>(utf8.data()), utf8.size()),
                                    &reading.replacements);
        reading.replacements += lost;
    } else if (looksLikeLegacyEncoding(bytes)) {
        reading.encoding = TextEncoding::Legacy;
        return reading;
    } else if (!build) {
        const SanitizedSize size = measureSanitized(bytes);
        reading.replacements = size.replacements + (format == "xml" ? size.xmlNonCharacters : 0);
        return reading;
    } else {
        reading.text = sanitizeUtf8(bytes, &reading.replacements);
    }
    if (format == "xml")
        reading.replacements += replaceXmlNonCharacters(reading.text);
    return reading;
}

} // namespace

std::string sanitizeUtf8(ByteView bytes, uint64_t* replacements)
{
    // Measured first: a damaged text can grow to three times its size (one U+FFFD per byte), and
    // the whole of it is held once, in a buffer of its final size, or refused.
    const SanitizedSize size = measureSanitized(bytes);
    requireWorkingMemory(size.bytes);
    std::string out;
    out.reserve(static_cast<size_t>(size.bytes));
    const uint64_t n = bytes.size();
    for (uint64_t i = 0; i < n;) {
        // Counted by the bytes written, which may be three times the bytes read.
        checkpointStep(out.size(), size.bytes);
        const unsigned length = allowedLength(bytes.data(), n, i);
        if (length == 0) {
            out += kReplacement;
            ++i;
        } else {
            out.append(reinterpret_cast<const char*>(bytes.data()) + i, length);
            i += length;
        }
    }
    if (replacements != nullptr)
        *replacements = size.replacements;
    return out;
}

std::string transcodeUtf16(ByteView b, uint64_t* replacements)
{
    std::string out;
    uint64_t count = 0;
    if (!hasUtf16Bom(b)) {
        if (replacements != nullptr)
            *replacements = 0;
        return out;
    }
    const bool little = b[0] == 0xFF;
    const uint64_t n = b.size();
    requireWorkingMemory(n + n / 2);
    out.reserve(n + n / 2);
    auto unit = [&](uint64_t i) -> uint32_t {
        return little ? (b[i] | (static_cast<uint32_t>(b[i + 1]) << 8)) : ((static_cast<uint32_t>(b[i]) << 8) | b[i + 1]);
    };
    uint64_t i = 2;
    while (i + 1 < n) {
        checkpointStep(i, n);
        const uint32_t u = unit(i);
        i += 2;
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < n && unit(i) >= 0xDC00 && unit(i) <= 0xDFFF) {
            appendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (unit(i) - 0xDC00));
            i += 2;
        } else if (u >= 0xD800 && u <= 0xDFFF) {
            out += kReplacement;
            ++count;
        } else {
            appendUtf8(out, u);
        }
    }
    if (i < n) {
        out += kReplacement;
        ++count;
    }
    if (replacements != nullptr)
        *replacements = count;
    return out;
}

uint64_t replaceXmlNonCharacters(std::string& text)
{
    uint64_t count = 0;
    for (size_t i = 0; i + 2 < text.size(); ++i) {
        if (static_cast<uint8_t>(text[i]) == 0xEF && static_cast<uint8_t>(text[i + 1]) == 0xBF &&
            (static_cast<uint8_t>(text[i + 2]) == 0xBE || static_cast<uint8_t>(text[i + 2]) == 0xBF)) {
            text[i + 2] = static_cast<char>(0xBD);
            ++count;
            i += 2;
        }
    }
    return count;
}

std::string wrapRecoveredXml(std::string text)
{
    static const std::string prefix =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<korvex-recovered format=\"xml\"><![CDATA[";
    static const std::string suffix = "]]></korvex-recovered>\n";
    // One pass into a new string: replacing in place would shift the tail once per "]]>".
    std::string out;
    out.reserve(prefix.size() + text.size() + suffix.size());
    out += prefix;
    size_t from = 0;
    for (size_t hit = text.find("]]>"); hit != std::string::npos; hit = text.find("]]>", from)) {
        out.append(text, from, hit - from);
        out += "]]]]><![CDATA[>";
        from = hit + 3;
    }
    out.append(text, from, std::string::npos);
    out += suffix;
    return out;
}

std::string wrapRecoveredJson(const std::string& text)
{
    std::string escaped;
    escaped.reserve(text.size() + 64);
    for (char c : text) {
        switch (c) {
        case '\b': escaped += "\\b"; break;
        case '\t': escaped += "\\t"; break;
        case '\n': escaped += "\\n"; break;
        case '\f': escaped += "\\f"; break;
        case '\r': escaped += "\\r"; break;
        case '"': escaped += "\\\""; break;
        case '\\': escaped += "\\\\"; break;
        default: escaped += c; break;
        }
    }
    return "{\n  \"korvexRecovered\": true,\n  \"sourceText\": \"" + escaped + "\"\n}\n";
}

RepairResult analyzeTextDocument(const RepairRequest& request, ByteView bytes)
{
    RepairResult result = baseDocumentResult(request, bytes);
    // The file's own extension names the output and picks the envelope: a text that merely
    // begins like another format (a UTF-16 "H" looks like MPEG audio) stays what it is.
    const std::string ext = lowerExtension(pathFromUtf8(request.input.path));
    const std::string detected = result.format;
    result.format = ext;
    result.kind = Document;
    if (detected != ext && !hasUtf16Bom(bytes))
        result.addFinding(StructureInvalid, Warning, "content is not text: it begins with a " + detected + " signature", 0,
                          0, false, 0.7);

    const TextReading reading = readText(bytes, ext, false);
    if (reading.encoding == TextEncoding::Legacy) {
        result.addFinding(StructureInvalid, Warning, "text is not UTF-8 (legacy encoding); its bytes are kept unchanged", 0,
                          bytes.size(), false, 0.85);
        result.confidence = 0.78;
        return result;
    }
    if (reading.encoding == TextEncoding::Utf16)
        result.addFinding(StructureInvalid, Info, "UTF-16 text will be converted to UTF-8", 0, bytes.size(), true, 0.9);
    if (reading.replacements > 0)
        result.addFinding(StructureInvalid, Warning, "invalid UTF-8 or NUL bytes can be replaced safely", 0,
                          reading.replacements, true, 0.92);
    if (ext == "xml")
        result.addFinding(HeaderDamaged, Info, "XML content will be preserved in a well-formed recovery envelope", 0, 0,
                          true, 0.82);
    else if (ext == "json")
        result.addFinding(StructureInvalid, Info, "JSON content will be preserved in a valid recovery envelope", 0, 0,
                          true, 0.8);
    result.confidence = reading.replacements > 0 ? 0.78 : 0.92;
    return result;
}

RepairResult repairTextDocument(const RepairRequest& request, ByteView bytes)
{
    RepairResult result = analyzeTextDocument(request, bytes);
    const std::string format = result.format;
    TextReading reading = readText(bytes, format, true);
    double confidence = 0.92;
    std::string text;
    ByteView output = bytes; // a text kept in its own encoding is written as it is
    if (reading.encoding == TextEncoding::Legacy) {
        result.notes.push_back("text is kept in its original encoding; no bytes were replaced");
        confidence = 0.7;
    } else {
        if (reading.encoding == TextEncoding::Utf16)
            result.addAction("transcode-utf16", "converted UTF-16 text to UTF-8", bytes.size());
        const uint64_t c = reading.replacements;
        if (c > 0)
            result.addAction("sanitize-utf8", "replaced invalid UTF-8 and NUL bytes", c);
        text = std::move(reading.text);
        if (format == "xml") {
            text = wrapRecoveredXml(std::move(text));
            result.addAction("wrap-recovered-xml", "preserved damaged XML text inside a well-formed recovery document",
                             text.size());
            result.notes.push_back("XML element semantics may be partial; original bytes are preserved as recovery text");
        } else if (format == "json") {
            text = wrapRecoveredJson(text);
            result.addAction("wrap-recovered-json", "preserved damaged JSON text inside a valid recovery document",
                             text.size());
            result.notes.push_back("JSON object semantics may be partial; original bytes are preserved in sourceText");
        }
        confidence = (format == "xml" || format == "json") ? 0.68 : (c > 0 ? 0.76 : 0.92);
        output = ByteView(reinterpret_cast<const uint8_t*>(text.data()), text.size());
    }
    if (modeWritesNoOutput(request.mode))
        return result;
    if (writeRepairedOutput(result, request, output, format, "repaired-text-document", kDocTextWrite))
        result.confidence = confidence;
    return result;
}

} // namespace data_repair
