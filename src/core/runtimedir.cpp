#include "core/runtimedir.h"

#include "core/corelog.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool is_private_dir(const QString& path)
{
    struct stat status;
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0)
        return false;
    return S_ISDIR(status.st_mode) && status.st_uid == ::geteuid() && (status.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

QString checked(const QString& path)
{
    if (is_private_dir(path))
        return path;
    qCWarning(coreLog) << path << "is not a directory of this program's own; not used";
    return QString();
}

QString own_dir(const QString& path)
{
    if (::mkdir(QFile::encodeName(path).constData(), 0700) != 0 && errno != EEXIST) {
        qCWarning(coreLog) << "cannot make" << path << qt_error_string(errno);
        return QString();
    }
    return checked(path);
}

} // namespace

namespace VM24 {

QString runtime_dir()
{
    const QString service = qEnvironmentVariable("RUNTIME_DIRECTORY").section(QLatin1Char(':'), 0, 0);
    if (!service.isEmpty())
        return checked(service);
    const QString session = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (QDir::isAbsolutePath(session))
        return own_dir(session + QStringLiteral("/vm24"));
    if (::geteuid() == 0)
        return own_dir(QStringLiteral("/run/vm24"));
    return own_dir(QStringLiteral("/tmp/vm24-%1").arg(::geteuid()));
}

} // namespace VM24
