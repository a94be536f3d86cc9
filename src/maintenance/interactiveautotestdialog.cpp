#include "maintenance/interactiveautotestdialog.h"

#include "ui/stylebackground.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

QPushButton* make_button(QWidget* parent)
{
    auto* button = new QPushButton(parent);
    button->setProperty("class", QStringLiteral("generic-menu-button bottom"));
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

QLabel* make_label(const char* styleClass, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setProperty("class", QLatin1String(styleClass));
    label->setWordWrap(true);
    return label;
}

} // namespace

InteractiveAutotestDialog::InteractiveAutotestDialog(QWidget* parent)
    : QDialog(parent)
    , m_title(make_label("autotest-title", this))
    , m_stack(new QStackedWidget(this))
    , m_cancel(make_button(this))
    , m_skip(make_button(this))
    , m_next(make_button(this))
{
    // A panel inside the monitor's window, not a window of its own.
    setWindowFlags(Qt::Widget);
    setProperty("class", QStringLiteral("autotest-panel"));
    setAttribute(Qt::WA_StyledBackground);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(32, 20, 32, 24);
    layout->setSpacing(12);
    layout->addWidget(m_title);
    layout->addWidget(m_stack, 1);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(16);
    for (QPushButton* button : {m_cancel, m_skip, m_next})
        buttons->addWidget(button);
    layout->addLayout(buttons);
    m_summary = createSummary();
    m_stack->addWidget(m_summary);
    m_cancel->setIcon(QIcon(QStringLiteral(":/icons/no")));
    m_next->setIcon(QIcon(QStringLiteral(":/icons/next-page")));
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_skip, &QPushButton::clicked, this, &InteractiveAutotestDialog::onSkip);
    connect(m_next, &QPushButton::clicked, this, &InteractiveAutotestDialog::onNext);
    retranslate();
}

QWidget* InteractiveAutotestDialog::createSummary()
{
    auto* summary = new QWidget(this);
    summary->setObjectName(QStringLiteral("autotest-summary"));
    auto* layout = new QVBoxLayout(summary);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(12);
    m_summaryHeading = make_label("autotest-heading", summary);
    m_summaryText = make_label("autotest-text", summary);
    m_summaryRows = new QGridLayout;
    m_summaryRows->setHorizontalSpacing(32);
    m_summaryRows->setVerticalSpacing(2);
    layout->addWidget(m_summaryHeading);
    layout->addWidget(m_summaryText);
    layout->addLayout(m_summaryRows);
    layout->addStretch();
    return summary;
}

void InteractiveAutotestDialog::addPage(AbstractAutotestPage* page)
{
    page->setParent(this);
    m_pages.append(page);
    m_stack->insertWidget(m_stack->indexOf(m_summary), page);
    page->setDeviceStatus(m_deviceStatus);
}

void InteractiveAutotestDialog::restart()
{
    for (AbstractAutotestPage* page : qAsConst(m_pages))
        page->restart();
    showPage(0);
}

void InteractiveAutotestDialog::setDeviceStatus(int status)
{
    m_deviceStatus = status;
    for (AbstractAutotestPage* page : qAsConst(m_pages))
        page->setDeviceStatus(status);
}

void InteractiveAutotestDialog::feedCredit(const CreditPacket& credit)
{
    for (int i = 0; i < m_pages.size(); ++i)
        m_pages.at(i)->feedCredit(credit, !isHidden() && i == m_current);
}

void InteractiveAutotestDialog::onCreditCleared()
{
    for (AbstractAutotestPage* page : qAsConst(m_pages))
        page->onCreditCleared();
}

void InteractiveAutotestDialog::onDispenserTested(int motor)
{
    if (isHidden())
        return;
    for (AbstractAutotestPage* page : qAsConst(m_pages))
        page->onDispenserTested(motor);
}

void InteractiveAutotestDialog::onNext()
{
    if (m_current >= m_pages.size()) {
        emit summaryConfirmed();
        return;
    }
    AbstractAutotestPage* page = m_pages.at(m_current);
    if (!page->isInformative())
        page->setResult(page->evaluate(m_deviceStatus));
    showPage(m_current + 1);
}

void InteractiveAutotestDialog::onSkip()
{
    if (m_current >= m_pages.size())
        return;
    m_pages.at(m_current)->setResult(AbstractAutotestPage::Skipped);
    showPage(m_current + 1);
}

QList<HardwareTestReport::Test> InteractiveAutotestDialog::results() const
{
    QList<HardwareTestReport::Test> tests;
    for (const AbstractAutotestPage* page : m_pages) {
        if (page->isInformative())
            continue;
        tests.append({page->receiptTitle(), AbstractAutotestPage::receiptResultText(page->result()),
                      page->receiptDetails()});
    }
    return tests;
}

void InteractiveAutotestDialog::showPage(int index)
{
    m_current = qBound(0, index, int(m_pages.size()));
    if (m_current == m_pages.size()) {
        fillSummary();
        m_stack->setCurrentWidget(m_summary);
    } else {
        m_stack->setCurrentWidget(m_pages.at(m_current));
    }
    retranslate();
}

void InteractiveAutotestDialog::fillSummary()
{
    while (QLayoutItem* item = m_summaryRows->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    int row = 0;
    for (const AbstractAutotestPage* page : qAsConst(m_pages)) {
        if (page->isInformative())
            continue;
        auto* title = make_label("autotest-text", m_summary);
        title->setText(page->title());
        auto* result = make_label("autotest-result", m_summary);
        result->setText(AbstractAutotestPage::resultText(page->result()));
        result->setProperty("result", int(page->result()));
        m_summaryRows->addWidget(title, row / 2, (row % 2) * 2);
        m_summaryRows->addWidget(result, row / 2, (row % 2) * 2 + 1);
        ++row;
    }
}

void InteractiveAutotestDialog::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslate();
        if (m_current == m_pages.size())
            fillSummary();
    }
    QDialog::changeEvent(event);
}

void InteractiveAutotestDialog::paintEvent(QPaintEvent*)
{
    VM24::paint_style_background(this);
}

void InteractiveAutotestDialog::retranslate()
{
    const bool summary = m_current >= m_pages.size();
    const bool welcome = !summary && m_pages.at(m_current)->isInformative();
    QString title = tr("Autotest");
    if (summary)
        title += QStringLiteral(" – ") + tr("Riepilogo");
    else if (!welcome)
        title += QStringLiteral(" – ") + m_pages.at(m_current)->title();
    m_title->setText(title);
    m_summaryHeading->setText(tr("Riepilogo"));
    m_summaryText->setText(tr("Risultati dei test. Premi 'Finito' per stampare uno scontrino di riepilogo."));
    m_cancel->setText(tr("Annulla"));
    m_skip->setText(tr("Salta"));
    m_skip->setVisible(!summary && !welcome);
    m_next->setText(summary ? tr("Finito") : welcome ? tr("Inizia") : tr("Successivo"));
}
