// Cost of the notification path and of the event log on this machine:
//  1. publishing one notification through the service to the event-log
//     writer on the calling (GUI) thread, next to a service without handlers;
//  2. writing 100,000 buffered rows to the database in one flush;
//  3. apply_visitor_to_log over 250,000 rows.
// Everything happens in a temporary directory.
//
// Run:  build/bin/bench_notifications [rows-to-write] [rows-to-visit]
//       (defaults 100000 and 250000)

#include "logging/logdatabase.h"
#include "logging/notifications.h"
#include "logging/notificationservice.h"
#include "logging/periodicdblogger.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThreadPool>

#include <cstdio>
#include <cstdlib>

using namespace VM24;

namespace {

NotificationBase* sample_notification(int i)
{
    switch (i % 4) {
    case 0:
        return new CashInsertedNotification(500, i % 200);
    case 1:
        return new ProductPurchasedNotification(QStringLiteral("farmacia/%1").arg(i % 500), 990, i % 18,
                                                ProductPurchasedNotification::Cash, QString());
    case 2:
        return new DebugNotification(QStringLiteral("Credito corrente: %1").arg(i));
    default:
        return new AlarmNotification(ProductsNotAvailableAlarm, i % 8 == 3);
    }
}

double publish(VM24::NotificationService& service, int count)
{
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < count; ++i)
        service.notify(std::unique_ptr<NotificationBase>(sample_notification(i)));
    return double(timer.nsecsElapsed());
}

class CountingVisitor : public NotificationVisitor
{
public:
    long visited = 0;
    void visit(const UserCashlessRechargeNotification*) override { ++visited; }
    void visit(const ProductPurchasedNotification*) override { ++visited; }
    void visit(const ChangeReturnedNotification*) override { ++visited; }
    void visit(const OverpayNotification*) override { ++visited; }
    void visit(const VendingSessionInfo*) override { ++visited; }
    void visit(const AlarmNotification*) override { ++visited; }
    void visit(const CashInsertedNotification*) override { ++visited; }
    void visit(const PowerManagementNotification*) override { ++visited; }
    void visit(const ProductSoldOutNotification*) override { ++visited; }
    void visit(const MotorDispenserErrorNotification*) override { ++visited; }
    void visit(const AlarmActiveNotification*) override { ++visited; }
    void visit(const EmptyHopperNotification*) override { ++visited; }
    void visit(const InfoNotification*) override { ++visited; }
    void visit(const WarningNotification*) override { ++visited; }
    void visit(const DebugNotification*) override { ++visited; }
    void visit(const SupportRequestNotification*) override { ++visited; }
};

int row_count()
{
    QSqlQuery query(log_database());
    return query.exec(QStringLiteral("SELECT count(*) FROM Log")) && query.next() ? query.value(0).toInt() : -1;
}

// Buffers count rows through the service and writes them in one flush.
// Returns the milliseconds of the write alone, or -1 on failure.
double write_rows(PeriodicDbLogger& logger, VM24::NotificationService& service, int count)
{
    for (int i = 0; i < count; ++i)
        service.notify(std::unique_ptr<NotificationBase>(sample_notification(i)));
    QElapsedTimer timer;
    timer.start();
    logger.flush();
    if (!logger.waitForWrite(600000) || logger.pendingRowCount() != 0)
        return -1;
    return double(timer.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const int toWrite = argc > 1 ? std::atoi(argv[1]) : 100000;
    const int toVisit = argc > 2 ? std::atoi(argv[2]) : 250000;
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;

    QThreadPool pool;
    PeriodicDbLogger logger(&pool);
    logger.setDatabaseName(dir.filePath(QStringLiteral("log.db")));
    VM24::NotificationService bare;
    VM24::NotificationService logged;
    logged.addHandler(&logger);

    const int publications = 100000;
    publish(bare, 1000);
    const double bareNs = publish(bare, publications) / publications;
    const double loggedNs = publish(logged, publications) / publications;
    std::printf("publish, no handlers:        %8.0f ns per notification\n", bareNs);
    std::printf("publish, event-log writer:   %8.0f ns per notification (%.1fx)\n", loggedNs, loggedNs / bareNs);
    logger.flush();
    logger.waitForWrite(600000);

    const int before = row_count();
    const double writeMs = write_rows(logger, logged, toWrite);
    if (writeMs < 0 || row_count() != before + toWrite) {
        std::fprintf(stderr, "write failed\n");
        return 1;
    }
    std::printf("write %d rows in one flush: %8.0f ms (%.0f rows/s)\n", toWrite, writeMs, toWrite / writeMs * 1000);

    const int missing = toVisit - row_count();
    if (missing > 0 && write_rows(logger, logged, missing) < 0)
        return 1;
    CountingVisitor visitor;
    QElapsedTimer timer;
    timer.start();
    const int visited = apply_visitor_to_log(visitor, QLatin1String(LOG_DB_CONNECTION_NAME), 1);
    const double visitMs = double(timer.nsecsElapsed()) / 1e6;
    std::printf("apply_visitor_to_log, %d rows: %8.0f ms (%.2f us per row)\n", visited, visitMs,
                visitMs * 1000 / qMax(1, visited));
    return visited >= toVisit ? 0 : 1;
}
