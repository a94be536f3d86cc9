#include "tasks/taskslog.h"

Q_LOGGING_CATEGORY(tasksLog, "vm24.tasks", QtInfoMsg)
