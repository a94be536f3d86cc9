#include "board/fancontrol.h"
#include "board/outputmask.h"
#include "board/rk710controller.h"
#include "scriptedcontroller.h"
#include "testenvironment.h"

#include <QtTest>

namespace {

int inputs_at(int temperature)
{
    return (temperature << 16) | 0x83; // doors closed, mains present
}

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray result;
    for (int v : values)
        result.append(char(v));
    return result;
}

QByteArray pwm(int power)
{
    return bytes({'U', 1, power, power, 0});
}

QByteArray chassisFan(bool on)
{
    return bytes({'O', on ? 1 : 0, 0x04, 0x00});
}

} // namespace

class FanControlTest : public QObject
{
    Q_OBJECT

    // Not opened: requests fail at once, the decisions are what is tested.
    Rk710Controller offline;

private slots:
    void coolingLevelMovesOneStepPerReading()
    {
        FanControl fan(&offline, 40);
        fan.setInput(inputs_at(25));
        fan.setEnabled(true);
        QCOMPARE(fan.coolingLevel(), 0);

        fan.setInput(inputs_at(45));
        QCOMPARE(fan.coolingLevel(), 1);
        fan.setInput(inputs_at(45));
        QCOMPARE(fan.coolingLevel(), 1);
        fan.setInput(inputs_at(46));
        QCOMPARE(fan.coolingLevel(), 2);
        fan.setInput(inputs_at(90));
        QCOMPARE(fan.coolingLevel(), 3);
        fan.setInput(inputs_at(91));
        QCOMPARE(fan.coolingLevel(), 4);
        fan.setInput(inputs_at(92));
        QCOMPARE(fan.coolingLevel(), 4);

        fan.setInput(inputs_at(10));
        QCOMPARE(fan.coolingLevel(), 3);
    }

    // Each level holds two degrees past its band: level 2 (40 to 50) from 39 to 51.
    void coolingLevelHasHysteresis_data()
    {
        QTest::addColumn<int>("temperature");
        QTest::addColumn<int>("level");
        QTest::newRow("39 keeps 2") << 39 << 2;
        QTest::newRow("38 steps down") << 38 << 1;
        QTest::newRow("51 keeps 2") << 51 << 2;
        QTest::newRow("52 steps up") << 52 << 3;
    }

    void coolingLevelHasHysteresis()
    {
        QFETCH(int, temperature);
        QFETCH(int, level);
        FanControl fan(&offline, 40);
        fan.setInput(inputs_at(45));
        fan.setEnabled(true);
        QCOMPARE(fan.coolingLevel(), 2);
        fan.setInput(inputs_at(temperature));
        QCOMPARE(fan.coolingLevel(), level);
    }

    void enablingSetsTheLevelFromTheTemperature_data()
    {
        QTest::addColumn<int>("temperature");
        QTest::addColumn<int>("level");
        QTest::newRow("29") << 29 << 0;
        QTest::newRow("30") << 30 << 1;
        QTest::newRow("39") << 39 << 1;
        QTest::newRow("40") << 40 << 2;
        QTest::newRow("59") << 59 << 3;
        QTest::newRow("60") << 60 << 4;
        QTest::newRow("255") << 255 << 4;
    }

    void enablingSetsTheLevelFromTheTemperature()
    {
        QFETCH(int, temperature);
        QFETCH(int, level);
        FanControl fan(&offline, 40);
        fan.setInput(inputs_at(temperature));
        QCOMPARE(fan.coolingLevel(), 0);
        fan.setEnabled(true);
        QCOMPARE(fan.coolingLevel(), level);
    }

    void chassisFanSwitchesTwoDegreesPastTheThreshold()
    {
        FanControl fan(&offline, 40);
        fan.setTemperatureHysteresisThresholds(40);
        fan.setInput(inputs_at(35));
        fan.setEnabled(true);

        const QList<QPair<int, bool>> steps{{39, false}, {41, false}, {42, true}, {41, true},
                                            {39, true},  {38, false}, {40, false}};
        for (const auto& step : steps) {
            fan.setInput(inputs_at(step.first));
            QVERIFY2(fan.isChassisFanOn() == step.second, qPrintable(QString::number(step.first)));
        }
    }

    void aNewThresholdAppliesAtOnce()
    {
        FanControl fan(&offline, 40);
        fan.setInput(inputs_at(33));
        fan.setEnabled(true);
        QCOMPARE(fan.highThreshold(), 41);
        QVERIFY(!fan.isChassisFanOn());

        // A lower threshold applies at once, without a new reading.
        fan.setTemperatureHysteresisThresholds(30);
        QCOMPARE(fan.lowThreshold(), 29);
        QCOMPARE(fan.highThreshold(), 31);
        QVERIFY(fan.isChassisFanOn());
    }

    void disabledControlOnlyRemembersTheTemperature()
    {
        FanControl fan(&offline, 40);
        fan.setInput(inputs_at(70));
        QCOMPARE(fan.temperature(), 70);
        QCOMPARE(fan.coolingLevel(), 0);
        QVERIFY(!fan.isChassisFanOn());

        fan.setEnabled(true);
        QCOMPARE(fan.coolingLevel(), 4);
        QVERIFY(fan.isChassisFanOn());
        fan.setEnabled(false);
        QCOMPARE(fan.coolingLevel(), 0);
        QVERIFY(!fan.isChassisFanOn());
        // Back from level 0 with its bounds: one step per reading again.
        fan.setInput(inputs_at(71));
        QCOMPARE(fan.coolingLevel(), 0);
    }

    void theBoardReceivesFanOutputAndPower()
    {
        TestEnvironment::ScopedAppDir appDir;
        ScriptedController scripted;
        QVERIFY(scripted.start());
        FanControl fan(scripted.controller(), 40);

        fan.setInput(inputs_at(45));
        QTest::qWait(100);
        QCOMPARE(scripted.requests(), QList<QByteArray>());

        fan.setEnabled(true);
        fan.setInput(inputs_at(52));
        fan.setInput(inputs_at(38));
        QVERIFY(scripted.waitForRequests(5));
        // The board has the last request; the job that sent it may still be reading the answer.
        scripted.controller()->waitForQueuedTasks();
        const QList<QByteArray> expected{chassisFan(true), pwm(50), pwm(75), pwm(50), chassisFan(false)};
        QCOMPARE(scripted.requests(), expected);
        QCOMPARE(scripted.controller()->getActuators() & OutputMask::ChassisFan, 0);

        // Disabling forgets the state without telling the board.
        fan.setEnabled(false);
        QTest::qWait(100);
        QCOMPARE(scripted.requests().size(), 5);
    }
};

QTEST_GUILESS_MAIN(FanControlTest)
#include "tst_fancontrol.moc"
