#include "coinmechanism.h"

#include <QJsonArray>

#include <algorithm>
#include <limits>
#include <vector>

namespace rk710sim {

namespace {

const int TUBE_VALUES[] = {5, 10, 20, 50, 100, 200};
const int DEFAULT_TUBE_CAPACITY = 80;
const int DEFAULT_HOPPER_CAPACITY = 600;

QJsonObject storeToJson(const CoinMechanism::Store& store)
{
    return QJsonObject{{"value", store.value}, {"coins", store.coins}, {"capacity", store.capacity}};
}

void applyStore(CoinMechanism::Store& store, const QJsonObject& json)
{
    store.capacity = std::max(0, json.value("capacity").toInt(store.capacity));
    store.coins = std::clamp(json.value("coins").toInt(store.coins), 0, store.capacity);
}

} // namespace

CoinMechanism::CoinMechanism()
{
    for (int value : TUBE_VALUES)
        m_tubes.append(Store{value, 0, DEFAULT_TUBE_CAPACITY});
    for (Store& hopper : m_hoppers)
        hopper.capacity = DEFAULT_HOPPER_CAPACITY;
}

bool CoinMechanism::hopperPresent(int hopper) const
{
    return hopper >= 0 && hopper < HOPPERS && m_hopperPresent[hopper];
}

void CoinMechanism::setHopperPresent(int hopper, bool present)
{
    if (hopper >= 0 && hopper < HOPPERS)
        m_hopperPresent[hopper] = present;
}

void CoinMechanism::setHopperValue(int hopper, int cents)
{
    m_hoppers[hopper].value = std::max(0, cents);
}

void CoinMechanism::setHopperCoins(int hopper, int coins)
{
    m_hoppers[hopper].coins = std::clamp(coins, 0, m_hoppers[hopper].capacity);
}

void CoinMechanism::setHopperCapacity(int hopper, int capacity)
{
    m_hoppers[hopper].capacity = std::max(0, capacity);
    m_hoppers[hopper].coins = std::min(m_hoppers[hopper].coins, m_hoppers[hopper].capacity);
}

bool CoinMechanism::hopperHoldsCoins(int hopper) const
{
    return hopperPresent(hopper) && m_hoppers[hopper].coins > 0;
}

bool CoinMechanism::setTubeCoins(int value, int coins)
{
    for (Store& tube : m_tubes) {
        if (tube.value == value) {
            tube.coins = std::clamp(coins, 0, tube.capacity);
            return true;
        }
    }
    return false;
}

void CoinMechanism::emptyTubes()
{
    for (Store& tube : m_tubes)
        tube.coins = 0;
}

bool CoinMechanism::canGiveChange() const
{
    return m_changerPresent
        && std::any_of(m_tubes.cbegin(), m_tubes.cend(), [](const Store& tube) { return tube.coins > 0; });
}

bool CoinMechanism::routeCoin(int cents)
{
    if (!m_changerPresent)
        return false;
    for (Store& tube : m_tubes) {
        if (tube.value == cents && tube.coins < tube.capacity) {
            ++tube.coins;
            return true;
        }
    }
    return false;
}

QList<CoinMechanism::Source> CoinMechanism::payingSources() const
{
    QList<Source> sources;
    for (int h = 0; h < HOPPERS; ++h) {
        if (hopperPresent(h) && m_hoppers[h].value > 0 && m_hoppers[h].coins > 0)
            sources.append(Source{h, m_hoppers[h].value, m_hoppers[h].coins});
    }
    if (m_changerPresent) {
        for (int t = 0; t < m_tubes.size(); ++t) {
            if (m_tubes[t].value > 0 && m_tubes[t].coins > 0)
                sources.append(Source{2 + t, m_tubes[t].value, m_tubes[t].coins});
        }
    }
    return sources;
}

void CoinMechanism::takeCoins(const Source& source, int coins, Payout& payout)
{
    if (source.index < HOPPERS) {
        m_hoppers[source.index].coins -= coins;
        payout.coinsBySource[source.index] += coins;
    } else {
        m_tubes[source.index - HOPPERS].coins -= coins;
        payout.coinsBySource[2] += coins;
    }
    payout.paid += coins * source.value;
}

CoinMechanism::Payout CoinMechanism::payOut(int amount)
{
    Payout payout;
    if (amount <= 0)
        return payout;

    // Bounded change-making: every source is split into lots of 1, 2, 4...
    // coins, and fewest[a] is the fewest coins that make exactly a.
    struct Lot
    {
        int source;
        int coins;
        int value;
    };
    const QList<Source> sources = payingSources();
    std::vector<Lot> lots;
    long long available = 0;
    for (int s = 0; s < sources.size(); ++s) {
        available += static_cast<long long>(sources[s].value) * sources[s].available;
        int left = sources[s].available;
        for (int lot = 1; left > 0; lot *= 2) {
            const int coins = std::min(lot, left);
            lots.push_back(Lot{s, coins, coins * sources[s].value});
            left -= coins;
        }
    }
    const int target = static_cast<int>(std::min<long long>(amount, available));
    const int unreachable = std::numeric_limits<int>::max();
    std::vector<int> fewest(size_t(target) + 1, unreachable);
    std::vector<std::vector<bool>> taken(lots.size(), std::vector<bool>(size_t(target) + 1, false));
    fewest[0] = 0;
    for (size_t l = 0; l < lots.size(); ++l) {
        for (int a = target; a >= lots[l].value; --a) {
            const int before = fewest[size_t(a - lots[l].value)];
            if (before != unreachable && before + lots[l].coins < fewest[size_t(a)]) {
                fewest[size_t(a)] = before + lots[l].coins;
                taken[l][size_t(a)] = true;
            }
        }
    }
    int best = target;
    while (best > 0 && fewest[size_t(best)] == unreachable)
        --best;

    int left = best;
    for (size_t l = lots.size(); l-- > 0;) {
        if (taken[l][size_t(left)]) {
            takeCoins(sources[lots[l].source], lots[l].coins, payout);
            left -= lots[l].value;
        }
    }
    payout.remainder = amount - payout.paid;
    return payout;
}

int CoinMechanism::dispense(int hopper, int count)
{
    if (!hopperPresent(hopper) || count <= 0)
        return 0;
    const int coins = std::min(count, m_hoppers[hopper].coins);
    m_hoppers[hopper].coins -= coins;
    return coins;
}

QJsonObject CoinMechanism::toJson() const
{
    QJsonArray hoppers;
    for (int h = 0; h < HOPPERS; ++h) {
        QJsonObject hopper = storeToJson(m_hoppers[h]);
        hopper.insert("present", m_hopperPresent[h]);
        hoppers.append(hopper);
    }
    QJsonArray tubes;
    for (const Store& tube : m_tubes)
        tubes.append(storeToJson(tube));
    return QJsonObject{{"hoppers", hoppers}, {"tubes", tubes}};
}

void CoinMechanism::applyJson(const QJsonObject& json)
{
    const QJsonArray hoppers = json.value("hoppers").toArray();
    for (int h = 0; h < HOPPERS && h < hoppers.size(); ++h) {
        const QJsonObject hopper = hoppers.at(h).toObject();
        m_hoppers[h].value = std::max(0, hopper.value("value").toInt(m_hoppers[h].value));
        applyStore(m_hoppers[h], hopper);
        m_hopperPresent[h] = hopper.value("present").toBool(m_hopperPresent[h]);
    }
    if (json.contains("tubes")) {
        // A start state may name its own tube set; tubes it leaves out keep
        // their place with no coins.
        const QJsonArray tubes = json.value("tubes").toArray();
        for (const QJsonValue& entry : tubes) {
            const QJsonObject tube = entry.toObject();
            const int value = tube.value("value").toInt();
            auto existing = std::find_if(m_tubes.begin(), m_tubes.end(),
                                         [value](const Store& s) { return s.value == value; });
            if (existing == m_tubes.end() && value > 0)
                existing = m_tubes.insert(m_tubes.end(), Store{value, 0, DEFAULT_TUBE_CAPACITY});
            if (existing != m_tubes.end())
                applyStore(*existing, tube);
        }
    }
}

} // namespace rk710sim
