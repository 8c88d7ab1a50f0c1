// The limits a repair meets on its way to the user's folder, and the window's responsiveness on
// that way: the cache limit is held during a job (refused up front, or once the output's real size
// is known), a file-size limit met while sealing or saving is named, saving and setting up the
// preview run off the GUI thread, and a failed quick repair leaves the repair with a sample open.

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThreadPool>
#include <QtTest>

#include <atomic>
#include <memory>

#include "app/repair_job.h"
#include "app/repair_workflow_controller.h"
#include "cache_fixtures.h"
#include "file_size_limit.h"
#include "repair_workflow_fixtures.h"
#include "services/session_cache.h"
#include "settings_store_fixture.h"

using namespace olm::repair;
using namespace workflow_fixtures;

namespace {

constexpr qint64 MiB = 1048576;

QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

void setCacheLimitMb(int limit)
{
    QSettings settings;
    settings.setValue(QStringLiteral("cache/limitMb"), limit);
    settings.sync();
}

// A healthy photo of PIL's, as the bytes a scripted engine hands back as its output.
QByteArray healthyJpeg(const QString& scratch)
{
    return madeByPython(QStringLiteral("import sys\nfrom PIL import Image\n"
                                       "Image.new('RGB', (64, 48), (200, 40, 90)).save(sys.argv[1], quality=90)\n"),
                        scratch);
}

// A sparse file of `size` bytes that begins with `head`: large to the cache checks, cheap to make.
bool makeSparse(const QString& path, const QByteArray& head, qint64 size)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(head) == head.size() && file.resize(size);
}

// The photo with its DQT segments taken out.
QByteArray withoutQuantisationTables(const QByteArray& jpeg)
{
    QByteArray out = jpeg.left(2);
    for (qsizetype i = 2; i + 4 <= jpeg.size();) {
        const auto marker = static_cast<unsigned char>(jpeg[i + 1]);
        if (marker == 0xDA)
            return out + jpeg.mid(i);
        const qsizetype length = (static_cast<unsigned char>(jpeg[i + 2]) << 8) | static_cast<unsigned char>(jpeg[i + 3]);
        if (marker != 0xDB)
            out += jpeg.mid(i, 2 + length);
        i += 2 + length;
    }
    return QByteArray();
}

data_repair::RepairResult analysisPassed()
{
    data_repair::RepairResult result;
    result.status = data_repair::RepairStatus::success();
    return result;
}

} // namespace

class RepairWorkflowLimitsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(settingsStore_.setUp(QStringLiteral("repair-workflow-limits-test")));
        QStandardPaths::setTestModeEnabled(true);
        QDir(repairOutputPath()).removeRecursively();
    }
    void cleanup()
    {
        setRepairFactoryProvider({});
        setCacheLimitMb(512);
    }
    void cleanupTestCase() { QDir(repairOutputPath()).removeRecursively(); }

    // A repair that could not keep within the cache limit is refused before the engine writes
    // anything, with the figure and the limit; an output found larger than the input is refused
    // before it is sealed. Nothing of either stays in the cache.
    void cacheLimitIsHeldDuringTheJob()
    {
        setCacheLimitMb(128);
        QTemporaryDir dir;
        const QByteArray photo = healthyJpeg(dir.filePath(QStringLiteral("scratch.jpg")));
        QVERIFY(!photo.isEmpty());
        std::atomic<int> repairs{0};
        std::atomic<qint64> outputSize{0};
        scriptEngine([&](const data_repair::RepairRequest& request, data_repair::IProgress*, bool analyze) {
            if (analyze)
                return analysisPassed();
            ++repairs;
            data_repair::RepairResult result = writtenOutput(request, QStringLiteral("photo_repaired.jpg"), photo);
            if (outputSize.load() > 0)
                QFile(QString::fromStdString(result.output.path)).resize(outputSize.load());
            return result;
        });

        // An older session of a program that no longer runs, and a 70 MiB input, so about 140 MiB
        // held while the output is sealed: the old session makes room, the job itself still runs.
        const QString old = cache_fixtures::makeSession(QStringLiteral("session-00000000-0000-4000-8000-0000000000f1"),
                                                        60 * MiB, QDateTime::currentDateTimeUtc().addDays(-1));
        const QString big = dir.filePath(QStringLiteral("big.jpg"));
        QVERIFY(makeSparse(big, photo, 70 * MiB));
        RepairWorkflowController c;
        c.selectInput(QUrl::fromLocalFile(big));
        c.analyze();
        QVERIFY(waitIdle(c));
        QCOMPARE(c.state(), WorkflowState::AnalysisCompleted);
        c.repair();
        QVERIFY(waitIdle(c));
        QVERIFY2(c.state() == WorkflowState::PreviewReady, qPrintable(c.status()));
        QCOMPARE(repairs.load(), 1);
        QVERIFY(!QFileInfo::exists(old));

        // An output that turns out larger than its input makes room again before it is sealed.
        const QString older = cache_fixtures::makeSession(QStringLiteral("session-00000000-0000-4000-8000-0000000000f2"),
                                                          60 * MiB, QDateTime::currentDateTimeUtc().addDays(-2));
        const QString small = dir.filePath(QStringLiteral("small.jpg"));
        QVERIFY(writeAll(small, photo));
        outputSize = 70 * MiB;
        c.selectInput(QUrl::fromLocalFile(small));
        c.analyze();
        QVERIFY(waitIdle(c));
        QVERIFY(QFileInfo::exists(older)); // an analysis leaves the cache alone
        c.repair();
        QVERIFY(waitIdle(c));
        QVERIFY2(c.state() == WorkflowState::PreviewReady, qPrintable(c.status()));
        QCOMPARE(repairs.load(), 2);
        QVERIFY(!QFileInfo::exists(older));
    }

    // The file-size limit met while the result is sealed, and while it is saved, is named; the
    // save can be repeated once the limit is gone, and nothing partial is left in the folder.
    void fileSizeLimitIsNamed()
    {
        QTemporaryDir dir;
        const QByteArray photo = healthyJpeg(dir.filePath(QStringLiteral("scratch.jpg")));
        QVERIFY(!photo.isEmpty());
        const QString input = dir.filePath(QStringLiteral("photo.jpg"));
        QVERIFY(writeAll(input, photo));

        // Sealing: the limit takes effect once the engine has written its output.
        std::shared_ptr<FileSizeLimit> sealLimit;
        scriptEngine([&](const data_repair::RepairRequest& request, data_repair::IProgress*, bool analyze) {
            if (analyze)
                return analysisPassed();
            data_repair::RepairResult result = writtenOutput(request, QStringLiteral("photo_repaired.jpg"), photo);
            sealLimit = std::make_shared<FileSizeLimit>(static_cast<rlim_t>(photo.size() + 16));
            return result;
        });
        RepairWorkflowController c;
        c.selectInput(QUrl::fromLocalFile(input));
        c.analyze();
        QVERIFY(waitIdle(c));
        c.repair();
        QVERIFY(waitIdle(c));
        QVERIFY(sealLimit && sealLimit->active());
        sealLimit.reset();
        QCOMPARE(c.state(), WorkflowState::Failed);
        QCOMPARE(c.status(), QStringLiteral("无法安全加密临时修复结果：封存修复结果时文件大小超过了系统对单个文件的上限"));

        // Saving.
        setRepairFactoryProvider({});
        scriptEngine([&](const data_repair::RepairRequest& request, data_repair::IProgress*, bool analyze) {
            return analyze ? analysisPassed() : writtenOutput(request, QStringLiteral("photo_repaired.jpg"), photo);
        });
        c.analyze();
        QVERIFY(waitIdle(c));
        c.repair();
        QVERIFY(waitIdle(c));
        QCOMPARE(c.state(), WorkflowState::PreviewReady);
        const QString saveFolder = dir.filePath(QStringLiteral("saved"));
        QVERIFY(QDir().mkpath(saveFolder));
        {
            const FileSizeLimit limit(static_cast<rlim_t>(photo.size() / 2));
            QVERIFY(limit.active());
            QVERIFY(!saveAndWait(c, QUrl::fromLocalFile(saveFolder)));
        }
        QCOMPARE(c.status(), QStringLiteral("保存失败，缓存结果仍保留：写入解密结果失败：文件大小超过了系统对单个文件的上限"));
        QCOMPARE(c.state(), WorkflowState::PreviewReady);
        QVERIFY(entries(saveFolder).isEmpty());

        QVERIFY2(saveAndWait(c, QUrl::fromLocalFile(saveFolder)), qPrintable(c.status()));
        const QString saved = QDir(saveFolder).filePath(QStringLiteral("photo_repaired.jpg"));
        QCOMPARE(readAll(saved), photo);
        WORKFLOW_REQUIRE_TOOL("djpeg");
        const ToolRun decoded = runTool(QStringLiteral("djpeg"), {QStringLiteral("-outfile"), QStringLiteral("/dev/null"), saved});
        QVERIFY2(decoded.exitCode == 0 && decoded.output.isEmpty(), qPrintable(decoded.output));
    }

    // Saving returns at once and runs on the pool: busy and still unsaved until saveFinished, no
    // second save meanwhile, then the file in the folder.
    void saveRunsOffTheGuiThread()
    {
        QTemporaryDir dir;
        const QString input = dir.filePath(QStringLiteral("photo.jpg"));
        QVERIFY(makeDamagedJpeg(input));
        RepairWorkflowController c;
        QVERIFY(repairToPreview(c, input));
        const QByteArray preview = readAll(c.previewUrl().toLocalFile());
        QVERIFY(!preview.isEmpty());
        const QString saveFolder = dir.filePath(QStringLiteral("saved"));
        QVERIFY(QDir().mkpath(saveFolder));

        QSignalSpy finished(&c, &RepairWorkflowController::saveFinished);
        QVERIFY(c.saveResult(QUrl::fromLocalFile(saveFolder)));
        QVERIFY(c.busy());
        QVERIFY(!c.canSave());
        QCOMPARE(c.state(), WorkflowState::PreviewReady);
        QVERIFY2(c.status().startsWith(QStringLiteral("正在保存修复结果…")), qPrintable(c.status()));
        QVERIFY(!c.saveResult(QUrl::fromLocalFile(saveFolder)));
        QVERIFY(waitIdle(c));
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished.first().first().toBool(), true);
        QCOMPARE(c.state(), WorkflowState::Saved);
        QCOMPARE(readAll(QDir(saveFolder).filePath(QStringLiteral("photo_repaired.jpg"))), preview);
        QCOMPARE(entries(saveFolder), QStringList{QStringLiteral("photo_repaired.jpg")});
    }

    // Coming back to the result decrypts its preview on the pool: preparePreview returns at once
    // and resultChanged brings the preview; a release meanwhile stops it and leaves nothing behind.
    void previewIsDecryptedOffTheGuiThread()
    {
        QTemporaryDir dir;
        const QString input = dir.filePath(QStringLiteral("photo.jpg"));
        QVERIFY(makeDamagedJpeg(input));
        RepairWorkflowController c;
        QVERIFY(repairToPreview(c, input));
        const QString task = c.taskDirectory();

        c.releasePreview();
        QVERIFY(!c.preparePreview());
        QCOMPARE(c.previewKind(), QStringLiteral("none"));
        c.releasePreview();
        QThreadPool::globalInstance()->waitForDone();
        QTest::qWait(50);
        waitForDiscardedCacheEntries();
        QVERIFY(!c.previewAvailable());
        QCOMPARE(entries(task), (QStringList{QStringLiteral(".created"), QStringLiteral("result.drcache")}));

        QSignalSpy changed(&c, &RepairWorkflowController::resultChanged);
        QVERIFY(!c.preparePreview());
        QVERIFY(preparePreviewAndWait(c));
        QVERIFY(changed.count() >= 1);
        QCOMPARE(c.previewKind(), QStringLiteral("image"));
        QCOMPARE(readAll(c.previewUrl().toLocalFile()), readAll(input).mid(300));
        waitForDiscardedCacheEntries();
        QCOMPARE(entries(task), (QStringList{QStringLiteral(".created"), QStringLiteral("preview"), QStringLiteral("result.drcache")}));
    }

    // The job hands back a plain preview it set up itself in the task's "preview" folder, so the
    // window takes the result without decrypting anything.
    void jobSetsUpThePreview()
    {
        QTemporaryDir dir;
        const QString input = dir.filePath(QStringLiteral("photo.jpg"));
        QVERIFY(makeDamagedJpeg(input));
        SessionHandle session = SessionHandle::create();
        QVERIFY(session.isValid());
        QObject receiver;
        const auto link = std::make_shared<JobLink>(&receiver, [](int, int) {});
        const RepairOperationResult result =
            runRepairOperation(link, input, QString(), session.directory(), false, QStringLiteral("quick"));
        QVERIFY2(result.ok, qPrintable(result.error.toString()));
        QVERIFY(result.decryptedPreviewPath.startsWith(QDir(result.taskDirectory).filePath(QStringLiteral("preview/"))));
        QCOMPARE(readAll(result.decryptedPreviewPath), readAll(input).mid(300));
        QVERIFY(!QFileInfo::exists(QDir(result.taskDirectory).filePath(QStringLiteral("work"))));
        session.release();
    }

    // A quick repair that failed leaves the repair with a healthy sample open where the family
    // has one (photos, recordings), never for documents.
    void failedQuickRepairOffersTheAdvancedRepair_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("scripted");
        QTest::addColumn<bool>("offered");
        QTest::newRow("photo") << QStringLiteral("photo.jpg") << true << true;
        QTest::newRow("recording") << QStringLiteral("clip.mp4") << true << true;
        QTest::newRow("document") << QStringLiteral("report.pdf") << true << false;
        // The real engine on a photo whose quantisation table is gone (djpeg: "Quantization table
        // 0x00 was not defined"): the quick repair cannot mend it, a sample's tables can.
        QTest::newRow("photo without its quantisation table") << QStringLiteral("nodqt.jpg") << false << true;
    }

    void failedQuickRepairOffersTheAdvancedRepair()
    {
        QFETCH(QString, name);
        QFETCH(bool, scripted);
        QFETCH(bool, offered);
        QTemporaryDir dir;
        const QString input = dir.filePath(name);
        if (name == QStringLiteral("nodqt.jpg"))
            QVERIFY(writeAll(input, withoutQuantisationTables(healthyJpeg(dir.filePath(QStringLiteral("scratch.jpg"))))));
        else if (name.endsWith(QStringLiteral(".jpg")))
            QVERIFY(makeDamagedJpeg(input));
        else if (name.endsWith(QStringLiteral(".mp4")))
            QVERIFY(makeMp4WithPrefix(input));
        else
            QVERIFY(makeDamagedPdf(input));
        if (scripted)
            scriptEngine([](const data_repair::RepairRequest&, data_repair::IProgress*, bool analyze) {
                data_repair::RepairResult result = analysisPassed();
                if (!analyze)
                    result.status = data_repair::RepairStatus::failure(7, "could not rebuild the file");
                return result;
            });
        RepairWorkflowController c;
        c.selectInput(QUrl::fromLocalFile(input));
        c.analyze();
        QVERIFY(waitIdle(c));
        QCOMPARE(c.state(), WorkflowState::AnalysisCompleted);
        if (scripted)
            QVERIFY(!c.sampleRequired());
        c.repair(QStringLiteral("quick"));
        QVERIFY(waitIdle(c));
        QCOMPARE(c.state(), WorkflowState::Failed);
        QCOMPARE(c.sampleRequired(), offered);
    }

private:
    // The failed job's task folder is discarded in the background; the session keeps its lock.
    static bool waitForEmptySession(const RepairWorkflowController& c)
    {
        waitForDiscardedCacheEntries();
        return entries(c.sessionDirectory()) == QStringList{QStringLiteral(".session.lock")};
    }

    SettingsStoreFixture settingsStore_;
};

QTEST_GUILESS_MAIN(RepairWorkflowLimitsTest)
#include "repair_workflow_limits_test.moc"
