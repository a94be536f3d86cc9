#include "board/printerobserver.h"
#include "purchase/deliveryfinished.h"
#include "purchase/productdetailspage.h"
#include "purchase/productdispensingpage.h"
#include "purchase/productpage.h"
#include "purchase/suggestionspage.h"
#include "recordingactivity.h"
#include "ui/clickableimagelabel.h"
#include "ui/context.h"
#include "ui/informationpanel.h"
#include "ui/informationpanelfactory.h"
#include "ui/productbutton.h"
#include "ui/startup.h"
#include "ui/suggestionbutton.h"
#include "vending/alarmmanager.h"
#include "vending/motordispensermonitor.h"
#include "vendingrig.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QStackedWidget>
#include <QTimer>
#include <QTranslator>

#include <memory>

namespace {

const char* const CATALOGUE = R"(<?xml version="1.0" encoding="UTF-8"?>
<catalogue name="test" timestamp="2024-01-01T00:00:00">
    <dependencies/>
    <product id="1" name="Crema mani" category="Corpo"><description>Crema per le mani.</description>
        <prices><price level="0">100</price></prices></product>
    <product id="2" name="Balsamo labbra" category="Corpo"><description>Balsamo.</description>
        <prices><price level="0">150</price></prices></product>
    <product id="3" name="Cerotti" category="Primo soccorso"><description>Cerotti.</description>
        <prices><price level="0">200</price><price level="1">180</price></prices></product>
    <product id="4" name="Gel mani" category="Igiene"><description>Gel.</description>
        <prices><price level="0">250</price></prices></product>
    <product id="5" name="Mascherine" category="Igiene"><description>Mascherine.</description>
        <prices><price level="0">300</price></prices></product>
    <product id="6" name="Termometro" category="Dispositivi"><description>Termometro.</description>
        <prices><price level="0">990</price></prices></product>
    <product id="7" name="" category="Dispositivi"><description>Senza nome.</description>
        <prices><price level="0">500</price></prices></product>
</catalogue>
)";

// Selections of the test arrangement: "test/1" stands in selections 3 and 7.
const QVector<QString> ARRANGEMENT{
    QStringLiteral("test/2"), QString(),       QStringLiteral("test/3"), QStringLiteral("test/1"),
    QStringLiteral("test/4"), QStringLiteral("test/5"), QStringLiteral("test/6"), QStringLiteral("test/1"),
    QStringLiteral("test/7"), QStringLiteral("test/9"), QString(), QString(), QString(), QString(), QString(),
    QString(), QString(), QString()};

QJsonObject stocked_board(const QJsonArray& columns)
{
    return QJsonObject{{"columns", columns},
                       {"hoppers", QJsonArray{QJsonObject{{"value", 50}, {"coins", 40}},
                                              QJsonObject{{"value", 100}, {"coins", 40}}}},
                       {"key", true},
                       {"timings", QJsonObject{{"motorMs", 60}, {"jamMs", 120}, {"payoutMs", 50}, {"coinMs", 5},
                                               {"cashlessMs", 50}, {"receiptIdleMs", 200},
                                               {"watchdogMs", 600000}}}};
}

QJsonArray columns(int stock)
{
    QJsonArray list;
    for (int i = 0; i < 18; ++i)
        list.append(stock);
    return list;
}

// Closes the next modal dialog that appears and keeps its texts.
class DialogCloser : public QObject
{
public:
    explicit DialogCloser(int afterMs = 50)
    {
        QTimer::singleShot(afterMs, this, &DialogCloser::closeModal);
    }
    QStringList texts;

private:
    void closeModal()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) {
            QTimer::singleShot(20, this, &DialogCloser::closeModal);
            return;
        }
        for (QLabel* label : modal->findChildren<QLabel*>())
            texts.append(label->text());
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->accept();
    }
};

// The purchase pages over a vending session on the board simulator, with
// the dispenser monitor and the alarm manager wired as the main window
// wires them, and a stand-in for the home page below the grid.
struct Purchase
{
    VendingRig rig;
    std::unique_ptr<AlarmManager> alarms;
    std::unique_ptr<MotorDispenserMonitor> motors;
    std::unique_ptr<PrinterObserver> printer;
    QStackedWidget views;
    Context context{&views};
    std::unique_ptr<RecordingActivity> home;
    std::unique_ptr<ProductDispensingPage> dispensing;
    std::unique_ptr<ProductDetailsPage> details;
    std::unique_ptr<SuggestionsPage> suggestions;
    std::unique_ptr<ProductPage> grid;

    explicit Purchase(const QJsonObject& board)
        : rig(board)
    {
    }

    bool start()
    {
        const QString catalogue = rig.appDir.filePath(QStringLiteral("data/products/test"));
        QDir().mkpath(catalogue);
        QFile file(catalogue + QStringLiteral("/index.xml"));
        if (!file.open(QIODevice::WriteOnly) || file.write(CATALOGUE) < 0)
            return false;
        file.close();
        if (!rig.start())
            return false;
        rig.products->loadDatabase();
        rig.products->saveArrangement(ARRANGEMENT);

        alarms = std::make_unique<AlarmManager>(&rig.notifications);
        motors = std::make_unique<MotorDispenserMonitor>(alarms.get(), rig.products.get(), &rig.notifications);
        motors->setProductPresence(rig.controller()->readProductPresenceMask());
        QObject::connect(rig.controller(), &Rk710Controller::productPresenceChanged, motors.get(),
                         &MotorDispenserMonitor::setProductPresence);
        printer = std::make_unique<PrinterObserver>();
        printer->setDeviceStatus(rig.controller()->getBoardStatus());

        home = std::make_unique<RecordingActivity>(&context);
        dispensing = std::make_unique<ProductDispensingPage>(rig.session.get(), rig.products.get(), motors.get(),
                                                             rig.controller(), &context);
        dispensing->setPassWait(300);
        details = std::make_unique<ProductDetailsPage>(dispensing.get(), rig.session.get(), rig.products.get(),
                                                       rig.prices.get(), &context);
        suggestions = std::make_unique<SuggestionsPage>(details.get(), rig.session.get(), rig.products.get(),
                                                        rig.prices.get(), &context);
        grid = std::make_unique<ProductPage>(details.get(), suggestions.get(), rig.session.get(), rig.products.get(),
                                             rig.prices.get(), motors.get(), rig.controller(), &context);
        for (QWidget* page : {static_cast<QWidget*>(home.get()), static_cast<QWidget*>(grid.get()),
                              static_cast<QWidget*>(suggestions.get()), static_cast<QWidget*>(details.get()),
                              static_cast<QWidget*>(dispensing.get())})
            context.addView(page);
        for (QWidget* page : {static_cast<QWidget*>(grid.get()), static_cast<QWidget*>(details.get()),
                              static_cast<QWidget*>(suggestions.get())}) {
            InformationPanel* panel =
                VM24::make_information_panel(rig.session.get(), rig.change.get(), printer.get(), page);
            QObject::connect(panel, &InformationPanel::endSessionTriggered, grid.get(), &ProductPage::triggerEndSession);
        }
        QObject::connect(alarms.get(), &AlarmManager::alarmsChanged, grid.get(), &ProductPage::onAlarmsChanged);
        QObject::connect(rig.session.get(), &VendingSessionContext::sessionExpired, grid.get(),
                         &ProductPage::triggerEndSession);
        views.resize(1080, 1920);
        views.show();
        context.startActivity(home.get());
        return true;
    }

    // The customer touches the home page: the grid starts a session.
    void openGrid()
    {
        QFile::remove(rig.appDir.filePath(QStringLiteral("counters.xml")));
        home->startActivity(grid.get());
    }
    // Waits until the session has ended, the home page is back and the
    // board counters that closing the session writes are on disk.
    bool awaitHome(int ms = 20000)
    {
        const QString counters = rig.appDir.filePath(QStringLiteral("counters.xml"));
        return QTest::qWaitFor(
            [this, &counters] { return context.currentActivity() == home.get() && QFile::exists(counters); }, ms);
    }
    bool awaitPage(QWidget* page, int ms = 20000)
    {
        return QTest::qWaitFor([this, page] { return views.currentWidget() == page; }, ms);
    }
    // Money goes in once the credit reader has switched the acceptors on.
    bool pay(const QString& command)
    {
        return QTest::qWaitFor([this, &command] { return rig.control(command); }, 5000);
    }
    int stock(int column) const { return rig.state()["columns"].toArray()[column].toObject()["stock"].toInt(); }
};

} // namespace

class PurchasePagesTest : public QObject
{
    Q_OBJECT

private slots:
    void gridPlacesAndEnablesTheSelections();
    void openMachineShowsTheNumbersOfUnusableButtons();
    void quantityFollowsTheCredit();
    void deliveryTakesTurnsOverTheProductsDispensers();
    void failingDispensersDeliverNothingAndBookNothing();
    void suggestionsOfferOtherCategoriesThatCanBeSold();
    void noThanksEndsTheSessionWithChangeAndCreditNote();
    void alarmOnTheDetailsPageEndsTheSession();
};

void PurchasePagesTest::gridPlacesAndEnablesTheSelections()
{
    QJsonArray stocked = columns(3);
    stocked[4] = 0;
    Purchase purchase(stocked_board(stocked));
    QVERIFY(purchase.start());
    purchase.motors->setError(5, true);
    purchase.openGrid();
    QVERIFY(purchase.rig.session->isPolling());

    QCOMPARE(ProductPage::buttonPosition(0), QPoint(2, 85));
    QCOMPARE(ProductPage::buttonPosition(1), QPoint(809, 85));
    QCOMPARE(ProductPage::buttonPosition(2), QPoint(2, 402));
    QCOMPARE(ProductPage::buttonPosition(5), QPoint(809, 402));
    QCOMPARE(ProductPage::buttonPosition(17), QPoint(809, 1353));
    QCOMPARE(purchase.grid->button(17)->geometry(), QRect(809, 1353, 269, 317));

    // 0, 2, 3, 6, 7 sell; 1 is empty; 4 has no stock; 5 is in error; 8 has
    // no name; 9 names an unknown product.
    QList<int> enabled;
    for (int selection = 0; selection < ProductPage::SELECTIONS; ++selection) {
        if (purchase.grid->button(selection)->isEnabled())
            enabled.append(selection);
    }
    QCOMPARE(enabled, QList<int>({0, 2, 3, 6, 7}));
    QCOMPARE(purchase.grid->button(2)->price(), 200);
    QCOMPARE(purchase.grid->button(3)->price(), 100);

    // A column that gets stock back sells again; one that errs stops.
    QVERIFY(purchase.rig.control(QStringLiteral("column 5 stock 2")));
    QTRY_VERIFY_WITH_TIMEOUT(purchase.grid->button(4)->isEnabled(), 15000);
    purchase.motors->setError(6, true);
    QVERIFY(!purchase.grid->button(6)->isEnabled());

    // Cashless prices once a card is read.
    QVERIFY(purchase.rig.control(QStringLiteral("card insert 20,00 7")));
    QTRY_COMPARE_WITH_TIMEOUT(purchase.grid->button(2)->price(), 180, 15000);
    purchase.grid->triggerEndSession();
    QVERIFY(purchase.awaitHome());
}

void PurchasePagesTest::openMachineShowsTheNumbersOfUnusableButtons()
{
    Purchase purchase(stocked_board(columns(3)));
    QVERIFY(purchase.start());
    QVERIFY(purchase.rig.control(QStringLiteral("door front open")));
    QTRY_VERIFY_WITH_TIMEOUT(!(purchase.rig.controller()->getInputs() & 1), 15000);
    purchase.openGrid();
    QVERIFY(purchase.grid->button(1)->isIndexShown());
    QVERIFY(!purchase.grid->button(0)->isIndexShown());
    purchase.grid->triggerEndSession();
    QVERIFY(purchase.awaitHome());

    QVERIFY(purchase.rig.control(QStringLiteral("door front close")));
    QTRY_VERIFY_WITH_TIMEOUT(purchase.rig.controller()->getInputs() & 1, 15000);
    purchase.openGrid();
    QVERIFY(!purchase.grid->button(1)->isIndexShown());
    purchase.grid->triggerEndSession();
    QVERIFY(purchase.awaitHome());
}

void PurchasePagesTest::quantityFollowsTheCredit()
{
    Purchase purchase(stocked_board(columns(3)));
    QVERIFY(purchase.start());
    purchase.openGrid();
    QVERIFY(purchase.pay(QStringLiteral("coin 200")));
    QVERIFY(purchase.pay(QStringLiteral("coin 50")));
    QVERIFY(purchase.rig.awaitCredit(250));
    QTest::mouseClick(purchase.grid->button(3), Qt::LeftButton);
    ProductDetailsPage* details = purchase.details.get();
    QCOMPARE(purchase.views.currentWidget(), details);
    QCOMPARE(purchase.rig.session->productId, QStringLiteral("test/1"));
    QCOMPARE(details->unitPrice(), 100);
    QCOMPARE(details->quantity(), 1);
    QCOMPARE(details->quantityText(), QStringLiteral("01"));

    QTest::mouseClick(details->incrementButton(), Qt::LeftButton);
    QCOMPARE(details->quantity(), 2);
    QCOMPARE(details->totalText(), QString::fromUtf8("€ 2,00"));
    {
        DialogCloser closer;
        QTest::mouseClick(details->incrementButton(), Qt::LeftButton);
        QCOMPARE(closer.texts.value(0), QStringLiteral("CREDITO INSUFFICIENTE"));
    }
    QCOMPARE(details->quantity(), 2);

    details->setAvailableCredit(150);
    QCOMPARE(details->quantity(), 1);
    details->setAvailableCredit(99);
    QCOMPARE(details->quantity(), 0);
    QVERIFY(!details->confirmButton()->isEnabled());
    QVERIFY(!details->decrementButton()->isEnabled());
    details->setAvailableCredit(300);
    QCOMPARE(details->quantity(), 1);
    QVERIFY(details->confirmButton()->isEnabled());

    // Back to the grid without buying.
    QTest::mouseClick(details->cancelButton(), Qt::LeftButton);
    QCOMPARE(purchase.views.currentWidget(), purchase.grid.get());
    QCOMPARE(details->quantity(), 0);
    purchase.grid->triggerEndSession();
    QVERIFY(purchase.awaitHome());
}

void PurchasePagesTest::deliveryTakesTurnsOverTheProductsDispensers()
{
    Purchase purchase(stocked_board(columns(3)));
    QVERIFY(purchase.start());
    purchase.openGrid();
    QVERIFY(purchase.pay(QStringLiteral("coin 200")));
    QVERIFY(purchase.pay(QStringLiteral("coin 100")));
    QVERIFY(purchase.rig.awaitCredit(300));
    QTest::mouseClick(purchase.grid->button(7), Qt::LeftButton);
    QTest::mouseClick(purchase.details->incrementButton(), Qt::LeftButton);
    QTest::mouseClick(purchase.details->incrementButton(), Qt::LeftButton);
    QCOMPARE(purchase.details->quantity(), 3);
    QCOMPARE(purchase.dispensing->deliveryCandidates(), QList<int>({3, 7}));

    QTest::mouseClick(purchase.details->confirmButton(), Qt::LeftButton);
    // Suggestions follow the delivery.
    QVERIFY(purchase.awaitPage(purchase.suggestions.get()));
    QCOMPARE(purchase.stock(3), 1);
    QCOMPARE(purchase.stock(7), 2);
    QCOMPARE(purchase.rig.accounting->get(Ledger::Permanent).dispensedCount(3), 2);
    QCOMPARE(purchase.rig.accounting->get(Ledger::Permanent).dispensedCount(7), 1);
    QCOMPARE(purchase.rig.session->currentCredit(), 0);
    QVERIFY(purchase.rig.session->isDoorReleased());

    QTest::mouseClick(purchase.suggestions->endSessionButton(), Qt::LeftButton);
    QVERIFY(purchase.awaitHome());
}

void PurchasePagesTest::failingDispensersDeliverNothingAndBookNothing()
{
    Purchase purchase(stocked_board(columns(3)));
    QVERIFY(purchase.start());
    QVERIFY(purchase.rig.control(QStringLiteral("column 4 jam hard")));
    QVERIFY(purchase.rig.control(QStringLiteral("column 8 jam hard")));
    purchase.openGrid();
    QVERIFY(purchase.pay(QStringLiteral("coin 200")));
    QVERIFY(purchase.rig.awaitCredit(200));
    QTest::mouseClick(purchase.grid->button(3), Qt::LeftButton);
    QTest::mouseClick(purchase.details->incrementButton(), Qt::LeftButton);
    QCOMPARE(purchase.details->quantity(), 2);
    QCOMPARE(purchase.dispensing->deliveryCandidates(), QList<int>({3, 7}));

    QTranslator italian;
    QVERIFY(VM24::load_translation(italian, QStringLiteral("it")));
    QCoreApplication::installTranslator(&italian);
    DialogCloser closer(3000);
    QTest::mouseClick(purchase.details->confirmButton(), Qt::LeftButton);
    // Nothing came out: the session goes on, here with the suggestions.
    QVERIFY(purchase.awaitPage(purchase.suggestions.get()));
    QVERIFY2(closer.texts.contains(QStringLiteral("Attenzione: erogati 0 prodotti su 2")),
             qPrintable(closer.texts.join(QLatin1Char('|'))));
    QCoreApplication::removeTranslator(&italian);
    QVERIFY(purchase.motors->motor(3).error);
    QVERIFY(purchase.motors->motor(7).error);
    QCOMPARE(purchase.rig.accounting->get(Ledger::Permanent).dispensedCount(3), 0);
    QCOMPARE(purchase.rig.session->currentCredit(), 200);
    QTest::mouseClick(purchase.suggestions->backButton(), Qt::LeftButton);
    QVERIFY(!purchase.grid->button(3)->isEnabled());
    QVERIFY(!purchase.grid->button(7)->isEnabled());
    purchase.grid->triggerEndSession();
    QVERIFY(purchase.awaitHome());
}

void PurchasePagesTest::suggestionsOfferOtherCategoriesThatCanBeSold()
{
    QJsonArray stocked = columns(3);
    stocked[5] = 0;
    Purchase purchase(stocked_board(stocked));
    QVERIFY(purchase.start());
    purchase.motors->setError(6, true);
    // Bought "test/1" (Corpo): "test/2" is of the same category, 5 has no
    // stock, 6 is in error, 8 has no name; 2 (Primo soccorso), 4 (Igiene).
    QStringList offered = purchase.grid->suggestionsFor(QStringLiteral("test/1"));
    QCOMPARE(offered, QStringList({QStringLiteral("test/3"), QStringLiteral("test/4")}));

    purchase.suggestions->setSuggestedProducts({QStringLiteral("test/3"), QStringLiteral("test/4"),
                                                QStringLiteral("test/5"), QStringLiteral("test/6")});
    QCOMPARE(purchase.suggestions->suggestedProducts().size(), 3);
    purchase.openGrid();
    purchase.grid->startActivity(purchase.suggestions.get());
    QVERIFY(purchase.suggestions->suggestionButton(2)->isVisibleTo(purchase.suggestions.get()));
    QCOMPARE(purchase.suggestions->suggestionButton(0)->price(), 200);
    QTest::mouseClick(purchase.suggestions->suggestionButton(1), Qt::LeftButton);
    QCOMPARE(purchase.rig.session->productId, QStringLiteral("test/4"));
    QCOMPARE(purchase.views.currentWidget(), purchase.details.get());
    QTest::mouseClick(purchase.details->cancelButton(), Qt::LeftButton);
    QCOMPARE(purchase.views.currentWidget(), purchase.suggestions.get());
    QTest::mouseClick(purchase.suggestions->backButton(), Qt::LeftButton);
    QCOMPARE(purchase.views.currentWidget(), purchase.grid.get());

    purchase.suggestions->setSuggestedProducts({QStringLiteral("test/3")});
    purchase.grid->startActivity(purchase.suggestions.get());
    QVERIFY(!purchase.suggestions->suggestionButton(1)->isVisibleTo(purchase.suggestions.get()));
    purchase.grid->triggerEndSession();
    QVERIFY(purchase.awaitHome());
}

void PurchasePagesTest::noThanksEndsTheSessionWithChangeAndCreditNote()
{
    Purchase purchase(stocked_board(columns(3)));
    {
        QSettings settings;
        settings.setValue(QStringLiteral("hopper-value_1"), 50);
        settings.setValue(QStringLiteral("hopper-value_2"), 100);
    }
    QVERIFY(purchase.start());
    purchase.openGrid();
    QVERIFY(purchase.pay(QStringLiteral("banknote 500")));
    QVERIFY(purchase.rig.awaitCredit(500));
    QTest::mouseClick(purchase.grid->button(2), Qt::LeftButton);
    QTest::mouseClick(purchase.details->confirmButton(), Qt::LeftButton);
    QVERIFY(purchase.awaitPage(purchase.suggestions.get()));
    QCOMPARE(purchase.rig.session->currentCredit(), 300);

    QTest::mouseClick(purchase.suggestions->endSessionButton(), Qt::LeftButton);
    QVERIFY(purchase.awaitHome(30000));
    QCOMPARE(purchase.home->lastResult, ActivityResult::NO_RESULT);
    QCOMPARE(purchase.rig.session->currentCredit(), 0);
    const Accounting& permanent = purchase.rig.accounting->get(Ledger::Permanent);
    QCOMPARE(permanent.get(Accounting::Banknotes), 500);
    QCOMPARE(permanent.get(Accounting::CashIncome), 200);
    QCOMPARE(permanent.get(Accounting::ChangeDelivered) + permanent.get(Accounting::ExtraIncome), 300);
}

void PurchasePagesTest::alarmOnTheDetailsPageEndsTheSession()
{
    Purchase purchase(stocked_board(columns(3)));
    QVERIFY(purchase.start());
    purchase.openGrid();
    QVERIFY(purchase.pay(QStringLiteral("coin 200")));
    QVERIFY(purchase.rig.awaitCredit(200));
    QTest::mouseClick(purchase.grid->button(3), Qt::LeftButton);
    QCOMPARE(purchase.views.currentWidget(), purchase.details.get());

    purchase.alarms->setAlarm(VM24::TamperAlarm);
    QVERIFY(purchase.awaitHome(30000));
    QCOMPARE(purchase.rig.session->currentCredit(), 0);
    QVERIFY(!purchase.rig.session->isPolling());
}

QTEST_MAIN(PurchasePagesTest)
#include "tst_purchasepages.moc"
