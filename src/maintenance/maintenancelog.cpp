#include "maintenance/maintenancelog.h"

Q_LOGGING_CATEGORY(maintenanceLog, "vm24.maintenance", QtInfoMsg)
