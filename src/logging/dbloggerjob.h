#pragma once

#include "logging/logdatabasenotificationconverter.h"

#include <QList>
#include <QRunnable>
#include <QSqlDatabase>

class PeriodicDbLogger;

namespace VM24 {
// Inserts rows into the log of db in one transaction. Returns false, with
// nothing written, when the database is not open, the transaction cannot
// begin, an insert fails or the commit fails.
bool write_tuple_buffer(const QList<LogDatabaseNotificationConverter::Tuple>& rows, QSqlDatabase db);
} // namespace VM24

// Writes one batch of event-log rows on a pool thread, through that thread's
// own connection, and reports back to the logger (rows it could not write go
// back into the logger's buffer).
class DbLoggerJob : public QRunnable
{
public:
    DbLoggerJob(const QList<LogDatabaseNotificationConverter::Tuple>& rows, const QString& connectionName,
                PeriodicDbLogger* logger);

    void run() override;

private:
    QList<LogDatabaseNotificationConverter::Tuple> m_rows;
    QString m_connectionName;
    PeriodicDbLogger* m_logger;
};
