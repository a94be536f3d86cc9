#include "sftpserver.h"

#include "toolrun.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

#include <pwd.h>
#include <unistd.h>

namespace {

int free_port()
{
    QTcpServer probe;
    return probe.listen(QHostAddress::LocalHost, 0) ? probe.serverPort() : 0;
}

bool write_file(const QString& path, const QByteArray& data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

} // namespace

SftpServer::SftpServer()
    : m_dir(QDir::tempPath() + QStringLiteral("/vm24-sftp-XXXXXX"))
{
    m_user = ::getuid() == 0 ? QStringLiteral("nobody") : QString::fromLocal8Bit(::getpwuid(::getuid())->pw_name);
}

SftpServer::~SftpServer()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(5000)) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

bool SftpServer::run(const QString& program, const QStringList& arguments)
{
    const ToolRun run = run_tool(program, arguments);
    if (!run.succeeded())
        m_error = run.failure(program, arguments);
    return run.succeeded();
}

bool SftpServer::prepare()
{
    const QDir dir(m_dir.path());
    if (!dir.mkpath(QStringLiteral("upload")) || !dir.mkpath(QStringLiteral("home/.ssh")))
        return false;
    const QString hostKey = dir.filePath(QStringLiteral("host_key"));
    const QString clientKey = dir.filePath(QStringLiteral("home/.ssh/id_rsa"));
    // libssh2, curl's SSH library, reads RSA keys in PEM form.
    if (!run(QStringLiteral("ssh-keygen"), {"-q", "-t", "ed25519", "-N", "", "-f", hostKey})
        || !run(QStringLiteral("ssh-keygen"), {"-q", "-t", "rsa", "-b", "2048", "-m", "PEM", "-N", "", "-f", clientKey})
        || !QFile::copy(clientKey + QLatin1String(".pub"), dir.filePath(QStringLiteral("authorized_keys"))))
        return false;
    m_port = free_port();
    const QString config = QStringLiteral("Port %1\nListenAddress 127.0.0.1\nHostKey %2\nPidFile %3\n"
                                          "AuthorizedKeysFile %4\nStrictModes no\nPasswordAuthentication no\n"
                                          "KbdInteractiveAuthentication no\nUsePAM yes\n"
                                          "PubkeyAcceptedAlgorithms +ssh-rsa\nSubsystem sftp internal-sftp -d %5\n")
                               .arg(m_port)
                               .arg(hostKey, dir.filePath(QStringLiteral("sshd.pid")),
                                    dir.filePath(QStringLiteral("authorized_keys")), uploadDir());
    if (!write_file(dir.filePath(QStringLiteral("sshd_config")), config.toUtf8()))
        return false;
    if (::getuid() != 0)
        return true;
    // The unprivileged sshd reads its key and writes the uploads as nobody.
    return QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                                   | QFile::ReadOther | QFile::ExeOther)
        && run(QStringLiteral("chown"), {"nobody", hostKey, uploadDir(), dir.filePath(QStringLiteral("sshd_config"))});
}

bool SftpServer::start(int timeoutMs)
{
    if (!prepare()) {
        if (m_error.isEmpty())
            m_error = QStringLiteral("cannot prepare ") + m_dir.path();
        return false;
    }
    const QStringList sshd{QStringLiteral("/usr/sbin/sshd"), QStringLiteral("-D"), QStringLiteral("-e"),
                           QStringLiteral("-f"), QDir(m_dir.path()).filePath(QStringLiteral("sshd_config"))};
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    if (::getuid() == 0)
        m_process.start(QStringLiteral("setpriv"),
                        QStringList{"--reuid=nobody", "--regid=nogroup", "--clear-groups"} + sshd);
    else
        m_process.start(sshd.first(), sshd.mid(1));
    QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        if (m_process.state() == QProcess::NotRunning) {
            m_error = QStringLiteral("sshd ended: ") + QString::fromLocal8Bit(m_process.readAll());
            return false;
        }
        QTcpSocket probe;
        probe.connectToHost(QHostAddress::LocalHost, quint16(m_port));
        if (probe.waitForConnected(500))
            return true;
        QThread::msleep(200);
    }
    m_error = QStringLiteral("sshd did not listen");
    return false;
}
