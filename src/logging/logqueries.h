#pragma once

#include "logging/logrowrebuilder.h"

#include <QDateTime>
#include <QList>
#include <QPair>
#include <QStringList>

// Readers of the event log for the operator's pages. Each runs in the
// calling thread on that thread's connection (logging/logdatabase.h).
namespace VM24 {

// The rows of the given categories, newest first, rebuilt as notifications;
// with no categories every row but the debug ones. Rows that cannot be read
// are skipped. Empty, with *ok false, when the log cannot be read.
LogEntries read_log_entries(const QStringList& categories, bool* ok = nullptr);

// The credit notes (time and amount in cents) of the last days, oldest
// first. Empty, with *ok false, when the log cannot be read.
QList<QPair<QDateTime, int>> read_overpay_rows(int days, bool* ok = nullptr);

} // namespace VM24
