// PDF cross-reference rebuild, judged by qpdf.

#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "document/pdf_repair.h"
#include "document_test_support.h"

using namespace data_repair;
using namespace doc_test;
using test_support::quote;
using test_support::readAll;
using test_support::run;
using test_support::TempDir;

namespace {

// qpdf's verdict: no errors, and no warning at all (a reconstructed table is a warning) except,
// when allowed, its recovery of a stream whose /Length is wrong, a content fault that the
// cross-reference repair leaves alone.
void expectQpdfClean(const fs::path& pdf, bool allowStreamLength = false)
{
    const auto check = run("qpdf --check " + quote(pdf));
    if (check.exitCode == 3 && allowStreamLength) {
        std::istringstream lines(check.output);
        for (std::string line; std::getline(lines, line);) {
            if (line.rfind("WARNING", 0) != 0)
                continue;
            const bool streamLength = line.find("expected endstream") != std::string::npos ||
                                      line.find("stream length") != std::string::npos;
            EXPECT_TRUE(streamLength) << check.output;
        }
        return;
    }
    EXPECT_EQ(check.exitCode, 0) << check.output;
}

std::string qpdfPages(const fs::path& pdf) { return run("qpdf --show-npages " + quote(pdf)).output; }

std::string cutAfterLastEndobj(const std::string& pdf)
{
    return pdf.substr(0, pdf.rfind("endobj") + 7);
}

// A document of `pages` pages, each with its own content stream. The catalog and the page tree
// come first, or last as some office suites write them; with the catalog first, every page
// draws one gray image that comes last.
std::string pagesPdf(int pages, bool catalogLast)
{
    std::vector<std::string> bodies;
    const int first = catalogLast ? 1 : 3; // number of the first page object
    const int tree = catalogLast ? 2 * pages + 1 : 2;
    const std::string image = std::to_string(2 * pages + 3);
    std::string kids;
    for (int i = 0; i < pages; ++i) {
        const std::string content = "BT /F1 24 Tf 72 720 Td (Page " + std::to_string(i + 1) + ") Tj ET\n" +
                                    std::string(200, ' ') + "0 0 m 100 100 l S" +
                                    (catalogLast ? "" : " q 64 0 0 64 72 500 cm /Im1 Do Q");
        const std::string resources = catalogLast ? "" : " /Resources << /XObject << /Im1 " + image + " 0 R >> >>";
        bodies.push_back("<< /Type /Page /Parent " + std::to_string(tree) + " 0 R /MediaBox [0 0 612 792]" +
                         resources + " /Contents " + std::to_string(first + 2 * i + 1) + " 0 R >>");
        bodies.push_back("<< /Length " + std::to_string(content.size()) + " >>\nstream\n" + content + "\nendstream");
        kids += (i == 0 ? "" : " ") + std::to_string(first + 2 * i) + " 0 R";
    }
    const std::string pagesNode = "<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(pages) + " >>";
    const std::string catalog = "<< /Type /Catalog /Pages " + std::to_string(tree) + " 0 R >>";
    if (catalogLast) {
        bodies.push_back(pagesNode);
        bodies.push_back(catalog);
        return makePdf(bodies, 2 * pages + 2);
    }
    bodies.insert(bodies.begin(), {catalog, pagesNode});
    std::string pixels(32 * 32, '\0');
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = static_cast<char>(i % 61 * 4);
    bodies.push_back("<< /Type /XObject /Subtype /Image /Width 32 /Height 32 /ColorSpace /DeviceGray "
                     "/BitsPerComponent 8 /Length 1024 >>\nstream\n" + pixels + "\nendstream");
    return makePdf(bodies, 1);
}

// Page objects whose "endobj" lies within the first `size` bytes.
int wholePages(const std::string& pdf, size_t size)
{
    int pages = 0;
    for (size_t at = pdf.find("/Type /Page "); at != std::string::npos; at = pdf.find("/Type /Page ", at + 1))
        pages += pdf.find("endobj", at) + 6 <= size;
    return pages;
}

} // namespace

TEST(PdfObjectScan, MatchesHeadersLikeTheObjectPatternWithoutRecursion)
{
    struct Case {
        std::string text;
        std::vector<std::pair<uint64_t, uint64_t>> expected; // number, offset
    };
    const std::vector<Case> cases = {
        {"1 0 obj", {{1, 0}}},
        {"x1 0 obj", {{1, 1}}},                // bytes inserted before a header leave it whole
        {" 12\t\r\n0 obj 3 0 obj", {{12, 1}, {3, 12}}},
        {"12345678901 0 obj", {}},             // 11 digits
        {"1 123456 obj", {}},                  // 6-digit generation
        {"\v7 0\fobjx", {{7, 1}}},             // every white-space byte counts, "obj" may run on
        {"1 0 obj2 0 obj", {{1, 0}, {2, 7}}},
        {"71 0 obj", {{71, 0}}},               // the number is the whole digit run
        {"9999999999 0 obj", {{9999999999ULL, 0}}},
        {"1 0 1 0 obj", {{1, 4}}},
    };
    for (const auto& c : cases) {
        const auto headers = scanPdfObjectHeaders(bytes(c.text));
        std::vector<std::pair<uint64_t, uint64_t>> got;
        for (const auto& h : headers)
            got.emplace_back(h.number, h.offset);
        EXPECT_EQ(got, c.expected) << c.text;
    }
}

TEST(PdfObjectScan, FindsWhatAPlainLeftToRightMatchFinds)
{
    // The rule read forwards, position by position, on random texts rich in near-misses.
    const auto reference = [](const std::string& t) {
        const auto space = [](char c) { return std::string_view(" \t\n\v\f\r").find(c) != std::string_view::npos; };
        const auto digit = [](char c) { return c >= '0' && c <= '9'; };
        std::vector<std::pair<uint64_t, uint64_t>> found;
        for (size_t i = 0; i < t.size();) {
            size_t p = i;
            const auto run = [&](auto predicate) {
                const size_t from = p;
                while (p < t.size() && predicate(t[p]))
                    ++p;
                return p - from;
            };
            const bool starts = digit(t[i]) && (i == 0 || !digit(t[i - 1]));
            const size_t numberDigits = starts ? run(digit) : 0;
            const size_t numberEnd = p;
            if (numberDigits >= 1 && numberDigits <= 10 && run(space) >= 1) {
                const size_t generation = run(digit);
                if (generation >= 1 && generation <= 5 && run(space) >= 1 && t.compare(p, 3, "obj") == 0) {
                    found.emplace_back(std::stoull(t.substr(i, numberEnd - i)), i);
                    i = p + 3;
                    continue;
                }
            }
            ++i;
        }
        return found;
    };
    std::mt19937 rng(7);
    const std::vector<std::string> pieces = {"0", "1", "9", "12345", " ", " ", "\n", "\r", "obj", "obj", "x", "o", "bj"};
    size_t matches = 0;
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        for (unsigned n = rng() % 30; n > 0; --n)
            text += pieces[rng() % pieces.size()];
        std::vector<std::pair<uint64_t, uint64_t>> got;
        for (const auto& h : scanPdfObjectHeaders(bytes(text)))
            got.emplace_back(h.number, h.offset);
        ASSERT_EQ(got, reference(text)) << '"' << text << '"';
        matches += got.size();
    }
    EXPECT_GT(matches, 200u); // the texts do hold headers
}

TEST(PdfObjectScan, LongWhiteSpaceRunsDoNotExhaustTheStack)
{
    // A backtracking matcher recursed once per byte here and crashed at about 25,000 spaces.
    std::string hostile = "1" + std::string(200000, ' ') + "0" + std::string(200000, '\n') + "obj";
    const auto headers = scanPdfObjectHeaders(bytes(hostile));
    ASSERT_EQ(headers.size(), 1u);
    EXPECT_EQ(headers[0].offset, 0u);
    EXPECT_TRUE(scanPdfObjectHeaders(bytes("1" + std::string(300000, ' '))).empty());
}

TEST(PdfRepair, DamageTableIsRepairedIntoFilesQpdfAccepts)
{
    REQUIRE_TOOL("qpdf");
    const std::string good = onePagePdf();
    struct Case {
        std::string name;
        std::string input;
        std::string action;
        uint64_t amount;
    };
    const std::vector<Case> cases = {
        {"prefix", std::string(37, '#') + good, "trim-prefix", 37},
        {"no-tail", cutAfterLastEndobj(good), "rebuild-xref", 5},
        {"bad-startxref", good.substr(0, good.rfind("startxref")) + "startxref\n999999\n%%EOF\n", "drop-old-xref", 0},
        {"no-header", std::string(100, 'x') + "\n" + good.substr(good.find("1 0 obj")), "rebuild-header", 101},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const auto input = dir.write(c.name + ".pdf", c.input);
        const auto result = repairFile(input);
        ASSERT_TRUE(result.status.ok) << describe(result);
        const auto* action = findAction(result, c.action);
        ASSERT_NE(action, nullptr) << describe(result);
        EXPECT_EQ(action->amount, c.amount);
        ASSERT_TRUE(result.outputWritten);
        EXPECT_EQ(fs::path(result.output.path).filename().string(), c.name + "_repaired.pdf");
        EXPECT_EQ(result.output.kind, "repaired-document");
        EXPECT_DOUBLE_EQ(result.confidence, 0.84);
        expectQpdfClean(result.output.path);
        EXPECT_EQ(qpdfPages(result.output.path), "1\n");
        if (c.name == "no-header") {
            EXPECT_EQ(text(readAll(result.output.path)).substr(0, 10), "%PDF-1.7\n1");
        }
    }
}

TEST(PdfRepair, CutOrInsertedDocumentsComeOutWholeForQpdf)
{
    REQUIRE_TOOL("qpdf");
    const std::string front = pagesPdf(6, false);
    const std::string back = pagesPdf(6, true);
    const std::string junk = [] {
        std::string bytes(4096, '\0');
        for (size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = static_cast<char>((i * 37 + 11) % 256);
        return bytes;
    }();
    // Inserted right before an object's number: the garbage ends without a separator.
    const size_t middleObject = front.find("\n9 0 obj") + 1;
    const size_t pageDictionary = front.find("/MediaBox", middleObject);
    const size_t imageData = front.find("stream\n", front.find("/Subtype /Image")) + 7 + 500;
    const size_t treeEnd = back.find("endobj", back.find("/Type /Pages")) + 7;
    struct Case {
        std::string name;
        std::string pdf;
        int pages;       // 0: the repair fails without writing
        std::string action;
    };
    const std::vector<Case> cases = {
        {"4 KiB inserted between objects", front.substr(0, middleObject) + junk + front.substr(middleObject), 6,
         "rebuild-xref"},
        {"4 KiB inserted into a page's dictionary", front.substr(0, pageDictionary) + junk + front.substr(pageDictionary),
         5, "drop-damaged-objects"},
        {"4 KiB inserted into an image's data", front.substr(0, imageData) + junk + front.substr(imageData), 6,
         "fix-stream-length"},
        {"cut at 50 %", front.substr(0, front.size() / 2), wholePages(front, front.size() / 2), "prune-page-tree"},
        {"cut at 75 %", front.substr(0, front.size() * 3 / 4), wholePages(front, front.size() * 3 / 4),
         "drop-incomplete-object"},
        {"cut at 90 %", front.substr(0, front.size() * 9 / 10), 6, "rebuild-xref"}, // inside the old table
        {"catalog last, cut at 75 %", back.substr(0, back.size() * 3 / 4), 0, ""},
        {"catalog last, cut after the page tree", back.substr(0, treeEnd + 20), 6, "rebuild-catalog"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const auto input = dir.write("damaged.pdf", c.pdf);
        EXPECT_NE(run("qpdf --check " + quote(input)).exitCode, 0); // the damage is real
        const auto result = repairFile(input);
        if (c.pages == 0) {
            EXPECT_EQ(result.status.code, 41);
            EXPECT_FALSE(result.outputWritten);
            continue;
        }
        ASSERT_TRUE(result.outputWritten) << describe(result);
        EXPECT_TRUE(hasAction(result, c.action)) << describe(result);
        expectQpdfClean(result.output.path);
        EXPECT_EQ(qpdfPages(result.output.path), std::to_string(c.pages) + "\n");
    }
}

TEST(PdfRepair, SparseNumbersGetOneEntryPerNumberUpToTheHighest)
{
    TempDir dir;
    std::string pdf = "%PDF-1.4\n1 0 obj\n<< /Type /Catalog >>\nendobj\n";
    for (int n : {2, 5})
        pdf += std::to_string(n) + " 0 obj\n<< /N " + std::to_string(n) + " >>\nendobj\n";
    const auto result = repairFile(dir.write("sparse.pdf", pdf));
    ASSERT_TRUE(result.outputWritten) << describe(result);
    const std::string out = text(readAll(result.output.path));
    const std::string table = out.substr(out.find("xref\n"));
    EXPECT_EQ(table.substr(0, 11), "xref\n0 6\n00");
    EXPECT_NE(table.find(" n \n0000000000 65535 f \n0000000000 65535 f \n00"), std::string::npos) << table;
    EXPECT_NE(table.find("/Size 6 /Root 1 0 R"), std::string::npos);
    EXPECT_DOUBLE_EQ(result.confidence, 0.84);
}

TEST(PdfRepair, WithoutACatalogNothingIsWrittenUnlessThePageTreeGivesANewOne)
{
    REQUIRE_TOOL("qpdf");
    TempDir dir;
    const std::string noRoot = "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>";
    const std::string pages = "<< /Type /Pages /Kids [3 0 R] /Count 1 >>";
    const std::string page = "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] >>";
    // Without a catalog and without a page tree to build one on: the repair fails and writes
    // neither the output nor its preview.
    const auto input = dir.write("orphans.pdf", cutAfterLastEndobj(makePdf({noRoot, noRoot}, 1)));
    const auto failed = repairFile(input, Repair, true);
    EXPECT_FALSE(failed.status.ok);
    EXPECT_EQ(failed.status.code, 41);
    EXPECT_EQ(failed.status.message, "no recoverable PDF objects");
    EXPECT_EQ(failed.notes.back(), "PDF catalog root was not found; output may require manual recovery");
    EXPECT_FALSE(failed.outputWritten);
    EXPECT_TRUE(failed.artifacts.empty());
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);

    // The catalog lost, the page tree whole: a new catalog names the tree's root.
    const auto tree = dir.write("tree.pdf", cutAfterLastEndobj(makePdf({noRoot, pages, page}, 1)));
    const auto rebuilt = repairFile(tree);
    ASSERT_TRUE(rebuilt.outputWritten) << describe(rebuilt);
    EXPECT_TRUE(hasAction(rebuilt, "rebuild-catalog"));
    expectQpdfClean(rebuilt.output.path);
    EXPECT_EQ(qpdfPages(rebuilt.output.path), "1\n");
}

TEST(PdfRepair, HugeOrUnfittingObjectNumbersNeitherThrowNorAllocateFromTheNumber)
{
    TempDir dir;
    struct Case {
        std::string input;
        std::string expectInTable;
    };
    const std::vector<Case> cases = {
        // 2^31 - 1 is above the PDF limit: ignored, table of one object.
        {"%PDF-1.4\n1 0 obj /Type /Catalog 2147483647 0 obj", "xref\n0 2\n"},
        // does not fit 32 bits at all
        {"%PDF-1.4\n1 0 obj /Type /Catalog 9999999999 0 obj", "xref\n0 2\n"},
        // within the limit but far beyond what was found: subsections instead of millions of lines
        {"%PDF-1.4\n1 0 obj\n<< /Type /Catalog >>\nendobj\n8000000 0 obj\n<<>>\nendobj\n",
         "0 1\n0000000000 65535 f \n1 1\n"},
    };
    for (const auto& c : cases) {
        const auto result = repairFile(dir.write("big.pdf", c.input));
        ASSERT_TRUE(result.outputWritten) << describe(result);
        const auto out = readAll(result.output.path);
        EXPECT_LT(out.size(), 4096u);
        EXPECT_NE(text(out).find(c.expectInTable), std::string::npos) << text(out);
        fs::remove(result.output.path);
    }
    const auto last = repairFile(dir.write("size.pdf", cases[2].input));
    EXPECT_NE(text(readAll(last.output.path)).find("8000000 1\n"), std::string::npos);
    EXPECT_NE(text(readAll(last.output.path)).find("/Size 8000001"), std::string::npos);
}

TEST(PdfRepair, HostileInputsRunInLinearTime)
{
    // Without per-object cursors each of these costs objects x size comparisons (hours).
    TempDir dir;
    std::string manyHeaders = "%PDF-1.4";
    for (int i = 0; i < 400000; ++i)
        manyHeaders += "\n1 0 obj";
    std::string nested = manyHeaders + "\n/Type /Catalog endobj";
    // Every object names the catalog: one body each, closed far away or never.
    std::string catalogs = "%PDF-1.4";
    for (int i = 0; i < 200000; ++i)
        catalogs += "\n1 0 obj /Catalog";
    // Those without a catalog end in the failure, after the same walk.
    for (const auto& [input, catalog] : {std::pair{manyHeaders, false}, std::pair{nested, true},
                                         std::pair{catalogs, false}, std::pair{catalogs + " /Type endobj", true}}) {
        const auto result = repairFile(dir.write("hostile.pdf", input));
        EXPECT_EQ(result.outputWritten, catalog) << describe(result);
        if (!catalog) {
            EXPECT_EQ(result.status.code, 41);
        }
        fs::remove(result.output.path);
    }
}

// The catalog as a reader would look for it, object by object: the last object whose body (up to
// its first "endobj", else 512 bytes) holds "/Type" and "/Catalog". Objects after the last
// "endobj" are incomplete and do not count while any object before it does.
uint64_t catalogByObject(const std::string& pdf)
{
    const ByteBuffer bytes(pdf.begin(), pdf.end());
    auto headers = scanPdfObjectHeaders(bytes);
    const size_t lastEndobj = pdf.rfind("endobj");
    size_t complete = headers.size();
    while (lastEndobj != std::string::npos && complete > 0 && headers[complete - 1].offset > lastEndobj)
        --complete;
    if (complete > 0)
        headers.resize(complete);
    uint64_t root = 0;
    for (const auto& h : headers) {
        const size_t endobj = pdf.find("endobj", h.offset);
        const uint64_t bodyEnd = endobj != std::string::npos ? endobj : std::min<uint64_t>(pdf.size(), h.offset + 512);
        const size_t type = pdf.find("/Type", h.offset);
        const size_t catalog = pdf.find("/Catalog", h.offset);
        if (h.number <= kPdfMaxObjectNumber && bodyEnd >= h.offset + 5 && type != std::string::npos &&
            type + 5 <= bodyEnd && catalog != std::string::npos && catalog + 8 <= bodyEnd)
            root = h.number;
    }
    return root;
}

TEST(PdfRepair, TheRootIsTheLastObjectWhoseBodyHoldsTheCatalog)
{
    // Bodies that overlap, lack their "endobj", hold only one of the two words, carry numbers
    // beyond the limit, or run past 512 bytes: the new trailer names what the walk above finds.
    TempDir dir;
    const std::vector<std::string> tokens = {"\n1 0 obj", "\n7 0 obj", "\n12 3 obj", "\n9999999 0 obj",
                                             " /Type",     " /Catalog", " /Type /Catalog", " endobj",
                                             " << >>",     std::string(300, ' ')};
    std::mt19937 random(20261211);
    int withRoot = 0;
    for (int round = 0; round < 600; ++round) {
        std::string pdf = "%PDF-1.4\n";
        const int count = 1 + static_cast<int>(random() % 24);
        for (int i = 0; i < count; ++i)
            pdf += tokens[random() % tokens.size()];
        if (pdf.find(" obj") == std::string::npos)
            continue;
        const uint64_t expected = catalogByObject(pdf);
        const auto result = repairFile(dir.write("catalog.pdf", pdf));
        if (expected == 0) { // no catalog (or only objects beyond the limit): nothing is written
            EXPECT_EQ(result.status.code, 41) << pdf;
            EXPECT_FALSE(result.outputWritten);
            continue;
        }
        ASSERT_TRUE(result.outputWritten) << pdf << describe(result);
        const std::string out = text(readAll(result.output.path));
        const size_t trailer = out.rfind("trailer\n");
        ASSERT_NE(trailer, std::string::npos) << out;
        const std::string named = "/Root " + std::to_string(expected) + " 0 R";
        EXPECT_NE(out.find(named, trailer), std::string::npos) << pdf << "\n---\n" << out.substr(trailer);
        withRoot += expected != 0;
        fs::remove(result.output.path);
    }
    EXPECT_GT(withRoot, 50);
}

TEST(PdfRepair, XrefWordsInOneDictionaryAreReadOnce)
{
    // Each "/XRef" re-read its owner's dictionary: 4 MiB of "/K /XRef" pairs cost hours.
    TempDir dir;
    const std::string xrefStream = "1 0 obj\n<< /Type /XRef /Size 3 /W [1 2 1] /Length 0 >>\nstream\n\nendstream\nendobj\n";
    std::string packed = "2 0 obj\n<< /Type /ObjStm /N 0 /First 0";
    while (packed.size() < 4 * 1024 * 1024)
        packed += " /K /XRef";
    packed += " >>\nendobj\n";
    const std::string orphanFinding = "PDF object streams have no surviving cross-reference stream";
    for (const bool withXrefStream : {true, false}) {
        SCOPED_TRACE(withXrefStream);
        const std::string pdf = "%PDF-1.5\n" + (withXrefStream ? xrefStream : std::string()) +
                                "3 0 obj\n<< /Type /Catalog >>\nendobj\n" + packed;
        const auto input = dir.write("xref-words.pdf", pdf);
        const auto analysis = analyzeFile(input);
        EXPECT_EQ(hasFindingStartingWith(analysis, orphanFinding), !withXrefStream) << describe(analysis);
        const auto result = repairFile(input);
        ASSERT_TRUE(result.outputWritten) << describe(result);
        EXPECT_EQ(text(readAll(result.output.path)).find("/XRefStm 9 ") != std::string::npos, withXrefStream);
        fs::remove(result.output.path);
    }
}

TEST(PdfAnalysis, CrossReferenceSectionsThatMissTheirObjectsAreIndexDamage)
{
    REQUIRE_TOOL("qpdf");
    TempDir dir;
    std::vector<std::string> bodies = {"<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [] /Count 0 >>"};
    for (int i = 3; i <= 40; ++i)
        bodies.push_back("<< /Filler " + std::to_string(i) + " >>");
    const std::string good = makePdf(bodies, 1);
    const size_t table = good.rfind("\nxref\n") + 1;
    const size_t startxref = good.rfind("startxref\n");

    std::string overwritten = good;
    for (size_t i = 0; i < 300; ++i)
        overwritten[table + 60 + i] = "0123456789 nf\n"[(i * 7 + i / 5) % 14];
    std::string shiftedEntry = good;
    shiftedEntry.replace(table + 10 + 20 * 5, 10, "0000000017"); // object 5 pointed into object 1
    const std::string offTarget = good.substr(0, startxref) + "startxref\n" + std::to_string(table + 3) + "\n%%EOF\n";
    std::string wrongNumber = good;
    wrongNumber.replace(good.find("7 0 obj"), 7, "8 0 obj");
    // Bytes before the header, and offsets that count them (as some writers do).
    std::string counted = std::string(37, '#') + good;
    for (size_t i = 1; i <= bodies.size(); ++i) {
        const size_t entry = 37 + table + 10 + 20 * i;
        char shifted[16];
        std::snprintf(shifted, sizeof shifted, "%010zu", std::stoul(counted.substr(entry, 10)) + 37);
        counted.replace(entry, 10, shifted);
    }
    counted = counted.substr(0, 37 + startxref) + "startxref\n" + std::to_string(37 + table) + "\n%%EOF\n";
    const auto packedSource = dir.write("source.pdf", good);
    ASSERT_EQ(run("qpdf --object-streams=generate " + quote(packedSource) + " " + quote(dir / "packed.pdf")).exitCode,
              0);

    struct Case {
        std::string name;
        std::string pdf;
        bool damaged;
    };
    const std::vector<Case> cases = {
        {"intact", good, false},
        {"prefixed", std::string(37, '#') + good, false}, // offsets count from the header
        {"prefix-counted", counted, false},
        {"stream", text(readAll(dir / "packed.pdf")), false},
        {"overwritten", overwritten, true},
        {"shifted-entry", shiftedEntry, true},
        {"off-target", offTarget, true},
        {"wrong-number", wrongNumber, true},
        {"beyond-end", good.substr(0, startxref) + "startxref\n99999999\n%%EOF\n", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto input = dir.write(c.name + ".pdf", c.pdf);
        if (c.damaged) { // a real reader agrees that the fixture is damaged
            EXPECT_NE(run("qpdf --check " + quote(input)).exitCode, 0);
        }
        const auto result = analyzeFile(input);
        EXPECT_EQ(hasFindingStartingWith(result, "PDF cross-reference table is missing or damaged"), c.damaged) << describe(result);
        if (c.damaged) {
            EXPECT_DOUBLE_EQ(result.confidence, 0.78);
            const auto repaired = repairFile(input);
            ASSERT_TRUE(repaired.outputWritten) << describe(repaired);
            expectQpdfClean(repaired.output.path);
        }
    }
}

TEST(PdfRepair, IncrementalUpdatesAndEarlierTablesKeepEveryObject)
{
    REQUIRE_TOOL("qpdf");
    TempDir dir;
    // An incremental update adds object 6 and a second table with /Prev; the tail is then lost.
    std::string pdf = onePagePdf("First");
    const size_t prev = std::stoul(pdf.substr(pdf.rfind("startxref\n") + 10));
    const size_t objectOffset = pdf.size();
    pdf += "6 0 obj\n<< /Title (Revised) >>\nendobj\n";
    const size_t xref = pdf.size();
    char entry[32];
    std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", objectOffset);
    pdf += "xref\n6 1\n" + std::string(entry) + "trailer\n<< /Size 7 /Root 1 0 R /Info 6 0 R /Prev " +
           std::to_string(prev) + " >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
    const std::string damaged = pdf.substr(0, pdf.size() - 12) + "garbage";
    const auto result = repairFile(dir.write("updated.pdf", damaged));
    ASSERT_TRUE(result.outputWritten) << describe(result);
    expectQpdfClean(result.output.path);
    const auto info = run("qpdf --show-object=trailer " + quote(result.output.path));
    EXPECT_NE(info.output.find("/Info 6 0 R"), std::string::npos) << info.output;
    EXPECT_NE(run("qpdf --show-object=6 " + quote(result.output.path)).output.find("Revised"), std::string::npos);

    // A linearized file has its first table right after the first object.
    const auto original = dir.write("plain.pdf", onePagePdf("Linear"));
    const auto linearized = dir / "linear.pdf";
    ASSERT_EQ(run("qpdf --linearize " + quote(original) + " " + quote(linearized)).exitCode, 0);
    std::string lin = text(readAll(linearized));
    lin = lin.substr(0, lin.rfind("startxref")) + "startxref\n1\n%%EOF\n";
    const auto linResult = repairFile(dir.write("linear-damaged.pdf", lin));
    ASSERT_TRUE(linResult.outputWritten) << describe(linResult);
    EXPECT_EQ(qpdfPages(linResult.output.path), "1\n");
    const auto pageText = run("qpdf --qdf --object-streams=disable " + quote(linResult.output.path) + " -");
    EXPECT_NE(pageText.output.find("(Linear)"), std::string::npos);
    EXPECT_DOUBLE_EQ(linResult.confidence, 0.84) << describe(linResult);
}

TEST(PdfRepair, EncryptedFilesKeepEncryptIdAndInfo)
{
    REQUIRE_TOOL("qpdf");
    TempDir dir;
    const auto plain = dir.write("plain.pdf", onePagePdf("Secret"));
    const auto encrypted = dir / "encrypted.pdf";
    ASSERT_EQ(run("qpdf --object-streams=disable --encrypt '' owner 128 --use-aes=y -- " + quote(plain) + " " +
                  quote(encrypted))
                  .exitCode,
              0);
    std::string pdf = text(readAll(encrypted));
    pdf = "junk before the header\n" + pdf.substr(0, pdf.rfind("startxref")) + "startxref\n7\n";
    const auto result = repairFile(dir.write("locked.pdf", pdf));
    ASSERT_TRUE(result.outputWritten) << describe(result);
    expectQpdfClean(result.output.path);
    const auto shown = run("qpdf --show-encryption " + quote(result.output.path));
    EXPECT_EQ(shown.output.find("File is not encrypted"), std::string::npos) << shown.output;
    const auto decrypted = run("qpdf --decrypt --qdf " + quote(result.output.path) + " -");
    EXPECT_NE(decrypted.output.find("(Secret)"), std::string::npos);
}

TEST(PdfRepair, ObjectStreamsStayReachable)
{
    REQUIRE_TOOL("qpdf");
    TempDir dir;
    const auto plain = dir.write("plain.pdf", onePagePdf("Packed"));
    // The new index is a cross-reference stream that lists the objects of the object streams:
    // read from the streams, or, where they are encrypted, from the old cross-reference stream.
    for (const bool encrypted : {false, true}) {
        SCOPED_TRACE(encrypted);
        const auto packed = dir / "packed.pdf";
        ASSERT_EQ(run("qpdf --object-streams=generate " +
                      std::string(encrypted ? "--encrypt '' owner 128 --use-aes=y -- " : "") + quote(plain) + " " +
                      quote(packed))
                      .exitCode,
                  0);
        std::string pdf = text(readAll(packed));
        ASSERT_NE(pdf.find("/ObjStm"), std::string::npos);
        pdf = std::string(20, '%') + "\n" + pdf.substr(0, pdf.rfind("startxref"));
        const auto result = repairFile(dir.write("packed-damaged.pdf", pdf));
        ASSERT_TRUE(result.outputWritten) << describe(result);
        const std::string out = text(readAll(result.output.path));
        EXPECT_NE(out.find("/Type /XRef /Size"), std::string::npos);
        EXPECT_EQ(qpdfPages(result.output.path), "1\n");
        expectQpdfClean(result.output.path);
        const auto expanded = run("qpdf --qdf --object-streams=disable " + quote(result.output.path) + " -");
        EXPECT_NE(expanded.output.find("(Packed)"), std::string::npos);
        if (encrypted)
            EXPECT_LT(result.confidence, 0.84);
        else
            EXPECT_DOUBLE_EQ(result.confidence, 0.84);
        fs::remove(result.output.path);
    }
}

TEST(PdfRepair, AnalysisFindingsAndFailures)
{
    TempDir dir;
    const auto missing = analyzeFile(dir.write("a.pdf", std::string()));
    EXPECT_EQ(missing.status.code, 40);
    EXPECT_EQ(missing.status.message, "PDF header and recoverable objects were not found");

    const auto noObjects = repairFile(dir.write("b.pdf", std::string("%PDF-1.4\nnothing here\n")));
    EXPECT_EQ(noObjects.status.code, 41);
    EXPECT_FALSE(noObjects.outputWritten);
    EXPECT_TRUE(hasFindingStartingWith(noObjects, "no recoverable PDF objects were found"));

    const auto healthy = analyzeFile(dir.write("c.pdf", onePagePdf()));
    EXPECT_TRUE(healthy.findings.empty()) << describe(healthy);
    EXPECT_DOUBLE_EQ(healthy.confidence, 1.0);
    EXPECT_EQ(healthy.format, "pdf");

    const auto cut = analyzeFile(dir.write("d.pdf", cutAfterLastEndobj(onePagePdf())));
    EXPECT_TRUE(hasFindingStartingWith(cut, "PDF EOF marker is missing"));
    EXPECT_TRUE(hasFindingStartingWith(cut, "PDF cross-reference table is missing or damaged"));
    EXPECT_DOUBLE_EQ(cut.confidence, 0.78);
}

TEST(PdfRepair, AnalyzeModeWritesOnlyThePreview)
{
    TempDir dir;
    const auto input = dir.write("doc.pdf", cutAfterLastEndobj(onePagePdf()));
    const auto result = repairFile(input, Analyze, true);
    EXPECT_FALSE(result.outputWritten);
    ASSERT_EQ(result.artifacts.size(), 1u);
    EXPECT_EQ(fs::path(result.artifacts[0].path).filename(), "doc_preview.pdf");
    EXPECT_EQ(result.artifacts[0].kind, "document-preview");
    EXPECT_FALSE(fs::exists(dir / "doc_repaired.pdf"));
}

TEST(PdfRepair, RealDamagedCorpusNeverCrashesAndXrefTrailerHeaderCasesPassQpdf)
{
    REQUIRE_TOOL("qpdf");
    const fs::path corpus = test_support::corpusDir() / "pdf-handbuilt";
    ASSERT_TRUE(fs::is_directory(corpus));
    int checked = 0;
    for (const auto& entry : fs::directory_iterator(corpus)) {
        if (entry.path().extension() != ".pdf")
            continue;
        SCOPED_TRACE(entry.path().filename().string());
        TempDir dir;
        const auto input = dir / entry.path().filename();
        fs::copy_file(entry.path(), input);
        const auto analysis = analyzeFile(input);
        const std::string name = entry.path().filename().string();
        if (name.rfind("T03", 0) == 0 && run("qpdf --check " + quote(input)).exitCode != 0) {
            EXPECT_TRUE(hasFindingStartingWith(analysis, "PDF cross-reference table is missing or damaged")) << describe(analysis);
        }
        const auto result = repairFile(input);
        if (!result.status.ok) {
            EXPECT_FALSE(result.status.message.empty());
            EXPECT_FALSE(result.outputWritten);
            continue;
        }
        ASSERT_TRUE(result.outputWritten) << describe(result);
        if (name.rfind("T01", 0) == 0 || name.rfind("T03", 0) == 0 || name.rfind("T04", 0) == 0) {
            expectQpdfClean(result.output.path, true);
            ++checked;
        }
    }
    EXPECT_GT(checked, 30);
}
