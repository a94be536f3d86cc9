#include "board/receipthelper.h"
#include "board/rk710controller.h"
#include "boardpollingpause.h"
#include "core/systemactions.h"
#include "core/vm24.h"
#include "scriptedboard.h"
#include "testenvironment.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include <memory>

namespace {

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray result;
    for (int v : values)
        result.append(char(v));
    return result;
}

QByteArray withoutPolling(const QByteArray& codes)
{
    QByteArray result = codes;
    result.replace("I", "").replace("K", "").replace("S", "");
    return result;
}

// Runs f on a thread of its own and waits for it.
template <typename F>
void runInThread(F f)
{
    std::unique_ptr<QThread> thread(QThread::create(f));
    thread->start();
    thread->wait();
}

} // namespace

class TestRk710Controller : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnvironment::ScopedAppDir> appDir;
    std::unique_ptr<ScriptedBoard> board;
    std::unique_ptr<Rk710Controller> controller;
    // The settings' serial number the exchange sends, and those it reports.
    int localSerial = 0;
    QList<int> reportedSerials;

    bool startController()
    {
        controller.reset(new Rk710Controller);
        controller->setLocalSerial(localSerial);
        reportedSerials.clear();
        QObject::connect(controller.get(), &Rk710Controller::serialReported, controller.get(),
                         [this](int serial) { reportedSerials.append(serial); }, Qt::DirectConnection);
        if (!controller->open(board->devicePath().toLocal8Bit().constData()))
            return false;
        controller->initialize();
        return controller->isAlive();
    }

private slots:
    void init()
    {
        appDir.reset(new TestEnvironment::ScopedAppDir);
        localSerial = 0;
        board.reset(new ScriptedBoard);
    }

    void cleanup()
    {
        controller.reset();
        board.reset();
        appDir.reset();
    }

    void startupExchangeInOrder()
    {
        board->setVersions(3, 21, 0);
        controller.reset(new Rk710Controller);
        controller->setLocalSerial(42);
        controller->setHopperValue(Rk710SerialProtocol::Hopper1, 50);
        controller->setHopperValue(Rk710SerialProtocol::Hopper2, 200);
        QSignalSpy alive(controller.get(), &Rk710Controller::boardStatus);
        QVERIFY(controller->open(board->devicePath().toLocal8Bit().constData()));
        QVERIFY(!controller->isAlive());
        controller->initialize();
        QVERIFY(controller->isAlive());
        QCOMPARE(alive.count(), 1);
        QCOMPARE(alive.first().first().toBool(), true);
        QCOMPARE(int(controller->version1()), 3);
        QCOMPARE(int(controller->version2()), 21);

        // The board knows no serial: it is told the local one.
        const QList<QByteArray> expected = {
            bytes({'V', 2, 1, 0, 0, 0, 42, 1, 0}),
            bytes({'V', 2, 1, 0, 0, 0, 42, 1, 1}),
            bytes({'O', 1, 0x01, 0x84}),
            bytes({'O', 0, 0x0C, 0x7B}),
            bytes({'M', 2}),
            // The credit is read, not cleared: start-up books it first.
            "I", "S", "K", "C",
            bytes({'H', 1, 0, 50}),
            bytes({'H', 2, 0, 200}),
        };
        QCOMPARE(board->requests().mid(0, expected.size()), expected);
        // The start-up writes to the outputs do not touch the cached state.
        QCOMPARE(controller->getActuators(), 0);

        // The reader's first cycle reads all three words.
        QTRY_VERIFY(board->requests().size() >= expected.size() + 3);
        QCOMPARE(board->codes().mid(expected.size(), 3), QByteArray("IKS"));
    }

    void boardSerialIsAdopted()
    {
        localSerial = 42;
        board->setVersions(1, 2, 12345);
        const int actionsBefore = int(SystemActions::recordedActions().size());
        QVERIFY(startController());
        QCOMPARE(board->count('V'), 1);
        QCOMPARE(reportedSerials, QList<int>{12345});
        // Naming the machine after it is left to the program.
        QCOMPARE(int(SystemActions::recordedActions().size()), actionsBefore);
    }

    void noSerialAnywhereSendsOneExchange()
    {
        qputenv("RK710_ENABLE_WATCHDOG", "0");
        const bool ok = startController();
        qunsetenv("RK710_ENABLE_WATCHDOG");
        QVERIFY(ok);
        QCOMPARE(board->count('V'), 1);
        QCOMPARE(board->requests().first(), bytes({'V', 2, 1, 0, 0, 0, 0, 0, 0}));
        QVERIFY(reportedSerials.isEmpty());
    }

    void initialCreditIsTakenOnce()
    {
        board->setCreditAnswer(bytes({0x01, 0xF4, 0x00, 0x64, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x0A}));
        QVERIFY(startController());
        QCOMPARE(controller->getInitialCredit(), CreditPacket(500, 100, 0, 0, 10, -1));
        QCOMPARE(controller->getInitialCredit(), CreditPacket::failed());
    }

    void pollingRatesAndChangeSignals()
    {
        board->setInputs(0x00280083);
        board->setStatus(0x00000406);
        board->setPresence(0x3);
        controller.reset(new Rk710Controller);
        QSignalSpy inputs(controller.get(), &Rk710Controller::inputChanged);
        QSignalSpy status(controller.get(), &Rk710Controller::deviceStatusChanged);
        QSignalSpy presence(controller.get(), &Rk710Controller::productPresenceChanged);
        QCOMPARE(controller->getProductPresence(), std::numeric_limits<qint64>::min());
        QVERIFY(controller->open(board->devicePath().toLocal8Bit().constData()));
        controller->initialize();
        const int startupFrames = board->peer().frameCount();

        QTRY_COMPARE(inputs.count(), 1);
        QCOMPARE(inputs.first().first().toInt(), 0x00280083);
        QTRY_COMPARE(presence.count(), 1);
        QCOMPARE(presence.first().first().toLongLong(), qint64(3));
        QTRY_COMPARE(status.count(), 1);
        QCOMPARE(controller->getInputs(), 0x00280083);
        QCOMPARE(controller->getBoardStatus(), 0x00000406);
        QCOMPARE(controller->getProductPresence(), qint64(3));

        // About five seconds of polling: ten or eleven input reads, presence
        // at 0, 2 and 4 s, status at 0, 2.5 and 5 s (a loaded machine may
        // push the last of each out of the window).
        QTest::qWait(4800);
        const QList<PtyPeer::Frame> frames = board->peer().frames().mid(startupFrames);
        QByteArray codes;
        for (const PtyPeer::Frame& frame : frames)
            codes.append(frame.data[0]);
        QVERIFY2(codes.count('I') >= 6 && codes.count('I') <= 11, codes.constData());
        QVERIFY2(codes.count('K') >= 2 && codes.count('K') <= 3, codes.constData());
        QVERIFY2(codes.count('S') >= 2 && codes.count('S') <= 3, codes.constData());
        QList<qint64> inputTimes;
        for (const PtyPeer::Frame& frame : frames) {
            if (frame.data[0] == 'I')
                inputTimes.append(frame.receivedAtMs);
        }
        for (int i = 1; i < inputTimes.size(); ++i)
            QVERIFY2(inputTimes[i] - inputTimes[i - 1] >= 300 && inputTimes[i] - inputTimes[i - 1] < 1500,
                     qPrintable(QString::number(inputTimes[i] - inputTimes[i - 1])));

        // Nothing changed: nothing announced again.
        QCOMPARE(inputs.count(), 1);
        QCOMPARE(status.count(), 1);
        QCOMPARE(presence.count(), 1);

        // A toggled bit: the whole new word.
        board->setStatus(0x00010406);
        QTRY_COMPARE_WITH_TIMEOUT(status.count(), 2, 10000);
        QCOMPARE(status.last().first().toInt(), 0x00010406);
        board->setInputs(0x00280082);
        QTRY_COMPARE(inputs.count(), 2);
        QCOMPARE(inputs.last().first().toInt(), 0x00280082);
        QCOMPARE(controller->getInputs(), 0x00280082);
        board->setPresence(qint64(0x8000000000000001ULL));
        QTRY_COMPARE_WITH_TIMEOUT(presence.count(), 2, 10000);
        QCOMPARE(quint64(presence.last().first().toLongLong()), quint64(0x8000000000000001ULL));
    }

    // The main window reads the cache right after the start-up exchange; the
    // reader's first cycle (held back here) must not be needed for that.
    void startupExchangeFillsTheCache()
    {
        board->setInputs(0x00280083);
        board->setStatus(0x00000406);
        board->setPresence(0x5);
        for (char code : {'I', 'K', 'S'})
            board->setDelay(code, 300);
        controller.reset(new Rk710Controller);
        QSignalSpy inputs(controller.get(), &Rk710Controller::inputChanged);
        QSignalSpy presence(controller.get(), &Rk710Controller::productPresenceChanged);
        QVERIFY(controller->open(board->devicePath().toLocal8Bit().constData()));
        controller->initialize();
        QCOMPARE(controller->getInputs(), 0x00280083);
        QCOMPARE(controller->getBoardStatus(), 0x00000406);
        QCOMPARE(controller->getProductPresence(), qint64(5));
        QCOMPARE(inputs.count(), 0);

        // Announced once all the same, and again only on a change.
        QTRY_COMPARE(inputs.count(), 1);
        QCOMPARE(inputs.first().first().toInt(), 0x00280083);
        QTRY_COMPARE(presence.count(), 1);
        board->setInputs(0x00280082);
        QTRY_COMPARE(inputs.count(), 2);
        QCOMPARE(presence.count(), 1);
    }

    void allOnesPresenceIsAFailure()
    {
        QVERIFY(startController());
        QTRY_COMPARE(controller->getProductPresence(), qint64(0x3FFFF));
        board->setPresence(-1);
        QCOMPARE(controller->readProductPresenceMask(), qint64(-1));
        QCOMPARE(controller->getProductPresence(), qint64(0x3FFFF));
    }

    void outputsAnnouncedOnlyOnChange()
    {
        QVERIFY(startController());
        QSignalSpy actuators(controller.get(), &Rk710Controller::actuatorsChanged);
        QVERIFY(controller->setOutput(true, 0x400));
        QCOMPARE(actuators.count(), 1);
        QCOMPARE(actuators.last().first().toInt(), 0x400);
        QVERIFY(controller->setOutput(true, 0x400));
        QCOMPARE(actuators.count(), 1);
        QVERIFY(controller->setOutput(true, 0x0A));
        QCOMPARE(actuators.last().first().toInt(), 0x40A);
        QVERIFY(controller->setOutput(false, 0x402));
        QCOMPARE(actuators.count(), 3);
        QCOMPARE(actuators.last().first().toInt(), 0x008);
        QCOMPARE(controller->getActuators(), 0x008);
        QCOMPARE(board->commands().last(), bytes({'O', 0, 0x04, 0x02}));

        // A refused request changes nothing.
        controller->setRetryPolicy(100, 1);
        board->rejectNext(1);
        QVERIFY(!controller->setOutput(true, 0x1000));
        QCOMPARE(controller->getActuators(), 0x008);
        QCOMPARE(actuators.count(), 3);
    }

    void boardIsLostAfterThreeFailuresFromAnyThread()
    {
        QVERIFY(startController());
        QSignalSpy lost(controller.get(), &Rk710Controller::boardStatus);
        controller->setRetryPolicy(100, 2);
        board->setSilent(true);

        // The reader keeps failing too; three requests from three threads.
        runInThread([&] { controller->clear(); });
        runInThread([&] { controller->getCredit(); });
        runInThread([&] { controller->setDoorStatus(true); });
        QTRY_VERIFY(!controller->isAlive());
        QTRY_COMPARE(lost.count(), 1);
        QCOMPARE(lost.first().first().toBool(), false);

        const int frames = board->peer().frameCount();
        QCOMPARE(controller->readInput(), -1);
        QCOMPARE(controller->getCredit(), CreditPacket::failed());
        QCOMPARE(controller->returnChange(150).value, 150);
        QVERIFY(!controller->deliverProduct(Motor::fromNumber(1)).value);
        QVERIFY(!VM24::read_rk710_date_time(controller.get()).isValid());
        QVERIFY(controller->getCounters(Rk710SerialProtocol::Permanent).isZero());
        // Nothing went on the line.
        QTest::qWait(300);
        QCOMPARE(board->peer().frameCount(), frames);

        // Polling has stopped and the board stays lost when it answers again,
        // until the next attempt at the start-up exchange (30 s later).
        board->setSilent(false);
        QTest::qWait(1200);
        QCOMPARE(board->peer().frameCount(), frames);
        QVERIFY(!controller->clear());
        QCOMPARE(lost.count(), 1);
    }

    void closedLineFailsSoftly()
    {
        Rk710Controller closed;
        QSignalSpy alive(&closed, &Rk710Controller::boardStatus);
        closed.initialize();
        QVERIFY(!closed.isAlive());
        QCOMPARE(closed.getCredit(), CreditPacket::failed());
        QCOMPARE(closed.readInput(), -1);
        QCOMPARE(closed.returnChange(150).value, 150);
        QCOMPARE(closed.dispenseItems(Rk710SerialProtocol::Hopper1, 3).value, -1);
        QVERIFY(!closed.printReceipt(ReceiptHelper(24)));
        QCOMPARE(closed.getInitialCredit(), CreditPacket::failed());
        QCOMPARE(alive.count(), 0);
    }

    void silentBoardAtStartIsGivenUp()
    {
        board->setSilent(true);
        controller.reset(new Rk710Controller);
        QSignalSpy alive(controller.get(), &Rk710Controller::boardStatus);
        QVERIFY(controller->open(board->devicePath().toLocal8Bit().constData()));
        controller->setRetryPolicy(100, 1);
        controller->initialize();
        QVERIFY(!controller->isAlive());
        QCOMPARE(alive.count(), 0);
        // Three requests, then no more: no reader either.
        QTRY_COMPARE(board->peer().frameCount(), 3);
        QTest::qWait(700);
        QCOMPARE(board->peer().frameCount(), 3);
    }

    void longCommandIsRefusedWhileBusy()
    {
        QVERIFY(startController());
        board->setLongCommandScript(3, bytes({0, 1, 1, 0}));
        bool delivered = false;
        std::unique_ptr<QThread> delivery(
            QThread::create([&] { delivered = controller->deliverProduct(Motor::fromNumber(3)).value; }));
        delivery->start();
        QTRY_VERIFY(controller->isBusy());
        QTRY_VERIFY(board->count('T') == 1);

        QVERIFY(!controller->giveChange(100));
        QCOMPARE(controller->returnChange(100).value, 100);
        QCOMPARE(controller->dispenseItems(Rk710SerialProtocol::Hopper1, 1).value, -1);
        QVERIFY(!controller->authoriseCashless(100, CashlessType::Standard).value);
        QCOMPARE(board->count('R') + board->count('X') + board->count('B'), 0);

        QVERIFY(delivery->wait(5000));
        QVERIFY(delivered);
        QVERIFY(!controller->isBusy());
        QVERIFY(board->requests().contains(bytes({'T', 3})));
        QCOMPARE(board->count('N'), 4);

        // Polls come every half second, with the reader's requests between them.
        QList<qint64> polls;
        for (const PtyPeer::Frame& frame : board->peer().frames()) {
            if (frame.data[0] == 'N')
                polls.append(frame.receivedAtMs);
        }
        for (int i = 1; i < polls.size(); ++i)
            QVERIFY(polls[i] - polls[i - 1] >= 300);
        const QByteArray codes = board->codes();
        QVERIFY(codes.mid(codes.indexOf('T'), codes.lastIndexOf('N') - codes.indexOf('T')).contains('I'));

        // Free again.
        board->setLongCommandScript(0, bytes({0, 1, 0, 0}));
        QCOMPARE(controller->returnChange(100).value, 0);
    }

    void longCommandResults()
    {
        QVERIFY(startController());
        struct Case
        {
            const char* name;
            QByteArray finalAnswer;
            std::function<QVariant()> call;
            QVariant expected;
        };
        const QList<Case> cases = {
            {"motor cycle", bytes({0, 1, 1}), [&] { return QVariant(controller->deliverProduct(Motor::fromNumber(1)).value); }, true},
            {"jammed motor", bytes({0, 1, 0}), [&] { return QVariant(controller->deliverProduct(Motor::fromNumber(1)).value); }, false},
            {"motor failed", bytes({0, 3, 1}), [&] { return QVariant(controller->deliverProduct(Motor::fromNumber(1)).value); }, false},
            {"motor short answer", bytes({0, 1}), [&] { return QVariant(controller->deliverProduct(Motor::fromNumber(1)).value); }, false},
            {"reset", bytes({0, 1, 1, 0}), [&] { return QVariant(controller->resetMotor(Motor::fromNumber(18)).value); }, true},
            {"coins", bytes({0, 1, 7, 0}), [&] { return QVariant(controller->dispenseItems(Rk710SerialProtocol::Hopper2, 7).value); }, 7},
            {"coins with remainder status", bytes({0, 2, 7, 0}), [&] { return QVariant(controller->dispenseItems(Rk710SerialProtocol::Hopper2, 9).value); }, -1},
            {"change paid", bytes({0, 1, 0, 0}), [&] { return QVariant(controller->returnChange(350).value); }, 0},
            {"change short", bytes({0, 2, 0x01, 0x2C}), [&] { return QVariant(controller->returnChange(350).value); }, 300},
            {"change answer too short", bytes({0, 1, 0}), [&] { return QVariant(controller->returnChange(350).value); }, 350},
            {"change failed", bytes({0, 3, 0, 0}), [&] { return QVariant(controller->returnChange(350).value); }, 350},
            {"recharge short", bytes({0, 2, 0, 50}), [&] { return QVariant(controller->rechargeCashless(200).value); }, 50},
            {"charge authorised", bytes({0, 1, 1}), [&] { return QVariant(controller->authoriseCashless(200, CashlessType::Standard).value); }, true},
            {"charge refused", bytes({0, 1, 0}), [&] { return QVariant(controller->authoriseCashless(200, CashlessType::Standard).value); }, false},
        };
        for (const Case& c : cases) {
            board->setLongCommandScript(0, c.finalAnswer);
            QCOMPARE(c.call(), c.expected);
            QVERIFY2(!controller->isBusy(), c.name);
        }
        const QList<QByteArray> requests = board->requests();
        QVERIFY(requests.contains(bytes({'Q', 18})));
        QVERIFY(requests.contains(bytes({'X', 2, 7})));
        QVERIFY(requests.contains(bytes({'R', 0x01, 0x5E})));
        QVERIFY(requests.contains(bytes({'D', 0, 0, 200})));
        QVERIFY(requests.contains(bytes({'B', 0, 0, 200})));
    }

    void longCommandsUnderFaults()
    {
        QVERIFY(startController());
        controller->setRetryPolicy(200, 3);

        // A rejected poll is sent again; the result still arrives.
        board->setLongCommandScript(2, bytes({0, 1, 0x00, 0x14}));
        std::unique_ptr<QThread> change(QThread::create([&] {
            QThread::msleep(700);
            board->rejectNext(2);
        }));
        change->start();
        QCOMPARE(controller->returnChange(120).value, 20);
        change->wait();

        // The board falls silent in the middle of a motor cycle: failed polls
        // do not end the wait, the lost board does. The product may be in the
        // tray: the cycle counts as done, unconfirmed.
        board->setLongCommandScript(50, bytes({0, 1, 1}));
        std::unique_ptr<QThread> silence(QThread::create([&] {
            QThread::msleep(1200);
            board->setSilent(true);
        }));
        silence->start();
        QElapsedTimer timer;
        timer.start();
        const BoardResult<bool> cycle = controller->deliverProduct(Motor::fromNumber(5));
        QVERIFY(cycle.value);
        QVERIFY(!cycle.confirmed);
        silence->wait();
        QVERIFY(timer.elapsed() < 15000);
        QVERIFY(!controller->isAlive());
        QVERIFY(!controller->isBusy());
    }

    // Status requests that go unanswered while every other request is
    // answered keep the board alive: the wait gives up after three of them
    // in a row instead of waiting for ever, and the outcome is unconfirmed
    // (coins may have been paid). A poll answered in between starts the
    // count again.
    void waitGivesUpOnPollsThatAreNeverAnswered()
    {
        QVERIFY(startController());
        controller->setRetryPolicy(100, 2);
        board->setLongCommandScript(50, bytes({0, 1, 7}));
        board->setUnanswered('N', true);
        QElapsedTimer timer;
        timer.start();
        const BoardResult<int> lost = controller->dispenseItems(Rk710SerialProtocol::Hopper1, 7);
        QCOMPARE(lost.value, 7);
        QVERIFY(!lost.confirmed);
        QCOMPARE(board->count('N'), Rk710Controller::MAX_UNANSWERED_POLLS * 2);
        QVERIFY(timer.elapsed() < 15000);
        QVERIFY(controller->isAlive());
        QVERIFY(!controller->isBusy());

        // Poll by poll, each lost one tried twice: answered "running", two
        // lost, answered "running", two lost, answered "running", then the end.
        board->setUnanswered('N', false);
        board->setLongCommandScript(3, bytes({0, 1, 5}));
        const int polls = board->count('N');
        board->setUnansweredPattern('N', ".xxxx.xxxx");
        const BoardResult<int> paid = controller->dispenseItems(Rk710SerialProtocol::Hopper1, 7);
        QCOMPARE(paid.value, 5);
        QVERIFY(paid.confirmed);
        QCOMPARE(board->count('N') - polls, 4 * 2 + 4);
    }

    // Only a start the board refused with a NAK is known not to run; after
    // one, the board is not asked about it.
    void refusedStartIsNotPolled()
    {
        QVERIFY(startController());
        controller->setRetryPolicy(100, 2);
        board->setLongCommandScript(0, bytes({0, 1, 0, 0}));
        BoardPollingPause pause(controller.get());
        QVERIFY(pause.wait());
        board->rejectNext(2);
        const BoardResult<int> refused = controller->returnChange(120);
        QCOMPARE(refused.value, 120);
        QVERIFY(refused.confirmed);
        QVERIFY(!controller->isBusy());
        QTest::qWait(300);
        QCOMPARE(board->codes().right(2), QByteArray("RR"));
        QCOMPARE(board->count('N'), 0);
        QCOMPARE(controller->returnChange(120).value, 0);
    }

    void receiptHoldsTheLock()
    {
        QVERIFY(startController());
        ReceiptHelper receipt(24);
        for (int i = 0; i < 5; ++i)
            receipt.line(QStringLiteral("riga %1").arg(i));
        board->setDelay('P', 150);
        bool printed = false;
        std::unique_ptr<QThread> printer(QThread::create([&] { printed = VM24::print_recepit_task(controller.get(), receipt); }));
        printer->start();
        QTRY_VERIFY(board->count('P') >= 1);
        QVERIFY(controller->clear());
        QVERIFY(printer->wait(5000));
        QVERIFY(printed);
        const QByteArray codes = board->codes();
        const int first = int(codes.indexOf('P'));
        QCOMPARE(codes.mid(first, 5), QByteArray("PPPPP"));
        QCOMPARE(withoutPolling(codes.mid(first)).left(6), QByteArray("PPPPPA"));
    }

    void clockAndSerialFunctions()
    {
        QVERIFY(startController());
        QCOMPARE(VM24::read_rk710_date_time(controller.get()), QDateTime(QDate(2030, 1, 2), QTime(3, 4, 5)));
        QCOMPARE(board->commands().last(), bytes({'G', 0, 0, 0, 255, 255, 255, 0}));

        QVERIFY(VM24::save_local_time(controller.get(), QDateTime(QDate(2031, 3, 9), QTime(14, 5, 7))));
        QCOMPARE(board->commands().last(), bytes({'G', 31, 3, 9, 14, 5, 7, 7}));

        QVERIFY(VM24::save_local_serial_number(controller.get(), 777));
        QCOMPARE(board->commands().last(), bytes({'V', 2, 1, 0, 0, 0x03, 0x09, 1, 1}));
        qputenv("RK710_ENABLE_WATCHDOG", "0");
        VM24::save_local_serial_number(controller.get(), 777);
        qunsetenv("RK710_ENABLE_WATCHDOG");
        QCOMPARE(board->commands().last(), bytes({'V', 2, 1, 0, 0, 0x03, 0x09, 0, 1}));

        QVERIFY(!VM24::read_rk710_date_time(nullptr).isValid());
        QCOMPARE(VM24::return_change_task(nullptr, 80).value, 80);
    }

    void taskQueuesRunSeparately()
    {
        QVERIFY(startController());
        // Shared with the tasks, which may outlive this function when it fails.
        struct Progress
        {
            std::atomic<QThread*> shortThread{nullptr};
            std::atomic<QThread*> longThread{nullptr};
            std::atomic<bool> longRunning{true};
            std::atomic<int> shortDone{0};
        };
        auto progress = std::make_shared<Progress>();
        const auto release = qScopeGuard([progress] { progress->longRunning = false; });
        controller->longJobs()->start([progress] {
            progress->longThread = QThread::currentThread();
            while (progress->longRunning)
                QThread::msleep(5);
        });
        Rk710Controller* c = controller.get();
        for (int i = 0; i < 3; ++i) {
            controller->shortJobs()->start([progress, c] {
                progress->shortThread = QThread::currentThread();
                c->clear();
                ++progress->shortDone;
            });
        }
        // Short jobs do not wait for the long one.
        QTRY_COMPARE(progress->shortDone.load(), 3);
        QVERIFY(progress->longThread.load() != nullptr);
        QVERIFY(progress->shortThread.load() != progress->longThread.load());
        QVERIFY(progress->shortThread.load() != QThread::currentThread());
        QCOMPARE(board->count('A'), 3);

        // Waiting for the queued short jobs waits for a slow one, not for the long one.
        controller->shortJobs()->start([progress] {
            QThread::msleep(300);
            ++progress->shortDone;
        });
        std::unique_ptr<QThread> waiter(QThread::create([c] { c->waitForQueuedTasks(); }));
        waiter->start();
        const bool waited = waiter->wait(10000);
        progress->longRunning = false;
        waiter->wait();
        QVERIFY(waited);
        QCOMPARE(progress->shortDone.load(), 4);
    }
};

QTEST_GUILESS_MAIN(TestRk710Controller)
#include "tst_rk710controller.moc"
