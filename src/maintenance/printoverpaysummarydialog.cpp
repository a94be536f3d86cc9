#include "maintenance/printoverpaysummarydialog.h"

#include "accounting/summaryreceipt.h"
#include "board/rk710controller.h"
#include "logging/logqueries.h"
#include "maintenance/maintenancelog.h"
#include "settings/settings.h"
#include "ui/interactivemessagedialog.h"
#include "ui/longrunningoperation.h"
#include "ui/stylebackground.h"

#include <QButtonGroup>
#include <QDateTime>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtConcurrentRun>

namespace {

const QSize DIALOG_SIZE(900, 920);
const int PRESET_DAYS[] = {1, 3, 7, 14};
const int FAILURE_SHOWN_MS = 15000;

QPushButton* make_button(QWidget* parent, const char* icon = nullptr)
{
    auto* button = new QPushButton(parent);
    button->setProperty("class", QStringLiteral("generic-menu-button bottom"));
    button->setFocusPolicy(Qt::NoFocus);
    if (icon)
        button->setIcon(QIcon(QLatin1String(icon)));
    return button;
}

// Reads the credit notes and prints them; runs on the board's queue.
bool print_overpay_summary(Rk710Controller* controller, int days)
{
    bool read = false;
    const QList<QPair<QDateTime, int>> rows = VM24::read_overpay_rows(days, &read);
    if (!read) {
        qCWarning(maintenanceLog, "The event log cannot be read: no credit-note summary printed");
        return false;
    }
    return controller->printReceipt(VM24::compile_overpay_receipt(Settings().receiptRows(), rows, days, QDateTime::currentDateTime()));
}

} // namespace

PrintOverpaySummaryDialog::PrintOverpaySummaryDialog(Rk710Controller* controller, Context* context, QWidget* parent)
    : MenuActivity(context, parent)
    , m_controller(controller)
    , m_title(new QLabel(this))
    , m_text(new QLabel(this))
    , m_presets(new QButtonGroup(this))
    , m_decrease(make_button(this, ":/icons/minus"))
    , m_increase(make_button(this, ":/icons/plus"))
    , m_duration(new QLabel(this))
    , m_print(make_button(this))
    , m_cancel(make_button(this, ":/icons/exit"))
{
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setWindowModality(Qt::ApplicationModal);
    setFixedSize(DIALOG_SIZE);
    setProperty("class", QStringLiteral("decorated-dialog"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(32, 32, 32, 32);
    layout->setSpacing(32);
    m_title->setProperty("class", QStringLiteral("decorated-label"));
    m_text->setProperty("class", QStringLiteral("footer-label"));
    m_duration->setProperty("class", QStringLiteral("decorated-label"));
    for (QLabel* label : {m_title, m_text, m_duration}) {
        label->setAlignment(Qt::AlignCenter);
        label->setWordWrap(true);
    }
    layout->addWidget(m_title);
    layout->addWidget(m_text);

    auto* presets = new QGridLayout;
    presets->setSpacing(16);
    for (int i = 0; i < 4; ++i) {
        QPushButton* button = make_button(this);
        m_presets->addButton(button, PRESET_DAYS[i]);
        presets->addWidget(button, i / 2, i % 2);
    }
    layout->addLayout(presets);

    auto* stepper = new QHBoxLayout;
    stepper->setSpacing(16);
    stepper->addWidget(m_decrease);
    stepper->addWidget(m_duration, 1);
    stepper->addWidget(m_increase);
    layout->addLayout(stepper);
    layout->addStretch();

    auto* actions = new QHBoxLayout;
    actions->setSpacing(16);
    actions->addWidget(m_print);
    actions->addWidget(m_cancel);
    layout->addLayout(actions);

    connect(m_presets, &QButtonGroup::idClicked, this, &PrintOverpaySummaryDialog::onIntervalButtonClicked);
    connect(m_decrease, &QPushButton::clicked, this, &PrintOverpaySummaryDialog::onDecreaseClicked);
    connect(m_increase, &QPushButton::clicked, this, &PrintOverpaySummaryDialog::onIncreaseClicked);
    connect(m_print, &QPushButton::clicked, this, &PrintOverpaySummaryDialog::onCustomIntervalClicked);
    connect(m_cancel, &QPushButton::clicked, this, [this] { done(0); });
    retranslate();
    setCustomDuration(1);
}

QPushButton* PrintOverpaySummaryDialog::presetButton(int days) const
{
    return qobject_cast<QPushButton*>(m_presets->button(days));
}

// A box over the screen, not a view of the stack.
void PrintOverpaySummaryDialog::onStart()
{
    setCustomDuration(1);
    if (QWidget* screen = parentWidget() ? parentWidget()->window() : nullptr)
        move(screen->geometry().center() - rect().center());
    show();
}

void PrintOverpaySummaryDialog::onResume(const ActivityResult&)
{
    show();
}

void PrintOverpaySummaryDialog::onStop()
{
    hide();
}

void PrintOverpaySummaryDialog::setCustomDuration(int days)
{
    m_days = qMax(1, days);
    m_duration->setText(tr("%n giorn(o)", nullptr, m_days));
    m_decrease->setEnabled(m_days >= 2);
}

void PrintOverpaySummaryDialog::onIntervalButtonClicked(int days)
{
    setCustomDuration(days);
}

void PrintOverpaySummaryDialog::onIncreaseClicked()
{
    setCustomDuration(m_days + 1);
}

void PrintOverpaySummaryDialog::onDecreaseClicked()
{
    setCustomDuration(m_days - 1);
}

void PrintOverpaySummaryDialog::onCustomIntervalClicked()
{
    Rk710Controller* controller = m_controller;
    const int days = m_days;
    VM24::long_running_operation(
        QtConcurrent::run(controller->shortJobs(), [controller, days] { return print_overpay_summary(controller, days); }), this,
        tr("Attendere stampa scontrino"), QString(), false, [this, days](bool printed) {
            qCInfo(maintenanceLog, "Credit-note summary of %d days %s", days, printed ? "printed" : "not printed");
            if (printed) {
                done(1);
                return;
            }
            InteractiveMessageDialog::showInteractive(tr("Stampa non riuscita"),
                                                      tr("Controllare la stampante e riprovare."), FAILURE_SHOWN_MS,
                                                      this, [this] { done(1); });
        });
}

void PrintOverpaySummaryDialog::done(int)
{
    finish();
}

void PrintOverpaySummaryDialog::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    MenuActivity::changeEvent(event);
}

void PrintOverpaySummaryDialog::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    VM24::paint_style_background(this);
}

void PrintOverpaySummaryDialog::retranslate()
{
    m_title->setText(tr("Stampa scontrini per resto non erogato"));
    m_text->setText(tr("Scegli una durata o impostala con più e meno."));
    for (int days : PRESET_DAYS)
        m_presets->button(days)->setText(tr("%n giorn(o)", nullptr, days));
    m_duration->setText(tr("%n giorn(o)", nullptr, m_days));
    m_print->setText(tr("Stampa"));
    m_cancel->setText(tr("Annulla"));
}
