#include "app/applog.h"
#include "app/machineservices.h"
#include "app/mainwindow.h"
#include "board/rk710controller.h"
#include "core/defaults.h"
#include "core/unixsignalwatcher.h"
#include "core/vm24.h"
#include "settings/settings.h"
#include "settings/settingsmanager.h"
#include "ui/context.h"
#include "ui/scaledwindow.h"
#include "ui/startup.h"
#include "ui/storagefaultscreen.h"

#include <QApplication>
#include <QPixmapCache>
#include <QSplashScreen>
#include <QTimer>
#include <QTranslator>

#include <memory>

#include <malloc.h>
#include <signal.h>

namespace {

// Pictures, decoded slideshow frames and window buffers take a megabyte or
// more each. By default the C library raises its mapping threshold to the
// size of the largest block freed, after which such blocks come from the
// heaps of the threads that decode them and, once freed, leave those heaps
// resident and fragmented: the process grew by megabytes after each
// maintenance visit or pushed update, for good. A fixed threshold keeps every
// large block in a mapping of its own, given back when it is freed.
const int LARGE_BLOCK_BYTES = 128 * 1024;
// Each thread that allocates may otherwise get a heap of its own, up to
// eight per core (two on a 32-bit system). The pool threads come and go, so
// their small blocks end up spread over many heaps whose free pieces are
// never given back: the process grew by some 20 kB at each maintenance
// visit, push or alarm, and stayed flat with two heaps. The few threads that
// allocate at once hardly wait on each other for it. MALLOC_ARENA_MAX in the
// environment still decides.
const int ALLOCATOR_HEAPS = 2;

void tune_allocator()
{
#ifdef __GLIBC__
    mallopt(M_MMAP_THRESHOLD, LARGE_BLOCK_BYTES);
    if (qEnvironmentVariableIsEmpty("MALLOC_ARENA_MAX"))
        mallopt(M_ARENA_MAX, ALLOCATOR_HEAPS);
#endif
}

void set_application_identity()
{
    QCoreApplication::setApplicationName(QLatin1String(VM24::APPLICATION_NAME));
    QCoreApplication::setApplicationVersion(QLatin1String(VM24::APPLICATION_VERSION));
    QCoreApplication::setOrganizationName(QLatin1String(VM24::ORGANIZATION_NAME));
    QCoreApplication::setOrganizationDomain(QLatin1String(VM24::ORGANIZATION_DOMAIN));
}

// The controller board comes up before the main window: the line is opened
// on VM24::serial_device_path() and the start-up exchange runs, then the
// system clock follows the board's battery-backed clock. A board that cannot
// be reached leaves the controller not alive and the clock untouched. A stop
// asked for meanwhile cuts the exchange short.
void start_controller_board(Rk710Controller& controller)
{
    SettingsManager::bindController(&controller);
    // Direct, after the settings keep the serial: the machine is named after
    // the board's serial before the exchange goes on, at start-up and at
    // every recovery.
    QObject::connect(&controller, &Rk710Controller::serialReported, &controller, &VM24::change_hostname,
                     Qt::DirectConnection);
    // Set by an accelerated run only; the machine keeps the board's periods.
    controller.setPollSpeedup(VM24::get_env_int("VM24_POLL_SPEEDUP", 1));
    if (controller.open(VM24::serial_device_path().toLocal8Bit().constData()))
        controller.initialize(&UnixSignalWatcher::receivedFlag());
    if (!UnixSignalWatcher::receivedFlag())
        VM24::set_system_date_time(VM24::read_rk710_date_time(&controller));
}

const QSize SCREEN_SIZE(1080, 1920);
const qreal MIN_WINDOW_SCALE = 0.1;
const qreal MAX_WINDOW_SCALE = 4;

// VM24_WINDOW_SCALE, 1 when unset or out of range.
qreal window_scale()
{
    const QString text = qEnvironmentVariable("VM24_WINDOW_SCALE");
    if (text.isEmpty())
        return 1;
    bool ok = false;
    const qreal scale = text.toDouble(&ok);
    if (ok && scale >= MIN_WINDOW_SCALE && scale <= MAX_WINDOW_SCALE)
        return scale;
    qCWarning(appLog, "VM24_WINDOW_SCALE=%s is not a scale from %g to %g: the window is shown at full size",
             qPrintable(text), MIN_WINDOW_SCALE, MAX_WINDOW_SCALE);
    return 1;
}

// Full screen on the machine. VM24_WINDOWED=1 shows the portrait screen as a
// window instead, for a desktop; VM24_WINDOW_SCALE sizes it (0.5: half).
// Returns the window that shows it when that is not the given one.
std::unique_ptr<QWidget> show_window(QWidget* window)
{
    if (!VM24::get_env_bool("VM24_WINDOWED", false)) {
        VM24::show_full_screen(window);
        return nullptr;
    }
    window->setFixedSize(SCREEN_SIZE);
    const qreal scale = window_scale();
    if (qFuzzyCompare(scale, 1)) {
        window->show();
        return nullptr;
    }
    auto scaled = std::make_unique<ScaledWindow>(window, scale);
    scaled->setWindowTitle(window->windowTitle());
    scaled->show();
    return scaled;
}

// Without a writable state directory no sale could be booked: the board is
// left alone (its line is not even opened) and the screen says why. The
// program stays up, since an exit would only bring it back at once; when the
// directory takes files again it ends for a restart into a normal start.
int wait_for_writable_state_directory(QApplication& application, const UnixSignalWatcher& quitSignals)
{
    qCCritical(appLog, "The state directory %s cannot be written: sales suspended, the board left alone; "
                       "looking again every %d s",
               qPrintable(VM24::application_dir()), StorageFaultScreen::RETRY_INTERVAL_MS / 1000);
    StorageFaultScreen screen;
    const std::unique_ptr<QWidget> frame = show_window(&screen);
    QObject::connect(&screen, &StorageFaultScreen::writable, &application, [] {
        qCInfo(appLog, "The state directory %s can be written again: restarting",
               qPrintable(VM24::application_dir()));
        QCoreApplication::quit();
    });
    if (quitSignals.hasReceived())
        QTimer::singleShot(0, &application, &QCoreApplication::quit);
    return application.exec();
}

} // namespace

int main(int argc, char* argv[])
{
    tune_allocator();
    // Without TZ the C library looks at /etc/localtime again on every local
    // time conversion; naming the same file once makes them several times cheaper.
    if (qEnvironmentVariableIsEmpty("TZ"))
        qputenv("TZ", ":/etc/localtime");
    QApplication application(argc, argv);
    UnixSignalWatcher quitSignals({SIGTERM, SIGINT});
    QObject::connect(&quitSignals, &UnixSignalWatcher::received, &application, &QCoreApplication::quit);

    set_application_identity();
    QGuiApplication::setOverrideCursor(Qt::BlankCursor);
    Settings::configureLocation();

    QTranslator translator;
    VM24::install_style_sheet(application);
    VM24::load_translation(translator, VM24::start_language());
    QCoreApplication::installTranslator(&translator);
    if (!VM24::application_dir_writable())
        return wait_for_writable_state_directory(application, quitSignals);

    QPixmapCache::setCacheLimit(VM24::PIXMAP_CACHE_LIMIT_KB);
    std::unique_ptr<QSplashScreen> splash = VM24::show_splash_screen();

    // Declared before the window, so it outlives it: the reader thread is
    // stopped and joined after the window is gone.
    Rk710Controller controller;
    start_controller_board(controller);
    // A stop that came while starting reached no event loop: it is honoured
    // here, or as soon as the loop runs.
    if (quitSignals.hasReceived())
        return 0;

    // Declared before the window, which is wired to them, so they outlive it.
    MachineServices services(&controller);
    MainWindow window(&services, translator);
    // Declared after the window, so it hands the window back before it goes.
    const std::unique_ptr<QWidget> frame = show_window(&window);
    splash->finish(frame ? frame.get() : &window);
    splash.reset();

    QTimer::singleShot(0, [] {
        qCInfo(appLog, "%s %s running", VM24::APPLICATION_NAME, VM24::APPLICATION_VERSION);
    });
    if (quitSignals.hasReceived())
        QTimer::singleShot(0, &application, &QCoreApplication::quit);
    return application.exec();
}
