#pragma once

#include "tasks/abstracttask.h"

// Runs every interval seconds while the program runs: first one interval
// after registration, then one interval after each run ended. The schedule
// is not persisted.
class PeriodicJob : public AbstractTask
{
public:
    void init() override;
    bool canRun(const QDateTime& now) const override;
    void schedule() override;

    void setInterval(int seconds) { m_interval = seconds; }
    int interval() const { return m_interval; }
    QDateTime nextRun() const { return m_nextRun; }

protected:
    void setNextRun(const QDateTime& nextRun) { m_nextRun = nextRun; }
    // nextRun = now + interval.
    void scheduleFromNow();

private:
    QDateTime m_nextRun;
    int m_interval = 60;
};
