#include "accounting/accountingservice.h"
#include "accounting/sessionbalance.h"
#include "board/creditpacket.h"
#include "core/xmltag.h"
#include "core/xmlwriting.h"
#include "testenvironment.h"

#include <QDir>
#include <QFile>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <QtTest>

namespace {

QByteArray read_all(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void write_all(const QString& path, const QByteArray& data)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(data), qint64(data.size()));
}

Ledger parse(const QByteArray& data, bool* ok)
{
    QXmlStreamReader reader(data);
    Ledger ledger;
    *ok = ledger.fromXml(reader);
    return ledger;
}

// A session in which every field differs, so that a field booked into the
// wrong total shows.
SessionBalance distinct_balance()
{
    SessionBalance balance;
    balance.banknotes = 1000;
    balance.coins = 230;
    balance.recharges = 300;
    balance.changeDelivered = 45;
    balance.cashIncome = 700;
    balance.cashlessIncome = 180;
    balance.posIncome = 1250;
    balance.extraCredit = 35;
    balance.rechargeCount = 2;
    balance.changeCount = 1;
    balance.coinBox = 130;
    return balance;
}

QString accounting_element(const char* type, const QByteArray& inner)
{
    return QStringLiteral(
               "<accounting type=\"%1\" creation-date=\"2016-03-01T14:05:00\" last-update=\"\">%2</accounting>")
        .arg(QLatin1String(type), QString::fromUtf8(inner));
}

} // namespace

class TestLedger : public QObject
{
    Q_OBJECT

private slots:
    void freshMachineStartsEmptyAndWritesBothFiles();
    void sessionFieldsLandInTheirTotalsInEveryPeriod();
    void committedLedgerReadsBackWhole();
    void fileLayout();
    void corruptMainFileIsReplacedByBackup();
    void truncatedMainFileIsNotTrusted();
    void unreadableFilesAreKeptAside();
    void readingToleratesOddContent();
    void readsOnlyTheFirstThreeChildren();
    void initialCreditIsMoneyKept();
    void resetRestartsOnePeriod();
    void datesPast2038ReadBack();
    void attributeListSkipsTrailingName();
};

void TestLedger::freshMachineStartsEmptyAndWritesBothFiles()
{
    TestEnvironment::ScopedAppDir dir;
    // What writes cut short leave: the ledger's go, another file's stays.
    const QStringList leftovers{"accounting.xml.tmp", "accounting.xml.QwErTy", "accounting.xml.bak.tmp",
                                "accounting.xml.bak.AbCdEf"};
    for (const QString& name : leftovers)
        write_all(dir.filePath(name), "<half");
    write_all(dir.filePath("counters.xml.AbCdEf"), "<half");
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    AccountingService service;
    const QDateTime after = QDateTime::currentDateTime();
    for (Ledger::Frequency frequency : Ledger::FREQUENCIES) {
        const Accounting& accounting = service.get(frequency);
        QCOMPARE(accounting, Accounting(accounting.creationDate()));
        QVERIFY(accounting.creationDate() >= before && accounting.creationDate() <= after);
        QVERIFY(accounting.lastUpdate().isNull());
    }
    const QByteArray main = read_all(dir.filePath("accounting.xml"));
    QVERIFY(!main.isEmpty());
    QCOMPARE(read_all(dir.filePath("accounting.xml.bak")), main);
    QCOMPARE(QDir(dir.path()).entryList({"accounting.xml*", "counters.xml*"}, QDir::Files | QDir::Hidden, QDir::Name),
             QStringList({"accounting.xml", "accounting.xml.bak", "counters.xml.AbCdEf"}));
}

void TestLedger::sessionFieldsLandInTheirTotalsInEveryPeriod()
{
    TestEnvironment::ScopedAppDir dir;
    AccountingService service;
    service.recordSessionBalance(distinct_balance());
    SessionBalance refund;
    refund.extraCredit = -5;
    service.recordSessionBalance(refund);
    for (Ledger::Frequency frequency : Ledger::FREQUENCIES) {
        const Accounting& a = service.get(frequency);
        QCOMPARE(a.get(Accounting::Banknotes), 1000);
        QCOMPARE(a.get(Accounting::Coins), 230);
        QCOMPARE(a.get(Accounting::Recharges), 300);
        QCOMPARE(a.get(Accounting::CashIncome), 700);
        QCOMPARE(a.get(Accounting::CashlessIncome), 180);
        QCOMPARE(a.get(Accounting::PosIncome), 1250);
        QCOMPARE(a.get(Accounting::ChangeDelivered), 45);
        QCOMPARE(a.get(Accounting::ExtraIncome), 30);
        QCOMPARE(a.get(Accounting::CoinBox), 130);
        QCOMPARE(a.get(Accounting::RechargeCount), 2);
        QCOMPARE(a.get(Accounting::ChangeCount), 1);
        QVERIFY(a.lastUpdate().isValid());
    }
}

void TestLedger::committedLedgerReadsBackWhole()
{
    TestEnvironment::ScopedAppDir dir;
    Ledger committed;
    {
        AccountingService service;
        service.recordSessionBalance(distinct_balance());
        service.recordItemDispensed({0, 17, 17, 18, -1}, 250);
        service.reset(Ledger::Partial);
        service.recordItemDispensed({4}, 99);
        QVERIFY(service.commit());
        committed = service.ledger();
    }
    QCOMPARE(committed.get(Ledger::Log).dispensedCount(17), 2);
    QCOMPARE(committed.get(Ledger::Log).dispensedAmount(17), 500);
    QCOMPARE(committed.get(Ledger::Partial).dispensedCount(17), 0);
    AccountingService reloaded;
    QCOMPARE(reloaded.ledger(), committed);
}

void TestLedger::fileLayout()
{
    TestEnvironment::ScopedAppDir dir;
    {
        AccountingService service;
        service.recordSessionBalance(distinct_balance());
        service.recordItemDispensed({2}, 120);
        QVERIFY(service.commit());
    }
    const QString text = QString::fromUtf8(read_all(dir.filePath("accounting.xml")));
    QVERIFY(text.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<ledger>\n"));
    const QStringList order = {"type=\"permanent\"", "type=\"partial\"", "type=\"log\""};
    QVERIFY(text.indexOf(order[0]) < text.indexOf(order[1]) && text.indexOf(order[1]) < text.indexOf(order[2]));
    const QStringList children
        = {"<banknotes>1000</banknotes>",     "<coins>230</coins>",
           "<coin-box>130</coin-box>",        "<recharges count=\"2\">300</recharges>",
           "<cash-income>700</cash-income>",  "<cashless-income>180</cashless-income>",
           "<pos-income>1250</pos-income>",   "<change-delivered count=\"1\">45</change-delivered>",
           "<extra-income>35</extra-income>", "<dispensers>"};
    int at = 0;
    for (const QString& child : children) {
        const int found = text.indexOf(child, at);
        QVERIFY2(found > at, qPrintable(child));
        at = found;
    }
    QVERIFY(text.contains("<dispenser index=\"2\" count=\"1\" amount=\"120\"/>"));
    QVERIFY(text.contains("<dispenser index=\"17\" count=\"0\" amount=\"0\"/>"));
    QCOMPARE(text.count("<dispenser "), 3 * 18);
    const QRegularExpression dates("creation-date=\"\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\" "
                                   "last-update=\"\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\"");
    QCOMPARE(text.count(dates), 3);
}

void TestLedger::corruptMainFileIsReplacedByBackup()
{
    TestEnvironment::ScopedAppDir dir;
    Ledger good;
    {
        AccountingService service;
        service.recordSessionBalance(distinct_balance());
        QVERIFY(service.commit());
        good = service.ledger();
    }
    const QByteArray backup = read_all(dir.filePath("accounting.xml.bak"));
    write_all(dir.filePath("accounting.xml"), "<accounts><accounting type=\"permanent\"/></accounts>");
    AccountingService reloaded;
    QCOMPARE(reloaded.ledger(), good);
    QCOMPARE(read_all(dir.filePath("accounting.xml")), backup);
}

void TestLedger::truncatedMainFileIsNotTrusted()
{
    TestEnvironment::ScopedAppDir dir;
    Ledger good;
    {
        AccountingService service;
        service.recordSessionBalance(distinct_balance());
        QVERIFY(service.commit());
        good = service.ledger();
        service.recordSessionBalance(distinct_balance());
    }
    // A main file cut short after the permanent period: it starts with a
    // ledger but would give the partial and log periods zeros.
    const QByteArray main = read_all(dir.filePath("accounting.xml"));
    const int cut = main.indexOf("<accounting type=\"partial\"") + 40;
    write_all(dir.filePath("accounting.xml"), main.left(cut));
    bool ok = true;
    parse(main.left(cut), &ok);
    QVERIFY(!ok);
    AccountingService reloaded;
    QCOMPARE(reloaded.ledger(), good);
    QCOMPARE(read_all(dir.filePath("accounting.xml")), main);
}

void TestLedger::unreadableFilesAreKeptAside()
{
    TestEnvironment::ScopedAppDir dir;
    write_all(dir.filePath("accounting.xml"), "<ledger><accounting type=\"permanent\"><banknotes>5");
    write_all(dir.filePath("accounting.xml.bak"), "garbage");
    AccountingService service;
    QCOMPARE(service.get(Ledger::Permanent).get(Accounting::Banknotes), 0);
    const QStringList kept = QDir(dir.path()).entryList({"accounting.xml*.unreadable-*"}, QDir::Files);
    QCOMPARE(kept.size(), 2);
    bool ok = false;
    parse(read_all(dir.filePath("accounting.xml")), &ok);
    QVERIFY(ok);
    QCOMPARE(read_all(dir.filePath("accounting.xml.bak")), read_all(dir.filePath("accounting.xml")));
}

void TestLedger::readingToleratesOddContent()
{
    const QByteArray document
        = QStringLiteral("<?xml version=\"1.0\"?><ledger>%1%2</ledger>")
              .arg(accounting_element("log",
                                      "<banknotes>12</banknotes><unknown><coins>7</coins></unknown>"
                                      "<coins>abc</coins><recharges count=\"x\">9</recharges>"),
                   accounting_element("partial",
                                      "<dispensers><dispenser index=\"3\" count=\"2\" amount=\"300\"/>"
                                      "<dispenser index=\"18\" count=\"5\" amount=\"5\"/>"
                                      "<dispenser index=\"x\" count=\"6\" amount=\"6\"/>"
                                      "<dispenser count=\"7\" amount=\"7\"/>"
                                      "<other index=\"4\" count=\"8\"/></dispensers>"))
              .toUtf8();
    bool ok = false;
    const Ledger ledger = parse(document, &ok);
    QVERIFY(ok);
    const Accounting& log = ledger.get(Ledger::Log);
    QCOMPARE(log.get(Accounting::Banknotes), 12);
    QCOMPARE(log.get(Accounting::Coins), 0);
    QCOMPARE(log.get(Accounting::Recharges), 9);
    QCOMPARE(log.get(Accounting::RechargeCount), 0);
    QCOMPARE(log.creationDate(), QDateTime(QDate(2016, 3, 1), QTime(14, 5)));
    QVERIFY(log.lastUpdate().isNull());
    const Accounting& partial = ledger.get(Ledger::Partial);
    int items = 0;
    for (int d = 0; d < Accounting::DISPENSER_COUNT; ++d)
        items += partial.dispensedCount(d);
    QCOMPARE(items, 2);
    QCOMPARE(partial.dispensedAmount(3), 300);
    QCOMPARE(ledger.get(Ledger::Permanent), Accounting());
}

void TestLedger::readsOnlyTheFirstThreeChildren()
{
    const QByteArray document
        = QStringLiteral("<ledger>%1<note>x</note>%2%3</ledger>")
              .arg(accounting_element("partial", "<coins>1</coins>"), accounting_element("nightly", "<coins>2</coins>"),
                   accounting_element("permanent", "<coins>3</coins>"))
              .toUtf8();
    bool ok = false;
    const Ledger ledger = parse(document, &ok);
    QVERIFY(ok);
    QCOMPARE(ledger.get(Ledger::Partial).get(Accounting::Coins), 1);
    QCOMPARE(ledger.get(Ledger::Permanent).get(Accounting::Coins), 0);
    parse("<accounts/>", &ok);
    QVERIFY(!ok);
}

void TestLedger::initialCreditIsMoneyKept()
{
    TestEnvironment::ScopedAppDir dir;
    AccountingService service;
    service.registerInitialCredit(CreditPacket(500, 120, 0, 0, 30, -1));
    service.registerInitialCredit(CreditPacket());
    for (Ledger::Frequency frequency : Ledger::FREQUENCIES) {
        const Accounting& a = service.get(frequency);
        QCOMPARE(a.get(Accounting::Banknotes), 500);
        QCOMPARE(a.get(Accounting::Coins), 120);
        QCOMPARE(a.get(Accounting::ExtraIncome), 620);
        QCOMPARE(a.get(Accounting::CoinBox), 30);
        QCOMPARE(a.get(Accounting::CashIncome), 0);
        QVERIFY(a.lastUpdate().isNull());
    }
}

void TestLedger::resetRestartsOnePeriod()
{
    TestEnvironment::ScopedAppDir dir;
    AccountingService service;
    service.recordSessionBalance(distinct_balance());
    service.recordItemDispensed({5}, 100);
    const Accounting permanent = service.get(Ledger::Permanent);
    const Accounting log = service.get(Ledger::Log);
    QTest::qWait(1100);
    service.reset(Ledger::Partial);
    const Accounting& partial = service.get(Ledger::Partial);
    QCOMPARE(partial, Accounting(partial.creationDate()));
    QVERIFY(partial.creationDate() > permanent.creationDate());
    QCOMPARE(service.get(Ledger::Permanent), permanent);
    QCOMPARE(service.get(Ledger::Log), log);
    Ledger ledger = service.ledger();
    ledger.reset(Ledger::Frequency(3), QDateTime::currentDateTime());
    QCOMPARE(ledger, service.ledger());
}

// The board's C library counts time in 32-bit seconds, which end in January
// 2038: the periods' dates after that are written and read back all the same.
void TestLedger::datesPast2038ReadBack()
{
    const QDateTime leapDay(QDate(2040, 2, 29), QTime(8, 30, 15));
    const QDateTime lastSecond(QDate(2040, 12, 31), QTime(23, 59, 59));
    Ledger ledger(leapDay);
    AccountingService::update(ledger.get(Ledger::Log), distinct_balance(), lastSecond);
    QByteArray data;
    {
        QXmlStreamWriter writer(&data);
        ledger.toXml(writer);
    }
    QVERIFY2(data.contains("creation-date=\"2040-02-29T08:30:15\""), data.constData());
    QVERIFY2(data.contains("last-update=\"2040-12-31T23:59:59\""), data.constData());
    bool ok = false;
    const Ledger read = parse(data, &ok);
    QVERIFY(ok);
    QCOMPARE(read, ledger);
    QCOMPARE(read.get(Ledger::Log).lastUpdate(), lastSecond);
    QCOMPARE(read.get(Ledger::Partial).creationDate(), leapDay);
}

void TestLedger::attributeListSkipsTrailingName()
{
    QByteArray data;
    QXmlStreamWriter writer(&data);
    {
        VM24::XmlTag outer("outer", {"a", "1", "b"}, writer);
        outer.append("x");
        VM24::write_empty_element("e", {"k", "v"}, writer);
        VM24::write_text_element("t", "y", {}, writer);
    }
    QCOMPARE(data, QByteArray("<outer a=\"1\">x<e k=\"v\"/><t>y</t></outer>"));
}

QTEST_GUILESS_MAIN(TestLedger)
#include "tst_ledger.moc"
