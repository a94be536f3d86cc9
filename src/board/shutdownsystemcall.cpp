#include "board/shutdownsystemcall.h"

#include "core/systemactions.h"

#include <QCoreApplication>

namespace {

void run_pending_shutdown_call()
{
    ShutdownSystemCall::instance().execute();
}

} // namespace

ShutdownSystemCall::ShutdownSystemCall()
{
    // Post routines run while the application object is destroyed, which in
    // main() is after the main window and the controller are gone.
    qAddPostRoutine(run_pending_shutdown_call);
}

ShutdownSystemCall& ShutdownSystemCall::instance()
{
    static ShutdownSystemCall call;
    return call;
}

QStringList ShutdownSystemCall::command(Mode mode)
{
    switch (mode) {
    case Reboot:
        return {QStringLiteral("reboot")};
    case PowerOff:
        return {QStringLiteral("systemctl"), QStringLiteral("poweroff")};
    case None:
        break;
    }
    return {};
}

bool ShutdownSystemCall::execute()
{
    QStringList arguments = command(m_mode);
    m_mode = None;
    if (arguments.isEmpty())
        return true;
    const QString program = arguments.takeFirst();
    return SystemActions::run(program, arguments) == 0;
}
