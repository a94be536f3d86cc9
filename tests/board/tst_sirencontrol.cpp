#include "board/outputmask.h"
#include "board/sirencontrol.h"
#include "scriptedcontroller.h"
#include "testenvironment.h"

#include <QtTest>

namespace {

QByteArray siren(bool on)
{
    return QByteArray("O") + char(on ? 1 : 0) + char(0x08) + char(0x00);
}

} // namespace

class SirenControlTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnvironment::ScopedAppDir> appDir;
    std::unique_ptr<ScriptedController> scripted;

private slots:
    void init()
    {
        appDir.reset(new TestEnvironment::ScopedAppDir);
        scripted.reset(new ScriptedController);
        QVERIFY(scripted->start());
    }

    void cleanup()
    {
        scripted.reset();
        appDir.reset();
    }

    void followsTheTamperAlarm()
    {
        SirenControl control(scripted->controller());
        QCOMPARE(control.cap(), 600000);

        control.onAlarmsChanged(VM24::TamperAlarm);
        QVERIFY(control.isSounding());
        // Other alarms coming and going leave a sounding siren alone.
        control.onAlarmsChanged(VM24::TamperAlarm | VM24::BatteryPowerAlarm);
        control.onAlarmsChanged(VM24::BatteryPowerAlarm);
        QVERIFY(!control.isSounding());

        QVERIFY(scripted->waitForRequests(2));
        QCOMPARE(scripted->requests(), (QList<QByteArray>{siren(true), siren(false)}));
        QTRY_COMPARE(scripted->controller()->getActuators() & OutputMask::Siren, 0);
    }

    void staysQuietAfterTheCapUntilTheAlarmsChange()
    {
        SirenControl control(scripted->controller(), nullptr, 300);
        control.onAlarmsChanged(VM24::TamperAlarm);
        // The siren sounds only until the cap: its requests show it, on and off.
        QTRY_VERIFY_WITH_TIMEOUT(!control.isSounding(), 10000);
        QVERIFY(scripted->waitForRequests(2));
        QCOMPARE(scripted->requests(), (QList<QByteArray>{siren(true), siren(false)}));
        QTRY_COMPARE(scripted->controller()->getActuators() & OutputMask::Siren, 0);

        // The same tamper, reported again with another alarm: another period.
        control.onAlarmsChanged(VM24::TamperAlarm | VM24::ProductsNotAvailableAlarm);
        QVERIFY(control.isSounding());
        QVERIFY(scripted->waitForRequests(3));
        QCOMPARE(scripted->requests().last(), siren(true));
    }
};

QTEST_GUILESS_MAIN(SirenControlTest)
#include "tst_sirencontrol.moc"
