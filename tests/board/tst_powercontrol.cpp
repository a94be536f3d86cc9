#include "board/powercontrol.h"
#include "board/shutdownsystemcall.h"

#include "core/systemactions.h"
#include "builtprogram.h"
#include "settings/settings.h"
#include "testenvironment.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QSignalSpy>
#include <QtTest>

namespace {

// A copy of this test program run with this variable set leaves a reboot
// pending when it ends, to show that the command runs at program exit.
const char* const PENDING_REBOOT_CHILD = "VM24_TEST_LEAVE_REBOOT_PENDING";

void set_battery_threshold(const QVariant& value)
{
    QSettings settings;
    settings.setValue(QStringLiteral("battery-threshold"), value);
}

} // namespace

class PowerControlTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanupTestCase()
    {
        if (qEnvironmentVariableIsSet(PENDING_REBOOT_CHILD))
            ShutdownSystemCall::instance().setMode(ShutdownSystemCall::Reboot);
    }

    void init()
    {
        QFile::remove(SystemActions::recordPath());
    }

    void cleanup()
    {
        ShutdownSystemCall::instance().setMode(ShutdownSystemCall::None);
    }

    void batteryThresholdComesFromTheSettingsWithAFloor_data()
    {
        QTest::addColumn<QVariant>("setting");
        QTest::addColumn<int>("threshold");
        QTest::newRow("absent") << QVariant() << 5000;
        QTest::newRow("explicit") << QVariant(2500) << 2500;
        QTest::newRow("below the floor") << QVariant(200) << 1000;
        QTest::newRow("not a number") << QVariant(QStringLiteral("soon")) << 1000;
    }

    void batteryThresholdComesFromTheSettingsWithAFloor()
    {
        QFETCH(QVariant, setting);
        QFETCH(int, threshold);
        TestEnvironment::ScopedAppDir appDir;
        if (setting.isValid())
            set_battery_threshold(setting);
        PowerControl control;
        control.setBatteryThreshold(Settings().value(Settings::BatteryThresholdMs));
        QCOMPARE(control.batteryThreshold(), threshold);
    }

    // Mains lost for less than the threshold is forgiven; lost again, the
    // whole threshold must pass anew before the machine powers off.
    void onlyTheWholeThresholdOnBatteryPowersOff()
    {
        TestEnvironment::ScopedAppDir appDir;
        set_battery_threshold(2000);
        PowerControl control;
        control.setBatteryThreshold(Settings().value(Settings::BatteryThresholdMs));
        QSignalSpy quits(&control, &PowerControl::quitRequested);

        // Half the threshold on battery, then past the time the count would have ended.
        control.onAlarmsChanged(VM24::BatteryPowerAlarm | VM24::TamperAlarm);
        QTest::qWait(1000);
        control.onAlarmsChanged(VM24::TamperAlarm);
        QVERIFY(!control.isOnBatteryCountdown());
        QTest::qWait(1400);
        QCOMPARE(quits.count(), 0);

        QElapsedTimer sinceMainsLost;
        qint64 quitAfterMs = -1;
        connect(&control, &PowerControl::quitRequested, this, [&] { quitAfterMs = sinceMainsLost.elapsed(); });
        sinceMainsLost.start();
        control.onAlarmsChanged(VM24::BatteryPowerAlarm);
        // Further alarm changes while on battery do not restart the count.
        // A restarted count would end at 3900 ms; a loaded machine may be late by a few hundred.
        QTest::qWait(1900);
        control.onAlarmsChanged(VM24::BatteryPowerAlarm | VM24::ProductsNotAvailableAlarm);
        // A stalled machine may have ended the count during the wait above.
        QTRY_COMPARE_WITH_TIMEOUT(quits.count(), 1, 5000);
        QVERIFY2(quitAfterMs >= 1990, qPrintable(QString::number(quitAfterMs)));
        QVERIFY2(quitAfterMs < 3800, qPrintable(QString::number(quitAfterMs)));

        QCOMPARE(quits.at(0).at(0).value<PowerControl::Action>(), PowerControl::EmergencyShutdown);
        QCOMPARE(control.action(), PowerControl::EmergencyShutdown);
        QCOMPARE(ShutdownSystemCall::instance().mode(), ShutdownSystemCall::PowerOff);
        // Nothing runs before the program has ended.
        QVERIFY(SystemActions::recordedActions().isEmpty());
    }

    void eachActionEndsTheProgramWithItsSystemCommand_data()
    {
        QTest::addColumn<int>("action");
        QTest::addColumn<int>("mode");
        QTest::newRow("restart") << int(PowerControl::Restart) << int(ShutdownSystemCall::None);
        QTest::newRow("reboot") << int(PowerControl::Reboot) << int(ShutdownSystemCall::Reboot);
        QTest::newRow("shutdown") << int(PowerControl::Shutdown) << int(ShutdownSystemCall::PowerOff);
        QTest::newRow("emergency") << int(PowerControl::EmergencyShutdown) << int(ShutdownSystemCall::PowerOff);
        QTest::newRow("unknown value") << 9 << int(ShutdownSystemCall::None);
    }

    void eachActionEndsTheProgramWithItsSystemCommand()
    {
        QFETCH(int, action);
        QFETCH(int, mode);
        PowerControl control;
        ShutdownSystemCall::instance().setMode(ShutdownSystemCall::Reboot);
        QSignalSpy quits(&control, &PowerControl::quitRequested);

        control.doAction(PowerControl::Action(action));

        QCOMPARE(quits.count(), 1);
        QCOMPARE(int(ShutdownSystemCall::instance().mode()), mode);
    }

    void noActionKeepsTheProgramRunning()
    {
        PowerControl control;
        QSignalSpy quits(&control, &PowerControl::quitRequested);
        control.doAction(PowerControl::None);
        control.setEnabled(false);
        control.setEnabled(true);
        QCOMPARE(quits.count(), 0);
        QCOMPARE(ShutdownSystemCall::instance().mode(), ShutdownSystemCall::None);
    }

    // A vending session disables the control; a reboot asked meanwhile is
    // carried out when the session ends, and only once.
    void aPendingActionWaitsWhileDisabled()
    {
        PowerControl control;
        QSignalSpy quits(&control, &PowerControl::quitRequested);

        control.setEnabled(false);
        control.doAction(PowerControl::Reboot);
        QCOMPARE(quits.count(), 0);
        QCOMPARE(ShutdownSystemCall::instance().mode(), ShutdownSystemCall::None);

        control.setEnabled(true);
        QCOMPARE(quits.count(), 1);
        QCOMPARE(ShutdownSystemCall::instance().mode(), ShutdownSystemCall::Reboot);

        control.setEnabled(false);
        control.setEnabled(true);
        QCOMPARE(quits.count(), 1);
    }

    // The threshold passed during a session, but mains came back before the
    // session ended: nothing happens when the control is enabled again.
    void mainsBackBeforeEnablingCancelsTheEmergency()
    {
        TestEnvironment::ScopedAppDir appDir;
        set_battery_threshold(1000);
        PowerControl control;
        QSignalSpy quits(&control, &PowerControl::quitRequested);
        control.setEnabled(false);

        control.onAlarmsChanged(VM24::BatteryPowerAlarm);
        QTRY_VERIFY_WITH_TIMEOUT(control.isThresholdExceeded(), 5000);
        // Still on battery: the count does not start again.
        control.onAlarmsChanged(VM24::BatteryPowerAlarm | VM24::TamperAlarm);
        QVERIFY(!control.isOnBatteryCountdown());
        control.onAlarmsChanged({});
        QVERIFY(!control.isThresholdExceeded());

        control.setEnabled(true);
        QCOMPARE(quits.count(), 0);
    }

    void anEmergencyOverridesARequestedRestart()
    {
        PowerControl control;
        QSignalSpy quits(&control, &PowerControl::quitRequested);
        control.setEnabled(false);
        control.doAction(PowerControl::Restart);
        control.setThresholdExceeded();
        control.setEnabled(true);

        QCOMPARE(quits.count(), 1);
        QCOMPARE(control.action(), PowerControl::EmergencyShutdown);
        QCOMPARE(ShutdownSystemCall::instance().mode(), ShutdownSystemCall::PowerOff);
    }

    void theSystemCommandRunsOnceThroughTheSystemActions()
    {
        ShutdownSystemCall& call = ShutdownSystemCall::instance();
        QVERIFY(call.execute());
        QVERIFY(SystemActions::recordedActions().isEmpty());

        call.setMode(ShutdownSystemCall::PowerOff);
        QVERIFY(call.execute());
        call.setMode(ShutdownSystemCall::Reboot);
        QVERIFY(call.execute());
        QVERIFY(call.execute());

        const QList<QStringList> expected{{QStringLiteral("systemctl"), QStringLiteral("poweroff")},
                                          {QStringLiteral("reboot")}};
        QCOMPARE(SystemActions::recordedActions(), expected);
        QCOMPARE(call.mode(), ShutdownSystemCall::None);
    }

    void aPendingCommandRunsWhenTheApplicationEnds()
    {
        if (qEnvironmentVariableIsSet(PENDING_REBOOT_CHILD))
            QSKIP("this is the child run");
        QTemporaryDir dir;
        const QString record = dir.filePath(QStringLiteral("child-actions.log"));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QString::fromLatin1(PENDING_REBOOT_CHILD), QStringLiteral("1"));
        environment.insert(QStringLiteral("VM24_SYSTEM_ACTIONS_RECORD"), record);
        QProcess child;
        child.setProcessEnvironment(environment);
        BuiltProgram::start(child, QCoreApplication::applicationFilePath(), {QStringLiteral("noActionKeepsTheProgramRunning")});
        QVERIFY(child.waitForFinished(30000 * BuiltProgram::slowdown()));
        QCOMPARE(child.exitCode(), 0);

        QFile file(record);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("reboot\n"));
    }
};

QTEST_GUILESS_MAIN(PowerControlTest)
#include "tst_powercontrol.moc"
