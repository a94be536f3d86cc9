#include "updates/downloadmanager.h"

#include "updates/diskspacereserve.h"
#include "updates/updatefiles.h"
#include "updates/updateslog.h"

#include <QFile>
#include <QFileInfo>

const char* const DownloadManager::TEMP_DIR_NAME = ".temp-downloads";

DownloadManager::DownloadManager(QObject* parent)
    : QObject(parent)
    , m_process(new QProcess(this))
{
    m_process->setStandardInputFile(QProcess::nullDevice());
    m_process->setStandardOutputFile(QProcess::nullDevice());
    m_process->setStandardErrorFile(QProcess::nullDevice());
    m_timeLimit.setSingleShot(true);
    connect(&m_timeLimit, &QTimer::timeout, this, &DownloadManager::onTimeLimit);
    m_sizeCheck.setInterval(SIZE_CHECK_INTERVAL_MS);
    connect(&m_sizeCheck, &QTimer::timeout, this, &DownloadManager::checkGrowth);
    // A wget that cannot start never finishes: its file counts as failed.
    connect(m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart && !m_queue.isEmpty())
            QMetaObject::invokeMethod(this, [this] { onProcessFinished(-1, QProcess::CrashExit); }, Qt::QueuedConnection);
    });
}

DownloadManager::~DownloadManager()
{
    cancelDownload();
}

bool DownloadManager::setDownloadDirectory(const QString& path)
{
    m_directory = QDir(path);
    return m_directory.exists();
}

void DownloadManager::addUrl(const QUrl& url)
{
    addUrl(url, VM24::url_filename(url));
}

void DownloadManager::addUrl(const QUrl& url, const QString& fileName)
{
    if (!VM24::is_downloadable_url(url) || !VM24::is_safe_file_name(fileName)) {
        qCWarning(updatesLog) << "Download refused:" << url.toString() << fileName;
        return;
    }
    m_queue.append({url, fileName});
}

void DownloadManager::addUrl(const QUrl& url, const QString& fileName, qint64 maxBytes)
{
    m_fileLimits.insert(fileName, maxBytes);
    addUrl(url, fileName);
}

qint64 DownloadManager::limitFor(const QString& fileName) const
{
    return qMin(m_fileSizeLimit, m_fileLimits.value(fileName, m_fileSizeLimit));
}

void DownloadManager::addUrl(const QList<QUrl>& urls)
{
    for (const QUrl& url : urls)
        addUrl(url);
}

void DownloadManager::addUrl(const QList<QPair<QUrl, QString>>& downloads)
{
    for (const auto& [url, fileName] : downloads)
        addUrl(url, fileName);
}

bool DownloadManager::prepareTempDir()
{
    const QString temp = m_directory.filePath(QLatin1String(TEMP_DIR_NAME));
    if (!m_directory.mkdir(QLatin1String(TEMP_DIR_NAME)) && !VM24::clean_dir(temp))
        return false;
    m_process->setWorkingDirectory(temp);
    return true;
}

void DownloadManager::startDownload()
{
    m_downloadedCount = 0;
    if (!prepareTempDir()) {
        qCWarning(updatesLog) << "No download directory:" << m_directory.absolutePath();
        m_queue.clear();
    }
    connect(m_process, &QProcess::finished, this, &DownloadManager::onProcessFinished, Qt::UniqueConnection);
    processNext();
}

void DownloadManager::processNext()
{
    if (m_queue.isEmpty()) {
        disconnect(m_process, &QProcess::finished, this, &DownloadManager::onProcessFinished);
        emit downloadFinished();
        return;
    }
    const auto& [url, fileName] = m_queue.first();
    m_timedOut = false;
    m_tooLong = false;
    m_refusal.clear();
    if (!DiskSpaceReserve::allows(m_directory.absolutePath(), 0)) {
        qCWarning(updatesLog).noquote() << "Download refused," << reserveRefusal() << "-" << url.toString();
        m_queue.removeFirst();
        QMetaObject::invokeMethod(this, &DownloadManager::processNext, Qt::QueuedConnection);
        return;
    }
    m_process->start(m_program, {QStringLiteral("-q"), QStringLiteral("--no-cookies"), QStringLiteral("--no-cache"),
                                 QStringLiteral("-t"), QStringLiteral("5"), QStringLiteral("--timeout"),
                                 QStringLiteral("60"), QStringLiteral("-O"), fileName, url.toString(QUrl::FullyEncoded)});
    m_timeLimit.start(m_fileTimeLimitMs);
    m_sizeCheck.start();
}

QString DownloadManager::tempPath(const QString& fileName) const
{
    return m_directory.filePath(QLatin1String(TEMP_DIR_NAME) + QLatin1Char('/') + fileName);
}

void DownloadManager::refuse(const QString& reason)
{
    if (!m_refusal.isEmpty())
        return;
    m_refusal = reason;
    m_process->kill();
}

// Stops a file as soon as it passes its limit or eats into the reserve;
// what it wrote until then is all it costs.
void DownloadManager::checkGrowth()
{
    if (m_queue.isEmpty() || m_process->state() == QProcess::NotRunning)
        return;
    const QString& fileName = m_queue.first().second;
    const qint64 limit = limitFor(fileName);
    if (QFileInfo(tempPath(fileName)).size() > limit) {
        m_tooLong = true;
        refuse(sizeRefusal(limit));
    }
    else if (!DiskSpaceReserve::allows(m_directory.absolutePath(), 0))
        refuse(reserveRefusal());
}

QString DownloadManager::sizeRefusal(qint64 limit) const
{
    return QStringLiteral("larger than the limit of %1 bytes").arg(limit);
}

QString DownloadManager::reserveRefusal()
{
    return QStringLiteral("it would leave less than %1 bytes free").arg(DiskSpaceReserve::reserveBytes());
}

void DownloadManager::onTimeLimit()
{
    qCWarning(updatesLog) << "Download ran out of time:" << m_queue.value(0).first.toString();
    m_timedOut = true;
    m_process->kill();
}

void DownloadManager::onProcessFinished(int exitCode, QProcess::ExitStatus status)
{
    m_timeLimit.stop();
    m_sizeCheck.stop();
    if (m_queue.isEmpty())
        return;
    const auto [url, fileName] = m_queue.takeFirst();
    const QString temp = QLatin1String(TEMP_DIR_NAME) + QLatin1Char('/') + fileName;
    const qint64 limit = limitFor(fileName);
    m_fileLimits.remove(fileName);
    if (m_refusal.isEmpty() && QFileInfo(m_directory.filePath(temp)).size() > limit) {
        m_tooLong = true;
        m_refusal = sizeRefusal(limit);
    }
    else if (m_refusal.isEmpty() && !DiskSpaceReserve::allows(m_directory.absolutePath(), 0))
        m_refusal = reserveRefusal();
    if (!m_refusal.isEmpty())
        qCWarning(updatesLog).noquote() << "Download refused," << m_refusal << "-" << url.toString();
    if (m_tooLong)
        emit fileTooLong(fileName);
    if (exitCode != 0 || status != QProcess::NormalExit || m_timedOut || !m_refusal.isEmpty()) {
        m_directory.remove(temp);
    } else {
        m_directory.remove(fileName);
        if (m_directory.rename(temp, fileName)) {
            ++m_downloadedCount;
            emit fileDownloaded(fileName);
        }
    }
    processNext();
}

void DownloadManager::cancelDownload()
{
    m_timeLimit.stop();
    m_sizeCheck.stop();
    disconnect(m_process, &QProcess::finished, this, &DownloadManager::onProcessFinished);
    if (m_process->state() != QProcess::NotRunning) {
        m_process->kill();
        m_process->waitForFinished(3000);
    }
    m_queue.clear();
    m_fileLimits.clear();
}
