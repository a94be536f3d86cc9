#pragma once

#include "logging/amountnotificationsupport.h"

namespace VM24 {

// Change paid out to the customer.
class ChangeReturnedNotification : public detail::AmountNotificationSupport<ChangeReturnedNotification>
{
public:
    static constexpr const char* CATEGORY = "return-change";

    using AmountNotificationSupport::AmountNotificationSupport;
};

} // namespace VM24
