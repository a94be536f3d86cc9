#pragma once

#include "tasks/schedulerclock.h"

// A scheduler clock that shows whatever time the test sets.
class SettableClock : public SchedulerClock
{
public:
    explicit SettableClock(const QDateTime& now = QDateTime())
        : m_now(now)
    {
    }
    QDateTime now() const override { return m_now; }
    void set(const QDateTime& now) { m_now = now; }
    void advanceSecs(qint64 seconds) { m_now = m_now.addSecs(seconds); }

private:
    QDateTime m_now;
};
