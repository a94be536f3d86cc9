#include "core/mailserver.h"

namespace VM24 {

namespace {

QString environment_or(const char* name, const char* fallback)
{
    const QString value = qEnvironmentVariable(name);
    return value.isEmpty() ? QLatin1String(fallback) : value;
}

} // namespace

QString mail_from()
{
    return environment_or("VM24_MAIL_FROM", MAIL_FROM);
}

QString mail_server()
{
    return environment_or("VM24_MAIL_SERVER", MAIL_SERVER);
}

} // namespace VM24
