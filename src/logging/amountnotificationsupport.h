#pragma once

#include "logging/notificationvisitorsupport.h"

namespace VM24 {
namespace detail {

// The shape shared by the notifications that carry one amount in cents.
template <class Concrete>
class AmountNotificationSupport : public NotificationSupport<Concrete>
{
public:
    explicit AmountNotificationSupport(int amount)
        : m_amount(amount)
    {
    }

    int amount() const { return m_amount; }

private:
    int m_amount;
};

} // namespace detail
} // namespace VM24
