#pragma once

#include "core/vm24.h"
#include "logging/inotificationhandler.h"
#include "logging/logdatabasenotificationconverter.h"
#include "logging/notificationbase.h"

#include <QBasicTimer>
#include <QList>
#include <QMutex>
#include <QObject>
#include <QWaitCondition>

class QThreadPool;

// Keeps every notification in the event-log database (table Log).
//
// handle() only turns the notification into a row in memory. Every write
// interval (10 s) flush() hands the rows to one DbLoggerJob on the pool,
// which inserts them in one transaction. One job runs at a time, so rows
// reach the table in publication order. Destroying the logger waits for a
// running job and writes what is left in the destroying thread.
//
// Threads and the database: the logger opens the connection named
// LOG_DB_CONNECTION_NAME in its own thread; jobs and readers on other threads
// use connections of their own on the same file (see logging/logdatabase.h),
// so no connection is ever used by two threads.
//
// Faults: a database file found damaged when it is set is put aside and
// replaced by a fresh one, whose first row is a warning naming the old file.
// When the database cannot be opened or a write fails, the rows stay in
// memory and the next flush tries again (opening the file anew). At most
// MAX_PENDING_ROWS are kept; beyond that the oldest go.
class PeriodicDbLogger : public QObject, public INotificationHandler<VM24::NotificationBase>
{
    Q_OBJECT

public:
    static const int DEFAULT_WRITE_INTERVAL = 10000;
    static const int MIN_WRITE_INTERVAL = 1000;
    static const int MAX_PENDING_ROWS = 200000;

    explicit PeriodicDbLogger(QThreadPool* pool = nullptr, QObject* parent = nullptr);
    ~PeriodicDbLogger() override;

    void setDatabaseName(const QString& databaseName);
    QString databaseName() const { return m_databaseName; }
    QString connectionName() const { return m_connectionName; }

    // Ignored below one second.
    void setWriteInterval(int milliseconds);
    int writeInterval() const { return m_writeInterval; }

    void handle(VM24::NotificationBase* notification) override;

    int pendingRowCount() const;
    // Waits until no write job is running; false on timeout.
    bool waitForWrite(int milliseconds);

public slots:
    void flush();

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    friend class DbLoggerJob;
    using Rows = QList<LogDatabaseNotificationConverter::Tuple>;

    void setupDatabase();
    void reportReplacedDatabase(const QString& setAside);
    void writeFinished(const Rows& unwritten);
    void keepAtMostMaxPendingRows();

    Rows m_buffer;
    QString m_databaseName;
    QString m_connectionName = QLatin1String(VM24::LOG_DB_CONNECTION_NAME);
    LogDatabaseNotificationConverter m_converter;
    QThreadPool* m_pool;
    QBasicTimer m_timer;
    mutable QMutex m_mutex;
    QWaitCondition m_writeDone;
    bool m_writing = false;
    int m_writeInterval = DEFAULT_WRITE_INTERVAL;
};
