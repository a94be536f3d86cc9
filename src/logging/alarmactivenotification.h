#pragma once

#include "logging/notificationvisitorsupport.h"

namespace VM24 {

// The anti-tamper alarms were armed (active) or disarmed.
class AlarmActiveNotification : public NotificationSupport<AlarmActiveNotification>
{
public:
    static constexpr const char* CATEGORY = "alarm-enable";

    explicit AlarmActiveNotification(bool active)
        : m_active(active)
    {
    }

    bool isActive() const { return m_active; }

private:
    bool m_active;
};

} // namespace VM24
