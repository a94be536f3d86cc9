#include "settings/settingslog.h"

Q_LOGGING_CATEGORY(settingsLog, "vm24.settings", QtInfoMsg)
