#pragma once

#include "logging/notificationvisitorsupport.h"

namespace VM24 {

// A customer's cashless card was recharged.
class UserCashlessRechargeNotification : public NotificationSupport<UserCashlessRechargeNotification>
{
public:
    static constexpr const char* CATEGORY = "recharge";

    UserCashlessRechargeNotification(int amount, int userId)
        : m_amount(amount)
        , m_userId(userId)
    {
    }

    int amount() const { return m_amount; }
    int userId() const { return m_userId; }

private:
    int m_amount;
    int m_userId;
};

} // namespace VM24
