// Columns, motors and the delivery door of the simulated board: stock behind
// the presence mask, cycles that take time and deliver or fail, motor
// resets, and long commands one at a time.

#include "simulatorbench.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QTest>

class TestMotors : public QObject
{
    Q_OBJECT

private:
    quint64 presence()
    {
        const QByteArray data = m_bench.ask("K");
        quint64 mask = 0;
        for (int i = 0; i < data.size(); ++i)
            mask |= quint64(quint8(data.at(i))) << (8 * i);
        return data.size() == 8 ? mask : ~quint64(0);
    }

    quint32 inputs() { return quint32(SimulatorBench::integer(m_bench.ask("I"), 0)); }
    QString control(const QString& command) { return m_bench.sim().control(command); }

    static QJsonObject machine(const QJsonArray& columns)
    {
        return QJsonObject{{"columns", columns}, {"timings", SimulatorBench::fastTimings()}};
    }

    SimulatorBench m_bench;

private slots:
    void aCycleTakesTimeAndDeliversOneProduct()
    {
        QVERIFY(m_bench.start(machine({0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3})));
        QCOMPARE(presence(), (quint64(1) << 3) | (quint64(1) << 17));

        QElapsedTimer clock;
        clock.start();
        QVERIFY(!m_bench.ask("T\x04").isNull());
        QCOMPARE(m_bench.ask("N").toHex(' '), QByteArray("54 00 00"));
        QCOMPARE(m_bench.awaitOperation().toHex(' '), QByteArray("54 01 01"));
        QVERIFY(clock.elapsed() >= 140);
        // The result is reported once; after it nothing is running.
        QCOMPARE(m_bench.ask("N").toHex(' '), QByteArray("00 03"));

        QCOMPARE(presence(), quint64(1) << 17);
        QCOMPARE(m_bench.stock(4), 0);
        QVERIFY(inputs() & (1u << 6)); // product waiting behind the delivery door
    }

    void aJammedMotorFailsItsCycle()
    {
        QVERIFY(m_bench.start(machine({2, 2})));
        QCOMPARE(control("column 1 jam"), QString("ok column 1 jam soft"));
        QCOMPARE(m_bench.run("T\x01").toHex(' '), QByteArray("54 01 00"));
        QCOMPARE(m_bench.stock(1), 2);

        // A reset frees a soft jam; the next cycle delivers.
        QCOMPARE(m_bench.run("Q\x01").toHex(' '), QByteArray("51 01 01"));
        QCOMPARE(m_bench.run("T\x01").toHex(' '), QByteArray("54 01 01"));
        QCOMPARE(m_bench.stock(1), 1);

        // A hard jam survives the reset.
        QCOMPARE(control("column 2 jam hard"), QString("ok column 2 jam hard"));
        QCOMPARE(m_bench.run("Q\x02").toHex(' '), QByteArray("51 01 00"));
        QCOMPARE(m_bench.run("T\x02").toHex(' '), QByteArray("54 01 00"));
        QCOMPARE(control("column 2 unjam"), QString("ok column 2 jam none"));
        QCOMPARE(m_bench.run("T\x02").toHex(' '), QByteArray("54 01 01"));
    }

    void emptyColumnsAndMissingControllersFail()
    {
        QVERIFY(m_bench.start(machine({0, 0, 0, 0, 4})));
        QCOMPARE(m_bench.run("T\x01").toHex(' '), QByteArray("54 01 00"));

        const quint32 status = quint32(SimulatorBench::integer(m_bench.ask("S"), 0));
        QVERIFY(status & (1u << 17)); // dispenser controller 5
        QCOMPARE(control("device motor5 off"), QString("ok motor5 off"));
        QVERIFY(!(quint32(SimulatorBench::integer(m_bench.ask("S"), 0)) & (1u << 17)));
        QCOMPARE(m_bench.run("T\x05").toHex(' '), QByteArray("54 01 00"));
        QCOMPARE(m_bench.stock(5), 4);
        QCOMPARE(m_bench.ask("Z\x0E").size(), 0); // its version is gone too
        QCOMPARE(control("device motor1 off"), QString("ok motor1 off"));
        QVERIFY(!(quint32(SimulatorBench::integer(m_bench.ask("S"), 0)) & (1u << 11)));
    }

    void oneLongCommandAtATime()
    {
        QVERIFY(m_bench.start(machine({5})));
        QVERIFY(!m_bench.ask("T\x01").isNull());
        QVERIFY(m_bench.ask(QByteArray("R\x00\x0A", 3)).isNull());
        QVERIFY(m_bench.ask("T\x01").isNull());
        QCOMPARE(m_bench.awaitOperation().toHex(' '), QByteArray("54 01 01"));
        QCOMPARE(m_bench.stock(1), 4);
        QCOMPARE(m_bench.run(QByteArray("R\x00\x0A", 3)).toHex(' '), QByteArray("52 02 00 0a"));
    }

    void theDeliveryDoorOpensOnlyWhenReleased()
    {
        QVERIFY(m_bench.start(machine({1})));
        QCOMPARE(m_bench.run("T\x01").toHex(' '), QByteArray("54 01 01"));
        QCOMPARE(control("door product open"), QString("error the delivery door is locked"));
        QVERIFY(inputs() & (1u << 3));

        QVERIFY(!m_bench.ask("M\x01").isNull());
        QCOMPARE(control("door product open"), QString("ok 1 products collected"));
        const quint32 open = inputs();
        QVERIFY(!(open & (1u << 3)));
        QVERIFY(!(open & (1u << 6)));
        QVERIFY(!m_bench.ask("M\x02").isNull());
        QCOMPARE(control("door product close"), QString("ok"));
        QCOMPARE(m_bench.state().value("collected").toInt(), 1);
    }
};

QTEST_GUILESS_MAIN(TestMotors)
#include "tst_motors.moc"
