#pragma once

#include <QLoggingCategory>

// Debug output of the vending sessions: "vm24.vending".
Q_DECLARE_LOGGING_CATEGORY(vendingLog)
