// The on-screen pads and keyboard as an operator types on them: what a key
// shows, when enter is enabled, and what a field stores once a pad is
// accepted. Pads are driven through their buttons.

#include "input/codeeditfield.h"
#include "input/confirmationdialog.h"
#include "input/dateeditfield.h"
#include "input/datepad.h"
#include "input/ipaddresspad.h"
#include "input/numericeditfield.h"
#include "input/numpad.h"
#include "input/priceeditfield.h"
#include "input/pricenumpad.h"
#include "input/texteditfield.h"
#include "input/timepad.h"
#include "input/twostatebutton.h"
#include "input/virtualkey.h"
#include "input/virtualkeyboard.h"
#include "modaldialog.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace {

void type(AbstractNumPad& pad, const QString& keys)
{
    for (QChar key : keys) {
        if (key.isDigit())
            pad.onDigitClicked(key.digitValue());
        else
            pad.onSpecialClicked();
    }
}

} // namespace

class PadsTest : public QObject
{
    Q_OBJECT

private slots:
    void pricePadReplacesThenAppends()
    {
        PriceNumPad pad;
        pad.setValue(1250);
        QCOMPARE(pad.text(), QStringLiteral("12,50"));
        type(pad, QStringLiteral("3"));
        QCOMPARE(pad.text(), QStringLiteral("3"));
        type(pad, QStringLiteral(",5"));
        QCOMPARE(pad.text(), QStringLiteral("3,5"));
        QCOMPARE(pad.value(), 350);
        QVERIFY(pad.enterButton()->isEnabled());
    }

    void pricePadKeepsToItsMaximum()
    {
        PriceNumPad pad(500);
        type(pad, QStringLiteral("5,01"));
        QCOMPARE(pad.text(), QStringLiteral("5,01"));
        QVERIFY(!pad.enterButton()->isEnabled());
        pad.onBackspaceClicked();
        type(pad, QStringLiteral("0"));
        QVERIFY(pad.enterButton()->isEnabled());
        type(pad, QStringLiteral("7"));
        QCOMPARE(pad.text(), QStringLiteral("5,00"));
        pad.clearText();
        type(pad, QStringLiteral("07"));
        QCOMPARE(pad.text(), QStringLiteral("0"));
    }

    void timePadAcceptsOnlyATime()
    {
        TimePad pad;
        pad.setTime(QTime(8, 30));
        pad.clearText();
        QCOMPARE(pad.text(), QString());
        type(pad, QStringLiteral("3"));
        QCOMPARE(pad.text(), QString());
        type(pad, QStringLiteral("2"));
        QVERIFY(!pad.enterButton()->isEnabled());
        type(pad, QStringLiteral("3:"));
        QCOMPARE(pad.text(), QStringLiteral("23:"));
        QVERIFY(!pad.enterButton()->isEnabled());
        type(pad, QStringLiteral("596"));
        QCOMPARE(pad.text(), QStringLiteral("23:59"));
        QVERIFY(pad.enterButton()->isEnabled());
        QCOMPARE(pad.time(), QTime(23, 59));
    }

    void ipPadNeedsPartsUpTo255()
    {
        IpAddressPad pad;
        type(pad, QStringLiteral("192.168.1.256"));
        QCOMPARE(pad.text(), QStringLiteral("192.168.1.256"));
        QVERIFY(!pad.enterButton()->isEnabled());
        pad.onBackspaceClicked();
        pad.onBackspaceClicked();
        type(pad, QStringLiteral("55"));
        QVERIFY(pad.enterButton()->isEnabled());
        type(pad, QStringLiteral("1"));
        QCOMPARE(pad.text(), QStringLiteral("192.168.1.255"));
    }

    void numPadKeepsToItsLimits()
    {
        NumPad pad(0, 100);
        type(pad, QStringLiteral("101"));
        QVERIFY(!pad.enterButton()->isEnabled());
        pad.clearText();
        type(pad, QStringLiteral("100"));
        QVERIFY(pad.enterButton()->isEnabled());
        // An invalid text handed in is not shown.
        pad.setText(QStringLiteral("abc"));
        QCOMPARE(pad.text(), QStringLiteral("100"));
    }

    void keyboardModes()
    {
        VirtualKeyboard keyboard;
        QCOMPARE(int(strlen(VirtualKeyboard::CHARACTERS)), VirtualKeyboard::KEY_COUNT);
        keyboard.altButton()->click();
        for (QChar c : QStringLiteral("sdfghjklzxcvbnm"))
            QVERIFY2(!keyboard.keyFor(c)->isEnabled(), qPrintable(QString(c)));
        QVERIFY(keyboard.keyFor(QLatin1Char('a'))->isEnabled());
        keyboard.keyFor(QLatin1Char('1'))->click();
        keyboard.keyFor(QLatin1Char('e'))->click();
        keyboard.keyFor(QLatin1Char(','))->click();
        keyboard.altButton()->click();
        keyboard.shiftButton()->click();
        keyboard.keyFor(QLatin1Char('q'))->click();
        keyboard.keyFor(QLatin1Char('7'))->click();
        keyboard.spaceBar()->click();
        QCOMPARE(keyboard.text(), QStringLiteral("!\u00e8;Q7 "));
        keyboard.backspaceButton()->click();
        QCOMPARE(keyboard.text(), QStringLiteral("!\u00e8;Q7"));
    }

    void textFieldStopsAtItsLimit()
    {
        QWidget form;
        TextEditField field(&form);
        field.setCharacterLimit(24);
        field.setValue(QString(30, QLatin1Char('x')));
        QCOMPARE(field.value().size(), 24);
        QSignalSpy finished(&field, &EditField::editingFinished);
        field.click();
        answer_open_dialog<VirtualKeyboard>([](VirtualKeyboard* keyboard) {
            QVERIFY(keyboard->enterButton()->isEnabled());
            keyboard->keyFor(QLatin1Char('y'))->click();
            QCOMPARE(keyboard->text().size(), 24);
            keyboard->backspaceButton()->click();
            keyboard->keyFor(QLatin1Char('y'))->click();
            keyboard->enterButton()->click();
        });
        QCOMPARE(finished.count(), 1);
        QCOMPARE(field.value(), QString(23, QLatin1Char('x')) + QLatin1Char('y'));
    }

    void fieldsStoreThroughTheirSetters()
    {
        QWidget form;
        NumericEditField number(&form);
        number.setLimits(10, 20);
        QCOMPARE(number.value(), 10);
        number.setValue(30);
        QCOMPARE(number.value(), 10);
        number.setAffix(QStringLiteral(" sec"));
        QCOMPARE(number.text(), QStringLiteral("10 sec"));

        // A five-digit code takes no sixth digit, neither set nor typed.
        CodeEditField serial(5, &form);
        serial.setValue(42);
        QCOMPARE(serial.text(), QStringLiteral("00042"));
        serial.setValue(100000);
        QCOMPARE(serial.value(), 42);
        serial.click();
        answer_open_dialog<NumPad>([](NumPad* pad) {
            type(*pad, QStringLiteral("100000"));
            QCOMPARE(pad->text(), QStringLiteral("10000"));
            pad->enterButton()->click();
        });
        QCOMPARE(serial.text(), QStringLiteral("10000"));

        PriceEditField price(&form);
        price.setValue(1250);
        QSignalSpy finished(&price, &EditField::editingFinished);
        price.click();
        answer_open_dialog<PriceNumPad>([](PriceNumPad* pad) {
            QCOMPARE(pad->text(), QStringLiteral("12,50"));
            type(*pad, QStringLiteral("3,5"));
            pad->enterButton()->click();
        });
        QCOMPARE(finished.count(), 1);
        QCOMPARE(price.value(), 350);
        QCOMPARE(price.text(), QStringLiteral("3,50"));
    }

    // The date field stores what the pad accepted only when it is a real
    // date; a cancelled pad changes nothing and tells nobody.
    void dateFieldStoresOnlyRealDates()
    {
        QWidget form;
        DateEditField date(&form);
        date.setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
        date.setDate(QDate(2026, 3, 1));
        QSignalSpy finished(&date, &EditField::editingFinished);
        date.click();
        answer_open_dialog<DatePad>([](DatePad* pad) {
            type(*pad, QStringLiteral("15/08/2027"));
            pad->reject();
        });
        QCOMPARE(finished.count(), 0);
        QCOMPARE(date.date(), QDate(2026, 3, 1));

        date.click();
        answer_open_dialog<DatePad>([](DatePad* pad) {
            QCOMPARE(pad->text(), QStringLiteral("01/03/2026"));
            type(*pad, QStringLiteral("15/08/2027"));
            pad->enterButton()->click();
        });
        QCOMPARE(finished.count(), 1);
        QCOMPARE(date.date(), QDate(2027, 8, 15));
        QCOMPARE(date.text(), QStringLiteral("15/08/2027"));

        date.click();
        answer_open_dialog<DatePad>([](DatePad* pad) {
            type(*pad, QStringLiteral("31/02/2027"));
            if (pad->enterButton()->isEnabled())
                pad->enterButton()->click();
            else
                pad->reject();
        });
        QCOMPARE(finished.count(), 1);
        QCOMPARE(date.date(), QDate(2027, 8, 15));
        QCOMPARE(date.text(), QStringLiteral("15/08/2027"));
    }

    void switchAndConfirmation()
    {
        TwoStateButton button(QStringLiteral("on"), QStringLiteral("off"));
        QCOMPARE(button.text(), QStringLiteral("off"));
        button.click();
        QCOMPARE(button.text(), QStringLiteral("on"));

        // Each answer closes the box; only "Annulla" does not proceed.
        QList<bool> answers;
        const auto answer = [&answers](QAbstractButton* (ConfirmationDialog::*button)() const) {
            ConfirmationDialog::ask(nullptr, [&answers](bool save) { answers.append(save); });
            auto* dialog = qobject_cast<ConfirmationDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            QPointer<ConfirmationDialog> open(dialog);
            (dialog->*button)()->click();
            QTRY_VERIFY(!open);
        };
        answer(&ConfirmationDialog::discardButton);
        answer(&ConfirmationDialog::saveButton);
        answer(&ConfirmationDialog::cancelButton);
        QCOMPARE(answers, QList<bool>({false, true}));
    }
};

QTEST_MAIN(PadsTest)
#include "tst_pads.moc"
