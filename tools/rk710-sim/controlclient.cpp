#include "controlclient.h"

#include <QFile>
#include <QLocalSocket>
#include <QTextStream>

#include <cstdio>

namespace rk710sim {

namespace {

QStringList standard_input_lines()
{
    QFile in;
    QStringList lines;
    if (!in.open(stdin, QIODevice::ReadOnly | QIODevice::Text))
        return lines;
    while (!in.atEnd()) {
        const QString line = QString::fromUtf8(in.readLine()).trimmed();
        if (!line.isEmpty() && !line.startsWith(QLatin1Char('#')))
            lines.append(line);
    }
    return lines;
}

} // namespace

int ControlClient::run(const QString& socketPath, const QStringList& commands, int timeoutMs)
{
    const QStringList lines = commands.isEmpty() ? standard_input_lines() : commands;
    QLocalSocket socket;
    socket.connectToServer(socketPath);
    if (!socket.waitForConnected(timeoutMs)) {
        fprintf(stderr, "rk710-sim: cannot reach %s: %s\n", qPrintable(socketPath), qPrintable(socket.errorString()));
        return NoConnection;
    }
    int result = AllOk;
    for (const QString& command : lines) {
        socket.write(command.toUtf8() + '\n');
        socket.flush();
        while (!socket.canReadLine()) {
            if (!socket.waitForReadyRead(timeoutMs)) {
                fprintf(stderr, "rk710-sim: no answer to \"%s\"\n", qPrintable(command));
                return NoConnection;
            }
        }
        const QByteArray answer = socket.readLine();
        fwrite(answer.constData(), 1, size_t(answer.size()), stdout);
        if (!answer.startsWith("ok"))
            result = SomeError;
    }
    fflush(stdout);
    return result;
}

} // namespace rk710sim
