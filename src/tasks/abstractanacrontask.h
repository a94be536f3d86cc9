#pragma once

#include "tasks/abstracttask.h"

#include <QString>

class TaskScheduler;

// A task whose next start time survives restarts in the scheduler's time
// store under the task's name. A start time that passed while the program
// was not running makes the task run once at the first tick; then the
// rhythm of computeNextStartTime() resumes. A task registered for the first
// time waits for its first regular start.
class AbstractAnacronTask : public AbstractTask
{
public:
    // Called by the scheduler before init().
    void onRegistration(TaskScheduler* scheduler, const QString& name);

    void init() override;
    bool canRun(const QDateTime& now) const override;
    // Moves the start time to the next occurrence and stores it.
    void schedule() override;
    virtual QDateTime computeNextStartTime(const QDateTime& current) const = 0;

    QString name() const { return m_name; }
    QDateTime startTime() const { return m_startTime; }
    TaskScheduler* scheduler() const { return m_scheduler; }
    bool isRegistered() const { return m_scheduler != nullptr; }

protected:
    void saveStartTime(const QDateTime& startTime);
    QDateTime getStartTime() const;

private:
    QString m_name;
    QDateTime m_startTime;
    TaskScheduler* m_scheduler = nullptr;
};
