// Document engine costs per byte: analysis and repair of PDF, ZIP and text inputs, and the
// hostile shapes that used to cost quadratic time (object headers without "endobj", runs of
// data-descriptor headers, XML full of "]]>", a dictionary full of "/XRef" names).

#include <benchmark/benchmark.h>

#include <functional>

#include "bench_support.h"
#include "document/document_repairer.h"
#include "document/zip_archive.h"

using namespace data_repair;

namespace {

// Objects with a text stream each, cut before the cross-reference table.
ByteBuffer damagedPdf(int64_t size)
{
    ByteBuffer pdf = bytesOf("%PDF-1.7\n1 0 obj\n<< /Type /Catalog /Pages 2 0 R >>\nendobj\n");
    const ByteBuffer filler = bench_support::randomBytes(4000, 3);
    for (int n = 2; static_cast<int64_t>(pdf.size()) < size; ++n) {
        appendString(pdf, std::to_string(n) + " 0 obj\n<< /Length 4000 >>\nstream\n");
        appendBytes(pdf, filler);
        appendString(pdf, "\nendstream\nendobj\n");
    }
    return pdf;
}

// Stored 64 KiB entries with the central directory lost.
ByteBuffer damagedZip(int64_t size)
{
    std::vector<ZipEntry> entries;
    const ByteBuffer chunk = bench_support::randomBytes(64 * 1024, 5);
    for (int64_t written = 0; written < size; written += static_cast<int64_t>(chunk.size()) + 40) {
        ZipEntry e;
        e.name = "part" + std::to_string(entries.size()) + ".bin";
        e.payload = chunk;
        entries.push_back(std::move(e));
    }
    RepairResult report;
    ByteBuffer zip = writeZipArchive(std::move(entries), "zip", report);
    zip.resize(findBytes(zip, "PK\x01\x02", 0));
    return zip;
}

ByteBuffer damagedText(int64_t size)
{
    ByteBuffer text;
    const std::string line = "<row id=\"1\">\xE4\xB8\xAD\xE6\x96\x87 data, more data ]]> \x01\xFF</row>\n";
    while (static_cast<int64_t>(text.size()) < size)
        appendString(text, line);
    return text;
}

ByteBuffer repeated(int64_t size, const std::string& unit, const std::string& head = {})
{
    ByteBuffer out = bytesOf(head);
    while (static_cast<int64_t>(out.size()) < size)
        appendString(out, unit);
    return out;
}

void run(benchmark::State& state, const std::string& name, const std::function<ByteBuffer(int64_t)>& make, bool repair)
{
    const auto path = bench_support::cachedInput(name, state.range(0), make);
    RepairRequest request;
    request.input = makeSourceInfo(path.string());
    request.outputDirectory = bench_support::outputDir().string();
    request.overwrite = true;
    request.mode = repair ? Repair : Analyze;
    DocumentRepairer engine;
    for (auto _ : state) {
        auto result = repair ? engine.repair(request, nullptr) : engine.analyze(request, nullptr);
        if (!result.status.ok)
            state.SkipWithError(result.status.message.c_str());
        benchmark::DoNotOptimize(result.confidence);
    }
    bench_support::clearOutputs();
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

} // namespace

static void BM_PdfAnalyze(benchmark::State& s) { run(s, "damaged.pdf", damagedPdf, false); }
static void BM_PdfRepair(benchmark::State& s) { run(s, "damaged.pdf", damagedPdf, true); }
static void BM_ZipAnalyze(benchmark::State& s) { run(s, "damaged.zip", damagedZip, false); }
static void BM_ZipRepair(benchmark::State& s) { run(s, "damaged.zip", damagedZip, true); }
static void BM_TextRepair(benchmark::State& s) { run(s, "damaged.xml", damagedText, true); }
static void BM_HostilePdfHeaders(benchmark::State& s)
{
    run(s, "headers.pdf", [](int64_t n) { return repeated(n, "\n1 0 obj", "%PDF-1.4"); }, true);
}
static void BM_HostilePdfXrefWords(benchmark::State& s)
{
    run(s, "xref-words.pdf", [](int64_t n) { return repeated(n, " /K /XRef", "%PDF-1.5\n1 0 obj\n<< /Type /ObjStm"); },
        true);
}
static void BM_HostileZipDescriptors(benchmark::State& s)
{
    const std::string header = std::string("PK\x03\x04\x14\x00\x08\x00\x00\x00", 10) + std::string(16, '\0') +
                               std::string("\x01\x00\x00\x00", 4) + "n";
    run(s, "descriptors.zip", [&](int64_t n) { return repeated(n, header); }, false);
}
static void BM_HostileCdataEnds(benchmark::State& s)
{
    run(s, "cdata.xml", [](int64_t n) { return repeated(n, "]]>"); }, true);
}

BENCHMARK(BM_PdfAnalyze) KORVEX_BENCH_SIZES;
BENCHMARK(BM_PdfRepair) KORVEX_BENCH_SIZES;
BENCHMARK(BM_ZipAnalyze) KORVEX_BENCH_SIZES;
BENCHMARK(BM_ZipRepair) KORVEX_BENCH_SIZES;
BENCHMARK(BM_TextRepair) KORVEX_BENCH_SIZES;
BENCHMARK(BM_HostilePdfHeaders) KORVEX_BENCH_SIZES;
BENCHMARK(BM_HostilePdfXrefWords) KORVEX_BENCH_SIZES;
BENCHMARK(BM_HostileZipDescriptors) KORVEX_BENCH_SIZES;
BENCHMARK(BM_HostileCdataEnds) KORVEX_BENCH_SIZES;
