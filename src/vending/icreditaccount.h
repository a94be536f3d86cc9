#pragma once

class CardTransfer;
class CreditPacket;

// What the credit reader asks of the session's credit, from its own thread.
class ICreditAccount
{
public:
    virtual ~ICreditAccount() = default;

    // Takes a credit report of the board; returns the credit afterwards.
    virtual int update(const CreditPacket& packet) = 0;
    // The cash that may go onto the cashless card now; 0 when none may.
    virtual int getRechargableAmount() const = 0;
    // A recharge of amount is about to start on the board.
    virtual void beginRecharge(int amount) = 0;
    // Books a recharge of cash onto the card.
    virtual void notifyRechargeResult(const CardTransfer& transfer) = 0;
    virtual int cardId() const = 0;
    // The card's balance as last reported; -1 without a card.
    virtual int cardBalance() const = 0;
};
