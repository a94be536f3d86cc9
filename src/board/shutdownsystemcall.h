#pragma once

#include <QString>
#include <QStringList>

// The system command that follows the end of the program: nothing, a reboot
// or a power-off. The power control chooses the mode while the program runs;
// the command runs once, last of all, when the application object is
// destroyed (after the main window and the controller), or earlier when
// execute() is called. It goes through SystemActions, so tests and the demo
// only record it.
class ShutdownSystemCall
{
public:
    enum Mode { None = 0, Reboot = 1, PowerOff = 2 };

    static ShutdownSystemCall& instance();

    void setMode(Mode mode) { m_mode = mode; }
    Mode mode() const { return m_mode; }

    // The program and arguments for a mode; an empty program for None.
    static QStringList command(Mode mode);

    // Runs the command of the present mode, once: the mode is None afterwards.
    // True when there was nothing to do or the command succeeded.
    bool execute();

private:
    ShutdownSystemCall();
    Q_DISABLE_COPY(ShutdownSystemCall)

    Mode m_mode = None;
};
