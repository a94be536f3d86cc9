#include "ui/updateprogressdialog.h"

#include "ui/startup.h"

#include <QApplication>
#include <QLabel>
#include <QSignalSpy>
#include <QThread>
#include <QTranslator>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

// Runs one report on a thread of its own, the way an update task does.
void from_worker(const std::function<void()>& report)
{
    std::unique_ptr<QThread> worker(QThread::create(report));
    worker->start();
    QVERIFY(worker->wait(5000));
}

void save_screenshot(QWidget& widget, const QString& name)
{
    if (qEnvironmentVariableIsEmpty("VM24_SCREENSHOT_DIR"))
        return;
    widget.grab().save(qEnvironmentVariable("VM24_SCREENSHOT_DIR") + QLatin1Char('/') + name + QStringLiteral(".png"));
}

// The first label that does not fit the dialog or its own text, or an empty
// string. A new text is laid out at the next turn of the event loop, so the
// tests wait for this to become empty rather than look once.
QString clipped_label(QWidget& dialog)
{
    for (QLabel* label : dialog.findChildren<QLabel*>()) {
        if (!label->isVisible() || label->text().isEmpty())
            continue;
        if (!dialog.rect().contains(label->geometry()) || label->height() < label->heightForWidth(label->width()))
            return label->text();
    }
    return QString();
}

} // namespace

class UpdateProgressDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(VM24::install_style_sheet(*qApp));
    }

    // Stages, counted and uncounted items and the end, all reported from
    // worker threads, in Italian and in English.
    void showsStagesItemsAndCompletion_data()
    {
        QTest::addColumn<QString>("language");
        QTest::newRow("it") << QString();
        QTest::newRow("en") << QStringLiteral(":/i18n/en");
    }

    void showsStagesItemsAndCompletion()
    {
        QFETCH(QString, language);
        QTranslator translator;
        if (!language.isEmpty()) {
            QVERIFY(translator.load(language));
            QCoreApplication::installTranslator(&translator);
        }
        const QString suffix = language.isEmpty() ? QStringLiteral("-it") : QStringLiteral("-en");

        UpdateProgressDialog dialog;
        QSignalSpy accepted(&dialog, &QDialog::accepted);
        dialog.prepare(QStringLiteral("Aggiornamento in corso"), QStringLiteral("Lettura file di aggiornamento in corso..."), 2);
        QCOMPARE(dialog.userLevel(), 2);
        dialog.setRestartRequired(true);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        save_screenshot(dialog, QStringLiteral("update-progress-1-reading") + suffix);

        from_worker([&dialog] { dialog.beginUpdate(); });
        QVERIFY(!dialog.restartRequired());

        // A stage that announces three items: "%1 (%2/%3)".
        from_worker([&dialog] {
            dialog.beginStage(QStringLiteral("Prodotti"));
            dialog.setTotal(3);
        });
        QTest::qWait(50);
        QCOMPARE(dialog.text(), QStringLiteral("Aggiornamento in corso")); // no item yet, no stage shown
        // An item named like the pattern itself is shown as it is named.
        const QStringList items{"brixo", "farmacia-%2%3", "user"};
        const QStringList footers{"brixo (1/3)", "farmacia-%2%3 (2/3)", "user (3/3)"};
        for (int i = 0; i < items.size(); ++i) {
            from_worker([&dialog, &items, i] { dialog.beginProcessingItem(items[i]); });
            QTRY_COMPARE(dialog.subtitle(), footers[i]);
            QCOMPARE(dialog.text(), QStringLiteral("Prodotti"));
            if (i == 1)
                save_screenshot(dialog, QStringLiteral("update-progress-2-counted-item") + suffix);
        }

        // A stage without a total shows the bare item name.
        from_worker([&dialog] {
            dialog.beginStage(QStringLiteral("Personalizzazioni"));
            dialog.beginProcessingItem(QStringLiteral("messaggio.html"));
        });
        QTRY_COMPARE(dialog.text(), QStringLiteral("Personalizzazioni"));
        QTRY_COMPARE(dialog.subtitle(), QStringLiteral("messaggio.html"));
        QCOMPARE(dialog.current(), 1);
        QCOMPARE(dialog.total(), 0);
        save_screenshot(dialog, QStringLiteral("update-progress-3-item") + suffix);
        QVERIFY(!dialog.closesOnTouch());
        QTest::mouseClick(&dialog, Qt::LeftButton);
        QVERIFY(dialog.isVisible());

        from_worker([&dialog] { dialog.finishUpdate(); });
        const bool english = !language.isEmpty();
        QTRY_COMPARE(dialog.text(), english ? QStringLiteral("Update completed") : QStringLiteral("Aggiornamento completato"));
        QCOMPARE(dialog.subtitle(), english ? QStringLiteral("Touch this box to continue")
                                            : QStringLiteral("Toccare questo riquadro per continuare"));
        QTRY_VERIFY2(clipped_label(dialog).isEmpty(), qPrintable(clipped_label(dialog)));
        save_screenshot(dialog, QStringLiteral("update-progress-4-completed") + suffix);
        QVERIFY(dialog.closesOnTouch());
        QCOMPARE(dialog.autoclose(), UpdateProgressDialog::CLOSE_DELAY_MS);
        QTest::mouseClick(&dialog, Qt::LeftButton);
        QCOMPARE(accepted.count(), 1);

        // The next update starts closed to touches again, and a restart
        // request set during it shows the restart text; it accepts itself.
        dialog.prepare(QStringLiteral("Aggiornamento contenuti in corso"), QString(), 0);
        QVERIFY(!dialog.closesOnTouch());
        dialog.show();
        from_worker([&dialog] {
            dialog.beginUpdate();
            dialog.setRestartRequired();
            dialog.finishUpdate();
        });
        QTRY_COMPARE(dialog.text(), english ? QStringLiteral("Update completed - Restart required")
                                            : QStringLiteral("Aggiornamento completato - Riavvio necessario"));
        QCOMPARE(dialog.subtitle(), english ? QStringLiteral("The machine will restart in 5 seconds")
                                            : QStringLiteral("La macchina si riavvierà tra 5 secondi"));
        QTRY_VERIFY2(clipped_label(dialog).isEmpty(), qPrintable(clipped_label(dialog)));
        save_screenshot(dialog, QStringLiteral("update-progress-5-restart") + suffix);
        QTRY_COMPARE_WITH_TIMEOUT(accepted.count(), 2, 8000);
        QVERIFY(!dialog.isVisible());
        QCoreApplication::removeTranslator(&translator);
    }
};

QTEST_MAIN(UpdateProgressDialogTest)
#include "tst_updateprogressdialog.moc"
