#pragma once

#include "logging/notificationvisitorsupport.h"

#include <QString>

namespace VM24 {

class ProductPurchasedNotification : public NotificationSupport<ProductPurchasedNotification>
{
public:
    static constexpr const char* CATEGORY = "product-purchased";

    enum Method : int { Cash = 0, UserCard = 1, CreditCard = 2, LoyaltyCard = 3 };

    // The stored form of a method; empty for values outside the four.
    static QString methodToString(Method method);
    // The method named by text, or 4 when text names none.
    static Method methodFromString(const QString& text);

    ProductPurchasedNotification(const QString& productId, int cost, int dispenser, Method method,
                                 const QString& userInfo)
        : m_productId(productId)
        , m_userInfo(userInfo)
        , m_cost(cost)
        , m_dispenser(dispenser)
        , m_method(method)
    {
    }

    QString productId() const { return m_productId; }
    QString userInfo() const { return m_userInfo; }
    int cost() const { return m_cost; }
    int dispenser() const { return m_dispenser; }
    Method method() const { return m_method; }

private:
    QString m_productId;
    QString m_userInfo;
    int m_cost;
    int m_dispenser;
    Method m_method;
};

} // namespace VM24
