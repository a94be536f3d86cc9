#pragma once

#include <QJsonObject>
#include <QList>

namespace rk710sim {

// The board's cash counters for its three periods (0 permanent, 1 partial,
// 2 daily): pieces per denomination taken in, then coins paid out by hopper
// 1, hopper 2 and the changer tubes ("hopper 3"). Each is a 16-bit word on
// the wire and wraps like one.
class BoardCounters
{
public:
    static const int PERIODS = 3;
    static const int COUNT = 13;
    static const int HOPPER_BASE = 10;

    BoardCounters();

    // Index of a denomination in the counter order, -1 when it has none.
    static int denominationIndex(int cents);
    static const QList<int>& denominations();
    static QString periodName(int period);

    void countMoneyIn(int cents);
    // source 0 and 1: the hoppers; 2: the changer tubes.
    void countCoinsOut(int source, int coins);
    bool reset(int period);
    QList<int> values(int period) const;

    QJsonObject toJson() const;
    void applyJson(const QJsonObject& json);

private:
    void add(int index, int amount);

    int m_values[PERIODS][COUNT];
};

} // namespace rk710sim
