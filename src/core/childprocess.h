#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace VM24 {

// Runs a program that only reads or reports (blkid, ip, ping, the key and
// mail scripts) without a shell, the arguments as given, and waits at most
// timeoutMs; a program still running then is killed. input, when given, is
// written to its standard input, which is closed after; output receives its
// standard output; standard error is discarded. Returns the exit code, or
// -1 when it could not start, crashed or ran out of time. Programs that
// change the machine go through SystemActions instead.
int run_child_process(const QString& program, const QStringList& arguments, int timeoutMs,
                      QByteArray* output = nullptr, const QByteArray* input = nullptr);

} // namespace VM24
