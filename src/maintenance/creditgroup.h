#pragma once

#include "maintenance/monitorgroup.h"

#include <QList>

class CreditPacket;
class PeripheralMonitorModel;

// "Credito": the amounts of the last credit read and the card's number.
class CreditGroup : public MonitorGroup
{
    Q_OBJECT
public:
    enum Row { Bills, Coins, Cashless, Cashbox, CardId, ROW_COUNT };

    CreditGroup(PeripheralMonitorModel* model, QWidget* parent = nullptr);

    QLabel* valueLabel(Row row) const { return m_values.at(row); }

protected:
    void changeEvent(QEvent* event) override;

private:
    void showCredit(const CreditPacket& credit);

    PeripheralMonitorModel* m_model;
    QList<QLabel*> m_values;
};
