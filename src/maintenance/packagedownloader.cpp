#include "maintenance/packagedownloader.h"

#include "board/powercontrol.h"
#include "core/defaults.h"
#include "core/vm24.h"
#include "maintenance/maintenancelog.h"
#include "settings/settings.h"
#include "ui/updateprogressdialog.h"
#include "updates/downloadmanager.h"
#include "updates/packagecache.h"
#include "updates/packagelists.h"
#include "updates/updateauthenticator.h"
#include "updates/updatefiles.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>
#include <QtConcurrentRun>

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
    , m_serial(VM24::format_serial(Settings().value(Settings::Serial)))
    , m_cacheDir(cache_dir())
{
    m_downloader->setDownloadDirectory(m_cacheDir);
    m_downloader->setFileSizeLimit(Settings::defaultValue(Settings::UpdatesMaxPackageBytes));
    m_cachedCount = VM24::count_cached_packages(m_cacheDir);
    m_listTimer.setSingleShot(true);
    m_listTimer.setInterval(DEFAULT_LIST_TIME_LIMIT_MS);
    connect(&m_listTimer, &QTimer::timeout, this, &PackageDownloader::abortListDownload);
    connect(m_process, &QProcess::readyReadStandardOutput, this, &PackageDownloader::readListOutput);
    connect(m_downloader, &DownloadManager::fileDownloaded, this, &PackageDownloader::advanceDownloadProgress);
    connect(m_downloader, &DownloadManager::downloadFinished, this, &PackageDownloader::onDownloadFinished);
    connect(m_downloader, &DownloadManager::fileTooLong, this, [this](const QString& name) { m_tooLong.append(name); });
    connect(m_dialog, &QDialog::accepted, this, &PackageDownloader::onUpgradeFinished);
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

namespace {

const char* const LIST_NAME = "package-list.txt";

bool write_whole(const QString& path, const QByteArray& data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

QString list_index_name()
{
    return QLatin1String(LIST_NAME) + QLatin1String(SignedIndex::SUFFIX);
}

} // namespace

bool PackageDownloader::isSigned() const
{
    return m_authenticator && m_authenticator->isKeyPresent();
}

// The general list, then the machine's own; signed, each followed by its
// index and the index's signature.
QStringList PackageDownloader::listUrls() const
{
    QStringList urls;
    for (const QString& dir : {QStringLiteral("/firmware/"), QStringLiteral("/firmware/%1/").arg(m_serial)}) {
        QStringList names{QLatin1String(LIST_NAME)};
        if (m_signedRun)
            names << list_index_name() << list_index_name() + QLatin1String(".sig");
        for (const QString& name : names) {
            QUrl url = m_serverUrl;
            url.setPath(dir + name);
            urls.append(url.toString());
        }
    }
    return urls;
}

void PackageDownloader::run()
{
    if (m_state != Idle)
        return;
    setState(Downloading);
    qCInfo(maintenanceLog) << "checking for package updates";
    m_signedRun = isSigned();
    if (m_authenticator && !m_signedRun)
        m_authenticator->warnIfUnauthenticated();
    m_documents.clear();
    m_present.clear();
    m_tooLong.clear();
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

// The general list must arrive whole; of the other documents only an error
// answer of the server (wget's 8: it has none for this machine) is no
// failure. Any other outcome, a cut-off answer among them, ends the check
// and keeps the cache: it never reads as a list without packages.
void PackageDownloader::onPackageListDownloadFinished(int exitCode)
{
    disconnect(m_process, &QProcess::finished, this, &PackageDownloader::onPackageListDownloadFinished);
    readListOutput();
    const bool generalList = m_documents.isEmpty();
    const bool crashed = m_process->exitStatus() != QProcess::NormalExit;
    m_process->close();
    const bool absent = !generalList && exitCode == WGET_SERVER_ERROR;
    const bool failed = crashed || m_listFailed || (exitCode != 0 && !absent);
    if (failed) {
        qCWarning(maintenanceLog) << "package list download failed" << (generalList ? "(general list)" : "(machine list)")
                                  << "wget exit code" << exitCode << (crashed ? "stopped" : "") << ": cache kept";
        m_listTimer.stop();
        m_listOutput.clear();
        rescheduleSelf();
        return;
    }
    m_documents.append(absent ? QByteArray() : m_listOutput);
    m_present.append(!absent);
    m_listOutput.clear();
    if (!m_pendingLists.isEmpty()) {
        startNextListDownload();
        return;
    }
    onListsFetched();
}

void PackageDownloader::onListsFetched()
{
    m_listTimer.stop();
    QList<VM24::PkgAction> actions;
    if (m_signedRun) {
        if (!acceptSignedLists(&actions)) {
            rescheduleSelf();
            return;
        }
    } else {
        qCInfo(maintenanceLog) << "package lists fetched, machine list" << (m_present.value(1) ? "present" : "absent");
        QByteArray lists = m_documents.value(0) + '\n' + m_documents.value(1);
        QBuffer buffer(&lists);
        buffer.open(QIODevice::ReadOnly);
        actions = VM24::parse_server_descriptor(&buffer);
    }
    m_documents.clear();
    const QString cacheDir = m_cacheDir;
    if (m_signedRun) {
        const QHash<QString, SignedIndex::Entry> signedFiles = m_signedFiles;
        followCacheUpdate(QtConcurrent::run([actions, cacheDir, signedFiles] {
            return VM24::update_local_package_cache(actions, cacheDir, signedFiles);
        }));
        return;
    }
    followCacheUpdate(
        QtConcurrent::run([actions, cacheDir] { return VM24::update_local_package_cache(actions, cacheDir); }));
}

void PackageDownloader::followCacheUpdate(const QFuture<QList<QUrl>>& update)
{
    m_cacheUpdate = update;
    m_cacheUpdate.then(this, [this](const QList<QUrl>& urls) { onCacheUpdated(urls); });
}

// Documents 0 to 2 are the general list, its index and signature; 3 to 5
// the machine's own, which only counts when the server has that list.
bool PackageDownloader::acceptSignedLists(QList<VM24::PkgAction>* actions)
{
    m_signedFiles.clear();
    m_acceptedIndexes.clear();
    if (!acceptSignedList(0, QStringLiteral("firmware/"), QStringLiteral("firmware/package-list.txt"), actions))
        return false;
    return !m_present.value(3)
        || acceptSignedList(3, QStringLiteral("firmware/%1/").arg(m_serial), QStringLiteral("firmware/own/package-list.txt"),
                            actions);
}

bool PackageDownloader::acceptSignedList(int first, const QString& servedDir, const QString& stream,
                                         QList<VM24::PkgAction>* actions)
{
    QTemporaryDir dir;
    const QString index = dir.filePath(list_index_name());
    if ((m_present.value(first + 1) && !write_whole(index, m_documents.value(first + 1)))
        || (m_present.value(first + 2) && !write_whole(index + QLatin1String(".sig"), m_documents.value(first + 2))))
        return false;
    SignedIndex signedIndex;
    if (!m_authenticator->openIndex(index, stream, &signedIndex, servedDir + list_index_name())
        || !m_authenticator->checkData(signedIndex, QLatin1String(LIST_NAME), m_documents.value(first)))
        return false;
    QByteArray list = m_documents.value(first);
    QBuffer buffer(&list);
    buffer.open(QIODevice::ReadOnly);
    const QList<VM24::PkgAction> listed = VM24::parse_server_descriptor(&buffer);
    for (const VM24::PkgAction& action : listed) {
        const QString name = VM24::package_file_name(QUrl(action.file));
        if (!signedIndex.lists(name)) {
            m_authenticator->refuse(name.isEmpty() ? action.file : name, UpdateAuthenticator::reasonUnlisted());
            return false;
        }
        m_signedFiles.insert(name, signedIndex.entry(name));
    }
    *actions += listed;
    m_acceptedIndexes.append({stream, signedIndex});
    qCInfo(maintenanceLog) << "signed package list accepted:" << servedDir + QLatin1String(LIST_NAME);
    return true;
}

// Every cached package must match its signed entry; when one does not,
// the cache is emptied: nothing of that update waits for installation.
bool PackageDownloader::checkSignedDownloads()
{
    bool whole = true;
    for (const QString& name : std::as_const(m_tooLong)) {
        m_authenticator->refuse(name, UpdateAuthenticator::reasonTooLong());
        whole = false;
    }
    for (const QFileInfo& file : VM24::cached_packages(m_cacheDir)) {
        if (!whole)
            break;
        if (!m_signedFiles.contains(file.fileName())) {
            m_authenticator->refuse(file.fileName(), UpdateAuthenticator::reasonUnlisted());
            whole = false;
        } else {
            whole = m_authenticator->checkEntry(file.fileName(), m_signedFiles.value(file.fileName()),
                                                file.absoluteFilePath());
        }
    }
    if (whole) {
        for (const auto& [stream, index] : std::as_const(m_acceptedIndexes))
            m_authenticator->recordApplied(stream, index);
    }
    return whole;
}

void PackageDownloader::onCacheUpdated(const QList<QUrl>& urls)
{
    if (m_signedRun) {
        for (const QUrl& url : urls) {
            const QString name = VM24::package_file_name(url);
            m_downloader->addUrl(url, name, m_signedFiles.value(name).size);
        }
    } else {
        m_downloader->addUrl(urls);
    }
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
    if (m_signedRun && !checkSignedDownloads())
        VM24::empty_package_cache(m_cacheDir);
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
    UpdateAuthenticator* authenticator = m_authenticator;
    m_installation = QtConcurrent::run([context, cacheDir, authenticator] {
        context->beginUpdate();
        context->beginStage(
            QCoreApplication::translate("InstallCachedPackage", "Aggiornamento software in corso - Non spegnere la macchina"));
        VM24::install_cached_packages(cacheDir, authenticator);
        // Whatever the outcome: what did install needs the restart.
        context->setRestartRequired();
        context->finishUpdate();
    });
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

void PackageDownloader::loadConfiguration(const Settings& settings)
{
    QUrl server;
    server.setScheme(QLatin1String(VM24::Defaults::UpdatesServer::PROTOCOL));
    server.setAuthority(settings.value(Settings::UpdatesServerAddress).trimmed());
    m_serverUrl = server;
    m_serial = VM24::format_serial(settings.value(Settings::Serial));
    m_listSizeLimit = settings.value(Settings::UpdatesMaxListBytes);
    m_downloader->setFileSizeLimit(settings.value(Settings::UpdatesMaxPackageBytes));
    // setDailyStart reschedules a registered task whose time changed.
    setDailyStart(settings.value(Settings::RemoteUpdateTime));
}
