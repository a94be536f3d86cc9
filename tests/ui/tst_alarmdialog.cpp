#include "ui/alarmdialog.h"

#include "ui/startup.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QTranslator>
#include <QtTest>

namespace {

int line_height(const AlarmDialog& dialog)
{
    // Every alarm label has the same font; take it from the first one.
    const_cast<AlarmDialog&>(dialog).ensurePolished();
    const QList<QLabel*> labels = dialog.findChildren<QLabel*>();
    for (QLabel* label : labels) {
        if (label->property("class").toString().isEmpty())
            return QFontMetrics(label->font()).height();
    }
    return -1;
}

} // namespace

class AlarmDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(VM24::install_style_sheet(*qApp));
    }

    void showsTheFirstFourAlarmsInTableOrder()
    {
        AlarmDialog dialog;
        QCOMPARE(dialog.title(), QStringLiteral("Momentaneamente\nfuori servizio"));
        QCOMPARE(dialog.property("class").toString(), QStringLiteral("error-dialog"));

        dialog.setAlarms(VM24::BoardUnresponsiveAlarm | VM24::TamperAlarm | VM24::CannotAcceptMoneyAlarm
                         | VM24::ProductsNotAvailableAlarm | VM24::TouchscreenDisconnectedAlarm
                         | VM24::BatteryPowerAlarm);
        QCOMPARE(dialog.shownTexts(), (QStringList{"Macchina manomessa", "Funzionamento a batteria",
                                                   "Prodotti non disponibili", "Impossibile immettere credito"}));
    }

    void heightGrowsByOneLinePerText()
    {
        AlarmDialog dialog;
        const int line = line_height(dialog);
        // The style sheet's label size, not the default font.
        QVERIFY2(line >= 28, qPrintable(QString::number(line)));

        QCOMPARE(dialog.height(), AlarmDialog::BASE_HEIGHT);
        dialog.setAlarmStrings({QStringLiteral("uno")});
        QCOMPARE(dialog.height(), AlarmDialog::BASE_HEIGHT + line);
        QCOMPARE(dialog.shownTexts(), QStringList{"uno"});
        dialog.setAlarmStrings({"a", "b", "c", "d", "e"});
        QCOMPARE(dialog.height(), AlarmDialog::BASE_HEIGHT + 4 * line);
        QCOMPARE(dialog.minimumHeight(), dialog.maximumHeight());
        dialog.setAlarmStrings({"a", "b"});
        QCOMPARE(dialog.height(), AlarmDialog::BASE_HEIGHT + 2 * line);
        QCOMPARE(dialog.shownTexts(), (QStringList{"a", "b"}));
    }

    // Shown on screen, the title and every text fit inside the dialog.
    void nothingIsClipped()
    {
        AlarmDialog dialog;
        dialog.setAlarms(VM24::TamperAlarm | VM24::ProductsNotAvailableAlarm | VM24::CannotAcceptMoneyAlarm
                         | VM24::TouchscreenDisconnectedAlarm);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const QList<QLabel*> labels = dialog.findChildren<QLabel*>();
        QCOMPARE(labels.size(), 1 + AlarmDialog::LABEL_COUNT);
        for (QLabel* label : labels) {
            QVERIFY(dialog.rect().contains(label->geometry()));
            QVERIFY2(label->height() >= label->heightForWidth(label->width()), qPrintable(label->text()));
        }
        if (!qEnvironmentVariableIsEmpty("VM24_SCREENSHOT_DIR"))
            dialog.grab().save(qEnvironmentVariable("VM24_SCREENSHOT_DIR") + QStringLiteral("/alarm-dialog.png"));
    }

    void followsTheLanguage()
    {
        AlarmDialog dialog;
        dialog.setAlarms(VM24::TamperAlarm);
        QTranslator english;
        QVERIFY(english.load(QStringLiteral(":/i18n/en")));
        QCoreApplication::installTranslator(&english);
        QCoreApplication::processEvents();
        const QString title = dialog.title();
        const QString tamper = dialog.shownTexts().value(0);
        QCoreApplication::removeTranslator(&english);
        QCoreApplication::processEvents();
        QCOMPARE(tamper, QStringLiteral("Machine tampered with"));
        QVERIFY(!title.isEmpty());
        QCOMPARE(dialog.title(), QStringLiteral("Momentaneamente\nfuori servizio"));
        QCOMPARE(dialog.shownTexts(), QStringList{"Macchina manomessa"});
    }
};

QTEST_MAIN(AlarmDialogTest)
#include "tst_alarmdialog.moc"
