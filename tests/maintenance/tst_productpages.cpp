// The arrangement and price pages as an operator uses them: partner
// selections offer partner products only, nothing reaches customers before
// "Salva modifiche", leaving with changes asks first and "Ignora modifiche"
// really drops them (arrangement, motor map and prices), the motor colours
// follow the monitor, the price pad opens beside its item and stays on the
// screen, and a product without picture or with an endless name draws
// inside its bounds. Pictures of every page, in Italian and in English,
// stay under tests/screens in the build tree.

#include "board/rk710controller.h"
#include "catalogue/priceprovider.h"
#include "catalogue/productprovider.h"
#include "input/confirmationdialog.h"
#include "input/numpad.h"
#include "input/selfpositioningpricenumpad.h"
#include "input/twostatebutton.h"
#include "maintenance/productarrangement.h"
#include "maintenance/productbuttonprices.h"
#include "maintenance/producthelpdialog.h"
#include "maintenance/productmanagement.h"
#include "maintenance/productmenubutton.h"
#include "maintenance/productselectiondialog.h"
#include "modaldialog.h"
#include "recordingactivity.h"
#include "settings/settings.h"
#include "testenvironment.h"
#include "ui/context.h"
#include "ui/productbutton.h"
#include "ui/startup.h"
#include "vending/alarmmanager.h"
#include "vending/motordispensermonitor.h"

#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPainter>
#include <QPushButton>
#include <QSettings>
#include <QStackedWidget>
#include <QTranslator>
#include <QtTest>

#include <memory>

namespace {

const QString LONG_NAME = QString(5000, QLatin1Char('W'));

// Catalogue "main": 1001 with a picture, 1002 without, 1003 with an endless
// name and description; catalogue "brixo": partner products 2001 and 2002.
const char* const MAIN = R"(<?xml version="1.0" encoding="UTF-8"?>
<catalogue name="main" timestamp="2024-01-01T00:00:00">
    <product id="1001" name="Crema mani" category="Corpo"><description>Crema per le mani.</description>
        <prices><price level="0">250</price><price level="1">230</price></prices></product>
    <product id="1002" name="Cerotti" category="Primo soccorso"><description>Cerotti assortiti.</description>
        <prices><price level="0">390</price></prices></product>
    <product id="1003" name="%1" category="Corpo"><description>%1</description>
        <prices><price level="0">1290</price></prices></product>
</catalogue>
)";
const char* const BRIXO = R"(<?xml version="1.0" encoding="UTF-8"?>
<catalogue name="brixo" timestamp="2024-01-01T00:00:00">
    <product id="2001" name="Spazzolino" category="Igiene"><description>Spazzolino.</description>
        <prices><price level="0">450</price></prices></product>
    <product id="2002" name="Dentifricio" category="Igiene"><description>Dentifricio.</description>
        <prices><price level="0">320</price></prices></product>
</catalogue>
)";

void write_file(const QString& path, const QByteArray& data)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(data);
}

void write_thumbnail(const QString& path, const QColor& colour)
{
    QImage image(192, 192, QImage::Format_ARGB32);
    image.fill(colour);
    QVERIFY(image.save(path));
}

QStringList stored_arrangement()
{
    QSettings settings;
    QStringList ids;
    for (int s = 0; s < 18; ++s)
        ids.append(settings.value(QStringLiteral("Products/selection_%1").arg(s)).toString());
    return ids;
}

} // namespace

class ProductPagesTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestEnvironment::ScopedAppDir> m_appDir;
    std::unique_ptr<QStackedWidget> m_views;
    std::unique_ptr<Context> m_context;
    VM24::NotificationService m_notifications;
    std::unique_ptr<AlarmManager> m_alarms;
    std::unique_ptr<ProductProvider> m_products;
    std::unique_ptr<PriceProvider> m_prices;
    std::unique_ptr<MotorDispenserMonitor> m_motors;
    std::unique_ptr<Rk710Controller> m_controller;
    RecordingActivity* m_home = nullptr;
    ProductArrangement* m_arrangement = nullptr;
    ProductManagement* m_management = nullptr;
    QString m_screens;

    QString root() const { return m_appDir->filePath(QStringLiteral("data/products")); }

    void open(MenuActivity* page, int level)
    {
        page->setUserLevel(level);
        m_context->startActivity(page);
        QCOMPARE(m_context->currentView(), page);
    }

    void screenshot(QWidget* widget, const QString& name)
    {
        QCoreApplication::processEvents();
        widget->grab().save(QStringLiteral("%1/%2.png").arg(m_screens, name));
    }

    // The slot of the chooser's first page that shows the product.
    static int slot_of(ProductSelectionDialog* dialog, const QString& id)
    {
        return int(dialog->offeredProducts().indexOf(id));
    }

    void choose(int selection, const QString& id, QStringList* offered = nullptr)
    {
        // A touch in the middle of the button, away from the motor number.
        QTest::mouseClick(m_arrangement->button(selection), Qt::LeftButton, {}, QPoint(180, 200));
        answer_open_dialog<ProductSelectionDialog>([id, offered](ProductSelectionDialog* dialog) {
            if (offered)
                *offered = dialog->offeredProducts();
            dialog->onProductSelected(slot_of(dialog, id));
        });
    }

    void leave(QPushButton* exit, QAbstractButton* (ConfirmationDialog::*answer)() const)
    {
        exit->click();
        answer_open_dialog<ConfirmationDialog>([answer](ConfirmationDialog* dialog) { (dialog->*answer)()->click(); });
    }

private slots:
    void initTestCase()
    {
        QVERIFY(VM24::install_style_sheet(*qApp));
        m_screens = QCoreApplication::applicationDirPath() + QStringLiteral("/screens");
        QDir().mkpath(m_screens);
    }

    void init()
    {
        m_appDir = std::make_unique<TestEnvironment::ScopedAppDir>();
        write_file(root() + QStringLiteral("/main/index.xml"), QString::fromLatin1(MAIN).arg(LONG_NAME).toUtf8());
        write_file(root() + QStringLiteral("/brixo/index.xml"), BRIXO);
        write_thumbnail(root() + QStringLiteral("/main/1001.png"), QColor(31, 157, 87));
        write_thumbnail(root() + QStringLiteral("/brixo/2001.png"), QColor(186, 41, 46));
        write_thumbnail(root() + QStringLiteral("/brixo/2002.png"), QColor(255, 207, 92));
        {
            QSettings settings;
            settings.setValue(QStringLiteral("Products/selection_0"), QStringLiteral("main/1001"));
            settings.setValue(QStringLiteral("Products/selection_5"), QStringLiteral("brixo/2001"));
            settings.setValue(QStringLiteral("Products/selection_6"), QStringLiteral("main/1001"));
            settings.setValue(QStringLiteral("Products/selection_10"), QStringLiteral("main/1003"));
            settings.setValue(QStringLiteral("Products/selection_17"), QStringLiteral("main/1002"));
        }
        m_products = std::make_unique<ProductProvider>(root());
        m_products->loadDatabase();
        QSettings settings;
        m_products->setArrangement(Settings(settings).arrangement());
        m_prices = std::make_unique<PriceProvider>(m_products.get());
        m_alarms = std::make_unique<AlarmManager>(&m_notifications);
        m_motors = std::make_unique<MotorDispenserMonitor>(m_alarms.get(), m_products.get(), &m_notifications);
        m_motors->setProductPresence(0x3FFFF);
        m_controller = std::make_unique<Rk710Controller>();

        m_views = std::make_unique<QStackedWidget>();
        m_context = std::make_unique<Context>(m_views.get());
        m_home = new RecordingActivity(m_context.get(), m_views.get());
        m_arrangement = new ProductArrangement(m_products.get(), m_motors.get(), m_context.get(), m_views.get());
        m_management = new ProductManagement(m_products.get(), m_controller.get(), m_context.get(), m_views.get());
        for (QWidget* page : {static_cast<QWidget*>(m_home), static_cast<QWidget*>(m_arrangement),
                              static_cast<QWidget*>(m_management)})
            m_context->addView(page);
        m_views->setFixedSize(1080, 1920);
        m_views->move(0, 0);
        m_views->show();
        m_context->startActivity(m_home);
    }

    void cleanup()
    {
        m_views.reset();
        m_context.reset();
        m_motors.reset();
        m_alarms.reset();
        m_prices.reset();
        m_products.reset();
        m_controller.reset();
        m_appDir.reset();
    }

    void partnerSelectionsAndSavedArrangement()
    {
        open(m_arrangement, 2);
        QVERIFY(m_arrangement->reservedLegendText().contains(QStringLiteral("<b>3, 4, 5, 6, 7, 8, 9, 10, 12, 13</b>")));
        QCOMPARE(m_arrangement->button(5)->price(), 450);
        QCOMPARE(m_arrangement->button(10)->price(), 1290);
        QVERIFY(m_arrangement->button(1)->image().isNull());
        QVERIFY(!m_arrangement->saveButton()->isEnabled());

        // Selection 6 is reserved (7 on screen): only the partner's products.
        QStringList offered;
        choose(6, QStringLiteral("brixo/2002"), &offered);
        QCOMPARE(offered, QStringList({QStringLiteral("brixo/2001"), QStringLiteral("brixo/2002")}));
        QCOMPARE(m_arrangement->workingArrangement().at(6), QStringLiteral("brixo/2002"));
        QCOMPARE(m_arrangement->button(6)->price(), 320);
        QVERIFY(m_arrangement->saveButton()->isEnabled());
        // Selection 10 is not reserved: every product, partner ones too.
        choose(10, QStringLiteral("main/1002"), &offered);
        QCOMPARE(offered.size(), 5);
        // Customers see nothing before the save.
        QCOMPARE(m_products->arrangement().at(6), QStringLiteral("main/1001"));
        QCOMPARE(stored_arrangement().at(10), QStringLiteral("main/1003"));

        leave(m_arrangement->exitButton(), &ConfirmationDialog::cancelButton);
        QCOMPARE(m_context->currentView(), m_arrangement);
        leave(m_arrangement->exitButton(), &ConfirmationDialog::saveButton);
        QCOMPARE(m_context->currentActivity(), m_home);
        QCOMPARE(m_products->arrangement().at(6), QStringLiteral("brixo/2002"));
        QCOMPARE(stored_arrangement().at(6), QStringLiteral("brixo/2002"));
        QCOMPARE(stored_arrangement().at(10), QStringLiteral("main/1002"));

        // The same product chosen again still counts as a change; ignoring it stores nothing.
        open(m_arrangement, 2);
        QVERIFY(!m_arrangement->isModified());
        choose(0, QStringLiteral("main/1001"));
        QVERIFY(m_arrangement->isModified());
        choose(0, QStringLiteral("brixo/2001"));
        leave(m_arrangement->exitButton(), &ConfirmationDialog::discardButton);
        QCOMPARE(m_context->currentActivity(), m_home);
        QCOMPARE(stored_arrangement().at(0), QStringLiteral("main/1001"));
        QCOMPARE(m_products->arrangement().at(0), QStringLiteral("main/1001"));
    }

    void motorColoursAndMotorMap()
    {
        open(m_arrangement, 2);
        m_motors->setProductPresence(0x3FFFF & ~(1 << 3));
        m_motors->setError(4, true);
        QVERIFY(m_arrangement->button(3)->isEmpty());
        QVERIFY(!m_arrangement->button(3)->isError());
        QVERIFY(m_arrangement->button(4)->isError());
        QVERIFY(!m_arrangement->button(5)->isEmpty() && !m_arrangement->button(5)->isError());
        QVERIFY(!m_arrangement->isModified());

        // Touching the motor number of selection 0 moves it to motor 5.
        auto type_motor = [](int digit) {
            answer_open_dialog<NumPad>([digit](NumPad* pad) {
                QCOMPARE(pad->text(), QStringLiteral("1"));
                pad->onDigitClicked(digit);
                pad->accept();
            });
        };
        QTest::mouseClick(m_arrangement->button(0), Qt::LeftButton, {}, QPoint(40, 40));
        type_motor(5);
        QCOMPARE(m_motors->map(0), 4);
        QCOMPARE(m_arrangement->button(0)->motor(), 4);
        QVERIFY(m_arrangement->button(0)->isError());
        QCOMPARE(m_motors->map(4), 0);
        QVERIFY(m_arrangement->isModified());
        screenshot(m_views.get(), QStringLiteral("arrangement-motors-it"));

        // Ignored: the monitor is back on the stored map and nothing was written.
        leave(m_arrangement->exitButton(), &ConfirmationDialog::discardButton);
        QCOMPARE(m_motors->map(0), 0);
        QCOMPARE(m_motors->map(4), 4);
        QVERIFY(!QSettings().contains(Settings::key(Settings::MotorMap)));

        open(m_arrangement, 2);
        QTest::mouseClick(m_arrangement->button(0), Qt::LeftButton, {}, QPoint(40, 40));
        type_motor(5);
        m_arrangement->saveButton()->click();
        const QStringList stored = QSettings().value(Settings::key(Settings::MotorMap)).toStringList();
        QCOMPARE(stored.value(0), QStringLiteral("4"));
        QCOMPARE(stored.value(4), QStringLiteral("0"));
        m_arrangement->exitButton()->click();
        QCOMPARE(m_motors->map(0), 4);
    }

    void pricesChargedAtOnceAndDroppedWhenIgnored()
    {
        open(m_management, 2);
        // Selections in order, each product once, one place for the empty ones.
        QCOMPARE(m_management->shownProducts(),
                 QStringList({QStringLiteral("main/1001"), QString(), QStringLiteral("brixo/2001"),
                              QStringLiteral("main/1003"), QStringLiteral("main/1002")}));
        // The empty place shows no price and opens no pad.
        m_management->onHighPriceClicked(1);
        QVERIFY(!m_management->isEdited());
        QVERIFY(m_management->item(4)->isVisible());
        QVERIFY(!m_management->item(5)->isVisible());
        // No cashless reader on this board, level 2: cash price only, no help.
        QVERIFY(!m_management->item(0)->isLowPriceVisible());
        QVERIFY(!m_management->item(0)->isHelpVisible());
        QCOMPARE(m_management->item(0)->highPriceArea(), m_management->item(0)->rect().adjusted(7, 5, -7, -15));
        QVERIFY(!m_management->previousButton()->isEnabled() && !m_management->nextButton()->isEnabled());

        // The pad opens beside the item, starts at the price and is charged at once.
        ProductButtonPrices* item = m_management->item(0);
        const QRect itemRect(item->mapToGlobal(QPoint(0, 0)), item->size());
        QTest::mouseClick(item, Qt::LeftButton, {}, item->rect().center());
        answer_open_dialog<SelfPositioningPriceNumPad>([itemRect](SelfPositioningPriceNumPad* pad) {
            QCOMPARE(pad->text(), QStringLiteral("2,50"));
            QCOMPARE(pad->title(), QStringLiteral("Prezzo contante\nCrema mani"));
            QCOMPARE(pad->geometry().left(), itemRect.right() + 1);
            QCOMPARE(pad->geometry().top(), itemRect.top());
            pad->onDigitClicked(3);
            pad->onSpecialClicked();
            pad->onDigitClicked(5);
            pad->enterButton()->click();
        });
        QCOMPARE(item->highPrice(), 350);
        QCOMPARE(item->selection(), ProductButtonPrices::NotSelected);
        QCOMPARE(m_prices->price(QStringLiteral("main/1001")), 350);
        QVERIFY(m_management->saveButton()->isEnabled());

        leave(m_management->exitButton(), &ConfirmationDialog::discardButton);
        QCOMPARE(m_context->currentActivity(), m_home);
        QCOMPARE(m_prices->price(QStringLiteral("main/1001")), 250);

        // A page that ends without "Esci" (interrupted) drops them just the same.
        open(m_management, 2);
        m_management->item(0)->onHighPriceClicked();
        answer_open_dialog<SelfPositioningPriceNumPad>([](SelfPositioningPriceNumPad* pad) {
            pad->onDigitClicked(9);
            pad->enterButton()->click();
        });
        QCOMPARE(m_prices->price(QStringLiteral("main/1001")), 900);
        m_management->finish();
        QCOMPARE(m_context->currentActivity(), m_home);
        QCOMPARE(m_prices->price(QStringLiteral("main/1001")), 250);

        // Saved this time: into the operator's edits, and kept over a reload.
        open(m_management, 2);
        QVERIFY(!m_management->saveButton()->isEnabled());
        m_management->item(4)->onHighPriceClicked();
        answer_open_dialog<SelfPositioningPriceNumPad>([](SelfPositioningPriceNumPad* pad) {
            pad->onDigitClicked(4);
            pad->enterButton()->click();
        });
        leave(m_management->exitButton(), &ConfirmationDialog::saveButton);
        m_products->loadDatabase();
        QCOMPARE(m_prices->price(QStringLiteral("main/1002")), 400);
        QCOMPARE(m_prices->price(QStringLiteral("main/1001")), 250);
        QFile edits(root() + QStringLiteral("/zz-user-edits/index.xml"));
        QVERIFY(edits.open(QIODevice::ReadOnly));
        QVERIFY(edits.readAll().contains("<price level=\"0\">400</price>"));
    }

    // A free product is not a feature of this machine: the cash-price pad
    // refuses 0, while a cashless price of 0 still means the cash price.
    void cashPriceOfZeroIsRefused()
    {
        open(m_management, 2);
        ProductButtonPrices* item = m_management->item(0);
        // What the pad shows after each refused enter; the pad is closed
        // whatever happens, so a failure cannot leave it waiting.
        QStringList refusals;
        item->onHighPriceClicked();
        answer_open_dialog<SelfPositioningPriceNumPad>([&refusals](SelfPositioningPriceNumPad* pad) {
            for (const QString& keys : {QStringLiteral("0"), QStringLiteral("0,00")}) {
                for (QChar key : keys) {
                    if (key == QLatin1Char(','))
                        pad->onSpecialClicked();
                    else
                        pad->onDigitClicked(key.digitValue());
                }
                const bool typed = pad->enterButton()->isEnabled();
                pad->enterButton()->click();
                refusals.append(QStringLiteral("%1 %2 %3 %4")
                                    .arg(typed)
                                    .arg(pad->isVisible())
                                    .arg(pad->enterButton()->isEnabled())
                                    .arg(pad->textLabel()->text().contains(
                                        QStringLiteral("Un prezzo contante di 0 non è ammesso"))));
            }
            pad->reject();
        });
        // Enter was offered, the pad stayed open with the message and enter
        // is off until a new price is typed.
        QCOMPARE(refusals, QStringList({QStringLiteral("1 1 0 1"), QStringLiteral("1 1 0 1")}));
        QCOMPARE(m_prices->price(QStringLiteral("main/1001")), 250);
        QVERIFY(!m_management->isEdited());

        m_management->onLowPriceClicked(0);
        answer_open_dialog<SelfPositioningPriceNumPad>([](SelfPositioningPriceNumPad* pad) {
            pad->onDigitClicked(0);
            pad->enterButton()->click();
        });
        QCOMPARE(m_products->getProduct(QStringLiteral("main/1001")).price(1), 0);
        QVERIFY(m_management->isEdited());
        m_prices->setCustomerLevel(1);
        QCOMPARE(m_prices->price(QStringLiteral("main/1001")), 250);
        m_prices->setCustomerLevel(0);
        leave(m_management->exitButton(), &ConfirmationDialog::discardButton);
    }

    void allProductsAndDescription()
    {
        open(m_management, 3);
        m_management->allItemsButton()->click();
        QVERIFY(m_management->showsAllItems());
        QCOMPARE(m_management->allItemsButton()->text(), QStringLiteral("Mostra i prodotti venduti"));
        QCOMPARE(m_management->shownProducts().size(), 5);
        // brixo/2002 is in no selection; the others are.
        QCOMPARE(m_management->shownProducts().at(1), QStringLiteral("brixo/2002"));
        QVERIFY(!m_management->item(1)->isChecked());
        QVERIFY(m_management->item(0)->isChecked());
        QVERIFY(m_management->item(2)->isChecked());

        ProductButtonPrices* item = m_management->item(2);
        QVERIFY(item->isHelpVisible());
        QTest::mouseClick(item, Qt::LeftButton, {}, ProductButtonPrices::HELP_AREA.center());
        answer_open_dialog<ProductHelpDialog>([item](ProductHelpDialog* dialog) {
            QCOMPARE(item->selection(), ProductButtonPrices::WholeSelected);
            QCOMPARE(dialog->descriptionView()->toPlainText(), QStringLiteral("Crema per le mani."));
            QTest::mouseClick(dialog, Qt::LeftButton);
        });
        QCOMPARE(item->selection(), ProductButtonPrices::NotSelected);

        m_management->allItemsButton()->click();
        QCOMPARE(m_management->allItemsButton()->text(), QStringLiteral("Mostra tutti i prodotti"));
        QCOMPARE(m_management->shownProducts().size(), 5);
        QCOMPARE(m_management->shownProducts().at(1), QString());
    }

    void padStaysBesideItsButtonAndOnTheScreen()
    {
        const QRect screen(0, 0, 1080, 1920);
        const QSize pad(400, 700);
        // Room on the right: right of it, top-aligned.
        QCOMPARE(SelfPositioningPriceNumPad::placement(QRect(2, 160, 269, 317), pad, screen), QPoint(271, 160));
        // Last column: on its left.
        QCOMPARE(SelfPositioningPriceNumPad::placement(QRect(809, 160, 269, 317), pad, screen), QPoint(409, 160));
        // Bottom row: its bottom on the button's bottom.
        QCOMPARE(SelfPositioningPriceNumPad::placement(QRect(2, 1428, 269, 317), pad, screen), QPoint(271, 1045));
        // A pad too wide for either side stays on the screen.
        const QPoint wide = SelfPositioningPriceNumPad::placement(QRect(271, 160, 269, 317), QSize(820, 700), screen);
        QVERIFY(screen.contains(QRect(wide, QSize(820, 700))));
    }

    // Pictures of every page and dialog in both languages; a product
    // without thumbnail and one with a 5,000-character name among them.
    void pagesInBothLanguagesStayInsideTheirBounds_data()
    {
        QTest::addColumn<QString>("language");
        QTest::newRow("it") << QStringLiteral("it");
        QTest::newRow("en") << QStringLiteral("en");
    }

    void pagesInBothLanguagesStayInsideTheirBounds()
    {
        QFETCH(QString, language);
        QTranslator translator;
        QVERIFY(VM24::load_translation(translator, language) || language == QLatin1String("it"));
        QCoreApplication::installTranslator(&translator);
        QCoreApplication::processEvents();

        open(m_arrangement, 3);
        screenshot(m_views.get(), QStringLiteral("arrangement-") + language);
        QTest::mouseClick(m_arrangement->button(10), Qt::LeftButton, {}, QPoint(180, 200));
        answer_open_dialog<ProductSelectionDialog>([this, language](ProductSelectionDialog* dialog) {
            screenshot(dialog, QStringLiteral("chooser-") + language);
            QVERIFY(dialog->productButton(5)->isHidden());
            QVERIFY(!dialog->nextButton()->isEnabled());
            for (QPushButton* button : {dialog->previousButton(), dialog->nextButton(), dialog->exitButton()})
                QVERIFY(dialog->rect().contains(button->geometry()));
            dialog->exitButton()->click();
        });
        QVERIFY(!m_arrangement->isModified());
        m_arrangement->exitButton()->click();

        open(m_management, 3);
        screenshot(m_views.get(), QStringLiteral("prices-") + language);
        // main/1003: the endless name and description.
        ProductButtonPrices* item = m_management->item(3);
        item->onHighPriceClicked();
        answer_open_dialog<SelfPositioningPriceNumPad>([this, language](SelfPositioningPriceNumPad* pad) {
            screenshot(pad, QStringLiteral("price-pad-") + language);
            QVERIFY(QRect(0, 0, 1080, 1920).contains(pad->frameGeometry()));
            QVERIFY(pad->title().size() < 200);
            const QSize size = pad->size();
            pad->onDigitClicked(0);
            pad->enterButton()->click();
            screenshot(pad, QStringLiteral("price-pad-refused-") + language);
            QCOMPARE(pad->size(), size);
            pad->reject();
        });
        QTest::mouseClick(item, Qt::LeftButton, {}, ProductButtonPrices::HELP_AREA.center());
        answer_open_dialog<ProductHelpDialog>([this, language](ProductHelpDialog* dialog) {
            screenshot(dialog, QStringLiteral("description-") + language);
            QCOMPARE(dialog->size(), ProductHelpDialog::DIALOG_SIZE);
            QVERIFY(dialog->rect().contains(dialog->descriptionView()->geometry()));
            dialog->accept();
        });
        QVERIFY(!m_management->isEdited());
        m_management->allItemsButton()->click();
        screenshot(m_views.get(), QStringLiteral("prices-all-") + language);
        m_management->exitButton()->click();
        QCoreApplication::removeTranslator(&translator);
    }
};

QTEST_MAIN(ProductPagesTest)
#include "tst_productpages.moc"
