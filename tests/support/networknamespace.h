#pragma once

#include <QString>
#include <QStringList>

// A network of the test process's own: after enter() the process sees only
// a loopback interface of its own, so whatever it pings or resolves cannot
// leave it. enter() must run before the process starts a thread (main,
// before the application object).
namespace NetworkNamespace {

// True when the process now lives in a network namespace of its own;
// otherwise reason tells why not.
bool enter(QString* reason);

// Runs "ip" with the arguments inside the namespace; true when it succeeded.
bool ip(const QStringList& arguments);

} // namespace NetworkNamespace
