// How long opening a preview holds the GUI thread, for hostile files a few bytes to a few
// megabytes large: the synchronous load plus the first frame drawn (offscreen, software).
// Run by hand: build/bench/preview_bench --benchmark_min_time=1

#include <benchmark/benchmark.h>

#include "app/startup.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QProcess>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickStyle>
#include <QQuickWindow>
#include <QTemporaryDir>

#include <memory>

void qml_register_types_Korvex_FileRepair();

namespace {

QTemporaryDir* scratch = nullptr;
QQmlEngine* engine = nullptr;

QString scratchPath(const QString& name) { return scratch->filePath(name); }

void writeFile(const QString& name, const QByteArray& bytes)
{
    QFile file(scratchPath(name));
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

void python(const QString& script)
{
    QFile helpers(QStringLiteral(KORVEX_SOURCE_DIR "/tests/app/office_fixtures.py"));
    helpers.open(QIODevice::ReadOnly);
    QProcess process;
    process.setWorkingDirectory(scratch->path());
    process.start(QStringLiteral("python3"), {QStringLiteral("-c"), QString::fromUtf8(helpers.readAll()) + u'\n' + script});
    process.waitForFinished(120000);
}

void makeFixtures()
{
    QByteArray csv;
    csv.reserve(7700000);
    for (int i = 0; i < 1100000; ++i)
        csv += QByteArray::number(100000 + i % 900000) + '\n';
    writeFile(QStringLiteral("column.csv"), csv);
    writeFile(QStringLiteral("longline.txt"), QByteArray(262144, 'x'));
    QByteArray noise(1 << 20, '\0');
    for (qsizetype i = 0; i < noise.size(); ++i)
        noise[i] = char((i * 2654435761u) >> 13);
    writeFile(QStringLiteral("noise.raw"), noise);

    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setProgressiveScanWrite(true);
    writer.write(image);
    QByteArray jpeg = buffer.data();
    const qsizetype frame = jpeg.indexOf(QByteArray::fromHex("ffc2"));
    jpeg.replace(frame + 5, 4, QByteArray::fromHex("9c409c40")); // 40000 x 40000
    writeFile(QStringLiteral("tiny.jpg"), jpeg);

    const QByteArray content = "BT /F1 24 Tf 72 29900 Td (Page) Tj ET";
    QByteArray pdf = "%PDF-1.4\n";
    QList<qsizetype> offsets;
    const QList<QByteArray> objects = {
        "<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [4 0 R] /Count 1 >>",
        "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 30000 30000] /Contents 5 0 R /Resources << /Font << /F1 3 0 R >> >> >>",
        "<< /Length " + QByteArray::number(content.size()) + " >>\nstream\n" + content + "\nendstream"};
    for (int i = 0; i < objects.size(); ++i) {
        offsets.append(pdf.size());
        pdf += QByteArray::number(i + 1) + " 0 obj\n" + objects.at(i) + "\nendobj\n";
    }
    const qsizetype xref = pdf.size();
    pdf += "xref\n0 6\n0000000000 65535 f \n";
    for (const qsizetype offset : offsets)
        pdf += QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
    pdf += "trailer\n<< /Size 6 /Root 1 0 R >>\nstartxref\n" + QByteArray::number(xref) + "\n%%EOF\n";
    writeFile(QStringLiteral("giant.pdf"), pdf);

    python(QStringLiteral("docx('long.docx', ['y' * 2000000])\n"
                          "pkg('blank.docx', [('word/document.xml', '<w:document %s><w:body>%s</w:body></w:document>' "
                          "% (W, '<w:p/>' * 2700000))])\n"
                          "pkg('shared.xlsx', [('xl/sharedStrings.xml', '<sst %s><si><t>%s</t></si></sst>' % (S, 's' * 100000)),"
                          " ('xl/worksheets/sheet1.xml', sheet(''.join('<row r=\"%d\">%s</row>' % (r, ''.join("
                          "'<c r=\"%s%s%d\" t=\"s\"><v>0</v></c>' % ('A' if c >= 26 else '', chr(65 + c % 26), r) for c in range(30)))"
                          " for r in range(1, 201))))])\n"
                          "pkg('plain.xlsx', [('xl/worksheets/sheet1.xml', sheet(''.join('<row r=\"%d\">%s</row>' % (r, ''.join("
                          "'<c r=\"%s%s%d\"><v>%d</v></c>' % ('A' if c >= 26 else '', chr(65 + c % 26), r, c) for c in range(30)))"
                          " for r in range(1, 201))))])\n"));
}

// Opens `file` as a preview of `kind` in a window and draws one frame; with `toLastCell`, the
// sheet's table is then scrolled to its last row and column and drawn again. The preview is cleared
// (untimed) after each run.
void openPreview(benchmark::State& state, const char* kind, const char* file, bool toLastCell = false)
{
    QQmlComponent component(engine);
    component.setData("import QtQuick\nimport Korvex.FileRepair\n"
                      "Window { width: 1000; height: 700; visible: true\n"
                      "  property alias preview: p\n"
                      "  InternalPreview { id: p; anchors.fill: parent; kind: \"none\"; source: \"\"; fileName: \"x\" } }",
                      QUrl());
    std::unique_ptr<QQuickWindow> window(qobject_cast<QQuickWindow*>(component.create()));
    if (!window) {
        state.SkipWithError(qPrintable(component.errorString()));
        return;
    }
    QObject* preview = window->property("preview").value<QObject*>();
    const QUrl source = QUrl::fromLocalFile(scratchPath(QString::fromLatin1(file)));
    window->grabWindow();
    for (auto _ : state) {
        preview->setProperty("source", source);
        preview->setProperty("kind", QString::fromLatin1(kind));
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(window->grabWindow());
        if (toLastCell) {
            QObject* table = preview->findChild<QObject*>(QStringLiteral("sheetTable"));
            if (table == nullptr) {
                state.SkipWithError("no sheet table");
                return;
            }
            table->setProperty("contentX", table->property("contentWidth").toReal() - table->property("width").toReal());
            table->setProperty("contentY", table->property("contentHeight").toReal() - table->property("height").toReal());
            benchmark::DoNotOptimize(window->grabWindow());
        }
        state.PauseTiming();
        preview->setProperty("kind", QStringLiteral("none"));
        preview->setProperty("source", QUrl());
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK_CAPTURE(openPreview, csv_1_1M_lines, "text", "column.csv")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(openPreview, line_256KiB, "text", "longline.txt")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(openPreview, binary_1MiB, "binary", "noise.raw")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(openPreview, jpeg_40000px, "image", "tiny.jpg")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(openPreview, pdf_30000pt, "pdf", "giant.pdf")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(openPreview, docx_2M_paragraph, "office", "long.docx")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(openPreview, docx_blank_paragraphs, "office", "blank.docx")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(openPreview, xlsx_plain_200x30, "office", "plain.xlsx")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(openPreview, xlsx_plain_200x30_to_last_cell, "office", "plain.xlsx", true)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(openPreview, xlsx_shared_string_everywhere, "office", "shared.xlsx")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(openPreview, xlsx_shared_string_to_last_cell, "office", "shared.xlsx", true)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_QUICK_BACKEND", "software");
    QGuiApplication app(argc, argv);
    QQuickStyle::setStyle(QStringLiteral("Basic"));
    volatile auto keepModuleRegistration = &qml_register_types_Korvex_FileRepair;
    Q_UNUSED(keepModuleRegistration);
    QTemporaryDir dir;
    scratch = &dir;
    QQmlEngine qml;
    qml.addImportPath(QString::fromLatin1(olm::repair::kQmlModuleImportPath));
    engine = &qml;
    makeFixtures();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
