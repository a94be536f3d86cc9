#include "purchase/purchaselog.h"

Q_LOGGING_CATEGORY(purchaseLog, "vm24.purchase", QtInfoMsg)
