#include "logging/filewritertask.h"

#include "core/durablefile.h"
#include "logging/logginglog.h"

#include <QDir>
#include <QFileInfo>

FileWriterTask::FileWriterTask(const QString& path, const QByteArray& data)
    : m_path(path)
    , m_data(data)
{
    setAutoDelete(true);
}

void FileWriterTask::run()
{
    write(m_path, m_data);
}

bool FileWriterTask::write(const QString& path, const QByteArray& data)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (VM24::write_file_durably(path, data))
        return true;
    qCWarning(loggingLog) << "Cannot write the spool file" << path;
    return false;
}
