#include "security/keyprogramming.h"

#include "core/vm24.h"
#include "security/securitykey.h"
#include "security/securitylog.h"
#include "security/usbmonitor.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

namespace VM24 {

namespace {

const int MAX_PRIVATE_KEY_SIZE = 16384;

QByteArray read_key(const QString& dir, const char* name)
{
    QByteArray key;
    if (!read_small_file(dir + QLatin1Char('/') + QLatin1String(name), MAX_PRIVATE_KEY_SIZE, &key))
        return QByteArray();
    return key;
}

// The stick's key directory, made afresh when a link stands in its place.
bool make_security_dir(const QString& dir)
{
    const QFileInfo info(dir);
    if (info.isSymLink())
        QFile::remove(dir);
    else if (info.isDir())
        return true;
    return QDir().mkdir(dir);
}

bool sign_with(const QString& manifest, const QByteArray& key)
{
    if (key.isEmpty())
        return false;
    // Private to this process (mode 0600) and removed when signed.
    QTemporaryFile keyFile;
    if (!keyFile.open() || keyFile.write(key) != key.size() || !keyFile.flush())
        return false;
    return sign_manifest(manifest, keyFile.fileName());
}

} // namespace

PrivateKeys load_private_keys(const UsbMonitor& usb, int level)
{
    PrivateKeys keys;
    const QString mount = usb.mountPath();
    if (mount.isEmpty())
        return keys;
    const QString dir = mount + QLatin1Char('/') + QLatin1String(SECURITY_DIR);
    keys.admin = read_key(dir, ADMIN_PRIVKEY_FILENAME);
    if (level > 2)
        keys.master = read_key(dir, MASTER_PRIVKEY_FILENAME);
    return keys;
}

bool program_security_key(const UsbMonitor& usb, int level, const PrivateKeys& keys)
{
    thread_sleep(1);
    const QString mount = usb.mountPath();
    if (mount.isEmpty())
        return false;
    const QString dir = mount + QLatin1Char('/') + QLatin1String(SECURITY_DIR);
    const QString manifest = dir + QLatin1Char('/') + QLatin1String(MANIFEST_FILENAME);
    const bool success = make_security_dir(dir) && write_manifest(manifest, usb.deviceName(), level)
        && sign_with(manifest, level < MASTER_KEY_LEVEL ? keys.admin : keys.master);
    if (success) {
        if (level >= MACHINE_INDEPENDENT_LEVEL && !keys.admin.isEmpty())
            replace_file(dir + QLatin1Char('/') + QLatin1String(ADMIN_PRIVKEY_FILENAME), keys.admin);
        if (level >= MASTER_KEY_LEVEL && !keys.master.isEmpty())
            replace_file(dir + QLatin1Char('/') + QLatin1String(MASTER_PRIVKEY_FILENAME), keys.master);
    }
    qCInfo(securityLog) << "programmed key of level" << level << (success ? "" : "failed");
    usb.umountUsb();
    return success;
}

} // namespace VM24
