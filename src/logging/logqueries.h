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

namespace VM24 {

// The events the audit file counts, over rows from one date on.
struct AuditEventTally
{
    int cashVends = 0;
    int cashlessVends = 0;
    int doorOpenedWithoutKey = 0;
    int powerOutages = 0;
};

struct AuditEvents
{
    AuditEventTally sinceInitialisation;
    AuditEventTally sinceReset;
    // Per dispenser 0..17: the time of its latest sale; null when none.
    QList<QDateTime> lastSale;
};

// Items sold (cash or card), tamper alarms raised and power cuts (emergency
// shutdowns) from initialisation and from reset on. Empty, with *ok false,
// when the log cannot be read.
AuditEvents read_audit_events(const QDateTime& initialisation, const QDateTime& reset, bool* ok = nullptr);

} // namespace VM24
