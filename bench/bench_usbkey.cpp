// Maintenance mode's USB key on this machine: the time from a signed level-2
// stick appearing under the watched mount directory to the maintenance menu
// shown at level 2 (through the real blkid, the real verify script and
// openssl), against the time of the external commands alone (blkid and
// "openssl pkeyutl -verify"). The authentication waits one second for the
// stick to settle by design; it is reported apart, and what remains beyond
// the external commands is the program's own share.
//
// Run:  QT_QPA_PLATFORM=offscreen build/bin/bench_usbkey [rounds]
// Default: 5 rounds. Keys and sticks live in temporary directories.

#include "processusage.h"
#include "core/vm24.h"
#include "logging/notificationservice.h"
#include "maintenance/maintenancemenu.h"
#include "maintenance/maintenancemode.h"
#include "security/usbmonitor.h"
#include "settings/settings.h"
#include "ui/activity.h"
#include "ui/context.h"
#include "usbkeyrig.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>

namespace {

const QString DEVICE = QStringLiteral("sdz1");
const QString VOLUME_ID = QStringLiteral("1a2b3c4d");
const double SETTLE_MS = 1000.0;

class IdlePage : public QWidget, public Activity
{
public:
    using Activity::Activity;
};

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

double time_command(const QString& program, const QStringList& arguments)
{
    QElapsedTimer timer;
    timer.start();
    if (UsbKeyRig::run(program, arguments) != 0)
        return -1;
    return timer.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    QTemporaryDir appDir;
    qputenv("VM24_APP_DIR", appDir.path().toLocal8Bit());
    qputenv("VM24_SYSTEM_ACTIONS_RECORD", appDir.filePath(QStringLiteral("system-actions.log")).toLocal8Bit());
    Settings::configureLocation();
    UsbKeyRig rig(appDir.path());
    if (!rig.isValid() || rig.makeStick(DEVICE, VOLUME_ID, false).isEmpty()) {
        std::fprintf(stderr, "cannot set up keys and sticks: %s\n", qPrintable(rig.error()));
        return 1;
    }
    // A signed key prepared away from the mount directory, moved in at once.
    const QString prepared = appDir.filePath(QStringLiteral("prepared"));
    rig.insertStick(DEVICE);
    if (!rig.makeKey(DEVICE, VOLUME_ID, 2) || !QDir().rename(rig.stickPath(DEVICE), prepared)) {
        std::fprintf(stderr, "cannot make the key\n");
        return 1;
    }

    QStackedWidget views;
    Context context(&views);
    IdlePage home(&context);
    context.addView(&home);
    views.resize(1080, 1920);
    views.show();
    context.startActivity(&home);
    VM24::NotificationService notifications;
    UsbMonitor usb;
    MaintenanceMode mode(&usb, &notifications, &context, &views);
    QObject::connect(&usb, &UsbMonitor::usbStick, &views, [&](bool present) {
        if (present)
            QTimer::singleShot(0, &views, [&] { context.startActivity(&mode); });
    });

    QList<double> toMenu;
    for (int round = 0; round < rounds; ++round) {
        QElapsedTimer timer;
        timer.start();
        QDir().rename(prepared, rig.stickPath(DEVICE));
        if (!wait_until([&] { return mode.menu()->isVisible(); }, 60000) || mode.userLevel() != 2) {
            std::fprintf(stderr, "the menu was not shown at level 2 (level %d)\n", mode.userLevel());
            return 1;
        }
        toMenu.append(timer.nsecsElapsed() / 1e6);
        // Out of the menu; the stick goes back to where it was prepared.
        QTimer::singleShot(300, &views, [&] { QDir().rename(rig.stickPath(DEVICE), prepared); });
        mode.menu()->reject();
        if (!wait_until([&] { return context.currentActivity() == &home; }, 20000)) {
            std::fprintf(stderr, "maintenance mode did not end\n");
            return 1;
        }
    }

    const QString manifest = prepared + QStringLiteral("/.vm24-security/manifest.txt");
    QList<double> blkid, verify, script;
    for (int round = 0; round < rounds; ++round) {
        blkid.append(time_command(QStringLiteral("blkid"), {QStringLiteral("-c"), QStringLiteral("/dev/null"),
                                                             QStringLiteral("-s"), QStringLiteral("UUID"),
                                                             QStringLiteral("-o"), QStringLiteral("value"),
                                                             rig.devDir() + QLatin1Char('/') + DEVICE}));
        verify.append(time_command(QStringLiteral("openssl"),
                                   {QStringLiteral("pkeyutl"), QStringLiteral("-verify"), QStringLiteral("-rawin"),
                                    QStringLiteral("-pubin"), QStringLiteral("-inkey"),
                                    appDir.filePath(QStringLiteral("vm24-public.pem")), QStringLiteral("-in"),
                                    manifest, QStringLiteral("-sigfile"), manifest + QStringLiteral(".sig")}));
        script.append(time_command(appDir.filePath(QStringLiteral("verify_manifest.sh")),
                                   {manifest, appDir.filePath(QStringLiteral("vm24-public.pem"))}));
    }
    const double commands = median(blkid) + median(verify);
    const double total = median(toMenu);
    std::printf("stick to menu at level 2, %d rounds: median %.1f ms (min %.1f, max %.1f)\n", rounds, total,
                *std::min_element(toMenu.begin(), toMenu.end()), *std::max_element(toMenu.begin(), toMenu.end()));
    std::printf("  of which the settle wait: %.0f ms\n", SETTLE_MS);
    std::printf("  external commands alone: blkid %.1f ms + openssl verify %.1f ms = %.1f ms\n", median(blkid),
                median(verify), commands);
    std::printf("  the verify script around openssl: %.1f ms\n", median(script));
    std::printf("  program's own share: %.1f ms (watcher, file copies, process starts, dialogs)\n",
                total - SETTLE_MS - commands);
    return 0;
}
