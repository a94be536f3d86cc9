#include "security/securitylog.h"

Q_LOGGING_CATEGORY(lcSecurity, "vm24.security")
