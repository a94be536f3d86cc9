#include "core/durablefile.h"

#include "core/corelog.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

#include <cerrno>
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

// The toolkit's safe save keeps its temporary file unnamed where the file
// system can (a crash then leaves nothing), else names it "<name>.XXXXXX"
// with six letters; it also links it to such a name just before the rename.
// A machine updated from an older release may still hold a "<name>.tmp" that
// a crash left.
const QRegularExpression& temporary_name()
{
    static const QRegularExpression pattern(QStringLiteral("^(.+)\\.(?:tmp|[A-Za-z]{6})$"));
    return pattern;
}

} // namespace

namespace VM24 {

bool write_file_durably(const QString& path, const QByteArray& data)
{
    return write_file_durably(path, [&data](QIODevice* device) { return device->write(data) == data.size(); });
}

bool write_file_durably(const QString& path, const std::function<bool(QIODevice*)>& content)
{
    // The safe save would write to the file a link points to.
    if (QFileInfo(path).isSymLink() && !QFile::remove(path)) {
        qCWarning(coreLog) << "Cannot replace the link" << path;
        return false;
    }
    QSaveFile file(path);
    // The safe save syncs the data before the rename but ignores a failure;
    // a sync of its own makes a failed one keep the former file.
    if (!file.open(QIODevice::WriteOnly) || !content(&file) || !file.flush() || !sync_descriptor(file.handle())) {
        qCWarning(coreLog) << "Cannot write" << path << file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        qCWarning(coreLog) << "Cannot replace" << path << file.errorString();
        return false;
    }
    return sync_directory(QFileInfo(path).absolutePath());
}

bool is_durable_write_temporary(const QString& fileName)
{
    return temporary_name().match(fileName).hasMatch();
}

void remove_durable_write_temporaries(const QString& path)
{
    const QFileInfo file(path);
    const QDir dir = file.absoluteDir();
    const QStringList names = dir.entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& name : names) {
        const QRegularExpressionMatch match = temporary_name().match(name);
        if (match.hasMatch() && match.captured(1) == file.fileName())
            QFile::remove(dir.filePath(name));
    }
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
