#pragma once

#include <QObject>
#include <QTimer>

class ICreditAccount;
class Rk710Controller;

// Reads the board's credit once a second for one vending session, in a
// thread of its own: hands every report to the session's credit, moves cash
// onto a cashless card when one is presented, and switches the money
// acceptors and their lights by how the customer pays and how much credit
// there is. The session reaches it only by queued calls.
class CreditReaderActor : public QObject
{
    Q_OBJECT

public:
    static const int POLL_INTERVAL_MS = 1000;
    static const int SLEEP_SECONDS = 2;
    static const int DEFAULT_MAX_ACCEPTED_CREDIT = 50000;

    CreditReaderActor(ICreditAccount* account, Rk710Controller* controller);

    void setMaxAcceptedCredit(int credit) { m_maxAcceptedCredit = credit; }
    int maxAcceptedCredit() const { return m_maxAcceptedCredit; }
    // The pause before the last read when suspending or stopping, for the
    // acceptors to hand in what they hold; SLEEP_SECONDS unless changed.
    void setSettleTime(int ms) { m_settleMs = ms; }

public slots:
    void execute();
    void readCredit();
    void suspend();
    void resume();
    void stop();
    void acceptBanknotes();
    void rejectBanknotes();

signals:
    void suspended();
    void stopped();

private:
    void getCreditAndNotify();
    void rechargeCashless();
    void goToSleep();
    void applyAcceptanceState();
    void disableMoneyAcceptance();

    ICreditAccount* m_account;
    Rk710Controller* m_controller;
    QTimer m_pollTimer;
    int m_method = 0;
    int m_maxAcceptedCredit = DEFAULT_MAX_ACCEPTED_CREDIT;
    int m_settleMs = SLEEP_SECONDS * 1000;
    bool m_billValidatorEnabled = false;
    bool m_coinAcceptorEnabled = false;
    bool m_limitReached = false;
    // Suspended or stopped: acceptance stays off whatever the countdown asks.
    bool m_asleep = false;
};
