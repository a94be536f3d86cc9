#include "tasks/heartbeat.h"

#include "logging/debugnotification.h"

Heartbeat::Heartbeat(VM24::NotificationService* notificationService)
    : m_notificationService(notificationService)
{
}

void Heartbeat::run()
{
    m_notificationService->notify(std::make_unique<VM24::DebugNotification>(QString::fromLatin1(MESSAGE)));
}
