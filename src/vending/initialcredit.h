#pragma once

#include "logging/notificationservice.h"

class AccountingService;
class Rk710Controller;

namespace VM24 {

// Money left on the board by a power loss is kept by the machine: booked and
// reported as owed to the customer. Run once at start-up.
void book_initial_credit(Rk710Controller* controller, AccountingService* accounting,
                         NotificationService* notifications);

} // namespace VM24
