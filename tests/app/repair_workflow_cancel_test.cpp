// Cancelling and leaving: a job stops at its next check, and a controller that goes away while its
// job runs neither waits for the job nor leaves its session behind. The engine is held at chosen
// points by latches, so every assertion is about the order of events, never about time.

#include <QBuffer>
#include <QDir>
#include <QLockFile>
#include <QSemaphore>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThreadPool>
#include <QtTest>

#include <fstream>
#include <mutex>

#include "app/repair_job.h"
#include "app/repair_workflow_controller.h"
#include "repair_workflow_fixtures.h"
#include "services/session_cache.h"

using namespace olm::repair;
using namespace workflow_fixtures;

namespace {

constexpr int kLatchTimeoutMs = 120000;

// Events of both threads in the order they happened.
class Journal {
public:
    void add(const QString& event)
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        events_.append(event);
    }
    QStringList events() const
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        return events_;
    }

private:
    mutable std::mutex mutex_;
    QStringList events_;
};

// Passes the engine's questions and reports on to the job's sink, and holds the engine at its
// first report until the test lets it go.
class HeldSink final : public data_repair::IProgress {
public:
    HeldSink(data_repair::IProgress* job, QSemaphore& reached, QSemaphore& go) : job_(job), reached_(reached), go_(go) {}
    bool onProgress(const data_repair::ProgressEvent& event) override
    {
        if (!held_) {
            held_ = true;
            reached_.release();
            go_.tryAcquire(1, kLatchTimeoutMs);
        }
        return job_->onProgress(event);
    }
    bool isCancelled() override { return job_->isCancelled(); }

private:
    data_repair::IProgress* job_;
    QSemaphore& reached_;
    QSemaphore& go_;
    bool held_ = false;
};

// A clip of `media` zero bytes whose index follows its media (the repair moves it to the front).
bool makeLargeClip(const QString& path, uint64_t media)
{
    data_repair::ByteBuffer head = data_repair::bytesOf(std::string("\0\0\0\x14" "ftyp" "isom\0\0\x02\0" "isom", 20));
    data_repair::appendBe32(head, static_cast<uint32_t>(8 + media));
    data_repair::appendString(head, "mdat");
    {
        std::ofstream out(path.toStdString(), std::ios::binary);
        out.write(reinterpret_cast<const char*>(head.data()), static_cast<std::streamsize>(head.size()));
    }
    std::error_code ec;
    std::filesystem::resize_file(path.toStdString(), head.size() + media, ec);
    std::ofstream out(path.toStdString(), std::ios::binary | std::ios::app);
    out.write("\0\0\0\x08moov", 8);
    return !ec && out.good();
}

} // namespace

class RepairWorkflowCancelTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QDir(repairOutputPath()).removeRecursively();
    }
    void cleanup()
    {
        setRepairFactoryProvider({});
        QThreadPool::globalInstance()->waitForDone();
    }
    void cleanupTestCase() { QDir(repairOutputPath()).removeRecursively(); }

    void privateCopyStopsBetweenChunks()
    {
        QTemporaryDir dir;
        QByteArray bytes(3 * 1048576 + 5, 'k');
        QBuffer source(&bytes);
        QVERIFY(source.open(QIODevice::ReadOnly));
        int questions = 0;
        const QString target = dir.filePath(QStringLiteral("input.bin"));
        QVERIFY(!copyDeviceToPrivateWorkingCopy(source, bytes.size(), target, [&] { return ++questions == 2; }));
        QCOMPARE(questions, 2);
        QVERIFY(!QFileInfo::exists(target));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    }

    void cancelStopsTheRealEngineMidRunAndLeavesNoOutput()
    {
        QTemporaryDir dir;
        const QString input = dir.filePath(QStringLiteral("clip.mp4"));
        QVERIFY(makeLargeClip(input, 64ull << 20));
        const InputGuard guard(input);

        // The real engine, held at its first report until the cancel has been asked for.
        QSemaphore reached;
        QSemaphore go;
        Journal journal;
        scriptEngine([&](const data_repair::RepairRequest& request, data_repair::IProgress* sink, bool analyze) {
            HeldSink held(sink, reached, go);
            auto engine = data_repair::createFileRepairFactory()->createVideoRepair();
            const data_repair::RepairResult result = analyze ? engine->analyze(request, &held) : engine->repair(request, &held);
            journal.add(QStringLiteral("engine returned %1").arg(result.status.code));
            return result;
        });

        RepairWorkflowController c;
        c.selectInput(QUrl::fromLocalFile(input));
        for (const bool analysis : {true, false}) {
            QSignalSpy stateChanges(&c, &RepairWorkflowController::stateChanged);
            if (analysis)
                c.analyze();
            else
                c.repair(QStringLiteral("quick"));
            QVERIFY(reached.tryAcquire(1, kLatchTimeoutMs));
            journal.add(QStringLiteral("cancel"));
            c.cancel();
            go.release();
            QTRY_VERIFY_WITH_TIMEOUT(!c.busy(), kLatchTimeoutMs);
            QCOMPARE(c.state(), WorkflowState::Cancelled);
            QCOMPARE(c.status(), QStringLiteral("任务已取消，原文件未被修改"));
            // Stopped by the cancel: the run did not reach its end.
            QCOMPARE(journal.events().mid(journal.events().size() - 2),
                     (QStringList{QStringLiteral("cancel"), QStringLiteral("engine returned 5")}));
            // The task folder's files go in the background.
            waitForDiscardedCacheEntries();
            QCOMPARE(QDir(c.sessionDirectory()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                     QStringList{QStringLiteral(".session.lock")});
            QVERIFY(c.outputPath().isEmpty());
            if (analysis) {
                // A repair needs a finished analysis: run it to the end, then cancel the repair.
                c.analyze();
                QVERIFY(reached.tryAcquire(1, kLatchTimeoutMs));
                go.release();
                QTRY_VERIFY_WITH_TIMEOUT(!c.busy(), kLatchTimeoutMs);
                QCOMPARE(c.state(), WorkflowState::AnalysisCompleted);
            }
        }
        QVERIFY(guard.unchanged());
    }

    // A stopped repair leaves its analysis (and the sample it was made with) standing: the repair
    // starts again at once. A stopped analysis leaves nothing to repair from, and a sample chosen
    // after a stop is analysed before it is used.
    void aStoppedRepairKeepsItsAnalysisAndSample()
    {
        QTemporaryDir dir;
        const QString input = dir.filePath(QStringLiteral("clip.mp4"));
        const QString sample = dir.filePath(QStringLiteral("sample.mp4"));
        const QString otherSample = dir.filePath(QStringLiteral("other.mp4"));
        for (const QString& path : {input, sample, otherSample})
            QVERIFY(writeAll(path, QFileInfo(path).fileName().toUtf8()));

        QSemaphore reached;
        QSemaphore go;
        bool holdAnalysis = false;
        QStringList calls;
        scriptEngine([&](const data_repair::RepairRequest& request, data_repair::IProgress* sink, bool analyze) {
            calls.append(QStringLiteral("%1 %2").arg(analyze ? QStringLiteral("analyze") : QStringLiteral("repair"),
                                                    QFileInfo(QString::fromStdString(request.sample.path)).fileName()));
            if (!analyze || holdAnalysis) {
                HeldSink held(sink, reached, go);
                data_repair::reportProgress(&held, data_repair::Video, "step", request.input.path, 1, 2);
            }
            data_repair::RepairResult result;
            result.status = sink->isCancelled()
                ? data_repair::RepairStatus::failure(data_repair::kStatusCancelled, "cancelled")
                : data_repair::RepairStatus::success();
            return result;
        });
        const auto stopAtFirstReport = [&](RepairWorkflowController& c) {
            if (!reached.tryAcquire(1, kLatchTimeoutMs))
                return false;
            c.cancel();
            go.release();
            return waitIdle(c) && c.state() == WorkflowState::Cancelled;
        };

        RepairWorkflowController c;
        c.selectInput(QUrl::fromLocalFile(input));
        c.selectSample(QUrl::fromLocalFile(sample));
        c.analyze();
        QVERIFY(waitIdle(c));
        QCOMPARE(c.state(), WorkflowState::AnalysisCompleted);

        c.repair(QStringLiteral("advanced"));
        QVERIFY(stopAtFirstReport(c));
        QCOMPARE(c.samplePath(), QFileInfo(sample).absoluteFilePath());
        QVERIFY(c.canRepair());
        c.repair(QStringLiteral("advanced"));
        QCOMPARE(c.state(), WorkflowState::Repairing);
        QVERIFY(stopAtFirstReport(c));

        // Another sample after the stop: analysed with it first, the repair waits for that.
        c.selectSample(QUrl::fromLocalFile(otherSample));
        QVERIFY(waitIdle(c));
        QCOMPARE(c.state(), WorkflowState::AnalysisCompleted);

        // A stopped analysis: nothing to repair from until the file is analysed again.
        holdAnalysis = true;
        c.clearSample();
        QVERIFY(stopAtFirstReport(c));
        QVERIFY(!c.canRepair());
        QVERIFY(c.canAnalyze());
        c.repair(QStringLiteral("quick"));
        QCOMPARE(c.state(), WorkflowState::Cancelled);
        QCOMPARE(calls, (QStringList{QStringLiteral("analyze sample.mp4"), QStringLiteral("repair sample.mp4"),
                                     QStringLiteral("repair sample.mp4"), QStringLiteral("analyze other.mp4"),
                                     QStringLiteral("analyze ")}));
    }

    void destroyingTheControllerDoesNotWaitForItsJob()
    {
        QTemporaryDir dir;
        const QString input = dir.filePath(QStringLiteral("doc.pdf"));
        QVERIFY(makeDamagedPdf(input));
        const InputGuard guard(input);

        // An engine that stays in its call until the test lets it go, whatever the controller does.
        QSemaphore inEngine;
        QSemaphore release;
        Journal journal;
        bool sawCancel = false;
        scriptEngine([&](const data_repair::RepairRequest& request, data_repair::IProgress* sink, bool) {
            inEngine.release();
            release.tryAcquire(1, kLatchTimeoutMs);
            // Talking to a controller that is gone must be harmless.
            data_repair::reportProgress(sink, data_repair::Document, "analyze", request.input.path, 1, 2);
            sawCancel = sink->isCancelled();
            // What the engine writes after its controller left goes with the session.
            writeAll(QDir(QString::fromStdString(request.outputDirectory)).filePath(QStringLiteral("late.pdf")), "late");
            journal.add(QStringLiteral("engine returned"));
            data_repair::RepairResult result;
            result.status = data_repair::RepairStatus::failure(data_repair::kStatusCancelled, "cancelled");
            return result;
        });

        auto* c = new RepairWorkflowController;
        const QString session = c->sessionDirectory();
        QVERIFY(!session.isEmpty());
        c->selectInput(QUrl::fromLocalFile(input));
        c->analyze();
        QVERIFY(inEngine.tryAcquire(1, kLatchTimeoutMs));
        delete c;
        journal.add(QStringLiteral("controller destroyed"));
        // The session stays, locked, while its job still runs: no other instance sweeps it away.
        QVERIFY(QFileInfo::exists(session));
        QLockFile probe(QDir(session).filePath(QStringLiteral(".session.lock")));
        probe.setStaleLockTime(1);
        QVERIFY(!probe.tryLock(0));

        release.release();
        QThreadPool::globalInstance()->waitForDone();
        QCOMPARE(journal.events(), (QStringList{QStringLiteral("controller destroyed"), QStringLiteral("engine returned")}));
        QVERIFY(sawCancel);
        QVERIFY(!QFileInfo::exists(session));
        QVERIFY(guard.unchanged());
        // Progress the job posted after the controller was destroyed is not delivered anywhere.
        QCoreApplication::processEvents();
    }

    void destroyingAnIdleControllerRemovesItsSessionAtOnce()
    {
        auto* c = new RepairWorkflowController;
        const QString session = c->sessionDirectory();
        QVERIFY(QFileInfo::exists(session));
        delete c;
        QVERIFY(!QFileInfo::exists(session));
    }
};

QTEST_GUILESS_MAIN(RepairWorkflowCancelTest)
#include "repair_workflow_cancel_test.moc"
