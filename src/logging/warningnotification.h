#pragma once

#include "logging/messagenotificationsupport.h"

namespace VM24 {

class WarningNotification : public detail::MessageNotificationSupport<WarningNotification>
{
public:
    static constexpr const char* CATEGORY = "warning";

    using MessageNotificationSupport::MessageNotificationSupport;
};

} // namespace VM24
