#pragma once

#include <QDir>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPair>
#include <QProcess>
#include <QString>
#include <QTimer>
#include <QUrl>

// Downloads files one after another with wget into a directory. Each file
// arrives in the sub-directory ".temp-downloads" and is moved into the
// directory only when wget succeeded; a failed file is dropped.

class DownloadManager : public QObject
{
    Q_OBJECT

public:
    static const char* const TEMP_DIR_NAME; // ".temp-downloads"
    // The longest one file may take; a hanging server loses the file, not the run.
    static constexpr int DEFAULT_FILE_TIME_LIMIT_MS = 30 * 60 * 1000;
    // The largest file taken unless told otherwise.
    static constexpr qint64 DEFAULT_FILE_SIZE_LIMIT = qint64(256) * 1024 * 1024;
    // How often a growing file is measured against its limit and the free space.
    static constexpr int SIZE_CHECK_INTERVAL_MS = 50;

    explicit DownloadManager(QObject* parent = nullptr);
    ~DownloadManager() override;

    // False when the directory does not exist.
    bool setDownloadDirectory(const QString& path);
    QDir downloadDirectory() const { return m_directory; }

    // Only http and https URLs whose last path segment is a usable file name
    // are queued; the rest is ignored.
    void addUrl(const QUrl& url);
    void addUrl(const QUrl& url, const QString& fileName);
    // A file known to be maxBytes long: it is stopped as soon as it grows
    // beyond that (and beyond the general limit in any case).
    void addUrl(const QUrl& url, const QString& fileName, qint64 maxBytes);
    void addUrl(const QList<QUrl>& urls);
    // URLs with the names they are stored under.
    void addUrl(const QList<QPair<QUrl, QString>>& downloads);

    void startDownload();
    void cancelDownload();

    bool isDownloading() const { return m_process->state() != QProcess::NotRunning; }
    int queueSize() const { return m_queue.size(); }
    int downloadedCount() const { return m_downloadedCount; }
    void setFileTimeLimit(int ms) { m_fileTimeLimitMs = ms; }
    // A file that grows beyond this, or that would leave less than the disk
    // space reserve (DiskSpaceReserve) on the download directory's
    // partition, is stopped and dropped, and the reason logged.
    void setFileSizeLimit(qint64 bytes) { m_fileSizeLimit = bytes; }
    qint64 fileSizeLimit() const { return m_fileSizeLimit; }
    // The wget program; tests may hand in another.
    void setProgram(const QString& program) { m_program = program; }

signals:
    void fileDownloaded(const QString& fileName);
    void downloadFinished();
    // The file grew beyond its limit and was dropped.
    void fileTooLong(const QString& fileName);

private slots:
    void onProcessFinished(int exitCode, QProcess::ExitStatus status);

private:
    bool prepareTempDir();
    void processNext();
    void onTimeLimit();
    void checkGrowth();
    QString tempPath(const QString& fileName) const;
    void refuse(const QString& reason);
    QString sizeRefusal(qint64 limit) const;
    qint64 limitFor(const QString& fileName) const;
    static QString reserveRefusal();

    QProcess* m_process;
    QTimer m_timeLimit;
    QTimer m_sizeCheck;
    QList<QPair<QUrl, QString>> m_queue;
    QHash<QString, qint64> m_fileLimits;
    QDir m_directory;
    QString m_program = QStringLiteral("wget");
    int m_downloadedCount = 0;
    int m_fileTimeLimitMs = DEFAULT_FILE_TIME_LIMIT_MS;
    qint64 m_fileSizeLimit = DEFAULT_FILE_SIZE_LIMIT;
    bool m_timedOut = false;
    bool m_tooLong = false;
    QString m_refusal;
};
