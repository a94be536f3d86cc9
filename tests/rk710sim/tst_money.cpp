// Money on the simulated board, as the host sees it on the wire: acceptors
// honouring their enables, credit until cleared, the cashless card, change
// pay-out with its remainder, and the cash counters.

#include "coinmechanism.h"
#include "simulatorbench.h"

#include <QJsonArray>
#include <QTest>

class TestMoney : public QObject
{
    Q_OBJECT

private:
    struct Credit
    {
        int bill, coins, pos, cashless, cardId, coinBox;
    };

    bool readCredit(Credit* credit)
    {
        const QByteArray data = m_bench.ask("C");
        if (data.size() != 14)
            return false;
        *credit = Credit{SimulatorBench::word(data, 0), SimulatorBench::word(data, 2), SimulatorBench::word(data, 4),
                         SimulatorBench::word(data, 6), SimulatorBench::integer(data, 8), SimulatorBench::word(data, 12)};
        return true;
    }

    QString control(const QString& command) { return m_bench.sim().control(command); }

    QList<int> counters(int period)
    {
        const QByteArray data = m_bench.ask(QByteArray("Y") + char(period));
        QList<int> values;
        for (int i = 0; i + 1 < data.size(); i += 2)
            values.append(SimulatorBench::word(data, i));
        return values;
    }

    SimulatorBench m_bench;

private slots:
    void moneyOfferedWhileDisabledIsRefused()
    {
        QVERIFY(m_bench.start());
        QVERIFY(control("coin 100").startsWith("error refused"));
        QVERIFY(control("banknote 500").startsWith("error refused"));
        QVERIFY(control("pos 250").startsWith("error refused"));
        Credit credit;
        QVERIFY(readCredit(&credit));
        QCOMPARE(credit.coins + credit.bill + credit.pos, 0);

        // Coins and POS need only their enable bits; banknotes also need
        // banknote acceptance.
        QVERIFY(!m_bench.ask("E\x0F").isNull());
        QCOMPARE(control("coin 1,00"), QString("ok coin 100 to tube"));
        QVERIFY(control("banknote 500").startsWith("error refused"));
        QVERIFY(!m_bench.ask(QByteArray("W\x01")).isNull());
        QCOMPARE(control("banknote 5.00"), QString("ok banknote 500"));
        QCOMPARE(control("pos 250"), QString("ok pos 250"));
        QVERIFY(!m_bench.ask(QByteArray("E\x04")).isNull());
        QVERIFY(control("coin 50").startsWith("error refused"));
        QVERIFY(control("banknote 1000").startsWith("error refused"));
        QVERIFY(control("coin 3").startsWith("error no coin"));

        QVERIFY(readCredit(&credit));
        QCOMPARE(credit.coins, 100);
        QCOMPARE(credit.bill, 500);
        QCOMPARE(credit.pos, 250);
        QCOMPARE(credit.cardId, -1);
        QCOMPARE(m_bench.state().value("refusedMoney").toInt(), 100 + 500 + 250 + 500 + 50 + 1000);
    }

    void creditAccumulatesUntilCleared()
    {
        // A full 5-cent tube sends the next 5-cent coin to the cash box.
        QVERIFY(m_bench.start({{"tubes", QJsonArray{QJsonObject{{"value", 5}, {"coins", 2}, {"capacity", 2}}}}}));
        QVERIFY(!m_bench.ask("E\x02").isNull());
        for (const char* coin : {"coin 200", "coin 5", "coin 20"})
            QVERIFY(control(coin).startsWith("ok"));
        Credit credit;
        QVERIFY(readCredit(&credit));
        QCOMPARE(credit.coins, 225);
        QCOMPARE(credit.coinBox, 5);
        QVERIFY(control("coin 10").startsWith("ok"));
        QVERIFY(readCredit(&credit));
        QCOMPARE(credit.coins, 235);

        QVERIFY(!m_bench.ask("A").isNull());
        QVERIFY(readCredit(&credit));
        QCOMPARE(credit.coins, 0);
        QCOMPARE(credit.coinBox, 0);
        // Clearing the credit leaves the coins where they are.
        const QJsonArray tubes = m_bench.state().value("tubes").toArray();
        QCOMPARE(tubes.at(0).toObject().value("coins").toInt(), 2);
        QCOMPARE(tubes.at(1).toObject().value("coins").toInt(), 1);
        QCOMPARE(tubes.at(5).toObject().value("coins").toInt(), 1);
    }

    void creditNeverOverflowsItsWord()
    {
        QVERIFY(m_bench.start({{"credit", QJsonObject{{"bill", 65000}, {"coins", 65500}}}}));
        QVERIFY(!m_bench.ask("E\x0F").isNull());
        QVERIFY(!m_bench.ask("W\x01").isNull());
        QCOMPARE(control("banknote 1000"), QString("error refused: banknote credit full"));
        QCOMPARE(control("banknote 500"), QString("ok banknote 500"));
        QCOMPARE(control("coin 50"), QString("error refused: coin credit full"));
        QCOMPARE(control("pos 70000"), QString("error amount out of range"));
        Credit credit;
        QVERIFY(readCredit(&credit));
        QCOMPARE(credit.bill, 65500);
        QCOMPARE(credit.coins, 65500);
    }

    void theCardPaysOnlyWhatItsBalanceCovers()
    {
        QVERIFY(m_bench.start({{"timings", SimulatorBench::fastTimings()}, {"card", QJsonObject{{"maxBalance", 1000}}}}));
        QVERIFY(control("card insert 10,00 42").startsWith("ok"));
        Credit credit;
        QVERIFY(readCredit(&credit));
        QCOMPARE(credit.cardId, -1); // the reader is off
        QVERIFY(!m_bench.ask("E\x08").isNull());
        QVERIFY(readCredit(&credit));
        QCOMPARE(credit.cashless, 1000);
        QCOMPARE(credit.cardId, 42);

        QCOMPARE(m_bench.run(QByteArray("B\x00\x01\x2C", 4)).toHex(' '), QByteArray("42 01 01")); // 300
        QCOMPARE(m_bench.run(QByteArray("B\x00\x03\x20", 4)).toHex(' '), QByteArray("42 01 00")); // 800
        QVERIFY(readCredit(&credit));
        QCOMPARE(credit.cashless, 700);

        // Recharging 500 onto 700 with a ceiling of 1000 leaves 200.
        QCOMPARE(m_bench.run(QByteArray("D\x00\x01\xF4", 4)).toHex(' '), QByteArray("44 02 00 c8"));
        QVERIFY(readCredit(&credit));
        QCOMPARE(credit.cashless, 1000);

        QVERIFY(control("card remove").startsWith("ok"));
        QCOMPARE(m_bench.run(QByteArray("D\x00\x00\x64", 4)).toHex(' '), QByteArray("44 02 00 64"));
        QCOMPARE(m_bench.run(QByteArray("B\x00\x00\x01", 4)).toHex(' '), QByteArray("42 01 00"));
    }

    void changeLeavesARemainderWhenTheHoppersAreShort()
    {
        const QJsonObject start{{"timings", SimulatorBench::fastTimings()},
                                {"hoppers", QJsonArray{QJsonObject{{"coins", 2}}, QJsonObject{{"coins", 0}}}}};
        QVERIFY(m_bench.start(start));
        // A hopper without a coin value pays nothing.
        QCOMPARE(m_bench.run(QByteArray("R\x00\x64", 3)).toHex(' '), QByteArray("52 02 00 64"));
        QVERIFY(!m_bench.ask(QByteArray("H\x01\x00\x64", 4)).isNull());
        const quint32 before = quint32(SimulatorBench::integer(m_bench.ask("S"), 0));
        QVERIFY(before & (1u << 8));
        QVERIFY(!(before & (1u << 15)));

        QCOMPARE(m_bench.run(QByteArray("R\x01\x5E", 3)).toHex(' '), QByteArray("52 02 00 96")); // 350 → 150 left
        const quint32 after = quint32(SimulatorBench::integer(m_bench.ask("S"), 0));
        QVERIFY(!(after & (1u << 8)));
        for (int period = 0; period < 3; ++period)
            QCOMPARE(counters(period).at(10), 2);

        // A scan of the tubes (amount 0) ends at once with nothing owed.
        QCOMPARE(m_bench.run(QByteArray("R\x00\x00", 3)).toHex(' '), QByteArray("52 01 00 00"));
    }

    void payOutFindsTheCombinationThatPaysMost_data()
    {
        QTest::addColumn<QList<int>>("tubeCoins"); // 5, 10, 20, 50, 100, 200 cents
        QTest::addColumn<int>("amount");
        QTest::addColumn<int>("remainder");
        QTest::addColumn<int>("coinCount");
        QTest::newRow("largest first would strand 10") << QList<int>{0, 0, 3, 1, 0, 0} << 60 << 0 << 3;
        QTest::newRow("fewest coins") << QList<int>{10, 10, 10, 10, 10, 10} << 385 << 0 << 6;
        QTest::newRow("short by 15") << QList<int>{0, 1, 0, 1, 0, 0} << 75 << 15 << 2;
        QTest::newRow("odd cents stay") << QList<int>{9, 0, 0, 0, 0, 0} << 23 << 3 << 4;
        QTest::newRow("nothing to pay with") << QList<int>{0, 0, 0, 0, 0, 0} << 120 << 120 << 0;
    }

    void payOutFindsTheCombinationThatPaysMost()
    {
        QFETCH(QList<int>, tubeCoins);
        QFETCH(int, amount);
        QFETCH(int, remainder);
        QFETCH(int, coinCount);
        rk710sim::CoinMechanism coins;
        const int values[] = {5, 10, 20, 50, 100, 200};
        int before = 0;
        for (int i = 0; i < 6; ++i) {
            QVERIFY(coins.setTubeCoins(values[i], tubeCoins[i]));
            before += values[i] * tubeCoins[i];
        }
        const rk710sim::CoinMechanism::Payout payout = coins.payOut(amount);
        QCOMPARE(payout.remainder, remainder);
        QCOMPARE(payout.paid, amount - remainder);
        QCOMPARE(payout.coinCount(), coinCount);
        int after = 0;
        for (const rk710sim::CoinMechanism::Store& tube : coins.tubes())
            after += tube.value * tube.coins;
        QCOMPARE(before - after, payout.paid);
    }

    void countersFollowMoneyInAndChangeOut()
    {
        QVERIFY(m_bench.start({{"timings", SimulatorBench::fastTimings()}}));
        QVERIFY(!m_bench.ask("E\x03").isNull());
        QVERIFY(!m_bench.ask("W\x01").isNull());
        for (const char* money : {"coin 200", "coin 200", "coin 5", "banknote 5000"})
            QVERIFY(control(money).startsWith("ok"));
        QVERIFY(!m_bench.run(QByteArray("R\x00\xC8", 3)).isNull()); // a 2-euro coin back from its tube

        const QList<int> expected{1, 0, 0, 0, 2, 0, 0, 0, 0, 1, 0, 0, 1};
        for (int period = 0; period < 3; ++period)
            QCOMPARE(counters(period), expected);
        QCOMPARE(m_bench.ask(QByteArray("Y\x00", 2)).size(), 26);

        QVERIFY(!m_bench.ask("y\x01").isNull());
        QCOMPARE(counters(1), QList<int>(13, 0));
        QCOMPARE(counters(0), expected);
        QCOMPARE(counters(2), expected);
        QVERIFY(m_bench.ask("y\x03").isNull());
    }

    void hopperItemsKeepTheirValueAndPayCoins()
    {
        QVERIFY(m_bench.start({{"timings", SimulatorBench::fastTimings()},
                               {"hoppers", QJsonArray{QJsonObject{}, QJsonObject{{"coins", 3}}}}}));
        QVERIFY(!m_bench.ask(QByteArray("H\x02\x00\x32", 4)).isNull());
        QCOMPARE(SimulatorBench::word(m_bench.ask(QByteArray("J\x02\x00\x00", 4)), 0), 50);
        QCOMPARE(SimulatorBench::word(m_bench.ask(QByteArray("J\x01\x00\x00", 4)), 0), 0);
        QCOMPARE(m_bench.run(QByteArray("X\x02\x05", 3)).toHex(' '), QByteArray("58 01 03"));
        QCOMPARE(m_bench.run(QByteArray("X\x02\x05", 3)).toHex(' '), QByteArray("58 01 00"));
        QCOMPARE(counters(2).at(11), 3);
        QCOMPARE(control("hopper 2 fill 10"), QString("ok hopper 2 coins 10"));
        QVERIFY(quint32(SimulatorBench::integer(m_bench.ask("S"), 0)) & (1u << 9));
    }
};

QTEST_GUILESS_MAIN(TestMoney)
#include "tst_money.moc"
