#include "accounting/sessionjournal.h"

#include <QStringList>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace {

const char* const SESSION = "open-session";
const char* const BOARD_CREDIT = "board-credit-booked";

// The balance fields in a fixed order, for writing and reading alike.
QList<qint32*> balance_fields(SessionBalance& b)
{
    return {&b.banknotes,    &b.coins,       &b.recharges,     &b.changeDelivered, &b.cashIncome, &b.cashlessIncome,
            &b.posIncome,    &b.extraCredit, &b.rechargeCount, &b.changeCount,     &b.coinBox};
}

const char* const BALANCE_NAMES[] = {"banknotes",    "coins",         "recharges",   "change-delivered",
                                     "cash-income",  "cashless-income", "pos-income", "extra-credit",
                                     "recharge-count", "change-count", "coin-box"};

int attribute(const QXmlStreamReader& reader, const char* name)
{
    return reader.attributes().value(QLatin1String(name)).toInt();
}

} // namespace

void SessionJournal::toXml(QXmlStreamWriter& writer) const
{
    if (session.open) {
        writer.writeStartElement(QLatin1String(SESSION));
        SessionBalance balance = session.balance;
        const QList<qint32*> fields = balance_fields(balance);
        for (int i = 0; i < fields.size(); ++i)
            writer.writeAttribute(QLatin1String(BALANCE_NAMES[i]), QString::number(*fields.at(i)));
        writer.writeAttribute(QStringLiteral("withdrawn-cashless"), QString::number(session.withdrawnCashless));
        writer.writeAttribute(QStringLiteral("method"), QString::number(session.method));
        writer.writeAttribute(QStringLiteral("operation"), QString::number(session.operation));
        writer.writeAttribute(QStringLiteral("dispenser"), QString::number(session.dispenser));
        writer.writeAttribute(QStringLiteral("amount"), QString::number(session.amount));
        if (!session.productId.isEmpty() || !session.delivered.isEmpty()) {
            writer.writeStartElement(QStringLiteral("delivery"));
            writer.writeAttribute(QStringLiteral("product"), session.productId);
            writer.writeAttribute(QStringLiteral("unit-price"), QString::number(session.unitPrice));
            QStringList delivered;
            for (int dispenser : session.delivered)
                delivered.append(QString::number(dispenser));
            writer.writeAttribute(QStringLiteral("delivered"), delivered.join(QLatin1Char(' ')));
            writer.writeEndElement();
        }
        writer.writeEndElement();
    }
    if (boardCredit.booked) {
        writer.writeStartElement(QLatin1String(BOARD_CREDIT));
        writer.writeAttribute(QStringLiteral("bill"), QString::number(boardCredit.bill));
        writer.writeAttribute(QStringLiteral("coins"), QString::number(boardCredit.coins));
        writer.writeAttribute(QStringLiteral("coin-box"), QString::number(boardCredit.coinBox));
        writer.writeEndElement();
    }
}

SessionJournal SessionJournal::fromDocument(const QByteArray& document)
{
    SessionJournal journal;
    QXmlStreamReader reader(document);
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (reader.name() == QLatin1String(SESSION)) {
            OpenSession& s = journal.session;
            s.open = true;
            const QList<qint32*> fields = balance_fields(s.balance);
            for (int i = 0; i < fields.size(); ++i)
                *fields.at(i) = attribute(reader, BALANCE_NAMES[i]);
            s.withdrawnCashless = attribute(reader, "withdrawn-cashless");
            s.method = attribute(reader, "method");
            const int operation = attribute(reader, "operation");
            s.operation = operation >= NoOperation && operation <= CardRecharge ? Operation(operation) : NoOperation;
            s.dispenser = attribute(reader, "dispenser");
            s.amount = attribute(reader, "amount");
        } else if (reader.name() == QLatin1String("delivery")) {
            OpenSession& s = journal.session;
            s.productId = reader.attributes().value(QLatin1String("product")).toString();
            s.unitPrice = attribute(reader, "unit-price");
            const QStringList delivered = reader.attributes().value(QLatin1String("delivered")).toString().split(
                QLatin1Char(' '), Qt::SkipEmptyParts);
            for (const QString& dispenser : delivered)
                s.delivered.append(dispenser.toInt());
        } else if (reader.name() == QLatin1String(BOARD_CREDIT)) {
            journal.boardCredit.booked = true;
            journal.boardCredit.bill = attribute(reader, "bill");
            journal.boardCredit.coins = attribute(reader, "coins");
            journal.boardCredit.coinBox = attribute(reader, "coin-box");
        }
    }
    return journal;
}
