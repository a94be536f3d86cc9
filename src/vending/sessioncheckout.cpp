#include "vending/sessioncheckout.h"

#include "accounting/accountingservice.h"
#include "accounting/countersdocument.h"
#include "board/receipthelper.h"
#include "board/rk710controller.h"
#include "core/vm24.h"
#include "logging/notifications.h"
#include "settings/settings.h"
#include "vending/changeobserver.h"
#include "vending/sessioncredit.h"
#include "vending/vendinglog.h"
#include "vending/vendingsessioncontext.h"

#include <QCoreApplication>
#include <QtConcurrentRun>
#include <QtConcurrentRun>

#include <memory>
#include <utility>

namespace {

const char* const GREEDY_CHANGE_VARIABLE = "VM24_GREEDY_CHANGE";
const int CREDIT_NOTE_FEED_LINES = 12;

} // namespace

SessionCheckout::SessionCheckout(Rk710Controller* controller, VendingSessionContext* session, SessionCredit* credit,
                                 AccountingService* accounting, ChangeObserver* changeObserver,
                                 VM24::NotificationService* notifications, QObject* parent)
    : QObject(parent)
    , m_controller(controller)
    , m_session(session)
    , m_credit(credit)
    , m_accounting(accounting)
    , m_changeObserver(changeObserver)
    , m_notifications(notifications)
    , m_greedyChange(VM24::get_env_bool(GREEDY_CHANGE_VARIABLE, false))
{
}

int SessionCheckout::computeChange() const
{
    if (!m_changeObserver || !m_changeObserver->isAvailable())
        return 0;
    const int cash = m_credit->computeExtraCredit();
    const int max = m_changeObserver->maxChange();
    if (m_greedyChange)
        return cash <= max ? cash : 0;
    return qMin(cash, max);
}

void SessionCheckout::start()
{
    if (m_running)
        return;
    m_running = true;
    qCDebug(vendingLog) << "checkout starts";
    if (!m_session->isPolling()) {
        m_session->countdown()->stop();
        payChange();
        return;
    }
    emit waitingForCreditReader();
    m_readerStopped = connect(m_session, &VendingSessionContext::creditPollingStopped, this, [this] {
        disconnect(m_readerStopped);
        payChange();
    });
    m_session->prepareToCloseSession();
}

// Once the application is quitting no event loop runs: every step runs here
// in turn, and a step already on the pool is waited for and continued here.
void SessionCheckout::finishNow()
{
    if (!m_running && !m_session->isOpen())
        return;
    m_finishingNow = true;
    if (!m_running)
        start();
    // The reader's end, told at once, lets the checkout go on.
    if (m_session->isPolling())
        m_session->stopCreditPollingNow();
    while (m_running && m_continueStep) {
        m_stepInFlight.waitForFinished();
        ++m_step;
        continueStep();
    }
    m_finishingNow = false;
}

template <typename Result, typename Task, typename Done>
void SessionCheckout::runStep(Task task, Done done)
{
    if (m_finishingNow) {
        done(task());
        return;
    }
    const QFuture<Result> future = QtConcurrent::run(task);
    const int step = ++m_step;
    m_stepInFlight = QFuture<void>(future);
    m_continueStep = [done, future] { done(future.resultCount() ? future.result() : Result()); };
    // Stale once finishNow() has continued the step itself.
    QFuture<Result>(future).then(this, [this, step](QFuture<Result>) {
        if (step == m_step)
            continueStep();
    });
}

void SessionCheckout::continueStep()
{
    const std::function<void()> next = std::exchange(m_continueStep, nullptr);
    m_stepInFlight = QFuture<void>();
    if (next)
        next();
}

// A pay-out whose end the board could not confirm counts as paid: the coins
// may be in the tray, and a credit note for them would pay them twice. The
// warning tells an operator to check the hoppers against the books.
void SessionCheckout::payChange()
{
    const int amount = computeChange();
    if (amount < 1) {
        printCreditNote();
        return;
    }
    emit payingChange(amount);
    Rk710Controller* controller = m_controller;
    SessionCredit* credit = m_credit;
    credit->beginOperation(SessionJournal::ChangePayout, amount);
    // Booked as soon as the board answers, before anything else can happen.
    runStep<BoardResult<int>>(
        [controller, credit, amount] {
            const BoardResult<int> remainder = VM24::return_change_task(controller, amount);
            credit->notifyChangeDelivered(amount - qBound(0, remainder.value, amount));
            return remainder;
        },
        [this, amount](const BoardResult<int>& remainder) { onChangePaid(amount, remainder); });
}

void SessionCheckout::onChangePaid(int amount, const BoardResult<int>& result)
{
    const int remainder = result.value;
    const int paid = amount - qBound(0, remainder, amount);
    if (paid > 0)
        m_notifications->notify(std::make_unique<VM24::ChangeReturnedNotification>(paid));
    if (!result.confirmed) {
        warn(QCoreApplication::translate("ProductPage",
                 "Erogazione resto di euro %1 non confermata dalla scheda: registrata come erogata")
                 .arg(VM24::format_credit(amount)), VM24::WarningNotification::Owner);
    }
    if (remainder > 0) {
        warn(QCoreApplication::translate("ProductPage", "Impossibile erogare resto per euro %1")
                 .arg(VM24::format_credit(remainder)));
    }
    printCreditNote();
}

void SessionCheckout::printCreditNote()
{
    const int extra = m_credit->computeExtraCredit();
    if (extra < 1) {
        closeSession();
        return;
    }
    m_notifications->notify(std::make_unique<VM24::OverpayNotification>(extra));
    emit printingCreditNote(extra);
    Rk710Controller* controller = m_controller;
    const ReceiptHelper note = creditNote(extra, QDateTime::currentDateTime(), Settings().receiptRows());
    runStep<bool>(
        [controller, note] { return VM24::print_recepit_task(controller, note); },
        [this, extra](bool printed) { onCreditNotePrinted(extra, printed); });
}

void SessionCheckout::onCreditNotePrinted(int extra, bool printed)
{
    if (!printed) {
        const QString warning
            = QCoreApplication::translate("ProductPage", "Impossibile stampare scontrino per credito dovuto di %1")
                  .arg(VM24::format_money(extra));
        warn(warning);
        emit creditNoteFailed(warning);
    }
    closeSession();
}

// The board keeps the session's cash credit until it is booked: a crash
// before the booking leaves it for start-up to book, and one between the
// booking and the clearing leaves a note in the ledger that it is booked.
void SessionCheckout::closeSession()
{
    m_session->endVendingSession();
    const SessionBalance balance = m_credit->balance();
    m_accounting->bookClosedSession(balance, {true, balance.banknotes, balance.coins, balance.coinBox});
    const QString countersPath = VM24::get_path(QStringLiteral("counters.xml"));
    if (m_finishingNow)
        VM24::save_board_counters(m_controller, countersPath);
    else
        VM24::load_counters(m_controller, countersPath);
    Rk710Controller* controller = m_controller;
    runStep<bool>(
        [controller] { return controller->clear(); },
        [this](bool cleared) {
            if (cleared)
                m_accounting->forgetBoardCredit();
            endSession();
        });
}

void SessionCheckout::endSession()
{
    m_credit->clearCredit();
    m_session->allowPowerOff();
    m_running = false;
    qCDebug(vendingLog) << "checkout done";
    emit finished();
}

void SessionCheckout::warn(const QString& message, VM24::WarningNotification::Audience audience)
{
    m_notifications->notify(std::make_unique<VM24::WarningNotification>(message, audience));
}

ReceiptHelper SessionCheckout::creditNote(int amount, const QDateTime& time, const QStringList& header)
{
    ReceiptHelper note;
    ReceiptHelper::compileStandardReceiptHeader(note, header);
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
