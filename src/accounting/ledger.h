#pragma once

#include <functional>

#include "accounting/accounting.h"

#include <QDateTime>
#include <QList>
#include <QString>

class QXmlStreamReader;
class QXmlStreamWriter;

// The machine's books: the same totals kept over three periods. Permanent
// and partial are reset by the operator; the log period covers one day.
class Ledger
{
public:
    enum Frequency { Permanent = 1, Partial = 2, Log = 4 };
    static const Frequency FREQUENCIES[3];

    // Three empty periods without dates.
    Ledger() = default;
    // Three empty periods starting at creation.
    explicit Ledger(const QDateTime& creation);

    // The permanent record for any value other than Partial and Log.
    const Accounting& get(Frequency frequency) const;
    Accounting& get(Frequency frequency);

    void recordItemDispensedCount(const QList<int>& dispensers, int amount);
    // The period starts again at t with every number 0. Does nothing for a
    // value other than the three frequencies.
    void reset(Frequency frequency, const QDateTime& t);
    void reset(const QDateTime& t);

    void toXml(QXmlStreamWriter& writer) const;
    // The same with more children of the ledger element after the periods.
    void toXml(QXmlStreamWriter& writer, const std::function<void(QXmlStreamWriter&)>& more) const;
    // True when the first element is "ledger" and the whole document is
    // well formed; reads the first three children under it. On false the
    // records may have been partly overwritten: read into a scratch ledger.
    bool fromXml(QXmlStreamReader& reader);

    bool operator==(const Ledger& other) const;
    bool operator!=(const Ledger& other) const { return !(*this == other); }

private:
    Accounting* record(const QStringView type);

    Accounting m_permanent;
    Accounting m_partial;
    Accounting m_log;
};

namespace VM24 {
// "Totale", "Parziale", "Log"; empty for any other value.
QString frequency_to_string(int frequency);
} // namespace VM24
