#include "networknamespace.h"

#include <QFile>
#include <QProcess>

#include <cerrno>
#include <cstring>

#include <sched.h>
#include <unistd.h>

namespace {

bool write_file(const char* path, const QByteArray& content)
{
    QFile file(QString::fromLatin1(path));
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

// Without the privilege for a bare network namespace, a user namespace
// maps this user to root inside it, which owns the new network.
bool enter_as_user(QString* reason)
{
    const QByteArray uid = QByteArray::number(getuid());
    const QByteArray gid = QByteArray::number(getgid());
    if (unshare(CLONE_NEWUSER | CLONE_NEWNET) != 0) {
        *reason = QStringLiteral("unshare: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    if (!write_file("/proc/self/setgroups", "deny") || !write_file("/proc/self/uid_map", "0 " + uid + " 1")
        || !write_file("/proc/self/gid_map", "0 " + gid + " 1")) {
        *reason = QStringLiteral("the user namespace's maps could not be written");
        return false;
    }
    return true;
}

} // namespace

namespace NetworkNamespace {

bool enter(QString* reason)
{
    if (unshare(CLONE_NEWNET) == 0)
        return true;
    if (errno != EPERM) {
        *reason = QStringLiteral("unshare: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    return enter_as_user(reason);
}

bool ip(const QStringList& arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(QStringLiteral("ip"), arguments);
    return process.waitForFinished(10000) && process.exitStatus() == QProcess::NormalExit
        && process.exitCode() == 0;
}

} // namespace NetworkNamespace
