#include "vending/vendingsessioncontext.h"

#include "board/powercontrol.h"
#include "board/rk710controller.h"
#include "logging/notifications.h"
#include "vending/creditreaderactor.h"
#include "vending/sessioncredit.h"
#include "vending/vendinglog.h"

#include <QThread>

namespace {
const int BANKNOTES_REFUSED_AT = 2;
} // namespace

VendingSessionContext::VendingSessionContext(Rk710Controller* controller, SessionCredit* credit,
    PowerControl* powerControl, VM24::NotificationService* notifications, QObject* parent)
    : QObject(parent)
    , m_controller(controller)
    , m_credit(credit)
    , m_powerControl(powerControl)
    , m_notifications(notifications)
{
    m_doorLockTimer.setSingleShot(true);
    m_doorLockTimer.setInterval(DOOR_LOCK_DELAY_MS);
    connect(&m_doorLockTimer, &QTimer::timeout, this, &VendingSessionContext::onDoorLockTimeout);
    connect(&m_countdown, &Countdown::tick, this, &VendingSessionContext::onTick);
    connect(&m_countdown, &Countdown::expired, this, &VendingSessionContext::sessionExpired);
    connect(m_credit, &SessionCredit::creditMoved, this, &VendingSessionContext::onCreditMoved);
}

VendingSessionContext::~VendingSessionContext()
{
    // The reader must not outlive the session it reports to.
    stopCreditPollingNow();
}

void VendingSessionContext::loadConfiguration(const Settings& settings)
{
    m_shortWait = settings.value(Settings::ShortWait);
    m_longWait = settings.value(Settings::LongWait);
}

void VendingSessionContext::beginVendingSession()
{
    if (m_powerControl)
        m_powerControl->setEnabled(false);
    m_open = true;
    m_notifications->notify(
        std::make_unique<VM24::VendingSessionInfo>(VM24::VendingSessionInfo::SessionBegin, 0, 0));
    m_countdown.start(m_shortWait);
    startCreditPolling();
}

void VendingSessionContext::endVendingSession()
{
    m_countdown.stop();
    m_notifications->notify(std::make_unique<VM24::VendingSessionInfo>(VM24::VendingSessionInfo::SessionEnd, 0, 0));
    m_open = false;
}

void VendingSessionContext::allowPowerOff()
{
    if (m_powerControl)
        m_powerControl->setEnabled(true);
}

void VendingSessionContext::startCreditPolling()
{
    if (m_polling)
        return;
    auto* thread = new QThread;
    auto* actor = new CreditReaderActor(m_credit, m_controller);
    actor->setMaxAcceptedCredit(Settings().value(Settings::MaxCredit));
    if (m_readerSettleMs >= 0)
        actor->setSettleTime(m_readerSettleMs);
    actor->moveToThread(thread);
    connect(thread, &QThread::started, actor, &CreditReaderActor::execute);
    connect(actor, &CreditReaderActor::suspended, this, &VendingSessionContext::creditPollingSuspended);
    // Direct: quit() is thread-safe, and stopCreditPollingNow() waits for it.
    connect(actor, &CreditReaderActor::stopped, thread, &QThread::quit, Qt::DirectConnection);
    connect(thread, &QThread::finished, actor, &QObject::deleteLater);
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    // Only this session's reader: the news of one stopped at the program's
    // end may come after the next has started.
    const int reader = ++m_reader;
    connect(actor, &QObject::destroyed, this, [this, reader] {
        if (reader == m_reader)
            onPollingStopped();
    });
    connectReader(actor);
    m_actorThread = thread;
    m_polling = true;
    qCDebug(vendingLog) << "credit reader starts";
    thread->start(QThread::InheritPriority);
}

void VendingSessionContext::onPollingStopped()
{
    if (!m_polling)
        return;
    releaseReader();
    ++m_reader;
    m_polling = false;
    qCDebug(vendingLog) << "credit reader stopped";
    emit creditPollingStopped();
}

void VendingSessionContext::connectReader(CreditReaderActor* actor)
{
    const struct
    {
        void (VendingSessionContext::*request)();
        void (CreditReaderActor::*slot)();
    } requests[] = {
        {&VendingSessionContext::readerSuspendRequested, &CreditReaderActor::suspend},
        {&VendingSessionContext::readerResumeRequested, &CreditReaderActor::resume},
        {&VendingSessionContext::readerStopRequested, &CreditReaderActor::stop},
        {&VendingSessionContext::readerAcceptBanknotesRequested, &CreditReaderActor::acceptBanknotes},
        {&VendingSessionContext::readerRejectBanknotesRequested, &CreditReaderActor::rejectBanknotes},
    };
    for (const auto& each : requests)
        m_readerRequests.append(connect(this, each.request, actor, each.slot, Qt::QueuedConnection));
}

void VendingSessionContext::releaseReader()
{
    for (const QMetaObject::Connection& connection : std::as_const(m_readerRequests))
        disconnect(connection);
    m_readerRequests.clear();
}

void VendingSessionContext::stopCreditPollingNow()
{
    if (!m_polling)
        return;
    emit readerStopRequested();
    releaseReader();
    if (m_actorThread)
        m_actorThread->wait();
    // The thread deleted the reader as it finished; the queued news of it
    // may never be delivered now.
    onPollingStopped();
}

void VendingSessionContext::prepareToDispenseProduct()
{
    const QPair<int, int> amounts = m_credit->dispensingAmounts();
    m_notifications->notify(std::make_unique<VM24::VendingSessionInfo>(VM24::VendingSessionInfo::Dispensing,
                                                                       amounts.first, amounts.second));
    m_countdown.stop();
    emit readerSuspendRequested();
}

void VendingSessionContext::beginMultivend()
{
    m_countdown.start(m_longWait);
    emit readerResumeRequested();
}

void VendingSessionContext::refreshCountdown()
{
    emit readerAcceptBanknotesRequested();
    m_countdown.reset();
}

void VendingSessionContext::onCreditMoved()
{
    m_countdown.setStartValue(m_longWait);
    refreshCountdown();
}

void VendingSessionContext::onTick(int value)
{
    if (value == BANKNOTES_REFUSED_AT)
        emit readerRejectBanknotesRequested();
}

void VendingSessionContext::prepareToCloseSession()
{
    m_countdown.stop();
    emit readerStopRequested();
    releaseReader();
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
    m_controller->shortJobs()->start(task);
}
