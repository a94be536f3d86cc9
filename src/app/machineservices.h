#pragma once

#include "logging/notificationservice.h"

#include <QObject>

#include <memory>

class AccountingService;
class AlarmManager;
class AssetsRegistry;
class BoardLinkWatcher;
class BoardStatusObserver;
class ChangeObserver;
class ContentUpdateService;
class DeliveryService;
class DoorMonitor;
class FanControl;
class FileNotifier;
class MotorDispenserMonitor;
class NightlyCheckTask;
class PackageUpdateService;
class PendingActivityQueue;
class PeriodicDbLogger;
class PowerControl;
class PriceProvider;
class PrinterObserver;
class ProductProvider;
class Rk710Controller;
class SessionCheckout;
class SessionCredit;
class Settings;
class SettingsManager;
class SirenControl;
class TaskScheduler;
class TouchscreenWatcher;
class UpdateAuthenticator;
class UsbMonitor;
class VendingSessionContext;

// The machine below its screen: the board's watchers and outputs, the books,
// the event log and the alarm files, the catalogue, the vending session, the
// USB stick, the settings and the scheduled tasks. The constructor builds and
// wires them; the window's pages are wired to what the accessors give.
// initialize(), run once the event loop runs, books credit left on the board
// and starts the scheduled tasks; deinit() switches the machine's outputs off
// when the program is about to quit.
class MachineServices : public QObject
{
    Q_OBJECT

public:
    explicit MachineServices(Rk710Controller* controller, QObject* parent = nullptr);
    ~MachineServices() override;

    Rk710Controller* controller() const { return m_controller; }
    VM24::NotificationService* notificationService() const { return m_notificationService.get(); }
    AccountingService* accounting() const { return m_accounting.get(); }
    PowerControl* powerControl() const { return m_powerControl.get(); }
    AlarmManager* alarmManager() const { return m_alarmManager.get(); }
    ChangeObserver* changeObserver() const { return m_changeObserver.get(); }
    PrinterObserver* printerObserver() const { return m_printerObserver.get(); }
    FanControl* fanControl() const { return m_fanControl.get(); }
    PendingActivityQueue* pendingActivities() const { return m_pendingActivities.get(); }
    AssetsRegistry* assets() const { return m_assets.get(); }
    UpdateAuthenticator* updateAuthenticator() const { return m_updateAuthenticator.get(); }
    ProductProvider* productProvider() const { return m_productProvider.get(); }
    PriceProvider* priceProvider() const { return m_priceProvider.get(); }
    MotorDispenserMonitor* motorMonitor() const { return m_motorMonitor.get(); }
    SessionCredit* credit() const { return m_credit.get(); }
    VendingSessionContext* session() const { return m_session.get(); }
    SessionCheckout* checkout() const { return m_checkout.get(); }
    DeliveryService* delivery() const { return m_delivery.get(); }
    UsbMonitor* usbMonitor() const { return m_usbMonitor.get(); }
    SettingsManager* settingsManager() const { return m_settingsManager.get(); }
    ContentUpdateService* contentUpdates() const { return m_contentUpdates.get(); }
    PackageUpdateService* packageUpdates() const { return m_packageUpdates.get(); }
    // The nightly content check; null until initialize() ran.
    NightlyCheckTask* contentUpdateTask() const { return m_contentUpdateTask; }
    // Null until initialize() ran, and again after close().
    TaskScheduler* scheduler() const { return m_scheduler.get(); }

    void initialize();
    // Closes a session still open, waits for the workers and deletes the
    // scheduler with its tasks. The window calls it before its pages go, so
    // that no task runs into a page on its way out; otherwise the destructor
    // does.
    void close();

public slots:
    void deinit();
    void publishWarning(const QString& message);
    void onFrontDoorOpenChanged(bool open);

private:
    void createPowerControl();
    void createAlarmManager();
    void createBoardWatchers();
    void watchDoors();
    void createCatalogue();
    void createUpdateServices();
    void createVendingSession();
    void createSettingsManager();
    void createNotificationHandlers();
    void registerConfigurables();
    void pushSettingsDown(const Settings& settings);
    void publishStart();
    void createBoardStatusObserver();
    void createScheduledTasks();
    void registerUpdateTasks(const Settings& settings);
    void registerGarbageCollectors(const Settings& settings, const QString& outgoing, const QString& mailbox,
                                   const QString& archive);
    void registerHeartbeat();
    void watchProductPresence();

    Rk710Controller* m_controller;
    // Members go in the reverse order of their declaration: each one after
    // everything declared below it, which are the parts that hold it. The
    // notification service and its handlers go last, so that a session
    // closed on the way out still reaches the books and the event log.
    std::unique_ptr<VM24::NotificationService> m_notificationService;
    std::unique_ptr<PeriodicDbLogger> m_eventLog;
    std::unique_ptr<FileNotifier> m_fileNotifier;
    std::unique_ptr<AccountingService> m_accounting;
    std::unique_ptr<PowerControl> m_powerControl;
    std::unique_ptr<AlarmManager> m_alarmManager;
    std::unique_ptr<ChangeObserver> m_changeObserver;
    std::unique_ptr<PrinterObserver> m_printerObserver;
    std::unique_ptr<TouchscreenWatcher> m_touchscreenWatcher;
    std::unique_ptr<FanControl> m_fanControl;
    std::unique_ptr<SirenControl> m_sirenControl;
    std::unique_ptr<DoorMonitor> m_doorMonitor;
    std::unique_ptr<BoardLinkWatcher> m_linkWatcher;
    std::unique_ptr<PendingActivityQueue> m_pendingActivities;
    std::unique_ptr<AssetsRegistry> m_assets;
    std::unique_ptr<UpdateAuthenticator> m_updateAuthenticator;
    std::unique_ptr<ProductProvider> m_productProvider;
    std::unique_ptr<PriceProvider> m_priceProvider;
    std::unique_ptr<ContentUpdateService> m_contentUpdates;
    std::unique_ptr<PackageUpdateService> m_packageUpdates;
    std::unique_ptr<MotorDispenserMonitor> m_motorMonitor;
    std::unique_ptr<SessionCredit> m_credit;
    std::unique_ptr<VendingSessionContext> m_session;
    std::unique_ptr<SessionCheckout> m_checkout;
    std::unique_ptr<DeliveryService> m_delivery;
    std::unique_ptr<UsbMonitor> m_usbMonitor;
    std::unique_ptr<SettingsManager> m_settingsManager;
    std::unique_ptr<BoardStatusObserver> m_boardStatusObserver;
    std::unique_ptr<TaskScheduler> m_scheduler;
    // Owned by the scheduler.
    NightlyCheckTask* m_contentUpdateTask = nullptr;
};
