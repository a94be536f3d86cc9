#include "board/agent.h"

#include <QSignalSpy>
#include <QTest>

#include <atomic>

namespace {

// Counts its cycles and the hooks called, the way the board reader loops.
class CountingAgent : public Agent
{
public:
    std::atomic<int> cycles{0};
    std::atomic<int> suspends{0};
    std::atomic<int> resumes{0};
    std::atomic<int> stops{0};

protected:
    void run() override
    {
        while (!terminationCondition()) {
            ++cycles;
            msleep(2);
        }
    }
    void onSuspend() override { ++suspends; }
    void onResume() override { ++resumes; }
    void onStop() override { ++stops; }
};

bool cyclesAdvance(CountingAgent& agent)
{
    const int before = agent.cycles;
    return QTest::qWaitFor([&] { return agent.cycles > before + 2; }, 10000);
}

bool cyclesStandStill(CountingAgent& agent)
{
    const int before = agent.cycles;
    QTest::qWait(100);
    return agent.cycles == before;
}

} // namespace

class TestAgent : public QObject
{
    Q_OBJECT

private slots:
    void suspendResumeAndStopFromAnotherThread()
    {
        CountingAgent agent;
        QSignalSpy suspended(&agent, &Agent::suspended);
        agent.start();
        QVERIFY(cyclesAdvance(agent));
        QVERIFY(!agent.isSuspended());

        agent.suspend();
        QVERIFY(agent.isSuspended());
        QTRY_COMPARE(suspended.count(), 1);
        QVERIFY(cyclesStandStill(agent));
        QCOMPARE(agent.suspends.load(), 1);

        agent.resume();
        QVERIFY(!agent.isSuspended());
        QVERIFY(cyclesAdvance(agent));
        QCOMPARE(agent.resumes.load(), 1);

        // A second round behaves the same.
        agent.suspend();
        QTRY_COMPARE(suspended.count(), 2);
        agent.resume();
        QVERIFY(cyclesAdvance(agent));

        agent.stop();
        QVERIFY(agent.wait(10000));
        QCOMPARE(agent.stops.load(), 1);
        QCOMPARE(agent.suspends.load(), 2);
        QCOMPARE(agent.resumes.load(), 2);
    }

    void stopWakesASuspendedAgent()
    {
        CountingAgent agent;
        QSignalSpy suspended(&agent, &Agent::suspended);
        agent.start();
        agent.suspend();
        QTRY_COMPARE(suspended.count(), 1);

        agent.stop();
        QVERIFY(agent.wait(10000));
        QCOMPARE(agent.stops.load(), 1);
        QCOMPARE(agent.resumes.load(), 0);
        QVERIFY(!agent.isSuspended());
    }

    void resumeOnRunningAgentChangesNothing()
    {
        CountingAgent agent;
        agent.start();
        agent.resume();
        QVERIFY(cyclesAdvance(agent));
        QCOMPARE(agent.resumes.load(), 0);
        QCOMPARE(agent.suspends.load(), 0);
        agent.stop();
        QVERIFY(agent.wait(10000));
    }

    void stopIsFinal()
    {
        CountingAgent agent;
        agent.stop();
        agent.suspend();
        QVERIFY(!agent.isSuspended());
        agent.resume();
        agent.start();
        QVERIFY(agent.wait(10000));
        QCOMPARE(agent.cycles.load(), 0);
        QCOMPARE(agent.stops.load(), 1);
        QCOMPARE(agent.suspends.load(), 0);
    }

    void suspendedSignalReachesOtherThreadQueued()
    {
        CountingAgent agent;
        Qt::HANDLE receiverThread = nullptr;
        connect(&agent, &Agent::suspended, this, [&] { receiverThread = QThread::currentThreadId(); });
        agent.start();
        agent.suspend();
        QTRY_VERIFY(receiverThread != nullptr);
        QCOMPARE(receiverThread, QThread::currentThreadId());
        agent.stop();
        QVERIFY(agent.wait(10000));
    }
};

QTEST_GUILESS_MAIN(TestAgent)
#include "tst_agent.moc"
