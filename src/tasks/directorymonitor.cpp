#include "tasks/directorymonitor.h"

#include "core/durablefile.h"
#include "tasks/taskslog.h"

#include <QFileInfo>

DirectoryMonitor::DirectoryMonitor(const QString& directory)
    : m_dir(directory)
{
}

bool DirectoryMonitor::canRun(const QDateTime& now) const
{
    return ready() && m_pending.isEmpty() && PeriodicJob::canRun(now);
}

void DirectoryMonitor::run()
{
    // A spool directory removed behind the program's back comes back.
    if (!m_dir.exists() && !QDir().mkpath(m_dir.absolutePath()))
        qCWarning(tasksLog) << "The spool directory" << m_dir.absolutePath() << "is missing and cannot be created";
    m_dir.refresh();
    const QFileInfoList entries = m_dir.entryInfoList(QDir::Files | QDir::NoSymLinks | QDir::Hidden, QDir::Unsorted);
    m_pending.clear();
    for (const QFileInfo& entry : entries) {
        if (!VM24::is_durable_write_temporary(entry.fileName()))
            m_pending.append(entry.fileName());
    }
    rescheduleOrContinue();
}

void DirectoryMonitor::schedule()
{
}

void DirectoryMonitor::rescheduleOrContinue()
{
    if (m_pending.isEmpty())
        scheduleFromNow();
    else
        doWork();
}

void DirectoryMonitor::workFinished()
{
    if (!m_pending.isEmpty())
        m_pending.removeFirst();
    rescheduleOrContinue();
}

void DirectoryMonitor::endBatch()
{
    m_pending.clear();
    scheduleFromNow();
}

QString DirectoryMonitor::firstPendingPath() const
{
    return m_dir.absoluteFilePath(m_pending.value(0));
}
