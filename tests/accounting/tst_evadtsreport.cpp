#include "accounting/accountingservice.h"
#include "accounting/evadtscollector.h"
#include "accounting/evadtsreadouts.h"
#include "accounting/evadtsreport.h"
#include "accounting/sessionbalance.h"
#include "core/vm24.h"
#include "logging/logdatabase.h"
#include "loopbackservers.h"
#include "testenvironment.h"

#include <QFile>
#include <QProcess>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryFile>
#include <QtTest>

#include <limits>

namespace {

const QDateTime INITIALISED(QDate(2026, 1, 10), QTime(8, 0));
const QDateTime LAST_RESET(QDate(2026, 3, 1), QTime(9, 0));

void book(Accounting& a, const QList<qint64>& selectors, int recharges, int changes)
{
    for (int s = 0; s < Accounting::SelectorCount; ++s)
        a.add(Accounting::Selector(s), selectors.value(s));
    a.add(Accounting::RechargeCount, recharges);
    a.add(Accounting::ChangeCount, changes);
}

// Banknotes, coins, recharges, cash, cashless, POS, change, extra, coin box.
Accounting known_permanent()
{
    Accounting a(INITIALISED);
    book(a, {2000, 1350, 500, 1900, 700, 1200, 450, 20, 300}, 1, 3);
    a.recordItemDispensedCount({0, 0, 0}, 500);
    a.recordItemDispensedCount({4, 4}, 550);
    a.recordItemDispensedCount({17}, 1200);
    return a;
}

Accounting known_partial()
{
    Accounting a(LAST_RESET);
    book(a, {500, 400, 0, 600, 0, 1200, 300, 0, 100}, 0, 1);
    a.recordItemDispensedCount({0}, 600);
    a.recordItemDispensedCount({17}, 1200);
    return a;
}

EvaDtsReport::PeriodCount count(qint64 init, qint64 reset)
{
    EvaDtsReport::PeriodCount c;
    c.sinceInitialisation = init;
    c.sinceReset = reset;
    return c;
}

EvaDtsReport known_report()
{
    EvaDtsReport r;
    r.sinceInitialisation = known_permanent();
    r.sinceReset = known_partial();
    r.machineSerial = 42;
    r.softwareVersion = QStringLiteral("3.1.0");
    r.boardSerial = QStringLiteral("00042");
    r.boardFirmware = QStringLiteral("RK710 v2.14");
    r.selections[0] = {500, QStringLiteral("ASPIRINA"), QDateTime(QDate(2026, 3, 2), QTime(18, 45, 30))};
    r.selections[4] = {550, QStringLiteral("TACHI*PIRINA"), QDateTime()};
    r.selections[17] = {1200, QStringLiteral("OMEGA3"), QDateTime(QDate(2026, 3, 1), QTime(10, 5))};
    r.cashVends = count(4, 1);
    r.cashlessVends = count(2, 1);
    r.tamperEvents = count(1, 0);
    r.powerOutages = count(2, 1);
    r.readouts = 5;
    r.readsWithReset = 2;
    r.readoutTime = QDateTime(QDate(2026, 3, 3), QTime(7, 30));
    r.previousReadout = QDateTime(QDate(2026, 3, 2), QTime(7, 30));
    return r;
}

// The audit of the known books, written out by hand from the definition of
// each block. The check G85 was computed apart from the program (Python,
// polynomial 0xA001, initial 0, over the lines ST to EA3).
QStringList hand_written_audit()
{
    QStringList lines{"DXS*VM2400042*VA*V0/6*1",
                      "ST*001*0001",
                      "ID1*00042*VM24*3.1.0",
                      "ID4*2*978*EUR",
                      "CB1*00042*RK710*RK710 v2.14",
                      "VA1*3800*6*1800*2",
                      "CA2*1900*4*600*1",
                      "DA2*1900*2*1200*1",
                      "CA3*900*100*300*500*3350*300*1050*2000",
                      "CA4*300**450*",
                      "CA8*0*20",
                      "CA15*",
                      "DA4*0*500"};
    for (int s = 1; s <= 18; ++s) {
        if (s == 1)
            lines << "PA1*1*500*ASPIRINA" << "PA2*3*1500*1*600" << "PA5*260302*1845";
        else if (s == 5)
            lines << "PA1*5*550*TACHIPIRINA" << "PA2*2*1100*0*0" << "PA5**";
        else if (s == 18)
            lines << "PA1*18*1200*OMEGA3" << "PA2*1*1200*1*1200" << "PA5*260301*1005";
        else
            lines << QStringLiteral("PA1*%1**").arg(s) << "PA2*0*0*0*0" << "PA5**";
    }
    lines << "EA2*EGS*0*1" << "EA7*1*2" << "EA3*2*260303*0730**260302*0730***5" << "G85*08F2" << "SE*71*0001"
          << "DXE*1*1";
    return lines;
}

QStringList lines_of(const QByteArray& text)
{
    QStringList lines = QString::fromLatin1(text).split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// The independent reader of tests/accounting/evadts_check.py: "ok", or the faults it found.
QString independent_check(const QStringList& arguments)
{
    QProcess python;
    python.start(LoopbackServers::python(),
                 QStringList{TestEnvironment::sourcePath(QStringLiteral("tests/accounting/evadts_check.py"))}
                     + arguments);
    if (!python.waitForFinished(30000))
        return QStringLiteral("the reader did not run: ") + python.errorString();
    return QString::fromUtf8(python.readAllStandardOutput() + python.readAllStandardError()).trimmed();
}

QString check_file(const QByteArray& text, bool paid)
{
    QTemporaryFile file;
    if (!file.open() || file.write(text) != text.size() || !file.flush())
        return QStringLiteral("cannot write the report");
    return independent_check(paid ? QStringList{file.fileName(), QStringLiteral("--paid")}
                                  : QStringList{file.fileName()});
}

QString field(const QStringList& lines, const QString& block, int index)
{
    for (const QString& line : lines) {
        const QStringList fields = line.split(QLatin1Char('*'));
        if (fields.first() == block)
            return fields.value(index);
    }
    return QStringLiteral("(no %1)").arg(block);
}

void insert_row(const QDateTime& t, const char* category, const QString& data)
{
    QSqlQuery insert(VM24::log_database());
    insert.prepare(QStringLiteral("INSERT INTO Log VALUES (?, ?, ?)"));
    insert.addBindValue(t.toString(VM24::SQL_DATE_TIME_FORMAT));
    insert.addBindValue(QLatin1String(category));
    insert.addBindValue(data);
    QVERIFY2(insert.exec(), qPrintable(insert.lastError().text()));
}

QString sale(int dispenser, const char* method)
{
    return QStringLiteral("productId=X&cost=500&dispenser=%1&method=%2&userInfo=").arg(dispenser).arg(QLatin1String(method));
}

} // namespace

class TestEvaDtsReport : public QObject
{
    Q_OBJECT

private slots:
    void knownBooksGiveTheHandWrittenAudit();
    void largestTotalsAndASilentBoardStayWellFormed();
    void readoutsEventsAndResetsComeFromTheMachine();
};

void TestEvaDtsReport::knownBooksGiveTheHandWrittenAudit()
{
    QCOMPARE(QString::number(EvaDtsReport::crc16("123456789"), 16).toUpper(),
             independent_check({QStringLiteral("--crc"), QStringLiteral("123456789")}));

    const QByteArray text = known_report().text();
    const QStringList expected = hand_written_audit();
    const QStringList written = lines_of(text);
    for (int i = 0; i < qMin(expected.size(), written.size()); ++i)
        QVERIFY2(written.at(i) == expected.at(i),
                 qPrintable(QStringLiteral("line %1: %2, expected %3").arg(i + 1).arg(written.at(i), expected.at(i))));
    QCOMPARE(written.size(), expected.size());
    QCOMPARE(text, expected.join(QStringLiteral("\r\n")).toLatin1() + "\r\n");
    QCOMPARE(check_file(text, true), QStringLiteral("ok"));
}

void TestEvaDtsReport::largestTotalsAndASilentBoardStayWellFormed()
{
    const qint64 most = std::numeric_limits<qint64>::max();
    EvaDtsReport r;
    for (Accounting* a : {&r.sinceInitialisation, &r.sinceReset}) {
        book(*a, {most, most, most, most, most, most, most, most, 0}, std::numeric_limits<int>::max(), 0);
        for (int i = 0; i < 18; ++i)
            a->recordItemDispensedCount(QList<int>(3, i), std::numeric_limits<int>::max());
    }
    r.machineSerial = 99999;
    const QByteArray text = r.text();
    QCOMPARE(check_file(text, false), QStringLiteral("ok"));
    const QStringList lines = lines_of(text);
    // Three totals of 2^63 - 1: exact, not wrapped round.
    QCOMPARE(field(lines, "VA1", 1), QStringLiteral("27670116110564327421"));
    QCOMPARE(field(lines, "DA2", 1), QStringLiteral("18446744073709551614"));
    QCOMPARE(field(lines, "CA3", 1), QStringLiteral("18446744073709551614"));
    QCOMPARE(field(lines, "VA1", 2), QStringLiteral("54"));
    QCOMPARE(field(lines, "PA2", 2), QStringLiteral("6442450941"));
    // Nothing from the board, the event log or the selections: those fields stay empty.
    QCOMPARE(lines.at(4), QStringLiteral("CB1**RK710*"));
    QCOMPARE(field(lines, "CA2", 2), QString());
    QCOMPARE(field(lines, "EA7", 1), QString());
    QCOMPARE(field(lines, "CA15", 1), QString());
    QCOMPARE(field(lines, "PA1", 2), QString());
}

void TestEvaDtsReport::readoutsEventsAndResetsComeFromTheMachine()
{
    TestEnvironment::ScopedAppDir appDir;
    QVERIFY(VM24::open_log_database(appDir.filePath("log.db")));
    AccountingService accounting;
    accounting.reset(Ledger::Permanent);
    insert_row(QDateTime::currentDateTime().addDays(-1), "product-purchased", sale(2, "Cash"));
    // The log keeps whole seconds: rows of the next second are after the initialisation.
    QTest::qWait(1100);
    const QDateTime now = QDateTime::currentDateTime();
    insert_row(now, "product-purchased", sale(2, "Cash"));
    insert_row(now, "product-purchased", sale(2, "UserCard"));
    insert_row(now, "alarm", "id=1&clear=0");
    insert_row(now, "alarm", "id=1&clear=1");
    insert_row(now, "power-management", "EmergencyShutdown");
    insert_row(now, "power-management", "Shutdown");

    const VM24::EvaDtsSelections none{};
    const QStringList first = lines_of(VM24::gather_eva_dts_report(accounting.ledger(), none, nullptr, 42, now).text());
    QCOMPARE(field(first, "CA2", 2), QStringLiteral("1"));
    QCOMPARE(field(first, "DA2", 2), QStringLiteral("1"));
    QCOMPARE(field(first, "EA2", 3), QStringLiteral("1"));
    QCOMPARE(field(first, "EA7", 2), QStringLiteral("1"));
    QCOMPARE(first.value(first.indexOf(QStringLiteral("PA1*3**")) + 2),
             QStringLiteral("PA5*") + now.toString(QStringLiteral("yyMMdd*hhmm")));
    QCOMPARE(field(first, "EA3", 1), QStringLiteral("0"));
    QCOMPARE(field(first, "EA3", 5), QString());
    QCOMPARE(field(first, "EA3", 9), QStringLiteral("1"));
    QCOMPARE(field(first, "CB1", 1), QString());

    // The operator's partial reset is a read with reset: its period starts again at zero.
    SessionBalance balance;
    balance.cashIncome = 700;
    accounting.recordSessionBalance(balance);
    QTest::qWait(1100);
    accounting.reset(Ledger::Partial);
    QTest::qWait(1100);
    const QDateTime later = QDateTime::currentDateTime();
    insert_row(later, "power-management", "EmergencyShutdown");
    const QStringList second =
        lines_of(VM24::gather_eva_dts_report(accounting.ledger(), none, nullptr, 42, later).text());
    QCOMPARE(field(second, "VA1", 1), QStringLiteral("700"));
    QCOMPARE(field(second, "VA1", 3), QStringLiteral("0"));
    QCOMPARE(field(second, "CA2", 2), QStringLiteral("1"));
    QCOMPARE(field(second, "CA2", 4), QStringLiteral("0"));
    QCOMPARE(field(second, "EA7", 1), QStringLiteral("1"));
    QCOMPARE(field(second, "EA7", 2), QStringLiteral("2"));
    QCOMPARE(field(second, "EA3", 1), QStringLiteral("1"));
    QCOMPARE(field(second, "EA3", 3), later.toString(QStringLiteral("hhmm")));
    QCOMPARE(field(second, "EA3", 5), now.toString(QStringLiteral("yyMMdd")));
    QCOMPARE(field(second, "EA3", 6), now.toString(QStringLiteral("hhmm")));
    QCOMPARE(field(second, "EA3", 9), QStringLiteral("2"));
    // Kept on disk for the next start.
    const EvaDtsReadouts kept = EvaDtsReadouts::load();
    QCOMPARE(kept.readouts, 2);
    QCOMPARE(kept.readsWithReset, 1);
    QCOMPARE(kept.lastReadout.toString(Qt::ISODate), later.toString(Qt::ISODate));
}

QTEST_GUILESS_MAIN(TestEvaDtsReport)
#include "tst_evadtsreport.moc"
