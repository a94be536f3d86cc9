#pragma once

#include "logging/notificationvisitorsupport.h"

namespace VM24 {

// The operator sent a support request from the maintenance menu.
class SupportRequestNotification : public NotificationSupport<SupportRequestNotification>
{
public:
    static constexpr const char* CATEGORY = "support-request";
};

} // namespace VM24
