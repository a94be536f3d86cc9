#pragma once

#include <QMutex>
#include <QObject>
#include <QString>

#include <atomic>

class QFileSystemWatcher;

// Watches the mount directory for a USB stick ("usbdrive-sd*" entries that
// are readable and writable) and authenticates a present stick as a
// security key. State is written on the GUI thread; the workers that
// authenticate, unmount or program keys read it while the GUI waits.
class UsbMonitor : public QObject
{
    Q_OBJECT

public:
    static const char* const ENTRY_PATTERN;    // "usbdrive-sd*"
    static const char* const DATA_FOLDER;      // "VM24"

    // watchedDir: VM24::media_dir() unless told otherwise.
    explicit UsbMonitor(QObject* parent = nullptr);
    UsbMonitor(const QString& watchedDir, QObject* parent);

    bool isUsbInserted() const { return m_usbInserted; }
    QString mountPath() const;
    QString deviceName() const;
    QString dataRoot() const;
    // -1 until a present stick has been authenticated.
    int userLevel() const { return m_userLevel; }
    QString watchedDir() const { return m_watchedDir; }

    // Level of the present stick (1 for any stick that is not a valid key
    // of a higher level), stored as userLevel. Runs on a worker thread.
    int authenticateUsb();
    // Unmounts the stick through SystemActions and waits a second; true
    // when the unmount succeeded.
    bool umountUsb() const;
    bool makeApplicationDataRoot() const;
    QString relativePath(const QString& path) const;

    // How long blkid may take to answer.
    void setUuidTimeout(int ms) { m_uuidTimeoutMs = ms; }
    // How long authentication first lets a freshly mounted stick settle.
    void setSettleTime(int ms) { m_settleMs = ms; }

signals:
    void usbStick(bool present);

public slots:
    void onDirectoryChanged(const QString& path = QString());

private:
    void setUsbInserted(bool inserted);
    int levelOf(const QString& mountPath, const QString& device) const;

    QFileSystemWatcher* m_watcher;
    QString m_watchedDir;
    mutable QMutex m_mutex;
    QString m_mountPath;
    QString m_deviceName;
    QString m_dataRoot;
    std::atomic<int> m_userLevel{-1};
    std::atomic<bool> m_usbInserted{false};
    int m_uuidTimeoutMs;
    int m_settleMs = 1000;
};
