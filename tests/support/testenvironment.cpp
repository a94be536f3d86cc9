#include "testenvironment.h"

#include "core/vm24.h"
#include "settings/settings.h"

#include <QDir>

namespace {

struct ProcessGuard
{
    QTemporaryDir appDir{QDir::tempPath() + QStringLiteral("/vm24-test-XXXXXX")};

    ProcessGuard()
    {
        if (qEnvironmentVariableIsEmpty("VM24_SYSTEM_ACTIONS_RECORD"))
            qputenv("VM24_SYSTEM_ACTIONS_RECORD", appDir.filePath(QStringLiteral("system-actions.log")).toLocal8Bit());
        if (qEnvironmentVariableIsEmpty("VM24_APP_DIR"))
            qputenv("VM24_APP_DIR", appDir.path().toLocal8Bit());
        if (qEnvironmentVariableIsEmpty("VM24_DEVICE_INFO_FILE"))
            qputenv("VM24_DEVICE_INFO_FILE", appDir.filePath(QStringLiteral("device-info.xml")).toLocal8Bit());
        if (qEnvironmentVariableIsEmpty("VM24_SERIAL_DEVICE"))
            qputenv("VM24_SERIAL_DEVICE", "/nonexistent/vm24-test-serial");
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
    }
};

ProcessGuard& guard()
{
    static ProcessGuard instance;
    return instance;
}

// Runs before main(): the object library is linked whole into every test.
const bool guardInstalled = (guard(), true);

} // namespace

namespace TestEnvironment {

QString applicationDir()
{
    return guard().appDir.path();
}

QString sourcePath(const QString& relative)
{
    return QStringLiteral(VM24_SOURCE_DIR "/") + relative;
}

int readSerial()
{
    return Settings().value(Settings::Serial);
}

void writeSerial(int serial)
{
    Settings settings;
    settings.setValue(Settings::Serial, serial);
    settings.sync();
}

ScopedAppDir::ScopedAppDir()
    : m_dir(QDir::tempPath() + QStringLiteral("/vm24-case-XXXXXX"))
    , m_previous(qgetenv("VM24_APP_DIR"))
{
    qputenv("VM24_APP_DIR", m_dir.path().toLocal8Bit());
    Settings::configureLocation();
}

ScopedAppDir::~ScopedAppDir()
{
    qputenv("VM24_APP_DIR", m_previous);
    Settings::configureLocation();
}

} // namespace TestEnvironment
