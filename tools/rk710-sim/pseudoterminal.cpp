#include "pseudoterminal.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace rk710sim {

PseudoTerminal::~PseudoTerminal()
{
    close();
}

bool PseudoTerminal::fail(const QString& what)
{
    m_error = QStringLiteral("%1: %2").arg(what, QString::fromLocal8Bit(strerror(errno)));
    close();
    return false;
}

bool PseudoTerminal::open()
{
    close();
    m_master = posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master < 0)
        return fail(QStringLiteral("cannot open a pseudo-terminal"));
    if (grantpt(m_master) != 0 || unlockpt(m_master) != 0)
        return fail(QStringLiteral("cannot unlock the pseudo-terminal"));
    char name[128];
    if (ptsname_r(m_master, name, sizeof name) != 0)
        return fail(QStringLiteral("cannot name the pseudo-terminal"));
    m_slavePath = QString::fromLocal8Bit(name);

    m_slaveKeeper = ::open(name, O_RDWR | O_NOCTTY);
    if (m_slaveKeeper < 0)
        return fail(QStringLiteral("cannot open %1").arg(m_slavePath));
    // Raw line as a serial port is: whoever opens the slave gets bytes as
    // they are, with no echo back to us.
    termios tio;
    if (tcgetattr(m_slaveKeeper, &tio) != 0)
        return fail(QStringLiteral("cannot read the line settings"));
    cfmakeraw(&tio);
    cfsetispeed(&tio, B115200);
    cfsetospeed(&tio, B115200);
    if (tcsetattr(m_slaveKeeper, TCSANOW, &tio) != 0)
        return fail(QStringLiteral("cannot set the line settings"));

    const int flags = fcntl(m_master, F_GETFL);
    if (flags < 0 || fcntl(m_master, F_SETFL, flags | O_NONBLOCK) != 0)
        return fail(QStringLiteral("cannot make the line non-blocking"));
    return true;
}

bool PseudoTerminal::createLink(const QString& linkPath)
{
    const QFileInfo existing(linkPath);
    if (existing.exists() && !existing.isSymLink()) {
        m_error = QStringLiteral("%1 exists and is not a symbolic link").arg(linkPath);
        return false;
    }
    // Build the new link beside the old one and rename it over, so the path
    // never goes missing for a program that opens it meanwhile.
    const QString temporary = linkPath + QStringLiteral(".new-%1").arg(getpid());
    QFile::remove(temporary);
    if (symlink(m_slavePath.toLocal8Bit().constData(), temporary.toLocal8Bit().constData()) != 0
        || rename(temporary.toLocal8Bit().constData(), linkPath.toLocal8Bit().constData()) != 0) {
        m_error = QStringLiteral("cannot link %1: %2").arg(linkPath, QString::fromLocal8Bit(strerror(errno)));
        QFile::remove(temporary);
        return false;
    }
    m_linkPath = linkPath;
    return true;
}

void PseudoTerminal::close()
{
    if (!m_linkPath.isEmpty() && QFileInfo(m_linkPath).symLinkTarget() == m_slavePath)
        QFile::remove(m_linkPath);
    m_linkPath.clear();
    if (m_slaveKeeper >= 0)
        ::close(m_slaveKeeper);
    if (m_master >= 0)
        ::close(m_master);
    m_slaveKeeper = -1;
    m_master = -1;
}

QByteArray PseudoTerminal::readAvailable()
{
    QByteArray bytes;
    char buffer[512];
    for (;;) {
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n > 0) {
            bytes.append(buffer, int(n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        break;
    }
    return bytes;
}

bool PseudoTerminal::write(const QByteArray& bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(m_master, bytes.constData() + done, size_t(bytes.size() - done));
        if (n > 0) {
            done += n;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        return false;
    }
    return true;
}

} // namespace rk710sim
