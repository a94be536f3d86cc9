// The program's own command layer against the simulator over a real
// pseudo-terminal: the two sides are written apart, so every operation that
// round-trips here agrees on codes, layouts and meanings.

#include "board/receipthelper.h"
#include "board/rk710serialprotocol.h"
#include "simulatorbench.h"

#include <QJsonArray>
#include <QTest>

class TestProgramLink : public QObject
{
    Q_OBJECT

private:
    bool startBoard(const QJsonObject& state)
    {
        if (!m_bench.start(state))
            return false;
        m_board = std::make_unique<Rk710SerialProtocol>();
        return m_board->open(m_bench.sim().devicePath().toLocal8Bit().constData());
    }

    QString control(const QString& command) { return m_bench.sim().control(command); }

    // Polls a started long command to its end; the status answer in reply.
    int finish(QByteArray* reply)
    {
        quint8 buffer[Rk710SerialProtocol::LONG_COMMAND_REPLY_SIZE];
        for (int i = 0; i < 300; ++i) {
            int length = int(sizeof buffer);
            const int status = m_board->pollLongCommandStatus(buffer, length);
            if (status != Rk710SerialProtocol::Running) {
                *reply = QByteArray(reinterpret_cast<const char*>(buffer), qMin(length, int(sizeof buffer)));
                return status;
            }
            QTest::qWait(20);
        }
        return -1;
    }

    SimulatorBench m_bench;
    std::unique_ptr<Rk710SerialProtocol> m_board;

private slots:
    void cleanup() { m_board.reset(); }

    void identityClockAndWords()
    {
        QVERIFY(startBoard({{"columns", QJsonArray{0, 0, 2}}, {"doors", QJsonObject{{"back", "open"}}}}));
        quint8 version1 = 0;
        quint8 version2 = 0;
        int serial = -1;
        QVERIFY(m_board->exchangeFirmwareVersions(VmcType::Pharmacy, 1, 321, true, true, version1, version2, serial));
        QCOMPARE(int(version2), 27);
        QCOMPARE(serial, 321);

        const QDateTime sunday(QDate(2031, 3, 9), QTime(14, 5, 7));
        QCOMPARE(m_board->exchangeDateTime(sunday), sunday);
        const QDateTime read = m_board->exchangeDateTime(QDateTime());
        QVERIFY(read.isValid() && sunday.secsTo(read) >= 0 && sunday.secsTo(read) <= 2);

        const QJsonObject state = m_bench.state();
        QCOMPARE(qint64(m_board->readInput()), state.value("inputs").toInteger());
        QCOMPARE(qint64(m_board->readBoardStatus()), state.value("status").toInteger());
        QCOMPARE(m_board->readProductPresenceMask(), qint64(1) << 2);
        QVERIFY(m_board->testProductPresence(2));
        QVERIFY(!m_board->testProductPresence(3));
        QCOMPARE(m_board->getVersionString(Devices::Rk710), QByteArray("RK710:2.07"));
        QCOMPARE(m_board->getVersionString(Devices::Dispenser18), QByteArray("MT18:1.00"));
        QCOMPARE(m_board->errors(), 0);
    }

    void creditCardAndCounters()
    {
        QVERIFY(startBoard({{"timings", SimulatorBench::fastTimings()}}));
        QVERIFY(m_board->setCreditEnable(true, true, false, true));
        QVERIFY(m_board->setBanknoteAcceptance(true));
        for (const char* action : {"coin 200", "coin 50", "banknote 1000", "card insert 800 9"})
            QVERIFY(control(action).startsWith("ok"));
        const CreditPacket credit = m_board->getCredit();
        QCOMPARE(credit, CreditPacket(1000, 250, 0, 800, 0, 9));
        QCOMPARE(credit.method(), int(CreditPacket::CashlessCard));

        QByteArray reply;
        QVERIFY(m_board->withdrawCashless(300, CashlessType::Standard));
        QCOMPARE(finish(&reply), int(Rk710SerialProtocol::Finished));
        QCOMPARE(int(reply.at(2)), 1);
        QVERIFY(m_board->refundCashless(100));
        QCOMPARE(finish(&reply), int(Rk710SerialProtocol::Finished));
        QCOMPARE(m_board->getCredit().cashless, 600);

        const AccountingCounters permanent = m_board->getCounters(Rk710SerialProtocol::Permanent);
        QCOMPARE(permanent.get(AccountingCounters::Pieces1000), 1);
        QCOMPARE(permanent.get(AccountingCounters::Pieces200), 1);
        QCOMPARE(permanent.get(AccountingCounters::Pieces50), 1);
        QVERIFY(m_board->resetCounters(Rk710SerialProtocol::Daily));
        QVERIFY(m_board->getCounters(Rk710SerialProtocol::Daily).isZero());
        QCOMPARE(m_board->getCounters(Rk710SerialProtocol::Partial), permanent);

        QVERIFY(m_board->clear());
        QCOMPARE(m_board->getCredit(), CreditPacket(0, 0, 0, 600, 0, 9));
    }

    void motorsChangeAndHoppers()
    {
        // A motor cycle long enough to be running still when the second
        // command comes, however slow the machine.
        QJsonObject timings = SimulatorBench::fastTimings();
        timings.insert("motorMs", 1000);
        QVERIFY(startBoard({{"timings", timings},
                            {"columns", QJsonArray{1}},
                            {"hoppers", QJsonArray{QJsonObject{{"coins", 2}}, QJsonObject{{"coins", 4}}}}}));
        QByteArray reply;
        QVERIFY(m_board->sendMoveMotorCommand(Motor::fromIndex(0)));
        QVERIFY(!m_board->sendMoveMotorCommand(Motor::fromIndex(0))); // one long command at a time
        QCOMPARE(finish(&reply), int(Rk710SerialProtocol::Finished));
        QCOMPARE(int(reply.at(2)), 1);
        QVERIFY(m_board->sendResetMotorCommand(Motor::fromIndex(0)));
        QCOMPARE(finish(&reply), int(Rk710SerialProtocol::Finished));

        QVERIFY(m_board->setItemValue(Rk710SerialProtocol::Hopper1, 100));
        QCOMPARE(m_board->getItemValue(Rk710SerialProtocol::Hopper1), 100);
        QVERIFY(m_board->giveChange(250));
        QCOMPARE(finish(&reply), int(Rk710SerialProtocol::FinishedWithRemainder));
        QCOMPARE(reply.size(), 4);
        QCOMPARE(SimulatorBench::word(reply, 2), 50);

        QVERIFY(m_board->sendDispenseItemsCommand(Rk710SerialProtocol::Hopper2, 10));
        QCOMPARE(finish(&reply), int(Rk710SerialProtocol::Finished));
        QCOMPARE(int(reply.at(2)), 4);
        int length = Rk710SerialProtocol::LONG_COMMAND_REPLY_SIZE;
        quint8 idle[Rk710SerialProtocol::LONG_COMMAND_REPLY_SIZE];
        QCOMPARE(m_board->pollLongCommandStatus(idle, length), int(Rk710SerialProtocol::Failed));
    }

    void outputsDoorAndPrinter()
    {
        QVERIFY(startBoard({}));
        QVERIFY(m_board->setOutput(true, 0x184));
        QVERIFY(m_board->setOutput(false, 0x004));
        QVERIFY(m_board->setPwmOutput(1, 25, 25, 0));
        QVERIFY(m_board->setDoorStatus(true));
        QVERIFY(m_board->powerControl(true));
        QVERIFY(m_board->setBlinkingLights(3));
        QJsonObject state = m_bench.state();
        QCOMPARE(state.value("outputs").toInt(), 0x180);
        QCOMPARE(state.value("pwm").toArray(), (QJsonArray{1, 25, 25, 0}));
        QCOMPARE(state.value("doors").toObject().value("lockReleased").toBool(), true);
        QCOMPARE(state.value("power").toObject().value("shutdown").toInt(), 1);
        QCOMPARE(state.value("blinkPattern").toInt(), 3);

        ReceiptHelper receipt;
        receipt.line(QStringLiteral("RICEVUTA"), ReceiptHelper::Center);
        receipt.tab(QStringLiteral("Resto"), QStringLiteral("1,50"));
        receipt.empty(1);
        QVERIFY(m_board->printReceipt(receipt));
        QVERIFY(m_board->printMultilineString(QStringLiteral("a\n\nb\n"), LineFormat::Left));
        QVERIFY(m_board->clear());
        QCOMPARE(control("receipts"),
                 QString("ok [[\"RICEVUTA\",\"Resto               1,50\",\" \",\"a\",\" \",\"b\"]]"));

        QCOMPARE(control("paper out"), QString("ok"));
        QVERIFY(!m_board->printString("x", LineFormat::Left));
        QCOMPARE(m_board->errors(), 0); // a refused line is an answer, not a line failure
    }
};

QTEST_GUILESS_MAIN(TestProgramLink)
#include "tst_programlink.moc"
