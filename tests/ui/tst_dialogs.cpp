#include "ui/eventwaiterdialog.h"
#include "ui/interactivemessagedialog.h"
#include "ui/taskwatcherdialog.h"
#include "ui/valueeventwaiterdialog.h"
#include "ui/yesnodialog.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QThread>
#include <QtTest>

namespace {

using IntEvent = ValueEvent<int>;

// Acts on the modal dialog on screen after a delay. Pending actions are
// dropped with the driver, so they never reach a later test's dialog.
class ModalDriver
{
public:
    // Touches (presses and releases) the dialog.
    void touchAfter(int ms)
    {
        QTimer::singleShot(ms, &m_context, [] {
            if (QWidget* dialog = QApplication::activeModalWidget())
                QTest::mouseClick(dialog, Qt::LeftButton);
        });
    }

    // Rejects a dialog still open, so one that fails to close itself fails
    // the test instead of hanging it.
    void rejectAfter(int ms)
    {
        QTimer::singleShot(ms, &m_context, [] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                dialog->reject();
        });
    }

    void answerAfter(int ms, bool yes)
    {
        QTimer::singleShot(ms, &m_context, [yes] {
            if (auto* dialog = qobject_cast<YesNoDialog*>(QApplication::activeModalWidget()))
                (yes ? dialog->yesButton() : dialog->noButton())->click();
        });
    }

private:
    QObject m_context;
};

// Posts an event to the receiver from a thread of its own after a delay, the
// way a worker reports its result.
QThread* postFromWorkerAfter(QObject* receiver, QEvent* event, int ms)
{
    QThread* worker = QThread::create([receiver, event, ms] {
        QThread::msleep(static_cast<unsigned long>(ms));
        QCoreApplication::postEvent(receiver, event);
    });
    worker->start();
    return worker;
}

} // namespace

// Qt's coarse timers may fire up to 5 % early: time checks allow 10 %.
class DialogsTest : public QObject
{
    Q_OBJECT

private slots:
    void eventWaiterClosesOnAnEventPostedByAWorker()
    {
        ModalDriver driver;
        EventWaiterDialog dialog(QStringLiteral("Azzeramento totali"), QStringLiteral("Attendere prego"));
        QCOMPARE(dialog.text(), QStringLiteral("Azzeramento totali"));
        QCOMPARE(dialog.subtitle(), QStringLiteral("Attendere prego"));

        QElapsedTimer elapsed;
        elapsed.start();
        std::unique_ptr<QThread> worker(postFromWorkerAfter(&dialog, new QEvent(QEvent::User), 150));
        driver.rejectAfter(5000);

        QCOMPARE(dialog.exec(), int(QDialog::Accepted));
        QVERIFY(elapsed.elapsed() >= 140);
        QVERIFY(worker->wait(5000));
    }

    void valueEventWaiterKeepsTheValueThatClosedIt()
    {
        ModalDriver driver;
        ValueEventWaiterDialog<IntEvent> dialog(QStringLiteral("Stampa"), QStringLiteral("Attendere prego"));
        QVERIFY(!dialog.hasValue());
        std::unique_ptr<QThread> worker(postFromWorkerAfter(&dialog, new IntEvent(42), 50));
        driver.rejectAfter(5000);

        QCOMPARE(dialog.exec(), int(QDialog::Accepted));
        QVERIFY(dialog.hasValue());
        QCOMPARE(dialog.value(), 42);
        QVERIFY(worker->wait(5000));

        // Another custom event closes it too, but is not taken for a value.
        dialog.clearValue();
        std::unique_ptr<QThread> other(postFromWorkerAfter(&dialog, new QEvent(QEvent::Type(QEvent::User + 10)), 50));
        driver.rejectAfter(5000);
        QCOMPARE(dialog.exec(), int(QDialog::Accepted));
        QVERIFY(!dialog.hasValue());
        QCOMPARE(dialog.value(), 0);
        QVERIFY(other->wait(5000));
    }

    void taskWatcherClosesOnTouchOnlyWhenAsked()
    {
        TaskWatcherDialog dialog(QStringLiteral("Messaggio"), QStringLiteral("Tocca per chiudere"));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));

        QTest::mouseClick(&dialog, Qt::LeftButton);
        QVERIFY(dialog.isVisible());

        dialog.setClosesOnTouch(true);
        // A touch on the message itself counts: the labels pass it on.
        QLabel* message = dialog.findChildren<QLabel*>().value(0);
        QVERIFY(message);
        QTest::mouseClick(message, Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    void taskWatcherAutocloseAcceptsAfterItsTime()
    {
        ModalDriver driver;
        TaskWatcherDialog dialog;
        dialog.setAutoclose(200);
        driver.rejectAfter(5000);
        QElapsedTimer elapsed;
        elapsed.start();
        QCOMPARE(dialog.exec(), int(QDialog::Accepted));
        QVERIFY(elapsed.elapsed() >= 180);
        QVERIFY(elapsed.elapsed() < 5000);
        QVERIFY(!dialog.isAutocloseRunning());
    }

    void taskWatcherClosedEarlyNeverFiresLater()
    {
        TaskWatcherDialog dialog;
        QSignalSpy accepted(&dialog, &QDialog::accepted);
        dialog.setAutoclose(150);
        dialog.show();
        QVERIFY(dialog.isAutocloseRunning());
        dialog.reject();
        QVERIFY(!dialog.isAutocloseRunning());

        QTest::qWait(400);
        QCOMPARE(accepted.count(), 0);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));

        // Shown again, it counts its time afresh.
        dialog.show();
        QTRY_COMPARE_WITH_TIMEOUT(accepted.count(), 1, 10000);
        QVERIFY(!dialog.isVisible());
    }

    void temporaryMessageIgnoresTouches()
    {
        ModalDriver driver;
        driver.touchAfter(50);
        driver.touchAfter(150);
        driver.rejectAfter(5000);
        QElapsedTimer elapsed;
        elapsed.start();
        const int result = InteractiveMessageDialog::showTemporary(QStringLiteral("CREDITO INSUFFICIENTE"),
                                                                   QString(), 400);
        QCOMPARE(result, int(QDialog::Accepted));
        QVERIFY(elapsed.elapsed() >= 360);
    }

    void interactiveMessageClosesAtTheFirstTouchOrAfterItsTime()
    {
        ModalDriver driver;
        driver.touchAfter(100);
        driver.rejectAfter(5000);
        QElapsedTimer elapsed;
        elapsed.start();
        QCOMPARE(InteractiveMessageDialog::showInteractive(QStringLiteral("CREDITO INSUFFICIENTE"),
                                                           QStringLiteral("Tocca questo riquadro per continuare"), 3000),
                 int(QDialog::Accepted));
        QVERIFY(elapsed.elapsed() < 2500);

        elapsed.restart();
        QCOMPARE(InteractiveMessageDialog::showInteractive(QStringLiteral("Messaggio"), QString(), 300),
                 int(QDialog::Accepted));
        QVERIFY(elapsed.elapsed() >= 270);
        QVERIFY(elapsed.elapsed() < 4500);
    }

    void yesNoDialogAnswers()
    {
        YesNoDialog dialog(QStringLiteral("Vuoi procedere con l'azzeramento?"),
                           QStringLiteral("Questa operazione è irreversibile"));
        dialog.setButtonTexts(QStringLiteral("Procedi"), QStringLiteral("Annulla"));
        QCOMPARE(dialog.yesButton()->text(), QStringLiteral("Procedi"));
        QCOMPARE(dialog.noButton()->text(), QStringLiteral("Annulla"));

        QTimer::singleShot(50, &dialog, [&] { dialog.yesButton()->click(); });
        QCOMPARE(dialog.exec(), int(QDialog::Accepted));
        QTimer::singleShot(50, &dialog, [&] { dialog.noButton()->click(); });
        QCOMPARE(dialog.exec(), int(QDialog::Rejected));

        // A touch on the box itself answers nothing.
        dialog.show();
        QTest::mouseClick(&dialog, Qt::LeftButton);
        QVERIFY(dialog.isVisible());
        dialog.hide();
    }

    void yesNoAskReportsTheAnswer()
    {
        ModalDriver driver;
        driver.rejectAfter(5000);
        driver.answerAfter(50, true);
        QVERIFY(YesNoDialog::ask(QStringLiteral("Domanda"), QString(), QStringLiteral("Procedi"),
                                 QStringLiteral("Annulla")));
        driver.answerAfter(50, false);
        QVERIFY(!YesNoDialog::ask(QStringLiteral("Domanda"), QString(), QStringLiteral("Procedi"),
                                  QStringLiteral("Annulla")));
    }
};

QTEST_MAIN(DialogsTest)
#include "tst_dialogs.moc"
