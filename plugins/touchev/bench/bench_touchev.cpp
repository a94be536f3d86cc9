// Benchmark of the touchscreen plug-in.
//
// Run (after building):
//     build/bin/bench_touchev [reports]
// It needs no display: it uses Qt's offscreen platform on a 1080 x 1920
// screen and a named pipe as the touchscreen.
//
// Prints, side by side in one run:
//  - reports per second through the handler alone (events counted where the
//    handler hands them to the window system), with and without compression;
//  - reports per second from the pipe to a widget's mouse events, through the
//    plug-in loaded by Qt's plug-in factory;
//  - latency from a touch-down written to the pipe to the widget's press event.

#include "coordtransform.h"
#include "touchevmousehandler.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QGenericPluginFactory>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QThread>
#include <QWidget>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray record(int type, int code, int value)
{
    input_event event = {};
    event.type = quint16(type);
    event.code = quint16(code);
    event.value = value;
    return QByteArray(reinterpret_cast<const char*>(&event), sizeof event);
}

QByteArray report(int x, int y)
{
    return record(EV_ABS, ABS_X, x) + record(EV_ABS, ABS_Y, y) + record(EV_SYN, SYN_REPORT, 0);
}

QByteArray touch(bool down, int x, int y)
{
    return record(EV_KEY, BTN_TOUCH, down ? 1 : 0) + report(x, y);
}

// reports moves, every one to a new point.
QByteArray moves(int reports)
{
    QByteArray data;
    data.reserve(reports * 3 * TouchevMouseHandler::RECORD_SIZE);
    for (int i = 0; i < reports; ++i)
        data += report(100 + i % 3000, 200 + (i * 7) % 3000);
    return data;
}

bool writeAll(int fd, const QByteArray& data)
{
    qsizetype done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.constData() + done, size_t(data.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        done += n;
    }
    return true;
}

// Writes the data into the pipe (blocking) while the GUI thread reads.
class Writer : public QThread
{
public:
    Writer(int fd, QByteArray data)
        : m_fd(fd)
        , m_data(std::move(data))
    {
    }
    void run() override { writeAll(m_fd, m_data); }

private:
    int m_fd;
    QByteArray m_data;
};

class CountingHandler : public TouchevMouseHandler
{
public:
    using TouchevMouseHandler::TouchevMouseHandler;
    int count = 0;
    QPoint last;

protected:
    void mouseChanged(const QPoint& pos, int) override
    {
        ++count;
        last = pos;
    }
};

class Target : public QWidget
{
public:
    int moves = 0;
    int presses = 0;
    int releases = 0;
    QPoint lastMove;

protected:
    void mouseMoveEvent(QMouseEvent* e) override
    {
        ++moves;
        lastMove = e->globalPosition().toPoint();
    }
    void mousePressEvent(QMouseEvent*) override { ++presses; }
    void mouseReleaseEvent(QMouseEvent*) override { ++releases; }
};

bool waitFor(const std::function<bool()>& done, int timeoutMs = 60000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    }
    return true;
}

QPoint screenPoint(int x, int y)
{
    std::unique_ptr<TouchevMouseHandler::CoordTransform> t(TouchevMouseHandler::CoordTransform::create(270));
    t->setHardwareLimits(QSize(4095, 4095));
    return t->apply(QPoint(x, y));
}

void handlerAlone(int reports, bool compression)
{
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        return;
    ::fcntl(fds[0], F_SETFL, O_NONBLOCK);
    auto* transform = TouchevMouseHandler::CoordTransform::create(270);
    transform->setHardwareLimits(QSize(4095, 4095));
    CountingHandler handler(QStringLiteral("touchev"), QStringLiteral("pipe"), fds[0], compression, 0, transform);
    const QByteArray data = moves(reports);
    const QPoint lastPoint = screenPoint(100 + (reports - 1) % 3000, 200 + ((reports - 1) * 7) % 3000);

    Writer writer(fds[1], data);
    QElapsedTimer timer;
    timer.start();
    writer.start();
    const bool ok = waitFor([&] { return writer.isFinished() && handler.last == lastPoint; });
    const double seconds = timer.nsecsElapsed() / 1e9;
    writer.wait();
    ::close(fds[1]);
    std::printf("handler alone, %-13s %9d reports %8.3f s %12.0f reports/s %9d events%s\n",
                compression ? "compressed:" : "uncompressed:", reports, seconds, reports / seconds,
                handler.count, ok ? "" : "  (timed out)");
}

void throughPlugin(int reports, const QString& fifo, Target& target)
{
    std::unique_ptr<QObject> handler(
        QGenericPluginFactory::create(QStringLiteral("touchev"), fifo + ":nocompress:limits=4095x4095"));
    if (!handler) {
        std::printf("plug-in not found (build it first: cmake --build build)\n");
        return;
    }
    const int fd = ::open(fifo.toLocal8Bit().constData(), O_WRONLY | O_CLOEXEC);
    const QPoint lastPoint = screenPoint(100 + (reports - 1) % 3000, 200 + ((reports - 1) * 7) % 3000);
    target.moves = 0;

    Writer writer(fd, moves(reports));
    QElapsedTimer timer;
    timer.start();
    writer.start();
    const bool ok = waitFor([&] { return writer.isFinished() && target.lastMove == lastPoint; });
    const double seconds = timer.nsecsElapsed() / 1e9;
    writer.wait();
    std::printf("plug-in to widget, uncompressed: %9d reports %8.3f s %12.0f reports/s %9d move events%s\n",
                reports, seconds, reports / seconds, target.moves, ok ? "" : "  (timed out)");

    // Latency: one touch-down at a time, from the write to the press event.
    const int samples = 2000;
    QList<qint64> latencies;
    latencies.reserve(samples);
    for (int i = 0; i < samples; ++i) {
        const int before = target.presses;
        QElapsedTimer latency;
        latency.start();
        writeAll(fd, touch(true, 1000 + i % 100, 1000));
        if (!waitFor([&] { return target.presses > before; }, 5000))
            break;
        latencies.append(latency.nsecsElapsed());
        const int released = target.releases;
        writeAll(fd, touch(false, 1000 + i % 100, 1000));
        waitFor([&] { return target.releases > released; }, 5000);
    }
    ::close(fd);
    if (latencies.isEmpty())
        return;
    std::sort(latencies.begin(), latencies.end());
    auto us = [&](double q) { return latencies.at(qMin(latencies.size() - 1, int(q * latencies.size()))) / 1000.0; };
    std::printf("touch-down to press event (%lld samples): median %.1f us, 99%% %.1f us, max %.1f us\n",
                qlonglong(latencies.size()), us(0.5), us(0.99), latencies.last() / 1000.0);
}

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir dir;
    const QString config = dir.filePath(QStringLiteral("portrait.json"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly))
        return 1;
    file.write(R"({"windowFrameMargins": false, "screens": [{"name": "portrait", "x": 0, "y": 0,
                  "width": 1080, "height": 1920, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    file.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toLocal8Bit());

    QApplication app(argc, argv);
    QCoreApplication::addLibraryPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../plugins"));
    const int reports = argc > 1 ? QByteArray(argv[1]).toInt() : 200000;
    std::printf("input record size %d bytes\n", TouchevMouseHandler::RECORD_SIZE);

    handlerAlone(reports, false);
    handlerAlone(reports, true);

    Target target;
    target.setMouseTracking(true);
    target.setGeometry(0, 0, 1080, 1920);
    target.show();
    const QString fifo = dir.filePath(QStringLiteral("touchscreen"));
    if (::mkfifo(fifo.toLocal8Bit().constData(), 0600) != 0)
        return 1;
    throughPlugin(reports, fifo, target);
    return 0;
}
