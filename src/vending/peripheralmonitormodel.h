#pragma once

#include "board/creditpacket.h"
#include "vending/hardwaretestreport.h"
#include "vending/motordispensermonitor.h"

#include <QFuture>
#include <QList>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <QVector>

#include <array>
#include <functional>

class FanControl;
class MaintenanceBoardSession;
class Rk710Controller;

// The board as the peripheral monitor shows and drives it, without widgets.
// start() readies the board for tests (MaintenanceBoardSession), shows what
// the controller last reported and reads the credit once a second; stop()
// puts the machine back. The status, input and output words arrive decoded;
// the switches and the long board jobs run on the controller's queues and
// report back on the GUI thread. While a long job runs the credit is not
// read: the job waits on the board's other queue.
class PeripheralMonitorModel : public QObject
{
    Q_OBJECT
public:
    enum DispenserMode { TestMode = 0, EmptyMode = 1 };
    // What pressing a dispenser does: a motor in error is reset, else the
    // mode decides.
    enum DispenserJob { ResetMotor, MoveMotor, EmptyColumn };
    // The devices of the status word, in the order the page lists them.
    enum Device {
        BoardReset,
        CoinAcceptor,
        CoinChanger,
        BillValidator,
        Cashless,
        Pos,
        Printer,
        ChangeAvailable,
        ReceiptPaper,
        DEVICE_COUNT
    };
    // The sensors of the input word, in the order the page lists them.
    enum Sensor {
        FrontDoor,
        BackDoor,
        AlarmKey,
        ProductDoor,
        CardPresent,
        CardVerifierEnabled,
        ProductBarrier,
        MainsPower,
        InternalButton,
        SENSOR_COUNT
    };
    // The output switches, after the lights.
    enum Output { Battery = 0, DoorLock = 1, Ventilation = 2, Siren = 3, OUTPUT_COUNT = 4 };

    static const int CREDIT_PERIOD_MS = 1000;
    static const int DOOR_COOLDOWN_MS = 6000;
    static const int LIGHT_COUNT = 7;
    static const int HOPPER_COUNT = 2;
    static const int LIGHT_MASKS[LIGHT_COUNT];

    struct Status
    {
        int word = 0;
        std::array<bool, DEVICE_COUNT> devices{};
        std::array<bool, HOPPER_COUNT> hopperPresent{};
        std::array<bool, HOPPER_COUNT> hopperHoldsCoins{};
        // Whether the board has a controller for each motor.
        std::array<bool, MotorDispenserMonitor::MOTOR_COUNT> dispensers{};
    };
    struct Inputs
    {
        std::array<bool, SENSOR_COUNT> sensors{};
        int batteryCharge = 0;
        int temperature = 0;
    };
    // The door lock is not read back: its switch keeps what was asked.
    struct Outputs
    {
        std::array<bool, LIGHT_COUNT> lights{};
        bool battery = false;
        bool ventilation = false;
        bool siren = false;
    };

    static Status decodeStatus(int word);
    static Inputs decodeInputs(int word);
    static Outputs decodeOutputs(int word);

    PeripheralMonitorModel(Rk710Controller* controller, MotorDispenserMonitor* motors, FanControl* fanControl,
                           QObject* parent = nullptr);

    void start();
    // The future's result: whether the board took every request.
    QFuture<bool> stop();

    bool isRunning() const { return m_running; }
    // A long job runs: no other is started.
    bool isBusy() const { return m_busy; }
    int boardStatus() const;
    const CreditPacket& credit() const { return m_credit; }
    DispenserMode dispenserMode() const { return m_mode; }
    void setDispenserMode(DispenserMode mode);
    bool isDoorLockAvailable() const { return !m_doorCooldown.isActive(); }

    void switchLight(int light, bool on);
    void switchOutput(Output output, bool on);

    // The long jobs; each future ends once the model has taken the result.
    DispenserJob dispenserJob(int motor) const;
    // True when the motor did its job; a board that does not answer ran
    // none, and the motor's state stays.
    QFuture<bool> runDispenser(int motor);
    // The coins paid out of hopper (0 or 1), -1 when not known.
    QFuture<int> emptyHopper(int hopper);
    QFuture<bool> printTestReceipt();
    QFuture<bool> printTestReport(const QList<HardwareTestReport::Test>& tests);
    // A read that gave nothing leaves the versions as they were.
    QFuture<void> refreshVersions();

signals:
    void started();
    void statusChanged(const PeripheralMonitorModel::Status& status);
    void inputsChanged(const PeripheralMonitorModel::Inputs& inputs);
    void outputsChanged(const PeripheralMonitorModel::Outputs& outputs);
    void motorChanged(int motor, const MotorDispenserMonitor::MotorState& state);
    void creditChanged(const CreditPacket& credit);
    // Coin values in cents; -1 when not read.
    void hopperValuesChanged(int hopper1, int hopper2);
    // One entry per Devices::Index, empty when the board gave none.
    void versionsChanged(const QStringList& versions);
    void dispenserModeChanged(PeripheralMonitorModel::DispenserMode mode);
    void doorLockAvailable(bool available);
    void dispenserTested(int motor);

private:
    void connectBoard();
    void disconnectBoard();
    void showStatus(qint32 status);
    void showInputs(qint32 inputs);
    void showOutputs(qint32 outputs);
    void requestCredit();
    void onCreditRead(const CreditPacket& credit);
    void runSwitch(const std::function<void(Rk710Controller*)>& request);
    void pauseCreditReads(bool pause);
    void onDispenserDone(int motor, bool ok);

    Rk710Controller* m_controller;
    MotorDispenserMonitor* m_motors;
    MaintenanceBoardSession* m_board;
    QTimer m_creditTimer;
    QTimer m_doorCooldown;
    CreditPacket m_credit;
    DispenserMode m_mode = TestMode;
    bool m_running = false;
    bool m_busy = false;
    QList<QMetaObject::Connection> m_boardConnections;
};
