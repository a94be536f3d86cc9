#pragma once

#include "accounting/sessionbalance.h"
#include "accounting/sessionjournal.h"
#include "logging/notificationservice.h"
#include "logging/warningnotification.h"
#include "vending/icreditaccount.h"

#include <QList>
#include <QMutex>
#include <QObject>
#include <QString>

class AccountingService;
class PriceProvider;

// The customer's credit in one vending session: what the board reports,
// what was charged to a card, spent, moved onto a card and paid back, and
// the customer's price level. The pages read it from the GUI thread, the
// credit reader updates it from its own thread; one mutex guards the fields
// and no signal leaves while it is held.
class SessionCredit : public QObject, public ICreditAccount
{
    Q_OBJECT

public:
    SessionCredit(PriceProvider* prices, AccountingService* accounting, VM24::NotificationService* notifications,
                  QObject* parent = nullptr);

    int update(const CreditPacket& packet) override;
    int currentCredit() const;
    // The part of the credit that is not on the cashless card.
    int computeExtraCredit() const;
    // What of total must be charged to the card: -1 when the credit does
    // not cover it, 0 when cash does. Cash is used first.
    int computeCashlessCreditToWithdraw(int total) const;
    void notifyCashlessWithdrawn(int amount);
    int getRechargableAmount() const override;
    void notifyRechargeResult(const CardTransfer& transfer) override;
    void notifyRechargeResult(int requested, int remainder);
    void notifyChangeDelivered(int amount);
    // Books delivered products, one dispenser index per product.
    void recordPurchase(const QString& productId, int unitPrice, const QList<int>& dispensers);
    void clearCredit();

    // The session's journal in the ledger files: every step that moves
    // money or goods reaches the disk before the board is asked to do it
    // and once it is done, so that start-up can settle a crash.
    void beginDelivery(const QString& productId, int unitPrice);
    void beginOperation(SessionJournal::Operation operation, int amount, int dispenser = -1);
    void beginRecharge(int amount) override;
    void notifyDelivered(int dispenser);
    void endOperation();

    // What the session would book if it closed now.
    SessionBalance balance() const;
    // The amounts of the "dispensing" row: the cash credit, and the card's
    // balance when a card pays, else the POS credit.
    QPair<int, int> dispensingAmounts() const;
    int cardId() const override;
    int cardBalance() const override;
    int method() const;
    bool isRechargeBlocked() const;

signals:
    void creditChanged(int value);
    // The board reported a credit other than the one before.
    void creditMoved();
    // Cash or cashless prices, for the prices' own thread.
    void customerLevelChanged(int level);

private:
    // These expect the mutex held.
    int credit() const;
    int cashCredit() const;

    void publishCredit(int credit);
    void warn(const QString& message,
              VM24::WarningNotification::Audience audience = VM24::WarningNotification::EventLog);
    void setCustomerLevel(int level);
    // These expect the mutex held too.
    void journalLocked();
    SessionJournal::OpenSession journalEntryLocked() const;
    SessionBalance balanceLocked() const;

    AccountingService* m_accounting;
    VM24::NotificationService* m_notifications;

    mutable QMutex m_mutex;
    int m_bank = 0;
    int m_coins = 0;
    int m_cashless = 0;
    int m_pos = 0;
    int m_withdrawnCashless = 0;
    int m_exp = 0;
    int m_recharge = 0;
    int m_change = 0;
    int m_cashSpent = 0;
    int m_cashlessSpent = 0;
    int m_posSpent = 0;
    int m_rechargeCount = 0;
    int m_changeCount = 0;
    int m_coinBox = 0;
    int m_cardId = -1;
    int m_method = 0;
    bool m_rechargeBlocked = false;
    QString m_deliveryProduct;
    int m_deliveryPrice = 0;
    QList<int> m_delivered;
    SessionJournal::Operation m_operation = SessionJournal::NoOperation;
    int m_operationAmount = 0;
    int m_operationDispenser = -1;
};
