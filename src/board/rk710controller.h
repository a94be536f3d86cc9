#pragma once

#include "board/accountingcounters.h"
#include "board/boardresult.h"
#include "board/creditpacket.h"
#include "board/devices.h"
#include "board/lineformat.h"
#include "board/motor.h"
#include "board/rk710serialprotocol.h"

#include <QByteArray>
#include <QDateTime>
#include <QMutex>
#include <QObject>
#include <QThreadPool>
#include <QTimer>

#include <atomic>

class BoardStateReader;
class ReceiptHelper;

// The one way into the controller board. Every request runs under one lock,
// so any thread may call; the board's inputs, status, product presence and
// outputs are cached and every change is announced with the whole new word.
// After three consecutive failed requests the board counts as lost: every
// operation then fails at once without touching the line and polling stops.
// While the board is not alive on an open line, the start-up exchange is
// tried again every RECOVERY_PERIOD_MS on the long-task queue; the board is
// alive again (boardStatus(true), polling resumes) only when it succeeds.
// Long operations (motors, change, cashless) are started and then polled
// until the board reports their end, without holding the lock in between.
class Rk710Controller : public QObject
{
    Q_OBJECT
public:
    // Holds the controller's lock; on release, declares the board lost when
    // the consecutive failures have reached the limit.
    class ResourceLocker
    {
    public:
        explicit ResourceLocker(Rk710Controller* controller);
        ~ResourceLocker();

    private:
        Rk710Controller* m_controller;
        bool m_lost = false;
        Q_DISABLE_COPY(ResourceLocker)
    };

    static const int MAX_ERRORS = 3;
    static const int MAX_UNANSWERED_POLLS = 3;
    static const int MOTOR_POLL_MS = 500;
    static const int DISPENSE_POLL_MS = 1000;
    static const int CHANGE_POLL_MS = 1000;
    static const int CASHLESS_POLL_MS = 250;
    static const int REMOTE_CASHLESS_POLL_MS = 5000;
    static const int RECOVERY_PERIOD_MS = 30000;
    // Differs from any plausible mask, so that the first read is announced.
    static const qint64 UNKNOWN_PRESENCE = qint64(quint64(1) << 63);

    explicit Rk710Controller(QObject* parent = nullptr);
    ~Rk710Controller() override;

    // Opens the line at 115200 baud.
    bool open(const char* device);
    // The start-up exchange: versions and serial number, outputs, door lock,
    // a first read of the board's state into the cache (announced by the
    // reader's first cycle), the credit left on the board, clear, hopper
    // values; then polling starts and the board is alive. Nothing happens on
    // a line that is not open. The exchange is given up within 100 ms once
    // *cancel is true (a stop asked for while the program starts).
    void initialize(const std::atomic<bool>* cancel = nullptr);
    // What the start-up exchange takes from the settings: the machine's
    // serial number and the coin value of each change hopper, in cents (0
    // for none). Set before initialize() and again whenever the settings
    // change; any thread.
    void setLocalSerial(int serial);
    void setHopperValue(Rk710SerialProtocol::Item hopper, int cents);
    // The credit found by initialize(); the failed packet from then on.
    CreditPacket getInitialCredit();

    // The program keeps the link's defaults (about 1 s per attempt, 5
    // attempts); tests shorten them.
    void setRetryPolicy(int timeoutMs, int attempts);
    // How often a board that is not alive is tried again; tests shorten it.
    void setRecoveryPeriod(int ms);
    // An accelerated run polls the operations of a sale (motor cycles,
    // change, cashless, the session's credit) that many times as often; 1
    // on the machine, and below 1 counts as 1.
    void setPollSpeedup(int factor) { m_pollSpeedup = qMax(1, factor); }
    int pollSpeedup() const { return m_pollSpeedup; }
    // No more attempts; one under way is given up within 100 ms. For the
    // program's end, so that the last requests do not wait behind one.
    void stopRecovery();

    bool isAlive() const { return m_alive; }
    bool isBusy() const { return m_busy; }
    quint8 version1() const { return m_version1; }
    quint8 version2() const { return m_version2; }

    // Cached state, filled by the start-up exchange and kept up to date by
    // the reader; never touches the line.
    int getInputs() const { return m_inputs; }
    int getBoardStatus() const { return m_boardStatus; }
    qint64 getProductPresence() const { return m_productPresence; }
    int getActuators() const { return m_actuators; }

    // Short board jobs, one at a time, and long ones on a queue of their own,
    // so that short jobs never wait behind a motor test: QThreadPool::start
    // for work without a result, QtConcurrent::run for work with one.
    QThreadPool* shortJobs() { return &m_taskPool; }
    QThreadPool* longJobs() { return &m_longTaskPool; }
    // Waits until the short jobs queued so far have run, so that a job queued
    // before the machine is switched off cannot switch something on again.
    void waitForQueuedTasks();

    bool clear();
    bool setCreditEnable(bool billValidator, bool coinAcceptor, bool pos, bool cashless);
    bool setBlinkingLights(char pattern);
    QDateTime exchangeDateTime(const QDateTime& dateTime);
    bool setItemValue(Rk710SerialProtocol::Item item, int value);
    int getItemValue(Rk710SerialProtocol::Item item);
    bool powerControl(bool on);
    bool setDoorStatus(bool open);
    bool setBanknoteAcceptance(bool accept);
    bool setPwmOutput(char a, char b, char c, char d);
    bool exchangeFirmwareVersions(VmcType::Value type, char a, int serial, bool watchdog, bool assignSerial,
                                  quint8& version1, quint8& version2, int& boardSerial);
    QByteArray getVersionString(Devices::Index device);
    AccountingCounters getCounters(Rk710SerialProtocol::CounterFrequency frequency);
    bool resetCounters(Rk710SerialProtocol::CounterFrequency frequency);
    bool testProductPresence(int position);
    CreditPacket getCredit();
    bool printString(const QByteArray& text, LineFormat::Format format);

    // These update the cache and announce a change.
    int readInput();
    int readBoardStatus();
    qint64 readProductPresenceMask();
    bool setOutput(bool on, int mask);

    // The whole receipt under one lock. True for an empty receipt.
    bool printReceipt(const ReceiptHelper& receipt);

    // Long commands: refused while another one runs or when the board
    // refuses them. A start whose answer was lost on the line counts as
    // started, as the board may be running it: the wait that follows finds
    // out (nothing running on the board means it never started).
    bool sendMoveMotorCommand(Motor motor);
    bool sendResetMotorCommand(Motor motor);
    bool sendDispenseItemsCommand(Rk710SerialProtocol::Item item, quint8 count);
    bool giveChange(int amount);
    bool refundCashless(int amount);
    bool withdrawCashless(int amount, CashlessType::Value type);

    // Start a long command and wait for its end. The result is unconfirmed
    // when the board's report of the end is lost for good: its answer lost on
    // the line, or the board lost while the operation runs.
    BoardResult<bool> deliverProduct(Motor motor);
    BoardResult<bool> resetMotor(Motor motor);
    // Coins paid out; -1 when refused or failed.
    BoardResult<int> dispenseItems(Rk710SerialProtocol::Item item, quint8 count);
    // The amount not paid out (the whole amount when refused or failed).
    BoardResult<int> returnChange(int amount);
    // The amount not credited (the whole amount when refused or failed).
    BoardResult<int> rechargeCashless(int amount);
    BoardResult<bool> authoriseCashless(int amount, CashlessType::Value type);

    // Asks for the end of the running long command; its status byte (3 when
    // none runs, when the board is lost or when the request failed; a failed
    // request leaves the command busy, as it may still be running).
    int pollLongCommandStatus(quint8* reply, int& length);
    // The end of a long operation that was running when the program before
    // this one stopped: the board reports it once, to the first poll, and
    // answers "nothing to report" (Failed) when it was reported already or
    // never started. reply[0] names the operation.
    int awaitOperationLeftRunning(quint8* reply, int& length);
    // Polls every periodMs, without holding the lock in between, until the
    // board reports the command's end, and gives its status byte. A poll
    // whose answer is lost does not end the wait. Status 3, unconfirmed, when
    // the end cannot be known: the board was lost, the end was reported in an
    // answer that was lost, or MAX_UNANSWERED_POLLS polls in a row were lost
    // or refused.
    BoardResult<int> awaitForReply(quint8* reply, int& length, int periodMs);

signals:
    void boardStatus(bool alive);
    void inputChanged(qint32 inputs);
    void deviceStatusChanged(qint32 status);
    void productPresenceChanged(qint64 mask);
    void actuatorsChanged(qint32 mask);
    // The board holds a serial number of its own and the machine takes it:
    // the settings keep it, the machine is named after it. Emitted on the
    // thread of the start-up exchange before it goes on.
    void serialReported(int serial);
    // From whichever thread lost the board, for the recovery timer's.
    void recoveryScheduled();

private:
    // One request under the lock: refused at once when the board is not
    // alive; the locker books its errors. call is a protocol member or takes
    // the protocol as its first argument.
    template <typename Result, typename Call, typename... Args>
    Result locked(Result refused, Call call, Args&&... args);
    // Reads one of the cached words and announces it when it changed.
    template <typename T>
    T readWord(T (Rk710SerialProtocol::*read)(), std::atomic<T>& cache, std::atomic<bool>& unannounced,
               void (Rk710Controller::*announce)(T));
    template <typename Call>
    bool startLongCommand(Call call);
    // What became of one status request besides its status byte.
    enum class PollAnswer { Answered, AnsweredAfterLoss, Refused, Lost, BoardLost };
    int pollStatus(quint8* reply, int& length, PollAnswer* answer);
    BoardResult<bool> awaitMotorCycle(int periodMs);
    BoardResult<int> awaitRemainder(int amount, int periodMs);
    // Changes the state under the lock and tells whether it changed; the
    // caller announces it once the lock is released.
    bool changeAlive(bool alive);
    // The start-up exchange under the lock; true when the board became alive.
    bool startUp(const std::atomic<bool>* cancel);
    bool runStartupExchange(const std::atomic<bool>* cancel);
    // Arms the recovery timer (from any thread).
    void scheduleRecovery();
    void onRecoveryTimer();
    template <typename T>
    void storeStartupWord(std::atomic<T>& cache, std::atomic<bool>& unannounced, T value);
    bool errorLimitReached() const;

    QMutex m_mutex;
    std::atomic<int> m_inputs{0};
    std::atomic<int> m_boardStatus{0};
    std::atomic<int> m_actuators{0};
    std::atomic<qint64> m_productPresence{UNKNOWN_PRESENCE};
    std::atomic<bool> m_inputsUnannounced{false};
    std::atomic<bool> m_boardStatusUnannounced{false};
    std::atomic<bool> m_productPresenceUnannounced{false};
    Rk710SerialProtocol m_protocol;
    BoardStateReader* m_reader;
    QThreadPool m_taskPool;
    QThreadPool m_longTaskPool;
    int m_maxErrors = MAX_ERRORS;
    std::atomic<int> m_pollSpeedup{1};
    CreditPacket m_initialCredit;
    quint8 m_version1 = 0;
    quint8 m_version2 = 0;
    std::atomic<int> m_localSerial{0};
    std::atomic<int> m_hopperValues[2] = {0, 0};
    std::atomic<bool> m_alive{false};
    std::atomic<bool> m_busy{false};
    // Set by stopRecovery(): a recovery attempt under way gives up.
    std::atomic<bool> m_closing{false};
    std::atomic<bool> m_recoveryQueued{false};
    QTimer m_recoveryTimer;
};

namespace VM24 {

// The board's clock; invalid when the board does not answer.
QDateTime read_rk710_date_time(Rk710Controller* controller);
// Sets the board's clock.
bool save_local_time(Rk710Controller* controller, const QDateTime& dateTime);
// Makes the board adopt the machine's serial number.
bool save_local_serial_number(Rk710Controller* controller, int serial);

// For the worker pool at the end of a purchase.
bool print_recepit_task(Rk710Controller* controller, const ReceiptHelper& receipt);
// The amount not paid out; the whole amount without a controller.
BoardResult<int> return_change_task(Rk710Controller* controller, int amount);

} // namespace VM24
