#include "purchase/deliveryfinished.h"

DeliveryFinished::DeliveryFinished()
    : ActivityResult(VALUE, HasResult)
{
}

DeliveryFinished::DeliveryFinished(const QList<int>& dispensers, int unitPrice)
    : ActivityResult(VALUE, HasResult)
    , m_dispensers(dispensers)
    , m_unitPrice(unitPrice)
{
}

const DeliveryFinished* DeliveryFinished::from(const ActivityResult& result)
{
    if (result.status() != HasResult || result.value() != VALUE)
        return nullptr;
    return dynamic_cast<const DeliveryFinished*>(&result);
}
