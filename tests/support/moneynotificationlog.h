#pragma once

#include "logging/notificationhandlerbase.h"
#include "logging/notifications.h"

#include <QMutex>
#include <QMutexLocker>
#include <QRegularExpression>
#include <QStringList>

// Registered with a notification service, keeps every notification of the
// money side as one line of text ("cash-inserted 500 120"); the debug lines
// of the credit are left out. Readable from any thread.
class MoneyNotificationLog : public NotificationHandlerBase
{
public:
    QStringList lines() const
    {
        QMutexLocker locker(&m_mutex);
        return m_lines;
    }
    QStringList starting(const QString& prefix) const { return lines().filter(QRegularExpression("^" + prefix)); }
    void clear()
    {
        QMutexLocker locker(&m_mutex);
        m_lines.clear();
    }

private:
    void add(const char* category, const QString& values = QString())
    {
        QMutexLocker locker(&m_mutex);
        m_lines.append(values.isEmpty() ? QLatin1String(category) : QLatin1String(category) + ' ' + values);
    }
    static QString numbers(std::initializer_list<qint64> values)
    {
        QStringList texts;
        for (qint64 value : values)
            texts.append(QString::number(value));
        return texts.join(' ');
    }

    void visit(const VM24::UserCashlessRechargeNotification* n) override
    {
        add(n->CATEGORY, numbers({n->amount(), n->userId()}));
    }
    void visit(const VM24::ProductPurchasedNotification* n) override
    {
        add(n->CATEGORY,
            QStringLiteral("%1 %2 %3 %4 %5")
                .arg(n->productId())
                .arg(n->cost())
                .arg(n->dispenser())
                .arg(n->method())
                .arg(n->userInfo())
                .trimmed());
    }
    void visit(const VM24::ChangeReturnedNotification* n) override { add(n->CATEGORY, numbers({n->amount()})); }
    void visit(const VM24::OverpayNotification* n) override { add(n->CATEGORY, numbers({n->amount()})); }
    void visit(const VM24::VendingSessionInfo* n) override
    {
        add(n->CATEGORY, numbers({n->flag(), n->cash(), n->cashless()}));
    }
    void visit(const VM24::AlarmNotification*) override { }
    void visit(const VM24::CashInsertedNotification* n) override
    {
        add(n->CATEGORY, numbers({n->banknotes(), n->coins()}));
    }
    void visit(const VM24::PowerManagementNotification*) override { }
    void visit(const VM24::ProductSoldOutNotification*) override { }
    void visit(const VM24::MotorDispenserErrorNotification*) override { }
    void visit(const VM24::AlarmActiveNotification*) override { }
    void visit(const VM24::EmptyHopperNotification* n) override
    {
        add(n->CATEGORY, QStringLiteral("%1 %2").arg(n->hopper()).arg(n->isCleared() ? "cleared" : "empty"));
    }
    void visit(const VM24::InfoNotification*) override { }
    // Warnings for the owner (mailed too) are told apart from the event log's own.
    void visit(const VM24::WarningNotification* n) override
    {
        add(n->audience() == VM24::WarningNotification::Owner ? "warning-owner" : n->CATEGORY, n->message());
    }
    void visit(const VM24::DebugNotification*) override { }
    void visit(const VM24::SupportRequestNotification*) override { }

    mutable QMutex m_mutex;
    QStringList m_lines;
};
