#include "document/pdf_repair.h"

#include <algorithm>
#include <cstdio>

#include "data_repair/checkpoint.h"
#include "data_repair/output_writer.h"
#include "document/document_formats.h"

namespace data_repair {

namespace {

constexpr uint64_t kDictionaryWindow = 64 * 1024;
constexpr int kMaxNesting = 64;
constexpr const char* kNoRootNote = "PDF catalog root was not found; output may require manual recovery";

bool isPdfSpace(uint8_t c) { return c == 0x09 || c == 0x0A || c == 0x0B || c == 0x0C || c == 0x0D || c == 0x20; }
bool isDigit(uint8_t c) { return c >= '0' && c <= '9'; }
bool isDelimiter(uint8_t c)
{
    return c == '(' || c == ')' || c == '<' || c == '>' || c == '[' || c == ']' || c == '{' || c == '}' ||
           c == '/' || c == '%';
}
bool isRegular(uint8_t c) { return c != 0 && !isPdfSpace(c) && !isDelimiter(c); }

uint64_t skipRun(ByteView b, uint64_t pos, bool (*predicate)(uint8_t), uint64_t maxRun)
{
    const uint64_t start = pos;
    while (pos < b.size() && predicate(b[pos]) && pos - start <= maxRun)
        ++pos;
    return pos;
}

// White space, NUL and comments between tokens.
uint64_t skipFiller(ByteView b, uint64_t pos, uint64_t limit)
{
    while (pos < limit) {
        if (isPdfSpace(b[pos]) || b[pos] == 0) {
            ++pos;
        } else if (b[pos] == '%') {
            while (pos < limit && b[pos] != '\n' && b[pos] != '\r')
                ++pos;
        } else {
            break;
        }
    }
    return pos;
}

// End of the value that starts at pos, or npos when it is malformed or leaves the window.
uint64_t skipValue(ByteView b, uint64_t pos, uint64_t limit, int depth)
{
    if (pos >= limit || depth > kMaxNesting)
        return npos;
    const uint8_t c = b[pos];
    if (c == '<' && pos + 1 < limit && b[pos + 1] == '<') {
        pos += 2;
        for (;;) {
            pos = skipFiller(b, pos, limit);
            if (pos + 1 < limit && b[pos] == '>' && b[pos + 1] == '>')
                return pos + 2;
            pos = skipValue(b, pos, limit, depth + 1);
            if (pos == npos)
                return npos;
        }
    }
    if (c == '[') {
        ++pos;
        for (;;) {
            pos = skipFiller(b, pos, limit);
            if (pos < limit && b[pos] == ']')
                return pos + 1;
            pos = skipValue(b, pos, limit, depth + 1);
            if (pos == npos)
                return npos;
        }
    }
    if (c == '<') {
        while (pos < limit && b[pos] != '>')
            ++pos;
        return pos < limit ? pos + 1 : npos;
    }
    if (c == '(') {
        int open = 0;
        for (; pos < limit; ++pos) {
            if (b[pos] == '\\') {
                ++pos;
            } else if (b[pos] == '(') {
                ++open;
            } else if (b[pos] == ')' && --open == 0) {
                return pos + 1;
            }
        }
        return npos;
    }
    if (c == '/')
        ++pos;
    const uint64_t start = pos;
    while (pos < limit && isRegular(b[pos]))
        ++pos;
    return (pos == start && c != '/') ? npos : pos;
}

bool isUnsignedToken(ByteView b, uint64_t from, uint64_t to)
{
    if (from >= to)
        return false;
    for (uint64_t i = from; i < to; ++i) {
        if (!isDigit(b[i]))
            return false;
    }
    return true;
}

// Length of the version word after "%PDF-" at pos, and whether it reads "<digit>.<digit>".
uint64_t headerVersionLength(ByteView b, uint64_t pos, bool& readable)
{
    const uint64_t start = pos + 5;
    uint64_t end = start;
    while (end < b.size() && end - start < 16 && isRegular(b[end]))
        ++end;
    readable = end - start == 3 && isDigit(b[start]) && b[start + 1] == '.' && isDigit(b[start + 2]);
    return end - start;
}

std::string decimal(uint64_t value) { return std::to_string(value); }

std::string paddedOffset(uint64_t offset)
{
    char text[32];
    std::snprintf(text, sizeof text, "%010llu", static_cast<unsigned long long>(offset));
    return text;
}

// Sorted positions of every occurrence of a needle.
// Occurrences that end at or before `limit`.
// The first occurrence of a word at or after a position that only moves forward, among those
// ending within `limit`: each search starts where the last answer no longer holds, so a walk
// over the whole file reads it once per word and keeps no list of hits.
class NextWord {
public:
    NextWord(ByteView t, std::string_view word, uint64_t limit) : t_(t), word_(word), limit_(limit) {}
    uint64_t atOrAfter(uint64_t pos)
    {
        if (!searched_ || (hit_ != npos && hit_ < pos)) {
            searched_ = true;
            hit_ = findBytes(t_, word_, pos);
            if (hit_ != npos && hit_ + word_.size() > limit_)
                hit_ = npos;
        }
        return hit_;
    }

private:
    ByteView t_;
    std::string_view word_;
    uint64_t limit_;
    uint64_t hit_ = npos;
    bool searched_ = false;
};

// An object looks like the catalog when its body (up to the first "endobj", or 512 bytes) holds
// both "/Type" and "/Catalog"; the last such object is the root. Only the first `size` bytes of t
// count.
//
// Object by object: forward searches whose positions only grow keep this linear even when bodies
// overlap. Used for the objects after the last "endobj" (whose bodies end after 512 bytes).
int64_t findCatalogByObject(ByteView t, std::span<const PdfObjectHeader> headers, uint64_t size)
{
    NextWord endobjs(t, "endobj", size);
    NextWord types(t, "/Type", size);
    NextWord catalogs(t, "/Catalog", size);
    int64_t root = 0;
    for (const auto& header : headers) {
        if (header.number > kPdfMaxObjectNumber)
            continue;
        const uint64_t endobj = endobjs.atOrAfter(header.offset);
        const uint64_t bodyEnd = endobj != npos ? endobj : std::min<uint64_t>(size, header.offset + 512);
        if (bodyEnd - header.offset < 5)
            continue;
        const uint64_t type = types.atOrAfter(header.offset);
        const uint64_t catalog = catalogs.atOrAfter(header.offset);
        if (type != npos && type + 5 <= bodyEnd && catalog != npos && catalog + 8 <= bodyEnd)
            root = static_cast<int64_t>(header.number);
    }
    return root;
}

// The same answer, led by the "/Catalog" words: apart from that one search, only the bytes around
// each of them are read, where the object by object walk reads the file once per word.
int64_t findCatalog(ByteView t, std::span<const PdfObjectHeader> headers, uint64_t size)
{
    NextWord catalogs(t, "/Catalog", size);
    NextWord endobjs(t, "endobj", size);
    NextWord types(t, "/Type", size);
    const auto byOffset = [](uint64_t pos, const PdfObjectHeader& h) { return pos < h.offset; };
    int64_t root = 0;
    for (size_t first = 0; first < headers.size();) {
        // The objects whose first "/Catalog" at or after their header is this one.
        const uint64_t catalog = catalogs.atOrAfter(headers[first].offset);
        if (catalog == npos)
            break;
        const size_t end = static_cast<size_t>(
            std::upper_bound(headers.begin() + static_cast<std::ptrdiff_t>(first), headers.end(), catalog, byOffset) -
            headers.begin());
        // Its body holds it only where no "endobj" lies between header and word: those after the
        // last such "endobj". All of them end at the first "endobj" after the word.
        const uint64_t from = headers[first].offset;
        const uint64_t closed = rfindBytes(t.subspan(from, catalog - from), "endobj");
        size_t open = first;
        if (closed != npos) {
            open = static_cast<size_t>(std::upper_bound(headers.begin() + static_cast<std::ptrdiff_t>(first),
                                                        headers.begin() + static_cast<std::ptrdiff_t>(end),
                                                        from + closed, byOffset) -
                                       headers.begin());
        }
        const uint64_t bodyEnd = endobjs.atOrAfter(catalog);
        if (bodyEnd == npos) {
            // No "endobj" follows: these bodies and every later one end after 512 bytes.
            const int64_t tail = findCatalogByObject(t, headers.subspan(first), size);
            return tail != 0 ? tail : root;
        }
        if (open < end) {
            // The last "/Type" these bodies hold: the one after the last of them, else the last
            // one between their headers (each object's first "/Type" lies at or before it).
            uint64_t lastType = npos;
            const uint64_t lastHeader = headers[end - 1].offset;
            const uint64_t type = types.atOrAfter(lastHeader);
            if (type != npos && type + 5 <= bodyEnd) {
                lastType = type;
            } else {
                const uint64_t lo = headers[open].offset;
                const uint64_t hit = rfindBytes(t.subspan(lo, std::min<uint64_t>(lastHeader + 4, t.size()) - lo), "/Type");
                if (hit != npos)
                    lastType = lo + hit;
            }
            for (size_t k = end; lastType != npos && k > open; --k) {
                const PdfObjectHeader& h = headers[k - 1];
                if (h.offset <= lastType && h.number <= kPdfMaxObjectNumber) {
                    root = static_cast<int64_t>(h.number);
                    break;
                }
            }
        }
        first = end;
    }
    return root;
}

// Values an old trailer (or cross-reference stream dictionary) carries that the new trailer must
// keep: without /Encrypt and /ID an encrypted file cannot be opened, /Info holds the metadata.
struct OldTrailer {
    std::map<std::string, std::string> keys;
    uint64_t xrefStreamOffset = npos; // offset of the last cross-reference stream object
};

uint64_t lastXrefStreamObject(ByteView t, const std::vector<PdfObjectHeader>& headers)
{
    // Walking back, each owning object's dictionary is read once and only up to the next object
    // header, then the walk jumps before that object: every byte is re-read a bounded number of
    // times however many "/XRef" words one dictionary holds.
    for (uint64_t end = t.size(); end > 0;) {
        const uint64_t hit = rfindBytesBefore(t, "/XRef", end);
        if (hit == npos)
            return npos;
        end = hit;
        if (fits(t, hit + 5, 1) && isRegular(t[hit + 5]))
            continue; // "/XRefStm" and the like
        auto after = std::upper_bound(headers.begin(), headers.end(), hit,
                                      [](uint64_t pos, const PdfObjectHeader& h) { return pos < h.offset; });
        if (after == headers.begin())
            return npos;
        const PdfObjectHeader& owner = *std::prev(after);
        const uint64_t limit = after != headers.end() ? after->offset : t.size();
        const auto dict = readPdfDictionary(t, owner.end, limit);
        const auto type = dict.find("/Type");
        if (type != dict.end() && type->second == "/XRef")
            return owner.offset;
        end = owner.offset;
    }
    return npos;
}

OldTrailer readOldTrailer(ByteView t, const std::vector<PdfObjectHeader>& headers, uint64_t xrefStreamOffset)
{
    OldTrailer old;
    const uint64_t trailer = rfindBytes(t, "trailer");
    old.xrefStreamOffset = xrefStreamOffset;
    std::map<std::string, std::string> fromTrailer;
    std::map<std::string, std::string> fromStream;
    if (trailer != npos)
        fromTrailer = readPdfDictionary(t, trailer + 7);
    if (old.xrefStreamOffset != npos) {
        const auto owner = std::find_if(headers.begin(), headers.end(),
                                        [&](const PdfObjectHeader& h) { return h.offset == old.xrefStreamOffset; });
        if (owner != headers.end())
            fromStream = readPdfDictionary(t, owner->end);
    }
    // The later of the two is the newer revision; the other fills what it lacks.
    const bool streamIsNewer = old.xrefStreamOffset != npos && (trailer == npos || old.xrefStreamOffset > trailer);
    old.keys = streamIsNewer ? fromStream : fromTrailer;
    for (const auto& [key, value] : streamIsNewer ? fromTrailer : fromStream)
        old.keys.emplace(key, value);
    return old;
}

// "n g R" -> n and g; false for anything else.
bool parseReference(const std::string& text, uint64_t& number, uint64_t& generation)
{
    unsigned long long n = 0, g = 0;
    char r = 0;
    if (std::sscanf(text.c_str(), "%llu %llu %c", &n, &g, &r) != 3 || r != 'R')
        return false;
    number = n;
    generation = g;
    return true;
}

uint64_t parseSmallNumber(const std::string& text)
{
    if (text.empty() || text.size() > 9 || !std::all_of(text.begin(), text.end(), [](char c) { return isDigit(c); }))
        return 0;
    return std::stoull(text);
}

// Position after 1 to maxDigits digits at pos, with their value; npos when there are none or more.
uint64_t readNumber(ByteView b, uint64_t pos, uint64_t maxDigits, uint64_t& value)
{
    const uint64_t end = skipRun(b, pos, isDigit, maxDigits);
    if (end == pos || end - pos > maxDigits)
        return npos;
    value = 0;
    for (uint64_t k = pos; k < end; ++k)
        value = value * 10 + (b[k] - '0');
    return end;
}

// Readers skip white space before a token, so an offset may land just before the header.
uint64_t skipSpaces(ByteView b, uint64_t pos) { return skipRun(b, pos, isPdfSpace, 16); }

// "<number> <generation> obj" at pos; any number or generation when the expected one is npos.
bool objectHeaderAt(ByteView b, uint64_t pos, uint64_t number, uint64_t generation)
{
    uint64_t n = 0, g = 0;
    pos = readNumber(b, skipSpaces(b, pos), 10, n);
    if (pos == npos || (number != npos && n != number) || !fits(b, pos, 1) || !isPdfSpace(b[pos]))
        return false;
    pos = readNumber(b, skipSpaces(b, pos), 5, g);
    if (pos == npos || (generation != npos && g != generation) || !fits(b, pos, 1) || !isPdfSpace(b[pos]))
        return false;
    return matchesAt(b, skipSpaces(b, pos), "obj");
}

// In-use entries whose object header is looked up; the table's syntax is checked whole.
constexpr uint64_t kCheckedXrefEntries = 1024;

// Position of the first fault in the classic table whose entries start after "xref" at pos, or
// npos when its subsections parse up to "trailer" and the checked entries land on their objects.
uint64_t classicTableDamage(ByteView b, uint64_t pos, uint64_t origin)
{
    uint64_t sections = 0;
    uint64_t checked = 0;
    for (;;) {
        pos = skipRun(b, pos, isPdfSpace, npos);
        if (matchesAt(b, pos, "trailer"))
            return sections > 0 ? npos : pos;
        uint64_t first = 0, count = 0;
        uint64_t p = readNumber(b, pos, 10, first);
        if (p == npos || !fits(b, p, 1) || !isPdfSpace(b[p]))
            return pos;
        p = readNumber(b, skipSpaces(b, p), 10, count);
        if (p == npos)
            return pos;
        ++sections;
        // Every entry takes bytes, so a count larger than the file ends at a parse failure.
        for (uint64_t i = 0; i < count; ++i) {
            const uint64_t entry = skipRun(b, p, isPdfSpace, npos);
            uint64_t offset = 0, generation = 0;
            p = readNumber(b, entry, 10, offset);
            if (p == npos || !fits(b, p, 1) || !isPdfSpace(b[p]))
                return entry;
            p = readNumber(b, skipSpaces(b, p), 5, generation);
            if (p == npos || !fits(b, p, 1) || !isPdfSpace(b[p]))
                return entry;
            p = skipSpaces(b, p);
            if (!fits(b, p, 1) || (b[p] != 'n' && b[p] != 'f'))
                return entry;
            const bool inUse = b[p] == 'n';
            ++p;
            if (inUse && checked < kCheckedXrefEntries) {
                ++checked;
                if (offset > b.size() - origin || !objectHeaderAt(b, origin + offset, first + i, generation))
                    return entry;
            }
        }
        pos = p;
    }
}

// Where the cross-reference data named by startxref is damaged, counting offsets from origin, or
// npos when it is a sound classic table or a cross-reference stream object.
uint64_t xrefDamageFrom(ByteView b, uint64_t keyword, uint64_t target, uint64_t origin)
{
    if (target >= b.size() - origin)
        return keyword;
    const uint64_t at = skipSpaces(b, origin + target);
    if (matchesAt(b, at, "xref"))
        return classicTableDamage(b, at + 4, origin);
    if (objectHeaderAt(b, at, npos, npos)) {
        const auto dict = readPdfDictionary(b, findBytes(b, "obj", at) + 3);
        const auto type = dict.find("/Type");
        if (type != dict.end() && type->second == "/XRef")
            return npos;
    }
    return keyword;
}

// The same for the last "startxref". Offsets count from the header; with bytes before it, from
// the file's start too (some writers count so).
uint64_t xrefDamage(ByteView b, uint64_t header)
{
    const uint64_t keyword = rfindBytes(b, "startxref");
    if (keyword == npos)
        return npos;
    uint64_t target = 0;
    if (readNumber(b, skipRun(b, keyword + 9, isPdfSpace, 64), 19, target) == npos)
        return keyword;
    const uint64_t origin = header == npos ? 0 : header;
    const uint64_t damage = xrefDamageFrom(b, keyword, target, origin);
    if (damage == npos || origin == 0)
        return damage;
    return xrefDamageFrom(b, keyword, target, 0) == npos ? npos : damage;
}

} // namespace

std::vector<PdfObjectHeader> scanPdfObjectHeaders(ByteView b, uint64_t maxHeaders)
{
    // Every header ends in "obj": those are found by the fast search, and the numbers before each
    // are read backwards. The walk back stops at the first byte that is neither white space nor
    // a digit, so it never reaches into the previous "obj" and each byte is read a bounded
    // number of times.
    std::vector<PdfObjectHeader> headers;
    for (uint64_t k = findBytes(b, "obj", 0); k != npos && headers.size() < maxHeaders;
         k = findBytes(b, "obj", k + 3)) {
        uint64_t p = k;
        const auto back = [&](bool (*predicate)(uint8_t), uint64_t most) {
            uint64_t count = 0;
            while (p > 0 && count < most && predicate(b[p - 1])) {
                --p;
                ++count;
            }
            return count;
        };
        // A longer run than allowed leaves a digit before it, which fails the test after it.
        if (back(isPdfSpace, npos) == 0 || back(isDigit, 5) == 0 || p == 0 || !isPdfSpace(b[p - 1]) ||
            back(isPdfSpace, npos) == 0)
            continue;
        const uint64_t numberEnd = p;
        if (back(isDigit, 10) == 0 || (p > 0 && isDigit(b[p - 1])))
            continue;
        uint64_t number = 0;
        for (uint64_t d = p; d < numberEnd; ++d)
            number = number * 10 + (b[d] - '0');
        headers.push_back(PdfObjectHeader{number, p, k + 3});
    }
    return headers;
}

std::map<std::string, std::string> readPdfDictionary(ByteView b, uint64_t pos, uint64_t end)
{
    std::map<std::string, std::string> keys;
    const uint64_t limit = std::min({b.size(), end, pos > b.size() ? 0 : pos + kDictionaryWindow});
    pos = skipFiller(b, pos, limit);
    if (!(pos + 1 < limit && b[pos] == '<' && b[pos + 1] == '<'))
        return keys;
    pos += 2;
    for (;;) {
        pos = skipFiller(b, pos, limit);
        if (pos >= limit || b[pos] != '/')
            return keys;
        const uint64_t keyEnd = skipValue(b, pos, limit, 0);
        if (keyEnd == npos)
            return keys;
        const std::string key = bytesToString(b, pos, keyEnd - pos);
        const uint64_t valueStart = skipFiller(b, keyEnd, limit);
        uint64_t valueEnd = skipValue(b, valueStart, limit, 0);
        if (valueEnd == npos)
            return keys;
        if (isUnsignedToken(b, valueStart, valueEnd)) {
            // An indirect reference is three tokens: "n g R".
            const uint64_t genStart = skipFiller(b, valueEnd, limit);
            const uint64_t genEnd = skipValue(b, genStart, limit, 0);
            if (genEnd != npos && isUnsignedToken(b, genStart, genEnd)) {
                const uint64_t rStart = skipFiller(b, genEnd, limit);
                const uint64_t rEnd = skipValue(b, rStart, limit, 0);
                if (rEnd == rStart + 1 && b[rStart] == 'R')
                    valueEnd = rEnd;
            }
        }
        keys[key] = bytesToString(b, valueStart, valueEnd - valueStart);
        pos = valueEnd;
    }
}

namespace {

// Whether an object's body reads as PDF values up to its "endobj" (or "stream"): bytes inserted
// into a dictionary leave delimiters that no value closes. A body that runs past the window
// before it fails, or reaches the next object without the keyword, is not judged.
bool bodyReads(ByteView t, uint64_t from, uint64_t limit)
{
    const uint64_t window = std::min(limit, from + kDictionaryWindow);
    for (uint64_t pos = skipFiller(t, from, window); pos < window; pos = skipFiller(t, pos, window)) {
        if (matchesAt(t, pos, "endobj") || matchesAt(t, pos, "stream"))
            return true;
        pos = skipValue(t, pos, window, 0);
        if (pos == npos)
            return window < limit;
    }
    return true;
}

// A stream whose /Length does not reach its "endstream" (bytes were inserted into or cut from its
// data): readers then search for the end and report the file damaged. Direct lengths are
// rewritten in place when the new digits fit where the old ones and the spaces after them stood;
// an indirect length gets a new revision of its number object.
struct StreamLengths {
    std::vector<std::pair<uint64_t, std::string>> patches; // position, bytes written over the input
    std::map<uint64_t, std::string> revised;               // object number, its new revision
    uint64_t fixed = 0;
};

// The stated length of the stream whose dictionary holds `value`; npos when it cannot be read.
uint64_t statedLength(ByteView t, const std::string& value, const std::map<uint64_t, uint64_t>& objects,
                      uint64_t kept, uint64_t& reference)
{
    reference = 0;
    uint64_t number = 0, generation = 0;
    if (parseReference(value, number, generation)) {
        const auto object = objects.find(number);
        if (object == objects.end() || object->second >= kept)
            return npos;
        const uint64_t obj = findBytes(t.first(kept), "obj", object->second);
        uint64_t length = 0;
        if (obj == npos || readNumber(t, skipFiller(t, obj + 3, kept), 19, length) == npos)
            return npos;
        reference = number;
        return length;
    }
    return parseSmallNumber(value) == 0 && value != "0" ? npos : parseSmallNumber(value);
}

StreamLengths fixStreamLengths(ByteView t, std::span<const PdfObjectHeader> headers,
                               const std::map<uint64_t, uint64_t>& objects, uint64_t kept)
{
    StreamLengths out;
    NextWord streams(t, "stream", kept);
    for (size_t i = 0; i < headers.size(); ++i) {
        const PdfObjectHeader& h = headers[i];
        const uint64_t limit = std::min(kept, i + 1 < headers.size() ? headers[i + 1].offset : kept);
        const uint64_t keyword = streams.atOrAfter(h.end);
        if (keyword == npos)
            break;
        if (keyword >= limit || objects.count(h.number) == 0 || objects.at(h.number) != h.offset)
            continue;
        const uint64_t open = skipFiller(t, h.end, limit);
        const uint64_t close = skipValue(t, open, std::min(limit, open + kDictionaryWindow), 0);
        if (close == npos || !matchesAt(t, open, "<<") || skipFiller(t, close, limit) != keyword)
            continue;
        uint64_t data = keyword + 6;
        if (matchesAt(t, data, "\r\n"))
            data += 2;
        else if (data < limit && (t[data] == '\n' || t[data] == '\r'))
            ++data;
        const auto keys = readPdfDictionary(t, open, limit);
        const auto value = keys.find("/Length");
        if (value == keys.end())
            continue;
        uint64_t reference = 0;
        const uint64_t stated = statedLength(t, value->second, objects, kept, reference);
        if (stated != npos && stated <= limit - data && matchesAt(t, skipSpaces(t, data + stated), "endstream"))
            continue;
        const uint64_t end = findBytes(t.first(limit), "endstream", data);
        if (end == npos)
            continue;
        uint64_t length = end - data;
        if (length > 0 && t[end - 1] == '\n')
            length -= (length > 1 && t[end - 2] == '\r') ? 2 : 1;
        else if (length > 0 && t[end - 1] == '\r')
            --length;
        const std::string digits = decimal(length);
        if (reference != 0) {
            out.revised[reference] = decimal(reference) + " 0 obj\n" + digits + "\nendobj\n";
            ++out.fixed;
            continue;
        }
        // The direct number: the value after the key "/Length" in this dictionary.
        uint64_t key = findBytes(t.first(close), "/Length", open);
        while (key != npos && fits(t, key + 7, 1) && isRegular(t[key + 7]))
            key = findBytes(t.first(close), "/Length", key + 7);
        if (key == npos)
            continue;
        const uint64_t number = skipFiller(t, key + 7, close);
        const uint64_t numberEnd = skipRun(t, number, isDigit, 19);
        const uint64_t room = skipRun(t, numberEnd, isPdfSpace, 64);
        if (numberEnd == number || digits.size() > room - number || (room < close && isRegular(t[room]) && digits.size() == room - number))
            continue;
        out.patches.emplace_back(number, digits + std::string(room - number - digits.size(), ' '));
        ++out.fixed;
    }
    return out;
}

// "[3 0 R 5 0 R]" -> the references, each as written ("3 0 R") with its number; empty when the
// text is anything else.
std::vector<std::pair<uint64_t, std::string>> parseReferenceArray(const std::string& text)
{
    std::vector<std::pair<uint64_t, std::string>> references;
    const ByteView b(reinterpret_cast<const uint8_t*>(text.data()), text.size());
    uint64_t pos = skipFiller(b, 0, b.size());
    if (pos >= b.size() || b[pos] != '[')
        return {};
    for (pos = skipFiller(b, pos + 1, b.size()); pos < b.size() && b[pos] != ']'; pos = skipFiller(b, pos, b.size())) {
        uint64_t number = 0, generation = 0;
        const uint64_t start = pos;
        pos = readNumber(b, pos, 10, number);
        if (pos == npos)
            return {};
        pos = readNumber(b, skipFiller(b, pos, b.size()), 5, generation);
        if (pos == npos)
            return {};
        pos = skipFiller(b, pos, b.size());
        if (pos >= b.size() || b[pos] != 'R')
            return {};
        ++pos;
        references.emplace_back(number, text.substr(start, pos - start));
    }
    if (pos >= b.size())
        return {};
    return references;
}

// A node of the page tree: an object whose dictionary (closed within the window) says /Pages.
struct PagesNode {
    std::map<std::string, std::string> keys;
    std::vector<std::pair<uint64_t, std::string>> kids;
};

// Every page tree node among the objects [0, count) of headers whose bodies end by `kept`. Only
// objects that hold "/Kids" are read: one forward search finds them.
std::map<uint64_t, PagesNode> findPagesNodes(ByteView t, std::span<const PdfObjectHeader> headers,
                                              const std::map<uint64_t, uint64_t>& objects, uint64_t kept)
{
    std::map<uint64_t, PagesNode> nodes;
    NextWord kidsWords(t, "/Kids", kept);
    for (size_t i = 0; i < headers.size(); ++i) {
        const PdfObjectHeader& h = headers[i];
        const uint64_t limit = std::min(kept, i + 1 < headers.size() ? headers[i + 1].offset : kept);
        const uint64_t kids = kidsWords.atOrAfter(h.end);
        if (kids == npos)
            break;
        if (kids + 5 > limit || objects.count(h.number) == 0 || objects.at(h.number) != h.offset)
            continue;
        const uint64_t open = skipFiller(t, h.end, limit);
        if (skipValue(t, open, std::min(limit, open + kDictionaryWindow), 0) == npos)
            continue; // not a dictionary closed within the window: left as it is
        PagesNode node;
        node.keys = readPdfDictionary(t, open, limit);
        const auto type = node.keys.find("/Type");
        const auto kidsValue = node.keys.find("/Kids");
        if (type == node.keys.end() || type->second != "/Pages" || kidsValue == node.keys.end())
            continue;
        node.kids = parseReferenceArray(kidsValue->second);
        if (!node.kids.empty() || kidsValue->second.find(']') != std::string::npos)
            nodes[h.number] = std::move(node);
    }
    return nodes;
}

// The page tree as the new table will hold it: kids that are not in the table leave their
// /Kids, and each /Count becomes the pages below it. Returns each node that changed as a new
// revision of its object, ready to append; `counts` gets each node's pages.
std::map<uint64_t, std::string> prunePageTree(std::map<uint64_t, PagesNode>& nodes,
                                              const std::map<uint64_t, uint64_t>& objects,
                                              std::map<uint64_t, uint64_t>& counts)
{
    std::map<uint64_t, std::string> revised;
    // Depth-first with a bound: a tree that loops back counts the repeated node as empty.
    const auto count = [&](auto& self, uint64_t number, int depth) -> uint64_t {
        if (const auto done = counts.find(number); done != counts.end())
            return done->second;
        PagesNode& node = nodes.at(number);
        counts[number] = 0;
        if (depth > kMaxNesting)
            return 0;
        uint64_t pages = 0;
        std::vector<std::pair<uint64_t, std::string>> kept;
        for (const auto& kid : node.kids) {
            if (objects.count(kid.first) == 0)
                continue;
            pages += nodes.count(kid.first) != 0 ? self(self, kid.first, depth + 1) : 1;
            kept.push_back(kid);
        }
        counts[number] = pages;
        const auto declared = node.keys.find("/Count");
        if (kept.size() != node.kids.size() || declared == node.keys.end() || declared->second != decimal(pages)) {
            std::string text = decimal(number) + " 0 obj\n<< /Type /Pages /Kids [";
            for (size_t k = 0; k < kept.size(); ++k)
                text += (k == 0 ? "" : " ") + kept[k].second;
            text += "] /Count " + decimal(pages);
            for (const auto& [key, value] : node.keys) {
                if (key != "/Type" && key != "/Kids" && key != "/Count")
                    text += " " + key + " " + value;
            }
            text += " >>\nendobj\n";
            revised[number] = std::move(text);
        }
        return pages;
    };
    for (const auto& entry : nodes)
        count(count, entry.first, 0);
    return revised;
}


// What the analysis and the repair both look for in the whole file, found once for both.
struct PdfScan {
    std::vector<PdfObjectHeader> headers;
    uint64_t objectStream = npos; // the first "/ObjStm"
    // The last cross-reference stream object, looked for once when first asked.
    uint64_t xrefStream(ByteView b) const
    {
        if (!xrefStreamKnown_) {
            xrefStream_ = lastXrefStreamObject(b, headers);
            xrefStreamKnown_ = true;
        }
        return xrefStream_;
    }

private:
    mutable uint64_t xrefStream_ = npos;
    mutable bool xrefStreamKnown_ = false;
};

PdfScan scanPdf(ByteView b)
{
    PdfScan scan;
    scan.headers = scanPdfObjectHeaders(b);
    scan.objectStream = findBytes(b, "/ObjStm", 0);
    return scan;
}

RepairResult analyzePdf(const RepairRequest& request, ByteView bytes, const PdfScan& scan)
{
    RepairResult result = baseDocumentResult(request, bytes);
    result.format = "pdf";
    result.kind = Document;
    const auto& headers = scan.headers;
    const uint64_t m = headers.size();

    const uint64_t header = findBytes(bytes, "%PDF-", 0);
    if (header == npos) {
        result.addFinding(HeaderMissing, Error, "PDF header was not found", 0, 0, m > 0, m > 0 ? 0.82 : 0.98);
        if (m == 0) {
            result.setStatus(RepairStatus::failure(kDocUnsupported, "PDF header and recoverable objects were not found"));
            return result;
        }
    } else {
        if (header > 0)
            result.addFinding(HeaderMissing, Warning, "garbage bytes before PDF header", 0, header, true, 0.95);
        bool readable = false;
        const uint64_t length = headerVersionLength(bytes, header, readable);
        if (!readable)
            result.addFinding(HeaderDamaged, Warning, "PDF header version is unreadable", header + 5, length, true, 0.9);
    }
    if (rfindBytes(bytes, "%%EOF") == npos)
        result.addFinding(TrailerMissing, Warning, "PDF EOF marker is missing", bytes.size(), 0, true, 0.9);
    // The keyword sits near the end: searched from there, a sound file costs no pass over its body.
    if (rfindBytes(bytes, "startxref") == npos) {
        result.addFinding(IndexDamaged, Warning, "PDF cross-reference table is missing or damaged", 0, 0, true, 0.92);
    } else if (const uint64_t damage = xrefDamage(bytes, header); damage != npos) {
        result.addFinding(IndexDamaged, Warning, "PDF cross-reference table is missing or damaged", damage, 0, true,
                          0.92);
    }
    if (m == 0) {
        result.addFinding(Truncated, Error, "no recoverable PDF objects were found", 0, 0, false, 0.95);
        result.setStatus(RepairStatus::failure(kDocPdfNoObjects, "no recoverable PDF objects"));
    } else if (scan.objectStream != npos && scan.xrefStream(bytes) == npos) {
        result.addFinding(IndexDamaged, Warning,
                          "PDF object streams have no surviving cross-reference stream; objects inside them cannot be indexed",
                          0, 0, false, 0.7);
    }
    if (!result.status.ok)
        result.confidence = 0.1;
    else
        result.confidence = result.findings.empty() ? 1.0 : 0.78;
    return result;
}

} // namespace

RepairResult analyzePdfDocument(const RepairRequest& request, ByteView bytes)
{
    return analyzePdf(request, bytes, scanPdf(bytes));
}

RepairResult repairPdfDocument(const RepairRequest& request, ByteView bytes)
{
    const PdfScan scan = scanPdf(bytes);
    RepairResult result = analyzePdf(request, bytes, scan);
    if (!result.status.ok)
        return result;

    // T: the file from its header on (or a new header before the first surviving object). A file
    // that starts with a readable header is T itself and is not copied.
    const uint64_t header = findBytes(bytes, "%PDF-", 0);
    bool readable = false;
    if (header == 0)
        headerVersionLength(bytes, 0, readable);
    const bool copied = header != 0 || !readable;
    ByteBuffer changed;
    if (copied) {
        if (header == npos) {
            const auto first = scanPdfObjectHeaders(bytes, 1);
            if (first.empty()) {
                result.setStatus(RepairStatus::failure(kDocPdfNoObjects, "no recoverable PDF objects"));
                return result;
            }
            const uint64_t q = first.front().offset;
            requireWorkingMemory(bytes.size() - q + 9);
            changed.reserve(bytes.size() - q + 9);
            appendString(changed, "%PDF-1.7\n");
            appendRange(changed, bytes, q, bytes.size() - q);
            result.addAction("rebuild-header", "reconstructed a PDF header before the first surviving object", q);
        } else if (header > 0) {
            changed = copyBytes(bytes.subspan(static_cast<size_t>(header)));
            result.addAction("trim-prefix", "removed bytes before PDF header", header);
        } else {
            changed = copyBytes(bytes);
        }
        const uint64_t versionLength = headerVersionLength(changed, 0, readable);
        if (!readable) {
            // Readers refuse a header whose version they cannot parse ("%PDF-14", "%PDF-").
            ByteBuffer fixed = bytesOf("%PDF-1.7");
            appendRange(fixed, changed, 5 + versionLength, changed.size());
            changed.swap(fixed);
            result.addAction("rebuild-header", "replaced an unreadable PDF header version", versionLength);
        }
    }
    ByteView t = copied ? ByteView(changed) : bytes;
    // The end of T that is kept: the damaged tail after the last object is left out.
    uint64_t kept = t.size();

    // The file as it stands is searched once; a file given a new start is searched again.
    const PdfScan changedScan = copied ? scanPdf(t) : PdfScan{};
    const PdfScan& found = copied ? changedScan : scan;
    const auto& headers = found.headers;
    const OldTrailer old = readOldTrailer(t, headers, found.xrefStream(t));

    // Only the final tail after the last object may go (old table, trailer, startxref): earlier
    // tables of linearized or incrementally updated files sit between objects that must stay.
    // A file cut inside its last object ends with a header and no "endobj" after it: that object
    // goes with the tail instead of being indexed half.
    size_t complete = headers.size();
    if (!headers.empty()) {
        const uint64_t lastEndobj = rfindBytes(t, "endobj");
        while (lastEndobj != npos && complete > 0 && headers[complete - 1].offset > lastEndobj)
            --complete;
        if (complete < headers.size() && complete > 0) {
            kept = headers[complete].offset;
            result.addAction("drop-incomplete-object", "removed the incomplete PDF object the file ends inside",
                             t.size() - kept);
        } else if (complete < headers.size()) {
            complete = headers.size(); // no object is whole: each is indexed as it stands
        } else if (lastEndobj != npos && lastEndobj > headers.back().offset) {
            const uint64_t tail = lastEndobj + 6;
            uint64_t cut = npos;
            for (uint64_t x = findBytes(t, "xref", tail); x != npos; x = findBytes(t, "xref", x + 4)) {
                if (x > tail && isPdfSpace(t[x - 1])) {
                    cut = x;
                    break;
                }
            }
            if (cut != npos) {
                kept = cut;
                result.addAction("drop-old-xref", "removed damaged PDF cross-reference tail", 0);
            } else {
                const uint64_t startxref = findBytes(t, "startxref", tail);
                if (startxref != npos) {
                    kept = startxref;
                    result.addAction("drop-old-startxref", "removed damaged PDF startxref tail", 0);
                }
            }
        }
    }

    const std::span<const PdfObjectHeader> whole = std::span(headers).first(complete);
    const uint64_t objectStream = found.objectStream;
    const bool objectStreams = objectStream != npos && objectStream + 7 <= kept;
    std::map<uint64_t, uint64_t> objects;
    uint64_t highest = 0;
    uint64_t unreadable = 0;
    bool ignoredNumbers = false;
    for (size_t i = 0; i < whole.size(); ++i) {
        const PdfObjectHeader& h = whole[i];
        if (h.number > kPdfMaxObjectNumber) {
            ignoredNumbers = true;
            continue;
        }
        // A damaged copy leaves the table (an earlier revision of the object, if any, stays);
        // files with object streams are indexed as they stand.
        if (!objectStreams && !bodyReads(t, h.end, i + 1 < whole.size() ? whole[i + 1].offset : kept)) {
            ++unreadable;
            continue;
        }
        objects[h.number] = h.offset;
        highest = std::max(highest, h.number);
    }
    if (objects.empty()) {
        result.setStatus(RepairStatus::failure(kDocPdfNoObjects, "no recoverable PDF objects"));
        return result;
    }
    if (ignoredNumbers)
        result.notes.push_back("PDF object numbers above 8388607 were ignored");

    if (unreadable > 0)
        result.addAction("drop-damaged-objects", "left PDF objects whose contents do not read out of the table",
                         unreadable);

    int64_t root = findCatalog(t, whole, kept);
    if (root >= 1 && objects.count(static_cast<uint64_t>(root)) == 0)
        root = 0; // the catalog itself is damaged
    uint64_t rootGeneration = 0;
    const bool hybrid = objectStreams && old.xrefStreamOffset != npos;
    if (root < 1 && objectStreams) {
        // The catalog often lives inside an object stream: the old trailer still names it.
        const auto oldRoot = old.keys.find("/Root");
        uint64_t number = 0, generation = 0;
        if (oldRoot != old.keys.end() && parseReference(oldRoot->second, number, generation) && number >= 1 &&
            number <= kPdfMaxObjectNumber) {
            root = static_cast<int64_t>(number);
            rootGeneration = generation;
        }
    }

    // Objects appended after the kept bytes: page tree nodes that named lost kids, and a catalog
    // rebuilt over the surviving page tree. They replace the earlier copies in the new table.
    // Objects inside object streams are not seen here, so such files keep their tree untouched.
    std::string appended;
    std::vector<std::pair<uint64_t, std::string>> patches; // in place over the kept bytes, in order
    if (!objectStreams) {
        auto nodes = findPagesNodes(t, whole, objects, kept);
        if (kept > 0 && !isPdfSpace(t[kept - 1]))
            appended = "\n";
        std::map<uint64_t, uint64_t> pages;
        const auto revised = prunePageTree(nodes, objects, pages);
        for (const auto& [number, text] : revised) {
            objects[number] = kept + appended.size();
            appended += text;
        }
        StreamLengths lengths = fixStreamLengths(t, whole, objects, kept);
        for (const auto& [number, text] : lengths.revised) {
            objects[number] = kept + appended.size();
            appended += text;
        }
        patches = std::move(lengths.patches);
        if (lengths.fixed > 0)
            result.addAction("fix-stream-length", "set PDF stream lengths to where their data ends", lengths.fixed);
        if (!revised.empty())
            result.addAction("prune-page-tree", "removed page tree entries whose objects were lost",
                             revised.size());
        if (root < 1 && highest < kPdfMaxObjectNumber) {
            // The catalog is lost: the page tree node without a parent that holds the most pages
            // becomes the root of a new one.
            uint64_t treeRoot = 0;
            for (const auto& [number, node] : nodes) {
                if (node.keys.count("/Parent") == 0 && (treeRoot == 0 || pages[number] >= pages[treeRoot]))
                    treeRoot = number;
            }
            if (treeRoot != 0) {
                ++highest;
                objects[highest] = kept + appended.size();
                appended += decimal(highest) + " 0 obj\n<< /Type /Catalog /Pages " + decimal(treeRoot) +
                            " 0 R >>\nendobj\n";
                root = static_cast<int64_t>(highest);
                result.addAction("rebuild-catalog", "rebuilt the PDF catalog over the surviving page tree", 1);
            }
        }
        if (appended.size() == 1)
            appended.clear();
    }
    if (root < 1) {
        // A PDF without a catalog opens as no document at all: that is no repair.
        result.notes.push_back(kNoRootNote);
        result.setStatus(RepairStatus::failure(kDocPdfNoObjects, "no recoverable PDF objects"));
        result.confidence = 0.1;
        return result;
    }

    uint64_t size = highest + 1;
    if (hybrid) {
        const auto streamSize = old.keys.find("/Size");
        if (streamSize != old.keys.end())
            size = std::max(size, std::min(parseSmallNumber(streamSize->second), kPdfMaxObjectNumber + 1));
    }

    const uint64_t x = kept + appended.size();
    std::string table = "xref\n";
    const uint64_t used = objects.size();
    const bool sparse = hybrid || highest + 1 > 8 * used + 65536;
    if (!sparse) {
        table.reserve(32 + 20 * (highest + 1) + 256);
        table += "0 " + decimal(highest + 1) + "\n0000000000 65535 f \n";
        for (uint64_t i = 1; i <= highest; ++i) {
            const auto it = objects.find(i);
            table += it != objects.end() ? paddedOffset(it->second) + " 00000 n \n" : "0000000000 65535 f \n";
        }
    } else {
        // One subsection per run of consecutive numbers: the table stays as large as what was
        // found, and numbers absent from it stay with the cross-reference stream in hybrid files.
        table += "0 1\n0000000000 65535 f \n";
        auto it = objects.upper_bound(0);
        while (it != objects.end()) {
            auto runEnd = it;
            uint64_t count = 0;
            while (runEnd != objects.end() && runEnd->first == it->first + count) {
                ++runEnd;
                ++count;
            }
            table += decimal(it->first) + " " + decimal(count) + "\n";
            for (; it != runEnd; ++it)
                table += paddedOffset(it->second) + " 00000 n \n";
        }
    }
    table += "trailer\n<< /Size " + decimal(size);
    table += " /Root " + decimal(static_cast<uint64_t>(root)) + " " + decimal(rootGeneration) + " R";
    for (const char* key : {"/Info", "/Encrypt", "/ID"}) {
        const auto value = old.keys.find(key);
        if (value != old.keys.end() && !value->second.empty())
            table += std::string(" ") + key + " " + value->second;
    }
    if (hybrid)
        table += " /XRefStm " + decimal(old.xrefStreamOffset);
    table += " >>\nstartxref\n" + decimal(x) + "\n%%EOF\n";
    OutputPieces output(bytes);
    if (copied) {
        changed.resize(kept);
        for (const auto& [at, text] : patches)
            std::copy(text.begin(), text.end(), changed.begin() + static_cast<std::ptrdiff_t>(at));
        output.append(std::move(changed));
    } else {
        uint64_t from = 0;
        for (const auto& [at, text] : patches) {
            output.appendInput(from, at - from);
            output.append(ByteBuffer(text.begin(), text.end()));
            from = at + text.size();
        }
        output.appendInput(from, kept - from);
    }
    output.append(ByteBuffer(appended.begin(), appended.end()));
    output.append(ByteBuffer(table.begin(), table.end()));
    result.addAction("rebuild-xref", "rebuilt PDF xref table, trailer and startxref", used);

    double confidence = 0.84;
    if (hybrid) {
        result.notes.push_back("objects inside PDF object streams stay indexed by the original cross-reference stream");
        confidence = std::min(confidence, 0.72);
    } else if (objectStreams) {
        result.notes.push_back("objects inside PDF object streams could not be indexed; output may require manual recovery");
        confidence = 0.45;
    }

    // Written as writeDocumentPreview would, but from the pieces; the output then clones it where
    // the file system can.
    if (request.writePreview)
        writeExtraArtifact(result, request, output, "pdf", "document-preview");
    if (modeWritesNoOutput(request.mode))
        return result;
    if (writeRepairedOutput(result, request, output, "pdf", "repaired-document", kDocPdfWrite))
        result.confidence = confidence;
    return result;
}

} // namespace data_repair
