#pragma once

#include "logging/messagenotificationsupport.h"

namespace VM24 {

class WarningNotification : public detail::MessageNotificationSupport<WarningNotification>
{
public:
    static constexpr const char* CATEGORY = "warning";

    // Owner: the warning is what the owner needs to settle a customer's
    // claim (a pay-out, charge, recharge or delivery the board could not
    // confirm), so it is mailed to the alarm recipients as well.
    enum Audience { EventLog, Owner };

    explicit WarningNotification(const QString& message, Audience audience = EventLog)
        : MessageNotificationSupport(message)
        , m_audience(audience)
    {
    }

    Audience audience() const { return m_audience; }

private:
    Audience m_audience;
};

} // namespace VM24
