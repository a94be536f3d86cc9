#include "maintenance/deviceversionsgroup.h"

#include "board/devices.h"
#include "vending/peripheralmonitormodel.h"

#include <QLabel>
#include <QScrollArea>
#include <QScroller>
#include <QVBoxLayout>

DeviceVersionsGroup::DeviceVersionsGroup(PeripheralMonitorModel* model, QWidget* parent)
    : MonitorGroup(QT_TRANSLATE_NOOP("PeripheralMonitor", "Versioni dispositivi"), parent)
    , m_versions(new QLabel)
{
    auto* layout = new QVBoxLayout(this);
    tighten(layout);
    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_versions->setProperty("class", QStringLiteral("monitor-versions"));
    m_versions->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_versions->setTextFormat(Qt::PlainText);
    scroll->setWidget(m_versions);
    scroll->viewport()->setAutoFillBackground(false);
    m_versions->setAutoFillBackground(false);
    QScroller::grabGesture(scroll->viewport(), QScroller::LeftMouseButtonGesture);
    layout->addWidget(scroll, 1);
    retranslate();
    connect(model, &PeripheralMonitorModel::versionsChanged, this, &DeviceVersionsGroup::showVersions);
}

void DeviceVersionsGroup::showVersions(const QStringList& versions)
{
    QStringList lines;
    for (int device = 0; device < versions.size(); ++device) {
        if (!versions.at(device).isEmpty())
            lines.append(Devices::to_string(static_cast<Devices::Index>(device)) + QStringLiteral(": ")
                         + versions.at(device));
    }
    m_versions->setText(lines.join(QLatin1Char('\n')));
}
