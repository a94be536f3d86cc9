#include "loopbackservers.h"

#include "testenvironment.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

LoopbackServers::LoopbackServers(const Options& options)
    : m_options(options)
{
}

LoopbackServers::LoopbackServers()
    : LoopbackServers(Options())
{
}

LoopbackServers::~LoopbackServers()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.closeWriteChannel();
    if (!m_process.waitForFinished(5000)) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

QString LoopbackServers::python()
{
    // Debian's Python, which has the server modules.
    return QStringLiteral("/usr/bin/python3");
}

QString LoopbackServers::script(const char* name)
{
    return TestEnvironment::sourcePath(QLatin1String(name));
}

bool LoopbackServers::start(int timeoutMs)
{
    m_process.setProcessChannelMode(QProcess::SeparateChannels);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("VM24_SINK_FTP_PASSWORD"), m_options.ftpPassword);
    m_process.setProcessEnvironment(environment);
    m_process.start(python(), {script("tools/loopback_servers.py"), QStringLiteral("--mail-dir"), mailDir(),
                               QStringLiteral("--ftp-dir"), ftpDir(), QStringLiteral("--ftp-user"),
                               m_options.ftpUser, QStringLiteral("--ftp-refuse-once"), m_options.ftpRefuseOnce});
    QDeadlineTimer deadline(timeoutMs);
    while (!m_process.canReadLine()) {
        if (deadline.hasExpired() || !m_process.waitForReadyRead(int(deadline.remainingTime()))) {
            m_error = QStringLiteral("servers did not start: ") + QString::fromLocal8Bit(m_process.readAllStandardError());
            return false;
        }
    }
    const QJsonObject ports = QJsonDocument::fromJson(m_process.readLine()).object();
    m_smtpPort = ports.value(QStringLiteral("smtp")).toInt();
    m_ftpPort = ports.value(QStringLiteral("ftp")).toInt();
    return m_smtpPort > 0 && m_ftpPort > 0;
}

QList<QByteArray> LoopbackServers::mails() const
{
    QList<QByteArray> mails;
    const QDir dir(mailDir());
    for (const QString& name : dir.entryList({QStringLiteral("*.eml")}, QDir::Files, QDir::Name)) {
        QFile file(dir.filePath(name));
        if (file.open(QIODevice::ReadOnly))
            mails.append(file.readAll());
    }
    return mails;
}
