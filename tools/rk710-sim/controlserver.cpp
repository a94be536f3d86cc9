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

void ControlServer::serveLines(LineBuffer& buffer, const QByteArray& bytes,
                               const std::function<void(const QByteArray&)>& reply)
{
    buffer.data.append(bytes);
    qsizetype end;
    while ((end = buffer.data.indexOf('\n')) >= 0) {
        const QByteArray line = buffer.data.left(end).trimmed();
        buffer.data.remove(0, end + 1);
        if (buffer.discarding) {
            // The rest of a line too long to take, refused already.
            buffer.discarding = false;
            continue;
        }
        if (end > MAX_LINE_LENGTH) {
            reply(QByteArrayLiteral("error line too long\n"));
            continue;
        }
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        reply(m_interpreter->execute(QString::fromUtf8(line)).toUtf8() + '\n');
    }
    if (buffer.data.size() > MAX_LINE_LENGTH) {
        buffer.data.clear();
        if (!buffer.discarding)
            reply(QByteArrayLiteral("error line too long\n"));
        buffer.discarding = true;
    }
}

void ControlServer::onNewConnection()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        auto buffer = std::make_shared<LineBuffer>();
        connect(socket, &QLocalSocket::readyRead, this, [this, socket, buffer] {
            QPointer<QLocalSocket> alive(socket);
            serveLines(*buffer, socket->readAll(), [alive](const QByteArray& answer) {
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
    QByteArray bytes(chunk, n > 0 ? int(n) : 0);
    if (n <= 0) {
        // End of input (or a background job that may not read the terminal):
        // the socket stays the way in. A last line without its end counts.
        m_stdin->setEnabled(false);
        bytes = QByteArrayLiteral("\n");
    }
    serveLines(m_stdinBuffer, bytes, [](const QByteArray& answer) {
        fwrite(answer.constData(), 1, size_t(answer.size()), stdout);
        fflush(stdout);
    });
}

} // namespace rk710sim
