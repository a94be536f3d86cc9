#pragma once

#include <QByteArray>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

// A mail server and an FTP server on 127.0.0.1, each on a free port, run by
// tools/loopback_servers.py for as long as this object lives. Mails
// and uploads land in directories of its own.
class LoopbackServers
{
public:
    struct Options
    {
        QString ftpUser = QStringLiteral("vm24");
        QString ftpPassword = QStringLiteral("secret");
        QString ftpRefuseOnce;
    };

    explicit LoopbackServers(const Options& options);
    LoopbackServers();
    ~LoopbackServers();

    // Waits until both servers listen; false (see errorString()) when they did not.
    bool start(int timeoutMs = 60000);
    QString errorString() const { return m_error; }

    int smtpPort() const { return m_smtpPort; }
    int ftpPort() const { return m_ftpPort; }
    QString mailDir() const { return m_dir.filePath(QStringLiteral("mail")); }
    QString ftpDir() const { return m_dir.filePath(QStringLiteral("ftp")); }
    // Every mail received so far, in order: the envelope lines, an empty line, the message.
    QList<QByteArray> mails() const;

    static QString python();
    static QString script(const char* name);

private:
    Options m_options;
    QTemporaryDir m_dir;
    QProcess m_process;
    QString m_error;
    int m_smtpPort = 0;
    int m_ftpPort = 0;
};
