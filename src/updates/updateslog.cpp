#include "updates/updateslog.h"

Q_LOGGING_CATEGORY(updatesLog, "vm24.updates", QtInfoMsg)
