// Cost of the reports that leave the machine:
//  1. the telemetry export of 250,000 event-log rows to a file, against the
//     bare QSqlQuery read of the same rows (target: at most 2x);
//  2. the mailer and the FTP sender, enabled and configured, over empty
//     spool directories for a minute: the CPU they take while idle. The
//     scheduler ticks every second here (60 s in the program) and both
//     senders look at their directory every second.
// Everything happens in a temporary directory; no transfer is attempted.
//
// Run:  build/bin/bench_telemetry [rows] [idle-seconds]   (defaults 250000 and 60)

#include "core/vm24.h"
#include "logging/logdatabase.h"
#include "logging/notifications.h"
#include "logging/talviologexporter.h"
#include "processusage.h"
#include "settings/settings.h"
#include "tasks/ftpsendertask.h"
#include "tasks/mailertask.h"
#include "tasks/taskscheduler.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

using namespace VM24;

namespace {

const char* const SELECT = "SELECT timestamp, category, data FROM Log "
                           "WHERE timestamp >= datetime('now', '-1 days', 'localtime')";

bool fill(int rows)
{
    QSqlDatabase db = log_database();
    if (!db.transaction())
        return false;
    QSqlQuery insert(db);
    insert.prepare(QStringLiteral("INSERT INTO Log VALUES (?, ?, ?)"));
    const QDateTime start = QDateTime::currentDateTime().addSecs(-rows / 4 - 60);
    for (int i = 0; i < rows; ++i) {
        insert.addBindValue(start.addMSecs(qint64(i) * 250).toString(QLatin1String(SQL_DATE_TIME_FORMAT)));
        switch (i % 4) {
        case 0:
            insert.addBindValue(QStringLiteral("cash-inserted"));
            insert.addBindValue(QStringLiteral("banknotes=500&coins=%1").arg(i % 200));
            break;
        case 1:
            insert.addBindValue(QStringLiteral("product-purchased"));
            insert.addBindValue(
                QStringLiteral("productId=main/%1&cost=990&dispenser=%2&method=Cash&userInfo=").arg(i % 500).arg(i % 18));
            break;
        case 2:
            insert.addBindValue(QStringLiteral("debug"));
            insert.addBindValue(QStringLiteral("Credito corrente: %1").arg(i));
            break;
        default:
            insert.addBindValue(QStringLiteral("alarm"));
            insert.addBindValue(QStringLiteral("id=4&clear=%1").arg(i % 8 == 3));
        }
        if (!insert.exec())
            return false;
    }
    return db.commit();
}

double bare_read_ms(int* rows)
{
    QElapsedTimer timer;
    timer.start();
    QSqlQuery query(log_database());
    query.setForwardOnly(true);
    *rows = 0;
    if (!query.exec(QLatin1String(SELECT)))
        return -1;
    qint64 bytes = 0;
    while (query.next()) {
        bytes += query.value(0).toString().size() + query.value(1).toString().size() + query.value(2).toString().size();
        ++*rows;
    }
    return bytes > 0 ? double(timer.nsecsElapsed()) / 1e6 : -1;
}

// Rebuilding the notifications alone, without writing anything.
class NullVisitor : public NotificationVisitor
{
public:
    void visit(const UserCashlessRechargeNotification*) override {}
    void visit(const ProductPurchasedNotification*) override {}
    void visit(const ChangeReturnedNotification*) override {}
    void visit(const OverpayNotification*) override {}
    void visit(const VendingSessionInfo*) override {}
    void visit(const AlarmNotification*) override {}
    void visit(const CashInsertedNotification*) override {}
    void visit(const PowerManagementNotification*) override {}
    void visit(const ProductSoldOutNotification*) override {}
    void visit(const MotorDispenserErrorNotification*) override {}
    void visit(const AlarmActiveNotification*) override {}
    void visit(const EmptyHopperNotification*) override {}
    void visit(const InfoNotification*) override {}
    void visit(const WarningNotification*) override {}
    void visit(const DebugNotification*) override {}
    void visit(const SupportRequestNotification*) override {}
};

double rebuild_ms()
{
    QElapsedTimer timer;
    timer.start();
    NullVisitor visitor;
    return apply_visitor_to_log(visitor, QLatin1String(LOG_DB_CONNECTION_NAME), 1) > 0
        ? double(timer.nsecsElapsed()) / 1e6
        : -1;
}

double export_ms(const QString& path, const ProductNames& names, qint64* size)
{
    QElapsedTimer timer;
    timer.start();
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !export_log_talvio_format(&file, QDateTime::currentDateTime(), 42, names, 1))
        return -1;
    file.close();
    *size = file.size();
    return double(timer.nsecsElapsed()) / 1e6;
}

double idle_senders(const QTemporaryDir& dir, int seconds)
{
    qputenv("VM24_APP_DIR", dir.path().toLocal8Bit());
    Settings::configureLocation();
    QSettings settings;
    settings.setValue("enable-notifications", true);
    settings.setValue("Alarms/email", "owner@example.com");
    settings.setValue("FtpServer/address", "127.0.0.1");
    settings.setValue("FtpServer/username", "vm24");
    settings.setValue("FtpServer/password", "secret");
    for (const char* spool : {"outgoing", "mailbox", "archive"})
        QDir(dir.path()).mkpath(QLatin1String(spool));
    TaskScheduler scheduler;
    auto* mailer = new MailerTask(dir.filePath("mailbox"), dir.filePath("archive"));
    auto* ftp = new FtpSenderTask(dir.filePath("outgoing"), dir.filePath("archive"));
    for (SpoolSender* sender : {static_cast<SpoolSender*>(mailer), static_cast<SpoolSender*>(ftp)}) {
        sender->loadConfiguration(settings);
        sender->setInterval(1);
        scheduler.registerTask(sender);
    }
    scheduler.setInterval(1);
    scheduler.start();
    double wall = 0;
    const double share = cpu_share_while_idle(seconds, &wall);
    std::printf("mailer and FTP sender idle, %.0f s, checked every second: %.4f %% of one core\n", wall,
                share * 100);
    return share;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const int rows = argc > 1 ? std::atoi(argv[1]) : 250000;
    const int idleSeconds = argc > 2 ? std::atoi(argv[2]) : 60;
    QTemporaryDir dir;
    if (!dir.isValid() || !open_log_database(dir.filePath(QStringLiteral("log.db"))) || !fill(rows)) {
        std::fprintf(stderr, "cannot prepare the event log\n");
        return 1;
    }
    ProductNames names;
    for (int i = 0; i < 500; ++i)
        names.insert(QStringLiteral("main/%1").arg(i), QStringLiteral("Prodotto numero %1").arg(i));

    int read = 0;
    bare_read_ms(&read); // warm the page cache
    double bestRead = 1e12;
    double bestExport = 1e12;
    double bestRebuild = 1e12;
    qint64 size = 0;
    for (int run = 0; run < 3; ++run) {
        bestRead = qMin(bestRead, bare_read_ms(&read));
        bestRebuild = qMin(bestRebuild, rebuild_ms());
        bestExport = qMin(bestExport, export_ms(dir.filePath(QStringLiteral("VM24Log.xml")), names, &size));
    }
    if (read != rows || bestRead < 0 || bestExport < 0) {
        std::fprintf(stderr, "read %d of %d rows\n", read, rows);
        return 1;
    }
    std::printf("bare QSqlQuery read of %d rows:  %8.0f ms\n", read, bestRead);
    std::printf("rebuilding the notifications alone: %8.0f ms (%.2fx)\n", bestRebuild, bestRebuild / bestRead);
    std::printf("telemetry export of the same rows: %8.0f ms (%.2fx), %lld bytes\n", bestExport,
                bestExport / bestRead, size);
    idle_senders(dir, idleSeconds);
    return 0;
}
