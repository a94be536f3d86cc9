// Commit time of the ledger: both files replaced whole and flushed to the
// disk (what every closed session pays), next to the same two files written
// in place and flushed with syncfs, and to building the document alone.
//
// Run:  build/bin/bench_ledger [commits]      (default 40, median and worst shown)
// The files go to a temporary directory under $TMPDIR (default /tmp): run it
// on the file system the machine keeps its application directory on.

#include "accounting/accountingservice.h"
#include "accounting/durablefile.h"
#include "accounting/xmldocument.h"
#include "vending/sessionbalance.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
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

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? qMax(1, QByteArray(argv[1]).toInt()) : 40;
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
               .arg(commit.median, 0, 'f', 2).arg(commit.worst, 0, 'f', 2);
    out << QStringLiteral("in place + syncfs, both files:                  median %1 ms, worst %2 ms\n")
               .arg(inPlace.median, 0, 'f', 2).arg(inPlace.worst, 0, 'f', 2);
    out << QStringLiteral("document only (no file):                        median %1 ms\n")
               .arg(build.median, 0, 'f', 3);
    out << QStringLiteral("ratio commit / in place + syncfs: %1\n").arg(commit.median / inPlace.median, 0, 'f', 2);
    return 0;
}
