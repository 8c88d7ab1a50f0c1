// How long the GUI thread stalls while a large repair result is finished (sealed, its preview set
// up), its preview set up again (the window leaves the repair page and comes back) and then saved
// into the user's folder: the longest gap between the ticks of a 2 ms timer on the GUI thread, from
// the start of the repair until the saved file is in place. On a loaded machine that gap also holds
// the times the system gave the thread no processor; the longest single event the GUI thread handled
// (longest_event_ms) is the work the workflow itself did there. The engine is a
// stand-in that writes the output (1 GiB by default; KORVEX_FINISH_BENCH_MIB sets another size, 64
// is a quick run), so the figure is the workflow's own. Goal: under 100 ms.
// Run by hand: build/bench/finish_save_bench (files lie in a scratch folder and the test-mode cache).

#include <benchmark/benchmark.h>

#include "app/repair_job.h"
#include "app/repair_workflow_controller.h"
#include "services/session_cache.h"

#include "data_repair/repair_interfaces.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>

namespace {

using namespace olm::repair;

qint64 outputBytes()
{
    const QByteArray mib = qgetenv("KORVEX_FINISH_BENCH_MIB");
    return (mib.isEmpty() ? 1024 : mib.toLongLong()) * 1024 * 1024;
}

// Writes the output in 4 MiB chunks of changing bytes (nothing sparse: every block is real).
data_repair::RepairResult writeOutput(const data_repair::RepairRequest& request, qint64 size)
{
    data_repair::RepairResult result;
    const QString path = QDir(QString::fromStdString(request.outputDirectory)).filePath(QStringLiteral("clip_repaired.raw"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        result.status = data_repair::RepairStatus::failure(1, "cannot write the output");
        return result;
    }
    QByteArray chunk(4 * 1024 * 1024, '\0');
    for (qint64 done = 0, n = 0; done < size; ++n) {
        for (qsizetype i = 0; i < chunk.size(); i += 4096)
            chunk[i] = static_cast<char>(n + i);
        const qint64 part = std::min<qint64>(chunk.size(), size - done);
        file.write(chunk.constData(), part);
        done += part;
    }
    file.close();
    result.status = data_repair::RepairStatus::success();
    result.output.path = path.toStdString();
    result.outputWritten = true;
    return result;
}

class StandInRepair final : public data_repair::IVideoRepair {
public:
    data_repair::RepairResult analyze(const data_repair::RepairRequest&, data_repair::IProgress*) override
    {
        data_repair::RepairResult result;
        result.status = data_repair::RepairStatus::success();
        return result;
    }
    data_repair::RepairResult repair(const data_repair::RepairRequest& request, data_repair::IProgress*) override
    {
        return writeOutput(request, outputBytes());
    }
};

class StandInFactory final : public data_repair::IFileRepairFactory {
public:
    std::unique_ptr<data_repair::IVideoRepair> createVideoRepair() override { return std::make_unique<StandInRepair>(); }
    std::unique_ptr<data_repair::IAudioRepair> createAudioRepair() override { return nullptr; }
    std::unique_ptr<data_repair::IPhotoRepair> createPhotoRepair() override { return nullptr; }
    std::unique_ptr<data_repair::IDocumentRepair> createDocumentRepair() override { return nullptr; }
    std::unique_ptr<data_repair::IAiEnhancement> createAiEnhancement() override { return nullptr; }
    std::unique_ptr<data_repair::IBatchRepair> createBatchRepair() override { return nullptr; }
};

// The application, timing every event it delivers while `measuring` is set.
class TimingApplication final : public QCoreApplication {
public:
    using QCoreApplication::QCoreApplication;
    bool notify(QObject* receiver, QEvent* event) override
    {
        if (!measuring)
            return QCoreApplication::notify(receiver, event);
        QElapsedTimer clock;
        clock.start();
        const bool handled = QCoreApplication::notify(receiver, event);
        longestEventMs = std::max(longestEventMs, clock.nsecsElapsed() / 1e6);
        return handled;
    }
    bool measuring = false;
    double longestEventMs = 0;
};

TimingApplication* timingApp = nullptr;

// Runs the event loop until `done` holds; false after ten minutes.
template <typename Done>
bool spinUntil(Done done)
{
    QDeadlineTimer deadline(600000);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return done();
}

// The longest gap between two ticks of a 2 ms timer while `work` runs the event loop.
class StallMeter {
public:
    StallMeter()
    {
        timer_.setTimerType(Qt::PreciseTimer);
        timer_.setInterval(2);
        QObject::connect(&timer_, &QTimer::timeout, [this] { tick(); });
    }
    void start()
    {
        timingApp->measuring = true;
        longestMs_ = 0;
        last_ = 0;
        clock_.start();
        timer_.start();
    }
    double stop()
    {
        tick();
        timer_.stop();
        timingApp->measuring = false;
        durationMs_ = clock_.nsecsElapsed() / 1e6;
        return longestMs_;
    }
    // Where the longest stall ended, and how long the measured stretch took, in ms from its start.
    double longestEndMs() const { return longestEndMs_; }
    double durationMs() const { return durationMs_; }

private:
    void tick()
    {
        const qint64 now = clock_.nsecsElapsed();
        if ((now - last_) / 1e6 > longestMs_) {
            longestMs_ = (now - last_) / 1e6;
            longestEndMs_ = now / 1e6;
        }
        last_ = now;
    }
    QTimer timer_;
    QElapsedTimer clock_;
    qint64 last_ = 0;
    double longestMs_ = 0;
    double longestEndMs_ = 0;
    double durationMs_ = 0;
};

void BM_FinishAndSave(benchmark::State& state)
{
    setRepairFactoryProvider([] { return std::make_unique<StandInFactory>(); });
    timingApp->longestEventMs = 0;
    double finishStall = 0;
    double previewStall = 0;
    double saveStall = 0;
    for (auto _ : state) {
        QTemporaryDir dir;
        const QString input = dir.filePath(QStringLiteral("clip.mp4"));
        QFile in(input);
        if (!in.open(QIODevice::WriteOnly) || in.write(QByteArray(4096, 'x')) != 4096) {
            state.SkipWithError("cannot write the input");
            break;
        }
        in.close();
        const QString saveFolder = dir.filePath(QStringLiteral("saved"));
        QDir().mkpath(saveFolder);

        RepairWorkflowController c;
        c.selectInput(QUrl::fromLocalFile(input));
        c.analyze();
        if (!spinUntil([&] { return !c.busy(); }) || c.state() != WorkflowState::AnalysisCompleted) {
            state.SkipWithError(qPrintable(c.status()));
            break;
        }
        StallMeter meter;
        meter.start();
        c.repair();
        const bool finished = spinUntil([&] { return !c.busy(); });
        finishStall = std::max(finishStall, meter.stop());
        state.counters["finish_stall_end_ms"] = meter.longestEndMs();
        state.counters["finish_ms"] = meter.durationMs();
        if (!finished || c.state() != WorkflowState::PreviewReady) {
            state.SkipWithError(qPrintable(c.status()));
            break;
        }
        meter.start();
        c.releasePreview();
        const bool previewed = c.preparePreview() || spinUntil([&] { return c.previewAvailable(); });
        previewStall = std::max(previewStall, meter.stop());
        if (!previewed) {
            state.SkipWithError(qPrintable(c.status()));
            break;
        }
        meter.start();
        const bool started = c.saveResult(QUrl::fromLocalFile(saveFolder));
        const bool saved = started && spinUntil([&] { return !c.busy(); });
        saveStall = std::max(saveStall, meter.stop());
        if (!saved || c.state() != WorkflowState::Saved || QFileInfo(c.outputPath()).size() != outputBytes()) {
            state.SkipWithError(qPrintable(c.status()));
            break;
        }
    }
    waitForDiscardedCacheEntries();
    setRepairFactoryProvider({});
    state.counters["finish_stall_ms"] = finishStall;
    state.counters["preview_stall_ms"] = previewStall;
    state.counters["save_stall_ms"] = saveStall;
    state.counters["longest_stall_ms"] = std::max({finishStall, previewStall, saveStall});
    state.counters["longest_event_ms"] = timingApp->longestEventMs;
    state.counters["result_MiB"] = static_cast<double>(outputBytes() / (1024 * 1024));
}

BENCHMARK(BM_FinishAndSave)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

} // namespace

int main(int argc, char** argv)
{
    TimingApplication app(argc, argv);
    timingApp = &app;
    QStandardPaths::setTestModeEnabled(true);
    // A settings store of its own, whose cache limit lets a 1 GiB result through (the largest the
    // settings allow).
    QTemporaryDir settingsFolder;
    QCoreApplication::setOrganizationName(QStringLiteral("KorvexBench"));
    QCoreApplication::setApplicationName(QStringLiteral("finish-save-bench"));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsFolder.path());
    QSettings().setValue(QStringLiteral("cache/limitMb"), 4096);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
