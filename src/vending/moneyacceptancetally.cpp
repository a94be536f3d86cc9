#include "vending/moneyacceptancetally.h"

MoneyAcceptanceTally::MoneyAcceptanceTally(const QVector<int>& values)
    : m_values(values)
    , m_counts(values.size(), 0)
{
}

int MoneyAcceptanceTally::feed(int credit, bool count)
{
    if (credit < 0)
        return -1;
    const int increase = credit - m_last;
    m_last = credit;
    if (!count || increase <= 0)
        return -1;
    const int index = m_values.indexOf(increase);
    if (index < 0)
        return -1;
    ++m_counts[index];
    m_amount += increase;
    return index;
}

void MoneyAcceptanceTally::clearCounts()
{
    m_counts.fill(0);
    m_amount = 0;
}
