// The money side's two recurring costs.
//
// 1. Commit time of the ledger: both files replaced whole and flushed to the
//    disk (what every closed session pays), next to the same two files
//    written in place and flushed with syncfs, and to building the document
//    alone.
// 2. Credit polling: the program's CPU time per second with a vending session
//    open (the credit reader asks the board once a second), next to the same
//    time with no session (the board's state reader alone), both against the
//    board simulator (build/bin/rk710-sim).
//
// Run:  build/bin/bench_ledger [commits] [seconds]
//       (default 40 commits, median and worst shown; 10 s of each polling case)
// The files go to a temporary directory under $TMPDIR (default /tmp): run it
// on the file system the machine keeps its application directory on.

#include "accounting/accountingservice.h"
#include "accounting/sessionbalance.h"
#include "board/powercontrol.h"
#include "board/rk710controller.h"
#include "catalogue/priceprovider.h"
#include "catalogue/productprovider.h"
#include "core/durablefile.h"
#include "core/vm24.h"
#include "core/xmldocument.h"
#include "processusage.h"
#include "rk710simprocess.h"
#include "vending/sessioncredit.h"
#include "vending/vendingsessioncontext.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <QXmlStreamWriter>

#include <algorithm>
#include <functional>

namespace {

struct Figures
{
    double median;
    double worst;
};

Figures measure(int runs, const std::function<void()>& work)
{
    QList<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.append(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return {times.at(times.size() / 2), times.last()};
}

QByteArray ledger_document(const AccountingService& service)
{
    return VM24::XmlDocument::build([&](QXmlStreamWriter& writer) { service.toXml(writer); });
}

// Writes the file in place, then flushes the whole file system.
void write_in_place_and_syncfs(const QString& path, const QByteArray& data)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return;
    file.write(data);
    file.flush();
    VM24::sync_file_system(file.handle());
}

struct PollingFigures
{
    double idle;
    double session;
    int requests;
};

bool measure_polling(int seconds, PollingFigures* figures)
{
    Rk710SimProcess simulator;
    if (!simulator.start()) {
        QTextStream(stderr) << "cannot start the board simulator: " << simulator.errorString() << "\n";
        return false;
    }
    Rk710Controller controller;
    if (!controller.open(simulator.devicePath().toLocal8Bit().constData()))
        return false;
    controller.initialize();
    VM24::NotificationService notifications;
    AccountingService accounting;
    ProductProvider products(VM24::get_path(QStringLiteral("data/products")));
    PriceProvider prices(&products);
    PowerControl power;
    SessionCredit credit(&prices, &accounting, &notifications);
    VendingSessionContext session(&controller, &credit, &power, &notifications);

    figures->idle = 1000.0 * cpu_share_while_idle(seconds);
    const int requestsBefore = simulator.state()["link"].toObject()["executed"].toInt();
    session.beginVendingSession();
    figures->session = 1000.0 * cpu_share_while_idle(seconds);
    figures->requests = simulator.state()["link"].toObject()["executed"].toInt() - requestsBefore;
    QEventLoop loop;
    QObject::connect(&session, &VendingSessionContext::creditPollingStopped, &loop, &QEventLoop::quit);
    session.prepareToCloseSession();
    loop.exec();
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? qMax(1, QByteArray(argv[1]).toInt()) : 40;
    const int seconds = argc > 2 ? qMax(1, QByteArray(argv[2]).toInt()) : 10;
    QTemporaryDir dir;
    qputenv("VM24_APP_DIR", dir.path().toLocal8Bit());

    AccountingService service;
    SessionBalance balance;
    balance.banknotes = 1000;
    balance.coins = 340;
    balance.cashIncome = 1200;
    balance.changeDelivered = 140;
    balance.changeCount = 1;
    int dispenser = 0;
    const auto book = [&] {
        service.recordSessionBalance(balance);
        service.recordItemDispensed({dispenser++ % 18}, 600);
    };

    const Figures commit = measure(runs, [&] {
        book();
        service.commit();
    });
    const Figures inPlace = measure(runs, [&] {
        book();
        const QByteArray data = ledger_document(service);
        write_in_place_and_syncfs(AccountingService::ledgerPath(), data);
        write_in_place_and_syncfs(AccountingService::backupPath(), data);
    });
    const Figures build = measure(runs, [&] {
        book();
        ledger_document(service);
    });

    QTextStream out(stdout);
    out << "ledger document: " << ledger_document(service).size() << " bytes, " << runs << " commits each\n";
    out << QStringLiteral("commit (replace whole, fsync file + directory): median %1 ms, worst %2 ms\n")
               .arg(commit.median, 0, 'f', 2)
               .arg(commit.worst, 0, 'f', 2);
    out << QStringLiteral("in place + syncfs, both files:                  median %1 ms, worst %2 ms\n")
               .arg(inPlace.median, 0, 'f', 2)
               .arg(inPlace.worst, 0, 'f', 2);
    out << QStringLiteral("document only (no file):                        median %1 ms\n")
               .arg(build.median, 0, 'f', 3);
    out << QStringLiteral("ratio commit / in place + syncfs: %1\n").arg(commit.median / inPlace.median, 0, 'f', 2);
    out.flush();

    PollingFigures polling {};
    if (!measure_polling(seconds, &polling))
        return 1;
    out << QStringLiteral("CPU per second, board state reader alone:     %1 ms\n").arg(polling.idle, 0, 'f', 2);
    out << QStringLiteral("CPU per second, with a session polling credit: %1 ms\n").arg(polling.session, 0, 'f', 2);
    out << QStringLiteral(
               "credit polling costs %1 ms of CPU per second of session (%2 board requests per second in all)\n")
               .arg(polling.session - polling.idle, 0, 'f', 2)
               .arg(polling.requests / double(seconds), 0, 'f', 1);
    return 0;
}
