#include "board/accountingcounters.h"
#include "board/boardstatus.h"
#include "board/creditpacket.h"
#include "board/devices.h"
#include "board/inputmask.h"
#include "board/receipthelper.h"
#include "testenvironment.h"

#include <QDebug>
#include <QSettings>
#include <QTest>

class TestBoardValues : public QObject
{
    Q_OBJECT

private slots:
    void creditPacketMethodAndText()
    {
        const CreditPacket failed;
        QCOMPARE(failed.bill, -1);
        QCOMPARE(failed.cardId, -1);
        QCOMPARE(failed.coins + failed.pos + failed.cashless + failed.coinBox, 0);
        QVERIFY(!failed.isValid());
        QCOMPARE(failed.method(), 0);
        QCOMPARE(failed.toString(),
                 QStringLiteral("{ bill=-1; coins=0; coin-box=0; pos=0; cashless=0; card-id=-1; method=N/A }"));

        const CreditPacket cash(500, 120, 0, 0, 30, -1);
        QCOMPARE(cash.method(), 1);
        QCOMPARE(cash.toString(),
                 QStringLiteral("{ bill=500; coins=120; coin-box=30; pos=0; cashless=0; card-id=-1; method=Cash-Cashless }"));

        const CreditPacket card(0, 0, 0, 850, 0, 4711);
        QCOMPARE(card.method(), 2);
        QVERIFY(card.toString().contains(QLatin1String("card-id=4711; method=Cash-Cashless")));

        // POS wins over a card; the card id is only shown for method 2.
        const CreditPacket pos(0, 0, 300, 0, 0, 4711);
        QCOMPARE(pos.method(), 3);
        QVERIFY(pos.toString().endsWith(QLatin1String("card-id=-1; method=POS }")));

        QString text;
        QDebug(&text) << cash;
        QCOMPARE(text.trimmed(), QLatin1Char('"') + cash.toString() + QLatin1Char('"'));
    }

    void boardStatusBits()
    {
        using namespace BoardStatus;
        const int status = Printer | OutOfPaper | Motor4 | Motor5 | Motor18;
        QVERIFY(status & Printer);
        QVERIFY(!(status & Pos));
        QVERIFY(is_controller_available(status, 3));
        QVERIFY(is_controller_available(status, 4));
        QVERIFY(is_controller_available(status, 17));
        QVERIFY(!is_controller_available(status, 0));
        QVERIFY(!is_controller_available(status, 5));
        QVERIFY(!is_controller_available(-1, 18));
        QVERIFY(is_controller_available(1 << 11, 0));
        QVERIFY(!is_controller_available(CanGiveChange | OutOfPaper, 4) && !is_controller_available(CanGiveChange, 3));

        QCOMPARE(bit_name(0), QStringLiteral("BoardReset"));
        QCOMPARE(bit_name(9), QStringLiteral("Hopper2Coins"));
        QCOMPARE(bit_name(16), QStringLiteral("OutOfPaper"));
        QCOMPARE(bit_name(17), QStringLiteral("Motor5"));
        QCOMPARE(bit_name(30), QStringLiteral("Motor18"));
        QCOMPARE(bit_name(31), QString());
    }

    void inputWord()
    {
        using namespace InputMask;
        const int inputs = int(0xFE2A0181u); // battery -2, 42 degrees, button, mains, front door
        QVERIFY(inputs & FrontDoorClosed);
        QVERIFY(!(inputs & BackDoorClosed));
        QVERIFY(inputs & MainsPower);
        QVERIFY(inputs & InternalButton);
        QCOMPARE(temperature(inputs), 42);
        QCOMPARE(battery_charge(inputs), -2);
        QCOMPARE(temperature(0x00FF0000), 255);
        QCOMPARE(battery_charge(0x64000000), 100);
    }

    void deviceNames()
    {
        QCOMPARE(Devices::to_string(Devices::Rk710), QStringLiteral("RK710"));
        QCOMPARE(Devices::to_string(Devices::Printer), QStringLiteral("Stampante"));
        QCOMPARE(Devices::to_string(Devices::Index(10)), QStringLiteral("Erogatore  1"));
        QCOMPARE(Devices::to_string(Devices::Index(27)), QStringLiteral("Erogatore 18"));
        QCOMPARE(Devices::to_string(Devices::Index(28)), QString());
        QCOMPARE(Devices::to_string(Devices::Index(-1)), QString());
    }

    void accountingCounters()
    {
        AccountingCounters counters;
        QVERIFY(counters.isZero());
        counters.set(AccountingCounters::Hopper3, 7);
        QCOMPARE(counters.get(12), 7);
        counters.set(13, 9);
        QCOMPARE(counters.get(13), 0);
        QCOMPARE(AccountingCounters::denomination(0), 5000);
        QCOMPARE(AccountingCounters::denomination(9), 5);
        QCOMPARE(AccountingCounters::denomination(10), 0);
    }

    void receiptLines()
    {
        ReceiptHelper receipt(24);
        receipt.tab(QStringLiteral("Totale"), QStringLiteral("12,50"));
        QCOMPARE(receipt.lines().last().first, QStringLiteral("Totale") + QString(13, QLatin1Char(' ')) + QStringLiteral("12,50"));
        QCOMPARE(receipt.lines().last().first.length(), 24);

        receipt.tab(QStringLiteral("Monete"), QStringLiteral("3"), '.');
        QCOMPARE(receipt.lines().last().first, QStringLiteral("Monete.................3"));

        // A left text filling the width stands alone; a long right text is not cut.
        receipt.tab(QString(24, QLatin1Char('L')), QStringLiteral("lost"));
        QCOMPARE(receipt.lines().last().first, QString(24, QLatin1Char('L')));
        receipt.tab(QStringLiteral("abc"), QString(30, QLatin1Char('r')));
        QCOMPARE(receipt.lines().last().first, QStringLiteral("abc") + QString(30, QLatin1Char('r')));

        receipt.line(QString(30, QLatin1Char('x')), ReceiptHelper::Center, true);
        QCOMPARE(receipt.lines().last(), ReceiptHelper::Line(QString(24, QLatin1Char('x')), ReceiptHelper::Center));
        receipt.line(QString(30, QLatin1Char('x')), ReceiptHelper::Right, false);
        QCOMPARE(receipt.lines().last().first.length(), 30);

        const int before = int(receipt.lines().size());
        receipt.empty(0);
        receipt.empty(-3);
        QCOMPARE(int(receipt.lines().size()), before);
        receipt.empty(2);
        receipt.repeated('=');
        QCOMPARE(int(receipt.lines().size()), before + 3);
        QCOMPARE(receipt.lines().last(), ReceiptHelper::Line(QString(24, QLatin1Char('=')), ReceiptHelper::Left));

        ReceiptHelper other(24);
        other.line(QStringLiteral("fine"));
        receipt.append(other);
        QCOMPARE(receipt.lines().last().first, QStringLiteral("fine"));
        QCOMPARE(int(receipt.lines().size()), before + 4);
    }

    void standardHeaderFramesTheRows()
    {
        ReceiptHelper receipt(24);
        ReceiptHelper::compileStandardReceiptHeader(
            receipt, {QStringLiteral("FARMACIA CENTRALE"), QString(), QStringLiteral("Via Roma 1")});
        using L = ReceiptHelper::Line;
        const QString dashes(24, QLatin1Char('-'));
        const QList<L> expected = {
            L(QString(), ReceiptHelper::Left), L(QString(), ReceiptHelper::Left),
            L(dashes, ReceiptHelper::Left),
            L(QStringLiteral("FARMACIA CENTRALE"), ReceiptHelper::DoubleHeight),
            L(QString(), ReceiptHelper::DoubleHeight),
            L(QStringLiteral("Via Roma 1"), ReceiptHelper::DoubleHeight),
            L(dashes, ReceiptHelper::Left),
            L(QString(), ReceiptHelper::Left),
        };
        QCOMPARE(receipt.lines(), expected);
    }
};

QTEST_GUILESS_MAIN(TestBoardValues)
#include "tst_boardvalues.moc"
