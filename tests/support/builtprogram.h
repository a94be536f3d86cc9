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

// How many times a wait for the build's own code may be longer: under
// emulation it runs several times slower than here.
int slowdown();

void start(QProcess& process, const QString& program, const QStringList& arguments);

} // namespace BuiltProgram
