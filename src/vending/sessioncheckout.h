#pragma once

#include "board/boardresult.h"
#include "logging/notificationservice.h"
#include "logging/warningnotification.h"

#include <QDateTime>
#include <QFuture>
#include <QObject>

#include <functional>

class AccountingService;
class ChangeObserver;
class ReceiptHelper;
class Rk710Controller;
class SessionCredit;
class VendingSessionContext;

// The end of a vending session, whatever page shows: waits for the credit
// reader to stop, pays change, prints a credit note for what is left, then
// books the session into the ledger and the board's counters into
// "counters.xml". It runs in the GUI thread, the board's work on the pool,
// each step continuing the one before, and tells how far it got by signals;
// showing it is the pages' business.
class SessionCheckout : public QObject
{
    Q_OBJECT

public:
    SessionCheckout(Rk710Controller* controller, VendingSessionContext* session, SessionCredit* credit,
                    AccountingService* accounting, ChangeObserver* changeObserver,
                    VM24::NotificationService* notifications, QObject* parent = nullptr);

    // Change to pay now: none without change; all or nothing when greedy.
    int computeChange() const;
    bool greedyChange() const { return m_greedyChange; }
    void setGreedyChange(bool greedy) { m_greedyChange = greedy; }

    // Starts closing the open session and returns; finished() follows.
    void start();
    bool isRunning() const { return m_running; }
    // For the program's end, when no event loop runs: closes a session still
    // open, completing a checkout under way, before the books and the event
    // log go. The board's work runs in this thread, waited for.
    void finishNow();

    // The credit note for an amount the machine owes the customer.
    static ReceiptHelper creditNote(int amount, const QDateTime& time, const QStringList& header);

signals:
    void waitingForCreditReader();
    void payingChange(int amount);
    void printingCreditNote(int amount);
    // The credit note could not be printed; the warning an operator gets.
    void creditNoteFailed(const QString& warning);
    // The session is booked and closed.
    void finished();

private:
    // Runs task on the pool and done with its result back in this thread;
    // both here at once while finishing now.
    template <typename Result, typename Task, typename Done>
    void runStep(Task task, Done done);
    void continueStep();
    void payChange();
    void onChangePaid(int amount, const BoardResult<int>& result);
    void printCreditNote();
    void onCreditNotePrinted(int extra, bool printed);
    void closeSession();
    void endSession();
    void warn(const QString& message,
              VM24::WarningNotification::Audience audience = VM24::WarningNotification::EventLog);

    Rk710Controller* m_controller;
    VendingSessionContext* m_session;
    SessionCredit* m_credit;
    AccountingService* m_accounting;
    ChangeObserver* m_changeObserver;
    VM24::NotificationService* m_notifications;
    bool m_greedyChange = false;
    bool m_running = false;
    bool m_finishingNow = false;
    int m_step = 0;
    QFuture<void> m_stepInFlight;
    std::function<void()> m_continueStep;
    QMetaObject::Connection m_readerStopped;
};
