#pragma once

#include <QDateTime>

namespace VM24 {

class NotificationVisitor;

// An event of the machine published through the notification service. The
// service stamps it with the publication time; handlers tell the concrete
// types apart by visiting it.
class NotificationBase
{
public:
    virtual ~NotificationBase();
    virtual void accept(NotificationVisitor* visitor) const = 0;

    QDateTime timestamp() const { return m_timestamp; }
    void setTimestamp(const QDateTime& timestamp) { m_timestamp = timestamp; }

protected:
    NotificationBase() = default;

private:
    QDateTime m_timestamp;
};

} // namespace VM24
