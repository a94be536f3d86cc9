#include "httpserverprocess.h"

#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

namespace {

int free_loopback_port()
{
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0))
        return 0;
    return probe.serverPort();
}

} // namespace

HttpServerProcess::HttpServerProcess(const QString& rootDir)
    : m_root(rootDir)
{
}

HttpServerProcess::~HttpServerProcess()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.terminate();
        if (!m_process.waitForFinished(3000)) {
            m_process.kill();
            m_process.waitForFinished(3000);
        }
    }
}

bool HttpServerProcess::start()
{
    for (int attempt = 0; attempt < 3; ++attempt) {
        m_port = free_loopback_port();
        if (m_port == 0)
            return false;
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.setStandardOutputFile(QProcess::nullDevice());
        m_process.start(QStringLiteral("/usr/bin/python3"),
                        {QStringLiteral("-m"), QStringLiteral("http.server"), QString::number(m_port),
                         QStringLiteral("--bind"), QStringLiteral("127.0.0.1"), QStringLiteral("--directory"), m_root});
        if (!m_process.waitForStarted(5000))
            return false;
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < 15000 && m_process.state() == QProcess::Running) {
            QTcpSocket socket;
            socket.connectToHost(QHostAddress::LocalHost, quint16(m_port));
            if (socket.waitForConnected(500))
                return true;
            QThread::msleep(100);
        }
        m_process.kill();
        m_process.waitForFinished(3000);
    }
    return false;
}

QString HttpServerProcess::address() const
{
    return QStringLiteral("127.0.0.1:%1").arg(m_port);
}

QString HttpServerProcess::url(const QString& path) const
{
    return QStringLiteral("http://%1/%2").arg(address(), path);
}
