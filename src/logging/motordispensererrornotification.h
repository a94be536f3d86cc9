#pragma once

#include "logging/notificationvisitorsupport.h"
#include "logging/standardrkalarm.h"

namespace VM24 {

// A motor dispenser went into error (or, cleared, recovered).
class MotorDispenserErrorNotification
    : public detail::NotificationVisitorSupport<MotorDispenserErrorNotification, StandardRkAlarm>
{
public:
    static constexpr const char* CATEGORY = "dispenser-error";

    MotorDispenserErrorNotification(int dispenser, bool cleared)
        : m_dispenser(dispenser)
        , m_cleared(cleared)
    {
    }

    int dispenser() const { return m_dispenser; }

    int id() const override;
    QString description() const override;
    bool isCleared() const override { return m_cleared; }

private:
    int m_dispenser;
    bool m_cleared;
};

} // namespace VM24
