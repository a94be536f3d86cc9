#include "tasks/abstracttask.h"

#include "tasks/schedulerclock.h"

AbstractTask::AbstractTask()
    : m_clock(SchedulerClock::system())
{
}

AbstractTask::~AbstractTask() = default;

void AbstractTask::init()
{
}

bool AbstractTask::canRun(const QDateTime&) const
{
    return true;
}

void AbstractTask::schedule()
{
}

void AbstractTask::setClock(const SchedulerClock* clock)
{
    m_clock = clock ? clock : SchedulerClock::system();
}

QDateTime AbstractTask::currentDateTime() const
{
    return m_clock->now();
}
