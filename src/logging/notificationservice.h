#pragma once

#include "logging/inotificationhandler.h"
#include "logging/notificationbase.h"

#include <QDateTime>
#include <QList>
#include <QMutex>
#include <QMutexLocker>

#include <memory>

// Publishes notifications to the registered handlers, one publication at a
// time, from any thread. notify() takes ownership of the notification, stamps
// it with the current local time, hands it to every handler in registration
// order and deletes it. Handlers are not owned and are never removed.
template <class Notification>
class NotificationService
{
public:
    using Handler = INotificationHandler<Notification>;

    NotificationService()
        : m_mutex(new QMutex)
    {
    }
    NotificationService(const NotificationService&) = delete;
    NotificationService& operator=(const NotificationService&) = delete;

    // Registration happens at start-up, before the first publication.
    void addHandler(Handler* handler) { m_handlers.append(handler); }
    QList<Handler*> handlers() const { return m_handlers; }

    // A disabled service deletes notifications unseen.
    void setEnabled(bool enabled) { m_enabled = enabled; }
    bool isEnabled() const { return m_enabled; }

    void notify(Notification* notification)
    {
        std::unique_ptr<Notification> owned(notification);
        if (!m_enabled || !owned)
            return;
        QMutexLocker locker(m_mutex.get());
        owned->setTimestamp(QDateTime::currentDateTime());
        const QList<Handler*> handlers = m_handlers;
        for (Handler* handler : handlers)
            handler->handle(owned.get());
    }

private:
    QList<Handler*> m_handlers;
    std::unique_ptr<QMutex> m_mutex;
    bool m_enabled = true;
};

namespace VM24 {
// The program's one service, over every notification type.
using NotificationService = ::NotificationService<NotificationBase>;
} // namespace VM24
