#include "boardcounters.h"

#include <QJsonArray>

namespace rk710sim {

BoardCounters::BoardCounters()
{
    for (int p = 0; p < PERIODS; ++p)
        reset(p);
}

const QList<int>& BoardCounters::denominations()
{
    static const QList<int> values{5000, 2000, 1000, 500, 200, 100, 50, 20, 10, 5};
    return values;
}

int BoardCounters::denominationIndex(int cents)
{
    return int(denominations().indexOf(cents));
}

QString BoardCounters::periodName(int period)
{
    static const char* const names[PERIODS] = {"permanent", "partial", "daily"};
    return period >= 0 && period < PERIODS ? QString::fromLatin1(names[period]) : QString();
}

void BoardCounters::add(int index, int amount)
{
    for (int p = 0; p < PERIODS; ++p)
        m_values[p][index] = (m_values[p][index] + amount) & 0xFFFF;
}

void BoardCounters::countMoneyIn(int cents)
{
    const int index = denominationIndex(cents);
    if (index >= 0)
        add(index, 1);
}

void BoardCounters::countCoinsOut(int source, int coins)
{
    if (source >= 0 && source < 3 && coins > 0)
        add(HOPPER_BASE + source, coins);
}

bool BoardCounters::reset(int period)
{
    if (period < 0 || period >= PERIODS)
        return false;
    for (int i = 0; i < COUNT; ++i)
        m_values[period][i] = 0;
    return true;
}

QList<int> BoardCounters::values(int period) const
{
    QList<int> list;
    if (period >= 0 && period < PERIODS)
        list = QList<int>(m_values[period], m_values[period] + COUNT);
    return list;
}

QJsonObject BoardCounters::toJson() const
{
    QJsonObject json;
    for (int p = 0; p < PERIODS; ++p) {
        QJsonArray array;
        for (int v : values(p))
            array.append(v);
        json.insert(periodName(p), array);
    }
    return json;
}

void BoardCounters::applyJson(const QJsonObject& json)
{
    for (int p = 0; p < PERIODS; ++p) {
        const QJsonArray array = json.value(periodName(p)).toArray();
        for (int i = 0; i < COUNT && i < array.size(); ++i)
            m_values[p][i] = array.at(i).toInt() & 0xFFFF;
    }
}

} // namespace rk710sim
