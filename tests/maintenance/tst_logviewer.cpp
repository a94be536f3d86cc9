// The log viewer over a real event-log file: newest first, eighteen a page,
// the ten display categories, rows that do not parse left out while the
// rest show, an unreadable log shown empty, and every notification type on
// its layout with its pictures.

#include "catalogue/productprovider.h"
#include "core/alarm.h"
#include "logging/logdatabase.h"
#include "logging/notifications.h"
#include "maintenance/logentrywidget.h"
#include "maintenance/logviewer.h"
#include "recordingactivity.h"
#include "testenvironment.h"
#include "ui/context.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSqlQuery>
#include <QStackedWidget>
#include <QTimer>
#include <QtTest>

#include <memory>

Q_DECLARE_METATYPE(std::shared_ptr<VM24::NotificationBase>)

namespace {

const char* const NOW = "2026-12-08 10:00:00";

void insert(const QString& category, const QString& data, const QString& timestamp = QLatin1String(NOW))
{
    QSqlQuery query(VM24::log_database());
    query.prepare(QStringLiteral("INSERT INTO Log VALUES (?, ?, ?)"));
    query.addBindValue(timestamp);
    query.addBindValue(category);
    query.addBindValue(data);
    QVERIFY2(query.exec(), qPrintable(category));
}

} // namespace

class LogViewerTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestEnvironment::ScopedAppDir> m_appDir;
    std::unique_ptr<ProductProvider> m_products;
    std::unique_ptr<QStackedWidget> m_views;
    std::unique_ptr<Context> m_context;
    LogViewer* m_viewer = nullptr;

    // The viewer reads its entries behind a wait box; they show once it is gone.
    void openViewer()
    {
        QSignalSpy reloaded(m_viewer, &LogViewer::reloaded);
        m_context->startActivity(m_viewer);
        QCOMPARE(m_context->currentView(), m_viewer);
        QVERIFY(reloaded.count() > 0 || reloaded.wait(15000));
    }

    void select(int displayCategory)
    {
        const int index = m_viewer->categoryCombo()->findData(displayCategory);
        if (index == m_viewer->categoryCombo()->currentIndex())
            return;
        QSignalSpy reloaded(m_viewer, &LogViewer::reloaded);
        m_viewer->categoryCombo()->setCurrentIndex(index);
        QVERIFY(reloaded.count() > 0 || reloaded.wait(15000));
    }

    QStringList visibleTitles() const
    {
        QStringList titles;
        for (int slot = 0; slot < LogViewer::PAGE_SIZE; ++slot) {
            if (!m_viewer->entry(slot)->isHidden())
                titles.append(m_viewer->entry(slot)->title());
        }
        return titles;
    }

    void fillEveryCategory()
    {
        insert("info", "started");
        insert("debug", "noise");
        insert("warning", "low paper");
        insert("product-purchased", "productId=demo/1&cost=450&dispenser=3&method=Cash&userInfo=");
        insert("recharge", "amount=2000&userId=42");
        insert("return-change", "50");
        insert("overpay", "30");
        insert("cash-inserted", "banknotes=500&coins=20");
        insert("vending-session-info", "flag=0&cash=0&cashless=0");
        insert("power-management", "PowerOn");
        insert("alarm-enable", "true");
        insert("support-request", "");
        insert("alarm", "id=1&clear=0");
        insert("empty-dispenser", "productId=demo/1&productName=Aspirina&dispenser=3&clear=0");
        insert("dispenser-error", "dispenser=4&clear=0");
        insert("empty-hopper", "hopper=1&clear=1");
    }

private slots:
    void init()
    {
        m_appDir = std::make_unique<TestEnvironment::ScopedAppDir>();
        m_products = std::make_unique<ProductProvider>(m_appDir->filePath(QStringLiteral("data/products")));
        m_products->modifyOrCreate(QStringLiteral("demo/1")).setName(QStringLiteral("Aspirina"));
        m_views = std::make_unique<QStackedWidget>();
        m_context = std::make_unique<Context>(m_views.get());
        auto* home = new RecordingActivity(m_context.get(), m_views.get());
        m_viewer = new LogViewer(m_products.get(), m_context.get(), m_views.get());
        m_context->addView(home);
        m_context->addView(m_viewer);
        m_views->resize(1080, 1920);
        m_views->show();
        m_context->startActivity(home);
    }

    void cleanup()
    {
        m_views.reset();
        m_context.reset();
        m_products.reset();
        m_appDir.reset();
    }

    // Runs first, before any log is registered in this process.
    void unreadableLogShowsAnEmptyList()
    {
        openViewer();
        QCOMPARE(m_viewer->loadedCount(), 0);
        QCOMPARE(m_viewer->countLabel()->text(), QStringLiteral("Elementi: 0"));
        QCOMPARE(m_viewer->pageLabel()->text(), QStringLiteral("Pagina 0 / 0"));
        QVERIFY(!m_viewer->previousButton()->isEnabled() && !m_viewer->nextButton()->isEnabled());
        QVERIFY(visibleTitles().isEmpty());
    }

    void pagesOfEighteenNewestFirst()
    {
        QVERIFY(VM24::open_log_database(m_appDir->filePath(QStringLiteral("log.db"))));
        for (int i = 0; i < 37; ++i)
            insert("info", QStringLiteral("row %1").arg(i));
        openViewer();
        QCOMPARE(m_viewer->loadedCount(), 37);
        QCOMPARE(m_viewer->pageCount(), 3);
        QCOMPARE(m_viewer->pageLabel()->text(), QStringLiteral("Pagina 1 / 3"));
        QCOMPARE(m_viewer->countLabel()->text(), QStringLiteral("Elementi: 37"));
        QVERIFY(!m_viewer->previousButton()->isEnabled() && m_viewer->nextButton()->isEnabled());
        QCOMPARE(m_viewer->entry(0)->fields(), QStringList({QStringLiteral("row 36")}));
        QCOMPARE(m_viewer->entry(17)->fields(), QStringList({QStringLiteral("row 19")}));
        QCOMPARE(m_viewer->entry(0)->date(), QStringLiteral("2026-12-08 10:00:00"));

        m_viewer->nextButton()->click();
        m_viewer->nextButton()->click();
        QCOMPARE(m_viewer->pageLabel()->text(), QStringLiteral("Pagina 3 / 3"));
        QCOMPARE(visibleTitles().size(), 1);
        QCOMPARE(m_viewer->entry(0)->fields(), QStringList({QStringLiteral("row 0")}));
        QVERIFY(!m_viewer->nextButton()->isEnabled() && m_viewer->previousButton()->isEnabled());
        m_viewer->previousButton()->click();
        QCOMPARE(m_viewer->entry(0)->fields(), QStringList({QStringLiteral("row 18")}));

        m_viewer->exitButton()->click();
        QVERIFY(m_context->currentView() != m_viewer);
        QCOMPARE(m_viewer->loadedCount(), 0);
    }

    // Rows are rebuilt in chunks on another thread: the order holds across them.
    void newestFirstAcrossThousandsOfRows()
    {
        QVERIFY(VM24::open_log_database(m_appDir->filePath(QStringLiteral("log.db"))));
        const int rows = 2 * 8192 + 5;
        QVERIFY(VM24::log_database().transaction());
        for (int i = 0; i < rows; ++i)
            insert("info", QStringLiteral("row %1").arg(i));
        QVERIFY(VM24::log_database().commit());
        openViewer();
        QCOMPARE(m_viewer->loadedCount(), rows);
        for (int index : {0, 8191, 8192, 16383, 16384, rows - 1}) {
            m_viewer->jumpToPage(index / LogViewer::PAGE_SIZE);
            QCOMPARE(m_viewer->entry(index % LogViewer::PAGE_SIZE)->fields(),
                     QStringList({QStringLiteral("row %1").arg(rows - 1 - index)}));
        }
        QVERIFY(!m_viewer->nextButton()->isEnabled());
    }

    void categoriesSelectTheirRowsAndBadRowsAreSkipped()
    {
        QVERIFY(VM24::open_log_database(m_appDir->filePath(QStringLiteral("log.db"))));
        fillEveryCategory();
        // Rows that do not parse: wrong data, unknown categories, broken text.
        insert("coffee", "x");
        insert("vending-session-info", "flag=3&cash=0&cashless=0");
        insert("product-purchased", "productId=demo/1&cost=450");
        insert("recharge", "amount=5");
        insert("cash-inserted", "\xef\xbf\xbd\x01&&&");
        insert("power-management", "Explode");
        insert("empty-dispenser", "productId=demo/1&productName=x&dispenser=three");
        insert("", "");
        openViewer();
        QCOMPARE(m_viewer->loadedCount(), 15);
        QVERIFY(!visibleTitles().contains(QString()));

        select(LogViewer::Warnings);
        QCOMPARE(visibleTitles(), QStringList({"Avviso", "Avviso", "Avviso"}));
        QCOMPARE(m_viewer->entry(0)->iconName(), QStringLiteral(":/icons/log/warning"));

        select(LogViewer::Alarms);
        QCOMPARE(visibleTitles(), QStringList({"Allarme rientrato", "Avviso", "Avviso", "Allarme"}));

        select(LogViewer::Sessions);
        QCOMPARE(visibleTitles(), QStringList({"Sessione di vendita", "Contante inserito", "Credito dovuto",
                                               "Resto erogato", "Ricarica carta utente", "Acquisto"}));
        const int counts[] = {15, 6, 1, 1, 1, 1, 4, 1, 3, 1};
        for (int value = 0; value < LogViewer::DisplayCategoryCount; ++value) {
            select(value);
            QCOMPARE(m_viewer->loadedCount(), counts[value]);
        }
        QCOMPARE(m_viewer->entry(0)->title(), QStringLiteral("Gestione alimentazione"));
        QCOMPARE(m_viewer->categoryCombo()->currentText(), QStringLiteral("Alimentazione"));
    }

    void everyTypeOnItsLayout_data()
    {
        QTest::addColumn<std::shared_ptr<VM24::NotificationBase>>("notification");
        QTest::addColumn<int>("layout");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("icon");
        QTest::addColumn<QString>("second");
        QTest::addColumn<QStringList>("fields");
        using namespace VM24;
        auto row = [](const char* name, NotificationBase* n, int layout, const char* title, const char* icon,
                      const char* second, const QStringList& fields) {
            QTest::newRow(name) << std::shared_ptr<NotificationBase>(n) << layout << QString::fromUtf8(title)
                                << QString::fromLatin1(icon) << QString::fromLatin1(second) << fields;
        };
        const int E = LogEntryWidget::EventLayout, S = LogEntryWidget::SingleFieldLayout,
                  D = LogEntryWidget::DoubleFieldLayout, P = LogEntryWidget::PurchaseLayout;
        row("info", new InfoNotification("ok"), E, "Informazione", ":/icons/log/info", "", {"ok"});
        row("warning", new WarningNotification("w"), E, "Avviso", ":/icons/log/warning", "", {"w"});
        row("support", new SupportRequestNotification, E, "Informazione", ":/icons/log/info", "",
            {"Richista di assistenza inoltrata"});
        row("recharge", new UserCashlessRechargeNotification(2000, 42), D, "Ricarica carta utente",
            ":/icons/log/recharge", "", {"Importo", "20,00", "Numero utente", "42"});
        row("overpay", new OverpayNotification(30), S, "Credito dovuto", ":/icons/log/overpay", "", {"Importo", "0,30"});
        row("change", new ChangeReturnedNotification(150), S, "Resto erogato", ":/icons/log/change", "",
            {"Importo", "1,50"});
        row("cash", new CashInsertedNotification(500, 20), S, "Contante inserito", ":/icons/log/cash-inserted", "",
            {"Importo", "5,20"});
        row("purchase cash", new ProductPurchasedNotification("demo/1", 450, 3, ProductPurchasedNotification::Cash, ""),
            P, "Acquisto", ":/icons/log/purchase", ":/icons/log/cash",
            {"Prodotto", "demo/1", "Nome", "Aspirina", "Erogatore", "3", "Costo", "4,50", "Cash"});
        row("purchase card", new ProductPurchasedNotification("demo/1", 450, 3, ProductPurchasedNotification::UserCard,
                                                              "card 7"),
            P, "Acquisto", ":/icons/log/purchase", ":/icons/log/nfc",
            {"Prodotto", "demo/1", "Nome", "Aspirina", "Erogatore", "3", "Costo", "4,50", "UserCard", "card 7"});
        row("purchase pos, gone product",
            new ProductPurchasedNotification("demo/999999999999999999999", 100, 0, ProductPurchasedNotification::CreditCard, ""),
            P, "Acquisto", ":/icons/log/purchase", ":/icons/log/pos",
            {"Prodotto", "demo/9999999999999999999...", "Nome", "", "Erogatore", "0", "Costo", "1,00", "CreditCard"});
        row("purchase loyalty", new ProductPurchasedNotification("demo/1", 1, 1, ProductPurchasedNotification::LoyaltyCard, ""),
            P, "Acquisto", ":/icons/log/purchase", "",
            {"Prodotto", "demo/1", "Nome", "Aspirina", "Erogatore", "1", "Costo", "0,01", "LoyaltyCard"});
        row("session begin", new VendingSessionInfo(VendingSessionInfo::SessionBegin, 0, 0), E, "Sessione di vendita",
            ":/icons/log/session-begin", "", {"Vendita iniziata"});
        row("session credit", new VendingSessionInfo(VendingSessionInfo::Dispensing, 250, 1000), E,
            "Sessione di vendita", ":/icons/log/current-credit", "", {"Credito 12,50 (contante 2,50 - cashless 10,00)"});
        row("session end", new VendingSessionInfo(VendingSessionInfo::SessionEnd, 0, 0), E, "Sessione di vendita",
            ":/icons/log/session-end", "", {"Vendita conclusa"});
        const char* powerPictures[] = {":/icons/log/power-on", ":/icons/log/restart", ":/icons/log/halt",
                                       ":/icons/log/halt", ":/icons/log/battery-power"};
        for (int event = 0; event < 5; ++event) {
            const auto e = PowerManagementNotification::Event(event);
            row(qPrintable(QStringLiteral("power %1").arg(event)), new PowerManagementNotification(e), E,
                "Gestione alimentazione", ":/icons/log/power-management", powerPictures[event],
                {PowerManagementNotification::readableEvent(e)});
        }
        row("alarms on", new AlarmActiveNotification(true), E, "Attivazione allarmi", ":/icons/log/alarms-activated",
            "", {"Allarme attivato"});
        row("alarms off", new AlarmActiveNotification(false), E, "Attivazione allarmi",
            ":/icons/log/alarms-deactivated", "", {"Allarme disattivato"});
        AlarmNotification tamper(TamperAlarm, false);
        row("alarm", new AlarmNotification(TamperAlarm, false), D, "Allarme", ":/icons/log/alarm", "",
            {"Id", QString::number(tamper.id()), "Descrizione", alarm_string(TamperAlarm)});
        row("alarm cleared", new AlarmNotification(TamperAlarm, true), E, "Allarme rientrato",
            ":/icons/log/alarm-clear", "", {alarm_string(TamperAlarm)});
        MotorDispenserErrorNotification jam(4, false);
        row("dispenser error", new MotorDispenserErrorNotification(4, false), E, "Avviso", ":/icons/log/warning", "",
            {jam.description()});
        EmptyHopperNotification hopper(1, true);
        row("hopper refilled", new EmptyHopperNotification(1, true), E, "Allarme rientrato",
            ":/icons/log/alarm-clear", "", {hopper.description()});
        ProductSoldOutNotification soldOut("demo/1", "Aspirina", 3, false);
        row("sold out", new ProductSoldOutNotification("demo/1", "Aspirina", 3, false), E, "Avviso",
            ":/icons/log/warning", "", {soldOut.description()});
    }

    void everyTypeOnItsLayout()
    {
        QFETCH(std::shared_ptr<VM24::NotificationBase>, notification);
        QFETCH(int, layout);
        QFETCH(QString, title);
        QFETCH(QString, icon);
        QFETCH(QString, second);
        QFETCH(QStringList, fields);
        LogEntryWidget entry(m_products.get());
        entry.resize(1048, LogEntryWidget::HEIGHT);
        notification->setTimestamp(QDateTime(QDate(2026, 12, 8), QTime(9, 5, 7)));
        entry.displayEntry(notification.get());
        QCOMPARE(int(entry.currentLayout()), layout);
        QCOMPARE(entry.title(), title);
        QCOMPARE(entry.iconName(), icon);
        QVERIFY(!QPixmap(icon).isNull());
        QCOMPARE(entry.secondIconName(), second);
        QVERIFY(second.isEmpty() || !QPixmap(second).isNull());
        QCOMPARE(entry.fields(), fields);
        QCOMPARE(entry.date(), QStringLiteral("2026-12-08 09:05:07"));
    }
};

QTEST_MAIN(LogViewerTest)
#include "tst_logviewer.moc"
