#include "accounting/accountinglog.h"

Q_LOGGING_CATEGORY(accountingLog, "vm24.accounting", QtInfoMsg)
