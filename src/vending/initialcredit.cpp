#include "vending/initialcredit.h"

#include "accounting/accountingservice.h"
#include "board/creditpacket.h"
#include "board/rk710controller.h"
#include "board/rk710serialprotocol.h"
#include "core/vm24.h"
#include "logging/notifications.h"
#include "logging/overpaynotification.h"
#include "vending/vendinglog.h"

#include <QCoreApplication>

namespace {

const int RESULT_LENGTH = 3;
const int REMAINDER_LENGTH = 4;

// What the board holds that is not booked yet: all of it, unless the
// journal says that a booked credit may still be on the board; a board that
// holds less than that was cleared.
CreditPacket not_yet_booked(const CreditPacket& board, const SessionJournal::BoardCredit& booked)
{
    if (!booked.booked || board.bill < booked.bill || board.coins < booked.coins || board.coinBox < booked.coinBox)
        return board;
    CreditPacket rest = board;
    rest.bill -= booked.bill;
    rest.coins -= booked.coins;
    rest.coinBox -= booked.coinBox;
    return rest;
}

struct OperationEnd
{
    bool settled = false;
    int result = 0;    // 1 when a motor delivered or a card was charged
    int remainder = 0; // of a pay-out or a recharge
};

OperationEnd await_operation_end(Rk710Controller* controller, char letter)
{
    quint8 reply[Rk710SerialProtocol::LONG_COMMAND_REPLY_SIZE] = {};
    int length = sizeof reply;
    const int status = controller->awaitOperationLeftRunning(reply, length);
    OperationEnd end;
    const bool ended = status == Rk710SerialProtocol::Finished || status == Rk710SerialProtocol::FinishedWithRemainder;
    if (!ended || length < RESULT_LENGTH || reply[0] != quint8(letter))
        return end;
    end.settled = true;
    end.result = reply[2];
    end.remainder = length >= REMAINDER_LENGTH ? (reply[2] << 8 | reply[3]) : 0;
    return end;
}

void warn_unsettled(VM24::NotificationService* notifications, const char* kind, const QString& text)
{
    // The kind is for whoever reads the program's output; the warning row for the operator.
    qCWarning(vendingLog) << "unsettled after a restart:" << kind;
    notifications->notify(std::make_unique<VM24::WarningNotification>(text, VM24::WarningNotification::Owner));
}

// Settles the operation the session was running at the crash into the
// journal's session, as the board reports its end. An end the board does not
// report is booked as the running session would have booked an unconfirmed
// one: a motor cycle as not delivered (the customer keeps the credit), a
// pay-out and a recharge as done, a card charge as not made.
void settle_operation(Rk710Controller* controller, VM24::NotificationService* notifications,
                      SessionJournal::OpenSession& s)
{
    SessionBalance& b = s.balance;
    switch (s.operation) {
    case SessionJournal::NoOperation:
        return;
    case SessionJournal::MotorCycle: {
        const OperationEnd end = await_operation_end(controller, 'T');
        if (end.settled && end.result != 0)
            s.delivered.append(s.dispenser);
        if (!end.settled) {
            warn_unsettled(notifications, "delivery",
                           QCoreApplication::translate("ProductPage",
                               "Erogazione dall'erogatore %1 interrotta da un riavvio e non confermata dalla "
                               "scheda: non registrata")
                               .arg(Motor::fromIndex(s.dispenser).number()));
        }
        break;
    }
    case SessionJournal::ChangePayout: {
        const OperationEnd end = await_operation_end(controller, 'R');
        const int paid = end.settled ? s.amount - qBound(0, end.remainder, s.amount) : s.amount;
        if (!end.settled) {
            warn_unsettled(notifications, "change",
                           QCoreApplication::translate("ProductPage",
                               "Erogazione resto di euro %1 interrotta da un riavvio e non confermata dalla "
                               "scheda: registrata come erogata")
                               .arg(VM24::format_credit(s.amount)));
        }
        if (paid > 0) {
            b.changeDelivered += paid;
            b.changeCount += 1;
            b.extraCredit -= paid;
        }
        break;
    }
    case SessionJournal::CardCharge: {
        const OperationEnd end = await_operation_end(controller, 'B');
        if (end.settled && end.result != 0) {
            s.withdrawnCashless += s.amount;
            b.extraCredit += s.amount;
        }
        if (!end.settled) {
            warn_unsettled(notifications, "card-charge",
                           QCoreApplication::translate("ProductPage",
                               "Addebito cashless di euro %1 interrotto da un riavvio e non confermato dalla "
                               "scheda: non registrato")
                               .arg(VM24::format_credit(s.amount)));
        }
        break;
    }
    case SessionJournal::CardRecharge: {
        const OperationEnd end = await_operation_end(controller, 'D');
        const int moved = end.settled ? s.amount - qBound(0, end.remainder, s.amount) : s.amount;
        if (!end.settled) {
            warn_unsettled(notifications, "recharge",
                           QCoreApplication::translate("ProductPage",
                               "Ricarica cashless di euro %1 interrotta da un riavvio e non confermata dalla "
                               "scheda: registrata come accreditata")
                               .arg(VM24::format_credit(s.amount)));
        }
        b.recharges += moved;
        b.rechargeCount += 1;
        b.extraCredit -= moved;
        break;
    }
    }
    s.operation = SessionJournal::NoOperation;
}

// Books the session that was open at the crash; returns the credit kept.
int book_open_session(Rk710Controller* controller, AccountingService* accounting,
                      VM24::NotificationService* notifications, SessionJournal::OpenSession s,
                      const CreditPacket& board, const SessionJournal::BoardCredit& boardCredit)
{
    settle_operation(controller, notifications, s);
    SessionBalance& b = s.balance;
    // Delivered products not yet booked are spent now.
    if (!s.delivered.isEmpty()) {
        accounting->recordItemDispensed(s.delivered, s.unitPrice);
        const int total = int(s.delivered.size()) * s.unitPrice;
        b.extraCredit -= total;
        if (s.method == CreditPacket::CashlessCard)
            b.cashlessIncome += total;
        else if (s.method == CreditPacket::Pos)
            b.posIncome += total;
        else if (s.method == CreditPacket::Cash)
            b.cashIncome += total;
    }
    // Cash that came in after the last step reached the disk is on the board.
    const int bill = qMax(b.banknotes, board.bill);
    const int coins = qMax(b.coins, board.coins);
    b.extraCredit += (bill - b.banknotes) + (coins - b.coins);
    b.banknotes = bill;
    b.coins = coins;
    b.coinBox = qMax(b.coinBox, board.coinBox);
    accounting->bookClosedSession(b, boardCredit);
    qCWarning(vendingLog) << "session open at the last stop booked: cash" << bill + coins << "kept" << b.extraCredit;
    return b.extraCredit;
}

} // namespace

namespace VM24 {

void book_initial_credit(Rk710Controller* controller, AccountingService* accounting,
                         NotificationService* notifications)
{
    const CreditPacket credit = controller->getInitialCredit();
    // A board that could not be read keeps its credit and the journal its
    // session until a start-up that reads it.
    if (credit.bill < 0)
        return;
    const SessionJournal journal = accounting->journal();
    const CreditPacket fresh = not_yet_booked(credit, journal.boardCredit);
    const SessionJournal::BoardCredit onBoard{true, credit.bill, credit.coins, credit.coinBox};
    const bool boardHolds = credit.bill + credit.coins + credit.coinBox > 0;
    int kept = 0;
    if (journal.session.open) {
        kept = book_open_session(controller, accounting, notifications, journal.session, fresh, onBoard);
    } else if (fresh.bill + fresh.coins > 0) {
        accounting->registerInitialCredit(fresh);
        kept = fresh.bill + fresh.coins;
        accounting->noteBoardCreditBooked(onBoard);
    } else if (boardHolds) {
        accounting->noteBoardCreditBooked(onBoard);
    }
    if (!boardHolds || controller->clear())
        accounting->forgetBoardCredit();
    if (kept > 0)
        notifications->notify(std::make_unique<OverpayNotification>(kept));
}

} // namespace VM24
