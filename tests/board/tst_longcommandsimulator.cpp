// Long board commands (motor cycles, coins, change, card charges and
// recharges) against the board simulator while the line loses answers: what
// the controller reports must be what the board did, and nothing may run
// twice.

#include "board/rk710controller.h"
#include "boardpollingpause.h"
#include "simulatedboard.h"
#include "simulatorlinklog.h"
#include "testenvironment.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include <algorithm>
#include <functional>
#include <memory>

namespace {

const int CARD_ID = 9;

QJsonObject machine()
{
    QJsonArray columns{3, 0};
    return QJsonObject{
        {"columns", columns},
        {"hoppers", QJsonArray{QJsonObject{{"value", 100}, {"coins", 20}}, QJsonObject{{"value", 50}, {"coins", 20}}}},
        {"card", QJsonObject{{"present", true}, {"balance", 1000}, {"id", CARD_ID}, {"maxBalance", 1300}}},
        {"timings", QJsonObject{{"motorMs", 150}, {"jamMs", 250}, {"resetMs", 100}, {"coinMs", 5}, {"payoutMs", 50},
                                {"cashlessMs", 50}, {"posMs", 100}, {"watchdogMs", 600000}}}};
}

// One table for operations of different result types.
template <typename T>
BoardResult<QVariant> variant(const BoardResult<T>& result)
{
    return {QVariant(result.value), result.confirmed};
}

} // namespace

class TestLongCommandSimulator : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnvironment::ScopedAppDir> appDir;
    std::unique_ptr<SimulatedBoard> board;
    Rk710Controller* controller = nullptr;

    // The board of machine(), a controller that has run the start-up
    // exchange and the card reader enabled; each request gets 5 attempts of
    // 200 ms.
    bool start()
    {
        {
            QSettings settings;
            settings.setValue(QStringLiteral("hopper-value_1"), 100);
            settings.setValue(QStringLiteral("hopper-value_2"), 50);
        }
        board.reset(new SimulatedBoard(machine()));
        if (!board->start()) {
            qWarning() << board->errorString();
            return false;
        }
        controller = board->controller();
        controller->setRetryPolicy(200, 5);
        return controller->setCreditEnable(false, false, false, true);
    }

    bool control(const QString& command) { return board->control(command); }
    QJsonObject state() { return board->state(); }
    QList<LoggedFrame> frames() { return read_simulator_link_log(board->simulator().requestLogPath()); }

    int storedCoins()
    {
        int value = 0;
        for (const QJsonValue& hopper : state()["hoppers"].toArray())
            value += hopper["value"].toInt() * hopper["coins"].toInt();
        return value;
    }
    int hopperCoins(int hopper) { return state()["hoppers"].toArray()[hopper - 1].toObject()["coins"].toInt(); }
    int cardBalance() { return state()["card"].toObject()["balance"].toInt(); }
    int stock(int column) { return state()["columns"].toArray()[column - 1].toObject()["stock"].toInt(); }
    QString operation() { return state()["operation"].toObject()["state"].toString(); }

    bool awaitOperation(const QString& phase, int ms = 5000)
    {
        return QTest::qWaitFor([&] { return operation() == phase; }, ms);
    }

    // Runs call on a thread of its own, as the delivery and the change
    // pay-out run on worker threads; a test that fails early still waits for
    // it before its variables go.
    struct Joiner
    {
        void operator()(QThread* thread) const
        {
            thread->wait();
            delete thread;
        }
    };
    template <typename F>
    static std::unique_ptr<QThread, Joiner> inThread(F call)
    {
        std::unique_ptr<QThread, Joiner> thread(QThread::create(call));
        thread->start();
        return thread;
    }

private slots:
    void init() { appDir.reset(new TestEnvironment::ScopedAppDir); }

    void cleanup()
    {
        controller = nullptr;
        board.reset();
        appDir.reset();
    }

    // Every answer to the start is lost, but the board executed it once:
    // the controller asks the board and reports what it did.
    void startWhoseAnswersAreLost()
    {
        QVERIFY(start());
        BoardPollingPause pause(controller);
        QVERIFY(pause.wait());

        struct Case
        {
            const char* name;
            char code;
            std::function<BoardResult<QVariant>()> call;
            QVariant expected;
            std::function<int()> measure;
            int change;
        };
        const QList<Case> cases = {
            {"change", 'R', [&] { return variant(controller->returnChange(250)); }, 0,
             [&] { return storedCoins(); }, -250},
            {"recharge up to the card's maximum", 'D',
             [&] { return variant(controller->rechargeCashless(500)); }, 200,
             [&] { return cardBalance(); }, 300},
            {"charge", 'B',
             [&] { return variant(controller->authoriseCashless(300, CashlessType::Standard)); }, true,
             [&] { return cardBalance(); }, -300},
            {"charge over the balance", 'B',
             [&] { return variant(controller->authoriseCashless(5000, CashlessType::Standard)); }, false,
             [&] { return cardBalance(); }, 0},
            {"motor cycle", 'T', [&] { return variant(controller->deliverProduct(Motor::fromIndex(0))); }, true,
             [&] { return stock(1); }, -1},
            {"motor cycle of an empty column", 'T',
             [&] { return variant(controller->deliverProduct(Motor::fromIndex(1))); },
             false, [&] { return state()["delivered"].toInt(); }, 0},
            {"coins", 'X',
             [&] { return variant(controller->dispenseItems(Rk710SerialProtocol::Hopper2, 3)); }, 3,
             [&] { return hopperCoins(2); }, -3},
        };
        for (const Case& c : cases) {
            const int before = c.measure();
            const int mark = int(frames().size());
            QVERIFY(control(QStringLiteral("fault drop next 5")));
            const BoardResult<QVariant> result = c.call();
            QCOMPARE(result.value, c.expected);
            QVERIFY2(result.confirmed, c.name);
            QVERIFY2(c.measure() - before == c.change, c.name);
            const QList<LoggedFrame> after = frames();
            QCOMPARE(codes_with_fate(after, mark, LoggedFrame::Dropped), QByteArray(5, c.code));
            QVERIFY2(codes_with_fate(after, mark, LoggedFrame::Answered).startsWith('N'), c.name);
            QVERIFY(!controller->isBusy());
            QVERIFY(controller->isAlive());
        }
        QCOMPARE(state()["delivered"].toInt(), 1);
    }

    // A start the board refused was not executed: the whole amount stays
    // unpaid and the board is not asked about it.
    void refusedStartIsNotAskedAbout()
    {
        QVERIFY(start());
        BoardPollingPause pause(controller);
        QVERIFY(pause.wait());
        const int coins = storedCoins();
        const int mark = int(frames().size());
        QVERIFY(control(QStringLiteral("fault nak next 5")));
        const BoardResult<int> refused = controller->returnChange(250);
        QCOMPARE(refused.value, 250);
        QVERIFY(refused.confirmed);
        QVERIFY(!controller->isBusy());
        QTest::qWait(1500);
        const QList<LoggedFrame> after = frames();
        QCOMPARE(codes_with_fate(after, mark, LoggedFrame::Refused), QByteArray("RRRRR"));
        QCOMPARE(int(after.size()), mark + 5);
        QCOMPARE(storedCoins(), coins);

        QCOMPARE(controller->returnChange(250).value, 0);
        QCOMPARE(storedCoins(), coins - 250);
    }

    // The board heard nothing of the start (it was silent): asked, it
    // reports nothing running, and the start counts as failed.
    void startLostInSilenceNeverRan()
    {
        QVERIFY(start());
        BoardPollingPause pause(controller);
        QVERIFY(pause.wait());
        const int coins = storedCoins();
        const int mark = int(frames().size());
        QVERIFY(control(QStringLiteral("fault silence on")));
        BoardResult<int> payoutResult{-1, false};
        auto payout = inThread([&] { payoutResult = controller->returnChange(250); });
        // The board speaks again once the start has counted as started, before
        // the first status request.
        QVERIFY(QTest::qWaitFor([&] { return controller->isBusy(); }, 5000));
        QVERIFY(control(QStringLiteral("fault silence off")));
        QVERIFY(payout->wait(10000));
        QCOMPARE(payoutResult.value, 250);
        QVERIFY(payoutResult.confirmed);
        const QList<LoggedFrame> after = frames();
        QCOMPARE(codes_with_fate(after, mark, LoggedFrame::Ignored), QByteArray("RRRRR"));
        QCOMPARE(codes_with_fate(after, mark, LoggedFrame::Answered), QByteArray("N"));
        QCOMPARE(after.last().answer, QByteArray("\x00\x03", 2));
        QCOMPARE(storedCoins(), coins);
        QVERIFY(controller->isAlive());
        QVERIFY(!controller->isBusy());
    }

    // The answers to a change pay-out are lost while the board pays: the
    // controller finds it running, waits for it as its own, and the reader
    // goes on polling between the status requests.
    void startLostWhileTheOperationRuns()
    {
        QVERIFY(start());
        QVERIFY(control(QStringLiteral("timing coinMs 500")));
        const int coins = storedCoins();
        auto pause = std::make_unique<BoardPollingPause>(controller);
        QVERIFY(pause->wait());
        const int mark = int(frames().size());
        QVERIFY(control(QStringLiteral("fault drop next 5")));
        BoardResult<int> payoutResult{-1, false};
        auto payout = inThread([&] { payoutResult = controller->returnChange(500); });
        QVERIFY(QTest::qWaitFor([&] { return codes_with_fate(frames(), mark, LoggedFrame::Dropped) == "RRRRR"; }, 3000));
        // The start counts as started once its last attempt has timed out.
        QTRY_VERIFY(controller->isBusy());
        pause->release();
        QVERIFY(payout->wait(15000));
        QCOMPARE(payoutResult.value, 0);
        QVERIFY(payoutResult.confirmed);
        QCOMPARE(storedCoins(), coins - 500);

        QList<LoggedFrame> polls;
        QByteArray codes;
        const QList<LoggedFrame> after = frames();
        for (int i = mark; i < after.size(); ++i) {
            codes.append(after.at(i).code);
            if (after.at(i).code == 'N')
                polls.append(after.at(i));
        }
        QVERIFY(polls.size() >= 2);
        QCOMPARE(polls.first().answer.mid(0, 2), QByteArray("R\x00", 2)); // running: adopted
        QCOMPARE(polls.last().answer, QByteArray("R\x01\x00\x00", 4));
        QVERIFY2(codes.mid(codes.indexOf('N'), codes.lastIndexOf('N') - codes.indexOf('N')).contains('I'),
                 codes.constData());
    }

    // A status request whose answers are all lost while the board is still
    // at work does not end the wait: the end is still reported, and used.
    // When the lost answer carried the end, the board then reports nothing
    // running, and what it did cannot be known: the operation is reported as
    // done, and as unconfirmed.
    void lostPollAnswer_data()
    {
        QTest::addColumn<char>("code");
        QTest::addColumn<QString>("lostWhile");
        QTest::addColumn<bool>("unconfirmed");
        QTest::newRow("change, while paying") << 'R' << "running" << false;
        QTest::newRow("motor cycle, while turning") << 'T' << "running" << false;
        QTest::newRow("change, its end") << 'R' << "finished" << true;
        QTest::newRow("motor cycle, its end") << 'T' << "finished" << true;
    }
    void lostPollAnswer()
    {
        QFETCH(char, code);
        QFETCH(QString, lostWhile);
        QFETCH(bool, unconfirmed);
        const bool running = lostWhile == QLatin1String("running");
        QVERIFY(start());
        QVERIFY(control(QStringLiteral("timing coinMs %1").arg(running ? 500 : 80)));
        if (running)
            QVERIFY(control(QStringLiteral("timing motorMs 3000")));
        BoardPollingPause pause(controller);
        QVERIFY(pause.wait());
        const int coins = storedCoins();
        BoardResult<QVariant> result{QVariant(), unconfirmed};
        int mark = int(frames().size());
        // The end is reported to one status request only: its loss is armed
        // before the start, however soon the operation ends.
        if (!running)
            QVERIFY(control(QStringLiteral("fault drop end 5")));
        auto operation = inThread([&] {
            if (code == 'R')
                result = variant(controller->returnChange(500));
            else
                result = variant(controller->deliverProduct(Motor::fromIndex(0)));
        });
        if (running) {
            QVERIFY(awaitOperation(lostWhile));
            mark = int(frames().size());
            QVERIFY(control(QStringLiteral("fault drop next 5")));
        }
        QVERIFY(operation->wait(20000));

        const QList<LoggedFrame> after = frames();
        QCOMPARE(codes_with_fate(after, mark, LoggedFrame::Dropped), QByteArray("NNNNN"));
        const auto firstDropped = std::find_if(after.begin() + mark, after.end(),
                                               [](const LoggedFrame& f) { return f.fate == LoggedFrame::Dropped; });
        QVERIFY(firstDropped != after.end());
        QCOMPARE(firstDropped->answer.mid(0, 2), QByteArray(1, code) + char(running ? 0 : 1));
        QCOMPARE(!result.confirmed, unconfirmed);
        if (code == 'R') {
            QCOMPARE(result.value, QVariant(0));
            QCOMPARE(storedCoins(), coins - 500);
        } else {
            QCOMPARE(result.value, QVariant(true));
            QCOMPARE(stock(1), 2);
        }
        QVERIFY(!controller->isBusy());
        QVERIFY(controller->isAlive());
    }

    // The board falls silent while it pays: three failed requests lose it,
    // the wait ends at once, and the pay-out is reported as done but not
    // confirmed; the board did finish paying.
    void boardLostDuringPayout()
    {
        QVERIFY(start());
        // Five coins of a second each: the silence comes well before the end.
        QVERIFY(control(QStringLiteral("timing coinMs 1000")));
        QSignalSpy alive(controller, &Rk710Controller::boardStatus);
        const int coins = storedCoins();
        BoardResult<int> payoutResult{-1, true};
        auto payout = inThread([&] { payoutResult = controller->returnChange(500); });
        QVERIFY(awaitOperation(QStringLiteral("running")));
        QElapsedTimer timer;
        timer.start();
        QVERIFY(control(QStringLiteral("fault silence on")));
        QCOMPARE(operation(), QStringLiteral("running"));
        QVERIFY(payout->wait(15000));
        QVERIFY(timer.elapsed() < 10000);
        // The reader may be the one that finds the board lost, and announce
        // it just after the pay-out has given up.
        QTRY_COMPARE_WITH_TIMEOUT(alive.count(), 1, 10000);
        QVERIFY(!controller->isAlive());
        QCOMPARE(payoutResult.value, 0);
        QVERIFY(!payoutResult.confirmed);
        QVERIFY(!controller->isBusy());

        QVERIFY(awaitOperation(QStringLiteral("finished"), 10000));
        QCOMPARE(storedCoins(), coins - 500);
        // Lost is lost: nothing more goes on the line.
        const BoardResult<int> refused = controller->returnChange(100);
        QCOMPARE(refused.value, 100);
        QVERIFY(refused.confirmed);
    }
};

QTEST_GUILESS_MAIN(TestLongCommandSimulator)
#include "tst_longcommandsimulator.moc"
