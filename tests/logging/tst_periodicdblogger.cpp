#include "builtprogram.h"
#include "logging/logdatabase.h"
#include "logging/notifications.h"
#include "logging/notificationservice.h"
#include "logging/periodicdblogger.h"
#include "recordingvisitor.h"
#include "testenvironment.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QThread>
#include <QThreadPool>
#include <QtTest>

#include <dlfcn.h>
#include <memory>

using namespace VM24;

namespace {

// Runs the sqlite3 command on the file, as another program would, and
// returns its output lines (columns separated by "|").
QStringList sqlite3(const QString& file, const QString& sql)
{
    QProcess process;
    process.start(QStringLiteral("sqlite3"), {file, sql});
    if (!process.waitForFinished(10000) || process.exitCode() != 0) {
        qWarning("sqlite3 failed: %s", process.readAllStandardError().constData());
        return {QStringLiteral("<sqlite3 failed>")};
    }
    return QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

int row_count(const QString& file)
{
    const QStringList out = sqlite3(file, QStringLiteral("SELECT count(*) FROM Log;"));
    return out.size() == 1 ? out.first().toInt() : -1;
}

// SQLite's own count of the memory it holds, from the library the driver
// loaded; null when the library is not there.
using SqliteMemory = long long (*)(int);

SqliteMemory sqlite_memory_highwater()
{
    void* library = dlopen("libsqlite3.so.0", RTLD_LAZY | RTLD_NOLOAD);
    return library ? reinterpret_cast<SqliteMemory>(dlsym(library, "sqlite3_memory_highwater")) : nullptr;
}

QString sql_time(const QDateTime& time)
{
    return time.toString(QLatin1String(SQL_DATE_TIME_FORMAT));
}

// A logger with its service, on a file of a fresh application directory.
struct LoggerFixture
{
    TestEnvironment::ScopedAppDir appDir;
    QString file = appDir.filePath(QStringLiteral("log.db"));
    QThreadPool pool;
    std::unique_ptr<PeriodicDbLogger> logger{new PeriodicDbLogger(&pool)};
    VM24::NotificationService service;

    explicit LoggerFixture(const QString& fileName = QString())
    {
        if (!fileName.isEmpty())
            file = fileName;
        service.addHandler(logger.get());
        logger->setDatabaseName(file);
    }
    bool flushAndWait()
    {
        logger->flush();
        // A whole bounded buffer takes a while on a loaded or instrumented build.
        return logger->waitForWrite(60000 * BuiltProgram::slowdown());
    }
};

} // namespace

class PeriodicDbLoggerTest : public QObject
{
    Q_OBJECT

private slots:
    void handleBuffersAndFlushWritesOneBatch()
    {
        LoggerFixture f;
        QCOMPARE(row_count(f.file), 0);
        for (int i = 0; i < 500; ++i)
            f.service.notify(std::make_unique<DebugNotification>(QStringLiteral("row %1").arg(i)));
        QCOMPARE(f.logger->pendingRowCount(), 500);
        QCOMPARE(row_count(f.file), 0);

        QVERIFY(f.flushAndWait());
        QCOMPARE(f.logger->pendingRowCount(), 0);
        const QStringList rows = sqlite3(f.file, QStringLiteral("SELECT data FROM Log ORDER BY rowid;"));
        QCOMPARE(rows.size(), 500);
        QCOMPARE(rows.first(), QStringLiteral("row 0"));
        QCOMPARE(rows.last(), QStringLiteral("row 499"));

        // Nothing buffered: no job, nothing written.
        QVERIFY(f.flushAndWait());
        QCOMPARE(row_count(f.file), 500);
    }

    void rowsAsAnotherProgramSeesThem()
    {
        LoggerFixture f;
        const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
        f.service.notify(std::make_unique<AlarmNotification>(TamperAlarm, false));
        f.service.notify(std::make_unique<OverpayNotification>(150));
        f.service.notify(std::make_unique<ProductPurchasedNotification>(QStringLiteral("farmacia/12"), 990, 3,
                                                          ProductPurchasedNotification::Cash, QString()));
        QVERIFY(f.flushAndWait());
        const QStringList rows = sqlite3(f.file, QStringLiteral("SELECT timestamp, category, data FROM Log ORDER BY rowid;"));
        QCOMPARE(rows.size(), 3);
        const QStringList first = rows.at(0).split(QLatin1Char('|'));
        QCOMPARE(first.size(), 3);
        const QDateTime stamp = QDateTime::fromString(first.at(0), QLatin1String(SQL_DATE_TIME_FORMAT));
        QVERIFY(stamp.isValid());
        QVERIFY(stamp >= before && stamp <= QDateTime::currentDateTime());
        QCOMPARE(first.mid(1), QStringList({"alarm", "id=1&clear=0"}));
        QCOMPARE(rows.at(1).section(QLatin1Char('|'), 1), QStringLiteral("overpay|150"));
        QCOMPARE(rows.at(2).section(QLatin1Char('|'), 1),
                 QStringLiteral("product-purchased|productId=farmacia/12&cost=990&dispenser=3&method=Cash&userInfo="));
        QCOMPARE(sqlite3(f.file, QStringLiteral("SELECT type, name FROM sqlite_master ORDER BY name;")),
                 QStringList({"trigger|DeleteOldLogEntries", "table|Log", "index|LogTimestamp"}));
    }

    void aBatchIsWrittenWholeOrNotAtAll()
    {
        LoggerFixture f;
        sqlite3(f.file, QStringLiteral("CREATE TRIGGER Refuse BEFORE INSERT ON Log WHEN NEW.data = 'refused' "
                                       "BEGIN SELECT RAISE(ABORT, 'refused'); END;"));
        f.service.notify(std::make_unique<InfoNotification>(QStringLiteral("before")));
        f.service.notify(std::make_unique<InfoNotification>(QStringLiteral("refused")));
        f.service.notify(std::make_unique<InfoNotification>(QStringLiteral("after")));
        QVERIFY(f.flushAndWait());
        QCOMPARE(row_count(f.file), 0);
        QCOMPARE(f.logger->pendingRowCount(), 3);

        sqlite3(f.file, QStringLiteral("DROP TRIGGER Refuse;"));
        QVERIFY(f.flushAndWait());
        QCOMPARE(sqlite3(f.file, QStringLiteral("SELECT data FROM Log ORDER BY rowid;")),
                 QStringList({"before", "refused", "after"}));
    }

    void destructionWritesWhatIsBuffered()
    {
        LoggerFixture f;
        for (int i = 0; i < 5; ++i)
            f.service.notify(std::make_unique<CashInsertedNotification>(500, i));
        f.logger.reset();
        QCOMPARE(sqlite3(f.file, QStringLiteral("SELECT data FROM Log ORDER BY rowid;")),
                 QStringList({"banknotes=500&coins=0", "banknotes=500&coins=1", "banknotes=500&coins=2",
                              "banknotes=500&coins=3", "banknotes=500&coins=4"}));
    }

    void timerFlushesAtTheWriteInterval()
    {
        LoggerFixture f;
        f.logger->setWriteInterval(500);
        QCOMPARE(f.logger->writeInterval(), PeriodicDbLogger::DEFAULT_WRITE_INTERVAL);
        f.logger->setWriteInterval(1000);
        QCOMPARE(f.logger->writeInterval(), 1000);
        f.service.notify(std::make_unique<InfoNotification>(QStringLiteral("ciao")));
        QTest::qWait(300);
        QCOMPARE(row_count(f.file), 0);
        QTRY_COMPARE_WITH_TIMEOUT(row_count(f.file), 1, 10000);
    }

    void retentionKeepsThreeMonths()
    {
        LoggerFixture f;
        const QDateTime now = QDateTime::currentDateTime();
        const QString insert = QStringLiteral("INSERT INTO Log VALUES ('%1', 'info', '%2');");
        QStringList sql;
        sql << insert.arg(sql_time(now.addMonths(-4)), QStringLiteral("four months"))
            << insert.arg(sql_time(now.addMonths(-3).addDays(-1)), QStringLiteral("three months and a day"))
            << insert.arg(sql_time(now.addMonths(-3).addDays(1)), QStringLiteral("three months less a day"))
            << insert.arg(sql_time(now.addDays(-10)), QStringLiteral("ten days"));
        // Inserted in one go by another program: each insert prunes what is
        // older than three months, so insert the old rows first without the trigger.
        sqlite3(f.file, QStringLiteral("DROP TRIGGER DeleteOldLogEntries;") + sql.join(QString()));
        QCOMPARE(row_count(f.file), 4);

        // Reopening restores the trigger; the next insert prunes.
        f.logger.reset(new PeriodicDbLogger(&f.pool));
        f.logger->setDatabaseName(f.file);
        InfoNotification latest(QStringLiteral("now"));
        latest.setTimestamp(now);
        f.logger->handle(&latest);
        QVERIFY(f.flushAndWait());
        QCOMPARE(sqlite3(f.file, QStringLiteral("SELECT data FROM Log ORDER BY rowid;")),
                 QStringList({"three months less a day", "ten days", "now"}));
    }

    void schemaRerunKeepsRows()
    {
        TestEnvironment::ScopedAppDir appDir;
        const QString file = appDir.filePath(QStringLiteral("log.db"));
        for (int run = 0; run < 3; ++run) {
            QThreadPool pool;
            PeriodicDbLogger logger(&pool);
            logger.setDatabaseName(file);
            InfoNotification n(QStringLiteral("start %1").arg(run));
            n.setTimestamp(QDateTime::currentDateTime());
            logger.handle(&n);
        }
        QCOMPARE(sqlite3(file, QStringLiteral("SELECT data FROM Log ORDER BY rowid;")),
                 QStringList({"start 0", "start 1", "start 2"}));
        QCOMPARE(sqlite3(file, QStringLiteral("SELECT count(*) FROM sqlite_master;")), QStringList("3"));
    }

    void unopenableDatabaseKeepsRowsUntilItCanBeWritten()
    {
        TestEnvironment::ScopedAppDir appDir;
        const QString dir = appDir.filePath(QStringLiteral("not-yet"));
        LoggerFixture f(dir + QStringLiteral("/log.db"));
        for (int i = 0; i < 3; ++i)
            f.service.notify(std::make_unique<WarningNotification>(QStringLiteral("w%1").arg(i)));
        QVERIFY(f.flushAndWait());
        QCOMPARE(f.logger->pendingRowCount(), 3);
        f.service.notify(std::make_unique<WarningNotification>(QStringLiteral("w3")));
        QVERIFY(f.flushAndWait());
        QCOMPARE(f.logger->pendingRowCount(), 4);

        QVERIFY(QDir().mkpath(dir));
        QVERIFY(f.flushAndWait());
        QCOMPARE(f.logger->pendingRowCount(), 0);
        QCOMPARE(sqlite3(f.file, QStringLiteral("SELECT data FROM Log ORDER BY rowid;")),
                 QStringList({"w0", "w1", "w2", "w3"}));
    }

    // A damaged file would swallow every later event: it is kept aside, byte
    // for byte, and a fresh log starts with a warning.
    void damagedDatabaseIsSetAsideAndReplaced_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::newRow("not a database") << "garbage";
        QTest::newRow("damaged pages") << "pages";
        QTest::newRow("wrong schema") << "schema";
    }
    void damagedDatabaseIsSetAsideAndReplaced()
    {
        QFETCH(QString, damage);
        TestEnvironment::ScopedAppDir appDir;
        const QString file = appDir.filePath(QStringLiteral("log.db"));
        if (damage == QLatin1String("pages")) {
            QCOMPARE(sqlite3(file, QStringLiteral("CREATE TABLE Log(timestamp TIMESTAMP, category VARCHAR(32), data TEXT);"
                                                  "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 3000)"
                                                  " INSERT INTO Log SELECT '2026-01-01 00:00:00', 'info', 'row ' || i FROM n;")),
                     QStringList());
        } else if (damage == QLatin1String("schema")) {
            QCOMPARE(sqlite3(file, QStringLiteral("CREATE TABLE Log(when_ TEXT, what TEXT);")), QStringList());
        }
        {
            QFile damaged(file);
            QVERIFY(damaged.open(QIODevice::ReadWrite));
            if (damage == QLatin1String("garbage"))
                damaged.write(QByteArray(8192, '\x5a'));
            if (damage == QLatin1String("pages")) {
                QVERIFY(damaged.size() > 8 * 4096);
                QVERIFY(damaged.seek(3 * 4096));
                damaged.write(QByteArray(2 * 4096, '\x5a'));
            }
        }
        QFile original(file);
        QVERIFY(original.open(QIODevice::ReadOnly));
        const QByteArray damagedBytes = original.readAll();
        original.close();

        LoggerFixture f(file);
        f.service.notify(std::make_unique<InfoNotification>(QStringLiteral("kept")));
        QVERIFY(f.flushAndWait());
        QCOMPARE(f.logger->pendingRowCount(), 0);

        const QStringList aside = QDir(appDir.path()).entryList({QStringLiteral("log.db.corrupt-*")}, QDir::Files);
        QCOMPARE(aside.size(), 1);
        const QString asideName = aside.first();
        QVERIFY2(QRegularExpression(QStringLiteral("^log\\.db\\.corrupt-\\d{8}_\\d{6}$")).match(asideName).hasMatch(),
                 qPrintable(asideName));
        QFile kept(appDir.filePath(asideName));
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), damagedBytes);

        QCOMPARE(sqlite3(file, QStringLiteral("SELECT category, data FROM Log ORDER BY rowid;")),
                 QStringList({QStringLiteral("warning|Registro eventi danneggiato: conservato come %1, creato un nuovo registro")
                                  .arg(asideName),
                              QStringLiteral("info|kept")}));
    }

    void pendingRowsAreBounded()
    {
        TestEnvironment::ScopedAppDir appDir;
        LoggerFixture f(appDir.filePath(QStringLiteral("missing/log.db")));
        for (int i = 0; i < PeriodicDbLogger::MAX_PENDING_ROWS + 10; ++i)
            f.service.notify(std::make_unique<DebugNotification>(QString::number(i)));
        QVERIFY(f.flushAndWait());
        QCOMPARE(f.logger->pendingRowCount(), PeriodicDbLogger::MAX_PENDING_ROWS);
        QVERIFY(QDir().mkpath(appDir.filePath(QStringLiteral("missing"))));
        QVERIFY(f.flushAndWait());
        // The oldest ten went.
        QCOMPARE(sqlite3(f.file, QStringLiteral("SELECT data FROM Log ORDER BY rowid LIMIT 1;")), QStringList("10"));
    }

    void publishersOnManyThreadsLoseNothing()
    {
        LoggerFixture f;
        f.logger->setWriteInterval(1000);
        QList<QThread*> threads;
        for (int t = 0; t < 4; ++t) {
            threads.append(QThread::create([&f, t] {
                for (int i = 0; i < 250; ++i) {
                    f.service.notify(std::make_unique<DebugNotification>(QStringLiteral("%1-%2").arg(t).arg(i)));
                    if (i % 50 == 0)
                        QThread::msleep(5);
                }
            }));
            threads.last()->start();
        }
        // Flushes run on the GUI thread while the publishers publish.
        QElapsedTimer timer;
        timer.start();
        while (std::any_of(threads.begin(), threads.end(), [](QThread* t) { return t->isRunning(); })) {
            f.logger->flush();
            QTest::qWait(2);
            QVERIFY(timer.elapsed() < 30000);
        }
        qDeleteAll(threads);
        f.logger.reset();
        QCOMPARE(row_count(f.file), 1000);
        QCOMPARE(sqlite3(f.file, QStringLiteral("SELECT count(DISTINCT data) FROM Log;")), QStringList("1000"));
    }

    void visitorOverRecentRows()
    {
        LoggerFixture f;
        const QDateTime now = QDateTime::currentDateTime();
        sqlite3(f.file, QStringLiteral("INSERT INTO Log VALUES ('%1', 'overpay', '100');"
                                       "INSERT INTO Log VALUES ('%2', 'overpay', '200');"
                                       "INSERT INTO Log VALUES ('%2', 'coffee', 'x');"
                                       "INSERT INTO Log VALUES ('%2', 'vending-session-info', 'flag=3&cash=0&cashless=0');")
                            .arg(sql_time(now.addDays(-3)), sql_time(now.addSecs(-3600))));
        for (const auto& entry : one_of_each_notification())
            f.service.notify(std::unique_ptr<NotificationBase>(entry.second));
        QVERIFY(f.flushAndWait());

        RecordingVisitor lastDay;
        QCOMPARE(apply_visitor_to_log(lastDay, QLatin1String(LOG_DB_CONNECTION_NAME), 1), 17);
        QCOMPARE(lastDay.visited.count(QStringLiteral("overpay")), 2);
        RecordingVisitor lastWeek;
        QCOMPARE(apply_visitor_to_log(lastWeek, QLatin1String(LOG_DB_CONNECTION_NAME), 7), 18);

        // The same from a worker thread, through that thread's own connection.
        int fromWorker = -2;
        std::unique_ptr<QThread> worker(QThread::create([&fromWorker] {
            RecordingVisitor visitor;
            fromWorker = apply_visitor_to_log(visitor, QLatin1String(LOG_DB_CONNECTION_NAME), 7);
        }));
        worker->start();
        QVERIFY(worker->wait(10000));
        QCOMPARE(fromWorker, 18);

        RecordingVisitor none;
        QCOMPARE(apply_visitor_to_log(none, QStringLiteral("no-such-connection"), 7), -1);
    }

    // The daily audit reads every row of three months' log: the rows pass
    // through a small page cache, whatever the file's size.
    void readingEveryRowHoldsLittleMemory()
    {
        LoggerFixture f;
        QCOMPARE(row_count(f.file), 0);
        const int rows = 30000;
        sqlite3(f.file, QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                                       "INSERT INTO Log SELECT '%2', 'info', printf('row %d %.100c', i, 'x') FROM n;")
                            .arg(rows)
                            .arg(sql_time(QDateTime::currentDateTime().addSecs(-60))));
        QVERIFY(QFileInfo(f.file).size() > 3 * 1024 * 1024);
        RecordingVisitor warmUp;
        QCOMPARE(apply_visitor_to_log(warmUp, QLatin1String(LOG_DB_CONNECTION_NAME), 0), 0);
        const SqliteMemory highwater = sqlite_memory_highwater();
        QVERIFY(highwater);
        const long long before = highwater(1);

        RecordingVisitor everything;
        QCOMPARE(apply_visitor_to_log(everything, QLatin1String(LOG_DB_CONNECTION_NAME), 1), rows);
        const long long peak = highwater(0);
        QVERIFY2(peak - before < 1024 * 1024, qPrintable(QStringLiteral("%1 bytes").arg(peak - before)));
    }

    void readersOnOtherThreadsWhileWriting()
    {
        LoggerFixture f;
        std::atomic<bool> stop{false};
        std::atomic<int> failures{0};
        std::atomic<int> reads{0};
        std::unique_ptr<QThread> reader(QThread::create([&] {
            while (!stop) {
                QSqlDatabase db = log_database();
                QSqlQuery query(db);
                if (!db.isOpen() || !query.exec(QStringLiteral("SELECT count(*) FROM Log")) || !query.next())
                    ++failures;
                ++reads;
            }
        }));
        reader->start();
        for (int batch = 0; batch < 20; ++batch) {
            for (int i = 0; i < 100; ++i)
                f.service.notify(std::make_unique<DebugNotification>(QString::number(i)));
            QVERIFY(f.flushAndWait());
        }
        stop = true;
        QVERIFY(reader->wait(10000));
        QCOMPARE(failures.load(), 0);
        QVERIFY(reads.load() > 0);
        QCOMPARE(row_count(f.file), 2000);
    }
};

QTEST_GUILESS_MAIN(PeriodicDbLoggerTest)
#include "tst_periodicdblogger.moc"
