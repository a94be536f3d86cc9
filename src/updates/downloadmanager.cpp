#include "updates/downloadmanager.h"

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

void DownloadManager::addUrl(const QList<QUrl>& urls)
{
    for (const QUrl& url : urls)
        addUrl(url);
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
    m_process->start(m_program, {QStringLiteral("-q"), QStringLiteral("--no-cookies"), QStringLiteral("--no-cache"),
                                 QStringLiteral("-t"), QStringLiteral("5"), QStringLiteral("--timeout"),
                                 QStringLiteral("60"), QStringLiteral("-O"), fileName, url.toString(QUrl::FullyEncoded)});
    m_timeLimit.start(m_fileTimeLimitMs);
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
    if (m_queue.isEmpty())
        return;
    const QString fileName = m_queue.takeFirst().second;
    const QString temp = QLatin1String(TEMP_DIR_NAME) + QLatin1Char('/') + fileName;
    if (exitCode != 0 || status != QProcess::NormalExit || m_timedOut) {
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
    disconnect(m_process, &QProcess::finished, this, &DownloadManager::onProcessFinished);
    if (m_process->state() != QProcess::NotRunning) {
        m_process->kill();
        m_process->waitForFinished(3000);
    }
    m_queue.clear();
}
