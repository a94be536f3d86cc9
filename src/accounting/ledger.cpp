#include "accounting/ledger.h"

#include "core/xmltag.h"

#include <QCoreApplication>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace {

const char* type_of(Ledger::Frequency frequency)
{
    switch (frequency) {
    case Ledger::Permanent:
        return "permanent";
    case Ledger::Partial:
        return "partial";
    case Ledger::Log:
        return "log";
    }
    return "";
}

const int CHILDREN_READ = 3;

} // namespace

const Ledger::Frequency Ledger::FREQUENCIES[3] = {Ledger::Permanent, Ledger::Partial, Ledger::Log};

Ledger::Ledger(const QDateTime& creation)
    : m_permanent(creation)
    , m_partial(creation)
    , m_log(creation)
{
}

const Accounting& Ledger::get(Frequency frequency) const
{
    switch (frequency) {
    case Partial:
        return m_partial;
    case Log:
        return m_log;
    default:
        return m_permanent;
    }
}

Accounting& Ledger::get(Frequency frequency)
{
    return const_cast<Accounting&>(static_cast<const Ledger*>(this)->get(frequency));
}

void Ledger::recordItemDispensedCount(const QList<int>& dispensers, int amount)
{
    for (Frequency frequency : FREQUENCIES)
        get(frequency).recordItemDispensedCount(dispensers, amount);
}

void Ledger::reset(Frequency frequency, const QDateTime& t)
{
    if (frequency == Permanent || frequency == Partial || frequency == Log)
        get(frequency) = Accounting(t);
}

void Ledger::reset(const QDateTime& t)
{
    for (Frequency frequency : FREQUENCIES)
        reset(frequency, t);
}

void Ledger::toXml(QXmlStreamWriter& writer) const
{
    toXml(writer, [](QXmlStreamWriter&) {});
}

void Ledger::toXml(QXmlStreamWriter& writer, const std::function<void(QXmlStreamWriter&)>& more) const
{
    VM24::XmlTag ledger("ledger", writer);
    for (Frequency frequency : FREQUENCIES) {
        VM24::XmlTag accounting("accounting", {QStringLiteral("type"), QLatin1String(type_of(frequency))}, writer);
        get(frequency).toXml(writer);
    }
    more(writer);
}

bool Ledger::fromXml(QXmlStreamReader& reader)
{
    if (!reader.readNextStartElement() || reader.name() != QLatin1String("ledger"))
        return false;
    for (int attempt = 0; attempt < CHILDREN_READ; ++attempt) {
        if (!reader.readNextStartElement())
            break;
        Accounting* target = reader.name() == QLatin1String("accounting")
            ? record(reader.attributes().value(QLatin1String("type")))
            : nullptr;
        if (target)
            target->fromXml(reader);
        else
            reader.skipCurrentElement();
    }
    // A file cut short by a power loss starts well but cannot be trusted:
    // the rest of the document must be read without error.
    while (!reader.atEnd())
        reader.readNext();
    return !reader.hasError();
}

Accounting* Ledger::record(const QStringView type)
{
    for (Frequency frequency : FREQUENCIES) {
        if (type == QLatin1String(type_of(frequency)))
            return &get(frequency);
    }
    return nullptr;
}

bool Ledger::operator==(const Ledger& other) const
{
    return m_permanent == other.m_permanent && m_partial == other.m_partial && m_log == other.m_log;
}

namespace VM24 {

QString frequency_to_string(int frequency)
{
    switch (frequency) {
    case Ledger::Permanent:
        return QCoreApplication::translate("Accounting", "Totale");
    case Ledger::Partial:
        return QCoreApplication::translate("Accounting", "Parziale");
    case Ledger::Log:
        return QCoreApplication::translate("Accounting", "Log");
    }
    return QString();
}

} // namespace VM24
