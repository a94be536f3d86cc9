#pragma once

#include <QString>

namespace VM24 {

// The maker's mail service through which alarm mails and support requests
// leave the machine.
static const char* const MAIL_FROM = "vm24@korvane.it";
static const char* const MAIL_SERVER = "smtp://smtp.korvane.it:587";

// MAIL_FROM, or the environment variable VM24_MAIL_FROM when it is set (an
// owner's own relay, tests, the demo).
QString mail_from();
// MAIL_SERVER, or VM24_MAIL_SERVER when it is set: an "smtp://host:port" URL.
QString mail_server();

} // namespace VM24
