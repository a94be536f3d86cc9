#pragma once

#include "logging/amountnotificationsupport.h"

namespace VM24 {

// Credit kept by the machine: the customer is owed this amount (a credit note).
class OverpayNotification : public detail::AmountNotificationSupport<OverpayNotification>
{
public:
    static constexpr const char* CATEGORY = "overpay";

    using AmountNotificationSupport::AmountNotificationSupport;
};

} // namespace VM24
