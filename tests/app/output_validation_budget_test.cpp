// Output validation of hostile outputs: small files that claim huge indexes, expand to billions of
// pixels or drawings, nest without end or inflate to gigabytes. Each is checked in a process of its
// own under a 2 GiB address-space limit (the validation probe); the check must end within 30 s with
// a clear verdict, stay within a memory bound, and end within a second of a stop.

#include "app/repair_workflow_controller.h"
#include "repair_workflow_fixtures.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QStandardPaths>
#include <QTest>
#include <QThreadPool>
#include <QtEndian>

#include <bit>

using namespace olm::repair;
using namespace workflow_fixtures;

namespace {

const QString kBeyondLimits = QStringLiteral("输出无法在限制范围内完成验证");
const QString kFailed = QStringLiteral("输出结构验证失败");
const QString kPassed = QStringLiteral("输出结构验证通过");

// --- An H.264 stream written bit by bit: one intra frame of flat macroblocks and then frames
// that skip every macroblock (each a few bytes, each decoded to a whole picture) ---

class BitWriter {
public:
    void put(quint32 value, int bits)
    {
        for (int i = bits - 1; i >= 0; --i) {
            current_ = (current_ << 1) | ((value >> i) & 1);
            if (++count_ == 8) {
                bytes_.append(char(current_));
                current_ = 0;
                count_ = 0;
            }
        }
    }
    void ue(quint32 value)
    {
        const quint32 x = value + 1;
        const int length = 32 - std::countl_zero(x);
        put(0, length - 1);
        put(x, length);
    }
    void se(int value) { ue(value <= 0 ? quint32(-2 * value) : quint32(2 * value - 1)); }
    QByteArray finish()
    {
        put(1, 1);
        while (count_ != 0)
            put(0, 1);
        return bytes_;
    }

private:
    QByteArray bytes_;
    quint32 current_ = 0;
    int count_ = 0;
};

QByteArray nalUnit(quint8 header, const QByteArray& payload)
{
    QByteArray out("\0\0\0\1", 4);
    out.append(char(header));
    int zeros = 0;
    for (const char c : payload) {
        if (zeros >= 2 && quint8(c) <= 3) {
            out.append('\3');
            zeros = 0;
        }
        out.append(c);
        zeros = c == 0 ? zeros + 1 : 0;
    }
    return out;
}

QByteArray skipFrameStream(int widthInMacroblocks, int heightInMacroblocks, int skipFrames)
{
    const quint32 macroblocks = quint32(widthInMacroblocks) * quint32(heightInMacroblocks);
    BitWriter sps;
    sps.put(66, 8); // baseline
    sps.put(0, 8);
    sps.put(62, 8);
    sps.ue(0);
    sps.ue(12); // 16-bit frame numbers
    sps.ue(2);  // picture order from the frame number
    sps.ue(1);  // one reference frame
    sps.put(0, 1);
    sps.ue(quint32(widthInMacroblocks - 1));
    sps.ue(quint32(heightInMacroblocks - 1));
    sps.put(1, 1); // frames only
    sps.put(1, 1);
    sps.put(0, 1);
    sps.put(0, 1);
    BitWriter pps;
    pps.ue(0);
    pps.ue(0);
    pps.put(0, 1); // CAVLC
    pps.put(0, 1);
    pps.ue(0);
    pps.ue(0);
    pps.ue(0);
    pps.put(0, 1);
    pps.put(0, 2);
    pps.se(0);
    pps.se(0);
    pps.se(0);
    pps.put(1, 1); // deblocking control present
    pps.put(0, 1);
    pps.put(0, 1);
    BitWriter idr;
    idr.ue(0);
    idr.ue(7); // I slice
    idr.ue(0);
    idr.put(0, 16);
    idr.ue(0);
    idr.put(0, 1);
    idr.put(0, 1);
    idr.se(0);
    idr.ue(1); // no deblocking
    // Each macroblock: I_16x16 DC prediction, no coded blocks, chroma DC, no QP change, an empty DC.
    for (quint32 i = 0; i < macroblocks; ++i)
        idr.put(0x27, 8);
    QByteArray stream = nalUnit(0x67, sps.finish()) + nalUnit(0x68, pps.finish()) + nalUnit(0x65, idr.finish());
    for (int frame = 1; frame <= skipFrames; ++frame) {
        BitWriter p;
        p.ue(0);
        p.ue(5); // P slice
        p.ue(0);
        p.put(quint32(frame) & 0xFFFF, 16);
        p.put(0, 1);
        p.put(0, 1);
        p.put(0, 1);
        p.se(0);
        p.ue(1);
        p.ue(macroblocks); // every macroblock skipped
        stream += nalUnit(0x41, p.finish());
    }
    return stream;
}

// --- PDFs of numbered objects with a correct cross-reference table ---

QByteArray pdfOf(const QList<QByteArray>& objects)
{
    QByteArray pdf = "%PDF-1.4\n";
    QList<qsizetype> offsets;
    for (qsizetype i = 0; i < objects.size(); ++i) {
        offsets.append(pdf.size());
        pdf += QByteArray::number(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const qsizetype xref = pdf.size();
    pdf += "xref\n0 " + QByteArray::number(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (const qsizetype offset : offsets)
        pdf += QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
    pdf += "trailer\n<< /Size " + QByteArray::number(objects.size() + 1) + " /Root 1 0 R >>\nstartxref\n"
        + QByteArray::number(xref) + "\n%%EOF\n";
    return pdf;
}

QByteArray streamObject(const QByteArray& dictionary, const QByteArray& data)
{
    return "<< " + dictionary + " /Length " + QByteArray::number(data.size()) + " >>\nstream\n" + data + "\nendstream";
}

// A page drawing form 1, each form drawing the next twice at half size, the last a square.
QByteArray formChainPdf(int forms)
{
    QList<QByteArray> objects{"<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
                              "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 200 200] /Resources << /XObject << /F 5 0 R >> >> "
                              "/Contents 4 0 R >>",
                              streamObject("", "/F Do")};
    for (int i = 0; i < forms; ++i) {
        const int number = 5 + i;
        const bool last = i + 1 == forms;
        const QByteArray content = last ? QByteArray("0 0 200 200 re f")
                                        : QByteArray("q 0.5 0 0 0.5 0 0 cm /F Do Q q 0.5 0 0 0.5 100 100 cm /F Do Q");
        const QByteArray resources = last ? QByteArray() : "/Resources << /XObject << /F " + QByteArray::number(number + 1) + " 0 R >> >>";
        objects.append(streamObject("/Type /XObject /Subtype /Form /BBox [0 0 200 200] " + resources, content));
    }
    return pdfOf(objects);
}

// A page tree of page-tree nodes each holding the next, `levels` deep, with one page at the bottom.
QByteArray deepPageTreePdf(int levels)
{
    QList<QByteArray> objects{"<< /Type /Catalog /Pages 2 0 R >>"};
    for (int level = 0; level < levels; ++level) {
        const int number = 2 + level;
        const QByteArray parent = level == 0 ? QByteArray("/MediaBox [0 0 200 200]") : "/Parent " + QByteArray::number(number - 1) + " 0 R";
        objects.append("<< /Type /Pages " + parent + " /Kids [" + QByteArray::number(number + 1) + " 0 R] /Count 1 >>");
    }
    const int page = 2 + levels;
    objects.append("<< /Type /Page /Parent " + QByteArray::number(page - 1) + " 0 R /Contents " + QByteArray::number(page + 1) + " 0 R >>");
    objects.append(streamObject("", "0 0 100 100 re f"));
    return pdfOf(objects);
}

// Sets, in every box of `type`, the 32-bit field `at` bytes into its payload.
int patchBoxes(QByteArray& bytes, const QByteArray& type, int at, quint32 value)
{
    int patched = 0;
    for (qsizetype pos = bytes.indexOf(type); pos >= 4; pos = bytes.indexOf(type, pos + 4)) {
        const quint32 size = qFromBigEndian<quint32>(bytes.constData() + pos - 4);
        if (size < quint32(8 + at + 4) || pos - 4 + qsizetype(size) > bytes.size())
            continue;
        qToBigEndian(value, bytes.data() + pos + 4 + at);
        ++patched;
    }
    return patched;
}

struct ProbeRun {
    bool finished = false;
    QString message;
    qint64 elapsedMs = -1;
    qint64 peakMib = -1;
    qint64 stopLatencyMs = -2;
    QString output;
};

ProbeRun probe(const QString& path, int stopAfterMs = -1)
{
    QStringList arguments{path};
    if (stopAfterMs >= 0)
        arguments << QString::number(stopAfterMs);
    // A generous wait: the bound is asserted on the probe's own figures, not on this wait.
    const ToolRun run = runTool(qEnvironmentVariable("KORVEX_VALIDATION_PROBE"), arguments, 180000);
    ProbeRun result;
    result.output = run.output;
    result.finished = run.exitCode == 0;
    for (const QString& line : run.output.split(u'\n')) {
        const qsizetype space = line.indexOf(u' ');
        const QString key = line.left(space);
        const QString value = line.mid(space + 1);
        if (key == u"message")
            result.message = value;
        else if (key == u"elapsed-ms")
            result.elapsedMs = value.toLongLong();
        else if (key == u"peak-rss-mib")
            result.peakMib = value.toLongLong();
        else if (key == u"stop-latency-ms")
            result.stopLatencyMs = value.toLongLong();
    }
    return result;
}

} // namespace

class OutputValidationBudgetTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;

    QString write(const QString& name, const QByteArray& bytes)
    {
        const QString path = dir_.filePath(name);
        if (!writeAll(path, bytes))
            qFatal("cannot write %s", qPrintable(name));
        return path;
    }

    QString ffmpeg(const QString& name, const QStringList& arguments)
    {
        const QString path = dir_.filePath(name);
        const ToolRun made = runTool(QStringLiteral("ffmpeg"), QStringList{"-nostdin", "-v", "error", "-y"} + arguments + QStringList{path});
        if (made.exitCode != 0)
            qFatal("ffmpeg cannot make %s: %s", qPrintable(name), qPrintable(made.output));
        return path;
    }

    // Tracks of one small frame each, whose index then claims `samples` one-byte samples apiece in
    // one chunk: FFmpeg would build a 24-byte index entry for every one.
    QString indexBomb(int tracks, quint32 samples)
    {
        QStringList arguments{"-f", "lavfi", "-i", "testsrc=s=64x64:r=25:d=0.04"};
        for (int i = 0; i < tracks; ++i)
            arguments << "-map" << "0:v";
        arguments << "-c:v" << "libx264" << "-preset" << "ultrafast" << "-frames:v" << "1";
        QByteArray bytes = readAll(ffmpeg(QStringLiteral("index-source-%1.mp4").arg(tracks), arguments));
        const bool patched = patchBoxes(bytes, "stsz", 4, 1) == tracks && patchBoxes(bytes, "stsz", 8, samples) == tracks
            && patchBoxes(bytes, "stts", 8, samples) == tracks && patchBoxes(bytes, "stsc", 12, samples) == tracks;
        if (!patched)
            qFatal("the index tables were not found");
        return write(QStringLiteral("index-bomb-%1.mp4").arg(tracks), bytes);
    }

    // Made by hostile_fixtures.py beside this test.
    QString hostileFixture(const QString& kind, const QString& name, int mebibytes)
    {
        const QString path = dir_.filePath(name);
        const QString script = qEnvironmentVariable("KORVEX_SOURCE_DIR") + QStringLiteral("/tests/app/hostile_fixtures.py");
        const ToolRun made = runTool(QStringLiteral("/usr/bin/python3"), {script, kind, path, QString::number(mebibytes)});
        if (made.exitCode != 0)
            qFatal("cannot make %s: %s", qPrintable(name), qPrintable(made.output));
        return path;
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(dir_.isValid());
        QVERIFY2(QFileInfo(qEnvironmentVariable("KORVEX_VALIDATION_PROBE")).isExecutable(), "the validation probe is missing");
    }

    void hostileOutputsEndWithinTheirBudget_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("verdict");

        // Six tracks each claiming 12 million one-byte samples in a 10 KB file.
        const QString index = indexBomb(6, 12000000);
        QTest::newRow("mp4 index claims") << index << kFailed;

        // 100 tracks: each a decoder of its own.
        QStringList tracks{"-f", "lavfi", "-i", "testsrc=s=32x32:r=25:d=0.04"};
        for (int i = 0; i < 100; ++i)
            tracks << "-map" << "0:v";
        QTest::newRow("100 tracks") << ffmpeg(QStringLiteral("tracks.mp4"), tracks + QStringList{"-c:v", "mpeg4", "-frames:v", "1"})
                                    << kBeyondLimits;

        // An 8192 x 4352 key frame (the largest any level allows) and 80 000 frames that skip it
        // all, about 1 MB; and the same past every level, 8192 x 8192.
        for (const int height : {272, 512}) {
            const QString name = QStringLiteral("skip-%1").arg(height * 16);
            const QString raw = write(name + QStringLiteral(".h264"), skipFrameStream(512, height, 80000));
            const QString skip = ffmpeg(name + QStringLiteral(".mp4"), {"-f", "h264", "-r", "25", "-i", raw, "-c", "copy"});
            const ToolRun frames = runTool(QStringLiteral("ffprobe"), {"-v", "error", "-count_packets", "-show_entries",
                                                                        "stream=width,height,nb_read_packets", "-of", "csv=p=0", skip});
            QCOMPARE(frames.output.trimmed(), QStringLiteral("8192,%1,80001").arg(height * 16));
            QTest::newRow(qPrintable(QStringLiteral("skip frames 8192x%1").arg(height * 16)))
                << skip << (height == 272 ? kBeyondLimits : kFailed);
        }

        // 22 forms, each drawing the next twice: four million drawings from 4 KB.
        const QString chain = write(QStringLiteral("chain.pdf"), formChainPdf(22));
        // 1100 levels of page-tree nodes above one page.
        const QString deep = write(QStringLiteral("deep.pdf"), deepPageTreePdf(1100));
        for (const QString& pdf : {chain, deep}) {
            const ToolRun info = runTool(QStringLiteral("pdfinfo"), {pdf});
            QVERIFY2(info.output.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\b"))), qPrintable(info.output));
        }
        QTest::newRow("form chain") << chain << kBeyondLimits;
        QTest::newRow("deep page tree") << deep << kBeyondLimits;

        // A 64 MiB comment in the main part of a 70 KB package.
        const QString docx = hostileFixture(QStringLiteral("comment-docx"), QStringLiteral("comment.docx"), 64);
        QCOMPARE(python(QStringLiteral("import sys, zipfile; print(zipfile.ZipFile(sys.argv[1]).testzip())"), {docx}).output.trimmed(),
                 QStringLiteral("None"));
        QTest::newRow("xml comment") << docx << kBeyondLimits;

        // 8 MB inflating to 8 GB.
        const QString zip = hostileFixture(QStringLiteral("inflation-zip"), QStringLiteral("inflation.zip"), 4000);
        const ToolRun listed = runTool(QStringLiteral("unzip"), {"-l", zip});
        QVERIFY2(listed.output.contains(QStringLiteral("8388608000")), qPrintable(listed.output));
        QTest::newRow("zip inflation") << zip << kBeyondLimits;
    }

    void hostileOutputsEndWithinTheirBudget()
    {
        QFETCH(QString, path);
        QFETCH(QString, verdict);
        const ProbeRun run = probe(path);
        qInfo("%s", qPrintable(QString(run.output).replace(u'\n', u' ')));
        QVERIFY2(run.finished, qPrintable(run.output));
        QCOMPARE(run.message, verdict);
        QVERIFY2(run.elapsedMs >= 0 && run.elapsedMs <= 30000, qPrintable(run.output));
        // The check's memory follows the file, not its claims: far below the gigabytes they ask.
        QVERIFY2(run.peakMib > 0 && run.peakMib <= 1024, qPrintable(run.output));

        // A stop asked while it runs ends it within a second (a check already over is fine too).
        const ProbeRun stopped = probe(path, 100);
        qInfo("stopped: %s", qPrintable(QString(stopped.output).replace(u'\n', u' ')));
        QVERIFY2(stopped.finished, qPrintable(stopped.output));
        QVERIFY2(stopped.stopLatencyMs >= -1 && stopped.stopLatencyMs <= 1000, qPrintable(stopped.output));
    }

    // Leaving while a repair's output is being checked: the window's controller goes (as when the
    // program quits) and the job, stopped at the check's next look at its flag, returns within a
    // few seconds, so the thread pool the program waits for at exit is free again.
    void leavingStopsARunningCheck()
    {
        const QString input = ffmpeg(QStringLiteral("clip.mp4"), {"-f", "lavfi", "-i", "testsrc=s=64x64:r=25:d=1", "-c:v", "libx264",
                                                                    "-preset", "ultrafast"});
        const QString raw = write(QStringLiteral("leave.h264"), skipFrameStream(512, 272, 80000));
        const QByteArray hostile = readAll(ffmpeg(QStringLiteral("leave.mp4"), {"-f", "h264", "-r", "25", "-i", raw, "-c", "copy"}));
        scriptEngine([hostile](const data_repair::RepairRequest& request, data_repair::IProgress*, bool analyze) {
            if (!analyze)
                return writtenOutput(request, QStringLiteral("clip_repaired.mp4"), hostile);
            data_repair::RepairResult result;
            result.status = data_repair::RepairStatus::success();
            return result;
        });
        auto* c = new RepairWorkflowController;
        c->selectInput(QUrl::fromLocalFile(input));
        c->analyze();
        QVERIFY(waitIdle(*c));
        QCOMPARE(c->state(), WorkflowState::AnalysisCompleted);
        c->repair(QStringLiteral("quick"));
        // The check reports its own progress past the engine's share of the bar.
        QTRY_VERIFY_WITH_TIMEOUT(c->progress() > 80 || !c->busy(), 120000);
        QVERIFY2(c->busy(), "the check ended before the controller could leave");
        QElapsedTimer leaving;
        leaving.start();
        delete c;
        QVERIFY(QThreadPool::globalInstance()->waitForDone(10000));
        qInfo("the job returned %lld ms after the controller left", static_cast<long long>(leaving.elapsed()));
        setRepairFactoryProvider({});
    }

    // The same shapes at a size real files have still pass.
    void modestShapesPass()
    {
        const QString chain = write(QStringLiteral("short-chain.pdf"), formChainPdf(8));
        const QString tree = write(QStringLiteral("tree.pdf"), deepPageTreePdf(20));
        const QString tracks = ffmpeg(QStringLiteral("four-tracks.mp4"),
                                      {"-f", "lavfi", "-i", "testsrc=s=64x64:r=25:d=1", "-map", "0:v", "-map", "0:v", "-map",
                                       "0:v", "-map", "0:v", "-c:v", "libx264", "-preset", "ultrafast"});
        const QString skip = write(QStringLiteral("short-skip.h264"), skipFrameStream(40, 30, 250));
        for (const QString& path : {chain, tree, tracks, skip}) {
            const ProbeRun run = probe(path);
            QVERIFY2(run.finished, qPrintable(run.output));
            QVERIFY2(run.message == kPassed, qPrintable(path + u'\n' + run.output));
        }
    }
};

QTEST_GUILESS_MAIN(OutputValidationBudgetTest)
#include "output_validation_budget_test.moc"
