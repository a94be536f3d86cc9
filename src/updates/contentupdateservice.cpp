#include "updates/contentupdateservice.h"

#include "core/vm24.h"
#include "updates/assetsregistry.h"
#include "updates/brixobannerupdatecommand.h"
#include "updates/brixoeventsupdatecommand.h"
#include "updates/catalogueupdatecommand.h"
#include "updates/downloadmanager.h"
#include "updates/mediaupdatecommand.h"
#include "updates/updateauthenticator.h"
#include "updates/updatedescriptorinterpreter.h"
#include "updates/updatefiles.h"
#include "updates/updateprocesscontext.h"
#include "updates/updateslog.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QtConcurrentRun>

const char* const ContentUpdateService::DOWNLOAD_DIR_TEMPLATE = "/tmp/vm24-downloads-XXXXXX";

ContentUpdateService::ContentUpdateService(AssetsRegistry* registry, QObject* parent)
    : QObject(parent)
    , m_interpreter(std::make_unique<UpdateDescriptorInterpreter>())
    , m_downloader(new DownloadManager(this))
    , m_process(new QProcess(this))
    , m_descriptorSizeLimit(UpdateDescriptorInterpreter::MAX_DESCRIPTOR_SIZE)
{
    m_interpreter->addCommand(tr("Banner Brixo"), std::make_unique<BrixoBannerUpdateCommand>(registry));
    m_interpreter->addCommand(tr("Brixo Events"), std::make_unique<BrixoEventsUpdateCommand>(registry));
    m_interpreter->addCommand(tr("Cataloghi prodotti"), std::make_unique<CatalogueUpdateCommand>(registry));
    m_interpreter->addCommand(tr("Home Page"), std::make_unique<MediaUpdateCommand>(registry));
    connect(m_downloader, &DownloadManager::downloadFinished, this, &ContentUpdateService::onDownloadFinished);
    connect(m_downloader, &DownloadManager::fileTooLong, this, [this](const QString& name) { m_tooLong.append(name); });
    m_process->setStandardInputFile(QProcess::nullDevice());
    m_process->setStandardErrorFile(QProcess::nullDevice());
    connect(m_process, &QProcess::readyReadStandardOutput, this, &ContentUpdateService::readDescriptorOutput);
    connect(m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart && m_state == Checking)
            QMetaObject::invokeMethod(this, [this] { onDescriptorDownloadFinished(-1, QProcess::CrashExit); },
                                      Qt::QueuedConnection);
    });
    m_descriptorTimeLimit.setSingleShot(true);
    connect(&m_descriptorTimeLimit, &QTimer::timeout, m_process, &QProcess::kill);
}

ContentUpdateService::~ContentUpdateService()
{
    m_process->disconnect(this);
    if (m_process->state() != QProcess::NotRunning) {
        m_process->kill();
        m_process->waitForFinished(3000);
    }
    m_application.waitForFinished();
    if (!m_tempDir.isEmpty())
        VM24::rm_dir(m_tempDir);
}

void ContentUpdateService::configure(const Configuration& configuration)
{
    m_serverUrl = configuration.serverUrl;
    m_serial = configuration.serial;
    // The interpreter reads no more than its own ceiling in any case.
    m_descriptorSizeLimit = qMin(configuration.listSizeLimit, UpdateDescriptorInterpreter::MAX_DESCRIPTOR_SIZE);
    m_downloader->setFileSizeLimit(configuration.fileSizeLimit);
}

bool ContentUpdateService::hasServer() const
{
    return m_serverUrl.isValid() && !m_serverUrl.host().isEmpty();
}

void ContentUpdateService::checkForUpdates()
{
    if (m_state != Idle)
        return;
    setState(Checking);
    if (m_authenticator && m_authenticator->isKeyPresent()) {
        startSignedCheck();
        return;
    }
    if (m_authenticator)
        m_authenticator->warnIfUnauthenticated();
    QUrl general = m_serverUrl;
    general.setPath(QStringLiteral("/contents/descriptor.txt"));
    QUrl own = m_serverUrl;
    own.setPath(QStringLiteral("/contents/%1/descriptor.txt").arg(m_serial));
    m_descriptor.clear();
    m_descriptorRefused = false;
    connect(m_process, &QProcess::finished, this, &ContentUpdateService::onDescriptorDownloadFinished,
            Qt::UniqueConnection);
    m_process->start(QStringLiteral("wget"),
                     {QStringLiteral("-q"), QStringLiteral("--no-cookies"), QStringLiteral("--no-cache"),
                      QStringLiteral("--timeout"), QStringLiteral("60"), QStringLiteral("-O-"),
                      general.toString(QUrl::FullyEncoded), own.toString(QUrl::FullyEncoded)});
    m_descriptorTimeLimit.start(m_descriptorTimeLimitMs);
}

// The descriptor is read as it arrives, so that an endless one is cut off.
void ContentUpdateService::readDescriptorOutput()
{
    m_descriptor += m_process->readAllStandardOutput();
    if (m_descriptor.size() > m_descriptorSizeLimit && !m_descriptorRefused) {
        qCWarning(updatesLog) << "Content descriptor longer than" << m_descriptorSizeLimit << "bytes: check abandoned";
        m_descriptorRefused = true;
        m_process->kill();
    }
}

void ContentUpdateService::onDescriptorDownloadFinished(int, QProcess::ExitStatus status)
{
    disconnect(m_process, &QProcess::finished, this, &ContentUpdateService::onDescriptorDownloadFinished);
    m_descriptorTimeLimit.stop();
    if (m_state != Checking)
        return;
    readDescriptorOutput();
    m_process->close();
    if (status != QProcess::NormalExit || m_descriptorRefused) {
        qCWarning(updatesLog) << "Content descriptor download failed or ran out of time";
        finish(Failed);
        return;
    }
    QBuffer buffer(&m_descriptor);
    buffer.open(QIODevice::ReadOnly);
    m_interpreter->parse(&buffer);
    m_descriptor.clear();
    startDownloads();
}

void ContentUpdateService::startDownloads()
{
    m_tempDir = VM24::make_temp_dir(DOWNLOAD_DIR_TEMPLATE);
    if (m_tempDir.isEmpty()) {
        finish(Failed);
        return;
    }
    m_downloader->setDownloadDirectory(m_tempDir);
    m_downloader->addUrl(m_interpreter->downloads());
    m_downloader->startDownload();
}

namespace {

const char* const DESCRIPTOR_NAME = "descriptor.txt";
const char* const GENERAL_PREFIX = "general-";
const char* const OWN_PREFIX = "own-";

} // namespace

// With the key, each descriptor is fetched as a file with its signed index
// and the index's signature; the content follows once they all check.
void ContentUpdateService::startSignedCheck()
{
    m_tempDir = VM24::make_temp_dir(DOWNLOAD_DIR_TEMPLATE);
    if (m_tempDir.isEmpty()) {
        finish(Failed);
        return;
    }
    m_signedPhase = SignedPhase::Descriptors;
    m_expected.clear();
    m_tooLong.clear();
    m_acceptedIndexes.clear();
    m_downloader->setDownloadDirectory(m_tempDir);
    const QString index = QLatin1String(DESCRIPTOR_NAME) + QLatin1String(SignedIndex::SUFFIX);
    const QString signature = index + QLatin1String(".sig");
    for (const auto& [prefix, dir] : {qMakePair(QString::fromLatin1(GENERAL_PREFIX), QStringLiteral("/contents/")),
                                      qMakePair(QString::fromLatin1(OWN_PREFIX), QStringLiteral("/contents/%1/").arg(m_serial))}) {
        for (const QString& name : {QString::fromLatin1(DESCRIPTOR_NAME), index, signature}) {
            QUrl url = m_serverUrl;
            url.setPath(dir + name);
            m_downloader->addUrl(url, prefix + name, m_descriptorSizeLimit);
        }
    }
    m_downloader->startDownload();
}

bool ContentUpdateService::openSignedDescriptor(const QString& prefix, const QString& servedPath,
                                                const QString& stream, SignedIndex* index, QByteArray* descriptor)
{
    const QDir dir(m_tempDir);
    const QString indexFile = dir.filePath(prefix + QLatin1String(DESCRIPTOR_NAME) + QLatin1String(SignedIndex::SUFFIX));
    if (!m_authenticator->openIndex(indexFile, stream, index, servedPath + QLatin1String(SignedIndex::SUFFIX)))
        return false;
    QFile file(dir.filePath(prefix + QLatin1String(DESCRIPTOR_NAME)));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    *descriptor = file.read(m_descriptorSizeLimit + 1);
    if (!m_authenticator->checkData(*index, QLatin1String(DESCRIPTOR_NAME), *descriptor))
        return false;
    m_acceptedIndexes.append({stream, *index});
    return true;
}

// The general descriptor must be there and signed; the machine's own one,
// when the server has one, too.
bool ContentUpdateService::acceptSignedDescriptors()
{
    const QDir dir(m_tempDir);
    if (!dir.exists(QLatin1String(GENERAL_PREFIX) + QLatin1String(DESCRIPTOR_NAME))) {
        qCWarning(updatesLog) << "Content descriptor download failed";
        return false;
    }
    SignedIndex general;
    SignedIndex own;
    QByteArray text;
    QByteArray ownText;
    if (!openSignedDescriptor(QLatin1String(GENERAL_PREFIX), QStringLiteral("contents/descriptor.txt"),
                              QStringLiteral("contents/descriptor.txt"), &general, &text))
        return false;
    const bool hasOwn = dir.exists(QLatin1String(OWN_PREFIX) + QLatin1String(DESCRIPTOR_NAME));
    if (hasOwn
        && !openSignedDescriptor(QLatin1String(OWN_PREFIX), QStringLiteral("contents/%1/descriptor.txt").arg(m_serial),
                                 QStringLiteral("contents/own/descriptor.txt"), &own, &ownText))
        return false;
    text += '\n' + ownText;
    QBuffer buffer(&text);
    buffer.open(QIODevice::ReadOnly);
    m_interpreter->parse(&buffer);
    VM24::clean_dir(m_tempDir);
    // Every file a descriptor names is listed by one of the two indexes.
    for (const auto& [url, local] : m_interpreter->downloads()) {
        const QString name = VM24::url_filename(url);
        const SignedIndex* index = general.lists(name) ? &general : (hasOwn && own.lists(name) ? &own : nullptr);
        if (!index) {
            m_authenticator->refuse(name, UpdateAuthenticator::reasonUnlisted());
            return false;
        }
        m_expected.insert(local, {name, index->entry(name)});
    }
    return true;
}

void ContentUpdateService::queueSignedDownloads()
{
    for (const auto& [url, local] : m_interpreter->downloads())
        m_downloader->addUrl(url, local, m_expected.value(local).entry.size);
    m_signedPhase = SignedPhase::Content;
    m_downloader->startDownload();
}

// Nothing is applied unless every file arrived whole and as signed.
bool ContentUpdateService::checkSignedDownloads()
{
    const QDir dir(m_tempDir);
    for (auto it = m_expected.cbegin(); it != m_expected.cend(); ++it) {
        if (m_tooLong.contains(it.key())) {
            m_authenticator->refuse(it->name, UpdateAuthenticator::reasonTooLong());
            return false;
        }
        if (!dir.exists(it.key())) {
            m_authenticator->refuse(it->name, UpdateAuthenticator::reasonNotDownloaded());
            return false;
        }
        if (!m_authenticator->checkEntry(it->name, it->entry, dir.filePath(it.key())))
            return false;
    }
    for (const auto& [stream, index] : m_acceptedIndexes)
        m_authenticator->recordApplied(stream, index);
    return true;
}

void ContentUpdateService::onDownloadFinished()
{
    if (m_state != Checking)
        return;
    if (m_signedPhase == SignedPhase::Descriptors) {
        if (!acceptSignedDescriptors()) {
            finish(Failed);
            return;
        }
        queueSignedDownloads();
        return;
    }
    if (m_signedPhase == SignedPhase::Content && !checkSignedDownloads()) {
        finish(Failed);
        return;
    }
    if (m_downloader->downloadedCount() == 0 && !m_interpreter->hasPendingActions()) {
        finish(NothingNew);
        return;
    }
    qCInfo(updatesLog) << "Content update ready:" << m_downloader->downloadedCount() << "files downloaded";
    setState(ContentsReady);
}

void ContentUpdateService::apply(UpdateProcessContext* context)
{
    if (m_state != ContentsReady || m_application.isRunning())
        return;
    qCInfo(updatesLog) << "Applying the content update";
    UpdateDescriptorInterpreter* interpreter = m_interpreter.get();
    const QString tempDir = m_tempDir;
    m_application = QtConcurrent::run([interpreter, context, tempDir] {
        QDir downloadDir(tempDir);
        interpreter->executeUpdateCommands(downloadDir, context);
    });
}

void ContentUpdateService::endApplying()
{
    if (m_state != ContentsReady)
        return;
    m_application.waitForFinished();
    qCInfo(updatesLog) << "Content update applied";
    finish(Applied);
}

void ContentUpdateService::setState(State state)
{
    if (m_state == state)
        return;
    m_state = state;
    emit stateChanged(int(state));
}

void ContentUpdateService::finish(Result result)
{
    m_signedPhase = SignedPhase::Off;
    if (!m_tempDir.isEmpty()) {
        VM24::rm_dir(m_tempDir);
        m_tempDir.clear();
    }
    setState(Idle);
    emit finished(int(result));
}
