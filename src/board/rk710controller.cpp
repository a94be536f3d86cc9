#include "board/rk710controller.h"

#include "board/boardstatereader.h"
#include "board/outputmask.h"
#include "board/receipthelper.h"
#include "core/vm24.h"

#include <QtEndian>

#include <functional>
#include <utility>

namespace {

const char* const WATCHDOG_VARIABLE = "RK710_ENABLE_WATCHDOG";
const int FAILED_STATUS = Rk710SerialProtocol::Failed;
const int RESULT_BYTES = 3;
const int REMAINDER_ANSWER_LENGTH = 4;
const int LEFT_RUNNING_POLL_MS = 200;

bool watchdogEnabled()
{
    return VM24::get_env_bool(WATCHDOG_VARIABLE, true);
}

// Stores a word read from the board; true when it is to be announced: it
// changed, or it was cached by the start-up exchange and not announced yet.
template <typename T>
bool store_word(std::atomic<T>& cache, std::atomic<bool>& unannounced, T value)
{
    const bool changed = cache.exchange(value) != value;
    const bool pending = unannounced.exchange(false);
    return changed || pending;
}

} // namespace

Rk710Controller::ResourceLocker::ResourceLocker(Rk710Controller* controller)
    : m_controller(controller)
{
    m_controller->m_mutex.lock();
}

Rk710Controller::ResourceLocker::~ResourceLocker()
{
    const bool lost = m_controller->errorLimitReached() && m_controller->changeAlive(false);
    m_controller->m_mutex.unlock();
    if (lost) {
        emit m_controller->boardStatus(false);
        m_controller->scheduleRecovery();
    }
}

Rk710Controller::Rk710Controller(QObject* parent)
    : QObject(parent)
    , m_reader(new BoardStateReader(this, this))
{
    m_taskPool.setMaxThreadCount(1);
    m_taskPool.setExpiryTimeout(-1);
    m_longTaskPool.setMaxThreadCount(1);
    m_recoveryTimer.setInterval(RECOVERY_PERIOD_MS);
    connect(&m_recoveryTimer, &QTimer::timeout, this, &Rk710Controller::onRecoveryTimer);
    connect(this, &Rk710Controller::recoveryScheduled, &m_recoveryTimer, qOverload<>(&QTimer::start),
            Qt::QueuedConnection);
}

// A recovery attempt runs on the long-task queue and may start the reader:
// it is given up and waited for before the reader is stopped.
Rk710Controller::~Rk710Controller()
{
    stopRecovery();
    m_longTaskPool.waitForDone();
    m_reader->stop();
    m_reader->wait();
    delete m_reader;
    m_taskPool.waitForDone();
    m_longTaskPool.waitForDone();
    QMutexLocker locker(&m_mutex);
    m_protocol.close();
}

bool Rk710Controller::open(const char* device)
{
    QMutexLocker locker(&m_mutex);
    return m_protocol.open(device);
}

void Rk710Controller::setRetryPolicy(int timeoutMs, int attempts)
{
    QMutexLocker locker(&m_mutex);
    m_protocol.protocol().setTimeout(timeoutMs);
    m_protocol.protocol().setMaxRetransmissions(attempts);
}

bool Rk710Controller::errorLimitReached() const
{
    return m_protocol.errors() >= m_maxErrors;
}

bool Rk710Controller::changeAlive(bool alive)
{
    if (m_alive == alive)
        return false;
    m_alive = alive;
    if (alive)
        m_reader->resume();
    else
        m_reader->suspend();
    return true;
}

void Rk710Controller::setRecoveryPeriod(int ms)
{
    m_recoveryTimer.setInterval(ms);
}

void Rk710Controller::stopRecovery()
{
    m_closing = true;
    m_recoveryTimer.stop();
}

void Rk710Controller::initialize(const std::atomic<bool>* cancel)
{
    startUp(cancel);
}

bool Rk710Controller::startUp(const std::atomic<bool>* cancel)
{
    bool alive = false;
    {
        ResourceLocker locker(this);
        if (!m_protocol.isOpen() || m_alive)
            return false;
        m_protocol.protocol().setCancellation(cancel);
        const bool answered = runStartupExchange(cancel);
        m_protocol.protocol().setCancellation(nullptr);
        if (answered) {
            m_reader->start();
            alive = changeAlive(true);
        }
    }
    if (alive)
        emit boardStatus(true);
    else
        scheduleRecovery();
    return alive;
}

void Rk710Controller::scheduleRecovery()
{
    emit recoveryScheduled();
}

void Rk710Controller::onRecoveryTimer()
{
    if (m_alive || m_closing) {
        m_recoveryTimer.stop();
        return;
    }
    if (m_recoveryQueued.exchange(true))
        return;
    m_longTaskPool.start([this] {
        startUp(&m_closing);
        m_recoveryQueued = false;
    });
}

// Runs the start-up steps in order. A board that stops answering midway is
// given up at once instead of being tried step after step.
bool Rk710Controller::runStartupExchange(const std::atomic<bool>* cancel)
{
    const int localSerial = m_localSerial;
    const bool watchdog = watchdogEnabled();
    const std::function<void()> steps[] = {
        [&] {
            int boardSerial = 0;
            const bool ok = m_protocol.exchangeFirmwareVersions(VmcType::Pharmacy, 1, localSerial, watchdog, false,
                                                                m_version1, m_version2, boardSerial);
            if (ok && boardSerial > 0) {
                m_localSerial = boardSerial;
                emit serialReported(boardSerial);
            } else if (localSerial > 0 && !errorLimitReached()) {
                m_protocol.exchangeFirmwareVersions(VmcType::Pharmacy, 1, localSerial, watchdog, true, m_version1,
                                                    m_version2, boardSerial);
            }
        },
        [&] { m_protocol.setOutput(true, OutputMask::RestingOn); },
        [&] { m_protocol.setOutput(false, OutputMask::RestingOff); },
        [&] { m_protocol.setDoorStatus(false); },
        [&] { storeStartupWord(m_inputs, m_inputsUnannounced, m_protocol.readInput()); },
        [&] { storeStartupWord(m_boardStatus, m_boardStatusUnannounced, m_protocol.readBoardStatus()); },
        [&] {
            storeStartupWord(m_productPresence, m_productPresenceUnannounced, m_protocol.readProductPresenceMask());
        },
        // Not cleared here: start-up books it first (book_initial_credit).
        [&] { m_initialCredit = m_protocol.getCredit(); },
        [&] {
            m_protocol.setItemValue(Rk710SerialProtocol::Hopper1, m_hopperValues[0]);
        },
        [&] {
            m_protocol.setItemValue(Rk710SerialProtocol::Hopper2, m_hopperValues[1]);
        },
    };
    for (const std::function<void()>& step : steps) {
        step();
        if (errorLimitReached() || (cancel && *cancel))
            return false;
    }
    return true;
}

// The words are cached at once, so that whatever is built on the controller
// right after the start-up exchange starts from the board's real state instead
// of zeros; the reader's first cycle still announces them.
template <typename T>
void Rk710Controller::storeStartupWord(std::atomic<T>& cache, std::atomic<bool>& unannounced, T value)
{
    unannounced = true;
    if (value != -1)
        cache = value;
}

void Rk710Controller::setLocalSerial(int serial)
{
    m_localSerial = serial;
}

void Rk710Controller::setHopperValue(Rk710SerialProtocol::Item hopper, int cents)
{
    m_hopperValues[hopper == Rk710SerialProtocol::Hopper1 ? 0 : 1] = cents;
}

CreditPacket Rk710Controller::getInitialCredit()
{
    QMutexLocker locker(&m_mutex);
    const CreditPacket credit = m_initialCredit;
    m_initialCredit = CreditPacket::failed();
    return credit;
}

void Rk710Controller::waitForQueuedTasks()
{
    m_taskPool.waitForDone();
}

template <typename Result, typename Call, typename... Args>
Result Rk710Controller::locked(Result refused, Call call, Args&&... args)
{
    ResourceLocker locker(this);
    if (!m_alive)
        return refused;
    return std::invoke(call, m_protocol, std::forward<Args>(args)...);
}

bool Rk710Controller::clear()
{
    return locked(false, &Rk710SerialProtocol::clear);
}

bool Rk710Controller::setCreditEnable(bool billValidator, bool coinAcceptor, bool pos, bool cashless)
{
    return locked(false, &Rk710SerialProtocol::setCreditEnable, billValidator, coinAcceptor, pos, cashless);
}

bool Rk710Controller::setBlinkingLights(char pattern)
{
    return locked(false, &Rk710SerialProtocol::setBlinkingLights, pattern);
}

QDateTime Rk710Controller::exchangeDateTime(const QDateTime& dateTime)
{
    return locked(QDateTime(), &Rk710SerialProtocol::exchangeDateTime, dateTime);
}

bool Rk710Controller::setItemValue(Rk710SerialProtocol::Item item, int value)
{
    return locked(false, &Rk710SerialProtocol::setItemValue, item, value);
}

int Rk710Controller::getItemValue(Rk710SerialProtocol::Item item)
{
    return locked(-1, &Rk710SerialProtocol::getItemValue, item);
}

bool Rk710Controller::powerControl(bool on)
{
    return locked(false, &Rk710SerialProtocol::powerControl, on);
}

bool Rk710Controller::setDoorStatus(bool open)
{
    return locked(false, &Rk710SerialProtocol::setDoorStatus, open);
}

bool Rk710Controller::setBanknoteAcceptance(bool accept)
{
    return locked(false, &Rk710SerialProtocol::setBanknoteAcceptance, accept);
}

bool Rk710Controller::setPwmOutput(char a, char b, char c, char d)
{
    return locked(false, &Rk710SerialProtocol::setPwmOutput, a, b, c, d);
}

bool Rk710Controller::exchangeFirmwareVersions(VmcType::Value type, char a, int serial, bool watchdog,
                                               bool assignSerial, quint8& version1, quint8& version2,
                                               int& boardSerial)
{
    return locked(false, &Rk710SerialProtocol::exchangeFirmwareVersions, type, a, serial, watchdog, assignSerial,
                  version1, version2, boardSerial);
}

QByteArray Rk710Controller::getVersionString(Devices::Index device)
{
    return locked(QByteArray(), &Rk710SerialProtocol::getVersionString, device);
}

AccountingCounters Rk710Controller::getCounters(Rk710SerialProtocol::CounterFrequency frequency)
{
    return locked(AccountingCounters(), &Rk710SerialProtocol::getCounters, frequency);
}

bool Rk710Controller::resetCounters(Rk710SerialProtocol::CounterFrequency frequency)
{
    return locked(false, &Rk710SerialProtocol::resetCounters, frequency);
}

bool Rk710Controller::testProductPresence(int position)
{
    return locked(false, &Rk710SerialProtocol::testProductPresence, position);
}

CreditPacket Rk710Controller::getCredit()
{
    return locked(CreditPacket::failed(), &Rk710SerialProtocol::getCredit);
}

bool Rk710Controller::printString(const QByteArray& text, LineFormat::Format format)
{
    return locked(false, &Rk710SerialProtocol::printString, text, format);
}

bool Rk710Controller::printReceipt(const ReceiptHelper& receipt)
{
    return locked(false, &Rk710SerialProtocol::printReceipt, receipt);
}

// The cached words are announced after the lock is released; the signal
// carries the cache as it is then, so that announcements from two threads
// cannot leave receivers with an older word than the cache.
template <typename T>
T Rk710Controller::readWord(T (Rk710SerialProtocol::*read)(), std::atomic<T>& cache, std::atomic<bool>& unannounced,
                            void (Rk710Controller::*announce)(T))
{
    bool changed = false;
    const T value = locked(T(-1), [&](Rk710SerialProtocol& p) {
        const T word = (p.*read)();
        changed = word != -1 && store_word(cache, unannounced, word);
        return word;
    });
    if (changed)
        emit(this->*announce)(cache);
    return value;
}

int Rk710Controller::readInput()
{
    return readWord(&Rk710SerialProtocol::readInput, m_inputs, m_inputsUnannounced, &Rk710Controller::inputChanged);
}

int Rk710Controller::readBoardStatus()
{
    return readWord(&Rk710SerialProtocol::readBoardStatus, m_boardStatus, m_boardStatusUnannounced,
                    &Rk710Controller::deviceStatusChanged);
}

qint64 Rk710Controller::readProductPresenceMask()
{
    return readWord(&Rk710SerialProtocol::readProductPresenceMask, m_productPresence, m_productPresenceUnannounced,
                    &Rk710Controller::productPresenceChanged);
}

bool Rk710Controller::setOutput(bool on, int mask)
{
    bool changed = false;
    const bool ok = locked(false, [&](Rk710SerialProtocol& p) {
        if (!p.setOutput(on, mask))
            return false;
        const int before = m_actuators;
        const int after = on ? (before | mask) : (before & ~mask);
        m_actuators = after;
        changed = after != before;
        return true;
    });
    if (changed)
        emit actuatorsChanged(m_actuators);
    return ok;
}

template <typename Call>
bool Rk710Controller::startLongCommand(Call call)
{
    return locked(false, [&](Rk710SerialProtocol& p) {
        if (m_busy)
            return false;
        // Only a refusal proves that nothing started; a start whose answer
        // was lost may be running on the board.
        if (!call(p) && p.lastRequestRefused())
            return false;
        m_busy = true;
        return true;
    });
}

bool Rk710Controller::sendMoveMotorCommand(Motor motor)
{
    return startLongCommand([&](Rk710SerialProtocol& p) { return p.sendMoveMotorCommand(motor); });
}

bool Rk710Controller::sendResetMotorCommand(Motor motor)
{
    return startLongCommand([&](Rk710SerialProtocol& p) { return p.sendResetMotorCommand(motor); });
}

bool Rk710Controller::sendDispenseItemsCommand(Rk710SerialProtocol::Item item, quint8 count)
{
    return startLongCommand([&](Rk710SerialProtocol& p) { return p.sendDispenseItemsCommand(item, count); });
}

bool Rk710Controller::giveChange(int amount)
{
    return startLongCommand([&](Rk710SerialProtocol& p) { return p.giveChange(amount); });
}

bool Rk710Controller::refundCashless(int amount)
{
    return startLongCommand([&](Rk710SerialProtocol& p) { return p.refundCashless(amount); });
}

bool Rk710Controller::withdrawCashless(int amount, CashlessType::Value type)
{
    return startLongCommand([&](Rk710SerialProtocol& p) { return p.withdrawCashless(amount, type); });
}

// A poll the board refused with a NAK changed nothing on the board. One whose
// answer went missing (at some attempt) may have carried the end of the
// operation, which the board reports only once. One that was not sent
// because the board is lost leaves the outcome unknown.
int Rk710Controller::pollStatus(quint8* reply, int& length, PollAnswer* answer)
{
    ResourceLocker locker(this);
    *answer = PollAnswer::Answered;
    if (!m_alive || !m_busy || !reply || length < 2) {
        m_busy = false;
        if (!m_alive)
            *answer = PollAnswer::BoardLost;
        return FAILED_STATUS;
    }
    const int status = m_protocol.pollLongCommandStatus(reply, length);
    if (m_protocol.errors() != 0) {
        *answer = m_protocol.lastRequestRefused() ? PollAnswer::Refused : PollAnswer::Lost;
        return FAILED_STATUS;
    }
    if (m_protocol.lastRequestLostAnAnswer())
        *answer = PollAnswer::AnsweredAfterLoss;
    if (status != Rk710SerialProtocol::Running)
        m_busy = false;
    return status;
}

int Rk710Controller::awaitOperationLeftRunning(quint8* reply, int& length)
{
    m_busy = true;
    return awaitForReply(reply, length, LEFT_RUNNING_POLL_MS).value;
}

int Rk710Controller::pollLongCommandStatus(quint8* reply, int& length)
{
    PollAnswer answer = PollAnswer::Answered;
    return pollStatus(reply, length, &answer);
}

// The board reports an operation's end once and answers "nothing running"
// from then on: after a poll whose answer was lost, "nothing running" may
// mean that the lost answer carried the end. A start whose answer was lost
// and that the board never executed also ends here with "nothing running",
// as a failure: no poll answer was lost on the way.
BoardResult<int> Rk710Controller::awaitForReply(quint8* reply, int& length, int periodMs)
{
    const int capacity = length;
    bool endMayBeLost = false;
    int failedInARow = 0;
    for (;;) {
        VM24::thread_msleep(periodMs / m_pollSpeedup);
        length = capacity;
        PollAnswer answer = PollAnswer::Answered;
        const int status = pollStatus(reply, length, &answer);
        if (answer == PollAnswer::BoardLost)
            break;
        if (answer == PollAnswer::Lost || answer == PollAnswer::AnsweredAfterLoss)
            endMayBeLost = true;
        if (answer == PollAnswer::Lost || answer == PollAnswer::Refused) {
            if (++failedInARow >= MAX_UNANSWERED_POLLS)
                break;
            continue;
        }
        failedInARow = 0;
        if (status == Rk710SerialProtocol::Running) {
            endMayBeLost = false;
            continue;
        }
        if (status == FAILED_STATUS && endMayBeLost)
            break;
        return {status};
    }
    {
        QMutexLocker locker(&m_mutex);
        m_busy = false;
    }
    return {FAILED_STATUS, false};
}

BoardResult<bool> Rk710Controller::awaitMotorCycle(int periodMs)
{
    quint8 reply[Rk710SerialProtocol::LONG_COMMAND_REPLY_SIZE] = {};
    int length = sizeof reply;
    const BoardResult<int> end = awaitForReply(reply, length, periodMs);
    if (!end.confirmed)
        return {true, false};
    return {end.value == Rk710SerialProtocol::Finished && length >= RESULT_BYTES && reply[2] != 0};
}

BoardResult<int> Rk710Controller::awaitRemainder(int amount, int periodMs)
{
    quint8 reply[Rk710SerialProtocol::LONG_COMMAND_REPLY_SIZE] = {};
    int length = sizeof reply;
    const BoardResult<int> end = awaitForReply(reply, length, periodMs);
    if (!end.confirmed)
        return {0, false};
    const bool ended
        = end.value == Rk710SerialProtocol::Finished || end.value == Rk710SerialProtocol::FinishedWithRemainder;
    if (!ended || length != REMAINDER_ANSWER_LENGTH)
        return {amount};
    return {qFromBigEndian<quint16>(reply + 2)};
}

BoardResult<bool> Rk710Controller::deliverProduct(Motor motor)
{
    if (!sendMoveMotorCommand(motor))
        return {false};
    return awaitMotorCycle(MOTOR_POLL_MS);
}

BoardResult<bool> Rk710Controller::resetMotor(Motor motor)
{
    if (!sendResetMotorCommand(motor))
        return {false};
    return awaitMotorCycle(MOTOR_POLL_MS);
}

BoardResult<int> Rk710Controller::dispenseItems(Rk710SerialProtocol::Item item, quint8 count)
{
    if (!sendDispenseItemsCommand(item, count))
        return {-1};
    quint8 reply[Rk710SerialProtocol::LONG_COMMAND_REPLY_SIZE] = {};
    int length = sizeof reply;
    const BoardResult<int> end = awaitForReply(reply, length, DISPENSE_POLL_MS);
    if (!end.confirmed)
        return {count, false};
    if (end.value != Rk710SerialProtocol::Finished || length < RESULT_BYTES)
        return {-1};
    return {reply[2]};
}

BoardResult<int> Rk710Controller::returnChange(int amount)
{
    if (!giveChange(amount))
        return {amount};
    return awaitRemainder(amount, CHANGE_POLL_MS);
}

BoardResult<int> Rk710Controller::rechargeCashless(int amount)
{
    if (!refundCashless(amount))
        return {amount};
    return awaitRemainder(amount, CASHLESS_POLL_MS);
}

BoardResult<bool> Rk710Controller::authoriseCashless(int amount, CashlessType::Value type)
{
    if (!withdrawCashless(amount, type))
        return {false};
    return awaitMotorCycle(type == CashlessType::Standard ? CASHLESS_POLL_MS : REMOTE_CASHLESS_POLL_MS);
}

namespace VM24 {

QDateTime read_rk710_date_time(Rk710Controller* controller)
{
    return controller ? controller->exchangeDateTime(QDateTime()) : QDateTime();
}

bool save_local_time(Rk710Controller* controller, const QDateTime& dateTime)
{
    return controller && dateTime.isValid() && controller->exchangeDateTime(dateTime).isValid();
}

bool save_local_serial_number(Rk710Controller* controller, int serial)
{
    if (!controller)
        return false;
    quint8 version1 = 0;
    quint8 version2 = 0;
    int boardSerial = 0;
    return controller->exchangeFirmwareVersions(VmcType::Pharmacy, 1, serial, watchdogEnabled(), true, version1,
                                                version2, boardSerial);
}

bool print_recepit_task(Rk710Controller* controller, const ReceiptHelper& receipt)
{
    return controller && controller->printReceipt(receipt);
}

BoardResult<int> return_change_task(Rk710Controller* controller, int amount)
{
    if (!controller)
        return {amount};
    return controller->returnChange(amount);
}

} // namespace VM24
