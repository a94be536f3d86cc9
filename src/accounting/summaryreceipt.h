#pragma once

#include "accounting/ledger.h"
#include "board/receipthelper.h"

#include <QDateTime>
#include <QList>
#include <QPair>

class AccountingCounters;

namespace VM24 {

// The printed summary of one period: its dates, the same totals and board
// counters as the report on screen, and the items per selection; header is
// the receipt rows of the settings.
ReceiptHelper compile_summary_receipt(const QStringList& header, Ledger::Frequency frequency,
                                      const Accounting& accounting, const AccountingCounters& counters);

// The credit notes (time, amount in cents) of the last days as one receipt.
ReceiptHelper compile_overpay_receipt(const QStringList& header, const QList<QPair<QDateTime, int>>& rows, int days,
                                      const QDateTime& now);

// A label and its value on one receipt row joined by fill; a label too long
// for the row is cut, never the value.
void receipt_row(ReceiptHelper& receipt, const QString& label, const QString& value, char fill = '.');

} // namespace VM24
