#pragma once

#include <QMainWindow>

#include <memory>

class ApplicationSettings;
class ContentUpdatePage;
class ContentUpdateService;
class Context;
class HomePage;
class MachineServices;
class MaintenanceMode;
class NightlyCheckTask;
class PackageInstallationPage;
class PeripheralMonitor;
class ProductArrangement;
class ProductDetailsPage;
class ProductDispensingPage;
class ProductManagement;
class ProductPage;
class PushUpdatesDirectoryWatcher;
class QStackedWidget;
class QTranslator;
class SecurityDialog;
class SlideshowControl;
class SuggestionsPage;
class UpdateMenu;

// The program's one window: the stack of pages, the home page with its
// slideshow, the purchase pages and the operator's pages, wired to the
// machine's services. The constructor builds the home page; the purchase
// pages and the operator's pages are built on first use. initialize(), run
// once the event loop runs, has the services start and shows the home page.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    static const QRect MEDIA_AREA;

    // The services outlive the window.
    MainWindow(MachineServices* services, QTranslator& translator, QWidget* parent = nullptr);
    ~MainWindow() override;

    Context* context() const { return m_context.get(); }
    HomePage* homePage() const { return m_homePage; }
    // The product grid, built with the other purchase pages on first use.
    ProductPage* productPage();
    MaintenanceMode* maintenanceMode() const { return m_maintenanceMode; }
    ContentUpdateService* contentUpdates() const;
    NightlyCheckTask* contentUpdateTask() const;
    PushUpdatesDirectoryWatcher* pushUpdates() const { return m_pushUpdates; }

public slots:
    void initialize();
    void onUsbChanged(bool present);

private:
    void createViews();
    void createPurchasePages();
    void createMaintenancePages();
    void createUpdatePages();
    void bindBooksAndLogPages();
    void createHomePage(QTranslator& translator);
    void addViews();
    void createSlideshow();
    void registerConfigurables();

    MachineServices* m_services;
    std::unique_ptr<Context> m_context;
    QStackedWidget* m_views = nullptr;
    ProductDispensingPage* m_dispensingPage = nullptr;
    ProductDetailsPage* m_detailsPage = nullptr;
    SuggestionsPage* m_suggestionsPage = nullptr;
    ProductPage* m_productPage = nullptr;
    HomePage* m_homePage = nullptr;
    SlideshowControl* m_slideshow = nullptr;
    SecurityDialog* m_securityDialog = nullptr;
    ApplicationSettings* m_applicationSettings = nullptr;
    PeripheralMonitor* m_peripheralMonitor = nullptr;
    ProductArrangement* m_productArrangement = nullptr;
    ProductManagement* m_productManagement = nullptr;
    MaintenanceMode* m_maintenanceMode = nullptr;
    UpdateMenu* m_updateMenu = nullptr;
    PushUpdatesDirectoryWatcher* m_pushUpdates = nullptr;
    // Shows no widget of its own, so it has no parent.
    std::unique_ptr<ContentUpdatePage> m_contentUpdatePage;
    PackageInstallationPage* m_packageInstallation = nullptr;
};
