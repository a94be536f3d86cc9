#include "board/receipthelper.h"
#include "board/rk710serialprotocol.h"
#include "ptypeer.h"

#include <QElapsedTimer>
#include <QMutex>
#include <QTest>

#include <functional>

namespace {

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray result;
    for (int v : values)
        result.append(char(v));
    return result;
}

// A board that answers each command letter with canned data (nothing by
// default), or with silence once it is switched off.
class CannedBoard
{
public:
    CannedBoard()
    {
        peer.setResponder([this](const PtyPeer::Frame& frame) {
            QMutexLocker locker(&mutex);
            if (silent || frame.data.isEmpty())
                return QByteArray();
            if (delayMs > 0)
                QThread::msleep(ulong(delayMs));
            return PtyPeer::answer(frame.identifier, answers.value(frame.data[0]));
        });
        peer.start();
    }
    void set(char code, const QByteArray& answer)
    {
        QMutexLocker locker(&mutex);
        answers[code] = answer;
    }
    void setSilent(bool s)
    {
        QMutexLocker locker(&mutex);
        silent = s;
    }
    void setDelay(int ms)
    {
        QMutexLocker locker(&mutex);
        delayMs = ms;
    }
    QByteArray lastRequest() const
    {
        const QList<PtyPeer::Frame> frames = peer.frames();
        return frames.isEmpty() ? QByteArray() : frames.last().data;
    }
    QList<QByteArray> requests() const
    {
        QList<QByteArray> result;
        for (const PtyPeer::Frame& frame : peer.frames())
            result.append(frame.data);
        return result;
    }

    PtyPeer peer;

private:
    QMutex mutex;
    QHash<char, QByteArray> answers;
    bool silent = false;
    int delayMs = 0;
};

QByteArray print(int format, const QByteArray& text)
{
    return QByteArray("P") + char(format) + text;
}

} // namespace

class TestRk710SerialProtocol : public QObject
{
    Q_OBJECT

    CannedBoard* board = nullptr;
    Rk710SerialProtocol* protocol = nullptr;

private slots:
    void init()
    {
        board = new CannedBoard;
        protocol = new Rk710SerialProtocol;
        QVERIFY(protocol->open(board->peer.slavePath().toLocal8Bit().constData()));
        QVERIFY(protocol->isOpen());
    }

    void cleanup()
    {
        delete protocol;
        delete board;
    }

    void requestsAreEncoded()
    {
        struct Case
        {
            const char* name;
            std::function<bool()> call;
            QByteArray expected;
        };
        quint8 v1 = 0, v2 = 0;
        int boardSerial = 0;
        const QList<Case> cases = {
            {"clear", [&] { return protocol->clear(); }, "A"},
            {"withdraw", [&] { return protocol->withdrawCashless(0x1234, CashlessType::Standard); }, bytes({'B', 0, 0x12, 0x34})},
            {"withdraw through pos", [&] { return protocol->withdrawCashless(250, CashlessType::Pos); }, bytes({'B', 1, 0x00, 0xFA})},
            {"refund", [&] { return protocol->refundCashless(1000); }, bytes({'D', 0, 0x03, 0xE8})},
            {"enable bill", [&] { return protocol->setCreditEnable(true, false, false, false); }, bytes({'E', 1})},
            {"enable coins+cashless", [&] { return protocol->setCreditEnable(false, true, false, true); }, bytes({'E', 10})},
            {"enable pos", [&] { return protocol->setCreditEnable(false, false, true, false); }, bytes({'E', 4})},
            {"blink", [&] { return protocol->setBlinkingLights(7); }, bytes({'F', 7, 0, 0})},
            {"item value", [&] { return protocol->setItemValue(Rk710SerialProtocol::Hopper2, 200); }, bytes({'H', 2, 0, 200})},
            {"power on", [&] { return protocol->powerControl(true); }, bytes({'L', 1})},
            {"power off", [&] { return protocol->powerControl(false); }, bytes({'L', 0})},
            {"door open", [&] { return protocol->setDoorStatus(true); }, bytes({'M', 1})},
            {"door locked", [&] { return protocol->setDoorStatus(false); }, bytes({'M', 2})},
            {"output on", [&] { return protocol->setOutput(true, 0x184); }, bytes({'O', 1, 0x01, 0x84})},
            {"output off", [&] { return protocol->setOutput(false, 0xC7B); }, bytes({'O', 0, 0x0C, 0x7B})},
            {"reset motor", [&] { return protocol->sendResetMotorCommand(Motor::fromIndex(17)); }, bytes({'Q', 18})},
            {"change", [&] { return protocol->giveChange(150); }, bytes({'R', 0, 150})},
            {"move motor", [&] { return protocol->sendMoveMotorCommand(Motor::fromIndex(0)); }, bytes({'T', 1})},
            {"pwm", [&] { return protocol->setPwmOutput(1, 75, 75, 0); }, bytes({'U', 1, 75, 75, 0})},
            {"banknotes on", [&] { return protocol->setBanknoteAcceptance(true); }, bytes({'W', 1})},
            {"banknotes off", [&] { return protocol->setBanknoteAcceptance(false); }, bytes({'W', 0})},
            {"dispense", [&] { return protocol->sendDispenseItemsCommand(Rk710SerialProtocol::Hopper1, 12); }, bytes({'X', 1, 12})},
            {"reset counters", [&] { return protocol->resetCounters(Rk710SerialProtocol::Daily); }, bytes({'y', 2})},
            {"versions", [&] {
                 board->set('V', bytes({3, 17, 0, 0, 0x30, 0x39}));
                 return protocol->exchangeFirmwareVersions(VmcType::Pharmacy, 1, 0x01020304, true, false, v1, v2, boardSerial);
             }, bytes({'V', 2, 1, 1, 2, 3, 4, 1, 0})},
            {"versions assign", [&] {
                 return protocol->exchangeFirmwareVersions(VmcType::Pharmacy, 1, 42, false, true, v1, v2, boardSerial);
             }, bytes({'V', 2, 1, 0, 0, 0, 42, 0, 1})},
        };
        for (const Case& c : cases) {
            QVERIFY2(c.call(), c.name);
            QVERIFY2(board->lastRequest() == c.expected,
                     qPrintable(QStringLiteral("%1: %2").arg(QLatin1String(c.name), QString::fromLatin1(board->lastRequest().toHex(' ')))));
        }
        QCOMPARE(int(v1), 3);
        QCOMPARE(int(v2), 17);
        QCOMPARE(boardSerial, 12345);
        QCOMPARE(protocol->errors(), 0);
    }

    void creditAnswers()
    {
        // 12 bytes: no coin box.
        board->set('C', bytes({0x00, 0x00, 0x01, 0xF4, 0x00, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF}));
        CreditPacket packet = protocol->getCredit();
        QCOMPARE(board->lastRequest(), QByteArray("C"));
        QCOMPARE(packet.bill, 0);
        QCOMPARE(packet.coins, 500);
        QCOMPARE(packet.cardId, -1);
        QCOMPARE(packet.coinBox, 0);
        QCOMPARE(packet.method(), 1);

        board->set('C', bytes({0x03, 0xE8, 0x00, 0x32, 0x00, 0x00, 0x01, 0x2C, 0x00, 0x00, 0x00, 0x07, 0x00, 0x14}));
        packet = protocol->getCredit();
        QCOMPARE(packet, CreditPacket(1000, 50, 0, 300, 20, 7));
        QCOMPARE(packet.method(), 2);

        // 13 bytes: neither form; the coin box only comes with exactly 14.
        board->set('C', bytes({0, 5, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 9}));
        QCOMPARE(protocol->getCredit().coinBox, 0);

        board->set('C', bytes({0, 5, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF}));
        QCOMPARE(protocol->getCredit(), CreditPacket::failed());
    }

    void wordAnswersMustHaveTheirLength()
    {
        board->set('I', bytes({0x12, 0x34, 0x00, 0x81}));
        QCOMPARE(protocol->readInput(), 0x12340081);
        board->set('I', bytes({0xFF, 0x28, 0x00, 0x83}));
        QCOMPARE(protocol->readInput(), int(0xFF280083));
        board->set('I', bytes({0x12, 0x34, 0x00}));
        QCOMPARE(protocol->readInput(), -1);
        board->set('I', bytes({0x12, 0x34, 0x00, 0x81, 0x00}));
        QCOMPARE(protocol->readInput(), -1);

        board->set('S', bytes({0x00, 0x01, 0x04, 0x06}));
        QCOMPARE(protocol->readBoardStatus(), 0x00010406);
        board->set('S', QByteArray());
        QCOMPARE(protocol->readBoardStatus(), -1);

        board->set('J', bytes({0x00, 0xC8}));
        QCOMPARE(protocol->getItemValue(Rk710SerialProtocol::Hopper1), 200);
        QCOMPARE(board->lastRequest(), bytes({'J', 1, 0, 0}));
        board->set('J', bytes({0x00, 0x64, 0x99}));
        QCOMPARE(protocol->getItemValue(Rk710SerialProtocol::Hopper2), 100);
        board->set('J', bytes({0x64}));
        QCOMPARE(protocol->getItemValue(Rk710SerialProtocol::Hopper2), -1);

        quint8 v1 = 9, v2 = 9;
        int serial = 9;
        board->set('V', bytes({1, 2, 0, 0, 0}));
        QVERIFY(!protocol->exchangeFirmwareVersions(VmcType::Pharmacy, 1, 0, true, false, v1, v2, serial));
        QCOMPARE(int(v1), 9);
    }

    void presenceMaskIsLittleEndian()
    {
        board->set('K', bytes({0x01, 0, 0, 0, 0, 0, 0, 0x80}));
        const qint64 mask = protocol->readProductPresenceMask();
        QCOMPARE(quint64(mask), quint64(0x8000000000000001ULL));
        QVERIFY(protocol->testProductPresence(0));
        QVERIFY(protocol->testProductPresence(63));
        QVERIFY(!protocol->testProductPresence(1));
        QVERIFY(!protocol->testProductPresence(62));
        QVERIFY(!protocol->testProductPresence(64));

        board->set('K', bytes({0x02, 0x01, 0, 0, 0, 0, 0, 0}));
        QCOMPARE(protocol->readProductPresenceMask(), qint64(0x0102));

        // A failed read: every position reads as occupied.
        board->set('K', bytes({0x01, 0, 0, 0, 0, 0, 0}));
        QCOMPARE(protocol->readProductPresenceMask(), qint64(-1));
        QVERIFY(protocol->testProductPresence(5));
    }

    void dateTimeExchange()
    {
        board->set('G', bytes({0x1F, 0x03, 0x09, 0x0E, 0x05, 0x07, 0x07}));
        const QDateTime sunday(QDate(2031, 3, 9), QTime(14, 5, 7));
        QCOMPARE(protocol->exchangeDateTime(sunday), sunday);
        QCOMPARE(board->lastRequest(), bytes({'G', 0x1F, 0x03, 0x09, 0x0E, 0x05, 0x07, 0x07}));

        board->set('G', bytes({24, 12, 31, 23, 59, 58, 2}));
        QCOMPARE(protocol->exchangeDateTime(QDateTime()), QDateTime(QDate(2024, 12, 31), QTime(23, 59, 58)));
        QCOMPARE(board->lastRequest(), bytes({'G', 0, 0, 0, 255, 255, 255, 0}));

        // Years outside 2000..2099 are clamped.
        protocol->exchangeDateTime(QDateTime(QDate(1999, 1, 4), QTime(0, 0)));
        QCOMPARE(board->lastRequest(), bytes({'G', 0, 1, 4, 0, 0, 0, 1}));
        protocol->exchangeDateTime(QDateTime(QDate(2150, 1, 1), QTime(0, 0)));
        QCOMPARE(board->lastRequest().at(1), char(99));

        board->set('G', bytes({24, 12, 31, 23, 59, 58}));
        QVERIFY(!protocol->exchangeDateTime(QDateTime()).isValid());
        board->set('G', bytes({24, 13, 31, 23, 59, 58, 2}));
        QVERIFY(!protocol->exchangeDateTime(QDateTime()).isValid());
    }

    void countersNeedTwentySixBytes()
    {
        QByteArray answer;
        for (int i = 0; i < 14; ++i)
            answer += bytes({i, 10 + i});
        board->set('Y', answer.left(25));
        QVERIFY(protocol->getCounters(Rk710SerialProtocol::Permanent).isZero());
        QCOMPARE(board->lastRequest(), bytes({'Y', 0}));

        board->set('Y', answer.left(28));
        const AccountingCounters counters = protocol->getCounters(Rk710SerialProtocol::Partial);
        QCOMPARE(board->lastRequest(), bytes({'Y', 1}));
        for (int i = 0; i < AccountingCounters::Count; ++i)
            QCOMPARE(counters.get(i), i * 256 + 10 + i);
        QCOMPARE(counters.get(AccountingCounters::Count), 0);

        // Longer than the 32-byte buffer still gives the first 26.
        QByteArray longAnswer = answer + answer;
        board->set('Y', longAnswer);
        QCOMPARE(protocol->getCounters(Rk710SerialProtocol::Daily), counters);
    }

    void longCommandPoll()
    {
        quint8 reply[Rk710SerialProtocol::LONG_COMMAND_REPLY_SIZE];
        int length = sizeof reply;
        board->set('N', bytes({0, 1, 0, 120}));
        QCOMPARE(protocol->pollLongCommandStatus(reply, length), 1);
        QCOMPARE(length, 4);
        QCOMPARE(int(reply[3]), 120);
        QCOMPARE(board->lastRequest(), QByteArray("N"));

        length = sizeof reply;
        board->set('N', bytes({0, 0}));
        QCOMPARE(protocol->pollLongCommandStatus(reply, length), 0);
        QCOMPARE(length, 2);

        length = sizeof reply;
        board->set('N', bytes({0}));
        QCOMPARE(protocol->pollLongCommandStatus(reply, length), 3);
    }

    void versionStrings()
    {
        board->set('Z', QByteArray("RK710: 2.17"));
        QCOMPARE(protocol->getVersionString(Devices::Printer), QByteArray("RK710: 2.17"));
        QCOMPARE(board->lastRequest(), bytes({'Z', 9}));
        board->set('Z', QByteArray(200, 'v'));
        QCOMPARE(protocol->getVersionString(Devices::Rk710), QByteArray(128, 'v'));
    }

    void printing()
    {
        board->set('P', bytes({1}));
        QVERIFY(protocol->printString("HELLO", LineFormat::DoubleHeight));
        QCOMPARE(board->lastRequest(), print(3, "HELLO"));

        board->set('P', bytes({0}));
        QVERIFY(!protocol->printString("x", LineFormat::Left));
        board->set('P', bytes({1, 1}));
        QVERIFY(!protocol->printString("x", LineFormat::Left));

        board->set('P', bytes({1}));
        board->peer.clearRecords();
        QVERIFY(protocol->printMultilineString(QStringLiteral("uno\n\nperché\n"), LineFormat::Center));
        QCOMPARE(board->requests(), (QList<QByteArray>{print(1, "uno"), print(1, " "), print(1, "perche")}));

        board->peer.clearRecords();
        QVERIFY(protocol->printMultilineString(QString(), LineFormat::Left));
        QVERIFY(protocol->printMultilineString(QStringLiteral("a\n\n"), LineFormat::Left));
        QCOMPARE(board->requests(), (QList<QByteArray>{print(0, "a"), print(0, " ")}));

        ReceiptHelper receipt(24);
        receipt.line(QStringLiteral("TITOLO"), ReceiptHelper::DoubleHeight);
        receipt.empty(1);
        receipt.line(QStringLiteral("€ 1,00"), ReceiptHelper::Right);
        board->peer.clearRecords();
        QVERIFY(protocol->printReceipt(receipt));
        QCOMPARE(board->requests(), (QList<QByteArray>{print(3, "TITOLO"), print(0, " "), print(2, "? 1,00")}));

        // The first failed line ends the receipt.
        board->set('P', bytes({0}));
        board->peer.clearRecords();
        QVERIFY(!protocol->printReceipt(receipt));
        QVERIFY(!protocol->printMultilineString(QStringLiteral("a\nb"), LineFormat::Left));
        QCOMPARE(board->peer.frameCount(), 2); // one line each, not retried
        QVERIFY(protocol->printReceipt(ReceiptHelper(24)));
    }

    void printerGetsALongerWait()
    {
        // About 1.5 s before the answer: too long for an ordinary request
        // (1 s per attempt), within the printer's 2 s.
        board->set('P', bytes({1}));
        board->setDelay(1500);
        QElapsedTimer timer;
        timer.start();
        QVERIFY(protocol->printString("slow", LineFormat::Left));
        QCOMPARE(board->peer.frameCount(), 1);
        QVERIFY(timer.elapsed() >= 1400);
    }

    void failuresGiveFailureValues()
    {
        board->setSilent(true);
        quint8 reply[4];
        int length = 4;
        quint8 v1 = 0, v2 = 0;
        int serial = 0;
        // Shortened waits: each failing request costs attempts × 100 ms.
        rkprotocol::RkProtocol& raw = protocol->protocol();
        raw.setTimeout(100);
        raw.setMaxRetransmissions(1);
        QVERIFY(!protocol->clear());
        QCOMPARE(protocol->getCredit(), CreditPacket::failed());
        QCOMPARE(protocol->readInput(), -1);
        QCOMPARE(protocol->readBoardStatus(), -1);
        QCOMPARE(protocol->readProductPresenceMask(), qint64(-1));
        QCOMPARE(protocol->getItemValue(Rk710SerialProtocol::Hopper1), -1);
        QCOMPARE(protocol->pollLongCommandStatus(reply, length), 3);
        QVERIFY(!protocol->exchangeDateTime(QDateTime()).isValid());
        QVERIFY(!protocol->exchangeFirmwareVersions(VmcType::Pharmacy, 1, 0, true, false, v1, v2, serial));
        QVERIFY(protocol->getCounters(Rk710SerialProtocol::Permanent).isZero());
        QVERIFY(protocol->getVersionString(Devices::Rk710).isEmpty());
        QVERIFY(!protocol->setOutput(true, 1));
        QCOMPARE(protocol->errors(), 12);
    }
};

QTEST_GUILESS_MAIN(TestRk710SerialProtocol)
#include "tst_rk710serialprotocol.moc"
