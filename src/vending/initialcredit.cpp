#include "vending/initialcredit.h"

#include "accounting/accountingservice.h"
#include "board/creditpacket.h"
#include "board/rk710controller.h"
#include "logging/overpaynotification.h"

namespace VM24 {

void book_initial_credit(Rk710Controller* controller, AccountingService* accounting,
                         NotificationService* notifications)
{
    const CreditPacket credit = controller->getInitialCredit();
    if (credit.bill < 0 || credit.bill + credit.coins <= 0)
        return;
    accounting->registerInitialCredit(credit);
    accounting->commit();
    notifications->notify(std::make_unique<OverpayNotification>(credit.bill + credit.coins));
}

} // namespace VM24
