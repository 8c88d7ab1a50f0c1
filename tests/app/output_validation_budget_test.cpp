// Output validation of hostile outputs: small files that claim huge indexes, expand to billions of
// pixels or drawings, nest without end or inflate to gigabytes. Each is checked in a process of its
// own under a 2 GiB address-space limit (the validation probe); the check must end within 30 s with
// a clear verdict, stay within a memory bound, and end within a second of a stop.

#include "app/repair_workflow_controller.h"
#include "hostile_outputs.h"
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

using namespace olm::repair;
using namespace hostile_outputs;
using namespace workflow_fixtures;

namespace {

const QString kBeyondLimits = QStringLiteral("输出无法在限制范围内完成验证");
const QString kFailed = QStringLiteral("输出结构验证失败");
const QString kPassed = QStringLiteral("输出结构验证通过");

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
        for (const QString& suffix : {QStringLiteral("mp4"), QStringLiteral("mkv")})
            QTest::newRow(qPrintable(QStringLiteral("100 tracks ") + suffix))
                << ffmpeg(QStringLiteral("tracks.") + suffix, tracks + QStringList{"-c:v", "mpeg4", "-frames:v", "1"}) << kBeyondLimits;

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
        // The same written again by qpdf with compressed object streams, where the page tree and
        // the page are found only inside them.
        for (const QString& pdf : {chain, deep}) {
            const QString packed = dir_.filePath(QFileInfo(pdf).baseName() + QStringLiteral("-packed.pdf"));
            const ToolRun written = runTool(QStringLiteral("qpdf"), {"--object-streams=generate", "--compress-streams=y", pdf, packed});
            QVERIFY2(written.exitCode == 0, qPrintable(written.output));
            QVERIFY(readAll(packed).contains("/ObjStm"));
            QTest::newRow(qPrintable(QFileInfo(packed).baseName())) << packed << kBeyondLimits;
        }

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
        const QString packed = dir_.filePath(QStringLiteral("short-chain-packed.pdf"));
        QCOMPARE(runTool(QStringLiteral("qpdf"), {"--object-streams=generate", "--compress-streams=y", chain, packed}).exitCode, 0);
        // 200 MiB from 200 KB: within the allowance every package has.
        const QString zip = hostileFixture(QStringLiteral("inflation-zip"), QStringLiteral("modest.zip"), 100);
        for (const QString& path : {chain, packed, tree, tracks, skip, zip}) {
            const ProbeRun run = probe(path);
            QVERIFY2(run.finished, qPrintable(run.output));
            QVERIFY2(run.message == kPassed, qPrintable(path + u'\n' + run.output));
        }
    }
};

QTEST_GUILESS_MAIN(OutputValidationBudgetTest)
#include "output_validation_budget_test.moc"
