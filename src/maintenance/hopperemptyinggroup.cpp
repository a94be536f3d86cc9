#include "maintenance/hopperemptyinggroup.h"

#include <QHBoxLayout>
#include <QPushButton>

HopperEmptyingGroup::HopperEmptyingGroup(QWidget* parent)
    : MonitorGroup(QT_TRANSLATE_NOOP("PeripheralMonitor", "Svuotamento Hopper"), parent)
{
    auto* row = new QHBoxLayout(this);
    tighten(row);
    const char* const texts[] = {QT_TRANSLATE_NOOP("PeripheralMonitor", "Hopper 1"),
                                 QT_TRANSLATE_NOOP("PeripheralMonitor", "Hopper 2")};
    for (int hopper = 0; hopper < 2; ++hopper) {
        QPushButton* button = addButton(QStringLiteral("generic-menu-button"), texts[hopper]);
        row->addWidget(button);
        connect(button, &QPushButton::clicked, this, [this, hopper] { emit emptyClicked(hopper); });
        m_buttons.append(button);
    }
    retranslate();
}
