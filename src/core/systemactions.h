#pragma once

#include <QString>
#include <QStringList>

// The one door through which the program acts on the machine it runs on:
// reboot, power off, clock, host name, network, mounts and package installs.
//
// When the environment variable VM24_SYSTEM_ACTIONS_RECORD names a file, no
// action is carried out: each one is appended to that file as one line, the
// program and its arguments separated by tabs, and reported as successful.
// Tests and the demo run in that mode.
class SystemActions
{
public:
    static const int DEFAULT_TIMEOUT_MS = 120000;

    // Runs program with arguments and waits for it. Its standard input is
    // closed at once, its standard output discarded (unless asked for
    // below), its standard error goes to the program's own (the system
    // log). Returns its exit code, or -1 when it could not be started,
    // crashed or timed out.
    static int run(const QString& program, const QStringList& arguments,
                   int timeoutMs = DEFAULT_TIMEOUT_MS);
    // Same, and hands back what the program wrote on its standard output.
    static int run(const QString& program, const QStringList& arguments,
                   QByteArray* standardOutput, int timeoutMs = DEFAULT_TIMEOUT_MS);

    // Starts program with arguments and does not wait for it or look at its
    // outcome. False when it could not be started.
    static bool startDetached(const QString& program, const QStringList& arguments);

    static bool isRecording();
    static QString recordPath();

    // Lines recorded so far, each split into program and arguments.
    static QList<QStringList> recordedActions();
};
