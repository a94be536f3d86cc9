#include "maintenance/dispensergroup.h"

#include "board/motor.h"
#include "maintenance/dispensercontrol.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const int DISPENSER_COLUMNS = 6;

} // namespace

DispenserGroup::DispenserGroup(PeripheralMonitorModel* model, QWidget* parent)
    : MonitorGroup(QT_TRANSLATE_NOOP("PeripheralMonitor", "Erogatori"), parent)
    , m_modes(new QButtonGroup(this))
{
    auto* layout = new QVBoxLayout(this);
    tighten(layout);
    auto* tiles = new QGridLayout;
    tiles->setSpacing(8);
    for (int motor = 0; motor < MotorDispenserMonitor::MOTOR_COUNT; ++motor) {
        auto* tile = new DispenserControl(Motor::fromIndex(motor).number(), this);
        tiles->addWidget(tile, motor / DISPENSER_COLUMNS, motor % DISPENSER_COLUMNS, Qt::AlignCenter);
        connect(tile, &QAbstractButton::clicked, this, [this, motor] { emit dispenserClicked(motor); });
        m_tiles.append(tile);
    }
    layout->addLayout(tiles);
    auto* modes = new QHBoxLayout;
    const char* const texts[] = {QT_TRANSLATE_NOOP("PeripheralMonitor", "Test"),
                                 QT_TRANSLATE_NOOP("PeripheralMonitor", "Svuotamento")};
    for (int mode = PeripheralMonitorModel::TestMode; mode <= PeripheralMonitorModel::EmptyMode; ++mode) {
        QPushButton* button = addButton(QStringLiteral("generic-menu-button"), texts[mode]);
        button->setCheckable(true);
        m_modes->addButton(button, mode);
        modes->addWidget(button);
    }
    m_modes->setExclusive(true);
    m_modes->button(model->dispenserMode())->setChecked(true);
    layout->addLayout(modes);
    retranslate();
    connect(m_modes, &QButtonGroup::idClicked, model,
            [model](int mode) { model->setDispenserMode(static_cast<PeripheralMonitorModel::DispenserMode>(mode)); });
    connect(model, &PeripheralMonitorModel::dispenserModeChanged, this,
            [this](PeripheralMonitorModel::DispenserMode mode) { m_modes->button(mode)->setChecked(true); });
    connect(model, &PeripheralMonitorModel::statusChanged, this, &DispenserGroup::showStatus);
    connect(model, &PeripheralMonitorModel::motorChanged, this, &DispenserGroup::showMotor);
}

QAbstractButton* DispenserGroup::modeButton(PeripheralMonitorModel::DispenserMode mode) const
{
    return m_modes->button(mode);
}

void DispenserGroup::showStatus(const PeripheralMonitorModel::Status& status)
{
    for (int motor = 0; motor < m_tiles.size(); ++motor)
        m_tiles.at(motor)->setEnabled(status.dispensers[motor]);
}

void DispenserGroup::showMotor(int motor, const MotorDispenserMonitor::MotorState& state)
{
    if (motor < 0 || motor >= m_tiles.size())
        return;
    m_tiles.at(motor)->setProductAvailable(!state.empty);
    m_tiles.at(motor)->setError(state.error);
}
