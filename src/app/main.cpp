#include "app/defaults.h"
#include "app/vm24.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QLatin1String(VM24::APPLICATION_NAME));
    QCoreApplication::setApplicationVersion(QLatin1String(VM24::APPLICATION_VERSION));
    QCoreApplication::setOrganizationName(QLatin1String(VM24::ORGANIZATION_NAME));
    QCoreApplication::setOrganizationDomain(QLatin1String(VM24::ORGANIZATION_DOMAIN));
    VM24::configure_settings_location();
    return 0;
}
