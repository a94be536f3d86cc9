#pragma once

#include <QStringList>

namespace VM24 {

// The spool directories through which reports leave the machine, all in the
// application directory: "drafts" (the day's reports until the daily move),
// "outgoing" (FTP), "mailbox" (e-mail) and "archive" (sent files).
QStringList spool_directories();

// Creates the spool directories that are missing; returns the paths that
// could not be created (empty when all are there).
QStringList make_spool_directories();

} // namespace VM24
