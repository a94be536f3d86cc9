#include "app/context.h"
#include "app/defaults.h"
#include "app/placeholderpage.h"
#include "app/startup.h"
#include "app/unixsignalwatcher.h"
#include "app/vm24.h"
#include "board/rk710controller.h"

#include <QApplication>
#include <QPixmapCache>
#include <QSplashScreen>
#include <QStackedWidget>
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
// be reached leaves the controller not alive and the clock untouched.
void start_controller_board(Rk710Controller& controller)
{
    if (controller.open(VM24::serial_device_path().toLocal8Bit().constData()))
        controller.initialize();
    VM24::set_system_date_time(VM24::read_rk710_date_time(&controller));
}

} // namespace

int main(int argc, char* argv[])
{
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

    QStackedWidget views;
    Context context(&views);
    PlaceholderPage placeholder(&context);
    context.addView(&placeholder);
    VM24::show_full_screen(&views);
    context.startActivity(&placeholder);
    splash->finish(&views);
    splash.reset();

    QTimer::singleShot(0, [] {
        qInfo("%s %s running", VM24::APPLICATION_NAME, VM24::APPLICATION_VERSION);
    });
    return application.exec();
}
