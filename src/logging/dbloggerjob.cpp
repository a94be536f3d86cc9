#include "logging/dbloggerjob.h"

#include "core/vm24.h"
#include "logging/logdatabase.h"
#include "logging/logginglog.h"
#include "logging/periodicdblogger.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

bool VM24::write_tuple_buffer(const QList<LogDatabaseNotificationConverter::Tuple>& rows, QSqlDatabase db)
{
    if (!db.isOpen() || !db.transaction())
        return false;
    QSqlQuery insert(db);
    bool ok = insert.prepare(QStringLiteral("INSERT INTO Log VALUES (?, ?, ?)"));
    const QString format = QLatin1String(SQL_DATE_TIME_FORMAT);
    for (int i = 0; ok && i < rows.size(); ++i) {
        const LogDatabaseNotificationConverter::Tuple& row = rows.at(i);
        insert.bindValue(0, row.timestamp.toString(format));
        insert.bindValue(1, row.category);
        insert.bindValue(2, row.data);
        ok = insert.exec();
    }
    if (!ok) {
        qCWarning(loggingLog, "Event log write failed: %s", qPrintable(insert.lastError().text()));
        insert.clear();
        db.rollback();
        return false;
    }
    insert.clear();
    if (!db.commit()) {
        db.rollback();
        return false;
    }
    return true;
}

DbLoggerJob::DbLoggerJob(const QList<LogDatabaseNotificationConverter::Tuple>& rows, const QString& connectionName,
                         PeriodicDbLogger* logger)
    : m_rows(rows)
    , m_connectionName(connectionName)
    , m_logger(logger)
{
}

void DbLoggerJob::run()
{
    const bool written = VM24::write_tuple_buffer(m_rows, VM24::log_database(m_connectionName));
    m_logger->writeFinished(written ? QList<LogDatabaseNotificationConverter::Tuple>() : m_rows);
}
