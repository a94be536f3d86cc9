#include "core/durablefile.h"

#include "core/corelog.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

bool sync_descriptor(int fd)
{
    int result;
    do {
        result = ::fsync(fd);
    } while (result != 0 && errno == EINTR);
    return result == 0;
}

// Makes a rename inside the directory durable.
bool sync_directory(const QString& directory)
{
    const int fd = ::open(QFile::encodeName(directory).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = sync_descriptor(fd);
    ::close(fd);
    return synced;
}

bool write_and_sync(QFile& file, const std::function<bool(QIODevice*)>& content)
{
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const bool written = content(&file) && file.flush() && sync_descriptor(file.handle());
    file.close();
    return written && file.error() == QFileDevice::NoError;
}

} // namespace

namespace VM24 {

bool write_file_durably(const QString& path, const QByteArray& data)
{
    return write_file_durably(path, [&data](QIODevice* device) { return device->write(data) == data.size(); });
}

bool write_file_durably(const QString& path, const std::function<bool(QIODevice*)>& content)
{
    const QString temporary = path + QLatin1String(DURABLE_WRITE_SUFFIX);
    QFile file(temporary);
    if (!write_and_sync(file, content)) {
        qCWarning(coreLog) << "Cannot write" << temporary << file.errorString();
        QFile::remove(temporary);
        return false;
    }
    if (::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(path).constData()) != 0) {
        qCWarning(coreLog) << "Cannot replace" << path << qt_error_string(errno);
        QFile::remove(temporary);
        return false;
    }
    return sync_directory(QFileInfo(path).absolutePath());
}

bool sync_file_durably(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = sync_descriptor(fd);
    ::close(fd);
    return synced && sync_directory(QFileInfo(path).absolutePath());
}

bool sync_directory_of(const QString& path)
{
    return sync_directory(QFileInfo(path).absolutePath());
}

bool sync_file_system(int fd)
{
    return fd >= 0 && ::syncfs(fd) == 0;
}

} // namespace VM24
