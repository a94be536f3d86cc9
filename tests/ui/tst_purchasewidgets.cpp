#include "purchase/deliveryfinished.h"
#include "ui/clickablearea.h"
#include "ui/flashinglabel.h"
#include "ui/informationpanel.h"
#include "ui/productbutton.h"
#include "ui/startup.h"
#include "ui/suggestionbutton.h"
#include "vending/dispenserfilter.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTranslator>
#include <QtTest>

class PurchaseWidgetsTest : public QObject
{
    Q_OBJECT

private slots:
    void filterKeepsDispensersWithStockInOrder();
    void deliveryResultCarriesDispensersAndPrice();
    void flashingAlternatesWithTheFlashColourWhileVisible();
    void panelShowsCreditAndTimeAndFlashesInTheLastTenSeconds();
    void panelChangeAndTicketStates();
    void panelEndsTheSessionAndFollowsTheLanguage();
    void productButtonShowsTheSelectionNumberPerPolicy();
    void productButtonDrawsPriceAndDisabledState();
    void suggestionButtonDrawsPictureAndPrice();
};

void PurchaseWidgetsTest::filterKeepsDispensersWithStockInOrder()
{
    const qint64 mask = (qint64(1) << 3) | (qint64(1) << 7) | (qint64(1) << 17) | (qint64(1) << 63);
    QCOMPARE(filter_out_dispensers({7, 3, 4, 17}, mask), QList<int>({7, 3, 17}));
    QCOMPARE(filter_out_dispensers({63, -1, 64, 3}, mask), QList<int>({63, 3}));
    QCOMPARE(filter_out_dispensers({0, 1, 2}, 0), QList<int>());
    QCOMPARE(filter_out_dispensers({}, -1), QList<int>());
}

void PurchaseWidgetsTest::deliveryResultCarriesDispensersAndPrice()
{
    const DeliveryFinished delivery({3, 7, 3}, PurchaseRequest{QStringLiteral("main/7"), 250, 3});
    const ActivityResult& asResult = delivery;
    QCOMPARE(asResult.status(), ActivityResult::HasResult);
    QCOMPARE(asResult.value(), 0);
    const DeliveryFinished* back = DeliveryFinished::from(asResult);
    QVERIFY(back);
    QCOMPARE(back->dispensers(), QList<int>({3, 7, 3}));
    QCOMPARE(back->unitPrice(), 250);
    QCOMPARE(back->request().productId, QStringLiteral("main/7"));
    QVERIFY(DeliveryFinished().dispensers().isEmpty());

    QVERIFY(!DeliveryFinished::from(ActivityResult::HAS_RESULT));
    QVERIFY(!DeliveryFinished::from(ActivityResult(0, ActivityResult::HasResult)));
    QVERIFY(!DeliveryFinished::from(ActivityResult::ABORT));
}

void PurchaseWidgetsTest::flashingAlternatesWithTheFlashColourWhileVisible()
{
    QWidget window;
    window.setStyleSheet(QStringLiteral("QLabel { color: rgb(0, 128, 0); }"));
    FlashingLabel label(&window);
    label.setText(QStringLiteral("''09"));
    window.show();
    const QColor own(0, 128, 0);
    QCOMPARE(label.currentTextColor(), own);

    label.startFlashing();
    QVERIFY(label.isTimerRunning());
    QCOMPARE(label.currentTextColor(), QColor(Qt::white));
    QTRY_COMPARE(label.currentTextColor(), own);
    QTRY_COMPARE(label.currentTextColor(), QColor(Qt::white));

    // Starting again while flashing changes nothing.
    label.startFlashing();
    QCOMPARE(label.currentTextColor(), QColor(Qt::white));

    label.hide();
    QVERIFY(!label.isTimerRunning());
    label.show();
    QVERIFY(label.isTimerRunning());

    label.stopBlinking();
    QVERIFY(!label.isTimerRunning());
    QVERIFY(!label.isFlashing());
    QCOMPARE(label.currentTextColor(), own);

    // A hidden label starts flashing only when it is shown.
    label.hide();
    label.startFlashing();
    QVERIFY(label.isFlashing());
    QVERIFY(!label.isTimerRunning());
    label.show();
    QVERIFY(label.isTimerRunning());
}

void PurchaseWidgetsTest::panelShowsCreditAndTimeAndFlashesInTheLastTenSeconds()
{
    InformationPanel panel;
    panel.show();
    QCOMPARE(panel.size(), QSize(534, 386));
    panel.setCredit(1234);
    QCOMPARE(panel.creditText(), QStringLiteral("12,34"));
    panel.setCredit(5);
    QCOMPARE(panel.creditText(), QStringLiteral("0,05"));

    panel.setCountdownValue(45);
    QCOMPARE(panel.countdownText(), QStringLiteral("''45"));
    QVERIFY(!panel.isCountdownFlashing());
    panel.setCountdownValue(11);
    QVERIFY(!panel.isCountdownFlashing());
    panel.setCountdownValue(10);
    QVERIFY(panel.isCountdownFlashing());
    panel.setCountdownValue(2);
    QCOMPARE(panel.countdownText(), QStringLiteral("''02"));
    QVERIFY(panel.isCountdownFlashing());
    // A refreshed countdown is steady again.
    panel.setCountdownValue(60);
    QVERIFY(!panel.isCountdownFlashing());
}

void PurchaseWidgetsTest::panelChangeAndTicketStates()
{
    InformationPanel panel;
    panel.show();
    panel.setMaxChange(500);
    panel.setChangeAvailable(true);
    QCOMPARE(panel.changeText(), QString::fromUtf8("RESTO MASSIMO EROGABILE\n€ 5,00"));
    QVERIFY(!panel.isChangeFlashing());
    panel.setMaxChange(250);
    QCOMPARE(panel.changeText(), QString::fromUtf8("RESTO MASSIMO EROGABILE\n€ 2,50"));

    panel.setChangeAvailable(false);
    QCOMPARE(panel.changeText(), QStringLiteral("RESTO NON DISPONIBILE"));
    QVERIFY(panel.isChangeFlashing());
    panel.setMaxChange(600);
    QCOMPARE(panel.changeText(), QStringLiteral("RESTO NON DISPONIBILE"));

    panel.setTicketAvailable(true);
    QVERIFY(!panel.isTicketWarningShown());
    panel.setTicketAvailable(false);
    QVERIFY(panel.isTicketWarningShown());
}

void PurchaseWidgetsTest::panelEndsTheSessionAndFollowsTheLanguage()
{
    InformationPanel panel;
    panel.show();
    QSignalSpy ended(&panel, &InformationPanel::endSessionTriggered);
    QCOMPARE(panel.endSessionArea()->geometry().bottom() < panel.height(), true);
    QTest::mouseClick(panel.endSessionArea(), Qt::LeftButton);
    QCOMPARE(ended.count(), 1);
    // Touching the credit does nothing.
    QTest::mouseClick(&panel, Qt::LeftButton, {}, QPoint(267, 110));
    QCOMPARE(ended.count(), 1);

    QTranslator english;
    QVERIFY(VM24::load_translation(english, QStringLiteral("en")));
    QCoreApplication::installTranslator(&english);
    QCoreApplication::processEvents();
    QCOMPARE(panel.changeText(), QStringLiteral("CHANGE NOT AVAILABLE"));
    const QList<QLabel*> labels = panel.findChildren<QLabel*>();
    const bool creditCaptionTranslated = std::any_of(labels.begin(), labels.end(), [](QLabel* label) {
        return label->text() == QStringLiteral("CREDIT (EURO):");
    });
    QVERIFY(creditCaptionTranslated);
    QCoreApplication::removeTranslator(&english);
}

void PurchaseWidgetsTest::productButtonShowsTheSelectionNumberPerPolicy()
{
    ProductButton button;
    QCOMPARE(button.size(), QSize(269, 317));
    button.setIndex(4);
    QVERIFY(!button.isIndexShown());
    button.setIndexVisibilityPolicy(ProductButton::IndexAlways);
    QVERIFY(button.isIndexShown());
    button.setIndexVisibilityPolicy(ProductButton::IndexWhenDisabled);
    QVERIFY(!button.isIndexShown());
    button.setEnabled(false);
    QVERIFY(button.isIndexShown());

    // The number drawn is the selection plus one.
    const QImage withIndex = button.grab().toImage();
    button.setIndexVisibilityPolicy(ProductButton::IndexNever);
    const QImage withoutIndex = button.grab().toImage();
    QVERIFY(withIndex.copy(17, 15, 64, 52) != withoutIndex.copy(17, 15, 64, 52));
    QCOMPARE(withIndex.copy(0, 100, 269, 217), withoutIndex.copy(0, 100, 269, 217));
}

void PurchaseWidgetsTest::productButtonDrawsPriceAndDisabledState()
{
    QPixmap thumbnail(192, 192);
    thumbnail.fill(QColor(0, 160, 0));
    ProductButton button;
    button.setImage(thumbnail);
    const QImage noPrice = button.grab().toImage();
    button.setPrice(250);
    const QImage enabled = button.grab().toImage();
    QVERIFY(noPrice.copy(17, 228, 235, 62) != enabled.copy(17, 228, 235, 62));
    // The thumbnail sits centred in its tile at its own size.
    QCOMPARE(enabled.pixelColor(134, 117), QColor(0, 160, 0));
    QVERIFY(enabled.pixelColor(134, 117 - 100) != QColor(0, 160, 0));

    button.setEnabled(false);
    const QImage disabled = button.grab().toImage();
    QVERIFY(disabled.pixelColor(134, 117) != QColor(0, 160, 0));

    button.setEnabled(true);
    button.setDown(true);
    QVERIFY(button.grab().toImage().pixelColor(134, 117) != QColor(0, 160, 0));
}

void PurchaseWidgetsTest::suggestionButtonDrawsPictureAndPrice()
{
    SuggestionButton button;
    QImage picture(480, 600, QImage::Format_RGB32);
    picture.fill(QColor(200, 0, 0));
    button.setImage(picture);
    button.setPrice(350);
    const QImage drawn = button.grab().toImage();
    QCOMPARE(drawn.pixelColor(170, 230), QColor(200, 0, 0));
    QVERIFY(drawn.pixelColor(170, 500) != QColor(200, 0, 0));
    button.setPrice(990);
    QVERIFY(button.grab().toImage().copy(20, 456, 300, 84) != drawn.copy(20, 456, 300, 84));
}

QTEST_MAIN(PurchaseWidgetsTest)
#include "tst_purchasewidgets.moc"
