#pragma once

#include "logging/inotificationhandler.h"
#include "logging/notificationbase.h"
#include "logging/notificationvisitor.h"

// A handler that cares about types: handle() visits the notification, the
// subclass implements the visit operations.
class NotificationHandlerBase : public INotificationHandler<VM24::NotificationBase>,
                                public VM24::NotificationVisitor
{
public:
    void handle(VM24::NotificationBase* notification) override;
};
