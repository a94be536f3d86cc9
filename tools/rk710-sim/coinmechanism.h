#pragma once

#include <QJsonObject>
#include <QList>

namespace rk710sim {

// Where coins are kept for paying out: the changer's tubes (one per
// denomination, filled by accepted coins until full) and two hoppers, each
// paying coins of the value the host set for it (0: the hopper pays nothing).
class CoinMechanism
{
public:
    struct Store
    {
        int value = 0;
        int coins = 0;
        int capacity = 0;
    };

    // Coins taken out by one pay-out, per source: hopper 1, hopper 2, tubes.
    struct Payout
    {
        int paid = 0;
        int remainder = 0;
        int coinsBySource[3] = {0, 0, 0};
        int coinCount() const { return coinsBySource[0] + coinsBySource[1] + coinsBySource[2]; }
    };

    static const int HOPPERS = 2;

    CoinMechanism();

    bool changerPresent() const { return m_changerPresent; }
    void setChangerPresent(bool present) { m_changerPresent = present; }
    bool hopperPresent(int hopper) const;
    void setHopperPresent(int hopper, bool present);

    const Store& hopper(int hopper) const { return m_hoppers[hopper]; }
    // Host-set coin value of hopper 0 or 1.
    void setHopperValue(int hopper, int cents);
    void setHopperCoins(int hopper, int coins);
    void setHopperCapacity(int hopper, int capacity);
    bool hopperHoldsCoins(int hopper) const;

    const QList<Store>& tubes() const { return m_tubes; }
    // False when the changer has no tube of that value.
    bool setTubeCoins(int value, int coins);
    void emptyTubes();
    // The changer can pay change when it is there and a tube holds coins.
    bool canGiveChange() const;

    // An accepted coin drops into its tube when there is room; returns false
    // when it went to the cash box instead.
    bool routeCoin(int cents);

    // Pays amount with the fewest coins among the ways that leave the smallest
    // remainder, and takes the coins out.
    Payout payOut(int amount);
    // Takes up to count coins out of a hopper; returns how many came out.
    int dispense(int hopper, int count);

    QJsonObject toJson() const;
    void applyJson(const QJsonObject& json);

private:
    struct Source
    {
        int index; // 0, 1: hoppers; 2 + i: tube i
        int value;
        int available;
    };
    QList<Source> payingSources() const;
    void takeCoins(const Source& source, int coins, Payout& payout);

    bool m_changerPresent = true;
    bool m_hopperPresent[HOPPERS] = {true, true};
    Store m_hoppers[HOPPERS];
    QList<Store> m_tubes;
};

} // namespace rk710sim
