#pragma once

#include "maintenance/monitorgroup.h"
#include "vending/peripheralmonitormodel.h"

#include <QList>

// "Luci e attuatori": a switch per light and per output; each shows what the
// board took. The door lock's switch rests after each use.
class OutputSwitchesGroup : public MonitorGroup
{
    Q_OBJECT
public:
    OutputSwitchesGroup(PeripheralMonitorModel* model, QWidget* parent = nullptr);

    QPushButton* lightSwitch(int light) const { return m_lights.at(light); }
    QPushButton* outputSwitch(PeripheralMonitorModel::Output output) const { return m_outputs.at(output); }

private:
    void showOutputs(const PeripheralMonitorModel::Outputs& outputs);
    void switchAllOff();

    QList<QPushButton*> m_lights;
    QList<QPushButton*> m_outputs;
};
