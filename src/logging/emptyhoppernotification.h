#pragma once

#include "logging/notificationvisitorsupport.h"
#include "logging/standardrkalarm.h"

namespace VM24 {

// A change hopper (0 or 1) ran empty, or (cleared) holds coins again.
class EmptyHopperNotification
    : public detail::NotificationVisitorSupport<EmptyHopperNotification, StandardRkAlarm>
{
public:
    static constexpr const char* CATEGORY = "empty-hopper";

    EmptyHopperNotification(int hopper, bool cleared)
        : m_hopper(hopper)
        , m_cleared(cleared)
    {
    }

    int hopper() const { return m_hopper; }

    int id() const override;
    QString description() const override;
    bool isCleared() const override { return m_cleared; }

private:
    int m_hopper;
    bool m_cleared;
};

} // namespace VM24
