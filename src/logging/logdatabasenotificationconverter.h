#pragma once

#include "logging/notificationvisitor.h"

#include <QDateTime>
#include <QVariant>
#include <QString>

class QSqlRecord;

namespace VM24 {
class NotificationBase;
}

// Turns notifications into event-log rows and rows back into notifications.
//
// A row is a timestamp, the notification's category and a data string: a
// single value, or "key=value" pairs joined by "&". Text fields (product id
// and name, user information) are stored as they are, without escaping, so
// that rows stay readable by every program that reads this log. Reading is
// tolerant instead: a piece that does not start with the next expected key
// belongs to the text before it (which held "&"), and a value is everything
// after the first "=" of its pair, so a text holding "=" comes back whole.
// Older rows with fewer fields (a bare number, the sold-out row without
// "clear") are read by position.
class LogDatabaseNotificationConverter : public VM24::NotificationVisitor
{
public:
    struct Tuple
    {
        QDateTime timestamp;
        QString category;
        QString data;
    };

    Tuple convert(const VM24::NotificationBase* notification);

    // The notification stored in a row (columns timestamp, category, data),
    // owned by the caller, or null when the row cannot be read.
    static VM24::NotificationBase* fromRecord(const QSqlRecord& record);
    static VM24::NotificationBase* fromRow(const QDateTime& timestamp, const QString& category,
                                           const QString& data);
    // The time of a row's timestamp column: "yyyy-MM-dd hh:mm:ss" local
    // time, or ISO 8601; invalid when it is neither.
    static QDateTime readTimestamp(const QVariant& value);

    void visit(const VM24::UserCashlessRechargeNotification* n) override;
    void visit(const VM24::ProductPurchasedNotification* n) override;
    void visit(const VM24::ChangeReturnedNotification* n) override;
    void visit(const VM24::OverpayNotification* n) override;
    void visit(const VM24::VendingSessionInfo* n) override;
    void visit(const VM24::AlarmNotification* n) override;
    void visit(const VM24::CashInsertedNotification* n) override;
    void visit(const VM24::PowerManagementNotification* n) override;
    void visit(const VM24::ProductSoldOutNotification* n) override;
    void visit(const VM24::MotorDispenserErrorNotification* n) override;
    void visit(const VM24::AlarmActiveNotification* n) override;
    void visit(const VM24::EmptyHopperNotification* n) override;
    void visit(const VM24::InfoNotification* n) override;
    void visit(const VM24::WarningNotification* n) override;
    void visit(const VM24::DebugNotification* n) override;
    void visit(const VM24::SupportRequestNotification* n) override;

private:
    void set(const VM24::NotificationBase* n, const char* category, const QString& data);

    Tuple m_tuple;
};

namespace VM24 {
// The value of a "key=value" pair: everything after the first "=", or an
// empty string when there is none.
QString get_query_value(const QString& pair);
} // namespace VM24
