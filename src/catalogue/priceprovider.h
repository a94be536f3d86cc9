#pragma once

#include <QObject>
#include <QString>

class ProductProvider;

// What a product costs the current customer: the price at the customer's
// level (0 cash, 1 cashless card), or the cash price when that level has
// none.
class PriceProvider : public QObject
{
    Q_OBJECT

public:
    explicit PriceProvider(const ProductProvider* products, QObject* parent = nullptr);

    // In cents; 0 for an unknown product.
    int price(const QString& id) const;
    // Whether the product can be sold at all: it exists and has a cash
    // price, so that price(id) is above 0 at every level.
    bool isForSale(const QString& id) const;
    int customerLevel() const { return m_customerLevel; }

public slots:
    void setCustomerLevel(int level);

signals:
    void pricesChanged();

private:
    const ProductProvider* m_products;
    int m_customerLevel = 0;
};
