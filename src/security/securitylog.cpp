#include "security/securitylog.h"

Q_LOGGING_CATEGORY(securityLog, "vm24.security", QtInfoMsg)
