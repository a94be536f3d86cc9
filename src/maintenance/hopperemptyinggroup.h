#pragma once

#include "maintenance/monitorgroup.h"

#include <QList>

// "Svuotamento Hopper": a button per hopper. A pressed button is reported;
// emptying the hopper is the page's.
class HopperEmptyingGroup : public MonitorGroup
{
    Q_OBJECT
public:
    explicit HopperEmptyingGroup(QWidget* parent = nullptr);

    QPushButton* button(int hopper) const { return m_buttons.at(hopper); }

signals:
    void emptyClicked(int hopper);

private:
    QList<QPushButton*> m_buttons;
};
