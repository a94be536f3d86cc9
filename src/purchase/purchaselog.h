#pragma once

#include <QLoggingCategory>

// Diagnostics of this area: QT_LOGGING_RULES="vm24.purchase.debug=true" turns them on.
Q_DECLARE_LOGGING_CATEGORY(purchaseLog)
