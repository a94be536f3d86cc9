// The peripheral monitor against the board simulator: it readies the board
// for tests and puts it back on leaving, its switches drive the simulated
// outputs, its dispenser tiles move, empty and reset the simulated columns,
// the guided autotest counts coins inserted in the simulator and prints its
// summary on the simulated printer, and a board that stops answering leaves
// the indicators as they were and is set back once it answers again.

#include "board/boardstatus.h"
#include "board/fancontrol.h"
#include "board/outputmask.h"
#include "board/rk710controller.h"
#include "catalogue/productprovider.h"
#include "core/vm24.h"
#include "maintenance/abstractautotestpage.h"
#include "maintenance/autotestwizard.h"
#include "maintenance/creditgroup.h"
#include "maintenance/devicestatusgroup.h"
#include "maintenance/dispensergroup.h"
#include "maintenance/hopperemptyinggroup.h"
#include "maintenance/dispensercontrol.h"
#include "maintenance/interactiveautotestdialog.h"
#include "maintenance/moneyautotestpage.h"
#include "maintenance/onoffled.h"
#include "maintenance/outputswitchesgroup.h"
#include "maintenance/peripheralmonitor.h"
#include "maintenance/sensorinputsgroup.h"
#include "modaldialog.h"
#include "peripheralrig.h"
#include "recordingactivity.h"
#include "settings/settings.h"
#include "testenvironment.h"
#include "ui/context.h"
#include "ui/startup.h"
#include "ui/messagedialog.h"
#include "ui/taskwatcherdialog.h"
#include "vending/alarmmanager.h"
#include "vending/hardwaretestreport.h"
#include "vending/maintenancereceipts.h"
#include "vending/moneyacceptancetally.h"
#include "vending/motordispensermonitor.h"
#include "vending/peripheralmonitormodel.h"

#include <QCheckBox>
#include <QDir>
#include <QTranslator>
#include <QJsonArray>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QtTest>

#include <memory>

namespace {

const int PREPARED_ENABLES_WAIT_MS = 5000;

QJsonObject machine()
{
    return QJsonObject{
        {"columns", QJsonArray{3, 3, 2, 0, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3}},
        {"hoppers", QJsonArray{QJsonObject{{"value", 50}, {"coins", 7}}, QJsonObject{{"value", 100}, {"coins", 0}}}},
        {"timings", QJsonObject{{"motorMs", 150}, {"jamMs", 300}, {"resetMs", 100}, {"coinMs", 5},
                                {"receiptIdleMs", 1500}}},
    };
}

struct Rig : PeripheralRig
{
    explicit Rig(const QJsonObject& state = machine())
        : PeripheralRig(state)
    {
    }

    bool start()
    {
        if (!PeripheralRig::start())
            return false;
        context = std::make_unique<Context>(&views);
        home = std::make_unique<RecordingActivity>(context.get());
        page = std::make_unique<PeripheralMonitor>(controller(), motors.get(), fan.get(), context.get());
        context->addView(home.get());
        context->addView(page.get());
        context->startActivity(home.get());
        return true;
    }

    QJsonObject state() const { return board.state(); }
    QJsonObject enables() const { return state().value("enables").toObject(); }
    int outputs() const { return state().value("outputs").toInt(); }
    int stock(int column) const { return state()["columns"].toArray().at(column)["stock"].toInt(); }

    // Opens the monitor and waits until the board is readied for the tests.
    bool open()
    {
        context->startActivity(page.get());
        QElapsedTimer timer;
        timer.start();
        while (!(page->exitButton()->isEnabled() && enables().value("coinAcceptor").toBool())
               && timer.elapsed() < PREPARED_ENABLES_WAIT_MS)
            QTest::qWait(20);
        return page->exitButton()->isEnabled();
    }

    QStackedWidget views;
    std::unique_ptr<Context> context;
    std::unique_ptr<RecordingActivity> home;
    std::unique_ptr<PeripheralMonitor> page;
};

// The page's wait and message boxes are gone: the board work they stood for
// is done (message boxes are closed by the test's watches).
void settle()
{
    QTRY_VERIFY_WITH_TIMEOUT(!qobject_cast<MessageDialog*>(QApplication::activeModalWidget()), 30000);
}

// Closes the first message box whose text starts with `title` once it is up
// (wait boxes come and go before it) and keeps its texts in *seen; the
// watch ends with its owner if no such box comes.
void close_message(QObject* owner, const QString& title, QStringList* seen)
{
    auto* timer = new QTimer(owner);
    QObject::connect(timer, &QTimer::timeout, [timer, title, seen] {
        auto* box = qobject_cast<MessageDialog*>(QApplication::activeModalWidget());
        if (!box || !box->text().startsWith(title))
            return;
        *seen << box->text() << box->subtitle();
        timer->deleteLater();
        box->accept();
    });
    timer->start(20);
}

// The state the machine stands in between purchases: nothing accepted,
// outputs 0x184 on and 0xC7B off, the door locked, the cooling fan as its
// control sets it for the temperature (level 0: no power).
void verify_between_purchases(const QJsonObject& state)
{
    const QJsonObject enables = state.value("enables").toObject();
    for (const char* device : {"billValidator", "coinAcceptor", "pos", "cashless", "banknotes"})
        QVERIFY2(!enables.value(device).toBool(), device);
    QCOMPARE(state.value("outputs").toInt() & 0xDFF, 0x184);
    const QJsonArray pwm = state.value("pwm").toArray();
    QCOMPARE(pwm.at(1).toInt() + pwm.at(2).toInt() + pwm.at(3).toInt(), 0);
    QVERIFY(!state.value("doors").toObject().value("lockReleased").toBool());
}

QStringList trimmed(const QJsonArray& lines)
{
    QStringList texts;
    for (const QJsonValue& line : lines)
        texts.append(line.toString().trimmed());
    return texts;
}

} // namespace

class PeripheralMonitorTest : public QObject
{
    Q_OBJECT

    // The last receipt the simulated printer finished, as its lines' texts,
    // once it holds the line `ending`.
    static QStringList lastReceipt(Rig& rig, const QString& ending)
    {
        QElapsedTimer timer;
        timer.start();
        QStringList lines;
        while (!lines.contains(ending) && timer.elapsed() < 15000) {
            QTest::qWait(50);
            const QString answer = rig.board.simulator().control(QStringLiteral("receipts 1"));
            const QJsonArray receipts = QJsonDocument::fromJson(answer.mid(3).toUtf8()).array();
            lines = receipts.isEmpty() ? QStringList() : trimmed(receipts.last().toArray());
        }
        return lines;
    }

    static void verifyTextsFit(QWidget* root)
    {
        for (QLabel* label : root->findChildren<QLabel*>()) {
            if (!label->isVisible() || label->text().isEmpty() || label->wordWrap())
                continue;
            QVERIFY2(label->sizeHint().width() <= label->width() + 2, qPrintable(label->text()));
        }
        for (QAbstractButton* button : root->findChildren<QAbstractButton*>()) {
            if (button->isVisible() && !button->text().isEmpty())
                QVERIFY2(button->sizeHint().width() <= button->width() + 2, qPrintable(button->text()));
        }
    }

private slots:
    void switchesAndDispensersDriveTheBoard()
    {
        Rig rig;
        QVERIFY(rig.start());
        QVERIFY(rig.controller()->setOutput(true, 0x184));
        QVERIFY(rig.controller()->setItemValue(Rk710SerialProtocol::Hopper1, 50));
        QVERIFY(rig.open());
        const QJsonObject enables = rig.enables();
        for (const char* device : {"billValidator", "coinAcceptor", "pos", "cashless", "banknotes"})
            QVERIFY2(enables.value(device).toBool(), device);
        QCOMPARE(rig.outputs() & 0x4FF, 0);
        QVERIFY(!rig.fan->isEnabled());
        QCOMPARE(rig.page->statusGroup()->hopperValueLabel(0)->text(), VM24::format_money(50));

        // "Cassetto" is lights 2 and 7 together; the switch follows the board.
        rig.page->switchesGroup()->lightSwitch(2)->click();
        QTRY_COMPARE(rig.outputs() & 0x84, 0x84);
        rig.page->switchesGroup()->outputSwitch(PeripheralMonitorModel::Ventilation)->click();
        QTRY_COMPARE(rig.state().value("pwm").toArray(), (QJsonArray{1, 50, 50, 0}));
        QVERIFY(rig.outputs() & OutputMask::ChassisFan);
        rig.page->switchesGroup()->lightSwitch(2)->click();
        QTRY_COMPARE(rig.outputs() & 0x84, 0);
        QTRY_VERIFY(!rig.page->switchesGroup()->lightSwitch(2)->isChecked());

        // The door lock's switch rests for six seconds after each use.
        QElapsedTimer sinceUse;
        sinceUse.start();
        rig.page->switchesGroup()->outputSwitch(PeripheralMonitorModel::DoorLock)->click();
        QTRY_VERIFY(rig.state().value("doors").toObject().value("lockReleased").toBool());
        QVERIFY(!rig.page->switchesGroup()->outputSwitch(PeripheralMonitorModel::DoorLock)->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(rig.page->switchesGroup()->outputSwitch(PeripheralMonitorModel::DoorLock)->isEnabled(), 15000);
        // A coarse timer may fire up to 5 % early.
        QVERIFY2(sinceUse.elapsed() >= PeripheralMonitorModel::DOOR_COOLDOWN_MS * 9 / 10, qPrintable(QString::number(sinceUse.elapsed())));

        // Test moves a motor once; emptying delivers until the sensor sees nothing.
        rig.page->dispenserGroup()->dispenser(0)->click();
        settle();
        QCOMPARE(rig.stock(0), 2);
        rig.page->dispenserGroup()->modeButton(PeripheralMonitorModel::EmptyMode)->click();
        rig.page->dispenserGroup()->dispenser(2)->click();
        settle();
        QCOMPARE(rig.stock(2), 0);
        QCOMPARE(rig.state().value("delivered").toInt(), 3);
        QVERIFY(!rig.motors->motor(0).error && !rig.motors->motor(2).error);

        // A jammed motor fails: its error is set; once in error, a press resets it.
        QVERIFY(rig.board.control(QStringLiteral("column 5 jam soft")));
        rig.page->dispenserGroup()->modeButton(PeripheralMonitorModel::TestMode)->click();
        rig.page->dispenserGroup()->dispenser(4)->click();
        settle();
        QVERIFY(rig.motors->motor(4).error);
        QVERIFY(rig.page->dispenserGroup()->dispenser(4)->hasError());
        QCOMPARE(rig.stock(4), 3);
        rig.page->dispenserGroup()->dispenser(4)->click();
        settle();
        QVERIFY(!rig.motors->motor(4).error);
        QCOMPARE(rig.state()["columns"].toArray().at(4)["jam"].toString(), QStringLiteral("none"));

        // The credit is read once a second.
        QVERIFY(rig.board.control(QStringLiteral("coin 100")));
        QTRY_COMPARE_WITH_TIMEOUT(rig.page->creditGroup()->valueLabel(CreditGroup::Coins)->text(), VM24::format_money(100), 15000);

        // Hopper 1 gives all its coins, and the page says how many.
        QStringList seen;
        close_message(&rig.views, QStringLiteral("Svuotamento Hopper"), &seen);
        rig.page->hopperGroup()->button(0)->click();
        settle();
        QCOMPARE(rig.state()["hoppers"].toArray().at(0)["coins"].toInt(), 0);
        QCOMPARE(seen.value(1), QStringLiteral("Prelevate <b style='color: green'>7</b> monete"));

        // A printer out of paper: the test says so.
        QVERIFY(rig.board.control(QStringLiteral("paper out")));
        seen.clear();
        close_message(&rig.views, QStringLiteral("Stampa non riuscita"), &seen);
        rig.page->printerTestButton()->click();
        settle();
        QCOMPARE(seen.value(1), QStringLiteral("Toccare questo riquadro per continuare"));
        QVERIFY(rig.board.control(QStringLiteral("paper in")));

        rig.page->printerTestButton()->click();

        settle();
        const QStringList test = lastReceipt(rig, QStringLiteral("Prod.2             00,00"));
        QVERIFY2(test.contains(QStringLiteral("TEST DI STAMPA")) && test.contains(QStringLiteral("Testo a destra")),
                 qPrintable(test.join(QLatin1Char('|'))));

        rig.page->exitButton()->click();

        settle();
        QVERIFY(rig.home->isResumed());
        verify_between_purchases(rig.state());
        QVERIFY(rig.fan->isEnabled());
    }

    void autotestCountsCoinsAndPrintsItsSummary()
    {
        Rig rig;
        QVERIFY(rig.start());
        QVERIFY(rig.board.control(QStringLiteral("device cashless off")));
        QVERIFY(rig.open());
        rig.page->autotestButton()->click();
        InteractiveAutotestDialog* autotest = rig.page->autotest()->dialog();
        QVERIFY(!autotest->isHidden());
        QVERIFY(!rig.page->exitButton()->isEnabled()); // under the autotest

        autotest->nextButton()->click(); // "Inizia"
        autotest->nextButton()->click(); // inputs
        // Dispensers tested on the monitor while the page shows count once each.
        rig.page->dispenserGroup()->dispenser(1)->click();
        settle();
        rig.page->dispenserGroup()->dispenser(1)->click();
        settle();
        rig.page->dispenserGroup()->dispenser(5)->click();
        settle();
        autotest->nextButton()->click(); // dispensers
        autotest->skipButton()->click(); // lights
        auto* coins = qobject_cast<MoneyAutotestPage*>(autotest->page(autotest->currentIndex()));
        QVERIFY(coins);
        QVERIFY(rig.board.control(QStringLiteral("coin 100")));
        QTRY_VERIFY_WITH_TIMEOUT(coins->valueBox(4)->isChecked(), 15000);
        QVERIFY(rig.board.control(QStringLiteral("coin 50")));
        QTRY_VERIFY_WITH_TIMEOUT(coins->valueBox(3)->isChecked(), 15000);
        QCOMPARE(coins->tally().amount(), 150);
        QVERIFY(!coins->valueBox(5)->isChecked());
        autotest->nextButton()->click(); // coins
        autotest->skipButton()->click(); // banknotes
        autotest->nextButton()->click(); // cashless, absent: failed
        QCOMPARE(autotest->currentIndex(), autotest->pageCount());

        autotest->nextButton()->click(); // "Finito"
        settle();
        QVERIFY(autotest->isHidden());
        const QStringList receipt = lastReceipt(rig, QStringLiteral("TEST CONCLUSO"));
        const QString all = receipt.join(QLatin1Char('|'));
        QStringList expected{QStringLiteral("TEST HARDWARE"), QStringLiteral("Riepilogo autotest"),
                             QStringLiteral("TEST INPUT"), QStringLiteral("TEST EROGATORI"),
                             QStringLiteral("Motori collaudati: 2"), QStringLiteral("TEST LUCI"),
                             QStringLiteral("Saltato"), QStringLiteral("ACC. MONETE"), QStringLiteral("Importo: 1,50"),
                             QStringLiteral("5 centesimi: 0"), QStringLiteral("50 centesimi: 1"),
                             QStringLiteral("1 euro: 1"), QStringLiteral("BILL VALIDATOR"),
                             QStringLiteral("TEST CASHLESS"), QStringLiteral("Fallito"),
                             QStringLiteral("Cashless non presente"), QStringLiteral("TEST CONCLUSO")};
        int at = 0;
        for (const QString& line : expected) {
            const int found = receipt.indexOf(line, at);
            QVERIFY2(found >= 0, qPrintable(line + QStringLiteral(" not in order in ") + all));
            at = found + 1;
        }
        QVERIFY2(receipt.contains(QStringLiteral("Cashless:")) || all.contains(QStringLiteral("*** Sconosciuto ***")),
                 qPrintable(all));
        rig.page->exitButton()->click();
        settle();
        verify_between_purchases(rig.state());
    }

    void silentBoardKeepsIndicatorsAndIsSetBackWhenItReturns()
    {
        Rig rig;
        QVERIFY(rig.start());
        rig.controller()->setRetryPolicy(150, 2);
        rig.controller()->setRecoveryPeriod(500);
        QVERIFY(rig.open());
        QVERIFY(rig.page->inputsGroup()->led(PeripheralMonitorModel::FrontDoor)->isOn()); // front door closed
        QVERIFY(rig.board.control(QStringLiteral("coin 20")));
        QTRY_COMPARE_WITH_TIMEOUT(rig.page->creditGroup()->valueLabel(CreditGroup::Coins)->text(), VM24::format_money(20), 15000);

        QVERIFY(rig.board.control(QStringLiteral("fault silence on")));
        QVERIFY(rig.board.control(QStringLiteral("door front open")));
        QTRY_VERIFY_WITH_TIMEOUT(!rig.controller()->isAlive(), 10000);
        QTest::qWait(1500);
        QVERIFY(rig.page->inputsGroup()->led(PeripheralMonitorModel::FrontDoor)->isOn());
        QCOMPARE(rig.page->creditGroup()->valueLabel(CreditGroup::Coins)->text(), VM24::format_money(20));
        rig.page->switchesGroup()->lightSwitch(0)->click();
        QTest::qWait(300);
        QVERIFY(!rig.page->switchesGroup()->lightSwitch(0)->isChecked());
        // A motor test the board cannot run leaves the motor's state alone.
        rig.page->dispenserGroup()->dispenser(1)->click();
        settle();
        QVERIFY(!rig.motors->motor(1).error);

        QVERIFY(rig.page->exitButton()->isEnabled());
        rig.page->exitButton()->click();
        settle();
        QVERIFY(rig.home->isResumed());
        QVERIFY(rig.enables().value("coinAcceptor").toBool()); // the silent board kept it

        QVERIFY(rig.board.control(QStringLiteral("fault silence off")));
        QTRY_VERIFY_WITH_TIMEOUT(rig.controller()->isAlive(), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(!rig.enables().value("coinAcceptor").toBool(), 5000);
        verify_between_purchases(rig.state());
    }

    // The page and the autotest over it at full size, in both languages:
    // every text fits its box. The screenshots stay in tests/screens.
    void looksRightInBothLanguages()
    {
        QVERIFY(VM24::install_style_sheet(*qApp));
        const QString screens = QCoreApplication::applicationDirPath() + QStringLiteral("/screens");
        QDir().mkpath(screens);
        Rig rig;
        QVERIFY(rig.start());
        QVERIFY(rig.board.control(QStringLiteral("column 7 jam hard")));
        rig.views.setFixedSize(1080, 1920);
        rig.views.show();
        QVERIFY(rig.open());
        rig.page->dispenserGroup()->dispenser(6)->click();
        settle();
        QVERIFY(rig.board.control(QStringLiteral("device bill-validator off")));
        QTRY_VERIFY(!rig.page->statusGroup()->led(PeripheralMonitorModel::BillValidator)->isOn());
        for (const QString& language : {QStringLiteral("it"), QStringLiteral("en")}) {
            QTranslator translator;
            QVERIFY(VM24::load_translation(translator, language));
            QCoreApplication::installTranslator(&translator);
            QTest::qWait(1200);
            verifyTextsFit(rig.page.get());
            rig.page->grab().save(QStringLiteral("%1/monitor-%2.png").arg(screens, language));
            rig.page->autotestButton()->click();
            InteractiveAutotestDialog* autotest = rig.page->autotest()->dialog();
            rig.page->grab().save(QStringLiteral("%1/autotest-welcome-%2.png").arg(screens, language));
            for (int page = 1; page < autotest->pageCount(); ++page) {
                autotest->nextButton()->click();
                QCoreApplication::processEvents();
                verifyTextsFit(autotest);
                rig.page->grab().save(QStringLiteral("%1/autotest-%2-%3.png").arg(screens).arg(page).arg(language));
            }
            autotest->nextButton()->click();
            QCoreApplication::processEvents();
            verifyTextsFit(autotest);
            rig.page->grab().save(QStringLiteral("%1/autotest-summary-%2.png").arg(screens, language));
            autotest->cancelButton()->click();
            QCoreApplication::removeTranslator(&translator);
        }
        rig.page->exitButton()->click();
        settle();
    }

    void tallyCountsOnlyListedIncreases()
    {
        MoneyAcceptanceTally tally({5, 10, 20, 50, 100, 200});
        QCOMPARE(tally.feed(300), -1); // not a single coin
        QCOMPARE(tally.feed(400), 4);
        QCOMPARE(tally.feed(450), 3);
        QCOMPARE(tally.feed(600), -1); // two coins within one reading
        QCOMPARE(tally.feed(0), -1); // cleared
        QCOMPARE(tally.feed(100), 4);
        QCOMPARE(tally.feed(110, false), -1);
        QCOMPARE(tally.feed(-1), -1); // a failed read changes nothing
        QCOMPARE(tally.feed(130), 2);
        QCOMPARE(tally.count(4), 2);
        QCOMPARE(tally.amount(), 270);
    }

    void receiptsFitThePaper()
    {
        HardwareTestReport report;
        report.time = QDateTime(QDate(2026, 3, 9), QTime(14, 5, 7));
        report.serial = QStringLiteral("00042");
        report.version = QStringLiteral("1.2.3");
        report.deviceVersions = QStringList{QStringLiteral("2.07"), QString(), QStringLiteral("1.0")};
        report.tests.append({QStringLiteral("Acc. monete"), QStringLiteral("Superato"), {QStringLiteral("Importo: 1,50")}});
        const ReceiptHelper receipt = VM24::hardware_test_receipt(report);
        QStringList texts;
        for (const ReceiptHelper::Line& line : receipt.lines()) {
            QVERIFY2(line.first.size() <= receipt.width(), qPrintable(line.first));
            texts.append(line.first);
        }
        QVERIFY(texts.contains(QStringLiteral("09/03/2026  14:05:07")));
        QVERIFY(texts.contains(QStringLiteral("RK710:              2.07")));
        const int unknown = texts.indexOf(QStringLiteral("RK741:"));
        QVERIFY(unknown > 0);
        QCOMPARE(texts.at(unknown + 1), QStringLiteral("*** Sconosciuto ***"));
        QVERIFY(texts.indexOf(QStringLiteral("ACC. MONETE")) < texts.indexOf(QStringLiteral("Importo: 1,50")));
        const ReceiptHelper test = VM24::printer_test_receipt(report.time);
        for (const ReceiptHelper::Line& line : test.lines())
            QVERIFY2(line.first.size() <= receipt.width() || line.first.startsWith(QStringLiteral("Test di a capo")),
                     qPrintable(line.first));
    }
};

QTEST_MAIN(PeripheralMonitorTest)
#include "tst_peripheralmonitor.moc"
