#include "catalogue/productrecord.h"

#include "catalogue/productids.h"

#include <QDebug>

ProductRecord::ProductRecord(const QString& id)
    : m_id(id)
{
}

QString ProductRecord::unqualifiedId() const
{
    return VM24::local_part(m_id);
}

int ProductRecord::price(int level) const
{
    if (static_cast<unsigned>(level) >= static_cast<unsigned>(PRICE_LEVELS))
        return 0;
    return m_prices[level];
}

void ProductRecord::setPrice(int level, int price)
{
    if (static_cast<unsigned>(level) >= static_cast<unsigned>(PRICE_LEVELS))
        return;
    m_prices[level] = price;
}

bool ProductRecord::operator==(const ProductRecord& other) const
{
    return m_id == other.m_id && m_name == other.m_name && m_category == other.m_category
        && m_description == other.m_description && m_prices == other.m_prices
        && m_modified == other.m_modified;
}

QDebug operator<<(QDebug debug, const ProductRecord& record)
{
    QDebugStateSaver saver(debug);
    debug.noquote().nospace()
        << '"'
        << QStringLiteral("ProductRecord{id: %1, name: %2, category: %3}")
               .arg(record.id(), record.name(), record.category())
        << '"';
    return debug;
}
