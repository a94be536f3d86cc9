#include "vending/cardtransfer.h"

#include "board/creditpacket.h"

#include <QtGlobal>

CardTransfer::CardTransfer(Direction direction, int requested, int answered, bool answerLost)
    : m_direction(direction)
    , m_requested(requested)
    , m_answered(answered)
    , m_answerLost(answerLost)
{
}

// The balance tells nothing about another card, no card or a failed read.
void CardTransfer::readBalance(int cardId, int balanceBefore, const CreditPacket& after)
{
    m_balanceKnown = cardId != -1 && balanceBefore >= 0 && after.isValid() && after.cardId == cardId;
    m_balanceMoved = m_balanceKnown ? m_direction * (after.cashless - balanceBefore) : 0;
}

int CardTransfer::moved() const
{
    return finding() == SettledByBalance ? qBound(0, m_balanceMoved, m_requested) : m_answered;
}

CardTransfer::Finding CardTransfer::finding() const
{
    if (m_answerLost)
        return m_balanceKnown ? SettledByBalance : Unconfirmed;
    return m_balanceKnown && m_balanceMoved != m_answered ? Disagreement : Answered;
}
