#include "usbkeyrig.h"

#include "toolrun.h"

#include <QDir>
#include <QFile>

const char* const UsbKeyRig::MAC = "02:24:0b:00:17:42";

namespace {

const char* const SCRIPTS[] = {"sign_manifest.sh", "verify_manifest.sh"};

} // namespace

UsbKeyRig::UsbKeyRig(const QString& appDir)
    : m_dir(QDir::tempPath() + QStringLiteral("/vm24-usb-XXXXXX"))
    , m_appDir(appDir)
    , m_previousMedia(qgetenv("VM24_MEDIA_DIR"))
    , m_previousDev(qgetenv("VM24_DEV_DIR"))
    , m_previousAddress(qgetenv("VM24_NET_ADDRESS_FILE"))
{
    QDir root(m_dir.path());
    root.mkdir(QStringLiteral("media"));
    root.mkdir(QStringLiteral("dev"));
    root.mkdir(QStringLiteral("keys"));
    qputenv("VM24_MEDIA_DIR", mediaDir().toLocal8Bit());
    qputenv("VM24_DEV_DIR", devDir().toLocal8Bit());
    const QString address = root.filePath(QStringLiteral("address"));
    qputenv("VM24_NET_ADDRESS_FILE", address.toLocal8Bit());
    QFile addressFile(address);
    if (!addressFile.open(QIODevice::WriteOnly) || addressFile.write(QByteArray(MAC) + '\n') < 0) {
        fail(QStringLiteral("cannot write the address file"));
        return;
    }
    for (const char* script : SCRIPTS) {
        const QString target = QDir(m_appDir).filePath(QLatin1String(script));
        QFile::remove(target);
        if (!QFile::copy(QStringLiteral(VM24_SOURCE_DIR "/scripts/") + QLatin1String(script), target)) {
            fail(QStringLiteral("cannot install ") + QLatin1String(script));
            return;
        }
    }
    m_valid = make_ed25519_key_pair(adminPrivateKey(), QDir(m_appDir).filePath(QStringLiteral("vm24-public.pem")), &m_error)
        && make_ed25519_key_pair(masterPrivateKey(), QDir(m_appDir).filePath(QStringLiteral("vm24-master-public.pem")),
                                 &m_error)
        && make_ed25519_key_pair(foreignPrivateKey(), root.filePath(QStringLiteral("keys/foreign-public.pem")), &m_error);
}

UsbKeyRig::~UsbKeyRig()
{
    qputenv("VM24_MEDIA_DIR", m_previousMedia);
    qputenv("VM24_DEV_DIR", m_previousDev);
    qputenv("VM24_NET_ADDRESS_FILE", m_previousAddress);
}

bool UsbKeyRig::fail(const QString& message)
{
    m_valid = false;
    m_error = message;
    return false;
}

QString UsbKeyRig::mediaDir() const
{
    return m_dir.filePath(QStringLiteral("media"));
}

QString UsbKeyRig::devDir() const
{
    return m_dir.filePath(QStringLiteral("dev"));
}

QString UsbKeyRig::adminPrivateKey() const
{
    return m_dir.filePath(QStringLiteral("keys/admin.pem"));
}

QString UsbKeyRig::masterPrivateKey() const
{
    return m_dir.filePath(QStringLiteral("keys/master.pem"));
}

QString UsbKeyRig::foreignPrivateKey() const
{
    return m_dir.filePath(QStringLiteral("keys/foreign.pem"));
}

QString UsbKeyRig::makeStick(const QString& device, const QString& volumeId, bool insert)
{
    const QString image = QDir(devDir()).filePath(device);
    QFile::remove(image);
    if (run(QStringLiteral("mkfs.vfat"), {QStringLiteral("-C"), QStringLiteral("-i"), volumeId, image,
                                          QStringLiteral("1024")})
        != 0) {
        fail(QStringLiteral("mkfs.vfat failed"));
        return QString();
    }
    if (insert)
        insertStick(device);
    return stickPath(device);
}

void UsbKeyRig::insertStick(const QString& device)
{
    QDir().mkpath(stickPath(device));
}

bool UsbKeyRig::removeStick(const QString& device)
{
    return QDir(stickPath(device)).removeRecursively();
}

QString UsbKeyRig::stickPath(const QString& device) const
{
    return QDir(mediaDir()).filePath(QStringLiteral("usbdrive-") + device);
}

QString UsbKeyRig::securityDir(const QString& device) const
{
    return stickPath(device) + QStringLiteral("/.vm24-security");
}

bool UsbKeyRig::writeManifest(const QString& device, const QByteArray& text)
{
    QDir().mkpath(securityDir(device));
    QFile file(securityDir(device) + QStringLiteral("/manifest.txt"));
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text) == text.size();
}

bool UsbKeyRig::signManifest(const QString& device, const QString& privateKey)
{
    const QString manifest = securityDir(device) + QStringLiteral("/manifest.txt");
    return run(QStringLiteral("openssl"), {QStringLiteral("pkeyutl"), QStringLiteral("-sign"),
                                           QStringLiteral("-rawin"), QStringLiteral("-inkey"), privateKey,
                                           QStringLiteral("-in"), manifest, QStringLiteral("-out"),
                                           manifest + QStringLiteral(".sig")})
        == 0;
}

QByteArray UsbKeyRig::manifestText(const QString& volumeId, int level, const QByteArray& mac) const
{
    return "UUID=" + uuidOf(volumeId).toLatin1() + "\nmac=" + mac + "\nlevel=" + QByteArray::number(level) + "\n";
}

bool UsbKeyRig::makeKey(const QString& device, const QString& volumeId, int level)
{
    return writeManifest(device, manifestText(volumeId, level))
        && signManifest(device, level >= 3 ? masterPrivateKey() : adminPrivateKey());
}

QString UsbKeyRig::uuidOf(const QString& volumeId)
{
    const QString id = volumeId.toUpper();
    return id.left(4) + QLatin1Char('-') + id.mid(4);
}

int UsbKeyRig::run(const QString& program, const QStringList& arguments, QByteArray* output)
{
    const ToolRun run = run_tool(program, arguments, QString(), 30000);
    if (output)
        *output = run.output;
    return run.exitCode;
}
