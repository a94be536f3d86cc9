#include "maintenance/outputswitchesgroup.h"

#include <QGridLayout>
#include <QPushButton>

namespace {

const char* const LIGHT_TEXTS[PeripheralMonitorModel::LIGHT_COUNT] = {
    QT_TRANSLATE_NOOP("PeripheralMonitor", "Stampante"), QT_TRANSLATE_NOOP("PeripheralMonitor", "Cash"),
    QT_TRANSLATE_NOOP("PeripheralMonitor", "Cassetto"),  QT_TRANSLATE_NOOP("PeripheralMonitor", "POS"),
    QT_TRANSLATE_NOOP("PeripheralMonitor", "Verificatore"), QT_TRANSLATE_NOOP("PeripheralMonitor", "Resto"),
    QT_TRANSLATE_NOOP("PeripheralMonitor", "Cashless"),
};

const char* const OUTPUT_TEXTS[PeripheralMonitorModel::OUTPUT_COUNT] = {
    QT_TRANSLATE_NOOP("PeripheralMonitor", "Batteria"),
    QT_TRANSLATE_NOOP("PeripheralMonitor", "Sblocca portello"),
    QT_TRANSLATE_NOOP("PeripheralMonitor", "Ventilazione"),
    QT_TRANSLATE_NOOP("PeripheralMonitor", "Sirena"),
};

} // namespace

OutputSwitchesGroup::OutputSwitchesGroup(PeripheralMonitorModel* model, QWidget* parent)
    : MonitorGroup(QT_TRANSLATE_NOOP("PeripheralMonitor", "Luci e attuatori"), parent)
{
    auto* grid = new QGridLayout(this);
    tighten(grid);
    grid->setSpacing(8);
    for (int light = 0; light < PeripheralMonitorModel::LIGHT_COUNT; ++light) {
        QPushButton* button = addButton(QStringLiteral("generic-menu-button monitor-switch"), LIGHT_TEXTS[light]);
        button->setCheckable(true);
        grid->addWidget(button, light / 2, light % 2);
        connect(button, &QPushButton::clicked, model, [model, light](bool on) { model->switchLight(light, on); });
        m_lights.append(button);
    }
    for (int output = 0; output < PeripheralMonitorModel::OUTPUT_COUNT; ++output) {
        QPushButton* button
            = addButton(QStringLiteral("generic-menu-button monitor-switch output"), OUTPUT_TEXTS[output]);
        button->setCheckable(true);
        // The outputs start on a row of their own.
        const int at = PeripheralMonitorModel::LIGHT_COUNT + 1 + output;
        grid->addWidget(button, at / 2, at % 2);
        connect(button, &QPushButton::clicked, model, [model, output](bool on) {
            model->switchOutput(static_cast<PeripheralMonitorModel::Output>(output), on);
        });
        m_outputs.append(button);
    }
    retranslate();
    connect(model, &PeripheralMonitorModel::started, this, &OutputSwitchesGroup::switchAllOff);
    connect(model, &PeripheralMonitorModel::outputsChanged, this, &OutputSwitchesGroup::showOutputs);
    connect(model, &PeripheralMonitorModel::doorLockAvailable, m_outputs.at(PeripheralMonitorModel::DoorLock),
            &QWidget::setEnabled);
}

// The board is readied with every light and output off.
void OutputSwitchesGroup::switchAllOff()
{
    for (QPushButton* button : m_lights + m_outputs)
        button->setChecked(false);
}

void OutputSwitchesGroup::showOutputs(const PeripheralMonitorModel::Outputs& outputs)
{
    for (int light = 0; light < m_lights.size(); ++light)
        m_lights.at(light)->setChecked(outputs.lights[light]);
    m_outputs.at(PeripheralMonitorModel::Battery)->setChecked(outputs.battery);
    m_outputs.at(PeripheralMonitorModel::Ventilation)->setChecked(outputs.ventilation);
    m_outputs.at(PeripheralMonitorModel::Siren)->setChecked(outputs.siren);
}
