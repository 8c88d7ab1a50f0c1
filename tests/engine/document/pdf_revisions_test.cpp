// PDF files with several revisions and object streams: sound ones are left alone, damaged ones
// keep the newest revision of every object. Judged by qpdf and pdftotext.

#include <gtest/gtest.h>

#include <cstdlib>

#include "document_test_support.h"

using namespace data_repair;
using namespace doc_test;
using test_support::quote;
using test_support::readAll;
using test_support::run;
using test_support::TempDir;

namespace {

using Objects = std::vector<std::pair<int, std::string>>;

size_t lastStartxref(const std::string& pdf)
{
    return std::stoul(pdf.substr(pdf.rfind("startxref") + 10));
}

// An incremental update with a classic table: the objects, then "xref" with one subsection each
// and a trailer whose /Prev is the previous section.
std::string appendClassicUpdate(std::string pdf, const Objects& objects, int size, int root)
{
    const size_t prev = lastStartxref(pdf);
    std::string table = "xref\n";
    for (const auto& [number, body] : objects) {
        char entry[64];
        std::snprintf(entry, sizeof entry, "%d 1\n%010zu 00000 n \n", number, pdf.size());
        table += entry;
        pdf += std::to_string(number) + " 0 obj\n" + body + "\nendobj\n";
    }
    const size_t xref = pdf.size();
    pdf += table + "trailer\n<< /Size " + std::to_string(size) + " /Root " + std::to_string(root) + " 0 R /Prev " +
           std::to_string(prev) + " >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
    return pdf;
}

// The same with an uncompressed cross-reference stream (numbered `streamNumber`) as its index;
// an encrypted file's /Encrypt and /ID are carried over.
std::string appendStreamUpdate(std::string pdf, const Objects& objects, int streamNumber, int root)
{
    std::string carried;
    for (const auto& [key, end] : {std::pair<std::string, std::string>{"/Encrypt ", " R"}, {"/ID [", "]"}}) {
        const size_t at = pdf.rfind(key);
        if (at != std::string::npos)
            carried += " " + pdf.substr(at, pdf.find(end, at + key.size()) + end.size() - at);
    }
    const size_t prev = lastStartxref(pdf);
    std::string rows;
    std::string index;
    const auto row = [&](int number, size_t offset) {
        index += std::to_string(number) + " 1 ";
        rows += '\x01';
        for (int shift = 24; shift >= 0; shift -= 8)
            rows += static_cast<char>((offset >> shift) & 0xFF);
        rows += std::string(2, '\0');
    };
    for (const auto& [number, body] : objects) {
        row(number, pdf.size());
        pdf += std::to_string(number) + " 0 obj\n" + body + "\nendobj\n";
    }
    const size_t xref = pdf.size();
    row(streamNumber, xref);
    pdf += std::to_string(streamNumber) + " 0 obj\n<< /Type /XRef /Size " + std::to_string(streamNumber + 1) +
           " /W [1 4 2] /Index [" + index + "] /Root " + std::to_string(root) + " 0 R" + carried + " /Prev " +
           std::to_string(prev) +
           " /Length " + std::to_string(rows.size()) + " >>\nstream\n" + rows + "\nendstream\nendobj\nstartxref\n" +
           std::to_string(xref) + "\n%%EOF\n";
    return pdf;
}

// Pages of text: catalog 1, page tree 2, font 3, then a page and its content for each.
std::string textPagesPdf(int pages, const std::string& word)
{
    std::vector<std::string> bodies = {"<< /Type /Catalog /Pages 2 0 R >>", "", "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>"};
    std::string kids;
    for (int i = 0; i < pages; ++i) {
        const int page = 4 + 2 * i;
        const std::string content =
            "BT /F1 18 Tf 72 720 Td (" + word + " page " + std::to_string(i + 1) + " of the report) Tj ET";
        bodies.push_back("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Resources << /Font << /F1 3 0 R >> >> "
                         "/Contents " + std::to_string(page + 1) + " 0 R >>");
        bodies.push_back("<< /Length " + std::to_string(content.size()) + " >>\nstream\n" + content + "\nendstream");
        kids += std::to_string(page) + " 0 R ";
    }
    bodies[1] = "<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(pages) + " >>";
    return makePdf(bodies, 1);
}

std::string pageCount(const fs::path& pdf) { return run("qpdf --show-npages " + quote(pdf)).output; }
std::string pdfText(const fs::path& pdf) { return run("pdftotext -q " + quote(pdf) + " -").output; }

int trailerNumber(const fs::path& pdf, const std::string& key)
{
    const std::string trailer = run("qpdf --show-object=trailer " + quote(pdf)).output;
    const size_t at = trailer.find(key + " ");
    return at == std::string::npos ? 0 : std::atoi(trailer.c_str() + at + key.size() + 1);
}

// A file whose tail after its last object is lost: the last startxref now points nowhere.
std::string damageTail(const std::string& pdf)
{
    return pdf.substr(0, pdf.rfind("startxref")) + "startxref\n12\n%%EOF\n";
}

struct Revisions {
    std::string incremental;   // a classic update gives page 1 a new content
    std::string laterFont;     // the font the page uses is first defined by the update
    std::string packed;        // object streams and a cross-reference stream
    std::string packedUpdated; // the same with an update indexed by a stream with /Prev
    std::string newCatalog;    // an update replaces the packed catalog by one over a new page tree
    std::string linearized;
    std::string encryptedUpdated; // encrypted object streams, and an update indexed by a stream
};

Revisions makeRevisions(TempDir& dir)
{
    Revisions r;
    const std::string content = "BT /F1 24 Tf 72 720 Td (Second revision) Tj ET";
    r.incremental = appendClassicUpdate(onePagePdf("First revision"),
                                        {{4, "<< /Length " + std::to_string(content.size()) + " >>\nstream\n" +
                                                 content + "\nendstream"}},
                                        6, 1);

    const std::string fontContent = "BT /F1 24 Tf 72 720 Td (Font added later) Tj ET";
    const std::string fontless = makePdf(
        {"<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
         "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Resources << /Font << /F1 5 0 R >> >> /Contents 4 0 R >>",
         "<< /Length " + std::to_string(fontContent.size()) + " >>\nstream\n" + fontContent + "\nendstream"},
        1);
    r.laterFont = appendClassicUpdate(fontless, {{5, "<< /Type /Font /Subtype /Type1 /BaseFont /Courier >>"}}, 6, 1);

    const auto source = dir.write("source.pdf", textPagesPdf(4, "Packed"));
    const auto packed = dir / "packed.pdf";
    EXPECT_EQ(run("qpdf --object-streams=generate " + quote(source) + " " + quote(packed)).exitCode, 0);
    r.packed = text(readAll(packed));
    EXPECT_NE(r.packed.find("/ObjStm"), std::string::npos);
    const int root = trailerNumber(packed, "/Root");
    const int size = trailerNumber(packed, "/Size");
    EXPECT_GT(root, 0);
    r.packedUpdated = appendStreamUpdate(r.packed, {{size, "<< /Title (Updated) /Producer (hand) >>"}}, size + 1, root);
    const std::string updatedContent = "BT /F1 24 Tf 72 720 Td (Updated page) Tj ET";
    r.newCatalog = appendStreamUpdate(
        r.packed,
        {{root, "<< /Type /Catalog /Pages " + std::to_string(size) + " 0 R >>"},
         {size, "<< /Type /Pages /Kids [" + std::to_string(size + 1) + " 0 R] /Count 1 >>"},
         {size + 1, "<< /Type /Page /Parent " + std::to_string(size) +
                        " 0 R /MediaBox [0 0 612 792] /Resources << /Font << /F1 << /Type /Font /Subtype /Type1 "
                        "/BaseFont /Helvetica >> >> >> /Contents " + std::to_string(size + 2) + " 0 R >>"},
         {size + 2, "<< /Length " + std::to_string(updatedContent.size()) + " >>\nstream\n" + updatedContent +
                        "\nendstream"}},
        size + 3, root);

    const auto encrypted = dir / "encrypted.pdf";
    EXPECT_EQ(run("qpdf --object-streams=generate --encrypt '' owner 128 --use-aes=y -- " + quote(source) + " " +
                  quote(encrypted))
                  .exitCode,
              0);
    const int encryptedSize = trailerNumber(encrypted, "/Size");
    r.encryptedUpdated = appendStreamUpdate(text(readAll(encrypted)), {{encryptedSize, "<< /Marker 1 >>"}},
                                            encryptedSize + 1, trailerNumber(encrypted, "/Root"));

    const auto linearized = dir / "linearized.pdf";
    EXPECT_EQ(run("qpdf --linearize " + quote(source) + " " + quote(linearized)).exitCode, 0);
    r.linearized = text(readAll(linearized));
    return r;
}

} // namespace

// A sound file comes back byte for byte, whatever its revisions and indexes, and its analysis
// finds nothing.
TEST(PdfRevisions, SoundFilesAreLeftAsTheyAre)
{
    REQUIRE_TOOL("qpdf");
    REQUIRE_TOOL("pdftotext");
    TempDir dir;
    const Revisions r = makeRevisions(dir);
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"one-page", onePagePdf("Healthy")},
        {"incremental", r.incremental},
        {"later-font", r.laterFont},
        {"packed", r.packed},
        {"packed-updated", r.packedUpdated},
        {"new-catalog", r.newCatalog},
        {"linearized", r.linearized},
        {"encrypted-updated", r.encryptedUpdated},
    };
    for (const auto& [name, pdf] : cases) {
        SCOPED_TRACE(name);
        const auto input = dir.write(name + ".pdf", pdf);
        ASSERT_EQ(run("qpdf --check " + quote(input)).exitCode, 0) << "fixture " << name;
        const auto analysis = analyzeFile(input);
        EXPECT_TRUE(analysis.findings.empty()) << describe(analysis);
        const auto result = repairFile(input);
        ASSERT_TRUE(result.status.ok) << describe(result);
        if (result.outputWritten) {
            EXPECT_EQ(pageCount(result.output.path), pageCount(input));
            EXPECT_EQ(pdfText(result.output.path), pdfText(input));
            EXPECT_TRUE(readAll(result.output.path) == bytes(pdf)) << describe(result);
            EXPECT_TRUE(result.actions.empty()) << describe(result);
        }
    }
}

// A lost tail makes the file rebuilt by scanning: the newest revision of each object wins, and
// objects inside object streams (the catalog included) are found from their streams.
TEST(PdfRevisions, RebuiltIndexKeepsTheNewestRevisionAndObjectStreamContents)
{
    REQUIRE_TOOL("qpdf");
    REQUIRE_TOOL("pdftotext");
    TempDir dir;
    const Revisions r = makeRevisions(dir);
    // Every cross-reference stream lost: only the object streams themselves still index the
    // objects they hold.
    std::string noStreams = damageTail(r.packedUpdated);
    for (size_t at = noStreams.find("/XRef"); at != std::string::npos; at = noStreams.find("/XRef", at + 1))
        noStreams.replace(at, 5, "/Junk");
    struct Case {
        std::string name;
        std::string damaged;
        std::string sound; // what the repaired file reads like
        double confidence;
    };
    const std::vector<Case> cases = {
        {"incremental", damageTail(r.incremental), r.incremental, 0.84},
        {"later-font", damageTail(r.laterFont), r.laterFont, 0.84},
        {"packed", damageTail(r.packed), r.packed, 0.84},
        {"packed-updated", damageTail(r.packedUpdated), r.packedUpdated, 0.84},
        {"new-catalog", damageTail(r.newCatalog), r.newCatalog, 0.84},
        {"no-xref-streams", noStreams, r.packedUpdated, 0.84},
        // Encrypted object streams do not decode: the old cross-reference streams still list
        // what they hold, the older revision's included.
        {"encrypted-updated", damageTail(r.encryptedUpdated), r.encryptedUpdated, 0.72},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto input = dir.write(c.name + "-damaged.pdf", c.damaged);
        const auto sound = dir.write(c.name + "-sound.pdf", c.sound);
        EXPECT_NE(run("qpdf --check " + quote(input)).exitCode, 0); // the damage is real
        const auto analysis = analyzeFile(input);
        EXPECT_TRUE(hasFindingStartingWith(analysis, "PDF cross-reference table is missing or damaged"))
            << describe(analysis);
        EXPECT_FALSE(hasFindingStartingWith(analysis, "PDF object streams have no surviving cross-reference stream"))
            << describe(analysis);
        const auto result = repairFile(input);
        ASSERT_TRUE(result.outputWritten) << describe(result);
        EXPECT_TRUE(hasAction(result, "rebuild-xref")) << describe(result);
        const auto check = run("qpdf --check " + quote(result.output.path));
        EXPECT_EQ(check.exitCode, 0) << check.output;
        EXPECT_EQ(pageCount(result.output.path), pageCount(sound));
        EXPECT_EQ(pdfText(result.output.path), pdfText(sound));
        EXPECT_DOUBLE_EQ(result.confidence, c.confidence) << describe(result);
    }
}

// The last startxref must lead to a cross-reference section that holds the file's objects: one
// left over from an earlier revision or a linearized file's first page, with the real index cut
// away, is damage.
TEST(PdfRevisions, AnIndexOfAnEarlierSectionOnlyIsDamage)
{
    REQUIRE_TOOL("qpdf");
    TempDir dir;
    const Revisions r = makeRevisions(dir);
    const auto cut = [](const std::string& pdf, size_t percent) { return pdf.substr(0, pdf.size() * percent / 100); };
    const std::string bigUpdate = appendClassicUpdate(
        r.incremental, {{6, "<< /Filler (" + std::string(4000, 'x') + ") >>"}}, 7, 1);
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"linearized-trailer-removed", r.linearized.substr(0, r.linearized.rfind("trailer"))},
        {"linearized-cut", cut(r.linearized, 90)},
        {"incremental-cut", cut(bigUpdate, 90)},
        {"update-index-removed", bigUpdate.substr(0, bigUpdate.rfind("xref\n"))},
        {"plain-cut", cut(textPagesPdf(3, "Plain"), 90)},
    };
    for (const auto& [name, pdf] : cases) {
        SCOPED_TRACE(name);
        const auto input = dir.write(name + ".pdf", pdf);
        EXPECT_NE(run("qpdf --check " + quote(input)).exitCode, 0);
        const auto analysis = analyzeFile(input);
        EXPECT_TRUE(hasFindingStartingWith(analysis, "PDF cross-reference table is missing or damaged"))
            << describe(analysis);
        EXPECT_DOUBLE_EQ(analysis.confidence, 0.78);
    }
}
