#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// OpenSSH's sshd on 127.0.0.1 and a free port with a throw-away host key,
// everything in a temporary directory, serving SFTP only; uploads land in
// uploadDir(). sshd run by root needs the system's privilege-separation
// directory, which tests do not create: under root it runs as the user
// "nobody" instead, which any unprivileged sshd can serve. That user has no
// password, so clients log in with the throw-away key in clientHome()/.ssh
// (curl's default key when HOME points there).
class SftpServer
{
public:
    SftpServer();
    ~SftpServer();

    bool start(int timeoutMs = 60000);
    QString errorString() const { return m_error; }

    int port() const { return m_port; }
    QString user() const { return m_user; }
    QString uploadDir() const { return m_dir.filePath(QStringLiteral("upload")); }
    QString clientHome() const { return m_dir.filePath(QStringLiteral("home")); }

private:
    bool prepare();
    bool run(const QString& program, const QStringList& arguments);

    QTemporaryDir m_dir;
    QProcess m_process;
    QString m_error;
    QString m_user;
    int m_port = 0;
};
