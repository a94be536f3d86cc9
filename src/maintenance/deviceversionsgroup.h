#pragma once

#include "maintenance/monitorgroup.h"

class PeripheralMonitorModel;

// "Versioni dispositivi": the version of every device that gave one, a line
// each, scrolled by dragging.
class DeviceVersionsGroup : public MonitorGroup
{
    Q_OBJECT
public:
    DeviceVersionsGroup(PeripheralMonitorModel* model, QWidget* parent = nullptr);

    QLabel* versionsLabel() const { return m_versions; }

private:
    void showVersions(const QStringList& versions);

    QLabel* m_versions;
};
