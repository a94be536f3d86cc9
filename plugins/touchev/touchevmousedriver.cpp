#include "touchevmousedriver.h"

#include "touchevmousehandler.h"

TouchevMouseDriver::TouchevMouseDriver(QObject* parent)
    : QGenericPlugin(parent)
{
}

QStringList TouchevMouseDriver::keys()
{
    return {QStringLiteral("touchev")};
}

QObject* TouchevMouseDriver::create(const QString& key, const QString& deviceString)
{
    if (key.toLower() != QLatin1StringView("touchev"))
        return nullptr;
    return TouchevMouseHandler::create(key, deviceString);
}
