#include "ui/interactivemessagedialog.h"
#include "ui/longrunningoperation.h"
#include "ui/startup.h"
#include "ui/taskwatcherdialog.h"
#include "ui/yesnodialog.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QSemaphore>
#include <QTranslator>
#include <QtTest>

#include <optional>

namespace {

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

} // namespace

// Qt's coarse timers may fire up to 5 % early: time checks allow 10 %.
class DialogsTest : public QObject
{
    Q_OBJECT

private slots:
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
        QSignalSpy finished(&dialog, &QDialog::finished);
        dialog.setAutoclose(200);
        driver.rejectAfter(5000);
        QElapsedTimer elapsed;
        elapsed.start();
        dialog.open();
        QVERIFY(finished.wait(6000));
        QCOMPARE(finished.first().first().toInt(), int(QDialog::Accepted));
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

    // The messages open, return, and tell when they have closed.
    void temporaryMessageIgnoresTouches()
    {
        ModalDriver driver;
        driver.touchAfter(50);
        driver.touchAfter(150);
        driver.rejectAfter(5000);
        QElapsedTimer elapsed;
        elapsed.start();
        qint64 closedAfter = -1;
        QPointer<InteractiveMessageDialog> dialog = InteractiveMessageDialog::showTemporary(
            QStringLiteral("CREDITO INSUFFICIENTE"), QString(), 400, nullptr,
            [&] { closedAfter = elapsed.elapsed(); });
        QVERIFY(dialog);
        QVERIFY(dialog->isVisible());
        QSignalSpy accepted(dialog.data(), &QDialog::accepted);
        QTRY_VERIFY_WITH_TIMEOUT(closedAfter >= 0, 6000);
        QCOMPARE(accepted.count(), 1);
        QVERIFY(closedAfter >= 360);
        // It deletes itself once closed.
        QTRY_VERIFY(!dialog);
    }

    void interactiveMessageClosesAtTheFirstTouchOrAfterItsTime()
    {
        ModalDriver driver;
        driver.touchAfter(100);
        driver.rejectAfter(5000);
        QElapsedTimer elapsed;
        elapsed.start();
        qint64 closedAfter = -1;
        InteractiveMessageDialog::showInteractive(QStringLiteral("CREDITO INSUFFICIENTE"),
                                                  QStringLiteral("Tocca questo riquadro per continuare"), 3000,
                                                  nullptr, [&] { closedAfter = elapsed.elapsed(); });
        QTRY_VERIFY_WITH_TIMEOUT(closedAfter >= 0, 6000);
        QVERIFY(closedAfter < 2500);

        ModalDriver later;
        later.rejectAfter(5000);
        elapsed.restart();
        closedAfter = -1;
        InteractiveMessageDialog* dialog = InteractiveMessageDialog::showInteractive(
            QStringLiteral("Messaggio"), QString(), 300, nullptr, [&] { closedAfter = elapsed.elapsed(); });
        QSignalSpy accepted(dialog, &QDialog::accepted);
        QTRY_VERIFY_WITH_TIMEOUT(closedAfter >= 0, 6000);
        QCOMPARE(accepted.count(), 1);
        QVERIFY(closedAfter >= 270);
        QVERIFY(closedAfter < 4500);
    }

    void yesNoDialogAnswers()
    {
        YesNoDialog dialog(QStringLiteral("Vuoi procedere con l'azzeramento?"),
                           QStringLiteral("Questa operazione è irreversibile"));
        dialog.setButtonTexts(QStringLiteral("Procedi"), QStringLiteral("Annulla"));
        QCOMPARE(dialog.yesButton()->text(), QStringLiteral("Procedi"));
        QCOMPARE(dialog.noButton()->text(), QStringLiteral("Annulla"));

        QSignalSpy finished(&dialog, &QDialog::finished);
        dialog.open();
        dialog.yesButton()->click();
        dialog.open();
        dialog.noButton()->click();
        QCOMPARE(finished.count(), 2);
        QCOMPARE(finished.at(0).first().toInt(), int(QDialog::Accepted));
        QCOMPARE(finished.at(1).first().toInt(), int(QDialog::Rejected));

        // A touch on the box itself answers nothing.
        dialog.show();
        QTest::mouseClick(&dialog, Qt::LeftButton);
        QVERIFY(dialog.isVisible());
        dialog.hide();
    }

    void yesNoAskReportsTheAnswer()
    {
        QList<bool> answers;
        const auto ask = [&answers] {
            YesNoDialog::ask(QStringLiteral("Domanda"), QString(), QStringLiteral("Procedi"), QStringLiteral("Annulla"),
                             nullptr, [&answers](bool yes) { answers.append(yes); });
            return qobject_cast<YesNoDialog*>(QApplication::activeModalWidget());
        };
        YesNoDialog* dialog = ask();
        QVERIFY(dialog);
        QCOMPARE(dialog->yesButton()->text(), QStringLiteral("Procedi"));
        QVERIFY(answers.isEmpty());
        dialog->yesButton()->click();
        QCOMPARE(answers, QList<bool>({true}));
        dialog = ask();
        QVERIFY(dialog);
        dialog->noButton()->click();
        // A box closed otherwise counts as "no".
        QPointer<YesNoDialog> third = ask();
        QVERIFY(third);
        third->reject();
        QCOMPARE(answers, QList<bool>({true, false, false}));
        QTRY_VERIFY(!third);
    }

    // The boxes that now open and return look as before, in both languages,
    // over a full screen: the accounting page's question and a wait box. The
    // pictures stay in tests/screens.
    void openedBoxesLookRightInBothLanguages()
    {
        QVERIFY(VM24::install_style_sheet(*qApp));
        const QString screens = QCoreApplication::applicationDirPath() + QStringLiteral("/screens");
        QDir().mkpath(screens);
        QWidget screen;
        screen.setFixedSize(1080, 1920);
        screen.show();
        QVERIFY(QTest::qWaitForWindowExposed(&screen));
        const auto translated = [](const char* text) { return QCoreApplication::translate("AccountingPage", text); };
        for (const QString& language : {QStringLiteral("it"), QStringLiteral("en")}) {
            QTranslator translator;
            QVERIFY(VM24::load_translation(translator, language));
            QCoreApplication::installTranslator(&translator);
            std::optional<bool> answer;
            YesNoDialog::ask(translated("Vuoi procedere con l'azzeramento?"), translated("Questa operazione è irreversibile"),
                             translated("Procedi"), translated("Annulla"), &screen,
                             [&answer](bool yes) { answer = yes; });
            auto* question = qobject_cast<YesNoDialog*>(QApplication::activeModalWidget());
            QVERIFY(question);
            QVERIFY(QTest::qWaitForWindowExposed(question));
            QCOMPARE(question->windowModality(), Qt::WindowModal);
            QCOMPARE(question->yesButton()->text(),
                     language == QLatin1String("en") ? QStringLiteral("Proceed") : QStringLiteral("Procedi"));
            for (QPushButton* button : {question->yesButton(), question->noButton()})
                QVERIFY(button->width() >= button->sizeHint().width());
            question->grab().save(QStringLiteral("%1/question-%2.png").arg(screens, language));
            question->noButton()->click();
            QCOMPARE(answer, std::optional<bool>(false));

            QSemaphore release;
            bool done = false;
            VM24::long_running_operation(QtConcurrent::run([&release] { release.tryAcquire(1, 10000); }), &screen,
                                         translated("Azzeramento parziali"), translated("Attendere prego"),
                                         [&done] { done = true; });
            auto* box = qobject_cast<MessageDialog*>(QApplication::activeModalWidget());
            QVERIFY(box);
            QVERIFY(QTest::qWaitForWindowExposed(box));
            QCOMPARE(box->text(), translated("Azzeramento parziali"));
            box->grab().save(QStringLiteral("%1/wait-box-%2.png").arg(screens, language));
            release.release();
            QTRY_VERIFY(done);
            QCoreApplication::removeTranslator(&translator);
        }
    }
};

QTEST_MAIN(DialogsTest)
#include "tst_dialogs.moc"
