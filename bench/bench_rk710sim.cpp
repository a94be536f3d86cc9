// The board simulator under the program's command layer: requests per second
// for answers of different sizes, the simulator's CPU time per request, and its
// CPU share while the host polls at the controller's idle rate (inputs every
// 0.5 s, presence every 2 s, status every 2.5 s).
//
// Run:  build/bin/bench_rk710sim [requests-per-kind] [idle-seconds]   (default 20000 30)
// The simulator's CPU time comes from /proc in clock ticks (10 ms), hence the
// long runs.

#include "board/rk710serialprotocol.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <unistd.h>

namespace {

// User plus system CPU time of a process, in seconds.
double processCpuSeconds(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return -1.0;
    const QByteArray text = stat.readAll();
    // Fields after the command name, which is in parentheses.
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    const double ticks = fields.value(11).toDouble() + fields.value(12).toDouble();
    return ticks / double(sysconf(_SC_CLK_TCK));
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const int requests = argc > 1 ? std::atoi(argv[1]) : 20000;
    const int idleSeconds = argc > 2 ? std::atoi(argv[2]) : 30;

    QTemporaryDir dir;
    const QString device = dir.filePath(QStringLiteral("tty"));
    QProcess sim;
    sim.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    sim.start(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("rk710-sim")),
              {QStringLiteral("--link"), device, QStringLiteral("--no-stdin")});
    if (!sim.waitForStarted(5000) || !sim.waitForReadyRead(5000)) {
        fprintf(stderr, "cannot start rk710-sim next to this program\n");
        return 1;
    }
    Rk710SerialProtocol board;
    if (!board.open(device.toLocal8Bit().constData()))
        return 1;

    struct Kind
    {
        const char* name;
        std::function<void()> request;
    };
    const Kind kinds[] = {
        {"I (4-byte answer)", [&] { board.readInput(); }},
        {"C (14-byte answer)", [&] { board.getCredit(); }},
        {"Y (26-byte answer)", [&] { board.getCounters(Rk710SerialProtocol::Permanent); }},
        {"E (empty answer)", [&] { board.setCreditEnable(true, true, false, true); }},
    };
    for (int i = 0; i < 500; ++i)
        board.readInput();
    printf("%-20s %10s %12s %10s\n", "request", "per second", "sim CPU/req", "failures");
    for (const Kind& kind : kinds) {
        int failures = 0;
        const double cpuBefore = processCpuSeconds(sim.processId());
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < requests; ++i)
        {
            kind.request();
            failures += board.errors() > 0 ? 1 : 0;
        }
        const double seconds = double(clock.nsecsElapsed()) / 1e9;
        const double cpu = processCpuSeconds(sim.processId()) - cpuBefore;
        printf("%-20s %10.0f %9.1f us %10d\n", kind.name, requests / seconds, cpu * 1e6 / requests, failures);
        fflush(stdout);
    }

    const double cpuBefore = processCpuSeconds(sim.processId());
    QElapsedTimer clock;
    clock.start();
    int polls = 0;
    for (int cycle = 0; clock.elapsed() < idleSeconds * 1000; ++cycle) {
        board.readInput();
        if (cycle % 4 == 0)
            board.readProductPresenceMask();
        if (cycle % 5 == 0)
            board.readBoardStatus();
        polls += 1 + (cycle % 4 == 0) + (cycle % 5 == 0);
        QThread::msleep(500);
    }
    const double cpu = processCpuSeconds(sim.processId()) - cpuBefore;
    const double seconds = double(clock.elapsed()) / 1000.0;
    printf("idle polling: %d requests in %.1f s (%.1f/s), simulator CPU %.2f s = %.3f %%\n", polls, seconds,
           polls / seconds, cpu, 100.0 * cpu / seconds);
    fflush(stdout);
    sim.terminate();
    sim.waitForFinished(3000);
    return 0;
}
