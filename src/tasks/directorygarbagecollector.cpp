#include "tasks/directorygarbagecollector.h"

#include "core/vm24.h"
#include "tasks/taskslog.h"

#include <QProcess>

const char* const DirectoryGarbageCollector::SCRIPT = "garbage_collect_files.sh";

DirectoryGarbageCollector::DirectoryGarbageCollector(const QStringList& directories)
    : m_directories(directories)
{
}

QStringList DirectoryGarbageCollector::scriptArguments() const
{
    return QStringList{QString::number(m_maxAgeDays), QString::number(m_maxFiles)} + m_directories;
}

void DirectoryGarbageCollector::run()
{
    const QString script = VM24::get_path(QLatin1String(SCRIPT));
    if (!QProcess::startDetached(script, scriptArguments()))
        qCWarning(tasksLog) << "Cannot start" << script;
}
