#include "maintenance/devicestatusgroup.h"

#include "core/vm24.h"
#include "maintenance/onoffled.h"

#include <QGridLayout>
#include <QIcon>
#include <QLabel>

namespace {

const char* const DEVICE_TEXTS[PeripheralMonitorModel::DEVICE_COUNT] = {
    QT_TRANSLATE_NOOP("PeripheralMonitor", "RK710 resettata"),
    QT_TRANSLATE_NOOP("PeripheralMonitor", "Coin acceptor"),
    QT_TRANSLATE_NOOP("PeripheralMonitor", "Rendiresto"),
    QT_TRANSLATE_NOOP("PeripheralMonitor", "Bill validator"),
    QT_TRANSLATE_NOOP("PeripheralMonitor", "Cashless"),
    QT_TRANSLATE_NOOP("PeripheralMonitor", "POS"),
    QT_TRANSLATE_NOOP("PeripheralMonitor", "Stampante"),
    QT_TRANSLATE_NOOP("PeripheralMonitor", "Resto disponibile"),
    QT_TRANSLATE_NOOP("PeripheralMonitor", "Carta scontrino disponibile"),
};

const char* const HOPPER_TEXTS[PeripheralMonitorModel::HOPPER_COUNT] = {
    QT_TRANSLATE_NOOP("PeripheralMonitor", "Hopper 1"),
    QT_TRANSLATE_NOOP("PeripheralMonitor", "Hopper 2"),
};

QString money_or_dash(int cents)
{
    return cents < 0 ? QStringLiteral("-") : VM24::format_money(cents);
}

} // namespace

DeviceStatusGroup::DeviceStatusGroup(PeripheralMonitorModel* model, QWidget* parent)
    : MonitorGroup(QT_TRANSLATE_NOOP("PeripheralMonitor", "Stato dispositivi"), parent)
{
    auto* grid = new QGridLayout(this);
    tighten(grid);
    grid->setVerticalSpacing(6);
    int row = 0;
    for (const char* text : DEVICE_TEXTS) {
        grid->addWidget(addTextLabel(text), row, 0, 1, 3);
        auto* led = new OnOffLed(this);
        grid->addWidget(led, row++, 3, Qt::AlignRight);
        m_leds.append(led);
    }
    for (const char* text : HOPPER_TEXTS) {
        grid->addWidget(addTextLabel(text), row, 0);
        QLabel* value = addValueLabel();
        auto* coins = new QLabel(this);
        coins->setFixedSize(OnOffLed::DIAMETER, OnOffLed::DIAMETER);
        coins->setScaledContents(true);
        auto* led = new OnOffLed(this);
        grid->addWidget(value, row, 1);
        grid->addWidget(coins, row, 2);
        grid->addWidget(led, row++, 3, Qt::AlignRight);
        m_hopperValues.append(value);
        m_hopperCoins.append(coins);
        m_hopperLeds.append(led);
    }
    grid->setColumnStretch(0, 1);
    retranslate();
    connect(model, &PeripheralMonitorModel::statusChanged, this, &DeviceStatusGroup::showStatus);
    connect(model, &PeripheralMonitorModel::hopperValuesChanged, this, &DeviceStatusGroup::showHopperValues);
}

void DeviceStatusGroup::showStatus(const PeripheralMonitorModel::Status& status)
{
    for (int device = 0; device < m_leds.size(); ++device)
        m_leds.at(device)->setOn(status.devices[device]);
    for (int hopper = 0; hopper < PeripheralMonitorModel::HOPPER_COUNT; ++hopper) {
        m_hopperLeds.at(hopper)->setOn(status.hopperPresent[hopper]);
        const bool holdsCoins = status.hopperHoldsCoins[hopper];
        m_hopperCoins.at(hopper)->setPixmap(
            QIcon(holdsCoins ? QStringLiteral(":/icons/coins") : QStringLiteral(":/icons/no-coins"))
                .pixmap(OnOffLed::DIAMETER, OnOffLed::DIAMETER));
        m_hopperCoins.at(hopper)->setProperty("holdsCoins", holdsCoins);
    }
}

void DeviceStatusGroup::showHopperValues(int hopper1, int hopper2)
{
    m_hopperValues.at(0)->setText(money_or_dash(hopper1));
    m_hopperValues.at(1)->setText(money_or_dash(hopper2));
}
