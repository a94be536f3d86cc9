#include "accounting/accounting.h"

#include "core/xmltag.h"
#include "core/xmlwriting.h"

#include <QCoreApplication>
#include <QDebug>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <algorithm>
#include <iterator>

namespace {

const char* const DATE_FORMAT = "yyyy-MM-dd'T'hh:mm:ss";

// The order of the children in the file differs from the enumeration.
struct SelectorElement
{
    const char* name;
    Accounting::Selector selector;
    int counter; // counter read from the "count" attribute, or -1
};

const SelectorElement SELECTOR_ELEMENTS[] = {
    {"banknotes", Accounting::Banknotes, -1},
    {"coins", Accounting::Coins, -1},
    {"coin-box", Accounting::CoinBox, -1},
    {"recharges", Accounting::Recharges, Accounting::RechargeCount},
    {"cash-income", Accounting::CashIncome, -1},
    {"cashless-income", Accounting::CashlessIncome, -1},
    {"pos-income", Accounting::PosIncome, -1},
    {"change-delivered", Accounting::ChangeDelivered, Accounting::ChangeCount},
    {"extra-income", Accounting::ExtraIncome, -1},
};

const char* const SELECTOR_LABELS[] = {
    QT_TRANSLATE_NOOP("Accounting", "Banconote"),
    QT_TRANSLATE_NOOP("Accounting", "Monete"),
    QT_TRANSLATE_NOOP("Accounting", "Ricariche"),
    QT_TRANSLATE_NOOP("Accounting", "Incasso contante"),
    QT_TRANSLATE_NOOP("Accounting", "Incasso cashless"),
    QT_TRANSLATE_NOOP("Accounting", "Incasso POS"),
    QT_TRANSLATE_NOOP("Accounting", "Totale resti"),
    QT_TRANSLATE_NOOP("Accounting", "Credito dovuto"),
    QT_TRANSLATE_NOOP("Accounting", "Cashbox monete"),
};

const char* const COUNTER_LABELS[] = {
    QT_TRANSLATE_NOOP("Accounting", "Numero ricariche"),
    QT_TRANSLATE_NOOP("Accounting", "Resti erogati"),
};

bool is_dispenser(int index)
{
    return index >= 0 && index < Accounting::DISPENSER_COUNT;
}

QString format_date(const QDateTime& date)
{
    return date.isValid() ? date.toString(QLatin1String(DATE_FORMAT)) : QString();
}

QDateTime read_date(const QStringView text)
{
    return QDateTime::fromString(text.toString(), Qt::ISODate);
}

} // namespace

Accounting::Accounting(const QDateTime& creation)
    : m_creationDate(creation)
{
}

qint64 Accounting::get(Selector selector) const
{
    return selector >= 0 && selector < SelectorCount ? m_selectors[selector] : -1;
}

int Accounting::get(Counter counter) const
{
    return counter >= 0 && counter < CounterCount ? m_counters[counter] : -1;
}

void Accounting::add(Selector selector, qint64 amount)
{
    if (selector >= 0 && selector < SelectorCount)
        m_selectors[selector] += amount;
}

void Accounting::add(Counter counter, int count)
{
    if (counter >= 0 && counter < CounterCount)
        m_counters[counter] += count;
}

int Accounting::dispensedCount(int dispenser) const
{
    return is_dispenser(dispenser) ? m_dispensedCount[dispenser] : 0;
}

qint64 Accounting::dispensedAmount(int dispenser) const
{
    return is_dispenser(dispenser) ? m_dispensedAmount[dispenser] : 0;
}

void Accounting::recordItemDispensedCount(const QList<int>& dispensers, int amount)
{
    for (int dispenser : dispensers) {
        if (!is_dispenser(dispenser))
            continue;
        m_dispensedCount[dispenser] += 1;
        m_dispensedAmount[dispenser] += amount;
    }
}

void Accounting::subtract(const Accounting& part)
{
    for (int i = 0; i < SelectorCount; ++i)
        m_selectors[i] -= part.m_selectors[i];
    for (int i = 0; i < CounterCount; ++i)
        m_counters[i] -= part.m_counters[i];
    for (int i = 0; i < DISPENSER_COUNT; ++i) {
        m_dispensedCount[i] -= part.m_dispensedCount[i];
        m_dispensedAmount[i] -= part.m_dispensedAmount[i];
    }
}

void Accounting::resetCounters()
{
    std::fill(std::begin(m_dispensedCount), std::end(m_dispensedCount), 0);
    std::fill(std::begin(m_dispensedAmount), std::end(m_dispensedAmount), 0);
}

void Accounting::toXml(QXmlStreamWriter& writer) const
{
    writer.writeAttribute(QStringLiteral("creation-date"), format_date(m_creationDate));
    writer.writeAttribute(QStringLiteral("last-update"), format_date(m_lastUpdate));
    for (const SelectorElement& element : SELECTOR_ELEMENTS) {
        QStringList attributes;
        if (element.counter >= 0)
            attributes << QStringLiteral("count") << QString::number(m_counters[element.counter]);
        VM24::write_text_element(element.name, QString::number(m_selectors[element.selector]), attributes,
                                 writer);
    }
    VM24::XmlTag dispensers("dispensers", writer);
    for (int i = 0; i < DISPENSER_COUNT; ++i) {
        VM24::write_empty_element("dispenser",
                                  {QStringLiteral("index"), QString::number(i), QStringLiteral("count"),
                                   QString::number(m_dispensedCount[i]), QStringLiteral("amount"),
                                   QString::number(m_dispensedAmount[i])},
                                  writer);
    }
}

void Accounting::fromXml(QXmlStreamReader& reader)
{
    resetCounters();
    const QXmlStreamAttributes attributes = reader.attributes();
    m_creationDate = read_date(attributes.value(QLatin1String("creation-date")));
    m_lastUpdate = read_date(attributes.value(QLatin1String("last-update")));
    while (reader.readNextStartElement()) {
        const auto found = std::find_if(std::begin(SELECTOR_ELEMENTS), std::end(SELECTOR_ELEMENTS),
                                        [&reader](const SelectorElement& element) {
                                            return reader.name() == QLatin1String(element.name);
                                        });
        if (found != std::end(SELECTOR_ELEMENTS)) {
            if (found->counter >= 0)
                m_counters[found->counter] = reader.attributes().value(QLatin1String("count")).toInt();
            m_selectors[found->selector] = reader.readElementText().trimmed().toLongLong();
        } else if (reader.name() == QLatin1String("dispensers")) {
            readDispensers(reader);
        } else {
            reader.skipCurrentElement();
        }
    }
}

void Accounting::readDispensers(QXmlStreamReader& reader)
{
    while (reader.readNextStartElement()) {
        if (reader.name() == QLatin1String("dispenser")) {
            const QXmlStreamAttributes attributes = reader.attributes();
            bool ok = false;
            const int index = attributes.value(QLatin1String("index")).toInt(&ok);
            if (ok && is_dispenser(index)) {
                m_dispensedCount[index] = attributes.value(QLatin1String("count")).toInt();
                m_dispensedAmount[index] = attributes.value(QLatin1String("amount")).toLongLong();
            }
        }
        reader.skipCurrentElement();
    }
}

QString Accounting::selectorString(Selector selector)
{
    if (selector < 0 || selector >= SelectorCount)
        return QString();
    return QCoreApplication::translate("Accounting", SELECTOR_LABELS[selector]);
}

QString Accounting::counterString(Counter counter)
{
    if (counter < 0 || counter >= CounterCount)
        return QString();
    return QCoreApplication::translate("Accounting", COUNTER_LABELS[counter]);
}

bool Accounting::operator==(const Accounting& other) const
{
    return std::equal(std::begin(m_selectors), std::end(m_selectors), std::begin(other.m_selectors))
        && std::equal(std::begin(m_counters), std::end(m_counters), std::begin(other.m_counters))
        && std::equal(std::begin(m_dispensedCount), std::end(m_dispensedCount), std::begin(other.m_dispensedCount))
        && std::equal(std::begin(m_dispensedAmount), std::end(m_dispensedAmount),
                      std::begin(other.m_dispensedAmount))
        && m_creationDate == other.m_creationDate && m_lastUpdate == other.m_lastUpdate;
}

QDebug operator<<(QDebug debug, const Accounting& accounting)
{
    QDebugStateSaver saver(debug);
    debug.noquote().nospace()
        << QStringLiteral("Accounting{ banknotes=%1, coins=%2, coinboxrecharges=%3, cash=%4, cashless=%5, "
                          "pos=%6, change=%7, extra=%8, creation=%9, lstUpdate=%10 }")
               .arg(accounting.get(Accounting::Banknotes))
               .arg(accounting.get(Accounting::Coins))
               .arg(accounting.get(Accounting::Recharges))
               .arg(accounting.get(Accounting::CashIncome))
               .arg(accounting.get(Accounting::CashlessIncome))
               .arg(accounting.get(Accounting::PosIncome))
               .arg(accounting.get(Accounting::ChangeDelivered))
               .arg(accounting.get(Accounting::ExtraIncome))
               .arg(accounting.creationDate().toString(Qt::ISODate),
                    accounting.lastUpdate().toString(Qt::ISODate));
    return debug;
}
