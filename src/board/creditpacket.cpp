#include "board/creditpacket.h"

#include <QDebug>

CreditPacket::CreditPacket(int bill, int coins, int pos, int cashless, int coinBox, int cardId)
    : bill(bill)
    , coins(coins)
    , pos(pos)
    , cashless(cashless)
    , coinBox(coinBox)
    , cardId(cardId)
{
}

int CreditPacket::method() const
{
    if (pos > 0)
        return Pos;
    if (cardId != -1)
        return CashlessCard;
    if (bill > 0 || coins > 0)
        return Cash;
    return None;
}

namespace {

QString methodName(int method)
{
    switch (method) {
    case CreditPacket::None: return QStringLiteral("N/A");
    case CreditPacket::Pos: return QStringLiteral("POS");
    default: return QStringLiteral("Cash-Cashless");
    }
}

} // namespace

QString CreditPacket::toString() const
{
    const int m = method();
    return QStringLiteral("{ bill=%1; coins=%2; coin-box=%3; pos=%4; cashless=%5; card-id=%6; method=%7 }")
        .arg(bill)
        .arg(coins)
        .arg(coinBox)
        .arg(pos)
        .arg(cashless)
        .arg(m == CashlessCard ? cardId : -1)
        .arg(methodName(m));
}

bool CreditPacket::operator==(const CreditPacket& other) const
{
    return bill == other.bill && coins == other.coins && pos == other.pos && cashless == other.cashless
        && coinBox == other.coinBox && cardId == other.cardId;
}

QDebug operator<<(QDebug debug, const CreditPacket& packet)
{
    QDebugStateSaver saver(debug);
    debug.noquote().nospace() << '"' << packet.toString() << '"';
    return debug;
}
