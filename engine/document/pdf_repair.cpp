#include "document/pdf_repair.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <set>

#include <zlib.h>

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
    if (text.empty() || text.size() > 9 || !std::all_of(text.begin(), text.end(), [](char c) { return isDigit(static_cast<uint8_t>(c)); }))
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

// ---- Streams --------------------------------------------------------------------------------

// What one call may inflate from cross-reference and object streams, all of them together: a
// small file cannot make the engine decode gigabytes.
uint64_t decodeBudget(uint64_t inputSize)
{
    uint64_t budget = 0;
    if (!checkedMul(inputSize, 16, budget))
        budget = npos;
    return std::min<uint64_t>(budget, uint64_t{1} << 30) + (uint64_t{16} << 20);
}

// "[1 2 3]" -> its numbers; empty when the text is anything else.
std::vector<uint64_t> parseNumberArray(const std::string& text)
{
    const ByteView b(reinterpret_cast<const uint8_t*>(text.data()), text.size());
    std::vector<uint64_t> numbers;
    uint64_t pos = skipFiller(b, 0, b.size());
    if (pos >= b.size() || b[pos] != '[')
        return {};
    for (pos = skipFiller(b, pos + 1, b.size()); pos < b.size() && b[pos] != ']'; pos = skipFiller(b, pos, b.size())) {
        uint64_t value = 0;
        pos = readNumber(b, pos, 19, value);
        if (pos == npos || (pos < b.size() && isRegular(b[pos])))
            return {};
        numbers.push_back(value);
    }
    return pos < b.size() ? numbers : std::vector<uint64_t>{};
}

// An offset as a trailer or dictionary writes it; npos for anything else.
uint64_t parseOffset(const std::string& text)
{
    if (text.empty() || text.size() > 19 || !std::all_of(text.begin(), text.end(), [](char c) { return isDigit(static_cast<uint8_t>(c)); }))
        return npos;
    return std::stoull(text);
}

// A stream object's dictionary and where its data lies in the file.
struct PdfStream {
    std::map<std::string, std::string> dict;
    uint64_t data = npos;
    uint64_t length = 0;
};

// The stream whose dictionary follows the object header ending at afterObj. Its data ends at
// its /Length when "endstream" follows there, else at the first "endstream" before limit.
bool locateStream(ByteView b, uint64_t afterObj, uint64_t limit, PdfStream& stream)
{
    limit = std::min<uint64_t>(limit, b.size());
    const uint64_t open = skipFiller(b, afterObj, std::min(limit, afterObj + kDictionaryWindow));
    if (!matchesAt(b, open, "<<"))
        return false;
    const uint64_t close = skipValue(b, open, std::min(limit, open + kDictionaryWindow), 0);
    if (close == npos)
        return false;
    const uint64_t keyword = skipFiller(b, close, std::min(limit, close + 256));
    if (keyword + 6 > limit || !matchesAt(b, keyword, "stream"))
        return false;
    uint64_t data = keyword + 6;
    if (matchesAt(b, data, "\r\n"))
        data += 2;
    else if (data < limit && (b[data] == '\n' || b[data] == '\r'))
        ++data;
    stream.dict = readPdfDictionary(b, open, close);
    const auto stated = stream.dict.find("/Length");
    const uint64_t length = stated != stream.dict.end() ? parseOffset(stated->second) : npos;
    if (length != npos && length <= limit - data && matchesAt(b, skipSpaces(b, data + length), "endstream")) {
        stream.data = data;
        stream.length = length;
        return true;
    }
    const uint64_t end = findBytes(b.first(limit), "endstream", data);
    if (end == npos)
        return false;
    uint64_t size = end - data;
    if (size > 0 && b[data + size - 1] == '\n')
        --size;
    if (size > 0 && b[data + size - 1] == '\r')
        --size;
    stream.data = data;
    stream.length = size;
    return true;
}

// A filter or parameter value that may be written as a one-element array.
std::string singleValue(const std::string& value)
{
    std::string text = value;
    if (!text.empty() && text.front() == '[' && text.back() == ']')
        text = text.substr(1, text.size() - 2);
    const auto first = text.find_first_not_of(" \t\r\n\f");
    const auto last = text.find_last_not_of(" \t\r\n\f");
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

bool inflateWhole(ByteView raw, uint64_t& budget, ByteBuffer& out)
{
    z_stream zs{};
    if (inflateInit(&zs) != Z_OK)
        return false;
    uint8_t chunk[64 * 1024];
    uint64_t consumed = 0;
    int status = Z_OK;
    for (;;) {
        if (zs.avail_in == 0 && consumed < raw.size()) {
            const uint64_t piece = std::min<uint64_t>(raw.size() - consumed, uint64_t{1} << 30);
            zs.next_in = const_cast<Bytef*>(raw.data() + consumed);
            zs.avail_in = static_cast<uInt>(piece);
            consumed += piece;
        }
        zs.next_out = chunk;
        zs.avail_out = sizeof chunk;
        const uInt before = zs.avail_in;
        status = inflate(&zs, Z_NO_FLUSH);
        const uint64_t produced = sizeof chunk - zs.avail_out;
        if (produced > budget) {
            status = Z_MEM_ERROR;
            break;
        }
        budget -= produced;
        out.insert(out.end(), chunk, chunk + produced);
        if (status == Z_STREAM_END || (status != Z_OK && status != Z_BUF_ERROR))
            break;
        if (status == Z_BUF_ERROR && ((zs.avail_in == 0 && consumed == raw.size()) || (produced == 0 && zs.avail_in == before)))
            break; // the data ends before the stream does, or nothing moves
    }
    inflateEnd(&zs);
    return status == Z_STREAM_END;
}

// Undoes the PNG row predictors (/Predictor 10-15) writers put before Flate.
bool undoPngPredictor(ByteBuffer& data, uint64_t columns, uint64_t colors, uint64_t bits)
{
    if (columns == 0 || colors == 0 || bits == 0 || columns > (1u << 20) || colors > 32 || bits > 16)
        return false;
    const uint64_t rowBytes = (columns * colors * bits + 7) / 8;
    const uint64_t step = std::max<uint64_t>(1, (colors * bits + 7) / 8);
    if (rowBytes >= data.size()) {
        data.clear(); // not one whole row: nothing to allocate rows for
        return true;
    }
    ByteBuffer out;
    out.reserve(data.size());
    ByteBuffer previous(rowBytes, 0);
    ByteBuffer row(rowBytes, 0);
    for (uint64_t pos = 0; pos + 1 + rowBytes <= data.size(); pos += 1 + rowBytes) {
        const uint8_t filter = data[pos];
        for (uint64_t i = 0; i < rowBytes; ++i) {
            const int a = i >= step ? row[i - step] : 0;
            const int up = previous[i];
            const int c = i >= step ? previous[i - step] : 0;
            int predicted = 0;
            switch (filter) {
            case 0: break;
            case 1: predicted = a; break;
            case 2: predicted = up; break;
            case 3: predicted = (a + up) / 2; break;
            case 4: {
                const int p = a + up - c;
                const int pa = std::abs(p - a), pb = std::abs(p - up), pc = std::abs(p - c);
                predicted = (pa <= pb && pa <= pc) ? a : (pb <= pc ? up : c);
                break;
            }
            default: return false;
            }
            row[i] = static_cast<uint8_t>(data[pos + 1 + i] + predicted);
        }
        out.insert(out.end(), row.begin(), row.end());
        previous.swap(row);
    }
    data.swap(out);
    return true;
}

// The decoded data of a stream that is stored plainly or with FlateDecode (and a PNG predictor),
// the filters cross-reference and object streams are written with.
bool decodeStream(ByteView b, const PdfStream& stream, uint64_t& budget, ByteBuffer& out)
{
    const ByteView raw = b.subspan(stream.data, stream.length);
    const auto filter = stream.dict.find("/Filter");
    const std::string name = filter != stream.dict.end() ? singleValue(filter->second) : std::string();
    if (name.empty()) {
        if (raw.size() > budget)
            return false;
        budget -= raw.size();
        out.assign(raw.begin(), raw.end());
        return true;
    }
    if ((name != "/FlateDecode" && name != "/Fl") || !inflateWhole(raw, budget, out))
        return false;
    const auto parms = stream.dict.find("/DecodeParms");
    if (parms == stream.dict.end())
        return true;
    const std::string parmsText = singleValue(parms->second);
    const auto p = readPdfDictionary(ByteView(reinterpret_cast<const uint8_t*>(parmsText.data()), parmsText.size()), 0);
    const auto number = [&](const char* key, uint64_t fallback) {
        const auto it = p.find(key);
        return it != p.end() ? parseSmallNumber(it->second) : fallback;
    };
    const uint64_t predictor = number("/Predictor", 1);
    if (predictor <= 1)
        return true;
    if (predictor < 10)
        return false; // TIFF predictor: not used for these streams
    return undoPngPredictor(out, number("/Columns", 1), number("/Colors", 1), number("/BitsPerComponent", 8));
}

// ---- Cross-reference sections ---------------------------------------------------------------

// One entry: type 0 free, 1 in use at an offset (field2) with a generation (field3), 2 held by
// object stream field2 at index field3. `at` is where the entry (or its stream) was read.
struct XrefEntry {
    uint64_t type = 0;
    uint64_t field2 = 0;
    uint64_t field3 = 0;
    uint64_t at = 0;
};
using XrefEntries = std::vector<std::pair<uint64_t, XrefEntry>>;

// The end of the object whose header starts at pos: the next header in the scan, or the end.
uint64_t nextHeaderAfter(const std::vector<PdfObjectHeader>& headers, uint64_t pos, uint64_t size)
{
    const auto after = std::upper_bound(headers.begin(), headers.end(), pos,
                                        [](uint64_t p, const PdfObjectHeader& h) { return p < h.offset; });
    return after != headers.end() ? after->offset : size;
}

// The entries of the cross-reference stream object at pos, and its dictionary.
bool readXrefStream(ByteView b, uint64_t pos, uint64_t limit, uint64_t& budget, XrefEntries& entries,
                    std::map<std::string, std::string>& dict)
{
    if (!objectHeaderAt(b, pos, npos, npos))
        return false;
    PdfStream stream;
    if (!locateStream(b, findBytes(b, "obj", pos) + 3, limit, stream))
        return false;
    const auto type = stream.dict.find("/Type");
    if (type == stream.dict.end() || type->second != "/XRef")
        return false;
    const auto w = stream.dict.find("/W");
    const std::vector<uint64_t> widths = w != stream.dict.end() ? parseNumberArray(w->second) : std::vector<uint64_t>{};
    if (widths.size() != 3 || widths[0] > 8 || widths[1] > 8 || widths[2] > 8)
        return false;
    const uint64_t rowSize = widths[0] + widths[1] + widths[2];
    const auto size = stream.dict.find("/Size");
    const auto index = stream.dict.find("/Index");
    std::vector<uint64_t> runs = index != stream.dict.end() ? parseNumberArray(index->second) : std::vector<uint64_t>{};
    if (index == stream.dict.end() && size != stream.dict.end())
        runs = {0, parseSmallNumber(size->second)};
    ByteBuffer data;
    if (rowSize == 0 || runs.empty() || runs.size() % 2 != 0 || !decodeStream(b, stream, budget, data))
        return false;
    const auto field = [&](uint64_t at, uint64_t width) {
        uint64_t value = 0;
        for (uint64_t k = 0; k < width; ++k)
            value = (value << 8) | data[at + k];
        return value;
    };
    uint64_t row = 0;
    for (size_t r = 0; r < runs.size(); r += 2) {
        for (uint64_t k = 0; k < runs[r + 1] && row + rowSize <= data.size(); ++k, row += rowSize) {
            const uint64_t number = runs[r] + k;
            if (number > kPdfMaxObjectNumber)
                continue;
            XrefEntry entry;
            entry.type = widths[0] == 0 ? 1 : field(row, widths[0]);
            entry.field2 = field(row + widths[0], widths[1]);
            entry.field3 = field(row + widths[0] + widths[1], widths[2]);
            entry.at = pos;
            entries.emplace_back(number, entry);
        }
    }
    dict = std::move(stream.dict);
    return true;
}

// The entries of the classic table whose subsections start after "xref" at pos. Returns the
// position of the first fault, or npos with `trailer` at the keyword that ends the table.
uint64_t readClassicTable(ByteView b, uint64_t pos, XrefEntries& entries, uint64_t& trailer)
{
    uint64_t sections = 0;
    for (;;) {
        pos = skipRun(b, pos, isPdfSpace, npos);
        if (matchesAt(b, pos, "trailer")) {
            trailer = pos;
            return sections > 0 ? npos : pos;
        }
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
            if (first + i <= kPdfMaxObjectNumber)
                entries.emplace_back(first + i, XrefEntry{b[p] == 'n' ? 1u : 0u, offset, generation, entry});
            ++p;
        }
        pos = p;
    }
}

// Every revision's index reached from one startxref: each number keeps the entry of the newest
// section that lists it, and the trailer is the newest section's.
struct XrefChain {
    std::map<uint64_t, XrefEntry> entries;
    std::map<std::string, std::string> trailer;
    uint64_t damage = npos; // where the walk met a fault
};

constexpr size_t kMaxXrefSections = 4096;

XrefChain readXrefChain(ByteView b, const std::vector<PdfObjectHeader>& headers, uint64_t keyword, uint64_t target,
                        uint64_t origin, uint64_t& budget)
{
    XrefChain chain;
    std::set<uint64_t> visited;
    uint64_t from = keyword; // where the offset of the next section was read
    for (uint64_t offset = target; offset != npos;) {
        if (offset >= b.size() - origin || !visited.insert(offset).second || visited.size() > kMaxXrefSections) {
            chain.damage = from;
            return chain;
        }
        const uint64_t at = skipSpaces(b, origin + offset);
        std::map<uint64_t, XrefEntry> section;
        std::map<std::string, std::string> dict;
        XrefEntries entries;
        if (matchesAt(b, at, "xref")) {
            uint64_t trailer = npos;
            if (const uint64_t damage = readClassicTable(b, at + 4, entries, trailer); damage != npos) {
                chain.damage = damage;
                return chain;
            }
            for (const auto& [number, entry] : entries)
                section.emplace(number, entry);
            dict = readPdfDictionary(b, trailer + 7);
            // A hybrid file's table lists the objects of its object streams in a stream of its
            // own, which fills the numbers the table leaves free.
            if (const auto stm = dict.find("/XRefStm"); stm != dict.end()) {
                const uint64_t stmOffset = parseOffset(stm->second);
                std::map<std::string, std::string> ignored;
                XrefEntries more;
                if (stmOffset >= b.size() - origin ||
                    !readXrefStream(b, skipSpaces(b, origin + stmOffset),
                                    nextHeaderAfter(headers, origin + stmOffset, b.size()), budget, more, ignored)) {
                    chain.damage = trailer;
                    return chain;
                }
                for (const auto& [number, entry] : more) {
                    auto [it, inserted] = section.emplace(number, entry);
                    if (!inserted && it->second.type == 0)
                        it->second = entry;
                }
            }
        } else if (readXrefStream(b, at, nextHeaderAfter(headers, at, b.size()), budget, entries, dict)) {
            for (const auto& [number, entry] : entries)
                section.emplace(number, entry);
        } else {
            chain.damage = from;
            return chain;
        }
        for (const auto& entry : section)
            chain.entries.insert(entry);
        if (visited.size() == 1)
            chain.trailer = dict;
        offset = npos;
        if (const auto prev = dict.find("/Prev"); prev != dict.end()) {
            offset = parseOffset(prev->second);
            from = at;
            if (offset == npos) {
                chain.damage = at;
                return chain;
            }
        }
    }
    return chain;
}

// The object numbers an object stream holds, in its order, read from its decoded header.
struct ObjectStreamContents {
    std::vector<uint64_t> numbers;
    std::vector<std::pair<uint64_t, uint64_t>> bodies; // each object's bytes in `data`
    ByteBuffer data;
};

bool readObjectStream(ByteView b, uint64_t afterObj, uint64_t limit, uint64_t& budget, ObjectStreamContents& out)
{
    PdfStream stream;
    if (!locateStream(b, afterObj, limit, stream))
        return false;
    const auto type = stream.dict.find("/Type");
    const auto n = stream.dict.find("/N");
    const auto first = stream.dict.find("/First");
    if (type == stream.dict.end() || type->second != "/ObjStm" || n == stream.dict.end() || first == stream.dict.end())
        return false;
    if (!decodeStream(b, stream, budget, out.data))
        return false;
    const ByteView data(out.data);
    const uint64_t count = parseSmallNumber(n->second);
    const uint64_t start = parseSmallNumber(first->second);
    if (start > data.size())
        return false;
    std::vector<uint64_t> offsets;
    uint64_t pos = 0;
    for (uint64_t k = 0; k < count; ++k) {
        uint64_t number = 0, offset = 0;
        pos = readNumber(data, skipFiller(data, pos, start), 10, number);
        if (pos == npos)
            return false;
        pos = readNumber(data, skipFiller(data, pos, start), 19, offset);
        if (pos == npos || offset > data.size() - start || (!offsets.empty() && offset < offsets.back()))
            return false;
        out.numbers.push_back(number);
        offsets.push_back(offset);
    }
    for (size_t k = 0; k < offsets.size(); ++k)
        out.bodies.emplace_back(start + offsets[k], k + 1 < offsets.size() ? start + offsets[k + 1] : data.size());
    return true;
}

// Where the index reached from the last "startxref" fails to lead to the file's objects, counting
// offsets from origin, or npos when every entry lands on its object and the catalog is listed.
// Entries in object streams that cannot be decoded here are taken on trust.
uint64_t chainDamage(ByteView b, const std::vector<PdfObjectHeader>& headers, uint64_t keyword, uint64_t target,
                     uint64_t origin, uint64_t& budget)
{
    const XrefChain chain = readXrefChain(b, headers, keyword, target, origin, budget);
    if (chain.damage != npos)
        return chain.damage;
    std::map<uint64_t, std::optional<std::vector<uint64_t>>> streams; // object stream -> what it holds
    for (const auto& [number, entry] : chain.entries) {
        checkpointStep(number, chain.entries.size());
        if (entry.type == 1) {
            if (entry.field2 >= b.size() - origin || !objectHeaderAt(b, origin + entry.field2, number, entry.field3))
                return entry.at;
        } else if (entry.type == 2) {
            const auto owner = chain.entries.find(entry.field2);
            if (owner == chain.entries.end() || owner->second.type != 1)
                return entry.at;
            auto [it, inserted] = streams.try_emplace(entry.field2);
            if (inserted) {
                ObjectStreamContents contents;
                const uint64_t pos = origin + owner->second.field2;
                if (pos < b.size() && objectHeaderAt(b, pos, npos, npos) &&
                    readObjectStream(b, findBytes(b, "obj", pos) + 3, nextHeaderAfter(headers, pos, b.size()), budget,
                                     contents))
                    it->second = std::move(contents.numbers);
            }
            if (it->second && (entry.field3 >= it->second->size() || (*it->second)[entry.field3] != number))
                return entry.at;
        }
    }
    uint64_t root = 0, generation = 0;
    const auto rootValue = chain.trailer.find("/Root");
    if (rootValue == chain.trailer.end() || !parseReference(rootValue->second, root, generation))
        return keyword;
    const auto rootEntry = chain.entries.find(root);
    if (rootEntry == chain.entries.end() || (rootEntry->second.type != 1 && rootEntry->second.type != 2))
        return keyword;
    return npos;
}

// The same for the last "startxref", which must also follow every object (objects after it
// belong to a revision whose index is lost). Offsets count from the header; with bytes before
// it, from the file's start too (some writers count so).
uint64_t xrefDamage(ByteView b, uint64_t header, const std::vector<PdfObjectHeader>& headers)
{
    const uint64_t keyword = rfindBytes(b, "startxref");
    if (keyword == npos)
        return npos;
    if (!headers.empty() && headers.back().offset > keyword)
        return keyword;
    uint64_t target = 0;
    if (readNumber(b, skipRun(b, keyword + 9, isPdfSpace, 64), 19, target) == npos)
        return keyword;
    uint64_t budget = decodeBudget(b.size());
    const uint64_t origin = header == npos ? 0 : header;
    const uint64_t damage = chainDamage(b, headers, keyword, target, origin, budget);
    if (damage == npos || origin == 0)
        return damage;
    return chainDamage(b, headers, keyword, target, 0, budget) == npos ? npos : damage;
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

// An object inside an object stream: the stream's number and the object's place in it.
struct StreamSlot {
    uint64_t stream = 0;
    uint64_t index = 0;
};

// What the object streams of a file hold, each object with the position of its stream (the
// revision it belongs to) and whether its body is a catalog.
struct PackedObject {
    uint64_t number = 0;
    StreamSlot slot;
    uint64_t position = 0;
    bool catalog = false;
    bool listed = false; // known from an old cross-reference stream, not from the object stream
};
struct PackedObjects {
    std::vector<PackedObject> objects; // in file order
    uint64_t streams = 0;
    uint64_t undecodable = 0;
    std::set<uint64_t> undecodableStreams; // their object numbers
};

// The object whose body holds the name `word` found at `hit` (a whole name, not the start of a
// longer one), as an index into `headers`; headers.size() when there is none, or when the last
// call already gave that object (one dictionary is read once however many such names it holds).
size_t objectHoldingName(ByteView within, std::span<const PdfObjectHeader> headers, uint64_t hit, uint64_t length,
                         size_t& lastOwner)
{
    if (fits(within, hit + length, 1) && isRegular(within[hit + length]))
        return headers.size();
    const auto after = std::upper_bound(headers.begin(), headers.end(), hit,
                                        [](uint64_t pos, const PdfObjectHeader& h) { return pos < h.offset; });
    if (after == headers.begin())
        return headers.size();
    const size_t owner = static_cast<size_t>(after - headers.begin()) - 1;
    if (owner == lastOwner)
        return headers.size();
    lastOwner = owner;
    return owner;
}

// Where the object at `owner` ends at the latest: the next header, or `kept`.
uint64_t objectLimit(std::span<const PdfObjectHeader> headers, size_t owner, uint64_t kept)
{
    return owner + 1 < headers.size() ? headers[owner + 1].offset : kept;
}

// Every object stream among the headers whose bodies end by `kept`, found by its "/ObjStm" word.
PackedObjects indexObjectStreams(ByteView t, std::span<const PdfObjectHeader> headers, uint64_t kept, uint64_t& budget)
{
    PackedObjects packed;
    const ByteView within = t.first(kept);
    size_t lastOwner = headers.size();
    for (uint64_t hit = findBytes(within, "/ObjStm", 0); hit != npos; hit = findBytes(within, "/ObjStm", hit + 7)) {
        const size_t owner = objectHoldingName(within, headers, hit, 7, lastOwner);
        if (owner == headers.size())
            continue;
        const PdfObjectHeader& h = headers[owner];
        const uint64_t limit = objectLimit(headers, owner, kept);
        const auto dict = readPdfDictionary(t, h.end, limit);
        const auto type = dict.find("/Type");
        if (type == dict.end() || type->second != "/ObjStm" || h.number > kPdfMaxObjectNumber)
            continue;
        ++packed.streams;
        ObjectStreamContents contents;
        if (!readObjectStream(t, h.end, limit, budget, contents)) {
            ++packed.undecodable;
            packed.undecodableStreams.insert(h.number);
            continue;
        }
        const ByteView data(contents.data);
        for (size_t k = 0; k < contents.numbers.size(); ++k) {
            const auto [from, to] = contents.bodies[k];
            const ByteView body = data.subspan(from, to - from);
            const bool catalog = findBytes(body, "/Type", 0) != npos && findBytes(body, "/Catalog", 0) != npos;
            packed.objects.push_back(PackedObject{contents.numbers[k], StreamSlot{h.number, k}, h.offset, catalog});
        }
        checkpoint(hit, kept);
    }
    return packed;
}

// The objects the file's cross-reference streams place in object streams (encrypted object
// streams do not decode, but the cross-reference streams never are encrypted). Each number takes
// the entry of the latest stream that lists it, with that stream's position.
std::vector<PackedObject> listedInXrefStreams(ByteView t, std::span<const PdfObjectHeader> headers, uint64_t kept,
                                              uint64_t& budget)
{
    std::map<uint64_t, PackedObject> listed;
    const ByteView within = t.first(kept);
    size_t lastOwner = headers.size();
    for (uint64_t hit = findBytes(within, "/XRef", 0); hit != npos; hit = findBytes(within, "/XRef", hit + 5)) {
        const size_t owner = objectHoldingName(within, headers, hit, 5, lastOwner);
        if (owner == headers.size())
            continue;
        const PdfObjectHeader& h = headers[owner];
        XrefEntries entries;
        std::map<std::string, std::string> dict;
        if (!readXrefStream(t, h.offset, objectLimit(headers, owner, kept), budget, entries, dict))
            continue;
        for (const auto& [number, entry] : entries) {
            if (entry.type == 2)
                listed[number] = PackedObject{number, StreamSlot{entry.field2, entry.field3}, h.offset, false, true};
            else if (entry.type == 1)
                listed.erase(number); // a later revision written directly
        }
        checkpoint(hit, kept);
    }
    std::vector<PackedObject> out;
    for (const auto& entry : listed)
        out.push_back(entry.second);
    return out;
}

// A cross-reference stream, stored plainly, that indexes the direct objects by offset and the
// objects of object streams by stream and index; numbered `self` and written at offset x.
std::string xrefStreamSection(const std::map<uint64_t, uint64_t>& objects, const std::map<uint64_t, StreamSlot>& packed,
                              uint64_t self, uint64_t x, const std::string& trailerKeys)
{
    std::map<uint64_t, XrefEntry> rows;
    rows[0] = XrefEntry{0, 0, 65535, 0};
    for (const auto& [number, offset] : objects) {
        if (number != 0)
            rows[number] = XrefEntry{1, offset, 0, 0};
    }
    for (const auto& [number, slot] : packed)
        rows[number] = XrefEntry{2, slot.stream, slot.index, 0};
    rows[self] = XrefEntry{1, x, 0, 0};
    uint64_t most2 = 0, most3 = 0;
    for (const auto& row : rows) {
        most2 = std::max(most2, row.second.field2);
        most3 = std::max(most3, row.second.field3);
    }
    const auto width = [](uint64_t value) {
        uint64_t w = 1;
        while (w < 8 && (value >> (8 * w)) != 0)
            ++w;
        return w;
    };
    const uint64_t w2 = width(most2), w3 = width(most3);
    std::string data, index;
    const auto put = [&](uint64_t value, uint64_t w) {
        for (uint64_t k = w; k > 0; --k)
            data += static_cast<char>((value >> (8 * (k - 1))) & 0xFF);
    };
    for (auto it = rows.begin(); it != rows.end();) {
        auto run = it;
        uint64_t count = 0;
        while (run != rows.end() && run->first == it->first + count) {
            ++run;
            ++count;
        }
        index += (index.empty() ? "" : " ") + decimal(it->first) + " " + decimal(count);
        for (; it != run; ++it) {
            put(it->second.type, 1);
            put(it->second.field2, w2);
            put(it->second.field3, w3);
        }
    }
    return decimal(self) + " 0 obj\n<< /Type /XRef /Size " + decimal(self + 1) + " /W [1 " + decimal(w2) + " " +
           decimal(w3) + "] /Index [" + index + "]" + trailerKeys + " /Length " + decimal(data.size()) +
           " >>\nstream\n" + data + "\nendstream\nendobj\nstartxref\n" + decimal(x) + "\n%%EOF\n";
}

// Object streams that do not decode here: without a cross-reference stream, what they hold
// cannot be indexed.
bool undecodableObjectStreams(ByteView b, const std::vector<PdfObjectHeader>& headers)
{
    uint64_t budget = decodeBudget(b.size());
    return indexObjectStreams(b, headers, b.size(), budget).undecodable > 0;
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
    } else if (const uint64_t damage = xrefDamage(bytes, header, headers); damage != npos) {
        result.addFinding(IndexDamaged, Warning, "PDF cross-reference table is missing or damaged", damage, 0, true,
                          0.92);
    }
    if (m == 0) {
        result.addFinding(Truncated, Error, "no recoverable PDF objects were found", 0, 0, false, 0.95);
        result.setStatus(RepairStatus::failure(kDocPdfNoObjects, "no recoverable PDF objects"));
    } else if (scan.objectStream != npos && scan.xrefStream(bytes) == npos && undecodableObjectStreams(bytes, headers)) {
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
    if (result.findings.empty()) {
        // Sound: every revision's index leads to its objects. A copy rebuilt by scanning could
        // only lose what the revisions and object streams hold, so the bytes stay as they are.
        OutputPieces output(bytes);
        output.appendInput(0, bytes.size());
        if (request.writePreview)
            writeExtraArtifact(result, request, output, "pdf", "document-preview");
        if (modeWritesNoOutput(request.mode))
            return result;
        if (writeRepairedOutput(result, request, output, "pdf", "repaired-document", kDocPdfWrite))
            result.confidence = 0.84;
        return result;
    }

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

    // Objects inside object streams, read from the streams: each number keeps its newest
    // definition in file order, written directly or inside a stream. When every stream decodes,
    // the new index is a cross-reference stream that lists them.
    std::map<uint64_t, StreamSlot> packedObjects;
    bool listedOnly = false; // some of them are known only from the old index
    if (objectStreams) {
        uint64_t rootAt = root >= 1 ? objects.at(static_cast<uint64_t>(root)) : 0;
        uint64_t budget = decodeBudget(t.size());
        const PackedObjects packed = indexObjectStreams(t, whole, kept, budget);
        std::vector<PackedObject> candidates = packed.objects;
        if (!packed.undecodableStreams.empty()) {
            for (const auto& p : listedInXrefStreams(t, whole, kept, budget)) {
                if (packed.undecodableStreams.count(p.slot.stream) != 0)
                    candidates.push_back(p);
            }
            std::stable_sort(candidates.begin(), candidates.end(),
                             [](const PackedObject& a, const PackedObject& b) { return a.position < b.position; });
        }
        std::map<uint64_t, PackedObject> newest;
        for (const auto& p : candidates) {
            const auto stream = objects.find(p.slot.stream);
            // A stream whose number a later object took no longer holds what it held.
            if (p.number == 0 || p.number == p.slot.stream || p.number > kPdfMaxObjectNumber ||
                stream == objects.end() || (!p.listed && stream->second != p.position))
                continue;
            const auto direct = objects.find(p.number);
            if (direct == objects.end() || direct->second < p.position)
                newest[p.number] = p;
        }
        std::set<uint64_t> holders; // a number that holds an object stream stays the stream
        for (const auto& entry : newest)
            holders.insert(entry.second.slot.stream);
        for (const auto& [number, p] : newest) {
            if (holders.count(number) != 0)
                continue;
            packedObjects[number] = p.slot;
            objects.erase(number);
            highest = std::max(highest, number);
            listedOnly = listedOnly || p.listed;
            if (p.catalog && (root < 1 || p.position > rootAt)) {
                root = static_cast<int64_t>(number);
                rootAt = p.position;
            }
        }
    }
    const bool streamIndex = !packedObjects.empty();
    uint64_t rootGeneration = 0;
    const bool hybrid = objectStreams && !streamIndex && old.xrefStreamOffset != npos;
    if (root < 1 && objectStreams) {
        // The catalog often lives inside an object stream: the old trailer still names it.
        const auto oldRoot = old.keys.find("/Root");
        uint64_t number = 0, generation = 0;
        if (oldRoot != old.keys.end() && parseReference(oldRoot->second, number, generation) && number >= 1 &&
            number <= kPdfMaxObjectNumber &&
            (!streamIndex || objects.count(number) != 0 || packedObjects.count(number) != 0)) {
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

    std::string keys = " /Root " + decimal(static_cast<uint64_t>(root)) + " " + decimal(rootGeneration) + " R";
    for (const char* key : {"/Info", "/Encrypt", "/ID"}) {
        const auto value = old.keys.find(key);
        if (value != old.keys.end() && !value->second.empty())
            keys += std::string(" ") + key + " " + value->second;
    }
    if (streamIndex && kept > 0 && !isPdfSpace(t[kept - 1]))
        appended = "\n"; // the stream object's header starts a line
    const uint64_t x = kept + appended.size();
    std::string table = "xref\n";
    const uint64_t used = objects.size() + packedObjects.size();
    const bool sparse = hybrid || highest + 1 > 8 * used + 65536;
    if (streamIndex) {
        table = xrefStreamSection(objects, packedObjects, highest + 1, x, keys);
    } else if (!sparse) {
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
    if (!streamIndex) {
        table += "trailer\n<< /Size " + decimal(size) + keys;
        if (hybrid)
            table += " /XRefStm " + decimal(old.xrefStreamOffset);
        table += " >>\nstartxref\n" + decimal(x) + "\n%%EOF\n";
    }
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
    if (hybrid || listedOnly) {
        result.notes.push_back("objects inside PDF object streams stay indexed by the original cross-reference stream");
        confidence = std::min(confidence, 0.72);
    } else if (objectStreams && !streamIndex) {
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
