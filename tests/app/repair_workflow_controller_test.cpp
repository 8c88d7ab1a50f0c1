// The repair workflow driven end to end through the controller's invokables and properties, with
// the real engines on damaged files the tests make, and a scripted engine where a job has to be
// held open (cancellation) or has to answer in a chosen way (validation verdicts).

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

#include <fcntl.h>
#include <sys/time.h>
#include <unistd.h>

#include "app/repair_job.h"
#include "app/repair_workflow_controller.h"
#include "repair_workflow_fixtures.h"
#include "services/session_cache.h"

using namespace olm::repair;
using namespace workflow_fixtures;

namespace {

QString state(const RepairWorkflowController& c) { return c.state(); }

QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

// Moves a path's modification time an hour into the past, as if an earlier run had left it.
void age(const QString& path)
{
    struct timeval times[2];
    ::gettimeofday(&times[0], nullptr);
    times[0].tv_sec -= 3600;
    times[1] = times[0];
    ::utimes(QFile::encodeName(path).constData(), times);
}

bool engineMissing(const RepairWorkflowController& c)
{
    return c.state() == WorkflowState::Failed && c.status().contains(QStringLiteral("not available in this build"));
}

QJsonObject readJson(const QString& path) { return QJsonDocument::fromJson(readAll(path)).object(); }

} // namespace

class RepairWorkflowControllerTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setApplicationVersion(QStringLiteral("1.0.4.0"));
        QDir(repairOutputPath()).removeRecursively();
    }
    void cleanup() { setRepairFactoryProvider({}); }
    void cleanupTestCase() { QDir(repairOutputPath()).removeRecursively(); }

    void photoFromSelectionToSavedFileAndReport()
    {
        QTemporaryDir dir;
        const QString input = dir.filePath(QStringLiteral("photo.jpg"));
        QVERIFY(makeDamagedJpeg(input));
        const InputGuard guard(input);
        const QString saveFolder = dir.filePath(QStringLiteral("saved"));
        QVERIFY(QDir().mkpath(saveFolder));

        RepairWorkflowController c;
        QCOMPARE(state(c), WorkflowState::Idle);
        QCOMPARE(c.status(), QStringLiteral("请选择需要分析的文件"));
        QCOMPARE(c.inputSizeText(), QStringLiteral("0 B"));
        QVERIFY(!c.canAnalyze());
        const QString session = c.sessionDirectory();
        QVERIFY(QFileInfo(session).isDir());

        c.selectInput(QUrl::fromLocalFile(input));
        QCOMPARE(state(c), WorkflowState::FileSelected);
        QCOMPARE(c.status(), QStringLiteral("已选择 photo.jpg；原文件将保持只读"));
        QCOMPARE(c.inputName(), QStringLiteral("photo.jpg"));
        QVERIFY(c.canAnalyze());
        QVERIFY(!c.canRepair());

        // A repair out of order only says so.
        c.repair();
        QCOMPARE(state(c), WorkflowState::FileSelected);
        QCOMPARE(c.status(), QStringLiteral("请先完成分析，再启动修复"));

        QSignalSpy busySpy(&c, &RepairWorkflowController::busyChanged);
        c.analyze();
        QVERIFY(c.busy());
        QCOMPARE(state(c), WorkflowState::Analyzing);
        QVERIFY(!c.canAnalyze());
        QVERIFY(waitIdle(c));
        QCOMPARE(busySpy.count(), 2);
        QCOMPARE(state(c), WorkflowState::AnalysisCompleted);
        QCOMPARE(c.status(), QStringLiteral("分析完成，可以在私有缓存中尝试修复"));
        QCOMPARE(c.category(), QStringLiteral("图片"));
        QCOMPARE(c.repairability(), QStringLiteral("检测到可尝试修复的问题"));
        QVERIFY(!c.findings().isEmpty());
        const QVariantMap finding = c.findings().first().toMap();
        QCOMPARE(finding.value(QStringLiteral("severity")).metaType(), QMetaType::fromType<QString>());
        QCOMPARE(finding.value(QStringLiteral("message")).metaType(), QMetaType::fromType<QString>());
        QVERIFY(c.canRepair());
        // An analysis leaves no task folder behind.
        QVERIFY(c.taskDirectory().isEmpty());
        QCOMPARE(entries(session), QStringList{QStringLiteral(".session.lock")});

        c.repair();
        QCOMPARE(state(c), WorkflowState::Repairing);
        QVERIFY(waitIdle(c));
        QCOMPARE(state(c), WorkflowState::PreviewReady);
        QCOMPARE(c.status(), QStringLiteral("修复完成并通过独立验证；结果可预览但尚未保存"));
        QCOMPARE(c.progress(), 100);
        QVERIFY(c.formatValid());
        QVERIFY(c.hasUnsavedResult());
        QVERIFY(c.canSave());
        QCOMPARE(c.repairability(), QStringLiteral("检测到可尝试修复的问题"));
        QCOMPARE(c.outputName(), QStringLiteral("photo_repaired.jpg"));

        // Sealed in the task folder; the preview is a decrypted copy inside it.
        const QString task = c.taskDirectory();
        QVERIFY(task.startsWith(session + QLatin1Char('/')));
        QCOMPARE(c.outputPath(), QDir(task).filePath(QStringLiteral("result.drcache")));
        QVERIFY(!QFileInfo::exists(QDir(task).filePath(QStringLiteral("work"))));
        QVERIFY(c.previewAvailable());
        QCOMPARE(c.previewKind(), QStringLiteral("image"));
        const QString preview = c.previewUrl().toLocalFile();
        QVERIFY(preview.startsWith(QDir(task).filePath(QStringLiteral("preview")) + QLatin1Char('/')));
        QCOMPARE(readAll(preview), readAll(input).mid(300));
        QCOMPARE(c.outputSizeText(), formatByteSize(readAll(input).size() - 300));

        c.releasePreview();
        QCOMPARE(c.previewKind(), QStringLiteral("none"));
        QVERIFY(!QFileInfo::exists(preview));
        QVERIFY(c.hasUnsavedResult());
        QVERIFY(preparePreviewAndWait(c));
        QCOMPARE(c.previewUrl().toLocalFile(), preview);
        QCOMPARE(readAll(preview), readAll(input).mid(300));

        QVERIFY(saveAndWait(c, QUrl::fromLocalFile(saveFolder)));
        const QString saved = QDir(saveFolder).filePath(QStringLiteral("photo_repaired.jpg"));
        QCOMPARE(state(c), WorkflowState::Saved);
        QVERIFY(c.saved());
        QCOMPARE(c.status(), QStringLiteral("已安全保存：%1").arg(saved));
        QCOMPARE(c.outputPath(), saved);
        QCOMPARE(c.outputName(), QStringLiteral("photo_repaired.jpg"));
        QCOMPARE(c.previewUrl().toLocalFile(), saved);
        QVERIFY(!QFileInfo::exists(task));
        QVERIFY(c.taskDirectory().isEmpty());
        QCOMPARE(entries(saveFolder), QStringList{QStringLiteral("photo_repaired.jpg")});
        QVERIFY(!saveAndWait(c, QUrl::fromLocalFile(saveFolder))); // a second save is refused
        c.releasePreview();                                       // the saved file stays the preview
        QVERIFY(c.preparePreview());
        QCOMPARE(c.previewUrl().toLocalFile(), saved);
        {
            WORKFLOW_REQUIRE_TOOL("djpeg");
            const ToolRun decoded = runTool(QStringLiteral("djpeg"), {QStringLiteral("-outfile"), QStringLiteral("/dev/null"), saved});
            QVERIFY2(decoded.exitCode == 0 && decoded.output.isEmpty(), qPrintable(decoded.output));
        }

        // The report names the input by file name only, keys in order.
        QVERIFY(c.exportReport(QUrl::fromLocalFile(saveFolder)));
        const QString reportPath = QDir(saveFolder).filePath(QStringLiteral("photo_repair_report.json"));
        QCOMPARE(c.status(), QStringLiteral("已导出不含完整文件路径的修复报告：%1").arg(reportPath));
        const QByteArray reportBytes = readAll(reportPath);
        QVERIFY(!reportBytes.contains(dir.path().toUtf8()));
        const QJsonObject report = readJson(reportPath);
        QCOMPARE(report.keys(), (QStringList{"actions", "applicationVersion", "category", "createdAtUtc", "findings",
                                             "formatValid", "inputName", "inputSize", "previewKind", "repairability",
                                             "schemaVersion", "validation", "warnings", "workflowState"}));
        QCOMPARE(report.value("schemaVersion").toInt(), 1);
        QCOMPARE(report.value("workflowState").toString(), WorkflowState::Saved);
        QCOMPARE(report.value("inputName").toString(), QStringLiteral("photo.jpg"));
        QCOMPARE(report.value("inputSize").toInteger(), QFileInfo(input).size());
        QCOMPARE(report.value("applicationVersion").toString(), QStringLiteral("1.0.4.0"));
        QCOMPARE(report.value("category").toString(), QStringLiteral("图片"));
        QCOMPARE(report.value("previewKind").toString(), QStringLiteral("image"));
        QVERIFY(report.value("formatValid").toBool());
        QVERIFY(QRegularExpression(QStringLiteral("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\dZ$"))
                    .match(report.value("createdAtUtc").toString()).hasMatch());
        const QJsonObject reportedFinding = report.value("findings").toArray().first().toObject();
        QCOMPARE(reportedFinding.keys(), (QStringList{"message", "repairable", "severity", "severityCode", "subject", "technicalMessage"}));
        QVERIFY(!report.value("actions").toArray().isEmpty());
        QCOMPARE(report.value("actions").toArray().first().toObject().keys(), (QStringList{"message", "name"}));
        QVERIFY(c.exportReport(QUrl::fromLocalFile(saveFolder)));
        QVERIFY(QFileInfo::exists(QDir(saveFolder).filePath(QStringLiteral("photo_repair_report (2).json"))));
        QVERIFY(!c.exportReport(QUrl::fromLocalFile(dir.filePath(QStringLiteral("nowhere")))));
        QCOMPARE(c.status(), QStringLiteral("报告目录不存在"));

        // A second repair of the same photo into the same folder takes the next free name.
        QVERIFY(repairToPreview(c, input));
        QVERIFY(saveAndWait(c, QUrl::fromLocalFile(saveFolder)));
        QCOMPARE(c.outputPath(), QDir(saveFolder).filePath(QStringLiteral("photo_repaired (2).jpg")));
        QCOMPARE(readAll(QDir(saveFolder).filePath(QStringLiteral("photo_repaired (2).jpg"))), readAll(saved));

        c.reset();
        QCOMPARE(state(c), WorkflowState::Idle);
        QVERIFY(c.inputPath().isEmpty());
        QVERIFY(c.findings().isEmpty());
        QCOMPARE(c.status(), QStringLiteral("请选择需要分析的文件"));
        QVERIFY(!c.exportReport(QUrl::fromLocalFile(saveFolder)));
        QVERIFY(guard.unchanged());
    }

    void documentsAndAudioRepairAndPassAnIndependentCheck_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("previewKind");
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QStringList>("checkArguments");
        QTest::newRow("pdf") << "scan.pdf" << "文档" << "pdf" << "qpdf" << QStringList{"--check"};
        QTest::newRow("docx") << "letter.docx" << "文档" << "office" << "unzip" << QStringList{"-tq"};
        QTest::newRow("wav") << "voice.wav" << "音频" << "audio" << "ffprobe" << QStringList{"-v", "error"};
    }
    void documentsAndAudioRepairAndPassAnIndependentCheck()
    {
        QFETCH(QString, name);
        QFETCH(QString, category);
        QFETCH(QString, previewKind);
        QFETCH(QString, tool);
        QFETCH(QStringList, checkArguments);
        QTemporaryDir dir;
        const QString input = dir.filePath(name);
        const QString suffix = QFileInfo(name).suffix();
        QVERIFY(suffix == "pdf" ? makeDamagedPdf(input) : suffix == "docx" ? makeDamagedDocx(input) : makeDamagedWav(input));
        const InputGuard guard(input);

        RepairWorkflowController c;
        c.selectInput(QUrl::fromLocalFile(input));
        c.analyze();
        QVERIFY(waitIdle(c));
        if (engineMissing(c))
            QSKIP(qPrintable(QStringLiteral("the %1 engine is not in this build yet: %2").arg(category, c.status())));
        QCOMPARE(c.category(), category);
        QVERIFY2(state(c) == WorkflowState::AnalysisCompleted, qPrintable(c.status()));
        c.repair();
        QVERIFY(waitIdle(c));
        QVERIFY2(state(c) == WorkflowState::PreviewReady, qPrintable(c.status()));
        QVERIFY(c.formatValid());
        QCOMPARE(c.previewKind(), previewKind);
        QVERIFY(saveAndWait(c, QUrl::fromLocalFile(dir.path())));
        const QString saved = dir.filePath(QFileInfo(name).completeBaseName() + QStringLiteral("_repaired.") + suffix);
        QCOMPARE(c.outputPath(), saved);
        QVERIFY(guard.unchanged());

        WORKFLOW_REQUIRE_TOOL(tool);
        const ToolRun check = runTool(tool, checkArguments + QStringList{saved});
        QVERIFY2(check.exitCode == 0, qPrintable(check.output));
        if (tool == QLatin1String("ffprobe"))
            QVERIFY2(check.output.trimmed().isEmpty(), qPrintable(check.output));
    }

    void videoWithoutIndexNeedsASampleAndPlaysWithIt_data()
    {
        QTest::addColumn<bool>("overwritten");
        QTest::newRow("moov lost at the end") << false;
        QTest::newRow("moov overwritten") << true;
    }
    void videoWithoutIndexNeedsASampleAndPlaysWithIt()
    {
        QFETCH(bool, overwritten);
        WORKFLOW_REQUIRE_TOOL("ffmpeg");
        QTemporaryDir dir;
        const QString input = dir.filePath(QStringLiteral("clip.mp4"));
        const QString sample = dir.filePath(QStringLiteral("sample.mp4"));
        QVERIFY(makeMp4WithoutIndex(input, overwritten));
        // Same device settings, another scene and length: its index cannot simply be borrowed.
        QVERIFY(makeClip(sample, QStringLiteral("testsrc2=d=3:s=160x120:r=25")));
        const InputGuard inputGuard(input);
        const InputGuard sampleGuard(sample);

        RepairWorkflowController c;
        QSignalSpy sampleRequiredSpy(&c, &RepairWorkflowController::sampleRequiredChanged);
        c.selectInput(QUrl::fromLocalFile(input));
        c.analyze();
        QVERIFY(waitIdle(c));
        QCOMPARE(state(c), WorkflowState::AnalysisCompleted);
        QCOMPARE(c.category(), QStringLiteral("视频"));
        // The analysis itself tells that only a sample can mend it, before any quick repair fails.
        QVERIFY(c.sampleRequired());
        QCOMPARE(sampleRequiredSpy.count(), 1);
        QCOMPARE(c.status(), QStringLiteral("文件关键头部已缺失，请进入高级修复并选择兼容的正常样本"));
        QCOMPARE(c.repairability(), QStringLiteral("未确认存在可自动修复的问题"));
        // Choosing a file again forgets it until that file is analysed.
        c.selectInput(QUrl::fromLocalFile(input));
        QVERIFY(!c.sampleRequired());
        QCOMPARE(sampleRequiredSpy.count(), 2);
        c.analyze();
        QVERIFY(waitIdle(c));
        QVERIFY(c.sampleRequired());
        bool indexFinding = false;
        for (const QVariant& finding : c.findings()) {
            const QVariantMap entry = finding.toMap();
            if (entry.value(QStringLiteral("technicalMessage")).toString().contains(QLatin1String("moov"))) {
                indexFinding = true;
                QVERIFY(!entry.value(QStringLiteral("repairable")).toBool()); // not without a sample
            }
        }
        QVERIFY(indexFinding);

        // The quick repair fails plainly instead of showing an unplayable file as repaired; the
        // failed state is where the page offers the advanced repair.
        c.repair(QStringLiteral("quick"));
        QVERIFY(waitIdle(c));
        QCOMPARE(state(c), WorkflowState::Failed);
        QCOMPARE(c.status(), QStringLiteral("文件缺少播放所需的索引（moov），需要同一设备录制的正常样本；请进入高级修复并选择样本"));
        QVERIFY(c.outputPath().isEmpty());
        QVERIFY(!c.canSave());

        c.selectSample(QUrl::fromLocalFile(input));
        QCOMPARE(c.status(), QStringLiteral("样本文件不能与待修复文件相同"));
        QVERIFY(c.samplePath().isEmpty());
        c.selectSample(QUrl::fromLocalFile(dir.filePath(QStringLiteral("missing.mp4"))));
        QCOMPARE(c.status(), QStringLiteral("所选样本文件不存在或不是普通文件"));
        c.selectSample(QUrl::fromLocalFile(sample));
        QCOMPARE(c.samplePath(), sample);
        QCOMPARE(state(c), WorkflowState::Analyzing);
        QVERIFY(waitIdle(c));
        QCOMPARE(state(c), WorkflowState::AnalysisCompleted);
        QVERIFY(!c.sampleRequired()); // the analysis with the sample can rebuild the index

        c.repair(QStringLiteral("advanced"));
        QVERIFY(waitIdle(c));
        QVERIFY2(state(c) == WorkflowState::PreviewReady, qPrintable(c.status()));
        QCOMPARE(c.previewKind(), QStringLiteral("video"));
        const QStringList actionNames = [&] {
            QStringList names;
            for (const QVariant& action : c.actions())
                names.append(action.toMap().value(QStringLiteral("name")).toString());
            return names;
        }();
        QVERIFY2(actionNames.contains(QStringLiteral("rebuild-sample-tables")), qPrintable(actionNames.join(',')));

        // Discarding keeps the analysis; the advanced repair can run again.
        const QString task = c.taskDirectory();
        QVERIFY(!task.isEmpty());
        c.discardUnsavedResult();
        QCOMPARE(state(c), WorkflowState::AnalysisCompleted);
        QCOMPARE(c.status(), QStringLiteral("已丢弃未保存结果，可以重新选择修复方式"));
        QVERIFY(c.outputPath().isEmpty());
        QVERIFY(!c.findings().isEmpty());
        QVERIFY(c.canRepair());
        // The task left its place at once; its files go in the background.
        QVERIFY(!QFileInfo::exists(task));
        waitForDiscardedCacheEntries();
        QCOMPARE(entries(c.sessionDirectory()), QStringList{QStringLiteral(".session.lock")});
        c.repair(QStringLiteral("advanced"));
        QVERIFY(waitIdle(c));
        QVERIFY2(state(c) == WorkflowState::PreviewReady, qPrintable(c.status()));

        QVERIFY(saveAndWait(c, QUrl::fromLocalFile(dir.path())));
        const ToolRun probe = runTool(QStringLiteral("ffprobe"), {"-v", "error", "-show_entries", "stream=codec_type",
                                                                  "-of", "csv=p=0", c.outputPath()});
        QCOMPARE(probe.exitCode, 0);
        QCOMPARE(probe.output.trimmed(), QStringLiteral("video"));
        const ToolRun frames = runTool(QStringLiteral("ffprobe"),
                                       {"-v", "error", "-select_streams", "v:0", "-count_frames", "-show_entries",
                                        "stream=nb_read_frames", "-of", "csv=p=0", c.outputPath()});
        QCOMPARE(frames.exitCode, 0);
        QVERIFY2(frames.output.trimmed().toInt() >= 45, qPrintable(frames.output)); // of 50 recorded

        // Removing the sample while "Failed" starts nothing.
        c.selectInput(QUrl::fromLocalFile(dir.path())); // a folder
        QCOMPARE(state(c), WorkflowState::Failed);
        c.selectSample(QUrl::fromLocalFile(sample));
        QVERIFY(waitIdle(c)); // "Failed" with an input re-analyses
        c.selectInput(QUrl::fromLocalFile(dir.filePath(QStringLiteral("missing"))));
        QCOMPARE(state(c), WorkflowState::Failed);
        c.clearSample();
        QVERIFY(!c.busy());
        QVERIFY(c.samplePath().isEmpty());
        QCOMPARE(c.status(), QStringLiteral("已移除样本文件"));
        QVERIFY(inputGuard.unchanged());
        QVERIFY(sampleGuard.unchanged());
    }

    void cancelMidJobKeepsItsFeedbackAndLeavesNothing()
    {
        QTemporaryDir dir;
        const QString input = dir.filePath(QStringLiteral("doc.pdf"));
        QVERIFY(makeDamagedPdf(input));
        const InputGuard guard(input);
        std::atomic<bool> engineSawCancel{false};
        scriptEngine([&](const data_repair::RepairRequest&, data_repair::IProgress* sink, bool) {
                data_repair::reportProgress(sink, data_repair::Document, "scan", "", 3, 0);   // unknown total
                data_repair::reportProgress(sink, data_repair::Document, "scan", "", 25, 10); // past the total
                while (!sink->isCancelled()) {
                    data_repair::reportProgress(sink, data_repair::Document, "scan", "", 5, 10);
                    QThread::msleep(5);
                }
                engineSawCancel = true;
                data_repair::RepairResult result;
                result.status = data_repair::RepairStatus::failure(data_repair::kStatusCancelled, "cancelled");
                return result;
            });

        RepairWorkflowController c;
        c.selectInput(QUrl::fromLocalFile(input));
        c.cancel(); // idle: nothing
        QCOMPARE(c.status(), QStringLiteral("已选择 doc.pdf；原文件将保持只读"));
        QSignalSpy progress(&c, &RepairWorkflowController::progressChanged);
        c.analyze();
        QTRY_VERIFY_WITH_TIMEOUT(progress.count() >= 2, 20000);
        QTRY_COMPARE_WITH_TIMEOUT(c.progress(), 50, 20000);
        c.cancel();
        QCOMPARE(c.status(), QStringLiteral("正在安全取消…"));
        // Progress posted before the engine saw the flag does not bring back the working text.
        c.applyProgress(42);
        QCOMPARE(c.progress(), 42);
        QCOMPARE(c.status(), QStringLiteral("正在安全取消…"));
        QCOMPARE(state(c), WorkflowState::Analyzing);
        QVERIFY(waitIdle(c));
        QVERIFY(engineSawCancel);
        QCOMPARE(state(c), WorkflowState::Cancelled);
        QCOMPARE(c.status(), QStringLiteral("任务已取消，原文件未被修改"));
        // The task folder's files go in the background.
        waitForDiscardedCacheEntries();
        QCOMPARE(entries(c.sessionDirectory()), QStringList{QStringLiteral(".session.lock")});
        QVERIFY(c.canAnalyze());
        QVERIFY(c.exportReport(QUrl::fromLocalFile(dir.path())));
        QCOMPARE(readJson(dir.filePath(QStringLiteral("doc_repair_report.json"))).value("workflowState").toString(),
                 WorkflowState::Cancelled);
        QVERIFY(guard.unchanged());
    }

    void failedVerdictsEndInFailedAndReportWhatTheJobFound()
    {
        QTemporaryDir dir;
        const QString input = dir.filePath(QStringLiteral("scan.pdf"));
        QVERIFY(makeDamagedPdf(input));
        const InputGuard guard(input);
        scriptEngine([](const data_repair::RepairRequest& request, data_repair::IProgress*, bool analyze) {
                data_repair::RepairResult result;
                if (analyze)
                    result.status = data_repair::RepairStatus::success();
                else
                    result = writtenOutput(request, QStringLiteral("scan_repaired.pdf"), "%PDF-1.4 but cut");
                result.addFinding(data_repair::IndexDamaged, data_repair::Warning, "xref table is damaged", 0, 0, true, 0.5);
                result.notes.push_back("rebuilt from objects");
                return result;
            });
        RepairWorkflowController c;
        QVERIFY(!repairToPreview(c, input));
        QCOMPARE(state(c), WorkflowState::Failed);
        QCOMPARE(c.status(), QStringLiteral("核心生成了输出，但独立格式验证未通过"));
        QVERIFY(!c.formatValid());
        QVERIFY(!c.validationMessage().isEmpty());
        QVERIFY(!QFileInfo::exists(c.outputPath())); // the plain output went with the task folder
        QVERIFY(c.taskDirectory().isEmpty());
        waitForDiscardedCacheEntries();
        QCOMPARE(entries(c.sessionDirectory()), QStringList{QStringLiteral(".session.lock")});
        QVERIFY(c.canAnalyze());
        QVERIFY(c.exportReport(QUrl::fromLocalFile(dir.path())));
        const QJsonObject report = readJson(dir.filePath(QStringLiteral("scan_repair_report.json")));
        QCOMPARE(report.value("workflowState").toString(), WorkflowState::Failed);
        QCOMPARE(report.value("findings").toArray().size(), 1);
        QCOMPARE(report.value("findings").toArray().first().toObject().value("severity").toString(), QStringLiteral("警告"));
        QCOMPARE(report.value("warnings").toArray(), QJsonArray{QStringLiteral("修复引擎对输出附有一条说明，请在使用前检查结果")});

        // An engine failure without a text reads "操作失败".
        scriptEngine([](const data_repair::RepairRequest&, data_repair::IProgress*, bool) {
                return data_repair::RepairResult();
        });
        c.analyze();
        QVERIFY(waitIdle(c));
        QCOMPARE(state(c), WorkflowState::Failed);
        QCOMPARE(c.status(), QStringLiteral("操作失败"));
        QCOMPARE(c.repairability(), QStringLiteral("未确认存在可自动修复的问题"));
        QVERIFY(guard.unchanged());
    }

    void unsavedResultSurvivesWrongSelectionsAndCacheFolders()
    {
        QTemporaryDir dir;
        const QString input = dir.filePath(QStringLiteral("photo.jpg"));
        QVERIFY(makeDamagedJpeg(input));
        const InputGuard guard(input);
        RepairWorkflowController c;
        QVERIFY2(repairToPreview(c, input), qPrintable(c.status()));
        const QString result = c.outputPath();
        const QString task = c.taskDirectory();

        // A folder dropped on a waiting result: only the status says no; the result stays saveable.
        c.selectInput(QUrl::fromLocalFile(dir.path()));
        QCOMPARE(c.status(), QStringLiteral("所选文件不存在或不是普通文件"));
        QCOMPARE(state(c), WorkflowState::PreviewReady);
        QVERIFY(c.canSave());
        QCOMPARE(c.inputPath(), input);
        QCOMPARE(c.outputPath(), result);
        c.selectInput(QUrl(QStringLiteral("https://example.com/photo.jpg")));
        QCOMPARE(state(c), WorkflowState::PreviewReady);

        // Saving into the cache would lose the file with the task or at the next sweep.
        const QString previewFolder = QDir(task).filePath(QStringLiteral("preview"));
        for (const QString& folder : {previewFolder, task, c.sessionDirectory(), repairOutputPath(),
                                      dir.filePath(QStringLiteral("missing"))}) {
            QVERIFY2(!saveAndWait(c, QUrl::fromLocalFile(folder)), qPrintable(folder));
            QCOMPARE(c.status(), QStringLiteral("目标目录不存在或不可写"));
        }
        QVERIFY(QFile::link(previewFolder, dir.filePath(QStringLiteral("into-cache"))));
        QVERIFY(!saveAndWait(c, QUrl::fromLocalFile(dir.filePath(QStringLiteral("into-cache")))));
        QCOMPARE(state(c), WorkflowState::PreviewReady);
        QVERIFY(QFileInfo::exists(result));

        // A file that already carries the name is kept; the result takes the next one.
        const QString out = dir.filePath(QStringLiteral("out"));
        QVERIFY(QDir().mkpath(out));
        QVERIFY(writeAll(QDir(out).filePath(QStringLiteral("photo_repaired.jpg")), "somebody else's"));
        QVERIFY(saveAndWait(c, QUrl::fromLocalFile(out)));
        QCOMPARE(c.outputPath(), QDir(out).filePath(QStringLiteral("photo_repaired (2).jpg")));
        QCOMPARE(readAll(QDir(out).filePath(QStringLiteral("photo_repaired.jpg"))), QByteArray("somebody else's"));
        QCOMPARE(entries(out), (QStringList{QStringLiteral("photo_repaired (2).jpg"), QStringLiteral("photo_repaired.jpg")}));

        // A new valid input drops an unsaved result with its task folder.
        QVERIFY(repairToPreview(c, input));
        const QString secondTask = c.taskDirectory();
        c.selectInput(QUrl::fromLocalFile(input));
        QCOMPARE(state(c), WorkflowState::FileSelected);
        QVERIFY(!QFileInfo::exists(secondTask));
        QVERIFY(c.outputPath().isEmpty());
        QCOMPARE(c.previewKind(), QStringLiteral("none"));
        QVERIFY(guard.unchanged());
    }

    // A name whose bytes are not UTF-8 cannot be opened under the name the window gets: the user
    // is told to rename it, not that the file is missing.
    void nameThatIsNotUtf8IsExplained()
    {
        QTemporaryDir dir;
        const QByteArray folder = QFile::encodeName(dir.path());
        const QByteArray name = QByteArray("bad\xff\xfename.pdf");
        const QByteArray raw = folder + '/' + name;
        const int fd = ::open(raw.constData(), O_WRONLY | O_CREAT | O_EXCL, 0600);
        QVERIFY(fd >= 0);
        QVERIFY(::write(fd, "%PDF-1.4\n", 9) == 9);
        ::close(fd);
        const QString unreadable = QStringLiteral("所选文件的名称包含无法识别的字符；请重命名文件后再试");

        RepairWorkflowController c;
        // As a drop delivers it (the bytes percent-encoded) and as a file dialog's listing does.
        c.selectInput(QUrl::fromEncoded("file://" + folder.toPercentEncoding("/") + '/' + name.toPercentEncoding()));
        QCOMPARE(c.status(), unreadable);
        QCOMPARE(c.state(), WorkflowState::Failed);
        c.selectInput(QUrl::fromLocalFile(QFile::decodeName(raw)));
        QCOMPARE(c.status(), unreadable);

        // A missing file keeps its own text, and so does a sample with an unreadable name.
        c.selectInput(QUrl::fromLocalFile(dir.filePath(QStringLiteral("gone.pdf"))));
        QCOMPARE(c.status(), QStringLiteral("所选文件不存在或不是普通文件"));
        c.selectSample(QUrl::fromLocalFile(QFile::decodeName(raw)));
        QCOMPARE(c.status(), QStringLiteral("所选样本文件的名称包含无法识别的字符；请重命名文件后再试"));
        ::unlink(raw.constData()); // the temporary folder's clean-up lists names as text and would miss it
    }

    void textsFollowTheLanguage()
    {
        QTemporaryDir dir;
        const QString input = dir.filePath(QStringLiteral("photo.jpg"));
        QVERIFY(makeDamagedJpeg(input));
        RepairWorkflowController c;
        c.selectInput(QUrl::fromLocalFile(input));
        c.analyze();
        QVERIFY(waitIdle(c));
        QCOMPARE(c.findings().first().toMap().value(QStringLiteral("severity")).toString().isEmpty(), false);

        QStringList order;
        connect(&c, &RepairWorkflowController::resultChanged, this, [&] { order << "result"; });
        connect(&c, &RepairWorkflowController::statusChanged, this, [&] { order << "status"; });
        connect(&c, &RepairWorkflowController::inputChanged, this, [&] { order << "input"; });
        QTranslator english;
        QVERIFY(english.load(QStringLiteral(":/i18n/korvex_file_repair_en_US.qm")));
        QVERIFY(QCoreApplication::installTranslator(&english));
        QCOMPARE(order, (QStringList{"result", "status", "input"}));
        QCOMPARE(c.status(), QStringLiteral("Analysis complete; you can try the repair in the private cache"));
        QCOMPARE(c.category(), QStringLiteral("Image"));
        const QString severity = c.findings().first().toMap().value(QStringLiteral("severity")).toString();
        QVERIFY2(QStringList({"Warning", "Error", "Information"}).contains(severity), qPrintable(severity));
        QCoreApplication::removeTranslator(&english);
        QCOMPARE(c.category(), QStringLiteral("图片"));
    }

    void sessionLockKeepsAnotherInstancesSession()
    {
        const QString root = repairOutputPath();
        QVERIFY(QDir().mkpath(root));
        // Left behind by a crash: a session with an unheld lock, one without a lock, a bare task
        // folder; and a folder of another name that the cache never touches.
        const QString crashed = QDir(root).filePath(QStringLiteral("session-11111111-2222-3333-4444-555555555555"));
        const QString lockless = QDir(root).filePath(QStringLiteral("session-aaaaaaaa-2222-3333-4444-555555555555"));
        const QString bare = QDir(root).filePath(QStringLiteral("bbbbbbbb-2222-3333-4444-555555555555"));
        const QString keep = QDir(root).filePath(QStringLiteral("keep-me"));
        for (const QString& folder : {crashed, lockless, bare, keep})
            QVERIFY(QDir().mkpath(folder));
        QVERIFY(writeAll(QDir(crashed).filePath(QStringLiteral(".session.lock")), "999999\nghost\nnowhere\n"));
        for (const QString& path : {QDir(crashed).filePath(QStringLiteral(".session.lock")), crashed, lockless, bare, keep})
            age(path);

        auto first = std::make_unique<RepairWorkflowController>();
        const QString firstSession = first->sessionDirectory();
        QVERIFY(QFileInfo(firstSession).isDir());
        QVERIFY(!QFileInfo::exists(crashed));
        QVERIFY(!QFileInfo::exists(lockless));
        QVERIFY(!QFileInfo::exists(bare));
        QVERIFY(QFileInfo::exists(keep));

        // Old enough that only its held lock protects it from the second instance's sweep.
        age(QDir(firstSession).filePath(QStringLiteral(".session.lock")));
        age(firstSession);
        RepairWorkflowController second;
        QVERIFY(QFileInfo(second.sessionDirectory()).isDir());
        QVERIFY(second.sessionDirectory() != firstSession);
        QVERIFY(QFileInfo(firstSession).isDir());

        first.reset();
        QVERIFY(!QFileInfo::exists(firstSession));
        QVERIFY(QFileInfo(second.sessionDirectory()).isDir());
        QVERIFY(QFileInfo::exists(keep));
        QDir(keep).removeRecursively();
    }
};

QTEST_GUILESS_MAIN(RepairWorkflowControllerTest)
#include "repair_workflow_controller_test.moc"
