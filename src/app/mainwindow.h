#pragma once

#include "logging/notificationservice.h"

#include <QMainWindow>

#include <memory>

class AccountingService;
class AlarmManager;
class ApplicationSettings;
class AssetsRegistry;
class UpdateAuthenticator;
class BoardStatusObserver;
class ChangeObserver;
class ContentUpdatePage;
class ContentUpdateService;
class ContentUpdateTask;
class PushUpdatesDirectoryWatcher;
class UpdateMenu;
class DeliveryService;
class DoorMonitor;
class FanControl;
class FileNotifier;
class PrinterObserver;
class SirenControl;
class TouchscreenWatcher;
class Context;
class HomePage;
class MaintenanceMode;
class PackageInstallationPage;
class PackageUpdateService;
class SecurityDialog;
class UsbMonitor;
class MotorDispenserMonitor;
class PendingActivityQueue;
class PeripheralMonitor;
class PeriodicDbLogger;
class PowerControl;
class PriceProvider;
class ProductArrangement;
class ProductManagement;
class ProductDetailsPage;
class ProductDispensingPage;
class ProductPage;
class ProductProvider;
class Settings;
class QStackedWidget;
class QTranslator;
class Rk710Controller;
class SessionCheckout;
class SessionCredit;
class SettingsManager;
class SlideshowControl;
class SuggestionsPage;
class VendingSessionContext;
class TaskScheduler;

// The program's one window and the place where every long-lived object is
// created and wired. The constructor builds services, watchers and the home
// page; the purchase pages and the operator's pages are built on first use.
// initialize(), run once the event loop runs, books credit left on the board,
// starts the scheduled tasks and shows the home page; deinit() switches the
// machine's outputs off when the program is about to quit.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    static const QRect MEDIA_AREA;

    MainWindow(Rk710Controller* controller, QTranslator& translator, QWidget* parent = nullptr);
    ~MainWindow() override;

    Context* context() const { return m_context.get(); }
    HomePage* homePage() const { return m_homePage; }
    PendingActivityQueue* pendingActivities() const { return m_pendingActivities; }
    VM24::NotificationService* notificationService() const { return m_notificationService.get(); }
    TaskScheduler* scheduler() const { return m_scheduler; }
    ProductProvider* productProvider() const { return m_productProvider; }
    AlarmManager* alarmManager() const { return m_alarmManager; }
    // The product grid, built with the other purchase pages on first use.
    ProductPage* productPage();
    VendingSessionContext* session() const { return m_session; }
    SessionCredit* credit() const { return m_credit; }
    SessionCheckout* checkout() const { return m_checkout; }
    UsbMonitor* usbMonitor() const { return m_usbMonitor; }
    MaintenanceMode* maintenanceMode() const { return m_maintenanceMode; }
    ContentUpdateService* contentUpdates() const { return m_contentUpdates; }
    ContentUpdateTask* contentUpdateTask() const { return m_contentUpdateTask; }
    PushUpdatesDirectoryWatcher* pushUpdates() const { return m_pushUpdates; }

public slots:
    void initialize();
    void deinit();
    void onControllerStatusChanged(bool alive);
    void onFrontDoorOpenChanged(bool open);
    void publishWarning(const QString& message);
    void onUsbChanged(bool present);

private:
    void createServices();
    void createViews();
    void createAlarmManager();
    void createBoardWatchers();
    void createCatalogue();
    void createMotorMonitor();
    void watchProductPresence();
    void createVendingSession();
    void createPurchasePages();
    void createMaintenancePages();
    void bindBooksAndLogPages();
    void createHomePage(QTranslator& translator);
    void addViews();
    void createSlideshow();
    void createNotificationHandlers();
    void registerConfigurables();
    void pushSettingsDown(const Settings& settings);
    void publishStart();
    void createScheduledTasks();
    void createBoardStatusObserver();
    void registerHeartbeat();
    void registerGarbageCollectors(const Settings& settings, const QString& outgoing, const QString& mailbox,
                                   const QString& archive);

    Rk710Controller* m_controller;
    std::unique_ptr<VM24::NotificationService> m_notificationService;
    std::unique_ptr<PeriodicDbLogger> m_eventLog;
    std::unique_ptr<FileNotifier> m_fileNotifier;
    std::unique_ptr<AccountingService> m_accounting;
    std::unique_ptr<Context> m_context;
    QStackedWidget* m_views = nullptr;
    PowerControl* m_powerControl = nullptr;
    AlarmManager* m_alarmManager = nullptr;
    ChangeObserver* m_changeObserver = nullptr;
    PrinterObserver* m_printerObserver = nullptr;
    TouchscreenWatcher* m_touchscreenWatcher = nullptr;
    FanControl* m_fanControl = nullptr;
    SirenControl* m_sirenControl = nullptr;
    DoorMonitor* m_doorMonitor = nullptr;
    BoardStatusObserver* m_boardStatusObserver = nullptr;
    PendingActivityQueue* m_pendingActivities = nullptr;
    AssetsRegistry* m_assets = nullptr;
    UpdateAuthenticator* m_updateAuthenticator = nullptr;
    ProductProvider* m_productProvider = nullptr;
    PriceProvider* m_priceProvider = nullptr;
    MotorDispenserMonitor* m_motorMonitor = nullptr;
    SessionCredit* m_credit = nullptr;
    VendingSessionContext* m_session = nullptr;
    SessionCheckout* m_checkout = nullptr;
    DeliveryService* m_delivery = nullptr;
    ProductDispensingPage* m_dispensingPage = nullptr;
    ProductDetailsPage* m_detailsPage = nullptr;
    SuggestionsPage* m_suggestionsPage = nullptr;
    ProductPage* m_productPage = nullptr;
    HomePage* m_homePage = nullptr;
    SlideshowControl* m_slideshow = nullptr;
    SettingsManager* m_settingsManager = nullptr;
    UsbMonitor* m_usbMonitor = nullptr;
    SecurityDialog* m_securityDialog = nullptr;
    ApplicationSettings* m_applicationSettings = nullptr;
    PeripheralMonitor* m_peripheralMonitor = nullptr;
    ProductArrangement* m_productArrangement = nullptr;
    ProductManagement* m_productManagement = nullptr;
    MaintenanceMode* m_maintenanceMode = nullptr;
    UpdateMenu* m_updateMenu = nullptr;
    PushUpdatesDirectoryWatcher* m_pushUpdates = nullptr;
    ContentUpdateService* m_contentUpdates = nullptr;
    // Owned by the scheduler.
    ContentUpdateTask* m_contentUpdateTask = nullptr;
    // Shows no widget of its own, so it has no parent.
    std::unique_ptr<ContentUpdatePage> m_contentUpdatePage;
    PackageUpdateService* m_packageUpdates = nullptr;
    PackageInstallationPage* m_packageInstallation = nullptr;
    TaskScheduler* m_scheduler = nullptr;
};
