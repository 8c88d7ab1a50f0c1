// A file with a huge number of small faults: the job lists the first thousand findings and sums up
// the rest in one entry, so reading the controller's list stays cheap.

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
    void cleanup() { setRepairFactoryProvider({}); }

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
};

QTEST_GUILESS_MAIN(RepairJobFindingsTest)
#include "repair_job_findings_test.moc"
