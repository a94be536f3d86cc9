#include "tasks/abstractanacrontask.h"

#include "tasks/taskscheduler.h"

void AbstractAnacronTask::onRegistration(TaskScheduler* scheduler, const QString& name)
{
    m_scheduler = scheduler;
    m_name = name;
}

void AbstractAnacronTask::init()
{
    const QDateTime saved = getStartTime();
    if (saved.isValid())
        m_startTime = saved;
    else
        schedule();
}

bool AbstractAnacronTask::canRun(const QDateTime& now) const
{
    return m_startTime.isValid() && now >= m_startTime;
}

void AbstractAnacronTask::schedule()
{
    m_startTime = computeNextStartTime(m_startTime);
    saveStartTime(m_startTime);
}

void AbstractAnacronTask::saveStartTime(const QDateTime& startTime)
{
    if (m_scheduler)
        m_scheduler->saveTime(m_name, startTime);
}

QDateTime AbstractAnacronTask::getStartTime() const
{
    return m_scheduler ? m_scheduler->getSavedTime(m_name) : QDateTime();
}
