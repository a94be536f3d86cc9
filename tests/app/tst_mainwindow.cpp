#include "accounting/accountingservice.h"
#include "app/machineservices.h"
#include "app/mainwindow.h"
#include "board/rk710controller.h"
#include "core/alarm.h"
#include "core/defaults.h"
#include "core/vm24.h"
#include "home/homepage.h"
#include "logging/overpaynotification.h"
#include "logging/powermanagementnotification.h"
#include "logging/warningnotification.h"
#include "rk710simprocess.h"
#include "tasks/nightlychecktask.h"
#include "tasks/taskscheduler.h"
#include "testenvironment.h"
#include "ui/context.h"
#include "vending/boardlinkwatcher.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSettings>
#include <QJsonArray>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTranslator>
#include <QtTest>

#include <memory>

namespace {

// Keeps the amounts of the overpay notifications and the power events.
class RecordingHandler : public INotificationHandler<VM24::NotificationBase>
{
public:
    void handle(VM24::NotificationBase* notification) override
    {
        if (auto* overpay = dynamic_cast<VM24::OverpayNotification*>(notification))
            overpays.append(overpay->amount());
        if (auto* power = dynamic_cast<VM24::PowerManagementNotification*>(notification))
            powerEvents.append(power->event());
        if (auto* warning = dynamic_cast<VM24::WarningNotification*>(notification))
            warnings.append(warning->message());
    }
    QList<int> overpays;
    QList<int> powerEvents;
    QStringList warnings;
};

// The event log's rows as "category data", oldest first.
QStringList event_log_rows()
{
    const QString connection = QStringLiteral("event-log-rows");
    QStringList rows;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(VM24::get_path(QLatin1String(VM24::Defaults::Log::LOG_FILE)));
        if (!db.open())
            return {QStringLiteral("<cannot open the event log>")};
        QSqlQuery query(QStringLiteral("SELECT category, data FROM Log ORDER BY rowid"), db);
        while (query.next())
            rows.append(query.value(0).toString() + QLatin1Char(' ') + query.value(1).toString());
    }
    QSqlDatabase::removeDatabase(connection);
    return rows;
}

QJsonObject quick_timings()
{
    return QJsonObject{{"motorMs", 50}, {"payoutMs", 50}, {"coinMs", 5}, {"watchdogMs", 600000}};
}

} // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnvironment::ScopedAppDir> appDir;
    std::unique_ptr<Rk710SimProcess> sim;
    std::unique_ptr<Rk710Controller> controller;
    QTranslator translator;
    RecordingHandler recorded;

    void startBoard(QJsonObject state)
    {
        state.insert(QStringLiteral("timings"), quick_timings());
        sim.reset(new Rk710SimProcess(state));
        QVERIFY2(sim->start(), qPrintable(sim->errorString()));
        QVERIFY(controller->open(sim->devicePath().toLocal8Bit().constData()));
        controller->initialize();
        QVERIFY(controller->isAlive());
    }

    // The services and the window as the program builds them, whose
    // initialize() has run, with the recording handler added. The window
    // goes first, then the services with the event log.
    struct Program
    {
        std::unique_ptr<MachineServices> services;
        std::unique_ptr<MainWindow> window;
    };
    std::unique_ptr<Program> startProgram()
    {
        auto program = std::make_unique<Program>();
        program->services = std::make_unique<MachineServices>(controller.get());
        program->window = std::make_unique<MainWindow>(program->services.get(), translator);
        program->services->notificationService()->addHandler(&recorded);
        MainWindow* window = program->window.get();
        if (!QTest::qWaitFor([&] { return window->context()->currentActivity() == window->homePage(); }, 20000))
            return nullptr;
        return program;
    }

private slots:
    void init()
    {
        appDir.reset(new TestEnvironment::ScopedAppDir);
        controller.reset(new Rk710Controller);
        recorded = RecordingHandler();
    }
    void cleanup()
    {
        controller.reset();
        sim.reset();
        appDir.reset();
    }

    void creditLeftOnTheBoardIsBookedAndReported();
    void absentBoardBooksNothingAndStillShowsTheHomePage();
    void alarmRaisedWhileStartingIsInTheEventLog();
    void damagedConfigurationIsNamedInTheEventLog();
    void lostBoardIsReportedAndTriedAgain();
    void quittingSwitchesTheMachineOff();
    void closingTheFrontDoorRecountsTheChangeTubes();
    void dailyRecordAndDeviceInformationAreSetUp();
    void stockedColumnsAtStartNameTheirProducts();
};

void MainWindowTest::creditLeftOnTheBoardIsBookedAndReported()
{
    startBoard({{"credit", QJsonObject{{"bill", 0}, {"coins", 150}}}});
    auto program = startProgram();
    QVERIFY(program);
    QCOMPARE(recorded.overpays, QList<int>({150}));

    const AccountingService ledger;
    for (Ledger::Frequency frequency : Ledger::FREQUENCIES) {
        QCOMPARE(ledger.get(frequency).get(Accounting::Coins), 150);
        QCOMPARE(ledger.get(frequency).get(Accounting::Banknotes), 0);
        QCOMPARE(ledger.get(frequency).get(Accounting::ExtraIncome), 150);
    }
}

void MainWindowTest::absentBoardBooksNothingAndStillShowsTheHomePage()
{
    auto program = startProgram();
    QVERIFY(program);
    QVERIFY(recorded.overpays.isEmpty());
    const AccountingService ledger;
    QCOMPARE(ledger.get(Ledger::Permanent).get(Accounting::ExtraIncome), 0);
    QCOMPARE(ledger.get(Ledger::Permanent).get(Accounting::Coins), 0);
    QVERIFY(program->services->scheduler()->isActive());
}

// No touchscreen on a test machine: its alarm is raised while the services
// are being built, before the event log is one of the notification handlers.
void MainWindowTest::alarmRaisedWhileStartingIsInTheEventLog()
{
    {
        auto program = startProgram();
        QVERIFY(program);
    }
    const QStringList rows = event_log_rows();
    QVERIFY2(rows.contains(QStringLiteral("alarm id=%1&clear=0").arg(int(VM24::TouchscreenDisconnectedAlarm))),
             qPrintable(rows.join(QLatin1String(" | "))));
}

// A settings file or a catalogue that does not parse leaves the machine
// running on defaults, and the event log names the file.
void MainWindowTest::damagedConfigurationIsNamedInTheEventLog()
{
    const QString settingsFile = QSettings().fileName();
    QVERIFY(QDir().mkpath(QFileInfo(settingsFile).absolutePath()));
    const QString catalogueFile = VM24::get_path(QStringLiteral("data/products/main/index.xml"));
    QVERIFY(QDir().mkpath(QFileInfo(catalogueFile).absolutePath()));
    for (const auto& [path, content] : {std::pair{settingsFile, QByteArray("[Products\n\x01\x02 selection_0\n")},
                                        std::pair{catalogueFile, QByteArray("<catalogue name=\"main\"><product id=\"1\" na")}}) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    {
        auto program = startProgram();
        QVERIFY(program);
        QCOMPARE(program->window->context()->currentActivity(), program->window->homePage());
    }
    const QStringList warnings = event_log_rows().filter(QRegularExpression(QStringLiteral("^warning ")));
    // The third: this machine holds no update key, so the start says once a
    // day that updates are not authenticated.
    QVERIFY2(warnings.size() == 3, qPrintable(warnings.join(QLatin1String(" | "))));
    QVERIFY2(!warnings.filter(QStringLiteral("Aggiornamenti non autenticati")).isEmpty(),
             qPrintable(warnings.join(QLatin1String(" | "))));
    QVERIFY2(!warnings.filter(settingsFile).isEmpty(), qPrintable(warnings.join(QLatin1String(" | "))));
    QVERIFY2(!warnings.filter(catalogueFile).isEmpty(), qPrintable(warnings.join(QLatin1String(" | "))));
}

// A board that stops answering is written down, tried again while lost and
// polled again once it answers, which is written down too.
void MainWindowTest::lostBoardIsReportedAndTriedAgain()
{
    startBoard({});
    controller->setRetryPolicy(100, 2);
    controller->setRecoveryPeriod(1000);
    auto program = startProgram();
    QVERIFY(program);
    QCOMPARE(controller->getInputs() & 1, 1);

    QVERIFY(sim->control(QStringLiteral("fault silence on")).startsWith(QLatin1String("ok")));
    QTRY_VERIFY_WITH_TIMEOUT(!controller->isAlive(), 10000);
    // Besides the start's row that updates are not authenticated.
    const auto boardWarnings = [this] {
        QStringList board = recorded.warnings;
        board.removeAll(QStringLiteral("Aggiornamenti non autenticati: manca la chiave pubblica degli aggiornamenti"));
        return board;
    };
    QTRY_COMPARE(boardWarnings(), QStringList(BoardLinkWatcher::lostMessage()));
    // Attempts made while the line stays silent change nothing.
    QTest::qWait(2500);
    QVERIFY(!controller->isAlive());

    QVERIFY(sim->control(QStringLiteral("fault silence off")).startsWith(QLatin1String("ok")));
    QTRY_VERIFY_WITH_TIMEOUT(controller->isAlive(), 10000);
    QTRY_COMPARE(boardWarnings(), QStringList({BoardLinkWatcher::lostMessage(), BoardLinkWatcher::backMessage()}));
    QVERIFY(sim->control(QStringLiteral("door front open")).startsWith(QLatin1String("ok")));
    QTRY_COMPARE(controller->getInputs() & 1, 0);
}

void MainWindowTest::quittingSwitchesTheMachineOff()
{
    startBoard({});
    auto program = startProgram();
    QVERIFY(program);
    QVERIFY(controller->setOutput(true, 0xCFF));
    QVERIFY(controller->setCreditEnable(true, true, true, true));
    QVERIFY(controller->setDoorStatus(true));
    // A fan job still queued when the program quits does not undo the switch-off.
    Rk710Controller* board = controller.get();
    controller->shortJobs()->start([board] {
        QThread::msleep(300);
        board->setPwmOutput(1, 25, 25, 0);
    });

    program->services->deinit();
    controller->waitForQueuedTasks();
    const QJsonObject state = sim->state();
    QCOMPARE(state["outputs"].toInt() & 0xCFF, 0);
    const QJsonObject enables = state["enables"].toObject();
    for (const char* device : {"billValidator", "coinAcceptor", "pos", "cashless"})
        QVERIFY2(!enables[QLatin1String(device)].toBool(), device);
    QCOMPARE(state["doors"].toObject()["lockReleased"].toBool(), false);
    QCOMPARE(state["pwm"].toArray(), QJsonArray({0, 0, 0, 0}));
    // Quitting without a power action is reported as a restart.
    QCOMPARE(recorded.powerEvents.last(), int(VM24::PowerManagementNotification::Restart));
}

void MainWindowTest::dailyRecordAndDeviceInformationAreSetUp()
{
    const QString infoPath = appDir->filePath(QStringLiteral("device-info.xml"));
    const QByteArray processInfoPath = qgetenv("VM24_DEVICE_INFO_FILE");
    qputenv("VM24_DEVICE_INFO_FILE", infoPath.toLocal8Bit());
    auto restore = qScopeGuard([&] { qputenv("VM24_DEVICE_INFO_FILE", processInfoPath); });
    // A content check that fell due while the program was off, in the
    // time store of an earlier run: it is still pending after the start.
    const QDateTime missed = QDateTime(QDate::currentDate().addDays(-1), QTime(2, 17));
    {
        QSettings store(VM24::get_path(QLatin1String(TaskScheduler::TIME_STORE_FILE)), QSettings::IniFormat);
        store.setValue(QStringLiteral("content-downloader"), missed);
    }
    startBoard({});
    auto program = startProgram();
    QVERIFY(program);
    QCOMPARE(program->window->contentUpdateTask()->startTime(), missed);
    // The machine-state record is a daily task: registering it gives it its
    // first start, the next midnight by default.
    const QDateTime next = program->services->scheduler()->getSavedTime(QStringLiteral("machine-state-recorder"));
    QVERIFY(next.isValid());
    QCOMPARE(next.time(), QTime(0, 0));
    QVERIFY(next > QDateTime::currentDateTime());
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(infoPath), 10000);
}

void MainWindowTest::closingTheFrontDoorRecountsTheChangeTubes()
{
    startBoard({});
    auto program = startProgram();
    QVERIFY(program);
    auto recounts = [this] {
        QFile log(sim->requestLogPath());
        if (!log.open(QIODevice::ReadOnly))
            return -1;
        // A change payout request ("R") of amount 0.
        return int(log.readAll().count(" 00 03 52 00 00 "));
    };
    program->services->onFrontDoorOpenChanged(true);
    QTest::qWait(200);
    QCOMPARE(recounts(), 0);
    program->services->onFrontDoorOpenChanged(false);
    QTRY_COMPARE(recounts(), 1);
}

// The board's first word on which columns hold products is taken once the
// catalogue, the selections and the motor map are loaded, after the start
// itself is in the event log: selection 7, moved to motor 3, is the one
// stocked column.
void MainWindowTest::stockedColumnsAtStartNameTheirProducts()
{
    const QString catalogueFile = VM24::get_path(QStringLiteral("data/products/farmacia/index.xml"));
    QVERIFY(QDir().mkpath(QFileInfo(catalogueFile).absolutePath()));
    {
        QFile file(catalogueFile);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("<catalogue name=\"farmacia\" timestamp=\"2024-03-01T10:20:30\">"
                   "<product id=\"0042\" name=\"Crema solare\" category=\"Pelle\">"
                   "<prices><price level=\"0\">990</price></prices></product></catalogue>");
    }
    {
        QSettings settings;
        settings.setValue(QStringLiteral("Products/selection_7"), QStringLiteral("farmacia/0042"));
        QStringList motorMap;
        for (int selection = 0; selection < 18; ++selection)
            motorMap.append(QString::number(selection == 7 ? 3 : selection == 3 ? 7 : selection));
        settings.setValue(QStringLiteral("motor-map"), motorMap);
    }
    QJsonArray columns;
    for (int column = 0; column < 18; ++column)
        columns.append(column == 3 ? 5 : 0);
    startBoard({{"columns", columns}});
    {
        auto program = startProgram();
        QVERIFY(program);
    }
    const QStringList rows = event_log_rows();
    const QStringList dispensers = rows.filter(QRegularExpression(QStringLiteral("^empty-dispenser ")));
    QVERIFY2(dispensers
                 == QStringList(QStringLiteral(
                     "empty-dispenser productId=farmacia/0042&productName=Crema solare&dispenser=3&clear=1")),
             qPrintable(rows.join(QLatin1String(" | "))));
    const qsizetype powerOn = rows.indexOf(QStringLiteral("power-management PowerOn"));
    QVERIFY2(powerOn >= 0 && powerOn < rows.indexOf(dispensers.first()), qPrintable(rows.join(QLatin1String(" | "))));
}

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
