#include "vending/sessioncredit.h"

#include "accounting/accountingservice.h"
#include "board/creditpacket.h"
#include "catalogue/priceprovider.h"
#include "core/vm24.h"
#include "logging/notifications.h"
#include "vending/cardtransfer.h"
#include "vending/vendinglog.h"

#include <QCoreApplication>

namespace {
const int CUSTOMER_LEVEL_CASH = 0;
const int CUSTOMER_LEVEL_CASHLESS = 1;
} // namespace

SessionCredit::SessionCredit(PriceProvider* prices, AccountingService* accounting,
                             VM24::NotificationService* notifications, QObject* parent)
    : QObject(parent)
    , m_accounting(accounting)
    , m_notifications(notifications)
{
    // The prices live on the GUI thread; the credit is read on the reader's.
    if (prices)
        connect(this, &SessionCredit::customerLevelChanged, prices, &PriceProvider::setCustomerLevel);
}

int SessionCredit::credit() const
{
    return m_bank + m_coins + m_cashless + m_withdrawnCashless - m_exp - m_recharge - m_change;
}

int SessionCredit::cashCredit() const
{
    return m_bank + m_coins + m_withdrawnCashless - m_exp - m_recharge - m_change;
}

void SessionCredit::publishCredit(int credit)
{
    qCDebug(vendingLog) << "credit" << credit;
    m_notifications->notify(std::make_unique<VM24::DebugNotification>(
        QCoreApplication::translate("VendingSessionContext", "Credito corrente: %1").arg(VM24::format_credit(credit))));
    emit creditChanged(credit);
}

void SessionCredit::setCustomerLevel(int level)
{
    emit customerLevelChanged(level);
}

void SessionCredit::warn(const QString& message, VM24::WarningNotification::Audience audience)
{
    m_notifications->notify(std::make_unique<VM24::WarningNotification>(message, audience));
}

int SessionCredit::update(const CreditPacket& packet)
{
    int before = 0;
    int after = 0;
    int newBanknotes = 0;
    int newCoins = 0;
    {
        QMutexLocker locker(&m_mutex);
        before = credit();
        if (!packet.isValid())
            return before;
        if (packet.bill + packet.coins > m_bank + m_coins) {
            newBanknotes = packet.bill - m_bank;
            newCoins = packet.coins - m_coins;
        }
        const bool cashMoved = packet.bill != m_bank || packet.coins != m_coins || packet.coinBox != m_coinBox;
        m_bank = packet.bill;
        m_coins = packet.coins;
        m_cashless = packet.cashless;
        m_pos = packet.pos;
        m_cardId = packet.cardId;
        m_coinBox = packet.coinBox;
        m_method = packet.method();
        if (m_method != CreditPacket::CashlessCard)
            m_rechargeBlocked = false;
        after = credit();
        if (cashMoved)
            journalLocked();
    }
    if (newBanknotes != 0 || newCoins != 0)
        m_notifications->notify(std::make_unique<VM24::CashInsertedNotification>(newBanknotes, newCoins));
    setCustomerLevel(packet.method() == CreditPacket::CashlessCard ? CUSTOMER_LEVEL_CASHLESS : CUSTOMER_LEVEL_CASH);
    if (after != before) {
        emit creditMoved();
        publishCredit(after);
    }
    return after;
}

int SessionCredit::currentCredit() const
{
    QMutexLocker locker(&m_mutex);
    return credit();
}

int SessionCredit::computeExtraCredit() const
{
    QMutexLocker locker(&m_mutex);
    return cashCredit();
}

int SessionCredit::computeCashlessCreditToWithdraw(int total) const
{
    QMutexLocker locker(&m_mutex);
    if (total > credit())
        return -1;
    const int cash = cashCredit();
    return total <= cash ? 0 : total - cash;
}

int SessionCredit::cardId() const
{
    QMutexLocker locker(&m_mutex);
    return m_cardId;
}

int SessionCredit::cardBalance() const
{
    QMutexLocker locker(&m_mutex);
    return m_cardId == -1 ? -1 : m_cashless;
}

int SessionCredit::method() const
{
    QMutexLocker locker(&m_mutex);
    return m_method;
}

bool SessionCredit::isRechargeBlocked() const
{
    QMutexLocker locker(&m_mutex);
    return m_rechargeBlocked;
}

QPair<int, int> SessionCredit::dispensingAmounts() const
{
    QMutexLocker locker(&m_mutex);
    return {cashCredit(), m_method == CreditPacket::CashlessCard ? m_cashless : m_pos};
}

void SessionCredit::notifyCashlessWithdrawn(int amount)
{
    if (amount <= 0)
        return;
    int now = 0;
    {
        QMutexLocker locker(&m_mutex);
        m_withdrawnCashless += amount;
        m_operation = SessionJournal::NoOperation;
        journalLocked();
        now = credit();
    }
    // The card's lower balance was reported first: the credit is back.
    publishCredit(now);
}

int SessionCredit::getRechargableAmount() const
{
    QMutexLocker locker(&m_mutex);
    return m_method == CreditPacket::CashlessCard && !m_rechargeBlocked ? cashCredit() : 0;
}

// An unconfirmed recharge is booked as reported: the cash counts as moved
// onto the card and is not paid out again as change.
void SessionCredit::notifyRechargeResult(const CardTransfer& transfer)
{
    const int requested = transfer.requested();
    const int moved = transfer.moved();
    if (transfer.finding() == CardTransfer::Unconfirmed) {
        warn(QCoreApplication::translate("ProductPage",
                 "Ricarica cashless di euro %1 non confermata dalla scheda: registrata come accreditata")
                 .arg(VM24::format_credit(moved)), VM24::WarningNotification::Owner);
    } else if (transfer.finding() == CardTransfer::Disagreement) {
        warn(QCoreApplication::translate("ProductPage",
                 "Ricarica cashless di euro %1 confermata dalla scheda, ma il saldo della carta è variato di "
                 "euro %2: registrata come accreditata")
                 .arg(VM24::format_credit(moved), VM24::format_credit(transfer.balanceMoved())), VM24::WarningNotification::Owner);
    }
    notifyRechargeResult(requested, requested - moved);
}

void SessionCredit::notifyRechargeResult(int requested, int remainder)
{
    if (requested < remainder)
        return;
    const int moved = requested - remainder;
    int cardId = -1;
    {
        QMutexLocker locker(&m_mutex);
        m_recharge += moved;
        m_rechargeBlocked = remainder > 0;
        m_rechargeCount += 1;
        cardId = m_cardId;
        m_operation = SessionJournal::NoOperation;
        journalLocked();
    }
    if (moved > 0)
        m_notifications->notify(std::make_unique<VM24::UserCashlessRechargeNotification>(moved, cardId));
}

void SessionCredit::notifyChangeDelivered(int amount)
{
    QMutexLocker locker(&m_mutex);
    if (amount > 0) {
        m_change += amount;
        m_changeCount += 1;
    }
    m_operation = SessionJournal::NoOperation;
    journalLocked();
}

void SessionCredit::beginDelivery(const QString& productId, int unitPrice)
{
    QMutexLocker locker(&m_mutex);
    m_deliveryProduct = productId;
    m_deliveryPrice = unitPrice;
    m_delivered.clear();
}

void SessionCredit::beginOperation(SessionJournal::Operation operation, int amount, int dispenser)
{
    QMutexLocker locker(&m_mutex);
    m_operation = operation;
    m_operationAmount = amount;
    m_operationDispenser = dispenser;
    journalLocked();
}

void SessionCredit::beginRecharge(int amount)
{
    beginOperation(SessionJournal::CardRecharge, amount);
}

void SessionCredit::notifyDelivered(int dispenser)
{
    QMutexLocker locker(&m_mutex);
    m_delivered.append(dispenser);
    m_operation = SessionJournal::NoOperation;
    journalLocked();
}

void SessionCredit::endOperation()
{
    QMutexLocker locker(&m_mutex);
    if (m_operation == SessionJournal::NoOperation)
        return;
    m_operation = SessionJournal::NoOperation;
    journalLocked();
}

// The lock is held while the journal is written, so that two threads'
// steps reach the disk in the order they happened.
void SessionCredit::journalLocked()
{
    if (m_accounting)
        m_accounting->journalSession(journalEntryLocked());
}

SessionJournal::OpenSession SessionCredit::journalEntryLocked() const
{
    SessionJournal::OpenSession session;
    session.balance = balanceLocked();
    session.withdrawnCashless = m_withdrawnCashless;
    session.method = m_method;
    session.productId = m_deliveryProduct;
    session.unitPrice = m_deliveryPrice;
    session.delivered = m_delivered;
    session.operation = m_operation;
    session.amount = m_operationAmount;
    session.dispenser = m_operationDispenser;
    return session;
}

void SessionCredit::recordPurchase(const QString& productId, int unitPrice, const QList<int>& dispensers)
{
    const int total = int(dispensers.size()) * unitPrice;
    const int method = this->method();
    const auto purchaseMethod = method == CreditPacket::CashlessCard ? VM24::ProductPurchasedNotification::UserCard
        : method == CreditPacket::Pos                                ? VM24::ProductPurchasedNotification::CreditCard
                                                                     : VM24::ProductPurchasedNotification::Cash;
    const QString userInfo = method == CreditPacket::Cash ? QString() : QString::number(cardId());
    for (int dispenser : dispensers) {
        m_notifications->notify(std::make_unique<VM24::ProductPurchasedNotification>(
            productId, unitPrice, dispenser, purchaseMethod, userInfo));
    }
    int now = 0;
    {
        QMutexLocker locker(&m_mutex);
        m_exp += total;
        switch (m_method) {
        case CreditPacket::CashlessCard:
            m_cashlessSpent += total;
            break;
        case CreditPacket::Pos:
            m_posSpent += total;
            break;
        case CreditPacket::Cash:
            m_cashSpent += total;
            break;
        }
        now = credit();
        for (int dispenser : dispensers)
            m_delivered.removeOne(dispenser);
        m_deliveryProduct.clear();
        m_deliveryPrice = 0;
        m_operation = SessionJournal::NoOperation;
        if (m_accounting)
            m_accounting->bookItemsDispensed(dispensers, unitPrice, journalEntryLocked());
    }
    if (total != 0)
        publishCredit(now);
}

SessionBalance SessionCredit::balance() const
{
    QMutexLocker locker(&m_mutex);
    return balanceLocked();
}

SessionBalance SessionCredit::balanceLocked() const
{
    SessionBalance balance;
    balance.banknotes = m_bank;
    balance.coins = m_coins;
    balance.recharges = m_recharge;
    balance.changeDelivered = m_change;
    balance.cashIncome = m_cashSpent;
    balance.cashlessIncome = m_cashlessSpent;
    balance.posIncome = m_posSpent;
    balance.extraCredit = cashCredit();
    balance.rechargeCount = m_rechargeCount;
    balance.changeCount = m_changeCount;
    balance.coinBox = m_coinBox;
    return balance;
}

void SessionCredit::clearCredit()
{
    {
        QMutexLocker locker(&m_mutex);
        m_bank = m_coins = m_cashless = m_pos = 0;
        m_withdrawnCashless = m_exp = m_recharge = m_change = 0;
        m_cashSpent = m_cashlessSpent = m_posSpent = 0;
        m_rechargeCount = m_changeCount = m_coinBox = 0;
        m_cardId = -1;
        m_method = CreditPacket::None;
        m_rechargeBlocked = false;
        m_deliveryProduct.clear();
        m_deliveryPrice = 0;
        m_delivered.clear();
        m_operation = SessionJournal::NoOperation;
    }
    setCustomerLevel(CUSTOMER_LEVEL_CASH);
    publishCredit(0);
}
