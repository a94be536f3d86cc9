#pragma once

#include "maintenance/monitorgroup.h"
#include "vending/peripheralmonitormodel.h"

#include <QList>

class DispenserControl;
class QButtonGroup;

// "Erogatori": a tile per motor dispenser, coloured by its state and
// disabled while the board has no controller for it, and the choice of what
// pressing a tile does (test the motor or empty the column). A pressed tile
// is reported; running its job is the page's.
class DispenserGroup : public MonitorGroup
{
    Q_OBJECT
public:
    DispenserGroup(PeripheralMonitorModel* model, QWidget* parent = nullptr);

    DispenserControl* dispenser(int motor) const { return m_tiles.at(motor); }
    QAbstractButton* modeButton(PeripheralMonitorModel::DispenserMode mode) const;

signals:
    void dispenserClicked(int motor);

private:
    void showStatus(const PeripheralMonitorModel::Status& status);
    void showMotor(int motor, const MotorDispenserMonitor::MotorState& state);

    QList<DispenserControl*> m_tiles;
    QButtonGroup* m_modes;
};
