#pragma once

#include <QByteArray>

class UsbMonitor;

namespace VM24 {

// The private keys carried by an operator's key.
struct PrivateKeys
{
    QByteArray admin;
    QByteArray master;
};

// Reads "vm24.pem" from the present stick and, above level 2, also
// "vm24-master.pem"; a missing or unreadable file gives an empty key.
PrivateKeys load_private_keys(const UsbMonitor& usb, int level);

// Makes the present (blank) stick a key of the level: writes and signs its
// manifest, copies the private keys it may carry and unmounts it. The admin
// key goes only onto keys of level 2 and more: a level-1 key grants nothing,
// and with the admin key its holder could sign a level-2 manifest. True when
// the manifest was written and signed. Runs on a worker thread.
bool program_security_key(const UsbMonitor& usb, int level, const PrivateKeys& keys);

} // namespace VM24
