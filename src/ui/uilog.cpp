#include "ui/uilog.h"

Q_LOGGING_CATEGORY(uiLog, "vm24.ui", QtInfoMsg)
