#include "logging/productsoldoutnotification.h"

#include <QCoreApplication>

namespace VM24 {

int ProductSoldOutNotification::id() const
{
    return 11;
}

QString ProductSoldOutNotification::description() const
{
    return QCoreApplication::translate("ProductSoldOutNotification",
                                       "Prodotto '%1' (%2) esaurito alla colonna %3")
        .arg(m_productName, m_productId, QString::number(m_dispenser + 1));
}

} // namespace VM24
