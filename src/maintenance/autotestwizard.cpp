#include "maintenance/autotestwizard.h"

#include "board/boardstatus.h"
#include "maintenance/abstractautotestpage.h"
#include "maintenance/dispenserautotestpage.h"
#include "maintenance/interactiveautotestdialog.h"
#include "maintenance/moneyautotestpage.h"
#include "ui/interactivemessagedialog.h"
#include "ui/longrunningoperation.h"
#include "vending/peripheralmonitormodel.h"

#include <QWidget>

namespace {

AbstractAutotestPage* make_page(const char* title, const char* heading, const char* text, int devices = 0,
                                const char* warning = nullptr, const char* absent = nullptr)
{
    AbstractAutotestPage::Texts texts;
    texts.title = title;
    texts.heading = heading;
    texts.text = text;
    texts.warning = warning;
    texts.absent = absent;
    return new AbstractAutotestPage(texts, devices);
}

} // namespace

AutotestWizard::AutotestWizard(PeripheralMonitorModel* model, QWidget* page)
    : QObject(page)
    , m_model(model)
    , m_page(page)
    , m_dialog(new InteractiveAutotestDialog(page))
{
    addPages();
    m_dialog->hide();
    connect(m_dialog, &InteractiveAutotestDialog::summaryConfirmed, this, &AutotestWizard::printSummary);
    connect(m_dialog, &QDialog::finished, this, &AutotestWizard::finished);
    connect(model, &PeripheralMonitorModel::started, m_dialog, &InteractiveAutotestDialog::onCreditCleared);
    connect(model, &PeripheralMonitorModel::statusChanged, m_dialog,
            [this](const PeripheralMonitorModel::Status& status) { m_dialog->setDeviceStatus(status.word); });
    connect(model, &PeripheralMonitorModel::creditChanged, m_dialog, &InteractiveAutotestDialog::feedCredit);
    connect(model, &PeripheralMonitorModel::dispenserTested, m_dialog,
            &InteractiveAutotestDialog::onDispenserTested);
}

void AutotestWizard::addPages()
{
    AbstractAutotestPage::Texts welcome;
    welcome.title = QT_TRANSLATE_NOOP("InteractiveAutotestDialog", "Autotest");
    welcome.heading = QT_TRANSLATE_NOOP("InteractiveAutotestDialog", "Autotest");
    welcome.text = QT_TRANSLATE_NOOP(
        "InteractiveAutotestDialog",
        "Il test guidato passa in rassegna sensori, erogatori, luci, monete, banconote e cashless, usando il "
        "monitor qui sopra. Per ogni test premi 'Successivo' per andare avanti, 'Salta' per saltarlo, "
        "'Annulla' per uscire.");
    welcome.informative = true;
    m_dialog->addPage(new AbstractAutotestPage(welcome, 0));
    m_dialog->addPage(make_page(QT_TRANSLATE_NOOP("InteractiveAutotestDialog", "Test input"),
                                QT_TRANSLATE_NOOP("InteractiveAutotestDialog", "Collaudo sensori"),
                                QT_TRANSLATE_NOOP("InteractiveAutotestDialog",
                                                  "Verifica il funzionamento dei sensori.")));
    m_dialog->addPage(new DispenserAutotestPage);
    m_dialog->addPage(make_page(QT_TRANSLATE_NOOP("InteractiveAutotestDialog", "Test luci"),
                                QT_TRANSLATE_NOOP("InteractiveAutotestDialog", "Collaudo luci ed attuatori"),
                                QT_TRANSLATE_NOOP("InteractiveAutotestDialog",
                                                  "Verifica il funzionamento delle luci e degli attuatori.")));
    m_dialog->addPage(new MoneyAutotestPage(MoneyAutotestPage::Coins));
    m_dialog->addPage(new MoneyAutotestPage(MoneyAutotestPage::Banknotes));
    m_dialog->addPage(make_page(
        QT_TRANSLATE_NOOP("InteractiveAutotestDialog", "Test cashless"),
        QT_TRANSLATE_NOOP("InteractiveAutotestDialog", "Collaudo cashless"),
        QT_TRANSLATE_NOOP("InteractiveAutotestDialog", "Verifica il funzionamento del cashless."),
        BoardStatus::Cashless,
        QT_TRANSLATE_NOOP("InteractiveAutotestDialog",
                          "Attenzione: cashless non presente. Se si prosegue il test si considererà fallito."),
        QT_TRANSLATE_NOOP("InteractiveAutotestDialog", "Cashless non presente")));
}

void AutotestWizard::start(const QRect& area)
{
    m_dialog->setDeviceStatus(m_model->boardStatus());
    m_dialog->restart();
    m_dialog->setGeometry(area);
    m_dialog->show();
    m_dialog->raise();
}

void AutotestWizard::hide()
{
    m_dialog->hide();
}

void AutotestWizard::printSummary()
{
    VM24::long_running_operation(m_model->printTestReport(m_dialog->results()), m_page,
                                 tr("Stampa di riepilogo in corso"), tr("Attendere prego"), false,
                                 [this](bool printed) {
                                     if (!printed) {
                                         InteractiveMessageDialog::showInteractive(
                                             tr("Stampa non riuscita"), tr("Toccare questo riquadro per continuare"),
                                             InteractiveMessageDialog::DEFAULT_DURATION_MS, m_page);
                                         return;
                                     }
                                     m_dialog->accept();
                                 });
}
