#include "logging/logdatabase.h"

#include "logging/logdatabasenotificationconverter.h"
#include "logging/logginglog.h"
#include "logging/notificationbase.h"

#include <QFile>
#include <QHash>
#include <QMutex>
#include <QMutexLocker>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QThread>
#include <QThreadStorage>

#include <memory>

namespace VM24 {

namespace {

const char* const DRIVER = "QSQLITE";
const char* const CONNECT_OPTIONS = "QSQLITE_BUSY_TIMEOUT=5000";

struct LogDatabaseEntry
{
    QString fileName;
    QThread* owner = nullptr;
};

// Which file each named log connection opens, and which thread owns the
// connection of that very name.
class LogDatabaseRegistry
{
public:
    void set(const QString& connectionName, const LogDatabaseEntry& entry)
    {
        QMutexLocker locker(&m_mutex);
        m_entries.insert(connectionName, entry);
    }
    bool get(const QString& connectionName, LogDatabaseEntry* entry) const
    {
        QMutexLocker locker(&m_mutex);
        const auto it = m_entries.constFind(connectionName);
        if (it == m_entries.constEnd())
            return false;
        *entry = it.value();
        return true;
    }

private:
    mutable QMutex m_mutex;
    QHash<QString, LogDatabaseEntry> m_entries;
};

LogDatabaseRegistry& registry()
{
    static LogDatabaseRegistry instance;
    return instance;
}

// The connections a thread opened on log databases it does not own; they are
// closed and removed when the thread ends.
class ThreadConnections
{
public:
    ~ThreadConnections()
    {
        for (const QString& name : std::as_const(m_names)) {
            QSqlDatabase::database(name, false).close();
            QSqlDatabase::removeDatabase(name);
        }
    }
    QString nameFor(const QString& baseName)
    {
        QString& name = m_names[baseName];
        if (name.isEmpty())
            name = QStringLiteral("%1@%2").arg(baseName).arg(quintptr(QThread::currentThread()), 0, 16);
        return name;
    }

private:
    QHash<QString, QString> m_names;
};

QThreadStorage<ThreadConnections*>& thread_connections()
{
    static QThreadStorage<ThreadConnections*> storage;
    return storage;
}

bool apply_schema(QSqlDatabase& db)
{
    QSqlQuery query(db);
    for (const QString& statement : log_schema_statements()) {
        if (!query.exec(statement)) {
            qCWarning(loggingLog, "Event log %s: %s", qPrintable(db.databaseName()), qPrintable(query.lastError().text()));
            return false;
        }
    }
    return true;
}

// Makes db point at fileName, open, with the schema in place. A database that
// opens but rejects the schema (not a database, read-only, disk full) is
// closed again, so that the next use retries from scratch.
bool ensure_open(QSqlDatabase& db, const QString& fileName)
{
    if (db.isOpen() && db.databaseName() == fileName)
        return true;
    db.close();
    db.setDatabaseName(fileName);
    db.setConnectOptions(QLatin1String(CONNECT_OPTIONS));
    if (!db.open()) {
        qCWarning(loggingLog, "Event log %s cannot be opened: %s", qPrintable(fileName), qPrintable(db.lastError().text()));
        return false;
    }
    if (!apply_schema(db)) {
        db.close();
        return false;
    }
    return true;
}

QSqlDatabase connection_named(const QString& name)
{
    if (QSqlDatabase::contains(name))
        return QSqlDatabase::database(name, false);
    return QSqlDatabase::addDatabase(QLatin1String(DRIVER), name);
}

QString connection_name_for_this_thread(const QString& baseName, const LogDatabaseEntry& entry)
{
    if (entry.owner == QThread::currentThread())
        return baseName;
    if (!thread_connections().hasLocalData())
        thread_connections().setLocalData(new ThreadConnections);
    return thread_connections().localData()->nameFor(baseName);
}

} // namespace

bool open_log_database(const QString& fileName, const QString& connectionName)
{
    registry().set(connectionName, {fileName, QThread::currentThread()});
    QSqlDatabase db = connection_named(connectionName);
    db.close();
    return ensure_open(db, fileName);
}

QSqlDatabase log_database(const QString& connectionName)
{
    LogDatabaseEntry entry;
    if (!registry().get(connectionName, &entry))
        return QSqlDatabase();
    QSqlDatabase db = connection_named(connection_name_for_this_thread(connectionName, entry));
    ensure_open(db, entry.fileName);
    return db;
}

QString log_database_file(const QString& connectionName)
{
    LogDatabaseEntry entry;
    return registry().get(connectionName, &entry) ? entry.fileName : QString();
}

int apply_visitor_to_log(NotificationVisitor& visitor, const QString& connectionName, int days)
{
    QSqlDatabase db = log_database(connectionName);
    if (!db.isOpen())
        return -1;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    const QString select = QStringLiteral("SELECT timestamp, category, data FROM Log "
                                          "WHERE timestamp >= datetime('now', '-%1 days', 'localtime')");
    if (!query.exec(select.arg(days)))
        return -1;
    int visited = 0;
    while (query.next()) {
        std::unique_ptr<NotificationBase> notification(LogDatabaseNotificationConverter::fromRecord(query.record()));
        if (!notification)
            continue;
        notification->accept(&visitor);
        ++visited;
    }
    return visited;
}

QStringList split_sql_statements(const QString& script)
{
    QStringList statements;
    for (const QString& piece : script.split(QLatin1String("\n\n"))) {
        if (!piece.trimmed().isEmpty())
            statements.append(piece);
    }
    return statements;
}

QStringList log_schema_statements()
{
    static const QStringList statements = [] {
        QFile schema(QStringLiteral(":/logging_schema"));
        if (!schema.open(QIODevice::ReadOnly)) {
            qCWarning(loggingLog, "The event-log schema resource is missing");
            return QStringList();
        }
        return split_sql_statements(QString::fromUtf8(schema.readAll()));
    }();
    return statements;
}

} // namespace VM24
