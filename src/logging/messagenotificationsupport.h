#pragma once

#include "logging/notificationvisitorsupport.h"

#include <QString>

namespace VM24 {
namespace detail {

// The shape shared by the free-text notifications (info, warning, debug).
template <class Concrete>
class MessageNotificationSupport : public NotificationSupport<Concrete>
{
public:
    explicit MessageNotificationSupport(const QString& message)
        : m_message(message)
    {
    }

    QString message() const { return m_message; }

private:
    QString m_message;
};

} // namespace detail
} // namespace VM24
