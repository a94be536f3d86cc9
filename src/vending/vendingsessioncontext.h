#pragma once

#include "logging/notificationservice.h"
#include "settings/iconfigurable.h"
#include "settings/settings.h"
#include "vending/countdown.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>

class CreditReaderActor;
class PowerControl;
class QThread;
class Rk710Controller;
class SessionCredit;

// The life of a vending session, from the touch on the idle screen to its
// close: the inactivity countdown, the credit reader's thread (started,
// suspended while the motors run, resumed, stopped) and the delivery door's
// lock. The credit itself is SessionCredit's; closing the books is
// SessionCheckout's. Lives in the GUI thread.
class VendingSessionContext : public QObject, public IConfigurable
{
    Q_OBJECT

public:
    static const int DOOR_LOCK_DELAY_MS = 60000;

    VendingSessionContext(Rk710Controller* controller, SessionCredit* credit, PowerControl* powerControl,
                          VM24::NotificationService* notifications, QObject* parent = nullptr);
    ~VendingSessionContext() override;

    void loadConfiguration(const Settings& settings) override;

    void beginVendingSession();
    void startCreditPolling();
    // From beginVendingSession() until endVendingSession().
    bool isOpen() const { return m_open; }
    // From startCreditPolling() until the reader has stopped.
    bool isPolling() const { return m_polling; }

    void prepareToDispenseProduct();
    void openDoor();
    void beginMultivend();
    void refreshCountdown();
    // Stops the countdown and asks the reader to stop; creditPollingStopped()
    // follows.
    void prepareToCloseSession();
    // For the program's end: stops the reader and waits for its thread.
    void stopCreditPollingNow();
    // The session is closed: the end row.
    void endVendingSession();
    // The machine may power off again, once the closed session is booked.
    void allowPowerOff();

    Countdown* countdown() { return &m_countdown; }
    int shortWait() const { return m_shortWait; }
    int longWait() const { return m_longWait; }
    bool isDoorReleased() const { return m_doorLockTimer.isActive(); }
    // The reader's pause before its last read when it is suspended or
    // stopped; CreditReaderActor::SLEEP_SECONDS unless changed.
    void setReaderSettleTime(int ms) { m_readerSettleMs = ms; }

public slots:
    void onDoorLockTimeout();
    void onTick(int value);

signals:
    void creditPollingSuspended();
    void creditPollingStopped();
    void sessionExpired();
    // Requests to the running credit reader, queued to its thread.
    void readerSuspendRequested();
    void readerResumeRequested();
    void readerStopRequested();
    void readerAcceptBanknotesRequested();
    void readerRejectBanknotesRequested();

private:
    void onCreditMoved();
    void onPollingStopped();
    void connectReader(CreditReaderActor* actor);
    // Once the reader was asked to stop: it may be gone any moment after that.
    void releaseReader();
    void runBoardTask(const std::function<void()>& task);

    Rk710Controller* m_controller;
    SessionCredit* m_credit;
    PowerControl* m_powerControl;
    VM24::NotificationService* m_notifications;

    Countdown m_countdown;
    QTimer m_doorLockTimer;
    // The reader's connections while it takes requests.
    QList<QMetaObject::Connection> m_readerRequests;
    // Counts the readers started and stopped, to tell the news of the
    // running one from a former one's.
    int m_reader = 0;
    QPointer<QThread> m_actorThread;
    bool m_polling = false;
    bool m_open = false;

    int m_shortWait = Settings::defaultValue(Settings::ShortWait);
    int m_longWait = Settings::defaultValue(Settings::LongWait);
    int m_readerSettleMs = -1;
};
