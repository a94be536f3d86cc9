#pragma once

#include <QProcess>
#include <QString>

// Python's http.server serving a directory on a free loopback port, for
// tests that download with the real wget.
class HttpServerProcess
{
public:
    explicit HttpServerProcess(const QString& rootDir);
    ~HttpServerProcess();

    // Starts the server and waits until it answers; false when it did not.
    bool start();
    int port() const { return m_port; }
    // "127.0.0.1:<port>", the form of the updates-server setting.
    QString address() const;
    QString url(const QString& path) const;

private:
    QString m_root;
    QProcess m_process;
    int m_port = 0;
};
