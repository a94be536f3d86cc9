#include "processusage.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTimer>

#include <sys/resource.h>

double process_cpu_seconds()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
        + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

long resident_kb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

double cpu_share_while_idle(int seconds, double* wallSeconds)
{
    const double cpuBefore = process_cpu_seconds();
    QElapsedTimer wall;
    wall.start();
    QEventLoop loop;
    QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
    loop.exec();
    const double elapsed = wall.nsecsElapsed() / 1e9;
    if (wallSeconds)
        *wallSeconds = elapsed;
    return (process_cpu_seconds() - cpuBefore) / elapsed;
}

bool wait_until(const std::function<bool()>& condition, int timeoutMs)
{
    // Sleeps between events, woken at least every 2 ms: a wait that polled
    // would count its own CPU as the program's.
    QElapsedTimer timer;
    timer.start();
    QTimer wake;
    wake.start(2);
    while (!condition() && timer.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return condition();
}
