#pragma once

#include <QList>
#include <QString>

class Accounting;
class AccountingCounters;
class Ledger;
class QIODevice;

namespace VM24 {

// One row of a books summary: its label and its value as shown.
struct ReportLine
{
    QString label;
    QString value;
};

// The totals of a period in the order both the screen report and the
// printed summary show them; the coin box only when asked for.
QList<ReportLine> ledger_lines(const Accounting& accounting, bool withCoinBox);
// The board's counters of one period: hoppers 1 and 2, coins from 5 cents
// up, then banknotes from 5 euros up.
QList<ReportLine> board_counter_lines(const AccountingCounters& counters);

// Writes the HTML report of the ledger and of the board's counters to an
// open device. frequencies is a bit set of Ledger::Frequency choosing the
// periods (columns), always shown in the order permanent, partial, log.
void accounting_to_html(const Ledger& ledger, QIODevice* device, const AccountingCounters& permanent,
                        const AccountingCounters& partial, const AccountingCounters& daily, int frequencies);
// The same report as a string.
QString complete_accounting_to_html(const Ledger& ledger, const AccountingCounters& permanent,
                                    const AccountingCounters& partial, const AccountingCounters& daily,
                                    int frequencies);

} // namespace VM24
