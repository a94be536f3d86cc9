#pragma once

#include <QString>

// The address forms the network settings take. A static network profile is
// a script run as root, so these are the only texts that ever reach it.
namespace VM24 {

// Four dot-separated parts of one to three digits, none above 255.
bool is_ipv4_address(const QString& text);
// The prefix length of a netmask written as a prefix ("0" to "32") or as a
// dotted mask of contiguous ones ("255.255.240.0" is 20); -1 for anything else.
int netmask_prefix_length(const QString& text);

} // namespace VM24
