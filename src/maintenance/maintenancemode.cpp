#include "maintenance/maintenancemode.h"

#include "logging/infonotification.h"
#include "maintenance/maintenancelog.h"
#include "settings/settings.h"
#include "updates/updateauthenticator.h"
#include "maintenance/maintenancemenu.h"
#include "maintenance/resetdialog.h"
#include "maintenance/stickwait.h"
#include "security/resetactions.h"
#include "security/usbmonitor.h"
#include "ui/context.h"
#include "ui/longrunningoperation.h"
#include "ui/menuactivity.h"

#include <QPointer>

#include <memory>
#include <utility>

MaintenanceMode::MaintenanceMode(UsbMonitor* usb, VM24::NotificationService* notifications, Context* context,
                                 QWidget* window)
    : QObject(window)
    , Activity(context)
    , m_usb(usb)
    , m_notifications(notifications)
    , m_window(window)
    , m_menu(new MaintenanceMenu(notifications, window))
{
    connect(m_menu, &QDialog::accepted, this, &MaintenanceMode::onMenuAccepted);
    connect(m_menu, &QDialog::rejected, this, &MaintenanceMode::onMenuRejected);
    connect(m_menu, &MaintenanceMenu::restartRequested, this, &MaintenanceMode::quitRequested);
    connect(m_usb, &UsbMonitor::usbStick, this, &MaintenanceMode::onStickChanged);
}

MaintenanceMode::~MaintenanceMode() = default;

void MaintenanceMode::bindActivity(MaintenanceMenuEntry::Value entry, MenuActivity* activity)
{
    m_activities[entry] = activity;
    m_makers[entry] = nullptr;
    m_menu->setEntryAvailable(entry, activity != nullptr);
}

void MaintenanceMode::bindActivity(MaintenanceMenuEntry::Value entry, std::function<MenuActivity*()> make)
{
    m_activities[entry] = nullptr;
    m_makers[entry] = std::move(make);
    m_menu->setEntryAvailable(entry, bool(m_makers[entry]));
}

MenuActivity* MaintenanceMode::activity(int entry)
{
    if (entry < 0 || entry >= MaintenanceMenuEntry::COUNT)
        return nullptr;
    if (!m_activities[entry] && m_makers[entry])
        m_activities[entry] = std::exchange(m_makers[entry], nullptr)();
    return m_activities[entry];
}

int MaintenanceMode::userLevel() const
{
    return qMax(0, m_usb->userLevel());
}

namespace {

const int UPDATE_KEY_LEVEL = 3;

} // namespace

void MaintenanceMode::onStart()
{
    if (m_usb->isUsbInserted())
        authenticate();
    else
        openMenu();
}

void MaintenanceMode::onAuthenticated()
{
    // Left meanwhile (interrupted): nothing more to do here.
    if (!isResumed())
        return;
    // The level and the folder of the insertion authenticated: a stick
    // pulled or swapped meanwhile has neither.
    const QString dir = m_usb->resolvedDataRoot();
    if (m_usb->userLevel() >= UPDATE_KEY_LEVEL && m_updateAuthenticator)
        m_updateAuthenticator->installKeyFrom(dir);
    if (m_usb->userLevel() > 1 && VM24::has_reset_actions(dir)) {
        runResetActions(dir);
        return;
    }
    openMenu();
}

void MaintenanceMode::openMenu()
{
    qCInfo(maintenanceLog) << "menu opened at level" << userLevel();
    m_notifications->notify(
        std::make_unique<VM24::InfoNotification>(QStringLiteral("Apertura menu di manutenzione (livello %1)").arg(userLevel())));
    showMenu();
}

void MaintenanceMode::authenticate()
{
    qCInfo(maintenanceLog) << "authenticating the USB key";
    UsbMonitor* usb = m_usb;
    VM24::long_running_operation(QtConcurrent::run([usb] { return usb->authenticateUsb(); }), m_window,
                                 tr("Autenticazione chiave USB"), tr("Non rimuovere il dispositivo USB"), -1,
                                 [this](int) { onAuthenticated(); });
}

// The program ends once the actions have run and the box is closed; the
// stick comes out before it ends.
void MaintenanceMode::runResetActions(const QString& dir)
{
    QPointer<ResetDialog> dialog = new ResetDialog(m_window);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    auto ended = std::make_shared<int>(0);
    const auto endOnceBoth = [this, ended] {
        if (++*ended != 2)
            return;
        finish();
        emit quitRequested();
    };
    connect(dialog, &QDialog::finished, this, endOnceBoth);
    QtConcurrent::run([dir] { VM24::run_reset_actions(dir, Settings::clearFile); }).then(this, [dialog, endOnceBoth] {
        if (dialog)
            dialog->onResetDone();
        endOnceBoth();
    });
    dialog->open();
}

// A level belongs to the stick that was authenticated: the pages and the
// menu drop to the level of whatever is there now (none, or a stick not yet
// authenticated).
void MaintenanceMode::onStickChanged()
{
    for (MenuActivity* page : m_activities) {
        if (page)
            page->setUserLevel(userLevel());
    }
    m_menu->setUserLevel(userLevel());
}

void MaintenanceMode::showMenu()
{
    if (m_rememberedView)
        context()->showView(m_rememberedView);
    m_menu->setUserLevel(userLevel());
    m_menu->setVisible(true);
}

void MaintenanceMode::onMenuAccepted()
{
    MenuActivity* activity = this->activity(m_menu->chosenEntry());
    if (!activity) {
        finish();
        return;
    }
    activity->setUserLevel(userLevel());
    startActivity(activity);
}

void MaintenanceMode::onMenuRejected()
{
    qCInfo(maintenanceLog) << "menu closed";
    m_notifications->notify(std::make_unique<VM24::InfoNotification>(QStringLiteral("Chiusura menu di manutenzione")));
    finish();
}

void MaintenanceMode::onPause()
{
    m_rememberedView = context()->currentView();
    m_menu->hide();
}

void MaintenanceMode::onResume(const ActivityResult&)
{
    if (isInterrupted()) {
        finish();
        return;
    }
    showMenu();
}

void MaintenanceMode::onStop()
{
    m_menu->hide();
    m_rememberedView.clear();
    // The boxes stay over the page below until the stick is out.
    VM24::unmount_and_wait_for_removal(m_usb, m_window, {});
}
