#include "core/corelog.h"

Q_LOGGING_CATEGORY(coreLog, "vm24.core", QtInfoMsg)
