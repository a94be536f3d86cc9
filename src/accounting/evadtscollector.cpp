#include "accounting/evadtscollector.h"

#include "accounting/evadtsreadouts.h"
#include "accounting/ledger.h"
#include "board/devices.h"
#include "board/rk710controller.h"
#include "catalogue/productprovider.h"
#include "core/version.h"
#include "core/vm24.h"
#include "logging/logqueries.h"

namespace {

EvaDtsReport::PeriodCount period_count(int sinceInitialisation, int sinceReset)
{
    EvaDtsReport::PeriodCount count;
    count.sinceInitialisation = sinceInitialisation;
    count.sinceReset = sinceReset;
    return count;
}

void add_board_identity(EvaDtsReport& report, Rk710Controller* controller, int serial)
{
    if (!controller || !controller->isAlive())
        return;
    const QByteArray version = VM24::strip_version_string(controller->getVersionString(Devices::Rk710));
    if (version.isEmpty())
        return;
    report.boardFirmware = QString::fromLatin1(version).trimmed();
    // The board takes the machine's serial number at start-up.
    report.boardSerial = VM24::format_serial(serial);
}

void add_events(EvaDtsReport& report, const Ledger& ledger)
{
    bool ok = false;
    const VM24::AuditEvents events = VM24::read_audit_events(ledger.get(Ledger::Permanent).creationDate(),
                                                             ledger.get(Ledger::Partial).creationDate(), &ok);
    if (!ok)
        return;
    const VM24::AuditEventTally& init = events.sinceInitialisation;
    const VM24::AuditEventTally& reset = events.sinceReset;
    report.cashVends = period_count(init.cashVends, reset.cashVends);
    report.cashlessVends = period_count(init.cashlessVends, reset.cashlessVends);
    report.tamperEvents = period_count(init.doorOpenedWithoutKey, reset.doorOpenedWithoutKey);
    report.powerOutages = period_count(init.powerOutages, reset.powerOutages);
    for (int i = 0; i < EvaDtsReport::SELECTION_COUNT && i < events.lastSale.size(); ++i)
        report.selections[size_t(i)].lastSale = events.lastSale.at(i);
}

} // namespace

namespace VM24 {

EvaDtsSelections eva_dts_selections(const ProductProvider& products)
{
    EvaDtsSelections selections;
    for (int i = 0; i < EvaDtsReport::SELECTION_COUNT; ++i) {
        const ProductRecord& product = products.getProductAtLocation(i);
        if (product.id().isEmpty())
            continue;
        selections[size_t(i)].productId = product.unqualifiedId();
        selections[size_t(i)].cashPrice = product.price(0);
    }
    return selections;
}

EvaDtsReport gather_eva_dts_report(const Ledger& ledger, const EvaDtsSelections& selections,
                                   Rk710Controller* controller, int serial, const QDateTime& now)
{
    EvaDtsReport report;
    report.sinceInitialisation = ledger.get(Ledger::Permanent);
    report.sinceReset = ledger.get(Ledger::Partial);
    report.machineSerial = serial;
    report.softwareVersion = QLatin1String(VM24::APPLICATION_VERSION);
    report.selections = selections;
    add_board_identity(report, controller, serial);
    add_events(report, ledger);
    const EvaDtsReadouts readouts = EvaDtsReadouts::takeReadout(now);
    report.readouts = readouts.readouts;
    report.readsWithReset = readouts.readsWithReset;
    report.readoutTime = now;
    report.previousReadout = readouts.previousReadout;
    return report;
}

} // namespace VM24
