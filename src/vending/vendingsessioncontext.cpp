#include "vending/vendingsessioncontext.h"

#include "accounting/accountingservice.h"
#include "accounting/countersdocument.h"
#include "board/creditpacket.h"
#include "board/powercontrol.h"
#include "board/receipthelper.h"
#include "board/rk710controller.h"
#include "catalogue/priceprovider.h"
#include "core/vm24.h"
#include "logging/notifications.h"
#include "ui/interactivemessagedialog.h"
#include "ui/longrunningoperation.h"
#include "ui/messagedialog.h"
#include "vending/changeobserver.h"
#include "vending/creditreaderactor.h"

#include <QCoreApplication>
#include <QRunnable>
#include <QSettings>
#include <QThread>

#include <memory>

namespace {

const char* const GREEDY_CHANGE_VARIABLE = "VM24_GREEDY_CHANGE";
const int BANKNOTES_REFUSED_AT = 2;
const int CUSTOMER_LEVEL_CASH = 0;
const int CUSTOMER_LEVEL_CASHLESS = 1;
const int CREDIT_NOTE_FEED_LINES = 12;

} // namespace

VendingSessionContext::VendingSessionContext(Rk710Controller* controller, PriceProvider* prices,
    AccountingService* accounting, ChangeObserver* changeObserver, PowerControl* powerControl,
    VM24::NotificationService* notifications, QObject* parent)
    : QObject(parent)
    , m_controller(controller)
    , m_prices(prices)
    , m_accounting(accounting)
    , m_changeObserver(changeObserver)
    , m_powerControl(powerControl)
    , m_notifications(notifications)
    , m_greedyChange(VM24::get_env_bool(GREEDY_CHANGE_VARIABLE, false))
{
    m_doorLockTimer.setSingleShot(true);
    m_doorLockTimer.setInterval(DOOR_LOCK_DELAY_MS);
    connect(&m_doorLockTimer, &QTimer::timeout, this, &VendingSessionContext::onDoorLockTimeout);
    connect(&m_countdown, &Countdown::tick, this, &VendingSessionContext::onTick);
    connect(&m_countdown, &Countdown::expired, this, &VendingSessionContext::sessionExpired);
}

VendingSessionContext::~VendingSessionContext()
{
    // The reader must not outlive the session it reports to.
    askActor("stop");
    m_actor = nullptr;
    if (m_actorThread)
        m_actorThread->wait();
}

void VendingSessionContext::loadConfiguration(QSettings& settings)
{
    m_shortWait = settings.value(QStringLiteral("short-wait"), DEFAULT_SHORT_WAIT).toInt();
    m_longWait = settings.value(QStringLiteral("long-wait"), DEFAULT_LONG_WAIT).toInt();
}

// ---- session life ----

void VendingSessionContext::beginVendingSession()
{
    if (m_powerControl)
        m_powerControl->setEnabled(false);
    m_notifications->notify(std::make_unique<VM24::VendingSessionInfo>(VM24::VendingSessionInfo::SessionBegin, 0, 0));
    m_countdown.start(m_shortWait);
    startCreditPolling();
}

void VendingSessionContext::startCreditPolling()
{
    if (m_polling)
        return;
    auto* thread = new QThread;
    auto* actor = new CreditReaderActor(this, m_controller);
    actor->setMaxAcceptedCredit(QSettings().value(QStringLiteral("max-credit"), DEFAULT_MAX_CREDIT).toInt());
    actor->moveToThread(thread);
    connect(thread, &QThread::started, actor, &CreditReaderActor::execute);
    connect(actor, &CreditReaderActor::suspended, this, &VendingSessionContext::creditPollingSuspended);
    // Direct: quit() is thread-safe, and the destructor waits for it.
    connect(actor, &CreditReaderActor::stopped, thread, &QThread::quit, Qt::DirectConnection);
    connect(thread, &QThread::finished, actor, &QObject::deleteLater);
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    connect(actor, &QObject::destroyed, this, &VendingSessionContext::onPollingStopped);
    m_actor = actor;
    m_actorThread = thread;
    m_polling = true;
    thread->start(QThread::InheritPriority);
}

void VendingSessionContext::onPollingStopped()
{
    m_actor = nullptr;
    m_polling = false;
    emit creditPollingStopped();
}

void VendingSessionContext::askActor(const char* slot)
{
    if (m_actor)
        QMetaObject::invokeMethod(m_actor, slot, Qt::QueuedConnection);
}

void VendingSessionContext::prepareToDispenseProduct()
{
    {
        QMutexLocker locker(&m_mutex);
        const int cashless = m_method == CreditPacket::CashlessCard ? m_cashless : m_pos;
        m_notifications->notify(
            std::make_unique<VM24::VendingSessionInfo>(VM24::VendingSessionInfo::Dispensing, cashCredit(), cashless));
    }
    m_countdown.stop();
    askActor("suspend");
}

void VendingSessionContext::beginMultivend()
{
    m_countdown.start(m_longWait);
    askActor("resume");
}

void VendingSessionContext::refreshCountdown()
{
    askActor("acceptBanknotes");
    m_countdown.reset();
}

void VendingSessionContext::onTick(int value)
{
    if (value == BANKNOTES_REFUSED_AT)
        askActor("rejectBanknotes");
}

void VendingSessionContext::prepareToCloseSession()
{
    m_countdown.stop();
    askActor("stop");
    m_actor = nullptr;
}

void VendingSessionContext::openDoor()
{
    m_doorLockTimer.start();
    runBoardTask([controller = m_controller] { controller->setDoorStatus(true); });
}

void VendingSessionContext::onDoorLockTimeout()
{
    runBoardTask([controller = m_controller] { controller->setDoorStatus(false); });
}

void VendingSessionContext::runBoardTask(const std::function<void()>& task)
{
    m_controller->start(QRunnable::create(task));
}

// ---- credit ----

int VendingSessionContext::credit() const
{
    return m_bank + m_coins + m_cashless + m_withdrawnCashless - m_exp - m_recharge - m_change;
}

int VendingSessionContext::cashCredit() const
{
    return m_bank + m_coins + m_withdrawnCashless - m_exp - m_recharge - m_change;
}

void VendingSessionContext::emitCreditChanged(int credit)
{
    m_notifications->notify(std::make_unique<VM24::DebugNotification>(tr("Credito corrente: %1").arg(VM24::format_credit(credit))));
    emit creditChanged(credit);
}

void VendingSessionContext::setCustomerLevel(int level)
{
    if (m_prices)
        QMetaObject::invokeMethod(m_prices, [prices = m_prices, level] { prices->setCustomerLevel(level); });
}

int VendingSessionContext::update(const CreditPacket& packet)
{
    QMutexLocker locker(&m_mutex);
    const int before = credit();
    if (!packet.isValid())
        return before;
    if (packet.bill + packet.coins > m_bank + m_coins) {
        m_notifications->notify(std::make_unique<VM24::CashInsertedNotification>(packet.bill - m_bank, packet.coins - m_coins));
    }
    m_bank = packet.bill;
    m_coins = packet.coins;
    m_cashless = packet.cashless;
    m_pos = packet.pos;
    m_cardId = packet.cardId;
    m_coinBox = packet.coinBox;
    m_method = packet.method();
    if (m_method == CreditPacket::CashlessCard) {
        setCustomerLevel(CUSTOMER_LEVEL_CASHLESS);
    } else {
        m_rechargeBlocked = false;
        setCustomerLevel(CUSTOMER_LEVEL_CASH);
    }
    const int after = credit();
    if (after != before) {
        // The countdown lives in the GUI thread.
        QMetaObject::invokeMethod(this, [this] {
            m_countdown.setStartValue(m_longWait);
            refreshCountdown();
        });
        emitCreditChanged(after);
    }
    return after;
}

int VendingSessionContext::currentCredit() const
{
    QMutexLocker locker(&m_mutex);
    return credit();
}

int VendingSessionContext::computeExtraCredit() const
{
    QMutexLocker locker(&m_mutex);
    return cashCredit();
}

int VendingSessionContext::computeCashlessCreditToWithdraw(int total) const
{
    QMutexLocker locker(&m_mutex);
    if (total > credit())
        return -1;
    const int cash = cashCredit();
    return total <= cash ? 0 : total - cash;
}

int VendingSessionContext::cardId() const
{
    QMutexLocker locker(&m_mutex);
    return m_cardId;
}

int VendingSessionContext::cardBalance() const
{
    QMutexLocker locker(&m_mutex);
    return m_cardId == -1 ? -1 : m_cashless;
}

int VendingSessionContext::method() const
{
    QMutexLocker locker(&m_mutex);
    return m_method;
}

bool VendingSessionContext::isRechargeBlocked() const
{
    QMutexLocker locker(&m_mutex);
    return m_rechargeBlocked;
}

bool VendingSessionContext::cardBalanceChange(int cardId, int balanceBefore, const CreditPacket& after, int* change)
{
    if (cardId == -1 || balanceBefore < 0 || !after.isValid() || after.cardId != cardId)
        return false;
    *change = after.cashless - balanceBefore;
    return true;
}

bool VendingSessionContext::withdrawCashless(int amount)
{
    const int card = cardId();
    const int balance = cardBalance();
    bool unconfirmed = false;
    const bool authorised = m_controller->authoriseCashless(amount, CashlessType::Standard, &unconfirmed);
    const CreditPacket after = m_controller->getCredit();
    // The card's balance tells whether the charge happened, also when the
    // board's answer was lost on the line.
    int change = 0;
    const bool balanceKnown = cardBalanceChange(card, balance, after, &change);
    const bool charged = balanceKnown ? change == -amount : authorised;
    if (unconfirmed && !balanceKnown) {
        warn(QCoreApplication::translate("ProductPage",
                 "Addebito cashless di euro %1 non confermato dalla scheda: registrato come addebitato")
                 .arg(VM24::format_credit(amount)));
    }
    if (charged && after.isValid())
        update(after);
    return charged;
}

void VendingSessionContext::notifyCashlessWithdrawn(int amount)
{
    if (amount <= 0)
        return;
    QMutexLocker locker(&m_mutex);
    m_withdrawnCashless += amount;
    // The card's lower balance was reported first: the credit is back.
    emitCreditChanged(credit());
}

int VendingSessionContext::getRechargableAmount() const
{
    QMutexLocker locker(&m_mutex);
    return m_method == CreditPacket::CashlessCard && !m_rechargeBlocked ? cashCredit() : 0;
}

void VendingSessionContext::notifyRechargeResult(int requested, int remainder, bool unconfirmed)
{
    if (requested < remainder)
        return;
    if (unconfirmed) {
        warn(QCoreApplication::translate("ProductPage",
                 "Ricarica cashless di euro %1 non confermata dalla scheda: registrata come accreditata")
                 .arg(VM24::format_credit(requested - remainder)));
    }
    QMutexLocker locker(&m_mutex);
    const int moved = requested - remainder;
    if (moved > 0) {
        m_notifications->notify(std::make_unique<VM24::UserCashlessRechargeNotification>(moved, m_cardId));
        m_recharge += moved;
    }
    m_rechargeBlocked = remainder > 0;
    m_rechargeCount += 1;
}

void VendingSessionContext::notifyDeliveryUnconfirmed(int dispenser)
{
    warn(QCoreApplication::translate("ProductPage",
             "Erogazione dall'erogatore %1 non confermata dalla scheda: registrata come avvenuta")
             .arg(dispenser + 1));
}

void VendingSessionContext::recordPurchase(int unitPrice, const QList<int>& dispensers)
{
    const int total = int(dispensers.size()) * unitPrice;
    m_accounting->recordItemDispensed(dispensers, unitPrice);
    const int method = this->method();
    const auto purchaseMethod = method == CreditPacket::CashlessCard ? VM24::ProductPurchasedNotification::UserCard
        : method == CreditPacket::Pos                                ? VM24::ProductPurchasedNotification::CreditCard
                                                                     : VM24::ProductPurchasedNotification::Cash;
    const QString userInfo = method == CreditPacket::Cash ? QString() : QString::number(cardId());
    for (int dispenser : dispensers) {
        m_notifications->notify(
            std::make_unique<VM24::ProductPurchasedNotification>(productId, unitPrice, dispenser, purchaseMethod, userInfo));
    }
    QMutexLocker locker(&m_mutex);
    m_exp += total;
    if (total != 0)
        emitCreditChanged(credit());
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
}

// ---- end of the session ----

int VendingSessionContext::computeChange() const
{
    if (!m_changeObserver || !m_changeObserver->isAvailable())
        return 0;
    const int cash = computeExtraCredit();
    const int max = m_changeObserver->maxChange();
    if (m_greedyChange)
        return cash <= max ? cash : 0;
    return qMin(cash, max);
}

void VendingSessionContext::notifyChangeDelivered(int amount)
{
    if (amount <= 0)
        return;
    QMutexLocker locker(&m_mutex);
    m_change += amount;
    m_changeCount += 1;
}

SessionBalance VendingSessionContext::balance() const
{
    QMutexLocker locker(&m_mutex);
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

void VendingSessionContext::closeSession()
{
    m_notifications->notify(std::make_unique<VM24::VendingSessionInfo>(VM24::VendingSessionInfo::SessionEnd, 0, 0));
    m_accounting->recordSessionBalance(balance());
    m_accounting->commit();
    VM24::load_counters(m_controller, VM24::get_path(QStringLiteral("counters.xml")));
    clearCredit();
    if (m_powerControl)
        m_powerControl->setEnabled(true);
}

void VendingSessionContext::clearCredit()
{
    QMutexLocker locker(&m_mutex);
    m_bank = m_coins = m_cashless = m_pos = 0;
    m_withdrawnCashless = m_exp = m_recharge = m_change = 0;
    m_cashSpent = m_cashlessSpent = m_posSpent = 0;
    m_rechargeCount = m_changeCount = m_coinBox = 0;
    m_cardId = -1;
    m_method = CreditPacket::None;
    m_rechargeBlocked = false;
    setCustomerLevel(CUSTOMER_LEVEL_CASH);
    emitCreditChanged(0);
}

void VendingSessionContext::endSession(QWidget* parent)
{
    if (m_polling) {
        MessageDialog waiting(QCoreApplication::translate("ProductPage", "Fine sessione"),
            QCoreApplication::translate("ProductPage", "Operazione completata"), parent);
        connect(this, &VendingSessionContext::creditPollingStopped, &waiting, &QDialog::accept);
        prepareToCloseSession();
        while (m_polling)
            waiting.exec();
    } else {
        m_countdown.stop();
    }
    payChange(parent);
    printCreditNote(parent);
    closeSession();
}

// A pay-out whose end the board could not confirm counts as paid: the coins
// may be in the tray, and a credit note for them would pay them twice. The
// warning tells an operator to check the hoppers against the books.
void VendingSessionContext::payChange(QWidget* parent)
{
    const int amount = computeChange();
    if (amount < 1)
        return;
    Rk710Controller* controller = m_controller;
    auto unconfirmed = std::make_shared<bool>(false);
    const int remainder = VM24::long_running_operation(
        VM24::run_in_thread_pool([controller, amount, unconfirmed] {
            return VM24::return_change_task(controller, amount, unconfirmed.get());
        }),
        parent, QCoreApplication::translate("ProductPage", "Attendere erogazione resto"), VM24::format_money(amount));
    const int paid = amount - qBound(0, remainder, amount);
    notifyChangeDelivered(paid);
    if (paid > 0)
        m_notifications->notify(std::make_unique<VM24::ChangeReturnedNotification>(paid));
    if (*unconfirmed) {
        warn(QCoreApplication::translate("ProductPage",
                 "Erogazione resto di euro %1 non confermata dalla scheda: registrata come erogata")
                 .arg(VM24::format_credit(amount)));
    }
    if (remainder > 0) {
        warn(QCoreApplication::translate("ProductPage", "Impossibile erogare resto per euro %1")
                 .arg(VM24::format_credit(remainder)));
    }
}

void VendingSessionContext::warn(const QString& message)
{
    m_notifications->notify(std::make_unique<VM24::WarningNotification>(message));
}

void VendingSessionContext::printCreditNote(QWidget* parent)
{
    const int extra = computeExtraCredit();
    if (extra < 1)
        return;
    m_notifications->notify(std::make_unique<VM24::OverpayNotification>(extra));
    Rk710Controller* controller = m_controller;
    const ReceiptHelper note = creditNote(extra, QDateTime::currentDateTime());
    const bool printed = VM24::long_running_operation(
        VM24::run_in_thread_pool([controller, note] { return VM24::print_recepit_task(controller, note); }), parent,
        QCoreApplication::translate("ProductPage", "Impossibile erogare resto per %1 euro")
            .arg(VM24::format_credit(extra)),
        QCoreApplication::translate("ProductPage", "Attendere stampa scontrino"));
    if (printed)
        return;
    const QString warning
        = QCoreApplication::translate("ProductPage", "Impossibile stampare scontrino per credito dovuto di %1")
              .arg(VM24::format_money(extra));
    warn(warning);
    InteractiveMessageDialog::showInteractive(warning,
        QCoreApplication::translate("ProductPage", "Tocca questo riquadro per terminare l'operazione"),
        InteractiveMessageDialog::DEFAULT_DURATION_MS, parent);
}

ReceiptHelper VendingSessionContext::creditNote(int amount, const QDateTime& time)
{
    ReceiptHelper note;
    ReceiptHelper::compileStandardReceiptHeader(note);
    note.line(time.toString(QStringLiteral("dd/MM/yyyy   hh:mm")));
    note.empty(1);
    note.line(QCoreApplication::translate("ProductPage", "IMPORTO DOVUTO: %1").arg(VM24::format_credit(amount)));
    note.empty(1);
    note.repeated('-');
    const char* const lines[] = { QT_TRANSLATE_NOOP("ProductPage", "PRESENTARE QUESTO"),
        QT_TRANSLATE_NOOP("ProductPage", "SCONTRINO NEGLI ORARI"),
        QT_TRANSLATE_NOOP("ProductPage", "DI APERTURA PER IL"),
        QT_TRANSLATE_NOOP("ProductPage", "RIMBORSO DEL CREDITO"), QT_TRANSLATE_NOOP("ProductPage", "NON UTILIZZATO") };
    for (const char* line : lines)
        note.line(QCoreApplication::translate("ProductPage", line), ReceiptHelper::Center);
    note.repeated('-');
    note.empty(CREDIT_NOTE_FEED_LINES);
    return note;
}
