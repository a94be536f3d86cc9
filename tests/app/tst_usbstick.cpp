// A USB stick and the main window: plugged in during a purchase it waits in
// the pending queue and never interrupts the purchase, pulled out it leaves
// the queue; plugged in on the home page it opens maintenance mode, and the
// program's end unmounts a stick still in.

#include "app/machineservices.h"
#include "app/mainwindow.h"
#include "board/rk710controller.h"
#include "core/systemactions.h"
#include "home/homepage.h"
#include "maintenance/maintenancemenu.h"
#include "maintenance/maintenancemode.h"
#include "purchase/productpage.h"
#include "security/usbmonitor.h"
#include "testenvironment.h"
#include "ui/context.h"
#include "ui/pendingactivityqueue.h"
#include "usbkeyrig.h"

#include <QApplication>
#include <QLabel>
#include <QTranslator>
#include <QtTest>

#include <memory>

class UsbStickTest : public QObject
{
    Q_OBJECT

private slots:
    void stickWaitsForThePurchaseToEnd()
    {
        TestEnvironment::ScopedAppDir appDir;
        UsbKeyRig rig(appDir.path());
        QVERIFY2(rig.isValid(), qPrintable(rig.error()));
        Rk710Controller controller;
        QTranslator translator;
        MachineServices services(&controller);
        MainWindow window(&services, translator);
        QVERIFY(QTest::qWaitFor([&] { return window.context()->currentActivity() == window.homePage(); }, 20000));
        QCOMPARE(services.usbMonitor()->watchedDir(), rig.mediaDir());

        window.context()->startActivity(window.productPage());
        QCOMPARE(window.context()->currentActivity(), window.productPage());
        QVERIFY(!rig.makeStick(QStringLiteral("sdz1"), QStringLiteral("0a0b0c0d")).isEmpty());
        QVERIFY(QTest::qWaitFor([&] { return !services.pendingActivities()->isEmpty(); }, 5000));
        QCOMPARE(window.context()->currentActivity(), window.productPage());
        QVERIFY(rig.removeStick(QStringLiteral("sdz1")));
        QVERIFY(QTest::qWaitFor([&] { return services.pendingActivities()->isEmpty(); }, 5000));
        QCOMPARE(window.context()->currentActivity(), window.productPage());

        // Back on the home page, the stick opens maintenance mode: no key, level 1.
        rig.insertStick(QStringLiteral("sdz1"));
        QVERIFY(QTest::qWaitFor([&] { return !services.pendingActivities()->isEmpty(); }, 5000));
        window.productPage()->triggerEndSession();
        QVERIFY(QTest::qWaitFor([&] { return window.maintenanceMode()->menu()->isVisible(); }, 30000));
        QCOMPARE(window.maintenanceMode()->menu()->levelLabel()->text(), QStringLiteral("Utente livello 1"));
        QVERIFY(services.pendingActivities()->isEmpty());

        const qsizetype before = SystemActions::recordedActions().size();
        services.deinit();
        const QList<QStringList> actions = SystemActions::recordedActions().mid(before);
        QVERIFY(actions.contains(QStringList{QStringLiteral("umount"), rig.stickPath(QStringLiteral("sdz1"))}));
    }
};

QTEST_MAIN(UsbStickTest)
#include "tst_usbstick.moc"
