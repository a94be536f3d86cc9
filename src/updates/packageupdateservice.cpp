#include "updates/packageupdateservice.h"

#include "core/vm24.h"
#include "updates/downloadmanager.h"
#include "updates/packagecache.h"
#include "updates/packagelists.h"
#include "updates/updateauthenticator.h"
#include "updates/updatefiles.h"
#include "updates/updateprocesscontext.h"
#include "updates/updateslog.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QtConcurrentRun>

namespace {

const int PROCESS_CLOSE_WAIT_MS = 3000;
// wget's exit code for an error answer of the server (404 and the like).
const int WGET_SERVER_ERROR = 8;

QString cache_dir()
{
    return QDir(QLatin1String(VM24::PACKAGE_CACHE)).absolutePath();
}

} // namespace

PackageUpdateService::PackageUpdateService(QObject* parent)
    : QObject(parent)
    , m_downloader(new DownloadManager(this))
    , m_process(new QProcess(this))
    , m_cacheDir(cache_dir())
{
    m_downloader->setDownloadDirectory(m_cacheDir);
    m_cachedCount = VM24::count_cached_packages(m_cacheDir);
    m_listTimer.setSingleShot(true);
    m_listTimer.setInterval(DEFAULT_LIST_TIME_LIMIT_MS);
    connect(&m_listTimer, &QTimer::timeout, this, &PackageUpdateService::abortListDownload);
    connect(m_process, &QProcess::readyReadStandardOutput, this, &PackageUpdateService::readListOutput);
    connect(m_downloader, &DownloadManager::fileDownloaded, this, &PackageUpdateService::advanceDownloadProgress);
    connect(m_downloader, &DownloadManager::downloadFinished, this, &PackageUpdateService::onDownloadFinished);
    connect(m_downloader, &DownloadManager::fileTooLong, this, [this](const QString& name) { m_tooLong.append(name); });
}

PackageUpdateService::~PackageUpdateService()
{
    m_process->disconnect(this);
    m_process->close();
    m_process->waitForFinished(PROCESS_CLOSE_WAIT_MS);
    m_cacheUpdate.waitForFinished();
    m_installation.waitForFinished();
}

void PackageUpdateService::configure(const Configuration& configuration)
{
    m_serverUrl = configuration.serverUrl;
    m_serial = configuration.serial;
    m_listSizeLimit = configuration.listSizeLimit;
    m_downloader->setFileSizeLimit(configuration.fileSizeLimit);
}

bool PackageUpdateService::hasServer() const
{
    return m_serverUrl.isValid() && !m_serverUrl.host().isEmpty();
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

bool PackageUpdateService::isSigned() const
{
    return m_authenticator && m_authenticator->isKeyPresent();
}

// The general list, then the machine's own; signed, each followed by its
// index and the index's signature.
QStringList PackageUpdateService::listUrls() const
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

void PackageUpdateService::checkForUpdates()
{
    if (m_state != Idle)
        return;
    setState(Downloading);
    qCInfo(updatesLog) << "checking for package updates";
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
void PackageUpdateService::startNextListDownload()
{
    connect(m_process, &QProcess::finished, this, &PackageUpdateService::onPackageListDownloadFinished,
            Qt::UniqueConnection);
    m_process->setStandardInputFile(QProcess::nullDevice());
    m_process->setStandardErrorFile(QProcess::nullDevice());
    // One try: a retried answer would be appended to the part already read.
    m_process->start(QStringLiteral("wget"), {QStringLiteral("-q"), QStringLiteral("--no-cookies"),
                                              QStringLiteral("--no-cache"), QStringLiteral("--tries"),
                                              QStringLiteral("1"), QStringLiteral("--timeout"), QStringLiteral("60"),
                                              QStringLiteral("-O-"), m_pendingLists.takeFirst()});
    if (!m_process->waitForStarted()) {
        qCWarning(updatesLog) << "package list download could not start: cache kept";
        disconnect(m_process, &QProcess::finished, this, &PackageUpdateService::onPackageListDownloadFinished);
        m_listTimer.stop();
        finish();
    }
}

// The lists are read as they come so that an endless answer is cut off.
void PackageUpdateService::readListOutput()
{
    if (m_listFailed) {
        m_process->readAllStandardOutput();
        return;
    }
    m_listOutput += m_process->readAllStandardOutput();
    if (m_listOutput.size() > m_listSizeLimit) {
        qCWarning(updatesLog) << "package list larger than" << m_listSizeLimit << "bytes: check abandoned";
        abortListDownload();
    }
}

void PackageUpdateService::abortListDownload()
{
    if (m_process->state() == QProcess::NotRunning)
        return;
    qCWarning(updatesLog) << "package list download stopped";
    m_listFailed = true;
    m_process->kill();
}

// The general list must arrive whole; of the other documents only an error
// answer of the server (wget's 8: it has none for this machine) is no
// failure. Any other outcome, a cut-off answer among them, ends the check
// and keeps the cache: it never reads as a list without packages.
void PackageUpdateService::onPackageListDownloadFinished(int exitCode)
{
    disconnect(m_process, &QProcess::finished, this, &PackageUpdateService::onPackageListDownloadFinished);
    readListOutput();
    const bool generalList = m_documents.isEmpty();
    const bool crashed = m_process->exitStatus() != QProcess::NormalExit;
    m_process->close();
    const bool absent = !generalList && exitCode == WGET_SERVER_ERROR;
    const bool failed = crashed || m_listFailed || (exitCode != 0 && !absent);
    if (failed) {
        qCWarning(updatesLog) << "package list download failed" << (generalList ? "(general list)" : "(machine list)")
                                  << "wget exit code" << exitCode << (crashed ? "stopped" : "") << ": cache kept";
        m_listTimer.stop();
        m_listOutput.clear();
        finish();
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

void PackageUpdateService::onListsFetched()
{
    m_listTimer.stop();
    QList<VM24::PkgAction> actions;
    if (m_signedRun) {
        if (!acceptSignedLists(&actions)) {
            finish();
            return;
        }
    } else {
        qCInfo(updatesLog) << "package lists fetched, machine list" << (m_present.value(1) ? "present" : "absent");
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

void PackageUpdateService::followCacheUpdate(const QFuture<QList<QUrl>>& update)
{
    m_cacheUpdate = update;
    m_cacheUpdate.then(this, [this](const QList<QUrl>& urls) { onCacheUpdated(urls); });
}

// Documents 0 to 2 are the general list, its index and signature; 3 to 5
// the machine's own, which only counts when the server has that list.
bool PackageUpdateService::acceptSignedLists(QList<VM24::PkgAction>* actions)
{
    m_signedFiles.clear();
    m_acceptedIndexes.clear();
    if (!acceptSignedList(0, QStringLiteral("firmware/"), QStringLiteral("firmware/package-list.txt"), actions))
        return false;
    return !m_present.value(3)
        || acceptSignedList(3, QStringLiteral("firmware/%1/").arg(m_serial), QStringLiteral("firmware/own/package-list.txt"),
                            actions);
}

bool PackageUpdateService::acceptSignedList(int first, const QString& servedDir, const QString& stream,
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
    qCInfo(updatesLog) << "signed package list accepted:" << servedDir + QLatin1String(LIST_NAME);
    return true;
}

// Every cached package must match its signed entry; when one does not,
// the cache is emptied: nothing of that update waits for installation.
bool PackageUpdateService::checkSignedDownloads()
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

void PackageUpdateService::onCacheUpdated(const QList<QUrl>& urls)
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

void PackageUpdateService::advanceDownloadProgress()
{
    ++m_downloaded;
    emit downloadProgressChanged(m_downloaded, m_total);
}

void PackageUpdateService::onDownloadFinished()
{
    if (m_signedRun && !checkSignedDownloads())
        VM24::empty_package_cache(m_cacheDir);
    recountCache();
    finish();
}

void PackageUpdateService::recountCache()
{
    const int count = VM24::count_cached_packages(m_cacheDir);
    if (count != m_cachedCount) {
        m_cachedCount = count;
        emit cachedPackageCountChanged(count);
    }
}

bool PackageUpdateService::install(UpdateProcessContext* context)
{
    if (m_state != Idle)
        return false;
    setState(Installing);
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
    return true;
}

void PackageUpdateService::endInstallation()
{
    if (m_state != Installing)
        return;
    m_installation.waitForFinished();
    recountCache();
    finish();
}

void PackageUpdateService::setState(State state)
{
    if (state == m_state)
        return;
    m_state = state;
    emit stateChanged(state);
}

void PackageUpdateService::finish()
{
    setState(Idle);
    emit finished();
}
