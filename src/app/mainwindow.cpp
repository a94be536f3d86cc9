#include "app/mainwindow.h"

#include "app/machineservices.h"
#include "board/powercontrol.h"
#include "board/rk710controller.h"
#include "home/homepage.h"
#include "maintenance/accountingpage.h"
#include "maintenance/applicationsettings.h"
#include "maintenance/logviewer.h"
#include "maintenance/maintenancemenu.h"
#include "maintenance/maintenancemode.h"
#include "maintenance/packagedownloader.h"
#include "maintenance/peripheralmonitor.h"
#include "maintenance/printoverpaysummarydialog.h"
#include "maintenance/productarrangement.h"
#include "maintenance/productmanagement.h"
#include "maintenance/securitydialog.h"
#include "maintenance/updatemenu.h"
#include "maintenance/usbexportmenu.h"
#include "purchase/productdetailspage.h"
#include "purchase/productdispensingpage.h"
#include "purchase/productpage.h"
#include "purchase/suggestionspage.h"
#include "security/usbmonitor.h"
#include "settings/settings.h"
#include "settings/settingsmanager.h"
#include "tasks/taskscheduler.h"
#include "ui/contentupdatedownloader.h"
#include "ui/context.h"
#include "ui/informationpanel.h"
#include "ui/informationpanelfactory.h"
#include "ui/pendingactivityqueue.h"
#include "ui/pushupdatesdirectorywatcher.h"
#include "ui/slideshowcontrol.h"
#include "updates/assetsregistry.h"
#include "vending/alarmmanager.h"
#include "vending/vendingsessioncontext.h"

#include <QStackedWidget>
#include <QTimer>

const QRect MainWindow::MEDIA_AREA(QPoint(92, 424), QPoint(992, 1654));

MainWindow::MainWindow(MachineServices* services, QTranslator& translator, QWidget* parent)
    : QMainWindow(parent)
    , m_services(services)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    createViews();
    connect(m_services->usbMonitor(), &UsbMonitor::usbStick, this, &MainWindow::onUsbChanged);
    // The push-update watcher and the content and package downloaders come
    // with the maintenance pages, before maintenance mode.
    createMaintenancePages();
    createHomePage(translator);
    addViews();
    createSlideshow();
    registerConfigurables();
    QTimer::singleShot(0, this, &MainWindow::initialize);
    // A stick plugged in before the program started.
    m_services->usbMonitor()->onDirectoryChanged();
}

// The scheduler owns its tasks, pages among them: they go before the views
// that would otherwise delete those pages first.
MainWindow::~MainWindow()
{
    m_services->close();
}

void MainWindow::createViews()
{
    m_views = new QStackedWidget(this);
    m_views->setAttribute(Qt::WA_OpaquePaintEvent);
    m_views->setAttribute(Qt::WA_NoSystemBackground);
    setCentralWidget(m_views);
    m_context = std::make_unique<Context>(m_views);
}

ProductPage* MainWindow::productPage()
{
    if (!m_productPage)
        createPurchasePages();
    return m_productPage;
}

// Built on the first touch of the home page, so that the idle screen comes
// up without them.
void MainWindow::createPurchasePages()
{
    Context* context = m_context.get();
    VendingSessionContext* session = m_services->session();
    SessionCredit* credit = m_services->credit();
    ProductProvider* products = m_services->productProvider();
    PriceProvider* prices = m_services->priceProvider();
    MotorDispenserMonitor* motors = m_services->motorMonitor();
    m_dispensingPage = new ProductDispensingPage(session, credit, m_services->delivery(), products, motors, context);
    m_detailsPage = new ProductDetailsPage(m_dispensingPage, session, credit, products, prices, context);
    m_suggestionsPage = new SuggestionsPage(m_detailsPage, session, products, prices, context);
    m_productPage = new ProductPage(m_detailsPage, m_suggestionsPage, session, credit, m_services->checkout(), products,
                                    prices, motors, m_services->controller(), context);
    connect(m_services->alarmManager(), &AlarmManager::alarmsChanged, m_productPage, &ProductPage::onAlarmsChanged);
    connect(session, &VendingSessionContext::sessionExpired, m_productPage, &ProductPage::triggerEndSession);
    for (QWidget* page : {static_cast<QWidget*>(m_detailsPage), static_cast<QWidget*>(m_suggestionsPage),
                          static_cast<QWidget*>(m_productPage)}) {
        InformationPanel* panel = VM24::make_information_panel(session, credit, m_services->changeObserver(),
                                                               m_services->printerObserver(), page);
        connect(panel, &InformationPanel::endSessionTriggered, m_productPage, &ProductPage::triggerEndSession);
    }
    for (QWidget* page : {static_cast<QWidget*>(m_productPage), static_cast<QWidget*>(m_suggestionsPage),
                          static_cast<QWidget*>(m_detailsPage), static_cast<QWidget*>(m_dispensingPage)})
        m_context->addView(page);
}

// Entries whose page is not there stay unbound: the menu shows them disabled.
// A page bound by a function is built when its entry is first chosen.
void MainWindow::createMaintenancePages()
{
    m_maintenanceMode = new MaintenanceMode(m_services->usbMonitor(), m_services->notificationService(),
                                            m_context.get(), this);
    m_maintenanceMode->setUpdateAuthenticator(m_services->updateAuthenticator());
    m_maintenanceMode->bindActivity(MaintenanceMenuEntry::Settings, [this]() -> MenuActivity* {
        m_applicationSettings = new ApplicationSettings(m_services->settingsManager(), m_services->powerControl(),
                                                        m_services->alarmManager(), m_context.get(), this);
        m_context->addView(m_applicationSettings);
        return m_applicationSettings;
    });
    m_maintenanceMode->bindActivity(MaintenanceMenuEntry::KeyGeneration, [this]() -> MenuActivity* {
        m_securityDialog = new SecurityDialog(m_services->usbMonitor(), m_context.get(), this);
        return m_securityDialog;
    });
    m_maintenanceMode->bindActivity(MaintenanceMenuEntry::Peripherals, [this]() -> MenuActivity* {
        m_peripheralMonitor = new PeripheralMonitor(m_services->controller(), m_services->motorMonitor(),
                                                    m_services->fanControl(), m_context.get(), this);
        m_context->addView(m_peripheralMonitor);
        return m_peripheralMonitor;
    });
    m_maintenanceMode->bindActivity(MaintenanceMenuEntry::UsbUpdates, [this]() -> MenuActivity* {
        m_updateMenu = new UpdateMenu(m_services->usbMonitor(), m_services->powerControl(), m_services->assets(),
                                      m_services->settingsManager(), m_context.get(), this,
                                      m_services->updateAuthenticator());
        return m_updateMenu;
    });
    m_pushUpdates = new PushUpdatesDirectoryWatcher(m_services->pendingActivities(), m_services->assets(),
                                                    m_services->productProvider(), m_services->settingsManager(),
                                                    m_services->powerControl(), m_context.get(), this,
                                                    m_services->updateAuthenticator());
    m_pushUpdates->initialise();
    m_maintenanceMode->bindActivity(MaintenanceMenuEntry::ProductArrangement, [this]() -> MenuActivity* {
        m_productArrangement = new ProductArrangement(m_services->productProvider(), m_services->motorMonitor(),
                                                      m_context.get(), this);
        m_context->addView(m_productArrangement);
        return m_productArrangement;
    });
    m_maintenanceMode->bindActivity(MaintenanceMenuEntry::ProductPrices, [this]() -> MenuActivity* {
        m_productManagement =
            new ProductManagement(m_services->productProvider(), m_services->controller(), m_context.get(), this);
        m_context->addView(m_productManagement);
        return m_productManagement;
    });
    bindBooksAndLogPages();
    // The package downloader is also the nightly package check, so it is there from the start.
    m_packageDownloader = new PackageDownloader(m_services->powerControl(), m_context.get(), this);
    m_packageDownloader->setAuthenticator(m_services->updateAuthenticator());
    m_maintenanceMode->bindActivity(MaintenanceMenuEntry::PackageInstallation, m_packageDownloader);
    m_maintenanceMode->menu()->setPackageDownloader(m_packageDownloader);
    m_maintenanceMode->bindActivity(MaintenanceMenuEntry::UsbExport, [this]() -> MenuActivity* {
        return new UsbExportMenu(m_services->usbMonitor(), m_services->accounting(), m_services->productProvider(),
                                 m_services->assets(), m_services->powerControl(), m_services->controller(),
                                 m_context.get(), this);
    });
    PowerControl* powerControl = m_services->powerControl();
    connect(m_maintenanceMode, &MaintenanceMode::quitRequested, powerControl,
            [powerControl] { powerControl->doAction(PowerControl::Restart); });
}

// The accounting page and the log viewer are views of the stack; the
// credit-note summary is a box over the screen.
void MainWindow::bindBooksAndLogPages()
{
    m_maintenanceMode->bindActivity(MaintenanceMenuEntry::Accounting, [this]() -> MenuActivity* {
        auto* accountingPage =
            new AccountingPage(m_services->accounting(), m_services->controller(), m_context.get(), this);
        m_context->addView(accountingPage);
        return accountingPage;
    });
    m_maintenanceMode->bindActivity(MaintenanceMenuEntry::LogViewer, [this]() -> MenuActivity* {
        auto* logViewer = new LogViewer(m_services->productProvider(), m_context.get(), this);
        m_context->addView(logViewer);
        return logViewer;
    });
    m_maintenanceMode->bindActivity(MaintenanceMenuEntry::ReceiptSummary, [this]() -> MenuActivity* {
        return new PrintOverpaySummaryDialog(m_services->controller(), m_context.get(), this);
    });
}

void MainWindow::createHomePage(QTranslator& translator)
{
    m_homePage = new HomePage([this] { return productPage(); }, m_services->pendingActivities(),
                              m_services->alarmManager(), m_maintenanceMode, translator, m_context.get());
    connect(m_services->controller(), &Rk710Controller::inputChanged, m_homePage, &HomePage::onInputChanged);
}

// Display pages were added by the pages that own them; pages built on first
// use add themselves then.
void MainWindow::addViews()
{
    m_context->addView(m_homePage);
    m_context->addView(m_packageDownloader);
}

void MainWindow::createSlideshow()
{
    m_slideshow = new SlideshowControl(m_homePage);
    m_slideshow->setGeometry(MEDIA_AREA);
    m_slideshow->setDirectory(QStringLiteral("data:media"));
    m_slideshow->loadSlideshow();
    connect(m_services->assets(), &AssetsRegistry::contentChanged, m_slideshow, &SlideshowControl::onContentChanged);
}

void MainWindow::registerConfigurables()
{
    m_services->settingsManager()->registerConfigurable(m_homePage);
    // Then the content and package downloaders.
    m_services->settingsManager()->registerConfigurable(m_packageDownloader);
}

void MainWindow::initialize()
{
    m_services->initialize([this](const Settings& settings) { registerDownloadTasks(settings); });
    m_context->startActivity(m_homePage);
}

void MainWindow::registerDownloadTasks(const Settings& settings)
{
    m_contentUpdates = new ContentUpdateDownloader(m_services->pendingActivities(), m_services->assets(),
                                                   m_services->powerControl(), m_context.get(), this);
    m_contentUpdates->setAuthenticator(m_services->updateAuthenticator());
    m_services->settingsManager()->registerConfigurable(m_contentUpdates);
    m_contentUpdates->loadConfiguration(settings);
    m_services->scheduler()->registerTask(m_contentUpdates, QLatin1String(ContentUpdateDownloader::TASK_NAME));
    m_maintenanceMode->menu()->setContentUpdateDownloader(m_contentUpdates);
    m_services->scheduler()->registerTask(m_packageDownloader, QStringLiteral("package-downloader"));
}

// Maintenance mode waits for the home page to hand over the screen, so a
// stick never interrupts a purchase.
void MainWindow::onUsbChanged(bool present)
{
    if (!present)
        m_services->pendingActivities()->dequeue(m_maintenanceMode);
    else if (!m_context->contains(m_maintenanceMode))
        m_services->pendingActivities()->enqueue(m_maintenanceMode, 0);
}
