#include "board/accountingcounters.h"

#include <QtEndian>

namespace {

const int DENOMINATIONS[AccountingCounters::DENOMINATION_COUNT] = {5000, 2000, 1000, 500, 200, 100, 50, 20, 10, 5};

} // namespace

AccountingCounters::AccountingCounters()
{
    for (qint32& counter : m_counters)
        counter = 0;
}

AccountingCounters AccountingCounters::fromAnswer(const quint8* answer, int length)
{
    AccountingCounters counters;
    if (!answer || length < ANSWER_LENGTH)
        return counters;
    for (int i = 0; i < Count; ++i)
        counters.m_counters[i] = qFromBigEndian<quint16>(answer + 2 * i);
    return counters;
}

int AccountingCounters::denomination(int index)
{
    return index >= 0 && index < DENOMINATION_COUNT ? DENOMINATIONS[index] : 0;
}

int AccountingCounters::get(int index) const
{
    return index >= 0 && index < Count ? m_counters[index] : 0;
}

void AccountingCounters::set(int index, int value)
{
    if (index >= 0 && index < Count)
        m_counters[index] = value;
}

bool AccountingCounters::isZero() const
{
    for (qint32 counter : m_counters) {
        if (counter != 0)
            return false;
    }
    return true;
}

bool AccountingCounters::operator==(const AccountingCounters& other) const
{
    for (int i = 0; i < Count; ++i) {
        if (m_counters[i] != other.m_counters[i])
            return false;
    }
    return true;
}
