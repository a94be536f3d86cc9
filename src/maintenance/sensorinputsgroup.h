#pragma once

#include "maintenance/monitorgroup.h"
#include "vending/peripheralmonitormodel.h"

#include <QList>

class OnOffLed;

// "Input sensori": a light per switch and sensor of the board's input word,
// the battery's charge and the temperature.
class SensorInputsGroup : public MonitorGroup
{
    Q_OBJECT
public:
    SensorInputsGroup(PeripheralMonitorModel* model, QWidget* parent = nullptr);

    OnOffLed* led(PeripheralMonitorModel::Sensor sensor) const { return m_leds.at(sensor); }

private:
    void showInputs(const PeripheralMonitorModel::Inputs& inputs);

    QList<OnOffLed*> m_leds;
    QLabel* m_battery;
    QLabel* m_temperature;
};
