#include "maintenance/maintenancemenu.h"

#include "core/defaults.h"
#include "core/vm24.h"
#include "logging/supportrequestnotification.h"
#include "maintenance/maintenancelog.h"
#include "maintenance/supportmail.h"
#include "settings/settings.h"
#include "ui/interactivemessagedialog.h"
#include "ui/longrunningoperation.h"
#include "ui/yesnodialog.h"
#include "updates/contentupdateservice.h"
#include "updates/packageupdateservice.h"

#include <QButtonGroup>
#include <QDateTime>
#include <QEvent>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QThreadPool>
#include <QVBoxLayout>

namespace {

const QSize SCREEN(1080, 1920);
const QSize ENTRY_SIZE(480, 150);
// Entries 0 to 9 have pages of their own; entry 10 installs downloaded
// packages, on a row of its own above the software and content update
// buttons (their texts are longer than half the width).
const int PAGE_ENTRIES = 10;
const int PACKAGE_ROW = PAGE_ENTRIES / 2;
const QSize WIDE_ENTRY_SIZE(2 * ENTRY_SIZE.width() + 24, ENTRY_SIZE.height());

// Key level from which an entry is shown; 0 for always.
int required_level(int entry)
{
    switch (entry) {
    case MaintenanceMenuEntry::KeyGeneration:
        return 2;
    case MaintenanceMenuEntry::UsbUpdates:
    case MaintenanceMenuEntry::UsbExport:
        return 1;
    default:
        return 0;
    }
}

QPushButton* make_button(const QString& icon, QWidget* parent)
{
    auto* button = new QPushButton(parent);
    button->setProperty("class", QStringLiteral("generic-menu-button bottom"));
    button->setFocusPolicy(Qt::NoFocus);
    if (!icon.isEmpty())
        button->setIcon(QIcon(icon));
    return button;
}

} // namespace

MaintenanceMenu::MaintenanceMenu(VM24::NotificationService* notifications, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
    , m_notifications(notifications)
    , m_entries(new QButtonGroup(this))
    , m_titleLabel(new QLabel(this))
    , m_levelLabel(new QLabel(this))
    , m_versionLabel(new QLabel(this))
    , m_clockLabel(new QLabel(this))
{
    setModal(true);
    setFixedSize(SCREEN);
    setObjectName(QStringLiteral("maintenanceMenu"));
    setStyleSheet(QStringLiteral("#maintenanceMenu { background-color: #0b1633; }"));
    createEntries();
    createControls();
    retranslate();
    m_clock.setInterval(1000);
    connect(&m_clock, &QTimer::timeout, this, &MaintenanceMenu::updateClock);
    updateEntries();
}

void MaintenanceMenu::createEntries()
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(48, 48, 48, 48);
    layout->setSpacing(24);
    m_titleLabel->setProperty("class", QStringLiteral("page-heading"));
    m_titleLabel->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_titleLabel);
    for (QLabel* label : {m_levelLabel, m_versionLabel, m_clockLabel}) {
        label->setProperty("class", QStringLiteral("text"));
        label->setAlignment(Qt::AlignCenter);
        layout->addWidget(label);
    }
    auto* grid = new QGridLayout;
    grid->setSpacing(24);
    for (int entry = 0; entry < PAGE_ENTRIES; ++entry) {
        QPushButton* button = make_button(QString(), this);
        button->setFixedSize(ENTRY_SIZE);
        m_entries->addButton(button, entry);
        grid->addWidget(button, entry / 2, entry % 2);
    }
    createPackageControls(grid);
    layout->addLayout(grid);
    layout->addStretch();
    connect(m_entries, &QButtonGroup::idClicked, this, &MaintenanceMenu::onMenuButtonPressed);
}

void MaintenanceMenu::createControls()
{
    m_support = make_button(QStringLiteral(":/icons/support"), this);
    m_restart = make_button(QStringLiteral(":/icons/reboot"), this);
    m_exit = make_button(QStringLiteral(":/icons/exit"), this);
    auto* row = new QHBoxLayout;
    row->setSpacing(24);
    for (QPushButton* button : {m_restart, m_exit})
        row->addWidget(button);
    static_cast<QVBoxLayout*>(layout())->addWidget(m_support);
    static_cast<QVBoxLayout*>(layout())->addLayout(row);
    connect(m_support, &QPushButton::clicked, this, &MaintenanceMenu::sendSupportRequest);
    connect(m_restart, &QPushButton::clicked, this, &MaintenanceMenu::restartRequested);
    connect(m_exit, &QPushButton::clicked, this, &QDialog::reject);
}

void MaintenanceMenu::retranslate()
{
    const char* const texts[PAGE_ENTRIES] = {
        QT_TR_NOOP("Impostazione selezioni"), QT_TR_NOOP("Impostazione prezzi"),
        QT_TR_NOOP("Contabilità"),            QT_TR_NOOP("Altre impostazioni"),
        QT_TR_NOOP("Periferiche"),            QT_TR_NOOP("Visualizzazione log"),
        QT_TR_NOOP("Generazione chiavi"),     QT_TR_NOOP("Riassunto scontrini"),
        QT_TR_NOOP("Aggiornamenti da USB"),   QT_TR_NOOP("Esporta a USB"),
    };
    for (int entry = 0; entry < PAGE_ENTRIES; ++entry)
        m_entries->button(entry)->setText(tr(texts[entry]));
    m_titleLabel->setText(tr("Menu di manutenzione"));
    m_support->setText(tr("Invia richiesta di assistenza"));
    m_restart->setText(tr("Riavvia"));
    m_exit->setText(tr("Esci"));
    m_versionLabel->setText(tr("Versione %1").arg(QLatin1String(VM24::APPLICATION_VERSION)));
    retranslatePackageControls();
    setUserLevel(m_userLevel);
}

void MaintenanceMenu::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}

// Only the exit button leaves the menu; a window closed by the program
// quitting is just hidden.
void MaintenanceMenu::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
}

void MaintenanceMenu::setUserLevel(int level)
{
    m_userLevel = level;
    m_levelLabel->setText(level < 1 ? tr("Nessuna chiave USB inserita") : tr("Utente livello %1").arg(level));
    updateEntries();
}

void MaintenanceMenu::setEntryAvailable(int entry, bool available)
{
    if (entry < 0 || entry >= MaintenanceMenuEntry::COUNT)
        return;
    m_available[entry] = available;
    updateEntries();
}

void MaintenanceMenu::updateEntries()
{
    for (int entry = 0; entry < PAGE_ENTRIES; ++entry) {
        QAbstractButton* button = m_entries->button(entry);
        button->setVisible(m_userLevel >= required_level(entry));
        button->setEnabled(m_available[entry]);
    }
    const int install = MaintenanceMenuEntry::PackageInstallation;
    m_entries->button(install)->setEnabled(m_available[install] && m_softwareState == PackageUpdateService::Idle
                                           && m_installablePackages > 0);
    m_softwareUpdate->setEnabled(m_packages && m_softwareState == PackageUpdateService::Idle);
    m_contentUpdate->setEnabled(m_contents && m_contentState == ContentUpdateService::Idle);
}

QAbstractButton* MaintenanceMenu::entryButton(int entry) const
{
    return m_entries->button(entry);
}

void MaintenanceMenu::onMenuButtonPressed(int entry)
{
    m_chosen = entry;
    emit menuClicked(entry);
    accept();
}

void MaintenanceMenu::showEvent(QShowEvent* event)
{
    if (parentWidget())
        move(parentWidget()->window()->geometry().topLeft());
    updateClock();
    m_clock.start();
    followPackageUpdates(true);
    followContentUpdates(true);
    QDialog::showEvent(event);
}

void MaintenanceMenu::hideEvent(QHideEvent* event)
{
    m_clock.stop();
    followPackageUpdates(false);
    followContentUpdates(false);
    QDialog::hideEvent(event);
}

void MaintenanceMenu::updateClock()
{
    m_clockLabel->setText(QDateTime::currentDateTime().toString(QStringLiteral("yyyy/MM/dd   hh:mm:ss")));
}

void MaintenanceMenu::sendSupportRequest()
{
    YesNoDialog::ask(tr("Vuoi veramente inviare una richeista di assistenza?"), QString(), tr("Invia"), tr("Annulla"),
                     this, [this](bool yes) {
                         if (yes)
                             sendSupportMail();
                     });
}

void MaintenanceMenu::sendSupportMail()
{
    m_notifications->notify(std::make_unique<VM24::SupportRequestNotification>());
    const Settings settings;
    const QString recipient = settings.value(Settings::SupportEmail).trimmed();
    if (recipient.isEmpty()) {
        InteractiveMessageDialog::showTemporary(tr("Indirizzo email di assistenza non configurato"), QString(),
                                                InteractiveMessageDialog::DEFAULT_DURATION_MS, this);
        return;
    }
    const int serial = settings.value(Settings::Serial);
    qCInfo(maintenanceLog) << "support request to" << recipient;
    QThreadPool::globalInstance()->start([recipient, serial] { VM24::send_support_mail(recipient, serial); });
}

void MaintenanceMenu::createPackageControls(QGridLayout* grid)
{
    QPushButton* install = make_button(QString(), this);
    install->setFixedSize(WIDE_ENTRY_SIZE);
    m_entries->addButton(install, MaintenanceMenuEntry::PackageInstallation);
    grid->addWidget(install, PACKAGE_ROW, 0, 1, 2);
    m_softwareUpdate = make_button(QString(), this);
    m_softwareUpdate->setFixedSize(WIDE_ENTRY_SIZE);
    grid->addWidget(m_softwareUpdate, PACKAGE_ROW + 1, 0, 1, 2);
    connect(m_softwareUpdate, &QPushButton::clicked, this, &MaintenanceMenu::checkSoftwareUpdates);
    m_contentUpdate = make_button(QString(), this);
    m_contentUpdate->setFixedSize(WIDE_ENTRY_SIZE);
    grid->addWidget(m_contentUpdate, PACKAGE_ROW + 2, 0, 1, 2);
    connect(m_contentUpdate, &QPushButton::clicked, this, &MaintenanceMenu::checkContentUpdates);
}

void MaintenanceMenu::setContentUpdates(ContentUpdateService* service)
{
    followContentUpdates(false);
    m_contents = service;
    if (isVisible())
        followContentUpdates(true);
    updateEntries();
}

void MaintenanceMenu::followContentUpdates(bool follow)
{
    if (!m_contents)
        return;
    disconnect(m_contents, &ContentUpdateService::stateChanged, this, &MaintenanceMenu::setContentUpdatesState);
    if (!follow)
        return;
    connect(m_contents, &ContentUpdateService::stateChanged, this, &MaintenanceMenu::setContentUpdatesState);
    setContentUpdatesState(m_contents->state());
}

void MaintenanceMenu::setContentUpdatesState(int state)
{
    m_contentState = state;
    retranslatePackageControls();
    updateEntries();
}

void MaintenanceMenu::checkContentUpdates()
{
    if (m_contents)
        m_contents->checkForUpdates();
}

void MaintenanceMenu::setPackageUpdates(PackageUpdateService* service)
{
    followPackageUpdates(false);
    m_packages = service;
    if (isVisible())
        followPackageUpdates(true);
    updateEntries();
}

void MaintenanceMenu::followPackageUpdates(bool follow)
{
    if (!m_packages)
        return;
    m_packages->disconnect(this);
    if (!follow)
        return;
    connect(m_packages, &PackageUpdateService::stateChanged, this, &MaintenanceMenu::setSoftwareUpdatesState);
    connect(m_packages, &PackageUpdateService::cachedPackageCountChanged, this,
            &MaintenanceMenu::setInstallablePackageCount);
    connect(m_packages, &PackageUpdateService::downloadProgressChanged, this,
            &MaintenanceMenu::onDownloadProgressChanged);
    m_installablePackages = m_packages->cachedPackageCount();
    setSoftwareUpdatesState(m_packages->state());
}

void MaintenanceMenu::setSoftwareUpdatesState(int state)
{
    m_softwareState = state;
    if (state != PackageUpdateService::Downloading)
        m_toDownload = 0;
    retranslatePackageControls();
    updateEntries();
}

void MaintenanceMenu::setInstallablePackageCount(int count)
{
    m_installablePackages = count;
    retranslatePackageControls();
    updateEntries();
}

void MaintenanceMenu::onDownloadProgressChanged(int downloaded, int total)
{
    m_downloaded = downloaded;
    m_toDownload = total;
    retranslatePackageControls();
}

void MaintenanceMenu::checkSoftwareUpdates()
{
    if (m_packages)
        m_packages->checkForUpdates();
}

void MaintenanceMenu::retranslatePackageControls()
{
    QAbstractButton* install = m_entries->button(MaintenanceMenuEntry::PackageInstallation);
    install->setText(m_installablePackages > 0 ? tr("Installa %n package", nullptr, m_installablePackages)
                                               : tr("Nessun aggiornamento disponibile"));
    switch (m_softwareState) {
    case PackageUpdateService::Downloading:
        m_softwareUpdate->setText(m_toDownload > 0
                                      ? tr("Scaricamento aggiornamenti... (%1/%2)").arg(m_downloaded).arg(m_toDownload)
                                      : tr("Scaricamento aggiornamenti..."));
        break;
    case PackageUpdateService::Installing:
        m_softwareUpdate->setText(tr("Installazione aggiornamenti..."));
        break;
    default:
        m_softwareUpdate->setText(tr("Controlla aggiornamenti software"));
        break;
    }
    switch (m_contentState) {
    case ContentUpdateService::Checking:
        m_contentUpdate->setText(tr("Controllo contenuti in corso"));
        break;
    case ContentUpdateService::ContentsReady:
        m_contentUpdate->setText(tr("Nuovi contenuti disponibili"));
        break;
    default:
        m_contentUpdate->setText(tr("Controlla aggiornamenti contenuti"));
        break;
    }
}
