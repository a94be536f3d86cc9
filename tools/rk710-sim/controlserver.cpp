#include "controlserver.h"

#include "controlinterpreter.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QSocketNotifier>

#include <cerrno>
#include <memory>
#include <cstdio>
#include <unistd.h>

namespace rk710sim {

ControlServer::ControlServer(ControlInterpreter* interpreter, QObject* parent)
    : QObject(parent)
    , m_interpreter(interpreter)
{
}

ControlServer::~ControlServer()
{
    if (m_server)
        m_server->close();
}

bool ControlServer::listen(const QString& path)
{
    m_server = new QLocalServer(this);
    QLocalServer::removeServer(path);
    if (!m_server->listen(path)) {
        m_error = m_server->errorString();
        return false;
    }
    connect(m_server, &QLocalServer::newConnection, this, &ControlServer::onNewConnection);
    return true;
}

void ControlServer::serveLines(QByteArray& buffer, const std::function<void(const QByteArray&)>& reply)
{
    qsizetype end;
    while ((end = buffer.indexOf('\n')) >= 0) {
        const QByteArray line = buffer.left(end).trimmed();
        buffer.remove(0, end + 1);
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        reply(m_interpreter->execute(QString::fromUtf8(line)).toUtf8() + '\n');
    }
}

void ControlServer::onNewConnection()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        auto buffer = std::make_shared<QByteArray>();
        connect(socket, &QLocalSocket::readyRead, this, [this, socket, buffer] {
            buffer->append(socket->readAll());
            QPointer<QLocalSocket> alive(socket);
            serveLines(*buffer, [alive](const QByteArray& answer) {
                if (alive)
                    alive->write(answer);
            });
        });
    }
}

void ControlServer::readStandardInput()
{
    m_stdin = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, this);
    connect(m_stdin, &QSocketNotifier::activated, this, &ControlServer::onStandardInput);
}

void ControlServer::onStandardInput()
{
    char chunk[1024];
    const ssize_t n = ::read(STDIN_FILENO, chunk, sizeof chunk);
    if (n < 0 && errno == EINTR)
        return;
    if (n <= 0) {
        // End of input (or a background job that may not read the terminal):
        // the socket stays the way in.
        m_stdin->setEnabled(false);
        if (!m_stdinBuffer.trimmed().isEmpty())
            m_stdinBuffer.append('\n');
        else
            return;
    } else {
        m_stdinBuffer.append(chunk, int(n));
    }
    serveLines(m_stdinBuffer, [](const QByteArray& answer) {
        fwrite(answer.constData(), 1, size_t(answer.size()), stdout);
        fflush(stdout);
    });
}

} // namespace rk710sim
