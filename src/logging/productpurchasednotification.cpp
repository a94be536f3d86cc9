#include "logging/productpurchasednotification.h"

namespace VM24 {

namespace {
const char* const METHOD_NAMES[] = {"Cash", "UserCard", "CreditCard", "LoyaltyCard"};
const int METHOD_COUNT = sizeof(METHOD_NAMES) / sizeof(METHOD_NAMES[0]);
} // namespace

QString ProductPurchasedNotification::methodToString(Method method)
{
    if (method < 0 || method >= METHOD_COUNT)
        return QString();
    return QLatin1String(METHOD_NAMES[method]);
}

ProductPurchasedNotification::Method ProductPurchasedNotification::methodFromString(const QString& text)
{
    for (int i = 0; i < METHOD_COUNT; ++i) {
        if (text == QLatin1String(METHOD_NAMES[i]))
            return static_cast<Method>(i);
    }
    return static_cast<Method>(METHOD_COUNT);
}

} // namespace VM24
