#include "vending/alarmmanager.h"

#include "board/boardstatus.h"
#include "board/inputmask.h"
#include "core/vm24.h"
#include "notificationlog.h"
#include "settings/settings.h"
#include "testenvironment.h"

#include <QSettings>
#include <QSignalSpy>
#include <QtTest>

namespace {

const int FRONT = InputMask::FrontDoorClosed;
const int BACK = InputMask::BackDoorClosed;
const int KEY = InputMask::AlarmKey;
const int MAINS = InputMask::MainsPower;
const int CLOSED = FRONT | BACK | MAINS;

} // namespace

class AlarmManagerTest : public QObject
{
    Q_OBJECT

    VM24::NotificationService service;
    NotificationLog log;
    std::unique_ptr<AlarmManager> manager;
    std::unique_ptr<QSignalSpy> changes;

    QList<int> changedSets() const
    {
        QList<int> sets;
        for (const QList<QVariant>& call : *changes)
            sets.append(int(call.at(0).value<VM24::Alarms>()));
        return sets;
    }

private slots:
    void initTestCase() { service.addHandler(&log); }

    void init()
    {
        log.lines.clear();
        manager.reset(new AlarmManager(&service));
        changes.reset(new QSignalSpy(manager.get(), &AlarmManager::alarmsChanged));
    }

    void raisingAndClearingArePublishedOnce()
    {
        QSignalSpy raised(manager.get(), &AlarmManager::alarmRaised);
        manager->setAlarm(VM24::BatteryPowerAlarm);
        manager->setAlarm(VM24::BatteryPowerAlarm);
        manager->setAlarm(VM24::TamperAlarm);
        manager->clearAlarm(VM24::BatteryPowerAlarm);
        manager->clearAlarm(VM24::BatteryPowerAlarm);
        manager->clearAlarm(VM24::ProductsNotAvailableAlarm);

        QCOMPARE(log.take(), (QStringList{"alarm 2 raised", "alarm 1 raised", "alarm 2 cleared"}));
        QCOMPARE(changedSets(), (QList<int>{2, 3, 1}));
        QCOMPARE(raised.count(), 2);
        QCOMPARE(raised.at(1).at(0).value<VM24::Alarm>(), VM24::TamperAlarm);
        QCOMPARE(manager->activeAlarms(), VM24::Alarms(VM24::TamperAlarm));
    }

    // Front door open, back door closed, key out: tamper. The key disarms it.
    void tamperNeedsAnOpenDoorAndTheKeyOut()
    {
        manager->onInputChanged(CLOSED);
        manager->onInputChanged(BACK | MAINS);
        QCOMPARE(manager->activeAlarms(), VM24::Alarms(VM24::TamperAlarm));
        QCOMPARE(log.take(), QStringList{"alarm 1 raised"});

        manager->onInputChanged(BACK | MAINS | KEY);
        QCOMPARE(log.take(), (QStringList{"alarm-enable false", "alarm 1 cleared"}));
        QCOMPARE(manager->activeAlarms(), VM24::Alarms());
        QVERIFY(manager->isKeyInserted());

        // With the key in, the doors may open.
        manager->onInputChanged(MAINS | KEY);
        manager->onInputChanged(CLOSED | KEY);
        QVERIFY(log.lines.isEmpty());

        // The key out again arms the alarm; a door opened then raises it.
        manager->onInputChanged(CLOSED);
        QCOMPARE(log.take(), QStringList{"alarm-enable true"});
        manager->onInputChanged(FRONT | MAINS);
        QCOMPARE(log.take(), QStringList{"alarm 1 raised"});
    }

    void lostMainsRaisesTheBatteryAlarm()
    {
        manager->onInputChanged(FRONT | BACK);
        QCOMPARE(manager->activeAlarms(), VM24::Alarms(VM24::BatteryPowerAlarm));
        manager->onInputChanged(CLOSED | (35 << 16));
        QCOMPARE(manager->activeAlarms(), VM24::Alarms());
        QCOMPARE(log.take(), (QStringList{"alarm 2 raised", "alarm 2 cleared"}));
    }

    void moneyAlarmFollowsThePaymentDevices_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<bool>("alarm");
        QTest::newRow("only the printer") << int(BoardStatus::Printer) << true;
        QTest::newRow("nothing") << 0 << true;
        QTest::newRow("hoppers and change") << int(BoardStatus::Hopper1 | BoardStatus::Hopper2 | BoardStatus::CanGiveChange) << true;
        QTest::newRow("coin acceptor") << int(BoardStatus::CoinAcceptor) << false;
        QTest::newRow("POS only") << int(BoardStatus::Pos | BoardStatus::Printer) << false;
        QTest::newRow("cashless only") << int(BoardStatus::Cashless) << false;
    }

    void moneyAlarmFollowsThePaymentDevices()
    {
        QFETCH(int, status);
        QFETCH(bool, alarm);
        manager->onDeviceStatusesChanged(status);
        QCOMPARE(manager->activeAlarms().testFlag(VM24::CannotAcceptMoneyAlarm), alarm);
    }

    void screenTouchscreenAndBoardSlots()
    {
        manager->onTouchscreenConnectedChanged(false);
        manager->onScreenLocked();
        manager->onBoardUnresponsive(true);
        QCOMPARE(int(manager->activeAlarms()), 32 | 16 | 64);
        manager->onTouchscreenConnectedChanged(true);
        manager->onScreenUnlocked();
        manager->onBoardUnresponsive(false);
        QCOMPARE(manager->activeAlarms(), VM24::Alarms());
        QCOMPARE(log.take(), (QStringList{"alarm 32 raised", "alarm 16 raised", "alarm 64 raised",
                                          "alarm 32 cleared", "alarm 16 cleared", "alarm 64 cleared"}));
    }

    void aDisabledAlarmRaisesNothing()
    {
        TestEnvironment::ScopedAppDir appDir;
        QSettings settings;
        settings.setValue(QStringLiteral("Alarms/tamper"), false);
        settings.setValue(QStringLiteral("Alarms/email"), QStringLiteral("a@b.it"));
        manager->loadConfiguration(settings);
        QCOMPARE(manager->alarmMask(), VM24::Alarms(VM24::TamperAlarm));

        manager->onInputChanged(CLOSED);
        manager->onInputChanged(BACK | MAINS);
        QVERIFY(log.lines.isEmpty());
        QCOMPARE(changes->count(), 0);
        QCOMPARE(manager->activeAlarms(), VM24::Alarms());
    }

    // Masking an active alarm clears it without a notice and forgets it:
    // enabled again, it returns only with the next report of its condition.
    void maskingForgetsAnActiveAlarm()
    {
        manager->onInputChanged(BACK | MAINS);
        manager->setAlarm(VM24::ProductsNotAvailableAlarm);
        log.lines.clear();
        changes->clear();

        manager->setAlarmMask(VM24::TamperAlarm);
        QCOMPARE(manager->activeAlarms(), VM24::Alarms(VM24::ProductsNotAvailableAlarm));
        QCOMPARE(manager->requestedAlarms(), VM24::Alarms(VM24::ProductsNotAvailableAlarm));
        QCOMPARE(changedSets(), QList<int>{4});
        manager->setAlarmMask(VM24::TamperAlarm);
        QCOMPARE(changes->count(), 1);

        manager->setAlarmMask({});
        QCOMPARE(manager->activeAlarms(), VM24::Alarms(VM24::ProductsNotAvailableAlarm));
        QVERIFY(log.lines.isEmpty());

        manager->onInputChanged(BACK | MAINS | (30 << 16));
        QCOMPARE(log.take(), QStringList{"alarm 1 raised"});
        QCOMPARE(int(manager->activeAlarms()), 1 | 4);
    }

    // A condition reported while its alarm is disabled is still known, and
    // enabling the alarm raises it at once.
    void enablingRaisesAConditionReportedWhileDisabled()
    {
        manager->setAlarmMask(VM24::BatteryPowerAlarm);
        manager->onInputChanged(FRONT | BACK);
        QVERIFY(log.lines.isEmpty());
        QCOMPARE(manager->requestedAlarms(), VM24::Alarms(VM24::BatteryPowerAlarm));

        manager->setAlarmMask({});
        QCOMPARE(log.take(), QStringList{"alarm 2 raised"});
        QCOMPARE(changedSets(), QList<int>{2});
    }

    void maskComesFromEveryAlarmKey()
    {
        TestEnvironment::ScopedAppDir appDir;
        QSettings settings;
        QCOMPARE(AlarmManager::readAlarmMask(settings), VM24::Alarms());
        for (int flag : VM24::ALARM_FLAGS)
            settings.setValue(QStringLiteral("Alarms/") + VM24::alarm_code(VM24::Alarm(flag)), false);
        settings.setValue(QStringLiteral("Alarms/battery-power"), QStringLiteral("true"));
        QCOMPARE(int(AlarmManager::readAlarmMask(settings)), 127 & ~2);
    }
};

QTEST_GUILESS_MAIN(AlarmManagerTest)
#include "tst_alarmmanager.moc"
