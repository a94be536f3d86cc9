#include "maintenance/usbexportmenu.h"

#include "accounting/accountingservice.h"
#include "accounting/evadtscollector.h"
#include "board/powercontrol.h"
#include "core/vm24.h"
#include "maintenance/exportableitem.h"
#include "maintenance/exporttask.h"
#include "security/usbmonitor.h"
#include "settings/settings.h"
#include "tasks/productnames.h"
#include "ui/stylebackground.h"
#include "ui/updateprogressdialog.h"
#include "updates/assetsregistry.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QThreadPool>
#include <QVBoxLayout>
#include <QtConcurrentRun>

namespace {

const int DIALOG_WIDTH = 900;
const int MIN_LEVEL_FOR_CONTENT = 2;

QPushButton* make_button(const char* icon, QWidget* parent)
{
    auto* button = new QPushButton(parent);
    button->setProperty("class", QStringLiteral("generic-menu-button"));
    button->setFocusPolicy(Qt::NoFocus);
    button->setIcon(QIcon(QLatin1String(icon)));
    return button;
}

QLabel* make_label(const char* styleClass, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setProperty("class", QLatin1String(styleClass));
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    return label;
}

} // namespace

UsbExportMenu::UsbExportMenu(UsbMonitor* usb, AccountingService* accounting, ProductProvider* products,
                             AssetsRegistry* assets, PowerControl* power, Rk710Controller* controller,
                             Context* context, QWidget* parent)
    : MenuActivity(context, parent)
    , m_usb(usb)
    , m_accounting(accounting)
    , m_products(products)
    , m_assets(assets)
    , m_power(power)
    , m_controller(controller)
    , m_heading(make_label("decorated-label", this))
    , m_items(new QButtonGroup(this))
    , m_minus(make_button(":/icons/minus", this))
    , m_days(make_label("decorated-label", this))
    , m_plus(make_button(":/icons/plus", this))
    , m_daysCaption(make_label("footer-label", this))
    , m_daysRow(new QWidget(this))
    , m_all(make_button(":/icons/plus", this))
    , m_ok(make_button(":/icons/yes", this))
    , m_cancel(make_button(":/icons/no", this))
    , m_footer(make_label("footer-label", this))
    , m_progress(new UpdateProgressDialog(this))
{
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setWindowModality(Qt::ApplicationModal);
    setFixedWidth(DIALOG_WIDTH);
    setProperty("class", QStringLiteral("decorated-dialog"));
    m_items->setExclusive(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(48, 48, 48, 48);
    layout->setSpacing(20);
    layout->addWidget(m_heading);
    for (int item = 0; item < ExportableItem::Count; ++item) {
        auto* box = new QCheckBox(this);
        box->setProperty("class", QStringLiteral("generic-menu-button"));
        box->setFocusPolicy(Qt::NoFocus);
        m_items->addButton(box, item);
        layout->addWidget(box);
    }
    auto* daysLayout = new QVBoxLayout(m_daysRow);
    daysLayout->setContentsMargins(0, 0, 0, 0);
    auto* row = new QHBoxLayout;
    row->addWidget(m_minus);
    row->addWidget(m_days, 1);
    row->addWidget(m_plus);
    daysLayout->addLayout(row);
    daysLayout->addWidget(m_daysCaption);
    layout->addWidget(m_daysRow);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {m_all, m_ok, m_cancel})
        buttons->addWidget(button);
    layout->addLayout(buttons);
    layout->addWidget(m_footer);
    connect(m_items, &QButtonGroup::idClicked, this, &UsbExportMenu::onItemClicked);
    connect(m_all, &QPushButton::clicked, this, &UsbExportMenu::onAllButtonClicked);
    connect(m_ok, &QPushButton::clicked, this, &UsbExportMenu::startExport);
    connect(m_cancel, &QPushButton::clicked, this, &UsbExportMenu::done);
    connect(m_minus, &QPushButton::clicked, this, &UsbExportMenu::onDaysMinusClicked);
    connect(m_plus, &QPushButton::clicked, this, &UsbExportMenu::onDaysPlusClicked);
    connect(m_progress, &QDialog::accepted, this, &UsbExportMenu::done);
    retranslate();
}

void UsbExportMenu::retranslate()
{
    m_heading->setText(tr("Seleziona gli elementi da esportare"));
    for (int item = 0; item < ExportableItem::Count; ++item)
        m_items->button(item)->setText(ExportableItem::to_localized_string(item));
    m_daysCaption->setText(tr("Imposta la durata del log"));
    m_all->setText(tr("Tutto"));
    m_ok->setText(tr("Ok"));
    m_cancel->setText(tr("Annulla"));
    m_footer->setText(tr("Premi 'OK' quando hai finito"));
    setLogInterval(m_logDays);
}

void UsbExportMenu::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    MenuActivity::changeEvent(event);
}

void UsbExportMenu::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    VM24::paint_style_background(this);
}

QAbstractButton* UsbExportMenu::itemBox(int item) const
{
    return m_items->button(item);
}

bool UsbExportMenu::isAllowed(int item) const
{
    const bool content = item == ExportableItem::HomePage || item == ExportableItem::Branding;
    return !content || userLevel() >= MIN_LEVEL_FOR_CONTENT;
}

void UsbExportMenu::onStart()
{
    for (int item = 0; item < ExportableItem::Count; ++item) {
        QAbstractButton* box = m_items->button(item);
        box->setChecked(false);
        box->setEnabled(isAllowed(item));
    }
    m_ok->setEnabled(false);
    setLogInterval(DEFAULT_LOG_DAYS);
    setLogIntervalControlsVisible(false);
    adjustSize();
    if (QWidget* screen = parentWidget() ? parentWidget()->window() : nullptr)
        move(screen->geometry().center() - rect().center());
    show();
}

void UsbExportMenu::onStop()
{
    hide();
    m_power->setEnabled(true);
}

void UsbExportMenu::setLogInterval(int days)
{
    m_logDays = qMax(1, days);
    m_minus->setEnabled(m_logDays >= 2);
    m_days->setText(tr("%n giorn(o)", nullptr, m_logDays));
}

void UsbExportMenu::setLogIntervalControlsVisible(bool visible)
{
    m_daysRow->setVisible(visible);
}

void UsbExportMenu::onDaysMinusClicked()
{
    setLogInterval(m_logDays - 1);
}

void UsbExportMenu::onDaysPlusClicked()
{
    setLogInterval(m_logDays + 1);
}

QList<int> UsbExportMenu::checkedItems() const
{
    QList<int> items;
    for (int item = 0; item < ExportableItem::Count; ++item) {
        if (m_items->button(item)->isChecked())
            items << item;
    }
    return items;
}

void UsbExportMenu::onItemClicked()
{
    m_ok->setEnabled(!checkedItems().isEmpty());
    setLogIntervalControlsVisible(m_items->button(ExportableItem::EventLog)->isChecked());
    adjustSize();
}

void UsbExportMenu::onAllButtonClicked()
{
    for (QAbstractButton* box : m_items->buttons()) {
        if (box->isEnabled())
            box->setChecked(true);
    }
    onItemClicked();
}

void UsbExportMenu::startExport()
{
    m_power->setEnabled(false);
    m_progress->prepare(tr("Esportazione in corso"), tr("Attendere prego"), userLevel());
    m_progress->show();
    m_usb->makeApplicationDataRoot();
    // Empty when the folder leads off the stick: the task then writes nothing.
    const QString root = m_usb->resolvedDataRoot();
    ExportTask::Sources sources;
    const Settings settings;
    sources.settingsFile = settings.fileName();
    sources.catalogueRoot = m_assets->assetDir(QStringLiteral("products"));
    sources.mediaDir = m_assets->assetDir(QStringLiteral("media"));
    sources.eventsPictureDir = m_assets->assetDir(QStringLiteral("brixo-events"));
    sources.bannerPictureDir = m_assets->assetDir(QStringLiteral("brixo-banner"));
    sources.userDir = m_assets->assetDir(QStringLiteral("user"));
    sources.productNames = VM24::product_names(*m_products);
    sources.ledger = m_accounting->ledger();
    sources.controller = m_controller;
    sources.serial = settings.value(Settings::Serial);
    sources.selections = VM24::eva_dts_selections(*m_products);
    ExportTask task(QDir(root), sources, allowedCheckedItems(), userLevel(), m_logDays, m_progress);
    QtConcurrent::run(QThreadPool::globalInstance(), [task]() mutable { return task.run(); })
        .then(this, [this](const ExportTask::Result& result) { onExportFinished(result.failures); });
}

// The level is looked at again here: it drops when the stick it came with
// has been swapped since the page opened.
QList<int> UsbExportMenu::allowedCheckedItems() const
{
    QList<int> items = checkedItems();
    items.removeIf([this](int item) { return !isAllowed(item); });
    return items;
}

// Comes after the progress box's own completion text, which it replaces
// when something is missing.
void UsbExportMenu::onExportFinished(const QStringList& failures)
{
    if (failures.isEmpty())
        return;
    m_progress->setMessage(tr("Esportazione incompleta"));
    m_progress->setFooter(tr("Non esportato: %1").arg(failures.join(QLatin1String(", "))));
    m_progress->setAutoclose(0);
    m_progress->setClosesOnTouch(true);
}

void UsbExportMenu::done()
{
    hide();
    finish();
}
