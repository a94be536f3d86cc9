#pragma once

class CreditPacket;

// One transfer between the machine and a cashless card, a charge or a
// recharge, as the board answered it and as the card's balance shows it.
// The board's answer decides; the balance only settles an answer that was
// lost. When both are known and disagree, the answer is booked and an
// operator is told.
class CardTransfer
{
public:
    enum Direction { Charge = -1, Recharge = 1 };
    enum Finding {
        // The board answered and the balance agrees, or cannot be read.
        Answered,
        // The answer was lost; the balance tells what moved.
        SettledByBalance,
        // The answer was lost and the balance cannot tell: counted as done.
        Unconfirmed,
        // The board answered, the balance moved otherwise.
        Disagreement
    };

    // answered: what the board's answer says moved (0 to requested). When
    // the answer was lost the board reports the whole amount.
    CardTransfer(Direction direction, int requested, int answered, bool answerLost);

    // The card's balance before the transfer (cardId -1 without a card) and
    // the board's credit report taken after it.
    void readBalance(int cardId, int balanceBefore, const CreditPacket& after);

    int requested() const { return m_requested; }
    // What the books take as moved.
    int moved() const;
    Finding finding() const;
    // How far the balance moved in the transfer's direction; valid only when
    // the balance could be read.
    int balanceMoved() const { return m_balanceMoved; }

private:
    Direction m_direction;
    int m_requested;
    int m_answered;
    bool m_answerLost;
    bool m_balanceKnown = false;
    int m_balanceMoved = 0;
};
