#pragma once

#include "boardcounters.h"
#include "coinmechanism.h"
#include "receiptprinter.h"

#include <QDateTime>
#include <QJsonObject>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include <functional>

namespace rk710sim {

// The whole machine behind the board: money devices, card, POS, columns and
// motors, doors and sensors, printer, outputs, clock and counters. Physical
// actions (a coin inserted, a door opened) come from the control channel;
// host requests come decoded from BoardCommands. Long operations (motor
// cycles, pay-outs, card charges) take time on a timer and are then waiting
// for the host to collect their result.
class Machine : public QObject
{
    Q_OBJECT

public:
    static const int COLUMNS = 18;
    static const int DEVICE_VERSIONS = 28;
    static constexpr int MAX_WORD = 0xFFFF;

    enum Door { FrontDoor, BackDoor, ProductDoor };
    enum Jam { NoJam, SoftJam, HardJam };

    // Bits of the host's credit enable request.
    enum Enable { EnableBillValidator = 1, EnableCoinAcceptor = 2, EnablePos = 4, EnableCashless = 8 };

    struct Outcome
    {
        bool ok = true;
        QString message;
        static Outcome success(const QString& message = QString()) { return Outcome{true, message}; }
        static Outcome failure(const QString& message) { return Outcome{false, message}; }
    };

    struct Timings
    {
        int motorMs = 1200;     // one delivery cycle
        int jamMs = 4000;       // a jammed motor gives up after this
        int resetMs = 800;      // motor reset
        int coinMs = 100;       // per coin paid out
        int payoutMs = 300;     // start of any pay-out
        int cashlessMs = 400;   // card charge or recharge
        int posMs = 2500;       // payment terminal authorisation
        int receiptIdleMs = 1000;
        int watchdogMs = 60000; // host silence before the watchdog fires
        int buttonMs = 1500;    // a press of the internal button
        int retransmitMs = 3000; // a repeated frame after this is a new request
    };

    struct Credit
    {
        int bill = 0;
        int coins = 0;
        int pos = 0;
        int cashless = 0;
        int coinBox = 0;
        int cardId = -1;
    };

    struct Column
    {
        int stock = 0;
        Jam jam = NoJam;
    };

    explicit Machine(QObject* parent = nullptr);

    // ---- what a person or a test does to the machine
    Outcome insertCoin(int cents);
    Outcome insertBanknote(int cents);
    Outcome presentCard(int balance, int cardId);
    Outcome removeCard();
    Outcome payByPos(int amount);
    Outcome setDoorOpen(Door door, bool open);
    // Products waiting behind the delivery door (they interrupt the barrier).
    Outcome setTray(int products);
    void setKeyInserted(bool inserted) { m_keyInserted = inserted; }
    void setMainsPresent(bool present) { m_mains = present; }
    void pressButton(int ms);
    void setButtonDown(bool down);
    Outcome setTemperature(int celsius);
    Outcome setBattery(int charge);
    Outcome setColumnStock(int column, int stock);
    Outcome setColumnJam(int column, Jam jam);
    Outcome setHopperCoins(int hopper, int coins);
    // Adds coins to a hopper (1 or 2), or fills it up when coins is negative.
    Outcome fillHopper(int hopper, int coins);
    Outcome setTubeCoins(int value, int coins);
    void emptyTubes() { m_coins.emptyTubes(); }
    void setPaperLines(int lines) { m_printer.setPaperLines(lines); }
    Outcome setDevicePresent(const QString& name, bool present);
    void setReceiptLog(const QString& path) { m_printer.setLogPath(path); }
    Timings& timings() { return m_timings; }
    // Names of the timings as the state and the control channel spell them.
    static const QList<QPair<const char*, int Timings::*>>& timingFields();
    // The board restarts: operations abort, outputs and enables drop, the
    // reset flag rises; credit, counters, clock and settings survive.
    void resetBoard();

    // ---- what the host asks for
    void hostActivity();
    Credit credit() const;
    void clearCredit();
    void setCreditEnables(int bits) { m_enables = bits & 0x0F; }
    void setBanknoteAcceptance(bool on) { m_banknotesAccepted = on; }
    void setBlinkPattern(int pattern) { m_blinkPattern = pattern; }
    QDateTime boardTime() const;
    void setBoardTime(const QDateTime& time);
    bool setItemValue(int item, int cents);
    int itemValue(int item) const;
    quint32 inputWord() const;
    quint32 statusWord() const;
    quint64 presenceMask() const;
    void powerControl(int mode);
    void setDoorLockReleased(bool released) { m_lockReleased = released; }
    void setOutputs(bool on, int mask);
    void setPwm(const QList<int>& values) { m_pwm = values; }
    struct VersionAnswer
    {
        int version1;
        int version2;
        qint32 serial;
    };
    VersionAnswer exchangeVersions(int type, int a, qint32 serial, bool watchdog, bool assignSerial);
    QList<int> counters(int period) const { return m_counters.values(period); }
    bool resetCounters(int period) { return m_counters.reset(period); }
    QByteArray versionString(int device) const;
    bool printLine(int format, const QByteArray& text);
    void endReceipt() { m_printer.endReceipt(); }
    QList<QStringList> lastReceipts(int count) const { return m_printer.lastReceipts(count); }

    // Long operations. Each start returns false when one is still running or
    // the request names nothing the board has.
    bool startMotorCycle(int motor);
    bool startMotorReset(int motor);
    bool startPayout(int amount);
    bool startCoinDispense(int item, int count);
    bool startCardCharge(int type, int amount);
    bool startCardRecharge(int amount);
    bool operationRunning() const { return m_operation.phase == Operation::Running; }
    // The status answer: byte 0 the operation's code, byte 1 its state
    // (0 running, 1 done, 2 done with a remainder, 3 failed or nothing to
    // report), then its result. A finished result is reported once.
    QByteArray pollOperation();

    QJsonObject toJson() const;
    // Applies what the object names and leaves the rest; error says which
    // entry was not understood.
    bool applyJson(const QJsonObject& json, QString* error);

    static QString deviceName(int versionIndex);

signals:
    void boardWasReset();
    void watchdogExpired();

private:
    struct Operation
    {
        enum Phase { Idle, Running, Finished };
        Phase phase = Idle;
        char code = 0;
        int resultLength = 1; // bytes after the state byte
        int status = 3;
        QByteArray result;
        std::function<void(Operation&)> finish;
    };

    bool deviceUsable(const QString& name) const;
    Outcome refuseMoney(int cents, const QString& why);
    bool startOperation(char code, int resultLength, int durationMs, std::function<void(Operation&)> finish);
    void finishOperation();
    static void setByteResult(Operation& op, bool success, int value);
    static void setRemainderResult(Operation& op, int remainder);
    void releaseButton();
    QJsonObject operationJson() const;
    QJsonArray columnsJson() const;
    bool applyColumns(const QJsonArray& columns, QString* error);

    Timings m_timings;
    CoinMechanism m_coins;
    BoardCounters m_counters;
    ReceiptPrinter m_printer;
    QMap<QString, bool> m_devices;

    // credit since the host last cleared it
    int m_bill = 0;
    int m_coinCredit = 0;
    int m_pos = 0;
    int m_coinBox = 0;
    int m_enables = 0;
    bool m_banknotesAccepted = false;

    bool m_cardPresent = false;
    int m_cardBalance = 0;
    int m_cardId = -1;
    int m_cardMaxBalance = 20000;

    Column m_columns[COLUMNS];
    int m_tray = 0;
    int m_delivered = 0;
    int m_collected = 0;

    bool m_doorOpen[3] = {false, false, false};
    bool m_lockReleased = false;
    bool m_keyInserted = false;
    bool m_mains = true;
    bool m_buttonDown = false;
    int m_temperature = 25;
    int m_battery = 100;
    QTimer m_buttonTimer;

    bool m_resetFlag = true;
    int m_outputs = 0;
    QList<int> m_pwm{0, 0, 0, 0};
    int m_blinkPattern = 0;
    qint64 m_clockOffsetMs = 0;
    qint32 m_serial = 0;
    int m_version1 = 1;
    int m_version2 = 27;
    QStringList m_versions;
    bool m_watchdogEnabled = false;
    int m_watchdogExpiries = 0;
    QTimer m_watchdogTimer;
    int m_shutdownRequests = 0;
    int m_emergencyRequests = 0;

    Operation m_operation;
    QTimer m_operationTimer;
    QTimer m_receiptTimer;
    qint64 m_refusedMoney = 0;
};

} // namespace rk710sim
