#pragma once

#include "logging/notificationservice.h"

class AccountingService;
class Rk710Controller;

namespace VM24 {

// Money left on the board by a power loss or a crash is kept by the machine:
// booked and reported as owed to the customer. A session that was open at
// the crash is booked from its journal: what it spent, paid out and moved
// to a card as it had reached the disk, an operation then running as the
// board reports its end, and the cash the board holds for it as credit
// kept. The board's credit is cleared only once it is booked. Run once at
// start-up.
void book_initial_credit(Rk710Controller* controller, AccountingService* accounting,
                         NotificationService* notifications);

} // namespace VM24
