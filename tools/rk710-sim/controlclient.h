#pragma once

#include <QString>
#include <QStringList>

namespace rk710sim {

// The other end of the control socket, for scripts and tests: sends each
// command, prints each answer line on standard output.
class ControlClient
{
public:
    enum ExitCode { AllOk = 0, SomeError = 1, NoConnection = 2 };

    // Sends the commands in order; with none, sends the lines of standard
    // input. Returns an ExitCode.
    static int run(const QString& socketPath, const QStringList& commands, int timeoutMs);
};

} // namespace rk710sim
