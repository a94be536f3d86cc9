// Requests per second through the controller against the board simulator,
// next to the bare command layer on the same line, and the CPU share of the
// controller's polling thread while the machine is idle (about 3 requests/s).
//
// Run:  build/bin/bench_controller [requests] [idle-seconds]   (default 3000, 10)
// It starts build/bin/rk710-sim itself (next to this program).

#include "board/rk710controller.h"
#include "core/vm24.h"
#include "settings/settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>
#include <cstdlib>

namespace {

// Time a thread or process has run on a CPU, from its /proc schedstat file,
// in seconds (nanosecond resolution).
double cpuSeconds(const QString& schedstatPath)
{
    QFile file(schedstatPath);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    return double(file.readAll().split(' ').value(0).toLongLong()) / 1e9;
}

// The schedstat file of the polling thread, found by the name Qt gives it
// once the thread runs.
QString readerThreadStat()
{
    const QDir tasks(QStringLiteral("/proc/self/task"));
    for (int attempt = 0; attempt < 100; ++attempt) {
        for (const QString& tid : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            QFile comm(tasks.filePath(tid + QStringLiteral("/comm")));
            if (comm.open(QIODevice::ReadOnly) && comm.readAll().trimmed().startsWith("BoardStateRead"))
                return tasks.filePath(tid + QStringLiteral("/schedstat"));
        }
        QThread::msleep(10);
    }
    return QString();
}

template <typename Call>
double requestsPerSecond(int requests, Call call, int* failures)
{
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < requests; ++i) {
        if (!call())
            ++*failures;
    }
    return requests / (double(timer.nsecsElapsed()) / 1e9);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    const int requests = argc > 1 ? std::atoi(argv[1]) : 3000;
    const int idleSeconds = argc > 2 ? std::atoi(argv[2]) : 10;

    QTemporaryDir dir;
    qputenv("VM24_APP_DIR", dir.path().toLocal8Bit());
    qputenv("VM24_SYSTEM_ACTIONS_RECORD", dir.filePath(QStringLiteral("actions.log")).toLocal8Bit());
    Settings::configureLocation();

    const QString device = dir.filePath(QStringLiteral("ttyRK710"));
    QProcess sim;
    sim.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    sim.start(QCoreApplication::applicationDirPath() + QStringLiteral("/rk710-sim"),
              {QStringLiteral("--link"), device, QStringLiteral("--no-stdin")});
    if (!sim.waitForStarted() || !sim.waitForReadyRead(5000)) {
        std::fprintf(stderr, "cannot start rk710-sim\n");
        return 1;
    }
    const QString simStat = QStringLiteral("/proc/%1/schedstat").arg(sim.processId());

    int failures = 0;
    double throughController = 0;
    double readerCpu = 0;
    double simCpu = 0;
    double idleWall = 0;
    int idleRequests = 0;
    {
        Rk710Controller controller;
        if (!controller.open(device.toLocal8Bit().constData()))
            return 1;
        controller.initialize();
        if (!controller.isAlive())
            return 1;

        const double simBefore = cpuSeconds(simStat);
        const QString stat = readerThreadStat();
        const double readerBefore = cpuSeconds(stat);
        QElapsedTimer idle;
        idle.start();
        QThread::sleep(ulong(idleSeconds));
        idleWall = double(idle.nsecsElapsed()) / 1e9;
        readerCpu = readerBefore < 0 ? -1 : cpuSeconds(stat) - readerBefore;
        simCpu = cpuSeconds(simStat) - simBefore;
        idleRequests = idleSeconds * (2 * 10 + 5 + 4) / 10; // I every 0.5 s, K every 2 s, S every 2.5 s

        throughController = requestsPerSecond(requests, [&] { return controller.readInput() != -1; }, &failures);
    }

    Rk710SerialProtocol bare;
    if (!bare.open(device.toLocal8Bit().constData()))
        return 1;
    const double direct = requestsPerSecond(requests, [&] { return bare.readInput() != -1; }, &failures);

    std::printf("requests: %d per run, failed: %d\n", requests, failures);
    std::printf("input requests through the controller (polling thread running): %.0f /s\n", throughController);
    std::printf("input requests through the bare command layer:                  %.0f /s\n", direct);
    std::printf("controller / bare: %.3f\n", throughController / direct);
    if (readerCpu < 0) {
        std::fprintf(stderr, "polling thread not found\n");
        return 1;
    }
    std::printf("idle polling for %.1f s (about %d requests): polling thread CPU %.2f ms = %.4f%% of one core "
                "(%.0f us per request); simulator CPU %.2f ms\n",
                idleWall, idleRequests, readerCpu * 1e3, 100.0 * readerCpu / idleWall, readerCpu * 1e6 / idleRequests,
                simCpu * 1e3);

    sim.terminate();
    sim.waitForFinished();
    return failures == 0 ? 0 : 1;
}
