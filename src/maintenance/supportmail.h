#pragma once

#include <QString>

namespace VM24 {

// The maker's mail service through which support requests leave.
static const char* const SUPPORT_MAIL_SENDER = "vm24@korvane.it";
static const char* const SUPPORT_MAIL_SERVER = "smtp.korvane.it:587";
static const char* const MAIL_SCRIPT = "smtp_send.py";

// Runs the mail script with a support request for the machine to the
// recipient and waits for it; the script's outcome is not observed beyond
// its exit code. Runs on a worker thread.
int send_support_mail(const QString& recipient, int serial);

} // namespace VM24
