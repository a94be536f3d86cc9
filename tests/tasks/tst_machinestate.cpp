#include "accounting/accountingservice.h"
#include "accounting/countersdocument.h"
#include "accounting/sessionbalance.h"
#include "board/devices.h"
#include "board/rk710controller.h"
#include "catalogue/productprovider.h"
#include "core/version.h"
#include "core/vm24.h"
#include "settings/settings.h"
#include "simulatedboard.h"
#include "tasks/machinestaterecorder.h"
#include "tasks/savemachinestatetask.h"
#include "testenvironment.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QSettings>
#include <QThreadPool>
#include <QXmlStreamReader>
#include <QtTest>

#include <memory>

namespace {

QJsonArray counter_values(int base)
{
    QJsonArray values;
    for (int i = 0; i < 13; ++i)
        values.append(base + i);
    return values;
}

QJsonObject board_with_counters()
{
    return QJsonObject{{"counters", QJsonObject{{"permanent", counter_values(100)},
                                                 {"partial", counter_values(200)},
                                                 {"daily", counter_values(300)}}}};
}

QList<int> counters_of(const QJsonObject& state, const char* period)
{
    QList<int> values;
    for (const QJsonValue& value : state.value("counters").toObject().value(period).toArray())
        values.append(value.toInt());
    return values;
}

// Every element as "name attr=value ... : text", in document order.
QStringList flatten(const QByteArray& document)
{
    QStringList lines;
    QXmlStreamReader reader(document);
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        QString line = reader.name().toString();
        for (const QXmlStreamAttribute& attribute : reader.attributes())
            line += QStringLiteral(" %1=%2").arg(attribute.name().toString(), attribute.value().toString());
        lines.append(line);
    }
    return reader.hasError() ? QStringList{reader.errorString()} : lines;
}

QByteArray read_all(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const char* const CATALOGUE =
    "<catalogue name=\"main\" timestamp=\"2024-03-01T10:20:30\">"
    "<product id=\"1001\" name=\"Paracetamolo\" category=\"Dolore\">"
    "<prices><price level=\"0\">250</price></prices></product>"
    "</catalogue>";

} // namespace

class TestMachineState : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnvironment::ScopedAppDir> m_appDir;
    std::unique_ptr<SimulatedBoard> m_board;

    bool startBoard()
    {
        m_board = std::make_unique<SimulatedBoard>(board_with_counters());
        if (!m_board->start()) {
            qWarning() << m_board->errorString();
            return false;
        }
        return true;
    }

private slots:
    void init()
    {
        m_appDir = std::make_unique<TestEnvironment::ScopedAppDir>();
        QSettings settings;
        settings.setValue("hopper-value_1", 100);
        settings.setValue("hopper-value_2", 50);
        settings.setValue("advanced/serial", 42);
    }
    void cleanup()
    {
        m_board.reset();
        m_appDir.reset();
    }

    void countersDocumentFromTheBoard();
    void dailyRecordWritesTheDayAndStartsANewOne();
    void unwritableRecordKeepsTheBoardsDay();
};

void TestMachineState::countersDocumentFromTheBoard()
{
    QVERIFY(startBoard());
    const QString path = m_appDir->filePath("counters.xml");
    VM24::load_counters(m_board->controller(), path);
    QTRY_VERIFY(QFile::exists(path));
    const QStringList elements = flatten(read_all(path));
    QStringList expected{"counters"};
    const char* types[] = {"permanent", "partial", "daily"};
    const int values[] = {5000, 2000, 1000, 500, 200, 100, 50, 20, 10, 5};
    for (int period = 0; period < 3; ++period) {
        expected << QStringLiteral("counter type=%1").arg(types[period]);
        for (int i = 0; i < 10; ++i)
            expected << QStringLiteral("currency value=%1").arg(values[i]);
        for (int hopper = 1; hopper <= 3; ++hopper)
            expected << QStringLiteral("hopper id=%1").arg(hopper);
    }
    QCOMPARE(elements, expected);
    const QString text = QString::fromUtf8(read_all(path));
    QVERIFY(text.contains("<currency value=\"5000\">100</currency>"));
    QVERIFY(text.contains("<currency value=\"5\">209</currency>"));
    QVERIFY(text.contains("<hopper id=\"3\">312</hopper>"));
}

void TestMachineState::dailyRecordWritesTheDayAndStartsANewOne()
{
    QVERIFY(startBoard());
    const QString root = m_appDir->filePath("data/products");
    QDir().mkpath(root + "/main");
    QFile catalogue(root + "/main/index.xml");
    QVERIFY(catalogue.open(QIODevice::WriteOnly));
    catalogue.write(CATALOGUE);
    catalogue.close();
    ProductProvider products(root);
    products.loadDatabase();
    QSettings settings;
    settings.setValue("Products/selection_2", "main/1001");
    products.setArrangement(Settings(settings).arrangement());

    AccountingService accounting;
    SessionBalance balance;
    balance.cashIncome = 750;
    balance.coinBox = 40;
    balance.cashlessIncome = 120;
    balance.posIncome = 300;
    balance.extraCredit = 15;
    balance.recharges = 500;
    balance.rechargeCount = 2;
    balance.changeDelivered = 60;
    balance.changeCount = 1;
    accounting.recordSessionBalance(balance);
    accounting.recordItemDispensed({2, 2, 5}, 250);
    const Accounting permanent = accounting.get(Ledger::Permanent);
    const Accounting partial = accounting.get(Ledger::Partial);
    const QDateTime dayStart = accounting.get(Ledger::Log).creationDate();

    // A fresh machine: no drafts directory yet.
    const QString drafts = m_appDir->filePath("drafts");
    QThreadPool pool;
    MachineStateRecorder recorder(&accounting, &products, m_board->controller(), drafts, &pool);
    recorder.loadConfiguration(settings);
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    recorder.run();
    // A sale booked while the record is being written belongs to the new day.
    accounting.recordItemDispensed({7}, 90);

    // The software day starts again once the record is on disk; the other
    // periods keep theirs.
    QVERIFY(pool.waitForDone(30000));
    QTRY_COMPARE(accounting.get(Ledger::Log).dispensedCount(2), 0);
    const Accounting& log = accounting.get(Ledger::Log);
    Accounting lateSale(log.creationDate());
    lateSale.recordItemDispensedCount({7}, 90);
    lateSale.setLastUpdate(log.lastUpdate());
    QCOMPARE(log, lateSale);
    QVERIFY(log.creationDate() >= before);
    QCOMPARE(accounting.get(Ledger::Permanent).dispensedCount(7), 1);
    QCOMPARE(accounting.get(Ledger::Permanent).get(Accounting::CashIncome), permanent.get(Accounting::CashIncome));
    QCOMPARE(accounting.get(Ledger::Partial).creationDate(), partial.creationDate());
    AccountingService reloaded;
    QCOMPARE(reloaded.ledger(), accounting.ledger());

    const QStringList files = QDir(drafts).entryList({"VM24Data_00042_*.xml"});
    QCOMPARE(files.size(), 1);
    const QByteArray document = read_all(drafts + "/" + files.first());
    QVERIFY(document.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<VM24 SerialNumber=\"00042\" TimeReset=\""
                                + VM24::format_rk_date(dayStart).toUtf8() + "\" TimeStamp=\""));
    const QStringList elements = flatten(document);
    QStringList versions{"Versions", QStringLiteral("Version descr=Rpi2: %1 device=RPi2").arg(VM24::APPLICATION_VERSION)};
    const QJsonArray boardVersions = m_board->state()["versions"].toArray();
    for (int device = 0; device < 28; ++device)
        versions << QStringLiteral("Version descr=%1 device=%2")
                        .arg(boardVersions.at(device).toString(), Devices::to_string(Devices::Index(device)));
    QCOMPARE(elements.mid(1, versions.size()), versions);
    const int afterVersions = elements.indexOf("IncomeCash Amount=750");
    QCOMPARE(afterVersions, 2 + 29);
    QCOMPARE(elements.mid(afterVersions),
             QStringList({"IncomeCash Amount=750", "CashBox Amount=40", "IncomeUserCard Amount=120",
                          "IncomeCreditCard Amount=300", "IncomeExtra Amount=15",
                          "RevalueUserCard Amount=500 Count=2", "Return Amount=60 Count=1",
                          "Product id=3 Amount=500 Count=2 Descr=Paracetamolo",
                          "StandardTime Amount=500 Count=2",
                          "Product id=6 Amount=250 Count=1 Descr=", "StandardTime Amount=250 Count=1",
                          "Hopper id=0 Type=0 Value=100 Count=310", "Hopper id=1 Type=0 Value=50 Count=311",
                          "Coin id=1 Value=200 Count=304", "Coin id=2 Value=100 Count=305",
                          "Coin id=3 Value=50 Count=306", "Coin id=4 Value=20 Count=307",
                          "Coin id=5 Value=10 Count=308", "Coin id=6 Value=5 Count=309",
                          "Bill id=0 Value=500 Count=303", "Bill id=1 Value=1000 Count=302",
                          "Bill id=2 Value=2000 Count=301", "Bill id=3 Value=5000 Count=300"}));

    // The board starts a new day too, and only that.
    const QJsonObject state = m_board->state();
    QCOMPARE(counters_of(state, "daily"), QList<int>(13, 0));
    QCOMPARE(counters_of(state, "permanent").first(), 100);
    QCOMPARE(counters_of(state, "partial").first(), 200);
}

void TestMachineState::unwritableRecordKeepsTheBoardsDay()
{
    QVERIFY(startBoard());
    ProductProvider products(m_appDir->filePath("data/products"));
    AccountingService accounting;
    accounting.recordSessionBalance(SessionBalance{500});
    QVERIFY(accounting.commit());
    QThreadPool pool;
    // A directory that cannot be made: a file stands where its parent should be.
    QFile blocker(m_appDir->filePath("blocker"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    MachineStateRecorder recorder(&accounting, &products, m_board->controller(),
                                  m_appDir->filePath("blocker/drafts"), &pool);
    recorder.run();
    QVERIFY(pool.waitForDone(30000));
    QCoreApplication::processEvents();
    // The day's figures stay for the next run, on disk too.
    QCOMPARE(accounting.get(Ledger::Log).get(Accounting::Banknotes), 500);
    QCOMPARE(AccountingService().get(Ledger::Log).get(Accounting::Banknotes), 500);
    QCOMPARE(counters_of(m_board->state(), "daily").first(), 300);
}

QTEST_GUILESS_MAIN(TestMachineState)
#include "tst_machinestate.moc"
