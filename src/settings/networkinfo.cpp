#include "settings/networkinfo.h"

#include "core/childprocess.h"
#include "core/mailserver.h"
#include "settings/settings.h"
#include "settings/settingslog.h"

#include <QHostAddress>
#include <QNetworkInterface>
#include <QRegularExpression>
#include <QUrl>

namespace VM24 {

namespace {

const int COMMAND_TIMEOUT_MS = 20000;
const int MAX_GATEWAY_LENGTH = 31;

// Runs a program without a shell; its standard output, empty on failure.
QString output_of(const QString& program, const QStringList& arguments)
{
    QByteArray output;
    if (run_child_process(program, arguments, COMMAND_TIMEOUT_MS, &output) != 0)
        return QString();
    return QString::fromLocal8Bit(output);
}

// The second blank-separated field of the first line that starts with word.
QString field_after(const QString& text, const QString& word, int field)
{
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        const QStringList fields = line.split(QLatin1Char(' '));
        if (fields.value(0) == word)
            return fields.value(field).trimmed();
    }
    return QString();
}

// A target that could be read as an option of ping is never handed to it.
bool ping(const QString& target)
{
    if (target.isEmpty() || target.startsWith(QLatin1Char('-')))
        return false;
    return run_child_process(QStringLiteral("ping"), {QStringLiteral("-q"), QStringLiteral("-c4"), target},
                             COMMAND_TIMEOUT_MS)
        == 0;
}

// The host of a server given as "host", "host:port" or a URL.
QString host_of(const QString& server)
{
    const QString text = server.trimmed();
    if (text.contains(QLatin1String("://")))
        return QUrl(text).host();
    QUrl url;
    url.setAuthority(text);
    return url.isValid() ? url.host() : QString();
}

} // namespace

QPair<QString, int> get_if_address(const char* ifname)
{
    const QNetworkInterface interface = QNetworkInterface::interfaceFromName(QLatin1String(ifname));
    for (const QNetworkAddressEntry& entry : interface.addressEntries()) {
        if (entry.ip().protocol() == QAbstractSocket::IPv4Protocol)
            return {entry.ip().toString(), entry.prefixLength()};
    }
    return {QString(), 0};
}

int netmask_to_cidr(const QString& dotted)
{
    int bits = 0;
    for (const QString& part : dotted.split(QLatin1Char('.'), Qt::SkipEmptyParts)) {
        const int value = part.toInt() % 256;
        if (value == 0)
            continue;
        int lowest = 0;
        while (!(value & (1 << lowest)))
            ++lowest;
        bits += 8 - lowest;
    }
    return bits;
}

QString get_gateway()
{
    // The "default via <gateway> ..." line of the routing table.
    return field_after(output_of(QStringLiteral("ip"), {QStringLiteral("route")}), QStringLiteral("default"), 2)
        .left(MAX_GATEWAY_LENGTH);
}

QString get_dns_for_interface(const char* ifname)
{
    return field_after(output_of(QStringLiteral("resolvconf"), {QStringLiteral("-l"), QLatin1String(ifname)}),
                       QStringLiteral("nameserver"), 1);
}

QString get_if_mac_address(const char* ifname)
{
    const QNetworkInterface interface = QNetworkInterface::interfaceFromName(QLatin1String(ifname));
    if (!interface.isValid() || !interface.flags().testFlag(QNetworkInterface::IsUp))
        return QString();
    return interface.hardwareAddress().toLower();
}

NetworkTestTargets network_test_targets(const Settings& settings)
{
    NetworkTestTargets targets;
    targets.interface = settings.value(Settings::NetworkTestInterface).trimmed();
    if (targets.interface.isEmpty())
        targets.interface = Settings::defaultValue(Settings::NetworkTestInterface);
    targets.address = settings.value(Settings::NetworkTestAddress).trimmed();
    if (targets.address.isEmpty())
        targets.address = get_gateway();
    targets.host = settings.value(Settings::NetworkTestHost).trimmed();
    if (targets.host.isEmpty())
        targets.host = host_of(settings.value(Settings::UpdatesServerAddress).trimmed());
    if (targets.host.isEmpty())
        targets.host = host_of(mail_server());
    qCInfo(settingsLog) << "network test of" << targets.interface << "pings" << targets.address << "and"
                        << targets.host;
    return targets;
}

Connectivity test_connectivity(const QString& ifname, const QString& address, const QString& host)
{
    if (get_if_address(ifname.toLatin1().constData()).first.isEmpty())
        return Disconnected;
    if (!ping(address))
        return RoutingError;
    if (!ping(host))
        return DnsError;
    return Connected;
}

} // namespace VM24
