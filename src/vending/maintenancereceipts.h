#pragma once

#include "board/receipthelper.h"

class QDateTime;
struct HardwareTestReport;

// The receipts of the operator's tests. They are printed in Italian, like
// every receipt of the machine.
namespace VM24 {

// The printer test: alignments, double height, a line the printer wraps
// and a small table.
ReceiptHelper printer_test_receipt(const QDateTime& time);

// The summary of the guided hardware test.
ReceiptHelper hardware_test_receipt(const HardwareTestReport& report);

} // namespace VM24
