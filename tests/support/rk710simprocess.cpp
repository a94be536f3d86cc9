#include "rk710simprocess.h"

#include "builtprogram.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QLocalSocket>

#include <signal.h>
#include <sys/prctl.h>

Rk710SimProcess::Rk710SimProcess(const QJsonObject& startState, const QStringList& extraArguments)
    : m_dir(QDir::tempPath() + QStringLiteral("/rk710-sim-XXXXXX"))
    , m_startState(startState)
    , m_extraArguments(extraArguments)
{
}

Rk710SimProcess::~Rk710SimProcess()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.terminate();
        if (!m_process.waitForFinished(3000))
            m_process.kill();
        m_process.waitForFinished(3000);
    }
}

QString Rk710SimProcess::programPath()
{
    // Test programs live in <build>/tests, programs in <build>/bin.
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../bin/rk710-sim"));
}

bool Rk710SimProcess::start()
{
    QStringList arguments{QStringLiteral("--link"),     devicePath(),      QStringLiteral("--control"),
                          controlPath(),                QStringLiteral("--receipts"), receiptLogPath(),
                          QStringLiteral("--log"),      requestLogPath(),  QStringLiteral("--no-stdin")};
    if (!m_startState.isEmpty()) {
        const QString statePath = m_dir.filePath(QStringLiteral("start-state.json"));
        QFile file(statePath);
        if (!file.open(QIODevice::WriteOnly) || file.write(QJsonDocument(m_startState).toJson()) < 0) {
            m_error = QStringLiteral("cannot write %1").arg(statePath);
            return false;
        }
        arguments << QStringLiteral("--state") << statePath;
    }
    arguments << m_extraArguments;
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // A test that crashes or is killed by its timeout must not leave a
    // simulator behind holding the pty and whatever descriptors it inherited.
    m_process.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
    BuiltProgram::start(m_process, programPath(), arguments);
    if (!m_process.waitForStarted(5000)) {
        m_error = QStringLiteral("cannot start %1: %2").arg(programPath(), m_process.errorString());
        return false;
    }
    while (!m_process.canReadLine()) {
        if (!m_process.waitForReadyRead(10000)) {
            m_error = QStringLiteral("the simulator named no device (its messages are above)");
            return false;
        }
    }
    const QString device = QString::fromLocal8Bit(m_process.readLine()).trimmed();
    if (device != devicePath()) {
        m_error = QStringLiteral("the simulator named %1 instead of %2").arg(device, devicePath());
        return false;
    }
    return true;
}

QString Rk710SimProcess::control(const QString& command) const
{
    // Generous: a loaded machine may keep the simulator waiting a while.
    const int timeoutMs = 10000;
    QLocalSocket socket;
    socket.connectToServer(controlPath());
    if (!socket.waitForConnected(timeoutMs))
        return QString();
    socket.write(command.toUtf8() + '\n');
    while (!socket.canReadLine()) {
        if (!socket.waitForReadyRead(timeoutMs))
            return QString();
    }
    return QString::fromUtf8(socket.readLine()).trimmed();
}

QJsonObject Rk710SimProcess::state() const
{
    const QString answer = control(QStringLiteral("state"));
    if (!answer.startsWith(QLatin1String("ok ")))
        return QJsonObject();
    return QJsonDocument::fromJson(answer.mid(3).toUtf8()).object();
}
