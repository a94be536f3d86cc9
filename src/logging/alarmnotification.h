#pragma once

#include "core/alarm.h"
#include "logging/notificationvisitorsupport.h"
#include "logging/standardrkalarm.h"

namespace VM24 {

// One of the machine's alarms was raised or cleared.
class AlarmNotification : public detail::NotificationVisitorSupport<AlarmNotification, StandardRkAlarm>
{
public:
    static constexpr const char* CATEGORY = "alarm";

    AlarmNotification(Alarm alarm, bool cleared)
        : m_alarm(alarm)
        , m_cleared(cleared)
    {
    }

    Alarm alarm() const { return m_alarm; }

    int id() const override;
    QString description() const override;
    bool isCleared() const override { return m_cleared; }

private:
    Alarm m_alarm;
    bool m_cleared;
};

} // namespace VM24
