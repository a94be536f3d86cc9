#pragma once

#include "tasks/periodicjob.h"

#include <QDir>
#include <QStringList>

// A periodic job that works through the files of one directory in batches:
// a run lists the regular files there (no directories, no symbolic links,
// no file still being written under its temporary name) and handles them
// one at a time; the next batch begins one interval after the last file of
// this one was done. Files that arrive during a batch wait for the next.
class DirectoryMonitor : public PeriodicJob
{
public:
    explicit DirectoryMonitor(const QString& directory);

    QDir directory() const { return m_dir; }
    QStringList pending() const { return m_pending; }

    // The subclass's own condition (ready()), no batch in progress, and the time has come.
    bool canRun(const QDateTime& now) const override;
    void run() override;
    // Nothing: the monitor schedules itself when a batch ends.
    void schedule() override;

protected:
    virtual bool ready() const = 0;
    // Handles the first pending file and calls workFinished() or endBatch() once done.
    virtual void doWork() = 0;

    // The first file is done: the next one, or the end of the batch.
    void workFinished();
    // Drops the rest of the batch; the next one begins an interval from now.
    void endBatch();
    void rescheduleOrContinue();
    QString firstPendingPath() const;

private:
    QDir m_dir;
    QStringList m_pending;
};
