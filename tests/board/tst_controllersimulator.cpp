// The controller against the board simulator, written apart from it: the
// start-up exchange, sales, change and cashless operations, the polled words,
// and long commands while the line drops, corrupts and refuses frames.

#include "board/boardstatus.h"
#include "board/inputmask.h"
#include "board/receipthelper.h"
#include "board/rk710controller.h"
#include "core/vm24.h"
#include "rk710simprocess.h"
#include "testenvironment.h"

#include <QJsonArray>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

QJsonObject quickTimings()
{
    return QJsonObject{{"motorMs", 150}, {"jamMs", 250}, {"resetMs", 100}, {"coinMs", 5},
                       {"payoutMs", 50}, {"cashlessMs", 50}, {"posMs", 100}};
}

// Hopper 1 pays 1 euro coins, hopper 2 pays 50 cent coins.
QJsonArray hoppers(int coins1, int coins2)
{
    return QJsonArray{QJsonObject{{"value", 100}, {"coins", coins1}}, QJsonObject{{"value", 50}, {"coins", coins2}}};
}

} // namespace

class TestControllerSimulator : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnvironment::ScopedAppDir> appDir;
    std::unique_ptr<Rk710SimProcess> sim;
    std::unique_ptr<Rk710Controller> controller;
    // What the settings give the start-up exchange; the serial number the
    // board reports replaces it.
    int localSerial = 0;
    int hopperValues[2] = {0, 0};

    bool startBoard(QJsonObject state = QJsonObject())
    {
        state.insert(QStringLiteral("timings"), quickTimings());
        sim.reset(new Rk710SimProcess(state));
        if (!sim->start()) {
            qWarning() << sim->errorString();
            return false;
        }
        return true;
    }

    // Starts the controller made by the test, or a new one.
    bool startController()
    {
        if (!controller)
            controller.reset(new Rk710Controller);
        controller->setLocalSerial(localSerial);
        controller->setHopperValue(Rk710SerialProtocol::Hopper1, hopperValues[0]);
        controller->setHopperValue(Rk710SerialProtocol::Hopper2, hopperValues[1]);
        QObject::connect(controller.get(), &Rk710Controller::serialReported, controller.get(),
                         [this](int serial) { localSerial = serial; }, Qt::DirectConnection);
        if (!controller->open(sim->devicePath().toLocal8Bit().constData()))
            return false;
        controller->initialize();
        return controller->isAlive();
    }

    bool control(const QString& command) { return sim->control(command).startsWith(QLatin1String("ok")); }

    QJsonObject state() { return sim->state(); }

    int stock(int column) { return state()["columns"].toArray()[column - 1].toObject()["stock"].toInt(); }

private slots:
    void init()
    {
        appDir.reset(new TestEnvironment::ScopedAppDir);
        localSerial = 0;
        hopperValues[0] = hopperValues[1] = 0;
    }

    void cleanup()
    {
        controller.reset();
        sim.reset();
        appDir.reset();
    }

    void startupExchange()
    {
        hopperValues[0] = 100;
        hopperValues[1] = 50;
        localSerial = 4321;
        QVERIFY(startBoard({{"credit", QJsonObject{{"coins", 250}, {"bill", 500}}},
                            {"doors", QJsonObject{{"back", "open"}}}}));
        QVERIFY(control(QStringLiteral("timing watchdogMs 600000")));
        QVERIFY(startController());
        QCOMPARE(int(controller->version2()), 27);

        const QJsonObject after = state();
        QCOMPARE(after["serial"].toInt(), 4321);
        QCOMPARE(after["outputs"].toInt(), 0x184);
        QCOMPARE(after["doors"].toObject()["lockReleased"].toBool(), false);
        QCOMPARE(after["hoppers"].toArray()[0].toObject()["value"].toInt(), 100);
        QCOMPARE(after["hoppers"].toArray()[1].toObject()["value"].toInt(), 50);
        QCOMPARE(after["resetFlag"].toBool(), false);
        QCOMPARE(after["watchdog"].toObject()["enabled"].toBool(), true);
        // The credit stays on the board until start-up has booked it.
        QCOMPARE(after["credit"].toObject()["coins"].toInt(), 250);

        const CreditPacket initial = controller->getInitialCredit();
        QCOMPARE(initial.coins, 250);
        QCOMPARE(initial.bill, 500);
        QCOMPARE(controller->getInitialCredit(), CreditPacket::failed());

        // The reader brings the words in.
        QTRY_COMPARE_WITH_TIMEOUT(qint64(controller->getInputs()), state()["inputs"].toInteger(), 15000);
        QVERIFY(!(controller->getInputs() & InputMask::BackDoorClosed));
        QTRY_COMPARE_WITH_TIMEOUT(qint64(controller->getBoardStatus()), state()["status"].toInteger(), 15000);
        QVERIFY(!(controller->getBoardStatus() & BoardStatus::BoardReset));
        QTRY_COMPARE_WITH_TIMEOUT(controller->getProductPresence(), qint64(0), 15000);

        const QDateTime boardTime = VM24::read_rk710_date_time(controller.get());
        QVERIFY(boardTime.isValid());
        QVERIFY(qAbs(boardTime.secsTo(QDateTime::currentDateTime())) < 5);
    }

    void boardSerialWins()
    {
        localSerial = 4321;
        QVERIFY(startBoard({{"serial", 777}}));
        QVERIFY(startController());
        QCOMPARE(localSerial, 777);
        QCOMPARE(state()["serial"].toInt(), 777);
    }

    void salesChangeAndCashless()
    {
        const QJsonArray columns{3, 3, 0, QJsonObject{{"stock", 3}, {"jam", "hard"}}};
        QVERIFY(startBoard({{"columns", columns}, {"hoppers", hoppers(2, 0)}}));
        hopperValues[0] = 100;
        hopperValues[1] = 50;
        QVERIFY(startController());

        // The second column's motor is the one at index 1.
        QVERIFY(controller->deliverProduct(Motor::fromIndex(1)).value);
        QCOMPARE(stock(2), 2);
        QVERIFY(!controller->deliverProduct(Motor::fromIndex(2)).value); // empty
        QVERIFY(!controller->deliverProduct(Motor::fromIndex(3)).value); // jammed
        QCOMPARE(stock(4), 3);
        QVERIFY(!controller->isBusy());

        // Two euro coins in hopper 1, nothing else: 1,50 of 3,50 stays unpaid.
        QCOMPARE(controller->returnChange(350).value, 150);
        QCOMPARE(state()["hoppers"].toArray()[0].toObject()["coins"].toInt(), 0);
        QCOMPARE(controller->getCounters(Rk710SerialProtocol::Permanent).get(AccountingCounters::Hopper1), 2);

        QVERIFY(control(QStringLiteral("hopper 2 set 10")));
        QCOMPARE(controller->dispenseItems(Rk710SerialProtocol::Hopper2, 3).value, 3);
        QCOMPARE(state()["hoppers"].toArray()[1].toObject()["coins"].toInt(), 7);

        QVERIFY(controller->setCreditEnable(false, false, false, true));
        QVERIFY(control(QStringLiteral("card insert 800 9")));
        QVERIFY(controller->authoriseCashless(300, CashlessType::Standard).value);
        QVERIFY(!controller->authoriseCashless(900, CashlessType::Standard).value);
        QCOMPARE(controller->rechargeCashless(200).value, 0);
        QCOMPARE(state()["card"].toObject()["balance"].toInt(), 700);
        const CreditPacket credit = controller->getCredit();
        QCOMPARE(credit.cardId, 9);
        QCOMPARE(credit.cashless, 700);
        QCOMPARE(credit.method(), 2);
    }

    void polledWordsFollowTheMachine()
    {
        QVERIFY(startBoard());
        controller.reset(new Rk710Controller);
        QSignalSpy inputs(controller.get(), &Rk710Controller::inputChanged);
        QSignalSpy status(controller.get(), &Rk710Controller::deviceStatusChanged);
        QSignalSpy presence(controller.get(), &Rk710Controller::productPresenceChanged);
        QVERIFY(startController());
        QCOMPARE(qint64(controller->getBoardStatus()), state()["status"].toInteger());
        // The reader's first cycle announces all three words, the status last.
        QTRY_COMPARE(status.count(), 1);
        QCOMPARE(inputs.count(), 1);
        QCOMPARE(presence.count(), 1);
        inputs.clear();
        status.clear();
        presence.clear();

        QVERIFY(control(QStringLiteral("door front open")));
        QTRY_COMPARE(inputs.count(), 1);
        QCOMPARE(qint64(inputs.last().first().toInt()), state()["inputs"].toInteger());
        QVERIFY(!(inputs.last().first().toInt() & InputMask::FrontDoorClosed));

        QVERIFY(control(QStringLiteral("column 7 stock 1")));
        QTRY_COMPARE_WITH_TIMEOUT(presence.count(), 1, 10000);
        QCOMPARE(presence.last().first().toLongLong(), qint64(1) << 6);

        QVERIFY(control(QStringLiteral("device printer off")));
        QTRY_COMPARE_WITH_TIMEOUT(status.count(), 1, 10000);
        QVERIFY(!(status.last().first().toInt() & BoardStatus::Printer));
        QCOMPARE(inputs.count(), 1);
    }

    void longCommandsOnAFaultyLine()
    {
        QVERIFY(startBoard({{"columns", QJsonArray{5, 5, 5, 5}}, {"hoppers", hoppers(20, 20)}}));
        hopperValues[0] = 100;
        hopperValues[1] = 50;
        QVERIFY(startController());
        // Stray bytes use up the acknowledgement wait like empty reads do:
        // 600 ms leaves room for the 3 stray bytes and the acknowledgement.
        controller->setRetryPolicy(600, 5);
        for (const char* fault : {"fault nak 0.15", "fault corrupt 0.15", "fault drop 0.15", "fault stray 3"})
            QVERIFY(control(QString::fromLatin1(fault)));

        // Each motor moves once per delivery whatever the line does to the
        // frames, and the change is paid once.
        for (int column = 1; column <= 4; ++column)
            QVERIFY(controller->deliverProduct(Motor::fromNumber(column)).value);
        QCOMPARE(controller->returnChange(250).value, 0);
        QVERIFY(control(QStringLiteral("fault clear")));

        const QJsonObject after = state();
        for (int column = 1; column <= 4; ++column)
            QCOMPARE(after["columns"].toArray()[column - 1].toObject()["stock"].toInt(), 4);
        QCOMPARE(after["delivered"].toInt(), 4);
        const QJsonArray hoppers = after["hoppers"].toArray();
        QCOMPARE(100 * (20 - hoppers[0].toObject()["coins"].toInt()) + 50 * (20 - hoppers[1].toObject()["coins"].toInt()), 250);
        const QJsonObject link = after["link"].toObject();
        QVERIFY(link["naks"].toInt() > 0);
        QVERIFY(link["retransmissions"].toInt() > 0);
        QVERIFY(controller->isAlive());
    }

    void silentBoardIsLost()
    {
        QVERIFY(startBoard());
        QVERIFY(startController());
        QSignalSpy alive(controller.get(), &Rk710Controller::boardStatus);
        controller->setRetryPolicy(200, 2);
        QVERIFY(control(QStringLiteral("fault silence on")));
        QTRY_COMPARE_WITH_TIMEOUT(alive.count(), 1, 10000);
        QCOMPARE(alive.first().first().toBool(), false);
        QVERIFY(!controller->isAlive());

        const int ignored = state()["link"].toObject()["ignored"].toInt();
        QCOMPARE(controller->returnChange(100).value, 100);
        QTest::qWait(1000);
        QCOMPARE(state()["link"].toObject()["ignored"].toInt(), ignored);
        QCOMPARE(alive.count(), 1);
    }

    void receiptsReachThePaper()
    {
        QVERIFY(startBoard());
        QVERIFY(startController());
        ReceiptHelper receipt(24);
        receipt.line(QStringLiteral("IMPORTO DOVUTO: 1,50"));
        receipt.tab(QStringLiteral("Resto"), QStringLiteral("0,50"), '.');
        QVERIFY(VM24::print_recepit_task(controller.get(), receipt));
        QVERIFY(controller->clear());
        QCOMPARE(sim->control(QStringLiteral("receipts")),
                 QStringLiteral("ok [[\"IMPORTO DOVUTO: 1,50\",\"Resto...............0,50\"]]"));

        QVERIFY(control(QStringLiteral("paper out")));
        QVERIFY(!controller->printReceipt(receipt));
        QVERIFY(controller->isAlive());
    }
};

QTEST_GUILESS_MAIN(TestControllerSimulator)
#include "tst_controllersimulator.moc"
