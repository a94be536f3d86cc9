#pragma once

#include "accounting/countersdocument.h"
#include "accounting/ledger.h"
#include "board/accountingcounters.h"
#include "ui/menuactivity.h"

#include <functional>

class AccountingService;
class QGroupBox;
class QLabel;
class QPushButton;
class QTextEdit;
class Rk710Controller;

// "Contabilità": the report of the books and of the board's cash counters,
// the resets of a period (board counters and ledger together) and the
// printed summaries. Below level 3 only the partial period is shown.
class AccountingPage : public MenuActivity
{
    Q_OBJECT

public:
    AccountingPage(AccountingService* accounting, Rk710Controller* controller, Context* context,
                   QWidget* parent = nullptr);

    void onStart() override;
    // Reads the board's counters behind a wait box and returns; once they
    // are in, saves them to the counters document and shows the report.
    void refresh();
    // The board's counters of the period are reset first; the ledger's
    // period is reset and committed only once the board confirmed, so the
    // two never drift apart. A refusal is told to the operator.
    void resetAccounting(Ledger::Frequency frequency);
    // Prints the period as the report on screen shows it.
    void printSummaryReceipt(Ledger::Frequency frequency, const AccountingCounters& counters);

    QTextEdit* report() const { return m_report; }
    QPushButton* button(int row, int column) const { return m_buttons[row][column]; }
    QPushButton* exitButton() const { return m_exit; }
    // The ledger as the report on screen was built from.
    const Ledger& shownLedger() const { return m_shownLedger; }

public slots:
    void resetPermanent();
    void resetPartial();
    void resetLog();
    void printPermanent();
    void printPartial();
    void printLog();
    void onExitClicked();

protected:
    void changeEvent(QEvent* event) override;

private:
    void retranslate();
    void showCounters(const VM24::BoardCounters& counters);
    void resetOnBoard(Ledger::Frequency frequency);
    void onResetDone(Ledger::Frequency frequency, bool boardReset);
    void showFailure(const QString& title, const QString& text, std::function<void()> closed = {});

    AccountingService* m_accounting;
    Rk710Controller* m_controller;
    AccountingCounters m_permanent;
    AccountingCounters m_partial;
    AccountingCounters m_daily;
    Ledger m_shownLedger;
    QLabel* m_title;
    QTextEdit* m_report;
    QGroupBox* m_operations;
    QPushButton* m_buttons[3][2] = {};
    QPushButton* m_exit;
};
