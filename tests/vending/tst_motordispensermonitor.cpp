#include "vending/motordispensermonitor.h"

#include "catalogue/productprovider.h"
#include "notificationlog.h"
#include "settings/settings.h"
#include "testenvironment.h"
#include "vending/alarmmanager.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

namespace {

const qint64 ALL_STOCKED = (qint64(1) << 18) - 1;

bool write_file(const QString& path, const QByteArray& data)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(data) == data.size();
}

QByteArray read_file(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QList<int> served_selections(const MotorDispenserMonitor& monitor)
{
    QList<int> selections;
    for (int motor = 0; motor < MotorDispenserMonitor::MOTOR_COUNT; ++motor)
        selections.append(monitor.motor(motor).selection);
    return selections;
}

QList<int> identity_with(std::initializer_list<QPair<int, int>> changes)
{
    QList<int> selections;
    for (int i = 0; i < MotorDispenserMonitor::MOTOR_COUNT; ++i)
        selections.append(i);
    for (const auto& change : changes)
        selections[change.first] = change.second;
    return selections;
}

} // namespace

class MotorDispenserMonitorTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnvironment::ScopedAppDir> appDir;
    VM24::NotificationService service;
    NotificationLog log;
    std::unique_ptr<AlarmManager> alarms;
    std::unique_ptr<ProductProvider> products;

    std::unique_ptr<MotorDispenserMonitor> makeMonitor()
    {
        return std::make_unique<MotorDispenserMonitor>(alarms.get(), products.get(), &service);
    }

    bool productsNotAvailable() const
    {
        return alarms->activeAlarms().testFlag(VM24::ProductsNotAvailableAlarm);
    }

private slots:
    void initTestCase() { service.addHandler(&log); }

    void init()
    {
        appDir.reset(new TestEnvironment::ScopedAppDir);
        QVERIFY(write_file(appDir->filePath(QStringLiteral("data/products/farmacia/index.xml")),
                           "<catalogue name=\"farmacia\" timestamp=\"2024-03-01T10:20:30\">"
                           "<product id=\"0042\" name=\"Crema solare\" category=\"Pelle\">"
                           "<prices><price level=\"0\">990</price></prices></product>"
                           "</catalogue>"));
        {
            QSettings settings;
            settings.setValue(QStringLiteral("Products/selection_7"), QStringLiteral("farmacia/0042"));
        }
        products.reset(new ProductProvider(appDir->filePath(QStringLiteral("data/products"))));
        products->loadDatabase();
        QSettings settings;
        products->setArrangement(Settings(settings).arrangement());
        alarms.reset(new AlarmManager(&service));
        log.lines.clear();
    }

    void cleanup()
    {
        products.reset();
        alarms.reset();
        appDir.reset();
    }

    void startsWithTheIdentityMapEmptyAndWithoutErrors()
    {
        auto monitor = makeMonitor();
        QCOMPARE(served_selections(*monitor), identity_with({}));
        for (int i = 0; i < MotorDispenserMonitor::MOTOR_COUNT; ++i) {
            QVERIFY(monitor->motor(i).empty);
            QVERIFY(!monitor->motor(i).error);
        }
        QVERIFY(!monitor->canSellAnything());
    }

    void oneProductInsertedClearsTheUnavailableAlarm()
    {
        auto monitor = makeMonitor();
        QSignalSpy states(monitor.get(), &MotorDispenserMonitor::motorStateChanged);
        monitor->setProductPresence(0);
        QVERIFY(productsNotAvailable());
        QCOMPARE(log.take(), QStringList{"alarm 4 raised"});
        QCOMPARE(states.count(), 0);

        monitor->setProductPresence(qint64(1) << 7);
        QCOMPARE(log.take(), (QStringList{"empty-dispenser 7 farmacia/0042 Crema solare cleared", "alarm 4 cleared"}));
        QCOMPARE(states.count(), 1);
        QCOMPARE(states.at(0).at(0).toInt(), 7);
        QVERIFY(!states.at(0).at(1).value<MotorDispenserMonitor::MotorState>().empty);

        // Sold out again: the product at the motor's selection is named.
        monitor->setProductPresence(0);
        QCOMPARE(log.take(), (QStringList{"empty-dispenser 7 farmacia/0042 Crema solare raised", "alarm 4 raised"}));
    }

    void soldOutNoticesNameTheProductOfTheMappedSelection()
    {
        auto monitor = makeMonitor();
        monitor->setMapping(7, 2);
        monitor->setProductPresence(qint64(1) << 2 | qint64(1) << 7);
        // Motor 2 serves selection 7 (the cream); motor 7 serves selection 2 (nothing arranged).
        QCOMPARE(log.take(), (QStringList{"empty-dispenser 2 farmacia/0042 Crema solare cleared",
                                          "empty-dispenser 7   cleared"}));
    }

    void presenceBeyondTheMotorsIsIgnored()
    {
        auto monitor = makeMonitor();
        monitor->setProductPresence(qint64(0x7) << 18 | qint64(1) << 63);
        QVERIFY(!monitor->canSellAnything());
        QCOMPARE(log.take(), QStringList{"alarm 4 raised"});
    }

    void ignoredPresenceReportsChangeNothing()
    {
        auto monitor = makeMonitor();
        monitor->setIgnoreProductPresence(true);
        monitor->setProductPresence(ALL_STOCKED);
        QVERIFY(monitor->motor(0).empty);
        QVERIFY(log.lines.isEmpty());
        monitor->setIgnoreProductPresence(false);
        monitor->setProductPresence(ALL_STOCKED);
        QVERIFY(!monitor->motor(0).empty);
    }

    void aMotorInErrorCannotSell()
    {
        auto monitor = makeMonitor();
        monitor->setProductPresence(qint64(1) << 3);
        QVERIFY(!productsNotAvailable());
        log.lines.clear();

        monitor->setError(3, true);
        QVERIFY(productsNotAvailable());
        QCOMPARE(log.take(), (QStringList{"dispenser-error 3", "alarm 4 raised"}));

        // Clearing the error publishes nothing of its own.
        monitor->setError(3, false);
        QCOMPARE(log.take(), QStringList{"alarm 4 cleared"});
    }

    void anErrorIsPublishedAndWrittenOnce()
    {
        auto monitor = makeMonitor();
        QSignalSpy states(monitor.get(), &MotorDispenserMonitor::motorStateChanged);
        const QString path = MotorDispenserMonitor::errorsFilePath();
        QCOMPARE(path, appDir->filePath(QStringLiteral("data/motor-errors.txt")));

        monitor->setError(5, true);
        QCOMPARE(read_file(path), QByteArray("5"));
        QVERIFY(QFile::remove(path));
        monitor->setError(5, true);
        QVERIFY(!QFile::exists(path));
        QCOMPARE(log.take(), (QStringList{"dispenser-error 5", "alarm 4 raised"}));
        QCOMPARE(states.count(), 1);

        monitor->setError(17, true);
        monitor->setError(0, true);
        QCOMPARE(read_file(path), QByteArray("0 5 17"));
        monitor->setError(5, false);
        QCOMPARE(read_file(path), QByteArray("0 17"));
        monitor->setError(0, false);
        monitor->setError(17, false);
        QCOMPARE(read_file(path), QByteArray());
        // Motors that do not exist are left alone.
        monitor->setError(18, true);
        monitor->setError(-1, true);
        QCOMPARE(read_file(path), QByteArray());
    }

    void storedErrorsSurviveARestart()
    {
        QVERIFY(write_file(MotorDispenserMonitor::errorsFilePath(), "  4 x 9  18 -1 9 017\n"));
        auto monitor = makeMonitor();
        for (int i = 0; i < MotorDispenserMonitor::MOTOR_COUNT; ++i)
            QCOMPARE(monitor->motor(i).error, i == 4 || i == 9 || i == 17);
        QVERIFY(log.lines.isEmpty());
    }

    // A runaway file is not read whole: its start counts, without the number
    // the limit may have cut, and the event log says what happened.
    void oversizedErrorsFileIsReadOnlyAtItsStart()
    {
        QByteArray content = "3 ";
        content += QByteArray(MotorDispenserMonitor::MAX_ERRORS_FILE_BYTES - 4, ' ');
        content += "11 6";
        content += QByteArray(4 * 1024 * 1024, ' ');
        content += "8";
        QVERIFY(write_file(MotorDispenserMonitor::errorsFilePath(), content));
        auto monitor = makeMonitor();
        for (int i = 0; i < MotorDispenserMonitor::MOTOR_COUNT; ++i)
            QVERIFY2(monitor->motor(i).error == (i == 3), qPrintable(QString::number(i)));
        QCOMPARE(log.lines, QStringList("warning"));
    }

    void mappingSwapsTwoMotors()
    {
        auto monitor = makeMonitor();
        QSignalSpy mapping(monitor.get(), &MotorDispenserMonitor::motorMappingChanged);
        monitor->setMapping(3, 7);
        QCOMPARE(monitor->map(3), 7);
        QCOMPARE(monitor->map(7), 3);
        QCOMPARE(served_selections(*monitor), identity_with({{3, 7}, {7, 3}}));
        QCOMPARE(mapping.count(), 1);

        monitor->setMapping(3, 7);
        QCOMPARE(mapping.count(), 1);
        QVERIFY(!monitor->setMappingSilent(3, 18));
        QVERIFY(!monitor->setMappingSilent(18, 3));
        QCOMPARE(monitor->map(18), -1);

        // The state of a selection is its motor's.
        monitor->setError(7, true);
        QVERIFY(monitor->selection(3).error);
        QVERIFY(!monitor->selection(7).error);
    }

    void motorMapIsStoredAndReadBack()
    {
        auto monitor = makeMonitor();
        monitor->setMapping(3, 7);
        monitor->setMapping(0, 17);
        monitor->saveConfiguration();
        QSettings settings;
        const QStringList stored = settings.value(QStringLiteral("motor-map")).toStringList();
        QCOMPARE(stored.size(), 18);
        QCOMPARE(stored.at(0), QStringLiteral("17"));
        QCOMPARE(stored.at(3), QStringLiteral("7"));
        QCOMPARE(stored.at(17), QStringLiteral("0"));

        auto restarted = makeMonitor();
        QSignalSpy mapping(restarted.get(), &MotorDispenserMonitor::motorMappingChanged);
        restarted->loadConfiguration(settings);
        QCOMPARE(served_selections(*restarted), served_selections(*monitor));
        QCOMPARE(mapping.count(), 0);
    }

    void badMotorMapsKeepAPermutation_data()
    {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QList<int>>("selections");
        QStringList reversed;
        for (int s = 0; s < 18; ++s)
            reversed.append(QString::number(17 - s));
        QList<int> reversedSelections;
        for (int m = 0; m < 18; ++m)
            reversedSelections.append(17 - m);
        QTest::newRow("reversed") << reversed << reversedSelections;
        QTest::newRow("too short") << reversed.mid(0, 17) << identity_with({});
        QTest::newRow("too long") << (reversed + QStringList{"0"}) << identity_with({});

        QStringList holes = reversed;
        holes[0] = QStringLiteral("-1");
        holes[1] = QStringLiteral("18");
        holes[2] = QStringLiteral("x");
        // Selections 0 to 2 are left the motors nobody else took.
        QTest::newRow("holes") << holes << reversedSelections;
        // Only a permutation is promised here (empty: no particular one).
        QTest::newRow("one motor everywhere") << QStringList(18, QStringLiteral("5")) << QList<int>();
    }

    void badMotorMapsKeepAPermutation()
    {
        QFETCH(QStringList, entries);
        QFETCH(QList<int>, selections);
        QSettings settings;
        settings.setValue(QStringLiteral("motor-map"), entries);
        auto monitor = makeMonitor();
        monitor->loadConfiguration(settings);
        const QList<int> served = served_selections(*monitor);
        QList<int> sorted = served;
        std::sort(sorted.begin(), sorted.end());
        QCOMPARE(sorted, identity_with({}));
        if (!selections.isEmpty())
            QCOMPARE(served, selections);
    }

    void unwritableErrorsFileKeepsTheStateInMemory()
    {
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("Cannot write .*motor-errors.txt")));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("Cannot write .*motor-errors.txt")));
        // A directory where the file should be: it cannot be replaced.
        QVERIFY(QDir().mkpath(MotorDispenserMonitor::errorsFilePath()));
        auto monitor = makeMonitor();
        monitor->setError(2, true);
        QVERIFY(monitor->motor(2).error);
        QVERIFY(!monitor->commit());
        QVERIFY(QFileInfo(MotorDispenserMonitor::errorsFilePath()).isDir());
    }
};

QTEST_GUILESS_MAIN(MotorDispenserMonitorTest)
#include "tst_motordispensermonitor.moc"
