#include "input/inputlog.h"

Q_LOGGING_CATEGORY(inputLog, "vm24.input", QtInfoMsg)
