// The accounting page against the board simulator: the report by level, a
// reset that clears the ledger's period and the board's counters together,
// a board that does not confirm a reset (the ledger stays as it was and the
// operator is told), and a printed summary that carries the numbers shown.

#include "accounting/accountingservice.h"
#include "accounting/sessionbalance.h"
#include "board/rk710controller.h"
#include "maintenance/accountingpage.h"
#include "recordingactivity.h"
#include "simulatedboard.h"
#include "testenvironment.h"
#include "ui/context.h"
#include "ui/interactivemessagedialog.h"
#include "ui/yesnodialog.h"

#include <QApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPushButton>
#include <QStackedWidget>
#include <QTextEdit>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace {

QJsonArray counter_values(int base)
{
    QJsonArray values;
    for (int i = 0; i < 13; ++i)
        values.append(base + i);
    return values;
}

QJsonObject start_state()
{
    return QJsonObject{{QStringLiteral("counters"),
                        QJsonObject{{QStringLiteral("permanent"), counter_values(100)},
                                    {QStringLiteral("partial"), counter_values(200)},
                                    {QStringLiteral("daily"), counter_values(300)}}}};
}

QList<int> to_list(const QJsonValue& value)
{
    QList<int> list;
    for (const QJsonValue& v : value.toArray())
        list.append(v.toInt());
    return list;
}

SessionBalance balance(int scale)
{
    SessionBalance b;
    b.banknotes = 1000 * scale;
    b.coins = 230 * scale;
    b.cashIncome = 700 * scale;
    b.posIncome = 450 * scale;
    b.changeDelivered = 45 * scale;
    b.changeCount = 1;
    b.extraCredit = 35 * scale;
    return b;
}

QByteArray read_all(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Answers the modal questions and notes the messages of the page while it
// waits in its own boxes.
class DialogDriver : public QObject
{
public:
    bool answerYes = true;
    QStringList questions;
    QStringList messages;

    DialogDriver()
    {
        connect(&m_timer, &QTimer::timeout, this, [this] { poll(); });
        m_timer.start(10);
    }

private:
    void poll()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* question = qobject_cast<YesNoDialog*>(modal)) {
            questions.append(question->text());
            (answerYes ? question->yesButton() : question->noButton())->click();
        } else if (auto* message = qobject_cast<InteractiveMessageDialog*>(modal)) {
            messages.append(message->text());
            message->accept();
        }
    }

    QTimer m_timer;
};

} // namespace

class AccountingPageTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestEnvironment::ScopedAppDir> m_appDir;
    std::unique_ptr<SimulatedBoard> m_board;
    std::unique_ptr<AccountingService> m_accounting;
    std::unique_ptr<QStackedWidget> m_views;
    std::unique_ptr<Context> m_context;
    AccountingPage* m_page = nullptr;

    // The page and its boxes are done: the board answered, every box closed.
    static void settle()
    {
        QTRY_VERIFY_WITH_TIMEOUT(!QApplication::activeModalWidget(), 15000);
    }

    void open(int level)
    {
        m_page->setUserLevel(level);
        m_context->startActivity(m_page);
        settle();
        QCOMPARE(m_context->currentView(), m_page);
    }

    QList<int> boardCounters(const char* period) const
    {
        return to_list(m_board->state().value(QStringLiteral("counters")).toObject().value(QLatin1String(period)));
    }

    // The value the report on screen shows for a label, in the column-th period shown.
    QString shown(const QString& label, int column) const
    {
        const QStringList lines = m_page->report()->toPlainText().split(QLatin1Char('\n'));
        const int at = lines.indexOf(label);
        return at < 0 ? QString() : lines.value(at + 1 + column);
    }

    QStringList lastReceipt() const
    {
        const QString answer = m_board->simulator().control(QStringLiteral("receipts 1"));
        const QJsonArray receipts = QJsonDocument::fromJson(answer.mid(3).toUtf8()).array();
        QStringList lines;
        for (const QJsonValue& line : receipts.last().toArray())
            lines.append(line.toString());
        return lines;
    }

private slots:
    void init()
    {
        m_appDir = std::make_unique<TestEnvironment::ScopedAppDir>();
        m_board = std::make_unique<SimulatedBoard>(start_state());
        QVERIFY2(m_board->start(), qPrintable(m_board->errorString()));
        m_board->controller()->setRetryPolicy(200, 2);
        m_accounting = std::make_unique<AccountingService>();
        m_accounting->recordSessionBalance(balance(1));
        m_accounting->recordItemDispensed({4}, 700);
        m_accounting->reset(Ledger::Partial);
        m_accounting->recordSessionBalance(balance(2));
        m_accounting->recordItemDispensed({4, 4}, 700);
        QVERIFY(m_accounting->commit());
        m_views = std::make_unique<QStackedWidget>();
        m_context = std::make_unique<Context>(m_views.get());
        auto* home = new RecordingActivity(m_context.get(), m_views.get());
        m_page = new AccountingPage(m_accounting.get(), m_board->controller(), m_context.get(), m_views.get());
        m_context->addView(home);
        m_context->addView(m_page);
        m_views->resize(1080, 1920);
        m_views->show();
        m_context->startActivity(home);
    }

    void cleanup()
    {
        m_views.reset();
        m_context.reset();
        m_accounting.reset();
        m_board.reset();
        m_appDir.reset();
    }

    void reportFollowsTheLevel()
    {
        open(2);
        QCOMPARE(shown(QStringLiteral("Banconote"), 0), QStringLiteral("20,00"));
        QCOMPARE(shown(QStringLiteral("Monete hopper 1"), 0), QStringLiteral("210"));
        const QString text = m_page->report()->toPlainText();
        QVERIFY(text.contains(QLatin1String("Parziale")));
        QVERIFY(!text.contains(QLatin1String("Totale\n")) && !text.contains(QLatin1String("30,00")));
        for (int row : {0, 2}) {
            QVERIFY(m_page->button(row, 0)->isHidden() && m_page->button(row, 1)->isHidden());
        }
        QVERIFY(!m_page->button(1, 0)->isHidden() && !m_page->button(1, 1)->isHidden());
        // What the page read from the board is saved to the counters document.
        QVERIFY(read_all(m_appDir->filePath(QStringLiteral("counters.xml"))).contains("<hopper id=\"1\">210</hopper>"));
        m_page->exitButton()->click();
        QVERIFY(m_context->currentView() != m_page);

        open(3);
        QCOMPARE(shown(QStringLiteral("Banconote"), 0), QStringLiteral("30,00"));
        QCOMPARE(shown(QStringLiteral("Banconote"), 1), QStringLiteral("20,00"));
        QCOMPARE(shown(QStringLiteral("Banconote"), 2), QStringLiteral("30,00"));
        QCOMPARE(shown(QStringLiteral("Monete hopper 1"), 2), QStringLiteral("310"));
        QVERIFY(!m_page->button(0, 0)->isHidden() && !m_page->button(2, 1)->isHidden());
    }

    void resetClearsLedgerAndBoardTogether()
    {
        open(3);
        DialogDriver driver;
        driver.answerYes = false;
        m_page->button(1, 0)->click();
        settle();
        QCOMPARE(driver.questions, QStringList({QStringLiteral("Vuoi procedere con l'azzeramento?")}));
        QCOMPARE(m_accounting->get(Ledger::Partial).get(Accounting::Banknotes), 2000);
        QCOMPARE(boardCounters("partial").first(), 200);

        driver.answerYes = true;
        const Accounting permanentBefore = m_accounting->get(Ledger::Permanent);
        m_page->button(1, 0)->click();
        settle();
        QVERIFY(driver.messages.isEmpty());
        QCOMPARE(m_accounting->get(Ledger::Partial), Accounting(m_accounting->get(Ledger::Partial).creationDate()));
        QCOMPARE(m_accounting->get(Ledger::Permanent), permanentBefore);
        QCOMPARE(boardCounters("partial"), QList<int>(13, 0));
        QCOMPARE(boardCounters("permanent"), to_list(counter_values(100)));
        QCOMPARE(boardCounters("daily"), to_list(counter_values(300)));
        // Committed: a service reading the files sees the period reset.
        AccountingService reread;
        QCOMPARE(reread.ledger(), m_accounting->ledger());
        // The page shows the state after the reset.
        QCOMPARE(shown(QStringLiteral("Banconote"), 1), QStringLiteral("0,00"));
        QCOMPARE(shown(QStringLiteral("Monete hopper 1"), 1), QStringLiteral("0"));
        QCOMPARE(shown(QStringLiteral("Banconote"), 0), QStringLiteral("30,00"));

        m_page->button(2, 0)->click();

        settle();
        QCOMPARE(boardCounters("daily"), QList<int>(13, 0));
        QCOMPARE(m_accounting->get(Ledger::Log).get(Accounting::Banknotes), 0);
        QCOMPARE(m_accounting->get(Ledger::Permanent), permanentBefore);
    }

    // The board is silent when the operator resets: nothing is reset, in the
    // ledger nor on disk, and the page says the board did not confirm.
    void silentBoardLeavesTheLedgerAsItWas()
    {
        open(3);
        const Ledger before = m_accounting->ledger();
        const QByteArray fileBefore = read_all(m_appDir->filePath(QStringLiteral("accounting.xml")));
        QVERIFY(m_board->control(QStringLiteral("fault silence on")));
        DialogDriver driver;
        m_page->button(0, 0)->click();
        settle();
        QCOMPARE(driver.messages, QStringList({QStringLiteral("Azzeramento non eseguito")}));
        QCOMPARE(m_accounting->ledger(), before);
        QCOMPARE(read_all(m_appDir->filePath(QStringLiteral("accounting.xml"))), fileBefore);
        QVERIFY(m_board->control(QStringLiteral("fault silence off")));
        QCOMPARE(boardCounters("permanent"), to_list(counter_values(100)));
    }

    // The receipt carries the numbers of the report on screen, even when
    // the books moved on since it was drawn.
    void summaryReceiptPrintsWhatIsShown()
    {
        open(3);
        const QString shownCash = shown(QStringLiteral("Incasso contante"), 1);
        QCOMPARE(shownCash, QStringLiteral("14,00"));
        m_accounting->recordSessionBalance(balance(5));
        m_page->button(1, 1)->click();
        settle();
        // The board closes a receipt after a pause in the printing.
        QTRY_VERIFY_WITH_TIMEOUT(lastReceipt().contains(QStringLiteral("CONTABILITA' PARZIALE")), 15000);
        const QStringList receipt = lastReceipt();
        const QStringList labels = {"Banconote", "Monete", "Ricariche", "Numero ricariche", "Incasso contante",
                                    "Incasso cashless", "Incasso POS", "Totale resti", "Resti erogati",
                                    "Credito dovuto", "Monete hopper 1", "Monete hopper 2", "Monete 0,05",
                                    "Monete 2,00", "Banconote 5,00", "Banconote 50,00"};
        for (const QString& label : labels) {
            const QString expected = (label + QLatin1Char('.')).leftJustified(24 - shown(label, 1).size(), QLatin1Char('.'))
                + shown(label, 1);
            QVERIFY2(receipt.contains(expected), qPrintable(expected));
        }
        QVERIFY(!receipt.join(QLatin1Char('\n')).contains(QLatin1String("Cashbox")));
        QVERIFY(receipt.contains(QStringLiteral("Selezione 5............2")));
        QVERIFY(receipt.contains(QStringLiteral("Selezione 18...........0")));
        const int created = receipt.indexOf(QStringLiteral("Data creazione"));
        QVERIFY(created >= 0);
        QCOMPARE(receipt.value(created + 1),
                 m_accounting->get(Ledger::Partial).creationDate().toString(QStringLiteral("dd/MM/yyyy  hh:mm:ss")).rightJustified(24));
    }
};

QTEST_MAIN(AccountingPageTest)
#include "tst_accountingpage.moc"
