// Commits the ledger of VM24_APP_DIR in an endless loop, for the power-cut
// test. Each round books one unit session (see unit_balance in the test) and
// one item, commits, and prints the number of rounds the ledger now holds.
#include "accounting/accountingservice.h"
#include "unitbalance.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    AccountingService service;
    const SessionBalance unit = unit_balance();
    std::printf("ready %lld\n", service.get(Ledger::Permanent).get(Accounting::Banknotes) / unit.banknotes);
    std::fflush(stdout);
    for (;;) {
        service.recordSessionBalance(unit);
        const qint64 rounds = service.get(Ledger::Permanent).get(Accounting::Banknotes) / unit.banknotes;
        service.recordItemDispensed({int(rounds % 18)}, UNIT_ITEM_PRICE);
        if (!service.commit())
            return 1;
        std::printf("%lld\n", rounds);
        std::fflush(stdout);
    }
}
