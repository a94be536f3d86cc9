#pragma once

#include <QString>

class QDebug;

// The credit the board holds, as answered to the credit request. Amounts in
// euro cents. A packet that could not be read has bill -1 and cardId -1.
class CreditPacket
{
public:
    enum Method : int { None = 0, Cash = 1, CashlessCard = 2, Pos = 3 };

    // The failed packet.
    CreditPacket() = default;
    CreditPacket(int bill, int coins, int pos, int cashless, int coinBox, int cardId);

    static CreditPacket failed() { return CreditPacket(); }
    bool isValid() const { return bill >= 0; }

    // 3 POS, 2 cashless card, 1 cash, 0 nothing.
    int method() const;
    QString toString() const;

    bool operator==(const CreditPacket& other) const;
    bool operator!=(const CreditPacket& other) const { return !(*this == other); }

    int bill = -1;
    int coins = 0;
    int pos = 0;
    int cashless = 0;
    int coinBox = 0;
    int cardId = -1;
};

QDebug operator<<(QDebug debug, const CreditPacket& packet);
