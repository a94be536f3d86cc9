#pragma once

// Receives every published notification. The handler must not keep the
// pointer: the service deletes the notification after the last handler.
// Handlers run under the service's lock and must not publish themselves.
template <class Notification>
class INotificationHandler
{
public:
    virtual ~INotificationHandler() = default;
    virtual void handle(Notification* notification) = 0;
};
