#pragma once

#include <QDateTime>

class SchedulerClock;

// A unit of recurring work run by the TaskScheduler in the GUI thread. At
// every tick the scheduler calls run() and then schedule() on each task whose
// canRun() is true. A task with lengthy work starts it on a worker thread from
// run() and returns.
class AbstractTask
{
public:
    AbstractTask();
    virtual ~AbstractTask();

    // Called once, when the task is registered.
    virtual void init();
    virtual bool canRun(const QDateTime& now) const;
    virtual void run() = 0;
    // Called after each run.
    virtual void schedule();

    // The clock the task reads "now" from; the scheduler hands its own over
    // at registration. Never null.
    void setClock(const SchedulerClock* clock);
    const SchedulerClock* clock() const { return m_clock; }

protected:
    QDateTime currentDateTime() const;

private:
    const SchedulerClock* m_clock;
};
