#include "tasks/curltransfer.h"

#include "tasks/taskslog.h"

CurlTransfer::CurlTransfer(QObject* parent)
    : QObject(parent)
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &CurlTransfer::onTimeout);
    connect(&m_process, &QProcess::finished, this, &CurlTransfer::onFinished);
    connect(&m_process, &QProcess::errorOccurred, this, &CurlTransfer::onError);
}

CurlTransfer::~CurlTransfer()
{
    m_process.disconnect(this);
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(3000)) {
        m_process.kill();
        m_process.waitForFinished(1000);
    }
}

QString CurlTransfer::program()
{
    const QString configured = qEnvironmentVariable("VM24_CURL");
    return configured.isEmpty() ? QStringLiteral("curl") : configured;
}

void CurlTransfer::start(const QStringList& arguments, const QByteArray& input)
{
    m_running = true;
    m_timedOut = false;
    m_process.setStandardOutputFile(QProcess::nullDevice());
    m_process.setStandardErrorFile(QProcess::nullDevice());
    m_process.start(program(), arguments);
    // A program that is not there is reported inside start().
    if (!m_running)
        return;
    // Buffered until curl runs; a later start failure drops it.
    m_process.write(input);
    m_process.closeWriteChannel();
    m_timer.start(m_timeLimitMs);
}

void CurlTransfer::onFinished(int exitCode, QProcess::ExitStatus status)
{
    if (m_timedOut)
        end(TimedOut);
    else
        end(status == QProcess::NormalExit && exitCode == 0 ? Sent : Failed);
}

void CurlTransfer::onError(QProcess::ProcessError error)
{
    // Other errors are followed by finished().
    if (error == QProcess::FailedToStart) {
        qCWarning(tasksLog) << "Cannot start" << program() << m_process.errorString();
        end(NotStarted);
    }
}

void CurlTransfer::onTimeout()
{
    qCWarning(tasksLog) << program() << "ran out of time; stopping it";
    m_timedOut = true;
    m_process.kill();
}

void CurlTransfer::end(Outcome outcome)
{
    if (!m_running)
        return;
    m_running = false;
    m_timer.stop();
    emit finished(outcome);
}
