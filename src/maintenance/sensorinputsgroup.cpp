#include "maintenance/sensorinputsgroup.h"

#include "maintenance/onoffled.h"

#include <QGridLayout>
#include <QLabel>

namespace {

const char* const SENSOR_TEXTS[PeripheralMonitorModel::SENSOR_COUNT] = {
    QT_TRANSLATE_NOOP("PeripheralMonitor", "Tamper sportello"),
    QT_TRANSLATE_NOOP("PeripheralMonitor", "Tamper mobile"),
    QT_TRANSLATE_NOOP("PeripheralMonitor", "Chiave allarme"),
    QT_TRANSLATE_NOOP("PeripheralMonitor", "Sensore portello prodotti"),
    QT_TRANSLATE_NOOP("PeripheralMonitor", "Verificatore - carta presente"),
    QT_TRANSLATE_NOOP("PeripheralMonitor", "Verificatore - abilitato"),
    QT_TRANSLATE_NOOP("PeripheralMonitor", "Barriera prodotto"),
    QT_TRANSLATE_NOOP("PeripheralMonitor", "Alimentazione da rete"),
    QT_TRANSLATE_NOOP("PeripheralMonitor", "Pulsante interno"),
};

} // namespace

SensorInputsGroup::SensorInputsGroup(PeripheralMonitorModel* model, QWidget* parent)
    : MonitorGroup(QT_TRANSLATE_NOOP("PeripheralMonitor", "Input sensori"), parent)
{
    auto* grid = new QGridLayout(this);
    tighten(grid);
    grid->setVerticalSpacing(6);
    int row = 0;
    for (const char* text : SENSOR_TEXTS) {
        grid->addWidget(addTextLabel(text), row, 0);
        auto* led = new OnOffLed(this);
        grid->addWidget(led, row++, 1, Qt::AlignRight);
        m_leds.append(led);
    }
    m_battery = addValueLabel();
    m_temperature = addValueLabel();
    grid->addWidget(addTextLabel(QT_TRANSLATE_NOOP("PeripheralMonitor", "Carica batteria")), row, 0);
    grid->addWidget(m_battery, row++, 1);
    grid->addWidget(addTextLabel(QT_TRANSLATE_NOOP("PeripheralMonitor", "Temperatura")), row, 0);
    grid->addWidget(m_temperature, row++, 1);
    grid->setColumnStretch(0, 1);
    retranslate();
    connect(model, &PeripheralMonitorModel::inputsChanged, this, &SensorInputsGroup::showInputs);
}

void SensorInputsGroup::showInputs(const PeripheralMonitorModel::Inputs& inputs)
{
    for (int sensor = 0; sensor < m_leds.size(); ++sensor)
        m_leds.at(sensor)->setOn(inputs.sensors[sensor]);
    m_battery->setText(QStringLiteral("%1%").arg(inputs.batteryCharge));
    m_temperature->setText(QStringLiteral("%1 °C").arg(inputs.temperature));
}
