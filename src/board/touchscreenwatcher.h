#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

// Watches the touchscreen's device node and owns the pointer handler that
// reads it (the "touchev" input plug-in). A handler dies with its node, so it
// is created again whenever the node appears and deleted when it vanishes;
// with VM24_ENABLE_MOUSE_HANDLER_RESET set it is also re-created every two
// minutes while connected, which recovers a touchscreen that stopped
// reporting without going away.
//
// The handler is created with "<device>:<options>", the options taken from
// VM24_TOUCHEV_OPTIONS (default "rot=270"). Do not name touchev in -plugin or
// QT_QPA_GENERIC_PLUGINS as well: two handlers would report every touch twice.
class TouchscreenWatcher : public QObject
{
    Q_OBJECT
public:
    static constexpr const char* DEFAULT_DEVICE = "/dev/vm60_touchscreen";
    static constexpr const char* PLUGIN_KEY = "touchev";
    static constexpr const char* DEFAULT_OPTIONS = "rot=270";
    static const int RESET_INTERVAL_MS = 120000;

    explicit TouchscreenWatcher(const QString& devicePath = QString::fromLatin1(DEFAULT_DEVICE),
                                QObject* parent = nullptr);
    ~TouchscreenWatcher() override;

    bool isConnected() const { return m_connected; }
    bool isResetEnabled() const { return m_resetEnabled; }
    QString devicePath() const { return m_devicePath; }
    // The string handed to the plug-in: device path and options.
    QString pointerDeviceString() const;
    // The handler reading the touchscreen now; null while disconnected or
    // when the plug-in could not open the device.
    QObject* pointerDevice() const { return m_pointerDevice; }

    void setResetInterval(int ms) { m_resetTimer.setInterval(ms); }
    int resetInterval() const { return m_resetTimer.interval(); }
    bool isResetTimerActive() const { return m_resetTimer.isActive(); }

signals:
    void touchscreenConnectedChanged(bool connected);

private slots:
    void onDirectoryChanged();
    void reopenPointerDevice();

private:
    void closePointerDevice();
    bool deviceExists() const;

    QString m_devicePath;
    QString m_options;
    QFileSystemWatcher m_watcher;
    QTimer m_resetTimer;
    QObject* m_pointerDevice = nullptr;
    bool m_resetEnabled = false;
    bool m_connected = false;
};
