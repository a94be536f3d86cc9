#include "boardpollingpause.h"
#include "simulatorlinklog.h"
#include "vendingrig.h"

#include <QThread>
#include <QTimer>
#include <QtTest>
#include <QtConcurrentRun>

#include <memory>

namespace {

// Hopper 1 pays 1 euro coins; every column holds 3 products.
QJsonObject machine()
{
    QJsonArray columns;
    for (int i = 0; i < 18; ++i)
        columns.append(3);
    return QJsonObject{{"columns", columns},
                       {"hoppers", QJsonArray{QJsonObject{{"value", 100}, {"coins", 50}}}},
                       {"timings", QJsonObject{{"motorMs", 100}, {"coinMs", 20}, {"payoutMs", 50},
                                               {"receiptIdleMs", 1500}, {"watchdogMs", 600000}}}};
}

// A session that took 700 in coins and sold a product of 200: 500 of change
// are due. The credit reader has stopped, so the pay-out is the next thing
// the session asks of the board.
bool sell_with_change_due(VendingRig& rig)
{
    write_settings({{"hopper-value_1", 100}, {"max-change", 500}});
    if (!rig.start())
        return false;
    rig.controller()->setRetryPolicy(200, 5);
    if (!QTest::qWaitFor([&] { return rig.change->isAvailable(); }, 5000))
        return false;
    rig.session->beginVendingSession();
    if (!QTest::qWaitFor([&] { return rig.enables().value("coinAcceptor").toBool(); }, 10000))
        return false;
    for (const char* coin : {"coin 200", "coin 200", "coin 200", "coin 100"}) {
        if (!rig.control(coin))
            return false;
    }
    if (!rig.awaitCredit(700) || !rig.suspend())
        return false;
    rig.credit->recordPurchase(QString(), 200, {4});
    rig.session->prepareToCloseSession();
    return QTest::qWaitFor([&] { return !rig.session->isPolling(); }, 15000) && rig.checkout->computeChange() == 500;
}

QList<LoggedFrame> frames(VendingRig& rig)
{
    return read_simulator_link_log(rig.board.simulator().requestLogPath());
}

// The board reports an operation's end once: every answer carrying that
// report (the first and those to the retransmissions) is lost. Armed by
// start(), before the operation begins.
class EndReportLoss
{
public:
    explicit EndReportLoss(VendingRig* rig)
        : m_rig(rig)
    {
    }
    bool start()
    {
        m_started = m_rig->control("fault drop end 5");
        return m_started;
    }
    // Every answer meant to be lost was.
    bool done() const
    {
        return m_started && m_rig->state().value("faults").toObject().value("endDrops").toInt() == 0;
    }

private:
    VendingRig* m_rig;
    bool m_started = false;
};

} // namespace

// A session while the line loses the board's answers to a change pay-out or
// a motor cycle: the books follow what the board did, and money that may
// have been paid is never promised again on a credit note.
class TestLostBoardAnswers : public QObject
{
    Q_OBJECT

private slots:
    void changeWhoseAnswerIsLost_data();
    void changeWhoseAnswerIsLost();
    void deliveryWhoseAnswerIsLost_data();
    void deliveryWhoseAnswerIsLost();
    void rechargeWhoseEndIsLost_data();
    void rechargeWhoseEndIsLost();
    void chargeWhoseBalanceDisagrees();
};

// The answers to the pay-out's start are lost: the board was asked, it was
// paying, and the change is booked as paid. The board paid, but the answer
// that reported the end was lost: the change is booked as paid as well, no
// credit note is printed for it, and a warning tells an operator to check.
void TestLostBoardAnswers::changeWhoseAnswerIsLost_data()
{
    QTest::addColumn<bool>("endLost");
    QTest::addColumn<QByteArray>("dropped");
    QTest::addColumn<QStringList>("warnings");
    QTest::newRow("start") << false << QByteArray("RRRRR") << QStringList();
    QTest::newRow("end") << true << QByteArray("NNNNN")
                         << QStringList{"warning-owner Erogazione resto di euro 5,00 non confermata dalla scheda: "
                                        "registrata come erogata"};
}

void TestLostBoardAnswers::changeWhoseAnswerIsLost()
{
    QFETCH(bool, endLost);
    QFETCH(QByteArray, dropped);
    QFETCH(QStringList, warnings);
    VendingRig rig(machine());
    QVERIFY(sell_with_change_due(rig));
    BoardPollingPause pause(rig.controller());
    QVERIFY(pause.wait());
    const int stored = rig.storedCoins();
    const int mark = int(frames(rig).size());
    EndReportLoss endLoss(&rig);
    if (endLost)
        QVERIFY(endLoss.start());
    else
        QVERIFY(rig.control("fault drop next 5"));
    QVERIFY(rig.endSession());
    QCOMPARE(endLoss.done(), endLost);

    QCOMPARE(codes_with_fate(frames(rig), mark, LoggedFrame::Dropped), dropped);
    QCOMPARE(rig.storedCoins(), stored - 500);
    const Accounting& books = rig.accounting->get(Ledger::Log);
    QCOMPARE(books.get(Accounting::ChangeDelivered), 500);
    QCOMPARE(books.get(Accounting::ChangeCount), 1);
    QCOMPARE(books.get(Accounting::ExtraIncome), 0);
    QCOMPARE(rig.log.starting("return-change"), QStringList{"return-change 500"});
    QCOMPARE(rig.log.starting("overpay"), QStringList());
    QCOMPARE(rig.log.starting("warning"), warnings);
    QCOMPARE(rig.requestsOf('P'), 0);
    QVERIFY(rig.controller()->isAlive());
}

// The answers to the motor's start are lost, as are those to the presence
// read before it: the product came out, and it is booked. The answer that
// reported the cycle's end is lost: the product is booked as well, and an
// operator is warned.
void TestLostBoardAnswers::deliveryWhoseAnswerIsLost_data()
{
    QTest::addColumn<bool>("endLost");
    QTest::addColumn<QByteArray>("dropped");
    QTest::addColumn<QStringList>("warnings");
    QTest::newRow("start") << false << QByteArray("KKKKKTTTTT") << QStringList();
    QTest::newRow("end") << true << QByteArray("NNNNN")
                         << QStringList{"warning-owner Erogazione dall'erogatore 4 non confermata dalla scheda: "
                                        "registrata come avvenuta"};
}

void TestLostBoardAnswers::deliveryWhoseAnswerIsLost()
{
    QFETCH(bool, endLost);
    QFETCH(QByteArray, dropped);
    QFETCH(QStringList, warnings);
    VendingRig rig(machine());
    QVERIFY(rig.start());
    rig.controller()->setRetryPolicy(200, 5);

    rig.session->beginVendingSession();
    QTRY_VERIFY_WITH_TIMEOUT(rig.enables().value("coinAcceptor").toBool(), 10000);
    QVERIFY(rig.control("coin 200"));
    QVERIFY(rig.awaitCredit(200));
    QVERIFY(rig.suspend());
    BoardPollingPause pause(rig.controller());
    QVERIFY(pause.wait());
    const int mark = int(frames(rig).size());
    EndReportLoss endLoss(&rig);
    if (endLost)
        QVERIFY(endLoss.start());
    else
        QVERIFY(rig.control("fault drop next 10"));
    // On a thread of its own, as the delivery service runs it, so that the
    // end can be watched for meanwhile.
    QList<int> delivered;
    std::unique_ptr<QThread> delivery(QThread::create([&] { delivered = rig.delivery->deliver({3}, 1); }));
    delivery->start();
    QVERIFY(QTest::qWaitFor([&] { return delivery->isFinished(); }, 30000));
    QCOMPARE(endLoss.done(), endLost);
    QCOMPARE(codes_with_fate(frames(rig), mark, LoggedFrame::Dropped), dropped);
    QCOMPARE(delivered, QList<int>{3});
    rig.credit->recordPurchase(QStringLiteral("test/1"), 200, delivered);

    const QJsonObject state = rig.state();
    QCOMPARE(state["columns"].toArray()[3].toObject()["stock"].toInt(), 2);
    QCOMPARE(state["delivered"].toInt(), 1);
    QCOMPARE(rig.accounting->get(Ledger::Permanent).dispensedCount(3), 1);
    QCOMPARE(rig.credit->currentCredit(), 0);
    QCOMPARE(rig.log.starting("product-purchased"), QStringList{"product-purchased test/1 200 3 0"});
    QCOMPARE(rig.log.starting("warning"), warnings);
    pause.release();
    rig.session->beginMultivend();
    QVERIFY(rig.endSession());
    QCOMPARE(rig.accounting->get(Ledger::Log).get(Accounting::CashIncome), 200);
}

// The card is credited, but the board's report of it is lost: the card's
// balance tells what reached it. When the board is lost while it credits the
// card, neither can tell: the cash counts as moved onto the card (it is not
// paid out as change a second time) and an operator is warned.
void TestLostBoardAnswers::rechargeWhoseEndIsLost_data()
{
    QTest::addColumn<bool>("boardLost");
    QTest::addColumn<QStringList>("warnings");
    QTest::newRow("balance readable") << false << QStringList();
    QTest::newRow("board lost") << true
                                << QStringList{"warning-owner Ricarica cashless di euro 2,00 non confermata dalla scheda: "
                                               "registrata come accreditata"};
}

void TestLostBoardAnswers::rechargeWhoseEndIsLost()
{
    QFETCH(bool, boardLost);
    QFETCH(QStringList, warnings);
    QJsonObject board = machine();
    board["card"] = QJsonObject{{"present", true}, {"balance", 1000}, {"id", 12}, {"maxBalance", 5000}};
    board["timings"] = QJsonObject{{"cashlessMs", boardLost ? 3000 : 400}, {"watchdogMs", 600000}};
    VendingRig rig(board);
    QVERIFY(rig.start());
    rig.controller()->setRetryPolicy(200, 5);
    rig.session->beginVendingSession();
    QVERIFY(rig.awaitCredit(1000));
    QTRY_VERIFY_WITH_TIMEOUT(rig.enables().value("coinAcceptor").toBool(), 10000);
    BoardPollingPause pause(rig.controller());
    QVERIFY(pause.wait());
    const int mark = int(frames(rig).size());
    EndReportLoss endLoss(&rig);
    QTimer silence;
    silence.setInterval(5);
    QObject::connect(&silence, &QTimer::timeout, [&] {
        if (rig.state().value("operation").toObject().value("code").toString() == "D") {
            silence.stop();
            rig.control("fault silence on");
        }
    });
    if (boardLost)
        silence.start();
    else
        QVERIFY(endLoss.start());
    QVERIFY(rig.control("coin 200"));
    QTRY_VERIFY_WITH_TIMEOUT(!rig.log.starting("recharge").isEmpty(), 20000);

    QCOMPARE(rig.log.starting("recharge"), QStringList{"recharge 200 12"});
    QCOMPARE(rig.credit->balance().recharges, 200);
    QCOMPARE(rig.log.starting("warning"), warnings);
    QCOMPARE(rig.controller()->isAlive(), !boardLost);
    if (!boardLost)
        QCOMPARE(codes_with_fate(frames(rig), mark, LoggedFrame::Dropped), QByteArray("NNNNN"));
    QVERIFY(rig.control("fault silence off"));
    QTRY_COMPARE_WITH_TIMEOUT(rig.card().value("balance").toInt(), 1200, 5000);
}

// The board confirms a charge of the card, but the balance read after it
// moved otherwise (the card was topped up meanwhile): the charge follows the
// board, the product is paid, and an operator is told of the disagreement.
void TestLostBoardAnswers::chargeWhoseBalanceDisagrees()
{
    QJsonObject board = machine();
    board["card"] = QJsonObject{{"present", true}, {"balance", 5000}, {"id", 8}, {"maxBalance", 9000}};
    board["timings"] = QJsonObject{{"cashlessMs", 1500}, {"watchdogMs", 600000}};
    VendingRig rig(board);
    QVERIFY(rig.start());
    rig.session->beginVendingSession();
    QVERIFY(rig.awaitCredit(5000));
    QVERIFY(rig.suspend());
    QTimer topUp;
    topUp.setInterval(5);
    QObject::connect(&topUp, &QTimer::timeout, [&] {
        if (rig.state().value("operation").toObject().value("code").toString() == "B") {
            topUp.stop();
            rig.control("card insert 5500 8");
        }
    });
    topUp.start();
    auto charge = QtConcurrent::run([&rig] { return rig.delivery->withdrawCashless(250); });
    QVERIFY(QTest::qWaitFor([&] { return charge.isFinished(); }, 30000));
    QVERIFY(!topUp.isActive());
    QCOMPARE(rig.card().value("balance").toInt(), 5250);
    QVERIFY(charge.result());
    QCOMPARE(rig.log.starting("warning"),
             QStringList{"warning-owner Addebito cashless di euro 2,50 confermato dalla scheda, ma il saldo della carta è "
                         "variato di euro 2,50: registrato come addebitato"});
}

QTEST_MAIN(TestLostBoardAnswers)
#include "tst_lostboardanswers.moc"
