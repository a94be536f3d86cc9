#include "accounting/accountingservice.h"
#include "app/vm24.h"
#include "board/receipthelper.h"
#include "vending/longrunningoperation.h"
#include "vendingrig.h"

#include <QFile>
#include <QJsonDocument>
#include <QtTest>

namespace {

QJsonObject card_state(int balance, int id, int maxBalance)
{
    return QJsonObject {
        {"card", QJsonObject {{"present", true}, {"balance", balance}, {"id", id}, {"maxBalance", maxBalance}}}};
}

// Hopper 1 pays 1 euro coins.
QJsonObject change_state()
{
    return QJsonObject {
        {"hoppers",
         QJsonArray {QJsonObject {{"value", 100}, {"coins", 50}}, QJsonObject {{"value", 50}, {"coins", 0}}}}};
}

void write_settings(const QVariantMap& values)
{
    QSettings settings;
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        settings.setValue(it.key(), it.value());
}

SessionBalance booked(const Accounting& a)
{
    SessionBalance b;
    b.banknotes = a.get(Accounting::Banknotes);
    b.coins = a.get(Accounting::Coins);
    b.recharges = a.get(Accounting::Recharges);
    b.changeDelivered = a.get(Accounting::ChangeDelivered);
    b.cashIncome = a.get(Accounting::CashIncome);
    b.cashlessIncome = a.get(Accounting::CashlessIncome);
    b.posIncome = a.get(Accounting::PosIncome);
    b.extraCredit = a.get(Accounting::ExtraIncome);
    b.rechargeCount = a.get(Accounting::RechargeCount);
    b.changeCount = a.get(Accounting::ChangeCount);
    b.coinBox = a.get(Accounting::CoinBox);
    return b;
}

QString describe(const SessionBalance& b)
{
    return QStringLiteral("banknotes %1 coins %2 recharges %3 change %4 cash %5 cashless %6 pos %7 extra %8 "
                          "recharge-count %9 change-count %10 coin-box %11")
        .arg(b.banknotes)
        .arg(b.coins)
        .arg(b.recharges)
        .arg(b.changeDelivered)
        .arg(b.cashIncome)
        .arg(b.cashlessIncome)
        .arg(b.posIncome)
        .arg(b.extraCredit)
        .arg(b.rechargeCount)
        .arg(b.changeCount)
        .arg(b.coinBox);
}

} // namespace

class TestVendingSession : public QObject
{
    Q_OBJECT

private slots:
    void cardPaysWhatCashDoesNotCover();
    void sessionWithoutMoneyBooksZero();
    void changeAndCreditNote_data();
    void changeAndCreditNote();
    void rechargeWithRemainderBlocksFurtherRecharges();
    void suspendMovesCashOntoAPresentedCard();
    void countdownFollowsTheCredit();
    void creditNoteText();
    void deliveryDoorIsReleasedForAWhile();
    void sessionDestroyedWhilePolling();
};

void TestVendingSession::cardPaysWhatCashDoesNotCover()
{
    // A full card takes no recharge, so the cash stays cash.
    VendingRig rig(card_state(1000, 42, 1000));
    QVERIFY(rig.start());
    rig.session->beginVendingSession();
    QTRY_VERIFY(rig.enables().value("billValidator").toBool());
    QVERIFY(rig.control("banknote 500"));
    QVERIFY(rig.control("coin 100"));
    QVERIFY(rig.control("coin 20"));
    QVERIFY(rig.awaitCredit(1620));
    QCOMPARE(rig.session->computeExtraCredit(), 620);
    QTRY_VERIFY(rig.session->isRechargeBlocked());
    QCOMPARE(rig.prices->customerLevel(), 1);
    QCOMPARE(rig.session->computeCashlessCreditToWithdraw(620), 0);
    QCOMPARE(rig.session->computeCashlessCreditToWithdraw(1621), -1);
    QCOMPARE(rig.session->computeCashlessCreditToWithdraw(800), 180);

    QVERIFY(rig.suspend());
    auto charge = VM24::run_in_thread_pool([&rig] { return rig.session->withdrawCashless(180); });
    QTRY_VERIFY_WITH_TIMEOUT(charge.isFinished(), 10000);
    QVERIFY(charge.result());
    QCOMPARE(rig.card().value("balance").toInt(), 820);
    QSignalSpy credit(rig.session.get(), &VendingSessionContext::creditChanged);
    rig.session->notifyCashlessWithdrawn(180);
    QCOMPARE(credit.takeLast().first().toInt(), 1620);
    rig.session->productId = "main/1001";
    rig.session->recordPurchase(800, {3});
    QCOMPARE(credit.takeLast().first().toInt(), 820);
    QVERIFY(rig.log.lines().contains("product-purchased main/1001 800 3 1 42"));

    QVERIFY(rig.endSession());
    const SessionBalance b = booked(rig.accounting->get(Ledger::Log));
    QCOMPARE(describe(b), describe(SessionBalance {500, 120, 0, 0, 0, 800, 0, 0, 1, 0, 0}));
    QCOMPARE(rig.accounting->get(Ledger::Permanent).dispensedAmount(3), 800);
    QCOMPARE(rig.session->currentCredit(), 0);
    QCOMPARE(rig.prices->customerLevel(), 0);
}

void TestVendingSession::sessionWithoutMoneyBooksZero()
{
    VendingRig rig;
    QVERIFY(rig.start());
    QVERIFY(rig.power->isEnabled());
    rig.session->beginVendingSession();
    QVERIFY(!rig.power->isEnabled());
    QTRY_VERIFY(rig.enables().value("coinAcceptor").toBool());
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    QVERIFY(rig.endSession());
    QVERIFY(rig.power->isEnabled());
    QCOMPARE(rig.log.lines(), QStringList({"vending-session-info 0 0 0", "vending-session-info 2 0 0"}));
    const Accounting& log = rig.accounting->get(Ledger::Log);
    QCOMPARE(describe(booked(log)), describe(SessionBalance()));
    QVERIFY(log.lastUpdate() >= before);
    AccountingService reloaded;
    QCOMPARE(reloaded.ledger(), rig.accounting->ledger());
    // Everything is switched off and the board's credit cleared.
    const QStringList last = rig.acceptanceRequests().mid(rig.acceptanceRequests().size() - 6);
    QCOMPARE(last, QStringList({"O0 10", "E1001", "W0", "O0 74", "E0000", "A"}));
}

void TestVendingSession::changeAndCreditNote_data()
{
    QTest::addColumn<bool>("greedy");
    QTest::addColumn<int>("change");
    QTest::newRow("pay what can be paid") << false << 500;
    QTest::newRow("greedy: all or nothing") << true << 0;
}

void TestVendingSession::changeAndCreditNote()
{
    QFETCH(bool, greedy);
    QFETCH(int, change);
    VendingRig rig(change_state());
    write_settings({{"hopper-value_1", 100}, {"max-change", 500}, {"receipt-row-1", "Farmacia Centrale"}});
    QVERIFY(rig.start());
    QTRY_VERIFY(rig.change->isAvailable());
    rig.session->setGreedyChange(greedy);
    rig.session->beginVendingSession();
    QTRY_VERIFY(rig.enables().value("coinAcceptor").toBool());
    for (const char* coin : {"coin 200", "coin 200", "coin 200", "coin 100"})
        QVERIFY(rig.control(coin));
    QVERIFY(rig.awaitCredit(700));
    QCOMPARE(rig.session->computeChange(), change);
    const int stored = rig.storedCoins();

    QVERIFY(rig.endSession());
    const int extra = 700 - change;
    QCOMPARE(rig.storedCoins(), stored - change);
    const SessionBalance b = booked(rig.accounting->get(Ledger::Permanent));
    QCOMPARE(describe(b), describe(SessionBalance {0, 700, 0, change, 0, 0, 0, extra, 0, change > 0, 0}));
    QCOMPARE(rig.log.starting("return-change"), change ? QStringList {"return-change 500"} : QStringList());
    QCOMPARE(rig.log.starting("overpay"), QStringList {QStringLiteral("overpay %1").arg(extra)});
    QCOMPARE(rig.log.starting("warning"), QStringList());
    QFile receipts(rig.board.simulator().receiptLogPath());
    QVERIFY(receipts.open(QIODevice::ReadOnly));
    const QString printed = QString::fromUtf8(receipts.readAll());
    QVERIFY2(printed.contains(QStringLiteral("IMPORTO DOVUTO: %1").arg(VM24::format_credit(extra))),
             qPrintable(printed));
    QVERIFY(printed.contains("Farmacia Centrale"));
}

void TestVendingSession::rechargeWithRemainderBlocksFurtherRecharges()
{
    // The card takes 300 more before it is full.
    VendingRig rig(
        QJsonObject {{"card", QJsonObject {{"present", false}, {"balance", 1000}, {"id", 77}, {"maxBalance", 1300}}}});
    QVERIFY(rig.start());
    rig.session->beginVendingSession();
    QTRY_VERIFY(rig.enables().value("coinAcceptor").toBool());
    QVERIFY(rig.control("coin 200"));
    QVERIFY(rig.control("coin 200"));
    QVERIFY(rig.awaitCredit(400));
    QCOMPARE(rig.requestsOf('D'), 0);
    QVERIFY(rig.control("card insert 1000 77"));
    QTRY_COMPARE(rig.session->isRechargeBlocked(), true);
    QCOMPARE(rig.log.starting("recharge"), QStringList {"recharge 300 77"});
    QCOMPARE(rig.session->balance().recharges, 300);
    QCOMPARE(rig.session->balance().rechargeCount, 1);
    QCOMPARE(rig.session->computeExtraCredit(), 100);
    QCOMPARE(rig.card().value("balance").toInt(), 1300);
    const int recharges = rig.requestsOf('D');
    QCOMPARE(recharges, 1);
    QVERIFY(rig.control("coin 50"));
    QVERIFY(rig.awaitCredit(1300 + 150));
    QTest::qWait(1500);
    QCOMPARE(rig.requestsOf('D'), recharges);
    // Taking the card away lifts the block.
    QVERIFY(rig.control("card remove"));
    QTRY_COMPARE(rig.session->isRechargeBlocked(), false);
    QCOMPARE(rig.session->currentCredit(), 150);
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
    QCOMPARE(rig.session->computeExtraCredit(), 0);
    QCOMPARE(rig.session->currentCredit(), 800);
    QCOMPARE(rig.session->balance().recharges, 300);
    QVERIFY(rig.log.lines().contains("vending-session-info 1 300 0"));
    QCOMPARE(rig.log.starting("recharge"), QStringList {"recharge 300 9"});
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
    QVERIFY(expired.wait(2000));
    rig.session->refreshCountdown();
    QCOMPARE(countdown->value(), 60);
    QVERIFY(!countdown->isActive());
    QTRY_VERIFY(rig.enables().value("banknotes").toBool());
    QVERIFY(rig.endSession());
}

void TestVendingSession::creditNoteText()
{
    const ReceiptHelper note = VendingSessionContext::creditNote(1250, QDateTime(QDate(2024, 5, 6), QTime(7, 8, 9)));
    QStringList lines;
    for (const ReceiptHelper::Line& line : note.lines())
        lines << line.first;
    const int start = lines.indexOf("06/05/2024   07:08");
    QVERIFY(start > 0);
    QCOMPARE(lines.mid(start, 11),
             QStringList({"06/05/2024   07:08", "", "IMPORTO DOVUTO: 12,50", "", QString(24, '-'), "PRESENTARE QUESTO",
                          "SCONTRINO NEGLI ORARI", "DI APERTURA PER IL", "RIMBORSO DEL CREDITO", "NON UTILIZZATO",
                          QString(24, '-')}));
    QCOMPARE(lines.size(), start + 11 + 12);
    QCOMPARE(note.lines().at(start + 5).second, ReceiptHelper::Center);
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
