#include "tasks/dailyjob.h"

void DailyJob::setDailyStart(const QTime& dailyStart)
{
    if (!dailyStart.isValid() || dailyStart == m_dailyStart)
        return;
    m_dailyStart = dailyStart;
    if (isRegistered())
        schedule();
}

QDateTime DailyJob::computeNextStartTime(const QDateTime&) const
{
    const QDateTime now = currentDateTime();
    const QDateTime today(now.date(), m_dailyStart);
    return now.time() >= m_dailyStart ? today.addDays(1) : today;
}
