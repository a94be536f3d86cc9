#include "vending/deliveryservice.h"

#include "board/creditpacket.h"
#include "board/rk710controller.h"
#include "core/vm24.h"
#include "logging/notifications.h"
#include "vending/cardtransfer.h"
#include "vending/dispenserfilter.h"
#include "vending/sessioncredit.h"
#include "vending/vendinglog.h"

#include <QCoreApplication>
#include <QtConcurrentRun>

DeliveryService::DeliveryService(Rk710Controller* controller, SessionCredit* credit,
                                 VM24::NotificationService* notifications, QObject* parent)
    : QObject(parent)
    , m_controller(controller)
    , m_credit(credit)
    , m_notifications(notifications)
{
}

QFuture<bool> DeliveryService::chargeCard(int amount)
{
    return QtConcurrent::run([this, amount] { return withdrawCashless(amount); });
}

// The board's answer decides; the card's balance settles an answer that was
// lost. A charge the board confirmed is booked even when the balance says
// otherwise: the card may have paid, and the customer gets the product.
bool DeliveryService::withdrawCashless(int amount)
{
    const int card = m_credit->cardId();
    const int balance = m_credit->cardBalance();
    m_credit->beginOperation(SessionJournal::CardCharge, amount);
    const BoardResult<bool> authorised = m_controller->authoriseCashless(amount, CashlessType::Standard);
    const CreditPacket after = m_controller->getCredit();
    CardTransfer transfer(CardTransfer::Charge, amount, authorised.value ? amount : 0, !authorised.confirmed);
    transfer.readBalance(card, balance, after);
    const bool charged = transfer.moved() == amount;
    qCDebug(vendingLog) << "card charge of" << amount << "finding" << transfer.finding() << "charged" << charged;
    if (transfer.finding() == CardTransfer::Unconfirmed) {
        warn(QCoreApplication::translate("ProductPage",
                           "Addebito cashless di euro %1 non confermato dalla scheda: registrato come addebitato")
                           .arg(VM24::format_credit(amount)), VM24::WarningNotification::Owner);
    } else if (transfer.finding() == CardTransfer::Disagreement) {
        warn(QCoreApplication::translate("ProductPage",
                           "Addebito cashless di euro %1 confermato dalla scheda, ma il saldo della carta è "
                           "variato di euro %2: registrato come addebitato")
                           .arg(VM24::format_credit(amount), VM24::format_credit(-transfer.balanceMoved())), VM24::WarningNotification::Owner);
    }
    if (charged && after.isValid())
        m_credit->update(after);
    if (charged)
        m_credit->notifyCashlessWithdrawn(amount);
    else
        m_credit->endOperation();
    return charged;
}

void DeliveryService::warn(const QString& message, VM24::WarningNotification::Audience audience)
{
    m_notifications->notify(std::make_unique<VM24::WarningNotification>(message, audience));
}

void DeliveryService::start(const QList<int>& dispensers, int count)
{
    m_delivery = QtConcurrent::run([this, dispensers, count] { return deliver(dispensers, count); });
    m_delivery.then(this, [this](const QList<int>& delivered) { emit finished(delivered); });
}

// A presence read that fails keeps the list as it was: the motor cycle
// itself tells whether a product came out.
QList<int> DeliveryService::withStock(const QList<int>& dispensers) const
{
    const qint64 presence = m_controller->readProductPresenceMask();
    return presence == -1 ? dispensers : filter_out_dispensers(dispensers, presence);
}

QList<int> DeliveryService::deliver(QList<int> dispensers, int count)
{
    const int passWaitMs = m_passWaitMs;
    QList<int> delivered;
    QList<int> available = withStock(dispensers);
    while (delivered.size() < count && !available.isEmpty()) {
        for (auto it = available.begin(); it != available.end() && delivered.size() < count;) {
            const int dispenser = *it;
            const Motor motor = Motor::fromIndex(dispenser);
            m_credit->beginOperation(SessionJournal::MotorCycle, 0, dispenser);
            const BoardResult<bool> cycle = m_controller->deliverProduct(motor);
            if (cycle.value) {
                delivered.append(dispenser);
                m_credit->notifyDelivered(dispenser);
                if (!cycle.confirmed) {
                    warn(QCoreApplication::translate("ProductPage",
                                       "Erogazione dall'erogatore %1 non confermata dalla scheda: registrata come "
                                       "avvenuta")
                                       .arg(motor.number()), VM24::WarningNotification::Owner);
                    emit deliveryUnconfirmed(dispenser);
                }
                ++it;
            } else {
                qCDebug(vendingLog) << "dispenser" << dispenser << "failed";
                m_credit->endOperation();
                emit motorFailed(dispenser);
                it = available.erase(it);
            }
        }
        if (delivered.size() >= count || available.isEmpty())
            break;
        VM24::thread_msleep(passWaitMs);
        available = withStock(available);
    }
    return delivered;
}
