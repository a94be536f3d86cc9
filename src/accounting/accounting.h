#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

class QDebug;
class QXmlStreamReader;
class QXmlStreamWriter;

// The money totals of one accounting period, in cents, with the items
// dispensed per dispenser since the period began.
class Accounting
{
public:
    enum Selector {
        Banknotes = 0,
        Coins,
        Recharges,
        CashIncome,
        CashlessIncome,
        PosIncome,
        ChangeDelivered,
        ExtraIncome,
        CoinBox,
        SelectorCount
    };
    enum Counter { RechargeCount = 0, ChangeCount, CounterCount };
    static const int DISPENSER_COUNT = 18;

    // Every number 0, no dates.
    Accounting() = default;
    // Every number 0, the period starting at creation.
    explicit Accounting(const QDateTime& creation);

    // -1 for a value outside the enumeration.
    qint64 get(Selector selector) const;
    int get(Counter counter) const;
    void add(Selector selector, qint64 amount);
    void add(Counter counter, int count);

    QDateTime creationDate() const { return m_creationDate; }
    void setCreationDate(const QDateTime& date) { m_creationDate = date; }
    QDateTime lastUpdate() const { return m_lastUpdate; }
    void setLastUpdate(const QDateTime& date) { m_lastUpdate = date; }

    // 0 for an index outside 0..17.
    int dispensedCount(int dispenser) const;
    qint64 dispensedAmount(int dispenser) const;
    // One item of amount cents for each listed dispenser; indexes outside
    // 0..17 are ignored.
    void recordItemDispensedCount(const QList<int>& dispensers, int amount);
    // Zeroes the per-dispenser counts and amounts only.
    void resetCounters();
    // Takes away every total, count and dispensed figure of part, which was
    // booked into this period earlier; the dates stay.
    void subtract(const Accounting& part);

    // The attributes and children of an "accounting" element whose start
    // tag the caller has written.
    void toXml(QXmlStreamWriter& writer) const;
    // Reads the element the reader is positioned on, up to its end. Totals
    // the element does not mention keep their values.
    void fromXml(QXmlStreamReader& reader);

    static QString selectorString(Selector selector);
    static QString counterString(Counter counter);

    bool operator==(const Accounting& other) const;
    bool operator!=(const Accounting& other) const { return !(*this == other); }

private:
    void readDispensers(QXmlStreamReader& reader);

    qint64 m_selectors[SelectorCount] = {};
    qint32 m_counters[CounterCount] = {};
    QDateTime m_creationDate;
    QDateTime m_lastUpdate;
    qint32 m_dispensedCount[DISPENSER_COUNT] = {};
    qint64 m_dispensedAmount[DISPENSER_COUNT] = {};
};

QDebug operator<<(QDebug debug, const Accounting& accounting);
