#include "tasks/periodicjob.h"

void PeriodicJob::init()
{
    scheduleFromNow();
}

bool PeriodicJob::canRun(const QDateTime& now) const
{
    return m_nextRun.isValid() && now >= m_nextRun;
}

void PeriodicJob::schedule()
{
    scheduleFromNow();
}

void PeriodicJob::scheduleFromNow()
{
    m_nextRun = currentDateTime().addSecs(m_interval);
}
