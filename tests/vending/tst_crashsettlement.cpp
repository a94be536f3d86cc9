#include "vending/initialcredit.h"
#include "vendingrig.h"

#include <QJsonArray>

namespace {

const int PRICE = 290;
const int DISPENSER = 4;

QJsonObject board_holding(int coins)
{
    return QJsonObject{{"credit", QJsonObject{{"coins", coins}}},
                       {"columns", QJsonArray{5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5}},
                       {"timings", QJsonObject{{"motorMs", 200}}}};
}

// A session that had taken 5,00 and started a motor cycle when the program died.
SessionJournal::OpenSession session_in_a_motor_cycle()
{
    SessionJournal::OpenSession s;
    s.balance.coins = 500;
    s.balance.extraCredit = 500;
    s.method = 1;
    s.productId = QStringLiteral("main/1701");
    s.unitPrice = PRICE;
    s.operation = SessionJournal::MotorCycle;
    s.dispenser = DISPENSER;
    return s;
}

} // namespace

// What start-up books after a crash, from the journal the ledger files kept
// and the board's answers; whatever it books, a second start-up books
// nothing more and the board's credit ends cleared.
class TestCrashSettlement : public QObject
{
    Q_OBJECT

private slots:
    void motorCycleInFlight_data();
    void motorCycleInFlight();
    void creditBookedButNotCleared();
};

void TestCrashSettlement::motorCycleInFlight_data()
{
    QTest::addColumn<bool>("boardRanIt");
    QTest::newRow("the board reports the delivery") << true;
    QTest::newRow("the cycle never reached the board") << false;
}

void TestCrashSettlement::motorCycleInFlight()
{
    QFETCH(bool, boardRanIt);
    VendingRig rig(board_holding(500));
    AccountingService(/* before the crash */).journalSession(session_in_a_motor_cycle());
    QVERIFY(rig.start());
    QVERIFY(rig.accounting->journal().session.open);
    if (boardRanIt) {
        QVERIFY(rig.controller()->sendMoveMotorCommand(Motor::fromIndex(DISPENSER)));
        QTRY_COMPARE(rig.state()["delivered"].toInt(), 1);
    }

    VM24::book_initial_credit(rig.controller(), rig.accounting.get(), &rig.notifications);

    const Accounting& books = rig.accounting->get(Ledger::Permanent);
    const int sold = boardRanIt ? 1 : 0;
    QCOMPARE(books.get(Accounting::Coins), 500);
    QCOMPARE(books.dispensedCount(DISPENSER), sold);
    QCOMPARE(books.get(Accounting::CashIncome), sold * PRICE);
    QCOMPARE(books.get(Accounting::ExtraIncome), 500 - sold * PRICE);
    QCOMPARE(rig.log.starting("warning-owner").size(), boardRanIt ? 0 : 1);
    QCOMPARE(rig.state()["credit"].toObject()["coins"].toInt(), 0);
    QVERIFY(rig.accounting->journal().isEmpty());
    const AccountingService reloaded;
    QCOMPARE(reloaded.ledger(), rig.accounting->ledger());
    QVERIFY(reloaded.journal().isEmpty());
}

// Killed after the session was booked and before the board was cleared:
// the board's credit is the session's, booked once.
void TestCrashSettlement::creditBookedButNotCleared()
{
    VendingRig rig(board_holding(700));
    {
        AccountingService before;
        SessionBalance session;
        session.coins = 700;
        session.cashIncome = 700;
        before.bookClosedSession(session, {true, 0, 700, 0});
    }
    QVERIFY(rig.start());
    VM24::book_initial_credit(rig.controller(), rig.accounting.get(), &rig.notifications);
    const Accounting& books = rig.accounting->get(Ledger::Permanent);
    QCOMPARE(books.get(Accounting::Coins), 700);
    QCOMPARE(books.get(Accounting::ExtraIncome), 0);
    QCOMPARE(rig.state()["credit"].toObject()["coins"].toInt(), 0);
    QVERIFY(rig.accounting->journal().isEmpty());
    QVERIFY(rig.log.starting("overpay").isEmpty());
}

QTEST_MAIN(TestCrashSettlement)
#include "tst_crashsettlement.moc"
