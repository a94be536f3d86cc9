#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// The programs of this build (the simulator, the kiosk, test helpers) as the
// tests start them: as they are, or through the emulator that VM24_EMULATOR
// names when the build is for another processor and runs under emulation.
namespace BuiltProgram {

// The command line that starts program: the program itself, after the
// emulator where there is one.
QStringList command(const QString& program);

void start(QProcess& process, const QString& program, const QStringList& arguments);

} // namespace BuiltProgram
