#include "maintenance/packagedownloader.h"

#include "board/powercontrol.h"
#include "core/defaults.h"
#include "core/settingskeys.h"
#include "core/threadpool.h"
#include "core/vm24.h"
#include "maintenance/maintenancelog.h"
#include "ui/updateprogressdialog.h"
#include "updates/downloadmanager.h"
#include "updates/packagecache.h"
#include "updates/packagelists.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QSettings>
#include <QTimer>

namespace {

const int PROCESS_CLOSE_WAIT_MS = 3000;
// wget's exit code for an error answer of the server (404 and the like).
const int WGET_SERVER_ERROR = 8;
// Machines spread their nightly calls over an hour.
const int START_SPREAD_S = 3600;

QString cache_dir()
{
    return QDir(QLatin1String(VM24::PACKAGE_CACHE)).absolutePath();
}

} // namespace

PackageDownloader::PackageDownloader(PowerControl* powerControl, Context* context, QWidget* parent)
    : MenuActivity(context, parent)
    , m_powerControl(powerControl)
    , m_downloader(new DownloadManager(this))
    , m_dialog(new UpdateProgressDialog(this))
    , m_process(new QProcess(this))
    , m_serial(VM24::format_serial(VM24::read_serial()))
    , m_cacheDir(cache_dir())
{
    m_downloader->setDownloadDirectory(m_cacheDir);
    m_downloader->setFileSizeLimit(VM24::Keys::DEFAULT_UPDATES_MAX_PACKAGE_BYTES);
    m_cachedCount = VM24::count_cached_packages(m_cacheDir);
    m_listTimer.setSingleShot(true);
    m_listTimer.setInterval(DEFAULT_LIST_TIME_LIMIT_MS);
    connect(&m_listTimer, &QTimer::timeout, this, &PackageDownloader::abortListDownload);
    connect(m_process, &QProcess::readyReadStandardOutput, this, &PackageDownloader::readListOutput);
    connect(m_downloader, &DownloadManager::fileDownloaded, this, &PackageDownloader::advanceDownloadProgress);
    connect(m_downloader, &DownloadManager::downloadFinished, this, &PackageDownloader::onDownloadFinished);
    connect(m_dialog, &QDialog::accepted, this, &PackageDownloader::onUpgradeFinished);
    connect(&m_cacheUpdate, &QFutureWatcherBase::finished, this, &PackageDownloader::onCacheUpdated);
}

PackageDownloader::~PackageDownloader()
{
    m_process->disconnect(this);
    m_process->close();
    m_process->waitForFinished(PROCESS_CLOSE_WAIT_MS);
    m_cacheUpdate.waitForFinished();
    m_installation.waitForFinished();
}

void PackageDownloader::checkForUpdates()
{
    run();
}

QStringList PackageDownloader::listUrls() const
{
    QUrl general = m_serverUrl;
    general.setPath(QStringLiteral("/firmware/package-list.txt"));
    QUrl own = m_serverUrl;
    own.setPath(QStringLiteral("/firmware/%1/package-list.txt").arg(m_serial));
    return {general.toString(), own.toString()};
}

void PackageDownloader::run()
{
    if (m_state != Idle)
        return;
    setState(Downloading);
    qCInfo(maintenanceLog) << "checking for package updates";
    m_listOutput.clear();
    m_listFailed = false;
    m_pendingLists = listUrls();
    m_listTimer.start();
    startNextListDownload();
}

// One wget per list, so that the exit code tells which one failed.
void PackageDownloader::startNextListDownload()
{
    connect(m_process, &QProcess::finished, this, &PackageDownloader::onPackageListDownloadFinished,
            Qt::UniqueConnection);
    m_process->setStandardInputFile(QProcess::nullDevice());
    m_process->setStandardErrorFile(QProcess::nullDevice());
    // One try: a retried answer would be appended to the part already read.
    m_process->start(QStringLiteral("wget"), {QStringLiteral("-q"), QStringLiteral("--no-cookies"),
                                              QStringLiteral("--no-cache"), QStringLiteral("--tries"),
                                              QStringLiteral("1"), QStringLiteral("--timeout"), QStringLiteral("60"),
                                              QStringLiteral("-O-"), m_pendingLists.takeFirst()});
    if (!m_process->waitForStarted()) {
        qCWarning(maintenanceLog) << "package list download could not start: cache kept";
        disconnect(m_process, &QProcess::finished, this, &PackageDownloader::onPackageListDownloadFinished);
        m_listTimer.stop();
        rescheduleSelf();
    }
}

// The lists are read as they come so that an endless answer is cut off.
void PackageDownloader::readListOutput()
{
    if (m_listFailed) {
        m_process->readAllStandardOutput();
        return;
    }
    m_listOutput += m_process->readAllStandardOutput();
    if (m_listOutput.size() > m_listSizeLimit) {
        qCWarning(maintenanceLog) << "package list larger than" << m_listSizeLimit << "bytes: check abandoned";
        abortListDownload();
    }
}

void PackageDownloader::abortListDownload()
{
    if (m_process->state() == QProcess::NotRunning)
        return;
    qCWarning(maintenanceLog) << "package list download stopped";
    m_listFailed = true;
    m_process->kill();
}

// The general list must arrive whole; of the machine's own list only an
// error answer of the server (wget's 8: it has none for this machine) is no
// failure. Any other outcome, a cut-off answer among them, ends the check
// and keeps the cache: it never reads as a list without packages.
void PackageDownloader::onPackageListDownloadFinished(int exitCode)
{
    disconnect(m_process, &QProcess::finished, this, &PackageDownloader::onPackageListDownloadFinished);
    readListOutput();
    const bool machineList = m_pendingLists.isEmpty();
    const bool crashed = m_process->exitStatus() != QProcess::NormalExit;
    m_process->close();
    const bool failed = crashed || m_listFailed || (exitCode != 0 && !(machineList && exitCode == WGET_SERVER_ERROR));
    if (failed) {
        qCWarning(maintenanceLog) << "package list download failed" << (machineList ? "(machine list)" : "(general list)")
                                  << "wget exit code" << exitCode << (crashed ? "stopped" : "") << ": cache kept";
        m_listTimer.stop();
        m_listOutput.clear();
        rescheduleSelf();
        return;
    }
    if (!machineList) {
        m_listOutput += '\n';
        startNextListDownload();
        return;
    }
    m_listTimer.stop();
    qCInfo(maintenanceLog) << "package lists fetched, machine list" << (exitCode == 0 ? "present" : "absent");
    QBuffer buffer(&m_listOutput);
    buffer.open(QIODevice::ReadOnly);
    const QList<VM24::PkgAction> actions = VM24::parse_server_descriptor(&buffer);
    m_listOutput.clear();
    const QString cacheDir = m_cacheDir;
    m_cacheUpdate.setFuture(
        VM24::run_in_thread_pool([actions, cacheDir] { return VM24::update_local_package_cache(actions, cacheDir); }));
}

void PackageDownloader::onCacheUpdated()
{
    const QList<QUrl> urls = m_cacheUpdate.future().result();
    m_downloader->addUrl(urls);
    m_downloaded = 0;
    m_total = urls.size();
    emit downloadProgressChanged(0, m_total);
    m_downloader->startDownload();
}

void PackageDownloader::advanceDownloadProgress()
{
    ++m_downloaded;
    emit downloadProgressChanged(m_downloaded, m_total);
}

void PackageDownloader::onDownloadFinished()
{
    const int count = VM24::count_cached_packages(m_cacheDir);
    if (count != m_cachedCount) {
        m_cachedCount = count;
        emit cachedPackageCountChanged(count);
    }
    rescheduleSelf();
}

void PackageDownloader::onStart()
{
    // Started while a check runs: nothing to do, back to the menu.
    if (m_state != Idle) {
        QTimer::singleShot(0, this, [this] { finish(); });
        return;
    }
    MenuActivity::onStart();
    setState(Installing);
    m_powerControl->setEnabled(false);
    m_dialog->prepare(tr("Preparazione aggiornamento software"), tr("Lettura package in corso..."), userLevel());
    m_dialog->open();
    UpdateProcessContext* context = m_dialog;
    const QString cacheDir = m_cacheDir;
    m_installation.setFuture(VM24::run_in_thread_pool([context, cacheDir] {
        context->beginUpdate();
        context->beginStage(
            QCoreApplication::translate("InstallCachedPackage", "Aggiornamento software in corso - Non spegnere la macchina"));
        VM24::install_cached_packages(cacheDir);
        // Whatever the outcome: what did install needs the restart.
        context->setRestartRequired();
        context->finishUpdate();
    }));
}

void PackageDownloader::onUpgradeFinished()
{
    finish();
}

void PackageDownloader::onStop()
{
    if (m_state != Installing)
        return;
    m_installation.waitForFinished();
    const int count = VM24::count_cached_packages(m_cacheDir);
    if (count != m_cachedCount) {
        m_cachedCount = count;
        emit cachedPackageCountChanged(count);
    }
    if (m_dialog->restartRequired())
        m_powerControl->doAction(PowerControl::Restart);
    m_powerControl->setEnabled(true);
    rescheduleSelf();
}

void PackageDownloader::setState(State state)
{
    if (state == m_state)
        return;
    m_state = state;
    emit stateChanged(state);
}

void PackageDownloader::rescheduleSelf()
{
    AbstractAnacronTask::schedule();
    setState(Idle);
}

void PackageDownloader::schedule()
{
    if (m_state == Idle)
        AbstractAnacronTask::schedule();
}

bool PackageDownloader::canRun(const QDateTime& now) const
{
    if (m_state != Idle || !m_serverUrl.isValid() || m_serverUrl.host().isEmpty())
        return false;
    return AbstractAnacronTask::canRun(now);
}

QDateTime PackageDownloader::computeNextStartTime(const QDateTime& current) const
{
    return DailyJob::computeNextStartTime(current).addSecs(QRandomGenerator::global()->bounded(START_SPREAD_S));
}

void PackageDownloader::loadConfiguration(QSettings& settings)
{
    QUrl server;
    server.setScheme(QLatin1String(VM24::Defaults::UpdatesServer::PROTOCOL));
    server.setAuthority(settings.value(QLatin1String(VM24::Keys::UPDATES_SERVER_ADDRESS)).toString().trimmed());
    m_serverUrl = server;
    m_serial = VM24::format_serial(VM24::read_serial());
    m_listSizeLimit = DownloadManager::readSizeLimit(settings, VM24::Keys::UPDATES_MAX_LIST_BYTES,
                                                     VM24::Keys::DEFAULT_UPDATES_MAX_LIST_BYTES);
    m_downloader->setFileSizeLimit(DownloadManager::readSizeLimit(settings, VM24::Keys::UPDATES_MAX_PACKAGE_BYTES,
                                                                  VM24::Keys::DEFAULT_UPDATES_MAX_PACKAGE_BYTES));
    // setDailyStart reschedules a registered task whose time changed.
    setDailyStart(VM24::interpret_time(settings, QLatin1String(VM24::Keys::REMOTE_UPDATE_SCHEDULE),
                                       VM24::Defaults::Schedule::REMOTE_UPDATE));
}
