#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>

class QLocalServer;
class QLocalSocket;
class QSocketNotifier;

namespace rk710sim {

class ControlInterpreter;

// Carries control commands to the interpreter: from clients of a Unix socket
// and from standard input, a line at a time, each answered with one line on
// the same channel (standard output for standard input).
class ControlServer : public QObject
{
    Q_OBJECT

public:
    static const int MAX_LINE_LENGTH = 65536;

    explicit ControlServer(ControlInterpreter* interpreter, QObject* parent = nullptr);
    ~ControlServer() override;

    // Replaces a stale socket left by an earlier run.
    bool listen(const QString& path);
    QString errorString() const { return m_error; }
    void readStandardInput();

private slots:
    void onNewConnection();
    void onStandardInput();

private:
    struct LineBuffer
    {
        QByteArray data;
        bool discarding = false;
    };
    void serveLines(LineBuffer& buffer, const QByteArray& bytes, const std::function<void(const QByteArray&)>& reply);

    ControlInterpreter* m_interpreter;
    QLocalServer* m_server = nullptr;
    QSocketNotifier* m_stdin = nullptr;
    LineBuffer m_stdinBuffer;
    QString m_error;
};

} // namespace rk710sim
