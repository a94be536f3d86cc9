#pragma once

#include "logging/messagenotificationsupport.h"

namespace VM24 {

class InfoNotification : public detail::MessageNotificationSupport<InfoNotification>
{
public:
    static constexpr const char* CATEGORY = "info";

    using MessageNotificationSupport::MessageNotificationSupport;
};

} // namespace VM24
