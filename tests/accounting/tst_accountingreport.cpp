#include "accounting/accountingreport.h"
#include "accounting/ledger.h"
#include "accounting/summaryreceipt.h"
#include "board/accountingcounters.h"
#include "testenvironment.h"

#include <QBuffer>
#include <QFile>
#include <QMap>
#include <QTextDocument>
#include <QXmlStreamReader>
#include <QtTest>

#include <limits>

namespace {

// A small tree of the report, enough to walk it by element names.
struct Node
{
    QString name;
    QXmlStreamAttributes attributes;
    QString text;
    QList<Node> children;

    QString attribute(const char* key) const { return attributes.value(QLatin1String(key)).toString(); }
    QList<const Node*> all(const QString& childName) const
    {
        QList<const Node*> found;
        for (const Node& child : children) {
            if (child.name == childName)
                found.append(&child);
        }
        return found;
    }
    const Node& one(const QString& childName) const
    {
        static const Node missing;
        const QList<const Node*> found = all(childName);
        return found.size() == 1 ? *found.first() : missing;
    }
    // The texts of this row's cells.
    QStringList cells() const
    {
        QStringList texts;
        for (const Node& child : children)
            texts.append(child.text);
        return texts;
    }
};

Node read_node(QXmlStreamReader& reader)
{
    Node node{reader.name().toString(), reader.attributes(), QString(), {}};
    while (reader.readNext() != QXmlStreamReader::EndElement && !reader.atEnd()) {
        if (reader.isStartElement())
            node.children.append(read_node(reader));
        else if (reader.isCharacters() && !reader.isWhitespace())
            node.text += reader.text();
    }
    return node;
}

Node parse(const QString& html, bool* wellFormed)
{
    QXmlStreamReader reader(html);
    Node root;
    if (reader.readNextStartElement())
        root = read_node(reader);
    while (!reader.atEnd())
        reader.readNext();
    *wellFormed = !reader.hasError();
    return root;
}

// Every period holds different numbers, so a column taken from the wrong
// period shows.
Ledger distinct_ledger()
{
    Ledger ledger(QDateTime(QDate(2026, 3, 1), QTime(14, 5, 0)));
    for (int i = 0; i < 3; ++i) {
        Accounting& a = ledger.get(Ledger::FREQUENCIES[i]);
        const int base = (i + 1) * 100000;
        for (int selector = 0; selector < Accounting::SelectorCount; ++selector)
            a.add(Accounting::Selector(selector), base + selector * 101);
        a.add(Accounting::RechargeCount, i + 10);
        a.add(Accounting::ChangeCount, i + 20);
        a.recordItemDispensedCount({0, 8, 9, 17}, 250);
        a.recordItemDispensedCount(QList<int>(i + 1, 17), 250);
    }
    ledger.get(Ledger::Permanent).setLastUpdate(QDateTime(QDate(2026, 12, 8), QTime(9, 30, 15)));
    return ledger;
}

AccountingCounters counters(int base)
{
    AccountingCounters c;
    for (int i = 0; i < AccountingCounters::Count; ++i)
        c.set(i, base + i);
    return c;
}

QString resource(const QString& name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

class TestAccountingReport : public QObject
{
    Q_OBJECT

private slots:
    void everyPeriodInItsOwnColumn();
    void partialOnlyForLowerLevels();
    void deviceAndStringReportsAgree();
    void rendersAsRichText();
    void totalsBeyond32BitsReadTheSameOnScreenAndPaper();
};

void TestAccountingReport::everyPeriodInItsOwnColumn()
{
    const QString html = VM24::complete_accounting_to_html(distinct_ledger(), counters(1000), counters(2000),
                                                           counters(3000), Ledger::Permanent | Ledger::Partial
                                                               | Ledger::Log);
    QVERIFY(html.startsWith(QLatin1String("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<html>\n")));
    bool wellFormed = false;
    const Node root = parse(html, &wellFormed);
    QVERIFY(wellFormed);
    QCOMPARE(root.name, QStringLiteral("html"));
    const QString style = resource(QStringLiteral(":/accounting-style"));
    QVERIFY(style.startsWith(QLatin1String("body { background-color: #b6bfde; }\n\nh1 { background-color: #ffce63; }")));
    QCOMPARE(root.one("head").one("style").text, style);

    const Node& body = root.one("body");
    const QList<const Node*> headings = body.all("h1");
    QCOMPARE(headings.size(), 2);
    QCOMPARE(headings[0]->text, QStringLiteral("Generale"));
    QCOMPARE(headings[0]->attribute("align"), QStringLiteral("center"));
    QCOMPARE(headings[1]->text, QStringLiteral("Contatori motor dispenser"));
    const QList<const Node*> tables = body.all("table");
    QCOMPARE(tables.size(), 3);

    // Ledger totals: selectors 0, 1, 8, 2, recharges, 3, 4, 5, 6, change count, 7.
    const Node& general = tables[0]->one("tr");
    QCOMPARE(general.children.size(), 2);
    const Node& totals = general.children[0].one("table");
    QCOMPARE(general.children[0].attribute("class"), QStringLiteral("column"));
    QCOMPARE(totals.one("thead").one("tr").cells(),
             QStringList({"Indicatore", "Totale", "Parziale", "Log"}));
    const QList<const Node*> rows = totals.one("tbody").all("tr");
    const QList<QStringList> expected = {
        {"Banconote", "1000,00", "2000,00", "3000,00"},
        {"Monete", "1001,01", "2001,01", "3001,01"},
        {"Cashbox monete", "1008,08", "2008,08", "3008,08"},
        {"Ricariche", "1002,02", "2002,02", "3002,02"},
        {"Numero ricariche", "10", "11", "12"},
        {"Incasso contante", "1003,03", "2003,03", "3003,03"},
        {"Incasso cashless", "1004,04", "2004,04", "3004,04"},
        {"Incasso POS", "1005,05", "2005,05", "3005,05"},
        {"Totale resti", "1006,06", "2006,06", "3006,06"},
        {"Resti erogati", "20", "21", "22"},
        {"Credito dovuto", "1007,07", "2007,07", "3007,07"},
    };
    QCOMPARE(rows.size(), expected.size());
    for (int i = 0; i < rows.size(); ++i) {
        QCOMPARE(rows[i]->cells(), expected[i]);
        QCOMPARE(rows[i]->children[0].name, QStringLiteral("th"));
        for (const Node& cell : rows[i]->children)
            QCOMPARE(cell.attribute("align"), QStringLiteral("right"));
    }

    // Board counters, one column per board period.
    const Node& board = general.children[1].one("table");
    QCOMPARE(board.one("thead").one("tr").cells(), QStringList({"Indicatore", "Totale", "Parziale", "Log"}));
    const QList<const Node*> boardRows = board.one("tbody").all("tr");
    QCOMPARE(boardRows.size(), 12);
    QCOMPARE(boardRows[0]->cells(), QStringList({"Monete hopper 1", "1010", "2010", "3010"}));
    QCOMPARE(boardRows[1]->cells(), QStringList({"Monete hopper 2", "1011", "2011", "3011"}));
    QCOMPARE(boardRows[2]->cells(), QStringList({"Monete 0,05", "1009", "2009", "3009"}));
    QCOMPARE(boardRows[7]->cells(), QStringList({"Monete 2,00", "1004", "2004", "3004"}));
    QCOMPARE(boardRows[8]->cells(), QStringList({"Banconote 5,00", "1003", "2003", "3003"}));
    QCOMPARE(boardRows[11]->cells(), QStringList({"Banconote 50,00", "1000", "2000", "3000"}));
    QCOMPARE(boardRows[11]->children[3].attribute("align"), QStringLiteral("left"));

    // Dates: an update never booked leaves its cell empty.
    const Node& dates = *tables[1];
    QCOMPARE(dates.attribute("class"), QStringLiteral("dates"));
    QCOMPARE(dates.one("thead").one("tr").cells(), QStringList({"", "Data creazione", "Data ultima modifica"}));
    const QList<const Node*> dateRows = dates.one("tbody").all("tr");
    QCOMPARE(dateRows.size(), 3);
    QCOMPARE(dateRows[0]->cells(), QStringList({"Totale", "01/03/2026 14:05:00", "08/12/2026 09:30:15"}));
    QCOMPARE(dateRows[2]->cells(), QStringList({"Log", "01/03/2026 14:05:00", ""}));

    // Dispensers 1 to 9 and 10 to 18 side by side.
    const QList<const Node*> halves = tables[2]->one("tr").all("td");
    QCOMPARE(halves.size(), 2);
    const Node& second = halves[1]->one("table");
    QCOMPARE(second.one("thead").one("tr").cells(), QStringList({"Selezione", "Totale", "Parziale", "Log"}));
    const QList<const Node*> secondRows = second.one("tbody").all("tr");
    QCOMPARE(secondRows.size(), 9);
    QCOMPARE(secondRows[0]->cells(), QStringList({"10", "1", "1", "1"}));
    QCOMPARE(secondRows[8]->cells(), QStringList({"18", "2", "3", "4"}));
    QCOMPARE(halves[0]->one("table").one("tbody").all("tr")[8]->cells(), QStringList({"9", "1", "1", "1"}));
}

void TestAccountingReport::partialOnlyForLowerLevels()
{
    const QString html = VM24::complete_accounting_to_html(distinct_ledger(), counters(1000), counters(2000),
                                                           counters(3000), Ledger::Partial);
    bool wellFormed = false;
    const Node body = parse(html, &wellFormed).one("body");
    QVERIFY(wellFormed);
    const QList<const Node*> tables = body.all("table");
    QCOMPARE(tables.size(), 3);
    const Node& general = tables[0]->one("tr");
    const Node& totals = general.children[0].one("table");
    QCOMPARE(totals.one("thead").one("tr").cells(), QStringList({"Indicatore", "Parziale"}));
    QCOMPARE(totals.one("tbody").all("tr")[0]->cells(), QStringList({"Banconote", "2000,00"}));
    const Node& board = general.children[1].one("table");
    QCOMPARE(board.one("tbody").all("tr")[0]->cells(), QStringList({"Monete hopper 1", "2010"}));
    QCOMPARE(tables[1]->one("tbody").all("tr").size(), 1);
    QCOMPARE(tables[1]->one("tbody").one("tr").cells().first(), QStringLiteral("Parziale"));
    QVERIFY(!html.contains(QLatin1String("3000,00")) && !html.contains(QLatin1String("1000,00")));
}

void TestAccountingReport::deviceAndStringReportsAgree()
{
    TestEnvironment::ScopedAppDir dir;
    const Ledger ledger = distinct_ledger();
    QFile file(dir.filePath("report.html"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    VM24::accounting_to_html(ledger, &file, counters(1), counters(2), counters(3), Ledger::Permanent | Ledger::Log);
    file.close();
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(file.readAll()),
             VM24::complete_accounting_to_html(ledger, counters(1), counters(2), counters(3),
                                               Ledger::Permanent | Ledger::Log));
}

// The page shows the report in a rich-text view: the style sheet must be
// taken as style, not shown as text, and every total must be readable.
void TestAccountingReport::rendersAsRichText()
{
    QTextDocument document;
    document.setHtml(VM24::complete_accounting_to_html(distinct_ledger(), counters(1000), counters(2000),
                                                       counters(3000), 7));
    const QString text = document.toPlainText();
    QVERIFY(!text.contains(QLatin1String("background-color")));
    QVERIFY(!text.contains(QLatin1String("xml version")));
    for (const char* expected : {"Generale", "Credito dovuto", "3007,07", "Banconote 50,00", "Contatori motor dispenser",
                                 "08/12/2026 09:30:15"})
        QVERIFY2(text.contains(QLatin1String(expected)), expected);
}

// Permanent totals outgrow 32 bits after about 21 million euro; the screen
// and the printed summary show the whole 64-bit amount, the same text.
void TestAccountingReport::totalsBeyond32BitsReadTheSameOnScreenAndPaper()
{
    Ledger ledger(QDateTime(QDate(2026, 3, 1), QTime(14, 5, 0)));
    Accounting& permanent = ledger.get(Ledger::Permanent);
    permanent.add(Accounting::Banknotes, Q_INT64_C(5000000007));          // 50 000 000,07 euro
    permanent.add(Accounting::Coins, qint64(std::numeric_limits<int>::max()) + 1);
    permanent.add(Accounting::CashIncome, std::numeric_limits<qint64>::max());
    permanent.add(Accounting::ChangeDelivered, -Q_INT64_C(2147483649));

    bool wellFormed = false;
    const Node root = parse(VM24::complete_accounting_to_html(ledger, counters(0), counters(0), counters(0),
                                                              Ledger::Permanent),
                            &wellFormed);
    QVERIFY(wellFormed);
    QMap<QString, QString> screen;
    for (const Node* row : root.one("body").all("table")[0]->one("tr").all("td")[0]->one("table").one("tbody").all("tr"))
        screen.insert(row->cells().value(0), row->cells().value(1));
    const QMap<QString, QString> expected{
        {Accounting::selectorString(Accounting::Banknotes), QStringLiteral("50000000,07")},
        {Accounting::selectorString(Accounting::Coins), QStringLiteral("21474836,48")},
        {Accounting::selectorString(Accounting::CashIncome), QStringLiteral("92233720368547758,07")},
        {Accounting::selectorString(Accounting::ChangeDelivered), QStringLiteral("-21474836,49")}};
    for (auto it = expected.begin(); it != expected.end(); ++it)
        QCOMPARE(screen.value(it.key()), it.value());

    const ReceiptHelper receipt = VM24::compile_summary_receipt({}, Ledger::Permanent, permanent, counters(0));
    for (auto it = expected.begin(); it != expected.end(); ++it) {
        bool printed = false;
        for (const ReceiptHelper::Line& line : receipt.lines()) {
            printed = printed || line.first.endsWith(QLatin1Char('.') + it.value());
        }
        QVERIFY2(printed, qPrintable(it.value()));
    }
}

QTEST_MAIN(TestAccountingReport)
#include "tst_accountingreport.moc"
