#pragma once

#include "logging/notificationvisitorsupport.h"
#include "logging/standardrkalarm.h"

namespace VM24 {

// A selection's product-presence sensor reports it empty, or (cleared) full again.
class ProductSoldOutNotification
    : public detail::NotificationVisitorSupport<ProductSoldOutNotification, StandardRkAlarm>
{
public:
    static constexpr const char* CATEGORY = "empty-dispenser";

    ProductSoldOutNotification(const QString& productId, const QString& productName, int dispenser,
                               bool cleared)
        : m_productId(productId)
        , m_productName(productName)
        , m_dispenser(dispenser)
        , m_cleared(cleared)
    {
    }

    QString productId() const { return m_productId; }
    QString productName() const { return m_productName; }
    int dispenser() const { return m_dispenser; }

    int id() const override;
    QString description() const override;
    bool isCleared() const override { return m_cleared; }

private:
    QString m_productId;
    QString m_productName;
    int m_dispenser;
    bool m_cleared;
};

} // namespace VM24
