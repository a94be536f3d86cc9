#pragma once

#include "accounting/evadtsreport.h"

#include <QDateTime>

#include <array>

class Ledger;
class ProductProvider;
class Rk710Controller;

namespace VM24 {

using EvaDtsSelections = std::array<EvaDtsReport::Selection, EvaDtsReport::SELECTION_COUNT>;

// What each selection offers and its cash price, read in the provider's
// thread before the audit is made on a worker.
EvaDtsSelections eva_dts_selections(const ProductProvider& products);

// The audit of the books now: the board's identity (nothing from a board
// that does not answer, or none), the event log's counts and the latest
// sale of each selection, and a readout counted in and kept. Asks the board
// and the event log, so it belongs on a worker thread.
EvaDtsReport gather_eva_dts_report(const Ledger& ledger, const EvaDtsSelections& selections,
                                   Rk710Controller* controller, int serial, const QDateTime& now);

} // namespace VM24
