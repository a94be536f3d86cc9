#pragma once

#include "core/vm24.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// The event-log database and how threads share it.
//
// An SQL connection may only be used by the thread that created it, and only
// one statement at a time may run on it. The thread that opens the log (the
// GUI thread, through PeriodicDbLogger) owns the connection with the given
// name. Any other thread that calls log_database() gets a connection of its
// own on the same file, named after the base name and the thread, opened on
// first use and closed when the thread ends. So no connection is ever shared
// between threads; SQLite's file locking (with a busy timeout) serialises the
// writers of the different connections.
namespace VM24 {

class NotificationVisitor;

// Registers fileName as the log database behind connectionName, opens the
// calling thread's connection on it and applies the schema. Returns whether
// the database is open and has the schema. A failure is not final: every
// later log_database() call tries again.
//
// A file that is damaged (not a database, damaged pages, a Log table of
// another shape) would lose every later event: it is set aside under the
// name "<fileName>.corrupt-<yyyyMMdd_hhmmss>" (never deleted), with its
// journal, and a fresh database takes its place. *setAside then receives the
// new name of the damaged file; it is left empty otherwise.
bool open_log_database(const QString& fileName, const QString& connectionName = QLatin1String(LOG_DB_CONNECTION_NAME),
                       QString* setAside = nullptr);

// The calling thread's connection to the log database registered under
// connectionName: invalid when none is registered; otherwise open with the
// schema applied, or closed when the file cannot be opened or is not a
// database.
QSqlDatabase log_database(const QString& connectionName = QLatin1String(LOG_DB_CONNECTION_NAME));

// The file registered under connectionName (empty when none).
QString log_database_file(const QString& connectionName = QLatin1String(LOG_DB_CONNECTION_NAME));

// Rebuilds every event-log row of the last days (no particular order) and
// lets each notification accept visitor; rows that cannot be read are
// skipped. Reads in the calling thread, on that thread's connection; the
// visitor is called on a worker thread, one notification at a time, and is
// not touched after the return. Returns the number of notifications
// visited, or -1 when the log cannot be read.
int apply_visitor_to_log(NotificationVisitor& visitor, const QString& connectionName, int days);

// Splits an SQL script at every blank line; empty pieces are dropped.
QStringList split_sql_statements(const QString& script);
// The statements of the event-log schema (resource ":/logging_schema").
QStringList log_schema_statements();

} // namespace VM24
