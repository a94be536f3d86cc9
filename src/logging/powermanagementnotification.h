#pragma once

#include "logging/notificationvisitorsupport.h"

#include <QString>

namespace VM24 {

class PowerManagementNotification : public NotificationSupport<PowerManagementNotification>
{
public:
    static constexpr const char* CATEGORY = "power-management";

    enum Event : int { PowerOn = 0, Restart = 1, Reboot = 2, Shutdown = 3, EmergencyShutdown = 4 };
    static const int EVENT_COUNT = 5;

    // The operator's label of an event; empty for values outside the five.
    static QString readableEvent(Event event);
    // The name an event is stored under in the event log; empty for values
    // outside the five.
    static QString storedName(Event event);
    // The event stored as name, or -1 when name is none of the five.
    static int eventFromStoredName(const QString& name);

    explicit PowerManagementNotification(Event event)
        : m_event(event)
    {
    }

    Event event() const { return m_event; }

private:
    Event m_event;
};

} // namespace VM24
