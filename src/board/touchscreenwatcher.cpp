#include "board/touchscreenwatcher.h"

#include "core/vm24.h"

#include <QFileInfo>
#include <QCursor>
#include <QGenericPluginFactory>
#include <QGuiApplication>

namespace {

void hide_cursor()
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return;
    if (QGuiApplication::overrideCursor())
        QGuiApplication::changeOverrideCursor(QCursor(Qt::BlankCursor));
    else
        QGuiApplication::setOverrideCursor(QCursor(Qt::BlankCursor));
}

} // namespace

TouchscreenWatcher::TouchscreenWatcher(const QString& devicePath, QObject* parent)
    : QObject(parent)
    , m_devicePath(devicePath)
    , m_options(qEnvironmentVariable("VM24_TOUCHEV_OPTIONS", QString::fromLatin1(DEFAULT_OPTIONS)))
    , m_resetEnabled(VM24::get_env_bool("VM24_ENABLE_MOUSE_HANDLER_RESET", false))
    , m_connected(deviceExists())
{
    m_resetTimer.setInterval(RESET_INTERVAL_MS);
    connect(&m_resetTimer, &QTimer::timeout, this, &TouchscreenWatcher::reopenPointerDevice);
    if (m_connected) {
        reopenPointerDevice();
        if (m_resetEnabled)
            m_resetTimer.start();
    }
    m_watcher.addPath(QFileInfo(m_devicePath).absolutePath());
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &TouchscreenWatcher::onDirectoryChanged);
}

TouchscreenWatcher::~TouchscreenWatcher()
{
    closePointerDevice();
}

QString TouchscreenWatcher::pointerDeviceString() const
{
    return m_options.isEmpty() ? m_devicePath : m_devicePath + QLatin1Char(':') + m_options;
}

bool TouchscreenWatcher::deviceExists() const
{
    return QFileInfo::exists(m_devicePath);
}

void TouchscreenWatcher::onDirectoryChanged()
{
    const bool connected = deviceExists();
    if (connected == m_connected) {
        // The node may have appeared before it could be opened.
        if (connected && !m_pointerDevice)
            reopenPointerDevice();
        return;
    }
    m_connected = connected;
    if (connected) {
        if (m_resetEnabled)
            m_resetTimer.start();
        reopenPointerDevice();
    } else {
        if (m_resetEnabled)
            m_resetTimer.stop();
        closePointerDevice();
    }
    emit touchscreenConnectedChanged(connected);
}

void TouchscreenWatcher::reopenPointerDevice()
{
    closePointerDevice();
    m_pointerDevice = QGenericPluginFactory::create(QString::fromLatin1(PLUGIN_KEY), pointerDeviceString());
    if (m_pointerDevice)
        m_pointerDevice->setParent(this);
    hide_cursor();
}

void TouchscreenWatcher::closePointerDevice()
{
    delete m_pointerDevice;
    m_pointerDevice = nullptr;
}
