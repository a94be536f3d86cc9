#include "board/agent.h"

#include <QDeadlineTimer>

Agent::Agent(QObject* parent)
    : QThread(parent)
{
}

void Agent::suspend()
{
    QMutexLocker locker(&m_mutex);
    if (m_state == Running)
        m_state = Suspended;
}

void Agent::resume()
{
    QMutexLocker locker(&m_mutex);
    if (m_state != Suspended)
        return;
    m_state = Running;
    m_condition.wakeOne();
}

void Agent::stop()
{
    QMutexLocker locker(&m_mutex);
    m_state = Stopped;
    m_condition.wakeOne();
}

bool Agent::isSuspended() const
{
    QMutexLocker locker(&m_mutex);
    return m_state == Suspended;
}

bool Agent::terminationCondition()
{
    QMutexLocker locker(&m_mutex);
    if (m_state == Suspended) {
        // Receivers may call back into the agent: nothing is announced under the lock.
        locker.unlock();
        onSuspend();
        emit suspended();
        locker.relock();
        while (m_state == Suspended)
            m_condition.wait(&m_mutex);
        if (m_state == Running) {
            onResume();
            return false;
        }
    }
    if (m_state == Stopped) {
        onStop();
        return true;
    }
    return false;
}

void Agent::rest(int ms)
{
    QDeadlineTimer deadline(ms);
    QMutexLocker locker(&m_mutex);
    while (m_state != Stopped) {
        if (!m_condition.wait(&m_mutex, deadline))
            return;
    }
}
