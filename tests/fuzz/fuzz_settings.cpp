// The settings import on any bytes, as an update directory or a USB stick
// could bring them; the first byte picks the user level of the key.
#include "core/vm24.h"
#include "settings/settings.h"
#include "settings/settingsmanager.h"
#include "testenvironment.h"

#include <QCoreApplication>
#include <QFile>
#include <QSettings>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_settings";
    static char* argv[] = {name, nullptr};
    static QCoreApplication application(argc, argv);
    static const bool located = (Settings::configureLocation(), true);
    (void)located;
    if (size < 1)
        return 0;

    const QString path = TestEnvironment::applicationDir() + QStringLiteral("/import.ini");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    file.write(reinterpret_cast<const char*>(data + 1), qint64(size - 1));
    file.close();

    QSettings().clear();
    QSettings().setValue(QStringLiteral("advanced/serial"), 7);
    const int userLevel = data[0] % 5;
    SettingsManager::mergeImportFile(path, userLevel);
    // Below level 3 the serial number cannot be changed by an import.
    if (userLevel <= 2 && QSettings().value(QStringLiteral("advanced/serial")).toInt() != 7)
        std::abort();
    return 0;
}
