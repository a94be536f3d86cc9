#include "tasks/ftpsendertask.h"

#include "settings/settings.h"

namespace {

// A value in double quotes as curl's configuration reads it.
QByteArray quoted(const QString& text)
{
    QByteArray value = text.toUtf8();
    value.replace('\\', "\\\\").replace('"', "\\\"").replace('\n', "\\n").replace('\r', "\\r").replace('\t', "\\t");
    return '"' + value + '"';
}

} // namespace

FtpSenderTask::FtpSenderTask(const QString& monitoredDir, const QString& archiveDir, QObject* parent)
    : SpoolSender(monitoredDir, archiveDir, parent)
{
}

void FtpSenderTask::loadConfiguration(const Settings& settings)
{
    setEnabled(settings.value(Settings::EnableNotifications));
    const QString address = settings.value(Settings::FtpAddress);
    const QString user = settings.value(Settings::FtpUsername);
    const QString password = settings.value(Settings::FtpPassword);
    m_url.clear();
    if (address.isEmpty() || user.isEmpty() || password.isEmpty())
        return;
    const QString protocol = settings.value(Settings::FtpProtocol);
    m_url.setScheme(protocol == QLatin1String("sftp") ? QStringLiteral("sftp") : QStringLiteral("ftp"));
    m_url.setUserName(user);
    m_url.setPassword(password);
    m_url.setHost(address);
    m_url.setPort(settings.value(Settings::FtpPort));
    if (m_url.scheme() == QLatin1String("sftp"))
        m_url.setPath(QStringLiteral("/~/"));
}

bool FtpSenderTask::ready() const
{
    return isEnabled() && !m_url.isEmpty();
}

QStringList FtpSenderTask::curlArguments(const QString& path) const
{
    QStringList arguments{QStringLiteral("-T"), path, QStringLiteral("--disable-epsv")};
    if (m_url.scheme() == QLatin1String("sftp"))
        arguments << QStringLiteral("-k");
    arguments << QStringLiteral("--silent") << QStringLiteral("--config") << QStringLiteral("-");
    return arguments;
}

QByteArray FtpSenderTask::curlConfig() const
{
    const QString server = m_url.toString(QUrl::RemoveUserInfo);
    const QString credentials = m_url.userName(QUrl::FullyDecoded) + QLatin1Char(':') + m_url.password(QUrl::FullyDecoded);
    return "url = " + quoted(server) + "\nuser = " + quoted(credentials) + "\n";
}

void FtpSenderTask::doWork()
{
    if (!ready()) {
        endBatch();
        return;
    }
    startTransfer(curlArguments(firstPendingPath()), curlConfig());
}
