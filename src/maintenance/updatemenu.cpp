#include "maintenance/updatemenu.h"

#include "board/powercontrol.h"
#include "security/usbmonitor.h"
#include "settings/settingsmanager.h"
#include "ui/stylebackground.h"
#include "ui/updateprogressdialog.h"
#include "updates/brandingresources.h"
#include "updates/catalogueresourcehandler.h"
#include "updates/customizationshandler.h"
#include "updates/guidedpackageinstaller.h"
#include "updates/homepagemediahandler.h"
#include "updates/settingsfilehandler.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QThreadPool>

namespace {

const QSize DIALOG_SIZE(900, 1100);
const int MIN_LEVEL_FOR_ADVANCED_ITEMS = 2;

const char* const ITEM_TEXTS[UpdateMenu::ITEM_COUNT] = {
    QT_TRANSLATE_NOOP("UpdateItem", "Impostazioni"),
    QT_TRANSLATE_NOOP("UpdateItem", "Prodotti"),
    QT_TRANSLATE_NOOP("UpdateItem", "Software"),
    QT_TRANSLATE_NOOP("UpdateItem", "Home Page"),
    QT_TRANSLATE_NOOP("UpdateItem", "Personalizzazioni"),
    QT_TRANSLATE_NOOP("UpdateItem", "Branding"),
};

QString item_text(int item)
{
    return QCoreApplication::translate("UpdateItem", ITEM_TEXTS[item]);
}

QPushButton* make_button(const char* icon, QWidget* parent)
{
    auto* button = new QPushButton(QIcon(QLatin1String(icon)), QString(), parent);
    button->setProperty("class", QStringLiteral("generic-menu-button bottom"));
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

UpdateMenu::UpdateMenu(UsbMonitor* usb, PowerControl* powerControl, AssetsRegistry* registry,
                       SettingsManager* settingsManager, Context* context, QWidget* parent,
                       UpdateAuthenticator* authenticator)
    : MenuActivity(context, parent)
    , m_usb(usb)
    , m_powerControl(powerControl)
    , m_dialog(new UpdateProgressDialog(this))
    , m_title(new QLabel(this))
    , m_footer(new QLabel(this))
    , m_items(new QButtonGroup(this))
    , m_all(make_button(":/icons/plus", this))
    , m_ok(make_button(":/icons/yes", this))
    , m_cancel(make_button(":/icons/no", this))
{
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setWindowModality(Qt::ApplicationModal);
    setFixedSize(DIALOG_SIZE);
    setProperty("class", QStringLiteral("decorated-dialog"));
    m_items->setExclusive(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(48, 48, 48, 48);
    layout->setSpacing(28);
    m_title->setProperty("class", QStringLiteral("title"));
    m_title->setAlignment(Qt::AlignCenter);
    m_title->setWordWrap(true);
    layout->addWidget(m_title);
    for (int item = 0; item < ITEM_COUNT; ++item) {
        auto* box = new QCheckBox(this);
        box->setFocusPolicy(Qt::NoFocus);
        m_items->addButton(box, item);
        layout->addWidget(box);
    }
    layout->addStretch();
    m_footer->setProperty("class", QStringLiteral("decorated-label"));
    m_footer->setAlignment(Qt::AlignCenter);
    m_footer->setWordWrap(true);
    layout->addWidget(m_footer);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(24);
    for (QPushButton* button : {m_all, m_ok, m_cancel})
        buttons->addWidget(button);
    layout->addLayout(buttons);

    setHandler(Settings, std::make_unique<SettingsFileHandler>([settingsManager](const QString& path, int level) {
        return settingsManager && settingsManager->importFromFile(path, level);
    }, authenticator));
    setHandler(Products, std::make_unique<CatalogueResourceHandler>(registry));
    setHandler(Software, std::make_unique<GuidedPackageInstaller>(authenticator));
    setHandler(HomePage, std::make_unique<HomePageMediaHandler>(registry));
    setHandler(Customizations, std::make_unique<CustomizationsHandler>(registry));
    setHandler(Branding, std::make_unique<BrandingResources>(registry));

    connect(m_items, &QButtonGroup::idClicked, this, &UpdateMenu::updateOkButton);
    connect(m_all, &QPushButton::clicked, this, &UpdateMenu::checkAll);
    connect(m_ok, &QPushButton::clicked, this, &UpdateMenu::startUpdate);
    connect(m_cancel, &QPushButton::clicked, this, &UpdateMenu::done);
    connect(m_dialog, &QDialog::accepted, this, &UpdateMenu::done);
    retranslate();
}

UpdateMenu::~UpdateMenu() = default;

void UpdateMenu::setHandler(UpdateItem item, std::unique_ptr<ResourceHandler> handler)
{
    m_handlers[item] = std::move(handler);
}

QCheckBox* UpdateMenu::checkBox(UpdateItem item) const
{
    return static_cast<QCheckBox*>(m_items->button(item));
}

void UpdateMenu::retranslate()
{
    m_title->setText(tr("Seleziona gli elementi da aggiornare"));
    m_footer->setText(tr("Premi 'OK' quando hai finito"));
    for (int item = 0; item < ITEM_COUNT; ++item)
        m_items->button(item)->setText(item_text(item));
    m_all->setText(tr("Tutto"));
    m_ok->setText(tr("Ok"));
    m_cancel->setText(tr("Annulla"));
}

void UpdateMenu::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    MenuActivity::changeEvent(event);
}

void UpdateMenu::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    VM24::paint_style_background(this);
}

bool UpdateMenu::isShown(int item) const
{
    return (item != HomePage && item != Branding) || userLevel() >= MIN_LEVEL_FOR_ADVANCED_ITEMS;
}

void UpdateMenu::onStart()
{
    for (QAbstractButton* box : m_items->buttons()) {
        box->setChecked(false);
        box->setEnabled(false);
        box->setVisible(isShown(m_items->id(box)));
    }
    m_ok->setEnabled(false);
    enableItemsFound();
    if (QWidget* screen = parentWidget() ? parentWidget()->window() : nullptr)
        move(screen->geometry().center() - rect().center());
    show();
}

void UpdateMenu::enableItemsFound()
{
    const QString root = m_usb->resolvedDataRoot();
    if (root.isEmpty())
        return;
    const QStringList entries =
        QDir(root).entryList(QDir::Files | QDir::Dirs | QDir::Readable | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& entry : entries) {
        for (int item = 0; item < ITEM_COUNT; ++item) {
            const auto handler = m_handlers.find(item);
            if (isShown(item) && handler != m_handlers.end() && handler->second && handler->second->accepts(entry)) {
                m_items->button(item)->setEnabled(true);
                break;
            }
        }
    }
}

void UpdateMenu::onResume(const ActivityResult&)
{
    show();
}

void UpdateMenu::onStop()
{
    if (m_dialog->restartRequired())
        m_powerControl->doAction(PowerControl::Restart);
    m_powerControl->setEnabled(true);
    hide();
}

void UpdateMenu::updateOkButton()
{
    bool anyChecked = false;
    for (QAbstractButton* box : m_items->buttons())
        anyChecked = anyChecked || box->isChecked();
    m_ok->setEnabled(anyChecked);
}

void UpdateMenu::checkAll()
{
    for (QAbstractButton* box : m_items->buttons()) {
        if (box->isEnabled() && box->isVisible())
            box->setChecked(true);
    }
    updateOkButton();
}

void UpdateMenu::startUpdate()
{
    std::vector<std::pair<QString, ResourceHandler*>> chosen;
    for (int item = 0; item < ITEM_COUNT; ++item) {
        const auto handler = m_handlers.find(item);
        // isShown again: the level drops when the stick has been swapped meanwhile.
        if (isShown(item) && m_items->button(item)->isChecked() && handler != m_handlers.end() && handler->second)
            chosen.emplace_back(item_text(item), handler->second.get());
    }
    const QString root = m_usb->resolvedDataRoot();
    if (chosen.empty() || root.isEmpty())
        return;
    m_powerControl->setEnabled(false);
    m_ok->setEnabled(false);
    m_dialog->prepare(tr("Aggiornamento in corso"), tr("Lettura file di aggiornamento in corso..."), userLevel());
    m_dialog->open();
    UpdateProgressDialog* dialog = m_dialog;
    QThreadPool::globalInstance()->start([chosen, root, dialog] {
        dialog->beginUpdate();
        for (const auto& [title, handler] : chosen) {
            dialog->beginStage(title);
            handler->apply(QDir(root), dialog);
        }
        dialog->finishUpdate();
    });
}

void UpdateMenu::done()
{
    finish();
}
