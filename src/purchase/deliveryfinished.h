#pragma once

#include "ui/activityresult.h"
#include "vending/purchaserequest.h"

#include <QList>

// What the delivery page hands back through the details page: the request,
// and one entry per product delivered (the dispenser it came from). The
// default one delivered nothing.
class DeliveryFinished : public ActivityResult
{
public:
    static const int VALUE = 0;

    DeliveryFinished();
    DeliveryFinished(const QList<int>& dispensers, const PurchaseRequest& request);

    const QList<int>& dispensers() const { return m_dispensers; }
    const PurchaseRequest& request() const { return m_request; }
    int unitPrice() const { return m_request.unitPrice; }

    // The delivery carried by a result, or nullptr when it is not one.
    static const DeliveryFinished* from(const ActivityResult& result);

private:
    QList<int> m_dispensers;
    PurchaseRequest m_request;
};
