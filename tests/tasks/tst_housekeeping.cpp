#include "accounting/accountingservice.h"
#include "accounting/sessionbalance.h"
#include "catalogue/productprovider.h"
#include "core/vm24.h"
#include "logging/logdatabase.h"
#include "settings/settings.h"
#include "tasks/dailylogcompiler.h"
#include "loopbackservers.h"
#include "tasks/directorygarbagecollector.h"
#include "tasks/ftpsendertask.h"
#include "tasks/prepareftpfilestask.h"
#include "testenvironment.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QSqlQuery>
#include <QThreadPool>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

bool write_file(const QString& path, const QByteArray& data, const QDateTime& modified = QDateTime())
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.flush())
        return false;
    return !modified.isValid() || file.setFileTime(modified, QFileDevice::FileModificationTime);
}

QStringList names_in(const QString& dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System | QDir::Hidden, QDir::Name);
}

} // namespace

class TestHousekeeping : public QObject
{
    Q_OBJECT

private slots:
    void dayLogAndAuditAreCompiledMovedAndSent();
    void garbageCollectorKeepsDirectoriesBounded();
};

void TestHousekeeping::dayLogAndAuditAreCompiledMovedAndSent()
{
    LoopbackServers servers;
    QVERIFY2(servers.start(), qPrintable(servers.errorString()));
    TestEnvironment::ScopedAppDir appDir;
    QVERIFY(VM24::open_log_database(appDir.filePath("log.db")));
    QSqlQuery insert(VM24::log_database());
    QVERIFY(insert.exec(QStringLiteral("INSERT INTO Log VALUES ('%1', 'support-request', '')")
                            .arg(QDateTime::currentDateTime().addSecs(-60).toString(VM24::SQL_DATE_TIME_FORMAT))));
    QSettings settings;
    settings.setValue("advanced/serial", 42);
    settings.setValue("Schedule/log-compilation", "00:30");
    // With an FTP server set the audit file goes with the log unless switched off.
    settings.setValue("enable-notifications", true);
    settings.setValue("FtpServer/address", "127.0.0.1");
    settings.setValue("FtpServer/port", servers.ftpPort());
    settings.setValue("FtpServer/username", "vm24");
    settings.setValue("FtpServer/password", "secret");
    const QString drafts = appDir.filePath("drafts");
    const QString outgoing = appDir.filePath("outgoing");
    QVERIFY(QDir().mkpath(drafts + "/subdir"));
    QVERIFY(write_file(drafts + "/VM24Data_00042_20260301_000000.xml", "<VM24/>"));
    QVERIFY(write_file(drafts + "/report.xml.tmp", "half"));
    QVERIFY(write_file(drafts + "/report.xml.AbCdEf", "half"));
    QVERIFY(QFile::link(appDir.filePath("log.db"), drafts + "/link.xml"));

    ProductProvider products(appDir.filePath("data/products"));
    QThreadPool pool;
    AccountingService accounting;
    SessionBalance sale;
    sale.cashIncome = 250;
    accounting.recordSessionBalance(sale);
    DailyLogCompiler compiler(drafts, &products, &pool);
    compiler.setAuditSources(&accounting, nullptr);
    compiler.loadConfiguration(settings);
    QCOMPARE(compiler.dailyStart(), QTime(0, 30));
    QVERIFY(compiler.auditFileEnabled());
    compiler.run();
    QVERIFY(pool.waitForDone(30000));
    const QString audit = "EVADTS_00042_" + QDate::currentDate().toString("yyyyMMdd") + ".txt";
    QVERIFY2(QFile::exists(drafts + "/" + audit), qPrintable(names_in(drafts).join(", ")));
    const QStringList logs = QDir(drafts).entryList({"VM24Log_00042_*.xml"}, QDir::Files);
    QCOMPARE(logs.size(), 1);
    QFile log(drafts + "/" + logs.first());
    QVERIFY(log.open(QIODevice::ReadOnly));
    QXmlStreamReader reader(&log);
    QStringList elements;
    while (reader.readNextStartElement()) {
        elements << reader.name().toString();
        if (reader.name() != QLatin1String("TalvioLog"))
            reader.skipCurrentElement();
    }
    QVERIFY2(!reader.hasError(), qPrintable(reader.errorString()));
    QCOMPARE(elements, QStringList({"TalvioLog", "SOS"}));

    PrepareFtpFilesTask mover(drafts, outgoing);
    mover.run();
    QCOMPARE(names_in(outgoing), QStringList({audit, "VM24Data_00042_20260301_000000.xml", logs.first()}));
    QCOMPARE(names_in(drafts), QStringList({"link.xml", "report.xml.AbCdEf", "report.xml.tmp", "subdir"}));

    const QString archive = appDir.filePath("archive");
    QVERIFY(QDir().mkpath(archive));
    FtpSenderTask sender(outgoing, archive);
    sender.setInterval(300);
    sender.loadConfiguration(settings);
    sender.init();
    QVERIFY(sender.canRun(QDateTime::currentDateTime().addSecs(301)));
    sender.run();
    QVERIFY(QTest::qWaitFor([&sender] { return sender.pending().isEmpty(); }, 60000));
    QFile sent(servers.ftpDir() + "/" + audit);
    QVERIFY(sent.open(QIODevice::ReadOnly));
    const QByteArray text = sent.readAll();
    QVERIFY2(text.startsWith("DXS*VM2400042*") && text.contains("\r\nVA1*250*0*250*0\r\n"), text.constData());
    QVERIFY(QFile::exists(archive + "/" + audit));
    QVERIFY(!QFile::exists(outgoing + "/" + audit));

    // Switched off: the next day's log goes alone.
    settings.setValue("evadts-daily-file", false);
    compiler.loadConfiguration(settings);
    QVERIFY(!compiler.auditFileEnabled());
    compiler.run();
    QVERIFY(pool.waitForDone(30000));
    QCOMPARE(QDir(drafts).entryList({"EVADTS_*"}, QDir::Files), QStringList());
}

void TestHousekeeping::garbageCollectorKeepsDirectoriesBounded()
{
    TestEnvironment::ScopedAppDir appDir;
    const QString script = appDir.filePath(DirectoryGarbageCollector::SCRIPT);
    QVERIFY(QFile::copy(TestEnvironment::sourcePath("scripts/garbage_collect_files.sh"), script));
    QVERIFY(QFile::setPermissions(script, QFile::ReadOwner | QFile::ExeOwner));

    const QString spool = appDir.filePath("spool dir");
    const QString outside = appDir.filePath("outside");
    QVERIFY(QDir().mkpath(spool) && QDir().mkpath(outside));
    const QDateTime now = QDateTime::currentDateTime();
    QVERIFY(write_file(outside + "/precious", "keep", now.addDays(-40)));
    QVERIFY(QFile::link(outside + "/precious", spool + "/old link"));
    QVERIFY(QFile::link(outside, spool + "/dir link"));
    // Ages in hours; the two older than two days go, then all but the three newest.
    const QList<QPair<QString, int>> files{{"a", 1}, {"b c", 2}, {"new\nline", 3}, {"-rf", 4},
                                           {"*", 5},  {"d", 47},  {"old one", 49},   {"old\nnewline", 100}};
    for (const auto& file : files)
        QVERIFY(write_file(spool + "/" + file.first, "x", now.addSecs(-3600 * file.second)));

    DirectoryGarbageCollector collector({spool, appDir.filePath("missing")});
    collector.setMaxAgeDays(2);
    collector.setMaxFiles(3);
    QCOMPARE(collector.scriptArguments(), QStringList({"2", "3", spool, appDir.filePath("missing")}));
    collector.run();
    QTRY_COMPARE_WITH_TIMEOUT(names_in(spool), QStringList({"a", "b c", "dir link", "new\nline", "old link"}), 30000);
    QVERIFY(QFile::exists(outside + "/precious"));
}

QTEST_GUILESS_MAIN(TestHousekeeping)
#include "tst_housekeeping.moc"
