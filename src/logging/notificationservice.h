#pragma once

#include "logging/inotificationhandler.h"
#include "logging/notificationbase.h"

#include <QAtomicInteger>
#include <QDateTime>
#include <QList>
#include <QMutex>
#include <QMutexLocker>

#include <memory>
#include <vector>

// Publishes notifications to the registered handlers, one publication at a
// time, from any thread. notify() takes the notification, stamps
// it with the current local time, hands it to every handler in registration
// order and deletes it. Handlers are not owned and are never removed.
// Notifications published before any handler exists (an alarm raised while
// the program is being put together) are held, up to MAX_HELD, and handed
// to the first handler when it is added, with their own time stamps.
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

    static constexpr int MAX_HELD = 100;

    // Registration happens at start-up.
    void addHandler(Handler* handler)
    {
        QMutexLocker locker(m_mutex.get());
        m_handlers.append(handler);
        if (m_handlers.size() != 1)
            return;
        const std::vector<std::unique_ptr<Notification>> held = std::move(m_held);
        m_held.clear();
        for (const std::unique_ptr<Notification>& notification : held)
            handler->handle(notification.get());
    }
    QList<Handler*> handlers() const { return m_handlers; }

    // A disabled service deletes notifications unseen.
    void setEnabled(bool enabled) { m_enabled.storeRelaxed(enabled); }
    bool isEnabled() const { return m_enabled.loadRelaxed(); }

    void notify(std::unique_ptr<Notification> owned)
    {
        if (!isEnabled() || !owned)
            return;
        QMutexLocker locker(m_mutex.get());
        owned->setTimestamp(QDateTime::currentDateTime());
        if (m_handlers.isEmpty()) {
            if (int(m_held.size()) < MAX_HELD)
                m_held.push_back(std::move(owned));
            return;
        }
        const QList<Handler*> handlers = m_handlers;
        for (Handler* handler : handlers)
            handler->handle(owned.get());
    }

private:
    QList<Handler*> m_handlers;
    std::vector<std::unique_ptr<Notification>> m_held;
    std::unique_ptr<QMutex> m_mutex;
    QAtomicInteger<bool> m_enabled = true;
};

namespace VM24 {
// The program's one service, over every notification type.
using NotificationService = ::NotificationService<NotificationBase>;
} // namespace VM24
