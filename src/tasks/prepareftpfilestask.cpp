#include "tasks/prepareftpfilestask.h"

#include "core/durablefile.h"
#include "core/vm24.h"
#include "settings/settings.h"
#include "tasks/taskslog.h"

#include <QDir>
#include <QFile>

PrepareFtpFilesTask::PrepareFtpFilesTask(const QString& source, const QString& target)
    : m_source(source)
    , m_target(target)
{
}

void PrepareFtpFilesTask::loadConfiguration(const Settings& settings)
{
    setDailyStart(settings.value(Settings::FtpTransferTime));
}

void PrepareFtpFilesTask::run()
{
    QDir().mkpath(m_target);
    const QDir source(m_source);
    const QFileInfoList files =
        source.entryInfoList(QDir::Files | QDir::Readable | QDir::NoSymLinks | QDir::Hidden, QDir::Unsorted);
    for (const QFileInfo& file : files) {
        if (VM24::is_durable_write_temporary(file.fileName()))
            continue;
        const QString target = QDir(m_target).absoluteFilePath(file.fileName());
        if (!QFile::rename(file.absoluteFilePath(), target))
            qCWarning(tasksLog) << "Cannot move" << file.absoluteFilePath() << "to" << m_target;
    }
}
