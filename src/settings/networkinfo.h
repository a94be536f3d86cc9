#pragma once

#include <QPair>
#include <QString>

class Settings;

// The live state of a network interface and the connectivity test of the
// settings page.
namespace VM24 {

// Address text and prefix length of the interface's first IPv4 address;
// empty and 0 when it has none.
QPair<QString, int> get_if_address(const char* ifname);
// Prefix length of a dotted netmask: 255.255.255.0 is 24.
int netmask_to_cidr(const QString& dotted);
// The default gateway ("ip route"), at most 31 characters.
QString get_gateway();
// The first name server of the interface ("resolvconf -l").
QString get_dns_for_interface(const char* ifname);
// "xx:xx:xx:xx:xx:xx" while the interface is up; empty otherwise.
QString get_if_mac_address(const char* ifname);

enum Connectivity { Disconnected = 0, RoutingError = 1, DnsError = 2, Connected = 3 };

// What the network test looks at: the interface, an address outside the
// machine and a host name to resolve.
struct NetworkTestTargets
{
    QString interface;
    QString address;
    QString host;
};

// The targets the machine's own configuration names, unless the settings
// name others ("NetworkTest/interface", "NetworkTest/address",
// "NetworkTest/host"): eth0; the default gateway; the host of the updates
// server, or of the mail server when no updates server is set. Runs "ip".
NetworkTestTargets network_test_targets(const Settings& settings);

// Pings an address, then a host name, four times each: Disconnected when
// the interface has no IPv4 address, RoutingError when the address does not
// answer (or there is none), DnsError when the name does not, Connected
// otherwise.
Connectivity test_connectivity(const QString& ifname, const QString& address, const QString& host);

} // namespace VM24
