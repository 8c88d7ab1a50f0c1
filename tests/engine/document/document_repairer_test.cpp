// The document engine's entry: routing, read failures, cancellation and outputs.

#include <gtest/gtest.h>

#include "data_repair/detection.h"
#include "document/document_repairer.h"
#include "document_test_support.h"

using namespace data_repair;
using namespace doc_test;
using test_support::TempDir;

namespace {

ByteBuffer ole() { return copyBytes(oleSignature()); }
ByteBuffer operator+(ByteBuffer a, const ByteBuffer& b)
{
    appendBytes(a, b);
    return a;
}

} // namespace

TEST(DocumentDispatch, RoutesByContentAndExtension)
{
    TempDir dir;
    const ByteBuffer zipLocal = bytes(std::string("PK\x03\x04", 4));
    const ByteBuffer rtf = bytes("{\\rtf1 x}");
    struct Case {
        std::string name;
        ByteBuffer input;
        std::string format; // the handler shows in the format it reports
        int32_t code;
    };
    const std::vector<Case> cases = {
        {"report.txt", bytes("%PDF-1.4 text"), "txt", 0},
        {"letter.doc", bytes("junk") + rtf, "rtf", 0},
        // A container at offset 0 owns an embedded RTF object or OLE signature.
        {"letter.doc", ole() + ByteBuffer(600, 0) + rtf, "doc", 0},
        {"pack.docx", zipLocal + ByteBuffer(26, 0) + rtf + ole(), "docx", 44},
        {"book.xls", ByteBuffer(100, 'x') + ole() + ByteBuffer(600, 0) + zipLocal, "xls", 0},
        {"book.xls", ByteBuffer(10, 'x') + zipLocal, "xls", 44},
        {"book.xls", bytes("neither"), "xls", 46},
        {"thing.bin", ByteBuffer(100, 'x') + ole() + ByteBuffer(600, 0), "doc", 0},
        {"a.bin", ByteBuffer(), "bin", 40},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name + " -> " + c.format);
        const auto input = dir.write(c.name, c.input);
        const auto result = analyzeFile(input);
        EXPECT_EQ(result.format, c.format) << describe(result);
        EXPECT_EQ(result.status.code, c.code) << describe(result);
    }
}

TEST(DocumentDispatch, UnsupportedEmptyAndEndRecordOnlyInputs)
{
    TempDir dir;
    const auto empty = analyzeFile(dir.write("a.bin", ByteBuffer()));
    EXPECT_EQ(empty.status.message, "unsupported document format");
    ASSERT_EQ(empty.findings.size(), 1u);
    EXPECT_EQ(empty.findings[0].category, UnsupportedFormat);
    EXPECT_EQ(empty.findings[0].message,
              "supported document repair formats are PDF, RTF, Word, Excel and PowerPoint documents");
    EXPECT_DOUBLE_EQ(empty.confidence, 0.0);

    const auto pdf = analyzeFile(dir.write("a.pdf", ByteBuffer()));
    EXPECT_EQ(pdf.status.message, "PDF header and recoverable objects were not found");

    const auto end = analyzeFile(dir.write("e.bin", bytes(std::string("PK\x05\x06", 4) + std::string(18, '\0'))));
    EXPECT_EQ(end.status.code, 40);
    EXPECT_EQ(end.format, "zip");
    EXPECT_EQ(end.kind, Archive);
}

TEST(DocumentEntry, ReadFailureCancellationProgressAndOutputs)
{
    TempDir dir;
    DocumentRepairer engine;
    RepairRequest missing = test_support::requestFor(dir / "gone.pdf", Extract);
    const auto analyzed = engine.analyze(missing, nullptr);
    EXPECT_EQ(analyzed.status.code, 2);
    EXPECT_EQ(analyzed.kind, Document);
    EXPECT_EQ(analyzed.mode, Analyze);
    EXPECT_EQ(analyzed.inputSize, 0u);
    EXPECT_EQ(engine.repair(missing, nullptr).mode, Extract);

    const auto input = dir.write("doc.pdf", onePagePdf());
    test_support::RecordingProgress progress;
    progress.cancel = true;
    const auto cancelled = engine.repair(test_support::requestFor(input), &progress);
    EXPECT_EQ(cancelled.status.code, 5);
    EXPECT_EQ(cancelled.status.message, "document repair cancelled");
    EXPECT_FALSE(fs::exists(dir / "doc_repaired.pdf"));
    ASSERT_EQ(progress.events.size(), 1u);
    EXPECT_EQ(progress.events[0].step, "read");
    EXPECT_EQ(progress.events[0].source, Document);

    // An explicit output path takes the "_repaired" file; the preview keeps its own name.
    RepairRequest request = test_support::requestFor(input);
    request.outputPath = (dir / "chosen" / "fixed.pdf").string();
    request.writePreview = true;
    const auto written = engine.repair(request, nullptr);
    ASSERT_TRUE(written.outputWritten) << describe(written);
    EXPECT_EQ(written.output.path, request.outputPath);
    ASSERT_EQ(written.artifacts.size(), 1u);
    EXPECT_EQ(fs::path(written.artifacts[0].path).filename(), "doc_preview.pdf");

    // A preview that cannot be written leaves the status alone and says why in the notes.
    request.outputDirectory = (dir / "doc.pdf").string(); // a file, not a folder
    request.outputPath = (dir / "second.pdf").string();
    const auto noPreview = engine.repair(request, nullptr);
    EXPECT_TRUE(noPreview.status.ok) << describe(noPreview);
    EXPECT_FALSE(noPreview.previewWritten);
    EXPECT_FALSE(noPreview.notes.empty());
}
