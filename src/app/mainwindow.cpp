#include "app/mainwindow.h"

#include "accounting/accountingservice.h"
#include "board/boardstatusobserver.h"
#include "board/doormonitor.h"
#include "board/fancontrol.h"
#include "board/outputmask.h"
#include "board/powercontrol.h"
#include "board/printerobserver.h"
#include "board/rk710controller.h"
#include "board/sirencontrol.h"
#include "board/touchscreenwatcher.h"
#include "catalogue/priceprovider.h"
#include "catalogue/productprovider.h"
#include "core/defaults.h"
#include "core/vm24.h"
#include "home/homepage.h"
#include "logging/filenotifier.h"
#include "logging/infonotification.h"
#include "logging/periodicdblogger.h"
#include "logging/powermanagementnotification.h"
#include "logging/warningnotification.h"
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
#include "settings/settings.h"
#include "settings/settingsmanager.h"
#include "tasks/contentupdatetask.h"
#include "tasks/dailylogcompiler.h"
#include "tasks/directorygarbagecollector.h"
#include "tasks/ftpsendertask.h"
#include "tasks/heartbeat.h"
#include "tasks/machinestaterecorder.h"
#include "tasks/mailertask.h"
#include "tasks/packageupdatetask.h"
#include "tasks/prepareftpfilestask.h"
#include "tasks/rk710timeupdater.h"
#include "tasks/spooldirectories.h"
#include "tasks/taskscheduler.h"
#include "ui/context.h"
#include "ui/informationpanel.h"
#include "ui/informationpanelfactory.h"
#include "ui/pendingactivityqueue.h"
#include "ui/pushupdatesdirectorywatcher.h"
#include "ui/slideshowcontrol.h"
#include "updates/assetsregistry.h"
#include "updates/contentupdateservice.h"
#include "updates/packageupdateservice.h"
#include "updates/updateauthenticator.h"
#include "vending/alarmmanager.h"
#include "vending/boardlinkwatcher.h"
#include "vending/changeobserver.h"
#include "vending/changetubescan.h"
#include "vending/deliveryservice.h"
#include "vending/initialcredit.h"
#include "vending/motordispensermonitor.h"
#include "vending/sessioncheckout.h"
#include "vending/sessioncredit.h"
#include "vending/vendingsessioncontext.h"

#include <QCoreApplication>
#include <QStackedWidget>
#include <QThreadPool>
#include <QTimer>

const QRect MainWindow::MEDIA_AREA(QPoint(92, 424), QPoint(992, 1654));

namespace {

const char* const DATA_ASSETS[] = {"products", "brixo-events", "brixo-banner", "media", "user", "package-cache"};
VM24::PowerManagementNotification::Event power_event(PowerControl::Action action)
{
    using Notification = VM24::PowerManagementNotification;
    switch (action) {
    case PowerControl::None:
    case PowerControl::Restart:
        return Notification::Restart;
    case PowerControl::Reboot:
        return Notification::Reboot;
    case PowerControl::Shutdown:
        return Notification::Shutdown;
    case PowerControl::EmergencyShutdown:
        return Notification::EmergencyShutdown;
    }
    return static_cast<Notification::Event>(Notification::EVENT_COUNT);
}

int read_interval(const Settings& settings, Setting<int> interval)
{
    return qMax(1, settings.value(interval));
}

} // namespace

MainWindow::MainWindow(Rk710Controller* controller, QTranslator& translator, QWidget* parent)
    : QMainWindow(parent)
    , m_controller(controller)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    createServices();
    createViews();
    connect(m_controller, &Rk710Controller::boardStatus, this, &MainWindow::onControllerStatusChanged);
    createAlarmManager();
    m_accounting = std::make_unique<AccountingService>();
    createBoardWatchers();
    m_pendingActivities = new PendingActivityQueue(this);
    createCatalogue();
    createMotorMonitor();
    createVendingSession();
    m_usbMonitor = new UsbMonitor(this);
    connect(m_usbMonitor, &UsbMonitor::usbStick, this, &MainWindow::onUsbChanged);
    m_settingsManager = new SettingsManager(m_controller, this);
    connect(m_settingsManager, &SettingsManager::loadProblem, this, &MainWindow::publishWarning);
    // The push-update watcher and the package updates come
    // with the maintenance pages, before maintenance mode.
    createMaintenancePages();
    createHomePage(translator);
    addViews();
    createSlideshow();
    createNotificationHandlers();
    registerConfigurables();
    QTimer::singleShot(0, this, &MainWindow::initialize);
    connect(qApp, &QCoreApplication::aboutToQuit, this, &MainWindow::deinit);
    publishStart();
    // A stick plugged in before the program started.
    m_usbMonitor->onDirectoryChanged();
}

MainWindow::~MainWindow()
{
    // A session still open is closed while the books and the event log are
    // there, and its credit reader stops before them.
    m_checkout->finishNow();
    // Workers still running (a pushed update) end before the books go. A
    // pushed stage that was to run on this thread afterwards is dropped with
    // its watcher.
    QThreadPool::globalInstance()->waitForDone();
    // The scheduler's tasks use the services below and this window's
    // children: it goes first.
    delete m_scheduler;
    m_scheduler = nullptr;
    m_accounting.reset();
    m_eventLog.reset();
    m_fileNotifier.reset();
    m_notificationService.reset();
}

void MainWindow::createServices()
{
    m_notificationService = std::make_unique<VM24::NotificationService>();
    m_powerControl = new PowerControl(this);
    // Read once: a changed threshold applies from the next start.
    m_powerControl->setBatteryThreshold(Settings().value(Settings::BatteryThresholdMs));
}

void MainWindow::createViews()
{
    m_views = new QStackedWidget(this);
    m_views->setAttribute(Qt::WA_OpaquePaintEvent);
    m_views->setAttribute(Qt::WA_NoSystemBackground);
    setCentralWidget(m_views);
    m_context = std::make_unique<Context>(m_views);
}

void MainWindow::createAlarmManager()
{
    m_alarmManager = new AlarmManager(m_notificationService.get(), this);
    connect(m_controller, &Rk710Controller::inputChanged, m_alarmManager, &AlarmManager::onInputChanged);
    connect(m_controller, &Rk710Controller::deviceStatusChanged, m_alarmManager,
            &AlarmManager::onDeviceStatusesChanged);
}

void MainWindow::createBoardWatchers()
{
    m_changeObserver = new ChangeObserver(m_notificationService.get(), this);
    m_changeObserver->setDeviceStatus(m_controller->getBoardStatus());
    connect(m_controller, &Rk710Controller::deviceStatusChanged, m_changeObserver, &ChangeObserver::setDeviceStatus);

    m_printerObserver = new PrinterObserver(this);
    m_printerObserver->setDeviceStatus(m_controller->getBoardStatus());
    connect(m_controller, &Rk710Controller::deviceStatusChanged, m_printerObserver, &PrinterObserver::setDeviceStatus);

    m_touchscreenWatcher = new TouchscreenWatcher(TouchscreenWatcher::DEFAULT_DEVICE, this);
    if (!m_touchscreenWatcher->isConnected())
        m_alarmManager->setAlarm(VM24::TouchscreenDisconnectedAlarm);
    connect(m_touchscreenWatcher, &TouchscreenWatcher::touchscreenConnectedChanged, m_alarmManager,
            &AlarmManager::onTouchscreenConnectedChanged);

    m_fanControl = new FanControl(m_controller, Settings().value(Settings::TemperatureThreshold), this);
    m_fanControl->setInput(m_controller->getInputs());
    connect(m_controller, &Rk710Controller::inputChanged, m_fanControl, &FanControl::setInput);

    m_sirenControl = new SirenControl(m_controller, this);
    connect(m_alarmManager, &AlarmManager::alarmsChanged, m_sirenControl, &SirenControl::onAlarmsChanged);

    m_doorMonitor = new DoorMonitor(this);
    m_doorMonitor->setInitialDoorStates(m_controller->getInputs());
    connect(m_controller, &Rk710Controller::inputChanged, m_doorMonitor, &DoorMonitor::setInput);
    connect(m_doorMonitor, &DoorMonitor::frontDoorOpenChanged, this, &MainWindow::onFrontDoorOpenChanged);
    connect(m_alarmManager, &AlarmManager::alarmsChanged, m_powerControl, &PowerControl::onAlarmsChanged);

    auto* linkWatcher = new BoardLinkWatcher(m_notificationService.get(), m_controller->isAlive(), this);
    connect(m_controller, &Rk710Controller::boardStatus, linkWatcher, &BoardLinkWatcher::onBoardStatus);
}

void MainWindow::createCatalogue()
{
    m_assets = new AssetsRegistry(VM24::get_path(QLatin1String(VM24::Defaults::General::DATA_DIR)), this);
    m_updateAuthenticator = new UpdateAuthenticator(this);
    connect(m_updateAuthenticator, &UpdateAuthenticator::warning, this, &MainWindow::publishWarning);
    m_assets->addBaseDirToSearchPath();
    m_assets->recoverInterruptedUpdates();
    for (const char* asset : DATA_ASSETS)
        m_assets->addAsset(QLatin1String(asset));

    m_productProvider = new ProductProvider(QStringLiteral("data:products"), this);
    connect(m_productProvider, &ProductProvider::loadProblem, this, &MainWindow::publishWarning);
    m_productProvider->loadDatabase();
    connect(m_assets, &AssetsRegistry::contentChanged, m_productProvider, &ProductProvider::onContentChanged);
    m_priceProvider = new PriceProvider(m_productProvider, this);
}

void MainWindow::createMotorMonitor()
{
    m_motorMonitor = new MotorDispenserMonitor(m_alarmManager, m_productProvider, m_notificationService.get(), this);
}

// Once the catalogue, the selections and the motor map are loaded, so that
// the columns found full or empty name the products they hold.
void MainWindow::watchProductPresence()
{
    m_motorMonitor->setProductPresence(m_controller->getProductPresence());
    connect(m_controller, &Rk710Controller::productPresenceChanged, m_motorMonitor,
            &MotorDispenserMonitor::setProductPresence);
}

void MainWindow::createVendingSession()
{
    VM24::NotificationService* notifications = m_notificationService.get();
    m_credit = new SessionCredit(m_priceProvider, m_accounting.get(), notifications, this);
    m_session = new VendingSessionContext(m_controller, m_credit, m_powerControl, notifications, this);
    // The acceptors' settle time when the credit reader stops; a simulated
    // board hands in at once, and an accelerated run sets it short.
    m_session->setReaderSettleTime(VM24::get_env_int("VM24_CREDIT_SETTLE_MS", -1));
    m_checkout = new SessionCheckout(m_controller, m_session, m_credit, m_accounting.get(), m_changeObserver,
                                     notifications, this);
    m_delivery = new DeliveryService(m_controller, m_credit, notifications, this);
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
    m_dispensingPage
        = new ProductDispensingPage(m_session, m_credit, m_delivery, m_productProvider, m_motorMonitor, context);
    m_detailsPage = new ProductDetailsPage(m_dispensingPage, m_session, m_credit, m_productProvider, m_priceProvider,
                                           context);
    m_suggestionsPage = new SuggestionsPage(m_detailsPage, m_session, m_productProvider, m_priceProvider, context);
    m_productPage = new ProductPage(m_detailsPage, m_suggestionsPage, m_session, m_credit, m_checkout,
                                    m_productProvider, m_priceProvider, m_motorMonitor, m_controller, context);
    connect(m_alarmManager, &AlarmManager::alarmsChanged, m_productPage, &ProductPage::onAlarmsChanged);
    connect(m_session, &VendingSessionContext::sessionExpired, m_productPage, &ProductPage::triggerEndSession);
    for (QWidget* page : {static_cast<QWidget*>(m_detailsPage), static_cast<QWidget*>(m_suggestionsPage),
                          static_cast<QWidget*>(m_productPage)}) {
        InformationPanel* panel =
            VM24::make_information_panel(m_session, m_credit, m_changeObserver, m_printerObserver, page);
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
    m_maintenanceMode = new MaintenanceMode(m_usbMonitor, m_notificationService.get(), m_context.get(), this);
    m_maintenanceMode->setUpdateAuthenticator(m_updateAuthenticator);
    m_maintenanceMode->bindActivity(MaintenanceMenuEntry::Settings, [this]() -> MenuActivity* {
        m_applicationSettings =
            new ApplicationSettings(m_settingsManager, m_powerControl, m_alarmManager, m_context.get(), this);
        m_context->addView(m_applicationSettings);
        return m_applicationSettings;
    });
    m_maintenanceMode->bindActivity(MaintenanceMenuEntry::KeyGeneration, [this]() -> MenuActivity* {
        m_securityDialog = new SecurityDialog(m_usbMonitor, m_context.get(), this);
        return m_securityDialog;
    });
    m_maintenanceMode->bindActivity(MaintenanceMenuEntry::Peripherals, [this]() -> MenuActivity* {
        m_peripheralMonitor = new PeripheralMonitor(m_controller, m_motorMonitor, m_fanControl, m_context.get(), this);
        m_context->addView(m_peripheralMonitor);
        return m_peripheralMonitor;
    });
    m_maintenanceMode->bindActivity(MaintenanceMenuEntry::UsbUpdates, [this]() -> MenuActivity* {
        m_updateMenu = new UpdateMenu(m_usbMonitor, m_powerControl, m_assets, m_settingsManager, m_context.get(), this,
                                      m_updateAuthenticator);
        return m_updateMenu;
    });
    m_pushUpdates = new PushUpdatesDirectoryWatcher(m_pendingActivities, m_assets, m_productProvider, m_settingsManager,
                                                    m_powerControl, m_context.get(), this, m_updateAuthenticator);
    m_pushUpdates->initialise();
    m_maintenanceMode->bindActivity(MaintenanceMenuEntry::ProductArrangement, [this]() -> MenuActivity* {
        m_productArrangement = new ProductArrangement(m_productProvider, m_motorMonitor, m_context.get(), this);
        m_context->addView(m_productArrangement);
        return m_productArrangement;
    });
    m_maintenanceMode->bindActivity(MaintenanceMenuEntry::ProductPrices, [this]() -> MenuActivity* {
        m_productManagement = new ProductManagement(m_productProvider, m_controller, m_context.get(), this);
        m_context->addView(m_productManagement);
        return m_productManagement;
    });
    bindBooksAndLogPages();
    // The menu follows the package check from the start.
    m_packageUpdates = new PackageUpdateService(this);
    m_packageUpdates->setAuthenticator(m_updateAuthenticator);
    m_packageInstallation = new PackageInstallationPage(m_packageUpdates, m_powerControl, m_context.get(), this);
    m_maintenanceMode->bindActivity(MaintenanceMenuEntry::PackageInstallation, m_packageInstallation);
    m_maintenanceMode->menu()->setPackageUpdates(m_packageUpdates);
    m_maintenanceMode->bindActivity(MaintenanceMenuEntry::UsbExport, [this]() -> MenuActivity* {
        return new UsbExportMenu(m_usbMonitor, m_accounting.get(), m_productProvider, m_assets, m_powerControl,
                                 m_controller, m_context.get(), this);
    });
    connect(m_maintenanceMode, &MaintenanceMode::quitRequested, m_powerControl,
            [this] { m_powerControl->doAction(PowerControl::Restart); });
}

// The accounting page and the log viewer are views of the stack; the
// credit-note summary is a box over the screen.
void MainWindow::bindBooksAndLogPages()
{
    m_maintenanceMode->bindActivity(MaintenanceMenuEntry::Accounting, [this]() -> MenuActivity* {
        auto* accountingPage = new AccountingPage(m_accounting.get(), m_controller, m_context.get(), this);
        m_context->addView(accountingPage);
        return accountingPage;
    });
    m_maintenanceMode->bindActivity(MaintenanceMenuEntry::LogViewer, [this]() -> MenuActivity* {
        auto* logViewer = new LogViewer(m_productProvider, m_context.get(), this);
        m_context->addView(logViewer);
        return logViewer;
    });
    m_maintenanceMode->bindActivity(MaintenanceMenuEntry::ReceiptSummary, [this]() -> MenuActivity* {
        return new PrintOverpaySummaryDialog(m_controller, m_context.get(), this);
    });
}

void MainWindow::createHomePage(QTranslator& translator)
{
    m_homePage = new HomePage([this] { return productPage(); }, m_pendingActivities, m_alarmManager,
                              m_maintenanceMode, translator, m_context.get());
    connect(m_controller, &Rk710Controller::inputChanged, m_homePage, &HomePage::onInputChanged);
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
    connect(m_assets, &AssetsRegistry::contentChanged, m_slideshow, &SlideshowControl::onContentChanged);
}

void MainWindow::createNotificationHandlers()
{
    m_eventLog = std::make_unique<PeriodicDbLogger>();
    m_eventLog->setDatabaseName(VM24::get_path(QLatin1String(VM24::Defaults::Log::LOG_FILE)));
    m_notificationService->addHandler(m_eventLog.get());
    // A closed session's rows go to the disk with its booking, not up to a
    // write interval later.
    connect(m_checkout, &SessionCheckout::finished, m_eventLog.get(), &PeriodicDbLogger::flush);
    // Alarm files and e-mail texts; the spool directories are there before
    // the first report is written into them.
    VM24::make_spool_directories();
    m_fileNotifier = std::make_unique<FileNotifier>();
    m_fileNotifier->setOutgoingDir(VM24::get_path(QLatin1String(VM24::Defaults::Schedule::OUTGOING)));
    m_fileNotifier->setMailboxDir(VM24::get_path(QLatin1String(VM24::Defaults::Schedule::MAILBOX)));
    m_notificationService->addHandler(m_fileNotifier.get());
}

void MainWindow::registerConfigurables()
{
    m_settingsManager->registerConfigurable(m_alarmManager);
    m_settingsManager->registerConfigurable(m_changeObserver);
    m_settingsManager->registerReload([this](const Settings& settings) { pushSettingsDown(settings); });
    m_settingsManager->registerConfigurable(m_motorMonitor);
    m_settingsManager->registerConfigurable(m_session);
    m_settingsManager->registerConfigurable(m_homePage);
    // The content and package checks follow with the scheduled tasks.
}

// The parts below the settings do not read them: they get their values here,
// at the start and after every change.
void MainWindow::pushSettingsDown(const Settings& settings)
{
    m_fanControl->setTemperatureHysteresisThresholds(settings.value(Settings::TemperatureThreshold));
    m_productProvider->setArrangement(settings.arrangement());
    m_fileNotifier->setSerial(settings.value(Settings::Serial));
    m_updateAuthenticator->setSerial(settings.value(Settings::Serial));
}

void MainWindow::publishStart()
{
    m_notificationService->notify(std::make_unique<VM24::PowerManagementNotification>(VM24::PowerManagementNotification::PowerOn));
    m_notificationService->notify(std::make_unique<VM24::InfoNotification>(QStringLiteral("%1 %2 - RK710 %3")
                                                                 .arg(QCoreApplication::applicationName(),
                                                                      QCoreApplication::applicationVersion())
                                                                 .arg(int(m_controller->version2()))));
}

void MainWindow::initialize()
{
    VM24::book_initial_credit(m_controller, m_accounting.get(), m_notificationService.get());
    createBoardStatusObserver();
    createScheduledTasks();
    watchProductPresence();
    m_updateAuthenticator->warnIfUnauthenticated();
    m_scheduler->start();
    m_context->startActivity(m_homePage);
}

void MainWindow::createScheduledTasks()
{
    m_scheduler = new TaskScheduler(this);
    // A shorter tick lets an accelerated run see every hour of its days.
    m_scheduler->setInterval(VM24::get_env_int("VM24_SCHEDULER_INTERVAL_S", m_scheduler->interval()));
    const Settings settings;
    const QString drafts = VM24::get_path(QLatin1String(VM24::Defaults::Schedule::DRAFTS));
    const QString outgoing = VM24::get_path(QLatin1String(VM24::Defaults::Schedule::OUTGOING));
    const QString mailbox = VM24::get_path(QLatin1String(VM24::Defaults::Schedule::MAILBOX));
    const QString archive = VM24::get_path(QLatin1String(VM24::Defaults::Schedule::ARCHIVE));
    auto* machineStateRecorder =
        new MachineStateRecorder(m_accounting.get(), m_productProvider, m_controller, drafts);
    auto* ftpSender = new FtpSenderTask(outgoing, archive);
    ftpSender->setInterval(read_interval(settings, Settings::FtpSendInterval));
    auto* mailer = new MailerTask(mailbox, archive);
    mailer->setInterval(read_interval(settings, Settings::MailSendInterval));
    auto* logCompiler = new DailyLogCompiler(drafts, m_productProvider);
    logCompiler->setAuditSources(m_accounting.get(), m_controller);
    auto* ftpFiles = new PrepareFtpFilesTask(drafts, outgoing);
    for (IConfigurable* task : std::initializer_list<IConfigurable*>{machineStateRecorder, ftpSender, mailer,
                                                                     logCompiler, ftpFiles})
        m_settingsManager->registerConfigurable(task);
    m_settingsManager->forceReload();
    m_fanControl->setEnabled(true);
    m_scheduler->registerTask(machineStateRecorder, QStringLiteral("machine-state-recorder"));
    m_contentUpdates = new ContentUpdateService(m_assets, this);
    m_contentUpdates->setAuthenticator(m_updateAuthenticator);
    m_contentUpdatePage = std::make_unique<ContentUpdatePage>(m_contentUpdates, m_pendingActivities, m_powerControl,
                                                              m_context.get(), this);
    m_contentUpdateTask = new ContentUpdateTask(m_contentUpdates);
    m_settingsManager->registerConfigurable(m_contentUpdateTask);
    m_contentUpdateTask->loadConfiguration(settings);
    m_scheduler->registerTask(m_contentUpdateTask, QLatin1String(ContentUpdateTask::TASK_NAME));
    m_maintenanceMode->menu()->setContentUpdates(m_contentUpdates);
    auto* packageTask = new PackageUpdateTask(m_packageUpdates);
    m_settingsManager->registerConfigurable(packageTask);
    packageTask->loadConfiguration(settings);
    m_scheduler->registerTask(packageTask, QLatin1String(PackageUpdateTask::TASK_NAME));
    m_scheduler->registerTask(logCompiler, QStringLiteral("log-compiler"));
    m_scheduler->registerTask(ftpFiles, QStringLiteral("ftp-files-mover"));
    m_scheduler->registerTask(ftpSender);
    m_scheduler->registerTask(mailer);
    registerGarbageCollectors(settings, outgoing, mailbox, archive);
    auto* timeUpdater = new Rk710TimeUpdater(m_controller);
    timeUpdater->setInterval(settings.value(Settings::TimeUpdateInterval));
    m_scheduler->registerTask(timeUpdater);
    registerHeartbeat();
}

void MainWindow::registerGarbageCollectors(const Settings& settings, const QString& outgoing, const QString& mailbox,
                                           const QString& archive)
{
    struct Collected
    {
        const QString& directory;
        Setting<int> maxAgeDays;
        Setting<int> maxFiles;
    };
    const Collected collected[] = {
        {outgoing, Settings::MaxOutgoingFilesAgeDays, Settings::OutgoingFilesLimit},
        {mailbox, Settings::MaxMailAgeDays, Settings::MailboxLimit},
        {archive, Settings::MaxArchivedFilesAgeDays, Settings::ArchivedFilesLimit},
    };
    const int interval = read_interval(settings, Settings::GcInterval);
    for (const Collected& c : collected) {
        auto* collector = new DirectoryGarbageCollector({c.directory});
        collector->setInterval(interval);
        collector->setMaxAgeDays(settings.value(c.maxAgeDays));
        collector->setMaxFiles(settings.value(c.maxFiles));
        m_scheduler->registerTask(collector);
    }
}

void MainWindow::createBoardStatusObserver()
{
    m_boardStatusObserver = new BoardStatusObserver(m_controller, BoardStatusObserver::defaultInfoPath(), this);
    m_boardStatusObserver->initialize(m_controller->getBoardStatus(), m_controller->getProductPresence());
    connect(m_controller, &Rk710Controller::deviceStatusChanged, m_boardStatusObserver,
            &BoardStatusObserver::onStatusChanged);
    connect(m_controller, &Rk710Controller::productPresenceChanged, m_boardStatusObserver,
            &BoardStatusObserver::onPresenceChanged);
}

void MainWindow::registerHeartbeat()
{
    if (!VM24::get_env_bool("VM24_ENABLE_HEARTBEAT", false))
        return;
    auto* heartbeat = new Heartbeat(m_notificationService.get());
    heartbeat->setInterval(60 * qMax(1, VM24::get_env_int("VM24_HEARTBEAT_INTERVAL_MINS", 0)));
    m_scheduler->registerTask(heartbeat);
}

void MainWindow::deinit()
{
    m_checkout->finishNow();
    m_notificationService->notify(std::make_unique<VM24::PowerManagementNotification>(power_event(m_powerControl->action())));
    m_controller->stopRecovery();
    if (m_usbMonitor->isUsbInserted())
        m_usbMonitor->umountUsb();
    m_controller->waitForQueuedTasks();
    m_controller->setCreditEnable(false, false, false, false);
    m_controller->setOutput(false, OutputMask::OffAtExit);
    m_controller->setPwmOutput(0, 0, 0, 0);
    m_controller->setDoorStatus(false);
    if (m_powerControl->action() == PowerControl::Shutdown)
        m_controller->powerControl(true);
    else if (m_powerControl->action() == PowerControl::EmergencyShutdown)
        m_controller->powerControl(false);
}

void MainWindow::onControllerStatusChanged(bool)
{
}

void MainWindow::publishWarning(const QString& message)
{
    m_notificationService->notify(std::make_unique<VM24::WarningNotification>(message));
}

// Maintenance mode waits for the home page to hand over the screen, so a
// stick never interrupts a purchase.
void MainWindow::onUsbChanged(bool present)
{
    if (!present)
        m_pendingActivities->dequeue(m_maintenanceMode);
    else if (!m_context->contains(m_maintenanceMode))
        m_pendingActivities->enqueue(m_maintenanceMode, 0);
}

void MainWindow::onFrontDoorOpenChanged(bool open)
{
    if (!open)
        m_controller->startTimeConsuming(new ChangeTubeScan(m_controller));
}
