#pragma once

#include <QBasicTimer>
#include <QDateTime>
#include <QList>
#include <QObject>

class AbstractAnacronTask;
class AbstractTask;
class SchedulerClock;

// Runs the program's recurring work in the GUI thread: every interval seconds
// (60) it takes the time once and runs each registered task that can run at
// that time, then lets the task schedule itself again. Owns its tasks.
//
// Daily tasks keep their next start time in the time store, the INI file
// "time-store.ini" in the application directory, one key per task name.
class TaskScheduler : public QObject
{
    Q_OBJECT

public:
    static const char* const TIME_STORE_FILE;

    explicit TaskScheduler(QObject* parent = nullptr);
    ~TaskScheduler() override;

    // The clock handed to every task registered afterwards (system clock
    // when null). Set it before registering tasks.
    void setClock(const SchedulerClock* clock);
    const SchedulerClock* clock() const { return m_clock; }

    // Both ignore a task that is already registered.
    void registerTask(AbstractTask* task);
    void registerTask(AbstractAnacronTask* task, const QString& name);
    bool isRegistered(const AbstractTask* task) const { return m_tasks.contains(task); }
    int taskCount() const { return m_tasks.size(); }

    void start();
    void stop();
    bool isActive() const { return m_timer.isActive(); }
    void setInterval(int seconds);
    int interval() const { return m_interval; }

    QDateTime getSavedTime(const QString& name) const;
    void saveTime(const QString& name, const QDateTime& time);
    QString timeStorePath() const;

public slots:
    void runTasks();

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    bool adopt(AbstractTask* task);

    QList<AbstractTask*> m_tasks;
    QBasicTimer m_timer;
    int m_interval = 60;
    const SchedulerClock* m_clock;
};
