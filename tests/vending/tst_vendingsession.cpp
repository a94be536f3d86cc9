#include "accounting/accountingservice.h"
#include "core/vm24.h"
#include "vendingrig.h"

#include <QFile>
#include <QJsonDocument>
#include <QtTest>
#include <QtConcurrentRun>

namespace {

QJsonObject card_state(int balance, int id, int maxBalance)
{
    return QJsonObject{
        {"card", QJsonObject{{"present", true}, {"balance", balance}, {"id", id}, {"maxBalance", maxBalance}}}};
}

} // namespace

class TestVendingSession : public QObject
{
    Q_OBJECT

private slots:
    void cardPaysWhatCashDoesNotCover();
    void rechargeWithRemainderBlocksFurtherRecharges();
    void suspendMovesCashOntoAPresentedCard();
    void countdownFollowsTheCredit();
    void resetCountdownStartsAWholeStep();
    void deliveryDoorIsReleasedForAWhile();
    void sessionDestroyedWhilePolling();
};

void TestVendingSession::cardPaysWhatCashDoesNotCover()
{
    // A full card takes no recharge, so the cash stays cash.
    VendingRig rig(card_state(1000, 42, 1000));
    QVERIFY(rig.start());
    rig.session->beginVendingSession();
    // The validator is enabled first and takes banknotes with the next request.
    QTRY_VERIFY(rig.enables().value("billValidator").toBool() && rig.enables().value("banknotes").toBool());
    QVERIFY(rig.control("banknote 500"));
    QVERIFY(rig.control("coin 100"));
    QVERIFY(rig.control("coin 20"));
    QVERIFY(rig.awaitCredit(1620));
    QCOMPARE(rig.credit->computeExtraCredit(), 620);
    QTRY_VERIFY(rig.credit->isRechargeBlocked());
    QCOMPARE(rig.prices->customerLevel(), 1);
    QCOMPARE(rig.credit->computeCashlessCreditToWithdraw(620), 0);
    QCOMPARE(rig.credit->computeCashlessCreditToWithdraw(1621), -1);
    QCOMPARE(rig.credit->computeCashlessCreditToWithdraw(800), 180);

    QVERIFY(rig.suspend());
    // A charge the board confirms is in the credit at once.
    QSignalSpy credit(rig.credit.get(), &SessionCredit::creditChanged);
    auto charge = QtConcurrent::run([&rig] { return rig.delivery->withdrawCashless(180); });
    QTRY_VERIFY_WITH_TIMEOUT(charge.isFinished(), 10000);
    QVERIFY(charge.result());
    QCOMPARE(rig.card().value("balance").toInt(), 820);
    QTRY_VERIFY(!credit.isEmpty() && credit.last().first().toInt() == 1620);
    rig.credit->recordPurchase("main/1001", 800, {3});
    QCOMPARE(credit.takeLast().first().toInt(), 820);
    QVERIFY(rig.log.lines().contains("product-purchased main/1001 800 3 1 42"));

    QVERIFY(rig.endSession());
    const SessionBalance b = booked(rig.accounting->get(Ledger::Log));
    QCOMPARE(describe(b), describe(SessionBalance{500, 120, 0, 0, 0, 800, 0, 0, 1, 0, 0}));
    QCOMPARE(rig.accounting->get(Ledger::Permanent).dispensedAmount(3), 800);
    QCOMPARE(rig.credit->currentCredit(), 0);
    QCOMPARE(rig.prices->customerLevel(), 0);
}

void TestVendingSession::rechargeWithRemainderBlocksFurtherRecharges()
{
    // The card takes 300 more before it is full.
    VendingRig rig(
        QJsonObject{{"card", QJsonObject{{"present", false}, {"balance", 1000}, {"id", 77}, {"maxBalance", 1300}}}});
    QVERIFY(rig.start());
    rig.session->beginVendingSession();
    QTRY_VERIFY(rig.enables().value("coinAcceptor").toBool());
    QVERIFY(rig.control("coin 200"));
    QVERIFY(rig.control("coin 200"));
    QVERIFY(rig.awaitCredit(400));
    QCOMPARE(rig.requestsOf('D'), 0);
    QVERIFY(rig.control("card insert 1000 77"));
    QTRY_COMPARE(rig.credit->isRechargeBlocked(), true);
    QCOMPARE(rig.log.starting("recharge"), QStringList{"recharge 300 77"});
    QCOMPARE(rig.credit->balance().recharges, 300);
    QCOMPARE(rig.credit->balance().rechargeCount, 1);
    QCOMPARE(rig.credit->computeExtraCredit(), 100);
    QCOMPARE(rig.card().value("balance").toInt(), 1300);
    const int recharges = rig.requestsOf('D');
    QCOMPARE(recharges, 1);
    QVERIFY(rig.control("coin 50"));
    QVERIFY(rig.awaitCredit(1300 + 150));
    QTest::qWait(1500);
    QCOMPARE(rig.requestsOf('D'), recharges);
    // Taking the card away lifts the block.
    QVERIFY(rig.control("card remove"));
    QTRY_COMPARE(rig.credit->isRechargeBlocked(), false);
    QCOMPARE(rig.credit->currentCredit(), 150);
}

void TestVendingSession::suspendMovesCashOntoAPresentedCard()
{
    VendingRig rig;
    QVERIFY(rig.start());
    rig.session->beginVendingSession();
    QTRY_VERIFY(rig.enables().value("coinAcceptor").toBool());
    QVERIFY(rig.control("coin 200"));
    QVERIFY(rig.control("coin 100"));
    QVERIFY(rig.awaitCredit(300));
    QSignalSpy suspended(rig.session.get(), &VendingSessionContext::creditPollingSuspended);
    int balanceAtSuspension = -1;
    connect(rig.session.get(), &VendingSessionContext::creditPollingSuspended, this,
            [&] { balanceAtSuspension = rig.card().value("balance").toInt(); });
    rig.session->prepareToDispenseProduct();
    // The card comes while the acceptors are already off.
    QVERIFY(rig.control("card insert 500 9"));
    QVERIFY(suspended.wait(10000));
    QCOMPARE(balanceAtSuspension, 800);
    QCOMPARE(rig.credit->computeExtraCredit(), 0);
    QCOMPARE(rig.credit->currentCredit(), 800);
    QCOMPARE(rig.credit->balance().recharges, 300);
    QVERIFY(rig.log.lines().contains("vending-session-info 1 300 0"));
    QCOMPARE(rig.log.starting("recharge"), QStringList{"recharge 300 9"});
}

void TestVendingSession::countdownFollowsTheCredit()
{
    VendingRig rig;
    QVERIFY(rig.start());
    Countdown* countdown = rig.session->countdown();
    QSignalSpy ticks(countdown, &Countdown::tick);
    rig.session->beginVendingSession();
    QCOMPARE(ticks.first().first().toInt(), 45);
    QTRY_VERIFY(rig.enables().value("coinAcceptor").toBool());
    QVERIFY(rig.control("coin 50"));
    const auto tickValues = [&ticks] {
        QList<int> values;
        for (const QList<QVariant>& tick : ticks)
            values << tick.first().toInt();
        return values;
    };
    QTRY_VERIFY2(tickValues().contains(60), qPrintable(QDebug::toString(tickValues())));
    QCOMPARE(countdown->startValue(), 60);
    QVERIFY(rig.enables().value("banknotes").toBool());

    // Banknotes are refused for the last two seconds, and taken again when
    // the countdown is refreshed.
    QSignalSpy expired(rig.session.get(), &VendingSessionContext::sessionExpired);
    countdown->setInterval(100);
    QTRY_VERIFY_WITH_TIMEOUT(countdown->value() <= 1, 10000);
    QTRY_VERIFY(!rig.enables().value("banknotes").toBool());
    QVERIFY(!rig.control("banknote 500"));
    // The countdown may have run out while the acceptors were being switched.
    QTRY_COMPARE_WITH_TIMEOUT(expired.count(), 1, 10000);
    rig.session->refreshCountdown();
    QCOMPARE(countdown->value(), 60);
    QVERIFY(!countdown->isActive());
    QTRY_VERIFY(rig.enables().value("banknotes").toBool());
    QVERIFY(rig.endSession());
}

void TestVendingSession::resetCountdownStartsAWholeStep()
{
    // A touch starts the customer's time over: the first step after it is a
    // whole step, not what was left of the step that was running.
    Countdown countdown;
    countdown.setInterval(300);
    countdown.start(3);
    QSignalSpy expired(&countdown, &Countdown::expired);
    QTest::qWait(250);
    QElapsedTimer sinceReset;
    sinceReset.start();
    countdown.reset();
    QVERIFY(countdown.isActive());
    QVERIFY(expired.wait(10000));
    // A coarse timer may fire up to 5 % early; a loaded machine only makes it late.
    QVERIFY2(sinceReset.elapsed() >= 3 * 300 * 95 / 100, qPrintable(QString::number(sinceReset.elapsed())));
}

void TestVendingSession::deliveryDoorIsReleasedForAWhile()
{
    VendingRig rig;
    QVERIFY(rig.start());
    const auto released = [&rig] { return rig.state()["doors"].toObject()["lockReleased"].toBool(); };
    QVERIFY(!released());
    rig.session->openDoor();
    QVERIFY(rig.session->isDoorReleased());
    QTRY_VERIFY(released());
    rig.session->onDoorLockTimeout();
    QTRY_VERIFY(!released());
}

void TestVendingSession::sessionDestroyedWhilePolling()
{
    VendingRig rig;
    QVERIFY(rig.start());
    rig.session->beginVendingSession();
    QTRY_VERIFY(rig.enables().value("coinAcceptor").toBool());
    rig.session.reset();
    const QJsonObject enables = rig.enables();
    for (const char* device : {"billValidator", "coinAcceptor", "pos", "cashless"})
        QVERIFY2(!enables.value(device).toBool(), device);
}

QTEST_MAIN(TestVendingSession)
#include "tst_vendingsession.moc"
