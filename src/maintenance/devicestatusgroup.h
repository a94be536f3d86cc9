#pragma once

#include "maintenance/monitorgroup.h"
#include "vending/peripheralmonitormodel.h"

#include <QList>

class OnOffLed;

// "Stato dispositivi": a light per device of the board's status word, and
// per hopper its coin value, whether it holds coins and whether it is there.
class DeviceStatusGroup : public MonitorGroup
{
    Q_OBJECT
public:
    DeviceStatusGroup(PeripheralMonitorModel* model, QWidget* parent = nullptr);

    OnOffLed* led(PeripheralMonitorModel::Device device) const { return m_leds.at(device); }
    QLabel* hopperValueLabel(int hopper) const { return m_hopperValues.at(hopper); }

private:
    void showStatus(const PeripheralMonitorModel::Status& status);
    void showHopperValues(int hopper1, int hopper2);

    QList<OnOffLed*> m_leds;
    QList<QLabel*> m_hopperValues;
    QList<QLabel*> m_hopperCoins;
    QList<OnOffLed*> m_hopperLeds;
};
