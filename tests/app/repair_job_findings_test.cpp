// What the job makes of the engine's findings and notes: a file with a huge number of small
// faults lists the first thousand findings and sums up the rest in one entry, so reading the
// controller's list stays cheap; the notes the engine makes about a repaired output reach the
// window and the exported report in the user's words.

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include "app/repair_job.h"
#include "app/repair_workflow_controller.h"
#include "repair_workflow_fixtures.h"

using namespace olm::repair;
using namespace workflow_fixtures;

class RepairJobFindingsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void cleanup() { setRepairFactoryProvider({}); }
    void cleanupTestCase() { QDir(repairOutputPath()).removeRecursively(); }

    void manyFindingsAreCappedWithASummary_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("listed");
        QTest::newRow("few") << 3 << 3;
        QTest::newRow("exactly the cap") << 1000 << 1000;
        QTest::newRow("one over") << 1001 << 1001;
        QTest::newRow("hundreds of thousands") << 300000 << 1001;
    }

    void manyFindingsAreCappedWithASummary()
    {
        QFETCH(int, count);
        QFETCH(int, listed);
        QTemporaryDir dir;
        const QString input = dir.filePath(QStringLiteral("stream.ogg"));
        QVERIFY(writeAll(input, QByteArray("OggS") + QByteArray(4096, '\0')));
        scriptEngine([count](const data_repair::RepairRequest&, data_repair::IProgress*, bool) {
            data_repair::RepairResult result;
            result.status = data_repair::RepairStatus::success();
            for (int i = 0; i < count; ++i)
                result.addFinding(data_repair::StructureInvalid, i == count - 1 ? data_repair::Error : data_repair::Warning,
                                  "gap between pages", i, 1, i == count - 1, 0.5);
            return result;
        });
        RepairWorkflowController c;
        c.selectInput(QUrl::fromLocalFile(input));
        c.analyze();
        QTRY_VERIFY_WITH_TIMEOUT(!c.busy(), 120000);
        QCOMPARE(c.state(), WorkflowState::AnalysisCompleted);
        const QVariantList findings = c.findings();
        QCOMPARE(findings.size(), listed);
        // The last finding was the only repairable one: the verdict still counts it.
        QCOMPARE(c.repairability(), QStringLiteral("检测到可尝试修复的问题"));
        if (count > 1000) {
            const QVariantMap summary = findings.last().toMap();
            QCOMPARE(summary.value(QStringLiteral("message")).toString(),
                     QStringLiteral("另有 %1 项同类发现未逐条列出").arg(count - 1000));
            QCOMPARE(summary.value(QStringLiteral("severityCode")).toInt(), 2);
            QCOMPARE(summary.value(QStringLiteral("severity")).toString(), QStringLiteral("错误"));
        }
    }

    // A FLAC recording whose stream info states an impossible sample rate: the repair rebuilds it
    // and clears the MD5 signature, and the user reads both in the window and in the report.
    void flacStreamInfoNotesReachTheWindowAndTheReport()
    {
        if (!toolAvailable(QStringLiteral("ffmpeg")))
            QSKIP("ffmpeg is not installed");
        QTemporaryDir dir;
        const QString clean = dir.filePath(QStringLiteral("clean.flac"));
        QCOMPARE(runTool(QStringLiteral("ffmpeg"), {"-nostdin", "-v", "error", "-y", "-f", "lavfi", "-i",
                                                    "sine=frequency=440:duration=2", "-ac", "2", "-c:a", "flac", clean})
                     .exitCode,
                 0);
        QByteArray bytes = readAll(clean);
        QVERIFY(bytes.size() > 42 && bytes.startsWith("fLaC"));
        // The stream info's 20-bit sample rate starts at byte 18: 143105 Hz, which no frame states.
        const quint32 rate = 143105;
        bytes[18] = static_cast<char>(rate >> 12);
        bytes[19] = static_cast<char>((rate >> 4) & 0xFF);
        bytes[20] = static_cast<char>(((rate & 0x0F) << 4) | (static_cast<quint8>(bytes[20]) & 0x0F));
        // ffmpeg leaves the MD5 signature of the audio in place: it must go with the rebuild.
        bytes[26] = '\x5A';
        const QString input = dir.filePath(QStringLiteral("song.flac"));
        QVERIFY(writeAll(input, bytes));

        RepairWorkflowController c;
        QVERIFY2(repairToPreview(c, input), qPrintable(c.status()));
        const QStringList expected = {QStringLiteral("FLAC 流信息已损坏，已根据音频帧重建"),
                                      QStringLiteral("FLAC 流信息中的 MD5 校验值无法用于核对保留的音频，已被清除；播放不受影响")};
        QCOMPARE(c.warnings(), expected);
        QVERIFY(c.exportReport(QUrl::fromLocalFile(dir.path())));
        const QJsonObject report =
            QJsonDocument::fromJson(readAll(dir.filePath(QStringLiteral("song_repair_report.json")))).object();
        QCOMPARE(report.value("warnings").toArray(), QJsonArray::fromStringList(expected));
    }
};

QTEST_GUILESS_MAIN(RepairJobFindingsTest)
#include "repair_job_findings_test.moc"
