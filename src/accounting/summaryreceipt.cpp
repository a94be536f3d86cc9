#include "accounting/summaryreceipt.h"

#include "accounting/accountingreport.h"
#include "board/accountingcounters.h"
#include "core/vm24.h"

#include <QCoreApplication>

namespace {

const char* const RECEIPT_DATE_FORMAT = "dd/MM/yyyy  hh:mm:ss";
const int PAPER_FEED_LINES = 12;

QString receipt_date(const QDateTime& date)
{
    return date.isValid() ? date.toString(QLatin1String(RECEIPT_DATE_FORMAT)) : QString();
}

QString title_of(Ledger::Frequency frequency)
{
    switch (frequency) {
    case Ledger::Partial:
        return QCoreApplication::translate("AccountingPage", "CONTABILITA' PARZIALE");
    case Ledger::Log:
        return QCoreApplication::translate("AccountingPage", "CONTABILITA' LOG");
    default:
        return QCoreApplication::translate("AccountingPage", "CONTABILITA' TOTALE");
    }
}

void section(ReceiptHelper& receipt, const char* title)
{
    receipt.empty();
    receipt.line(QCoreApplication::translate("AccountingPage", title), ReceiptHelper::Center);
}

void rows(ReceiptHelper& receipt, const QList<VM24::ReportLine>& lines)
{
    for (const VM24::ReportLine& line : lines)
        VM24::receipt_row(receipt, line.label, line.value);
}

} // namespace

namespace VM24 {

void receipt_row(ReceiptHelper& receipt, const QString& label, const QString& value, char fill)
{
    const int room = qMax(0, receipt.width() - value.length() - 1);
    receipt.tab(label.left(room), value, fill);
}

ReceiptHelper compile_summary_receipt(const QStringList& header, Ledger::Frequency frequency,
                                      const Accounting& accounting, const AccountingCounters& counters)
{
    ReceiptHelper receipt;
    ReceiptHelper::compileStandardReceiptHeader(receipt, header);
    receipt.line(title_of(frequency), ReceiptHelper::DoubleHeight);
    receipt.line(QCoreApplication::translate("AccountingPage", "Data creazione"));
    receipt.line(receipt_date(accounting.creationDate()).rightJustified(receipt.width()));
    receipt.line(QCoreApplication::translate("AccountingPage", "Ultimo aggiornamento"));
    receipt.line(receipt_date(accounting.lastUpdate()).rightJustified(receipt.width()));
    section(receipt, QT_TRANSLATE_NOOP("AccountingPage", "*** Generale ***"));
    rows(receipt, ledger_lines(accounting, false));
    section(receipt, QT_TRANSLATE_NOOP("AccountingPage", "*** Contatori ***"));
    rows(receipt, board_counter_lines(counters));
    section(receipt, QT_TRANSLATE_NOOP("AccountingPage", "*** Erogatori ***"));
    for (int selection = 1; selection <= Accounting::DISPENSER_COUNT; ++selection) {
        receipt_row(receipt, QCoreApplication::translate("AccountingPage", "Selezione %1").arg(selection),
                    QString::number(accounting.dispensedCount(selection - 1)));
    }
    receipt.empty(PAPER_FEED_LINES);
    return receipt;
}

ReceiptHelper compile_overpay_receipt(const QStringList& header, const QList<QPair<QDateTime, int>>& rows, int days,
                                      const QDateTime& now)
{
    ReceiptHelper receipt;
    ReceiptHelper::compileStandardReceiptHeader(receipt, header);
    receipt.line(QCoreApplication::translate("PrintSummaryTask", "RIASSUNTO RESTI"), ReceiptHelper::DoubleHeight);
    receipt.line(QCoreApplication::translate("PrintSummaryTask", "NON EROGATI"), ReceiptHelper::DoubleHeight);
    receipt.line(QCoreApplication::translate("PrintSummaryTask", "Da: %1").arg(receipt_date(now.addDays(-days))));
    receipt.line(QCoreApplication::translate("PrintSummaryTask", "A:  %1").arg(receipt_date(now)));
    receipt.empty();
    for (int i = 0; i < rows.size(); ++i) {
        // Number and time fill a whole row: the amount goes below them.
        receipt.line(QStringLiteral("%1) %2").arg(i + 1, 2).arg(receipt_date(rows.at(i).first)));
        receipt.line(format_credit(rows.at(i).second).rightJustified(receipt.width()));
    }
    receipt.repeated('.');
    receipt.empty(PAPER_FEED_LINES);
    return receipt;
}

} // namespace VM24
