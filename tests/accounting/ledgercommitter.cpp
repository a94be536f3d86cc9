// Commits the ledger of VM24_APP_DIR in an endless loop, for the power-cut
// test. Each round books one unit session (see unit_balance in the test) and
// one item, commits, and prints the number of rounds the ledger now holds.
// With the argument "once" it commits one round, writes the board counters
// document and exits, for the test that records the system calls.
#include "accounting/accountingservice.h"
#include "accounting/countersdocument.h"
#include "board/accountingcounters.h"
#include "core/vm24.h"
#include "unitbalance.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

int commit_once(AccountingService& service)
{
    service.recordSessionBalance(unit_balance());
    service.recordItemDispensed({ 0 }, UNIT_ITEM_PRICE);
    if (!service.commit())
        return 1;
    AccountingCounters counters;
    counters.set(AccountingCounters::Pieces100, 7);
    const bool written = VM24::counters_to_xml_document(VM24::get_path(QStringLiteral("counters.xml")), counters,
                                                        counters, counters);
    return written ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    AccountingService service;
    if (app.arguments().contains(QStringLiteral("once")))
        return commit_once(service);
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
