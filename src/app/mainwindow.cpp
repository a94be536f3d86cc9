#include "app/mainwindow.h"

#include "app/machineservices.h"
#include "board/powercontrol.h"
#include "board/rk710controller.h"
#include "home/homepage.h"
#include "maintenance/accountingpage.h"
#include "maintenance/applicationsettings.h"
#include "maintenance/contentupdatepage.h"
#include "maintenance/logviewer.h"
#include "maintenance/maintenancemenu.h"
#include "maintenance/maintenancemode.h"
#include "maintenance/packageinstallationpage.h"
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
#include "settings/settingsmanager.h"
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
    // The push-update watcher and the update pages come with the
    // maintenance pages, before maintenance mode.
    createMaintenancePages();
    createHomePage(translator);
    addViews();
    createSlideshow();
    registerConfigurables();
    QTimer::singleShot(0, this, &MainWindow::initialize);
    // A stick plugged in before the program started.
    m_services->usbMonitor()->onDirectoryChanged();
}

// The scheduled tasks end before the pages they feed.
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
    createUpdatePages();
    m_maintenanceMode->bindActivity(MaintenanceMenuEntry::UsbExport, [this]() -> MenuActivity* {
        return new UsbExportMenu(m_services->usbMonitor(), m_services->accounting(), m_services->productProvider(),
                                 m_services->assets(), m_services->powerControl(), m_services->controller(),
                                 m_context.get(), this);
    });
    PowerControl* powerControl = m_services->powerControl();
    connect(m_maintenanceMode, &MaintenanceMode::quitRequested, powerControl,
            [powerControl] { powerControl->doAction(PowerControl::Restart); });
}

// The pages of the nightly checks: content found is applied when the home
// page hands over the screen; packages are installed from the menu, which
// follows both checks.
void MainWindow::createUpdatePages()
{
    m_contentUpdatePage = std::make_unique<ContentUpdatePage>(m_services->contentUpdates(),
                                                              m_services->pendingActivities(),
                                                              m_services->powerControl(), m_context.get(), this);
    m_packageInstallation = new PackageInstallationPage(m_services->packageUpdates(), m_services->powerControl(),
                                                        m_context.get(), this);
    m_maintenanceMode->bindActivity(MaintenanceMenuEntry::PackageInstallation, m_packageInstallation);
    m_maintenanceMode->menu()->setPackageUpdates(m_services->packageUpdates());
    m_maintenanceMode->menu()->setContentUpdates(m_services->contentUpdates());
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
    m_context->addView(m_packageInstallation);
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
}

void MainWindow::initialize()
{
    m_services->initialize();
    m_context->startActivity(m_homePage);
}

ContentUpdateService* MainWindow::contentUpdates() const
{
    return m_services->contentUpdates();
}

NightlyCheckTask* MainWindow::contentUpdateTask() const
{
    return m_services->contentUpdateTask();
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
