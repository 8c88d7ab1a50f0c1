// The repair job's own pieces: progress, private copies, free names, the JSON writer, and the
// job's road where a scripted engine shows what the job hands it and what it makes of the answer.

#include <QBuffer>
#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <limits>

#include "app/output_validation_service.h"
#include "app/progress_bridge.h"
#include "app/repair_job.h"
#include "app/repair_workflow_controller.h"
#include "app/result_saving.h"
#include "repair_workflow_fixtures.h"

using namespace olm::repair;
using namespace workflow_fixtures;

namespace {

// A device that claims more is coming but yields nothing, without reporting an error.
class StalledDevice : public QIODevice {
public:
    explicit StalledDevice(QByteArray head) : head_(std::move(head)) { open(QIODevice::ReadOnly); }
    bool isSequential() const override { return true; }
    bool atEnd() const override { return false; }

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        const qint64 n = qMin<qint64>(maxSize, head_.size());
        memcpy(data, head_.constData(), static_cast<size_t>(n));
        head_.remove(0, n);
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray head_;
};

QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace

class RepairWorkflowJobTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void cleanup() { setRepairFactoryProvider({}); }
    void cleanupTestCase() { QDir(repairOutputPath()).removeRecursively(); }

    void progressPercentNeverWraps_data()
    {
        QTest::addColumn<quint64>("current");
        QTest::addColumn<quint64>("total");
        QTest::addColumn<int>("percent");
        const quint64 max = std::numeric_limits<quint64>::max();
        QTest::newRow("unknown total") << quint64(5) << quint64(0) << 0;
        QTest::newRow("start") << quint64(0) << quint64(10) << 0;
        QTest::newRow("half") << quint64(5) << quint64(10) << 50;
        QTest::newRow("truncated") << quint64(2) << quint64(3) << 66;
        QTest::newRow("done") << quint64(10) << quint64(10) << 100;
        QTest::newRow("current above total") << quint64(25) << quint64(10) << 100;
        // current x 100 overflows 64 bits; a plain computation would wrap to a small number.
        QTest::newRow("huge above total") << max << quint64(3) << 100;
        QTest::newRow("huge half") << max / 2 << max << 49;
        QTest::newRow("huge almost done") << max - 1 << max << 99;
    }
    void progressPercentNeverWraps()
    {
        QFETCH(quint64, current);
        QFETCH(quint64, total);
        QFETCH(int, percent);
        QCOMPARE(progressPercent(current, total), percent);
    }

    void privateCopyNeedsTheWholeMeasuredSource()
    {
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("input.bin"));

        QByteArray bytes(3 * 1048576 + 17, '\0');
        for (qsizetype i = 0; i < bytes.size(); ++i)
            bytes[i] = static_cast<char>(i * 7);
        QBuffer whole(&bytes);
        whole.open(QIODevice::ReadOnly);
        QVERIFY(copyDeviceToPrivateWorkingCopy(whole, bytes.size(), target));
        QCOMPARE(readAll(target), bytes);

        // The source shrank after its size was measured: no short copy under the final name.
        QFile::remove(target);
        QByteArray shorter = bytes.left(1048576 + 5);
        QBuffer shrunk(&shorter);
        shrunk.open(QIODevice::ReadOnly);
        QVERIFY(!copyDeviceToPrivateWorkingCopy(shrunk, bytes.size(), target));
        QVERIFY(!QFileInfo::exists(target));

        // A device that reads nothing without an error and never says it ended: no endless loop.
        StalledDevice stalled(QByteArray(100, 'x'));
        QVERIFY(!copyDeviceToPrivateWorkingCopy(stalled, 1000, target));
        QVERIFY(!QFileInfo::exists(target));
        QCOMPARE(entries(dir.path()), QStringList());

        // An empty file gives an empty copy.
        const QString empty = dir.filePath(QStringLiteral("empty"));
        QVERIFY(writeAll(empty, QByteArray()));
        QVERIFY(copyToPrivateWorkingCopy(empty, target));
        QVERIFY(QFileInfo(target).isFile());
        QCOMPARE(QFileInfo(target).size(), 0);
        QVERIFY(!copyToPrivateWorkingCopy(dir.filePath(QStringLiteral("missing")), dir.filePath(QStringLiteral("x"))));
    }

    void workingCopyRules()
    {
        QVERIFY(!needsPrivateWorkingCopy(QString()));
        QVERIFY(!needsPrivateWorkingCopy(QStringLiteral("/tmp/") + QString(234, QLatin1Char('a')))); // 239 units
        QVERIFY(needsPrivateWorkingCopy(QStringLiteral("/tmp/") + QString(235, QLatin1Char('a'))));  // 240 units
        QVERIFY(needsPrivateWorkingCopy(QStringLiteral("/tmp/照片.jpg")));
        QVERIFY(needsPrivateWorkingCopy(QStringLiteral("/tmp/caf\u00e9.pdf")));
        QCOMPARE(privateCopyPath(QStringLiteral("/w"), QStringLiteral("input"), QStringLiteral("/a/b.c/clip.part1.MOV")),
                 QStringLiteral("/w/input.MOV"));
        QCOMPARE(privateCopyPath(QStringLiteral("/w"), QStringLiteral("sample"), QStringLiteral("/a.b/noext")),
                 QStringLiteral("/w/sample"));
        QVERIFY(isImageSuffix(QStringLiteral("x/IMG.JPEG")));
        QVERIFY(isImageSuffix(QStringLiteral("a.webp")));
        QVERIFY(!isImageSuffix(QStringLiteral("a.cr2")));
        QVERIFY(!isImageSuffix(QStringLiteral("jpg")));
    }

    void freeNamesNeverReplaceAFile()
    {
        QTemporaryDir dir;
        QCOMPARE(uniqueOutputPath(dir.path(), QStringLiteral("photo_repaired.jpg")), dir.filePath(QStringLiteral("photo_repaired.jpg")));
        QVERIFY(writeAll(dir.filePath(QStringLiteral("photo_repaired.jpg")), "first"));
        QCOMPARE(uniqueOutputPath(dir.path(), QStringLiteral("photo_repaired.jpg")), dir.filePath(QStringLiteral("photo_repaired (2).jpg")));
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("nowhere")), dir.filePath(QStringLiteral("photo_repaired (2).jpg"))));
        QCOMPARE(uniqueOutputPath(dir.path(), QStringLiteral("photo_repaired.jpg")), dir.filePath(QStringLiteral("photo_repaired (3).jpg")));
        QCOMPARE(uniqueOutputPath(dir.path(), QStringLiteral("scan_repaired")), dir.filePath(QStringLiteral("scan_repaired")));
        QVERIFY(writeAll(dir.filePath(QStringLiteral("scan_repaired")), "x"));
        QCOMPARE(uniqueOutputPath(dir.path(), QStringLiteral("scan_repaired")), dir.filePath(QStringLiteral("scan_repaired (2)")));

        // The move skips taken names (a file, a dangling link) and leaves them as they were.
        const QString partial = dir.filePath(QStringLiteral(".partial"));
        QVERIFY(writeAll(partial, "result"));
        const QString moved = moveToFreeOutputPath(partial, dir.path(), QStringLiteral("photo_repaired.jpg"));
        QCOMPARE(moved, dir.filePath(QStringLiteral("photo_repaired (3).jpg")));
        QCOMPARE(readAll(moved), QByteArray("result"));
        QVERIFY(!QFileInfo::exists(partial));
        QCOMPARE(readAll(dir.filePath(QStringLiteral("photo_repaired.jpg"))), QByteArray("first"));
        QVERIFY(QFileInfo(dir.filePath(QStringLiteral("photo_repaired (2).jpg"))).isSymLink());

        // A missing source fails without creating anything.
        QVERIFY(moveToFreeOutputPath(partial, dir.path(), QStringLiteral("other.jpg")).isEmpty());
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("other.jpg"))));
    }

    void jsonFileIsWholeOrAbsent()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("r.json"));
        QVariantMap map{{QStringLiteral("b"), 1}, {QStringLiteral("a"), QStringLiteral("x")}};
        QVERIFY(writeJsonFile(path, map));
        const QByteArray bytes = readAll(path);
        QVERIFY(bytes.indexOf("\"a\"") < bytes.indexOf("\"b\""));
        QVERIFY(bytes.contains("\n    \"a\""));
        QString error;
        QVERIFY(!writeJsonFile(dir.filePath(QStringLiteral("missing/r.json")), map, &error));
        QVERIFY(!error.isEmpty());
    }

    void uiTextsResolveAtAnyDepth()
    {
        QVariantMap inner{{QStringLiteral("t"), QVariant::fromValue(UiText(QStringLiteral("deep")))},
                          {QStringLiteral("n"), 3}};
        const QVariant resolved = resolveUiTextVariant(QVariantList{QVariant::fromValue(UiText(QStringLiteral("top"))),
                                                                    QVariantList{inner}});
        const QVariantList list = resolved.toList();
        QCOMPARE(list.at(0).metaType(), QMetaType::fromType<QString>());
        QCOMPARE(list.at(0).toString(), QStringLiteral("top"));
        const QVariantMap map = list.at(1).toList().at(0).toMap();
        QCOMPARE(map.value(QStringLiteral("t")).metaType(), QMetaType::fromType<QString>());
        QCOMPARE(map.value(QStringLiteral("t")).toString(), QStringLiteral("deep"));
        QCOMPARE(map.value(QStringLiteral("n")).toInt(), 3);
    }

    void wavRuleNeedsAWholeHeader()
    {
        QTemporaryDir dir;
        for (const QByteArray& bytes : {QByteArray("RIFF"), QByteArray("RIFF\x10\0\0\0WA", 10)}) {
            const QString path = dir.filePath(QStringLiteral("short.wav"));
            QVERIFY(writeAll(path, bytes));
            QVERIFY(!OutputValidationService::validateOutput(path).valid);
        }
    }

    void jobRefusesBeforeMakingAnyFolder()
    {
        QTemporaryDir dir;
        RepairWorkflowController controller;
        const QString session = controller.sessionDirectory();
        QVERIFY(!session.isEmpty());

        // A plain ZIP archive and a file of no known kind: refused, category set, no task folder.
        const QString archive = dir.filePath(QStringLiteral("bundle.zip"));
        QVERIFY(writeAll(archive, QByteArray("PK\x03\x04", 4) + QByteArray(60, '\0')));
        auto result = runRepairOperation(&controller, archive, QString(), session, true, QStringLiteral("analyze"));
        QVERIFY(!result.ok);
        QCOMPARE(result.error.toString(), QStringLiteral("该文件格式尚未列入首发修复白名单"));
        QCOMPARE(result.category.toString(), QStringLiteral("压缩容器"));
        QVERIFY(result.taskDirectory.isEmpty());
        const QString unknown = dir.filePath(QStringLiteral("notes.xyz"));
        QVERIFY(writeAll(unknown, "plain words"));
        result = runRepairOperation(&controller, unknown, QString(), session, false, QStringLiteral("quick"));
        QCOMPARE(result.category.toString(), QStringLiteral("未知"));
        QCOMPARE(entries(session), QStringList{QStringLiteral(".session.lock")});

        // No session folder, and an unreadable input.
        const QString pdf = dir.filePath(QStringLiteral("doc.pdf"));
        QVERIFY(makeDamagedPdf(pdf));
        result = runRepairOperation(&controller, pdf, QString(), QString(), true, QStringLiteral("analyze"));
        QCOMPARE(result.error.toString(), QStringLiteral("系统未提供可写的应用缓存目录"));
        // The failure names the file's own error, not a fixed text.
        result = runRepairOperation(&controller, dir.filePath(QStringLiteral("gone.pdf")), QString(), session, true,
                                    QStringLiteral("analyze"));
        QCOMPARE(result.error.toString(), QStringLiteral("无法读取输入文件：No such file or directory"));

        // An empty file reads without error; its kind follows from its extension.
        const QString empty = dir.filePath(QStringLiteral("empty.pdf"));
        QVERIFY(writeAll(empty, QByteArray()));
        result = runRepairOperation(&controller, empty, QString(), session, true, QStringLiteral("analyze"));
        QCOMPARE(result.category.toString(), QStringLiteral("文档"));
        QVERIFY(!result.taskDirectory.isEmpty());
    }

    void jobWorksOnPrivateCopiesAndSealsOnlyTheResult()
    {
        QTemporaryDir dir;
        RepairWorkflowController controller;
        // Non-ASCII names: the engine gets private copies inside the task's "work" folder.
        const QString input = dir.filePath(QStringLiteral("相片.jpg"));
        const QString sample = dir.filePath(QStringLiteral("样本.jpg"));
        QVERIFY(makeDamagedJpeg(input));
        QVERIFY(writeAll(sample, readAll(input).mid(300)));
        const InputGuard inputGuard(input);

        data_repair::RepairRequest seen;
        QByteArray seenInput;
        scriptEngine([&](const data_repair::RepairRequest& request,
                                                         data_repair::IProgress*, bool) {
                seen = request;
                seenInput = readAll(QString::fromStdString(request.input.path));
                auto result = writtenOutput(request, QStringLiteral("相片_repaired.jpg"), readAll(input).mid(300));
                // An extracted image listed first is what an image output previews.
                const QString thumb = QDir(QString::fromStdString(request.outputDirectory)).filePath(QStringLiteral("thumb.png"));
                writeAll(thumb, "not really a png");
                result.artifacts.push_back(data_repair::makeArtifact(data_repair::pathFromUtf8("/nonexistent/x.png"), "preview", ""));
                result.artifacts.push_back(data_repair::makeArtifact(data_repair::pathFromUtf8(thumb.toStdString()), "preview", ""));
                result.notes.push_back("engine note");
                result.addFinding(data_repair::HeaderDamaged, data_repair::Error, "garbage before SOI", 0, 300, true, 0.9);
                result.addAction("trim-prefix", "removed 300 bytes", 300);
                return result;
            });
        auto result = runRepairOperation(&controller, input, sample, controller.sessionDirectory(), false,
                                         QStringLiteral("advanced"));
        QVERIFY2(result.ok, qPrintable(result.error.toString()));
        const QString work = QDir(result.taskDirectory).filePath(QStringLiteral("work"));
        QCOMPARE(QString::fromStdString(seen.input.path), QDir(work).filePath(QStringLiteral("input.jpg")));
        QCOMPARE(QString::fromStdString(seen.sample.path), QDir(work).filePath(QStringLiteral("sample.jpg")));
        QCOMPARE(seen.mode, int(data_repair::Advanced));
        QVERIFY(seen.writePreview);
        QVERIFY(!seen.overwrite);
        QCOMPARE(seenInput, readAll(input));

        QCOMPARE(result.outputName, QStringLiteral("相片_repaired.jpg"));
        QCOMPARE(result.previewFileName, QStringLiteral("thumb.png"));
        QCOMPARE(result.outputSize, readAll(input).size() - 300);
        QCOMPARE(result.outputPath, QDir(result.taskDirectory).filePath(QStringLiteral("result.drcache")));
        QCOMPARE(result.previewPath, QDir(result.taskDirectory).filePath(QStringLiteral("preview.drcache")));
        QVERIFY(result.formatValid);
        QVERIFY(result.repairable);
        // The preview is set up beside the containers by the job, for the window to show at once.
        QCOMPARE(entries(result.taskDirectory),
                 (QStringList{QStringLiteral(".created"), QStringLiteral("preview"), QStringLiteral("preview.drcache"),
                              QStringLiteral("result.drcache")}));
        QCOMPARE(result.decryptedPreviewPath, QDir(result.taskDirectory).filePath(QStringLiteral("preview/thumb.png")));
        QVERIFY(QFileInfo(result.decryptedPreviewPath).size() > 0);
        QVERIFY(QRegularExpression(QStringLiteral("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\dZ$"))
                    .match(QString::fromUtf8(readAll(QDir(result.taskDirectory).filePath(QStringLiteral(".created")))))
                    .hasMatch());
        // The sealed result holds no plain bytes of the output.
        QVERIFY(!readAll(result.outputPath).contains(readAll(input).mid(300, 64)));

        const QVariantMap finding = result.findings.at(0).toMap();
        QCOMPARE(finding.value(QStringLiteral("severity")).value<UiText>().toString(), QStringLiteral("错误"));
        QCOMPARE(finding.value(QStringLiteral("severityCode")).toInt(), 2);
        QCOMPARE(finding.value(QStringLiteral("technicalMessage")).toString(), QStringLiteral("garbage before SOI"));
        QVERIFY(finding.value(QStringLiteral("repairable")).toBool());
        QCOMPARE(result.actions.at(0).toMap().value(QStringLiteral("name")).toString(), QStringLiteral("trim-prefix"));
        QCOMPARE(result.warnings.size(), 1);
        // The engine's note is shown in the user's words, not the engine's English.
        QCOMPARE(result.warnings.at(0).toString(), QStringLiteral("修复引擎对输出附有一条说明，请在使用前检查结果"));
        QVERIFY(inputGuard.unchanged());
    }

    void outputThatFailsValidationIsNoResult()
    {
        QTemporaryDir dir;
        RepairWorkflowController controller;
        const QString input = dir.filePath(QStringLiteral("doc.pdf"));
        QVERIFY(makeDamagedPdf(input));
        scriptEngine([](const data_repair::RepairRequest& request,
                                                        data_repair::IProgress*, bool) {
                return writtenOutput(request, QStringLiteral("doc_repaired.pdf"), "no pdf at all");
        });
        auto result = runRepairOperation(&controller, input, QString(), controller.sessionDirectory(), false,
                                         QStringLiteral("quick"));
        QVERIFY(!result.ok);
        QVERIFY(!result.formatValid);
        QCOMPARE(result.error.toString(), QStringLiteral("核心生成了输出，但独立格式验证未通过"));
        QVERIFY(!result.validationMessage.isEmpty());

        // An engine success without an output file has nothing to seal.
        scriptEngine([](const data_repair::RepairRequest&, data_repair::IProgress*, bool) {
                data_repair::RepairResult result;
                result.status = data_repair::RepairStatus::success();
                return result;
            });
        result = runRepairOperation(&controller, input, QString(), controller.sessionDirectory(), false, QStringLiteral("quick"));
        QCOMPARE(result.error.toString(), QStringLiteral("修复核心未返回可加密的结果文件"));
        QVERIFY(!QFileInfo::exists(QDir(result.taskDirectory).filePath(QStringLiteral("work"))));
    }

    void consensusRestoreKeepsBytesThatFailValidation()
    {
        QTemporaryDir dir;
        RepairWorkflowController controller;
        // Three identical copies of a "PDF" whose bytes are no PDF, and one that differs.
        const QByteArray agreed = "agreed bytes that are not a pdf";
        for (const QString& name : {QStringLiteral("Contract__a.pdf"), QStringLiteral("Contract__b.pdf"),
                                    QStringLiteral("Contract__c.pdf")})
            QVERIFY(writeAll(dir.filePath(name), agreed));
        const QString input = dir.filePath(QStringLiteral("Contract__d.pdf"));
        QVERIFY(writeAll(input, "damaged"));
        const InputGuard guard(input);

        auto result = runRepairOperation(&controller, input, QString(), controller.sessionDirectory(), false,
                                         QStringLiteral("quick"));
        QVERIFY2(result.ok, qPrintable(result.error.toString()));
        QCOMPARE(result.previewKindOverride, QStringLiteral("binary"));
        QVERIFY(!result.formatValid);
        QVERIFY(result.validationMessage.toString().startsWith(QStringLiteral("同源副本已精确恢复；")));
        QCOMPARE(result.warnings.last().toString(),
                 QStringLiteral("格式完整性未通过，保存前请确认：结果保留恢复出的原始字节，不代表扩展名所声明的文件结构可用。"));
        QCOMPARE(result.outputPath, result.previewPath);
        QCOMPARE(entries(result.taskDirectory),
                 (QStringList{QStringLiteral(".created"), QStringLiteral("preview"), QStringLiteral("result.drcache")}));
        QVERIFY(guard.unchanged());
    }

    void cancellationBeforeTheJobLeavesNothing()
    {
        QTemporaryDir dir;
        RepairWorkflowController controller;
        const QString input = dir.filePath(QStringLiteral("doc.pdf"));
        QVERIFY(makeDamagedPdf(input));
        // The controller only cancels while busy; start a scripted job that waits to be cancelled.
        scriptEngine([](const data_repair::RepairRequest&, data_repair::IProgress* sink, bool) {
                while (!sink->isCancelled())
                    QThread::msleep(2);
                data_repair::RepairResult result;
                result.status = data_repair::RepairStatus::failure(data_repair::kStatusCancelled, "cancelled");
                return result;
            });
        controller.selectInput(QUrl::fromLocalFile(input));
        controller.analyze();
        controller.cancel();
        QVERIFY(controller.isCancelRequested());
        const auto result = runRepairOperation(&controller, input, QString(), controller.sessionDirectory(), true,
                                               QStringLiteral("analyze"));
        QVERIFY(result.cancelled);
        QVERIFY(result.taskDirectory.isEmpty());
        QTRY_VERIFY_WITH_TIMEOUT(!controller.busy(), 20000);
    }
};

QTEST_GUILESS_MAIN(RepairWorkflowJobTest)
#include "repair_workflow_job_test.moc"
