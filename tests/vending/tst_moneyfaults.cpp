#include "core/vm24.h"
#include "vendingrig.h"

#include <QtTest>
#include <QtConcurrentRun>

namespace {


int counter(const QJsonObject& state, const char* name)
{
    return state.value("link").toObject().value(name).toInt();
}

// Runs a charge of the card on a pool thread, as the delivery page does.
bool charge(VendingRig& rig, int amount)
{
    auto done = QtConcurrent::run([&rig, amount] { return rig.delivery->withdrawCashless(amount); });
    QElapsedTimer timer;
    timer.start();
    while (!done.isFinished() && timer.elapsed() < 30000)
        QTest::qWait(20);
    return done.isFinished() && done.result();
}

} // namespace

// Money moved on the board while the line loses, spoils or refuses frames:
// every transfer is booked once, and only when it happened.
class TestMoneyFaults : public QObject
{
    Q_OBJECT

private slots:
    void cashSessionOnABadLine();
    void cardSessionOnABadLine();
    void chargeWhoseAnswersAreAllLost();
};

void TestMoneyFaults::cashSessionOnABadLine()
{
    VendingRig rig(QJsonObject{{"hoppers", QJsonArray{QJsonObject{{"value", 100}, {"coins", 50}}}}});
    write_settings({{"hopper-value_1", 100}, {"max-change", 500}});
    QVERIFY(rig.start());
    rig.controller()->setRetryPolicy(200, 5);
    QTRY_VERIFY(rig.change->isAvailable());
    QVERIFY(rig.control("fault drop 0.15"));
    QVERIFY(rig.control("fault corrupt 0.1"));
    QVERIFY(rig.control("fault nak 0.1"));
    rig.session->beginVendingSession();
    QTRY_VERIFY_WITH_TIMEOUT(rig.enables().value("coinAcceptor").toBool(), 10000);
    for (const char* coin : {"coin 200", "coin 200", "coin 200", "coin 100"})
        QVERIFY(rig.control(coin));
    QVERIFY(rig.awaitCredit(700, 15000));
    QVERIFY(rig.suspend());
    rig.credit->recordPurchase(QString(), 200, {4});
    rig.session->beginMultivend();
    const int stored = rig.storedCoins();
    QVERIFY(rig.endSession());

    const QJsonObject state = rig.state();
    QVERIFY(rig.controller()->isAlive());
    QVERIFY2(counter(state, "dropped") + counter(state, "corrupted") + counter(state, "naks") > 0,
             "the line had no faults");
    const Accounting& books = rig.accounting->get(Ledger::Log);
    QCOMPARE(books.get(Accounting::Coins), 700);
    QCOMPARE(books.get(Accounting::CashIncome), 200);
    QCOMPARE(books.get(Accounting::ChangeDelivered), qint64(stored - rig.storedCoins()));
    QCOMPARE(books.get(Accounting::ChangeDelivered), 500);
    QCOMPARE(books.get(Accounting::ExtraIncome), 0);
    QCOMPARE(books.get(Accounting::ChangeCount), 1);
}

void TestMoneyFaults::cardSessionOnABadLine()
{
    // The card takes 300 before it is full.
    VendingRig rig(
        QJsonObject{{"card", QJsonObject{{"present", false}, {"balance", 1000}, {"id", 31}, {"maxBalance", 1300}}}});
    QVERIFY(rig.start());
    rig.controller()->setRetryPolicy(200, 5);
    QVERIFY(rig.control("fault drop 0.15"));
    QVERIFY(rig.control("fault corrupt 0.1"));
    QVERIFY(rig.control("fault nak 0.1"));
    rig.session->beginVendingSession();
    QTRY_VERIFY_WITH_TIMEOUT(rig.enables().value("coinAcceptor").toBool(), 10000);
    QVERIFY(rig.control("coin 200"));
    QVERIFY(rig.control("coin 200"));
    QVERIFY(rig.awaitCredit(400, 15000));
    QVERIFY(rig.control("card insert 1000 31"));
    QTRY_VERIFY_WITH_TIMEOUT(rig.credit->isRechargeBlocked(), 15000);
    QCOMPARE(rig.credit->balance().recharges, rig.card()["balance"].toInt() - 1000);
    QCOMPARE(rig.credit->balance().recharges, 300);

    QVERIFY(rig.suspend());
    const int toCard = rig.credit->computeCashlessCreditToWithdraw(600);
    QCOMPARE(toCard, 500);
    QVERIFY(charge(rig, toCard));
    rig.credit->recordPurchase(QString(), 600, {7});
    QCOMPARE(rig.card()["balance"].toInt(), 800);
    QCOMPARE(rig.credit->currentCredit(), 800);
    QCOMPARE(rig.credit->computeExtraCredit(), 0);
    rig.session->beginMultivend();
    QVERIFY(rig.endSession());

    QVERIFY(rig.controller()->isAlive());
    const Accounting& books = rig.accounting->get(Ledger::Log);
    QCOMPARE(books.get(Accounting::Recharges), 300);
    QCOMPARE(books.get(Accounting::RechargeCount), 1);
    QCOMPARE(books.get(Accounting::CashlessIncome), 600);
    QCOMPARE(books.get(Accounting::ExtraIncome), 0);
    QCOMPARE(rig.log.starting("recharge"), QStringList{"recharge 300 31"});
}

void TestMoneyFaults::chargeWhoseAnswersAreAllLost()
{
    VendingRig rig(
        QJsonObject{{"card", QJsonObject{{"present", true}, {"balance", 5000}, {"id", 8}, {"maxBalance", 5000}}}});
    QVERIFY(rig.start());
    rig.controller()->setRetryPolicy(200, 5);
    rig.session->beginVendingSession();
    QVERIFY(rig.awaitCredit(5000));
    QVERIFY(rig.suspend());
    // The board charges the card but none of its answers arrive; the
    // card's balance shows the charge happened.
    int lostAnswers = 0;
    int charged = 0;
    for (int attempt = 0; attempt < 5 && lostAnswers == 0; ++attempt) {
        const int dropped = counter(rig.state(), "dropped");
        const int charges = rig.requestsOf('B');
        const int balance = rig.card()["balance"].toInt();
        QVERIFY(rig.control("fault drop next 5"));
        QVERIFY(charge(rig, 250));
        charged += 250;
        QCOMPARE(rig.card()["balance"].toInt(), balance - 250);
        QVERIFY(rig.controller()->isAlive());
        if (counter(rig.state(), "dropped") == dropped + 5 && rig.requestsOf('B') == charges + 5)
            ++lostAnswers;
        QCOMPARE(rig.credit->currentCredit(), 5000);
    }
    QVERIFY2(lostAnswers > 0, "the lost answers never hit the charge");
    // The board takes the next charge as usual.
    QVERIFY(charge(rig, 100));
    charged += 100;
    QCOMPARE(rig.card()["balance"].toInt(), 5000 - charged);
    QCOMPARE(rig.credit->computeExtraCredit(), charged);
}

QTEST_MAIN(TestMoneyFaults)
#include "tst_moneyfaults.moc"
