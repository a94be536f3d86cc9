#include "maintenance/accountingpage.h"

#include "accounting/accountingreport.h"
#include "accounting/accountingservice.h"
#include "accounting/countersdocument.h"
#include "accounting/summaryreceipt.h"
#include "board/rk710controller.h"
#include "core/vm24.h"
#include "maintenance/maintenancelog.h"
#include "settings/settings.h"
#include "ui/interactivemessagedialog.h"
#include "ui/longrunningoperation.h"
#include "ui/yesnodialog.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QScroller>
#include <QTextEdit>
#include <QVBoxLayout>
#include <QtConcurrentRun>

namespace {

const int ADVANCED_LEVEL = 3;
const int FAILURE_SHOWN_MS = 15000;
const char* const EMPTY_REPORT = "<html><body style='background-color: #b6bfde'/></html>";

// Row by row: the reset and the print of one period.
const char* const BUTTON_TEXTS[3][2] = {
    {QT_TRANSLATE_NOOP("AccountingPage", "Azzera totali"), QT_TRANSLATE_NOOP("AccountingPage", "Stampa riassunto totale")},
    {QT_TRANSLATE_NOOP("AccountingPage", "Azzera parziali"), QT_TRANSLATE_NOOP("AccountingPage", "Stampa riassunto parziale")},
    {QT_TRANSLATE_NOOP("AccountingPage", "Azzera log"), QT_TRANSLATE_NOOP("AccountingPage", "Stampa riassunto log")},
};

Rk710SerialProtocol::CounterFrequency board_period(Ledger::Frequency frequency)
{
    switch (frequency) {
    case Ledger::Partial:
        return Rk710SerialProtocol::Partial;
    case Ledger::Log:
        return Rk710SerialProtocol::Daily;
    default:
        return Rk710SerialProtocol::Permanent;
    }
}

QString reset_title(Ledger::Frequency frequency)
{
    switch (frequency) {
    case Ledger::Partial:
        return AccountingPage::tr("Azzeramento parziali");
    case Ledger::Log:
        return AccountingPage::tr("Azzeramento log");
    default:
        return AccountingPage::tr("Azzeramento totali");
    }
}

QString print_title(Ledger::Frequency frequency)
{
    switch (frequency) {
    case Ledger::Partial:
        return AccountingPage::tr("Stampa riassunto parziale in corso");
    case Ledger::Log:
        return AccountingPage::tr("Stampa riassunto log in corso");
    default:
        return AccountingPage::tr("Stampa riassunto totale in corso");
    }
}

} // namespace

AccountingPage::AccountingPage(AccountingService* accounting, Rk710Controller* controller, Context* context,
                               QWidget* parent)
    : MenuActivity(context, parent)
    , m_accounting(accounting)
    , m_controller(controller)
    , m_title(new QLabel(this))
    , m_report(new QTextEdit(this))
    , m_operations(new QGroupBox(this))
    , m_exit(new QPushButton(QIcon(QStringLiteral(":/icons/exit")), QString(), this))
{
    // The report takes the whole width: its two tables side by side need it.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 16, 0, 24);
    layout->setSpacing(16);
    m_title->setProperty("class", QStringLiteral("page-heading"));
    m_title->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_title);

    m_report->setReadOnly(true);
    m_report->setHtml(QLatin1String(EMPTY_REPORT));
    m_report->setTextInteractionFlags(Qt::NoTextInteraction);
    m_report->setWordWrapMode(QTextOption::WordWrap);
    m_report->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    QScroller::grabGesture(m_report->viewport(), QScroller::LeftMouseButtonGesture);
    layout->addWidget(m_report, 1);

    auto* controls = new QVBoxLayout;
    controls->setContentsMargins(24, 0, 24, 0);
    controls->setSpacing(16);
    layout->addLayout(controls);

    auto* grid = new QGridLayout(m_operations);
    grid->setHorizontalSpacing(16);
    grid->setVerticalSpacing(16);
    using Slot = void (AccountingPage::*)();
    const Slot handlers[3][2] = {{&AccountingPage::resetPermanent, &AccountingPage::printPermanent},
                              {&AccountingPage::resetPartial, &AccountingPage::printPartial},
                              {&AccountingPage::resetLog, &AccountingPage::printLog}};
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 2; ++column) {
            auto* button = new QPushButton(m_operations);
            button->setProperty("class", QStringLiteral("generic-menu-button"));
            button->setFocusPolicy(Qt::NoFocus);
            connect(button, &QPushButton::clicked, this, handlers[row][column]);
            grid->addWidget(button, row, column);
            m_buttons[row][column] = button;
        }
    }
    controls->addWidget(m_operations);

    m_exit->setProperty("class", QStringLiteral("generic-menu-button bottom"));
    m_exit->setFocusPolicy(Qt::NoFocus);
    connect(m_exit, &QPushButton::clicked, this, &AccountingPage::onExitClicked);
    controls->addWidget(m_exit);
    retranslate();
}

void AccountingPage::onStart()
{
    const bool advanced = userLevel() >= ADVANCED_LEVEL;
    // The partial period is every operator's; the others need level 3.
    for (int column = 0; column < 2; ++column) {
        m_buttons[0][column]->setVisible(advanced);
        m_buttons[2][column]->setVisible(advanced);
    }
    MenuActivity::onStart();
    refresh();
}

void AccountingPage::refresh()
{
    VM24::long_running_operation(VM24::read_board_counters(m_controller), this,
                                 tr("Attendere recupero dettagli contabilità"), QString(), VM24::BoardCounters(),
                                 [this](const VM24::BoardCounters& counters) { showCounters(counters); });
}

void AccountingPage::showCounters(const VM24::BoardCounters& counters)
{
    m_permanent = counters.permanent;
    m_partial = counters.partial;
    m_daily = counters.daily;
    VM24::counters_to_xml_document(VM24::get_path(QLatin1String(VM24::COUNTERS_FILE)), m_permanent, m_partial,
                                   m_daily);
    m_shownLedger = m_accounting->ledger();
    const int frequencies
        = userLevel() >= ADVANCED_LEVEL ? Ledger::Permanent | Ledger::Partial | Ledger::Log : Ledger::Partial;
    m_report->setHtml(VM24::complete_accounting_to_html(m_shownLedger, m_permanent, m_partial, m_daily, frequencies));
    qCInfo(maintenanceLog, "accounting report shown for the periods %d", frequencies);
}

void AccountingPage::resetAccounting(Ledger::Frequency frequency)
{
    YesNoDialog::ask(tr("Vuoi procedere con l'azzeramento?"), tr("Questa operazione è irreversibile"),
                     tr("Procedi"), tr("Annulla"), this, [this, frequency](bool yes) {
                         if (yes)
                             resetOnBoard(frequency);
                     });
}

void AccountingPage::resetOnBoard(Ledger::Frequency frequency)
{
    Rk710Controller* controller = m_controller;
    const Rk710SerialProtocol::CounterFrequency period = board_period(frequency);
    VM24::long_running_operation(
        QtConcurrent::run(controller->shortJobs(), [controller, period] { return controller->resetCounters(period); }), this,
        reset_title(frequency), tr("Attendere prego"), false,
        [this, frequency](bool boardReset) { onResetDone(frequency, boardReset); });
}

void AccountingPage::onResetDone(Ledger::Frequency frequency, bool boardReset)
{
    const auto refreshPage = [this] { refresh(); };
    if (boardReset) {
        qCInfo(maintenanceLog, "period %d reset on the board and in the ledger", int(frequency));
        m_accounting->reset(frequency);
        if (!m_accounting->commit()) {
            qCWarning(maintenanceLog, "Period %d reset on the board and in memory, but the ledger files were not written",
                      int(frequency));
            showFailure(tr("Contabilità non salvata"),
                        tr("I contatori della scheda sono stati azzerati, ma la contabilità non è stata scritta su disco."),
                        refreshPage);
            return;
        }
    } else {
        qCWarning(maintenanceLog, "The board did not confirm the reset of period %d: the ledger is left as it was",
                  int(frequency));
        showFailure(tr("Azzeramento non eseguito"),
                    tr("La scheda non ha confermato l'azzeramento dei contatori: la contabilità non è stata modificata."),
                    refreshPage);
        return;
    }
    refresh();
}

void AccountingPage::printSummaryReceipt(Ledger::Frequency frequency, const AccountingCounters& counters)
{
    const ReceiptHelper receipt = VM24::compile_summary_receipt(Settings().receiptRows(), frequency, m_shownLedger.get(frequency), counters);
    Rk710Controller* controller = m_controller;
    VM24::long_running_operation(
        QtConcurrent::run(controller->shortJobs(), [controller, receipt] { return controller->printReceipt(receipt); }), this,
        print_title(frequency), tr("Attendere prego"), false, [this](bool printed) {
            if (!printed)
                showFailure(tr("Stampa non riuscita"), tr("Controllare la stampante e riprovare."));
        });
}

void AccountingPage::showFailure(const QString& title, const QString& text, std::function<void()> closed)
{
    InteractiveMessageDialog* dialog
        = InteractiveMessageDialog::showInteractive(title, text, FAILURE_SHOWN_MS, this, std::move(closed));
    dialog->setErrorStyle(true);
}

void AccountingPage::resetPermanent()
{
    resetAccounting(Ledger::Permanent);
}

void AccountingPage::resetPartial()
{
    resetAccounting(Ledger::Partial);
}

void AccountingPage::resetLog()
{
    resetAccounting(Ledger::Log);
}

void AccountingPage::printPermanent()
{
    printSummaryReceipt(Ledger::Permanent, m_permanent);
}

void AccountingPage::printPartial()
{
    printSummaryReceipt(Ledger::Partial, m_partial);
}

void AccountingPage::printLog()
{
    printSummaryReceipt(Ledger::Log, m_daily);
}

void AccountingPage::onExitClicked()
{
    finish();
}

void AccountingPage::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    MenuActivity::changeEvent(event);
}

void AccountingPage::retranslate()
{
    m_title->setText(tr("Contabilità"));
    m_operations->setTitle(tr("Operazioni"));
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 2; ++column)
            m_buttons[row][column]->setText(tr(BUTTON_TEXTS[row][column]));
    }
    m_exit->setText(tr("Esci"));
}
