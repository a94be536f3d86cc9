// The customer's screens on this machine: how long the program takes from
// building its main window to the painted home page, how long a touch on the
// home page takes to the painted product grid, and what the idle home page
// costs (CPU share and resident memory) with the demo catalogue and slides.
// The same is first measured, in a child process, for a bare window showing
// one full-screen picture: the floor any program of this toolkit stands on.
//
// Run (headless):   QT_QPA_PLATFORM=offscreen build/bin/bench_ui [idle seconds] [rounds]
// Run (X display):  xvfb-run -s "-screen 0 1080x1920x24" env QT_QPA_PLATFORM=xcb build/bin/bench_ui
// Defaults: 20 idle seconds, 10 rounds of touch to grid. The demo content is
// installed into a temporary application directory; no board is attached
// (VM24_SERIAL_DEVICE points nowhere), so board requests fail at once.

#include "app/machineservices.h"
#include "app/mainwindow.h"
#include "board/rk710controller.h"
#include "core/vm24.h"
#include "home/homepage.h"
#include "processusage.h"
#include "purchase/productpage.h"
#include "settings/settings.h"
#include "ui/context.h"
#include "ui/startup.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QEventLoop>
#include <QLabel>
#include <QMouseEvent>
#include <QTranslator>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <cstdlib>

namespace {

// Counts the paint events a widget receives.
class PaintCounter : public QObject
{
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// Counts the paint events of the product grid, which is built on the first
// touch: installed on the application, it sees the page from its start.
class GridPaintCounter : public PaintCounter
{
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (qobject_cast<ProductPage*>(watched))
            PaintCounter::eventFilter(watched, event);
        return false;
    }
};

bool wait_for_paint(PaintCounter& counter, int before, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (counter.paints == before && timer.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return counter.paints > before;
}

// A finger on the screen: press and release at a point of a page.
void touch(QWidget* page, const QPoint& point)
{
    QWidget* target = page->childAt(point);
    if (!target)
        target = page;
    const QPointF local = target->mapFrom(page, point);
    const QPointF global = target->mapToGlobal(local);
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &release);
}

// The floor: a bare window that shows one full-screen picture. Prints its
// build time, first paint and resident memory on one line.
int run_bare_window(const QString& picture)
{
    QElapsedTimer elapsed;
    elapsed.start();
    QLabel window;
    window.setPixmap(QPixmap(picture));
    const double constructed = elapsed.nsecsElapsed() / 1e6;
    PaintCounter paints;
    window.installEventFilter(&paints);
    window.setFixedSize(1080, 1920);
    window.show();
    if (!wait_for_paint(paints, 0, 10000))
        return 1;
    const double shown = elapsed.nsecsElapsed() / 1e6;
    cpu_share_while_idle(2);
    std::printf("%.1f %.1f %ld\n", constructed, shown, resident_kb());
    return 0;
}

struct BareWindow
{
    double constructedMs = -1;
    double shownMs = -1;
    long residentKb = -1;
};

BareWindow measure_bare_window(const QString& picture)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), { QStringLiteral("--bare"), picture });
    BareWindow bare;
    if (!child.waitForFinished(30000) || child.exitCode() != 0)
        return bare;
    const QList<QByteArray> fields = child.readAllStandardOutput().simplified().split(' ');
    if (fields.size() == 3) {
        bare.constructedMs = fields.at(0).toDouble();
        bare.shownMs = fields.at(1).toDouble();
        bare.residentKb = fields.at(2).toLong();
    }
    return bare;
}

} // namespace

int main(int argc, char* argv[])
{
    QTemporaryDir appDir;
    qputenv("VM24_APP_DIR", appDir.path().toLocal8Bit());
    qputenv("VM24_SYSTEM_ACTIONS_RECORD", appDir.filePath(QStringLiteral("actions.log")).toLocal8Bit());
    qputenv("VM24_SERIAL_DEVICE", "/nonexistent/vm24-bench-serial");
    qputenv("VM24_DEVICE_INFO_FILE", appDir.filePath(QStringLiteral("device-info.xml")).toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    QApplication application(argc, argv);
    if (argc > 2 && QByteArray(argv[1]) == "--bare")
        return run_bare_window(QString::fromLocal8Bit(argv[2]));
    const int idleSeconds = argc > 1 ? std::atoi(argv[1]) : 20;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 10;
    QCoreApplication::setOrganizationName(QStringLiteral("Korvane"));
    QCoreApplication::setApplicationName(QStringLiteral("VM24"));

    const QString installer = QStringLiteral(VM24_SOURCE_DIR "/demo/install.sh");
    if (QProcess::execute(QStringLiteral("bash"), {installer, appDir.path()}) != 0) {
        std::fprintf(stderr, "cannot install the demo content with %s\n", qPrintable(installer));
        return 1;
    }
    Settings::configureLocation();
    VM24::install_style_sheet(application);
    QTranslator translator;
    QCoreApplication::installTranslator(&translator);
    const QStringList slides = QDir(appDir.filePath(QStringLiteral("data/media"))).entryList(QDir::Files);
    const BareWindow bare = measure_bare_window(
        slides.isEmpty() ? QString() : appDir.filePath(QStringLiteral("data/media/") + slides.first()));
    std::printf("bare window with one full-screen picture: built in %.1f ms, painted after %.1f ms, RSS %ld kB\n",
                bare.constructedMs, bare.shownMs, bare.residentKb);
    Rk710Controller controller;

    QElapsedTimer elapsed;
    elapsed.start();
    MachineServices services(&controller);
    MainWindow window(&services, translator);
    const double constructed = elapsed.nsecsElapsed() / 1e6;
    PaintCounter homePaints;
    window.homePage()->installEventFilter(&homePaints);
    window.setFixedSize(1080, 1920);
    window.show();
    if (!wait_for_paint(homePaints, 0, 10000)) {
        std::fprintf(stderr, "the home page was never painted\n");
        return 1;
    }
    const double homeShown = elapsed.nsecsElapsed() / 1e6;
    std::printf("start-up: services and main window built in %.1f ms (%.1fx the bare window), home page painted after %.1f ms "
                "(%.1fx)\n",
                constructed, constructed / bare.constructedMs, homeShown, homeShown / bare.shownMs);

    const long rssBefore = resident_kb();
    double seconds = 0;
    const double cpuShare = cpu_share_while_idle(idleSeconds, &seconds);
    const long rssIdle = resident_kb();
    std::printf("idle home page for %.1f s (slideshow of %d pictures): CPU %.2f%%, RSS %ld kB (%ld kB when shown; "
                "%.1fx the bare window)\n",
                seconds, int(slides.size()), 100.0 * cpuShare, rssIdle, rssBefore, double(rssIdle) / bare.residentKb);

    // Touch on the home banner to the painted product grid, the first one
    // building the purchase pages; the session is ended between rounds (that
    // takes the credit reader's two seconds).
    GridPaintCounter gridPaints;
    application.installEventFilter(&gridPaints);
    QList<double> times;
    for (int round = 0; round < rounds; ++round) {
        const int before = gridPaints.paints;
        QElapsedTimer touchToGrid;
        touchToGrid.start();
        touch(window.homePage(), HomePage::INFO_RECTANGLE_TOP.center());
        if (!wait_for_paint(gridPaints, before, 10000)) {
            std::fprintf(stderr, "the grid was never painted\n");
            return 1;
        }
        times.append(touchToGrid.nsecsElapsed() / 1e6);
        window.productPage()->triggerEndSession();
        if (!wait_until([&] { return window.context()->currentActivity() == window.homePage(); }, 20000)) {
            std::fprintf(stderr, "the session did not end\n");
            return 1;
        }
    }
    const double first = times.first();
    std::sort(times.begin(), times.end());
    std::printf("touch on the home banner to painted grid, %d rounds: first %.1f ms, median %.1f ms, min %.1f ms, "
                "max %.1f ms\n",
                rounds, first, times.at(times.size() / 2), times.first(), times.last());
    return 0;
}
