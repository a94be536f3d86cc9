#include "vending/vendinglog.h"

Q_LOGGING_CATEGORY(vendingLog, "vm24.vending", QtInfoMsg)
