#pragma once

#include <QByteArray>
#include <QObject>
#include <QProcess>
#include <QStringList>
#include <QTimer>

// One run of curl as a child process (no shell), for the spool senders.
// What curl reads on its standard input (a message, or its configuration
// with credentials that must not show on the command line) is written and
// the input closed; its output is discarded. A curl still running after the
// time limit is killed. Ends with finished() exactly once per start().
class CurlTransfer : public QObject
{
    Q_OBJECT

public:
    enum Outcome { Sent, Failed, NotStarted, TimedOut };
    Q_ENUM(Outcome)

    static const int DEFAULT_TIME_LIMIT_MS = 10 * 60 * 1000;

    explicit CurlTransfer(QObject* parent = nullptr);
    // Stops a running curl, waiting up to 3 s for it to end.
    ~CurlTransfer() override;

    void setTimeLimit(int ms) { m_timeLimitMs = ms; }
    // "curl", or the program named by VM24_CURL.
    static QString program();

    void start(const QStringList& arguments, const QByteArray& input);
    bool isRunning() const { return m_running; }

signals:
    // Sent only when curl exited with code 0.
    void finished(CurlTransfer::Outcome outcome);

private:
    void onFinished(int exitCode, QProcess::ExitStatus status);
    void onError(QProcess::ProcessError error);
    void onTimeout();
    void end(Outcome outcome);

    QProcess m_process;
    QTimer m_timer;
    int m_timeLimitMs = DEFAULT_TIME_LIMIT_MS;
    bool m_running = false;
    bool m_timedOut = false;
};
