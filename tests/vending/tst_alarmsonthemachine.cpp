// The alarm road on a simulated machine: the board's words reach the alarm
// manager and the dispenser monitor through the controller, the siren follows
// on the wire, and every alarm ends up as a row of the event log.
#include "board/outputmask.h"
#include "board/rk710controller.h"
#include "board/sirencontrol.h"
#include "catalogue/productprovider.h"
#include "logging/periodicdblogger.h"
#include "rk710simprocess.h"
#include "testenvironment.h"
#include "vending/alarmmanager.h"
#include "vending/motordispensermonitor.h"

#include <QJsonArray>
#include <QProcess>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

namespace {

const int SIREN = OutputMask::Siren;

} // namespace

class AlarmsOnTheMachineTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnvironment::ScopedAppDir> appDir;
    std::unique_ptr<Rk710SimProcess> sim;
    std::unique_ptr<Rk710Controller> controller;
    std::unique_ptr<PeriodicDbLogger> logger;
    std::unique_ptr<VM24::NotificationService> service;
    std::unique_ptr<AlarmManager> alarms;
    std::unique_ptr<SirenControl> siren;
    std::unique_ptr<ProductProvider> products;
    std::unique_ptr<MotorDispenserMonitor> monitor;

    QString databasePath() const { return appDir->filePath(QStringLiteral("log.db")); }

    bool control(const QString& command) { return sim->control(command).startsWith(QLatin1String("ok")); }

    int simOutputs() const { return sim->state().value(QStringLiteral("outputs")).toInt(); }

    // Category and data of every row, oldest first, as the sqlite3 shell prints them.
    QStringList logRows()
    {
        logger->flush();
        if (!logger->waitForWrite(30000))
            return {QStringLiteral("the event log was not written")};
        QProcess sqlite;
        sqlite.start(QStringLiteral("sqlite3"),
                     {databasePath(), QStringLiteral("SELECT category, data FROM Log ORDER BY rowid")});
        if (!sqlite.waitForFinished(10000) || sqlite.exitCode() != 0)
            return {QStringLiteral("sqlite3 failed: ") + QString::fromLocal8Bit(sqlite.readAllStandardError())};
        return QString::fromUtf8(sqlite.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    QStringList rowsOf(const QString& category)
    {
        return logRows().filter(QRegularExpression(QStringLiteral("^") + category + QStringLiteral("\\|")));
    }

private slots:
    void init()
    {
        appDir.reset(new TestEnvironment::ScopedAppDir);
        QJsonArray columns;
        for (int i = 0; i < 18; ++i)
            columns.append(2);
        sim.reset(new Rk710SimProcess(QJsonObject{{"columns", columns}}));
        QVERIFY2(sim->start(), qPrintable(sim->errorString()));

        // The main window's wiring, for the parts on the alarm road.
        logger.reset(new PeriodicDbLogger);
        logger->setDatabaseName(databasePath());
        service.reset(new VM24::NotificationService);
        service->addHandler(logger.get());
        controller.reset(new Rk710Controller);
        alarms.reset(new AlarmManager(service.get()));
        siren.reset(new SirenControl(controller.get()));
        products.reset(new ProductProvider(appDir->filePath(QStringLiteral("data/products"))));
        monitor.reset(new MotorDispenserMonitor(alarms.get(), products.get(), service.get()));
        connect(controller.get(), &Rk710Controller::inputChanged, alarms.get(), &AlarmManager::onInputChanged);
        connect(controller.get(), &Rk710Controller::deviceStatusChanged, alarms.get(),
                &AlarmManager::onDeviceStatusesChanged);
        connect(controller.get(), &Rk710Controller::productPresenceChanged, monitor.get(),
                &MotorDispenserMonitor::setProductPresence);
        connect(alarms.get(), &AlarmManager::alarmsChanged, siren.get(), &SirenControl::onAlarmsChanged);

        QVERIFY(controller->open(sim->devicePath().toLocal8Bit().constData()));
        controller->initialize();
        QVERIFY(controller->isAlive());
        QTRY_VERIFY_WITH_TIMEOUT(monitor->canSellAnything(), 10000);
    }

    void cleanup()
    {
        controller.reset();
        sim.reset();
        monitor.reset();
        products.reset();
        siren.reset();
        alarms.reset();
        service.reset();
        logger.reset();
        appDir.reset();
    }

    void openingTheFrontDoorWithTheKeyOutSoundsTheSiren()
    {
        QCOMPARE(alarms->activeAlarms(), VM24::Alarms());
        QVERIFY(control(QStringLiteral("door front open")));
        QTRY_VERIFY_WITH_TIMEOUT(alarms->activeAlarms().testFlag(VM24::TamperAlarm), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(simOutputs() & SIREN, 10000);
        QCOMPARE(rowsOf(QStringLiteral("alarm")), QStringList{QStringLiteral("alarm|id=1&clear=0")});

        QVERIFY(control(QStringLiteral("door front close")));
        QTRY_VERIFY_WITH_TIMEOUT(!alarms->activeAlarms().testFlag(VM24::TamperAlarm), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(!(simOutputs() & SIREN), 10000);
        QCOMPARE(rowsOf(QStringLiteral("alarm")),
                 (QStringList{QStringLiteral("alarm|id=1&clear=0"), QStringLiteral("alarm|id=1&clear=1")}));
    }

    void withTheKeyInTheDoorsOpenQuietly()
    {
        QVERIFY(control(QStringLiteral("key in")));
        QTRY_VERIFY_WITH_TIMEOUT(alarms->isKeyInserted(), 10000);
        QVERIFY(control(QStringLiteral("door back open")));
        QTRY_VERIFY_WITH_TIMEOUT(!(controller->getInputs() & 2), 10000);
        QTest::qWait(600);
        QCOMPARE(alarms->activeAlarms(), VM24::Alarms());
        QVERIFY(!(simOutputs() & SIREN));
        QCOMPARE(rowsOf(QStringLiteral("alarm-enable")), QStringList{QStringLiteral("alarm-enable|false")});
        QCOMPARE(rowsOf(QStringLiteral("alarm")), QStringList());
    }

    void anEmptiedColumnIsLogged()
    {
        QVERIFY(control(QStringLiteral("column 3 empty")));
        QTRY_VERIFY_WITH_TIMEOUT(monitor->motor(2).empty, 10000);
        QVERIFY(!monitor->motor(3).empty);
        // Every column was announced stocked by the first report, then column 3 emptied.
        const QStringList rows = rowsOf(QStringLiteral("empty-dispenser"));
        QCOMPARE(rows.size(), 18 + 1);
        QCOMPARE(rows.filter(QStringLiteral("&clear=1")).size(), 18);
        QCOMPARE(rows.last(), QStringLiteral("empty-dispenser|productId=&productName=&dispenser=2&clear=0"));
        QCOMPARE(alarms->activeAlarms().testFlag(VM24::ProductsNotAvailableAlarm), false);
    }

    void theLastColumnEmptiedStopsSales()
    {
        for (int column = 1; column <= 18; ++column)
            QVERIFY(control(QStringLiteral("column %1 empty").arg(column)));
        QTRY_VERIFY_WITH_TIMEOUT(alarms->activeAlarms().testFlag(VM24::ProductsNotAvailableAlarm), 10000);
        QVERIFY(rowsOf(QStringLiteral("alarm")).contains(QStringLiteral("alarm|id=4&clear=0")));

        QVERIFY(control(QStringLiteral("column 11 stock 1")));
        QTRY_VERIFY_WITH_TIMEOUT(!alarms->activeAlarms().testFlag(VM24::ProductsNotAvailableAlarm), 10000);
        QVERIFY(rowsOf(QStringLiteral("alarm")).contains(QStringLiteral("alarm|id=4&clear=1")));
    }
};

QTEST_GUILESS_MAIN(AlarmsOnTheMachineTest)
#include "tst_alarmsonthemachine.moc"
