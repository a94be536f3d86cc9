#pragma once

#include "accounting/sessionbalance.h"

#include <QList>
#include <QString>

class QXmlStreamReader;
class QXmlStreamWriter;

// What the books need to settle a crash, kept in the ledger file itself so
// that one atomic write books a step and moves the journal on with it:
// - the session still open, as it would be booked now, with an operation
//   the board may be running for it (a motor cycle, a pay-out, a card
//   charge or a recharge) and the products of a delivery under way;
// - the board's credit that is booked already but may not yet be cleared
//   on the board, so that start-up does not book it a second time.
struct SessionJournal
{
    enum Operation { NoOperation, MotorCycle, ChangePayout, CardCharge, CardRecharge };

    struct OpenSession
    {
        bool open = false;
        // The cash credit is balance.extraCredit; what was charged to the
        // card is kept apart, as the board's credit does not show it.
        SessionBalance balance;
        qint32 withdrawnCashless = 0;
        int method = 0;
        // The delivery under way: delivered, not yet booked.
        QString productId;
        int unitPrice = 0;
        QList<int> delivered;
        Operation operation = NoOperation;
        int dispenser = -1;
        int amount = 0;
    };

    struct BoardCredit
    {
        bool booked = false;
        int bill = 0;
        int coins = 0;
        int coinBox = 0;
    };

    OpenSession session;
    BoardCredit boardCredit;

    bool isEmpty() const { return !session.open && !boardCredit.booked; }
    // Children of the ledger element.
    void toXml(QXmlStreamWriter& writer) const;
    // Reads the journal out of a whole ledger document; an empty journal
    // when it has none.
    static SessionJournal fromDocument(const QByteArray& document);
};
