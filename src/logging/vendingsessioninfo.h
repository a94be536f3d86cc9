#pragma once

#include "logging/notificationvisitorsupport.h"

namespace VM24 {

// Marks the life of a vending session: its begin, the credit at the moment a
// product is dispensed (cash and cashless parts) and its end.
class VendingSessionInfo : public NotificationSupport<VendingSessionInfo>
{
public:
    static constexpr const char* CATEGORY = "vending-session-info";

    enum Flag : int { SessionBegin = 0, Dispensing = 1, SessionEnd = 2 };

    VendingSessionInfo(Flag flag, int cash, int cashless)
        : m_flag(flag)
        , m_cash(cash)
        , m_cashless(cashless)
    {
    }

    Flag flag() const { return m_flag; }
    int cash() const { return m_cash; }
    int cashless() const { return m_cashless; }

private:
    Flag m_flag;
    int m_cash;
    int m_cashless;
};

} // namespace VM24
