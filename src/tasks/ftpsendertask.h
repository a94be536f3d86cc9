#pragma once

#include "tasks/spoolsender.h"

#include <QUrl>

// Uploads each file of the outgoing directory to the telemetry server by
// FTP or SFTP with curl. The server's address and credentials reach curl
// through its configuration on standard input, never on its command line,
// where any local user could read the password. Idle while notifications
// are disabled or the server is not fully configured.
class FtpSenderTask : public SpoolSender
{
    Q_OBJECT

public:
    FtpSenderTask(const QString& monitoredDir, const QString& archiveDir, QObject* parent = nullptr);

    void loadConfiguration(const Settings& settings) override;

    // Scheme ("ftp" or "sftp"), user name, password, host and port; empty
    // when address, user name or password is missing.
    QUrl url() const { return m_url; }

    QStringList curlArguments(const QString& path) const;
    // curl's configuration: the server URL and the credentials.
    QByteArray curlConfig() const;

protected:
    bool ready() const override;
    void doWork() override;

private:
    QUrl m_url;
};
