#include "accounting/accountingreport.h"

#include "accounting/ledger.h"
#include "board/accountingcounters.h"
#include "core/vm24.h"
#include "core/xmldocument.h"
#include "core/xmltag.h"
#include "core/xmlwriting.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QXmlStreamWriter>

namespace {

// The ledger's totals are 64-bit: the permanent period outgrows the
// 32-bit amounts of single sessions.
QString money(qint64 total)
{
    return VM24::format_credit(total);
}

QString style_sheet()
{
    QFile file(QStringLiteral(":/accounting-style"));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

QString format_date(const QDateTime& date)
{
    return date.isValid() ? date.toString(QLatin1String(VM24::ITALIAN_DATE_TIME_FORMAT)) : QString();
}

// The report's pieces share the writer and the periods chosen.
class HtmlReport
{
public:
    HtmlReport(QXmlStreamWriter& writer, const Ledger& ledger, const AccountingCounters& permanent,
               const AccountingCounters& partial, const AccountingCounters& daily, int frequencies)
        : m_writer(writer)
        , m_ledger(ledger)
    {
        const AccountingCounters* counters[] = {&permanent, &partial, &daily};
        for (int i = 0; i < 3; ++i) {
            if (frequencies & Ledger::FREQUENCIES[i]) {
                m_frequencies.append(Ledger::FREQUENCIES[i]);
                m_counters.append(counters[i]);
            }
        }
    }

    void write()
    {
        VM24::XmlDocument document(m_writer);
        VM24::XmlTag html("html", m_writer);
        {
            VM24::XmlTag head("head", m_writer);
            VM24::XmlTag style("style", m_writer);
            style.append(style_sheet());
        }
        VM24::XmlTag body("body", m_writer);
        heading(QCoreApplication::translate("AccountingReport", "Generale"));
        {
            VM24::XmlTag table("table", {QStringLiteral("align"), QStringLiteral("center")}, m_writer);
            VM24::XmlTag row("tr", m_writer);
            {
                VM24::XmlTag cell("td", {QStringLiteral("class"), QStringLiteral("column")}, m_writer);
                QList<QList<VM24::ReportLine>> columns;
                for (Ledger::Frequency frequency : m_frequencies)
                    columns.append(VM24::ledger_lines(m_ledger.get(frequency), true));
                linesTable(columns, QStringLiteral("right"));
            }
            {
                VM24::XmlTag cell("td", {QStringLiteral("class"), QStringLiteral("column")}, m_writer);
                QList<QList<VM24::ReportLine>> columns;
                for (const AccountingCounters* counters : m_counters)
                    columns.append(VM24::board_counter_lines(*counters));
                linesTable(columns, QStringLiteral("left"));
            }
        }
        datesTable();
        heading(QCoreApplication::translate("AccountingReport", "Contatori motor dispenser"));
        {
            VM24::XmlTag table("table", {QStringLiteral("align"), QStringLiteral("center")}, m_writer);
            VM24::XmlTag row("tr", m_writer);
            dispenserCell(0);
            dispenserCell(Accounting::DISPENSER_COUNT / 2);
        }
    }

private:
    void heading(const QString& text)
    {
        VM24::write_text_element("h1", text, {QStringLiteral("align"), QStringLiteral("center")}, m_writer);
    }

    // An empty cell keeps its end tag: HTML readers do not all take "<td/>".
    void cell(const char* name, const QString& text, const QStringList& attributes = QStringList())
    {
        VM24::XmlTag element(name, attributes, m_writer);
        element.append(text);
    }

    void columnHeads(const QString& first, const QStringList& attributes = QStringList())
    {
        VM24::XmlTag head("thead", m_writer);
        VM24::XmlTag row("tr", m_writer);
        cell("th", first, attributes);
        for (Ledger::Frequency frequency : m_frequencies)
            cell("th", VM24::frequency_to_string(frequency), attributes);
    }

    // One row per line, one cell per column; every column lists the same labels.
    void linesTable(const QList<QList<VM24::ReportLine>>& columns, const QString& alignment)
    {
        const QStringList aligned = {QStringLiteral("align"), alignment};
        VM24::XmlTag table("table", m_writer);
        columnHeads(QCoreApplication::translate("AccountingReport", "Indicatore"));
        VM24::XmlTag body("tbody", m_writer);
        const QList<VM24::ReportLine> labels = columns.value(0);
        for (int line = 0; line < labels.size(); ++line) {
            VM24::XmlTag row("tr", m_writer);
            cell("th", labels.at(line).label, aligned);
            for (const QList<VM24::ReportLine>& column : columns)
                cell("td", column.at(line).value, aligned);
        }
    }

    void datesTable()
    {
        VM24::XmlTag table("table", {QStringLiteral("align"), QStringLiteral("center"), QStringLiteral("class"),
                                     QStringLiteral("dates")},
                           m_writer);
        {
            VM24::XmlTag head("thead", m_writer);
            VM24::XmlTag row("tr", m_writer);
            cell("th", QString());
            cell("th", QCoreApplication::translate("AccountingReport", "Data creazione"));
            cell("th", QCoreApplication::translate("AccountingReport", "Data ultima modifica"));
        }
        VM24::XmlTag body("tbody", m_writer);
        for (Ledger::Frequency frequency : m_frequencies) {
            const Accounting& accounting = m_ledger.get(frequency);
            VM24::XmlTag row("tr", m_writer);
            cell("th", VM24::frequency_to_string(frequency));
            cell("td", format_date(accounting.creationDate()));
            cell("td", format_date(accounting.lastUpdate()));
        }
    }

    // The dispensers first to first + 8, counted per period.
    void dispenserCell(int first)
    {
        const QStringList right = {QStringLiteral("align"), QStringLiteral("right")};
        VM24::XmlTag column("td", {QStringLiteral("class"), QStringLiteral("column")}, m_writer);
        VM24::XmlTag table("table", {QStringLiteral("align"), QStringLiteral("center")}, m_writer);
        columnHeads(QCoreApplication::translate("AccountingReport", "Selezione"), right);
        VM24::XmlTag body("tbody", m_writer);
        for (int dispenser = first; dispenser < first + Accounting::DISPENSER_COUNT / 2; ++dispenser) {
            VM24::XmlTag row("tr", m_writer);
            cell("th", QString::number(dispenser + 1), right);
            for (Ledger::Frequency frequency : m_frequencies)
                cell("td", QString::number(m_ledger.get(frequency).dispensedCount(dispenser)), right);
        }
    }

    QXmlStreamWriter& m_writer;
    const Ledger& m_ledger;
    QList<Ledger::Frequency> m_frequencies;
    QList<const AccountingCounters*> m_counters;
};

} // namespace

namespace VM24 {

QList<ReportLine> ledger_lines(const Accounting& accounting, bool withCoinBox)
{
    auto total = [&](Accounting::Selector selector) {
        return ReportLine{Accounting::selectorString(selector), money(accounting.get(selector))};
    };
    auto count = [&](Accounting::Counter counter) {
        return ReportLine{Accounting::counterString(counter), QString::number(accounting.get(counter))};
    };
    QList<ReportLine> lines = {total(Accounting::Banknotes), total(Accounting::Coins)};
    if (withCoinBox)
        lines.append(total(Accounting::CoinBox));
    lines << total(Accounting::Recharges) << count(Accounting::RechargeCount) << total(Accounting::CashIncome)
          << total(Accounting::CashlessIncome) << total(Accounting::PosIncome)
          << total(Accounting::ChangeDelivered) << count(Accounting::ChangeCount)
          << total(Accounting::ExtraIncome);
    return lines;
}

QList<ReportLine> board_counter_lines(const AccountingCounters& counters)
{
    auto line = [&](const QString& label, int index) {
        return ReportLine{label, QString::number(counters.get(index))};
    };
    QList<ReportLine> lines = {line(QCoreApplication::translate("AccountingReport", "Monete hopper 1"), AccountingCounters::Hopper1),
                               line(QCoreApplication::translate("AccountingReport", "Monete hopper 2"), AccountingCounters::Hopper2)};
    // Denominations are stored from 5000 cents down: coins first, smallest first.
    for (int index = AccountingCounters::Pieces5; index >= AccountingCounters::Pieces200; --index)
        lines.append(line(QCoreApplication::translate("AccountingReport", "Monete %1").arg(format_credit(AccountingCounters::denomination(index))), index));
    for (int index = AccountingCounters::Pieces500; index >= AccountingCounters::Pieces5000; --index)
        lines.append(line(QCoreApplication::translate("AccountingReport", "Banconote %1").arg(format_credit(AccountingCounters::denomination(index))), index));
    return lines;
}

void accounting_to_html(const Ledger& ledger, QIODevice* device, const AccountingCounters& permanent,
                        const AccountingCounters& partial, const AccountingCounters& daily, int frequencies)
{
    QXmlStreamWriter writer(device);
    writer.setAutoFormatting(true);
    HtmlReport(writer, ledger, permanent, partial, daily, frequencies).write();
}

QString complete_accounting_to_html(const Ledger& ledger, const AccountingCounters& permanent,
                                    const AccountingCounters& partial, const AccountingCounters& daily,
                                    int frequencies)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    accounting_to_html(ledger, &buffer, permanent, partial, daily, frequencies);
    return QString::fromUtf8(buffer.data().constData());
}

} // namespace VM24
