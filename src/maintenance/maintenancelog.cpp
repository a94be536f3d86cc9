#include "maintenance/maintenancelog.h"

Q_LOGGING_CATEGORY(lcMaintenance, "vm24.maintenance")
