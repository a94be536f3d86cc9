#include "ui/informationpanel.h"
#include "ui/productbutton.h"
#include "ui/startup.h"
#include "ui/suggestionbutton.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QTranslator>
#include <QtTest>

// Renders the purchase screens' widgets with the real style sheet, in
// Italian and in English, keeps the pictures under tests/screens in the
// build tree and checks that no text is cut.
class PurchaseScreensTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void informationPanel_data();
    void informationPanel();

private:
    QString m_screens;
};

void PurchaseScreensTest::initTestCase()
{
    QVERIFY(VM24::install_style_sheet(*qApp));
    m_screens = QCoreApplication::applicationDirPath() + QStringLiteral("/screens");
    QDir().mkpath(m_screens);
}

void PurchaseScreensTest::informationPanel_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<bool>("changeAvailable");
    QTest::newRow("it, change") << QStringLiteral("it") << true;
    QTest::newRow("en, change") << QStringLiteral("en") << true;
    QTest::newRow("it, no change") << QStringLiteral("it") << false;
    QTest::newRow("en, no change") << QStringLiteral("en") << false;
}

void PurchaseScreensTest::informationPanel()
{
    QFETCH(QString, language);
    QFETCH(bool, changeAvailable);
    QTranslator translator;
    VM24::load_translation(translator, language);
    QCoreApplication::installTranslator(&translator);

    QWidget page;
    page.setFixedSize(1080, 420);
    page.setObjectName(QStringLiteral("page"));
    page.setStyleSheet(QStringLiteral("#page { background: #0a1630; }"));
    InformationPanel panel(&page);
    panel.move(InformationPanel::PANEL_POSITION);
    panel.setCredit(1250);
    panel.setCountdownValue(45);
    panel.setMaxChange(500);
    panel.setChangeAvailable(changeAvailable);
    panel.setTicketAvailable(changeAvailable);
    page.show();
    QCoreApplication::processEvents();

    // Every label's text fits its box.
    for (QLabel* label : panel.findChildren<QLabel*>()) {
        if (label->isHidden() || label->text().isEmpty())
            continue;
        const QSize needed = label->sizeHint();
        QVERIFY2(needed.width() <= label->width() + 2, qPrintable(label->text()));
        QVERIFY2(needed.height() <= label->height() + 2, qPrintable(label->text()));
    }
    page.grab().save(QStringLiteral("%1/panel-%2-%3.png")
                         .arg(m_screens, language, changeAvailable ? QStringLiteral("change") : QStringLiteral("nochange")));
    QCoreApplication::removeTranslator(&translator);
}

QTEST_MAIN(PurchaseScreensTest)
#include "tst_purchasescreens.moc"
