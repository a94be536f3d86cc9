#pragma once

#include <QDateTime>

// Where the scheduler and its tasks read the current local time. The program
// uses the system clock; tests substitute a clock they set by hand, so that
// day boundaries can be crossed without waiting.
class SchedulerClock
{
public:
    virtual ~SchedulerClock();
    virtual QDateTime now() const;

    // The system clock, shared by every scheduler and task that is given no other.
    static const SchedulerClock* system();
};
