#include "purchaserig.h"
#include "ui/clickableimagelabel.h"
#include "ui/productbutton.h"
#include "ui/startup.h"
#include "ui/suggestionbutton.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QSignalSpy>
#include <QTimer>
#include <QTranslator>

namespace {

// Closes the next modal dialog that appears (or the first one showing
// `wanted`: wait boxes come and go before it) and keeps its texts.
class DialogCloser : public QObject
{
public:
    explicit DialogCloser(int afterMs = 50) { QTimer::singleShot(afterMs, this, &DialogCloser::closeModal); }
    explicit DialogCloser(const QString& wanted)
        : m_wanted(wanted)
    {
        QTimer::singleShot(20, this, &DialogCloser::closeModal);
    }
    QStringList texts;

private:
    QString m_wanted;

    void closeModal()
    {
        QWidget* modal = QApplication::activeModalWidget();
        QStringList shown;
        if (modal) {
            for (QLabel* label : modal->findChildren<QLabel*>())
                shown.append(label->text());
        }
        if (!modal || (!m_wanted.isEmpty() && !shown.contains(m_wanted))) {
            QTimer::singleShot(20, this, &DialogCloser::closeModal);
            return;
        }
        texts = shown;
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->accept();
    }
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
    void productsWithoutACashPriceAreNeverHandedOut();
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
    QCOMPARE(purchase.details->productId(), QStringLiteral("test/1"));
    QCOMPARE(details->unitPrice(), 100);
    QCOMPARE(details->quantity(), 1);
    QCOMPARE(details->quantityText(), QStringLiteral("01"));

    QTest::mouseClick(details->incrementButton(), Qt::LeftButton);
    QCOMPARE(details->quantity(), 2);
    QCOMPARE(details->totalText(), QString::fromUtf8("€ 2,00"));
    {
        DialogCloser closer;
        QTest::mouseClick(details->incrementButton(), Qt::LeftButton);
        // The message opens and the touch returns; the closer reads it.
        QTRY_COMPARE(closer.texts.value(0), QStringLiteral("CREDITO INSUFFICIENTE"));
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
    QCOMPARE(purchase.dispensing->deliveryCandidates(purchase.details->productId()), QList<int>({3, 7}));

    QTest::mouseClick(purchase.details->confirmButton(), Qt::LeftButton);
    // Suggestions follow the delivery.
    QVERIFY(purchase.awaitPage(purchase.suggestions.get()));
    QCOMPARE(purchase.stock(3), 1);
    QCOMPARE(purchase.stock(7), 2);
    QCOMPARE(purchase.rig.accounting->get(Ledger::Permanent).dispensedCount(3), 2);
    QCOMPARE(purchase.rig.accounting->get(Ledger::Permanent).dispensedCount(7), 1);
    QCOMPARE(purchase.rig.credit->currentCredit(), 0);
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
    QCOMPARE(purchase.dispensing->deliveryCandidates(purchase.details->productId()), QList<int>({3, 7}));

    QTranslator italian;
    QVERIFY(VM24::load_translation(italian, QStringLiteral("it")));
    QCoreApplication::installTranslator(&italian);
    DialogCloser closer(QStringLiteral("Attenzione: erogati 0 prodotti su 2"));
    QTest::mouseClick(purchase.details->confirmButton(), Qt::LeftButton);
    // Nothing came out: the session goes on, here with the suggestions.
    QVERIFY(purchase.awaitPage(purchase.suggestions.get()));
    QVERIFY2(closer.texts.contains(QStringLiteral("Attenzione: erogati 0 prodotti su 2")),
             qPrintable(closer.texts.join(QLatin1Char('|'))));
    QCoreApplication::removeTranslator(&italian);
    QVERIFY(purchase.motors->motor(3).error);
    QVERIFY(purchase.motors->motor(7).error);
    QCOMPARE(purchase.rig.accounting->get(Ledger::Permanent).dispensedCount(3), 0);
    QCOMPARE(purchase.rig.credit->currentCredit(), 200);
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
    QCOMPARE(purchase.details->productId(), QStringLiteral("test/4"));
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
    QCOMPARE(purchase.rig.credit->currentCredit(), 300);

    QTest::mouseClick(purchase.suggestions->endSessionButton(), Qt::LeftButton);
    QVERIFY(purchase.awaitHome(30000));
    QCOMPARE(purchase.home->lastResult, ActivityResult::NO_RESULT);
    QCOMPARE(purchase.rig.credit->currentCredit(), 0);
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
    QCOMPARE(purchase.rig.credit->currentCredit(), 0);
    QVERIFY(!purchase.rig.session->isPolling());
}

// A delivered catalogue without prices, or an operator's slip that sets a
// cash price of 0, must not give products away at zero credit.
void PurchasePagesTest::productsWithoutACashPriceAreNeverHandedOut()
{
    Purchase purchase(stocked_board(columns(3)));
    const QString free = purchase.rig.appDir.filePath(QStringLiteral("data/products/free"));
    QVERIFY(QDir().mkpath(free));
    QFile file(free + QStringLiteral("/index.xml"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(R"(<?xml version="1.0" encoding="UTF-8"?>
<catalogue name="free" timestamp="2024-01-01T00:00:00">
    <product id="1" name="Salviette" category="Igiene"><description>Senza prezzi.</description></product>
    <product id="2" name="Spazzolino" category="Igiene"><description>Solo cashless.</description>
        <prices><price level="1">150</price></prices></product>
</catalogue>
)");
    file.close();
    QVERIFY(purchase.start());
    QSignalSpy problems(purchase.rig.products.get(), &ProductProvider::loadProblem);
    purchase.rig.products->loadDatabase();
    QStringList warnings;
    for (const QList<QVariant>& problem : std::as_const(problems))
        warnings.append(problem.value(0).toString());
    QCOMPARE(warnings, QStringList({QStringLiteral("Catalogo free: prodotti senza prezzo contante, non in vendita: 1, 2")}));

    QVector<QString> arrangement = ARRANGEMENT;
    arrangement[10] = QStringLiteral("free/1");
    arrangement[11] = QStringLiteral("free/2");
    purchase.rig.products->setArrangement(arrangement);
    purchase.rig.products->modifyProduct(QStringLiteral("test/6"))->setPrice(0, 0);
    purchase.openGrid();
    QCOMPARE(purchase.rig.credit->currentCredit(), 0);

    for (int selection : {6, 10, 11}) {
        QVERIFY2(!purchase.grid->button(selection)->isEnabled(), qPrintable(QString::number(selection)));
        QTest::mouseClick(purchase.grid->button(selection), Qt::LeftButton);
        QCOMPARE(purchase.views.currentWidget(), purchase.grid.get());
    }
    QVERIFY(purchase.grid->button(5)->isEnabled());
    const QString screens = QCoreApplication::applicationDirPath() + QStringLiteral("/screens");
    QDir().mkpath(screens);
    purchase.views.grab().save(screens + QStringLiteral("/grid-unpriced-it.png"));
    {
        QTranslator english;
        QVERIFY(VM24::load_translation(english, QStringLiteral("en")));
        QCoreApplication::installTranslator(&english);
        QCoreApplication::processEvents();
        purchase.views.grab().save(screens + QStringLiteral("/grid-unpriced-en.png"));
        QCoreApplication::removeTranslator(&english);
    }
    QVERIFY(!purchase.grid->suggestionsFor(QStringLiteral("test/1")).contains(QStringLiteral("free/1")));

    // Nor past the grid: the details page offers no quantity and no way on.
    purchase.details->setProductId(QStringLiteral("free/1"));
    purchase.grid->startActivity(purchase.details.get());
    QCOMPARE(purchase.views.currentWidget(), purchase.details.get());
    QTest::mouseClick(purchase.details->incrementButton(), Qt::LeftButton);
    QCOMPARE(purchase.details->quantity(), 0);
    QVERIFY(!purchase.details->confirmButton()->isEnabled());
    purchase.details->onConfirm();
    QCOMPARE(purchase.views.currentWidget(), purchase.details.get());
    QTest::mouseClick(purchase.details->cancelButton(), Qt::LeftButton);
    QCOMPARE(purchase.views.currentWidget(), purchase.grid.get());

    purchase.grid->triggerEndSession();
    QVERIFY(purchase.awaitHome());
    for (int column : {6, 10, 11})
        QCOMPARE(purchase.stock(column), 3);
    QCOMPARE(purchase.rig.accounting->get(Ledger::Permanent).get(Accounting::CashIncome), 0);
}

QTEST_MAIN(PurchasePagesTest)
#include "tst_purchasepages.moc"
