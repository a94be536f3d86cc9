#include "purchase/deliveryfinished.h"

DeliveryFinished::DeliveryFinished()
    : ActivityResult(VALUE, HasResult)
{
}

DeliveryFinished::DeliveryFinished(const QList<int>& dispensers, const PurchaseRequest& request)
    : ActivityResult(VALUE, HasResult)
    , m_dispensers(dispensers)
    , m_request(request)
{
}

const DeliveryFinished* DeliveryFinished::from(const ActivityResult& result)
{
    if (result.status() != HasResult || result.value() != VALUE)
        return nullptr;
    return dynamic_cast<const DeliveryFinished*>(&result);
}
