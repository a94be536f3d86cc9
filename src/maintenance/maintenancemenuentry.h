#pragma once

// The entries of the maintenance menu; each opens the page bound to it.
namespace MaintenanceMenuEntry {

enum Value {
    ProductArrangement = 0,
    ProductPrices = 1,
    Accounting = 2,
    Settings = 3,
    Peripherals = 4,
    LogViewer = 5,
    KeyGeneration = 6,
    ReceiptSummary = 7,
    UsbUpdates = 8,
    UsbExport = 9,
    PackageInstallation = 10,
};

static const int COUNT = 11;

} // namespace MaintenanceMenuEntry
