#include "catalogue/priceprovider.h"

#include "catalogue/productprovider.h"

PriceProvider::PriceProvider(const ProductProvider* products, QObject* parent)
    : QObject(parent)
    , m_products(products)
{
}

int PriceProvider::price(const QString& id) const
{
    const ProductRecord& product = m_products->getProduct(id);
    const int customerPrice = product.price(m_customerLevel);
    return customerPrice > 0 ? customerPrice : product.price(0);
}

bool PriceProvider::isForSale(const QString& id) const
{
    const ProductRecord& product = m_products->getProduct(id);
    return !product.id().isEmpty() && ProductProvider::hasCashPrice(product);
}

void PriceProvider::setCustomerLevel(int level)
{
    if (level == m_customerLevel)
        return;
    m_customerLevel = level;
    emit pricesChanged();
}
