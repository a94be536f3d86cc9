// The machine's services on their own, as a program without a screen would
// run them: they build no widget, and their start books the credit left on
// the board and slots the window's tasks in among their own.

#include "app/machineservices.h"
#include "board/rk710controller.h"
#include "logging/overpaynotification.h"
#include "rk710simprocess.h"
#include "settings/settings.h"
#include "tasks/nightlychecktask.h"
#include "tasks/taskscheduler.h"
#include "testenvironment.h"

#include <QApplication>
#include <QtTest>

namespace {

class OverpayRecorder : public INotificationHandler<VM24::NotificationBase>
{
public:
    void handle(VM24::NotificationBase* notification) override
    {
        if (auto* overpay = dynamic_cast<VM24::OverpayNotification*>(notification))
            overpays.append(overpay->amount());
    }
    QList<int> overpays;
};

} // namespace

class MachineServicesTest : public QObject
{
    Q_OBJECT

private slots:
    void startWithoutAWindow()
    {
        TestEnvironment::ScopedAppDir appDir;
        const QJsonObject timings{{"motorMs", 50}, {"payoutMs", 50}, {"coinMs", 5}, {"watchdogMs", 600000}};
        Rk710SimProcess sim({{"credit", QJsonObject{{"bill", 0}, {"coins", 70}}}, {"timings", timings}});
        QVERIFY2(sim.start(), qPrintable(sim.errorString()));
        Rk710Controller controller;
        QVERIFY(controller.open(sim.devicePath().toLocal8Bit().constData()));
        controller.initialize();
        QVERIFY(controller.isAlive());

        MachineServices services(&controller);
        OverpayRecorder recorded;
        services.notificationService()->addHandler(&recorded);
        QCOMPARE(services.scheduler(), nullptr);
        services.initialize();
        QVERIFY(services.scheduler()->isRegistered(services.contentUpdateTask()));
        QVERIFY(services.scheduler()->taskCount() > 5);
        QVERIFY(services.scheduler()->isActive());
        QCOMPARE(recorded.overpays, QList<int>({70}));
        QVERIFY2(QApplication::allWidgets().isEmpty(), "the services built a widget");

        services.close();
        QCOMPARE(services.scheduler(), nullptr);
    }
};

QTEST_MAIN(MachineServicesTest)
#include "tst_machineservices.moc"
