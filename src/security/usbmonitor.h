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
//
// A level belongs to one insertion of one stick. The stick chosen stays
// chosen while its entry is there (a second stick plugged in beside it is
// not looked at); every change of the chosen stick, a removal included,
// starts a new insertion at level -1, and an authentication that began
// under an earlier insertion stores nothing.
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
    // -1 until the present insertion has been authenticated.
    int userLevel() const { return m_userLevel; }
    // Counts the changes of the chosen stick.
    quint64 insertion() const;
    // The stick's VM24 folder with links resolved; empty when it is missing
    // or leads off the stick.
    QString resolvedDataRoot() const;
    QString watchedDir() const { return m_watchedDir; }

    // Level of the present stick (1 for any stick that is not a valid key
    // of a higher level), stored as userLevel. -1, and nothing stored, when
    // the stick changed or went while it was read. Runs on a worker thread.
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
    // Also emitted, false then true, when one stick takes another's place.
    void usbStick(bool present);

public slots:
    void onDirectoryChanged(const QString& path = QString());

private:
    void choose(const QString& entry);
    void setUsbInserted(bool inserted);
    int levelOf(const QString& mountPath, const QString& device) const;

    QFileSystemWatcher* m_watcher;
    QString m_watchedDir;
    mutable QMutex m_mutex;
    QString m_mountPath;
    QString m_deviceName;
    QString m_dataRoot;
    quint64 m_insertion = 0;
    std::atomic<int> m_userLevel{-1};
    std::atomic<bool> m_usbInserted{false};
    int m_uuidTimeoutMs;
    int m_settleMs = 1000;
};
