#include "accounting/evadtsreport.h"

#include "core/vm24.h"

#include <QStringList>

namespace {

const char* const MODEL = "VM24";
const char* const BOARD_MODEL = "RK710";
const char* const DOOR_OPENED_EVENT = "EGS";
const char* const CONTROL_NUMBER = "0001";

// A sum of 64-bit totals, exact however large they are: the ledger keeps
// each total in 64 bits, and the audit adds several of them up. A negative
// total, which no booking makes, counts as 0 (the audit's fields are
// unsigned).
class Sum
{
public:
    Sum() = default;
    explicit Sum(qint64 value) { add(value); }

    Sum& add(qint64 value)
    {
        if (value <= 0)
            return *this;
        const quint64 before = m_low;
        m_low += quint64(value);
        if (m_low < before)
            ++m_high;
        return *this;
    }

    QString toString() const
    {
        if (m_high == 0)
            return QString::number(m_low);
        // Long division by ten over four 32-bit limbs.
        quint32 limbs[4] = {quint32(m_high >> 32), quint32(m_high), quint32(m_low >> 32), quint32(m_low)};
        QString digits;
        bool nonZero = true;
        while (nonZero) {
            quint64 remainder = 0;
            nonZero = false;
            for (quint32& limb : limbs) {
                const quint64 current = (remainder << 32) | limb;
                limb = quint32(current / 10);
                remainder = current % 10;
                nonZero = nonZero || limb != 0;
            }
            digits.prepend(QChar(u'0' + int(remainder)));
        }
        return digits;
    }

private:
    quint64 m_high = 0;
    quint64 m_low = 0;
};

QString number(qint64 value)
{
    return Sum(value).toString();
}

QString income(const Accounting& a)
{
    return Sum(a.get(Accounting::CashIncome))
        .add(a.get(Accounting::CashlessIncome))
        .add(a.get(Accounting::PosIncome))
        .toString();
}

QString cashless_income(const Accounting& a)
{
    return Sum(a.get(Accounting::CashlessIncome)).add(a.get(Accounting::PosIncome)).toString();
}

QString items_dispensed(const Accounting& a)
{
    Sum sum;
    for (int i = 0; i < Accounting::DISPENSER_COUNT; ++i)
        sum.add(a.dispensedCount(i));
    return sum.toString();
}

QString cash_in(const Accounting& a)
{
    return Sum(a.get(Accounting::Coins)).add(a.get(Accounting::Banknotes)).toString();
}

// Coins inserted that did not fall into the coin box went to the tubes.
QString coins_to_tubes(const Accounting& a)
{
    const qint64 coins = qMax<qint64>(0, a.get(Accounting::Coins));
    const qint64 box = qMax<qint64>(0, a.get(Accounting::CoinBox));
    return number(qMax<qint64>(0, coins - box));
}

QString since_initialisation(const std::optional<EvaDtsReport::PeriodCount>& count)
{
    return count ? number(count->sinceInitialisation) : QString();
}

QString since_reset(const std::optional<EvaDtsReport::PeriodCount>& count)
{
    return count ? number(count->sinceReset) : QString();
}

QString date_of(const QDateTime& t)
{
    return t.isValid() ? t.toString(QStringLiteral("yyMMdd")) : QString();
}

QString time_of(const QDateTime& t)
{
    return t.isValid() ? t.toString(QStringLiteral("hhmm")) : QString();
}

// Fields may not hold the separator or a line end.
QString field_text(QString text)
{
    text.remove(QLatin1Char('*'));
    text.remove(QLatin1Char('\r'));
    text.remove(QLatin1Char('\n'));
    return text;
}

class Lines
{
public:
    void add(const char* block, const QStringList& fields)
    {
        QString line = QLatin1String(block);
        for (const QString& field : fields)
            line += QLatin1Char('*') + field_text(field);
        m_text += line.toLatin1() + "\r\n";
        ++m_count;
    }
    int count() const { return m_count; }
    const QByteArray& text() const { return m_text; }

private:
    QByteArray m_text;
    int m_count = 0;
};

} // namespace

quint16 EvaDtsReport::crc16(const QByteArray& bytes)
{
    quint16 crc = 0;
    for (const char byte : bytes) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? quint16((crc >> 1) ^ 0xA001) : quint16(crc >> 1);
    }
    return crc;
}

// EVA-DTS 6.1 audit, one transaction set. Blocks written, in this order:
// DXS, ST, ID1, ID4, CB1, VA1, CA2, DA2, CA3, CA4, CA8, CA15, DA4, then
// PA1, PA2 and PA5 for each of the 18 selections, EA2 (door opened with
// the key out), EA7, EA3, G85, SE, DXE. Every block has all its fields up
// to the last one written, empty where the figure is not known; amounts in
// cents (ID4: two decimals, euro), dates YYMMDD, times HHMM.
QByteArray EvaDtsReport::text() const
{
    const Accounting& init = sinceInitialisation;
    const Accounting& reset = sinceReset;
    const QString serial = VM24::format_serial(machineSerial);
    Lines set;
    set.add("ST", {QStringLiteral("001"), QLatin1String(CONTROL_NUMBER)});
    set.add("ID1", {serial, QLatin1String(MODEL), softwareVersion});
    set.add("ID4", {QStringLiteral("2"), QStringLiteral("978"), QStringLiteral("EUR")});
    set.add("CB1", {boardSerial, QLatin1String(BOARD_MODEL), boardFirmware});
    set.add("VA1", {income(init), items_dispensed(init), income(reset), items_dispensed(reset)});
    set.add("CA2", {number(init.get(Accounting::CashIncome)), since_initialisation(cashVends),
                    number(reset.get(Accounting::CashIncome)), since_reset(cashVends)});
    set.add("DA2", {cashless_income(init), since_initialisation(cashlessVends), cashless_income(reset),
                    since_reset(cashlessVends)});
    set.add("CA3", {cash_in(reset), number(reset.get(Accounting::CoinBox)), coins_to_tubes(reset),
                    number(reset.get(Accounting::Banknotes)), cash_in(init), number(init.get(Accounting::CoinBox)),
                    coins_to_tubes(init), number(init.get(Accounting::Banknotes))});
    set.add("CA4", {number(reset.get(Accounting::ChangeDelivered)), QString(),
                    number(init.get(Accounting::ChangeDelivered)), QString()});
    set.add("CA8", {number(reset.get(Accounting::ExtraIncome)), number(init.get(Accounting::ExtraIncome))});
    set.add("CA15", {tubeContents ? number(*tubeContents) : QString()});
    set.add("DA4", {number(reset.get(Accounting::Recharges)), number(init.get(Accounting::Recharges))});
    for (int i = 0; i < SELECTION_COUNT; ++i) {
        const Selection& selection = selections[size_t(i)];
        set.add("PA1", {QString::number(i + 1), selection.cashPrice ? number(*selection.cashPrice) : QString(),
                        selection.productId});
        set.add("PA2", {number(init.dispensedCount(i)), number(init.dispensedAmount(i)),
                        number(reset.dispensedCount(i)), number(reset.dispensedAmount(i))});
        set.add("PA5", {date_of(selection.lastSale), time_of(selection.lastSale)});
    }
    set.add("EA2", {QLatin1String(DOOR_OPENED_EVENT), since_reset(tamperEvents), since_initialisation(tamperEvents)});
    set.add("EA7", {since_reset(powerOutages), since_initialisation(powerOutages)});
    set.add("EA3", {QString::number(readsWithReset), date_of(readoutTime), time_of(readoutTime), QString(),
                    date_of(previousReadout), time_of(previousReadout), QString(), QString(),
                    QString::number(readouts)});
    const quint16 check = crc16(set.text());
    set.add("G85", {QStringLiteral("%1").arg(check, 4, 16, QLatin1Char('0')).toUpper()});
    set.add("SE", {QString::number(set.count() + 1), QLatin1String(CONTROL_NUMBER)});

    Lines head;
    head.add("DXS", {QLatin1String(MODEL) + serial, QStringLiteral("VA"), QStringLiteral("V0/6"), QStringLiteral("1")});
    Lines tail;
    tail.add("DXE", {QStringLiteral("1"), QStringLiteral("1")});
    return head.text() + set.text() + tail.text();
}
