#include "app/mainwindow.h"
#include "board/rk710controller.h"
#include "core/defaults.h"
#include "core/unixsignalwatcher.h"
#include "core/vm24.h"
#include "ui/context.h"
#include "ui/startup.h"

#include <QApplication>
#include <QPixmapCache>
#include <QSplashScreen>
#include <QTimer>
#include <QTranslator>

#include <signal.h>

namespace {

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
    if (controller.open(VM24::serial_device_path().toLocal8Bit().constData()))
        controller.initialize(&UnixSignalWatcher::receivedFlag());
    if (!UnixSignalWatcher::receivedFlag())
        VM24::set_system_date_time(VM24::read_rk710_date_time(&controller));
}

const QSize SCREEN_SIZE(1080, 1920);

// Full screen on the machine. VM24_WINDOWED=1 shows the portrait screen as a
// window instead, for a desktop where QT_SCALE_FACTOR makes it fit.
void show_window(QWidget* window)
{
    if (VM24::get_env_bool("VM24_WINDOWED", false)) {
        window->setFixedSize(SCREEN_SIZE);
        window->show();
    } else {
        VM24::show_full_screen(window);
    }
}

} // namespace

int main(int argc, char* argv[])
{
    // Without TZ the C library looks at /etc/localtime again on every local
    // time conversion; naming the same file once makes them several times cheaper.
    if (qEnvironmentVariableIsEmpty("TZ"))
        qputenv("TZ", ":/etc/localtime");
    QApplication application(argc, argv);
    UnixSignalWatcher quitSignals({SIGTERM, SIGINT});
    QObject::connect(&quitSignals, &UnixSignalWatcher::received, &application, &QCoreApplication::quit);

    set_application_identity();
    QGuiApplication::setOverrideCursor(Qt::BlankCursor);
    VM24::configure_settings_location();

    QTranslator translator;
    VM24::install_style_sheet(application);
    VM24::load_translation(translator, VM24::start_language());
    QCoreApplication::installTranslator(&translator);

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

    MainWindow window(&controller, translator);
    show_window(&window);
    splash->finish(&window);
    splash.reset();

    QTimer::singleShot(0, [] {
        qInfo("%s %s running", VM24::APPLICATION_NAME, VM24::APPLICATION_VERSION);
    });
    if (quitSignals.hasReceived())
        QTimer::singleShot(0, &application, &QCoreApplication::quit);
    return application.exec();
}
