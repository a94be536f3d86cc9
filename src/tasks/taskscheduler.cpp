#include "tasks/taskscheduler.h"

#include "core/vm24.h"
#include "settings/timestore.h"
#include "tasks/abstractanacrontask.h"
#include "tasks/schedulerclock.h"
#include "tasks/taskslog.h"

#include <QTimerEvent>

#include <typeinfo>

const char* const TaskScheduler::TIME_STORE_FILE = "time-store.ini";

TaskScheduler::TaskScheduler(QObject* parent)
    : QObject(parent)
    , m_clock(SchedulerClock::system())
{
}

TaskScheduler::~TaskScheduler()
{
    m_timer.stop();
    qDeleteAll(m_tasks);
}

void TaskScheduler::setClock(const SchedulerClock* clock)
{
    m_clock = clock ? clock : SchedulerClock::system();
}

void TaskScheduler::registerTask(AbstractTask* task)
{
    if (adopt(task))
        task->init();
}

void TaskScheduler::registerTask(AbstractAnacronTask* task, const QString& name)
{
    if (!adopt(task))
        return;
    task->onRegistration(this, name);
    task->init();
}

bool TaskScheduler::adopt(AbstractTask* task)
{
    if (!task || m_tasks.contains(task))
        return false;
    task->setClock(m_clock);
    m_tasks.append(task);
    return true;
}

void TaskScheduler::start()
{
    m_timer.start(m_interval * 1000, this);
}

void TaskScheduler::stop()
{
    m_timer.stop();
}

void TaskScheduler::setInterval(int seconds)
{
    if (seconds <= 0 || seconds == m_interval)
        return;
    m_interval = seconds;
    if (m_timer.isActive())
        start();
}

void TaskScheduler::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == m_timer.timerId())
        runTasks();
    else
        QObject::timerEvent(event);
}

void TaskScheduler::runTasks()
{
    const QDateTime now = m_clock->now();
    const QList<AbstractTask*> tasks = m_tasks;
    for (AbstractTask* task : tasks) {
        if (task->canRun(now)) {
            qCDebug(tasksLog) << "Running" << typeid(*task).name();
            task->run();
            task->schedule();
        }
    }
}

QString TaskScheduler::timeStorePath() const
{
    return VM24::get_path(QLatin1String(TIME_STORE_FILE));
}

QDateTime TaskScheduler::getSavedTime(const QString& name) const
{
    return TimeStore(timeStorePath()).time(name);
}

void TaskScheduler::saveTime(const QString& name, const QDateTime& time)
{
    TimeStore(timeStorePath()).setTime(name, time);
}
