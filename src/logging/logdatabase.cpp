#include "logging/logdatabase.h"

#include "logging/logginglog.h"
#include "logging/logrowrebuilder.h"
#include "logging/notificationbase.h"

#include <QDateTime>
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
const QStringList LOG_COLUMNS = {QStringLiteral("timestamp"), QStringLiteral("category"), QStringLiteral("data")};
// SQLite's primary result codes for a damaged file.
const int SQLITE_CORRUPT_CODE = 11;
const int SQLITE_NOTADB_CODE = 26;
// The page cache of each connection, in KiB. The log is appended to and read
// through now and then (the daily audit reads every row): SQLite's 2 MB
// default filled up on every such read, and the allocator kept the freed
// pages of each thread that read, for good.
const int PAGE_CACHE_KIB = 256;
// The files SQLite keeps next to a database.
const char* const SIDE_FILE_SUFFIXES[] = {"-journal", "-wal", "-shm"};

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

void limit_page_cache(QSqlDatabase& db)
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA cache_size = -%1").arg(PAGE_CACHE_KIB)))
        qCWarning(loggingLog, "Event log %s keeps SQLite's page cache: %s", qPrintable(db.databaseName()),
                  qPrintable(query.lastError().text()));
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
    limit_page_cache(db);
    if (!apply_schema(db)) {
        db.close();
        return false;
    }
    return true;
}

bool reports_damage(const QSqlError& error)
{
    const int code = error.nativeErrorCode().toInt() & 0xFF;
    return code == SQLITE_CORRUPT_CODE || code == SQLITE_NOTADB_CODE;
}

// Whether the opened file has damaged pages or is no database at all. Other
// failures (a locked or unreadable file) are not damage: the file is kept.
bool has_damaged_pages(QSqlDatabase& db)
{
    QSqlQuery check(db);
    if (!check.exec(QStringLiteral("PRAGMA quick_check")))
        return reports_damage(check.lastError());
    return check.next() && check.value(0).toString() != QLatin1String("ok");
}

// A Log table whose columns are not the event log's, or an object named Log
// that is no table: rows could never be written.
bool has_foreign_log_table(QSqlDatabase& db)
{
    QSqlQuery info(db);
    if (!info.exec(QStringLiteral("PRAGMA table_info(Log)")))
        return false;
    QStringList columns;
    while (info.next())
        columns.append(info.value(1).toString());
    if (columns == LOG_COLUMNS)
        return false;
    if (!columns.isEmpty())
        return true;
    QSqlQuery kind(db);
    return kind.exec(QStringLiteral("SELECT type FROM sqlite_master WHERE name = 'Log' COLLATE NOCASE")) && kind.next();
}

bool is_damaged(QSqlDatabase& db)
{
    return db.isOpen() && (has_damaged_pages(db) || has_foreign_log_table(db));
}

QString unused_name(const QString& base)
{
    QString name = base;
    for (int n = 1; QFile::exists(name); ++n)
        name = QStringLiteral("%1-%2").arg(base).arg(n);
    return name;
}

// Renames the file and SQLite's side files beside it; true when the database
// file itself was moved away.
bool set_aside(const QString& fileName, QString* newName)
{
    const QString stamp = QDateTime::currentDateTime().toString(QLatin1String(XML_DATE_FORMAT));
    *newName = unused_name(QStringLiteral("%1.corrupt-%2").arg(fileName, stamp));
    if (!QFile::rename(fileName, *newName)) {
        qWarning("Event log %s is damaged and cannot be set aside", qPrintable(fileName));
        newName->clear();
        return false;
    }
    for (const char* suffix : SIDE_FILE_SUFFIXES) {
        const QString side = fileName + QLatin1String(suffix);
        if (QFile::exists(side))
            QFile::rename(side, *newName + QLatin1String(suffix));
    }
    qWarning("Event log %s is damaged: set aside as %s", qPrintable(fileName), qPrintable(*newName));
    return true;
}

// Opens the owner's connection. The file is judged before the schema is
// applied, so that a damaged one is set aside as it was found.
bool open_or_replace(QSqlDatabase& db, const QString& fileName, QString* setAside)
{
    db.setDatabaseName(fileName);
    db.setConnectOptions(QLatin1String(CONNECT_OPTIONS));
    if (db.open() && is_damaged(db)) {
        db.close();
        QString newName;
        if (set_aside(fileName, &newName) && setAside)
            *setAside = newName;
    }
    db.close();
    return ensure_open(db, fileName);
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

bool open_log_database(const QString& fileName, const QString& connectionName, QString* setAside)
{
    if (setAside)
        setAside->clear();
    registry().set(connectionName, {fileName, QThread::currentThread()});
    QSqlDatabase db = connection_named(connectionName);
    db.close();
    return open_or_replace(db, fileName, setAside);
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
    rebuild_log_rows(query, [&visitor, &visited](LogEntries& chunk) {
        for (const std::unique_ptr<NotificationBase>& notification : chunk)
            notification->accept(&visitor);
        visited += int(chunk.size());
    });
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
