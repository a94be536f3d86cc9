#pragma once

#include "board/printerobserver.h"
#include "purchase/productdetailspage.h"
#include "purchase/productdispensingpage.h"
#include "purchase/productpage.h"
#include "purchase/suggestionspage.h"
#include "recordingactivity.h"
#include "ui/context.h"
#include "ui/informationpanel.h"
#include "ui/informationpanelfactory.h"
#include "vending/alarmmanager.h"
#include "vending/motordispensermonitor.h"
#include "vendingrig.h"

#include <QDir>
#include <QStackedWidget>

#include <memory>

inline const char* const CATALOGUE = R"(<?xml version="1.0" encoding="UTF-8"?>
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
inline const QVector<QString> ARRANGEMENT{
    QStringLiteral("test/2"), QString(),       QStringLiteral("test/3"), QStringLiteral("test/1"),
    QStringLiteral("test/4"), QStringLiteral("test/5"), QStringLiteral("test/6"), QStringLiteral("test/1"),
    QStringLiteral("test/7"), QStringLiteral("test/9"), QString(), QString(), QString(), QString(), QString(),
    QString(), QString(), QString()};

inline QJsonObject stocked_board(const QJsonArray& columns)
{
    return QJsonObject{{"columns", columns},
                       {"hoppers", QJsonArray{QJsonObject{{"value", 50}, {"coins", 40}},
                                              QJsonObject{{"value", 100}, {"coins", 40}}}},
                       {"key", true},
                       {"timings", QJsonObject{{"motorMs", 60}, {"jamMs", 120}, {"payoutMs", 50}, {"coinMs", 5},
                                               {"cashlessMs", 50}, {"receiptIdleMs", 1500},
                                               {"watchdogMs", 600000}}}};
}

inline QJsonArray columns(int stock)
{
    QJsonArray list;
    for (int i = 0; i < 18; ++i)
        list.append(stock);
    return list;
}

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
        rig.products->setArrangement(ARRANGEMENT);

        alarms = std::make_unique<AlarmManager>(&rig.notifications);
        motors = std::make_unique<MotorDispenserMonitor>(alarms.get(), rig.products.get(), &rig.notifications);
        motors->setProductPresence(rig.controller()->readProductPresenceMask());
        QObject::connect(rig.controller(), &Rk710Controller::productPresenceChanged, motors.get(),
                         &MotorDispenserMonitor::setProductPresence);
        printer = std::make_unique<PrinterObserver>();
        printer->setDeviceStatus(rig.controller()->getBoardStatus());

        home = std::make_unique<RecordingActivity>(&context);
        dispensing = std::make_unique<ProductDispensingPage>(rig.session.get(), rig.credit.get(), rig.delivery.get(),
                                                             rig.products.get(), motors.get(), &context);
        rig.delivery->setPassWait(300);
        details = std::make_unique<ProductDetailsPage>(dispensing.get(), rig.session.get(), rig.credit.get(),
                                                       rig.products.get(), rig.prices.get(), &context);
        suggestions = std::make_unique<SuggestionsPage>(details.get(), rig.session.get(), rig.products.get(),
                                                        rig.prices.get(), &context);
        grid = std::make_unique<ProductPage>(details.get(), suggestions.get(), rig.session.get(), rig.credit.get(),
                                             rig.checkout.get(), rig.products.get(), rig.prices.get(), motors.get(),
                                             rig.controller(), &context);
        for (QWidget* page : {static_cast<QWidget*>(home.get()), static_cast<QWidget*>(grid.get()),
                              static_cast<QWidget*>(suggestions.get()), static_cast<QWidget*>(details.get()),
                              static_cast<QWidget*>(dispensing.get())})
            context.addView(page);
        for (QWidget* page : {static_cast<QWidget*>(grid.get()), static_cast<QWidget*>(details.get()),
                              static_cast<QWidget*>(suggestions.get())}) {
            InformationPanel* panel =
                VM24::make_information_panel(rig.session.get(), rig.credit.get(), rig.change.get(), printer.get(), page);
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
