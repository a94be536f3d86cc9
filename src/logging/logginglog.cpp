#include "logging/logginglog.h"

Q_LOGGING_CATEGORY(loggingLog, "vm24.logging", QtInfoMsg)
