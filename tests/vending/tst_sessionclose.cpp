#include "accounting/accountingservice.h"
#include "board/receipthelper.h"
#include "core/vm24.h"
#include "vendingrig.h"

#include <QFile>
#include <QtTest>

namespace {

// Hopper 1 pays 1 euro coins.
QJsonObject change_state()
{
    return QJsonObject{
        {"hoppers",
         QJsonArray{QJsonObject{{"value", 100}, {"coins", 50}}, QJsonObject{{"value", 50}, {"coins", 0}}}}};
}

} // namespace

// How a session ends: change, credit note, booking.
class TestSessionClose : public QObject
{
    Q_OBJECT

private slots:
    void sessionWithoutMoneyBooksZero();
    void changeAndCreditNote_data();
    void changeAndCreditNote();
    void creditNoteText();
};

void TestSessionClose::sessionWithoutMoneyBooksZero()
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

void TestSessionClose::changeAndCreditNote_data()
{
    QTest::addColumn<bool>("greedy");
    QTest::addColumn<int>("change");
    QTest::newRow("pay what can be paid") << false << 500;
    QTest::newRow("greedy: all or nothing") << true << 0;
}

void TestSessionClose::changeAndCreditNote()
{
    QFETCH(bool, greedy);
    QFETCH(int, change);
    VendingRig rig(change_state());
    write_settings({{"hopper-value_1", 100}, {"max-change", 500}, {"receipt-row-1", "Farmacia Centrale"}});
    QVERIFY(rig.start());
    QTRY_VERIFY(rig.change->isAvailable());
    rig.checkout->setGreedyChange(greedy);
    rig.session->beginVendingSession();
    QTRY_VERIFY(rig.enables().value("coinAcceptor").toBool());
    for (const char* coin : {"coin 200", "coin 200", "coin 200", "coin 100"})
        QVERIFY(rig.control(coin));
    QVERIFY(rig.awaitCredit(700));
    QCOMPARE(rig.checkout->computeChange(), change);
    const int stored = rig.storedCoins();

    QVERIFY(rig.endSession());
    const int extra = 700 - change;
    QCOMPARE(rig.storedCoins(), stored - change);
    const SessionBalance b = booked(rig.accounting->get(Ledger::Permanent));
    QCOMPARE(describe(b), describe(SessionBalance{0, 700, 0, change, 0, 0, 0, extra, 0, change > 0, 0}));
    QCOMPARE(rig.log.starting("return-change"), change ? QStringList{"return-change 500"} : QStringList());
    QCOMPARE(rig.log.starting("overpay"), QStringList{QStringLiteral("overpay %1").arg(extra)});
    QCOMPARE(rig.log.starting("warning"), QStringList());
    QFile receipts(rig.board.simulator().receiptLogPath());
    QVERIFY(receipts.open(QIODevice::ReadOnly));
    const QString printed = QString::fromUtf8(receipts.readAll());
    QVERIFY2(printed.contains(QStringLiteral("IMPORTO DOVUTO: %1").arg(VM24::format_credit(extra))),
             qPrintable(printed));
    QVERIFY(printed.contains("Farmacia Centrale"));
}

void TestSessionClose::creditNoteText()
{
    const ReceiptHelper note = SessionCheckout::creditNote(1250, QDateTime(QDate(2024, 5, 6), QTime(7, 8, 9)), {});
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

QTEST_MAIN(TestSessionClose)
#include "tst_sessionclose.moc"
