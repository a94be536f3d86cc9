// The credit-note summary against the board simulator: the duration set
// with presets, plus and minus (never below one day), and the receipt read
// back from the simulator's printer, with and without credit notes.

#include "board/rk710controller.h"
#include "core/vm24.h"
#include "logging/logdatabase.h"
#include "maintenance/printoverpaysummarydialog.h"
#include "recordingactivity.h"
#include "simulatedboard.h"
#include "testenvironment.h"
#include "ui/context.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QPushButton>
#include <QSqlQuery>
#include <QStackedWidget>
#include <QTranslator>
#include <QtTest>

#include <memory>

namespace {

void insert_overpay(const QDateTime& when, int amount)
{
    QSqlQuery query(VM24::log_database());
    query.prepare(QStringLiteral("INSERT INTO Log VALUES (?, 'overpay', ?)"));
    query.addBindValue(when.toString(QLatin1String(VM24::SQL_DATE_TIME_FORMAT)));
    query.addBindValue(QString::number(amount));
    QVERIFY(query.exec());
}

} // namespace

class OverpaySummaryTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestEnvironment::ScopedAppDir> m_appDir;
    std::unique_ptr<SimulatedBoard> m_board;
    std::unique_ptr<QStackedWidget> m_views;
    std::unique_ptr<Context> m_context;
    PrintOverpaySummaryDialog* m_dialog = nullptr;
    int m_receipts = 0;

    // The receipt printed last, once the board has closed it (empty when none comes).
    QStringList printedReceipt()
    {
        const bool printed = QTest::qWaitFor(
            [this] { return m_board->state().value("printer").toObject().value("receipts").toInt() > m_receipts; },
            15000);
        if (!printed)
            return {};
        ++m_receipts;
        const QJsonArray receipts = QJsonDocument::fromJson(
                                        m_board->simulator().control(QStringLiteral("receipts 1")).mid(3).toUtf8())
                                        .array();
        QStringList lines;
        for (const QJsonValue& line : receipts.last().toArray())
            lines.append(line.toString());
        return lines;
    }

    void print(int days)
    {
        m_context->startActivity(m_dialog);
        QVERIFY(m_dialog->isVisible());
        m_dialog->setCustomDuration(days);
        m_dialog->printButton()->click();
        // The dialog ends once the board has printed, behind a wait box.
        QTRY_COMPARE_WITH_TIMEOUT(m_context->depth(), 1, 20000);
        QVERIFY(!m_dialog->isVisible());
    }

    QTranslator m_italian;

private slots:
    void initTestCase()
    {
        QVERIFY(m_italian.load(QStringLiteral(":/i18n/it")));
        QCoreApplication::installTranslator(&m_italian);
    }

    void init()
    {
        m_appDir = std::make_unique<TestEnvironment::ScopedAppDir>();
        m_board = std::make_unique<SimulatedBoard>();
        QVERIFY2(m_board->start(), qPrintable(m_board->errorString()));
        QVERIFY(VM24::open_log_database(m_appDir->filePath(QStringLiteral("log.db"))));
        m_views = std::make_unique<QStackedWidget>();
        m_context = std::make_unique<Context>(m_views.get());
        auto* home = new RecordingActivity(m_context.get(), m_views.get());
        m_dialog = new PrintOverpaySummaryDialog(m_board->controller(), m_context.get(), m_views.get());
        m_context->addView(home);
        m_views->resize(1080, 1920);
        m_views->show();
        m_context->startActivity(home);
        m_receipts = 0;
    }

    void cleanup()
    {
        m_views.reset();
        m_context.reset();
        m_board.reset();
        m_appDir.reset();
    }

    void durationNeverBelowOneDay()
    {
        m_context->startActivity(m_dialog);
        QCOMPARE(m_dialog->duration(), 1);
        QVERIFY(!m_dialog->decreaseButton()->isEnabled());
        m_dialog->decreaseButton()->click();
        QCOMPARE(m_dialog->duration(), 1);
        m_dialog->increaseButton()->click();
        QCOMPARE(m_dialog->duration(), 2);
        QCOMPARE(m_dialog->durationLabel()->text(), QStringLiteral("2 giorni"));
        QVERIFY(m_dialog->decreaseButton()->isEnabled());
        m_dialog->presetButton(14)->click();
        QCOMPARE(m_dialog->duration(), 14);
        QTranslator english;
        QVERIFY(english.load(QStringLiteral(":/i18n/en")));
        QCoreApplication::installTranslator(&english);
        QCoreApplication::processEvents();
        const QString inEnglish = m_dialog->durationLabel()->text();
        QCoreApplication::removeTranslator(&english);
        QCoreApplication::processEvents();
        QCOMPARE(inEnglish, QStringLiteral("14 days"));
        m_dialog->cancelButton()->click();
        QCOMPARE(m_context->depth(), 1);
        // Started again, it begins from one day.
        m_context->startActivity(m_dialog);
        QCOMPARE(m_dialog->durationLabel()->text(), QStringLiteral("1 giorno"));
    }

    void receiptListsTheCreditNotesOfTheDays()
    {
        const QDateTime now = QDateTime::currentDateTime();
        insert_overpay(now.addSecs(-3600), 150);
        insert_overpay(now.addSecs(-60), 20);
        insert_overpay(now.addDays(-3), 999);
        print(1);
        const QStringList receipt = printedReceipt();
        QVERIFY(receipt.contains(QStringLiteral("RIASSUNTO RESTI")));
        QVERIFY(receipt.contains(QStringLiteral("NON EROGATI")));
        const QString format = QStringLiteral("dd/MM/yyyy  hh:mm:ss");
        const QString first = QStringLiteral(" 1) ") + now.addSecs(-3600).toString(format);
        const int at = receipt.indexOf(first);
        QVERIFY2(at > 0, qPrintable(receipt.join('\n')));
        QCOMPARE(receipt.value(at + 1), QStringLiteral("1,50").rightJustified(24));
        QCOMPARE(receipt.value(at + 2), QStringLiteral(" 2) ") + now.addSecs(-60).toString(format));
        QCOMPARE(receipt.value(at + 3), QStringLiteral("0,20").rightJustified(24));
        QCOMPARE(receipt.value(at + 4), QString(24, QLatin1Char('.')));
        QVERIFY(!receipt.join('\n').contains(QLatin1String("9,99")));

        print(7);
        QVERIFY(printedReceipt().contains(QStringLiteral("9,99").rightJustified(24)));
    }

    void noCreditNotesPrintsHeaderDatesAndDots()
    {
        print(1);
        const QStringList receipt = printedReceipt();
        QVERIFY(receipt.contains(QStringLiteral("NON EROGATI")));
        const int from = receipt.indexOf(QRegularExpression(QStringLiteral("^Da: \\d\\d/\\d\\d/\\d{4}  \\d\\d:\\d\\d:\\d\\d$")));
        QVERIFY(from > 0);
        QVERIFY(receipt.value(from + 1).startsWith(QLatin1String("A:  ")));
        QCOMPARE(receipt.indexOf(QString(24, QLatin1Char('.'))), from + 3);
        QVERIFY(receipt.filter(QRegularExpression(QStringLiteral("^ \\d\\) "))).isEmpty());
    }
};

QTEST_MAIN(OverpaySummaryTest)
#include "tst_overpaysummary.moc"
