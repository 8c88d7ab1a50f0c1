// Runs output validation of one file in a process of its own, under an address-space limit, and
// prints what it found: the verdict, the time the check took, the process's peak memory and, when
// asked to stop the check after a while, how long the stop took to end it.
// Usage: validation_probe <path> [stop-after-ms]; KORVEX_PROBE_ADDRESS_SPACE_MIB sets the limit
// (2048 by default).

#include "app/output_validation_service.h"

#include <QElapsedTimer>
#include <QGuiApplication>

#include <sys/resource.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>

using namespace olm::repair;

int main(int argc, char** argv)
{
    const QByteArray limit = qgetenv("KORVEX_PROBE_ADDRESS_SPACE_MIB");
    const rlim_t mib = limit.isEmpty() ? 2048 : rlim_t(limit.toULongLong());
    const rlimit space{mib << 20, mib << 20};
    if (setrlimit(RLIMIT_AS, &space) != 0) {
        std::perror("setrlimit");
        return 2;
    }
    QGuiApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 2)
        return 2;
    const QString path = arguments.at(1);
    const int stopAfter = arguments.size() > 2 ? arguments.at(2).toInt() : -1;

    std::atomic<bool> stop{false};
    std::atomic<bool> done{false};
    ValidationControl control;
    control.cancelled = [&stop] { return stop.load(); };
    OutputValidationResult verdict;
    QElapsedTimer clock;
    clock.start();
    qint64 finishedAt = 0;
    std::thread check([&] {
        verdict = OutputValidationService::validateOutput(path, control);
        finishedAt = clock.elapsed();
        done = true;
    });
    qint64 stoppedAt = -1;
    if (stopAfter >= 0) {
        while (!done && clock.elapsed() < stopAfter)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        if (!done) {
            stoppedAt = clock.elapsed();
            stop = true;
        }
    }
    check.join();

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("valid %d\n", verdict.valid ? 1 : 0);
    std::printf("message %s\n", qPrintable(verdict.message.toString()));
    std::printf("elapsed-ms %lld\n", static_cast<long long>(finishedAt));
    std::printf("peak-rss-mib %ld\n", usage.ru_maxrss / 1024);
    if (stopAfter >= 0)
        std::printf("stop-latency-ms %lld\n", static_cast<long long>(stoppedAt < 0 ? -1 : finishedAt - stoppedAt));
    return 0;
}
