#include "tasks/schedulerclock.h"

SchedulerClock::~SchedulerClock() = default;

QDateTime SchedulerClock::now() const
{
    return QDateTime::currentDateTime();
}

const SchedulerClock* SchedulerClock::system()
{
    static const SchedulerClock clock;
    return &clock;
}
