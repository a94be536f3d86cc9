#include "vending/peripheralmonitormodel.h"

#include "board/boardstatus.h"
#include "board/inputmask.h"
#include "board/motor.h"
#include "board/outputmask.h"
#include "board/rk710controller.h"
#include "core/vm24.h"
#include "settings/settings.h"
#include "vending/maintenanceboardsession.h"
#include "vending/maintenancereceipts.h"
#include "vending/peripheraltests.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QtConcurrentRun>

const int PeripheralMonitorModel::LIGHT_MASKS[LIGHT_COUNT] = {
    OutputMask::PrinterLight, OutputMask::CashLight,     OutputMask::DrawerLights, OutputMask::PosLight,
    OutputMask::VerifierLight, OutputMask::ChangeLight, OutputMask::CashlessLight,
};

namespace {

const int FAN_POWER = 50;

const BoardStatus::Bitmask DEVICE_BITS[PeripheralMonitorModel::DEVICE_COUNT] = {
    BoardStatus::BoardReset, BoardStatus::CoinAcceptor, BoardStatus::CoinChanger,
    BoardStatus::BillValidator, BoardStatus::Cashless, BoardStatus::Pos,
    BoardStatus::Printer, BoardStatus::CanGiveChange, BoardStatus::OutOfPaper,
};

const InputMask::Bitmask SENSOR_BITS[PeripheralMonitorModel::SENSOR_COUNT] = {
    InputMask::FrontDoorClosed,   InputMask::BackDoorClosed,      InputMask::AlarmKey,
    InputMask::ProductDoorSensor, InputMask::CardPresent,         InputMask::CardVerifierEnabled,
    InputMask::ProductBarrier,    InputMask::MainsPower,          InputMask::InternalButton,
};

} // namespace

PeripheralMonitorModel::Status PeripheralMonitorModel::decodeStatus(int word)
{
    Status status;
    status.word = word;
    for (int device = 0; device < DEVICE_COUNT; ++device)
        status.devices[device] = word & DEVICE_BITS[device];
    // The board reports the paper's absence; the page shows its presence.
    status.devices[ReceiptPaper] = !status.devices[ReceiptPaper];
    status.hopperPresent = {word & BoardStatus::Hopper1, word & BoardStatus::Hopper2};
    status.hopperHoldsCoins = {word & BoardStatus::Hopper1Coins, word & BoardStatus::Hopper2Coins};
    for (int motor = 0; motor < MotorDispenserMonitor::MOTOR_COUNT; ++motor)
        status.dispensers[motor] = BoardStatus::is_controller_available(word, motor);
    return status;
}

PeripheralMonitorModel::Inputs PeripheralMonitorModel::decodeInputs(int word)
{
    Inputs inputs;
    for (int sensor = 0; sensor < SENSOR_COUNT; ++sensor)
        inputs.sensors[sensor] = word & SENSOR_BITS[sensor];
    inputs.batteryCharge = InputMask::battery_charge(word);
    inputs.temperature = InputMask::temperature(word);
    return inputs;
}

PeripheralMonitorModel::Outputs PeripheralMonitorModel::decodeOutputs(int word)
{
    Outputs outputs;
    for (int light = 0; light < LIGHT_COUNT; ++light)
        outputs.lights[light] = (word & LIGHT_MASKS[light]) == LIGHT_MASKS[light];
    outputs.battery = (word & OutputMask::Battery) != 0;
    outputs.ventilation = (word & OutputMask::ChassisFan) != 0;
    outputs.siren = (word & OutputMask::Siren) != 0;
    return outputs;
}

PeripheralMonitorModel::PeripheralMonitorModel(Rk710Controller* controller, MotorDispenserMonitor* motors,
                                               FanControl* fanControl, QObject* parent)
    : QObject(parent)
    , m_controller(controller)
    , m_motors(motors)
    , m_board(new MaintenanceBoardSession(controller, fanControl, this))
{
    m_creditTimer.setSingleShot(true);
    m_creditTimer.setInterval(CREDIT_PERIOD_MS);
    connect(&m_creditTimer, &QTimer::timeout, this, &PeripheralMonitorModel::requestCredit);
    m_doorCooldown.setSingleShot(true);
    m_doorCooldown.setInterval(DOOR_COOLDOWN_MS);
    connect(&m_doorCooldown, &QTimer::timeout, this, [this] { emit doorLockAvailable(true); });
    connect(m_board, &MaintenanceBoardSession::hopperValuesRead, this, &PeripheralMonitorModel::hopperValuesChanged);
}

int PeripheralMonitorModel::boardStatus() const
{
    return m_controller->getBoardStatus();
}

void PeripheralMonitorModel::start()
{
    m_running = true;
    m_doorCooldown.stop();
    emit doorLockAvailable(true);
    m_board->begin();
    emit started();
    showInputs(m_controller->getInputs());
    showStatus(m_controller->getBoardStatus());
    for (int motor = 0; motor < MotorDispenserMonitor::MOTOR_COUNT; ++motor)
        emit motorChanged(motor, m_motors->motor(motor));
    connectBoard();
    m_creditTimer.start();
    Rk710Controller* controller = m_controller;
    QtConcurrent::run(controller->shortJobs(), [controller] { return VM24::read_device_versions(controller); })
        .then(this, [this](const QStringList& versions) { emit versionsChanged(versions); });
}

QFuture<bool> PeripheralMonitorModel::stop()
{
    m_running = false;
    m_creditTimer.stop();
    m_doorCooldown.stop();
    disconnectBoard();
    return m_board->end();
}

void PeripheralMonitorModel::connectBoard()
{
    m_boardConnections << connect(m_controller, &Rk710Controller::inputChanged, this,
                                  &PeripheralMonitorModel::showInputs)
                       << connect(m_controller, &Rk710Controller::deviceStatusChanged, this,
                                  &PeripheralMonitorModel::showStatus)
                       << connect(m_controller, &Rk710Controller::actuatorsChanged, this,
                                  &PeripheralMonitorModel::showOutputs)
                       << connect(m_motors, &MotorDispenserMonitor::motorStateChanged, this,
                                  &PeripheralMonitorModel::motorChanged);
}

void PeripheralMonitorModel::disconnectBoard()
{
    for (const QMetaObject::Connection& connection : qAsConst(m_boardConnections))
        disconnect(connection);
    m_boardConnections.clear();
}

void PeripheralMonitorModel::showStatus(qint32 status)
{
    emit statusChanged(decodeStatus(status));
}

void PeripheralMonitorModel::showInputs(qint32 inputs)
{
    emit inputsChanged(decodeInputs(inputs));
}

void PeripheralMonitorModel::showOutputs(qint32 outputs)
{
    emit outputsChanged(decodeOutputs(outputs));
}

void PeripheralMonitorModel::requestCredit()
{
    Rk710Controller* controller = m_controller;
    QtConcurrent::run(controller->shortJobs(), [controller] { return controller->getCredit(); })
        .then(this, [this](const CreditPacket& credit) { onCreditRead(credit); });
}

void PeripheralMonitorModel::onCreditRead(const CreditPacket& credit)
{
    if (credit.isValid()) {
        m_credit = credit;
        emit creditChanged(credit);
    }
    if (m_running && !m_busy)
        m_creditTimer.start();
}

void PeripheralMonitorModel::pauseCreditReads(bool pause)
{
    m_busy = pause;
    if (pause)
        m_creditTimer.stop();
    else if (m_running)
        m_creditTimer.start();
}

void PeripheralMonitorModel::setDispenserMode(DispenserMode mode)
{
    if (mode == m_mode)
        return;
    m_mode = mode;
    emit dispenserModeChanged(mode);
}

void PeripheralMonitorModel::switchLight(int light, bool on)
{
    const int mask = LIGHT_MASKS[light];
    runSwitch([on, mask](Rk710Controller* controller) { controller->setOutput(on, mask); });
}

void PeripheralMonitorModel::switchOutput(Output output, bool on)
{
    switch (output) {
    case Battery:
        runSwitch([on](Rk710Controller* controller) { controller->setOutput(on, OutputMask::Battery); });
        break;
    case Siren:
        runSwitch([on](Rk710Controller* controller) { controller->setOutput(on, OutputMask::Siren); });
        break;
    case Ventilation:
        runSwitch([on](Rk710Controller* controller) {
            if (controller->setOutput(on, OutputMask::ChassisFan))
                controller->setPwmOutput(on ? 1 : 0, on ? FAN_POWER : 0, on ? FAN_POWER : 0, 0);
        });
        break;
    case DoorLock: {
        // The lock's motor needs its time before the next command.
        emit doorLockAvailable(false);
        m_doorCooldown.start();
        Rk710Controller* controller = m_controller;
        controller->shortJobs()->start([controller, on] { controller->setDoorStatus(on); });
        break;
    }
    case OUTPUT_COUNT:
        break;
    }
}

// The switches show what the board took: after the request, the outputs as
// the controller knows them (a request that failed leaves them as they were).
void PeripheralMonitorModel::runSwitch(const std::function<void(Rk710Controller*)>& request)
{
    Rk710Controller* controller = m_controller;
    QtConcurrent::run(controller->shortJobs(),
                      [controller, request] {
                          request(controller);
                          return controller->getActuators();
                      })
        .then(this, [this](int actuators) {
            if (m_running)
                showOutputs(actuators);
        });
}

PeripheralMonitorModel::DispenserJob PeripheralMonitorModel::dispenserJob(int motor) const
{
    if (m_motors->motor(motor).error)
        return ResetMotor;
    return m_mode == TestMode ? MoveMotor : EmptyColumn;
}

QFuture<bool> PeripheralMonitorModel::runDispenser(int motor)
{
    Rk710Controller* controller = m_controller;
    const Motor board = Motor::fromIndex(motor);
    std::function<bool()> job;
    switch (dispenserJob(motor)) {
    case ResetMotor:
        job = [controller, board] { return controller->resetMotor(board).value; };
        break;
    case MoveMotor:
        job = [controller, board] { return controller->deliverProduct(board).value; };
        break;
    case EmptyColumn:
        job = [controller, motor] { return VM24::empty_column(controller, motor); };
        break;
    }
    pauseCreditReads(true);
    return QtConcurrent::run(controller->longJobs(), job).then(this, [this, motor](bool ok) {
        pauseCreditReads(false);
        onDispenserDone(motor, ok);
        return ok;
    });
}

void PeripheralMonitorModel::onDispenserDone(int motor, bool ok)
{
    if (!ok && !m_controller->isAlive())
        return;
    m_motors->setError(motor, !ok);
    if (ok)
        emit dispenserTested(motor);
}

QFuture<int> PeripheralMonitorModel::emptyHopper(int hopper)
{
    Rk710Controller* controller = m_controller;
    const auto item = hopper == 0 ? Rk710SerialProtocol::Hopper1 : Rk710SerialProtocol::Hopper2;
    pauseCreditReads(true);
    return QtConcurrent::run(controller->longJobs(), [controller, item] { return VM24::empty_hopper(controller, item); })
        .then(this, [this](int coins) {
            pauseCreditReads(false);
            return coins;
        });
}

QFuture<bool> PeripheralMonitorModel::printTestReceipt()
{
    Rk710Controller* controller = m_controller;
    const ReceiptHelper receipt = VM24::printer_test_receipt(QDateTime::currentDateTime());
    return QtConcurrent::run(controller->shortJobs(),
                             [controller, receipt] { return controller->printReceipt(receipt); });
}

QFuture<bool> PeripheralMonitorModel::printTestReport(const QList<HardwareTestReport::Test>& tests)
{
    HardwareTestReport report;
    report.time = QDateTime::currentDateTime();
    report.serial = VM24::format_serial(Settings().value(Settings::Serial));
    report.version = QCoreApplication::applicationVersion();
    report.tests = tests;
    Rk710Controller* controller = m_controller;
    return QtConcurrent::run(controller->shortJobs(), [controller, report]() mutable {
        report.deviceVersions = VM24::read_device_versions(controller);
        return controller->printReceipt(VM24::hardware_test_receipt(report));
    });
}

QFuture<void> PeripheralMonitorModel::refreshVersions()
{
    Rk710Controller* controller = m_controller;
    return QtConcurrent::run(controller->shortJobs(), [controller] { return VM24::read_device_versions(controller); })
        .then(this, [this](const QStringList& versions) { emit versionsChanged(versions); });
}
