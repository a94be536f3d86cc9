#pragma once

#include "accounting/sessionbalance.h"
#include "core/iconfigurable.h"
#include "logging/notificationservice.h"
#include "vending/countdown.h"

#include <QMutex>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <functional>

class AccountingService;
class ChangeObserver;
class CreditPacket;
class CreditReaderActor;
class PowerControl;
class PriceProvider;
class QThread;
class QWidget;
class ReceiptHelper;
class Rk710Controller;

// The customer's credit and the life of a vending session, from the touch on
// the idle screen to the booking of the session in the ledger. The purchase
// pages drive it from the GUI thread; the credit reader calls update(),
// getRechargableAmount() and notifyRechargeResult() from its own thread. One
// mutex guards the credit fields.
class VendingSessionContext : public QObject, public IConfigurable
{
    Q_OBJECT

public:
    static const int DEFAULT_SHORT_WAIT = 45;
    static const int DEFAULT_LONG_WAIT = 60;
    static const int DEFAULT_MAX_CREDIT = 5000;
    static const int DOOR_LOCK_DELAY_MS = 60000;

    VendingSessionContext(Rk710Controller* controller, PriceProvider* prices, AccountingService* accounting,
                          ChangeObserver* changeObserver, PowerControl* powerControl,
                          VM24::NotificationService* notifications, QObject* parent = nullptr);
    ~VendingSessionContext() override;

    void loadConfiguration(QSettings& settings) override;

    void beginVendingSession();
    void startCreditPolling();
    // From startCreditPolling() until the reader has stopped.
    bool isPolling() const { return m_polling; }

    // Takes a credit report of the board; returns the credit afterwards.
    int update(const CreditPacket& packet);
    int currentCredit() const;
    // The part of the credit that is not on the cashless card.
    int computeExtraCredit() const;
    // What of total must be charged to the card: -1 when the credit does
    // not cover it, 0 when cash does. Cash is used first.
    int computeCashlessCreditToWithdraw(int total) const;
    // Charges the card (a pool thread, while the reader is suspended).
    bool withdrawCashless(int amount);
    void notifyCashlessWithdrawn(int amount);
    int getRechargableAmount() const;
    // unconfirmed: the board could not confirm the recharge's end and the
    // card's balance could not tell either; it is booked as reported, and an
    // operator is warned.
    void notifyRechargeResult(int requested, int remainder, bool unconfirmed = false);

    void prepareToDispenseProduct();
    void recordPurchase(int unitPrice, const QList<int>& dispensers);
    // A motor cycle (dispensers counted from 0) whose end the board could not
    // confirm: it counts as delivered, and an operator is warned.
    void notifyDeliveryUnconfirmed(int dispenser);
    void openDoor();
    void beginMultivend();
    void refreshCountdown();
    void prepareToCloseSession();
    int computeChange() const;
    void notifyChangeDelivered(int amount);
    void closeSession();
    void clearCredit();

    // The end of a session as the product grid runs it: waits for the credit
    // reader to stop, pays change, prints a credit note for what is left,
    // then books the session. Dialogs are shown over parent.
    void endSession(QWidget* parent);
    // The credit note for an amount the machine owes the customer.
    static ReceiptHelper creditNote(int amount, const QDateTime& time);

    // How the balance of the card cardId changed, judged from a report taken
    // after an operation on it; false when that cannot be told (no card,
    // another card, a failed read).
    static bool cardBalanceChange(int cardId, int balanceBefore, const CreditPacket& after, int* change);

    // What the session would book if it closed now.
    SessionBalance balance() const;

    Countdown* countdown() { return &m_countdown; }
    int shortWait() const { return m_shortWait; }
    int longWait() const { return m_longWait; }
    bool greedyChange() const { return m_greedyChange; }
    void setGreedyChange(bool greedy) { m_greedyChange = greedy; }
    bool isDoorReleased() const { return m_doorLockTimer.isActive(); }
    int cardId() const;
    // The card's balance as last reported; -1 without a card.
    int cardBalance() const;
    int method() const;
    bool isRechargeBlocked() const;

    // The product the customer is looking at; set by the purchase pages.
    QString productId;

public slots:
    void onDoorLockTimeout();
    void onTick(int value);
    void onPollingStopped();

signals:
    void creditChanged(int value);
    void creditPollingSuspended();
    void creditPollingStopped();
    void sessionExpired();

private:
    // All of these expect the mutex held.
    int credit() const;
    int cashCredit() const;
    void emitCreditChanged(int credit);
    void setCustomerLevel(int level);

    void askActor(const char* slot);
    void runBoardTask(const std::function<void()>& task);
    void payChange(QWidget* parent);
    void warn(const QString& message);
    void printCreditNote(QWidget* parent);

    Rk710Controller* m_controller;
    PriceProvider* m_prices;
    AccountingService* m_accounting;
    ChangeObserver* m_changeObserver;
    PowerControl* m_powerControl;
    VM24::NotificationService* m_notifications;

    mutable QMutex m_mutex;
    Countdown m_countdown;
    QTimer m_doorLockTimer;
    // The reader while it takes requests: none once it was asked to stop, as
    // it may be gone any moment after that.
    CreditReaderActor* m_actor = nullptr;
    QPointer<QThread> m_actorThread;
    bool m_polling = false;

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

    int m_shortWait = DEFAULT_SHORT_WAIT;
    int m_longWait = DEFAULT_LONG_WAIT;
    bool m_greedyChange = false;
};
