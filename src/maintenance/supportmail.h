#pragma once

#include <QString>

namespace VM24 {

static const char* const MAIL_SCRIPT = "smtp_send.py";

// Runs the mail script with a support request for the machine to the
// recipient, through the mail service of mail_server() from mail_from(), and waits for it; the script's outcome is not observed beyond
// its exit code. Runs on a worker thread.
int send_support_mail(const QString& recipient, int serial);

} // namespace VM24
