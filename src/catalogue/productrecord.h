#pragma once

#include <QString>

#include <array>

class QDebug;

// One product: qualified id, texts and the price in cents at each of the
// five price levels (0 cash, 1 cashless, 2 to 4 carried but unused; a price
// of 0 means the level has none).
class ProductRecord
{
public:
    static const int PRICE_LEVELS = 5;

    ProductRecord() = default;
    explicit ProductRecord(const QString& id);

    const QString& id() const { return m_id; }
    // The id without its catalogue part.
    QString unqualifiedId() const;
    const QString& name() const { return m_name; }
    const QString& category() const { return m_category; }
    const QString& description() const { return m_description; }
    // 0 for a level outside 0..4.
    int price(int level) const;
    bool isModified() const { return m_modified; }

    void setId(const QString& id) { m_id = id; }
    void setName(const QString& name) { m_name = name; }
    void setCategory(const QString& category) { m_category = category; }
    void setDescription(const QString& description) { m_description = description; }
    // Ignores a level outside 0..4.
    void setPrice(int level, int price);
    void setModified(bool modified) { m_modified = modified; }

    // Every field, the modified flag included.
    bool operator==(const ProductRecord& other) const;
    bool operator!=(const ProductRecord& other) const { return !(*this == other); }

private:
    QString m_id;
    QString m_name;
    QString m_category;
    QString m_description;
    std::array<int, PRICE_LEVELS> m_prices{};
    bool m_modified = false;
};

QDebug operator<<(QDebug debug, const ProductRecord& record);
