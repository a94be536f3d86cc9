#pragma once

namespace VM24 {

class UserCashlessRechargeNotification;
class ProductPurchasedNotification;
class ChangeReturnedNotification;
class OverpayNotification;
class VendingSessionInfo;
class AlarmNotification;
class CashInsertedNotification;
class PowerManagementNotification;
class ProductSoldOutNotification;
class MotorDispenserErrorNotification;
class AlarmActiveNotification;
class EmptyHopperNotification;
class InfoNotification;
class WarningNotification;
class DebugNotification;
class SupportRequestNotification;

// One operation per notification type. A visitor that has nothing to do for
// a type implements its operation as a no-op. The order of the operations is
// part of the interface: do not reorder, only append.
class NotificationVisitor
{
public:
    virtual ~NotificationVisitor();
    virtual void visit(const UserCashlessRechargeNotification* n) = 0;
    virtual void visit(const ProductPurchasedNotification* n) = 0;
    virtual void visit(const ChangeReturnedNotification* n) = 0;
    virtual void visit(const OverpayNotification* n) = 0;
    virtual void visit(const VendingSessionInfo* n) = 0;
    virtual void visit(const AlarmNotification* n) = 0;
    virtual void visit(const CashInsertedNotification* n) = 0;
    virtual void visit(const PowerManagementNotification* n) = 0;
    virtual void visit(const ProductSoldOutNotification* n) = 0;
    virtual void visit(const MotorDispenserErrorNotification* n) = 0;
    virtual void visit(const AlarmActiveNotification* n) = 0;
    virtual void visit(const EmptyHopperNotification* n) = 0;
    virtual void visit(const InfoNotification* n) = 0;
    virtual void visit(const WarningNotification* n) = 0;
    virtual void visit(const DebugNotification* n) = 0;
    virtual void visit(const SupportRequestNotification* n) = 0;
};

} // namespace VM24
