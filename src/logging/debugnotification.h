#pragma once

#include "logging/messagenotificationsupport.h"

namespace VM24 {

class DebugNotification : public detail::MessageNotificationSupport<DebugNotification>
{
public:
    static constexpr const char* CATEGORY = "debug";

    using MessageNotificationSupport::MessageNotificationSupport;
};

} // namespace VM24
