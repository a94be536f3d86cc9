#pragma once

#include "logging/notificationhandlerbase.h"
#include "logging/notifications.h"

#include <QStringList>

// Writes down the alarm-related notifications it is handed, one short line
// each ("alarm 1 raised", "alarm-enable false", "empty-dispenser 4 id name
// cleared", "dispenser-error 5"), and the category of any other.
class NotificationLog : public NotificationHandlerBase
{
public:
    QStringList lines;

    QStringList take()
    {
        const QStringList taken = lines;
        lines.clear();
        return taken;
    }

    void visit(const VM24::AlarmNotification* n) override
    {
        lines.append(QStringLiteral("alarm %1 %2").arg(int(n->alarm())).arg(state(n->isCleared())));
    }
    void visit(const VM24::AlarmActiveNotification* n) override
    {
        lines.append(QStringLiteral("alarm-enable %1").arg(n->isActive() ? "true" : "false"));
    }
    void visit(const VM24::ProductSoldOutNotification* n) override
    {
        lines.append(QStringLiteral("empty-dispenser %1 %2 %3 %4")
                         .arg(n->dispenser())
                         .arg(n->productId(), n->productName(), state(n->isCleared())));
    }
    void visit(const VM24::MotorDispenserErrorNotification* n) override
    {
        lines.append(QStringLiteral("dispenser-error %1%2").arg(n->dispenser()).arg(n->isCleared() ? " cleared" : ""));
    }

    void visit(const VM24::UserCashlessRechargeNotification*) override { other("recharge"); }
    void visit(const VM24::ProductPurchasedNotification*) override { other("product-purchased"); }
    void visit(const VM24::ChangeReturnedNotification*) override { other("return-change"); }
    void visit(const VM24::OverpayNotification*) override { other("overpay"); }
    void visit(const VM24::VendingSessionInfo*) override { other("vending-session-info"); }
    void visit(const VM24::CashInsertedNotification*) override { other("cash-inserted"); }
    void visit(const VM24::PowerManagementNotification*) override { other("power-management"); }
    void visit(const VM24::EmptyHopperNotification*) override { other("empty-hopper"); }
    void visit(const VM24::InfoNotification*) override { other("info"); }
    void visit(const VM24::WarningNotification*) override { other("warning"); }
    void visit(const VM24::DebugNotification*) override { other("debug"); }
    void visit(const VM24::SupportRequestNotification*) override { other("support-request"); }

private:
    static QString state(bool cleared) { return cleared ? QStringLiteral("cleared") : QStringLiteral("raised"); }
    void other(const char* category) { lines.append(QLatin1String(category)); }
};
