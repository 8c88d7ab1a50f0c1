// Output validation next to the engine's analysis and repair of the same recording, for a large
// output (1 GiB by default; KORVEX_VALIDATION_BENCH_MIB sets another size): validation must stay
// within about twice the analysis. The recording is made once by ffmpeg (MPEG-2 video at a high rate, as a
// camera writes) into a scratch folder and remuxed into each container.
// Run by hand: build/bench/validation_bench --benchmark_min_time=1

#include <benchmark/benchmark.h>

#include "app/output_validation_service.h"

#include "data_repair/engine.h"
#include "data_repair/repair_interfaces.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>


namespace {

QTemporaryDir* scratch = nullptr;

qint64 targetBytes()
{
    const QByteArray mib = qgetenv("KORVEX_VALIDATION_BENCH_MIB");
    return (mib.isEmpty() ? 1024 : mib.toLongLong()) * 1024 * 1024;
}

bool runFfmpeg(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral("ffmpeg"), QStringList{"-nostdin", "-v", "error", "-y"} + arguments);
    return process.waitForFinished(-1) && process.exitCode() == 0;
}

// The recording in the given container, about targetBytes() large.
QString recording(const QString& suffix)
{
    const QString master = scratch->filePath(QStringLiteral("master.mkv"));
    if (!QFileInfo::exists(master)) {
        // About 1.4 MiB a second at this quality: the length follows from the size wanted.
        const qint64 seconds = std::max<qint64>(4, targetBytes() / (1420 * 1024));
        runFfmpeg({"-f", "lavfi", "-i", QStringLiteral("testsrc2=s=1280x720:r=25:d=%1").arg(seconds), "-f", "lavfi", "-i",
                   QStringLiteral("sine=f=440:d=%1").arg(seconds), "-c:v", "mpeg2video", "-q:v", "2", "-g", "25",
                   "-c:a", "mp2", master});
    }
    const QString path = scratch->filePath(QStringLiteral("recording.") + suffix);
    if (!QFileInfo::exists(path))
        runFfmpeg({"-i", master, "-c", "copy", path});
    return path;
}

void analysis(benchmark::State& state, const char* suffix)
{
    const QString path = recording(QString::fromLatin1(suffix));
    auto factory = data_repair::createFileRepairFactory();
    for (auto _ : state) {
        data_repair::RepairRequest request;
        request.input = data_repair::makeSourceInfo(path.toStdString());
        request.mode = data_repair::parseRepairMode("analyze");
        const data_repair::RepairResult result = factory->createVideoRepair()->analyze(request, nullptr);
        benchmark::DoNotOptimize(result.findings.size());
    }
    state.counters["MiB"] = double(QFileInfo(path).size()) / (1024 * 1024);
}

void repair(benchmark::State& state, const char* suffix)
{
    const QString path = recording(QString::fromLatin1(suffix));
    const QString outputs = scratch->filePath(QStringLiteral("outputs"));
    auto factory = data_repair::createFileRepairFactory();
    for (auto _ : state) {
        QDir(outputs).removeRecursively();
        QDir().mkpath(outputs);
        data_repair::RepairRequest request;
        request.input = data_repair::makeSourceInfo(path.toStdString());
        request.outputDirectory = outputs.toStdString();
        const data_repair::RepairResult result = factory->createVideoRepair()->repair(request, nullptr);
        if (!result.status.ok)
            state.SkipWithError("the repair failed");
    }
    QDir(outputs).removeRecursively();
}

void validation(benchmark::State& state, const char* suffix)
{
    const QString path = recording(QString::fromLatin1(suffix));
    bool valid = true;
    for (auto _ : state)
        valid = olm::repair::OutputValidationService::validateOutput(path).valid && valid;
    if (!valid)
        state.SkipWithError("the recording did not validate");
    state.counters["MiB"] = double(QFileInfo(path).size()) / (1024 * 1024);
}

BENCHMARK_CAPTURE(analysis, mkv, "mkv")->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK_CAPTURE(repair, mkv, "mkv")->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK_CAPTURE(validation, mkv, "mkv")->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK_CAPTURE(analysis, mp4, "mp4")->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK_CAPTURE(repair, mp4, "mp4")->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK_CAPTURE(validation, mp4, "mp4")->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    scratch = &dir;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
