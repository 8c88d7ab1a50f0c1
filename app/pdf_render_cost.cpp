// The first page's rendering cost, from the objects as they are in the file: object headers are
// found by a scan (so a damaged cross-reference table does not hide them), compressed object streams
// are opened when an object is not found by itself, and only Flate-compressed or plain content is
// read. Whatever cannot be found or read counts as no cost: the renderer then decides.

#include "app/pdf_render_cost.h"

#include <QFile>

#include <zlib.h>

#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <vector>

namespace olm::repair {

namespace {

constexpr qint64 kScanBlock = 4 << 20;
constexpr qint64 kFirstWindow = 4096;
constexpr qint64 kMaxWindow = 8 << 20;
constexpr int kMaxNesting = 64;            // arrays and dictionaries inside each other
constexpr size_t kMaxItems = 262144;       // entries of one array or dictionary
constexpr int kMaxFormNesting = 256;       // forms drawing forms, one inside the other
constexpr qint64 kMaxDecodedBytes = 128 << 20; // content and object streams inflated in all
constexpr qint64 kTrailerWindow = 4 << 20;
// The highest object number a conforming file uses; a larger one is not looked at, so the table of
// object positions stays within 64 MiB whatever the file holds.
constexpr quint32 kMaxObjectNumber = 8388607;

bool isSpace(char c) { return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f' || c == '\0'; }
bool isDelimiter(char c) { return c == '(' || c == ')' || c == '<' || c == '>' || c == '[' || c == ']' || c == '{' || c == '}' || c == '/' || c == '%'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// One PDF value; a dictionary keeps its keys beside its values.
struct PdfValue {
    enum Kind { Null, Number, Name, String, Array, Dict, Ref, Keyword } kind = Null;
    double number = 0;
    quint32 ref = 0;
    QByteArray text;
    std::vector<QByteArray> keys;
    std::vector<PdfValue> items;

    const PdfValue* get(const char* key) const
    {
        if (kind != Dict)
            return nullptr;
        for (size_t i = 0; i < keys.size(); ++i)
            if (keys[i] == key)
                return &items[i];
        return nullptr;
    }
    bool isName(const char* name) const { return kind == Name && text == name; }
};

// Reads values from bytes; `truncated` tells that the bytes ended inside a value.
class ValueParser {
public:
    ValueParser(const QByteArray& bytes, qsizetype pos) : b_(&bytes), pos_(pos) {}

    qsizetype pos() const { return pos_; }
    bool truncated() const { return truncated_; }

    void skipSpace()
    {
        while (pos_ < b_->size()) {
            const char c = (*b_)[pos_];
            if (isSpace(c)) {
                ++pos_;
            } else if (c == '%') {
                while (pos_ < b_->size() && (*b_)[pos_] != '\n' && (*b_)[pos_] != '\r')
                    ++pos_;
            } else {
                return;
            }
        }
    }

    QByteArray regularToken()
    {
        const qsizetype start = pos_;
        while (pos_ < b_->size() && !isSpace((*b_)[pos_]) && !isDelimiter((*b_)[pos_]))
            ++pos_;
        return b_->mid(start, pos_ - start);
    }

    PdfValue value(int depth = 0)
    {
        PdfValue v;
        skipSpace();
        if (pos_ >= b_->size()) {
            truncated_ = true;
            return v;
        }
        if (depth > kMaxNesting) {
            failed_ = true;
            return v;
        }
        const char c = (*b_)[pos_];
        if (c == '/') {
            ++pos_;
            v.kind = PdfValue::Name;
            v.text = regularToken();
        } else if (c == '(') {
            v.kind = PdfValue::String;
            skipLiteralString();
        } else if (c == '<' && pos_ + 1 < b_->size() && (*b_)[pos_ + 1] == '<') {
            pos_ += 2;
            v.kind = PdfValue::Dict;
            while (!truncated_ && !failed_) {
                skipSpace();
                if (pos_ + 1 < b_->size() && (*b_)[pos_] == '>' && (*b_)[pos_ + 1] == '>') {
                    pos_ += 2;
                    break;
                }
                if (pos_ >= b_->size()) {
                    truncated_ = true;
                    break;
                }
                if ((*b_)[pos_] != '/') {
                    failed_ = true;
                    break;
                }
                ++pos_;
                if (v.items.size() >= kMaxItems) {
                    failed_ = true;
                    break;
                }
                QByteArray key = regularToken();
                PdfValue item = value(depth + 1);
                v.keys.push_back(std::move(key));
                v.items.push_back(std::move(item));
            }
        } else if (c == '<') {
            v.kind = PdfValue::String;
            const qsizetype end = b_->indexOf('>', pos_);
            if (end < 0) {
                truncated_ = true;
                pos_ = b_->size();
            } else {
                pos_ = end + 1;
            }
        } else if (c == '[') {
            ++pos_;
            v.kind = PdfValue::Array;
            while (!truncated_ && !failed_) {
                skipSpace();
                if (pos_ < b_->size() && (*b_)[pos_] == ']') {
                    ++pos_;
                    break;
                }
                if (v.items.size() >= kMaxItems) {
                    failed_ = true;
                    break;
                }
                PdfValue item = value(depth + 1);
                if (item.kind == PdfValue::Keyword && item.text == "R" && v.items.size() >= 2) {
                    // "n g R" inside an array: the two numbers before become one reference.
                    PdfValue ref;
                    ref.kind = PdfValue::Ref;
                    ref.ref = quint32(v.items[v.items.size() - 2].number);
                    v.items.resize(v.items.size() - 2);
                    v.items.push_back(ref);
                    continue;
                }
                v.items.push_back(std::move(item));
            }
        } else if (isDelimiter(c)) {
            ++pos_; // a stray ')', '>', ']', '{' or '}'
            v.kind = PdfValue::Keyword;
        } else {
            const QByteArray token = regularToken();
            bool isNumber = false;
            v.number = token.toDouble(&isNumber);
            v.kind = isNumber ? PdfValue::Number : PdfValue::Keyword;
            if (!isNumber)
                v.text = token;
            // "n g R" outside an array: a reference.
            if (isNumber && depth > 0 && token.indexOf('.') < 0) {
                const qsizetype save = pos_;
                skipSpace();
                const QByteArray generation = regularToken();
                skipSpace();
                const QByteArray r = regularToken();
                if (!generation.isEmpty() && std::all_of(generation.begin(), generation.end(), isDigit) && r == "R") {
                    v.kind = PdfValue::Ref;
                    v.ref = quint32(v.number);
                } else {
                    pos_ = save;
                }
            }
        }
        return v;
    }

    bool failed() const { return failed_; }

private:
    void skipLiteralString()
    {
        int open = 0;
        while (pos_ < b_->size()) {
            const char c = (*b_)[pos_++];
            if (c == '\\') {
                ++pos_;
            } else if (c == '(') {
                ++open;
            } else if (c == ')' && --open == 0) {
                return;
            }
        }
        truncated_ = true;
    }

    const QByteArray* b_;
    qsizetype pos_;
    bool truncated_ = false;
    bool failed_ = false;
};

struct PdfObject {
    PdfValue value;
    QByteArray stream;      // decoded stream data, when asked for and readable
    bool streamRead = false;
};

class RenderCost {
public:
    RenderCost(const QString& path, qint64 size, const ValidationControl& control) : size_(size), control_(control)
    {
        file_.setFileName(path);
    }

    PdfRenderCost run()
    {
        if (!file_.open(QIODevice::ReadOnly))
            return PdfRenderCost::Bounded;
        scanHeaders();
        const quint32 root = findRoot();
        const PdfObject* catalog = root != 0 ? object(root, false) : nullptr;
        if (catalog != nullptr) {
            const PdfValue* pages = catalog->value.get("Pages");
            if (pages != nullptr && pages->kind == PdfValue::Ref)
                walkPageTree(pages->ref);
        }
        if (!tooCostly_ && firstPage_ != 0)
            pageDrawings();
        if (control_.isCancelled())
            return PdfRenderCost::Stopped;
        return tooCostly_ ? PdfRenderCost::TooCostly : PdfRenderCost::Bounded;
    }

private:
    bool stop() { return tooCostly_ || control_.isCancelled(); }

    // --- Finding objects ---

    void scanHeaders()
    {
        QByteArray carried;
        qint64 base = 0; // file position of the window's first byte
        while (!control_.isCancelled()) {
            const QByteArray block = file_.read(kScanBlock);
            if (block.isEmpty())
                return;
            const QByteArray window = carried + block;
            for (qsizetype at = window.indexOf("obj"); at >= 0; at = window.indexOf("obj", at + 3)) {
                if (at + 3 < window.size() && !isSpace(window[at + 3]) && !isDelimiter(window[at + 3]))
                    continue;
                qsizetype p = at - 1;
                qsizetype digits = 0;
                while (p >= 0 && isSpace(window[p]))
                    --p;
                for (digits = 0; p >= 0 && isDigit(window[p]) && digits <= 5; --p, ++digits) {
                }
                if (digits == 0 || digits > 5 || p < 0 || !isSpace(window[p]))
                    continue;
                while (p >= 0 && isSpace(window[p]))
                    --p;
                const qsizetype numberEnd = p + 1;
                for (digits = 0; p >= 0 && isDigit(window[p]) && digits <= 10; --p, ++digits) {
                }
                if (digits == 0 || digits > 10 || (p >= 0 && isDigit(window[p])))
                    continue;
                const quint32 number = window.mid(p + 1, numberEnd - p - 1).toUInt();
                if (number == 0 || number > kMaxObjectNumber)
                    continue;
                if (number >= offsets_.size())
                    offsets_.resize(size_t(number) + 1, -1);
                if (offsets_[number] < 0)
                    ++found_;
                offsets_[number] = std::max(offsets_[number], base + p + 1);
                if (window.mid(at, 300).contains("/ObjStm"))
                    objectStreams_.insert(number);
            }
            const qsizetype keep = std::min<qsizetype>(window.size(), 32);
            base += window.size() - keep;
            carried = window.right(keep);
        }
    }

    quint32 findRoot()
    {
        // The newest trailer (or cross-reference stream) is the last one; a linearized file also
        // names the root near its start.
        for (const qint64 start : {std::max<qint64>(0, size_ - kTrailerWindow), qint64(0)}) {
            if (!file_.seek(start))
                continue;
            const QByteArray window = file_.read(kTrailerWindow);
            for (qsizetype at = window.lastIndexOf("/Root"); at >= 0; at = at > 0 ? window.lastIndexOf("/Root", at - 1) : -1) {
                ValueParser parser(window, at + 5);
                const PdfValue v = parser.value(1);
                if (v.kind == PdfValue::Ref)
                    return v.ref;
            }
        }
        return 0;
    }

    QByteArray readAt(qint64 offset, qint64 length)
    {
        if (offset < 0 || offset >= size_ || !file_.seek(offset))
            return {};
        return file_.read(std::min(length, size_ - offset));
    }

    const PdfObject* object(quint32 number, bool withStream)
    {
        if (const auto it = cache_.find(number); it != cache_.end()) {
            if (withStream && !it->second->streamRead)
                readStream(number, *it->second);
            return it->second.get();
        }
        if (cache_.size() > found_ + 4096 || stop())
            return nullptr;
        auto made = std::make_unique<PdfObject>();
        const qint64 at = offsetOf(number);
        bool found = false;
        if (at >= 0) {
            for (qint64 window = kFirstWindow; !found && window <= kMaxWindow; window *= 8) {
                const QByteArray bytes = readAt(at, window);
                ValueParser parser(bytes, 0);
                parser.value(1); // number
                parser.value(1); // generation
                parser.skipSpace();
                if (parser.regularToken() != "obj")
                    break;
                made->value = parser.value();
                found = !parser.truncated() || qint64(bytes.size()) < window;
            }
        } else {
            found = fromObjectStream(number, *made);
        }
        if (!found)
            return nullptr;
        PdfObject* kept = made.get();
        cache_[number] = std::move(made);
        if (withStream)
            readStream(number, *kept);
        return kept;
    }

    qint64 offsetOf(quint32 number) const { return number < offsets_.size() ? offsets_[number] : -1; }

    // The stream of an object found by itself in the file, inflated when Flate-compressed.
    void readStream(quint32 number, PdfObject& object)
    {
        object.streamRead = true;
        const qint64 at = offsetOf(number);
        if (at < 0 || object.value.kind != PdfValue::Dict)
            return;
        // The dictionary is parsed again to learn where it ends.
        for (qint64 window = kFirstWindow; window <= kMaxWindow; window *= 8) {
            const QByteArray bytes = readAt(at, window);
            ValueParser parser(bytes, 0);
            parser.value(1);
            parser.value(1);
            parser.skipSpace();
            parser.regularToken();
            parser.value();
            if (parser.truncated() && qint64(bytes.size()) == window)
                continue;
            parser.skipSpace();
            qsizetype pos = parser.pos();
            if (!bytes.mid(pos, 6).startsWith("stream"))
                return;
            pos += 6;
            if (pos < bytes.size() && bytes[pos] == '\r')
                ++pos;
            if (pos < bytes.size() && bytes[pos] == '\n')
                ++pos;
            const qint64 dataStart = at + pos;
            qint64 length = -1;
            if (const PdfValue* l = object.value.get("Length")) {
                if (l->kind == PdfValue::Number)
                    length = qint64(l->number);
                else if (l->kind == PdfValue::Ref)
                    if (const PdfObject* target = this->object(l->ref, false); target && target->value.kind == PdfValue::Number)
                        length = qint64(target->value.number);
            }
            if (length < 0 || length > size_ - dataStart) {
                // No usable length: the data runs to "endstream".
                const QByteArray rest = readAt(dataStart, std::min<qint64>(size_ - dataStart, kMaxWindow));
                length = std::max<qsizetype>(rest.indexOf("endstream"), 0);
            }
            object.stream = decode(object.value, readAt(dataStart, length));
            return;
        }
    }

    QByteArray decode(const PdfValue& dict, const QByteArray& raw)
    {
        const PdfValue* filter = dict.get("Filter");
        if (filter != nullptr && filter->kind == PdfValue::Array && filter->items.size() == 1)
            filter = &filter->items[0];
        if (filter == nullptr)
            return raw;
        if (!filter->isName("FlateDecode") && !filter->isName("Fl"))
            return {};
        QByteArray out;
        z_stream stream{};
        if (inflateInit(&stream) != Z_OK)
            return {};
        stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(raw.constData()));
        stream.avail_in = static_cast<uInt>(raw.size());
        char buffer[65536];
        int status = Z_OK;
        while (status == Z_OK && !control_.isCancelled()) {
            stream.next_out = reinterpret_cast<Bytef*>(buffer);
            stream.avail_out = sizeof(buffer);
            status = inflate(&stream, Z_NO_FLUSH);
            const qint64 made = qint64(sizeof(buffer)) - stream.avail_out;
            decoded_ += made;
            if (decoded_ > kMaxDecodedBytes) {
                tooCostly_ = true; // more content than a first page at thumbnail size is worth
                break;
            }
            out.append(buffer, made);
            if (made == 0 && stream.avail_in == 0)
                break;
        }
        inflateEnd(&stream);
        return out;
    }

    // Objects kept in compressed object streams, found when first looked for.
    bool fromObjectStream(quint32 number, PdfObject& made)
    {
        if (!objectStreamsRead_) {
            objectStreamsRead_ = true;
            for (const quint32 stream : objectStreams_) {
                if (stop())
                    break;
                const PdfObject* holder = object(stream, true);
                if (holder == nullptr || !holder->value.get("N") || !holder->value.get("First"))
                    continue;
                const qint64 count = qint64(holder->value.get("N")->number);
                const qint64 first = qint64(holder->value.get("First")->number);
                ValueParser header(holder->stream, 0);
                for (qint64 i = 0; i < count && !header.truncated(); ++i) {
                    const PdfValue n = header.value(1);
                    const PdfValue offset = header.value(1);
                    if (n.kind != PdfValue::Number || offset.kind != PdfValue::Number)
                        break;
                    inStreams_[quint32(n.number)] = {stream, first + qint64(offset.number)};
                }
            }
        }
        const auto it = inStreams_.find(number);
        if (it == inStreams_.end())
            return false;
        const auto holder = cache_.find(it->second.first);
        if (holder == cache_.end())
            return false;
        ValueParser parser(holder->second->stream, qsizetype(it->second.second));
        made.value = parser.value();
        made.streamRead = true; // objects in object streams have no stream of their own
        return !parser.failed();
    }

    const PdfValue* resolve(const PdfValue* v)
    {
        if (v != nullptr && v->kind == PdfValue::Ref) {
            const PdfObject* target = object(v->ref, false);
            return target ? &target->value : nullptr;
        }
        return v;
    }

    // --- The page tree ---

    void walkPageTree(quint32 rootNode)
    {
        struct Node {
            quint32 number;
            int depth;
            const PdfValue* resources;
        };
        std::vector<Node> pending{{rootNode, 1, nullptr}};
        std::set<quint32> seen;
        while (!pending.empty() && !stop()) {
            const Node node = pending.back();
            pending.pop_back();
            if (node.depth > kMaxPageTreeDepth) {
                tooCostly_ = true;
                return;
            }
            if (!seen.insert(node.number).second)
                continue;
            const PdfObject* o = object(node.number, false);
            if (o == nullptr || o->value.kind != PdfValue::Dict)
                continue;
            const PdfValue* resources = o->value.get("Resources") ? o->value.get("Resources") : node.resources;
            const PdfValue* kids = resolve(o->value.get("Kids"));
            if (kids == nullptr || kids->kind != PdfValue::Array) {
                if (firstPage_ == 0) {
                    firstPage_ = node.number;
                    firstPageResources_ = resources;
                }
                continue;
            }
            // Pushed in reverse, so the first kid is walked first and the first leaf is page one.
            for (auto kid = kids->items.rbegin(); kid != kids->items.rend(); ++kid)
                if (kid->kind == PdfValue::Ref)
                    pending.push_back({kid->ref, node.depth + 1, resources});
        }
    }

    // --- Form drawings of the first page ---

    // Each "/Name Do" of the content, by name.
    static std::map<QByteArray, qint64> drawnNames(const QByteArray& content)
    {
        std::map<QByteArray, qint64> drawn;
        ValueParser parser(content, 0);
        QByteArray lastName;
        while (true) {
            parser.skipSpace();
            if (parser.pos() >= content.size())
                break;
            const char c = content[parser.pos()];
            if (c == '/') {
                const PdfValue name = parser.value(1);
                lastName = name.text;
                continue;
            }
            if (isDelimiter(c) || isDigit(c) || c == '-' || c == '+' || c == '.') {
                const qsizetype before = parser.pos();
                parser.value(1); // an operand
                if (parser.pos() == before)
                    break;
                lastName.clear();
                continue;
            }
            const QByteArray op = parser.regularToken();
            if (op.isEmpty())
                break;
            if (op == "Do" && !lastName.isEmpty())
                ++drawn[lastName];
            if (op == "BI") {
                // An inline image: its data runs from "ID" to "EI" and may hold any bytes.
                const qsizetype data = content.indexOf("ID", parser.pos());
                const qsizetype end = data < 0 ? -1 : content.indexOf("EI", data + 2);
                if (end < 0)
                    break;
                parser = ValueParser(content, end + 2);
            }
            lastName.clear();
        }
        return drawn;
    }

    QByteArray contentOf(const PdfValue* contents)
    {
        QByteArray all;
        if (contents == nullptr)
            return all;
        if (contents->kind == PdfValue::Ref) {
            if (const PdfObject* o = object(contents->ref, true)) {
                if (o->value.kind == PdfValue::Array)
                    return contentOf(&o->value);
                all += o->stream;
            }
        } else if (contents->kind == PdfValue::Array) {
            for (const PdfValue& part : contents->items)
                if (part.kind == PdfValue::Ref && !stop())
                    if (const PdfObject* o = object(part.ref, true)) {
                        all += o->stream;
                        all += '\n';
                    }
        }
        return all;
    }

    // Drawings that the content makes, each form counted with all it draws in turn.
    qint64 drawings(const QByteArray& content, const PdfValue* resources, int nesting)
    {
        qint64 total = 0;
        const PdfValue* resolved = resolve(resources);
        const PdfValue* xobjects = resolved ? resolve(resolved->get("XObject")) : nullptr;
        for (const auto& [name, times] : drawnNames(content)) {
            if (stop())
                return total;
            const PdfValue* target = xobjects ? xobjects->get(name.constData()) : nullptr;
            qint64 each = 1;
            if (target != nullptr && target->kind == PdfValue::Ref)
                each = formDrawings(target->ref, resources, nesting + 1);
            total = std::min(total + times * std::min(each, kMaxFormDrawings + 1), kMaxFormDrawings + 1);
            if (total > kMaxFormDrawings)
                tooCostly_ = true;
        }
        return total;
    }

    qint64 formDrawings(quint32 number, const PdfValue* inherited, int nesting)
    {
        if (const auto known = formCost_.find(number); known != formCost_.end()) {
            if (known->second < 0)
                tooCostly_ = true; // a form that draws itself never ends
            return std::max<qint64>(known->second, 1);
        }
        if (nesting > kMaxFormNesting) {
            tooCostly_ = true;
            return 1;
        }
        const PdfObject* form = object(number, true);
        if (form == nullptr || !form->value.get("Subtype") || !form->value.get("Subtype")->isName("Form"))
            return 1;
        formCost_[number] = -1;
        const PdfValue* resources = form->value.get("Resources") ? form->value.get("Resources") : inherited;
        const QByteArray content = form->stream; // copied: the cache may grow while it is read
        const qint64 cost = std::min(1 + drawings(content, resources, nesting), kMaxFormDrawings + 1);
        formCost_[number] = cost;
        return cost;
    }

    void pageDrawings()
    {
        const PdfObject* page = object(firstPage_, false);
        if (page == nullptr)
            return;
        const QByteArray content = contentOf(page->value.get("Contents"));
        drawings(content, firstPageResources_, 0);
    }

    QFile file_;
    const qint64 size_;
    const ValidationControl& control_;
    std::vector<qint64> offsets_; // by object number; -1 where none was found
    size_t found_ = 0;
    std::set<quint32> objectStreams_;
    std::map<quint32, std::pair<quint32, qint64>> inStreams_;
    bool objectStreamsRead_ = false;
    std::map<quint32, std::unique_ptr<PdfObject>> cache_;
    std::map<quint32, qint64> formCost_;
    quint32 firstPage_ = 0;
    const PdfValue* firstPageResources_ = nullptr;
    qint64 decoded_ = 0;
    bool tooCostly_ = false;
};

} // namespace

PdfRenderCost assessPdfRenderCost(const QString& path, qint64 size, const ValidationControl& control)
{
    RenderCost cost(path, size, control);
    return cost.run();
}

} // namespace olm::repair
