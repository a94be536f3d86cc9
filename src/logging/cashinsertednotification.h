#pragma once

#include "logging/notificationvisitorsupport.h"

namespace VM24 {

// Money inserted since the previous credit report of the board.
class CashInsertedNotification : public NotificationSupport<CashInsertedNotification>
{
public:
    static constexpr const char* CATEGORY = "cash-inserted";

    CashInsertedNotification(int banknotes, int coins)
        : m_banknotes(banknotes)
        , m_coins(coins)
    {
    }

    int banknotes() const { return m_banknotes; }
    int coins() const { return m_coins; }

private:
    int m_banknotes;
    int m_coins;
};

} // namespace VM24
