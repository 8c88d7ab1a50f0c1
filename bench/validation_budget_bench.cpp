// Output validation of hostile outputs: the time each check takes and the peak memory of the process
// that runs it. Each check runs in a child process (this program started again with --check) under
// a 2 GiB address-space limit, so every shape's peak memory is its own. The fixtures are made once
// in a scratch folder, by the generators the validation budget test uses.
// Run by hand: build/bench/validation_budget_bench

#include <benchmark/benchmark.h>

#include "app/output_validation_service.h"

#include "hostile_outputs.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <cstdio>
#include <cstring>

namespace {

QTemporaryDir* scratch = nullptr;
QString self;

bool run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(-1) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

bool ffmpeg(const QStringList& arguments) { return run(QStringLiteral("ffmpeg"), QStringList{"-nostdin", "-v", "error", "-y"} + arguments); }

bool write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The shape's file, made on first use; empty when it could not be made.
QString fixture(const char* shape)
{
    const QString name = QString::fromLatin1(shape);
    const QString dir = scratch->path() + u'/';
    const QString script = QStringLiteral(KORVEX_SOURCE_DIR "/tests/app/hostile_fixtures.py");
    if (name == u"mp4-index-claims") {
        QStringList arguments{"-f", "lavfi", "-i", "testsrc=s=64x64:r=25:d=0.04"};
        for (int i = 0; i < 6; ++i)
            arguments << "-map" << "0:v";
        const QString source = dir + QStringLiteral("index-source.mp4");
        if (!ffmpeg(arguments + QStringList{"-c:v", "libx264", "-preset", "ultrafast", "-frames:v", "1", source}))
            return {};
        QByteArray bytes = read(source);
        hostile_outputs::patchBoxes(bytes, "stsz", 4, 1);
        for (const auto& [type, at] : {std::pair{"stsz", 8}, std::pair{"stts", 8}, std::pair{"stsc", 12}})
            hostile_outputs::patchBoxes(bytes, type, at, 85000000);
        return write(dir + name + QStringLiteral(".mp4"), bytes) ? dir + name + QStringLiteral(".mp4") : QString();
    }
    if (name == u"1000-tracks") {
        QStringList arguments{"-f", "lavfi", "-i", "testsrc=s=32x32:r=25:d=0.04"};
        for (int i = 0; i < 1000; ++i)
            arguments << "-map" << "0:v";
        const QString path = dir + name + QStringLiteral(".mp4");
        return ffmpeg(arguments + QStringList{"-c:v", "mpeg4", "-frames:v", "1", path}) ? path : QString();
    }
    if (name == u"skip-frames") {
        const QString raw = dir + QStringLiteral("skip.h264");
        const QString path = dir + name + QStringLiteral(".mp4");
        if (!write(raw, hostile_outputs::skipFrameStream(512, 272, 80000)))
            return {};
        return ffmpeg({"-f", "h264", "-r", "25", "-i", raw, "-c", "copy", path}) ? path : QString();
    }
    if (name == u"form-chain-23") {
        const QString path = dir + name + QStringLiteral(".pdf");
        return write(path, hostile_outputs::formChainPdf(23)) ? path : QString();
    }
    if (name == u"deep-page-tree") {
        const QString path = dir + name + QStringLiteral(".pdf");
        return write(path, hostile_outputs::deepPageTreePdf(1100)) ? path : QString();
    }
    if (name == u"xml-comment-128m") {
        const QString path = dir + name + QStringLiteral(".docx");
        return run(QStringLiteral("/usr/bin/python3"), {script, "comment-docx", path, "128"}) ? path : QString();
    }
    if (name == u"zip-8g") {
        const QString path = dir + name + QStringLiteral(".zip");
        return run(QStringLiteral("/usr/bin/python3"), {script, "inflation-zip", path, "4000"}) ? path : QString();
    }
    return {};
}

void check(benchmark::State& state, const char* shape)
{
    QString path;
    {
        static QMap<QString, QString> made;
        const QString key = QString::fromLatin1(shape);
        if (!made.contains(key))
            made.insert(key, fixture(shape));
        path = made.value(key);
    }
    if (path.isEmpty()) {
        state.SkipWithError("the fixture could not be made");
        return;
    }
    double peakMib = 0;
    QString verdict;
    for (auto _ : state) {
        QProcess child;
        QElapsedTimer clock;
        clock.start();
        child.start(self, {QStringLiteral("--check"), path});
        child.waitForFinished(-1);
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
        const QStringList lines = QString::fromUtf8(child.readAllStandardOutput()).split(u'\n');
        for (const QString& line : lines) {
            if (line.startsWith(u"peak-rss-mib "))
                peakMib = std::max(peakMib, line.mid(13).toDouble());
            else if (line.startsWith(u"message "))
                verdict = line.mid(8);
        }
    }
    state.counters["file_KiB"] = double(QFileInfo(path).size()) / 1024;
    state.counters["peak_MiB"] = peakMib;
    state.SetLabel(verdict.toStdString());
}

BENCHMARK_CAPTURE(check, mp4_index_claims, "mp4-index-claims")->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(check, tracks_1000, "1000-tracks")->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(check, skip_frames, "skip-frames")->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(check, form_chain_23, "form-chain-23")->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(check, deep_page_tree, "deep-page-tree")->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(check, xml_comment_128m, "xml-comment-128m")->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(check, zip_8g, "zip-8g")->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);

// The child: one check under the address-space limit, its verdict and peak memory printed.
int checkOne(int argc, char** argv)
{
    const rlimit space{rlim_t(2048) << 20, rlim_t(2048) << 20};
    setrlimit(RLIMIT_AS, &space);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const olm::repair::OutputValidationResult verdict =
        olm::repair::OutputValidationService::validateOutput(QString::fromLocal8Bit(argv[2]));
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("message %s\npeak-rss-mib %ld\n", qPrintable(verdict.message.toString()), usage.ru_maxrss / 1024);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--check") == 0)
        return checkOne(argc, argv);
    QCoreApplication application(argc, argv);
    self = QCoreApplication::applicationFilePath();
    QTemporaryDir dir;
    scratch = &dir;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
