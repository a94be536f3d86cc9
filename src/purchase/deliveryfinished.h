#pragma once

#include "ui/activityresult.h"

#include <QList>

// What the delivery page hands back through the details page: one entry
// per product delivered (the dispenser it came from) and the unit price.
// The default one delivered nothing.
class DeliveryFinished : public ActivityResult
{
public:
    static const int VALUE = 0;

    DeliveryFinished();
    DeliveryFinished(const QList<int>& dispensers, int unitPrice);

    const QList<int>& dispensers() const { return m_dispensers; }
    int unitPrice() const { return m_unitPrice; }

    // The delivery carried by a result, or nullptr when it is not one.
    static const DeliveryFinished* from(const ActivityResult& result);

private:
    QList<int> m_dispensers;
    int m_unitPrice = 0;
};
