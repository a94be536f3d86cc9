#include "security/usbmonitor.h"

#include "core/systemactions.h"
#include "core/vm24.h"
#include "security/securitykey.h"
#include "security/securitylog.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QMutexLocker>
#include <QTemporaryDir>

const char* const UsbMonitor::ENTRY_PATTERN = "usbdrive-sd*";
const char* const UsbMonitor::DATA_FOLDER = "VM24";

namespace {

bool is_inside(const QString& path, const QString& dir)
{
    const QString canonicalPath = QFileInfo(path).canonicalFilePath();
    const QString canonicalDir = QFileInfo(dir).canonicalFilePath();
    return !canonicalPath.isEmpty() && !canonicalDir.isEmpty()
        && canonicalPath.startsWith(canonicalDir + QLatin1Char('/'));
}

// The manifest and its signature are copied off the stick once, so that
// what is checked and what is verified are the same bytes.
bool copy_key_files(const QString& securityDir, const QString& mountPath, const QString& target)
{
    const QString manifest = securityDir + QLatin1Char('/') + QLatin1String(VM24::MANIFEST_FILENAME);
    const QString signature = manifest + QLatin1String(VM24::SIGNATURE_SUFFIX);
    if (!is_inside(manifest, mountPath) || !is_inside(signature, mountPath))
        return false;
    QByteArray manifestText;
    QByteArray signatureBytes;
    if (!VM24::read_small_file(manifest, VM24::MAX_MANIFEST_SIZE, &manifestText)
        || !VM24::read_small_file(signature, VM24::MAX_SIGNATURE_SIZE, &signatureBytes))
        return false;
    const QString copy = target + QLatin1Char('/') + QLatin1String(VM24::MANIFEST_FILENAME);
    return VM24::replace_file(copy, manifestText)
        && VM24::replace_file(copy + QLatin1String(VM24::SIGNATURE_SUFFIX), signatureBytes);
}

} // namespace

UsbMonitor::UsbMonitor(QObject* parent)
    : UsbMonitor(VM24::media_dir(), parent)
{
}

UsbMonitor::UsbMonitor(const QString& watchedDir, QObject* parent)
    : QObject(parent)
    , m_watcher(new QFileSystemWatcher(this))
    , m_watchedDir(watchedDir)
    , m_uuidTimeoutMs(VM24::BLKID_TIMEOUT_MS)
{
    if (!m_watcher->addPath(m_watchedDir))
        qCWarning(securityLog) << "cannot watch" << m_watchedDir;
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, this, &UsbMonitor::onDirectoryChanged);
}

QString UsbMonitor::mountPath() const
{
    QMutexLocker locker(&m_mutex);
    return m_mountPath;
}

QString UsbMonitor::deviceName() const
{
    QMutexLocker locker(&m_mutex);
    return m_deviceName;
}

QString UsbMonitor::dataRoot() const
{
    QMutexLocker locker(&m_mutex);
    return m_dataRoot;
}

quint64 UsbMonitor::insertion() const
{
    QMutexLocker locker(&m_mutex);
    return m_insertion;
}

QString UsbMonitor::resolvedDataRoot() const
{
    QString mount;
    QString root;
    {
        QMutexLocker locker(&m_mutex);
        mount = m_mountPath;
        root = m_dataRoot;
    }
    if (mount.isEmpty() || !QFileInfo(root).isDir())
        return QString();
    if (!is_inside(root, mount)) {
        qCWarning(securityLog) << root << "leads off the stick; not used";
        return QString();
    }
    return QFileInfo(root).canonicalFilePath();
}

void UsbMonitor::onDirectoryChanged(const QString&)
{
    const QDir media(m_watchedDir);
    const QStringList entries = media.entryList({QLatin1String(ENTRY_PATTERN)},
                                                QDir::Dirs | QDir::NoSymLinks | QDir::Readable | QDir::Writable,
                                                QDir::Name);
    const QString chosen = QFileInfo(mountPath()).fileName();
    if (!chosen.isEmpty() && entries.contains(chosen))
        return;
    if (!chosen.isEmpty()) {
        choose(QString());
        setUsbInserted(false);
    }
    if (!entries.isEmpty()) {
        choose(entries.first());
        setUsbInserted(true);
    }
}

void UsbMonitor::choose(const QString& entry)
{
    QMutexLocker locker(&m_mutex);
    ++m_insertion;
    m_userLevel = -1;
    if (entry.isEmpty()) {
        m_mountPath.clear();
        m_dataRoot.clear();
        m_deviceName.clear();
        return;
    }
    m_mountPath = QStringLiteral("%1/%2").arg(m_watchedDir, entry);
    m_dataRoot = m_mountPath + QLatin1Char('/') + QLatin1String(DATA_FOLDER);
    m_deviceName = m_mountPath.mid(m_mountPath.lastIndexOf(QLatin1Char('-')) + 1);
}

void UsbMonitor::setUsbInserted(bool inserted)
{
    if (inserted == m_usbInserted)
        return;
    m_usbInserted = inserted;
    qCInfo(securityLog) << "USB stick" << (inserted ? "inserted" : "removed");
    emit usbStick(inserted);
}

int UsbMonitor::authenticateUsb()
{
    VM24::thread_msleep(m_settleMs);
    QString mount;
    QString device;
    quint64 insertion = 0;
    {
        QMutexLocker locker(&m_mutex);
        mount = m_mountPath;
        device = m_deviceName;
        insertion = m_insertion;
    }
    const int level = mount.isEmpty() ? -1 : levelOf(mount, device);
    QMutexLocker locker(&m_mutex);
    // The watcher may not have told of a stick pulled meanwhile: its
    // directory is gone all the same.
    if (insertion != m_insertion || !QFileInfo(mount).isDir()) {
        qCInfo(securityLog) << "USB stick changed while it was authenticated";
        return -1;
    }
    m_userLevel = level;
    qCInfo(securityLog) << "USB key level" << level;
    return level;
}

int UsbMonitor::levelOf(const QString& mountPath, const QString& device) const
{
    QTemporaryDir copy;
    const QString securityDir = mountPath + QLatin1Char('/') + QLatin1String(VM24::SECURITY_DIR);
    if (!copy.isValid() || !copy_key_files(securityDir, mountPath, copy.path()))
        return 1;
    const QString manifest = copy.filePath(QLatin1String(VM24::MANIFEST_FILENAME));
    const int level = VM24::check_manifest(manifest, device, m_uuidTimeoutMs);
    if (level > 0 && VM24::verify_manifest_signature(manifest, level))
        return level;
    return 1;
}

bool UsbMonitor::umountUsb() const
{
    const QString mount = mountPath();
    if (mount.isEmpty())
        return false;
    const bool unmounted = SystemActions::run(QStringLiteral("umount"), {mount}) == 0;
    VM24::thread_sleep(1);
    return unmounted;
}

bool UsbMonitor::makeApplicationDataRoot() const
{
    const QString mount = mountPath();
    if (!m_usbInserted || mount.isEmpty() || !QFileInfo(mount).isDir())
        return false;
    return QDir(mount).mkdir(QLatin1String(DATA_FOLDER));
}

QString UsbMonitor::relativePath(const QString& path) const
{
    const QString mount = mountPath();
    if (mount.isEmpty())
        return QString();
    return QDir(mount).relativeFilePath(path);
}
