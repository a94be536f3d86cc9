#pragma once

#include "logging/notificationservice.h"
#include "maintenance/maintenancemenuentry.h"
#include "ui/activity.h"

#include <QObject>
#include <QPointer>

#include <functional>

class MaintenanceMenu;
class MenuActivity;
class QWidget;
class UpdateAuthenticator;
class UsbMonitor;

// The operator's way into the machine: started when a USB stick is plugged
// in (or the internal button is pressed), it authenticates the stick as a
// security key, runs a key's reset instructions, and shows the maintenance
// menu, from which the page bound to an entry is started with the key's
// level. When it ends, the stick is unmounted and must be removed.
class MaintenanceMode : public QObject, public Activity
{
    Q_OBJECT

public:
    // window: the main window, parent of the menu and the wait boxes.
    MaintenanceMode(UsbMonitor* usb, VM24::NotificationService* notifications, Context* context, QWidget* window);
    ~MaintenanceMode() override;

    void bindActivity(MaintenanceMenuEntry::Value entry, MenuActivity* activity);
    // The page is built by make when its entry is first chosen.
    void bindActivity(MaintenanceMenuEntry::Value entry, std::function<MenuActivity*()> make);
    MaintenanceMenu* menu() const { return m_menu; }
    // A stick of level 3 or more that brings the owner's update key
    // ("updates-public.pem" in its program folder) installs it.
    void setUpdateAuthenticator(UpdateAuthenticator* authenticator) { m_updateAuthenticator = authenticator; }
    // The level shown in the menu: the key's level, 0 without a key.
    int userLevel() const;

    void onStart() override;
    void onPause() override;
    void onResume(const ActivityResult& result) override;
    void onStop() override;

signals:
    // A key's reset instructions ran, or the operator pressed restart: the
    // program is to end so that the platform starts it again.
    void quitRequested();

public slots:
    void onMenuAccepted();
    void onMenuRejected();

private:
    void authenticate();
    void onAuthenticated();
    void openMenu();
    void runResetActions(const QString& dir);
    void onStickChanged();
    void showMenu();

    UsbMonitor* m_usb;
    VM24::NotificationService* m_notifications;
    QWidget* m_window;
    MaintenanceMenu* m_menu;
    MenuActivity* activity(int entry);

    MenuActivity* m_activities[MaintenanceMenuEntry::COUNT] = {};
    std::function<MenuActivity*()> m_makers[MaintenanceMenuEntry::COUNT];
    QPointer<QWidget> m_rememberedView;
    UpdateAuthenticator* m_updateAuthenticator = nullptr;
};
