#include "app/applog.h"

Q_LOGGING_CATEGORY(appLog, "vm24.app", QtInfoMsg)
