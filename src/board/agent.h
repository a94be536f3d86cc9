#pragma once

#include <QMutex>
#include <QThread>
#include <QWaitCondition>

// A worker thread that its owner can suspend, resume and stop from another
// thread. The worker's run() loop calls terminationCondition() once per
// cycle: it returns false at once while running, blocks while suspended and
// returns true once the agent is stopped. Stopping is final.
class Agent : public QThread
{
    Q_OBJECT
public:
    explicit Agent(QObject* parent = nullptr);

    void suspend();
    void resume();
    bool isSuspended() const;

signals:
    // Emitted by the worker thread as it goes to sleep.
    void suspended();

public slots:
    void stop();

protected:
    // Called by the worker thread only. The hooks below and suspended() run
    // with the agent's lock held: they must not suspend, resume or stop it.
    bool terminationCondition();
    // Sleeps for ms milliseconds, or less when the agent is stopped meanwhile,
    // so that a stopped worker ends without finishing its nap.
    void rest(int ms);

    virtual void onSuspend() {}
    virtual void onResume() {}
    virtual void onStop() {}

private:
    enum State { Running = 0, Suspended = 1, Stopped = 2 };

    mutable QMutex m_mutex;
    QWaitCondition m_condition;
    State m_state = Running;
};
