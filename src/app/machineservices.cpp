#include "app/machineservices.h"

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
#include "logging/filenotifier.h"
#include "logging/infonotification.h"
#include "logging/periodicdblogger.h"
#include "logging/powermanagementnotification.h"
#include "logging/warningnotification.h"
#include "security/usbmonitor.h"
#include "settings/settings.h"
#include "settings/settingsmanager.h"
#include "tasks/dailylogcompiler.h"
#include "tasks/directorygarbagecollector.h"
#include "tasks/ftpsendertask.h"
#include "tasks/heartbeat.h"
#include "tasks/machinestaterecorder.h"
#include "tasks/mailertask.h"
#include "tasks/nightlychecktask.h"
#include "tasks/prepareftpfilestask.h"
#include "tasks/rk710timeupdater.h"
#include "tasks/spooldirectories.h"
#include "tasks/taskscheduler.h"
#include "ui/pendingactivityqueue.h"
#include "updates/assetsregistry.h"
#include "updates/contentupdateservice.h"
#include "updates/packageupdateservice.h"
#include "updates/updateauthenticator.h"
#include "vending/alarmmanager.h"
#include "vending/boardlinkwatcher.h"
#include "vending/changeobserver.h"
#include "vending/deliveryservice.h"
#include "vending/initialcredit.h"
#include "vending/motordispensermonitor.h"
#include "vending/sessioncheckout.h"
#include "vending/sessioncredit.h"
#include "vending/vendingsessioncontext.h"

#include <QCoreApplication>
#include <QThreadPool>

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

MachineServices::MachineServices(Rk710Controller* controller, QObject* parent)
    : QObject(parent)
    , m_controller(controller)
{
    m_notificationService = std::make_unique<VM24::NotificationService>();
    createPowerControl();
    createAlarmManager();
    m_accounting = std::make_unique<AccountingService>();
    createBoardWatchers();
    m_pendingActivities = std::make_unique<PendingActivityQueue>();
    createCatalogue();
    createUpdateServices();
    m_motorMonitor =
        std::make_unique<MotorDispenserMonitor>(m_alarmManager.get(), m_productProvider.get(), m_notificationService.get());
    createVendingSession();
    m_usbMonitor = std::make_unique<UsbMonitor>();
    createSettingsManager();
    createNotificationHandlers();
    registerConfigurables();
    connect(qApp, &QCoreApplication::aboutToQuit, this, &MachineServices::deinit);
    publishStart();
}

MachineServices::~MachineServices()
{
    close();
}

void MachineServices::close()
{
    // A session still open is closed while the books and the event log are
    // there, and its credit reader stops before them.
    m_checkout->finishNow();
    // Workers still running (a pushed update) end before the books go. A
    // pushed stage that was to run on this thread afterwards is dropped with
    // its watcher.
    QThreadPool::globalInstance()->waitForDone();
    m_contentUpdateTask = nullptr;
    m_scheduler.reset();
}

void MachineServices::createPowerControl()
{
    m_powerControl = std::make_unique<PowerControl>();
    // Read once: a changed threshold applies from the next start.
    m_powerControl->setBatteryThreshold(Settings().value(Settings::BatteryThresholdMs));
}

void MachineServices::createAlarmManager()
{
    m_alarmManager = std::make_unique<AlarmManager>(m_notificationService.get());
    connect(m_controller, &Rk710Controller::inputChanged, m_alarmManager.get(), &AlarmManager::onInputChanged);
    connect(m_controller, &Rk710Controller::deviceStatusChanged, m_alarmManager.get(),
            &AlarmManager::onDeviceStatusesChanged);
}

void MachineServices::createBoardWatchers()
{
    m_changeObserver = std::make_unique<ChangeObserver>(m_notificationService.get());
    m_changeObserver->setDeviceStatus(m_controller->getBoardStatus());
    connect(m_controller, &Rk710Controller::deviceStatusChanged, m_changeObserver.get(),
            &ChangeObserver::setDeviceStatus);

    m_printerObserver = std::make_unique<PrinterObserver>();
    m_printerObserver->setDeviceStatus(m_controller->getBoardStatus());
    connect(m_controller, &Rk710Controller::deviceStatusChanged, m_printerObserver.get(),
            &PrinterObserver::setDeviceStatus);

    m_touchscreenWatcher = std::make_unique<TouchscreenWatcher>(TouchscreenWatcher::DEFAULT_DEVICE);
    if (!m_touchscreenWatcher->isConnected())
        m_alarmManager->setAlarm(VM24::TouchscreenDisconnectedAlarm);
    connect(m_touchscreenWatcher.get(), &TouchscreenWatcher::touchscreenConnectedChanged, m_alarmManager.get(),
            &AlarmManager::onTouchscreenConnectedChanged);

    m_fanControl = std::make_unique<FanControl>(m_controller, Settings().value(Settings::TemperatureThreshold));
    m_fanControl->setInput(m_controller->getInputs());
    connect(m_controller, &Rk710Controller::inputChanged, m_fanControl.get(), &FanControl::setInput);

    m_sirenControl = std::make_unique<SirenControl>(m_controller);
    connect(m_alarmManager.get(), &AlarmManager::alarmsChanged, m_sirenControl.get(), &SirenControl::onAlarmsChanged);

    watchDoors();
    connect(m_alarmManager.get(), &AlarmManager::alarmsChanged, m_powerControl.get(), &PowerControl::onAlarmsChanged);

    m_linkWatcher = std::make_unique<BoardLinkWatcher>(m_notificationService.get(), m_controller->isAlive());
    connect(m_controller, &Rk710Controller::boardStatus, m_linkWatcher.get(), &BoardLinkWatcher::onBoardStatus);
}

void MachineServices::watchDoors()
{
    m_doorMonitor = std::make_unique<DoorMonitor>();
    m_doorMonitor->setInitialDoorStates(m_controller->getInputs());
    connect(m_controller, &Rk710Controller::inputChanged, m_doorMonitor.get(), &DoorMonitor::setInput);
    connect(m_doorMonitor.get(), &DoorMonitor::frontDoorOpenChanged, this, &MachineServices::onFrontDoorOpenChanged);
}

void MachineServices::createCatalogue()
{
    m_assets = std::make_unique<AssetsRegistry>(VM24::get_path(QLatin1String(VM24::Defaults::General::DATA_DIR)));
    m_updateAuthenticator = std::make_unique<UpdateAuthenticator>();
    connect(m_updateAuthenticator.get(), &UpdateAuthenticator::warning, this, &MachineServices::publishWarning);
    m_assets->addBaseDirToSearchPath();
    m_assets->recoverInterruptedUpdates();
    for (const char* asset : DATA_ASSETS)
        m_assets->addAsset(QLatin1String(asset));

    m_productProvider = std::make_unique<ProductProvider>(QStringLiteral("data:products"));
    connect(m_productProvider.get(), &ProductProvider::loadProblem, this, &MachineServices::publishWarning);
    m_productProvider->loadDatabase();
    connect(m_assets.get(), &AssetsRegistry::contentChanged, m_productProvider.get(),
            &ProductProvider::onContentChanged);
    m_priceProvider = std::make_unique<PriceProvider>(m_productProvider.get());
}

void MachineServices::createUpdateServices()
{
    m_contentUpdates = std::make_unique<ContentUpdateService>(m_assets.get());
    m_contentUpdates->setAuthenticator(m_updateAuthenticator.get());
    m_packageUpdates = std::make_unique<PackageUpdateService>();
    m_packageUpdates->setAuthenticator(m_updateAuthenticator.get());
}

void MachineServices::createVendingSession()
{
    VM24::NotificationService* notifications = m_notificationService.get();
    m_credit = std::make_unique<SessionCredit>(m_priceProvider.get(), m_accounting.get(), notifications);
    m_session = std::make_unique<VendingSessionContext>(m_controller, m_credit.get(), m_powerControl.get(),
                                                        notifications);
    // The acceptors' settle time when the credit reader stops; a simulated
    // board hands in at once, and an accelerated run sets it short.
    m_session->setReaderSettleTime(VM24::get_env_int("VM24_CREDIT_SETTLE_MS", -1));
    m_checkout = std::make_unique<SessionCheckout>(m_controller, m_session.get(), m_credit.get(), m_accounting.get(),
                                                   m_changeObserver.get(), notifications);
    m_delivery = std::make_unique<DeliveryService>(m_controller, m_credit.get(), notifications);
}

void MachineServices::createSettingsManager()
{
    m_settingsManager = std::make_unique<SettingsManager>(m_controller);
    connect(m_settingsManager.get(), &SettingsManager::loadProblem, this, &MachineServices::publishWarning);
}

void MachineServices::createNotificationHandlers()
{
    m_eventLog = std::make_unique<PeriodicDbLogger>();
    m_eventLog->setDatabaseName(VM24::get_path(QLatin1String(VM24::Defaults::Log::LOG_FILE)));
    m_notificationService->addHandler(m_eventLog.get());
    // A closed session's rows go to the disk with its booking, not up to a
    // write interval later.
    connect(m_checkout.get(), &SessionCheckout::finished, m_eventLog.get(), &PeriodicDbLogger::flush);
    // Alarm files and e-mail texts; the spool directories are there before
    // the first report is written into them.
    VM24::make_spool_directories();
    m_fileNotifier = std::make_unique<FileNotifier>();
    m_fileNotifier->setOutgoingDir(VM24::get_path(QLatin1String(VM24::Defaults::Schedule::OUTGOING)));
    m_fileNotifier->setMailboxDir(VM24::get_path(QLatin1String(VM24::Defaults::Schedule::MAILBOX)));
    m_notificationService->addHandler(m_fileNotifier.get());
}

// The window's pages that read the settings come after these.
void MachineServices::registerConfigurables()
{
    m_settingsManager->registerConfigurable(m_alarmManager.get());
    m_settingsManager->registerConfigurable(m_changeObserver.get());
    m_settingsManager->registerReload([this](const Settings& settings) { pushSettingsDown(settings); });
    m_settingsManager->registerConfigurable(m_motorMonitor.get());
    m_settingsManager->registerConfigurable(m_session.get());
}

// The parts below the settings do not read them: they get their values here,
// at the start and after every change.
void MachineServices::pushSettingsDown(const Settings& settings)
{
    m_fanControl->setTemperatureHysteresisThresholds(settings.value(Settings::TemperatureThreshold));
    m_productProvider->setArrangement(settings.arrangement());
    m_fileNotifier->setSerial(settings.value(Settings::Serial));
    m_updateAuthenticator->setSerial(settings.value(Settings::Serial));
}

void MachineServices::publishStart()
{
    m_notificationService->notify(
        std::make_unique<VM24::PowerManagementNotification>(VM24::PowerManagementNotification::PowerOn));
    m_notificationService->notify(std::make_unique<VM24::InfoNotification>(
        QStringLiteral("%1 %2 - RK710 %3")
            .arg(QCoreApplication::applicationName(), QCoreApplication::applicationVersion())
            .arg(int(m_controller->version2()))));
}

void MachineServices::initialize()
{
    VM24::book_initial_credit(m_controller, m_accounting.get(), m_notificationService.get());
    createBoardStatusObserver();
    createScheduledTasks();
    watchProductPresence();
    m_updateAuthenticator->warnIfUnauthenticated();
    m_scheduler->start();
}

void MachineServices::createBoardStatusObserver()
{
    m_boardStatusObserver =
        std::make_unique<BoardStatusObserver>(m_controller, BoardStatusObserver::defaultInfoPath());
    m_boardStatusObserver->initialize(m_controller->getBoardStatus(), m_controller->getProductPresence());
    connect(m_controller, &Rk710Controller::deviceStatusChanged, m_boardStatusObserver.get(),
            &BoardStatusObserver::onStatusChanged);
    connect(m_controller, &Rk710Controller::productPresenceChanged, m_boardStatusObserver.get(),
            &BoardStatusObserver::onPresenceChanged);
}

void MachineServices::createScheduledTasks()
{
    m_scheduler = std::make_unique<TaskScheduler>();
    // A shorter tick lets an accelerated run see every hour of its days.
    m_scheduler->setInterval(VM24::get_env_int("VM24_SCHEDULER_INTERVAL_S", m_scheduler->interval()));
    const Settings settings;
    const QString drafts = VM24::get_path(QLatin1String(VM24::Defaults::Schedule::DRAFTS));
    const QString outgoing = VM24::get_path(QLatin1String(VM24::Defaults::Schedule::OUTGOING));
    const QString mailbox = VM24::get_path(QLatin1String(VM24::Defaults::Schedule::MAILBOX));
    const QString archive = VM24::get_path(QLatin1String(VM24::Defaults::Schedule::ARCHIVE));
    auto* machineStateRecorder =
        new MachineStateRecorder(m_accounting.get(), m_productProvider.get(), m_controller, drafts);
    auto* ftpSender = new FtpSenderTask(outgoing, archive);
    ftpSender->setInterval(read_interval(settings, Settings::FtpSendInterval));
    auto* mailer = new MailerTask(mailbox, archive);
    mailer->setInterval(read_interval(settings, Settings::MailSendInterval));
    auto* logCompiler = new DailyLogCompiler(drafts, m_productProvider.get());
    logCompiler->setAuditSources(m_accounting.get(), m_controller);
    auto* ftpFiles = new PrepareFtpFilesTask(drafts, outgoing);
    for (IConfigurable* task : std::initializer_list<IConfigurable*>{machineStateRecorder, ftpSender, mailer,
                                                                     logCompiler, ftpFiles})
        m_settingsManager->registerConfigurable(task);
    m_settingsManager->forceReload();
    m_fanControl->setEnabled(true);
    m_scheduler->registerTask(machineStateRecorder, QStringLiteral("machine-state-recorder"));
    registerUpdateTasks(settings);
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

// The scheduler runs its tasks in the order they were registered: the
// nightly checks come after the machine-state record, before the log.
void MachineServices::registerUpdateTasks(const Settings& settings)
{
    m_contentUpdateTask = new NightlyCheckTask(m_contentUpdates.get(), NightlyCheckTask::CONTENT_LIMITS);
    connect(m_contentUpdates.get(), &ContentUpdateService::finished, m_contentUpdateTask, &NightlyCheckTask::checkEnded);
    auto* packageTask = new NightlyCheckTask(m_packageUpdates.get(), NightlyCheckTask::PACKAGE_LIMITS);
    connect(m_packageUpdates.get(), &PackageUpdateService::finished, packageTask, &NightlyCheckTask::checkEnded);
    for (auto* task : std::initializer_list<IConfigurable*>{m_contentUpdateTask, packageTask}) {
        m_settingsManager->registerConfigurable(task);
        task->loadConfiguration(settings);
    }
    m_scheduler->registerTask(m_contentUpdateTask, QLatin1String(NightlyCheckTask::CONTENT_TASK_NAME));
    m_scheduler->registerTask(packageTask, QLatin1String(NightlyCheckTask::PACKAGE_TASK_NAME));
}

void MachineServices::registerGarbageCollectors(const Settings& settings, const QString& outgoing,
                                                const QString& mailbox, const QString& archive)
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

void MachineServices::registerHeartbeat()
{
    if (!VM24::get_env_bool("VM24_ENABLE_HEARTBEAT", false))
        return;
    auto* heartbeat = new Heartbeat(m_notificationService.get());
    heartbeat->setInterval(60 * qMax(1, VM24::get_env_int("VM24_HEARTBEAT_INTERVAL_MINS", 0)));
    m_scheduler->registerTask(heartbeat);
}

// Once the catalogue, the selections and the motor map are loaded, so that
// the columns found full or empty name the products they hold.
void MachineServices::watchProductPresence()
{
    m_motorMonitor->setProductPresence(m_controller->getProductPresence());
    connect(m_controller, &Rk710Controller::productPresenceChanged, m_motorMonitor.get(),
            &MotorDispenserMonitor::setProductPresence);
}

void MachineServices::deinit()
{
    m_checkout->finishNow();
    m_notificationService->notify(
        std::make_unique<VM24::PowerManagementNotification>(power_event(m_powerControl->action())));
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

void MachineServices::publishWarning(const QString& message)
{
    m_notificationService->notify(std::make_unique<VM24::WarningNotification>(message));
}

void MachineServices::onFrontDoorOpenChanged(bool open)
{
    if (open)
        return;
    // A payout of nothing recounts the coins in the changer tubes.
    Rk710Controller* controller = m_controller;
    controller->longJobs()->start([controller] { controller->returnChange(0); });
}
