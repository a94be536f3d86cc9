#include "core/systemactions.h"

#include <QFile>
#include <QMutex>
#include <QMutexLocker>
#include <QProcess>

namespace {

QMutex recordMutex;

bool appendRecord(const QString& program, const QStringList& arguments)
{
    QMutexLocker locker(&recordMutex);
    QFile file(SystemActions::recordPath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
        return false;
    const QString line = (QStringList{program} + arguments).join(QLatin1Char('\t'));
    file.write(line.toUtf8() + '\n');
    return true;
}

} // namespace

int SystemActions::run(const QString& program, const QStringList& arguments, int timeoutMs)
{
    return run(program, arguments, nullptr, timeoutMs);
}

int SystemActions::run(const QString& program, const QStringList& arguments,
                       QByteArray* standardOutput, int timeoutMs)
{
    if (isRecording())
        return appendRecord(program, arguments) ? 0 : -1;

    QProcess process;
    process.setStandardInputFile(QProcess::nullDevice());
    if (!standardOutput)
        process.setStandardOutputFile(QProcess::nullDevice());
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(program, arguments);
    if (!process.waitForStarted())
        return -1;
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return -1;
    }
    if (standardOutput)
        *standardOutput = process.readAllStandardOutput();
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

bool SystemActions::startDetached(const QString& program, const QStringList& arguments)
{
    if (isRecording())
        return appendRecord(program, arguments);
    return QProcess::startDetached(program, arguments);
}

bool SystemActions::isRecording()
{
    return !recordPath().isEmpty();
}

QString SystemActions::recordPath()
{
    return qEnvironmentVariable("VM24_SYSTEM_ACTIONS_RECORD");
}

QList<QStringList> SystemActions::recordedActions()
{
    QMutexLocker locker(&recordMutex);
    QList<QStringList> actions;
    QFile file(recordPath());
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return actions;
    while (!file.atEnd()) {
        QString line = QString::fromUtf8(file.readLine());
        if (line.endsWith(QLatin1Char('\n')))
            line.chop(1);
        if (!line.isEmpty())
            actions.append(line.split(QLatin1Char('\t')));
    }
    return actions;
}
