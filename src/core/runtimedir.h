#pragma once

#include <QString>

namespace VM24 {

// The running program's own directory for files it shares with the
// platform: $RUNTIME_DIRECTORY when the service manager gives one (its
// first entry); else "vm24" in $XDG_RUNTIME_DIR; else "/run/vm24" for
// root and "/tmp/vm24-<uid>" for anyone else, created with mode 0700.
// Empty when the directory is a link, not a directory, not ours or
// writable by others: nobody else can put a link where the program writes.
QString runtime_dir();

} // namespace VM24
