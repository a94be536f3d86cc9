#pragma once

#include <QMainWindow>

#include <memory>

class ApplicationSettings;
class ContentUpdateDownloader;
class Context;
class HomePage;
class MachineServices;
class MaintenanceMode;
class PackageDownloader;
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
class Settings;
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
    ContentUpdateDownloader* contentUpdates() const { return m_contentUpdates; }
    PushUpdatesDirectoryWatcher* pushUpdates() const { return m_pushUpdates; }

public slots:
    void initialize();
    void onUsbChanged(bool present);

private:
    void createViews();
    void createPurchasePages();
    void createMaintenancePages();
    void bindBooksAndLogPages();
    void createHomePage(QTranslator& translator);
    void addViews();
    void createSlideshow();
    void registerConfigurables();
    void registerDownloadTasks(const Settings& settings);

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
    // Owned by the scheduler once registered.
    ContentUpdateDownloader* m_contentUpdates = nullptr;
    PackageDownloader* m_packageDownloader = nullptr;
};
