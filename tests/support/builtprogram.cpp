#include "builtprogram.h"

namespace BuiltProgram {

QStringList command(const QString& program)
{
    const QString emulator = qEnvironmentVariable("VM24_EMULATOR");
    return emulator.isEmpty() ? QStringList{program} : QStringList{emulator, program};
}

int slowdown()
{
    return qEnvironmentVariableIsEmpty("VM24_EMULATOR") ? 1 : 5;
}

void start(QProcess& process, const QString& program, const QStringList& arguments)
{
    QStringList line = command(program) + arguments;
    const QString first = line.takeFirst();
    process.start(first, line);
}

} // namespace BuiltProgram
