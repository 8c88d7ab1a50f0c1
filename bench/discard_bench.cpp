// How long throwing a large result away holds the caller (the GUI thread): a task folder with a
// sealed result of the given size removed in place, next to the same folder handed to the
// background removal the window uses. Run by hand: build/bench/discard_bench
// (sizes in MiB; the folders lie in the test-mode cache location of the user running it).

#include <benchmark/benchmark.h>

#include "services/session_cache.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QUuid>

#include <fcntl.h>
#include <unistd.h>

namespace {

// A task folder holding one file of `mebibytes` whose blocks are really allocated.
QString makeTaskFolder(qint64 mebibytes)
{
    const QString task = QDir(olm::repair::repairOutputPath())
                             .filePath(QStringLiteral("session-bench/%1").arg(QUuid::createUuid().toString(QUuid::WithoutBraces)));
    if (!olm::repair::makePrivateCacheFolder(task))
        return {};
    const QByteArray path = QFile::encodeName(QDir(task).filePath(QStringLiteral("result.drcache")));
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return {};
    const bool allocated = ::posix_fallocate(fd, 0, mebibytes * 1024 * 1024) == 0;
    ::fsync(fd);
    ::close(fd);
    return allocated ? task : QString();
}

template <bool Background>
void BM_DiscardResult(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        olm::repair::waitForDiscardedCacheEntries();
        const QString task = makeTaskFolder(state.range(0));
        if (task.isEmpty()) {
            state.SkipWithError("cannot allocate the task folder");
            break;
        }
        state.ResumeTiming();
        const bool gone = Background ? olm::repair::discardCacheEntry(task) : olm::repair::removeCacheEntry(task);
        benchmark::DoNotOptimize(gone);
    }
    olm::repair::waitForDiscardedCacheEntries();
    state.SetLabel(Background ? "renamed, removed in the background" : "removed in place");
}

BENCHMARK(BM_DiscardResult<false>)->Arg(256)->Arg(1400)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_DiscardResult<true>)->Arg(256)->Arg(1400)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Korvex Discard Bench"));
    QStandardPaths::setTestModeEnabled(true);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    olm::repair::removeCacheEntry(QDir(olm::repair::repairOutputPath()).filePath(QStringLiteral("session-bench")));
    benchmark::Shutdown();
    return 0;
}
