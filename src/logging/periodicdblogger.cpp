#include "logging/periodicdblogger.h"

#include "logging/dbloggerjob.h"
#include "logging/logdatabase.h"
#include "logging/logginglog.h"
#include "logging/warningnotification.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QThreadPool>
#include <QTimerEvent>

PeriodicDbLogger::PeriodicDbLogger(QThreadPool* pool, QObject* parent)
    : QObject(parent)
    , m_pool(pool ? pool : QThreadPool::globalInstance())
{
}

PeriodicDbLogger::~PeriodicDbLogger()
{
    m_timer.stop();
    waitForWrite(-1);
    QMutexLocker locker(&m_mutex);
    if (m_buffer.isEmpty())
        return;
    if (!VM24::write_tuple_buffer(m_buffer, VM24::log_database(m_connectionName)))
        qCWarning(loggingLog, "Event log: %lld rows could not be written and are lost", qlonglong(m_buffer.size()));
}

void PeriodicDbLogger::setDatabaseName(const QString& databaseName)
{
    if (databaseName == m_databaseName)
        return;
    m_databaseName = databaseName;
    setupDatabase();
}

void PeriodicDbLogger::setupDatabase()
{
    QString setAside;
    VM24::open_log_database(m_databaseName, m_connectionName, &setAside);
    if (!setAside.isEmpty())
        reportReplacedDatabase(setAside);
    m_timer.start(m_writeInterval, this);
}

// The first row of the fresh database says where the old rows went.
void PeriodicDbLogger::reportReplacedDatabase(const QString& setAside)
{
    VM24::WarningNotification warning(
        QCoreApplication::translate("PeriodicDbLogger", "Registro eventi danneggiato: conservato come %1, creato un nuovo registro")
            .arg(QFileInfo(setAside).fileName()));
    warning.setTimestamp(QDateTime::currentDateTime());
    handle(&warning);
}

void PeriodicDbLogger::setWriteInterval(int milliseconds)
{
    if (milliseconds < MIN_WRITE_INTERVAL || milliseconds == m_writeInterval)
        return;
    m_writeInterval = milliseconds;
    m_timer.start(m_writeInterval, this);
}

void PeriodicDbLogger::handle(VM24::NotificationBase* notification)
{
    QMutexLocker locker(&m_mutex);
    m_buffer.append(m_converter.convert(notification));
}

int PeriodicDbLogger::pendingRowCount() const
{
    QMutexLocker locker(&m_mutex);
    return m_buffer.size();
}

void PeriodicDbLogger::flush()
{
    QMutexLocker locker(&m_mutex);
    if (m_buffer.isEmpty() || m_writing)
        return;
    m_writing = true;
    m_pool->start(new DbLoggerJob(m_buffer, m_connectionName, this));
    m_buffer.clear();
}

void PeriodicDbLogger::writeFinished(const Rows& unwritten)
{
    QMutexLocker locker(&m_mutex);
    if (!unwritten.isEmpty()) {
        m_buffer = unwritten + m_buffer;
        keepAtMostMaxPendingRows();
    }
    m_writing = false;
    m_writeDone.wakeAll();
}

void PeriodicDbLogger::keepAtMostMaxPendingRows()
{
    const qsizetype excess = m_buffer.size() - MAX_PENDING_ROWS;
    if (excess <= 0)
        return;
    qCWarning(loggingLog, "Event log unavailable: dropping the %lld oldest rows", qlonglong(excess));
    m_buffer.remove(0, excess);
}

bool PeriodicDbLogger::waitForWrite(int milliseconds)
{
    QDeadlineTimer deadline(milliseconds < 0 ? QDeadlineTimer::Forever : QDeadlineTimer(milliseconds));
    QMutexLocker locker(&m_mutex);
    while (m_writing) {
        if (!m_writeDone.wait(&m_mutex, deadline))
            return false;
    }
    return true;
}

void PeriodicDbLogger::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == m_timer.timerId())
        flush();
    else
        QObject::timerEvent(event);
}
