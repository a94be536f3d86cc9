#include "logging/notificationhandlerbase.h"

void NotificationHandlerBase::handle(VM24::NotificationBase* notification)
{
    notification->accept(this);
}
