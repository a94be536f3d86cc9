#pragma once

#include "tasks/periodicjob.h"

#include <QStringList>

// Keeps directories bounded: each run starts the script
// "garbage_collect_files.sh" of the application directory, detached, which
// deletes every file older than maxAgeDays days and every file beyond the
// newest maxFiles. Its outcome is not looked at.
class DirectoryGarbageCollector : public PeriodicJob
{
public:
    static const char* const SCRIPT;

    explicit DirectoryGarbageCollector(const QStringList& directories);

    void setMaxAgeDays(int days) { m_maxAgeDays = days; }
    void setMaxFiles(int files) { m_maxFiles = files; }
    int maxAgeDays() const { return m_maxAgeDays; }
    int maxFiles() const { return m_maxFiles; }
    QStringList directories() const { return m_directories; }

    QStringList scriptArguments() const;
    void run() override;

private:
    QStringList m_directories;
    int m_maxAgeDays = 1;
    int m_maxFiles = 10;
};
