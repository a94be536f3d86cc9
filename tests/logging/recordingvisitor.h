#pragma once

#include "logging/notifications.h"

#include <QStringList>

// Records, for every visited notification, the category of the visit
// operation that was called, so tests can check that dispatch reaches the
// operation of the notification's own type.
class RecordingVisitor : public VM24::NotificationVisitor
{
public:
    QStringList visited;

    void visit(const VM24::UserCashlessRechargeNotification*) override { record(VM24::UserCashlessRechargeNotification::CATEGORY); }
    void visit(const VM24::ProductPurchasedNotification*) override { record(VM24::ProductPurchasedNotification::CATEGORY); }
    void visit(const VM24::ChangeReturnedNotification*) override { record(VM24::ChangeReturnedNotification::CATEGORY); }
    void visit(const VM24::OverpayNotification*) override { record(VM24::OverpayNotification::CATEGORY); }
    void visit(const VM24::VendingSessionInfo*) override { record(VM24::VendingSessionInfo::CATEGORY); }
    void visit(const VM24::AlarmNotification*) override { record(VM24::AlarmNotification::CATEGORY); }
    void visit(const VM24::CashInsertedNotification*) override { record(VM24::CashInsertedNotification::CATEGORY); }
    void visit(const VM24::PowerManagementNotification*) override { record(VM24::PowerManagementNotification::CATEGORY); }
    void visit(const VM24::ProductSoldOutNotification*) override { record(VM24::ProductSoldOutNotification::CATEGORY); }
    void visit(const VM24::MotorDispenserErrorNotification*) override { record(VM24::MotorDispenserErrorNotification::CATEGORY); }
    void visit(const VM24::AlarmActiveNotification*) override { record(VM24::AlarmActiveNotification::CATEGORY); }
    void visit(const VM24::EmptyHopperNotification*) override { record(VM24::EmptyHopperNotification::CATEGORY); }
    void visit(const VM24::InfoNotification*) override { record(VM24::InfoNotification::CATEGORY); }
    void visit(const VM24::WarningNotification*) override { record(VM24::WarningNotification::CATEGORY); }
    void visit(const VM24::DebugNotification*) override { record(VM24::DebugNotification::CATEGORY); }
    void visit(const VM24::SupportRequestNotification*) override { record(VM24::SupportRequestNotification::CATEGORY); }

private:
    void record(const char* category) { visited.append(QLatin1String(category)); }
};

// One notification of each of the sixteen types, with distinctive field
// values, paired with the category it must be filed under.
inline QList<QPair<QString, VM24::NotificationBase*>> one_of_each_notification()
{
    using namespace VM24;
    QList<QPair<QString, NotificationBase*>> list;
    auto add = [&list](const char* category, NotificationBase* n) { list.append({QLatin1String(category), n}); };
    add("info", new InfoNotification(QStringLiteral("VM24 1.1.5 - RK710 3.2")));
    add("warning", new WarningNotification(QStringLiteral("Resto non erogato: 1,20")));
    add("debug", new DebugNotification(QStringLiteral("Credito corrente: 2,50")));
    add("overpay", new OverpayNotification(150));
    add("return-change", new ChangeReturnedNotification(70));
    add("cash-inserted", new CashInsertedNotification(500, 120));
    add("recharge", new UserCashlessRechargeNotification(2000, 4711));
    add("product-purchased", new ProductPurchasedNotification(QStringLiteral("farmacia/0042"), 1290, 17,
                                                              ProductPurchasedNotification::CreditCard,
                                                              QStringLiteral("carta 1234")));
    add("vending-session-info", new VendingSessionInfo(VendingSessionInfo::Dispensing, 300, 990));
    add("power-management", new PowerManagementNotification(PowerManagementNotification::EmergencyShutdown));
    add("alarm-enable", new AlarmActiveNotification(true));
    add("support-request", new SupportRequestNotification);
    add("alarm", new AlarmNotification(BatteryPowerAlarm, true));
    add("empty-dispenser", new ProductSoldOutNotification(QStringLiteral("farmacia/0007"),
                                                          QStringLiteral("Crema solare"), 4, false));
    add("dispenser-error", new MotorDispenserErrorNotification(9, true));
    add("empty-hopper", new EmptyHopperNotification(1, false));
    return list;
}
