#include "vending/maintenancereceipts.h"

#include "board/devices.h"
#include "vending/hardwaretestreport.h"

#include <QDateTime>

namespace VM24 {

namespace {

const char* const RECEIPT_DATE_FORMAT = "dd/MM/yyyy  hh:mm:ss";

// Name and value on one line when they fit, else the value on a line of its own.
void labelled_value(ReceiptHelper& receipt, const QString& name, const QString& value)
{
    if (name.size() + 1 + value.size() <= receipt.width()) {
        receipt.tab(name, value);
        return;
    }
    receipt.line(name);
    receipt.line(value, ReceiptHelper::Right);
}

} // namespace

ReceiptHelper printer_test_receipt(const QDateTime& time)
{
    ReceiptHelper receipt;
    receipt.empty(2);
    receipt.line(QStringLiteral("TEST DI STAMPA"), ReceiptHelper::DoubleHeight);
    receipt.empty();
    labelled_value(receipt, QStringLiteral("Data"), time.toString(QLatin1String(RECEIPT_DATE_FORMAT)));
    receipt.empty();
    receipt.line(QStringLiteral("Testo a sinistra"), ReceiptHelper::Left);
    receipt.line(QStringLiteral("Testo centrato"), ReceiptHelper::Center);
    receipt.line(QStringLiteral("Testo a destra"), ReceiptHelper::Right);
    receipt.line(QStringLiteral("Doppia altezza"), ReceiptHelper::DoubleHeight);
    receipt.line(QStringLiteral("Test di a capo automatico: 01234567890ABCDEF"));
    receipt.empty();
    receipt.tab(QStringLiteral("Intestazione"), QStringLiteral("Valore"));
    receipt.repeated('-');
    receipt.tab(QStringLiteral("Prodotto 1"), QStringLiteral("000,00"));
    receipt.tab(QStringLiteral("Prod.2"), QStringLiteral("00,00"));
    receipt.empty(3);
    return receipt;
}

ReceiptHelper hardware_test_receipt(const HardwareTestReport& report)
{
    ReceiptHelper receipt;
    receipt.empty(2);
    receipt.line(QStringLiteral("TEST HARDWARE"), ReceiptHelper::DoubleHeight);
    receipt.line(report.time.toString(QLatin1String(RECEIPT_DATE_FORMAT)));
    receipt.empty();
    receipt.line(QStringLiteral("Numero di serie %1").arg(report.serial));
    receipt.line(QStringLiteral("Versione %1").arg(report.version));
    receipt.empty();
    receipt.line(QStringLiteral("Versioni dispositivi"));
    for (int device = 0; device < Devices::Count; ++device) {
        const QString version = report.deviceVersions.value(device);
        labelled_value(receipt, Devices::to_string(static_cast<Devices::Index>(device)) + QLatin1Char(':'),
                       version.isEmpty() ? QStringLiteral("*** Sconosciuto ***") : version);
    }
    receipt.empty();
    receipt.line(QStringLiteral("Riepilogo autotest"));
    for (const HardwareTestReport::Test& test : report.tests) {
        receipt.repeated('-');
        receipt.line(test.title.toUpper());
        receipt.line(test.result);
        for (const QString& detail : test.details)
            receipt.line(detail);
    }
    receipt.repeated('-');
    receipt.empty();
    receipt.line(QStringLiteral("TEST CONCLUSO"), ReceiptHelper::Center);
    receipt.empty(3);
    return receipt;
}

} // namespace VM24
